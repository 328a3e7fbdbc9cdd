// The shipped substance base data of the fluid-data wizard, read back from the generated fluid database: the six
// language tables alike, every entry pickable, the unique name, and each substance's numbers against physics (molar
// mass from the standard atomic weights, boiling point below the critical point, the vapour-pressure correlation
// giving one atmosphere at the normal boiling point).

#include "fluids/wizard_estimates.h"
#include "platform/db/database.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

class TestSubstanceData : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void languageTablesAlike_data();
    void languageTablesAlike();
    void nameIsUnique();
    void substance_data();
    void substance();
    void waterHasTheWizardDefaults();
};

namespace {

const QStringList kSuffixes{"d", "e", "f", "i", "s", "cz"};
const QStringList kNumbers{"M", "TS", "TKRIT", "PKRIT", "W", "PUNIT", "TUNIT"};

// Standard atomic weights (conventional values of the abridged IUPAC table).
const QMap<QString, double> kAtomicWeight{{"H", 1.008},   {"He", 4.0026}, {"C", 12.011}, {"N", 14.007},
                                          {"O", 15.999},  {"F", 18.998},  {"S", 32.06},  {"Cl", 35.45},
                                          {"Ar", 39.95},  {"Kr", 83.798}};

// Substances that do not boil at atmospheric pressure (their triple point lies above it); their "boiling point"
// is the sublimation point.
const QStringList kSublimes{"CO2"};

QString fileName()
{
    return QDir(QStringLiteral(QUENDRA_SEED_DIR)).filePath(QStringLiteral("dbStoffdaten.mdb"));
}

struct Row {
    QString name;
    Variant formel;
    QMap<QString, Variant> numbers;
};

QMap<QString, QList<Row>> g_tables;

QList<Row> readTable(Database &db, const QString &table)
{
    QList<Row> rows;
    std::unique_ptr<Recordset> rs = db.openTable(table);
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        Row r;
        r.name = rs->field("SUBSTANZ").toString();
        r.formel = rs->field("FORMEL");
        for (const QString &c : kNumbers)
            r.numbers[c] = rs->field(c);
        rows.append(r);
    }
    return rows;
}

// Molar mass of a formula written without brackets ("CH3COCH3"); -1 for an unknown element.
double formulaWeight(const QString &formula)
{
    static const QRegularExpression element(QStringLiteral("([A-Z][a-z]?)(\\d*)"));
    double sum = 0.0;
    int covered = 0;
    for (auto it = element.globalMatch(formula); it.hasNext();) {
        const auto m = it.next();
        if (!kAtomicWeight.contains(m.captured(1)))
            return -1.0;
        sum += kAtomicWeight[m.captured(1)] * (m.captured(2).isEmpty() ? 1 : m.captured(2).toInt());
        covered += int(m.capturedLength());
    }
    return covered == formula.size() ? sum : -1.0;
}

} // namespace

void TestSubstanceData::initTestCase()
{
    std::shared_ptr<Database> db = Database::open(fileName(), Database::Mode::ReadOnly);
    for (const QString &s : kSuffixes) {
        const QString table = QStringLiteral("Assistent_") + s;
        QVERIFY2(db->hasTable(table), qPrintable(table));
        g_tables[s] = readTable(*db, table);
    }
    QVERIFY(g_tables["d"].size() >= 40);
}

void TestSubstanceData::languageTablesAlike_data()
{
    QTest::addColumn<QString>("suffix");
    for (const QString &s : kSuffixes)
        QTest::newRow(qPrintable(s)) << s;
}

// Formulas and numbers are those of the German table, row by row; names are filled and can be picked in either
// order of the list (a " (" in a name or a "(" in a formula splits the entry in the wrong place).
void TestSubstanceData::languageTablesAlike()
{
    QFETCH(QString, suffix);
    std::shared_ptr<Database> db = Database::open(fileName(), Database::Mode::ReadOnly);
    const QString table = QStringLiteral("Assistent_") + suffix;
    const std::vector<FieldDef> columns = db->columns(table);
    QMap<QString, FieldType> types;
    for (const FieldDef &f : columns)
        types[f.name.toUpper()] = f.type;
    QCOMPARE(types.value("SUBSTANZ"), FieldType::Text);
    QCOMPARE(types.value("FORMEL"), FieldType::Text);
    for (const char *c : {"M", "TS", "TKRIT", "PKRIT", "W"})
        QCOMPARE(types.value(c), FieldType::Double);
    QCOMPARE(types.value("PUNIT"), FieldType::Integer);
    QCOMPARE(types.value("TUNIT"), FieldType::Integer);

    const QList<Row> &rows = g_tables[suffix];
    const QList<Row> &german = g_tables["d"];
    QCOMPARE(rows.size(), german.size());
    for (int i = 0; i < rows.size(); ++i) {
        const Row &r = rows[i];
        const QString where = QStringLiteral("%1 row %2 (%3)").arg(table).arg(i + 1).arg(r.name);
        QVERIFY2(!r.name.trimmed().isEmpty(), qPrintable(where));
        QVERIFY2(!r.name.contains(QStringLiteral(" (")), qPrintable(where));
        QVERIFY2(r.formel.isString() && !r.formel.toString().isEmpty(), qPrintable(where));
        QVERIFY2(!r.formel.toString().contains(QLatin1Char('(')), qPrintable(where));
        QVERIFY2(r.formel == german[i].formel, qPrintable(where));
        for (const QString &c : kNumbers)
            QVERIFY2(r.numbers[c] == german[i].numbers[c], qPrintable(where + QLatin1Char(' ') + c));
    }
}

// A second record of a name already there is refused by the table's unique index.
void TestSubstanceData::nameIsUnique()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("dbStoffdaten.mdb"));
    QVERIFY(QFile::copy(fileName(), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    std::shared_ptr<Database> db = Database::open(copy);
    for (const QString &s : kSuffixes) {
        const QString table = QStringLiteral("Assistent_") + s;
        QVERIFY2(db->indexNames(table).contains(QStringLiteral("PrimaryKey")), qPrintable(table));
        std::unique_ptr<Recordset> rs = db->openTable(table);
        rs->addNew();
        rs->setField("SUBSTANZ", Variant(g_tables[s].first().name));
        bool refused = false;
        try {
            rs->update();
        } catch (const DbError &e) {
            refused = e.kind() == DbError::Kind::DuplicateKey;
        }
        QVERIFY2(refused, qPrintable(table));
        rs->cancelUpdate();
    }
}

void TestSubstanceData::substance_data()
{
    QTest::addColumn<int>("row");
    const QList<Row> &rows = g_tables["d"];
    for (int i = 0; i < rows.size(); ++i)
        QTest::newRow(qPrintable(rows[i].name)) << i;
}

void TestSubstanceData::substance()
{
    QFETCH(int, row);
    const Row &r = g_tables["d"][row];
    const QString formula = r.formel.toString();
    const double M = r.numbers["M"].toDouble();
    const double weight = formulaWeight(formula);
    QVERIFY2(weight > 0.0, qPrintable(formula));
    QVERIFY2(std::fabs(M / weight - 1.0) <= 0.002, qPrintable(QStringLiteral("M %1, formula %2").arg(M).arg(weight)));

    // Stored in °C and bar abs.
    QCOMPARE(r.numbers["TUNIT"].toInt(), 0);
    QCOMPARE(r.numbers["PUNIT"].toInt(), 0);
    const double Ts = r.numbers["TS"].toDouble(), Tc = r.numbers["TKRIT"].toDouble();
    const double pc = r.numbers["PKRIT"].toDouble(), w = r.numbers["W"].toDouble();
    QVERIFY2(Ts > -273.15 && Ts < Tc, qPrintable(QStringLiteral("Ts %1, Tc %2").arg(Ts).arg(Tc)));
    QVERIFY(pc > 1.01325);
    QVERIFY(w > -0.5 && w < 1.0);

    if (kSublimes.contains(formula))
        return;
    const Estimate psat = calcPsatLeeKesler(r.numbers["TS"], 0, CriticalPoint{r.numbers["TKRIT"], 0,
                                                                              r.numbers["PKRIT"], 0},
                                            r.numbers["W"]);
    QVERIFY(psat.hasValue());
    QVERIFY2(std::fabs(psat.value / 1.01325 - 1.0) <= 0.12, qPrintable(QStringLiteral("psat(Ts) %1 bar").arg(psat.value)));
}

// The wizard's defaults for a new record are water's: 100 °C, 374.2 °C, 221.2 bar, 0.344, 18.015 kg/kmol.
void TestSubstanceData::waterHasTheWizardDefaults()
{
    const QList<Row> &rows = g_tables["d"];
    const auto it = std::find_if(rows.begin(), rows.end(), [](const Row &r) { return r.formel == Variant("H2O"); });
    QVERIFY(it != rows.end());
    QCOMPARE(it->numbers["TS"].toDouble(), 100.0);
    QCOMPARE(it->numbers["TKRIT"].toDouble(), 374.2);
    QCOMPARE(it->numbers["PKRIT"].toDouble(), 221.2);
    QCOMPARE(it->numbers["W"].toDouble(), 0.344);
    QCOMPARE(it->numbers["M"].toDouble(), 18.015);
}

QTEST_GUILESS_MAIN(TestSubstanceData)
#include "test_substance_data.moc"
