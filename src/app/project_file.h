#pragma once

#include "platform/core/variant.h"
#include "platform/db/database.h"
#include "state/shared_data.h"

#include <QString>
#include <variant>
#include <vector>

// Project files (".vls"): nine tables of one record each whose columns are named after the shared data they hold.
// Every operation opens the file for the one call and closes it again; failures arrive as DbError, naming the file
// and the table (and column where there is one).

// Pfad/Datei.vls
QString projectFilePath(const QString &Pfad, const QString &Datei);

// Reads the nine tables of the project file into the shared data, with the fluid-data flags. All or nothing: every
// value is read, converted and checked (unit indices inside their lists, a known valve series, no Null in a typed
// column, and only values a save can write: the mode of a sheet, each medium in its own state, given valve and pipe
// sizes, a user-defined valve its dialog would store) before any item is assigned, so after a failure the data are
// as they were. Database handles and other state are never touched.
void LoadParameter(const QString &Pfad, const QString &Datei, SharedData &data = shared());

// Writes the 134 items and the fluid-data flags into the first record of each of the nine tables of an existing
// file, in one transaction: a failure leaves the file as it was. Adds no table, record or file; a file without the
// flags' columns gets them.
void SaveParameter(const QString &Pfad, const QString &Datei, const SharedData &data = shared());

// ---- The typed items of project and parameter files (used by both and by their tests)

// D 64-bit float, F 32-bit float, I 16-bit integer (halves to even), B Boolean (-1/0), S text (never Null),
// V variant value stored and loaded unchanged (an Empty value is stored as Null).
enum class ItemType { D, F, I, B, S, V };

// The alternatives are in ItemType order.
using ItemMember = std::variant<double SharedData::*, float SharedData::*, int SharedData::*, bool SharedData::*,
                                QString SharedData::*, Variant SharedData::*>;

struct FileItem {
    QString table;
    QString column; // also the name of the shared item
    ItemMember member;
    ItemType type() const { return static_cast<ItemType>(member.index()); }
};

// The 134 project items, table by table, in processing order.
const std::vector<FileItem> &projectItems();
// The nine project tables in processing order.
const QStringList &projectTables();
// Whether a wizard medium's data are current, and which columns its last hand-over computed: Boolean columns of
// "Parameter" beside the 134 items, which readers of older files pass by. A file without them counts them true.
const std::vector<FileItem> &projectFlags();
// The project items and flags of a loaded copy become the shared data.
void takeProjectItems(SharedData &to, const SharedData &from);

namespace fileitems {
// The value of a column converted to its item's type (Variant of Double, Single, Int, Bool or String; V as stored).
// Throws DbError (TypeMismatch) naming file, table and column when the value does not fit.
Variant read(const Recordset &rs, const FileItem &item, const QString &path);
// The item's current value as it is written to its column; throws when it cannot be stored (I outside 16 bits,
// D or F not finite).
Variant toColumn(const SharedData &data, const FileItem &item, const QString &path);
// Assigns a value produced by read() to the item.
void assign(SharedData &data, const FileItem &item, const Variant &value);
// Compares an item of two data sets (V by type and value, F and D exactly).
bool equal(const SharedData &a, const SharedData &b, const FileItem &item);
// Throws DbError (ReadOnly) when the file may not be written: even a privileged user must not overwrite a file the
// user marked read-only.
void checkWritable(const QString &path);
// Opens a project or parameter file for a load: an interrupted save is undone first (see Database::open), and a
// damaged file is refused (NotADatabase) before anything is read. Every page is checked in files of up to
// kPagesCheckedAtLoad bytes (a project file has some 40 KB; the check of a full megabyte of small records takes
// some 10 ms). Larger files, which this program never writes, get the structure check only, so that a load costs
// the same whatever a table holds; their pages are checked before a save writes into them.
std::shared_ptr<Database> openForLoad(const QString &path);
constexpr qint64 kPagesCheckedAtLoad = 1024 * 1024;
// Opens a table of a project or parameter file on its one record for a load. A table without it is damage, as a
// missing table is (NoCurrentRecord, Damaged).
std::unique_ptr<Recordset> openRecord(Database &db, const QString &table, const QString &path);
// Refuses (NotADatabase) to write into a damaged file; called inside the save's transaction.
void checkBeforeSave(const Database &db);
} // namespace fileitems
