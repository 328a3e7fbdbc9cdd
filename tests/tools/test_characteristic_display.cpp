#include "tools_fixture.h"
#include "support/full_disk.h"

#include "../units/two_locales.h"
#include "support/program_state.h"
#include "tools/characteristic_display.h"
#include "units/texts.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The characteristic display: the 18 input cells from the shared data, the curve of the shipped user-defined
// valve, the hand-over of the workbook to the desktop and the window it falls back to, and the saving of the
// workbook from that window.

Q_DECLARE_METATYPE(Variant)

using testlocale::zahl;
using toolsfixture::Fixture;

namespace {

const TableCurve &lastWindow(const Fixture &f)
{
    Q_ASSERT(!f.curves.shown().empty());
    return f.curves.shown().back();
}

QStringList row(std::initializer_list<const char *> cells)
{
    QStringList out;
    for (const char *c : cells)
        out << zahl(c);
    return out;
}

} // namespace

class TestCharacteristicDisplay : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void cleanupTestCase() { testsupport::closeShippedTexts(); }
    void init()
    {
        f.start();
        testsupport::openShippedTexts();
        toolsfixture::chooseUserValve();
    }
    void cleanup() { f.stop(); }

    void shippedValveGivesItsCurves_data();
    void shippedValveGivesItsCurves();
    void inputCellsFollowTheSharedData_data();
    void inputCellsFollowTheSharedData();
    void emptyCoefficientCountsAsZero();
    void extremeValuesShowFourSignificantDigits_data();
    void extremeValuesShowFourSignificantDigits();
    void otherCurveNamesShowNothing_data();
    void otherCurveNamesShowNothing();
    void workbookGoesToTheDesktopOrTheWindow_data();
    void workbookGoesToTheDesktopOrTheWindow();
    void unwritableTemporaryFolderIsReported();
    void saveWritesTheWorkbookWhereTheUserChooses_data();
    void saveWritesTheWorkbookWhereTheUserChooses();
};

void TestCharacteristicDisplay::shippedValveGivesItsCurves_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("at0");
    QTest::addColumn<QStringList>("at50");
    QTest::addColumn<QStringList>("at100");
    // Kv/Kvs at 50 %: 50^(0.5 - 1) = 1/sqrt(50) = 0.1414; Kv 40 * 0.14137 = 5.655, Cv 46.4 * 0.14137 = 6.560.
    QTest::newRow("Kv") << "Kv" << "Kennlinie - Eigenbau 1" << QStringList{"Ventilöffnung [%]", "Kv", "Kv/Kvs"}
                        << row({"0", "0.8000", "0.02000"}) << row({"50", "5.655", "0.1414"})
                        << row({"100", "40.00", "1.000"});
    QTest::newRow("Cv") << "Cv" << "Kennlinie - Eigenbau 1" << QStringList{"Ventilöffnung [%]", "Cv", "Cv/Cvs"}
                        << row({"0", "0.9280", "0.02000"}) << row({"50", "6.560", "0.1414"})
                        << row({"100", "46.40", "1.000"});
    QTest::newRow("FL") << "FL" << "Druckrückgewinn-Faktor FL - Eigenbau 1"
                        << QStringList{"Ventilöffnung [%]", "FL"} << row({"0", "0.8000"}) << row({"50", "0.8000"})
                        << row({"100", "0.8000"});
    QTest::newRow("xT") << "xT" << "Krit. Druckverhältnis xT - Eigenbau 1"
                        << QStringList{"Ventilöffnung [%]", "xT"} << row({"0", "0.6000"}) << row({"50", "0.6000"})
                        << row({"100", "0.6000"});
}

void TestCharacteristicDisplay::shippedValveGivesItsCurves()
{
    QFETCH(QString, art);
    QFETCH(QString, title);
    QFETCH(QStringList, columns);
    QFETCH(QStringList, at0);
    QFETCH(QStringList, at50);
    QFETCH(QStringList, at100);
    // The valve as the program installs it.
    SharedData &d = shared();
    d.rsVentil.reset();
    d.dbKenndaten = Database::open(testsupport::seedFile(QStringLiteral("dbKenndaten.mdb")), Database::Mode::ReadOnly);
    toolsfixture::chooseUserValve();
    QCOMPARE(d.DNVentil, QStringLiteral("50"));
    QCOMPARE(d.KvsCv, 40.0f);
    QCOMPARE(d.Kennlinie, 1);
    QCOMPARE(d.Stellverhältnis, 50.0);

    show_Kenndaten_Excel(Variant(art));
    QCOMPARE(f.curves.shown().size(), std::size_t(1));
    const TableCurve &w = lastWindow(f);
    QCOMPARE(w.heading, QStringList({title, "50 - 2\"", "gleich%", "Kvs: 40", "Cv: " + zahl("46.4")}));
    QCOMPARE(w.columnTitles, columns);
    QCOMPARE(w.rows.size(), std::size_t(11));
    QCOMPARE(w.rows[0], at0);
    QCOMPARE(w.rows[5], at50);
    QCOMPARE(w.rows[10], at100);
    QCOMPARE(w.rows[3].front(), QStringLiteral("30"));
    QCOMPARE(w.curve.size(), std::size_t(101));
    QCOMPARE(w.curve.front().first, 0.0);
    QCOMPARE(w.curve.back().first, 100.0);
    QCOMPARE(w.xTitle, QStringLiteral("Ventilöffnung [%]"));
    QCOMPARE(w.yTitle, art);
    QVERIFY(w.action);
    // The display changes nothing of the program's own data.
    QCOMPARE(d.KvsCv, 40.0f);
    QCOMPARE(d.Ventiltyp, QStringLiteral("9999"));
}

void TestCharacteristicDisplay::inputCellsFollowTheSharedData_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<int>("sprache");
    QTest::addColumn<int>("DNunit");
    QTest::addColumn<QString>("DNVentil");
    QTest::addColumn<int>("kennlinie");
    QTest::addColumn<int>("KvUnit");
    QTest::addColumn<QStringList>("texts"); // rows 1 to 4
    QTest::addColumn<double>("kvs");        // row 5
    QTest::addColumn<double>("cv");         // row 6
    QTest::newRow("Kv, German, mm") << "Kv" << 0 << 0 << "50" << 1 << 0
                                    << QStringList{"Ventilöffnung", "Kennlinie - Eigenbau 1", "50 - 2\"", "gleich%"}
                                    << 40.0 << 46.4;
    QTest::newRow("Cv, English, inch") << "Cv" << 1 << 1 << "2\"" << 0 << 0
                                       << QStringList{"Valve opening", "Characteristic - Eigenbau 1", "50 - 2\"",
                                                      "(mod.) linear"}
                                       << 40.0 << 46.4;
    QTest::newRow("FL, on/off") << "FL" << 0 << 0 << "50" << 2 << 0
                                << QStringList{"Ventilöffnung", "Druckrückgewinn-Faktor FL - Eigenbau 1", "50 - 2\"",
                                               "Auf/Zu"}
                                << 40.0 << 46.4;
    QTest::newRow("xT, unknown size, no characteristic")
        << "xT" << 0 << 0 << "450" << 7 << 0
        << QStringList{"Ventilöffnung", "Krit. Druckverhältnis xT - Eigenbau 1", "450 - ", ""} << 40.0 << 46.4;
    // Held in Cv: Kvs comes from the table's row of that Cv.
    QTest::newRow("held in Cv") << "Kv" << 0 << 0 << "50" << 1 << 1
                                << QStringList{"Ventilöffnung", "Kennlinie - Eigenbau 1", "50 - 2\"", "gleich%"}
                                << 40.0 << 46.4;
}

void TestCharacteristicDisplay::inputCellsFollowTheSharedData()
{
    QFETCH(QString, art);
    QFETCH(int, sprache);
    QFETCH(int, DNunit);
    QFETCH(QString, DNVentil);
    QFETCH(int, kennlinie);
    QFETCH(int, KvUnit);
    QFETCH(QStringList, texts);
    QFETCH(double, kvs);
    QFETCH(double, cv);
    SharedData &d = shared();
    d.Sprache = sprache;
    d.DNunit = DNunit;
    d.DNVentil = DNVentil;
    d.Kennlinie = kennlinie;
    d.KvUnit = KvUnit;
    if (KvUnit == 1)
        d.KvsCv = 46.4f;
    const auto k = kenndaten::kurveAus(Variant(art));
    QVERIFY(k);
    const kenndaten::Parameter p = kenndaten::parameterZellen(*k);
    for (int r = 1; r <= 4; ++r)
        QCOMPARE(p.zeile(r).toString(), texts[r - 1]);
    QCOMPARE(kenndaten::zahl(p.zeile(5)), kvs);
    QCOMPARE(kenndaten::zahl(p.zeile(6)), cv);
    const double coefficients[12] = {0.02, 0.08277823, 0.07145153, 0.64708711, -0.77914652, 0.95782965,
                                     0.8,  0,          0,          0.6,        0,           0};
    for (int r = 7; r <= 18; ++r)
        QCOMPARE(p.zeile(r).toDouble(), coefficients[r - 7]);
}

void TestCharacteristicDisplay::emptyCoefficientCountsAsZero()
{
    SharedData &d = shared();
    d.A0 = Variant();
    d.A5 = Variant::null();
    d.BFL = Variant(QString());
    show_Kenndaten_Excel(Variant(QStringLiteral("Kv")));
    // Kv/Kvs at 100 %: 1 - 0.02 - 0.95782965 = 0.02217035.
    QCOMPARE(lastWindow(f).rows[10], row({"100", "0.8868", "0.02217"}));
    show_Kenndaten_Excel(Variant(QStringLiteral("FL")));
    QCOMPARE(lastWindow(f).rows[10], row({"100", "0.8000"}));
}

void TestCharacteristicDisplay::extremeValuesShowFourSignificantDigits_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<QList<double>>("coefficients"); // A0 to CxT; Kvs 12.5
    QTest::addColumn<QStringList>("at60");
    QTest::addColumn<QStringList>("at70");
    // Kv/Kvs = 1e308 y^5: 0.07776e308 at 60 %, 0.16807e308 at 70 %; Kv 12.5 times that: 9.72e307, and beyond the
    // doubles at 70 % (no number shown).
    QTest::newRow("Kv, a5 = 1e308") << "Kv" << QList<double>{0, 0, 0, 0, 0, 1e308, 0.8, 0, 0, 0.6, 0, 0}
                                    << row({"60", "9.72E+307", "7.776E+306"}) << row({"70", "", "1.681E+307"});
    // xT = 1.7e308 (-1 + y + y^2): at 60 % -0.04 * 1.7e308, at 70 % 0.19 * 1.7e308.
    QTest::newRow("xT around 0 in units of 1.7e308")
        << "xT" << QList<double>{0, 1, 0, 0, 0, 0, 0.8, 0, 0, -1.7e308, 1.7e308, 1.7e308} << row({"60", "-6.8E+306"})
        << row({"70", "3.23E+307"});
    // Kv/Kvs = 1e-15 + 1e-15 y: 1.6e-15 and 1.7e-15; Kv 2e-14 and 2.125e-14.
    QTest::newRow("Kv, tiny") << "Kv" << QList<double>{1e-15, 1e-15, 0, 0, 0, 0, 0.8, 0, 0, 0.6, 0, 0}
                              << row({"60", "2E-14", "1.6E-15"}) << row({"70", "2.125E-14", "1.7E-15"});
}

// The window's table keeps to four significant digits for every magnitude.
void TestCharacteristicDisplay::extremeValuesShowFourSignificantDigits()
{
    QFETCH(QString, art);
    QFETCH(QList<double>, coefficients);
    QFETCH(QStringList, at60);
    QFETCH(QStringList, at70);
    SharedData &d = shared();
    d.KvsCv = 12.5f;
    Variant *targets[12] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5, &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT};
    for (int i = 0; i < 12; ++i)
        *targets[i] = Variant(coefficients[i]);
    show_Kenndaten_Excel(Variant(art));
    QCOMPARE(lastWindow(f).rows[6], at60);
    QCOMPARE(lastWindow(f).rows[7], at70);
}

void TestCharacteristicDisplay::otherCurveNamesShowNothing_data()
{
    QTest::addColumn<Variant>("art");
    QTest::newRow("kv in small letters") << Variant(QStringLiteral("kv"));
    QTest::newRow("XT") << Variant(QStringLiteral("XT"));
    QTest::newRow("a number") << Variant(1);
    QTest::newRow("empty") << Variant();
}

void TestCharacteristicDisplay::otherCurveNamesShowNothing()
{
    QFETCH(Variant, art);
    f.desktop.setAnswer(true);
    show_Kenndaten_Excel(art);
    QVERIFY(f.curves.shown().empty());
    QVERIFY(f.desktop.requests().empty());
    QVERIFY(f.ui.messages().empty());
}

void TestCharacteristicDisplay::workbookGoesToTheDesktopOrTheWindow_data()
{
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("givesUpLater"); // the desktop's launcher fails after it said yes
    QTest::newRow("a program opens it") << true << false;
    QTest::newRow("no program opens it") << false << false;
    QTest::newRow("a program seemed to open it, then did not") << true << true;
}

void TestCharacteristicDisplay::workbookGoesToTheDesktopOrTheWindow()
{
    QFETCH(bool, opens);
    QFETCH(bool, givesUpLater);
    f.desktop.setAnswer(opens);
    show_Kenndaten_Excel(Variant(QStringLiteral("xT")));
    QCOMPARE(f.desktop.requests().size(), std::size_t(1));
    const RecordingDesktopServices::Request &request = f.desktop.requests().front();
    QVERIFY(request.kind == RecordingDesktopServices::Kind::File);
    const QString path = request.target;
    QVERIFY2(path.endsWith(QLatin1String(".xlsx")), qPrintable(path));
    QVERIFY2(QFileInfo(path).fileName().startsWith(QLatin1String("Kenndaten-xT-")), qPrintable(path));
    if (givesUpLater) {
        QVERIFY(request.notTakenAfterAll);
        request.notTakenAfterAll();
    }
    const bool taken = opens && !givesUpLater;
    // Kept for the program that took it; removed when nothing did.
    QCOMPARE(QFileInfo::exists(path), taken);
    QFile::remove(path);
    QCOMPARE(f.curves.shown().size(), std::size_t(taken ? 0 : 1));
    QVERIFY(f.ui.messages().empty());
}

void TestCharacteristicDisplay::unwritableTemporaryFolderIsReported()
{
    const QByteArray previous = qgetenv("TMPDIR");
    const QString missing = f.tmp.filePath(QStringLiteral("no/such/folder"));
    qputenv("TMPDIR", QFile::encodeName(missing));
    f.desktop.setAnswer(true);
    show_Kenndaten_Excel(Variant(QStringLiteral("Kv")));
    qputenv("TMPDIR", previous);
    if (previous.isEmpty())
        qunsetenv("TMPDIR");
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    const QString message = f.ui.messages().front().text;
    QVERIFY2(message.startsWith(QStringLiteral("Die Arbeitsmappe kann nicht geschrieben werden:")), qPrintable(message));
    QVERIFY2(message.contains(QDir::toNativeSeparators(missing)), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("\n\nDie Datei oder ihr Ordner ist nicht vorhanden.")), qPrintable(message));
    QVERIFY(f.desktop.requests().empty());
    // The curve is still shown.
    QCOMPARE(f.curves.shown().size(), std::size_t(1));
}

void TestCharacteristicDisplay::saveWritesTheWorkbookWhereTheUserChooses_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("answer"); // to the question about an existing file; 0: no question
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("reported");
    QTest::addColumn<bool>("full"); // the disk takes no file beyond 4 KB
    QTest::newRow("name without extension") << "kurve" << false << 0 << "kurve.xlsx" << false << false;
    QTest::newRow("name with extension") << "kurve.XLSX" << false << 0 << "kurve.XLSX" << false << false;
    QTest::newRow("other extension") << "kurve.xls" << false << 0 << "kurve.xls.xlsx" << false << false;
    QTest::newRow("existing file, replaced")
        << "kurve.xlsx" << true << int(MsgAnswer::Yes) << "kurve.xlsx" << false << false;
    QTest::newRow("existing file, kept") << "kurve.xlsx" << true << int(MsgAnswer::No) << "" << false << false;
    QTest::newRow("completed name exists") << "kurve" << true << int(MsgAnswer::No) << "" << false << false;
    QTest::newRow("missing folder") << "fehlt/kurve.xlsx" << false << 0 << "" << true << false;
    QTest::newRow("cancelled") << "" << false << 0 << "" << false << false;
    QTest::newRow("existing file on a full disk") << "kurve.xlsx" << true << int(MsgAnswer::Yes) << "" << true << true;
}

void TestCharacteristicDisplay::saveWritesTheWorkbookWhereTheUserChooses()
{
    QFETCH(QString, chosen);
    QFETCH(bool, exists);
    QFETCH(int, answer);
    QFETCH(QString, written);
    QFETCH(bool, reported);
    QFETCH(bool, full);
    QTemporaryDir dir(testsupport::scratchTemplate(QStringLiteral("save")));
    const QString target = dir.filePath(chosen.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)
                                            ? chosen
                                            : chosen + QStringLiteral(".xlsx"));
    if (exists) {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    show_Kenndaten_Excel(Variant(QStringLiteral("Kv")));
    const TableCurve &w = lastWindow(f);
    QCOMPARE(w.actionCaption, QStringLiteral("Arbeitsmappe speichern"));
    f.ui.answerNextFileDialog(chosen.isEmpty() ? std::optional<QString>() : dir.filePath(chosen));
    if (answer)
        f.ui.answerNextMessage(MsgAnswer(answer));
    {
        std::unique_ptr<testsupport::FileSizeLimit> limit;
        if (full)
            limit = std::make_unique<testsupport::FileSizeLimit>(4096);
        w.action();
    }

    QCOMPARE(f.ui.fileRequests().size(), std::size_t(1));
    const FileDialogRequest &request = f.ui.fileRequests().front().request;
    QVERIFY(f.ui.fileRequests().front().save);
    QVERIFY(request.filter.endsWith(QLatin1String("(*.xlsx)|*.xlsx")));
    QCOMPARE(request.fileName, QStringLiteral("Kenndaten.xlsx"));
    const std::size_t questions = answer ? 1 : 0;
    QCOMPARE(f.ui.messages().size(), questions + (reported ? 1 : 0));
    if (answer)
        QVERIFY(f.ui.messages().front().buttons == MsgButtons::YesNo);
    if (reported)
        QVERIFY2(f.ui.messages().back().text.contains(QDir::toNativeSeparators(dir.filePath(chosen))),
                 qPrintable(f.ui.messages().back().text));
    if (full)
        QVERIFY2(f.ui.messages().back().text.endsWith(QStringLiteral("\n\nAuf dem Datenträger ist nicht genug Platz.")),
                 qPrintable(f.ui.messages().back().text));
    if (!written.isEmpty()) {
        QFile file(dir.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("PK")); // a zip container, not the old bytes
    } else if (exists) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old"));
    }
    // Nothing but the chosen file (and the old one) in the folder: no temporary file or folder left behind.
    const QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QVERIFY2(files.size() <= 1, qPrintable(files.join(QLatin1Char(','))));
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestCharacteristicDisplay)
#include "test_characteristic_display.moc"
