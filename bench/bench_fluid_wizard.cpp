// The fluid-data wizard on the shipped substance table: loading it (captions, database and table opened, nameless
// records purged, unit lists, list filled and the current wizard medium picked) and unloading it, as a model and
// with its widgets drawn once offscreen (aim: below 20 ms); and a calculation of three operating points (state
// decision, density, real-gas factor, vapour pressure and viscosity at min, norm and max; aim: below 1 ms).
// Medians in milliseconds. Runs on the generated seed in a temporary documents folder.

#include "fluids/fluid_wizard.h"
#include "platform/qt/qt_ui_services.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include "common.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <functional>
#include <vector>

namespace {

double milliseconds(const std::function<void()> &run)
{
    QElapsedTimer clock;
    clock.start();
    run();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void print(const char *what, const std::vector<double> &ms, double aim)
{
    QTextStream(stdout) << what << ": " << bench::summary(ms, 3, aim) << "\n";
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

    // A wizard liquid is the medium, so that loading also picks its entry; all three columns are in use.
    SharedData &s = shared();
    s.Medium = 6;
    s.Zustand = 1;
    s.NameMedium = QStringLiteral("Wasser");
    s.FORMEL = QStringLiteral("H2O");
    s.Modus = 0;
    s.MIN = true;
    s.NORM = true;

    DefaultInstance<frmStoffdatenAssistent> &instance = frmStoffdatenAssistentInstance();
    for (bool draw : {false, true}) {
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            bool opened = true;
            ms.push_back(milliseconds([&] {
                frmStoffdatenAssistent &w = instance.get();
                opened = w.databaseOpen() && w.lstSubstanz.listIndex() >= 0;
                if (draw)
                    bench::drawOffscreen(w);
                instance.unload();
                formruntime::collect();
            }));
            if (!opened) {
                QTextStream(stderr) << "the wizard could not open the shipped table or pick water\n";
                return 1;
            }
        }
        print(draw ? "loading the wizard (with widgets)" : "loading the wizard (model)", ms, 20);
    }

    frmStoffdatenAssistent &w = instance.get();
    const std::pair<TextBox *, const char *> point[] = {{&w.txtp1min, "9"},    {&w.txtp1norm, "10"},
                                                        {&w.txtp1max, "11"},   {&w.txtT1min, "150"},
                                                        {&w.txtT1norm, "150"}, {&w.txtT1max, "150"}};
    for (const auto &[field, text] : point)
        field->setText(QString::fromLatin1(text));
    std::vector<double> ms;
    for (int i = 0; i < runs * 10; ++i)
        ms.push_back(milliseconds([&] { w.cmdCalc_Click(); }));
    if (!w.cmdOK.enabled() || w.assistentZustand() != 1 || !w.txtnuemin.visible()) {
        QTextStream(stderr) << "the three-point calculation did not pass\n";
        return 1;
    }
    print("three-point calculation", ms, 1);
    instance.unload();
    formruntime::collect();
    closeLanguageDatabase();
    return 0;
}
