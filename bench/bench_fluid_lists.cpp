// Opening the fluid dialogs on the shipped fluid database: the ideal-gas list, the liquid list and the gas mixture,
// each from its creation through its Load handler (database and table opened, nameless records purged, list
// filled, unit lists set) to its first picture offscreen, and its unload. Median in milliseconds (aim: below 10 ms).
// Runs on the generated seed in a temporary documents folder.

#include "fluids/gas_mixture.h"
#include "fluids/ideal_gas_list.h"
#include "fluids/liquid_list.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_ui_services.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <functional>
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
    if (draw) {
        qtui::FormView view(dialog);
        view.window()->setAttribute(Qt::WA_DontShowOnScreen);
        view.window()->show();
        QApplication::processEvents();
        (void)view.window()->grab();
    }
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
    std::sort(ms.begin(), ms.end());
    QTextStream(stdout) << what << (draw ? " (with widgets)" : " (model)") << ": median "
                        << QString::number(ms[ms.size() / 2], 'f', 2) << " ms (min "
                        << QString::number(ms.front(), 'f', 2) << ", max " << QString::number(ms.back(), 'f', 2)
                        << ", " << runs << " runs; aim < 10 ms)\n";
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));

    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int runs = quick ? 3 : 101;

    setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
    QString error;
    if (!ensureDataFolder(QStringLiteral(QUENDRA_SEED_DIR), &error)) {
        QTextStream(stderr) << error << "\n";
        return 1;
    }
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
