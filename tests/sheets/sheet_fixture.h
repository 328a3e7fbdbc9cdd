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
#include "units/data_folder.h"
#include "units/texts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

namespace sheetfixture {

class TestMainWindow : public Form {
public:
    TestMainWindow() : Form(QStringLiteral("frmMDIMain"))
    {
        setKind(Kind::MdiParent);
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

// One row of a small fixture valve series (Cv = 1.16 Kvs, linear curve unless given).
struct FixtureRow {
    int DN;
    QString inch;
    int Kennlinie;
    float Kvs;
};

inline void writeFixtureSeries(Database &db, const QString &table, const std::vector<FixtureRow> &rows)
{
    const std::vector<FieldDef> fields = {
        {"DN", FieldType::Long},      {"DN_Zoll", FieldType::Text},   {"Kennlinie", FieldType::Integer},
        {"Kvs", FieldType::Single},   {"Cv", FieldType::Single},      {"Reduktion", FieldType::Single},
        {"Stellverhältnis", FieldType::Double}, {"a0", FieldType::Double}, {"a1", FieldType::Double},
        {"a2", FieldType::Double},    {"a3", FieldType::Double},      {"a4", FieldType::Double},
        {"a5", FieldType::Double},    {"aFL", FieldType::Double},     {"bFL", FieldType::Double},
        {"cFL", FieldType::Double},   {"axT", FieldType::Double},     {"bxT", FieldType::Double},
        {"cxT", FieldType::Double},   {"Schalldaten", FieldType::Text}};
    db.createTable(table, fields);
    db.createIndex(table, table, {"DN", "Kvs"}, false);
    auto rs = db.openTable(table);
    for (const FixtureRow &r : rows) {
        rs->addNew();
        rs->setField("DN", Variant(r.DN));
        rs->setField("DN_Zoll", Variant(r.inch));
        rs->setField("Kennlinie", Variant(r.Kennlinie));
        rs->setField("Kvs", Variant(r.Kvs));
        rs->setField("Cv", Variant(static_cast<float>(1.16 * r.Kvs)));
        rs->setField("Reduktion", Variant(0.0f));
        rs->setField("Stellverhältnis", Variant(30.0));
        const double a[] = {0.0, 1.0, 0, 0, 0, 0};
        const char *an[] = {"a0", "a1", "a2", "a3", "a4", "a5"};
        for (int i = 0; i < 6; ++i)
            rs->setField(an[i], Variant(a[i]));
        rs->setField("aFL", Variant(0.9));
        rs->setField("bFL", Variant(0.0));
        rs->setField("cFL", Variant(0.0));
        rs->setField("axT", Variant(0.7));
        rs->setField("bxT", Variant(0.0));
        rs->setField("cxT", Variant(0.0));
        rs->setField("Schalldaten", Variant(QStringLiteral("Gleitschieber")));
        rs->update();
    }
    rs->close();
}

class Fixture {
public:
    Fixture() : services_(ui)
    {
        shared() = SharedData();
        const QString seed = QStringLiteral(QUENDRA_SEED_DIR);
        for (const char *file : {"dbKenndaten.mdb", "dbSchalldaten.mdb"}) {
            const QString target = dir.filePath(QString::fromLatin1(file));
            QFile::copy(QDir(seed).filePath(QString::fromLatin1(file)), target);
            QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
        openLanguageDatabase(QDir(seed).filePath(QStringLiteral("dbSprache.mdb")));
        setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
        SharedData &s = shared();
        s.dbKenndaten = Database::open(dir.filePath(QStringLiteral("dbKenndaten.mdb")));
        s.dbSchalldaten = Database::open(dir.filePath(QStringLiteral("dbSchalldaten.mdb")));
        setMainWindowAccess(&window.access);
        waterCase();
    }
    ~Fixture()
    {
        unloadSheet();
        setMainWindowAccess(nullptr);
        setActiveSizingSheet(nullptr);
        setFluidWizardProvider(nullptr);
        closeLanguageDatabase();
        setProgramFolder(QString());
        shared() = SharedData();
    }

    // The valve series' table, opened as the main window opens it.
    void openSeries(const QString &key)
    {
        SharedData &s = shared();
        s.Ventiltyp = key;
        std::shared_ptr<Recordset> rs = s.dbKenndaten->openTable(key);
        if (!key.startsWith(QLatin1Char('_')) && s.dbKenndaten->indexNames(key).contains(key))
            rs->setIndex(key);
        s.rsVentil = rs;
    }

    // A series of its own in the catalogue copy, then opened as the current series.
    void useFixtureSeries(const QString &key, const std::vector<FixtureRow> &rows)
    {
        writeFixtureSeries(*shared().dbKenndaten, key, rows);
        openSeries(key);
    }

    // The standard project's case: water 10 bar abs. to 7 / 6.5 / 6 bar abs., 20 °C, 10 / 20 / 30 m3/h, the
    // 4627_71 series equal percentage, size and Kvs computed.
    void waterCase()
    {
        SharedData &s = shared();
        s.Sprache = 0;
        s.KD_Version = 0;
        s.Medium = 1;
        s.Zustand = 1;
        s.NameMedium = QStringLiteral("Wasser");
        s.p1Min = s.p1Norm = s.p1Max = 10;
        s.p2Min = 7;
        s.p2Norm = 6.5;
        s.p2Max = 6;
        s.T1Min = s.T1Norm = s.T1Max = 20;
        s.QMin = 10;
        s.QNorm = 20;
        s.QMax = 30;
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
    void airCase()
    {
        SharedData &s = shared();
        s.Medium = 0;
        s.Zustand = 0;
        s.NameMedium = QStringLiteral("Luft");
        s.p1Min = s.p1Norm = s.p1Max = 6;
        s.p2Min = 4;
        s.p2Norm = 3.5;
        s.p2Max = 3;
        s.QMin = 100;
        s.QNorm = 200;
        s.QMax = 300;
        s.rhoN = 1.293;
        s.gammaMin = s.gammaNorm = s.gammaMax = 1.4;
    }

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
    TestMainWindow window;

private:
    UiServicesScope services_;
    std::unique_ptr<frmCalcSize> sheet_;
};

} // namespace sheetfixture
