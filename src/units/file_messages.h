#pragma once

#include "platform/core/file_problem.h"

#include <QString>
#include <exception>

// What the user is told about a file that could not be read or written: the common causes (a full disk, no
// permission or a read-only file, a file held by another program, a damaged file) in the screen language, the
// system's own words only for the rest.

// The reason for a failure, in the language Sprache.
QString fileProblemText(const FileFailure &failure, int Sprache);
// The reason for an exception out of a file or database operation: a DbError by its cause, or by its own text when
// the cause is none of the common ones; any other exception by its text.
QString failureReason(const std::exception &e, int Sprache);
// The message for a failure no command caught: a database's failure names its file and the reason.
QString uncaughtFailureMessage(const std::exception &e, int Sprache);
// The message that names the file: the lead (a German key, looked up in Sprache), the file, and the reason when
// there is one, each after a line break of its own.
QString fileFailureMessage(const QString &leadKey, const QString &file, const QString &reason, int Sprache);
