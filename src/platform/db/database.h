#pragma once

#include "platform/core/variant.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;

// Typed errors of the recordset layer. Each names the file and, where it applies, the table (and column or index).
class DbError : public std::runtime_error {
public:
    enum class Kind {
        NoSuchFile,
        NotADatabase,
        NoSuchTable,
        NoSuchColumn,
        NoSuchIndex,
        DuplicateKey,
        TypeMismatch,
        NoCurrentRecord,
        ReadOnly,
        Other
    };
    DbError(Kind kind, const QString &file, const QString &table, const QString &message);

    Kind kind() const { return kind_; }
    const QString &file() const { return file_; }
    const QString &table() const { return table_; }
    // A complete sentence for a message box, naming the file and the table.
    const QString &text() const { return text_; }

private:
    Kind kind_;
    QString file_;
    QString table_;
    QString text_;
};

// Declared type of a column; decides what a field gives back (Single gives exactly the stored float).
enum class FieldType { Double, Single, Integer, Long, Boolean, Text, Memo, Variant };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Variant;
};

class Recordset;

// An open database file. Closing happens in the destructor or through close(); recordsets opened on it must not
// outlive it.
class Database {
public:
    enum class Mode { ReadWrite, ReadOnly };

    // Opens an existing file. Throws DbError (NoSuchFile, NotADatabase).
    static std::shared_ptr<Database> open(const QString &path, Mode mode = Mode::ReadWrite);
    // Creates a new empty database file (overwriting nothing: throws if the file exists).
    static std::shared_ptr<Database> create(const QString &path);

    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &path() const { return path_; }
    bool isOpen() const { return db_ != nullptr; }
    void close();

    // Opens a table as a recordset in its stored order (rowid). Throws NoSuchTable.
    std::unique_ptr<Recordset> openTable(const QString &table);

    bool hasTable(const QString &table) const;
    QStringList tableNames() const;
    // Column names of a table in their declared order.
    QStringList columnNames(const QString &table) const;

    // Schema for the data generator and the tests.
    void createTable(const QString &table, const std::vector<FieldDef> &fields);
    void createIndex(const QString &table, const QString &index, const QStringList &columns, bool unique);
    void dropTable(const QString &table);

    // Transactions; nested calls are not supported.
    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const;

    // For the layer itself.
    sqlite3 *handle() const { return db_; }
    [[noreturn]] void fail(DbError::Kind kind, const QString &table, const QString &message) const;

private:
    Database(sqlite3 *db, const QString &path, bool readOnly);
    sqlite3 *db_ = nullptr;
    QString path_;
    bool readOnly_ = false;
};

// A table cursor with an optional index order, as the program's code walks and edits its tables.
// Fields are reached by case-insensitive name. Null is distinct from 0 and "".
class Recordset {
public:
    virtual ~Recordset();

    const QString &table() const;
    QStringList fieldNames() const;
    bool hasField(const QString &name) const;

    // Orders the rows by the named index (its columns, ascending) and moves to the first row. Throws NoSuchIndex.
    void setIndex(const QString &index);
    const QString &index() const;

    // Seeks the first row, in the current index order, whose index columns equal the given values ("="
    // comparison; texts compare exactly). Returns true on a hit; on a miss noMatch() is true and no row is current.
    bool seek(const std::vector<Variant> &keys);
    bool seek(const Variant &key) { return seek(std::vector<Variant>{key}); }
    bool noMatch() const;

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool eof() const;
    bool bof() const;
    long recordCount() const;

    // An independent cursor on the same table and order, positioned on the same row.
    std::unique_ptr<Recordset> clone() const;

    // Reading the current row. Throws NoCurrentRecord at eof/bof, NoSuchColumn for an unknown name.
    Variant field(const QString &name) const;
    Variant operator[](const QString &name) const { return field(name); }

    // Editing: addNew/edit start a buffer, setField writes into it, update stores it (DuplicateKey,
    // TypeMismatch), cancelUpdate drops it. After update of a new row, that row is current.
    void addNew();
    void edit();
    void setField(const QString &name, const Variant &value);
    void update();
    void cancelUpdate();
    bool editing() const;
    // Deletes the current row; the cursor then stands on no row until it is moved.
    void deleteRecord();

    void close();

    struct Impl;

protected:
    friend class Database;
    explicit Recordset(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};
