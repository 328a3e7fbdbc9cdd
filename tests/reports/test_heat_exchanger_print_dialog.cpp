// The heat-exchanger print dialog headless: loading in three languages, the header fields' limits, texts stored
// too long, the buttons and the keys, the texts shared with the sheets' print dialog, failures told, the entry
// the heat-exchanger window calls; and the dialog drawn offscreen.
#include "heat_exchanger_fixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace hxfixture;
using reportfixture::checkButtonRow;
using reportfixture::checkHeaderLimit;
using reportfixture::renderInThreeLanguages;
using reportfixture::sampleHeaderTexts;

class TestHeatExchangerPrintDialog : public QObject {
    Q_OBJECT

private slots:
    void loading_data();
    void loading();
    void headerLimits_data();
    void headerLimits();
    void storedTextsOnLoading_data();
    void storedTextsOnLoading();
    void buttons_data();
    void buttons();
    void textsSharedWithTheSheetDialog();
    void printFailures_data();
    void printFailures();
    void entryOfTheHeatExchangerWindow();
    void renderedOffscreen();
};

void TestHeatExchangerPrintDialog::loading_data()
{
    QTest::addColumn<int>("Sprache");
    QTest::addColumn<QStringList>("captions"); // window, lblTitel, lblFirma, lblMStelle, language list, Abbruch

    QTest::newRow("German") << 0
                            << QStringList{"Drucken", "Berechnung Wärmetauscher (Dampf)", "Firma:", "Messstelle:",
                                           "deutsch", "Abbruch"};
    QTest::newRow("French") << 2
                            << QStringList{"Imprimer", "Calcul d'échangeur de chaleur (vapeur)", "Société :",
                                           "Point de mesure :", "français", "Annuler"};
}

void TestHeatExchangerPrintDialog::loading()
{
    QFETCH(int, Sprache);
    QFETCH(QStringList, captions);
    Fixture fx;
    SharedData &s = shared();
    s.Sprache = Sprache;
    s.SpracheDruck = 4; // chosen at the last opening
    frmDruck_WTauscher &f = fx.openDialog();
    const QStringList shown = {f.caption(),          f.lblTitel.caption(), f.lblFirma.caption(),
                               f.lblMStelle.caption(), f.cmbSprache.text(), f.cmdEsc.caption()};
    QCOMPARE(shown, captions);
    QCOMPARE(f.cmdOK.caption(), QStringLiteral("OK"));
    QCOMPARE(f.cmbSprache.listCount(), 6);
    QCOMPARE(f.cmbSprache.listIndex(), Sprache);
    QCOMPARE(s.SpracheDruck, Sprache);
    // Another entry is the print language from then on.
    f.cmbSprache.setListIndex(1);
    QCOMPARE(s.SpracheDruck, 1);
    QCOMPARE(fx.ui.beepCount(), 0);
}

void TestHeatExchangerPrintDialog::headerLimits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("limit");
    QTest::newRow("Info") << "txtInfo" << 255;
    QTest::newRow("Firma") << "txtFirma" << 255;
    QTest::newRow("Betrifft") << "txtBetrifft" << 255;
    QTest::newRow("Position") << "txtPosition" << 63;
    QTest::newRow("Messstelle: 255, not the sheet dialog's 31") << "txtMStelle" << 255;
}

void TestHeatExchangerPrintDialog::headerLimits()
{
    QFETCH(QString, field);
    QFETCH(int, limit);
    Fixture fx;
    checkHeaderLimit(fx.openDialog(), field, limit, fx.ui);
}

void TestHeatExchangerPrintDialog::storedTextsOnLoading_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("stored"); // length of the shared text, -1 Null
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("beeps");

    QTest::newRow("Messstelle of 40: kept whole") << "txtMStelle" << 40 << 40 << 0;
    QTest::newRow("Messstelle of 300: cut to 255") << "txtMStelle" << 300 << 255 << 1;
    QTest::newRow("Position of 70: cut to 63") << "txtPosition" << 70 << 63 << 1;
    QTest::newRow("Null shared text: field empty") << "txtBetrifft" << -1 << 0 << 0;
}

void TestHeatExchangerPrintDialog::storedTextsOnLoading()
{
    QFETCH(QString, field);
    QFETCH(int, stored);
    QFETCH(int, shown);
    QFETCH(int, beeps);
    Fixture fx;
    SharedData &s = shared();
    Variant *text = field == QLatin1String("txtInfo")       ? &s.TextInfo
                    : field == QLatin1String("txtFirma")    ? &s.TextFirma
                    : field == QLatin1String("txtBetrifft") ? &s.TextBetrifft
                    : field == QLatin1String("txtPosition") ? &s.TextPosition
                                                            : &s.TextMStelle;
    QString full;
    for (int i = 0; i < stored; ++i)
        full += QChar(QLatin1Char('A' + i % 26));
    *text = stored < 0 ? Variant::null() : Variant(full);
    frmDruck_WTauscher &f = fx.openDialog();
    auto *box = dynamic_cast<TextBox *>(f.control(field));
    QVERIFY(box);
    QCOMPARE(box->text(), full.left(shown));
    QCOMPARE(fx.ui.beepCount(), beeps);
    // The shared text keeps its length until the dialog stores its fields.
    QCOMPARE(text->toString(), full);
    f.cmdEsc.press();
    QCOMPARE(text->toString(), full.left(shown));
}

void TestHeatExchangerPrintDialog::buttons_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("texts"); // the five shared texts afterwards
    QTest::addColumn<int>("printed");
    QTest::addColumn<bool>("stillOpen");

    QTest::newRow("OK prints and stores") << "OK" << QStringList{"Neu", "", "Alt", "", ""} << 1 << false;
    QTest::newRow("Abbruch stores the edits") << "Abbruch" << QStringList{"Neu", "", "Alt", "", ""} << 0 << false;
    QTest::newRow("Esc is Abbruch") << "Esc" << QStringList{"Neu", "", "Alt", "", ""} << 0 << false;
    QTest::newRow("Enter presses nothing") << "Enter" << QStringList{"Alt", "", "Alt", "", ""} << 0 << true;
    QTest::newRow("close box stores nothing") << "close" << QStringList{"Alt", "", "Alt", "", ""} << 0 << false;
    QTest::newRow("Kopfdaten löschen: one blank each") << "clear" << QStringList{" ", " ", " ", " ", " "} << 0
                                                       << true;
}

void TestHeatExchangerPrintDialog::buttons()
{
    QFETCH(QString, action);
    Fixture fx;
    checkButtonRow<frmDruck_WTauscher>(fx, frmDruck_WTauscherInstance(),
                                       [&]() -> frmDruck_WTauscher & { return fx.openDialog(); });
    if (QTest::currentTestFailed() || action != QLatin1String("clear"))
        return;
    // The next opening puts the blanks into the fields again.
    frmDruck_WTauscherInstance().get().cmdEsc.press();
    formruntime::collect();
    QCOMPARE(fx.openDialog().txtPosition.text(), QStringLiteral(" "));
}

void TestHeatExchangerPrintDialog::textsSharedWithTheSheetDialog()
{
    Fixture fx;
    frmDruck_WTauscher &f = fx.openDialog();
    f.txtFirma.userType(QStringLiteral("Stadtwerke Musterstadt"));
    const QString point = QStringLiteral("Heizung Keller, Raum 4, Wärmetauscher WT 2");
    f.txtMStelle.userType(point);
    f.cmdEsc.userClick();
    formruntime::collect();
    // The sheets' print dialog shows the company, and cuts the measuring point to its own limit.
    frmDruck &sheetDialog = fx.open();
    QCOMPARE(sheetDialog.txtFirma.text(), QStringLiteral("Stadtwerke Musterstadt"));
    QCOMPARE(sheetDialog.txtMStelle.text(), point.left(31));
    QCOMPARE(fx.ui.beepCount(), 1);
    sheetDialog.userClose();
    formruntime::collect();
    // The heat-exchanger dialog gets it whole again, since closing by the frame stored nothing.
    QCOMPARE(fx.openDialog().txtMStelle.text(), point);
}

void TestHeatExchangerPrintDialog::printFailures_data()
{
    reportfixture::printFailureRows();
}

void TestHeatExchangerPrintDialog::printFailures()
{
    Fixture fx;
    reportfixture::arrangePrintFailure(fx);
    fx.printHx();
    QCOMPARE(frmDruck_WTauscherInstance().isLoaded(), false);
    reportfixture::checkPrintFailure(fx);
}

void TestHeatExchangerPrintDialog::entryOfTheHeatExchangerWindow()
{
    Fixture fx;
    fx.ui.setScreenSizeTwips(19200, 14400);
    QString during;
    QPoint place;
    fx.ui.onNextModal([&](Form &form) {
        auto &dialog = dynamic_cast<frmDruck_WTauscher &>(form);
        during = currentPrinter();
        place = QPoint(dialog.left(), dialog.top());
        dialog.txtPosition.userType(QStringLiteral("WT 2"));
        dialog.cmdOK.userClick();
    });
    // The window's PDF command has made the PDF output current: the dialog asks for the file as the sheets' does.
    QTemporaryDir dir;
    QVERIFY(selectPrinter(QStringLiteral("PDF")));
    fx.ui.answerNextFileDialog(dir.filePath(QStringLiteral("WT.pdf")));
    reports::showHeatExchangerPrintDialog(&fx.drawing);
    formruntime::collect();
    QCOMPARE(fx.ui.modalRuns(), QStringList{QStringLiteral("frmDruck_WTauscher")});
    // Centred: (19200 - 6600) / 2, (14400 - 5760) / 2.
    QCOMPARE(place, QPoint(6300, 4320));
    // The dialog prints on whichever printer the window made current.
    QCOMPARE(during, QStringLiteral("PDF"));
    const RecordedDocument &d = fx.recorder.last();
    QCOMPARE(d.deviceName, QStringLiteral("PDF"));
    QCOMPARE(d.file, dir.filePath(QStringLiteral("WT.pdf")));
    QVERIFY(d.find(QStringLiteral("WT 2")));
    // The logo and the window's drawing at 76.2 x 50.8 mm.
    QCOMPARE(d.pictures.size(), std::size_t(2));
    QCOMPARE(d.pictures[1].pixels, QSize(288, 192));
    QVERIFY(std::abs(d.pictures[1].place.width() - 76.2) < 1e-9);
    QVERIFY(std::abs(d.pictures[1].place.height() - 50.8) < 1e-9);
    QCOMPARE(shared().TextPosition.toString(), QStringLiteral("WT 2"));

    // Without a drawing the page has the logo only.
    QVERIFY(selectPrinter(QStringLiteral("Office")));
    fx.ui.onNextModal([](Form &form) { dynamic_cast<frmDruck_WTauscher &>(form).cmdOK.userClick(); });
    reports::showHeatExchangerPrintDialog(nullptr);
    formruntime::collect();
    QCOMPARE(fx.recorder.last().pictures.size(), std::size_t(1));
    QVERIFY(fx.recorder.last().ended);
}

void TestHeatExchangerPrintDialog::renderedOffscreen()
{
    Fixture fx;
    sampleHeaderTexts(shared(), QStringLiteral("Dampf-Wärmetauscher Warmwasserbereitung"));
    renderInThreeLanguages<frmDruck_WTauscher>([&]() -> frmDruck_WTauscher & { return fx.openDialog(); },
                                               QStringLiteral("frmDruck_WTauscher"));
}

QTEST_MAIN(TestHeatExchangerPrintDialog)
#include "test_heat_exchanger_print_dialog.moc"
