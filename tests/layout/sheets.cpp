// Both calculation sheets, in each fluid state and display variant, as the user reaches them: the main window
// starts, New shows the sheet of the stored mode with the standard project's water, and the medium menu changes
// the medium.
#include "layout_forms.h"

#include "app/main_window.h"
#include "app/sheet_host.h"
#include "engine/sizing_recalc.h"
#include "platform/core/number_text.h"
#include "sheets/calc_flow.h"
#include "sheets/calc_size.h"

namespace {

const QStringList &fluidStates()
{
    static const QStringList names = {QStringLiteral("gas"), QStringLiteral("liquid"), QStringLiteral("steam")};
    return names;
}

QStringList sheetVariants()
{
    QStringList variants;
    for (const QString &fluid : fluidStates())
        for (const QString &display : layout::displayVariants())
            variants << fluid + QStringLiteral(", ") + display;
    return variants;
}

// Water at 0.0001 kg/h at every point: velocities of about 1.4E-08 m/s and flow coefficients below 1E-09, whose
// general format is wider than any result column.
const QString kTinyFlow = QStringLiteral("liquid at 0.0001 kg/h");

class SheetScene : public layout::Scene {
public:
    SheetScene(SheetKind kind, const QString &variant, int Sprache) : kind_(kind)
    {
        sheethost::registerSheet(SheetKind::CalcSize, sheethost::hooksFor(calcSizeSheet()));
        sheethost::registerSheet(SheetKind::CalcFlow, sheethost::hooksFor(frmCalcFlow()));
        const QString fluid = variant.section(QStringLiteral(", "), 0, 0);
        const QString display = variant.section(QStringLiteral(", "), 1, 1);
        main_ = layout::startProgram({Sprache, layout::displayVariantCode(display), kind == SheetKind::CalcSize ? 0 : 1});
        main_->picStart_Click();
        if (fluid == QLatin1String("gas"))
            main_->mnuLuft_Click();
        else if (fluid == QLatin1String("steam"))
            main_->mnuWasserdampf_Click();
        else if (fluid == kTinyFlow)
            tinyFlow();
    }
    ~SheetScene() override
    {
        layout::endProgram(main_);
        sheethost::registerSheet(SheetKind::CalcSize, {});
        sheethost::registerSheet(SheetKind::CalcFlow, {});
    }
    Form &form() override
    {
        if (kind_ == SheetKind::CalcSize)
            return calcSizeSheet().get();
        return frmCalcFlow().get();
    }

private:
    void tinyFlow()
    {
        frmCalcSize &sheet = calcSizeSheet().get();
        sheet.cmbQunit.userPick(1);
        for (TextBox *box : {&sheet.txtQmin, &sheet.txtQnorm, &sheet.txtQmax})
            box->setText(numtext::general(0.0001));
        calcDimensionierung();
    }

    SheetKind kind_;
    std::unique_ptr<frmMDIMain> main_;
};

const layout::Registration sizingSheet{{QStringLiteral("frmCalcSize"),
                                        sheetVariants() << kTinyFlow + QStringLiteral(", normal"),
                                        [](const QString &variant, int Sprache) {
                                            return std::make_unique<SheetScene>(SheetKind::CalcSize, variant, Sprache);
                                        }}};

const layout::Registration flowSheet{{QStringLiteral("frmCalcFlow"), sheetVariants(),
                                      [](const QString &variant, int Sprache) {
                                          return std::make_unique<SheetScene>(SheetKind::CalcFlow, variant, Sprache);
                                      }}};

} // namespace
