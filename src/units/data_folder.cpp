#include "data_folder.h"

#include "file_messages.h"
#include "platform/core/whole_file.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "texts.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

namespace {

QString &programFolderOverride()
{
    static QString folder;
    return folder;
}

const QString nichtDefiniert = QStringLiteral(" - nicht definiert - ");

// Special-folder identifiers of the classic shell that have an equivalent here.
bool standardOrt(int CSIDL, QStandardPaths::StandardLocation *ort)
{
    switch (CSIDL) {
    case 0x0000: // desktop
    case 0x0010: // desktop directory
        *ort = QStandardPaths::DesktopLocation;
        return true;
    case 0x0002: // programs of the start menu
        *ort = QStandardPaths::ApplicationsLocation;
        return true;
    case 0x0005: // personal documents
        *ort = QStandardPaths::DocumentsLocation;
        return true;
    case 0x000d: // music
        *ort = QStandardPaths::MusicLocation;
        return true;
    case 0x000e: // videos
        *ort = QStandardPaths::MoviesLocation;
        return true;
    case 0x0014: // fonts
        *ort = QStandardPaths::FontsLocation;
        return true;
    case 0x001a: // application data
    case 0x001c: // local application data
        *ort = QStandardPaths::GenericDataLocation;
        return true;
    case 0x0020: // internet cache
        *ort = QStandardPaths::GenericCacheLocation;
        return true;
    case 0x0027: // pictures
        *ort = QStandardPaths::PicturesLocation;
        return true;
    case 0x0028: // user profile
        *ort = QStandardPaths::HomeLocation;
        return true;
    default:
        return false;
    }
}

QString meldung(const QString &text, const QString &pfad)
{
    return text + QLatin1Char(' ') + pfad;
}

} // namespace

QString GetSpecialFolder(int CSIDL)
{
    QStandardPaths::StandardLocation ort;
    if (!standardOrt(CSIDL, &ort))
        return nichtDefiniert;
    // Every user folder lies in the home folder; without one the platform would answer with folders under the
    // root ("//Documents").
    if (qEnvironmentVariableIsEmpty("HOME"))
        return nichtDefiniert;
    QString pfad = QStandardPaths::writableLocation(ort);
    // The path ends at the first NUL, as a path buffer of the shell would.
    const qsizetype nul = pfad.indexOf(QChar(u'\0'));
    if (nul >= 0)
        pfad.truncate(nul);
    if (pfad.isEmpty())
        return nichtDefiniert;
    return QDir::cleanPath(pfad);
}

QString dataFolder()
{
    const QString documents = GetSpecialFolder(5);
    if (documents == nichtDefiniert)
        return QString();
    return documents + QStringLiteral("/Quendra");
}

QString dataFile(const QString &fileName)
{
    const QString folder = dataFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + fileName;
}

QString programFolder()
{
    if (!programFolderOverride().isEmpty())
        return programFolderOverride();
    if (!QCoreApplication::instance())
        return QString();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString &folder)
{
    programFolderOverride() = folder;
}

namespace {

bool gleicherInhalt(const QString &a, const QString &b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    return fa.readAll() == fb.readAll();
}

} // namespace

bool ensureDataFolder(const QString &seedFolder, QString *error, QStringList *restored)
{
    auto fehler = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (GetSpecialFolder(5) == nichtDefiniert)
        return fehler(getText(QStringLiteral("Der Dokumentenordner des Benutzers ist nicht bekannt."),
                              shared().Sprache));
    const QString ziel = dataFolder();
    const QDir seed(seedFolder);
    if (seedFolder.isEmpty() || !seed.exists())
        return fehler(meldung(getText(QStringLiteral("Der Ordner der mitgelieferten Daten fehlt:"), shared().Sprache),
                              seedFolder));
    if (!QDir().mkpath(ziel))
        return fehler(
            meldung(getText(QStringLiteral("Der Datenordner kann nicht angelegt werden:"), shared().Sprache), ziel));

    QDirIterator it(seed.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString quelle = it.next();
        const QString relativ = seed.relativeFilePath(quelle);
        const QString zielDatei = ziel + QLatin1Char('/') + relativ;
        // What the user already has is never replaced, except the texts: the program never writes to the language
        // database, so a copy left by an earlier installation is brought up to the installed one, or its new
        // messages would show as German keys in every other language. Should that fail, the old texts serve.
        if (QFileInfo::exists(zielDatei)) {
            if (relativ == QLatin1String(kLanguageDatabase) && !gleicherInhalt(quelle, zielDatei))
                copyWholeFile(quelle, zielDatei);
            continue;
        }
        const QString ordner = QFileInfo(zielDatei).path();
        if (!QDir().mkpath(ordner))
            return fehler(meldung(
                getText(QStringLiteral("Der Datenordner kann nicht angelegt werden:"), shared().Sprache), ordner));
        // Written under a temporary name and renamed when whole, so a failed copy leaves no half file behind.
        if (const FileFailure kopiert = copyWholeFile(quelle, zielDatei); kopiert.failed())
            return fehler(
                meldung(getText(QStringLiteral("Die Datei kann nicht in den Datenordner kopiert werden:"),
                                shared().Sprache),
                        zielDatei) +
                QStringLiteral(" (") + fileProblemText(kopiert, shared().Sprache) + QLatin1Char(')'));
        // An installed seed may be read-only; the copies are the user's and must be writable.
        QFile::setPermissions(zielDatei, QFile::permissions(zielDatei) | QFileDevice::ReadOwner |
                                             QFileDevice::WriteOwner);
        if (restored)
            restored->append(zielDatei);
    }
    return true;
}

bool seedMayReplace(const std::exception &failure)
{
    const auto *db = dynamic_cast<const DbError *>(&failure);
    if (!db)
        return false;
    switch (db->problem()) {
    case FileProblem::Damaged:
        return true;
    case FileProblem::Missing:
    case FileProblem::TableMissing:
        return true;
    case FileProblem::DiskFull:
    case FileProblem::NoPermission:
    case FileProblem::Locked:
    case FileProblem::NotRegularFile:
    case FileProblem::DeviceError:
        return false;
    default:
        break;
    }
    switch (db->kind()) {
    case DbError::Kind::NoSuchFile:
    case DbError::Kind::NoSuchTable:
    case DbError::Kind::NoSuchColumn:
    case DbError::Kind::NoSuchIndex:
    case DbError::Kind::TypeMismatch:
        return true;
    default:
        return false;
    }
}

namespace {

int screenLanguage()
{
    const int Sprache = shared().Sprache;
    return Sprache >= 0 && Sprache <= 5 ? Sprache : 0;
}

// Everything SQLite keeps beside a file for it; the file itself last, so that a fresh file never meets them.
const QStringList &companions()
{
    static const QStringList c = {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm"),
                                  QString()};
    return c;
}

bool anyTaken(const QString &candidate)
{
    for (const QString &c : companions())
        if (QFileInfo::exists(candidate + c) || QFileInfo(candidate + c).isSymLink())
            return true;
    return false;
}

void moveBack(const QStringList &moved, const QString &from, const QString &to)
{
    for (const QString &c : moved)
        QFile::rename(from + c, to + c);
}

} // namespace

bool keepAndReplaceFromSeed(const QString &path, QString *kept, QString *why)
{
    const int Sprache = screenLanguage();
    const QString cannotRename = QStringLiteral("Die Datei kann nicht umbenannt werden:");
    const QFileInfo info(path);
    kept->clear();
    QStringList moved;
    if (info.exists() || info.isSymLink()) {
        const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
        const QString stem = info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char(' ') +
                             QDate::currentDate().toString(Qt::ISODate);
        for (int n = 1; n <= 99 && kept->isEmpty(); ++n) {
            const QString candidate = stem + (n == 1 ? QString() : QStringLiteral(" (%1)").arg(n)) + suffix;
            if (!anyTaken(candidate))
                *kept = candidate;
        }
        if (kept->isEmpty()) {
            *why = fileFailureMessage(cannotRename, path, QString(), Sprache);
            return false;
        }
        for (const QString &c : companions()) {
            if (!QFileInfo::exists(path + c) && !QFileInfo(path + c).isSymLink())
                continue;
            errno = 0;
            if (!QFile::rename(path + c, *kept + c)) {
                const FileFailure failure = FileFailure::ofErrno(errno);
                moveBack(moved, *kept, path);
                *why = fileFailureMessage(cannotRename, path + c, fileProblemText(failure, Sprache), Sprache);
                kept->clear();
                return false;
            }
            moved << c;
        }
    }
    const QString seedCopy = programFolder() + QStringLiteral("/seed/") + info.fileName();
    FileFailure copied;
    if (!QDir().mkpath(info.absolutePath()))
        copied = FileFailure::ofErrno(errno);
    else
        copied = copyWholeFile(seedCopy, path);
    if (copied.failed()) {
        moveBack(moved, *kept, path);
        kept->clear();
        *why = fileFailureMessage(QStringLiteral("Die Datei kann nicht in den Datenordner kopiert werden:"), path,
                                  fileProblemText(copied, Sprache), Sprache);
        return false;
    }
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

void openRecovering(const QString &path, const RecoveryTexts &texts, const std::function<void()> &open,
                    const std::function<void()> &release, const std::function<void(const QString &)> &tell)
{
    try {
        open();
        return;
    } catch (const std::exception &failure) {
        if (!seedMayReplace(failure))
            throw;
        const int Sprache = screenLanguage();
        const QString detail = failureReason(failure, Sprache);
        if (release)
            release();
        QString kept;
        QString why;
        if (!keepAndReplaceFromSeed(path, &kept, &why))
            throw RecoveryFailure((detail + QStringLiteral("\n\n") + why).toStdString());
        // A file that had gone is replaced without a word, as the start does for a missing file.
        if (!kept.isEmpty()) {
            QString text = fileFailureMessage(texts.leadKey, path, detail, Sprache) + QStringLiteral("\n\n") +
                           getText(QStringLiteral("Sie wurde aufbewahrt als:"), Sprache) + QLatin1Char('\n') +
                           QDir::toNativeSeparators(kept) + QStringLiteral("\n\n") +
                           getText(texts.replacedKey, Sprache);
            if (!texts.noteKey.isEmpty())
                text += QStringLiteral("\n\n") + getText(texts.noteKey, Sprache);
            tell(text);
        }
    }
    open();
}
