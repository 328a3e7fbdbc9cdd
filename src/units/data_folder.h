#pragma once

#include <QString>

// Path of a special folder of the user (5: the personal documents folder), or " - nicht definiert - ".
QString GetSpecialFolder(int CSIDL);

// The program's data folder: "Quendra" in the user's documents folder; empty when that folder is not known.
QString dataFolder();
// Full path of a file in the data folder; empty when the data folder is not known.
QString dataFile(const QString &fileName);
// The program folder (templates, pictures): the folder of the executable.
QString programFolder();

// Creates the data folder if missing and copies every file of the seed folder (and its subfolders) that the data
// folder lacks, as writable copies; never overwrites a file the user has. Returns false with a message naming the
// folder or file when that fails, also when the seed folder or the documents folder is missing.
bool ensureDataFolder(const QString &seedFolder, QString *error);

// Sets the program folder (tests, or an installation that keeps its files elsewhere); an empty path restores the
// folder of the executable.
void setProgramFolder(const QString &folder);
