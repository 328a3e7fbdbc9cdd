#include "support/fixture_catalogue.h"

#include "state/shared_data.h"

#include <QDir>
#include <QFileInfo>
#include <map>

namespace testsupport {

QString inchText(int DN)
{
    static const std::map<int, QString> inch = {
        {8, "1/4\""},    {10, "3/8\""}, {15, "1/2\""},   {20, "3/4\""}, {25, "1\""},  {32, "1 1/4\""},
        {40, "1 1/2\""}, {50, "2\""},   {65, "2 1/2\""}, {80, "3\""},   {100, "4\""}, {125, "5\""},
        {150, "6\""},    {200, "8\""},  {250, "10\""},   {300, "12\""}, {350, "14\""}, {400, "16\""}};
    auto it = inch.find(DN);
    return it == inch.end() ? QString() : it->second;
}

void writeValveSeries(Database &db, const QString &table, const std::vector<CatalogueRow> &rows,
                      const QStringList &without)
{
    std::vector<FieldDef> fields = {
        {"DN", FieldType::Long},      {"DN_Zoll", FieldType::Text},   {"Kennlinie", FieldType::Integer},
        {"Kvs", FieldType::Single},   {"Cv", FieldType::Single},      {"Reduktion", FieldType::Single},
        {"Stellverhältnis", FieldType::Double}, {"a0", FieldType::Double}, {"a1", FieldType::Double},
        {"a2", FieldType::Double},    {"a3", FieldType::Double},      {"a4", FieldType::Double},
        {"a5", FieldType::Double},    {"aFL", FieldType::Double},     {"bFL", FieldType::Double},
        {"cFL", FieldType::Double},   {"axT", FieldType::Double},     {"bxT", FieldType::Double},
        {"cxT", FieldType::Double},   {"Schalldaten", FieldType::Text}};
    const char *coefficients[] = {"a0", "a1", "a2", "a3", "a4", "a5", "aFL", "bFL", "cFL", "axT", "bxT", "cxT"};
    std::erase_if(fields, [&without](const FieldDef &f) { return without.contains(f.name); });
    db.createTable(table, fields);
    QStringList index{"DN", "Kvs"};
    index.removeIf([&without](const QString &c) { return without.contains(c); });
    if (!table.startsWith(QLatin1Char('_')) && !index.isEmpty())
        db.createIndex(table, table, index, false);
    db.beginTransaction();
    try {
        auto rs = db.openTable(table);
        auto set = [&](const QString &column, const Variant &value) {
            if (!without.contains(column))
                rs->setField(column, value);
        };
        for (const CatalogueRow &r : rows) {
            rs->addNew();
            set("DN", Variant(r.DN));
            set("DN_Zoll", Variant(r.inch));
            set("Kennlinie", Variant(r.Kennlinie));
            set("Kvs", Variant(r.Kvs));
            set("Cv", Variant(static_cast<float>(1.16 * r.Kvs)));
            set("Reduktion", Variant(r.Reduktion));
            set("Stellverhältnis", Variant(r.Stellverhaeltnis));
            std::array<double, 12> values;
            std::copy(r.a.begin(), r.a.end(), values.begin());
            std::copy(r.fl.begin(), r.fl.end(), values.begin() + 6);
            std::copy(r.xt.begin(), r.xt.end(), values.begin() + 9);
            for (int i = 0; i < 12; ++i)
                set(coefficients[i], Variant(values[i]));
            set("Schalldaten", Variant(r.Schalldaten));
            rs->update();
        }
        rs->close();
    } catch (...) {
        db.rollback();
        throw;
    }
    db.commit();
}

void writeNoiseTable(Database &db, const QString &table, const std::vector<NoiseRow> &rows)
{
    const char *names[] = {"KKV", "LA0", "LA1", "LA2", "LA3", "LA4", "LA5", "ZZY"};
    std::vector<FieldDef> fields;
    for (const char *c : names)
        fields.push_back({c, FieldType::Double});
    db.createTable(table, fields);
    auto rs = db.openTable(table);
    for (const NoiseRow &row : rows) {
        rs->addNew();
        for (int i = 0; i < 8; ++i)
            rs->setField(names[i], Variant(row[i]));
        rs->update();
    }
    rs->close();
}

std::vector<NoiseRow> slopedNoiseRows()
{
    return {{1, -2, 0, 0, 0, 0, 0, 0.6}, {100, -1, -2, 0, 0, 0, 0, 0.5}, {1000, 0, -3, 0, 0, 0, 0, 0.4}};
}

std::vector<NoiseRow> flatNoiseRows(double zzy)
{
    std::vector<NoiseRow> rows;
    for (double kkv : {1.0, 100.0, 1000.0})
        rows.push_back({kkv, -2, 0, 0, 0, 0, 0, zzy});
    return rows;
}

std::shared_ptr<Database> createCatalogue(const QString &path, const QString &table,
                                          const std::vector<CatalogueRow> &rows)
{
    std::shared_ptr<Database> db = Database::create(path);
    writeValveSeries(*db, table, rows);
    return db;
}

std::shared_ptr<Database> createNoiseDatabase(const QString &path, const std::vector<NoiseRow> &rows)
{
    std::shared_ptr<Database> db = Database::create(path);
    writeNoiseTable(*db, QStringLiteral("S1"), rows);
    return db;
}

void installCatalogue(const QString &folder, const QString &table, const std::vector<CatalogueRow> &series,
                      const std::vector<NoiseRow> &noise)
{
    SharedData &s = shared();
    s.dbKenndaten = createCatalogue(QDir(folder).filePath(QStringLiteral("dbKenndaten.mdb")), table, series);
    s.dbSchalldaten = createNoiseDatabase(QDir(folder).filePath(QStringLiteral("dbSchalldaten.mdb")), noise);
    openSeries(table);
}

void openSeries(const QString &key)
{
    SharedData &s = shared();
    s.Ventiltyp = key;
    std::shared_ptr<Recordset> rs = s.dbKenndaten->openTable(key);
    if (!key.startsWith(QLatin1Char('_')) && s.dbKenndaten->indexNames(key).contains(key))
        rs->setIndex(key);
    s.rsVentil = rs;
}

QString scratchTemplate(const QString &prefix, bool memory)
{
    if (memory && QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        return QStringLiteral("/dev/shm/") + prefix + QStringLiteral("-XXXXXX");
    return QDir::tempPath() + QLatin1Char('/') + prefix + QStringLiteral("-XXXXXX");
}

} // namespace testsupport
