// The information dialogs as Help > Info shows them: the maker's, and the partner's in its display variant. Their
// texts are fixed, the same in every language.
#include "layout_forms.h"

#include "app/info_dialogs.h"
#include "app/main_window.h"

namespace {

template <class T>
class InfoScene : public layout::Scene {
public:
    InfoScene(DefaultInstance<T> &instance, int variant, int Sprache)
        : instance_(instance), main_(layout::startProgram({Sprache, variant, 0}))
    {
    }
    ~InfoScene() override
    {
        instance_.unload();
        layout::endProgram(main_);
    }
    Form &form() override { return instance_.get(); }

private:
    DefaultInstance<T> &instance_;
    std::unique_ptr<frmMDIMain> main_;
};

const layout::Registration infoDialog{{QStringLiteral("frmInfo"), {QStringLiteral("normal")},
                                       [](const QString &, int Sprache) {
                                           return std::make_unique<InfoScene<frmInfo>>(frmInfoInstance(), 0, Sprache);
                                       }}};

const layout::Registration partnerInfoDialog{
    {QStringLiteral("frmInfoTrelvan"), {QStringLiteral("partner")}, [](const QString &, int Sprache) {
         return std::make_unique<InfoScene<frmInfoTrelvan>>(frmInfoTrelvanInstance(), 1, Sprache);
     }}};

} // namespace
