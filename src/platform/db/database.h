#pragma once

#include "platform/core/file_problem.h"
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
    // What is wrong with a value that a column was to give or take (TypeMismatch, and a value no file of the
    // program holds); None when the kind says all.
    enum class Fault {
        None,
        NoValue,    // Null or empty where a value is needed
        NotANumber, // a text that does not read as a number
        NotFinite,  // an infinite number, or one that is not a number at all
        OutOfRange, // a number the column's type cannot hold
        NotBoolean, // neither a number nor True or False
        NotAllowed  // a value of the right type that the program knows no meaning for
    };
    // problem None: the cause that the kind implies (a damaged, read-only or missing file, a missing table), else
    // Other.
    DbError(Kind kind, const QString &file, const QString &table, const QString &message,
            FileProblem problem = FileProblem::None);
    // The column concerned (for NoSuchIndex, the index), for a message that names it.
    DbError &inColumn(const QString &column);
    // The value concerned, as text, and what is wrong with it.
    DbError &withValue(Fault fault, const QString &value);
    // The companion of the file concerned (its journal, write-ahead log or log index), for a message that names it.
    DbError &atCompanion(const QString &companion);

    Kind kind() const { return kind_; }
    // What the user can act on: a full disk, no permission, a file held by another program, a damaged file; Other
    // when text() alone tells.
    FileProblem problem() const { return problem_; }
    const QString &file() const { return file_; }
    const QString &table() const { return table_; }
    const QString &column() const { return column_; }
    // Empty when the file itself is concerned.
    const QString &companion() const { return companion_; }
    Fault fault() const { return fault_; }
    // Null when the error concerns no particular value.
    const QString &value() const { return value_; }
    // A complete sentence for a message box, naming the file and the table.
    const QString &text() const { return text_; }
    // The classic desktop engine's number for the kind (3022 duplicate key, 3021 no current record, 3024 file
    // not found, 3078 table not found, 3265 field not found, 3800 index not found, 3343 not a database, 3421 type
    // mismatch, 3027 read-only, 3000 other), for messages that show number and text.
    int number() const;

private:
    Kind kind_;
    FileProblem problem_;
    QString file_;
    QString table_;
    QString column_;
    QString companion_;
    Fault fault_ = Fault::None;
    QString value_;
    QString text_;
};

// Declared type of a column; decides what a field gives back (Single gives exactly the stored float).
// In the file the types are declared as DOUBLE, SINGLE, SMALLINT (16-bit), LONG (32-bit), BOOLEAN (-1/0), TEXT,
// LONGTEXT (memo) and no declared type at all (Variant: the value keeps its own kind, a text stays a text).
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

    // Opens an existing file. Throws DbError (NoSuchFile, NotADatabase). The file and its companions must be regular
    // files (a companion may be absent), or NoSuchFile with NotRegularFile is thrown and nothing is opened: a pipe
    // would hold the open for good. A companion the user may not read is named too (problem NoPermission).
    // A write that was interrupted (a killed program) leaves a journal beside the file; the next open undoes the
    // half-written change from it. Read-only opens do that too, through a short read-write open, when the file and
    // its folder may be written; otherwise they throw ReadOnly naming the journal, and the file stays as it is.
    static std::shared_ptr<Database> open(const QString &path, Mode mode = Mode::ReadWrite);
    // Creates a new empty database file (overwriting nothing: throws if the file exists).
    static std::shared_ptr<Database> create(const QString &path);
    // The companions SQLite opens with a file as it finds them: the journal of an unfinished save, the write-ahead
    // log and its index (FILE-journal, FILE-wal, FILE-shm), beside the file a symbolic link at `path` leads to.
    static QStringList companionsOf(const QString &path);
    static const QStringList &companionSuffixes();
    // Throws DbError (NoSuchFile, NotRegularFile, naming the companion) when something other than a regular file
    // stands at a companion's name: a folder, a pipe, a device, or a link of any kind.
    static void requireRegularCompanions(const QString &path);
    // Takes the write lock of an existing file, as a write transaction does, and holds it while the returned
    // connection lives: no other program writes the file meanwhile, also while it and its companions are moved to
    // other names, and the close writes, removes and checkpoints nothing, whatever names they have come to bear.
    // Null where no other program can be writing: the file does not begin as a database or cannot be opened as
    // one, or it keeps a write-ahead log but no log index lies beside it (every connection to it keeps one; opening
    // would make one).
    // Throws DbError (problem Locked) when another program holds the lock after the wait for it, as for any write.
    static std::shared_ptr<Database> holdWrites(const QString &path);

    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &path() const { return path_; }
    bool isOpen() const { return db_ != nullptr; }
    void close();

    // Which rows a table recordset reads.
    enum class Rows {
        All,
        First // only the first row in stored order: a table of one record costs the same whatever follows it
    };
    // Opens a table as a recordset in its stored order (rowid). Throws NoSuchTable.
    std::unique_ptr<Recordset> openTable(const QString &table, Rows rows = Rows::All);

    // Damage checks; both throw NotADatabase naming the first finding, and write nothing.
    // Every table and index on a b-tree of its own; costs the same whatever the file's size.
    void checkStructure() const;
    // The quick check of every page of the file; its cost grows with the file's size (some 2 ms per MB).
    void checkPages() const;

    // Table, column and index names compare case-insensitively (also beyond ASCII, "WÄRMETAUSCHER").
    bool hasTable(const QString &table) const;
    QStringList tableNames() const;
    // Column names of a table in their declared order.
    QStringList columnNames(const QString &table) const;
    // Columns with their types, in declared order. Throws NoSuchTable.
    std::vector<FieldDef> columns(const QString &table) const;
    // Names of the indexes of a table (as given to createIndex). Throws NoSuchTable.
    QStringList indexNames(const QString &table) const;

    // Schema for the data generator and the tests.
    void createTable(const QString &table, const std::vector<FieldDef> &fields);
    void createIndex(const QString &table, const QString &index, const QStringList &columns, bool unique);
    void dropTable(const QString &table);
    // Appends a column to a table; its value is Null in every row. Throws NoSuchTable.
    void addColumn(const QString &table, const FieldDef &field);
    // Deletes every row of a table (a work table before it is refilled).
    void clearTable(const QString &table);

    // Write-ahead logging, for a file that takes small, frequent rewrites: a commit appends the changed pages to
    // a log beside the file (FILE-wal) instead of saving the old ones to a journal first, and waits for the disk
    // once at most. The file keeps the mode (its other connections use the log too). A killed program leaves the
    // log, and the next open applies what was committed and drops the rest, as with the journal. False, and
    // nothing changed, where the file cannot switch (opened read-only, or held by another program).
    bool useWriteAheadLog();
    bool writeAheadLog() const;

    // How a transaction's commit waits for the disk. Full: a commit that has returned survives a power failure.
    // Deferred, for work that is rebuilt from other data (a work table), with the write-ahead log only: the
    // commit stays atomic and a killed program loses nothing committed, but a power failure may take back the
    // last such commits; the file itself is never damaged. Without the log every commit is Full.
    enum class Durability { Full, Deferred };

    // Transactions; nested calls are not supported.
    void beginTransaction(Durability durability = Durability::Full);
    void commit();
    void rollback();
    bool inTransaction() const;

    // For the layer itself.
    sqlite3 *handle() const { return db_; }
    [[noreturn]] void fail(DbError::Kind kind, const QString &table, const QString &message,
                           FileProblem problem = FileProblem::None) const;
    struct Private;
    Private *priv() const { return p_.get(); }

private:
    Database(sqlite3 *db, const QString &path, bool readOnly);
    // After a Deferred transaction ended: the connection's own synchronisation again.
    void restoreDurability();
    // BEGIN, COMMIT or ROLLBACK (which `undoes` writes), and restoreDurability whatever comes of it.
    void transactionStatement(const char *sql, bool undoes);
    sqlite3 *db_ = nullptr;
    QString path_;
    bool readOnly_ = false;
    std::unique_ptr<Private> p_;
};

// A table cursor with an optional index order, as the program's code walks and edits its tables.
// Fields are reached by case-insensitive name. Null is distinct from 0 and "".
//
// Position rules (those of a desktop database's table recordsets):
// - Opening and setIndex move to the first row; an empty table is at eof and bof at once.
// - moveNext at eof and movePrevious at bof leave the cursor where it is (no error); movePrevious at eof goes to
//   the last row, moveNext at bof to the first.
// - A failed seek leaves no row current: noMatch() and eof() are true.
// - After addNew + update the row that was current before addNew stays current (the new row is not made current;
//   move or seek to reach it). After edit + update the edited row stays current, also when its index key moved it.
// - After deleteRecord no row is current (eof/bof false, field() throws NoCurrentRecord); moveNext then goes to the
//   row that followed the deleted one, movePrevious to the one before it.
// - Any move, seek or setIndex while a buffer is pending (addNew/edit) drops the buffer, as cancelUpdate would;
//   so do addNew, edit and deleteRecord.
// - Rows written through another cursor or another connection are seen at the next move (clones see each other's
//   writes at once).
// - A recordset opened with Rows::First sees only the first row of its order (recordCount 1 at most); rows it
//   adds are stored but not seen.
//
// Value conversion on setField (to the column's type; a value that does not fit throws TypeMismatch at once and
// leaves the buffer unchanged):
// - Empty and Null store Null in any column.
// - Numeric columns take numbers and Booleans (True = -1); a text is read as the user types numbers
//   (numtext::parse: the user's locale, decimal comma under German settings, no group separators), so "2,5" under
//   German and "2.5" under English settings both store 2.5; "" and "abc" do not fit.
// - Integer (16-bit) and Long (32-bit) round halves to even and reject values outside their range.
// - Single stores the float nearest to the value; reading it gives Variant(float), exactly the float stored (a
//   finite number beyond the single range, which only another program stores, reads as the Double it is).
// - Boolean takes numbers (non-zero is True), Booleans and the texts "True"/"False"; reads back as Variant(bool).
// - Text and Memo take texts, and numbers as Variant::toString shows them.
// - Variant columns keep the value as given: Int, Double, text; a Single reads back as a Double of the same value,
//   a Boolean as the whole number -1 or 0.
// While a buffer is pending, field() reads the buffer.
class Recordset {
public:
    virtual ~Recordset();

    const QString &table() const;
    QStringList fieldNames() const;
    bool hasField(const QString &name) const;
    // Declared type of a field. Throws NoSuchColumn.
    FieldType fieldType(const QString &name) const;

    // Orders the rows by the named index (its columns, ascending; ties in stored order) and moves to the first row.
    // An empty name returns to the stored order. Throws NoSuchIndex.
    void setIndex(const QString &index);
    const QString &index() const;

    // Seeks the first row, in the current index order, whose index columns equal the given values ("="
    // comparison; texts compare exactly). Fewer values than index columns compare the leading columns. A key is
    // converted to its column's type first; Null or a key that does not fit its column is a miss. Returns true on a
    // hit; on a miss noMatch() is true and no row is current. Throws NoSuchIndex when no index is set.
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

    // The position of a field among fieldNames(), found by case-insensitive name (NoSuchColumn), for a caller that
    // reads many rows: field(int) and setField(int, …) then skip the name lookup. A position holds for this
    // recordset and its clones, whose columns cannot change; another recordset, even on the same table, asks anew.
    // A position outside the fields throws NoSuchColumn.
    int fieldIndex(const QString &name) const;
    Variant field(int index) const;
    // The field as its column's type holds it, converted as setField converts. A value another program stored that
    // the type cannot hold (a text in a number column) throws TypeMismatch naming the field and the value.
    Variant checkedField(int index) const;

    // Editing: addNew/edit start a buffer, setField writes into it (TypeMismatch), update stores it (DuplicateKey,
    // ReadOnly; on failure the buffer stays pending so that it can be corrected), cancelUpdate drops it.
    // edit and deleteRecord need a current row (NoCurrentRecord); setField and update need a pending buffer.
    // See the position rules above for the row that is current afterwards.
    void addNew();
    void edit();
    void setField(const QString &name, const Variant &value);
    void setField(int index, const Variant &value);
    void update();
    void cancelUpdate();
    bool editing() const;
    // Deletes the current row; the cursor then stands on no row until it is moved.
    void deleteRecord();

    // Bookmarks: a row's identity, kept while the row exists, whatever the order or the rows written around it.
    // bookmark() marks the current row (NoCurrentRecord without one). moveToBookmark makes the marked row current
    // (dropping a pending buffer, as any move does); for a row deleted meanwhile it throws NoCurrentRecord and
    // changes nothing. lastModified() marks the row the last update of this cursor stored, also a new row that
    // update did not make current (NoCurrentRecord before any update).
    long long bookmark() const;
    void moveToBookmark(long long bookmark);
    long long lastModified() const;

    // Releases the cursor; later calls throw (Other). The database closing closes its recordsets too.
    void close();

    struct Impl;

protected:
    friend class Database;
    explicit Recordset(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

// One field of a recordset, read by position: the name is looked up at the first read (which fails as
// Recordset::field would for a missing column), then no more, for a caller that walks many rows.
class FieldReader {
public:
    FieldReader(const Recordset &rs, QString name) : rs_(rs), name_(std::move(name)) {}
    Variant operator()() const { return rs_.field(index()); }
    // Recordset::checkedField.
    Variant checked() const { return rs_.checkedField(index()); }

private:
    int index() const
    {
        if (index_ < 0)
            index_ = rs_.fieldIndex(name_);
        return index_;
    }
    const Recordset &rs_;
    QString name_;
    mutable int index_ = -1;
};
