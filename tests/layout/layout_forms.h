#pragma once

// The windows of the layout test and the program set-up they share. See test_layout.cpp for how a window joins.

#include "platform/forms/default_instance.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class Form;
class frmMDIMain;

namespace layout {

// A window loaded for one variant and language, ready to be drawn; destroying the scene unloads it and undoes its
// set-up.
class Scene {
public:
    virtual ~Scene() = default;
    virtual Form &form() = 0;
};

struct FormEntry {
    QString name;
    // One table row per variant and language.
    QStringList variants;
    // Sprache: 0 German, 1 English, 2 French, 3 Italian, 4 Spanish, 5 Czech.
    std::function<std::unique_ptr<Scene>(const QString &variant, int Sprache)> open;
};

// A window joins the test with one of these at namespace scope in a file of this folder.
struct Registration {
    explicit Registration(FormEntry entry);
};

const std::vector<FormEntry> &forms();

// --- The program around a scene: the seed data in a documents folder of the test's own (made on first use),
// scripted desktop services, and the stored program parameters the main window starts from.

struct StartState {
    int Sprache = 0;
    int KD_Version = 0;
    int Modus = 0;
};

// Stores the state in the default project and program parameters, then loads the main window as the desktop
// program does (start screen). The main window's scene shows it; the sheets' scenes go on to New.
std::unique_ptr<frmMDIMain> startProgram(const StartState &state);
// Unloads the main window (and whatever it holds) and forgets the shared data.
void endProgram(std::unique_ptr<frmMDIMain> &main);

// A dialog over the started program, opened through its default instance; destroying the scene unloads the
// dialog, then the program. A scene that prepares more derives from it.
template <class T>
class DialogScene : public Scene {
public:
    DialogScene(DefaultInstance<T> &instance, const StartState &state) : instance_(instance), main_(startProgram(state))
    {
    }
    ~DialogScene() override
    {
        instance_.unload();
        endProgram(main_);
    }
    Form &form() override { return instance_.get(); }

protected:
    DefaultInstance<T> &instance_;

private:
    std::unique_ptr<frmMDIMain> main_;
};

// The scene of a dialog that needs nothing but the started program.
template <class T>
std::unique_ptr<Scene> dialogScene(DefaultInstance<T> &instance, const StartState &state)
{
    return std::make_unique<DialogScene<T>>(instance, state);
}

// The display variants: "normal" (0), "partner" (1), "extended" (6417).
const QStringList &displayVariants();
int displayVariantCode(const QString &name);

} // namespace layout
