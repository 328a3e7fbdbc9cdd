#include "platform/shell/qt_desktop_services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <memory>

namespace {

// A desktop tool from the PATH, started without input; its output is kept for reading, or passed on to the
// program's own (a launcher's program may write for as long as it runs). Null when there is none or it does not
// start.
enum class Output { Kept, PassedOn };
std::unique_ptr<QProcess> startTool(const QString &name, const QStringList &arguments, Output output)
{
    const QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        return nullptr;
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    if (output == Output::PassedOn)
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start();
    if (!process->waitForStarted())
        return nullptr;
    return process;
}

bool succeeded(const QProcess &process)
{
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The program the desktop's MIME database names as the default for a file type (a desktop file name), or nothing.
QString defaultApplication(const QString &mimeType, int wait)
{
    const std::unique_ptr<QProcess> query =
        startTool(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType}, Output::Kept);
    if (!query)
        return QString();
    if (!query->waitForFinished(wait)) {
        query->kill();
        query->waitForFinished();
        return QString();
    }
    if (!succeeded(*query))
        return QString();
    return QString::fromLocal8Bit(query->readAllStandardOutput()).trimmed();
}

// The wait cursor while the program waits for the desktop's tools (up to the launcher wait each), so that a
// window that does not answer for that long says why.
class BusyCursor {
public:
    BusyCursor() : shown_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (shown_)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~BusyCursor()
    {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool shown_;
};

} // namespace

QtDesktopServices::QtDesktopServices(HelpViewer viewer, int launcherWait)
    : viewer_(std::move(viewer)), launcherWait_(launcherWait)
{
}

bool QtDesktopServices::openUrl(const QString &address)
{
    // Tolerant parsing, as a shell takes an address: a blank (as in "mailto: name@host") is encoded, not refused.
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool QtDesktopServices::openFile(const QString &path, NotTaken notTakenAfterAll)
{
    // A missing file is no request for the desktop: it would only answer with a message of its own.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return false;
    // Without a program for the type the launcher still starts, hands the file to a browser or fails on its own,
    // and the caller would never learn that nobody took it.
    const QString type = QMimeDatabase().mimeTypeForFile(info).name();
    const BusyCursor busy;
    if (defaultApplication(type, launcherWait_).isEmpty())
        return false;
    std::unique_ptr<QProcess> launcher =
        startTool(QStringLiteral("xdg-open"), {info.absoluteFilePath()}, Output::PassedOn);
    if (!launcher)
        return false;
    if (launcher->waitForFinished(launcherWait_))
        return succeeded(*launcher);
    // Still running the program: it took the file, unless the launcher fails in the end. The launcher goes when
    // it ends (or with the application).
    QProcess *running = launcher.release();
    running->setParent(QCoreApplication::instance());
    QObject::connect(running, &QProcess::finished, running, [running, notTakenAfterAll = std::move(notTakenAfterAll)] {
        if (!succeeded(*running) && notTakenAfterAll)
            notTakenAfterAll();
        running->deleteLater();
    });
    return true;
}

void QtDesktopServices::showHelp(const QString &file, const QString &anchor, const HelpTexts &texts)
{
    if (viewer_)
        viewer_(file, anchor, texts);
}
