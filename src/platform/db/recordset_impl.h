#pragma once

// The cursor behind Recordset; shared between database.cpp and recordset.cpp only.

#include "db_internal.h"

#include <QHash>
#include <vector>

struct Recordset::Impl {
    enum class At { Row, Bof, Eof, Empty, Deleted };
    enum class Pending { None, New, Existing };

    Impl(Database *database, const QString &actualTable, std::shared_ptr<const dbi::TableShape> shape);
    ~Impl();
    Impl(const Impl &) = delete;
    Impl &operator=(const Impl &) = delete;

    // The database closes: statements go, later calls throw.
    void detach();
    Database *requireDb() const
    {
        if (!db || !db->isOpen())
            failClosed();
        return db;
    }
    [[noreturn]] void failClosed() const;
    [[noreturn]] void fail(DbError::Kind kind, const QString &message) const;

    int column(const QString &name) const; // throws NoSuchColumn
    // Throws NoSuchColumn for a position outside the fields.
    void requireColumn(int index) const
    {
        if (index < 0 || index >= int(fields.size()))
            failColumn(index);
    }
    [[noreturn]] void failColumn(int index) const;
    void setIndex(const QString &index);
    bool seek(const std::vector<Variant> &keys);

    // Re-reads the rows when something was written; `full` also looks for other connections' commits, unless the
    // caller has just `looked` at the file.
    void ensureRows(bool full, bool looked = false);
    // The rows in generation gen; rows kept by the database are taken only when the generation was `checked`.
    void loadRows(bool checked, quint64 gen);
    const QString &selectText();
    const QHash<QString, int> &seekMap(int keyCount);
    void place(int pos); // Row at pos, or Eof/Bof beyond the ends
    void moveFirst(bool looked = false);
    void moveLast();
    void moveNext();
    void movePrevious();
    bool eof();
    bool bof();
    long recordCount();
    // Position of a row id in the current order, or -1.
    int positionOfRow(long long id);
    long long bookmark();
    void moveToBookmark(long long id);

    const std::vector<Variant> &currentRow();
    const Variant &field(int index);

    void addNew();
    void edit();
    void setField(int index, const Variant &value);
    // The value as column c stores it (setField's conversion); TypeMismatch naming the field and the value where
    // it does not fit.
    Variant stored(int c, const Variant &value) const;
    void update();
    // The INSERT (New) or UPDATE (Existing) of the given columns.
    QString writeText(Pending kind, const std::vector<int> &cols) const;
    void cancelUpdate() { pending = Pending::None; buffer.clear(); dirty.clear(); }
    void deleteRecord();
    void requireWritable() const;

    std::unique_ptr<Impl> clone() const;

    // The row-reading statement of the current order, from the database's pool.
    sqlite3_stmt *prepareSelect();
    void finalizeAll();

    Database *db = nullptr;
    QString file;
    QString table;
    std::shared_ptr<const dbi::TableShape> shape;
    QString quotedTable;
    std::vector<FieldDef> fields;
    QHash<QString, int> byName;   // exact names
    QHash<QString, int> byFolded; // case-folded names

    QString indexName;
    std::vector<int> indexColumns;
    bool firstRowOnly = false; // the recordset sees only the first row of its order

    // The whole table in the current order, read in one statement: the tables walked here are small, and a read
    // per row would cost a file lock each. Never changed once read: clones and later recordsets share it.
    std::shared_ptr<const dbi::RowSet> rowSet;
    const std::vector<long long> &rows() const { return rowSet->ids; }
    quint64 rowsGeneration = 0;
    std::vector<QHash<QString, int>> seekMaps; // by number of keys: key text -> first position
    std::vector<bool> seekMapsValid;
    QHash<long long, int> positionOf;
    bool positionsValid = false;

    At at = At::Empty;
    int pos = -1;
    long long rowid = 0;
    bool noMatch = false;

    Pending pending = Pending::None;
    long long lastStored = 0; // row id the last update of this cursor wrote, 0 before any
    std::vector<Variant> buffer;
    std::vector<bool> dirty;
    // The statement text of the last update and what it was made for.
    Pending writePending = Pending::None;
    std::vector<int> writeColumns;
    QString writeSql;

    sqlite3_stmt *selectRows = nullptr;
    QString selectSql; // the text of the current order's statement, made at its first use
};
