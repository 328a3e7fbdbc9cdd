#pragma once

#include "platform/core/file_problem.h"

#include <QFileDevice>
#include <QString>
#include <QStringList>

// Save as completes a new project file under a temporary name beside the target (".Quendra.saving-XXXXXX.vls",
// whatever the target's name, so that any name the folder takes for the project can be saved). A save that is
// killed leaves that file, perhaps with its journal, behind; the next Save as into the folder removes such
// leftovers, and nothing else: only files of exactly this naming (".Name.saving-XXXXXX.vls") that no running save
// holds.

// The name pattern for QTemporaryFile.
QString saveTemporaryTemplate(const QString &folder);
// Whether the folder's file system takes the names a save of `base` makes: the project's and the temporary's, each
// with its journal. The temporary file is made without a name first, so a name too long shows only once the file
// is missing.
bool saveNamesFit(const QString &folder, const QString &base);
// True for a file name of that naming, or the journal of one.
bool isSaveTemporaryName(const QString &fileName);
// Marks an open temporary file as held by a running save until it is closed; the system releases the mark when the
// process ends, however it ends. False when the mark cannot be set.
bool holdSaveTemporary(QFileDevice &file);
// Gives the finished temporary file the target's name; never over anything that stands under that name, even one
// that appeared in the meantime.
FileFailure nameSaveTemporary(const QString &temporary, const QString &target);
// Removes the leftovers of killed saves from a folder and returns the names removed.
QStringList removeStaleSaveTemporaries(const QString &folder);
