// The fluid-data wizard as Medium > Fluid-data wizard shows it over the sizing sheet with all three columns, on the
// shipped substance table: browsing, a record being edited, and after a calculation as a liquid and as a gas.
#include "layout_forms.h"

#include "app/main_window.h"
#include "app/sheet_host.h"
#include "fluids/fluid_wizard.h"
#include "sheets/calc_flow.h"
#include "sheets/calc_size.h"

#include <stdexcept>

namespace {

class FluidWizardScene : public layout::Scene {
public:
    FluidWizardScene(const QString &variant, int Sprache)
    {
        sheethost::registerSheet(SheetKind::CalcSize, sheethost::hooksFor(calcSizeSheet()));
        sheethost::registerSheet(SheetKind::CalcFlow, sheethost::hooksFor(frmCalcFlow()));
        main_ = layout::startProgram({Sprache, 0, 0});
        main_->picStart_Click();
        calcSizeSheet().get().chkMin.setValue(1);
        calcSizeSheet().get().chkNorm.setValue(1);
        frmStoffdatenAssistent &w = frmStoffdatenAssistentInstance().get();
        if (variant == QLatin1String("browse"))
            return;
        // The shipped names differ by language; the formulas do not.
        const QString formula = variant == QLatin1String("gas") ? QStringLiteral("(CH4)") : QStringLiteral("(H2O)");
        for (int i = 0; i < w.lstSubstanz.listCount(); ++i) {
            if (w.lstSubstanz.list(i).endsWith(formula))
                w.lstSubstanz.userPick(i);
        }
        if (variant == QLatin1String("edit")) {
            w.cmdBearbeiten.userClick();
            return;
        }
        for (TextBox *p : {&w.txtp1min, &w.txtp1norm, &w.txtp1max})
            p->setText(QStringLiteral("10"));
        for (TextBox *T : {&w.txtT1min, &w.txtT1norm, &w.txtT1max})
            T->setText(QStringLiteral("20"));
        w.cmdCalc.userClick();
        // The rows of the state must be showing, or the scene measures nothing of them.
        const int state = variant == QLatin1String("gas") ? 2 : 1;
        if (!w.cmdOK.enabled() || w.assistentZustand() != state || !w.txtrhomin.visible())
            throw std::runtime_error("the wizard's calculation did not pass");
    }
    ~FluidWizardScene() override
    {
        frmStoffdatenAssistentInstance().unload();
        layout::endProgram(main_);
        sheethost::registerSheet(SheetKind::CalcSize, {});
        sheethost::registerSheet(SheetKind::CalcFlow, {});
    }
    Form &form() override { return frmStoffdatenAssistentInstance().get(); }

private:
    std::unique_ptr<frmMDIMain> main_;
};

const layout::Registration fluidWizard{
    {QStringLiteral("frmStoffdatenAssistent"),
     {QStringLiteral("browse"), QStringLiteral("edit"), QStringLiteral("liquid"), QStringLiteral("gas")},
     [](const QString &variant, int Sprache) { return std::make_unique<FluidWizardScene>(variant, Sprache); }}};

} // namespace
