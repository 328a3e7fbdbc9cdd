#pragma once

// Test fixture of the sizing sheet: a headless main window (status line, print entries), scripted desktop
// services, copies of the shipped catalogue and noise databases in a temporary folder, the shipped language
// database, and the program folder of the build tree (valve pictures).

#include "engine/main_window_access.h"
#include "engine/sizing_sheet_access.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

namespace sheetfixture {

// One row of a small fixture valve series (Cv = 1.16 Kvs, linear curve unless given).
struct FixtureRow {
    int DN;
    QString inch;
    int Kennlinie;
    float Kvs;
};

inline void writeFixtureSeries(Database &db, const QString &table, const std::vector<FixtureRow> &rows,
                               const QStringList &without = {})
{
    std::vector<testsupport::CatalogueRow> catalogue;
    for (const FixtureRow &r : rows)
        catalogue.push_back({r.DN, r.inch, r.Kennlinie, r.Kvs, 0.0f, 30.0, testsupport::kLinear, {0.9, 0, 0},
                             {0.7, 0, 0}, QStringLiteral("Gleitschieber")});
    testsupport::writeValveSeries(db, table, catalogue, without);
}

class Fixture {
public:
    Fixture() : services_(ui)
    {
        testsupport::resetProgramState();
        for (const QString &file : {QStringLiteral("dbKenndaten.mdb"), QStringLiteral("dbSchalldaten.mdb")})
            testsupport::copySeedFile(file, dir.filePath(file));
        testsupport::openShippedTexts();
        SharedData &s = shared();
        s.dbKenndaten = Database::open(dir.filePath(QStringLiteral("dbKenndaten.mdb")));
        s.dbSchalldaten = Database::open(dir.filePath(QStringLiteral("dbSchalldaten.mdb")));
        setMainWindowAccess(&window.access);
        waterCase();
    }
    ~Fixture()
    {
        unloadSheet();
        setFluidWizardProvider(nullptr);
        testsupport::closeShippedTexts();
        testsupport::resetProgramState();
    }

    // The valve series' table, opened as the main window opens it.
    void openSeries(const QString &key) { testsupport::openSeries(key); }

    // A series of its own in the catalogue copy (without the columns named), then opened as the current series.
    void useFixtureSeries(const QString &key, const std::vector<FixtureRow> &rows, const QStringList &without = {})
    {
        writeFixtureSeries(*shared().dbKenndaten, key, rows, without);
        openSeries(key);
    }

    // The standard project's case: water 10 bar abs. to 7 / 6.5 / 6 bar abs., 20 °C, 10 / 20 / 30 m3/h, the
    // 4627_71 series equal percentage, size and Kvs computed.
    void waterCase()
    {
        SharedData &s = shared();
        s.Sprache = 0;
        s.KD_Version = 0;
        testsupport::standardWaterPoints(s);
        s.MIN = s.NORM = true;
        s.DNmin = true;
        s.KvsOpt = true;
        s.Kennlinie = 1;
        s.chkDNRohr = 0;
        s.DNVentil = QStringLiteral("50");
        s.DN1Rohr = s.DN2Rohr = QStringLiteral("50");
        s.KvsCv = 40;
        s.rhoN = 1.293;
        s.StoffdatenAktuell = true;
        openSeries(QStringLiteral("4627_71"));
    }

    // Air at 6 bar abs. to 4 / 3.5 / 3 bar abs., 20 °C, 100 / 200 / 300 m3/h (norm).
    void airCase() { testsupport::standardAirPoints(shared()); }

    // Steam 10 bar abs. to 8 / 7 / 6 bar abs., 170 °C (raised to saturation), 500 / 1000 / 1500 kg/h.
    void steamCase()
    {
        SharedData &s = shared();
        s.Medium = 2;
        s.Zustand = 2;
        s.NameMedium = QStringLiteral("Dampf");
        s.p1Min = s.p1Norm = s.p1Max = 10;
        s.p2Min = 8;
        s.p2Norm = 7;
        s.p2Max = 6;
        s.T1Min = s.T1Norm = s.T1Max = 170;
        s.QMin = 500;
        s.QNorm = 1000;
        s.QMax = 1500;
        s.QUnit = 0;
    }

    frmCalcSize &loadSheet()
    {
        unloadSheet();
        sheet_ = std::make_unique<frmCalcSize>();
        sheet_->load();
        return *sheet_;
    }
    void unloadSheet()
    {
        if (sheet_) {
            sheet_->unload();
            sheet_.reset();
        }
    }
    frmCalcSize &sheet() { return *sheet_; }

    QString status() const { return window.StatusBar.text(); }
    QString text(const char *key) const { return getText(QString::fromUtf8(key), shared().Sprache); }
    int beeps() const { return ui.beepCount(); }

    QTemporaryDir dir;
    ScriptedUiServices ui;
    testsupport::MainWindowStub window;

private:
    UiServicesScope services_;
    std::unique_ptr<frmCalcSize> sheet_;
};

} // namespace sheetfixture
