#pragma once

#include "platform/shell/desktop_services.h"

#include <functional>

// The desktop through Qt: links go to QDesktopServices (the user's browser and mail program); a file goes to the
// program the desktop associates with its type, through the desktop's own tools (xdg-mime, xdg-open, found on
// the PATH); the help window is the renderer's, passed in as a function.
class QtDesktopServices : public DesktopServices {
public:
    using HelpViewer = std::function<void(const QString &file, const QString &anchor, const HelpTexts &texts)>;
    // launcherWait: how long a desktop tool may take to answer, in milliseconds.
    explicit QtDesktopServices(HelpViewer viewer, int launcherWait = 3000);

    bool openUrl(const QString &address) override;
    // True only when the desktop names a program for the file's type and its launcher reports success (or is
    // still running that program when the wait is over: without a desktop of its own, xdg-open runs the program
    // until it ends; should it end in failure, notTakenAfterAll runs). A desktop without the tools, or without a
    // program for the type, takes nothing.
    using DesktopServices::openFile;
    bool openFile(const QString &path, NotTaken notTakenAfterAll) override;
    void showHelp(const QString &file, const QString &anchor, const HelpTexts &texts) override;

private:
    HelpViewer viewer_;
    int launcherWait_;
};
