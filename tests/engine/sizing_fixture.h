#pragma once

// Test fixture of the sizing recalculation: a headless sizing sheet and main window made of form-runtime
// controls, a small characteristic catalogue and noise database in a temporary folder, and a base water case.

#include "engine/main_window_access.h"
#include "engine/sizing_sheet_access.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"
#include "sheets/sheet_common.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"
#include "units/texts.h"

#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace sizingfixture {

inline const std::vector<std::pair<const char *, TextBox *SizingSheetAccess::*>> &textBoxMembers()
{
    static const std::vector<std::pair<const char *, TextBox *SizingSheetAccess::*>> members = {
    {"txtp1min", &SizingSheetAccess::txtp1min},
    {"txtp2min", &SizingSheetAccess::txtp2min},
    {"txtT1min", &SizingSheetAccess::txtT1min},
    {"txtQmin", &SizingSheetAccess::txtQmin},
    {"txtp1norm", &SizingSheetAccess::txtp1norm},
    {"txtp2norm", &SizingSheetAccess::txtp2norm},
    {"txtT1norm", &SizingSheetAccess::txtT1norm},
    {"txtQnorm", &SizingSheetAccess::txtQnorm},
    {"txtp1max", &SizingSheetAccess::txtp1max},
    {"txtp2max", &SizingSheetAccess::txtp2max},
    {"txtT1max", &SizingSheetAccess::txtT1max},
    {"txtQmax", &SizingSheetAccess::txtQmax},
    };
    return members;
}

inline const std::vector<std::pair<const char *, Label *SizingSheetAccess::*>> &labelMembers()
{
    static const std::vector<std::pair<const char *, Label *SizingSheetAccess::*>> members = {
    {"lblYmin", &SizingSheetAccess::lblYmin},
    {"lblYnorm", &SizingSheetAccess::lblYnorm},
    {"lblYmax", &SizingSheetAccess::lblYmax},
    {"lblYunit", &SizingSheetAccess::lblYunit},
    {"lblKvmincalc", &SizingSheetAccess::lblKvmincalc},
    {"lblKvnormcalc", &SizingSheetAccess::lblKvnormcalc},
    {"lblKvmaxcalc", &SizingSheetAccess::lblKvmaxcalc},
    {"lblReduktion", &SizingSheetAccess::lblReduktion},
    {"lblSTVVentil", &SizingSheetAccess::lblSTVVentil},
    {"lblSTVmin", &SizingSheetAccess::lblSTVmin},
    {"lblSTVnorm", &SizingSheetAccess::lblSTVnorm},
    {"lblSTVmax", &SizingSheetAccess::lblSTVmax},
    {"lblQymax", &SizingSheetAccess::lblQymax},
    {"lblQymaxunit", &SizingSheetAccess::lblQymaxunit},
    {"lblQReserve", &SizingSheetAccess::lblQReserve},
    {"lblQResunit", &SizingSheetAccess::lblQResunit},
    {"lblzyMin", &SizingSheetAccess::lblzyMin},
    {"lblzyNorm", &SizingSheetAccess::lblzyNorm},
    {"lblzyMax", &SizingSheetAccess::lblzyMax},
    {"lblxFMin", &SizingSheetAccess::lblxFMin},
    {"lblxFNorm", &SizingSheetAccess::lblxFNorm},
    {"lblxFMax", &SizingSheetAccess::lblxFMax},
    {"lblFlmin", &SizingSheetAccess::lblFlmin},
    {"lblFlnorm", &SizingSheetAccess::lblFlnorm},
    {"lblFlmax", &SizingSheetAccess::lblFlmax},
    {"lblKavitationMin", &SizingSheetAccess::lblKavitationMin},
    {"lblKavitationNorm", &SizingSheetAccess::lblKavitationNorm},
    {"lblKavitationMax", &SizingSheetAccess::lblKavitationMax},
    {"lblxTMin", &SizingSheetAccess::lblxTMin},
    {"lblxTNorm", &SizingSheetAccess::lblxTNorm},
    {"lblxTMax", &SizingSheetAccess::lblxTMax},
    {"lblxMin", &SizingSheetAccess::lblxMin},
    {"lblxNorm", &SizingSheetAccess::lblxNorm},
    {"lblxMax", &SizingSheetAccess::lblxMax},
    {"lblChokedFlowMin", &SizingSheetAccess::lblChokedFlowMin},
    {"lblChokedFlowNorm", &SizingSheetAccess::lblChokedFlowNorm},
    {"lblChokedFlowMax", &SizingSheetAccess::lblChokedFlowMax},
    {"lblV1min", &SizingSheetAccess::lblV1min},
    {"lblV1norm", &SizingSheetAccess::lblV1norm},
    {"lblV1max", &SizingSheetAccess::lblV1max},
    {"lblV2min", &SizingSheetAccess::lblV2min},
    {"lblV2norm", &SizingSheetAccess::lblV2norm},
    {"lblV2max", &SizingSheetAccess::lblV2max},
    {"lblSchallVDMAmin", &SizingSheetAccess::lblSchallVDMAmin},
    {"lblSchallVDMAnorm", &SizingSheetAccess::lblSchallVDMAnorm},
    {"lblSchallVDMAmax", &SizingSheetAccess::lblSchallVDMAmax},
    {"lblSchallkorrekturmin", &SizingSheetAccess::lblSchallkorrekturmin},
    {"lblSchallkorrekturnorm", &SizingSheetAccess::lblSchallkorrekturnorm},
    {"lblSchallkorrekturmax", &SizingSheetAccess::lblSchallkorrekturmax},
    {"lblSchallerwartmin", &SizingSheetAccess::lblSchallerwartmin},
    {"lblSchallerwartnorm", &SizingSheetAccess::lblSchallerwartnorm},
    {"lblSchallerwartmax", &SizingSheetAccess::lblSchallerwartmax},
    {"lblStoffwert1min", &SizingSheetAccess::lblStoffwert1min},
    {"lblStoffwert1norm", &SizingSheetAccess::lblStoffwert1norm},
    {"lblStoffwert1max", &SizingSheetAccess::lblStoffwert1max},
    {"lblStoffwert2min", &SizingSheetAccess::lblStoffwert2min},
    {"lblStoffwert2norm", &SizingSheetAccess::lblStoffwert2norm},
    {"lblStoffwert2max", &SizingSheetAccess::lblStoffwert2max},
    {"lblStoffwert3min", &SizingSheetAccess::lblStoffwert3min},
    {"lblStoffwert3norm", &SizingSheetAccess::lblStoffwert3norm},
    {"lblStoffwert3max", &SizingSheetAccess::lblStoffwert3max},
    };
    return members;
}

// A sizing sheet with every control the engine reaches. Its boxes' Change handlers behave as the real sheet's:
// store a numeric text (else beep), mark wizard data stale for p1 and T1, and mark the results not current.
class FixtureSheet : public Form {
public:
    FixtureSheet() : Form(QStringLiteral("frmCalcSize"))
    {
        setKind(Kind::MdiChild);
        for (const auto &[name, member] : textBoxMembers()) {
            auto box = std::make_unique<TextBox>(this, QString::fromLatin1(name));
            access.*member = box.get();
            TextBox *raw = box.get();
            const QString n = QString::fromLatin1(name);
            raw->Change = [this, raw, n] { boxChanged(*raw, n); };
            boxes[n] = raw;
            owned.push_back(std::move(box));
        }
        for (const auto &[name, member] : labelMembers()) {
            auto label = std::make_unique<Label>(this, QString::fromLatin1(name));
            access.*member = label.get();
            labels[QString::fromLatin1(name)] = label.get();
            owned.push_back(std::move(label));
        }
        cmbDNVentil = std::make_unique<ComboBox>(this, QStringLiteral("cmbDNVentil"));
        cmbKvsCv = std::make_unique<ComboBox>(this, QStringLiteral("cmbKvsCv"));
        cmbDNVentil->setStyle(ComboBox::Style::DropdownList);
        cmbKvsCv->setStyle(ComboBox::Style::DropdownList);
        access.cmbDNVentil = cmbDNVentil.get();
        access.cmbKvsCv = cmbKvsCv.get();
        // The real lists' click handlers store and recalculate only while their list is ready.
        cmbDNVentil->Click = [this] {
            if (shared().ListeDNbereit)
                ++listClicksActing;
        };
        cmbKvsCv->Click = [this] {
            if (shared().ListeKvsbereit)
                ++listClicksActing;
        };
        access.update_DNRohrleitung = [this](QString &DN1, QString &DN2, int unit) {
            ++pipeListRefills;
            lastPipeSizes = {DN1, DN2, QString::number(unit)};
        };
    }
    ~FixtureSheet() override
    {
        // Controls go before the form's own bookkeeping.
        cmbDNVentil.reset();
        cmbKvsCv.reset();
        owned.clear();
    }

    TextBox &box(const QString &name) { return *boxes.at(name); }
    Label &label(const QString &name) { return *labels.at(name); }

    // Writes every box from the stored values (their handlers store them back).
    void showStoredInputs()
    {
        const SharedData &s = shared();
        const std::pair<const char *, double> values[] = {
            {"txtp1min", s.p1Min},   {"txtp2min", s.p2Min},   {"txtT1min", s.T1Min},   {"txtQmin", s.QMin},
            {"txtp1norm", s.p1Norm}, {"txtp2norm", s.p2Norm}, {"txtT1norm", s.T1Norm}, {"txtQnorm", s.QNorm},
            {"txtp1max", s.p1Max},   {"txtp2max", s.p2Max},   {"txtT1max", s.T1Max},   {"txtQmax", s.QMax}};
        for (const auto &[name, value] : values)
            box(QString::fromLatin1(name)).setText(numtext::general(value));
    }

    SizingSheetAccess access;
    std::unique_ptr<ComboBox> cmbDNVentil;
    std::unique_ptr<ComboBox> cmbKvsCv;
    std::map<QString, int> changeCount;
    int listClicksActing = 0;
    int pipeListRefills = 0;
    QStringList lastPipeSizes;

private:
    void boxChanged(TextBox &box, const QString &name)
    {
        SharedData &s = shared();
        ++changeCount[name];
        static const std::map<QString, double SharedData::*> targets = {
            {"txtp1min", &SharedData::p1Min},   {"txtp2min", &SharedData::p2Min},
            {"txtT1min", &SharedData::T1Min},   {"txtQmin", &SharedData::QMin},
            {"txtp1norm", &SharedData::p1Norm}, {"txtp2norm", &SharedData::p2Norm},
            {"txtT1norm", &SharedData::T1Norm}, {"txtQnorm", &SharedData::QNorm},
            {"txtp1max", &SharedData::p1Max},   {"txtp2max", &SharedData::p2Max},
            {"txtT1max", &SharedData::T1Max},   {"txtQmax", &SharedData::QMax}};
        const bool marksFluidData =
            name.startsWith(QLatin1String("txtp1")) || name.startsWith(QLatin1String("txtT1"));
        sheetcommon::storeInput(box, s.*targets.at(name), marksFluidData, s.bLadenCalcSize);
    }

    std::vector<std::unique_ptr<Control>> owned;
    std::map<QString, TextBox *> boxes;
    std::map<QString, Label *> labels;
};

// One row of a fixture valve series.
struct ValveRow {
    int DN;
    int Kennlinie;
    float Kvs;
    double Stellverhaeltnis = 50;
    std::array<double, 6> a = {0.02, 0.1, 0.3, 0.58, 0, 0};
    std::array<double, 3> fl = {0.9, 0, 0};
    std::array<double, 3> xt = {0.7, 0, 0};
    float Reduktion = 0;
    QString Schalldaten = QStringLiteral("S1");
};

using testsupport::kLinear;

// The default series: equal-percentage valves from DN 15 to DN 80 and a few linear ones, in size and Kvs order.
inline std::vector<ValveRow> defaultSeries()
{
    std::vector<ValveRow> rows = {
        {15, 1, 1.0f},   {15, 1, 2.5f},  {15, 0, 4.0f, 50, kLinear}, {15, 1, 4.0f}, {20, 1, 6.3f},
        {25, 0, 10.0f, 50, kLinear}, {25, 1, 10.0f}, {32, 1, 16.0f}, {40, 1, 25.0f},
        {50, 0, 40.0f, 50, kLinear}, {50, 1, 40.0f}, {80, 1, 100.0f}};
    return rows;
}

inline void writeSeries(Database &db, const QString &table, const std::vector<ValveRow> &rows,
                        const QStringList &without = {})
{
    std::vector<testsupport::CatalogueRow> catalogue;
    for (const ValveRow &r : rows)
        catalogue.push_back({r.DN, testsupport::inchText(r.DN), r.Kennlinie, r.Kvs, r.Reduktion, r.Stellverhaeltnis,
                             r.a, r.fl, r.xt, r.Schalldaten});
    testsupport::writeValveSeries(db, table, catalogue, without);
}

// Everything a sizing run needs, installed for the lifetime of the object.
class Fixture {
public:
    explicit Fixture(const std::vector<ValveRow> &series = defaultSeries(), bool memoryStorage = true)
        : dir(testsupport::scratchTemplate(QStringLiteral("quendra-sizing"), memoryStorage)), services_(ui)
    {
        testsupport::resetProgramState();
        SharedData &s = shared();
        s.dbKenndaten = Database::create(dir.filePath("dbKenndaten.mdb"));
        writeSeries(*s.dbKenndaten, "TEST", series);
        writeSeries(*s.dbKenndaten, "_aktuell", {});
        s.dbSchalldaten = testsupport::createNoiseDatabase(dir.filePath("dbSchalldaten.mdb"),
                                                           testsupport::slopedNoiseRows());
        testsupport::openSeries("TEST");
        setActiveSizingSheet(&sheet.access);
        setMainWindowAccess(&window.access);
        baseWaterCase();
    }
    ~Fixture() { testsupport::resetProgramState(); }

    // Opens the series named by Ventiltyp as the current one.
    void openSeries() { testsupport::openSeries(shared().Ventiltyp); }

    // Water at 10 / 6 bar abs. and 20 °C; 5, 15 and 30 m3/h; size and Kvs computed, equal percentage.
    void baseWaterCase()
    {
        SharedData &s = shared();
        s.Sprache = 0;
        s.Medium = 1;
        s.Zustand = 1;
        s.NameMedium = "Wasser";
        s.p1Min = s.p1Norm = s.p1Max = 10;
        s.p2Min = s.p2Norm = s.p2Max = 6;
        s.T1Min = s.T1Norm = s.T1Max = 20;
        s.QMin = 5;
        s.QNorm = 15;
        s.QMax = 30;
        s.MIN = s.NORM = true;
        s.DNmin = true;
        s.KvsOpt = true;
        s.Kennlinie = 1;
        s.chkDNRohr = 0;
        s.DNVentil = "50";
        s.KvsCv = 40;
        s.ListeDNbereit = s.ListeKvsbereit = true;
        s.StoffdatenAktuell = true;
        sheet.showStoredInputs();
    }

    // Sets a shared value and shows it in its box, as the user would have typed it.
    void input(const char *boxName, double value)
    {
        sheet.box(QString::fromLatin1(boxName)).setText(numtext::general(value));
    }

    QString status() const { return window.StatusBar.text(); }

    QTemporaryDir dir;
    ScriptedUiServices ui;
    testsupport::MainWindowStub window;
    FixtureSheet sheet;

private:
    UiServicesScope services_;
};

// Every floating-point value the sizing writes into the shared data.
inline std::vector<double> sizingDoubles()
{
    const SharedData &s = shared();
    return {s.Q100,   s.Kvmin,  s.Kvnorm, s.Kvmax,  s.yMin,   s.yNorm,  s.yMax,  s.StellverhältnisMin,
            s.StellverhältnisNorm, s.StellverhältnisMax, s.Stellverhältnis, s.v1Min, s.v1Norm, s.v1Max,
            s.v2Min,  s.v2Norm, s.v2Max,  s.FLMin,  s.FLNorm, s.FLMax,  s.XTMin, s.XTNorm, s.XTMax, s.XMin,
            s.XNorm,  s.XMax,   s.zyMin,  s.zyNorm, s.zyMax,  s.xFMin,  s.xFNorm, s.xFMax, s.rho1Min,
            s.rho1Norm, s.rho1Max, s.nueMin, s.nueNorm, s.nueMax, s.psatMin, s.psatNorm, s.psatMax, s.pkrit};
}

} // namespace sizingfixture
