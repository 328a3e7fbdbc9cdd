#pragma once

#include <QString>
#include <QStringList>

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
// brought up to the seed's when the two differ (the old one serves if that fails, or while a log lies beside it).
// Before a copy takes the place of a file that had gone, the logs that lay beside it are kept aside
// (replaceMissingFile), and put back should the copy fail. Returns false with a message naming the folder
// or file when that fails, also when the seed folder or the documents folder is missing, and when the language
// database is no regular file (it is left alone).
// *restored, when given, receives the paths of the files copied because the data folder lacked them, *keptLogs
// the logs kept aside.
bool ensureDataFolder(const QString &seedFolder, QString *error, QStringList *restored = nullptr,
                      QStringList *keptLogs = nullptr);

// Sets the program folder (tests, or an installation that keeps its files elsewhere); an empty path restores the
// folder of the executable.
void setProgramFolder(const QString &folder);
