#include "data_recovery.h"

#include "data_folder.h"
#include "file_messages.h"
#include "platform/core/whole_file.h"
#include "platform/db/database.h"
#include "texts.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

Remedy remedyFor(FileProblem problem)
{
    switch (problem) {
    case FileProblem::Damaged:
    case FileProblem::Missing:
    case FileProblem::TableMissing:
        return Remedy::FreshCopy;
    case FileProblem::None:
    case FileProblem::DiskFull:
    case FileProblem::NoPermission:
    case FileProblem::Locked:
    case FileProblem::NotRegularFile:
    case FileProblem::Exists:
    case FileProblem::DeviceError:
    case FileProblem::Incomplete:
    case FileProblem::NameTooLong:
    case FileProblem::Other:
        return Remedy::LeaveAlone;
    }
    return Remedy::LeaveAlone;
}

Remedy remedyFor(const std::exception &failure)
{
    const auto *db = dynamic_cast<const DbError *>(&failure);
    return db ? remedyFor(db->problem()) : Remedy::LeaveAlone;
}

namespace {

const QString kCannotRename = QStringLiteral("Die Datei kann nicht umbenannt werden:");

bool present(const QString &path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

// The logs beside the name itself, which a fresh file of that name would meet.
QStringList logsAtName(const QString &path)
{
    QStringList logs;
    for (const QString &suffix : Database::companionSuffixes())
        if (present(path + suffix))
            logs << path + suffix;
    return logs;
}

bool anyTaken(const QString &candidate)
{
    return present(candidate) || !logsAtName(candidate).isEmpty();
}

// The file's name with today's date, numbered when the name or one of its logs is taken; empty when all are.
QString datedName(const QString &path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString stem = info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char(' ') +
                         QDate::currentDate().toString(Qt::ISODate);
    for (int n = 1; n <= 99; ++n) {
        const QString candidate = stem + (n == 1 ? QString() : QStringLiteral(" (%1)").arg(n)) + suffix;
        if (!anyTaken(candidate))
            return candidate;
    }
    return QString();
}

// Moves the given endings of `path` to the same endings of `dated`, in order; on a failure moves back what it moved
// and says why.
bool moveAll(const QString &path, const QString &dated, const QStringList &endings, QString *why)
{
    QStringList moved;
    for (const QString &ending : endings) {
        errno = 0;
        if (!QFile::rename(path + ending, dated + ending)) {
            const FileFailure failure = FileFailure::ofErrno(errno);
            for (const QString &back : moved)
                QFile::rename(dated + back, path + back);
            *why = fileFailureMessage(kCannotRename, path + ending, fileProblemText(failure, screenLanguage()),
                                      screenLanguage());
            return false;
        }
        moved << ending;
    }
    return true;
}

void moveBack(const QString &path, const KeptFiles &kept)
{
    for (const QString &log : kept.logs)
        QFile::rename(log, path + log.mid(log.lastIndexOf(QLatin1Char('-'))));
    if (!kept.file.isEmpty())
        QFile::rename(kept.file, path);
}

// Why a new file may not take the name `path`, in the screen language; empty when it may. Anything at the name
// itself is taken: a file or folder that appeared meanwhile, a link, even one to nowhere. At a log's name, anything
// but a regular file.
QString nameTaken(const QString &path)
{
    const int Sprache = screenLanguage();
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return linkToNowhereReason(info.symLinkTarget(), Sprache);
    if (present(path))
        return fileProblemText(FileFailure{info.isFile() ? FileProblem::Exists : FileProblem::NotRegularFile, {}},
                               Sprache);
    try {
        Database::requireRegularCompanions(path);
    } catch (const DbError &e) {
        return failureReason(e, Sprache);
    }
    return QString();
}

// Sets aside the logs of `path` and, with `withFile`, the file itself last, so that a fresh file never meets them.
// For a new file (`forNewFile`), nothing moves unless its name is free.
bool setAside(const QString &path, bool withFile, KeptFiles *kept, QString *why, bool forNewFile = false)
{
    *kept = KeptFiles();
    QStringList endings;
    for (const QString &log : logsAtName(path))
        endings << log.mid(path.size());
    if (withFile)
        endings << QString();
    const QString dated = endings.isEmpty() ? QString() : datedName(path);
    if (!endings.isEmpty() && dated.isEmpty()) {
        *why = fileFailureMessage(kCannotRename, path + endings.constFirst(),
                                  getText(QStringLiteral("Jeder Name mit dem heutigen Datum, unter dem sie aufbewahrt "
                                                         "werden könnte, ist bereits vergeben."),
                                          screenLanguage()),
                                  screenLanguage());
        return false;
    }
    // Judged last before the moves: the logs of a file that has taken the name meanwhile are its own.
    if (forNewFile) {
        *why = nameTaken(path);
        if (!why->isEmpty())
            return false;
    }
    if (endings.isEmpty())
        return true;
    if (!moveAll(path, dated, endings, why))
        return false;
    for (const QString &ending : endings) {
        if (ending.isEmpty())
            kept->file = dated;
        else
            kept->logs << dated + ending;
    }
    return true;
}

} // namespace

QStringList logsBeside(const QString &path)
{
    QStringList logs;
    for (const QString &log : Database::companionsOf(path))
        if (present(log))
            logs << log;
    return logs;
}

namespace {

// Sets aside the logs of `path` and, with `withFile`, the file, and copies `source` into its place.
bool keepAndReplace(const QString &path, const QString &source, bool withFile, KeptFiles *kept, QString *why)
{
    const int Sprache = screenLanguage();
    const QFileInfo info(path);
    *kept = KeptFiles();
    // Another program's write would go on in the kept file, lost to the user. The lock is held until the file has
    // been moved, so that no write can begin in between.
    std::shared_ptr<Database> lock;
    try {
        lock = Database::holdWrites(path);
    } catch (const DbError &e) {
        *why = fileFailureMessage(kCannotRename, path, failureReason(e, Sprache), Sprache);
        return false;
    }
    const bool setAsideDone = setAside(path, withFile, kept, why);
    lock.reset();
    if (!setAsideDone)
        return false;
    FileFailure copied;
    if (!QDir().mkpath(info.absolutePath()))
        copied = FileFailure::ofErrno(errno);
    else
        copied = copyWholeFile(source, path);
    if (copied.failed()) {
        moveBack(path, *kept);
        *kept = KeptFiles();
        *why = fileFailureMessage(QStringLiteral("Die Datei kann nicht in den Datenordner kopiert werden:"), path,
                                  fileProblemText(copied, Sprache), Sprache);
        return false;
    }
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

} // namespace

bool setAsideLogs(const QString &path, QStringList *keptLogs, QString *why)
{
    KeptFiles kept;
    if (!setAside(path, false, &kept, why, true))
        return false;
    *keptLogs = kept.logs;
    return true;
}

bool replaceMissingFile(const QString &path, const QString &source, QStringList *keptLogs, QString *why)
{
    KeptFiles kept;
    if (!keepAndReplace(path, source, false, &kept, why))
        return false;
    *keptLogs = kept.logs;
    return true;
}

bool keepAndReplaceFromSeed(const QString &path, KeptFiles *kept, QString *why)
{
    return keepAndReplace(path, programFolder() + QStringLiteral("/seed/") + QFileInfo(path).fileName(),
                          present(path), kept, why);
}

void openRecovering(const QString &path, const RecoveryTexts &texts, const std::function<void()> &open,
                    const std::function<void()> &release, const std::function<void(const QString &)> &tell)
{
    try {
        open();
        return;
    } catch (const std::exception &failure) {
        if (remedyFor(failure) != Remedy::FreshCopy)
            throw;
        const int Sprache = screenLanguage();
        const QString detail = failureReason(failure, Sprache);
        if (release)
            release();
        KeptFiles kept;
        QString why;
        if (!keepAndReplaceFromSeed(path, &kept, &why))
            throw RecoveryFailure((detail + QStringLiteral("\n\n") + why).toStdString());
        if (!kept.file.isEmpty()) {
            QString text = fileFailureMessage(texts.leadKey, path, detail, Sprache) + QStringLiteral("\n\n") +
                           getText(QStringLiteral("Sie wurde aufbewahrt als:"), Sprache) + QLatin1Char('\n') +
                           QDir::toNativeSeparators(kept.file) + QStringLiteral("\n\n") +
                           getText(texts.replacedKey, Sprache);
            if (!texts.noteKey.isEmpty())
                text += QStringLiteral("\n\n") + getText(texts.noteKey, Sprache);
            tell(text);
        } else if (!kept.logs.isEmpty()) {
            // A file that had gone is replaced without a word, as the start does for a missing file, unless logs of
            // an earlier session lay beside it.
            tell(restoredFilesMessage(QFileInfo(path).absolutePath(), {path}, kept.logs, Sprache));
        }
    }
    open();
}

QString restoredFilesMessage(const QString &folder, const QStringList &restored, const QStringList &keptLogs,
                             int Sprache)
{
    const QDir dir(folder);
    auto names = [&dir](QStringList files) {
        files.sort();
        QString list;
        for (const QString &file : files)
            list += QLatin1Char('\n') + QDir::toNativeSeparators(dir.relativeFilePath(file));
        return list;
    };
    QString text =
        getText(QStringLiteral("Dem Datenordner fehlten Dateien; sie wurden aus den mitgelieferten Daten neu angelegt:"),
                Sprache) +
        QLatin1Char('\n') + QDir::toNativeSeparators(folder) + QLatin1Char('\n') + names(restored);
    if (!keptLogs.isEmpty())
        text += QStringLiteral("\n\n") +
                getText(QStringLiteral("Neben den fehlenden Dateien lagen noch Protokolldateien einer früheren "
                                       "Sitzung; sie gehören nicht zur neuen Kopie und wurden aufbewahrt als:"),
                        Sprache) +
                QLatin1Char('\n') + names(keptLogs);
    return text;
}
