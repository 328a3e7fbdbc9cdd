#pragma once

#include "platform/core/variant.h"

#include <QString>

// The user-interface text of a German wording in a language (0 de … 5 cs), from the open language table
// (shared rsSprache). Unknown wordings come back unchanged; an empty entry falls back to English.
QString getText(const QString &TextDeutsch, int Sprache);
// Display name of a valve series; empty for an unknown code; "9999" gives the user-defined valve's Bezeichnung.
Variant getVentiltypName(const QString &Ventiltyp, int Sprache);
