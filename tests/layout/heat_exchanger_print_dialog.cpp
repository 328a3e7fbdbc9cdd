// The heat-exchanger print dialog as the heat-exchanger window opens it, over the running program.
#include "layout_forms.h"

#include "app/main_window.h"
#include "reports/heat_exchanger_print_dialog.h"

namespace {

const layout::Registration heatExchangerPrintDialog{
    {QStringLiteral("frmDruck_WTauscher"), {QStringLiteral("standard")}, [](const QString &, int Sprache) {
         return layout::dialogScene(frmDruck_WTauscherInstance(), {Sprache, 0, 0});
     }}};

} // namespace
