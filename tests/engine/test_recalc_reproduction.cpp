// The sizing and the flow recalculation give, on the shipped catalogue, exactly the results recorded from their
// slower predecessors: every shared result, every caption with its colour and weight, the lists, the boxes and the
// status line, after seeded random runs over every medium, unit, series, characteristic and option, with valid and
// invalid inputs, under the C and the German notation. 100,000 runs of each are recorded; a run of the suite
// checks the first 10,000 of them (QUENDRA_FULL_REPRODUCTION=1 checks them all).
//
// To record anew from a build of the old code:  QUENDRA_RECORD_REPRODUCTION=<file> engine_test_recalc_reproduction

#include "engine/flow_recalc.h"
#include "engine/sizing_recalc.h"
#include "reproduction.h"
#include "sizing_fixture.h"

#include <QCoreApplication>

using namespace reproduction;
using namespace sizingfixture;

namespace {

constexpr int kBlocks = 100;
constexpr int kPerBlock = 1000;
constexpr int kBlocksChecked = 10;

const QString kRecording = QStringLiteral(QUENDRA_SOURCE_DIR "/tests/engine/reproduction/recalculations.tsv");

// The valve series of the shipped catalogue, in the file's order.
QStringList seriesOf(Database &db)
{
    QStringList out;
    for (const QString &t : db.tableNames())
        if (!t.startsWith(QLatin1Char('_')))
            out << t;
    return out;
}

// Copies of the shipped catalogue and noise database in the fixture's folder, the series of the run opened.
void useShippedCatalogue(Fixture &f)
{
    const QString kenn = f.dir.filePath(QStringLiteral("shipped_dbKenndaten.mdb"));
    const QString noise = f.dir.filePath(QStringLiteral("shipped_dbSchalldaten.mdb"));
    if (!testsupport::copySeedFile(QStringLiteral("dbKenndaten.mdb"), kenn)
        || !testsupport::copySeedFile(QStringLiteral("dbSchalldaten.mdb"), noise))
        qFatal("the shipped databases are missing (%s)", qPrintable(testsupport::seedFile("dbKenndaten.mdb")));
    SharedData &s = shared();
    s.rsVentil.reset();
    s.dbKenndaten = Database::open(kenn);
    s.dbSchalldaten = Database::open(noise, Database::Mode::ReadOnly);
}

// The state of the fluid for a medium: 0 for gases, 1 for liquids, 2 for steam; now and then one that does not fit.
int stateOf(Rng &rng, int medium)
{
    if (rng.chance(0.03))
        return rng.range(0, 2);
    switch (medium) {
    case 0:
    case 3: return 0;
    case 2: return 2;
    case 5: return rng.chance(0.5) ? 0 : 2;
    default: return 1;
    }
}

int anyMedium(Rng &rng)
{
    static const int media[] = {0, 1, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13};
    return media[rng.range(0, 11)];
}

// A temperature in °C for the medium, given in the unit of the run.
double temperature(Rng &rng, int medium, int unit)
{
    double c = medium == 2 ? rng.uniform(100, 450) : medium == 0 || medium == 3 ? rng.uniform(-40, 300)
                                                                                   : rng.uniform(1, 250);
    if (rng.chance(0.02))
        c = rng.uniform(-300, 600);
    return unit == 1 ? c * 9.0 / 5.0 + 32.0 : c;
}

// Units, medium and fluid data shared by both recalculations.
void commonInputs(Rng &rng, SharedData &s)
{
    s.Sprache = 0;
    s.Medium = anyMedium(rng);
    s.Zustand = stateOf(rng, s.Medium);
    s.pUnit = unitIndex(rng, 8);
    s.p1Unit = rng.chance(0.8) ? s.pUnit : unitIndex(rng, 8);
    s.p2Unit = rng.chance(0.8) ? s.p1Unit : unitIndex(rng, 8);
    s.T1Unit = rng.range(0, 1);
    s.QUnit = rng.range(0, s.Zustand == 1 ? 5 : s.Zustand == 2 ? 1 : 4);
    s.rhoUnit = rng.range(0, 1);
    s.nueUnit = rng.range(0, 1);
    s.vUnit = rng.range(0, 1);
    s.DNunit = rng.chance(0.97) ? rng.range(0, 1) : 2;
    s.KvUnit = rng.chance(0.97) ? rng.range(0, 1) : 2;
    s.rhoN = rng.chance(0.95) ? rng.uniform(0.08, 3.0) : anyNumber(rng);
    s.M = rng.uniform(2, 120);
    s.StoffdatenAktuell = rng.chance(0.97);
    s.bLadenCalcSize = s.bLadenCalcFlow = false;
    s.chkDNRohr = rng.range(0, 2);
}

// Fluid data of one point for media whose data the user gives (gases, liquids other than water).
void pointFluid(Rng &rng, double &rho1, double &nue, double &psat, double &gamma)
{
    rho1 = rng.uniform(400, 1600);
    nue = rng.logUniform(-1, 4);
    psat = rng.logUniform(-3, 1);
    gamma = rng.uniform(1.05, 1.67);
    if (rng.chance(0.02))
        rho1 = anyNumber(rng);
}

// Inlet and outlet pressure of one point in the units of the run (mostly p1 > p2 > 0).
void pointPressures(Rng &rng, double &p1, double &p2)
{
    p1 = rng.logUniform(-0.5, 2.3);
    p2 = rng.chance(0.95) ? p1 * rng.uniform(0.05, 0.98) : p1 * rng.uniform(0.9, 1.2);
    if (rng.chance(0.01))
        p1 = anyNumber(rng);
}

QString shownSize(Rng &rng, int unit)
{
    return nominalSize(rng, unit == 1 ? 1 : 0).toString().trimmed();
}

// Everything a sizing run leaves behind.
void digestSizing(Digest &d, Fixture &f)
{
    const SharedData &s = shared();
    for (double v : sizingDoubles())
        d.number(v);
    for (double v : {s.p1Min, s.p1Norm, s.p1Max, s.T1Min, s.T1Norm, s.T1Max, s.gammaMin, s.gammaNorm, s.gammaMax,
                     s.DurchflussreserveMin, s.M})
        d.number(v);
    d.number(static_cast<double>(s.KvsCv));
    d.number(static_cast<double>(s.Reduktion));
    d.whole(s.Kennlinie);
    for (const QString &t : {s.DNVentil, s.DN1Rohr, s.DN2Rohr, s.LAMin, s.LANorm, s.LAMax, s.DLAMin, s.DLANorm,
                             s.DLAMax, s.LAEffMin, s.LAEffNorm, s.LAEffMax})
        d.text(t);
    for (bool b : {s.ChokedFlowMin, s.ChokedFlowNorm, s.ChokedFlowMax, s.KavitationMin, s.KavitationNorm,
                   s.KavitationMax, s.SchalltabelleFehltMin, s.SchalltabelleFehltNorm, s.SchalltabelleFehltMax})
        d.flag(b);
    for (const Variant &v : {s.A0, s.A1, s.A2, s.A3, s.A4, s.A5, s.AFL, s.BFL, s.CFL, s.AxT, s.BxT, s.CxT})
        d.value(v);
    for (const auto &[name, member] : labelMembers()) {
        const Label *l = f.sheet.access.*member;
        d.text(l->caption());
        d.whole(l->foreColor());
        d.flag(l->fontBold());
    }
    for (const auto &[name, member] : textBoxMembers())
        d.text((f.sheet.access.*member)->text());
    for (const ComboBox *list : {f.sheet.cmbDNVentil.get(), f.sheet.cmbKvsCv.get()}) {
        d.whole(list->listCount());
        for (int i = 0; i < list->listCount(); ++i)
            d.text(list->list(i));
        d.whole(list->listIndex());
    }
    d.text(f.status());
    d.whole(f.ui.beepCount());
}

struct SizingState {
    std::unique_ptr<Fixture> fixture;
    QStringList series;
};

void sizingOnce(SizingState &st, Rng &rng, Digest &d)
{
    Fixture &f = *st.fixture;
    SharedData &s = shared();
    commonInputs(rng, s);
    const QString series = st.series[rng.range(0, int(st.series.size()) - 1)];
    if (s.Ventiltyp != series) {
        s.Ventiltyp = series;
        f.openSeries();
    }
    s.Kennlinie = rng.chance(0.97) ? rng.range(0, 2) : rng.range(-1, 5);
    s.DNmin = rng.chance(0.5);
    s.KvsOpt = rng.chance(0.6);
    s.DNVentil = shownSize(rng, s.DNunit);
    static const float kvs[] = {0.1f, 1.0f, 2.5f, 4.0f, 6.3f, 10.0f, 16.0f, 25.0f, 40.0f, 63.0f, 100.0f, 160.0f};
    s.KvsCv = rng.chance(0.9) ? kvs[rng.range(0, 11)] : static_cast<float>(rng.uniform(0, 500));
    if (s.chkDNRohr == 2) {
        s.DN1Rohr = shownSize(rng, s.DNunit);
        s.DN2Rohr = shownSize(rng, s.DNunit);
    }
    s.MIN = rng.chance(0.6);
    s.NORM = rng.chance(0.7);
    s.ListeDNbereit = s.ListeKvsbereit = rng.chance(0.98);
    pointPressures(rng, s.p1Min, s.p2Min);
    pointPressures(rng, s.p1Norm, s.p2Norm);
    pointPressures(rng, s.p1Max, s.p2Max);
    s.T1Min = temperature(rng, s.Medium, s.T1Unit);
    s.T1Norm = rng.chance(0.7) ? s.T1Min : temperature(rng, s.Medium, s.T1Unit);
    s.T1Max = rng.chance(0.7) ? s.T1Min : temperature(rng, s.Medium, s.T1Unit);
    const double q = rng.logUniform(-1, 3.5);
    s.QMax = q;
    s.QNorm = q * rng.uniform(0.3, 1.05);
    s.QMin = s.QNorm * rng.uniform(0.05, 1.05);
    pointFluid(rng, s.rho1Min, s.nueMin, s.psatMin, s.gammaMin);
    pointFluid(rng, s.rho1Norm, s.nueNorm, s.psatNorm, s.gammaNorm);
    pointFluid(rng, s.rho1Max, s.nueMax, s.psatMax, s.gammaMax);
    s.pkrit = rng.uniform(20, 250);
    f.sheet.showStoredInputs();
    // Typing p1 or T1 marks a wizard medium's data stale; mostly the wizard has been run since.
    s.StoffdatenAktuell = rng.chance(0.95);
    calcDimensionierung();
    digestSizing(d, f);
}

// Everything a flow run leaves behind.
void digestFlow(Digest &d, const testsupport::FlowSheetStub &sheet, const testsupport::MainWindowStub &window,
                const ScriptedUiServices &ui)
{
    const SharedData &s = shared();
    for (double v : {s.QMax, s.Kvmax, s.FLMax, s.XTMax, s.XMax, s.v1Max, s.v2Max, s.zyMax, s.xFMax, s.rho1Max,
                     s.nueMax, s.psatMax, s.pkrit, s.gammaMax, s.T1Max, s.p1Max, s.p2Max, s.yMax})
        d.number(v);
    d.number(static_cast<double>(s.Reduktion));
    for (const QString &t : {s.DN1Rohr, s.DN2Rohr, s.LAMax, s.DLAMax, s.LAEffMax})
        d.text(t);
    for (bool b : {s.ChokedFlowMax, s.KavitationMax, s.SchalltabelleFehltMax})
        d.flag(b);
    for (const Variant &v : {s.A0, s.A1, s.A2, s.A3, s.A4, s.A5, s.AFL, s.BFL, s.CFL, s.AxT, s.BxT, s.CxT})
        d.value(v);
    for (const Label *l : {&sheet.lblQmax, &sheet.lblFlmax, &sheet.lblxTMax, &sheet.lblxMax, &sheet.lblChokedFlowMax,
                           &sheet.lblzyMax, &sheet.lblxFMax, &sheet.lblKavitationMax, &sheet.lblV1max,
                           &sheet.lblV2max, &sheet.lblSchallVDMAmax, &sheet.lblSchallkorrekturmax,
                           &sheet.lblSchallerwartmax, &sheet.lblStoffwert1max, &sheet.lblStoffwert2max,
                           &sheet.lblStoffwert3max})
        d.text(l->caption());
    for (const TextBox *b : {&sheet.txtp1max, &sheet.txtp2max, &sheet.txtT1max})
        d.text(b->text());
    d.text(window.StatusBar.text());
    d.flag(window.mnuDrucken.enabled());
    d.whole(ui.beepCount());
}

struct FlowState {
    std::unique_ptr<Fixture> fixture; // databases, main window and services
    std::unique_ptr<testsupport::FlowSheetStub> sheet;
    QStringList series;
};

void flowOnce(FlowState &st, Rng &rng, Digest &d)
{
    SharedData &s = shared();
    commonInputs(rng, s);
    const QString series = st.series[rng.range(0, int(st.series.size()) - 1)];
    if (s.Ventiltyp != series) {
        s.Ventiltyp = series;
        st.fixture->openSeries();
    }
    // Mostly a valve of the series (its size, Kvs and characteristic as the lists show them), else any.
    Recordset &rs = *s.rsVentil;
    const long n = rs.recordCount();
    rs.moveFirst();
    for (long i = n > 0 ? rng.range(0, int(n) - 1) : 0; i > 0 && !rs.eof(); --i)
        rs.moveNext();
    if (!rs.eof() && rng.chance(0.92)) {
        s.Kennlinie = static_cast<int>(rs.field("Kennlinie").toInt());
        s.DNVentil = rs.field(s.DNunit == 1 ? "DN_Zoll" : "DN").toString().trimmed();
        s.KvsCv = rs.field(s.KvUnit == 1 ? "Cv" : "Kvs").toFloat();
    } else {
        s.Kennlinie = rng.range(0, 2);
        s.DNVentil = shownSize(rng, s.DNunit);
        s.KvsCv = static_cast<float>(rng.uniform(0, 300));
    }
    if (s.chkDNRohr == 2) {
        s.DN1Rohr = shownSize(rng, s.DNunit);
        s.DN2Rohr = shownSize(rng, s.DNunit);
    }
    double p1 = 0, p2 = 0;
    pointPressures(rng, p1, p2);
    pointFluid(rng, s.rho1Max, s.nueMax, s.psatMax, s.gammaMax);
    s.pkrit = rng.uniform(20, 250);
    const double opening = rng.chance(0.97) ? rng.uniform(1, 100) : rng.uniform(-10, 120);
    st.sheet->showInputs(p1, p2, temperature(rng, s.Medium, s.T1Unit), opening);
    s.StoffdatenAktuell = rng.chance(0.95);
    calcDurchfluss();
    digestFlow(d, *st.sheet, st.fixture->window, st.fixture->ui);
}

std::vector<Routine> routines()
{
    // Each block starts from a fresh fixture, so that a block's outputs depend on its own inputs only.
    auto sizing = std::make_shared<SizingState>();
    auto flow = std::make_shared<FlowState>();
    auto freshSizing = [sizing] {
        sizing->fixture.reset();
        sizing->fixture = std::make_unique<Fixture>();
        useShippedCatalogue(*sizing->fixture);
        sizing->series = seriesOf(*shared().dbKenndaten);
        shared().Ventiltyp.clear();
    };
    auto freshFlow = [flow] {
        setActiveFlowSheet(nullptr);
        flow->sheet.reset();
        flow->fixture.reset();
        flow->fixture = std::make_unique<Fixture>();
        useShippedCatalogue(*flow->fixture);
        flow->series = seriesOf(*shared().dbKenndaten);
        shared().Ventiltyp.clear();
        setActiveSizingSheet(nullptr);
        flow->sheet = std::make_unique<testsupport::FlowSheetStub>();
        setActiveFlowSheet(&flow->sheet->access);
    };
    int sizingCount = 0, flowCount = 0;
    std::vector<Routine> r;
    r.push_back({"calcDimensionierung", kBlocks, kPerBlock,
                 [sizing, freshSizing, sizingCount](Rng &rng, Digest &d) mutable {
                     if (sizingCount++ % kPerBlock == 0)
                         freshSizing();
                     sizingOnce(*sizing, rng, d);
                 }});
    r.push_back({"calcDurchfluss", kBlocks, kPerBlock, [flow, freshFlow, flowCount](Rng &rng, Digest &d) mutable {
                     if (flowCount++ % kPerBlock == 0)
                         freshFlow();
                     flowOnce(*flow, rng, d);
                 }});
    return r;
}

} // namespace

class TestRecalcReproduction : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        recorded_ = readRecorded(kRecording);
        QVERIFY2(!recorded_.isEmpty(), qPrintable(QStringLiteral("no recording in %1").arg(kRecording)));
    }

    void cleanupTestCase()
    {
        numtext::resetUserLocale();
        setActiveFlowSheet(nullptr);
        testsupport::resetProgramState();
    }

    void sameResults_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("routine");
        for (const QString &locale : {QStringLiteral("C"), QStringLiteral("de")})
            for (int i = 0; i < 2; ++i)
                QTest::addRow("%s, %s", i == 0 ? "sizing" : "flow", qPrintable(locale)) << locale << i;
    }

    void sameResults()
    {
        QFETCH(QString, locale);
        QFETCH(int, routine);
        numtext::setUserLocale(localeNamed(locale));
        const std::vector<Routine> all = routines();
        const Routine &r = all[std::size_t(routine)];
        const bool full = qEnvironmentVariableIntValue("QUENDRA_FULL_REPRODUCTION") == 1;
        compareRoutine(recorded_, r, locale, full ? r.blocks : kBlocksChecked);
        numtext::resetUserLocale();
    }

private:
    Recorded recorded_;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (recordIfAsked(routines(), QStringLiteral("# Digests of seeded random runs of the sizing and the flow "
                                                 "recalculation on the shipped catalogue (reproduction.h), recorded "
                                                 "from the code before its speed-up; the sizing lines again once a "
                                                 "run whose valve lists are not filled stopped reporting itself as "
                                                 "computed (only status line, beeps, print entry and warning colours "
                                                 "changed); both again once lb and cu.ft converted with one factor "
                                                 "both ways (flows in lb./hr., scu.ft./hr. or l/min (norm.) "
                                                 "changed); both again once a point below the valve's smallest Kv "
                                                 "showed the Kv it needs at opening 0, an opening just above it "
                                                 "started from the flow there, the choked and cavitation flags "
                                                 "followed the flow at the opening shown, and Q100 the curve's Kv at "
                                                 "full travel; the sizing lines again once the opening search "
                                                 "worked on the flows before their four-digit rounding to the flow "
                                                 "itself, and a point beyond full travel showed the Kv it needs (or "
                                                 "none where reducers bound its flow).\n"
                                                 "# routine\tlocale\tblock\tdigest\n")))
        return 0;
    TestRecalcReproduction suite;
    return QTest::qExec(&suite, argc, argv);
}

#include "test_recalc_reproduction.moc"
