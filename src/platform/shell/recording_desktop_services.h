#pragma once

#include "platform/shell/desktop_services.h"

#include <vector>

// Headless desktop: records every request in order and answers from a setting (true unless told otherwise); opens
// nothing. A file request is answered false for a file that does not exist, as the desktop would.
class RecordingDesktopServices : public DesktopServices {
public:
    enum class Kind { Url, File, Help };
    struct Request {
        Kind kind;
        QString target; // the address, the file path or the help file
        HelpTexts texts; // help requests only
        QString anchor;  // help requests only: the section shown
        NotTaken notTakenAfterAll; // file requests only: what the caller does when the desktop gives up later
    };

    bool openUrl(const QString &address) override;
    using DesktopServices::openFile;
    bool openFile(const QString &path, NotTaken notTakenAfterAll) override;
    void showHelp(const QString &file, const QString &anchor, const HelpTexts &texts) override;

    // What the desktop answers from now on (true: it took the request).
    void setAnswer(bool taken) { answer_ = taken; }
    const std::vector<Request> &requests() const { return requests_; }
    void reset();

private:
    bool answer_ = true;
    std::vector<Request> requests_;
};
