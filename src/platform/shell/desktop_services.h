#pragma once

#include <QString>

#include <functional>

// What the help window shows besides the page, in the user's language: its title, and the lead of the text it shows
// in place of a page whose file is missing (the window adds the file's path).
struct HelpTexts {
    QString title;
    QString missingFile;
};

// The desktop beyond the program's own windows: the browser and the mail program for links, the application the
// desktop associates with a file, and the help window. The desktop program installs the Qt implementation; tests
// install a recording one. Without either, a recording default answers and opens nothing.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // A web address ("http://…") or a mail address ("mailto:…"), handed over as it stands. True when the desktop
    // took it.
    virtual bool openUrl(const QString &address) = 0;
    // Opens a file with the application the desktop associates with its type. False when the file does not exist
    // or nothing took it. A desktop can learn only later that nothing took the file after all (its launcher was
    // still at work when the answer was due and then failed): notTakenAfterAll then runs once, from the event loop.
    using NotTaken = std::function<void()>;
    virtual bool openFile(const QString &path, NotTaken notTakenAfterAll) = 0;
    bool openFile(const QString &path) { return openFile(path, {}); }
    // Shows the one help window with the page, scrolled to the anchor (the page's start when it is empty), brought
    // to the front; a missing file is named in the window.
    virtual void showHelp(const QString &file, const QString &anchor, const HelpTexts &texts) = 0;
};

DesktopServices &desktopServices();
// Installs the services for the running process (not owned); null brings back the recording default.
void setDesktopServices(DesktopServices *services);

// Puts a set of services in place for one scope and restores the previous ones after it.
class DesktopServicesScope {
public:
    explicit DesktopServicesScope(DesktopServices &services);
    ~DesktopServicesScope();
    DesktopServicesScope(const DesktopServicesScope &) = delete;
    DesktopServicesScope &operator=(const DesktopServicesScope &) = delete;

private:
    DesktopServices *previous_;
};

// The program's help file, one for the whole process: the help entries set it, the F1 key shows it. The program
// starts without one; an empty file name takes it away again.
void setHelpFile(const QString &file, const HelpTexts &texts);
QString helpFile();
HelpTexts helpTexts();
// Shows the help file last set. False, and nothing shown, while none is set.
bool showHelpFile();
