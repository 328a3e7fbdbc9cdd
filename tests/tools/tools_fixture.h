#pragma once

// The tools on a small characteristic database of their own: the user-defined valve's table "9999" with one row
// like the shipped one, and a catalogue series "3548" whose rows are stored out of index order. Scripted desktop
// services, a recording desktop without a spreadsheet program, a recording characteristic window and a recording
// sheet reload.

#include "platform/db/database.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/forms/table_curve_display.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "platform/shell/recording_desktop_services.h"
#include "tools/sheet_reload.h"
#include "tools/user_defined_valve.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

namespace toolsfixture {

// The shipped user-defined valve: DN 50, Kvs 40, equal percentage, rangeability 50.
inline testsupport::CatalogueRow userValveRow()
{
    testsupport::CatalogueRow r;
    r.DN = 50;
    r.inch = QStringLiteral("2\"");
    r.Kennlinie = 1;
    r.Kvs = 40;
    r.Reduktion = 100;
    r.Stellverhaeltnis = 50;
    r.a = {0.02, 0.08277823, 0.07145153, 0.64708711, -0.77914652, 0.95782965};
    r.fl = {0.8, 0, 0};
    r.xt = {0.6, 0, 0};
    r.Schalldaten = QStringLiteral("Benutzerdefiniert");
    return r;
}

inline testsupport::CatalogueRow seriesRow(int DN, float Kvs)
{
    testsupport::CatalogueRow r;
    r.DN = DN;
    r.inch = testsupport::inchText(DN);
    r.Kennlinie = 0;
    r.Kvs = Kvs;
    r.a = testsupport::kLinear;
    return r;
}

// The shared data as a recalculation leaves them for the current row of the series: nominal size, Kvs,
// characteristic, rangeability and the twelve curve coefficients.
inline void takeRow(const Recordset &rs)
{
    SharedData &d = shared();
    d.DNVentil = rs.field("DN").toString();
    d.KvsCv = rs.field("Kvs").toFloat();
    d.Kennlinie = static_cast<int>(rs.field("Kennlinie").toInt());
    d.Stellverhältnis = rs.field("Stellverhältnis").toDouble();
    const char *columns[12] = {"a0", "a1", "a2", "a3", "a4", "a5", "aFL", "bFL", "cFL", "axT", "bxT", "cxT"};
    Variant *targets[12] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5, &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT};
    for (int i = 0; i < 12; ++i)
        *targets[i] = rs.field(columns[i]);
}

// The user-defined valve of the open characteristic database as the current valve, named "Eigenbau 1".
inline void chooseUserValve()
{
    SharedData &d = shared();
    testsupport::openSeries(QStringLiteral("9999"));
    takeRow(*d.rsVentil);
    d.Bezeichnung = Variant(QStringLiteral("Eigenbau 1"));
}

class Fixture {
public:
    QTemporaryDir tmp{testsupport::scratchTemplate(QStringLiteral("tools"))};
    ScriptedUiServices ui;
    RecordingTableCurveDisplay curves;
    RecordingDesktopServices desktop;
    std::vector<int> reloads;

    QString database() const { return tmp.filePath(QStringLiteral("dbKenndaten.mdb")); }

    // A fresh database and shared data: the series "3548" current, DN 50 in mm, Kvs 10, linear, R 50, the
    // coefficients of a straight line.
    void start()
    {
        QVERIFY(tmp.isValid());
        stop();
        QFile::remove(database());
        {
            std::shared_ptr<Database> db = testsupport::createCatalogue(database(), QStringLiteral("9999"),
                                                                       {userValveRow()});
            // Stored largest first: only the index brings the smallest valve to the front.
            testsupport::writeValveSeries(*db, QStringLiteral("3548"),
                                          {seriesRow(100, 160), seriesRow(50, 40), seriesRow(15, 4)});
        }
        SharedData &d = shared();
        d.dbKenndaten = Database::open(database());
        testsupport::openSeries(QStringLiteral("3548"));
        d.Modus = 0;
        d.DNunit = 0;
        d.DNVentil = QStringLiteral("50");
        d.KvUnit = 0;
        d.KvsCv = 10.0f;
        d.Kennlinie = 0;
        d.Stellverhältnis = 50;
        d.Bezeichnung = Variant(QStringLiteral("Eigenbau"));
        const double linear[12] = {0, 1, 0, 0, 0, 0, 0.9, 0, 0, 0.7, 0, 0};
        Variant *koeffizienten[] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5,
                                    &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT};
        for (int i = 0; i < 12; ++i)
            *koeffizienten[i] = Variant(linear[i]);
        ui.reset();
        curves.reset();
        // A desktop without a spreadsheet program, unless a case says otherwise.
        desktop.reset();
        desktop.setAnswer(false);
        reloads.clear();
        toolhost::setSheetReload([this](int Modus) { reloads.push_back(Modus); });
        uiScope_ = std::make_unique<UiServicesScope>(ui);
        curveScope_ = std::make_unique<TableCurveDisplayScope>(curves);
        desktopScope_ = std::make_unique<DesktopServicesScope>(desktop);
    }

    void stop()
    {
        frmBenutzerdefiniertInstance().unload();
        formruntime::collect();
        toolhost::setSheetReload({});
        desktopScope_.reset();
        curveScope_.reset();
        uiScope_.reset();
        SharedData &d = shared();
        d.rsVentil.reset();
        d.dbKenndaten.reset();
        testsupport::resetProgramState();
    }

    frmBenutzerdefiniert &open()
    {
        return frmBenutzerdefiniertInstance().get();
    }

    // The first row of a table as stored, read through a connection of its own; nothing without the table.
    Variant stored(const QString &table, const QString &column) const
    {
        try {
            std::shared_ptr<Database> db = Database::open(database(), Database::Mode::ReadOnly);
            std::unique_ptr<Recordset> rs = db->openTable(table);
            return rs->eof() ? Variant() : rs->field(column);
        } catch (const DbError &) {
            return Variant(); // no such table
        }
    }

private:
    std::unique_ptr<UiServicesScope> uiScope_;
    std::unique_ptr<TableCurveDisplayScope> curveScope_;
    std::unique_ptr<DesktopServicesScope> desktopScope_;
};

} // namespace toolsfixture
