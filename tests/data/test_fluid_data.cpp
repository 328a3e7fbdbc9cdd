#include "platform/db/database.h"
#include "state/shared_data.h"
#include "units/data_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <map>

// The shipped fluid database: the ideal-gas and liquid tables of the six languages, physically sound and alike in
// every number, and copied into a new data folder.

namespace {

const QStringList suffixes = {"_d", "_e", "_f", "_i", "_s", "_cz"};

QString seedFile()
{
    return QStringLiteral(QUENDRA_SEED_DIR "/dbStoffdaten.mdb");
}

// Molar masses in kg/kmol from the standard atomic weights, by the German name of the gas.
const std::map<QString, double> &molarMasses()
{
    static const std::map<QString, double> m = {
        {"Luft", 28.96},          {"Stickstoff", 28.013},      {"Sauerstoff", 31.999},
        {"Wasserstoff", 2.016},   {"Helium", 4.003},           {"Argon", 39.948},
        {"Kohlendioxid", 44.010}, {"Kohlenmonoxid", 28.010},   {"Methan", 16.043},
        {"Ethan", 30.069},        {"Propan", 44.096},          {"n-Butan", 58.122},
        {"Ethylen", 28.053},      {"Propylen", 42.080},        {"Acetylen", 26.037},
        {"Ammoniak", 17.031},     {"Chlor", 70.906},           {"Schwefeldioxid", 64.064},
        {"Schwefelwasserstoff", 34.081}, {"Chlorwasserstoff", 36.461}};
    return m;
}

// Every row of a table: the name, then the numbers in column order.
std::vector<std::pair<QString, std::vector<double>>> rows(Database &db, const QString &table,
                                                         const QStringList &numbers)
{
    std::vector<std::pair<QString, std::vector<double>>> out;
    std::unique_ptr<Recordset> rs = db.openTable(table);
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        std::vector<double> values;
        for (const QString &c : numbers) {
            const Variant v = rs->field(c);
            values.push_back(v.isNumeric() ? v.toDouble() : qQNaN());
        }
        out.emplace_back(rs->field(QStringLiteral("SUBSTANZ")).toString(), values);
    }
    return out;
}

const QStringList gasNumbers = {"Kappa", "RHON", "RHOUNIT"};
const QStringList liquidNumbers = {"RHO", "RHOUNIT", "PSAT", "PKRIT", "PUNIT", "NUE", "NUEUNIT", "TBEZUG", "TUNIT"};

} // namespace

class TestFluidData : public QObject {
    Q_OBJECT
    std::shared_ptr<Database> db;

private slots:
    void initTestCase()
    {
        if (!QFile::exists(seedFile()))
            QSKIP("the generated fluid database is missing");
        db = Database::open(seedFile(), Database::Mode::ReadOnly);
    }
    void cleanupTestCase() { db.reset(); }

    void languageTablesAreAlike_data();
    void languageTablesAreAlike();
    void gasesArePhysicallySound();
    void liquidsArePhysicallySound();
    void dataFolderReceivesTheDatabase();
};

void TestFluidData::languageTablesAreAlike_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("count");
    QTest::newRow("ideal gases") << "IdealeGase" << gasNumbers << 20;
    QTest::newRow("liquids") << "Flüssigkeiten" << liquidNumbers << 15;
}

void TestFluidData::languageTablesAreAlike()
{
    QFETCH(QString, base);
    QFETCH(QStringList, columns);
    QFETCH(int, count);
    const auto german = rows(*db, base + "_d", columns);
    QCOMPARE(int(german.size()), count);
    for (const QString &suffix : suffixes) {
        const QString table = base + suffix;
        // The name identifies an entry: unique, and indexed so that a duplicate cannot be stored.
        QVERIFY2(db->indexNames(table).contains(QStringLiteral("PrimaryKey")), qPrintable(table));
        QStringList names;
        const auto other = rows(*db, table, columns);
        QCOMPARE(other.size(), german.size());
        for (size_t i = 0; i < other.size(); ++i) {
            QVERIFY2(!other[i].first.trimmed().isEmpty(), qPrintable(table));
            names << other[i].first;
            QCOMPARE(other[i].second, german[i].second);
        }
        names.removeDuplicates();
        QCOMPARE(names.size(), count);
    }
}

void TestFluidData::gasesArePhysicallySound()
{
    const auto gases = rows(*db, QStringLiteral("IdealeGase_d"), gasNumbers);
    QCOMPARE(gases.size(), molarMasses().size());
    for (const auto &[name, v] : gases) {
        const auto m = molarMasses().find(name);
        QVERIFY2(m != molarMasses().end(), qPrintable(name));
        const double kappa = v[0], rhoN = v[1], unit = v[2];
        QVERIFY2(kappa > 1.0 && kappa <= 1.67, qPrintable(name));
        QCOMPARE(unit, 0.0);
        // The ideal gas at 0 °C and 1.01325 bar has M x 0.04462 kg/m3; real gases lie a few percent above.
        const double ideal = m->second * 0.04462;
        QVERIFY2(std::fabs(rhoN / ideal - 1.0) <= 0.05,
                 qPrintable(QStringLiteral("%1: %2 against %3").arg(name).arg(rhoN).arg(ideal)));
    }
}

void TestFluidData::liquidsArePhysicallySound()
{
    for (const auto &[name, v] : rows(*db, QStringLiteral("Flüssigkeiten_d"), liquidNumbers)) {
        const double rho = v[0], psat = v[2], pkrit = v[3], nue = v[5], t = v[7];
        QVERIFY2(rho > 500.0 && rho < 2000.0, qPrintable(name));
        QVERIFY2(psat > 0.0 && psat < pkrit, qPrintable(name));
        QVERIFY2(nue > 0.0, qPrintable(name));
        QCOMPARE(t, 20.0);
        // kg/m3, bar abs., mm²/s, °C.
        QCOMPARE(std::vector<double>({v[1], v[4], v[6], v[8]}), std::vector<double>({0, 0, 0, 0}));
    }
}

void TestFluidData::dataFolderReceivesTheDatabase()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QString error;
    const bool copied = ensureDataFolder(QStringLiteral(QUENDRA_SEED_DIR), &error);
    const QString copy = dataFile(QStringLiteral("dbStoffdaten.mdb"));
    qputenv("HOME", oldHome);
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
    QVERIFY2(copied, qPrintable(error));
    QVERIFY2(copy.startsWith(home.path()), qPrintable(copy));
    QFile a(copy), b(seedFile());
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());
    QVERIFY(QFileInfo(copy).isWritable());
}

QTEST_MAIN(TestFluidData)
#include "test_fluid_data.moc"
