// The steam heat exchanger as Tools > Berechnung Wärmetauscher (Dampf) opens it over the sizing sheet, with all
// three columns shown.
#include "layout_forms.h"

#include "app/main_window.h"
#include "state/shared_data.h"
#include "tools/heat_exchanger.h"

namespace {

class HeatExchangerScene : public layout::DialogScene<frmWärmetauscher> {
public:
    explicit HeatExchangerScene(int Sprache) : DialogScene(frmWärmetauscherInstance(), {Sprache, 0, 0})
    {
        shared().MIN = shared().NORM = true;
    }
};

const layout::Registration heatExchanger{
    {QStringLiteral("frmWärmetauscher"), {QStringLiteral("standard")},
     [](const QString &, int Sprache) { return std::make_unique<HeatExchangerScene>(Sprache); }}};

} // namespace
