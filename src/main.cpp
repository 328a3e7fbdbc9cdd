#include "app/help_sections.h"
#include "app/main_window.h"
#include "app/sheet_host.h"
#include "platform/forms/ui_services.h"
#include "platform/print/qt_print_back_end.h"
#include "platform/print/qt_printer_list.h"
#include "platform/qt/qt_printer_setup.h"
#include "platform/qt/help_window.h"
#include "platform/qt/qt_table_curve_display.h"
#include "platform/qt/qt_ui_services.h"
#include "platform/qt/render_png.h"
#include "platform/shell/qt_desktop_services.h"
#include "sheets/calc_flow.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "units/file_messages.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <QTimer>
#include <clocale>

namespace {

// Leaves the event loop once the main window has been unloaded (its close box).
class EndWhenUnloaded : public FormObserver {
public:
    void formChanged(Form &form, Prop what) override
    {
        if (what == Prop::Loaded && !form.isLoaded())
            QCoreApplication::exit(0);
    }
    void controlChanged(Control &, Prop) override {}
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Qt sets the C library's numeric locale from the environment; our number text never goes through it.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Quendra"));
    QApplication::setApplicationVersion(QStringLiteral(QUENDRA_VERSION_TEXT));
    // The program ends when its main window unloads, not when Qt sees no window for a moment.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser options;
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Draws the main window into <png> once it is shown, then closes it as the close box does."),
        QStringLiteral("png"));
    options.addOption(screenshot);
    const QCommandLineOption startNew(QStringLiteral("new"),
                                      QStringLiteral("Runs File > New at once, as a click on the start picture does."));
    options.addOption(startNew);
    options.process(app);

    QtUiServices ui;
    UiServicesScope uiScope(ui);
    // Until the stored language is read the program speaks German, the language its texts are keyed in.
    ui.setLanguage(QStringLiteral("de"));
    QtPrinterList printers;
    PrinterListScope printerScope(printers);
    QtPrintBackEnd printing;
    PrintBackEndScope printingScope(printing);
    QtPrinterSetupDialog printerSetup;
    setPrinterSetupDialog(&printerSetup);
    QtTableCurveDisplay curves;
    TableCurveDisplayScope curveScope(curves);
    qtui::HelpViewer helpViewer;
    QtDesktopServices desktop([&helpViewer](const QString &file, const QString &anchor, const HelpTexts &texts) {
        helpViewer.show(file, texts.title, texts.missingFile, anchor);
    });
    DesktopServicesScope desktopScope(desktop);
    // F1 in any window shows that window's section of the help, in the language the help menu chose last
    // (nothing before).
    qtui::HelpKey helpKey([](const QString &window, const QString &control) { showHelpFor(window, control); });

    setUncaughtFailureText([](const std::exception &e) { return uncaughtFailureMessage(e, shared().Sprache); });

    sheethost::registerSheet(SheetKind::CalcSize, sheethost::hooksFor(calcSizeSheet()));
    sheethost::registerSheet(SheetKind::CalcFlow, sheethost::hooksFor(frmCalcFlow()));

    frmMDIMain main;
    main.EndProgram = [](int code) { QCoreApplication::exit(code); };
    if (!main.prepareStart())
        return main.exitCode();
    EndWhenUnloaded endWatch;
    main.addObserver(&endWatch);
    main.load();
    if (main.startFailed()) {
        main.removeObserver(&endWatch);
        return main.exitCode();
    }
    main.show();
    if (options.isSet(startNew)) {
        main.picStart_Click();
        // A file New cannot open has been reported; the event loop does not run yet, so leaving it ends nothing.
        if (main.startFailed()) {
            main.removeObserver(&endWatch);
            return main.exitCode();
        }
    }

    if (options.isSet(screenshot)) {
        const QString path = options.value(screenshot);
        QTimer::singleShot(0, [&main, path] {
            if (!qtui::renderFormToPng(main, path))
                QTextStream(stderr) << "cannot write " << path << "\n";
            main.userClose();
        });
    }

    const int code = app.exec();
    main.removeObserver(&endWatch);
    setPrinterSetupDialog(nullptr);
    return code;
}
