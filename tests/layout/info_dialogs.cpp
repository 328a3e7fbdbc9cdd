// The information dialogs as Help > Info shows them: the maker's, and the partner's in its display variant. Their
// texts are fixed, the same in every language.
#include "layout_forms.h"

#include "app/info_dialogs.h"
#include "app/main_window.h"

namespace {

const layout::Registration infoDialog{{QStringLiteral("frmInfo"), {QStringLiteral("normal")},
                                       [](const QString &, int Sprache) {
                                           return layout::dialogScene(frmInfoInstance(), {Sprache, 0, 0});
                                       }}};

const layout::Registration partnerInfoDialog{
    {QStringLiteral("frmInfoTrelvan"), {QStringLiteral("partner")}, [](const QString &, int Sprache) {
         return layout::dialogScene(frmInfoTrelvanInstance(), {Sprache, 1, 0});
     }}};

} // namespace
