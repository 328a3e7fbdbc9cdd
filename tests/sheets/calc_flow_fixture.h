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
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"
#include "units/texts.h"

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

using testsupport::kLinear;

// Equal-percentage valves from DN 15 to DN 150 (a reduced 15 among them), linear ones at 15, 25 and 50; no on/off.
inline std::vector<ValveRow> defaultSeries()
{
    return {{15, 1, 1.0f, 40},  {15, 1, 2.5f, 60},         {15, 0, 4.0f, 100, kLinear}, {15, 1, 4.0f},
            {20, 1, 6.3f},      {25, 0, 10.0f, 100, kLinear}, {25, 1, 10.0f},           {32, 1, 16.0f},
            {40, 1, 25.0f},     {50, 0, 40.0f, 100, kLinear}, {50, 1, 25.0f, 70},       {50, 1, 40.0f},
            {65, 1, 63.0f},     {80, 1, 100.0f},              {100, 1, 160.0f},         {150, 1, 360.0f}};
}

inline std::vector<testsupport::CatalogueRow> catalogueRows(const std::vector<ValveRow> &rows)
{
    std::vector<testsupport::CatalogueRow> catalogue;
    for (const ValveRow &r : rows)
        catalogue.push_back({r.DN, testsupport::inchText(r.DN), r.Kennlinie, r.Kvs, r.Reduktion, 50.0, r.a, r.fl,
                             r.xt, QStringLiteral("S1")});
    return catalogue;
}

// Counts the recalculations by the status line: each run of calcDurchfluss empties it first, and records the
// load flag each one saw.
class MainWindow : public testsupport::MainWindowStub, private FormObserver {
public:
    MainWindow()
    {
        move(0, 0, 11850, 12000);
        mnuDatei.setCaption(QStringLiteral("&Datei"));
        mnuDrucken.setCaption(QStringLiteral("Drucken"));
        mnuPDFDruck.setCaption(QStringLiteral("PDF"));
        StatusBar.setText(QStringLiteral("-"));
        addObserver(this);
    }
    ~MainWindow() override { removeObserver(this); }

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

class Fixture {
public:
    explicit Fixture(const std::vector<ValveRow> &series = defaultSeries())
        : dir(testsupport::scratchTemplate(QStringLiteral("quendra-flowsheet"))), scope(ui)
    {
        testsupport::resetProgramState();
        testsupport::installCatalogue(dir.path(), "TEST", catalogueRows(series), testsupport::slopedNoiseRows());
        shared().Modus = 1;
        setMainWindowAccess(&window.access);
        water();
    }
    ~Fixture()
    {
        frmCalcFlow().unload();
        formruntime::collect();
        testsupport::resetProgramState();
    }

    // Opens the series named by Ventiltyp as the current one.
    void openSeries() { testsupport::openSeries(shared().Ventiltyp); }

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
