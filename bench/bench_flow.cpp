// Speed of one flow recalculation (validation, valve row lookup, flow, pipes, velocities, noise, labels): median
// microseconds per run, on a small catalogue made here and, once generated, on the shipped catalogue with the
// last valve of a series (the longest row scan).
// Usage: bench_flow [--quick]
#include "engine/flow_recalc.h"
#include "engine/flow_sheet_access.h"
#include "engine/main_window_access.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"
#include "state/shared_data.h"
#include "units/texts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

class Sheet : public Form {
public:
    Sheet() : Form(QStringLiteral("frmCalcFlow"))
    {
        access.txtp1max = &txtp1max;
        access.txtp2max = &txtp2max;
        access.txtT1max = &txtT1max;
        access.cmbYmax = &cmbYmax;
        Label **labels[] = {&access.lblQmax,          &access.lblFlmax,         &access.lblxTMax,
                            &access.lblxMax,          &access.lblChokedFlowMax, &access.lblzyMax,
                            &access.lblxFMax,         &access.lblKavitationMax, &access.lblV1max,
                            &access.lblV2max,         &access.lblSchallVDMAmax, &access.lblSchallkorrekturmax,
                            &access.lblSchallerwartmax, &access.lblStoffwert1max, &access.lblStoffwert2max,
                            &access.lblStoffwert3max};
        for (Label **member : labels) {
            results.push_back(std::make_unique<Label>(this, QStringLiteral("lbl")));
            *member = results.back().get();
        }
        access.update_DNRohrleitung = [](int chk, QString &DN1, QString &DN2, const QString &DNVentil, int) {
            if (chk == 0)
                DN1 = DN2 = DNVentil;
        };
    }
    ~Sheet() override { results.clear(); }

    TextBox txtp1max{this, QStringLiteral("txtp1max")};
    TextBox txtp2max{this, QStringLiteral("txtp2max")};
    TextBox txtT1max{this, QStringLiteral("txtT1max")};
    ComboBox cmbYmax{this, QStringLiteral("cmbYmax")};
    std::vector<std::unique_ptr<Label>> results;
    FlowSheetAccess access;
};

class Window : public Form {
public:
    Window() : Form(QStringLiteral("frmMDIMain"))
    {
        access.StatusBar = &StatusBar;
        access.mnuDrucken = &mnuDrucken;
        access.mnuPDFDruck = &mnuPDFDruck;
    }
    ::StatusBar StatusBar{this, QStringLiteral("StatusBar")};
    Menu mnuDatei{this, QStringLiteral("mnuDatei")};
    Menu mnuDrucken{&mnuDatei, QStringLiteral("mnuDrucken")};
    Menu mnuPDFDruck{&mnuDatei, QStringLiteral("mnuPDFDruck")};
    MainWindowAccess access;
};

double medianMicroseconds(const std::function<void()> &run, int rounds, int runsPerRound)
{
    std::vector<double> perRun;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < runsPerRound; ++i)
            run();
        const auto end = std::chrono::steady_clock::now();
        perRun.push_back(std::chrono::duration<double, std::micro>(end - start).count() / runsPerRound);
    }
    std::sort(perRun.begin(), perRun.end());
    return perRun[perRun.size() / 2];
}

// A small series of eight equal-percentage valves and one noise table.
void makeCatalogue(const QString &folder)
{
    SharedData &s = shared();
    s.dbKenndaten = Database::create(folder + "/dbKenndaten.mdb");
    std::vector<FieldDef> fields = {{"DN", FieldType::Long},       {"DN_Zoll", FieldType::Text},
                                    {"Kennlinie", FieldType::Integer}, {"Kvs", FieldType::Single},
                                    {"Cv", FieldType::Single},     {"Schalldaten", FieldType::Text}};
    const char *coefficients[] = {"a0", "a1", "a2", "a3", "a4", "a5", "aFL", "bFL", "cFL", "axT", "bxT", "cxT"};
    const double values[] = {0.02, 0.1, 0.3, 0.58, 0, 0, 0.9, 0, 0, 0.7, 0, 0};
    for (const char *c : coefficients)
        fields.push_back({c, FieldType::Double});
    s.dbKenndaten->createTable("BENCH", fields);
    s.dbKenndaten->createIndex("BENCH", "BENCH", {"DN", "Kvs"}, false);
    auto rs = s.dbKenndaten->openTable("BENCH");
    const int sizes[] = {15, 20, 25, 32, 40, 50, 65, 80};
    const float kvs[] = {4, 6.3f, 10, 16, 25, 40, 63, 100};
    for (int i = 0; i < 8; ++i) {
        rs->addNew();
        rs->setField("DN", Variant(sizes[i]));
        rs->setField("DN_Zoll", Variant(QString()));
        rs->setField("Kennlinie", Variant(1));
        rs->setField("Kvs", Variant(kvs[i]));
        rs->setField("Cv", Variant(1.16f * kvs[i]));
        rs->setField("Schalldaten", Variant("S1"));
        for (int k = 0; k < 12; ++k)
            rs->setField(coefficients[k], Variant(values[k]));
        rs->update();
    }
    rs->close();

    s.dbSchalldaten = Database::create(folder + "/dbSchalldaten.mdb");
    std::vector<FieldDef> noise;
    for (const char *c : {"KKV", "LA0", "LA1", "LA2", "LA3", "LA4", "LA5", "ZZY"})
        noise.push_back({c, FieldType::Double});
    s.dbSchalldaten->createTable("S1", noise);
    auto ns = s.dbSchalldaten->openTable("S1");
    for (double kkv : {1.0, 100.0, 1000.0}) {
        ns->addNew();
        ns->setField("KKV", Variant(kkv));
        ns->setField("LA0", Variant(-2.0));
        for (const char *c : {"LA1", "LA2", "LA3", "LA4", "LA5"})
            ns->setField(c, Variant(0.0));
        ns->setField("ZZY", Variant(0.5));
        ns->update();
    }
    ns->close();

    s.Ventiltyp = "BENCH";
    std::shared_ptr<Recordset> series = s.dbKenndaten->openTable("BENCH");
    series->setIndex("BENCH");
    s.rsVentil = series;
}

// The shipped catalogue, read only; chooses the last valve of the first series found. False when not generated.
bool openShippedCatalogue()
{
    const QString seed = QStringLiteral(QUENDRA_SEED_DIR);
    if (!QFileInfo::exists(seed + "/dbKenndaten.mdb") || !QFileInfo::exists(seed + "/dbSchalldaten.mdb"))
        return false;
    SharedData &s = shared();
    try {
        s.dbKenndaten = Database::open(seed + "/dbKenndaten.mdb", Database::Mode::ReadOnly);
        s.dbSchalldaten = Database::open(seed + "/dbSchalldaten.mdb", Database::Mode::ReadOnly);
        for (const auto &[code, name] : valveSeriesNames()) {
            (void)name;
            if (!s.dbKenndaten->hasTable(code))
                continue;
            std::shared_ptr<Recordset> rs = s.dbKenndaten->openTable(code);
            rs->setIndex(code);
            if (rs->eof())
                continue;
            rs->moveLast();
            s.Ventiltyp = code;
            s.Kennlinie = static_cast<int>(rs->field("Kennlinie").toInt());
            s.DNVentil = rs->field("DN").toString().trimmed();
            s.KvsCv = rs->field("Kvs").toFloat();
            s.rsVentil = rs;
            std::printf("shipped catalogue: series %s, DN %s, Kvs %s\n", qPrintable(code), qPrintable(s.DNVentil),
                        qPrintable(numtext::general(s.KvsCv, 7)));
            return true;
        }
    } catch (const DbError &e) {
        std::printf("shipped catalogue not usable: %s\n", qPrintable(e.text()));
    }
    return false;
}

void waterCase(Sheet &sheet, int pipeMode)
{
    SharedData &s = shared();
    s.Medium = 1;
    s.Zustand = 1;
    s.chkDNRohr = pipeMode;
    sheet.txtp1max.setText("10");
    sheet.txtp2max.setText("6");
    sheet.txtT1max.setText("20");
    sheet.cmbYmax.setText("70");
    s.p1Max = 10;
    s.p2Max = 6;
    s.T1Max = 20;
}

void airCase(Sheet &sheet)
{
    SharedData &s = shared();
    s.Medium = 0;
    s.Zustand = 0;
    s.rhoN = 1.293;
    s.gammaMax = 1.4;
    s.chkDNRohr = 0;
    sheet.txtp1max.setText("5");
    sheet.txtp2max.setText("3");
    s.p1Max = 5;
    s.p2Max = 3;
}

void measure(const char *label, Sheet &sheet, Window &window, int rounds, int runs)
{
    const double us = medianMicroseconds([] { calcDurchfluss(); }, rounds, runs);
    std::printf("%-44s %8.1f us per run   (%s)\n", label, us, qPrintable(window.StatusBar.text()));
    (void)sheet;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const int rounds = quick ? 3 : 15;
    const int runs = quick ? 20 : 500;

    ScriptedUiServices ui;
    UiServicesScope scope(ui);
    Window window;
    Sheet sheet;
    setMainWindowAccess(&window.access);
    setActiveFlowSheet(&sheet.access);

    QTemporaryDir dir;
    makeCatalogue(dir.path());
    SharedData &s = shared();
    s.DNVentil = "80";
    s.KvsCv = 100;
    s.Kennlinie = 1;
    std::printf("flow recalculation, median of %d rounds of %d runs (target < 1000 us)\n", rounds, runs);
    waterCase(sheet, 0);
    measure("water, pipe = valve size, last of 8 rows", sheet, window, rounds, runs);
    waterCase(sheet, 1);
    measure("water, proposed pipes", sheet, window, rounds, runs);
    airCase(sheet);
    measure("air, pipe = valve size", sheet, window, rounds, runs);

    if (openShippedCatalogue()) {
        waterCase(sheet, 0);
        measure("shipped catalogue, water", sheet, window, rounds, runs);
        waterCase(sheet, 1);
        measure("shipped catalogue, water, proposed pipes", sheet, window, rounds, runs);
    }

    setActiveFlowSheet(nullptr);
    setMainWindowAccess(nullptr);
    shared() = SharedData();
    return 0;
}
