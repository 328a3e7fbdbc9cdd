// The print dialog as File > Drucken shows it: over the sizing sheet, over the flow sheet (its own title), and in
// the extended display (the extended-data box).
#include "layout_forms.h"

#include "app/main_window.h"
#include "reports/print_dialog.h"

namespace {

const layout::Registration printDialog{{QStringLiteral("frmDruck"),
                                        {QStringLiteral("sizing sheet"), QStringLiteral("flow sheet"),
                                         QStringLiteral("extended")},
                                        [](const QString &variant, int Sprache) {
                                            return layout::dialogScene(
                                                frmDruckInstance(),
                                                {Sprache, variant == QLatin1String("extended") ? 6417 : 0,
                                                 variant == QLatin1String("flow sheet") ? 1 : 0});
                                        }}};

} // namespace
