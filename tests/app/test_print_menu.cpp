#include "menu_fixture.h"

#include "platform/print/print_recorder.h"
#include "platform/print/print_session.h"
#include "platform/print/qt_print_back_end.h"
#include "reports/print_dialog.h"
#include "support/pdf_text.h"
#include "tools/heat_exchanger.h"
#include "units/two_locales.h"

#include <QFileInfo>
#include <QRegularExpression>
#include "units/maker_identity.h"

// The print entries of the main window end to end: the print dialog on the real sheets, a PDF written through
// Qt's PDF output and read back, the printer switched for the PDF entry and back, failures told, and the
// printer set-up.

using namespace menufixture;
using testsupport::pdfText;

namespace {

class ScriptedSetup : public PrinterSetupDialog {
public:
    std::optional<PrinterSetupChoice> answer;
    QString title;
    std::optional<PrinterSetupChoice> run(const QString &, const PageSetup &, const QString &t) override
    {
        title = t;
        return answer;
    }
};

} // namespace

class TestPrintMenu : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void initTestCase() { f.initSuite(); }
    void init()
    {
        resetPrinterSession();
        f.installedPrinters = {QStringLiteral("Office"), QStringLiteral("PDF")};
    }
    void cleanup()
    {
        f.stop();
        resetPrinterSession();
    }

    void pdfEntryWritesThePrintout_data();
    void pdfEntryWritesThePrintout();
    void everyWarningOfTheSheetIsPrinted_data();
    void everyWarningOfTheSheetIsPrinted();
    void pdfEntrySwitchesThePrinter_data();
    void pdfEntrySwitchesThePrinter();
    void failedPrintoutsAreTold_data();
    void failedPrintoutsAreTold();
    void sectionChoiceIsStored();
    void printerSetup_data();
    void printerSetup();
};

void TestPrintMenu::pdfEntryWritesThePrintout_data()
{
    QTest::addColumn<QString>("medium");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("water") << "" << "water"
                           << QStringList{"Prozessdaten / Medium: Wasser / Zustandsverhalten: Flüssigkeit",
                                          "Druckrückgewinn-Faktor FL", "Dampfdruck"};
    QTest::newRow("air") << "mnuLuft" << "air"
                         << QStringList{"Prozessdaten / Medium: Luft / Zustandsverhalten: Ideales Gas",
                                        "Krit. Druckverhältnis xT", "Normdichte", "Isentropenexponent"};
}

void TestPrintMenu::pdfEntryWritesThePrintout()
{
    QFETCH(QString, medium);
    QFETCH(QString, name);
    QFETCH(QStringList, texts);
    QtPrintBackEnd qt;
    PrintBackEndScope scope(qt);
    f.start([&](SharedData &d) {
        d.DruckProzessdaten = d.DruckVentildaten = d.DruckStellverhältnis = Variant(true);
        d.DruckRohrleitung = d.DruckSchalldruck = d.DruckStoffdaten = Variant(true);
        if (name == QLatin1String("air")) {
            // Compressed air, 6 bar abs. to 4 / 3.5 / 3, 20 °C, 300 / 600 / 900 m3/h (norm).
            d.p1Min = d.p1Norm = d.p1Max = 6;
            d.p2Min = 4;
            d.p2Norm = 3.5;
            d.p2Max = 3;
            d.T1Min = d.T1Norm = d.T1Max = 20;
            d.QMin = 300;
            d.QNorm = 600;
            d.QMax = 900;
        }
    });
    if (!medium.isEmpty())
        QVERIFY(f.choose(*dynamic_cast<Menu *>(f.w->control(medium))));
    QVERIFY(shared().PDFDruckerVorhanden);
    QVERIFY(f.w->mnuPDFDruck.enabled());

    const QString folder = QStringLiteral(QUENDRA_TEST_OUTPUT_DIR) + QStringLiteral("/reports");
    QDir().mkpath(folder);
    const QString file = folder + QStringLiteral("/printout_%1.pdf").arg(name);
    QFile::remove(file);
    f.ui.answerNextFileDialog(file);
    QString duringDialog;
    f.ui.onNextModal([&](Form &form) {
        auto &dialog = dynamic_cast<frmDruck &>(form);
        duringDialog = currentPrinter();
        dialog.txtInfo.setText(QStringLiteral("Angebot 2024-117\r\nRevision B"));
        dialog.txtFirma.setText(QStringLiteral("Stadtwerke Musterstadt"));
        dialog.txtBetrifft.setText(QStringLiteral("Regelventil Fernwärme"));
        dialog.txtPosition.setText(QStringLiteral("Pos. 12"));
        dialog.txtMStelle.setText(QStringLiteral("TIC 4711"));
        dialog.cmdOK.userClick();
    });
    QVERIFY(f.choose(f.w->mnuPDFDruck));

    QCOMPARE(f.ui.modalRuns(), QStringList{QStringLiteral("frmDruck")});
    QCOMPARE(duringDialog, QStringLiteral("PDF"));
    QCOMPARE(currentPrinter(), QStringLiteral("Office"));
    QVERIFY2(f.ui.messages().empty(), f.ui.messages().empty() ? "" : qPrintable(f.ui.messages()[0].text));
    QCOMPARE(f.ui.fileRequests().size(), std::size_t(1));
    QCOMPARE(f.ui.fileRequests()[0].request.fileName, QStringLiteral("Default.pdf"));
    QCOMPARE(f.ui.fileRequests()[0].request.startFolder, dataFolder());

    const QString text = pdfText(file);
    QStringList expected = texts;
    expected << QStringLiteral("Ventildimensionierung nach IEC 60534") << QStringLiteral("Angebot 2024-117")
             << QStringLiteral("Revision B") << QStringLiteral("Stadtwerke Musterstadt")
             << QStringLiteral("Regelventil Fernwärme") << QStringLiteral("TIC 4711")
             << QStringLiteral("Quendra 9.75 / Berechnet von Tester") << maker::company << maker::productWeb;
    for (const QString &t : expected)
        QVERIFY2(text.contains(t), qPrintable(t + QStringLiteral("\n---\n") + text));
}

// The real sheet recalculates the default project (water, 10 bar abs., 20 °C, optimised Kvs); its status line
// names every warning, and the PDF lists each once under its number.
void TestPrintMenu::everyWarningOfTheSheetIsPrinted_data()
{
    QTest::addColumn<std::function<void(SharedData &)>>("change");
    QTest::addColumn<QString>("steamNormP2"); // handed over from the heat exchanger with this p2; empty: none
    QTest::addColumn<QStringList>("notes");

    using Change = std::function<void(SharedData &)>;
    const QString flow = QStringLiteral("Ventildurchfluss nicht ausreichend!");
    QTest::newRow("default project: no note") << Change([](SharedData &) {}) << "" << QStringList{};
    // 10 m3/h of water through 0.01 bar needs Kv = 10 / sqrt(0.01) = 100; 30 m3/h at 4 bar give Kvs 25.
    QTest::newRow("P2 min 9.99 bar") << Change([](SharedData &d) { d.p2Min = 9.99; }) << "" << QStringList{flow};
    // 45 m3/h through 0.5 bar needs Kv 63.6; 50 m3/h at 4 bar (Kv 25) give Kvs 40.
    QTest::newRow("P2 norm 9.5 bar, Q norm 45, Q max 50 m3/h")
        << Change([](SharedData &d) { d.p2Norm = 9.5, d.QNorm = 45, d.QMax = 50; }) << "" << QStringList{flow};
    // Saturated steam from 10 to 9.99 bar abs. in the norm column.
    QTest::newRow("steam handed over from the heat exchanger, its norm point failing")
        << Change([](SharedData &) {}) << "9.99" << QStringList{flow};
}

void TestPrintMenu::everyWarningOfTheSheetIsPrinted()
{
    QFETCH(std::function<void(SharedData &)>, change);
    QFETCH(QString, steamNormP2);
    QFETCH(QStringList, notes);
    QtPrintBackEnd qt;
    PrintBackEndScope scope(qt);
    f.start([&](SharedData &d) {
        d.DruckProzessdaten = d.DruckVentildaten = d.DruckStellverhältnis = Variant(true);
        change(d);
    });
    if (!steamNormP2.isEmpty()) {
        f.ui.onNextModal([&](Form &form) {
            auto &w = dynamic_cast<frmWärmetauscher &>(form);
            w.txtp2norm.setText(testlocale::zahl(steamNormP2.toUtf8().constData()));
            w.cmdÜbernehmen.userClick();
        });
        QVERIFY(f.choose(f.w->mnuWärmetauscher));
        frmWärmetauscherInstance().unload();
        QCOMPARE(shared().Medium, 2);
    }
    QStringList status{QStringLiteral("Berechnung aktualisiert")};
    status << notes;
    QCOMPARE(f.w->StatusBar.text(), status.join(QStringLiteral(" / ")));

    QString name = QString::fromUtf8(QTest::currentDataTag());
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.]+")), QStringLiteral("_"));
    const QString file = QStringLiteral(QUENDRA_TEST_OUTPUT_DIR "/reports/printout_warnings_") + name +
                         QStringLiteral(".pdf");
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile::remove(file);
    f.ui.answerNextFileDialog(file);
    f.ui.onNextModal([](Form &form) { dynamic_cast<frmDruck &>(form).cmdOK.userClick(); });
    QVERIFY(f.choose(f.w->mnuPDFDruck));
    QVERIFY(f.ui.messages().empty());
    QStringList listed;
    static const QRegularExpression numbered(QStringLiteral("^\\s*(\\d\\) \\S.*\\S)\\s*$"));
    for (const QString &line : pdfText(file).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = numbered.match(line);
        if (m.hasMatch())
            listed << m.captured(1);
    }
    QStringList expected;
    for (int i = 0; i < notes.size(); ++i)
        expected << QString::number(i + 1) + QStringLiteral(") ") + notes[i];
    QCOMPARE(listed, expected);
}

void TestPrintMenu::pdfEntrySwitchesThePrinter_data()
{
    QTest::addColumn<QStringList>("atStart");
    QTest::addColumn<QStringList>("later"); // the printers when the entry is chosen; the default first
    QTest::addColumn<QString>("during");
    QTest::addColumn<QString>("after");

    QTest::newRow("PDF, then the default again") << QStringList{"Office", "PDF"} << QStringList{"Office", "PDF"}
                                                 << "PDF" << "Office";
    QTest::newRow("two of that name: the first") << QStringList{"Office", "PDF"}
                                                 << QStringList{"Office", "PDF", "PDF"} << "PDF" << "Office";
    QTest::newRow("PDF printer gone: the current one prints")
        << QStringList{"Office", "PDF"} << QStringList{"Office", "Lab"} << "Office" << "Office";
    QTest::newRow("default gone: PDF stays current") << QStringList{"Office", "PDF"} << QStringList{"Lab", "PDF"}
                                                     << "PDF" << "PDF";
    QTest::newRow("no printers left: nothing switched") << QStringList{"Office", "PDF"} << QStringList{} << ""
                                                        << "";
}

void TestPrintMenu::pdfEntrySwitchesThePrinter()
{
    QFETCH(QStringList, atStart);
    QFETCH(QStringList, later);
    QFETCH(QString, during);
    QFETCH(QString, after);
    RecordingBackEnd recorder;
    PrintBackEndScope scope(recorder);
    f.installedPrinters = atStart;
    f.start();
    f.printers.set(later.value(0), later);
    QString seen = QStringLiteral("(not shown)");
    f.ui.onNextModal([&](Form &form) {
        seen = currentPrinter();
        dynamic_cast<frmDruck &>(form).cmdEsc.userClick();
    });
    QVERIFY(f.choose(f.w->mnuPDFDruck));
    QCOMPARE(seen, during);
    QCOMPARE(currentPrinter(), after);
    QVERIFY(recorder.documents().empty());
}

void TestPrintMenu::failedPrintoutsAreTold_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<QString>("file"); // relative: in the projects folder, over an old PDF on a full disk
    QTest::addColumn<QStringList>("reason");

    QTest::newRow("a printer the print system does not know")
        << false << "" << QStringList{"Der Drucker ist nicht mehr vorhanden."};
    QTest::newRow("a PDF file in a folder that does not exist")
        << true << "/nonexistent-folder/x.pdf"
        << QStringList{"Die Datei oder ihr Ordner ist nicht vorhanden."};
    QTest::newRow("a PDF over an old one on a full disk")
        << true << "Bericht.pdf" << QStringList{"Auf dem Datenträger ist nicht genug Platz."};
}

void TestPrintMenu::failedPrintoutsAreTold()
{
    QFETCH(bool, pdf);
    QFETCH(QString, file);
    QFETCH(QStringList, reason);
    QtPrintBackEnd qt;
    PrintBackEndScope scope(qt);
    f.start();
    const bool full = pdf && QDir::isRelativePath(file);
    QString path = file;
    QByteArray before;
    if (full) {
        path = QDir(f.projects()).filePath(file);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("%PDF-1.4 the printout of last week");
        old.close();
        before = fileBytes(path);
        f.ui.answerNextMessage(MsgAnswer::Yes); // replace it
    }
    if (pdf)
        f.ui.answerNextFileDialog(path);
    f.ui.onNextModal([](Form &form) { dynamic_cast<frmDruck &>(form).cmdOK.userClick(); });
    {
        std::unique_ptr<testsupport::FileSizeLimit> limit;
        if (full)
            limit = std::make_unique<testsupport::FileSizeLimit>(4096);
        QVERIFY(f.choose(pdf ? f.w->mnuPDFDruck : f.w->mnuDrucken));
    }
    QCOMPARE(f.ui.messages().size(), std::size_t(full ? 2 : 1));
    const QStringList message = QStringList{"Der Ausdruck ist fehlgeschlagen:", pdf ? path : QStringLiteral("Office"), ""} +
                                reason;
    QCOMPARE(f.ui.messages().back().text.split(QLatin1Char('\n')), message);
    QVERIFY(!frmDruckInstance().isLoaded());
    QCOMPARE(currentPrinter(), QStringLiteral("Office"));
    if (full) {
        QVERIFY(fileBytes(path) == before);
        QCOMPARE(QDir(f.projects()).entryList(QDir::Files | QDir::Hidden), QStringList{file});
    }
}

void TestPrintMenu::sectionChoiceIsStored()
{
    RecordingBackEnd recorder;
    PrintBackEndScope scope(recorder);
    f.start([](SharedData &d) { d.DruckRohrleitung = Variant(true); });
    f.ui.onNextModal([](Form &form) {
        auto &dialog = dynamic_cast<frmDruck &>(form);
        dialog.chkRohrleitung.userClick();
        dialog.cmdEsc.userClick();
    });
    QVERIFY(f.choose(f.w->mnuDrucken));
    QVERIFY(!shared().DruckRohrleitung.toBool());
    SharedData stored;
    LoadProgrammParameter(dataFolder(), QStringLiteral("Default"), stored);
    QVERIFY(!stored.DruckRohrleitung.toBool());
}

void TestPrintMenu::printerSetup_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("current");
    QTest::newRow("PDF chosen") << "PDF" << "PDF";
    QTest::newRow("cancelled: nothing changes") << "" << "Office";
}

void TestPrintMenu::printerSetup()
{
    QFETCH(QString, chosen);
    QFETCH(QString, current);
    f.start();
    ScriptedSetup dialog;
    if (!chosen.isEmpty())
        dialog.answer = PrinterSetupChoice{chosen, PageSetup{}};
    setPrinterSetupDialog(&dialog);
    QVERIFY(f.choose(f.w->mnuDruckerEinrichten));
    setPrinterSetupDialog(nullptr);
    QCOMPARE(dialog.title, QStringLiteral("Drucker einrichten"));
    QCOMPARE(currentPrinter(), current);
    QVERIFY(f.ui.messages().empty());
}

QTEST_MAIN(TestPrintMenu)
#include "test_print_menu.moc"
