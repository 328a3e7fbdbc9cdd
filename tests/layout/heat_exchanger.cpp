// The steam heat exchanger as Tools > Berechnung Wärmetauscher (Dampf) opens it over the sizing sheet, with all
// three columns shown.
#include "layout_forms.h"

#include "app/main_window.h"
#include "state/shared_data.h"
#include "tools/heat_exchanger.h"

namespace {

class HeatExchangerScene : public layout::Scene {
public:
    explicit HeatExchangerScene(int Sprache) : main_(layout::startProgram({Sprache, 0, 0}))
    {
        shared().MIN = shared().NORM = true;
    }
    ~HeatExchangerScene() override
    {
        frmWärmetauscherInstance().unload();
        layout::endProgram(main_);
    }
    Form &form() override { return frmWärmetauscherInstance().get(); }

private:
    std::unique_ptr<frmMDIMain> main_;
};

const layout::Registration heatExchanger{
    {QStringLiteral("frmWärmetauscher"), {QStringLiteral("standard")},
     [](const QString &, int Sprache) { return std::make_unique<HeatExchangerScene>(Sprache); }}};

} // namespace
