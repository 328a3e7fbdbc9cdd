// The shipped catalogue, read back from the generated databases through the recordset layer: valve series rows,
// the user-defined valve, the noise tables, the levels the noise estimate gives on them, and the pictures.
// Every broken row gives one line naming the series, DN and Kvs.

#include "engine/noise.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "units/conversions.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

const QStringList kSeries{"2381", "2613", "3152", "3264", "3378", "3391", "3425", "3547", "3548",
                          "3652", "3653", "3761", "3786", "3834", "3926", "4612", "4625", "4627_71",
                          "4627_72", "4638", "4644", "4648", "4651_71", "4651_72", "4656"};

const QStringList kColumns{"DN", "DN_Zoll", "Kennlinie", "Kvs", "Cv", "Reduktion", "Stellverhältnis",
                           "a0", "a1", "a2", "a3", "a4", "a5", "aFL", "bFL", "cFL", "axT", "bxT", "cxT",
                           "Schalldaten"};

const int kSizes[] = {8, 10, 15, 20, 25, 32, 40, 50, 65, 80, 100, 125, 150, 200, 250, 300, 350, 400};

// The preferred Kvs series, each as the single-precision value a table holds.
const float kPreferred[] = {0.001f, 0.0016f, 0.0025f, 0.004f, 0.0063f, 0.01f, 0.016f, 0.025f, 0.04f,
                            0.063f, 0.1f, 0.16f, 0.25f, 0.4f, 0.63f, 1.0f, 1.6f, 2.5f, 4.0f, 6.3f,
                            10.0f, 16.0f, 25.0f, 40.0f, 63.0f, 100.0f, 160.0f, 250.0f, 400.0f, 630.0f,
                            1000.0f, 1600.0f, 2500.0f, 4000.0f, 6300.0f};

struct Row {
    QString series;
    int dn = 0;
    QString zoll;
    int kennlinie = -1;
    float kvs = 0, cv = 0, reduktion = 0;
    double r = 0;
    double a[6] = {};
    double fl[3] = {}, xt[3] = {};
    QString schall;

    QString where() const
    {
        return QStringLiteral("series %1, DN %2, Kvs %3, Kennlinie %4")
            .arg(series).arg(dn).arg(QString::number(kvs, 'g', 7)).arg(kennlinie);
    }
    double kv(double y) const
    {
        double s = 0, p = 1;
        for (double c : a) {
            s += c * p;
            p *= y;
        }
        return s;
    }
    static double quad(const double (&c)[3], double y) { return c[0] + c[1] * y + c[2] * y * y; }
};

Row readRow(const Recordset &rs, const QString &series)
{
    Row r;
    r.series = series;
    r.dn = int(rs.field("DN").toInt());
    r.zoll = rs.field("DN_Zoll").toString();
    r.kennlinie = int(rs.field("Kennlinie").toInt());
    r.kvs = rs.field("Kvs").toFloat();
    r.cv = rs.field("CV").toFloat();
    r.reduktion = rs.field("REDUKTION").toFloat();
    r.r = rs.field("Stellverhältnis").toDouble();
    for (int i = 0; i < 6; ++i)
        r.a[i] = rs.field(QStringLiteral("A%1").arg(i)).toDouble();
    const char *fl[] = {"aFl", "bFL", "CFL"}, *xt[] = {"axT", "BXT", "cxT"};
    for (int i = 0; i < 3; ++i) {
        r.fl[i] = rs.field(fl[i]).toDouble();
        r.xt[i] = rs.field(xt[i]).toDouble();
    }
    r.schall = rs.field("Schalldaten").toString();
    return r;
}

QString seedFile(const QString &name)
{
    return QDir(QStringLiteral(QUENDRA_SEED_DIR)).filePath(name);
}

// Width and height from the frame header of a baseline or progressive JPEG; an invalid size when none is found.
QSize jpegSize(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    const auto at = [&](qsizetype i) { return i < b.size() ? int(uchar(b[i])) : -1; };
    if (at(0) != 0xFF || at(1) != 0xD8)
        return {};
    qsizetype i = 2;
    while (i + 8 < b.size()) {
        if (at(i) != 0xFF)
            return {};
        const int marker = at(i + 1);
        const int length = at(i + 2) * 256 + at(i + 3);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)
            return QSize(at(i + 7) * 256 + at(i + 8), at(i + 5) * 256 + at(i + 6));
        i += 2 + length;
    }
    return {};
}

// Kennlinie after a valve-series menu entry: the submenu title's rule first, then the entry's.
int afterMenu(const QString &submenu, const QString &rule, int k)
{
    if (submenu == "GS" && k == 2)
        k = 0;
    if (submenu == "Absperr")
        k = 2;
    if (rule == "2to0" && k == 2)
        return 0;
    if (rule == "0")
        return 0;
    if (rule == "1")
        return 1;
    return k;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    std::shared_ptr<Database> kenn;
    std::shared_ptr<Database> schall;
    QMap<QString, QList<Row>> rows; // in index order

private slots:
    void initTestCase()
    {
        const QString k = seedFile("dbKenndaten.mdb"), s = seedFile("dbSchalldaten.mdb");
        QVERIFY2(QFile::exists(k), qPrintable(k));
        QVERIFY2(QFile::exists(s), qPrintable(s));
        kenn = Database::open(k, Database::Mode::ReadOnly);
        schall = Database::open(s, Database::Mode::ReadOnly);
        for (const QString &key : kSeries + QStringList{"9999"}) {
            if (!kenn->hasTable(key))
                continue;
            auto rs = kenn->openTable(key);
            rs->setIndex(key);
            for (rs->moveFirst(); !rs->eof(); rs->moveNext())
                rows[key].append(readRow(*rs, key));
        }
    }

    void cleanup()
    {
        shared().rsVentil.reset();
        shared().dbKenndaten.reset();
        shared().dbSchalldaten.reset();
        numtext::resetUserLocale();
    }

    void tablesIndexesAndColumns()
    {
        QStringList problems;
        for (const QString &key : kSeries + QStringList{"9999", "_aktuell"}) {
            if (!kenn->hasTable(key)) {
                problems << key + ": table missing";
                continue;
            }
            QStringList cols = kenn->columnNames(key);
            for (const QString &c : kColumns)
                if (!std::any_of(cols.begin(), cols.end(), [&](const QString &x) { return !x.compare(c, Qt::CaseInsensitive); }))
                    problems << key + ": column " + c + " missing";
            auto rs = kenn->openTable(key);
            if (key == "_aktuell") {
                if (rs->recordCount() != 0)
                    problems << "_aktuell is not empty";
                continue;
            }
            try {
                rs->setIndex(key);
            } catch (const DbError &e) {
                problems << key + ": " + e.text();
            }
            if (rs->recordCount() == 0)
                problems << key + ": no rows";
        }
        QCOMPARE(rows.value("9999").size(), 1);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void seriesRows_data()
    {
        QTest::addColumn<QString>("key");
        for (const QString &key : kSeries)
            QTest::newRow(qPrintable(key)) << key;
    }

    // Order, sizes, preferred Kvs, Cv, reduction and a size-to-capacity check.
    void seriesRows()
    {
        QFETCH(QString, key);
        const QList<Row> &list = rows[key];
        QVERIFY(!list.isEmpty());
        QStringList problems;

        // The stored order must be the index order: the user-defined-valve dialog reopens a series unindexed.
        auto stored = kenn->openTable(key);
        int i = 0;
        for (stored->moveFirst(); !stored->eof(); stored->moveNext(), ++i) {
            const Row r = readRow(*stored, key);
            if (i >= list.size() || r.dn != list[i].dn || r.kvs != list[i].kvs || r.kennlinie != list[i].kennlinie) {
                problems << r.where() + ": stored order differs from the index order";
                break;
            }
        }

        const bool micro = key == "3425";
        QMap<int, QList<float>> kvsBySize;
        for (int n = 0; n < list.size(); ++n) {
            const Row &r = list[n];
            if (n > 0 && (r.dn < list[n - 1].dn || (r.dn == list[n - 1].dn && r.kvs < list[n - 1].kvs)))
                problems << r.where() + ": not in DN, Kvs order";
            if (std::find(std::begin(kSizes), std::end(kSizes), r.dn) == std::end(kSizes))
                problems << r.where() + ": DN not a nominal size";
            const Variant inch = umrechnenDN(Variant(QString::number(r.dn)), 0, 1);
            if (inch.toString() != r.zoll || r.zoll.trimmed() != r.zoll)
                problems << r.where() + ": DN_Zoll \"" + r.zoll + "\" is not the inch size of the DN";
            if (std::find(std::begin(kPreferred), std::end(kPreferred), r.kvs) == std::end(kPreferred))
                problems << r.where() + ": Kvs not from the preferred series";
            // Cv is 1.16 x Kvs to seven significant digits, the precision in which a Single is shown and read.
            const float cvRule = float(QString::number(1.16 * double(r.kvs), 'g', 7).toDouble());
            if (r.cv != cvRule)
                problems << r.where() + QStringLiteral(": Cv %1 is not 1.16 x Kvs").arg(r.cv, 0, 'g', 9);
            if (!(r.kennlinie >= 0 && r.kennlinie <= 2))
                problems << r.where() + ": unknown characteristic";
            if (micro && (r.kvs > 1.6f || r.dn > 15))
                problems << r.where() + ": too large for a micro valve";
            kvsBySize[r.dn].append(r.kvs);
        }
        // Reduced trims in percent of the size's full trim.
        for (const Row &r : list) {
            const float full = *std::max_element(kvsBySize[r.dn].begin(), kvsBySize[r.dn].end());
            const double percent = 100.0 * r.kvs / full;
            if (!(r.reduktion > 0 && r.reduktion <= 100) || std::fabs(r.reduktion - percent) > 0.5 + 1e-4)
                problems << r.where() + QStringLiteral(": Reduktion %1 but the trim is %2 % of the size's full Kvs")
                                            .arg(r.reduktion).arg(percent, 0, 'f', 1);
        }
        // Capacity rises with the size and stays below what an open pipe of that size passes (a full-bore valve
        // loses at least about a fifth of a velocity head: Kvs < 0.09 DN^2).
        float lastMax = 0, lastMin = 0;
        const bool control = std::any_of(list.begin(), list.end(), [](const Row &r) { return r.kennlinie != 2; });
        for (auto it = kvsBySize.begin(); it != kvsBySize.end(); ++it) {
            const float lo = *std::min_element(it->begin(), it->end());
            const float hi = *std::max_element(it->begin(), it->end());
            const QString at = QStringLiteral("series %1, DN %2, Kvs %3").arg(key).arg(it.key()).arg(hi);
            if (hi <= lastMax || lo < lastMin)
                problems << at + ": Kvs does not rise with the size";
            lastMax = hi;
            lastMin = lo;
            const double dn2 = double(it.key()) * it.key();
            if (hi > 0.09 * dn2 || (!micro && hi < 0.005 * dn2))
                problems << at + ": full Kvs does not suit the size";
            if (control && QSet<float>(it->begin(), it->end()).size() < 2)
                problems << at + ": a control valve offers only one Kvs at this size";
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void characteristics_data()
    {
        QTest::addColumn<QString>("key");
        for (const QString &key : kSeries + QStringList{"9999"})
            QTest::newRow(qPrintable(key)) << key;
    }

    // Kv(y), FL(y), xT(y) over the whole travel, and the rangeability against the curve.
    void characteristics()
    {
        QFETCH(QString, key);
        QStringList problems;
        for (const Row &r : rows[key]) {
            double sum = 0;
            for (double c : r.a)
                sum += c;
            if (std::fabs(sum - 1.0) > 1e-6)
                problems << r.where() + QStringLiteral(": a0 + ... + a5 = %1").arg(sum, 0, 'g', 10);
            if (!(r.r >= 10 && r.r <= 100)) {
                problems << r.where() + QStringLiteral(": Stellverhältnis %1").arg(r.r);
                continue;
            }
            if (r.kv(0) < 0)
                problems << r.where() + ": Kv(0) < 0";
            // Kv(0) = Kvs / R is the theoretical flow at the seat, from which the rangeability is counted.
            if (std::fabs(r.kv(0) * r.r - 1.0) > 0.2)
                problems << r.where() + QStringLiteral(": Kv(0)/Kvs = %1, not about 1/%2").arg(r.kv(0)).arg(r.r);
            double worst = 0, flLo = 1, flHi = 0, xtLo = 1, xtHi = 0;
            bool rising = true;
            const int steps = 1000;
            for (int i = 0; i <= steps; ++i) {
                const double y = double(i) / steps;
                if (i > 0 && !(r.kv(y) > r.kv(double(i - 1) / steps)))
                    rising = false;
                double ideal = r.kv(y);
                if (r.kennlinie == 0)
                    ideal = 1.0 / r.r + (1.0 - 1.0 / r.r) * y;
                else if (r.kennlinie == 1)
                    ideal = std::pow(r.r, y - 1.0);
                worst = std::max(worst, std::fabs(r.kv(y) - ideal));
                flLo = std::min(flLo, Row::quad(r.fl, y));
                flHi = std::max(flHi, Row::quad(r.fl, y));
                xtLo = std::min(xtLo, Row::quad(r.xt, y));
                xtHi = std::max(xtHi, Row::quad(r.xt, y));
            }
            if (!rising)
                problems << r.where() + ": Kv(y) does not rise over the whole travel";
            if (worst > 0.01)
                problems << r.where() + QStringLiteral(": Kv(y)/Kvs departs by %1 from its characteristic").arg(worst);
            if (r.kennlinie == 2 && r.kv(0.5) < 0.6)
                problems << r.where() + ": an on/off valve that does not open quickly";
            if (flLo < 0.5 || flHi > 0.98)
                problems << r.where() + QStringLiteral(": FL between %1 and %2").arg(flLo).arg(flHi);
            if (xtLo < 0.3 || xtHi > 0.85)
                problems << r.where() + QStringLiteral(": xT between %1 and %2").arg(xtLo).arg(xtHi);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void menuRulesFindRows_data()
    {
        // Valve-series menu: submenu and the entry's rule for the characteristic.
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("submenu");
        QTest::addColumn<QString>("rule");
        for (const char *k : {"4612", "4625", "4627_71", "4627_72", "4638", "4648", "4651_71", "4651_72", "4656"})
            QTest::newRow(k) << QString(k) << "GS" << "unchanged";
        for (const char *k : {"3264", "3425", "3548", "2613"})
            QTest::newRow(k) << QString(k) << "" << "2to0";
        for (const char *k : {"3926", "3653", "3786"})
            QTest::newRow(k) << QString(k) << "" << "0";
        QTest::newRow("2381") << "2381" << "" << "1";
        for (const char *k : {"3152", "3378", "3391", "3547", "3652", "3761", "3834", "4644"})
            QTest::newRow(k) << QString(k) << "Absperr" << "unchanged";
    }

    // Whatever characteristic was current, the one the menu leaves has rows, so no list has to replace it.
    void menuRulesFindRows()
    {
        QFETCH(QString, key);
        QFETCH(QString, submenu);
        QFETCH(QString, rule);
        QSet<int> offered;
        for (const Row &r : rows[key])
            offered.insert(r.kennlinie);
        for (int before = 0; before <= 2; ++before) {
            const int after = afterMenu(submenu, rule, before);
            QVERIFY2(offered.contains(after),
                     qPrintable(QStringLiteral("series %1: no row of Kennlinie %2 (was %3)").arg(key).arg(after).arg(before)));
        }
        // Control valves offer both linear and equal-percentage trims, so the characteristic display of the tools
        // menu has curves for each of them; shut-off valves only open and close (the display stays disabled).
        if (submenu == "Absperr")
            QCOMPARE(offered, QSet<int>({2}));
        else
            QVERIFY2(offered.contains(0) && offered.contains(1), qPrintable(key));
    }

    void kvsCvLookup_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("german");
        for (const QString &key : kSeries + QStringList{"9999"}) {
            QTest::newRow(qPrintable(key + " C")) << key << false;
            QTest::newRow(qPrintable(key + " de")) << key << true;
        }
    }

    // A value taken from the Kvs list as text finds its row again, in either unit, through the table lookup.
    void kvsCvLookup()
    {
        QFETCH(QString, key);
        QFETCH(bool, german);
        if (german)
            numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
        shared().dbKenndaten = kenn;
        auto rs = kenn->openTable(key);
        if (key != "9999")
            rs->setIndex(key);
        shared().rsVentil = std::move(rs);
        QStringList problems;
        for (const Row &r : rows[key]) {
            for (const float stored : {r.kvs, r.cv}) {
                double back = 0;
                if (!numtext::parse(numtext::general(stored, 7), &back) || float(back) != stored)
                    problems << r.where() + ": " + numtext::general(stored, 7) + " does not read back as stored";
            }
            const Variant cv = umrechnenKvsCvTabelle(Variant(r.kvs), 0, 1);
            const Variant kvs = umrechnenKvsCvTabelle(Variant(r.cv), 1, 0);
            if (cv.isEmpty() || cv.toFloat() != r.cv)
                problems << r.where() + ": Kvs -> Cv gives \"" + cv.toString() + "\"";
            if (kvs.isEmpty() || kvs.toFloat() != r.kvs)
                problems << r.where() + ": Cv -> Kvs gives \"" + kvs.toString() + "\"";
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void defaultProjectValveExists()
    {
        const QList<Row> &list = rows["4627_71"];
        QVERIFY(std::any_of(list.begin(), list.end(),
                            [](const Row &r) { return r.dn == 50 && r.kennlinie == 1 && r.kvs == 40.0f; }));
    }

    void userDefinedValve()
    {
        QCOMPARE(rows["9999"].size(), 1);
        const Row &r = rows["9999"].first();
        QCOMPARE(r.zoll, umrechnenDN(Variant(QString::number(r.dn)), 0, 1).toString());
        // It starts as a control valve, so the characteristic display of the tools menu has a curve to show.
        QVERIFY(r.kennlinie != 2);
        QVERIFY2(schall->hasTable(r.schall), qPrintable(r.schall));
        // Its noise table must serve any valve the user may describe.
        auto t = schall->openTable(r.schall);
        t->moveFirst();
        QVERIFY(t->field("KKV").toDouble() <= 0.001);
        t->moveLast();
        QVERIFY(t->field("KKV").toDouble() >= 6000);
    }

    // Every named noise table exists, covers the Kv range of its rows (from Kvs/R to Kvs), and is well formed.
    void noiseTables()
    {
        QStringList problems;
        QMap<QString, QPair<double, double>> need;
        for (const auto &list : rows)
            for (const Row &r : list) {
                if (!schall->hasTable(r.schall)) {
                    problems << r.where() + ": noise table \"" + r.schall + "\" missing";
                    continue;
                }
                auto &range = need[r.schall];
                if (range.second == 0)
                    range = {1e300, 0};
                range.first = std::min(range.first, double(r.kvs) / r.r);
                range.second = std::max(range.second, double(r.kvs));
            }
        for (const QString &table : schall->tableNames()) {
            if (!need.contains(table))
                problems << "noise table " + table + " is named by no valve";
            auto t = schall->openTable(table);
            double last = -1, first = -1;
            int n = 0;
            for (t->moveFirst(); !t->eof(); t->moveNext(), ++n) {
                const QString at = QStringLiteral("noise table %1, row %2").arg(table).arg(n + 1);
                for (const char *c : {"KKV", "LA0", "LA1", "LA2", "LA3", "LA4", "LA5", "ZZY"})
                    if (!t->field(c).isNumber())
                        problems << at + ": " + c + " empty";
                const double kkv = t->field("KKV").toDouble();
                if (kkv <= last)
                    problems << at + ": KKV not ascending";
                if (first < 0)
                    first = kkv;
                last = kkv;
                const double zy = t->field("ZZY").toDouble();
                if (!(zy > 0.1 && zy < 0.9))
                    problems << at + QStringLiteral(": ZZY %1").arg(zy);
                for (int i = 0; i <= 10; ++i) {
                    const double xF = i / 10.0;
                    double d = 0, p = 1;
                    for (int k = 0; k < 6; ++k, p *= xF)
                        d += t->field(QStringLiteral("LA%1").arg(k)).toDouble() * p;
                    if (std::fabs(d) > 10)
                        problems << at + QStringLiteral(": correction %1 dB(A) at xF %2").arg(d).arg(xF);
                }
            }
            if (n == 0)
                problems << "noise table " + table + " is empty";
            if (need.contains(table) && (first > need[table].first * (1 + 1e-6) || last < need[table].second * (1 - 1e-6)))
                problems << QStringLiteral("noise table %1 spans Kv %2 to %3, its valves %4 to %5")
                                .arg(table).arg(first).arg(last).arg(need[table].first).arg(need[table].second);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void noiseLevels_data()
    {
        QTest::addColumn<QString>("key");
        for (const QString &key : kSeries + QStringList{"9999"})
            QTest::newRow(qPrintable(key)) << key;
    }

    // Typical duties: water 10 -> 5 bar abs. at 20 °C, air 6 -> 4 bar abs. at 20 °C, each with the valve half
    // and fully open. Within the estimate's range (Kv 1 to 6000) the expected level lies in a believable band.
    void noiseLevels()
    {
        QFETCH(QString, key);
        shared().dbSchalldaten = schall;
        QStringList problems;
        for (const Row &r : rows[key]) {
            for (const double share : {0.5, 1.0}) {
                const double kv = share * r.kvs;
                QString dla, water, air;
                double zy = 0, xF = 0;
                calcSchallFluessig(Variant(10.0), 0, Variant(5.0), 0, Variant(kv), 0, Variant(998.2), 0,
                                   Variant(0.0234), 0, Variant(3.0), 0, key, Variant(r.schall), dla, water, zy, xF);
                calcSchallGas(Variant(6.0), 0, Variant(4.0), 0, Variant(20.0), 0, Variant(kv), 0, Variant(1.293), 0,
                              Variant(30.0), 0, 0, 0, key, dla, air);
                const bool inRange = kv >= 1 && kv <= 6000;
                for (const auto &[medium, text] : {std::pair<QString, QString>{"water", water}, {"air", air}}) {
                    double level = 0;
                    const bool valid = numtext::parse(text, &level);
                    const QString at = r.where() + QStringLiteral(", Kv %1, %2").arg(kv).arg(medium);
                    if (valid != inRange)
                        problems << at + ": estimate \"" + text + "\"";
                    else if (valid && (level < 38 || level > 110))
                        problems << at + QStringLiteral(": %1 dB(A)").arg(level);
                }
                if (!(zy > 0.1 && zy < 0.9))
                    problems << r.where() + QStringLiteral(": zy %1").arg(zy);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void pictures()
    {
        const QDir dir(QStringLiteral(QUENDRA_PROGRAM_DIR));
        QStringList problems;
        const auto expect = [&](const QString &name, QSize size) {
            const QSize got = jpegSize(dir.filePath(name));
            if (got != size)
                problems << QStringLiteral("%1: %2 x %3, expected %4 x %5")
                                .arg(name).arg(got.width()).arg(got.height()).arg(size.width()).arg(size.height());
        };
        for (const QString &key : kSeries + QStringList{"9999"})
            expect(key + ".jpg", QSize(89, 113));
        expect("Startbild_XKTR.jpg", QSize(637, 507));
        expect("Startbild_1.jpg", QSize(637, 507));
        expect("Waermetauscher.jpg", QSize(240, 160));
        const int flagHeights[] = {13, 16, 13, 13, 13, 12};
        for (int i = 0; i < 6; ++i)
            expect(QStringLiteral("Flagge%1.jpg").arg(i), QSize(25, flagHeights[i]));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
