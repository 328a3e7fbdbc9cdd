// The main window's start screen (title, language flags and names; the partner's title in its variant).
#include "layout_forms.h"

#include "app/main_window.h"

namespace {

class StartScreen : public layout::Scene {
public:
    StartScreen(const QString &variant, int Sprache)
        : main_(layout::startProgram({Sprache, layout::displayVariantCode(variant), 0}))
    {
    }
    ~StartScreen() override { layout::endProgram(main_); }
    Form &form() override { return *main_; }

private:
    std::unique_ptr<frmMDIMain> main_;
};

const layout::Registration mainWindow{{QStringLiteral("frmMDIMain"),
                                       {QStringLiteral("normal"), QStringLiteral("partner")},
                                       [](const QString &variant, int Sprache) {
                                           return std::make_unique<StartScreen>(variant, Sprache);
                                       }}};

} // namespace
