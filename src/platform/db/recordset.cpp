#include "database.h"

#include "recordset_impl.h"

#include <algorithm>

using namespace dbi;

namespace {
const std::shared_ptr<const RowSet> &noRows()
{
    static const std::shared_ptr<const RowSet> none = std::make_shared<const RowSet>();
    return none;
}
} // namespace

// ---- Impl

Recordset::Impl::Impl(Database *database, const QString &actualTable, std::shared_ptr<const TableShape> tableShape)
    : db(database), file(database->path()), table(actualTable), shape(std::move(tableShape)),
      quotedTable(shape->quotedTable), fields(shape->fields), byName(shape->byName), byFolded(shape->byFolded),
      rowSet(noRows())
{
    db->priv()->cursors.push_back(this);
}

Recordset::Impl::~Impl()
{
    finalizeAll();
    if (db) {
        auto &c = db->priv()->cursors;
        c.erase(std::remove(c.begin(), c.end(), this), c.end());
    }
}

void Recordset::Impl::finalizeAll()
{
    if (selectRows && db && db->isOpen())
        db->priv()->giveBack(selectSql, selectRows);
    else
        sqlite3_finalize(selectRows);
    selectRows = nullptr;
}

void Recordset::Impl::detach()
{
    finalizeAll();
    db = nullptr;
    pending = Pending::None;
    rowSet = noRows();
    seekMaps.clear();
    seekMapsValid.clear();
}

void Recordset::Impl::fail(DbError::Kind kind, const QString &message) const
{
    throw DbError(kind, file, table, message);
}

void Recordset::Impl::failClosed() const
{
    fail(DbError::Kind::Other, QStringLiteral("the recordset is closed"));
}

sqlite3_stmt *Recordset::Impl::prepareSelect()
{
    if (!selectRows) {
        int rc = 0;
        selectRows = requireDb()->priv()->takeStatement(db->handle(), selectText(), &rc);
        if (rc != SQLITE_OK)
            failSqlite(db, table, QString());
    }
    return selectRows;
}

const QString &Recordset::Impl::selectText()
{
    if (selectSql.isEmpty()) {
        QString order;
        for (int c : indexColumns)
            order += quoted(fields[c].name) + QLatin1String(", ");
        selectSql = QLatin1String("SELECT rowid") + shape->columnList + QLatin1String(" FROM ") + quotedTable
                    + QLatin1String(" ORDER BY ") + order + QLatin1String("rowid")
                    + QLatin1String(firstRowOnly ? " LIMIT 1" : "");
    }
    return selectSql;
}

int Recordset::Impl::column(const QString &name) const
{
    auto it = byName.constFind(name);
    if (it != byName.constEnd())
        return *it;
    it = byFolded.constFind(name.toCaseFolded());
    if (it != byFolded.constEnd())
        return *it;
    throw DbError(DbError::Kind::NoSuchColumn, file, table, QStringLiteral("the field \"%1\" does not exist").arg(name))
        .inColumn(name);
}

void Recordset::Impl::failColumn(int index) const
{
    fail(DbError::Kind::NoSuchColumn, QStringLiteral("the field number %1 does not exist").arg(index));
}

// -- order and position

void Recordset::Impl::loadRows(bool checked, quint64 gen)
{
    Database::Private *p = db->priv();
    std::shared_ptr<const RowSet> kept = checked ? p->keptRows(selectText(), table, shape) : nullptr;
    if (!kept) {
        sqlite3_stmt *st = prepareSelect();
        auto read = std::make_shared<RowSet>();
        const int n = int(fields.size());
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            read->ids.push_back(sqlite3_column_int64(st, 0));
            std::vector<Variant> v(n);
            for (int i = 0; i < n; ++i)
                v[i] = dbi::read(fields[i].type, st, i + 1);
            read->values.push_back(std::move(v));
        }
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) {
            rowSet = noRows();
            rowsGeneration = 0;
            failSqlite(db, table, QString());
        }
        kept = std::move(read);
        p->keepRows(selectSql, table, shape, gen, kept);
    }
    rowSet = std::move(kept);
    positionsValid = false;
    seekMapsValid.assign(seekMapsValid.size(), false);
}

void Recordset::Impl::ensureRows(bool full, bool looked)
{
    Database::Private *p = requireDb()->priv();
    const quint64 gen = full && !looked ? p->checkedGeneration(db->handle()) : p->generation;
    if (gen == rowsGeneration)
        return;
    if (p->unchangedSince(table, rowsGeneration)) { // only other tables were written
        rowsGeneration = gen;
        return;
    }
    loadRows(full, gen);
    rowsGeneration = gen;
    const int n = int(rows().size());
    switch (at) {
    case At::Row: {
        const int found = positionOfRow(rowid);
        if (found >= 0) {
            pos = found;
        } else {
            // Deleted through another cursor: stand where it was, on no row.
            at = At::Deleted;
            pos = std::min(pos, n);
        }
        break;
    }
    case At::Deleted:
        pos = std::min(pos, n);
        break;
    case At::Bof:
    case At::Eof:
    case At::Empty:
        if (n == 0)
            at = At::Empty;
        else if (at == At::Empty)
            at = At::Eof;
        break;
    }
}

int Recordset::Impl::positionOfRow(long long id)
{
    if (!positionsValid) {
        const int n = int(rows().size());
        positionOf.clear();
        positionOf.reserve(n);
        for (int i = 0; i < n; ++i)
            positionOf.insert(rows()[i], i);
        positionsValid = true;
    }
    auto it = positionOf.constFind(id);
    return it == positionOf.constEnd() ? -1 : *it;
}

long long Recordset::Impl::bookmark()
{
    requireDb();
    ensureRows(false);
    if (at != At::Row)
        fail(DbError::Kind::NoCurrentRecord, QStringLiteral("there is no current record to mark"));
    return rowid;
}

void Recordset::Impl::moveToBookmark(long long id)
{
    requireDb();
    ensureRows(true);
    const int p = positionOfRow(id);
    if (p < 0)
        fail(DbError::Kind::NoCurrentRecord, QStringLiteral("the marked record no longer exists"));
    cancelUpdate();
    place(p);
}

void Recordset::Impl::place(int p)
{
    const int n = int(rows().size());
    if (n == 0) {
        at = At::Empty;
        pos = -1;
    } else if (p < 0) {
        at = At::Bof;
        pos = -1;
    } else if (p >= n) {
        at = At::Eof;
        pos = n;
    } else {
        at = At::Row;
        pos = p;
        rowid = rows()[p];
    }
}

void Recordset::Impl::moveFirst(bool looked)
{
    cancelUpdate();
    ensureRows(true, looked);
    place(0);
}

void Recordset::Impl::moveLast()
{
    cancelUpdate();
    ensureRows(true);
    place(int(rows().size()) - 1);
    if (rows().empty())
        at = At::Empty;
}

void Recordset::Impl::moveNext()
{
    cancelUpdate();
    ensureRows(false);
    switch (at) {
    case At::Row: place(pos + 1); break;
    case At::Bof: place(0); break;
    case At::Deleted: place(pos); break; // the rows after the deleted one moved up by one
    case At::Eof:
    case At::Empty: break;
    }
}

void Recordset::Impl::movePrevious()
{
    cancelUpdate();
    ensureRows(false);
    switch (at) {
    case At::Row:
    case At::Deleted: place(pos - 1); break;
    case At::Eof: place(int(rows().size()) - 1); break;
    case At::Bof:
    case At::Empty: break;
    }
}

bool Recordset::Impl::eof()
{
    if (!db || !db->isOpen())
        return true;
    ensureRows(false);
    return at == At::Eof || at == At::Empty;
}

bool Recordset::Impl::bof()
{
    if (!db || !db->isOpen())
        return true;
    ensureRows(false);
    return at == At::Bof || at == At::Empty;
}

long Recordset::Impl::recordCount()
{
    ensureRows(true);
    return long(rows().size());
}

// -- index and seek

namespace {
// "=" as the file compares after conversion to the column's type: numbers by value, texts exactly.
QString keyText(const Variant &v)
{
    if (v.isString()) {
        const QString s = v.toString();
        return QLatin1Char('s') + QString::number(s.size()) + QLatin1Char(':') + s;
    }
    return QLatin1Char('n') + QString::number(v.toDouble(), 'g', 17) + QLatin1Char(';');
}
} // namespace

const QHash<QString, int> &Recordset::Impl::seekMap(int keyCount)
{
    if (int(seekMaps.size()) <= keyCount) {
        seekMaps.resize(keyCount + 1);
        seekMapsValid.resize(keyCount + 1, false);
    }
    QHash<QString, int> &map = seekMaps[keyCount];
    if (!seekMapsValid[keyCount]) {
        map.clear();
        map.reserve(int(rows().size()));
        for (int p = 0; p < int(rows().size()); ++p) {
            QString key;
            bool hasNull = false;
            for (int i = 0; i < keyCount && !hasNull; ++i) {
                const Variant &v = rowSet->values[p][indexColumns[i]];
                hasNull = v.isNull();
                key += keyText(v);
            }
            if (!hasNull && !map.contains(key))
                map.insert(key, p); // the first row in index order
        }
        seekMapsValid[keyCount] = true;
    }
    return map;
}

void Recordset::Impl::setIndex(const QString &index)
{
    requireDb();
    cancelUpdate();
    std::vector<int> cols;
    QString name;
    if (!index.isEmpty()) {
        bool found = false;
        for (const IndexInfo &info : indexesOf(db, table)) {
            if (!sameName(info.name, index))
                continue;
            for (const QString &c : info.columns)
                cols.push_back(column(c));
            name = info.name;
            found = true;
            break;
        }
        if (!found)
            throw DbError(DbError::Kind::NoSuchIndex, file, table,
                          QStringLiteral("the index \"%1\" does not exist").arg(index))
                .inColumn(index);
    }
    indexName = name;
    indexColumns = cols;
    finalizeAll();
    selectSql.clear();
    seekMaps.clear();
    seekMapsValid.clear();
    rowsGeneration = 0;
    noMatch = false;
    moveFirst();
}

bool Recordset::Impl::seek(const std::vector<Variant> &keys)
{
    requireDb();
    cancelUpdate();
    if (indexColumns.empty())
        fail(DbError::Kind::NoSuchIndex, QStringLiteral("no index is set for the seek"));
    if (keys.empty() || keys.size() > indexColumns.size())
        fail(DbError::Kind::Other, QStringLiteral("the seek gives %1 values for an index of %2 columns")
                                       .arg(keys.size())
                                       .arg(indexColumns.size()));
    ensureRows(true);
    auto miss = [&] {
        noMatch = true;
        place(int(rows().size()));
        return false;
    };
    QString key;
    for (size_t i = 0; i < keys.size(); ++i) {
        Variant converted;
        QString why;
        if (!toStored(fields[indexColumns[i]].type, keys[i], &converted, &why) || converted.isNull())
            return miss();
        key += keyText(converted);
    }
    const QHash<QString, int> &map = seekMap(int(keys.size()));
    auto it = map.constFind(key);
    if (it == map.constEnd())
        return miss();
    noMatch = false;
    place(*it);
    return true;
}

// -- reading

const std::vector<Variant> &Recordset::Impl::currentRow()
{
    ensureRows(false);
    if (at != At::Row)
        fail(DbError::Kind::NoCurrentRecord, at == At::Deleted ? QStringLiteral("the current record was deleted")
                                                               : QStringLiteral("there is no current record"));
    return rowSet->values[pos];
}

const Variant &Recordset::Impl::field(int index)
{
    requireColumn(index);
    requireDb();
    if (pending != Pending::None)
        return buffer[index];
    // The common case without a call: nothing written since the rows were read, and a row current.
    if (rowsGeneration == db->priv()->generation && at == At::Row)
        return rowSet->values[pos][index];
    return currentRow()[index];
}

// -- writing

void Recordset::Impl::requireWritable() const
{
    Database *d = requireDb();
    if (sqlite3_db_readonly(d->handle(), "main") == 1)
        fail(DbError::Kind::ReadOnly, QStringLiteral("the database is opened read-only"));
}

void Recordset::Impl::addNew()
{
    requireWritable();
    cancelUpdate();
    pending = Pending::New;
    buffer.assign(fields.size(), Variant::null());
    dirty.assign(fields.size(), false);
}

void Recordset::Impl::edit()
{
    requireWritable();
    cancelUpdate();
    buffer = currentRow();
    dirty.assign(fields.size(), false);
    pending = Pending::Existing;
}

void Recordset::Impl::setField(int c, const Variant &value)
{
    requireColumn(c);
    requireDb();
    if (pending == Pending::None)
        fail(DbError::Kind::Other, QStringLiteral("the field \"%1\" is set without addNew or edit").arg(fields[c].name));
    buffer[c] = stored(c, value);
    dirty[c] = true;
}

Variant Recordset::Impl::stored(int c, const Variant &value) const
{
    Variant out;
    QString why;
    DbError::Fault fault = DbError::Fault::None;
    if (!toStored(fields[c].type, value, &out, &why, &fault))
        throw DbError(DbError::Kind::TypeMismatch, file, table, QStringLiteral("field \"%1\": %2").arg(fields[c].name, why))
            .inColumn(fields[c].name)
            .withValue(fault, value.toString());
    return out;
}

QString Recordset::Impl::writeText(Pending kind, const std::vector<int> &cols) const
{
    if (kind == Pending::New && cols.empty())
        return QLatin1String("INSERT INTO ") + quotedTable + QLatin1String(" DEFAULT VALUES");
    if (kind == Pending::New) {
        QStringList names, marks;
        for (size_t i = 0; i < cols.size(); ++i) {
            names << quoted(fields[cols[i]].name);
            marks << QLatin1Char('?') + QString::number(i + 1);
        }
        return QLatin1String("INSERT INTO ") + quotedTable + QLatin1String(" (") + names.join(QLatin1String(", "))
               + QLatin1String(") VALUES (") + marks.join(QLatin1String(", ")) + QLatin1Char(')');
    }
    QStringList sets;
    for (size_t i = 0; i < cols.size(); ++i)
        sets << quoted(fields[cols[i]].name) + QLatin1String(" = ?") + QString::number(i + 1);
    return QLatin1String("UPDATE ") + quotedTable + QLatin1String(" SET ") + sets.join(QLatin1String(", "))
           + QLatin1String(" WHERE rowid = ?") + QString::number(cols.size() + 1);
}

void Recordset::Impl::update()
{
    requireWritable();
    if (pending == Pending::None)
        fail(DbError::Kind::Other, QStringLiteral("update without addNew or edit"));
    std::vector<int> cols;
    for (int i = 0; i < int(fields.size()); ++i)
        if (dirty[i])
            cols.push_back(i);
    if (pending == Pending::Existing && cols.empty()) {
        lastStored = rowid;
        cancelUpdate();
        return;
    }
    // A table is mostly filled row by row with the same fields: the text of the last statement is kept.
    if (pending != writePending || cols != writeColumns) {
        writeSql = writeText(pending, cols);
        writePending = pending;
        writeColumns = cols;
    }
    int rc = 0;
    PooledStatement st(db, writeSql, &rc);
    if (rc != SQLITE_OK)
        failSqlite(db, table, QString());
    for (size_t i = 0; i < cols.size(); ++i)
        bind(st, int(i + 1), buffer[cols[i]]);
    if (pending == Pending::Existing)
        sqlite3_bind_int64(st, int(cols.size() + 1), rowid);
    const long long totalBefore = sqlite3_total_changes64(db->handle());
    rc = sqlite3_step(st);
    if (rc != SQLITE_DONE)
        failSqlite(db, table, QString()); // the buffer stays pending for a correction
    lastStored = pending == Pending::New ? sqlite3_last_insert_rowid(db->handle()) : rowid;
    db->priv()->wrote(db->handle(), table, totalBefore);
    cancelUpdate();
}

void Recordset::Impl::deleteRecord()
{
    requireWritable();
    cancelUpdate();
    ensureRows(false);
    if (at != At::Row)
        fail(DbError::Kind::NoCurrentRecord, QStringLiteral("there is no current record to delete"));
    int rc = 0;
    PooledStatement st(db, QLatin1String("DELETE FROM ") + quotedTable + QLatin1String(" WHERE rowid = ?1"), &rc);
    if (rc != SQLITE_OK)
        failSqlite(db, table, QString());
    sqlite3_bind_int64(st, 1, rowid);
    const long long totalBefore = sqlite3_total_changes64(db->handle());
    if (sqlite3_step(st) != SQLITE_DONE)
        failSqlite(db, table, QString());
    db->priv()->wrote(db->handle(), table, totalBefore);
    at = At::Deleted;
}

std::unique_ptr<Recordset::Impl> Recordset::Impl::clone() const
{
    auto c = std::make_unique<Impl>(requireDb(), table, shape);
    c->indexName = indexName;
    c->indexColumns = indexColumns;
    c->firstRowOnly = firstRowOnly;
    c->rowSet = rowSet;
    c->selectSql = selectSql;
    c->rowsGeneration = rowsGeneration;
    c->at = at;
    c->pos = pos;
    c->rowid = rowid;
    return c;
}

// ---- Recordset

Recordset::Recordset(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

Recordset::~Recordset() = default;

const QString &Recordset::table() const { return d->table; }

QStringList Recordset::fieldNames() const
{
    QStringList out;
    for (const FieldDef &f : d->fields)
        out << f.name;
    return out;
}

bool Recordset::hasField(const QString &name) const
{
    return d->byName.contains(name) || d->byFolded.contains(name.toCaseFolded());
}

FieldType Recordset::fieldType(const QString &name) const { return d->fields[d->column(name)].type; }

void Recordset::setIndex(const QString &index) { d->setIndex(index); }
const QString &Recordset::index() const { return d->indexName; }
bool Recordset::seek(const std::vector<Variant> &keys) { return d->seek(keys); }
bool Recordset::noMatch() const { return d->noMatch; }
void Recordset::moveFirst() { d->moveFirst(); }
void Recordset::moveLast() { d->moveLast(); }
void Recordset::moveNext() { d->moveNext(); }
void Recordset::movePrevious() { d->movePrevious(); }
bool Recordset::eof() const { return d->eof(); }
bool Recordset::bof() const { return d->bof(); }
long Recordset::recordCount() const { return d->recordCount(); }

std::unique_ptr<Recordset> Recordset::clone() const
{
    return std::unique_ptr<Recordset>(new Recordset(d->clone()));
}

Variant Recordset::field(const QString &name) const { return d->field(d->column(name)); }
int Recordset::fieldIndex(const QString &name) const { return d->column(name); }
Variant Recordset::field(int index) const { return d->field(index); }

Variant Recordset::checkedField(int index) const
{
    return d->stored(index, d->field(index));
}
void Recordset::addNew() { d->addNew(); }
void Recordset::edit() { d->edit(); }
void Recordset::setField(const QString &name, const Variant &value) { d->setField(d->column(name), value); }
void Recordset::setField(int index, const Variant &value) { d->setField(index, value); }
void Recordset::update() { d->update(); }
void Recordset::cancelUpdate() { d->cancelUpdate(); }
long long Recordset::bookmark() const { return d->bookmark(); }
void Recordset::moveToBookmark(long long bookmark) { d->moveToBookmark(bookmark); }

long long Recordset::lastModified() const
{
    if (d->lastStored == 0)
        d->fail(DbError::Kind::NoCurrentRecord, QStringLiteral("no record has been stored through this cursor"));
    return d->lastStored;
}

bool Recordset::editing() const { return d->pending != Impl::Pending::None; }
void Recordset::deleteRecord() { d->deleteRecord(); }

void Recordset::close()
{
    if (d->db) {
        auto &c = d->db->priv()->cursors;
        c.erase(std::remove(c.begin(), c.end(), d.get()), c.end());
    }
    d->detach();
}
