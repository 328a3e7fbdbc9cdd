#pragma once

#include "platform/core/file_problem.h"

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <stdexcept>

// What becomes of a file of the data folder that failed to open or read. The kind of problem alone decides.
enum class Remedy {
    // The file is gone, or its contents are not what they must be (no database, damaged pages, a table, column,
    // index or record the program reads missing, a value no save writes): kept aside, the seed's copy takes its
    // place.
    FreshCopy,
    // Another program holds it, the user may not read or write it, the disk is full or failing, something other
    // than a regular file stands at its name, or the cause is not known: the file stays as it is.
    LeaveAlone,
};
Remedy remedyFor(FileProblem problem);
// A database failure by its problem; any other failure leaves the file alone.
Remedy remedyFor(const std::exception &failure);

// What a recovery moved aside: the file itself (empty when it had gone) and the journal, write-ahead log and log
// index that lay beside it, each under the dated name of the file ("dbKenndaten 2026-12-07.mdb-wal").
struct KeptFiles {
    QString file;
    QStringList logs;
    bool empty() const { return file.isEmpty() && logs.isEmpty(); }
};

// The journal, write-ahead log and log index of a file, where SQLite looks for them: beside it, or beside the file
// a symbolic link at `path` leads to.
QStringList logsBeside(const QString &path);

// Sets aside the journal, write-ahead log and log index that lie at the name of a file that is not there, before a
// new file takes the name: SQLite would play them into it. They are kept under the file's dated name; *keptLogs
// receives their paths (none when there were none). False, with *why in the screen language and every log back where
// it was, when one cannot be moved, or, before anything moves, when anything stands at the name by then (a file that
// has appeared, a link, also one to nowhere) or anything but a regular file at a log's name.
bool setAsideLogs(const QString &path, QStringList *keptLogs, QString *why);

// Copies `source` into the place of a file of the data folder that has gone, after setting aside the journal,
// write-ahead log and log index that lie beside its name: SQLite would play them into the fresh copy. They are kept
// under the file's dated name; *keptLogs receives their paths (none when there were none). False, with *why in the
// screen language and every log back where it was, when one cannot be moved or the copy fails.
bool replaceMissingFile(const QString &path, const QString &source, QStringList *keptLogs, QString *why);

// Keeps a file of the data folder beside itself under its name and today's date (numbered when taken), together
// with its journal, write-ahead log and log index, which belong to it alone: moved with it, the kept file reads as
// it stood, and the fresh copy never meets another file's log. The seed's file of that name then takes its place.
// Nothing is moved while another program writes the file: its write lock is taken first and held until the file
// has been moved. False, with *why in the screen language and every file back where it was, when the file is held
// or the folder does not allow that.
bool keepAndReplaceFromSeed(const QString &path, KeptFiles *kept, QString *why);

// What the user is told of a file replaced by the seed's copy: the lead (German keys, like every key below), the
// sentence on the replacement, and what of the user's own the kept file holds (empty: nothing).
struct RecoveryTexts {
    QString leadKey;
    QString replacedKey;
    QString noteKey;
};

// A file of the data folder that could not be replaced: the reason of the failure and of the replacement, in the
// screen language. Every file is back where it was.
class RecoveryFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs `open` on a file of the data folder. When it fails and the remedy is a fresh copy, `release` closes the
// program's own handles on the file, the file is kept aside and replaced from the seed, `tell` receives one message
// naming both (for a file that had gone, only when logs lay beside it), and `open` runs once more. Any other failure
// is thrown on as it came; a failed replacement throws RecoveryFailure, and the second open's failure is thrown on.
void openRecovering(const QString &path, const RecoveryTexts &texts, const std::function<void()> &open,
                    const std::function<void()> &release, const std::function<void(const QString &)> &tell);

// The message on files the data folder lacked and that were copied from the seed, naming the folder and the files,
// and the logs that lay beside them and were kept aside; in the language Sprache.
QString restoredFilesMessage(const QString &folder, const QStringList &restored, const QStringList &keptLogs,
                             int Sprache);
