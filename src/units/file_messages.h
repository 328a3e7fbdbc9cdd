#pragma once

#include "platform/core/file_problem.h"

#include <QString>
#include <exception>

class DbError;

// What the user is told about a file that could not be read or written, always in the user's language: the common
// causes (a full disk, no permission or a read-only file, a file held by another program, a damaged file), and for
// a database what is wrong inside the file, with the table, the field and the value concerned.

// The reason for a failure, in the language Sprache.
QString fileProblemText(const FileFailure &failure, int Sprache);
// The reason for an exception out of a file or database operation. A database's failure: its cause, and where it
// lies in the file ("Tabelle: Betriebsdaten, Feld: QMax, Wert: "viel""), unless the cause concerns the file as a
// whole (held by another program, a full disk, ...). The file itself is the caller's to name.
QString failureReason(const std::exception &e, int Sprache);
// The same for a caller that names the file and the table itself, as the status line does ("Datenbankfehler:
// dbKenndaten.mdb, 3264: ..."): the field and the value stay in the reason.
QString failureReasonInTable(const DbError &e, int Sprache);
// The message for a failure that the caller cannot name a file for: a database's failure names its file and the
// reason; anything else gives its reason alone.
QString uncaughtFailureMessage(const std::exception &e, int Sprache);
// The reason a name is taken by a symbolic link to nothing: where it leads, and that nothing is there. The link is
// the caller's to name.
QString linkToNowhereReason(const QString &leadsTo, int Sprache);
// The message that names the file: the lead (a German key, looked up in Sprache), the file, and the reason when
// there is one, each after a line break of its own.
QString fileFailureMessage(const QString &leadKey, const QString &file, const QString &reason, int Sprache);
