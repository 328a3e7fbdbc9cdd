// Opening the fluid dialogs on the shipped fluid database: the ideal-gas list, the liquid list and the gas mixture,
// each from its creation through its Load handler (database and table opened, nameless records purged, list
// filled, unit lists set) to its first picture offscreen, and its unload. Median in milliseconds (aim: below 10 ms).
// Runs on the generated seed in a temporary documents folder.

#include "fluids/gas_mixture.h"
#include "fluids/ideal_gas_list.h"
#include "fluids/liquid_list.h"
#include "platform/qt/qt_ui_services.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include "common.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <vector>

namespace {

// Opens the dialog through its default instance, draws it once offscreen and unloads it; milliseconds.
template <class T>
double openOnce(DefaultInstance<T> &instance, bool draw)
{
    QElapsedTimer clock;
    clock.start();
    T &dialog = instance.get();
    if (!dialog.databaseOpen())
        return -1.0;
    if (draw)
        bench::drawOffscreen(dialog);
    instance.unload();
    formruntime::collect();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

template <class T>
bool report(const char *what, DefaultInstance<T> &instance, int runs, bool draw)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const double t = openOnce(instance, draw);
        if (t < 0) {
            QTextStream(stderr) << what << ": the fluid database cannot be opened\n";
            return false;
        }
        ms.push_back(t);
    }
    QTextStream(stdout) << what << (draw ? " (with widgets)" : " (model)") << ": " << bench::summary(ms, 2, 10)
                        << "\n";
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    bench::OffscreenApplication app(argc, argv);
    if (!app.ok())
        return 1;
    const int runs = bench::quick(argc, argv) ? 3 : 101;
    QtUiServices ui;
    UiServicesScope uiScope(ui);
    openLanguageDatabase(dataFile(QStringLiteral("dbSprache.mdb")));

    bool ok = true;
    for (bool draw : {false, true}) {
        ok = ok && report("ideal-gas list", frmIdealesGasInstance(), runs, draw);
        ok = ok && report("liquid list", frmFlüssigkeitInstance(), runs, draw);
        ok = ok && report("gas mixture", frmGasgemischInstance(), runs, draw);
    }
    closeLanguageDatabase();
    return ok ? 0 : 1;
}
