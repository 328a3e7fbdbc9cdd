#pragma once

// Shared between database.cpp and recordset.cpp only.

#include "database.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QHash>

#include <memory>

namespace dbi {

QString quoted(const QString &identifier);
QByteArray utf8(const QString &s);
QString columnText(sqlite3_stmt *st, int col);

FieldType typeFromDeclared(const QString &declared);
QString declaredType(FieldType type);

// Converts a value to what a column of the type stores. False (with a reason, and what is wrong with the value)
// when it does not fit.
bool toStored(FieldType type, const Variant &in, Variant *out, QString *why, DbError::Fault *fault = nullptr);
void bind(sqlite3_stmt *st, int index, const Variant &v);
Variant read(FieldType type, sqlite3_stmt *st, int col);

// Maps an SQLite result code to the layer's kind of error.
DbError::Kind kindOf(int rc, int extended);
// The cause behind an SQLite result code; for an input/output error, the system's error of the connection (db may
// be null).
FileProblem problemOf(sqlite3 *db, int rc);

// A statement of the database's pool (see Database::Private), handed back to it, reset, when the object goes.
class PooledStatement {
public:
    PooledStatement(const Database *db, const QString &sql, int *rc);
    ~PooledStatement();
    PooledStatement(const PooledStatement &) = delete;
    PooledStatement &operator=(const PooledStatement &) = delete;
    sqlite3_stmt *get() const { return st_; }
    operator sqlite3_stmt *() const { return st_; }

private:
    const Database *db_;
    QString sql_;
    sqlite3_stmt *st_ = nullptr;
};

// A statement that finalizes itself.
class Statement {
public:
    Statement() = default;
    Statement(sqlite3 *db, const QString &sql, int *rc);
    ~Statement() { sqlite3_finalize(st_); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    sqlite3_stmt *get() const { return st_; }
    operator sqlite3_stmt *() const { return st_; }

private:
    sqlite3_stmt *st_ = nullptr;
};

bool sameName(const QString &a, const QString &b);
QString actualTableName(const Database *db, const QString &table); // empty when missing
// The same after the caller's own look at the schema (Database::Private::schemaUnchanged gave `kept`).
QString actualTableName(const Database *db, const QString &table, bool kept);
QString physicalIndexName(const QString &table, const QString &index);

struct IndexInfo {
    QString name;     // as given to createIndex
    QString physical; // the name in the file
    QStringList columns;
    bool unique = false;
};
std::vector<IndexInfo> indexesOf(const Database *db, const QString &actualTable);
// What a cursor needs of a table's columns: their definitions, their indexes by exact and by case-folded name,
// and the texts of a statement that reads its rows.
struct TableShape {
    std::vector<FieldDef> fields;
    QHash<QString, int> byName;
    QHash<QString, int> byFolded;
    QString quotedTable;
    QString columnList; // ", "a", "b", …
};
TableShape makeShape(const QString &actualTable, std::vector<FieldDef> fields);

// The rows of a table as one statement read them: row ids and values in the statement's order.
struct RowSet {
    std::vector<long long> ids;
    std::vector<std::vector<Variant>> values;
};

// The columns of a table that exists, by its name in the file.
std::shared_ptr<const TableShape> shapeOf(const Database *db, const QString &actualTable);
std::shared_ptr<const TableShape> shapeOf(const Database *db, const QString &actualTable, bool kept);
std::vector<FieldDef> columnsOf(const Database *db, const QString &actualTable);

// Throws the DbError of the connection's last failure.
[[noreturn]] void failSqlite(const Database *db, const QString &table, const QString &what);
// A walk over rows that ended on anything but their end throws that failure: a file that cannot be read gives no
// empty answer (a table or column that seems missing).
void requireDone(const Database *db, int step, const QString &table);
// Runs a schema or transaction statement; cursors re-read their rows afterwards.
void exec(Database *db, const QString &table, const QString &sql);

} // namespace dbi

struct Database::Private {
    std::vector<Recordset::Impl *> cursors;
    // Bumped by every change this connection makes or notices; cursors compare it with the generation their rows
    // were read in. A write through a recordset or clearTable that changed its own table only concerns that table;
    // anything else (a schema statement, a rollback, a failed statement, which may have taken back the whole
    // transaction, a write that also changed other rows through a trigger or a foreign key, another connection's
    // commit, anything done on the connection around the layer) may concern every table.
    quint64 generation = 1;
    quint64 everyTableChanged = 1; // the generation of the last change that may concern every table
    // The generation of each table's last write, by its name in the file case-folded: a recordset opened before
    // the name changed case (the table made anew, or renamed) still writes that table.
    QHash<QString, quint64> tableChanged;
    long long lastDataVersion = -1;
    long long lastTotalChanges = -1;
    long long lastSchemaSeen = -1;
    bool transactionAtLook = false; // whether a transaction ran at the last look, or as the layer left it since

    void touch() { everyTableChanged = ++generation; }
    // Around a write through the layer to one table: totalBefore is the connection's count of changed rows before
    // it. When rows were changed around the layer since the last look, or the write changed rows beyond its own
    // statement, every table counts as changed.
    void wrote(sqlite3 *db, const QString &table, long long totalBefore);
    // True when the table's rows read in generation `read` are still those of the file.
    bool unchangedSince(const QString &table, quint64 read) const
    {
        return read != 0 && everyTableChanged <= read && tableChanged.value(table.toCaseFolded()) <= read;
    }
    // Also notices commits of other connections to the same file, and rows written on this connection around the
    // layer.
    quint64 checkedGeneration(sqlite3 *db);
    // Reads the file's data and schema versions at one lock of the file, so that one look serves schemaUnchanged
    // and checkedGeneration both (every read of the file costs a lock and an unlock), and notices what was done
    // on the connection around the layer: rows written, the schema changed, a transaction begun or ended. False
    // when the file could not be asked.
    bool look(sqlite3 *db);
    sqlite3_stmt *dataVersion = nullptr;
    sqlite3_stmt *schemaCookie = nullptr;

    // Rows a recordset read, for the next one that reads the same statement on the same columns (their types
    // convert the values) while its table is unchanged: a sizing run opens the same small tables several times.
    // Only a few statements' rows are kept (a recordset's own rows stay with it regardless).
    std::shared_ptr<const dbi::RowSet> keptRows(const QString &sql, const QString &table,
                                                const std::shared_ptr<const dbi::TableShape> &shape) const;
    void keepRows(const QString &sql, const QString &table, const std::shared_ptr<const dbi::TableShape> &shape,
                  quint64 read, const std::shared_ptr<const dbi::RowSet> &rows);
    struct KeptRows {
        QString table;
        std::shared_ptr<const dbi::TableShape> shape;
        quint64 read = 0;
        std::shared_ptr<const dbi::RowSet> rows;
    };
    QHash<QString, KeptRows> rowSets;

    // Prepared statements kept for reuse by their text: preparing costs more than running the small statements
    // of this layer. A kept statement still reads the file anew at every run, and SQLite prepares it again by
    // itself when the schema changed, so no kept statement can give an old answer.
    sqlite3_stmt *takeStatement(sqlite3 *db, const QString &sql, int *rc);
    void giveBack(const QString &sql, sqlite3_stmt *st);
    void finalizeStatements();
    QHash<QString, std::vector<sqlite3_stmt *>> statements;
    int kept = 0;

    // Table names as asked (empty: no such table) and the shapes of tables, kept while the schema is unchanged:
    // its version grows with every committed change of the schema by any connection. Inside a transaction the
    // version includes the transaction's own changes, which a rollback takes back, after which another change can
    // reach the same version with another schema: there, only the committed version seen at the last look outside
    // a transaction vouches for what is kept, and under any other the file is asked and nothing is kept.
    bool schemaUnchanged(const Database *db);
    long long schemaVersion = -1; // the committed version the kept names and shapes belong to
    bool schemaKept = false;      // the last look found that version in force
    QHash<QString, QString> tableNames;
    QHash<QString, std::shared_ptr<const dbi::TableShape>> tableShapes;

    bool wal = false;
    int fullSynchronous = -1; // the connection's own setting, restored after a Deferred transaction
    bool deferred = false;    // the running transaction commits without waiting for the disk
};
