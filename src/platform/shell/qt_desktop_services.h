#pragma once

#include "platform/shell/desktop_services.h"

#include <functional>

// The desktop through Qt: links and files go to QDesktopServices (the user's browser, mail program and the
// application associated with a file type); the help window is the renderer's, passed in as a function.
class QtDesktopServices : public DesktopServices {
public:
    using HelpViewer = std::function<void(const QString &file, const QString &anchor, const HelpTexts &texts)>;
    explicit QtDesktopServices(HelpViewer viewer);

    bool openUrl(const QString &address) override;
    bool openFile(const QString &path) override;
    void showHelp(const QString &file, const QString &anchor, const HelpTexts &texts) override;

private:
    HelpViewer viewer_;
};
