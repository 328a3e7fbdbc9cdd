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

// Converts a value to what a column of the type stores. False (with a reason) when it does not fit.
bool toStored(FieldType type, const Variant &in, Variant *out, QString *why);
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

// The columns of a table that exists, by its name in the file.
std::shared_ptr<const TableShape> shapeOf(const Database *db, const QString &actualTable);
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
    // Bumped by every write of this connection and every commit of another one; cursors compare it with the
    // generation of their cached row order.
    quint64 generation = 1;
    sqlite3_stmt *dataVersion = nullptr;
    long long lastDataVersion = -1;

    void touch() { ++generation; }
    // Also notices commits of other connections to the same file.
    quint64 checkedGeneration(sqlite3 *db);

    // Prepared statements kept for reuse by their text: preparing costs more than running the small statements
    // of this layer. A kept statement still reads the file anew at every run, and SQLite prepares it again by
    // itself when the schema changed, so no kept statement can give an old answer.
    sqlite3_stmt *takeStatement(sqlite3 *db, const QString &sql, int *rc);
    void giveBack(const QString &sql, sqlite3_stmt *st);
    void finalizeStatements();
    QHash<QString, std::vector<sqlite3_stmt *>> statements;
    int kept = 0;

    // Table names as asked (empty: no such table) and the shapes of tables, kept while the schema is unchanged:
    // its cookie grows with every committed change of the schema by any connection. Inside a transaction, where
    // an uncommitted change could be rolled back and the cookie return to a value seen before, nothing is kept
    // and the file is asked; schemaUnchanged is then false.
    bool schemaUnchanged(const Database *db);
    long long schemaVersion = -1;
    QHash<QString, QString> tableNames;
    QHash<QString, std::shared_ptr<const dbi::TableShape>> tableShapes;

    bool wal = false;
    int fullSynchronous = -1; // the connection's own setting, restored after a Deferred transaction
    bool deferred = false;    // the running transaction commits without waiting for the disk
};
