#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <optional>

class Form;

// Message box buttons, icons and answers, numbered as the platform numbers them.
enum class MsgButtons { OK = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgAnswer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// The first button of a set: what Enter answers, and what a scripted box answers when told nothing.
MsgAnswer firstAnswer(MsgButtons buttons);

struct FileDialogRequest {
    QString title;
    // The platform's filter form: pairs of description and pattern separated by "|",
    // e.g. "Berechnungen (*.vls)|*.vls|Alle (*.*)|*.*". Patterns within one entry are separated by ";".
    QString filter;
    QString startFolder;
    QString fileName;
    // Save dialogs: the dialog asks before an existing file is chosen. A caller that completes the name itself
    // (adds an extension) turns this off and asks about the completed name.
    bool confirmOverwrite = true;
};

// What the windows need of the desktop beyond their own controls. The desktop program installs the Qt
// implementation; tests install a scripted one. Without either, a headless scripted default answers.
class UiServices {
public:
    virtual ~UiServices() = default;

    virtual MsgAnswer messageBox(const QString &text, MsgButtons buttons = MsgButtons::OK,
                                 MsgIcon icon = MsgIcon::None, const QString &title = QString()) = 0;
    virtual void beep() = 0;
    // The whole screen, in twips.
    virtual int screenWidthTwips() const = 0;
    virtual int screenHeightTwips() const = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> openFileDialog(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFileDialog(const FileDialogRequest &request) = 0;

    // A form has become visible (modeless, or just before its modal run).
    virtual void showForm(Form &form) = 0;
    // Runs the event loop until the form is hidden or unloaded.
    virtual void runModal(Form &form) = 0;

    // The language the program shows, as a two-letter code ("de", "en", "fr", "it", "es", "cs"): the desktop's
    // own texts (the buttons of message boxes, file dialogs) follow it.
    virtual void setLanguage(const QString &code) { (void)code; }
};

UiServices &uiServices();
// Installs the services for the running process (not owned); null brings back the headless default.
void setUiServices(UiServices *services);

// The message for a failure that no command caught. The program installs one that speaks the user's language;
// without it, the failure's own text.
QString uncaughtFailureText(const std::exception &e);
void setUncaughtFailureText(std::function<QString(const std::exception &)> text);

// Puts a set of services in place for one scope and restores the previous ones after it.
class UiServicesScope {
public:
    explicit UiServicesScope(UiServices &services);
    ~UiServicesScope();
    UiServicesScope(const UiServicesScope &) = delete;
    UiServicesScope &operator=(const UiServicesScope &) = delete;

private:
    UiServices *previous_;
};
