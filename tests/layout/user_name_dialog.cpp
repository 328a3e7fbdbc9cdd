// The user-name dialog as New or Options > User name shows it.
#include "layout_forms.h"

#include "app/main_window.h"
#include "app/user_name_dialog.h"

namespace {

const layout::Registration userNameDialog{{QStringLiteral("frmBenutzername"), {QStringLiteral("standard")},
                                           [](const QString &, int Sprache) {
                                               return layout::dialogScene(frmBenutzernameInstance(), {Sprache, 0, 0});
                                           }}};

} // namespace
