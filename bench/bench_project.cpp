// Saving and loading a project file and the program parameters: median times in milliseconds (aim: below 10 ms).
// Works on a copy of the generated default project; without it, on a file built here with the same tables.
// Then the same file with 2^21 records in a project table and in the parameter table (2^16 with --quick): a load
// reads only the first records (aim: below 50 ms and 50 MB), a save checks every page first.

#include "app/program_parameters.h"
#include "app/project_file.h"

#include "common.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <cstdio>

namespace {

FieldType columnType(const FileItem &item)
{
    switch (item.type()) {
    case ItemType::D: return FieldType::Double;
    case ItemType::F: return FieldType::Single;
    case ItemType::I: return FieldType::Integer;
    case ItemType::B: return FieldType::Boolean;
    case ItemType::S: return FieldType::Text;
    case ItemType::V: return FieldType::Variant;
    }
    return FieldType::Variant;
}

void buildFile(const QString &path, const SharedData &d)
{
    auto db = Database::create(path);
    for (const auto *items : {&projectItems(), &programParameterItems()}) {
        QStringList tables;
        for (const FileItem &item : *items)
            if (!tables.contains(item.table))
                tables << item.table;
        for (const QString &table : tables) {
            std::vector<FieldDef> fields;
            for (const FileItem &item : *items)
                if (item.table == table)
                    fields.push_back(FieldDef{item.column, columnType(item)});
            db->createTable(table, fields);
            auto rs = db->openTable(table);
            rs->addNew();
            for (const FileItem &item : *items)
                if (item.table == table)
                    rs->setField(item.column, fileitems::toColumn(d, item, path));
            rs->update();
        }
    }
}

// Copies of the first record until the table holds `rows` records.
bool fillTable(const QString &path, const QString &table, long rows)
{
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK;
    const QString sql = QStringLiteral("CREATE TABLE n AS WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c "
                                       "WHERE i < %1) SELECT i FROM c; "
                                       "INSERT INTO \"%2\" SELECT t.* FROM \"%2\" AS t, n; DROP TABLE n;")
                            .arg(rows - 1)
                            .arg(table);
    ok = ok && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// Resident memory of this process in kB: now, and at its peak since resetPeak().
long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return -1;
}

void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool quick = bench::quick(argc, argv);
    const int runs = quick ? 15 : 200;

    QTemporaryDir dir;
    const QString target = projectFilePath(dir.path(), QStringLiteral("Bench"));
    const QString seed = QStringLiteral(QUENDRA_SEED_DIR "/Default.vls");
    SharedData data;
    data.Ventiltyp = QStringLiteral("4627_71");
    QString source = QStringLiteral("built here");
    try {
        if (QFileInfo::exists(seed) && QFile::copy(seed, target)) {
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
            source = seed;
        } else {
            buildFile(target, data);
        }
        LoadProgrammParameter(dir.path(), QStringLiteral("Bench"), data);
        LoadParameter(dir.path(), QStringLiteral("Bench"), data);

        const double save = bench::medianMs(runs, [&] { SaveParameter(dir.path(), QStringLiteral("Bench"), data); });
        const double load = bench::medianMs(runs, [&] { LoadParameter(dir.path(), QStringLiteral("Bench"), data); });
        const double saveParams =
            bench::medianMs(runs, [&] { SaveProgrammParameter(dir.path(), QStringLiteral("Bench"), data); });
        const double loadParams =
            bench::medianMs(runs, [&] { LoadProgrammParameter(dir.path(), QStringLiteral("Bench"), data); });

        QTextStream out(stdout);
        out << "project file: " << source << ", " << runs << " runs each, median ms\n";
        out << "  SaveParameter          " << QString::number(save, 'f', 3) << "\n";
        out << "  LoadParameter          " << QString::number(load, 'f', 3) << "\n";
        out << "  SaveProgrammParameter  " << QString::number(saveParams, 'f', 3) << "\n";
        out << "  LoadProgrammParameter  " << QString::number(loadParams, 'f', 3) << "\n";

        const long rows = quick ? 1L << 16 : 1L << 21;
        const QString huge = projectFilePath(dir.path(), QStringLiteral("Huge"));
        if (!QFile::copy(target, huge) || !fillTable(huge, QStringLiteral("Ausdruck"), rows) ||
            !fillTable(huge, QStringLiteral("_Programmparameter"), rows)) {
            std::fprintf(stderr, "cannot build the file of %ld records\n", rows);
            return 1;
        }
        const int hugeRuns = quick ? 5 : 50;
        auto loadBoth = [&] {
            LoadProgrammParameter(dir.path(), QStringLiteral("Huge"), data);
            LoadParameter(dir.path(), QStringLiteral("Huge"), data);
        };
        loadBoth();
        const long rssBefore = statusKb("VmRSS:");
        resetPeak();
        const double hugeLoad = bench::medianMs(hugeRuns, loadBoth);
        const long peakGrowth = statusKb("VmHWM:") - rssBefore;
        const double hugeSave = bench::medianMs(quick ? 3 : 10, [&] {
            SaveProgrammParameter(dir.path(), QStringLiteral("Huge"), data);
            SaveParameter(dir.path(), QStringLiteral("Huge"), data);
        });
        out << "file of " << rows << " records in two tables, " << QFileInfo(huge).size() / (1024 * 1024)
            << " MB, median ms\n";
        out << "  both loads             " << QString::number(hugeLoad, 'f', 3) << "  (peak memory growth "
            << peakGrowth << " kB)\n";
        out << "  both saves             " << QString::number(hugeSave, 'f', 3) << "\n";
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
