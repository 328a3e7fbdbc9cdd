#pragma once

#include "platform/db/database.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// The fluid database "dbStoffdaten.mdb" of the data folder as the fluid dialogs use it: each dialog opens its own
// handle and table cursor when it loads and closes them when it unloads.
namespace fluiddb {

// The table of a screen language: base name and "_d", "_e", "_f", "_i", "_s" or "_cz" for Sprache 0 to 5; empty
// for any other language.
QString tableName(const QString &base, int Sprache);

QString databasePath();

// Opens the file (shared, for reading and writing) and the table of the screen language, and checks that the
// table holds the columns given. Throws DbError naming the file and the table.
void open(const QString &base, int Sprache, const QStringList &columns, std::shared_ptr<Database> &db,
          std::unique_ptr<Recordset> &rs);

// The loading of a fluid dialog's table: opens it, deletes the records without a name and lets `fill` list the
// others. When the table cannot be opened or read the user is told and both handles are left empty.
void loadTable(const QString &base, const QStringList &columns, std::shared_ptr<Database> &db,
               std::unique_ptr<Recordset> &rs, const std::function<void()> &fill);

// Deletes every record whose SUBSTANZ is Null, walking from the first record to the end.
void purge(Recordset &rs);

// Moves from the first record to the first whose SUBSTANZ equals the name; false (at the end) when none does.
bool findByName(Recordset &rs, const QString &name);

// Whether the current record holds a number in each of the columns.
bool numbersPresent(const Recordset &rs, const QStringList &columns);

// Whether an ideal gas's stored isentropic exponent, norm density and density unit (0 kg/m3, 1 lb./cu.ft.) are a
// gas that can be handed on: numbers within the physical limits and a unit of the list.
bool idealGasPossible(const Variant &Kappa, const Variant &RHON, const Variant &RHOUNIT);

// One message box naming the file: the table could not be opened, or a change could not be stored.
void reportOpenFailure(const DbError &error);
void reportWriteFailure(const DbError &error);
// The duplicate name of a save.
void reportDuplicate();

// Walks stop here at the latest, whatever the table claims.
constexpr long kStepLimit = 1000000;

} // namespace fluiddb
