// The access-code dialog as Options > Password shows it.
#include "layout_forms.h"

#include "app/access_code_dialog.h"
#include "app/main_window.h"

namespace {

const layout::Registration accessCodeDialog{{QStringLiteral("frmPasswort"), {QStringLiteral("standard")},
                                             [](const QString &, int Sprache) {
                                                 return layout::dialogScene(frmPasswortInstance(), {Sprache, 0, 0});
                                             }}};

} // namespace
