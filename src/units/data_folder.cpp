#include "data_folder.h"

#include "data_recovery.h"
#include "file_messages.h"
#include "platform/core/whole_file.h"
#include "texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

// Both are regular files (the caller has made sure): a pipe would wait in open() for a writer that never comes.
bool gleicherInhalt(const QString &a, const QString &b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    return fa.readAll() == fb.readAll();
}

} // namespace

bool ensureDataFolder(const QString &seedFolder, QString *error, QStringList *restored, QStringList *keptLogs)
{
    const int Sprache = screenLanguage();
    auto fehler = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (GetSpecialFolder(5) == nichtDefiniert)
        return fehler(getText(QStringLiteral("Der Dokumentenordner des Benutzers ist nicht bekannt."), Sprache));
    const QString ziel = dataFolder();
    const QDir seed(seedFolder);
    if (seedFolder.isEmpty() || !seed.exists())
        return fehler(meldung(getText(QStringLiteral("Der Ordner der mitgelieferten Daten fehlt:"), Sprache),
                              seedFolder));
    if (!QDir().mkpath(ziel))
        return fehler(meldung(getText(QStringLiteral("Der Datenordner kann nicht angelegt werden:"), Sprache), ziel));

    QDirIterator it(seed.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString quelle = it.next();
        const QString relativ = seed.relativeFilePath(quelle);
        const QString zielDatei = ziel + QLatin1Char('/') + relativ;
        // What the user already has is never replaced, except the texts: the program never writes to the language
        // database, so a copy left by an earlier installation is brought up to the installed one, or its new
        // messages would show as German keys in every other language. Should that fail, the old texts serve.
        if (QFileInfo::exists(zielDatei)) {
            if (relativ != QLatin1String(kLanguageDatabase))
                continue;
            // A pipe, a device or a folder at its name is neither compared nor replaced; it is told as any program
            // file that cannot be opened.
            if (!QFileInfo(zielDatei).isFile())
                return fehler(fileFailureMessage(
                    QStringLiteral("Eine Datei des Programms kann nicht geöffnet werden:"), zielDatei,
                    fileProblemText(notARegularFile(zielDatei), Sprache), Sprache));
            // A log beside it (beside the file a link leads to, where SQLite looks) means another program writes
            // it: it is left as it is.
            if (logsBeside(zielDatei).isEmpty() && !gleicherInhalt(quelle, zielDatei))
                copyWholeFile(quelle, zielDatei);
            continue;
        }
        const QString ordner = QFileInfo(zielDatei).path();
        if (!QDir().mkpath(ordner))
            return fehler(
                meldung(getText(QStringLiteral("Der Datenordner kann nicht angelegt werden:"), Sprache), ordner));
        // The logs of a file that was removed would be played into the fresh copy: they are kept aside first, and
        // put back should the copy fail.
        QStringList logs;
        QString why;
        if (!replaceMissingFile(zielDatei, quelle, &logs, &why))
            return fehler(why);
        if (keptLogs)
            keptLogs->append(logs);
        if (restored)
            restored->append(zielDatei);
    }
    return true;
}
