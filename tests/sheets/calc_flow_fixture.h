#pragma once

// Test fixture of the flow sheet: a headless main window (status line, print entries), a small valve series and
// noise table in a temporary folder, and base cases for water, air and steam. The sheet is the real default
// instance; the fixture unloads it when it ends.

#include "engine/main_window_access.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"
#include "sheets/calc_flow.h"
#include "state/shared_data.h"
#include "units/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <array>
#include <map>
#include <vector>

namespace flowfixture {

struct ValveRow {
    int DN;
    int Kennlinie;
    float Kvs;
    float Reduktion = 100;
    std::array<double, 6> a = {0.02, 0.1, 0.3, 0.58, 0, 0};
    std::array<double, 3> fl = {0.9, -0.05, 0};
    std::array<double, 3> xt = {0.7, -0.02, 0};
};

inline QString inchText(int dn)
{
    static const std::map<int, QString> inch = {
        {8, "1/4\""},    {10, "3/8\""}, {15, "1/2\""},   {20, "3/4\""}, {25, "1\""},    {32, "1 1/4\""},
        {40, "1 1/2\""}, {50, "2\""},   {65, "2 1/2\""}, {80, "3\""},   {100, "4\""},   {125, "5\""},
        {150, "6\""},    {200, "8\""},  {250, "10\""},   {300, "12\""}, {350, "14\""},  {400, "16\""}};
    auto it = inch.find(dn);
    return it == inch.end() ? QString() : it->second;
}

inline const std::array<double, 6> kLinear = {0, 1, 0, 0, 0, 0};

// Equal-percentage valves from DN 15 to DN 150 (a reduced 15 among them), linear ones at 15, 25 and 50; no on/off.
inline std::vector<ValveRow> defaultSeries()
{
    return {{15, 1, 1.0f, 40},  {15, 1, 2.5f, 60},         {15, 0, 4.0f, 100, kLinear}, {15, 1, 4.0f},
            {20, 1, 6.3f},      {25, 0, 10.0f, 100, kLinear}, {25, 1, 10.0f},           {32, 1, 16.0f},
            {40, 1, 25.0f},     {50, 0, 40.0f, 100, kLinear}, {50, 1, 25.0f, 70},       {50, 1, 40.0f},
            {65, 1, 63.0f},     {80, 1, 100.0f},              {100, 1, 160.0f},         {150, 1, 360.0f}};
}

inline void writeSeries(Database &db, const QString &table, const std::vector<ValveRow> &rows)
{
    const std::vector<FieldDef> fields = {
        {"DN", FieldType::Integer},  {"DN_Zoll", FieldType::Text},   {"Kennlinie", FieldType::Integer},
        {"Kvs", FieldType::Single},  {"Cv", FieldType::Single},      {"Reduktion", FieldType::Single},
        {"Stellverhältnis", FieldType::Double}, {"a0", FieldType::Double}, {"a1", FieldType::Double},
        {"a2", FieldType::Double},   {"a3", FieldType::Double},      {"a4", FieldType::Double},
        {"a5", FieldType::Double},   {"aFL", FieldType::Double},     {"bFL", FieldType::Double},
        {"cFL", FieldType::Double},  {"axT", FieldType::Double},     {"bxT", FieldType::Double},
        {"cxT", FieldType::Double},  {"Schalldaten", FieldType::Text}};
    db.createTable(table, fields);
    db.createIndex(table, table, {"DN", "Kvs"}, false);
    db.beginTransaction();
    auto rs = db.openTable(table);
    for (const ValveRow &r : rows) {
        rs->addNew();
        rs->setField("DN", Variant(r.DN));
        rs->setField("DN_Zoll", Variant(inchText(r.DN)));
        rs->setField("Kennlinie", Variant(r.Kennlinie));
        rs->setField("Kvs", Variant(r.Kvs));
        rs->setField("Cv", Variant(static_cast<float>(1.16 * r.Kvs)));
        rs->setField("Reduktion", Variant(r.Reduktion));
        rs->setField("Stellverhältnis", Variant(50.0));
        const char *an[] = {"a0", "a1", "a2", "a3", "a4", "a5"};
        for (int i = 0; i < 6; ++i)
            rs->setField(an[i], Variant(r.a[i]));
        rs->setField("aFL", Variant(r.fl[0]));
        rs->setField("bFL", Variant(r.fl[1]));
        rs->setField("cFL", Variant(r.fl[2]));
        rs->setField("axT", Variant(r.xt[0]));
        rs->setField("bxT", Variant(r.xt[1]));
        rs->setField("cxT", Variant(r.xt[2]));
        rs->setField("Schalldaten", Variant(QStringLiteral("S1")));
        rs->update();
    }
    rs->close();
    db.commit();
}

inline void writeNoiseTable(Database &db, const QString &table)
{
    const char *names[] = {"KKV", "LA0", "LA1", "LA2", "LA3", "LA4", "LA5", "ZZY"};
    std::vector<FieldDef> fields;
    for (const char *c : names)
        fields.push_back({c, FieldType::Double});
    db.createTable(table, fields);
    auto rs = db.openTable(table);
    const double rows[][8] = {{1, -2, 0, 0, 0, 0, 0, 0.6}, {100, -1, -2, 0, 0, 0, 0, 0.5},
                              {1000, 0, -3, 0, 0, 0, 0, 0.4}};
    for (const auto &row : rows) {
        rs->addNew();
        for (int i = 0; i < 8; ++i)
            rs->setField(names[i], Variant(row[i]));
        rs->update();
    }
    rs->close();
}

// Counts the recalculations by the status line: each run of calcDurchfluss empties it first, and records the
// load flag each one saw.
class MainWindow : public Form, private FormObserver {
public:
    MainWindow() : Form(QStringLiteral("frmMDIMain"))
    {
        setKind(Kind::MdiParent);
        move(0, 0, 11850, 12000);
        access.StatusBar = &StatusBar;
        access.mnuDrucken = &mnuDrucken;
        access.mnuPDFDruck = &mnuPDFDruck;
        mnuDatei.setCaption(QStringLiteral("&Datei"));
        mnuDrucken.setCaption(QStringLiteral("Drucken"));
        mnuPDFDruck.setCaption(QStringLiteral("PDF"));
        StatusBar.setText(QStringLiteral("-"));
        addObserver(this);
    }
    ~MainWindow() override { removeObserver(this); }

    ::StatusBar StatusBar{this, QStringLiteral("StatusBar")};
    Menu mnuDatei{this, QStringLiteral("mnuDatei")};
    Menu mnuDrucken{&mnuDatei, QStringLiteral("mnuDrucken")};
    Menu mnuPDFDruck{&mnuDatei, QStringLiteral("mnuPDFDruck")};
    MainWindowAccess access;

    int recalculations = 0;
    std::vector<bool> loadFlagAtRecalculation;

private:
    void formChanged(Form &, Prop) override {}
    void controlChanged(Control &control, Prop what) override
    {
        if (&control == &StatusBar && what == Prop::Caption && StatusBar.text().isEmpty()) {
            ++recalculations;
            loadFlagAtRecalculation.push_back(shared().bLadenCalcFlow);
        }
    }
};

inline QString scratchTemplate()
{
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        return QStringLiteral("/dev/shm/quendra-flowsheet-XXXXXX");
    return QDir::tempPath() + QStringLiteral("/quendra-flowsheet-XXXXXX");
}

class Fixture {
public:
    explicit Fixture(const std::vector<ValveRow> &series = defaultSeries()) : dir(scratchTemplate()), scope(ui)
    {
        shared() = SharedData();
        auto kenn = Database::create(dir.filePath("dbKenndaten.mdb"));
        writeSeries(*kenn, "TEST", series);
        auto noise = Database::create(dir.filePath("dbSchalldaten.mdb"));
        writeNoiseTable(*noise, "S1");
        SharedData &s = shared();
        s.dbKenndaten = kenn;
        s.dbSchalldaten = noise;
        s.Ventiltyp = "TEST";
        s.Modus = 1;
        openSeries();
        setMainWindowAccess(&window.access);
        water();
    }
    ~Fixture()
    {
        frmCalcFlow().unload();
        formruntime::collect();
        setMainWindowAccess(nullptr);
        shared() = SharedData();
    }

    void openSeries()
    {
        SharedData &s = shared();
        std::shared_ptr<Recordset> rs = s.dbKenndaten->openTable(s.Ventiltyp);
        rs->setIndex(s.Ventiltyp);
        s.rsVentil = rs;
    }

    // Water at 10 / 6 bar abs. and 20 °C through the equal-percentage DN 50, Kvs 40, at 70 %.
    void water()
    {
        SharedData &s = shared();
        s.Medium = 1;
        s.Zustand = 1;
        s.NameMedium = "Wasser";
        s.p1Max = 10;
        s.p2Max = 6;
        s.T1Max = 20;
        s.Kennlinie = 1;
        s.DNVentil = "50";
        s.KvsCv = 40;
        s.yMax = 0.7;
        s.chkDNRohr = 0;
        s.QUnit = 0;
    }

    // Air at 6 / 4 bar abs. and 20 °C, norm density 1.293 kg/m3.
    void air()
    {
        SharedData &s = shared();
        water();
        s.Medium = 0;
        s.Zustand = 0;
        s.NameMedium = "Luft";
        s.p1Max = 6;
        s.p2Max = 4;
        s.rhoN = 1.293;
        s.gammaMax = 1.4;
    }

    // Steam at 10 / 7 bar abs. and 200 °C.
    void steam()
    {
        SharedData &s = shared();
        water();
        s.Medium = 2;
        s.Zustand = 2;
        s.NameMedium = "Wasserdampf";
        s.p2Max = 7;
        s.T1Max = 200;
    }

    FrmCalcFlow &load() { return frmCalcFlow().get(); }
    // Unloads the sheet and loads it afresh, as the mode switch and the menus do.
    FrmCalcFlow &reload()
    {
        frmCalcFlow().unload();
        formruntime::collect();
        window.recalculations = 0;
        window.loadFlagAtRecalculation.clear();
        return frmCalcFlow().get();
    }

    QString status() const { return window.StatusBar.text(); }

    QTemporaryDir dir;
    ScriptedUiServices ui;
    UiServicesScope scope;
    MainWindow window;
};

// The two status texts, in German.
inline QString outOfDate()
{
    return QStringLiteral("Berechnung nicht aktualisiert: TAB ->|");
}

inline QString current()
{
    return QStringLiteral("Berechnung aktualisiert");
}

} // namespace flowfixture

namespace flowfixture {

// A number in C notation ("20.3") as the user's locale writes it.
inline QString zahl(const char *cNotation)
{
    QString s = QString::fromLatin1(cNotation);
    s.replace(QLatin1Char('.'), numtext::userLocale().decimalPoint());
    return s;
}

} // namespace flowfixture
