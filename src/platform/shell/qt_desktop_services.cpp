#include "platform/shell/qt_desktop_services.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

QtDesktopServices::QtDesktopServices(HelpViewer viewer) : viewer_(std::move(viewer)) {}

bool QtDesktopServices::openUrl(const QString &address)
{
    // Tolerant parsing, as a shell takes an address: a blank (as in "mailto: name@host") is encoded, not refused.
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool QtDesktopServices::openFile(const QString &path)
{
    // A missing file is no request for the desktop: it would only answer with a message of its own.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

void QtDesktopServices::showHelp(const QString &file, const QString &anchor, const HelpTexts &texts)
{
    if (viewer_)
        viewer_(file, anchor, texts);
}
