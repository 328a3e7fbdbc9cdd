// The access-code dialog as Options > Password shows it.
#include "layout_forms.h"

#include "app/access_code_dialog.h"
#include "app/main_window.h"

namespace {

class AccessCodeScene : public layout::Scene {
public:
    explicit AccessCodeScene(int Sprache) : main_(layout::startProgram({Sprache, 0, 0})) {}
    ~AccessCodeScene() override
    {
        frmPasswortInstance().unload();
        layout::endProgram(main_);
    }
    Form &form() override { return frmPasswortInstance().get(); }

private:
    std::unique_ptr<frmMDIMain> main_;
};

const layout::Registration accessCodeDialog{{QStringLiteral("frmPasswort"), {QStringLiteral("standard")},
                                             [](const QString &, int Sprache) {
                                                 return std::make_unique<AccessCodeScene>(Sprache);
                                             }}};

} // namespace
