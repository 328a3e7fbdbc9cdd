// The printer object on the recorder: columns, zones, line ends, fonts, pictures, pages, failures; the printer
// session; and the Qt back-end's PDF output on disk.
#include "platform/print/print_recorder.h"
#include "platform/print/print_session.h"
#include "platform/print/printer_list.h"
#include "platform/print/qt_print_back_end.h"

#include "../support/full_disk.h"
#include "../support/pdf_text.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using testsupport::fileBytes;
using testsupport::pdfText;

namespace {

// Arial's (and Liberation Sans') design metrics in font units of an em of 2048: vertical extent with line gap
// 1854 + 434 + 67, the digits 1139, "W" 1933, "F" 1251, "i" 455, "r" 682, "m" 1706, "a" 1139, ":" 569.
constexpr double kMmPerPoint = 25.4 / 72.0;
double units(double u, double points)
{
    return u / 2048.0 * points * kMmPerPoint;
}
const double kLine10 = units(2355, 10); // 4.0566 mm
const double kColumn = 1.5572;          // 904/2048 em of 10 points

PrintJob job(const QString &device, std::function<std::optional<QString>()> chooser = {})
{
    return PrintJob{device, QStringLiteral("test"), std::move(chooser)};
}

// Runs a small script on a printer: "t10" tab to column 10, "z" next zone, "pTEXT" print, "lTEXT" print with
// line end, "e" end line, "s12" size 12, "b" bold on, "n" new page. Items are separated by "|".
void run(Printer &p, const QString &script)
{
    for (const QString &item : script.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const QChar op = item.at(0);
        const QString arg = item.mid(1);
        if (op == QLatin1Char('t'))
            p.tab(arg.toInt());
        else if (op == QLatin1Char('z'))
            p.nextZone();
        else if (op == QLatin1Char('p'))
            p.print(arg);
        else if (op == QLatin1Char('l'))
            p.printLine(arg);
        else if (op == QLatin1Char('e'))
            p.endLine();
        else if (op == QLatin1Char('s'))
            p.setFontSize(arg.toDouble());
        else if (op == QLatin1Char('b'))
            p.setFontBold(true);
        else if (op == QLatin1Char('n'))
            p.newPage();
    }
}

class ScriptedSetup : public PrinterSetupDialog {
public:
    std::optional<PrinterSetupChoice> answer;
    QString askedFor;
    QString title;
    std::optional<PrinterSetupChoice> run(const QString &currentDevice, const PageSetup &, const QString &t) override
    {
        askedFor = currentDevice;
        title = t;
        return answer;
    }
};

// The files in a folder, hidden ones (a temporary file) included.
QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Two pages with a rule and text, some 20 KB of PDF with its embedded font.
void printTwoPages(Printer &p, const QString &text)
{
    p.setCurrentY(10);
    p.tab(10);
    p.printLine(text);
    p.line(14, p.currentY(), 200, p.currentY());
    p.newPage();
    p.tab(10);
    p.printLine(text);
}

QString pdfInfo(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestPrinter : public QObject {
    Q_OBJECT

private slots:
    void arialIsLiberationSans();
    void fontMetrics_data();
    void fontMetrics();
    void cursor_data();
    void cursor();
    void lineBreaksInText();
    void rulesPicturesAndPages();
    void pageLines();
    void failures_data();
    void failures();
    void printerSession();
    void printerSetup_data();
    void printerSetup();
    void pdfOutput();
    void pdfFailuresKeepTheOldFile();
    void pdfOnAFullDiskKeepsTheOldFile_data();
    void pdfOnAFullDiskKeepsTheOldFile();
};

void TestPrinter::arialIsLiberationSans()
{
    // The print columns and every label's room were laid out for Arial's widths; another face would shift them.
    for (bool bold : {false, true}) {
        const QFontInfo info(printmetrics::qtFont(PrintFont{QStringLiteral("ARIAL"), 10, bold, false}));
        QVERIFY2(info.family() == QLatin1String("Liberation Sans"),
                 qPrintable(QStringLiteral("\"ARIAL\" is drawn with \"%1\", not Liberation Sans: install "
                                           "fonts-liberation2 (scripts/lib.sh does)")
                                .arg(info.family())));
    }
    QCOMPARE(printmetrics::familyFor(QStringLiteral("arial")), QStringLiteral("Liberation Sans"));
    QCOMPARE(printmetrics::familyFor(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
}

void TestPrinter::fontMetrics_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("line");

    QTest::newRow("digit 10 pt") << 10.0 << false << "0" << units(1139, 10) << kLine10;
    QTest::newRow("W 10 pt") << 10.0 << false << "W" << units(1933, 10) << kLine10;
    QTest::newRow("Firma: 10 pt") << 10.0 << false << "Firma:" << units(5802, 10) << kLine10;
    QTest::newRow("digit 8 pt") << 8.0 << false << "0" << units(1139, 8) << units(2355, 8);
    QTest::newRow("digits bold 12 pt") << 12.0 << true << "00" << units(2 * 1139, 12) << units(2355, 12);
    QTest::newRow("nothing") << 10.0 << false << "" << 0.0 << kLine10;
}

void TestPrinter::fontMetrics()
{
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(QString, text);
    QFETCH(double, width);
    QFETCH(double, line);
    const PrintFont font{QStringLiteral("ARIAL"), size, bold, false};
    QVERIFY2(std::abs(printmetrics::textWidth(font, text) - width) < 0.002,
             qPrintable(QString::number(printmetrics::textWidth(font, text))));
    QVERIFY2(std::abs(printmetrics::lineHeight(font) - line) < 0.002,
             qPrintable(QString::number(printmetrics::lineHeight(font))));
}

void TestPrinter::cursor_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");

    QTest::newRow("column 10 is 14 mm in") << "t10" << 9 * kColumn << 0.0;
    QTest::newRow("column 110") << "t110" << 109 * kColumn << 0.0;
    QTest::newRow("left of the cursor: next line") << "t20|t10" << 9 * kColumn << kLine10;
    QTest::newRow("on the column: stays") << "t10|t10" << 9 * kColumn << 0.0;
    QTest::newRow("right of the cursor: same line") << "t10|pab|t33" << 32 * kColumn << 0.0;
    QTest::newRow("text moves the cursor") << "t10|pFirma:" << 9 * kColumn + units(5802, 10) << 0.0;
    QTest::newRow("zone after a label") << "t10|pFirma:|z" << 28 * kColumn << 0.0;
    QTest::newRow("zone from a zone start") << "t15|z" << 28 * kColumn << 0.0;
    QTest::newRow("zone from the edge") << "z" << 14 * kColumn << 0.0;
    QTest::newRow("line end in 12 pt") << "s12|b|t10|lTitle" << 0.0 << units(2355, 12);
    QTest::newRow("empty line") << "e|e" << 0.0 << 2 * kLine10;
    QTest::newRow("a column at 8 pt is still the 10-point grid") << "s8|t90" << 89 * kColumn << 0.0;
    QTest::newRow("new page: top-left corner") << "t50|lx|n" << 0.0 << 0.0;
}

void TestPrinter::cursor()
{
    QFETCH(QString, script);
    QFETCH(double, x);
    QFETCH(double, y);
    RecordingBackEnd recorder;
    Printer p(recorder.openDevice(job(QStringLiteral("Office"))));
    run(p, script);
    QVERIFY2(std::abs(p.currentX() - x) < 0.002, qPrintable(QString::number(p.currentX())));
    QVERIFY2(std::abs(p.currentY() - y) < 0.002, qPrintable(QString::number(p.currentY())));
}

void TestPrinter::lineBreaksInText()
{
    RecordingBackEnd recorder;
    Printer p(recorder.openDevice(job(QStringLiteral("Office"))));
    p.tab(10);
    p.print(QStringLiteral("eins\r\nzwei\rdrei"));
    p.endDoc();
    const RecordedDocument &d = recorder.last();
    QCOMPARE(d.texts.size(), std::size_t(2));
    QCOMPARE(d.texts[0].text, QStringLiteral("eins"));
    QCOMPARE(d.texts[1].text, QStringLiteral("zweidrei"));
    QCOMPARE(d.texts[1].x, 0.0);
    QVERIFY(std::abs(d.texts[1].y - kLine10) < 0.002);
}

void TestPrinter::rulesPicturesAndPages()
{
    RecordingBackEnd recorder;
    Printer p(recorder.openDevice(job(QStringLiteral("Office"))));
    QImage picture(96, 48, QImage::Format_RGB32);
    p.paintPicture(picture, 15, 30);
    p.paintPicture(picture, 170, 4, 22, 10);
    p.setCurrentY(120);
    p.line(14, 120, 200, 120);
    QCOMPARE(p.currentX(), 200.0);
    QCOMPARE(p.currentY(), 120.0);
    p.newPage();
    p.tab(10);
    p.printLine(QStringLiteral("Seite 2"));
    QCOMPARE(p.page(), 2);
    const PrintResult r = p.endDoc();
    QCOMPARE(r.status, PrintStatus::Printed);
    QCOMPARE(r.pages, 2);

    const RecordedDocument &d = recorder.last();
    QCOMPARE(d.pictures.size(), std::size_t(2));
    QCOMPARE(d.pictures[0].place, QRectF(15, 30, 25.4, 12.7)); // own size: 96 pixels to the inch
    QCOMPARE(d.pictures[1].place, QRectF(170, 4, 22, 10));
    QCOMPARE(d.lines.size(), std::size_t(1));
    QCOMPARE(d.lines[0].page, 1);
    QCOMPARE(d.texts.at(0).page, 2);
    QCOMPARE(d.texts.at(0).y, 0.0);
    QVERIFY(d.ended);
}

void TestPrinter::pageLines()
{
    RecordingBackEnd recorder;
    Printer p(recorder.openDevice(job(QStringLiteral("Office"))));
    p.tab(10);
    p.print(QStringLiteral("Nennweite"));
    p.tab(99);
    p.print(QStringLiteral("50"));
    p.tab(110);
    p.printLine(QStringLiteral("mm"));
    p.tab(10);
    p.print(QStringLiteral("Firma:"));
    p.print(QStringLiteral("X"));
    p.endDoc();
    const QStringList expected = {QString(9, ' ') + "Nennweite" + QString(98 - 18, ' ') + "50" + QString(109 - 100, ' ') + "mm",
                                  QString(9, ' ') + "Firma:X"};
    QCOMPARE(recorder.last().pageLines(1), expected);
}

void TestPrinter::failures_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<int>("failDevice"); // -1 none, else a PrintFailure
    QTest::addColumn<bool>("chooserAnswers");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("target");

    const int printed = int(PrintStatus::Printed), cancelled = int(PrintStatus::Cancelled),
              failed = int(PrintStatus::Failed);
    QTest::newRow("printed") << "Office" << QStringList{} << -1 << true << printed << int(PrintFailure::None)
                             << "Office";
    QTest::newRow("no printer at all") << "" << QStringList{} << -1 << true << failed << int(PrintFailure::NoPrinter)
                                       << "";
    QTest::newRow("printer removed") << "Office" << QStringList{"Lab"} << -1 << true << failed
                                     << int(PrintFailure::PrinterMissing) << "Office";
    QTest::newRow("printer error") << "Office" << QStringList{} << int(PrintFailure::PrinterError) << true << failed
                                   << int(PrintFailure::PrinterError) << "Office";
    QTest::newRow("PDF file chosen") << "PDF" << QStringList{} << -1 << true << printed << int(PrintFailure::None)
                                     << "/tmp/out.pdf";
    QTest::newRow("PDF file dialog cancelled") << "PDF" << QStringList{} << -1 << false << cancelled
                                               << int(PrintFailure::None) << "PDF";
}

void TestPrinter::failures()
{
    QFETCH(QString, device);
    QFETCH(QStringList, installed);
    QFETCH(int, failDevice);
    QFETCH(bool, chooserAnswers);
    QFETCH(int, status);
    QFETCH(int, failure);
    QFETCH(QString, target);

    RecordingBackEnd recorder;
    recorder.setInstalled(installed);
    if (failDevice >= 0)
        recorder.failDevice(device, PrintFailure(failDevice));
    int asked = 0;
    Printer p(recorder.openDevice(job(device, [&]() -> std::optional<QString> {
        ++asked;
        if (!chooserAnswers)
            return std::nullopt;
        return QStringLiteral("/tmp/out.pdf");
    })));
    for (int i = 0; i < 3; ++i) {
        p.tab(10);
        p.printLine(QStringLiteral("Zeile"));
        p.line(14, p.currentY(), 200, p.currentY());
    }
    const bool ok = status == int(PrintStatus::Printed);
    QCOMPARE(p.ignoringOutput(), !ok);
    const PrintResult r = p.endDoc();
    QCOMPARE(int(r.status), status);
    QCOMPARE(int(r.failure), failure);
    QCOMPARE(r.target, target);
    // Nothing reaches a job that failed or was cancelled, and the file is asked for once at most.
    QCOMPARE(recorder.last().texts.size(), ok ? std::size_t(3) : std::size_t(0));
    QCOMPARE(recorder.last().lines.size(), ok ? std::size_t(3) : std::size_t(0));
    QCOMPARE(asked, device == QLatin1String("PDF") ? 1 : 0);
}

void TestPrinter::printerSession()
{
    FixedPrinterList printers(QStringLiteral("Office"),
                              {QStringLiteral("Office"), QStringLiteral("PDF"), QStringLiteral("Lab")});
    PrinterListScope scope(printers);
    resetPrinterSession();
    QCOMPARE(currentPrinter(), QStringLiteral("Office"));
    QVERIFY(selectPrinter(QStringLiteral("PDF")));
    QCOMPARE(currentPrinter(), QStringLiteral("PDF"));
    // Names compare exactly; a name that is not installed changes nothing.
    QVERIFY(!selectPrinter(QStringLiteral("pdf")));
    QVERIFY(!selectPrinter(QStringLiteral("Gone")));
    QCOMPARE(currentPrinter(), QStringLiteral("PDF"));
    // The default is only the start: a default that changes later does not move a selected printer.
    printers.set(QStringLiteral("Lab"), printers.installedPrinterNames());
    QCOMPARE(currentPrinter(), QStringLiteral("PDF"));
    resetPrinterSession();
    QCOMPARE(currentPrinter(), QStringLiteral("Lab"));
    printers.set(QString(), {});
    QVERIFY(!selectPrinter(QStringLiteral("Lab")));
    QCOMPARE(currentPrinter(), QString());
    resetPrinterSession();
}

void TestPrinter::printerSetup_data()
{
    QTest::addColumn<bool>("dialogInstalled");
    QTest::addColumn<QString>("chosen"); // empty: cancelled
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("landscape");

    QTest::newRow("PDF, landscape") << true << "PDF" << true << "PDF" << true;
    QTest::newRow("other printer") << true << "Lab" << true << "Lab" << false;
    QTest::newRow("cancelled") << true << "" << false << "Office" << false;
    QTest::newRow("a printer that went away meanwhile") << true << "Gone" << false << "Office" << false;
    QTest::newRow("no dialog (headless)") << false << "PDF" << false << "Office" << false;
}

void TestPrinter::printerSetup()
{
    QFETCH(bool, dialogInstalled);
    QFETCH(QString, chosen);
    QFETCH(bool, changed);
    QFETCH(QString, current);
    QFETCH(bool, landscape);

    FixedPrinterList printers(QStringLiteral("Office"),
                              {QStringLiteral("Office"), QStringLiteral("PDF"), QStringLiteral("Lab")});
    PrinterListScope scope(printers);
    resetPrinterSession();
    ScriptedSetup dialog;
    if (!chosen.isEmpty())
        dialog.answer = PrinterSetupChoice{chosen, PageSetup{QPageSize::A4, chosen == QLatin1String("PDF")}};
    setPrinterSetupDialog(dialogInstalled ? &dialog : nullptr);
    QCOMPARE(runPrinterSetup(QStringLiteral("Drucker einrichten")), changed);
    setPrinterSetupDialog(nullptr);
    QCOMPARE(currentPrinter(), current);
    QCOMPARE(pageSetupFor(current).landscape, landscape);
    if (dialogInstalled) {
        QCOMPARE(dialog.askedFor, QStringLiteral("Office"));
        QCOMPARE(dialog.title, QStringLiteral("Drucker einrichten"));
    }
    resetPrinterSession();
}

void TestPrinter::pdfOutput()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Bericht.pdf"));
    QtPrintBackEnd qt;
    Printer p(qt.openDevice(job(QStringLiteral("PDF"), [&]() -> std::optional<QString> { return file; })));
    p.setCurrentY(10);
    p.tab(10);
    p.setFontBold(true);
    p.printLine(QStringLiteral("Ventildimensionierung Größe"));
    p.setFontBold(false);
    p.newPage();
    p.tab(99);
    p.printLine(QStringLiteral("Seite zwei"));
    const PrintResult r = p.endDoc();
    QCOMPARE(r.status, PrintStatus::Printed);
    QCOMPARE(r.target, file);
    QCOMPARE(r.pages, 2);
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("Bericht.pdf")});
    const QString text = pdfText(file);
    QVERIFY2(text.contains(QStringLiteral("Ventildimensionierung Größe")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Seite zwei")), qPrintable(text));
    QCOMPARE(text.count(QChar(0x0c)), 2); // two pages
    const QString info = pdfInfo(file);
    QVERIFY2(info.contains(QStringLiteral("pts (A4)")), qPrintable(info));
}

void TestPrinter::pdfFailuresKeepTheOldFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Bericht.pdf"));
    auto writeOld = [&] {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("old");
    };
    auto old = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) && f.readAll() == "old";
    };
    QtPrintBackEnd qt;

    // A file marked read-only is not replaced, although the folder would allow it: failure, naming the file.
    writeOld();
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
    {
        Printer p(qt.openDevice(job(QStringLiteral("PDF"), [&]() -> std::optional<QString> { return file; })));
        p.printLine(QStringLiteral("neu"));
        QVERIFY(p.ignoringOutput());
        const PrintResult r = p.endDoc();
        QCOMPARE(r.status, PrintStatus::Failed);
        QCOMPARE(r.failure, PrintFailure::FileNotWritable);
        QCOMPARE(r.target, file);
        QCOMPARE(r.file.problem, FileProblem::NoPermission);
    }
    QVERIFY(old());
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("Bericht.pdf")});
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));

    // A job given up half way leaves the old file and no temporary one.
    {
        Printer p(qt.openDevice(job(QStringLiteral("PDF"), [&]() -> std::optional<QString> { return file; })));
        p.printLine(QStringLiteral("neu"));
        QVERIFY(!p.ignoringOutput()); // the job is open
    }
    QVERIFY(old());
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("Bericht.pdf")});

    // Cancelled file dialog: no job, nothing written.
    {
        Printer p(qt.openDevice(job(QStringLiteral("PDF"), []() -> std::optional<QString> { return std::nullopt; })));
        p.printLine(QStringLiteral("neu"));
        QCOMPARE(p.endDoc().status, PrintStatus::Cancelled);
    }
    QVERIFY(old());

    // A print-system printer that is not installed.
    {
        Printer p(qt.openDevice(job(QStringLiteral("No such printer 4711"))));
        p.printLine(QStringLiteral("x"));
        const PrintResult r = p.endDoc();
        QCOMPARE(r.status, PrintStatus::Failed);
        QCOMPARE(r.failure, PrintFailure::PrinterMissing);
        QCOMPARE(r.target, QStringLiteral("No such printer 4711"));
    }
}

void TestPrinter::pdfOnAFullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("oldFile");
    QTest::newRow("over a PDF printed before") << true;
    QTest::newRow("a new file") << false;
}

void TestPrinter::pdfOnAFullDiskKeepsTheOldFile()
{
    QFETCH(bool, oldFile);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Bericht.pdf"));
    QtPrintBackEnd qt;
    auto toFile = [&]() -> std::optional<QString> { return file; };
    if (oldFile) {
        Printer p(qt.openDevice(job(QStringLiteral("PDF"), toFile)));
        printTwoPages(p, QStringLiteral("Alter Ausdruck"));
        QCOMPARE(p.endDoc().status, PrintStatus::Printed);
    }
    const QByteArray before = fileBytes(file);
    QCOMPARE(before.isEmpty(), !oldFile);

    PrintResult r;
    {
        testsupport::FileSizeLimit full(4096);
        QVERIFY(full.active());
        Printer p(qt.openDevice(job(QStringLiteral("PDF"), toFile)));
        printTwoPages(p, QStringLiteral("Neuer Ausdruck"));
        r = p.endDoc();
    }
    QCOMPARE(r.status, PrintStatus::Failed);
    QCOMPARE(r.failure, PrintFailure::FileNotWritable);
    QCOMPARE(r.target, file);
    QCOMPARE(r.file.problem, FileProblem::DiskFull);
    // The old file byte for byte, and nothing half written beside it.
    QVERIFY(fileBytes(file) == before);
    QCOMPARE(filesIn(dir.path()), oldFile ? QStringList{QStringLiteral("Bericht.pdf")} : QStringList{});
}

QTEST_MAIN(TestPrinter)
#include "test_printer.moc"
