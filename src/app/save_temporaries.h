#pragma once

#include "platform/core/file_problem.h"

#include <QFileDevice>
#include <QString>
#include <QStringList>

// Save as completes a new project file under a temporary name beside the target (".Name.saving-XXXXXX.vls"). A
// save that is killed leaves that file, perhaps with its journal, behind; the next Save as into the folder removes
// such leftovers, and nothing else: only files of exactly this naming that no running save holds.

// The name pattern for QTemporaryFile.
QString saveTemporaryTemplate(const QString &folder, const QString &base);
// Whether the folder's file system takes the temporary name of a save of `base` (longer than the target's own);
// the temporary file is made without a name first, so a name too long shows only once the file is missing.
bool saveTemporaryNameFits(const QString &folder, const QString &base);
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
