// The user-name dialog as New or Options > User name shows it.
#include "layout_forms.h"

#include "app/main_window.h"
#include "app/user_name_dialog.h"

namespace {

class UserNameScene : public layout::Scene {
public:
    explicit UserNameScene(int Sprache) : main_(layout::startProgram({Sprache, 0, 0})) {}
    ~UserNameScene() override
    {
        frmBenutzernameInstance().unload();
        layout::endProgram(main_);
    }
    Form &form() override { return frmBenutzernameInstance().get(); }

private:
    std::unique_ptr<frmMDIMain> main_;
};

const layout::Registration userNameDialog{{QStringLiteral("frmBenutzername"), {QStringLiteral("standard")},
                                           [](const QString &, int Sprache) {
                                               return std::make_unique<UserNameScene>(Sprache);
                                           }}};

} // namespace
