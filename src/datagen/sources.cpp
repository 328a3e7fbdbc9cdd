#include "sources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace datagen {

namespace {

bool readUtf8(const QString &file, QString *text, QString *error)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: cannot be read: %2").arg(file, f.errorString());
        return false;
    }
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QString s = QString::fromUtf8(bytes);
    if (s.toUtf8() != bytes) {
        *error = QStringLiteral("%1: not valid UTF-8").arg(file);
        return false;
    }
    *text = s;
    return true;
}

QString unescape(const QString &cell)
{
    if (!cell.contains(QLatin1Char('\\')))
        return cell;
    QString out;
    out.reserve(cell.size());
    for (int i = 0; i < cell.size(); ++i) {
        if (cell[i] == QLatin1Char('\\') && i + 1 < cell.size()) {
            if (cell[i + 1] == QLatin1Char('n')) {
                out += QLatin1Char('\n');
                ++i;
                continue;
            }
            if (cell[i + 1] == QLatin1Char('t')) {
                out += QLatin1Char('\t');
                ++i;
                continue;
            }
        }
        out += cell[i];
    }
    return out;
}

bool typeFromName(const QString &name, FieldType *type)
{
    static const QHash<QString, FieldType> types = {
        {QStringLiteral("double"), FieldType::Double},   {QStringLiteral("single"), FieldType::Single},
        {QStringLiteral("integer"), FieldType::Integer}, {QStringLiteral("long"), FieldType::Long},
        {QStringLiteral("boolean"), FieldType::Boolean}, {QStringLiteral("text"), FieldType::Text},
        {QStringLiteral("memo"), FieldType::Memo},       {QStringLiteral("variant"), FieldType::Variant}};
    auto it = types.constFind(name.trimmed().toLower());
    if (it == types.constEnd())
        return false;
    *type = *it;
    return true;
}

// C notation only: a point as decimal separator, an optional exponent, no group separators, finite.
bool cNumber(const QString &text, double *value)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return false;
    bool ok = false;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    const double v = c.toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

bool wholeNumber(const QString &text, long long *value)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?\\d{1,18}$"));
    const QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return false;
    *value = t.toLongLong();
    return true;
}

bool booleanWord(const QString &text, bool *value)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || t == QLatin1String("-1")) {
        *value = true;
        return true;
    }
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || t == QLatin1String("0")) {
        *value = false;
        return true;
    }
    return false;
}

struct Cell {
    QString text;
    bool quoted = false;
};

struct Record {
    int line = 0;
    std::vector<Cell> cells;
};

// RFC 4180 with '#' comment lines and blank lines skipped between records.
bool parseCsv(const QString &file, const QString &text, std::vector<Record> *records, QString *error)
{
    const int n = int(text.size());
    int i = 0;
    int line = 1;
    auto atLineEnd = [&](int k) { return k >= n || text[k] == QLatin1Char('\n') || text[k] == QLatin1Char('\r'); };
    auto skipLineEnd = [&](int &k) {
        if (k < n && text[k] == QLatin1Char('\r'))
            ++k;
        if (k < n && text[k] == QLatin1Char('\n'))
            ++k;
        ++line;
    };
    while (i < n) {
        // Start of a record.
        if (text[i] == QLatin1Char('#') || atLineEnd(i)) {
            while (!atLineEnd(i))
                ++i;
            skipLineEnd(i);
            continue;
        }
        Record rec;
        rec.line = line;
        for (;;) {
            Cell cell;
            const int cellLine = line;
            if (i < n && text[i] == QLatin1Char('"')) {
                cell.quoted = true;
                ++i;
                for (;;) {
                    if (i >= n) {
                        *error = QStringLiteral("%1:%2: column %3: the quoted cell is not closed")
                                     .arg(file)
                                     .arg(cellLine)
                                     .arg(rec.cells.size() + 1);
                        return false;
                    }
                    const QChar ch = text[i];
                    if (ch == QLatin1Char('"')) {
                        if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                            cell.text += QLatin1Char('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (ch == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
                        ++i; // a line break inside a cell is kept as "\n"
                        continue;
                    }
                    if (ch == QLatin1Char('\n'))
                        ++line;
                    cell.text += ch;
                    ++i;
                }
                if (!(i >= n || text[i] == QLatin1Char(',') || atLineEnd(i))) {
                    *error = QStringLiteral("%1:%2: column %3: text after the closing quote")
                                 .arg(file)
                                 .arg(line)
                                 .arg(rec.cells.size() + 1);
                    return false;
                }
            } else {
                while (i < n && text[i] != QLatin1Char(',') && !atLineEnd(i)) {
                    if (text[i] == QLatin1Char('"')) {
                        *error = QStringLiteral("%1:%2: column %3: a quote inside an unquoted cell")
                                     .arg(file)
                                     .arg(line)
                                     .arg(rec.cells.size() + 1);
                        return false;
                    }
                    cell.text += text[i++];
                }
            }
            rec.cells.push_back(cell);
            if (i < n && text[i] == QLatin1Char(',')) {
                ++i;
                continue;
            }
            if (i < n)
                skipLineEnd(i);
            break;
        }
        records->push_back(std::move(rec));
    }
    return true;
}

bool convertCell(FieldType type, const Cell &cell, Variant *out, QString *why)
{
    if (!cell.quoted && cell.text.isEmpty()) {
        *out = Variant::null();
        return true;
    }
    const QString &t = cell.text;
    switch (type) {
    case FieldType::Double:
    case FieldType::Single: {
        double d = 0;
        if (!cNumber(t, &d)) {
            *why = QStringLiteral("\"%1\" is not a number in C notation").arg(t);
            return false;
        }
        if (type == FieldType::Double) {
            *out = Variant(d);
        } else {
            if (std::fabs(d) > FLT_MAX) {
                *why = QStringLiteral("%1 is out of range of a single").arg(t);
                return false;
            }
            *out = Variant(static_cast<float>(d));
        }
        return true;
    }
    case FieldType::Integer:
    case FieldType::Long: {
        long long v = 0;
        const long long lo = type == FieldType::Integer ? -32768 : -2147483648LL;
        const long long hi = type == FieldType::Integer ? 32767 : 2147483647LL;
        if (!wholeNumber(t, &v) || v < lo || v > hi) {
            *why = QStringLiteral("\"%1\" is not a whole number from %2 to %3").arg(t).arg(lo).arg(hi);
            return false;
        }
        *out = Variant(v);
        return true;
    }
    case FieldType::Boolean: {
        bool b = false;
        if (!booleanWord(t, &b)) {
            *why = QStringLiteral("\"%1\" is not True, False, -1 or 0").arg(t);
            return false;
        }
        *out = Variant(b);
        return true;
    }
    case FieldType::Text:
    case FieldType::Memo:
        *out = Variant(t);
        return true;
    case FieldType::Variant: {
        if (cell.quoted) {
            *out = Variant(t);
            return true;
        }
        long long v = 0;
        double d = 0;
        bool b = false;
        if (wholeNumber(t, &v))
            *out = Variant(v);
        else if (cNumber(t, &d))
            *out = Variant(d);
        else if (t.trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
                 || t.trimmed().compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            booleanWord(t, &b);
            *out = Variant(b);
        } else
            *out = Variant(t);
        return true;
    }
    }
    return false;
}

} // namespace

const QStringList &languageColumns()
{
    static const QStringList cols = {QStringLiteral("strings_deutsch"),     QStringLiteral("strings_englisch"),
                                     QStringLiteral("strings_französisch"), QStringLiteral("strings_italienisch"),
                                     QStringLiteral("strings_spanisch"),    QStringLiteral("strings_tschechisch")};
    return cols;
}

bool readTexts(const QStringList &files, std::vector<TextRow> *rows, QString *error)
{
    static const QStringList header = {QStringLiteral("key"), QStringLiteral("de"), QStringLiteral("en"),
                                       QStringLiteral("fr"),  QStringLiteral("it"), QStringLiteral("es"),
                                       QStringLiteral("cs")};
    QHash<QString, QString> seen; // key -> where
    for (const TextRow &r : *rows)
        seen.insert(r.key, r.where);
    for (const QString &file : files) {
        QString text;
        if (!readUtf8(file, &text, error))
            return false;
        const QStringList lines = text.split(QLatin1Char('\n'));
        bool haveHeader = false;
        for (int ln = 0; ln < lines.size(); ++ln) {
            QString line = lines[ln];
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            const QString where = QStringLiteral("%1:%2").arg(file).arg(ln + 1);
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList cells = line.split(QLatin1Char('\t'));
            if (!haveHeader) {
                if (cells != header) {
                    *error = QStringLiteral("%1: the header must be \"%2\" (tab-separated)")
                                 .arg(where, header.join(QLatin1Char(' ')));
                    return false;
                }
                haveHeader = true;
                continue;
            }
            if (cells.size() != header.size()) {
                *error = QStringLiteral("%1: %2 cells, expected %3").arg(where).arg(cells.size()).arg(header.size());
                return false;
            }
            TextRow row;
            row.key = unescape(cells[0]);
            row.where = where;
            if (row.key.isEmpty()) {
                *error = QStringLiteral("%1: the key is empty").arg(where);
                return false;
            }
            auto it = seen.constFind(row.key);
            if (it != seen.constEnd()) {
                *error = QStringLiteral("%1: the key \"%2\" is already defined at %3").arg(where, row.key, *it);
                return false;
            }
            for (int c = 1; c < cells.size(); ++c)
                row.texts << unescape(cells[c]);
            seen.insert(row.key, where);
            rows->push_back(row);
        }
        if (!haveHeader) {
            *error = QStringLiteral("%1: no header line").arg(file);
            return false;
        }
    }
    return true;
}

DatabaseSource textDatabase(const std::vector<TextRow> &rows)
{
    DatabaseSource db;
    db.fileName = QStringLiteral("dbSprache.mdb");
    TableSource t;
    t.name = QStringLiteral("strings_sprache");
    t.file = QStringLiteral("texts");
    t.fields.push_back({QStringLiteral("strings_key"), FieldType::Text});
    for (const QString &c : languageColumns())
        t.fields.push_back({c, FieldType::Text});
    for (const TextRow &r : rows) {
        std::vector<Variant> values{Variant(r.key)};
        for (const QString &s : r.texts)
            values.push_back(Variant(s));
        t.rows.push_back(std::move(values));
    }
    db.tables.push_back(std::move(t));
    db.indexes.push_back({QStringLiteral("strings_sprache"), QStringLiteral("PrimaryKey"), {QStringLiteral("strings_key")}, true});
    return db;
}

bool readTable(const QString &csvFile, TableSource *table, QString *error)
{
    QString text;
    if (!readUtf8(csvFile, &text, error))
        return false;
    std::vector<Record> records;
    if (!parseCsv(csvFile, text, &records, error))
        return false;
    const QString base = QFileInfo(csvFile).fileName();
    table->name = base.left(base.size() - 4);
    table->file = csvFile;
    table->fields.clear();
    table->rows.clear();
    if (records.empty()) {
        *error = QStringLiteral("%1: no header line").arg(csvFile);
        return false;
    }
    const Record &head = records.front();
    for (int c = 0; c < int(head.cells.size()); ++c) {
        const QString cell = head.cells[c].text;
        const int colon = cell.lastIndexOf(QLatin1Char(':'));
        FieldDef def;
        if (colon <= 0 || !typeFromName(cell.mid(colon + 1), &def.type)) {
            *error = QStringLiteral("%1:%2: column %3: the header cell \"%4\" is not name:type with a type of double, "
                                    "single, integer, long, boolean, text, memo, variant")
                         .arg(csvFile)
                         .arg(head.line)
                         .arg(c + 1)
                         .arg(cell);
            return false;
        }
        def.name = cell.left(colon).trimmed();
        for (const FieldDef &f : table->fields)
            if (f.name.toCaseFolded() == def.name.toCaseFolded()) {
                *error = QStringLiteral("%1:%2: column %3: the column \"%4\" appears twice")
                             .arg(csvFile)
                             .arg(head.line)
                             .arg(c + 1)
                             .arg(def.name);
                return false;
            }
        table->fields.push_back(def);
    }
    for (size_t r = 1; r < records.size(); ++r) {
        const Record &rec = records[r];
        if (rec.cells.size() != table->fields.size()) {
            *error = QStringLiteral("%1:%2: %3 cells, the header has %4")
                         .arg(csvFile)
                         .arg(rec.line)
                         .arg(rec.cells.size())
                         .arg(table->fields.size());
            return false;
        }
        std::vector<Variant> values(rec.cells.size());
        for (size_t c = 0; c < rec.cells.size(); ++c) {
            QString why;
            if (!convertCell(table->fields[c].type, rec.cells[c], &values[c], &why)) {
                *error = QStringLiteral("%1:%2: column %3 \"%4\": %5")
                             .arg(csvFile)
                             .arg(rec.line)
                             .arg(c + 1)
                             .arg(table->fields[c].name, why);
                return false;
            }
        }
        table->rows.push_back(std::move(values));
    }
    return true;
}

bool readIndexes(const QString &file, const std::vector<TableSource> &tables, std::vector<IndexSource> *indexes,
                 QString *error)
{
    QString text;
    if (!readUtf8(file, &text, error))
        return false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int ln = 0; ln < lines.size(); ++ln) {
        QString line = lines[ln];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString where = QStringLiteral("%1:%2").arg(file).arg(ln + 1);
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (cells.size() != 4) {
            *error = QStringLiteral("%1: %2 cells, expected table, index, columns, unique|duplicates (tab-separated)")
                         .arg(where)
                         .arg(cells.size());
            return false;
        }
        IndexSource ix;
        ix.table = cells[0].trimmed();
        ix.name = cells[1].trimmed();
        const QString kind = cells[3].trimmed();
        if (kind != QLatin1String("unique") && kind != QLatin1String("duplicates")) {
            *error = QStringLiteral("%1: column 4: \"%2\" is neither unique nor duplicates").arg(where, kind);
            return false;
        }
        ix.unique = kind == QLatin1String("unique");
        const TableSource *t = nullptr;
        for (const TableSource &s : tables)
            if (s.name == ix.table)
                t = &s;
        if (!t) {
            *error = QStringLiteral("%1: column 1: no table \"%2\" in this folder").arg(where, ix.table);
            return false;
        }
        if (ix.name.isEmpty()) {
            *error = QStringLiteral("%1: column 2: the index has no name").arg(where);
            return false;
        }
        for (const IndexSource &o : *indexes)
            if (o.table == ix.table && o.name.toCaseFolded() == ix.name.toCaseFolded()) {
                *error = QStringLiteral("%1: column 2: the index \"%2\" is defined twice").arg(where, ix.name);
                return false;
            }
        for (const QString &c : cells[2].split(QLatin1Char(','))) {
            const QString col = c.trimmed();
            bool found = false;
            for (const FieldDef &f : t->fields)
                found = found || f.name.toCaseFolded() == col.toCaseFolded();
            if (!found) {
                *error = QStringLiteral("%1: column 3: the table \"%2\" has no column \"%3\"").arg(where, ix.table, col);
                return false;
            }
            ix.columns << col;
        }
        indexes->push_back(ix);
    }
    return true;
}

bool readDatabaseFolder(const QString &folder, DatabaseSource *db, QString *error)
{
    const QDir dir(folder);
    db->fileName = dir.dirName();
    db->tables.clear();
    db->indexes.clear();
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &f : files) {
        if (!f.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            continue;
        TableSource t;
        if (!readTable(dir.filePath(f), &t, error))
            return false;
        db->tables.push_back(std::move(t));
    }
    if (db->tables.empty()) {
        *error = QStringLiteral("%1: no table (*.csv) in the folder").arg(folder);
        return false;
    }
    if (dir.exists(QStringLiteral("indexes.txt")))
        return readIndexes(dir.filePath(QStringLiteral("indexes.txt")), db->tables, &db->indexes, error);
    return true;
}

bool writeDatabase(const DatabaseSource &source, const QString &target, QString *error)
{
    const QString temp = target + QStringLiteral(".part");
    QFile::remove(temp);
    QString where;
    try {
        {
            auto db = Database::create(temp);
            db->beginTransaction();
            for (const TableSource &t : source.tables) {
                where = t.file;
                db->createTable(t.name, t.fields);
                auto rs = db->openTable(t.name);
                for (size_t r = 0; r < t.rows.size(); ++r) {
                    rs->addNew();
                    for (size_t c = 0; c < t.fields.size(); ++c)
                        if (!t.rows[r][c].isNull())
                            rs->setField(t.fields[c].name, t.rows[r][c]);
                    rs->update();
                }
            }
            for (const IndexSource &ix : source.indexes) {
                where = QStringLiteral("index \"%1\" of \"%2\"").arg(ix.name, ix.table);
                db->createIndex(ix.table, ix.name, ix.columns, ix.unique);
            }
            db->commit();
        }
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(temp).toStdString(), QFile::encodeName(target).toStdString(), ec);
        if (ec) {
            QFile::remove(temp);
            *error = QStringLiteral("%1: cannot be written: %2").arg(target, QString::fromStdString(ec.message()));
            return false;
        }
    } catch (const DbError &e) {
        QFile::remove(temp);
        *error = QStringLiteral("%1: %2 (%3)").arg(source.fileName, e.text(), where);
        return false;
    }
    return true;
}

bool writePlainFile(const QByteArray &bytes, const QString &target, QString *error)
{
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        *error = QStringLiteral("%1: cannot be written: %2").arg(target, out.errorString());
        return false;
    }
    return true;
}

bool generateAll(const QString &dataDir, const QString &seedDir, const QString &programDir, QStringList *written,
                 QString *error)
{
    const QDir data(dataDir);
    if (!data.exists()) {
        *error = QStringLiteral("%1: the data folder does not exist").arg(dataDir);
        return false;
    }
    for (const QString &out : {seedDir, programDir})
        if (!QDir().mkpath(out)) {
            *error = QStringLiteral("%1: cannot create the folder").arg(out);
            return false;
        }

    // Everything is read first, so that a fault in any source leaves every output untouched.
    struct Job {
        DatabaseSource source;
        QString target;
    };
    std::vector<Job> jobs;
    // Plain files (help pages) are copied as they are.
    struct Copy {
        QByteArray bytes;
        QString source;
        QString target;
    };
    std::vector<Copy> copies;
    const auto madeTwice = [&](const QString &target) {
        const QString path = QFileInfo(target).absoluteFilePath();
        for (const Job &other : jobs)
            if (QFileInfo(other.target).absoluteFilePath() == path)
                return true;
        for (const Copy &other : copies)
            if (QFileInfo(other.target).absoluteFilePath() == path)
                return true;
        return false;
    };

    QStringList tsv;
    const QDir texts(data.filePath(QStringLiteral("texts")));
    for (const QString &f : texts.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name))
        tsv << texts.filePath(f);
    std::vector<TextRow> rows;
    if (!readTexts(tsv, &rows, error))
        return false;
    jobs.push_back({textDatabase(rows), QDir(seedDir).filePath(QStringLiteral("dbSprache.mdb"))});

    const std::pair<QString, QString> groups[] = {{QStringLiteral("seed"), seedDir},
                                                  {QStringLiteral("program"), programDir}};
    for (const auto &[sub, outDir] : groups) {
        const QDir dir(data.filePath(sub));
        for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            Job job;
            if (!readDatabaseFolder(dir.filePath(name), &job.source, error))
                return false;
            job.target = QDir(outDir).filePath(name);
            if (madeTwice(job.target)) {
                *error = QStringLiteral("%1: the file %2 is made twice").arg(dir.filePath(name), job.target);
                return false;
            }
            jobs.push_back(std::move(job));
        }
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
            Copy copy{QByteArray(), dir.filePath(name), QDir(outDir).filePath(name)};
            QFile in(copy.source);
            if (!in.open(QIODevice::ReadOnly)) {
                *error = QStringLiteral("%1: cannot be read: %2").arg(copy.source, in.errorString());
                return false;
            }
            copy.bytes = in.readAll();
            if (in.error() != QFileDevice::NoError) {
                *error = QStringLiteral("%1: cannot be read: %2").arg(copy.source, in.errorString());
                return false;
            }
            if (madeTwice(copy.target)) {
                *error = QStringLiteral("%1: the file %2 is made twice").arg(copy.source, copy.target);
                return false;
            }
            copies.push_back(std::move(copy));
        }
    }

    for (const Job &job : jobs) {
        if (!writeDatabase(job.source, job.target, error))
            return false;
        if (written)
            *written << job.target;
    }
    for (const Copy &copy : copies) {
        if (!writePlainFile(copy.bytes, copy.target, error))
            return false;
        if (written)
            *written << copy.target;
    }
    return true;
}

} // namespace datagen
