#include "database.h"

#include "db_internal.h"
#include "recordset_impl.h"

#include "platform/core/number_text.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <unistd.h>

namespace dbi {

QString quoted(const QString &identifier)
{
    QString s = identifier;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QByteArray utf8(const QString &s)
{
    return s.toUtf8();
}

QString columnText(sqlite3_stmt *st, int col)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, col));
    if (!p)
        return QString();
    return QString::fromUtf8(p, sqlite3_column_bytes(st, col));
}

FieldType typeFromDeclared(const QString &declared)
{
    const QString t = declared.trimmed().toUpper();
    if (t == QLatin1String("DOUBLE") || t == QLatin1String("DOUBLE PRECISION") || t == QLatin1String("REAL")
        || t == QLatin1String("FLOAT8"))
        return FieldType::Double;
    if (t == QLatin1String("SINGLE") || t == QLatin1String("FLOAT") || t == QLatin1String("FLOAT4"))
        return FieldType::Single;
    if (t == QLatin1String("SMALLINT") || t == QLatin1String("INT2"))
        return FieldType::Integer;
    if (t == QLatin1String("LONG") || t == QLatin1String("INTEGER") || t == QLatin1String("INT")
        || t == QLatin1String("INT4"))
        return FieldType::Long;
    if (t == QLatin1String("BOOLEAN") || t == QLatin1String("BOOL") || t == QLatin1String("BIT"))
        return FieldType::Boolean;
    if (t == QLatin1String("LONGTEXT") || t == QLatin1String("MEMO"))
        return FieldType::Memo;
    if (t == QLatin1String("TEXT") || t.startsWith(QLatin1String("VARCHAR")) || t.startsWith(QLatin1String("CHAR")))
        return FieldType::Text;
    return FieldType::Variant;
}

QString declaredType(FieldType type)
{
    // Each name maps back through typeFromDeclared. Memo and Variant need text and no affinity respectively, so
    // that a numeric-looking text is never turned into a number by the file.
    switch (type) {
    case FieldType::Double: return QStringLiteral("DOUBLE");
    case FieldType::Single: return QStringLiteral("SINGLE");
    case FieldType::Integer: return QStringLiteral("SMALLINT");
    case FieldType::Long: return QStringLiteral("LONG");
    case FieldType::Boolean: return QStringLiteral("BOOLEAN");
    case FieldType::Text: return QStringLiteral("TEXT");
    case FieldType::Memo: return QStringLiteral("LONGTEXT");
    case FieldType::Variant: return QString();
    }
    return QString();
}

namespace {
// The value as a finite number; a text is read as the user types numbers.
bool numberOf(const Variant &in, double *out)
{
    switch (in.type()) {
    case Variant::Type::Bool:
    case Variant::Type::Int:
        *out = static_cast<double>(in.toInt());
        return true;
    case Variant::Type::Single:
    case Variant::Type::Double: {
        // toDouble() maps a non-finite number to 0; that must not slip into a file.
        if (!in.isNumeric())
            return false;
        *out = in.toDouble();
        return true;
    }
    case Variant::Type::String:
        return numtext::parse(in.toString(), out);
    case Variant::Type::Empty:
    case Variant::Type::Null:
        return false;
    }
    return false;
}
} // namespace

bool toStored(FieldType type, const Variant &in, Variant *out, QString *why, DbError::Fault *fault)
{
    if (in.isEmpty() || in.isNull()) {
        *out = Variant::null();
        return true;
    }
    DbError::Fault ignored = DbError::Fault::None;
    if (!fault)
        fault = &ignored;
    auto notNumber = [&] {
        *why = QStringLiteral("the value \"%1\" is not a number").arg(in.toString());
        *fault = in.isString() ? DbError::Fault::NotANumber : DbError::Fault::NotFinite;
        return false;
    };
    switch (type) {
    case FieldType::Double: {
        double d = 0;
        if (!numberOf(in, &d))
            return notNumber();
        *out = Variant(d);
        return true;
    }
    case FieldType::Single: {
        double d = 0;
        if (!numberOf(in, &d))
            return notNumber();
        if (std::fabs(d) > FLT_MAX) {
            *why = QStringLiteral("the value %1 is out of range of a single-precision number").arg(d);
            *fault = DbError::Fault::OutOfRange;
            return false;
        }
        *out = Variant(static_cast<float>(d));
        return true;
    }
    case FieldType::Integer:
    case FieldType::Long: {
        long long v = 0;
        if (in.type() == Variant::Type::Int || in.type() == Variant::Type::Bool) {
            v = in.toInt();
        } else {
            double d = 0;
            if (!numberOf(in, &d))
                return notNumber();
            if (!(std::fabs(d) < 9.0e18)) {
                *why = QStringLiteral("the value %1 is out of range of a whole number").arg(d);
                *fault = DbError::Fault::OutOfRange;
                return false;
            }
            v = static_cast<long long>(std::nearbyint(d));
        }
        const long long lo = type == FieldType::Integer ? -32768 : -2147483648LL;
        const long long hi = type == FieldType::Integer ? 32767 : 2147483647LL;
        if (v < lo || v > hi) {
            *why = QStringLiteral("the value %1 is out of range of a %2-bit whole number")
                       .arg(v)
                       .arg(type == FieldType::Integer ? 16 : 32);
            *fault = DbError::Fault::OutOfRange;
            return false;
        }
        *out = Variant(v);
        return true;
    }
    case FieldType::Boolean: {
        if (in.type() == Variant::Type::String) {
            const QString t = in.toString().trimmed();
            if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
                *out = Variant(true);
                return true;
            }
            if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
                *out = Variant(false);
                return true;
            }
        }
        double d = 0;
        if (!numberOf(in, &d)) {
            *why = QStringLiteral("the value \"%1\" is not a Boolean").arg(in.toString());
            *fault = DbError::Fault::NotBoolean;
            return false;
        }
        *out = Variant(d != 0.0);
        return true;
    }
    case FieldType::Text:
    case FieldType::Memo:
        if ((in.type() == Variant::Type::Single || in.type() == Variant::Type::Double) && !std::isfinite(in.toDouble()))
            return notNumber();
        *out = Variant(in.toString());
        return true;
    case FieldType::Variant:
        if (in.type() == Variant::Type::Single || in.type() == Variant::Type::Double) {
            double d = 0;
            if (!numberOf(in, &d))
                return notNumber();
        }
        *out = in;
        return true;
    }
    return false;
}

void bind(sqlite3_stmt *st, int index, const Variant &v)
{
    switch (v.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null:
        sqlite3_bind_null(st, index);
        break;
    case Variant::Type::Bool:
        sqlite3_bind_int64(st, index, v.toBool() ? -1 : 0);
        break;
    case Variant::Type::Int:
        sqlite3_bind_int64(st, index, v.toInt());
        break;
    case Variant::Type::Single:
    case Variant::Type::Double:
        sqlite3_bind_double(st, index, v.toDouble());
        break;
    case Variant::Type::String: {
        const QByteArray b = v.toString().toUtf8();
        sqlite3_bind_text(st, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

Variant read(FieldType type, sqlite3_stmt *st, int col)
{
    const int storage = sqlite3_column_type(st, col);
    if (storage == SQLITE_NULL)
        return Variant::null();
    const bool numeric = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
    switch (type) {
    case FieldType::Double:
        if (numeric)
            return Variant(sqlite3_column_double(st, col));
        break;
    case FieldType::Single:
        if (numeric) {
            // A number another program stored beyond the single range stays what it is, so that it can be named.
            const double stored = sqlite3_column_double(st, col);
            if (std::isfinite(stored) && std::fabs(stored) > FLT_MAX)
                return Variant(stored);
            return Variant(static_cast<float>(stored));
        }
        break;
    case FieldType::Integer:
    case FieldType::Long:
        if (storage == SQLITE_INTEGER)
            return Variant(static_cast<long long>(sqlite3_column_int64(st, col)));
        if (storage == SQLITE_FLOAT)
            return Variant(sqlite3_column_double(st, col));
        break;
    case FieldType::Boolean:
        if (numeric)
            return Variant(sqlite3_column_double(st, col) != 0.0);
        break;
    case FieldType::Text:
    case FieldType::Memo:
        return Variant(columnText(st, col));
    case FieldType::Variant:
        if (storage == SQLITE_INTEGER)
            return Variant(static_cast<long long>(sqlite3_column_int64(st, col)));
        if (storage == SQLITE_FLOAT)
            return Variant(sqlite3_column_double(st, col));
        break;
    }
    return Variant(columnText(st, col));
}

DbError::Kind kindOf(int rc, int extended)
{
    if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY)
        return DbError::Kind::DuplicateKey;
    switch (rc & 0xff) {
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return DbError::Kind::ReadOnly;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return DbError::Kind::NotADatabase;
    case SQLITE_MISMATCH:
        return DbError::Kind::TypeMismatch;
    default:
        return DbError::Kind::Other;
    }
}

FileProblem problemOf(sqlite3 *db, int rc)
{
    switch (rc & 0xff) {
    case SQLITE_FULL:
        return FileProblem::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return FileProblem::NoPermission;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return FileProblem::Locked;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return FileProblem::Damaged;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN: {
        // A write beyond the largest file the process may write is an input/output error to SQLite.
        const int error = db ? sqlite3_system_errno(db) : 0;
        return error != 0 ? problemOfErrno(error) : FileProblem::Other;
    }
    default:
        return FileProblem::Other;
    }
}

Statement::Statement(sqlite3 *db, const QString &sql, int *rc)
{
    const QByteArray b = sql.toUtf8();
    *rc = sqlite3_prepare_v2(db, b.constData(), int(b.size()), &st_, nullptr);
}

PooledStatement::PooledStatement(const Database *db, const QString &sql, int *rc) : db_(db), sql_(sql)
{
    st_ = db->priv()->takeStatement(db->handle(), sql, rc);
}

PooledStatement::~PooledStatement()
{
    if (st_)
        db_->priv()->giveBack(sql_, st_);
}

bool sameName(const QString &a, const QString &b)
{
    return a.size() == b.size() ? a.compare(b, Qt::CaseInsensitive) == 0 || a.toCaseFolded() == b.toCaseFolded()
                                : a.toCaseFolded() == b.toCaseFolded();
}

QString physicalIndexName(const QString &table, const QString &index)
{
    // Index names are per table here but per file in SQLite ("PrimaryKey" exists in many tables).
    return table + QLatin1Char('.') + index;
}

[[noreturn]] void failSqlite(const Database *db, const QString &table, const QString &what)
{
    sqlite3 *h = db->handle();
    const int rc = h ? sqlite3_errcode(h) : SQLITE_MISUSE;
    const int ext = h ? sqlite3_extended_errcode(h) : SQLITE_MISUSE;
    QString msg = h ? QString::fromUtf8(sqlite3_errmsg(h)) : QStringLiteral("the database is closed");
    if (!what.isEmpty())
        msg = what + QLatin1String(": ") + msg;
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
        msg += QLatin1String(" (the file is in use by another program)");
    // Some failures (a full disk, an input/output error) take back the whole transaction, whatever it wrote.
    db->priv()->touch();
    // A table or column that went while a cursor was open on it (another program changed the file) is found only
    // when a statement is prepared; it is as missing as one that was never there.
    if ((rc & 0xff) == SQLITE_ERROR && h) {
        const QString said = QString::fromUtf8(sqlite3_errmsg(h));
        static const QLatin1String noTable("no such table: "), noColumn("no such column: ");
        if (said.startsWith(noTable))
            db->fail(DbError::Kind::NoSuchTable, table, msg);
        if (said.startsWith(noColumn))
            throw DbError(DbError::Kind::NoSuchColumn, db->path(), table, msg).inColumn(said.mid(noColumn.size()));
    }
    db->fail(kindOf(rc, ext), table, msg, problemOf(h, ext));
}

void requireDone(const Database *db, int step, const QString &table)
{
    if (step != SQLITE_DONE)
        failSqlite(db, table, QString());
}

void exec(Database *db, const QString &table, const QString &sql)
{
    if (!db->isOpen())
        db->fail(DbError::Kind::Other, table, QStringLiteral("the database is closed"));
    db->priv()->touch();
    const QByteArray b = sql.toUtf8();
    if (sqlite3_exec(db->handle(), b.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        failSqlite(db, table, QString());
    db->priv()->touch();
}

namespace {

QString lookUpTableName(const Database *db, const QString &table)
{
    int rc = 0;
    {
        PooledStatement st(db,
                           QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE "
                                          "NOCASE"),
                           &rc);
        if (rc != SQLITE_OK)
            failSqlite(db, table, QString());
        bind(st, 1, Variant(table));
        const int step = sqlite3_step(st);
        if (step == SQLITE_ROW)
            return columnText(st, 0);
        requireDone(db, step, table);
    }
    // NOCASE folds ASCII only; "WÄRMETAUSCHER" must still find "Wärmetauscher".
    for (const QString &t : db->tableNames())
        if (sameName(t, table))
            return t;
    return QString();
}

std::vector<FieldDef> readColumns(const Database *db, const QString &actualTable)
{
    std::vector<FieldDef> out;
    int rc = 0;
    PooledStatement st(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"), &rc);
    if (rc != SQLITE_OK)
        db->fail(DbError::Kind::Other, actualTable, QString::fromUtf8(sqlite3_errmsg(db->handle())));
    bind(st, 1, Variant(actualTable));
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(st)) == SQLITE_ROW)
        out.push_back({columnText(st, 0), typeFromDeclared(columnText(st, 1))});
    requireDone(db, step, actualTable);
    return out;
}

} // namespace

QString actualTableName(const Database *db, const QString &table)
{
    if (!db->isOpen())
        db->fail(DbError::Kind::Other, table, QStringLiteral("the database is closed"));
    return actualTableName(db, table, db->priv()->schemaUnchanged(db));
}

QString actualTableName(const Database *db, const QString &table, bool kept)
{
    if (!kept)
        return lookUpTableName(db, table);
    Database::Private *p = db->priv();
    const auto it = p->tableNames.constFind(table);
    if (it != p->tableNames.constEnd())
        return *it;
    const QString actual = lookUpTableName(db, table);
    p->tableNames.insert(table, actual);
    return actual;
}

TableShape makeShape(const QString &actualTable, std::vector<FieldDef> fields)
{
    TableShape shape;
    shape.fields = std::move(fields);
    shape.quotedTable = quoted(actualTable);
    for (int i = 0; i < int(shape.fields.size()); ++i) {
        shape.byName.insert(shape.fields[i].name, i);
        shape.byFolded.insert(shape.fields[i].name.toCaseFolded(), i);
        shape.columnList += QLatin1String(", ") + quoted(shape.fields[i].name);
    }
    return shape;
}

std::shared_ptr<const TableShape> shapeOf(const Database *db, const QString &actualTable)
{
    return shapeOf(db, actualTable, db->priv()->schemaUnchanged(db));
}

std::shared_ptr<const TableShape> shapeOf(const Database *db, const QString &actualTable, bool kept)
{
    if (!kept)
        return std::make_shared<const TableShape>(makeShape(actualTable, readColumns(db, actualTable)));
    Database::Private *p = db->priv();
    const auto it = p->tableShapes.constFind(actualTable);
    if (it != p->tableShapes.constEnd())
        return *it;
    auto shape = std::make_shared<const TableShape>(makeShape(actualTable, readColumns(db, actualTable)));
    p->tableShapes.insert(actualTable, shape);
    return shape;
}

std::vector<FieldDef> columnsOf(const Database *db, const QString &actualTable)
{
    return shapeOf(db, actualTable)->fields;
}

std::vector<IndexInfo> indexesOf(const Database *db, const QString &actualTable)
{
    std::vector<IndexInfo> out;
    int rc = 0;
    PooledStatement list(db, QStringLiteral("SELECT name, \"unique\" FROM pragma_index_list(?1) ORDER BY seq DESC"), &rc);
    if (rc != SQLITE_OK)
        failSqlite(db, actualTable, QString());
    bind(list, 1, Variant(actualTable));
    const QString prefix = actualTable + QLatin1Char('.');
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(list)) == SQLITE_ROW) {
        IndexInfo info;
        info.physical = columnText(list, 0);
        if (info.physical.startsWith(QLatin1String("sqlite_autoindex_")))
            continue;
        info.name = info.physical.startsWith(prefix) ? info.physical.mid(prefix.size()) : info.physical;
        info.unique = sqlite3_column_int(list, 1) != 0;
        PooledStatement cols(db, QStringLiteral("SELECT name FROM pragma_index_info(?1) ORDER BY seqno"), &rc);
        if (rc != SQLITE_OK)
            failSqlite(db, actualTable, QString());
        bind(cols, 1, Variant(info.physical));
        int columnStep = SQLITE_ROW;
        while ((columnStep = sqlite3_step(cols)) == SQLITE_ROW)
            info.columns << columnText(cols, 0);
        requireDone(db, columnStep, actualTable);
        out.push_back(info);
    }
    requireDone(db, step, actualTable);
    return out;
}

} // namespace dbi

using namespace dbi;

sqlite3_stmt *Database::Private::takeStatement(sqlite3 *db, const QString &sql, int *rc)
{
    auto it = statements.find(sql);
    if (it != statements.end() && !it->empty()) {
        sqlite3_stmt *st = it->back();
        it->pop_back();
        --kept;
        *rc = SQLITE_OK;
        return st;
    }
    sqlite3_stmt *st = nullptr;
    const QByteArray b = sql.toUtf8();
    *rc = sqlite3_prepare_v2(db, b.constData(), int(b.size()), &st, nullptr);
    if (*rc != SQLITE_OK) {
        sqlite3_finalize(st);
        return nullptr;
    }
    return st;
}

void Database::Private::giveBack(const QString &sql, sqlite3_stmt *st)
{
    // A few statements per text (clones read side by side) and a bound on all: the layer's own texts and those
    // of the tables in use fit well within it.
    constexpr int kMaxKept = 256;
    constexpr std::size_t kMaxPerText = 4;
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    const auto it = statements.find(sql);
    if (kept >= kMaxKept || (it != statements.end() && it->size() >= kMaxPerText)) {
        sqlite3_finalize(st);
        return;
    }
    (it != statements.end() ? *it : statements[sql]).push_back(st);
    ++kept;
}

bool Database::Private::schemaUnchanged(const Database *db)
{
    return look(db->handle()) && schemaKept;
}

bool Database::Private::look(sqlite3 *db)
{
    const long long changes = sqlite3_total_changes64(db);
    if (changes != lastTotalChanges)
        touch();
    lastTotalChanges = changes;
    const bool inTransaction = sqlite3_get_autocommit(db) == 0;
    if (inTransaction != transactionAtLook)
        touch(); // begun or ended around the layer: a rollback takes back rows read since it began
    transactionAtLook = inTransaction;
    schemaKept = false;
    if (!dataVersion)
        sqlite3_prepare_v2(db, "PRAGMA data_version", -1, &dataVersion, nullptr);
    if (!schemaCookie)
        sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &schemaCookie, nullptr);
    if (!dataVersion || !schemaCookie) {
        touch();
        return false;
    }
    // One read of the file for both: the first statement, not reset yet, holds its read open for the second.
    long long data = -1, schema = -1;
    if (sqlite3_step(dataVersion) == SQLITE_ROW) {
        data = sqlite3_column_int64(dataVersion, 0);
        if (sqlite3_step(schemaCookie) == SQLITE_ROW)
            schema = sqlite3_column_int64(schemaCookie, 0);
        sqlite3_reset(schemaCookie);
    }
    sqlite3_reset(dataVersion);
    if (data != lastDataVersion)
        touch();
    lastDataVersion = data;
    // A table made anew around the layer may have the same columns: the same statement then reads other rows.
    if (schema != lastSchemaSeen)
        touch();
    lastSchemaSeen = schema;
    if (data < 0 || schema < 0) {
        touch(); // nothing read before can be vouched for
        return false;
    }
    if (!inTransaction && schema != schemaVersion) {
        tableNames.clear();
        tableShapes.clear();
        schemaVersion = schema;
    }
    schemaKept = schema == schemaVersion;
    return true;
}

void Database::Private::wrote(sqlite3 *db, const QString &table, long long totalBefore)
{
    const long long total = sqlite3_total_changes64(db);
    if (totalBefore != lastTotalChanges || total - totalBefore != sqlite3_changes64(db)) {
        touch();
    } else {
        tableChanged.insert(table.toCaseFolded(), ++generation);
        // A row added to a table with AUTOINCREMENT moves its counter in sqlite_sequence, which no count shows.
        tableChanged.insert(QStringLiteral("sqlite_sequence"), generation);
    }
    lastTotalChanges = total;
}

void Database::Private::finalizeStatements()
{
    for (std::vector<sqlite3_stmt *> &list : statements)
        for (sqlite3_stmt *st : list)
            sqlite3_finalize(st);
    statements.clear();
    kept = 0;
}

quint64 Database::Private::checkedGeneration(sqlite3 *db)
{
    look(db);
    return generation;
}

std::shared_ptr<const RowSet> Database::Private::keptRows(const QString &sql, const QString &table,
                                                         const std::shared_ptr<const TableShape> &shape) const
{
    const auto it = rowSets.constFind(sql);
    return it != rowSets.constEnd() && it->shape == shape && unchangedSince(table, it->read) ? it->rows : nullptr;
}

void Database::Private::keepRows(const QString &sql, const QString &table,
                                 const std::shared_ptr<const TableShape> &shape, quint64 read,
                                 const std::shared_ptr<const RowSet> &rows)
{
    // The tables a run reads again are few; a bound keeps a walk through many tables from holding them all.
    constexpr qsizetype kMaxKept = 16;
    if (rowSets.size() >= kMaxKept && !rowSets.contains(sql)) {
        rowSets.removeIf([this](const auto &kept) { return !unchangedSince(kept.value().table, kept.value().read); });
        if (rowSets.size() >= kMaxKept)
            rowSets.clear();
    }
    rowSets.insert(sql, {table, shape, read, rows});
}

// ---- DbError

namespace {
QString kindText(DbError::Kind kind)
{
    switch (kind) {
    case DbError::Kind::NoSuchFile: return QStringLiteral("File not found");
    case DbError::Kind::NotADatabase: return QStringLiteral("Not a database file");
    case DbError::Kind::NoSuchTable: return QStringLiteral("Table not found");
    case DbError::Kind::NoSuchColumn: return QStringLiteral("Field not found");
    case DbError::Kind::NoSuchIndex: return QStringLiteral("Index not found");
    case DbError::Kind::DuplicateKey: return QStringLiteral("Duplicate value in a unique index");
    case DbError::Kind::TypeMismatch: return QStringLiteral("Data type mismatch");
    case DbError::Kind::NoCurrentRecord: return QStringLiteral("No current record");
    case DbError::Kind::ReadOnly: return QStringLiteral("The database is read-only");
    case DbError::Kind::Other: return QStringLiteral("Database error");
    }
    return QString();
}
} // namespace

namespace {
FileProblem impliedProblem(DbError::Kind kind)
{
    switch (kind) {
    case DbError::Kind::NotADatabase: return FileProblem::Damaged;
    case DbError::Kind::ReadOnly: return FileProblem::NoPermission;
    case DbError::Kind::NoSuchFile: return FileProblem::Missing;
    case DbError::Kind::NoSuchTable:
    case DbError::Kind::NoSuchColumn:
    case DbError::Kind::NoSuchIndex: return FileProblem::TableMissing;
    default: return FileProblem::Other;
    }
}
} // namespace

DbError::DbError(Kind kind, const QString &file, const QString &table, const QString &message, FileProblem problem)
    : std::runtime_error(QString(kindText(kind) + QLatin1String(": ") + message).toStdString()),
      kind_(kind), problem_(problem == FileProblem::None ? impliedProblem(kind) : problem), file_(file), table_(table)
{
    text_ = kindText(kind) + QLatin1String(": ") + message + QLatin1String(" (file \"") + file + QLatin1Char('"');
    if (!table.isEmpty())
        text_ += QLatin1String(", table \"") + table + QLatin1Char('"');
    text_ += QLatin1String(").");
}

DbError &DbError::inColumn(const QString &column)
{
    column_ = column;
    return *this;
}

DbError &DbError::withValue(Fault fault, const QString &value)
{
    fault_ = fault;
    value_ = value.isNull() ? QLatin1String("") : value;
    return *this;
}

DbError &DbError::atCompanion(const QString &companion)
{
    companion_ = companion;
    return *this;
}

int DbError::number() const
{
    switch (kind_) {
    case Kind::NoSuchFile: return 3024;
    case Kind::NotADatabase: return 3343;
    case Kind::NoSuchTable: return 3078;
    case Kind::NoSuchColumn: return 3265;
    case Kind::NoSuchIndex: return 3800;
    case Kind::DuplicateKey: return 3022;
    case Kind::TypeMismatch: return 3421;
    case Kind::NoCurrentRecord: return 3021;
    case Kind::ReadOnly: return 3027;
    case Kind::Other: return 3000;
    }
    return 3000;
}

// ---- Database

Database::Database(sqlite3 *db, const QString &path, bool readOnly)
    : db_(db), path_(path), readOnly_(readOnly), p_(std::make_unique<Private>())
{
}

Database::~Database()
{
    close();
}

void Database::fail(DbError::Kind kind, const QString &table, const QString &message, FileProblem problem) const
{
    throw DbError(kind, path_, table, message, problem);
}

namespace {
// rc: the failing call's result, for the cause.
[[noreturn]] void failOpen(sqlite3 *db, int rc, DbError::Kind kind, const QString &path, const QString &message)
{
    const FileProblem problem = problemOf(db, rc);
    if (db)
        sqlite3_close_v2(db);
    throw DbError(kind, path, QString(), message, problem);
}
} // namespace

namespace {
// What every connection of the layer needs: typed results and a wait for a file another program holds for a moment.
// A double-quoted name is a name only: a column gone from under an open cursor (another program changed the
// table) must fail as missing, never read as the text of its name.
void setUpConnection(sqlite3 *db)
{
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 3000);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
}

// The file's own mode bits as well as access(): even a privileged user must not write a file marked read-only.
bool mayWrite(const QFileInfo &info)
{
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && (info.permissions() & writeBits);
}

// Undoes the half-written change of an interrupted write from the journal beside the file: SQLite does that at the
// first read of a read-write connection (it needs to write the file and delete the journal).
void rollBackInterruptedWrite(const QString &path)
{
    const QString journal = Database::companionsOf(path).constFirst();
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!mayWrite(file) || !folder.isWritable())
        throw DbError(DbError::Kind::ReadOnly, path, QString(),
                      QStringLiteral("an interrupted save left the journal \"%1\" beside the file; the file can be "
                                     "read only once that save has been undone, which needs write access to the file "
                                     "and its folder")
                          .arg(journal));
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, 3000);
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const QString why = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        const FileProblem problem = problemOf(db, rc);
        sqlite3_close_v2(db);
        throw DbError(DbError::Kind::Other, path, QString(),
                      QStringLiteral("the interrupted save recorded in \"%1\" cannot be undone: %2").arg(journal, why),
                      problem);
    }
    sqlite3_close_v2(db);
}
} // namespace

const QStringList &Database::companionSuffixes()
{
    static const QStringList suffixes = {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};
    return suffixes;
}

QStringList Database::companionsOf(const QString &path)
{
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.canonicalFilePath() : QString();
    const QString file = target.isEmpty() ? path : target;
    QStringList companions;
    for (const QString &suffix : companionSuffixes())
        companions << file + suffix;
    return companions;
}

void Database::requireRegularCompanions(const QString &path)
{
    for (const QString &companion : companionsOf(path)) {
        const QFileInfo info(companion);
        // A link is no regular file, whatever it leads to: one to nowhere or to itself passes a test made through
        // it, and SQLite would follow it.
        if (info.isSymLink() || (info.exists() && !info.isFile()))
            throw DbError(DbError::Kind::NoSuchFile, path, QString(),
                          QStringLiteral("\"%1\" is not a regular file").arg(companion), FileProblem::NotRegularFile)
                .atCompanion(companion);
    }
}

namespace {
// SQLite opens a companion as it finds it, and opening a pipe waits for a writer for good: each is looked at first,
// without opening it, as the file itself is. One the user may not read would fail inside SQLite as the file's own
// failure: it is named.
void requireUsableCompanions(const QString &path)
{
    Database::requireRegularCompanions(path);
    for (const QString &companion : Database::companionsOf(path)) {
        if (!QFileInfo::exists(companion) || ::access(QFile::encodeName(companion).constData(), R_OK) == 0)
            continue;
        const FileFailure failure = FileFailure::ofErrno(errno);
        throw DbError(DbError::Kind::Other, path, QString(),
                      QStringLiteral("\"%1\" cannot be read: %2").arg(companion, failure.systemText),
                      failure.problem)
            .atCompanion(companion);
    }
}
} // namespace

std::shared_ptr<Database> Database::open(const QString &path, Mode mode)
{
    const QFileInfo fi(path);
    if (!fi.exists())
        throw DbError(DbError::Kind::NoSuchFile, path, QString(), QStringLiteral("the file does not exist"));
    if (!fi.isFile())
        throw DbError(DbError::Kind::NoSuchFile, path, QString(), QStringLiteral("not a regular file"),
                      FileProblem::NotRegularFile);
    requireUsableCompanions(path);
    const int flags = (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    for (int attempt = 0;; ++attempt) {
        sqlite3 *db = nullptr;
        int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
        if (rc != SQLITE_OK)
            failOpen(db, rc, rc == SQLITE_CANTOPEN ? DbError::Kind::NoSuchFile : DbError::Kind::Other, path,
                     QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
        setUpConnection(db);
        // Pages are checked as they are read, so a damaged page gives an error rather than wrong values.
        sqlite3_exec(db, "PRAGMA cell_size_check = ON", nullptr, nullptr, nullptr);
        // The header is read lazily; a first query tells a database from any other file.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (rc == SQLITE_READONLY_ROLLBACK && attempt == 0) {
            sqlite3_close_v2(db);
            rollBackInterruptedWrite(path);
            continue;
        }
        if (rc != SQLITE_OK) {
            const int kind = rc & 0xff;
            failOpen(db, rc,
                     kind == SQLITE_NOTADB || kind == SQLITE_CORRUPT ? DbError::Kind::NotADatabase
                                                                     : DbError::Kind::Other,
                     path, QString::fromUtf8(sqlite3_errmsg(db)));
        }
        return std::shared_ptr<Database>(new Database(db, path, mode == Mode::ReadOnly));
    }
}

std::shared_ptr<Database> Database::holdWrites(const QString &path)
{
    QByteArray header;
    {
        // Closed before SQLite locks the file: closing any descriptor of a file drops the process's locks on it.
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
            return nullptr;
        header = file.read(20);
    }
    // What does not begin as a database no other program writes as one (and opening it may change it); the
    // header's version bytes are 2 in write-ahead-log mode.
    if (header.size() < 20 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")) ||
        (header.at(18) == 2 && !QFileInfo::exists(companionsOf(path).at(2))))
        return nullptr;
    std::shared_ptr<Database> db;
    try {
        db = open(path);
        // Closed last, a connection in write-ahead-log mode checkpoints the log and removes it and its index by
        // name, which may by then be another file's.
        sqlite3_db_config(db->db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        exec(db.get(), QString(), QStringLiteral("BEGIN IMMEDIATE"));
    } catch (const DbError &e) {
        if (e.problem() == FileProblem::Locked)
            throw;
        return nullptr;
    }
    return db;
}

std::shared_ptr<Database> Database::create(const QString &path)
{
    if (QFileInfo::exists(path))
        throw DbError(DbError::Kind::Other, path, QString(), QStringLiteral("the file exists already"));
    requireUsableCompanions(path);
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        failOpen(db, rc, DbError::Kind::Other, path, QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
    setUpConnection(db);
    // Writes the header now, so that the new file is a database even before its first table.
    if (sqlite3_exec(db, "PRAGMA user_version = 0; CREATE TABLE q__(x); DROP TABLE q__;", nullptr, nullptr, nullptr)
        != SQLITE_OK)
        failOpen(db, sqlite3_errcode(db), DbError::Kind::Other, path, QString::fromUtf8(sqlite3_errmsg(db)));
    return std::shared_ptr<Database>(new Database(db, path, false));
}

void Database::close()
{
    if (!db_)
        return;
    // Cursors release their statements first, so that the file is really closed here.
    const auto cursors = p_->cursors;
    for (Recordset::Impl *c : cursors)
        c->detach();
    p_->cursors.clear();
    sqlite3_finalize(p_->dataVersion);
    sqlite3_finalize(p_->schemaCookie);
    p_->dataVersion = p_->schemaCookie = nullptr;
    p_->finalizeStatements();
    p_->rowSets.clear();
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

namespace {
void requireOpen(const Database *db, const QString &table)
{
    if (!db->isOpen())
        db->fail(DbError::Kind::Other, table, QStringLiteral("the database is closed"));
}
} // namespace

QStringList Database::tableNames() const
{
    requireOpen(this, QString());
    QStringList out;
    int rc = 0;
    Statement st(db_, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                                     "ESCAPE '\\' ORDER BY rowid"),
                 &rc);
    if (rc != SQLITE_OK)
        fail(DbError::Kind::Other, QString(), QString::fromUtf8(sqlite3_errmsg(db_)));
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(st)) == SQLITE_ROW)
        out << columnText(st, 0);
    requireDone(this, step, QString());
    return out;
}

bool Database::hasTable(const QString &table) const
{
    return !actualTableName(this, table).isEmpty();
}

QStringList Database::columnNames(const QString &table) const
{
    QStringList out;
    for (const FieldDef &f : columns(table))
        out << f.name;
    return out;
}

std::vector<FieldDef> Database::columns(const QString &table) const
{
    const QString actual = actualTableName(this, table);
    if (actual.isEmpty())
        fail(DbError::Kind::NoSuchTable, table, QStringLiteral("the table does not exist"));
    return columnsOf(this, actual);
}

QStringList Database::indexNames(const QString &table) const
{
    const QString actual = actualTableName(this, table);
    if (actual.isEmpty())
        fail(DbError::Kind::NoSuchTable, table, QStringLiteral("the table does not exist"));
    QStringList out;
    for (const IndexInfo &i : indexesOf(this, actual))
        out << i.name;
    return out;
}

void Database::createTable(const QString &table, const std::vector<FieldDef> &fields)
{
    requireOpen(this, table);
    if (hasTable(table))
        fail(DbError::Kind::Other, table, QStringLiteral("the table exists already"));
    if (fields.empty())
        fail(DbError::Kind::Other, table, QStringLiteral("a table needs at least one column"));
    QStringList cols;
    for (const FieldDef &f : fields) {
        const QString decl = declaredType(f.type);
        cols << (decl.isEmpty() ? quoted(f.name) : quoted(f.name) + QLatin1Char(' ') + decl);
    }
    exec(this, table, QLatin1String("CREATE TABLE ") + quoted(table) + QLatin1String(" (") + cols.join(QLatin1String(", "))
                          + QLatin1Char(')'));
}

void Database::createIndex(const QString &table, const QString &index, const QStringList &columnList, bool unique)
{
    const QString actual = actualTableName(this, table);
    if (actual.isEmpty())
        fail(DbError::Kind::NoSuchTable, table, QStringLiteral("the table does not exist"));
    if (columnList.isEmpty())
        fail(DbError::Kind::Other, table, QStringLiteral("the index \"%1\" has no columns").arg(index));
    for (const IndexInfo &i : indexesOf(this, actual))
        if (i.name.compare(index, Qt::CaseInsensitive) == 0)
            fail(DbError::Kind::Other, actual, QStringLiteral("the index \"%1\" exists already").arg(index));
    const std::vector<FieldDef> defs = columns(actual);
    QStringList cols;
    for (const QString &c : columnList) {
        QString found;
        for (const FieldDef &f : defs)
            if (sameName(f.name, c))
                found = f.name;
        if (found.isEmpty())
            fail(DbError::Kind::NoSuchColumn, actual, QStringLiteral("the index \"%1\" names the unknown column \"%2\"")
                                                          .arg(index, c));
        cols << quoted(found);
    }
    exec(this, actual, QLatin1String(unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ")
                           + quoted(physicalIndexName(actual, index)) + QLatin1String(" ON ") + quoted(actual)
                           + QLatin1String(" (") + cols.join(QLatin1String(", ")) + QLatin1Char(')'));
}

void Database::dropTable(const QString &table)
{
    const QString actual = actualTableName(this, table);
    if (actual.isEmpty())
        fail(DbError::Kind::NoSuchTable, table, QStringLiteral("the table does not exist"));
    exec(this, actual, QLatin1String("DROP TABLE ") + quoted(actual));
}

void Database::addColumn(const QString &table, const FieldDef &field)
{
    const QString actual = actualTableName(this, table);
    if (actual.isEmpty())
        fail(DbError::Kind::NoSuchTable, table, QStringLiteral("the table does not exist"));
    const QString decl = declaredType(field.type);
    exec(this, actual, QLatin1String("ALTER TABLE ") + quoted(actual) + QLatin1String(" ADD COLUMN ") +
                           quoted(field.name) + (decl.isEmpty() ? QString() : QLatin1Char(' ') + decl));
}

void Database::clearTable(const QString &table)
{
    const QString actual = actualTableName(this, table);
    if (actual.isEmpty())
        fail(DbError::Kind::NoSuchTable, table, QStringLiteral("the table does not exist"));
    // The rows of this table only: the cursors on other tables keep theirs.
    const long long totalBefore = sqlite3_total_changes64(db_);
    const QByteArray sql = (QLatin1String("DELETE FROM ") + quoted(actual)).toUtf8();
    if (sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        failSqlite(this, actual, QString());
    p_->wrote(db_, actual, totalBefore);
}

namespace {
// A one-value pragma's answer; empty when it failed.
QString pragmaValue(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    QString value;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        value = columnText(st, 0);
    sqlite3_finalize(st);
    return value;
}

// Pragmas change no rows: they run beside the layer's write bookkeeping.
bool setSynchronous(sqlite3 *db, int level)
{
    const QByteArray sql = "PRAGMA synchronous = " + QByteArray::number(level);
    return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}
} // namespace

bool Database::useWriteAheadLog()
{
    requireOpen(this, QString());
    if (p_->wal)
        return true;
    if (readOnly_ || inTransaction())
        return false;
    if (pragmaValue(db_, "PRAGMA journal_mode = WAL").compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        return false;
    bool ok = false;
    p_->fullSynchronous = pragmaValue(db_, "PRAGMA synchronous").toInt(&ok);
    if (!ok)
        p_->fullSynchronous = 2; // FULL
    p_->wal = true;
    return true;
}

bool Database::writeAheadLog() const
{
    return p_->wal;
}

void Database::beginTransaction(Durability durability)
{
    requireOpen(this, QString());
    if (inTransaction())
        fail(DbError::Kind::Other, QString(), QStringLiteral("a transaction is already running"));
    // NORMAL with the log: the commit is written to the log but not flushed; checkpoints still flush.
    p_->deferred = durability == Durability::Deferred && p_->wal && setSynchronous(db_, 1);
    transactionStatement("BEGIN", false);
}

void Database::transactionStatement(const char *sql, bool undoes)
{
    try {
        // BEGIN and COMMIT leave every row as this connection sees it; a rollback may take back writes to any
        // table (as may a COMMIT that failed: failSqlite counts every table as changed).
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            failSqlite(this, QString(), QString());
        if (undoes)
            p_->touch();
        p_->transactionAtLook = inTransaction();
    } catch (...) {
        restoreDurability();
        throw;
    }
    restoreDurability();
}

void Database::restoreDurability()
{
    if (p_->deferred && db_ && !inTransaction()) {
        setSynchronous(db_, p_->fullSynchronous);
        p_->deferred = false;
    }
}

void Database::commit()
{
    requireOpen(this, QString());
    if (!inTransaction())
        fail(DbError::Kind::Other, QString(), QStringLiteral("no transaction is running"));
    transactionStatement("COMMIT", false);
}

void Database::rollback()
{
    requireOpen(this, QString());
    if (!inTransaction()) {
        restoreDurability();
        return;
    }
    transactionStatement("ROLLBACK", true);
}

bool Database::inTransaction() const
{
    return db_ && sqlite3_get_autocommit(db_) == 0;
}

std::unique_ptr<Recordset> Database::openTable(const QString &table, Rows rows)
{
    requireOpen(this, table);
    // One look at the file serves the name, the columns and the rows.
    const bool looked = p_->look(db_);
    const bool kept = looked && p_->schemaKept;
    const QString actual = actualTableName(this, table, kept);
    if (actual.isEmpty())
        fail(DbError::Kind::NoSuchTable, table, QStringLiteral("the table does not exist"));
    auto impl = std::make_unique<Recordset::Impl>(this, actual, shapeOf(this, actual, kept));
    impl->firstRowOnly = rows == Rows::First;
    impl->moveFirst(looked);
    return std::unique_ptr<Recordset>(new Recordset(std::move(impl)));
}

namespace {
[[noreturn]] void damaged(const Database *db, const QString &finding)
{
    db->fail(DbError::Kind::NotADatabase, QString(), QStringLiteral("the file is damaged (%1)").arg(finding));
}
} // namespace

void Database::checkStructure() const
{
    requireOpen(this, QString());
    int rc = 0;
    // SQLite itself refuses a schema whose b-trees start outside the file; it does not notice two on one start.
    Statement st(db_, QStringLiteral("SELECT name, rootpage FROM sqlite_master WHERE rootpage <> 0"), &rc);
    if (rc != SQLITE_OK)
        failSqlite(this, QString(), QString());
    // Two tables on one b-tree read each other's rows, and a write to one overwrites the other.
    QHash<long long, QString> owner;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const QString name = columnText(st, 0);
        const long long root = sqlite3_column_int64(st, 1);
        const auto it = owner.constFind(root);
        if (it != owner.constEnd())
            damaged(this, QStringLiteral("\"%1\" and \"%2\" are stored on the same pages").arg(*it, name));
        owner.insert(root, name);
    }
    if (rc != SQLITE_DONE)
        failSqlite(this, QString(), QString());
}

void Database::checkPages() const
{
    requireOpen(this, QString());
    int rc = 0;
    Statement st(db_, QStringLiteral("PRAGMA quick_check(3)"), &rc);
    if (rc != SQLITE_OK)
        failSqlite(this, QString(), QString());
    QStringList findings;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        // A finding may come with a heading line ("*** in database main ***") in the same row.
        for (const QString &line : columnText(st, 0).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (line != QLatin1String("ok") && !line.startsWith(QLatin1String("***")))
                findings << line.trimmed();
    }
    if (rc != SQLITE_DONE)
        failSqlite(this, QString(), QString());
    if (!findings.isEmpty())
        damaged(this, findings.join(QLatin1String("; ")));
}
