#pragma once

#include <QString>
#include <functional>
#include <memory>

class Database;
class Recordset;

// The characteristic database as New, Open, Load default and the valve-series menu open it.

// The catalogue with the table of one series, its index set.
struct OpenedCatalogue {
    std::shared_ptr<Database> db;
    std::shared_ptr<Recordset> rsVentil;
};

// Checks an open catalogue for everything the sheets, the recalculations and the tools read: every table and
// index on a b-tree of its own; the work table "_aktuell" and the table of each series (the user-defined valve's
// "9999" too) with every column of a candidate row; each series' table with its index and at least one row. Throws
// DbError naming the file, the table and what is missing: TableMissing for a table, column or index, Damaged for a
// table without rows.
void checkCatalogue(Database &db);

// Opens the catalogue of the data folder, checked (checkCatalogue), and the table of `Ventiltyp` with its index.
// A damaged catalogue is kept aside and replaced from the seed, and `tell` receives one message naming both and the
// user-defined valve that only the kept file holds; the program's own handles on the file (shared dbKenndaten and
// rsVentil) are closed for that. Throws what cannot be mended: a file held by another program, unreadable or no
// regular file (DbError), a failed replacement (RecoveryFailure, every file back where it was, the program's
// handles open again).
OpenedCatalogue openCatalogue(const QString &Ventiltyp, const std::function<void(const QString &)> &tell);

// Makes an opened catalogue the shared dbKenndaten and rsVentil.
void takeCatalogue(OpenedCatalogue &&catalogue);

// Opens the shared dbKenndaten and rsVentil again on the catalogue as it now is, for the current series, after a
// command closed them to set the file aside and then ended without taking new ones; left closed when that fails
// (a recalculation then says that there are no valve data).
void reopenSharedCatalogue();
