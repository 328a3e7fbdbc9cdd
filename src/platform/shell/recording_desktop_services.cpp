#include "platform/shell/recording_desktop_services.h"

#include <QFileInfo>

bool RecordingDesktopServices::openUrl(const QString &address)
{
    requests_.push_back({Kind::Url, address, {}, {}, {}});
    return answer_;
}

bool RecordingDesktopServices::openFile(const QString &path, NotTaken notTakenAfterAll)
{
    requests_.push_back({Kind::File, path, {}, {}, std::move(notTakenAfterAll)});
    return answer_ && QFileInfo(path).isFile();
}

void RecordingDesktopServices::showHelp(const QString &file, const QString &anchor, const HelpTexts &texts)
{
    requests_.push_back({Kind::Help, file, texts, anchor, {}});
}

void RecordingDesktopServices::reset()
{
    answer_ = true;
    requests_.clear();
}
