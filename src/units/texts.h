#pragma once

#include "platform/core/variant.h"

#include <QList>
#include <QString>
#include <utility>

// The user-interface text of a German wording in a language (0 de … 5 cs), from the open language table
// (shared rsSprache). Unknown wordings come back unchanged; an empty entry falls back to English.
QString getText(const QString &TextDeutsch, int Sprache);
// A language index as one of the six (0 de … 5 cs); German for any other.
int knownLanguage(int Sprache);
// The screen language (shared Sprache) as one of the six; German when the parameters name none of them.
int screenLanguage();
// Display name of a valve series; empty for an unknown code; "9999" gives the user-defined valve's Bezeichnung, or
// the general name of a user-defined valve in that language when it has none.
Variant getVentiltypName(const QString &Ventiltyp, int Sprache);

// The German wording (the getText key) of a valve characteristic, 0 "(mod.) linear", 1 "gleich%", 2 "Auf/Zu";
// empty for any other index.
QString kennlinieKey(int Kennlinie);
// "DN 50, Kvs 25, gleich%": a valve as messages name it, its size and Kvs or Cv in the given units. A size in inch
// stands alone ("2\""), an empty one as DN ""; an unknown characteristic is left out.
QString valveDescription(const QString &DNVentil, int DNunit, float KvsCv, int KvUnit, int Kennlinie, int Sprache);

// The 25 catalogue valve series in the order of the lookup: code and German display name (the getText key), no "9999".
QList<std::pair<QString, QString>> valveSeriesNames();

// Opens the language database as shared dbSprache/rsSprache (table "strings_sprache", index "PrimaryKey"), read
// only. Throws DbError naming the file when it is missing, no database, or lacks the table, index or a language
// column; the previously open language database then stays as it was.
void openLanguageDatabase(const QString &path);
// Closes it; getText then returns every wording unchanged.
void closeLanguageDatabase();
