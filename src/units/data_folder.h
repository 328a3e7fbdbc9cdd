#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <stdexcept>

// Path of a special folder of the user (5: the personal documents folder), or " - nicht definiert - ".
QString GetSpecialFolder(int CSIDL);

// The program's data folder: "Quendra" in the user's documents folder; empty when that folder is not known.
QString dataFolder();
// Full path of a file in the data folder; empty when the data folder is not known.
QString dataFile(const QString &fileName);
// The program folder (templates, pictures): the folder of the executable.
QString programFolder();

// The language database in the data folder: the program's own texts, never written by the program.
inline constexpr char kLanguageDatabase[] = "dbSprache.mdb";

// Creates the data folder if missing and copies every file of the seed folder (and its subfolders) that the data
// folder lacks, as writable copies; never overwrites a file the user has, except that the language database is
// brought up to the seed's when the two differ (the old one serves if that fails). Returns false with a message naming the
// folder or file when that fails, also when the seed folder or the documents folder is missing.
// *restored, when given, receives the paths of the files copied because the data folder lacked them.
bool ensureDataFolder(const QString &seedFolder, QString *error, QStringList *restored = nullptr);

// Whether a failure to open or read a file of the data folder may be mended by the seed's copy: the file is gone,
// or its contents are not what they must be (no database, damaged pages, a table, column or value the program needs
// missing or unusable). A file held by another program, one the user may not read or write, a full disk or any
// other fault of the system is not: the file is left as it is.
bool seedMayReplace(const std::exception &failure);

// Keeps a file of the data folder beside itself under its name and today's date ("dbKenndaten 2026-12-07.mdb",
// numbered when taken), together with its journal, write-ahead log and log index, which belong to it alone: moved
// with it, the kept file reads as it stood, and the fresh copy never meets another file's log. The seed's file of
// that name then takes its place. *kept: the kept file, empty when there was none. False, with *why in the screen
// language and every file back where it was, when the folder does not allow that.
bool keepAndReplaceFromSeed(const QString &path, QString *kept, QString *why);

// What the user is told of a file replaced by the seed's copy: the lead (German keys, like every key below), the
// sentence on the replacement, and what of the user's own the kept file holds (empty: nothing).
struct RecoveryTexts {
    QString leadKey;
    QString replacedKey;
    QString noteKey;
};

// A file of the data folder that could not be replaced: the reason of the failure and of the replacement, in the
// screen language.
class RecoveryFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs `open` on a file of the data folder. When it fails because the file is damaged (seedMayReplace),
// `release` closes the program's own handles on the file, the file is kept aside and replaced from the seed, `tell`
// receives one message naming both (none for a file that had gone), and `open` runs once more. Any other failure is
// thrown on as it came; a failed replacement throws RecoveryFailure, and the second open's failure is thrown on.
void openRecovering(const QString &path, const RecoveryTexts &texts, const std::function<void()> &open,
                    const std::function<void()> &release, const std::function<void(const QString &)> &tell);

// Sets the program folder (tests, or an installation that keeps its files elsewhere); an empty path restores the
// folder of the executable.
void setProgramFolder(const QString &folder);
