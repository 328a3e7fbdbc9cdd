// The print dialog headless: loading in each language and display variant, the section boxes and what they
// store, the header fields' limits, the buttons, failures told to the user, the PDF file question; and the
// dialog drawn offscreen.
#include "report_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace reportfixture;

namespace {

struct Flags {
    bool prozess, ventil, stell, kenn;
};

void setFlags(SharedData &s, const Flags &f)
{
    s.DruckProzessdaten = Variant(f.prozess);
    s.DruckVentildaten = Variant(f.ventil);
    s.DruckStellverhältnis = Variant(f.stell);
    s.DruckKenndaten = Variant(f.kenn);
}

} // namespace

class TestPrintDialog : public QObject {
    Q_OBJECT

private slots:
    void loading_data();
    void loading();
    void valveDataBox();
    void headerLimits_data();
    void headerLimits();
    void storedTextTooLong();
    void buttons_data();
    void buttons();
    void saveFailureToldOncePerOpening();
    void printFailures_data();
    void printFailures();
    void pdfFile_data();
    void pdfFile();
    void renderedOffscreen();
};

void TestPrintDialog::loading_data()
{
    QTest::addColumn<int>("Sprache");
    QTest::addColumn<int>("KD_Version");
    QTest::addColumn<int>("Modus");
    QTest::addColumn<QList<bool>>("flags"); // Prozessdaten, Ventildaten, Stellverhältnis, Kenndaten
    QTest::addColumn<QStringList>("captions"); // window, lblFirma, language list text, lblTitel
    QTest::addColumn<QList<int>>("boxes");     // Ventildaten, Stellverhältnis value and enabled, Kenndaten value
    QTest::addColumn<bool>("extendedShown");
    QTest::addColumn<int>("saves");

    // The three switches the water case leaves on (pipe, noise, fluid) are each stored once more as they load.
    QTest::newRow("German") << 0 << 0 << 0 << QList<bool>{true, true, true, false}
                            << QStringList{"Drucken", "Firma:", "deutsch", "Ventildimensionierung nach IEC 60534"}
                            << QList<int>{1, 1, 1, 0} << false << 6;
    QTest::newRow("French") << 2 << 0 << 0 << QList<bool>{true, true, true, false}
                            << QStringList{"Imprimer", "Société :", "français",
                                           "Dimensionnement des vannes selon CEI 60534"}
                            << QList<int>{1, 1, 1, 0} << false << 6;
    QTest::newRow("Czech flow sheet") << 5 << 0 << 1 << QList<bool>{false, true, false, false}
                                      << QStringList{"Tisk", "Firma:", "česky", "Výpočet průtoku podle IEC 60534"}
                                      << QList<int>{1, 0, 1, 0} << false << 4;
    QTest::newRow("valve data off, rangeability on: shown ticked, disabled")
        << 0 << 0 << 0 << QList<bool>{true, false, true, false}
        << QStringList{"Drucken", "Firma:", "deutsch", "Ventildimensionierung nach IEC 60534"}
        << QList<int>{0, 1, 0, 0} << false << 5;
    QTest::newRow("extended display, extended data on: not stored")
        << 0 << 6417 << 0 << QList<bool>{true, true, true, true}
        << QStringList{"Drucken", "Firma:", "deutsch", "Ventildimensionierung nach IEC 60534"}
        << QList<int>{1, 1, 1, 1} << true << 6;
    QTest::newRow("other display: extended box hidden, flag untouched")
        << 1 << 0 << 0 << QList<bool>{true, true, true, true}
        << QStringList{"Print", "Company:", "English", "Valve sizing according to IEC 60534"}
        << QList<int>{1, 1, 1, 0} << false << 6;
}

void TestPrintDialog::loading()
{
    QFETCH(int, Sprache);
    QFETCH(int, KD_Version);
    QFETCH(int, Modus);
    QFETCH(QList<bool>, flags);
    QFETCH(QStringList, captions);
    QFETCH(QList<int>, boxes);
    QFETCH(bool, extendedShown);
    QFETCH(int, saves);
    Fixture fx;
    SharedData &s = shared();
    s.Sprache = Sprache;
    s.SpracheDruck = 4; // left from an earlier opening
    s.KD_Version = KD_Version;
    s.Modus = Modus;
    setFlags(s, {flags[0], flags[1], flags[2], flags[3]});
    frmDruck &f = fx.open();

    QCOMPARE(f.caption(), captions[0]);
    QCOMPARE(f.lblFirma.caption(), captions[1]);
    QCOMPARE(f.cmbSprache.text(), captions[2]);
    QCOMPARE(f.lblTitel.caption(), captions[3]);
    QCOMPARE(f.cmbSprache.listCount(), 6);
    QCOMPARE(f.cmdOK.caption(), QStringLiteral("OK"));
    QCOMPARE(s.SpracheDruck, Sprache);
    QCOMPARE(f.chkVentildaten.value(), boxes[0]);
    QCOMPARE(f.chkStellverhältnis.value(), boxes[1]);
    QCOMPARE(int(f.chkStellverhältnis.enabled()), boxes[2]);
    QCOMPARE(int(f.lblStellverhältnis.enabled()), boxes[2]);
    QCOMPARE(f.chkKenndaten.value(), boxes[3]);
    QCOMPARE(f.chkKenndaten.visible(), extendedShown);
    QCOMPARE(f.lblKenndaten.visible(), extendedShown);
    QCOMPARE(fx.saves, saves);
    // Loading stores the flags as they were; the extended flag is the dialog's only where its box is shown.
    QCOMPARE(s.DruckProzessdaten.toBool(), flags[0]);
    QCOMPARE(s.DruckVentildaten.toBool(), flags[1]);
    QCOMPARE(s.DruckStellverhältnis.toBool(), flags[2]);
    QCOMPARE(s.DruckKenndaten.toBool(), flags[3]);
}

void TestPrintDialog::valveDataBox()
{
    Fixture fx;
    SharedData &s = shared();
    s.KD_Version = 6417;
    setFlags(s, {true, true, true, true});
    frmDruck &f = fx.open();
    const int loaded = fx.saves;

    f.chkVentildaten.userClick();
    QCOMPARE(f.chkVentildaten.value(), 0);
    for (CheckBox *box : {&f.chkStellverhältnis, &f.chkKenndaten}) {
        QCOMPARE(box->value(), 0);
        QVERIFY(!box->enabled());
    }
    QVERIFY(!f.lblStellverhältnis.enabled() && !f.lblKenndaten.enabled());
    QVERIFY(!s.DruckVentildaten.toBool() && !s.DruckStellverhältnis.toBool() && !s.DruckKenndaten.toBool());
    // The rangeability box and the valve box store; the extended box does not.
    QCOMPARE(fx.saves, loaded + 2);

    f.chkVentildaten.userClick();
    QVERIFY(s.DruckVentildaten.toBool());
    for (CheckBox *box : {&f.chkStellverhältnis, &f.chkKenndaten}) {
        QCOMPARE(box->value(), 0);
        QVERIFY(box->enabled());
    }
    QVERIFY(f.lblStellverhältnis.enabled() && f.lblKenndaten.enabled());
    QVERIFY(!s.DruckStellverhältnis.toBool());
    QCOMPARE(fx.saves, loaded + 3);

    f.chkKenndaten.userClick();
    QVERIFY(s.DruckKenndaten.toBool());
    QCOMPARE(fx.saves, loaded + 3);
}

void TestPrintDialog::headerLimits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("limit");
    QTest::newRow("Info") << "txtInfo" << 255;
    QTest::newRow("Firma") << "txtFirma" << 255;
    QTest::newRow("Betrifft") << "txtBetrifft" << 255;
    QTest::newRow("Position") << "txtPosition" << 63;
    QTest::newRow("Messstelle") << "txtMStelle" << 31;
}

void TestPrintDialog::headerLimits()
{
    QFETCH(QString, field);
    QFETCH(int, limit);
    Fixture fx;
    checkHeaderLimit(fx.open(), field, limit, fx.ui);
}

void TestPrintDialog::storedTextTooLong()
{
    Fixture fx;
    SharedData &s = shared();
    const QString stored = QStringLiteral("Messstelle der Heizung im Keller, Raum 4");
    s.TextMStelle = Variant(stored);
    frmDruck &f = fx.open();
    QCOMPARE(fx.ui.beepCount(), 1);
    QCOMPARE(f.txtMStelle.text(), stored.left(31));
    QCOMPARE(s.TextMStelle.toString(), stored);
    f.cmdEsc.press();
    QCOMPARE(s.TextMStelle.toString(), stored.left(31));
}

void TestPrintDialog::buttons_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("texts"); // the five shared texts afterwards
    QTest::addColumn<int>("printed");
    QTest::addColumn<bool>("stillOpen");

    QTest::newRow("OK") << "OK" << QStringList{"Neu", "", "Alt", "", ""} << 1 << false;
    QTest::newRow("Abbruch keeps the edited texts") << "Abbruch" << QStringList{"Neu", "", "Alt", "", ""} << 0 << false;
    QTest::newRow("close box keeps nothing") << "close" << QStringList{"Alt", "", "Alt", "", ""} << 0 << false;
    QTest::newRow("Kopfdaten löschen") << "clear" << QStringList{" ", " ", " ", " ", " "} << 0 << true;
}

void TestPrintDialog::buttons()
{
    Fixture fx;
    checkButtonRow<frmDruck>(fx, frmDruckInstance(), [&]() -> frmDruck & { return fx.open(); });
}

void TestPrintDialog::saveFailureToldOncePerOpening()
{
    Fixture fx;
    fx.saveFails = true;
    frmDruck &f = fx.open();
    QCOMPARE(fx.ui.messages().size(), std::size_t(1));
    QVERIFY(fx.ui.messages()[0].text.contains(QStringLiteral("Default.vls")));
    QVERIFY(fx.ui.messages()[0].text.endsWith(QStringLiteral("\n\nZugriff verweigert: Es fehlt die Berechtigung, oder die "
                                                             "Datei oder ihr Ordner ist schreibgeschützt.")));
    f.chkRohrleitung.userClick();
    f.chkSchalldruck.userClick();
    QCOMPARE(fx.ui.messages().size(), std::size_t(1));
    // The choice holds for this session.
    QVERIFY(!shared().DruckRohrleitung.toBool());
    QVERIFY(!shared().DruckSchalldruck.toBool());
    f.cmdEsc.press();
    formruntime::collect();
    fx.open().chkStoffdaten.userClick();
    QCOMPARE(fx.ui.messages().size(), std::size_t(2));
}

void TestPrintDialog::printFailures_data()
{
    printFailureRows();
}

void TestPrintDialog::printFailures()
{
    Fixture fx;
    arrangePrintFailure(fx);
    fx.print();
    QCOMPARE(frmDruckInstance().isLoaded(), false);
    checkPrintFailure(fx);
}

void TestPrintDialog::pdfFile_data()
{
    QTest::addColumn<QString>("answer"); // a path below the folder, "" for a cancel
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("overwrite"); // answer to the question; 0 when none is asked
    QTest::addColumn<QString>("file");  // the file written, "" when nothing is

    QTest::newRow("offered name") << "Projekt.pdf" << false << 0 << "Projekt.pdf";
    QTest::newRow("the ending is added") << "bericht" << false << 0 << "bericht.pdf";
    QTest::newRow("existing file replaced") << "Projekt.pdf" << true << int(MsgAnswer::Yes) << "Projekt.pdf";
    QTest::newRow("existing file kept") << "Projekt.pdf" << true << int(MsgAnswer::No) << "";
    QTest::newRow("cancelled") << "" << false << 0 << "";
}

void TestPrintDialog::pdfFile()
{
    QFETCH(QString, answer);
    QFETCH(bool, exists);
    QFETCH(int, overwrite);
    QFETCH(QString, file);
    Fixture fx;
    QTemporaryDir dir;
    SharedData &s = shared();
    s.DatenPfad = dir.path();
    s.DateiName = QStringLiteral("Projekt");
    if (exists) {
        QFile f(dir.filePath(answer));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(selectPrinter(QStringLiteral("PDF")));
    fx.ui.answerNextFileDialog(answer.isEmpty() ? std::nullopt : std::optional<QString>(dir.filePath(answer)));
    if (overwrite)
        fx.ui.answerNextMessage(MsgAnswer(overwrite));
    const RecordedDocument &d = fx.print();

    QCOMPARE(fx.ui.fileRequests().size(), std::size_t(1));
    const FileDialogRequest &request = fx.ui.fileRequests()[0].request;
    QVERIFY(fx.ui.fileRequests()[0].save);
    QCOMPARE(request.startFolder, dir.path());
    QCOMPARE(request.fileName, QStringLiteral("Projekt.pdf"));
    QCOMPARE(request.title, QStringLiteral("PDF-Druck"));
    QCOMPARE(fx.ui.messages().size(), std::size_t(overwrite ? 1 : 0));
    QCOMPARE(d.file, file.isEmpty() ? QString() : dir.filePath(file));
    QCOMPARE(d.begun, !file.isEmpty());
    // A cancel is no failure: nothing more is said.
    QVERIFY(fx.ui.messages().empty() || fx.ui.messages()[0].buttons == MsgButtons::YesNo);
}

void TestPrintDialog::renderedOffscreen()
{
    Fixture fx;
    shared().KD_Version = 6417;
    sampleHeaderTexts(shared(), QStringLiteral("Regelventil Fernwärme Vorlauf"));
    renderInThreeLanguages<frmDruck>([&]() -> frmDruck & { return fx.open(); }, QStringLiteral("frmDruck"));
}

QTEST_MAIN(TestPrintDialog)
#include "test_print_dialog.moc"
