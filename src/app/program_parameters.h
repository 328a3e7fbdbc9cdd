#pragma once

#include "state/shared_data.h"

#include <QString>
#include <vector>

struct FileItem;

// The program parameters live in the table "_Programmparameter" of the default project file, beside the nine
// project tables, and outlive a run: language, user name, display variant, the main window's place and the
// printout section switches. Failures arrive as DbError naming the file, the table and the column.

// Reads the twelve parameters into the shared data. All or nothing: on a failure nothing changes.
void LoadProgrammParameter(const QString &Pfad, const QString &Datei, SharedData &data = shared());
// Writes the twelve parameters into the first record of the table, leaving every other table alone; a failure
// leaves the file as it was.
void SaveProgrammParameter(const QString &Pfad, const QString &Datei, const SharedData &data = shared());

// The twelve parameters in processing order.
const std::vector<FileItem> &programParameterItems();
