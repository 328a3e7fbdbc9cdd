// The heat-exchanger print dialog as the heat-exchanger window opens it, over the running program.
#include "layout_forms.h"

#include "app/main_window.h"
#include "reports/heat_exchanger_print_dialog.h"

namespace {

class HeatExchangerPrintDialogScene : public layout::Scene {
public:
    HeatExchangerPrintDialogScene(int Sprache) : main_(layout::startProgram({Sprache, 0, 0})) {}
    ~HeatExchangerPrintDialogScene() override
    {
        frmDruck_WTauscherInstance().unload();
        layout::endProgram(main_);
    }
    Form &form() override { return frmDruck_WTauscherInstance().get(); }

private:
    std::unique_ptr<frmMDIMain> main_;
};

const layout::Registration heatExchangerPrintDialog{
    {QStringLiteral("frmDruck_WTauscher"), {QStringLiteral("standard")}, [](const QString &, int Sprache) {
         return std::make_unique<HeatExchangerPrintDialogScene>(Sprache);
     }}};

} // namespace
