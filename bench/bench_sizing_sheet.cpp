// Speed of loading the sizing sheet: one load builds the sheet from the shared data and runs the recalculations
// its handlers start. Prints the median milliseconds per load for a water and an air case (extended display)
// on a copy of the shipped catalogue.
// Usage: bench_sizing_sheet [--quick]
#include "engine/main_window_access.h"
#include "platform/db/database.h"
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <vector>

namespace {

class BenchMainWindow : public Form {
public:
    BenchMainWindow() : Form(QStringLiteral("frmMDIMain"))
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

void waterCase(SharedData &s)
{
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
}

void airCase(SharedData &s)
{
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

double medianLoadMs(int rounds)
{
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        {
            frmCalcSize sheet;
            sheet.load();
            sheet.unload();
        }
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const int rounds = quick ? 3 : 31;

    QTemporaryDir dir;
    const QDir seed(QStringLiteral(QUENDRA_SEED_DIR));
    for (const char *file : {"dbKenndaten.mdb", "dbSchalldaten.mdb"}) {
        const QString target = dir.filePath(QString::fromLatin1(file));
        if (!QFile::copy(seed.filePath(QString::fromLatin1(file)), target)) {
            std::fprintf(stderr, "bench_sizing_sheet: cannot copy %s from %s\n", file, qPrintable(seed.path()));
            return 1;
        }
        QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }

    ScriptedUiServices ui;
    UiServicesScope services(ui);
    BenchMainWindow window;
    setMainWindowAccess(&window.access);
    setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
    try {
        openLanguageDatabase(seed.filePath(QStringLiteral("dbSprache.mdb")));
        SharedData &s = shared();
        s.dbKenndaten = Database::open(dir.filePath(QStringLiteral("dbKenndaten.mdb")));
        s.dbSchalldaten = Database::open(dir.filePath(QStringLiteral("dbSchalldaten.mdb")));
        s.Ventiltyp = QStringLiteral("4627_71");
        s.rsVentil = s.dbKenndaten->openTable(s.Ventiltyp);
        s.rsVentil->setIndex(s.Ventiltyp);
        s.MIN = s.NORM = true;
        s.KD_Version = 6417;
        s.DNVentil = s.DN1Rohr = s.DN2Rohr = QStringLiteral("50");
        s.KvsCv = 40;

        waterCase(s);
        medianLoadMs(1); // first use opens caches; not counted
        const double water = medianLoadMs(rounds);
        airCase(s);
        const double air = medianLoadMs(rounds);
        std::printf("sizing sheet load, water, 3 points, extended display: median %.2f ms (%d loads)\n", water,
                    rounds);
        std::printf("sizing sheet load, air, 3 points, extended display:   median %.2f ms (%d loads)\n", air,
                    rounds);
        std::printf("status after the last load: %s\n", qPrintable(window.StatusBar.text()));
    } catch (const DbError &e) {
        std::fprintf(stderr, "bench_sizing_sheet: %s\n", qPrintable(e.text()));
        return 1;
    }
    setMainWindowAccess(nullptr);
    closeLanguageDatabase();
    shared() = SharedData();
    return 0;
}
