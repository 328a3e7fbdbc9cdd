#pragma once

// The print dialog and the sheet printout on the recorder: scripted desktop services, a fixed printer list, the
// shipped language database, a fixed date, a counted parameter store, and a sizing result set by hand (water,
// three points) so that every printed number can be worked out from the values below.

#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/print/print_recorder.h"
#include "platform/print/printer_list.h"
#include "platform/qt/render_png.h"
#include "reports/print_dialog.h"
#include "state/shared_data.h"
#include "support/program_state.h"
#include "units/texts.h"

#include <QTest>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace reportfixture {

// A change of the shared data before a printout, for the row tables.
using Change = std::function<void(SharedData &)>;

// A number written in C notation, with the user's decimal separator.
inline QString z(const char *cNotation)
{
    QString s = QString::fromUtf8(cNotation);
    s.replace(QLatin1Char('.'), numtext::userLocale().decimalPoint());
    return s;
}

// Water, 10 bar abs. to 7 / 6.5 / 6, 20 °C, 10 / 20 / 30 m3/h on a DN 50 Kvs 40 equal-percentage valve.
inline void waterSizing(SharedData &s)
{
    s.Modus = 0;
    s.Sprache = 0;
    s.Benutzername = QStringLiteral("Tester");
    testsupport::standardWaterPoints(s);
    s.MIN = s.NORM = true;
    s.Ventiltyp = QStringLiteral("4627_71");
    s.DNVentil = QStringLiteral("50");
    s.Kennlinie = 1;
    s.KvsCv = 40.0f;
    s.Reduktion = 0.0f;
    s.Kvmin = 5.773503;
    s.Kvnorm = 11.09400;
    s.Kvmax = 15.49193;
    s.Stellverhältnis = 50;
    s.StellverhältnisMin = 6.928203;
    s.StellverhältnisNorm = 3.605551;
    s.StellverhältnisMax = 2.581989;
    s.yMin = 0.3521;
    s.yNorm = 0.5587;
    s.yMax = 0.6432;
    s.Q100 = 52.1;
    s.DurchflussreserveMin = 0.15;
    // Kv 40, FL 0.88 and xT 0.68 at full travel: 69 / 75 / 80 m3/h of water pass fully open.
    s.A0 = Variant(1.0);
    s.AFL = Variant(0.88);
    s.AxT = Variant(0.68);
    s.pkrit = 221.2;
    s.FLMin = 0.9;
    s.FLNorm = 0.89;
    s.FLMax = 0.88;
    s.zyMin = 0.45;
    s.zyNorm = 0.44;
    s.zyMax = 0.43;
    s.xFMin = 0.3;
    s.xFNorm = 0.35;
    s.xFMax = 0.4;
    s.DN1Rohr = s.DN2Rohr = QStringLiteral("50");
    s.chkDNRohr = 0;
    s.v1Min = s.v2Min = 1.415;
    s.v1Norm = s.v2Norm = 2.829;
    s.v1Max = s.v2Max = 4.244;
    // Noise texts as the estimate stores them, in the user's number format.
    s.LAMin = z("62.4");
    s.LANorm = z("66.1");
    s.LAMax = z("70.5");
    s.DLAMin = s.DLANorm = s.DLAMax = QStringLiteral("0");
    s.LAEffMin = z("62.4");
    s.LAEffNorm = z("66.1");
    s.LAEffMax = z("70.5");
    s.rho1Min = s.rho1Norm = s.rho1Max = 998.2;
    s.psatMin = s.psatNorm = s.psatMax = 0.02337;
    s.nueMin = s.nueNorm = s.nueMax = 1.004;
    s.DruckProzessdaten = Variant(true);
    s.DruckVentildaten = Variant(true);
    s.DruckStellverhältnis = Variant(true);
    s.DruckRohrleitung = Variant(true);
    s.DruckSchalldruck = Variant(true);
    s.DruckStoffdaten = Variant(true);
    s.DruckKenndaten = Variant(false);
}

// Air, 6 bar abs. to 4 / 3.5 / 3, 20 °C, 100 / 200 / 300 m3/h (norm) on the same valve.
inline void airSizing(SharedData &s)
{
    waterSizing(s);
    testsupport::standardAirPoints(s);
    s.Q100 = 612;
    s.rho1Min = s.rho1Norm = s.rho1Max = 7.22;
    s.XMin = 0.3333;
    s.XNorm = 0.4167;
    s.XMax = 0.5;
    s.XTMin = 0.7;
    s.XTNorm = 0.69;
    s.XTMax = 0.68;
}

// The column of a printed piece (column 1 at the left edge).
inline int columnOf(const RecordedText &t)
{
    return static_cast<int>(std::lround(t.x / Printer::kColumnWidth)) + 1;
}

// The pieces on the line of the n-th piece equal to `label` (0 the first), left to right, as "column:text"
// (with `bold`, a bold piece as "column:*text"); empty when there is no such label.
inline QStringList row(const RecordedDocument &d, const QString &label, int occurrence = 0, bool bold = false)
{
    const RecordedText *at = nullptr;
    for (const RecordedText &t : d.texts) {
        if (t.text == label && occurrence-- == 0) {
            at = &t;
            break;
        }
    }
    if (!at)
        return {};
    std::vector<const RecordedText *> pieces;
    for (const RecordedText &t : d.texts)
        if (t.page == at->page && std::abs(t.y - at->y) < 0.001)
            pieces.push_back(&t);
    std::stable_sort(pieces.begin(), pieces.end(), [](auto *a, auto *b) { return a->x < b->x; });
    QStringList out;
    for (const RecordedText *t : pieces)
        out << QString::number(columnOf(*t)) + QLatin1Char(':') + (bold && t->font.bold ? QStringLiteral("*") : QString()) +
                   t->text;
    return out;
}

// The height of the line of the first piece equal to the text; -1 when it is not printed.
inline double heightOf(const RecordedDocument &d, const QString &text)
{
    const RecordedText *t = d.find(text);
    return t ? t->y : -1.0;
}

// A header field of a print dialog, by name, typed full, one key more, and a text pasted past the limit: each time
// over the limit a beep, the text cut to the limit, the caret behind it.
inline void checkHeaderLimit(Form &dialog, const QString &field, int limit, const ScriptedUiServices &ui)
{
    auto *found = dynamic_cast<TextBox *>(dialog.control(field));
    QVERIFY(found);
    TextBox &box = *found;
    const int beeps = ui.beepCount();
    box.userType(QString(limit, QLatin1Char('a')));
    QCOMPARE(ui.beepCount(), beeps);
    QCOMPARE(box.text().size(), limit);
    box.userType(QStringLiteral("b"));
    QCOMPARE(ui.beepCount(), beeps + 1);
    QCOMPARE(box.text(), QString(limit, QLatin1Char('a')));
    QCOMPARE(box.selStart(), limit);
    QCOMPARE(box.selLength(), 0);
    box.userEdited(QString(limit + 10, QLatin1Char('c')), limit + 10);
    QCOMPARE(ui.beepCount(), beeps + 2);
    QCOMPARE(box.text(), QString(limit, QLatin1Char('c')));
    QCOMPARE(box.selStart(), limit);
}

// The height of a printed line of that many points, in mm.
constexpr double lineOf(double points)
{
    return 2355.0 / 2048.0 * points * 25.4 / 72.0;
}
constexpr double kLine10 = lineOf(10.0);
constexpr double kLine12 = lineOf(12.0);
// Below the date line of the page header: 10 mm, a 12-point line, a 10-point line.
constexpr double kBelowDate = 10.0 + kLine12 + kLine10;

// A distance in lines of 10 points, to a thousandth.
inline double inLines(double mm)
{
    return std::round(mm / kLine10 * 1000) / 1000;
}

// Lines of 10 points below the date line, to a thousandth.
inline double linesBelowDate(double y)
{
    return inLines(y - kBelowDate);
}

class Fixture {
public:
    ScriptedUiServices ui;
    RecordingBackEnd recorder;
    FixedPrinterList printers{QStringLiteral("Office"), {QStringLiteral("Office"), QStringLiteral("PDF")}};
    int saves = 0;
    bool saveFails = false;

    Fixture() : uiScope_(ui), backEndScope_(recorder), printerScope_(printers)
    {
        testsupport::resetProgramState();
        testsupport::openShippedTexts();
        resetPrinterSession();
        report::setPrintDate(QDate(2024, 3, 5));
        reports::setSaveProgrammParameter([this](const QString &folder, const QString &name) {
            ++saves;
            if (saveFails)
                throw DbError(DbError::Kind::ReadOnly, folder + QLatin1Char('/') + name + QStringLiteral(".vls"),
                              QString(), QStringLiteral("the file is read-only"));
        });
        waterSizing(shared());
    }
    ~Fixture()
    {
        frmDruckInstance().unload();
        formruntime::collect();
        reports::setSaveProgrammParameter({});
        report::setPrintDate(std::nullopt);
        resetPrinterSession();
        testsupport::closeShippedTexts();
        testsupport::resetProgramState();
    }

    frmDruck &open() { return frmDruckInstance().get(); }

    // Opens the dialog, lets `fill` set its fields, presses OK and hands back the document printed.
    const RecordedDocument &print(const std::function<void(frmDruck &)> &fill = {})
    {
        frmDruck &f = open();
        if (fill)
            fill(f);
        f.cmdOK.press();
        formruntime::collect();
        return recorder.last();
    }

private:
    UiServicesScope uiScope_;
    PrintBackEndScope backEndScope_;
    PrinterListScope printerScope_;
};

// A row of a printout's table test: the row of the data row's label (its occurrence) after the data row's change of
// the shared data, printed by `print` in the print language the change sets, against the row expected.
template <class Fx>
void checkRowAfterChange(const std::function<const RecordedDocument &(Fx &, int printLanguage)> &print)
{
    QFETCH(Change, change);
    QFETCH(QString, label);
    QFETCH(int, occurrence);
    QFETCH(QStringList, expected);
    Fx fx;
    change(shared());
    QCOMPARE(row(print(fx, shared().SpracheDruck), label, occurrence), expected);
}

// The failed printouts both print dialogs tell: the table's columns and rows, the printers set up for a row, and
// the message checked after OK.
inline void printFailureRows()
{
    QTest::addColumn<QString>("defaultPrinter");
    QTest::addColumn<QStringList>("stillInstalled");
    QTest::addColumn<int>("failure"); // a failure of the device at its start, -1 none
    QTest::addColumn<QStringList>("message"); // lines of the message; empty: none

    QTest::newRow("printed") << "Office" << QStringList{} << -1 << QStringList{};
    QTest::newRow("no printer on the machine") << "" << QStringList{} << -1
                                               << QStringList{"Der Ausdruck ist fehlgeschlagen:", "",
                                                              "Es ist kein Drucker eingerichtet."};
    QTest::newRow("printer removed since start-up")
        << "Office" << QStringList{"Lab"} << -1
        << QStringList{"Der Ausdruck ist fehlgeschlagen:", "Office", "", "Der Drucker ist nicht mehr vorhanden."};
    QTest::newRow("printer error") << "Office" << QStringList{} << int(PrintFailure::PrinterError)
                                   << QStringList{"Der Ausdruck ist fehlgeschlagen:", "Office", "",
                                                  "Der Drucker meldet einen Fehler."};
}

inline void arrangePrintFailure(Fixture &fx)
{
    QFETCH(QString, defaultPrinter);
    QFETCH(QStringList, stillInstalled);
    QFETCH(int, failure);
    fx.printers.set(defaultPrinter, defaultPrinter.isEmpty() ? QStringList{} : QStringList{defaultPrinter});
    fx.recorder.setInstalled(stillInstalled);
    if (failure >= 0)
        fx.recorder.failDevice(defaultPrinter, PrintFailure(failure));
}

inline void checkPrintFailure(const Fixture &fx)
{
    QFETCH(QStringList, message);
    if (message.isEmpty()) {
        QVERIFY(fx.ui.messages().empty());
        QCOMPARE(fx.recorder.last().ended, true);
        return;
    }
    QCOMPARE(fx.ui.messages().size(), std::size_t(1));
    QCOMPARE(fx.ui.messages()[0].text.split(QLatin1Char('\n')), message);
    QCOMPARE(fx.ui.messages()[0].title, QStringLiteral("Drucken"));
    QCOMPARE(fx.recorder.last().texts.size(), std::size_t(0));
}

// The buttons' table of either print dialog: the shared texts "Alt", Null, "Alt" before the opening, "Neu" typed
// over the info field, then the row's action: "OK", "Abbruch", "Esc", "Enter", "close" (the frame's close box) or
// "clear" (Kopfdaten löschen, one blank in each field). Then the five shared texts, the printouts, whether the
// dialog is still loaded, and no message.
template <class Dialog>
void checkButtonRow(Fixture &fx, DefaultInstance<Dialog> &instance, const std::function<Dialog &()> &open)
{
    QFETCH(QString, action);
    QFETCH(QStringList, texts);
    QFETCH(int, printed);
    QFETCH(bool, stillOpen);
    SharedData &s = shared();
    s.TextInfo = Variant(QStringLiteral("Alt"));
    s.TextFirma = Variant::null();
    s.TextBetrifft = Variant(QStringLiteral("Alt"));
    Dialog &f = open();
    // A Null text leaves its field empty.
    QCOMPARE(f.txtFirma.text(), QString());
    f.txtInfo.selectAll();
    f.txtInfo.userType(QStringLiteral("Neu"));
    if (action == QLatin1String("OK"))
        f.cmdOK.userClick();
    else if (action == QLatin1String("Abbruch"))
        f.cmdEsc.userClick();
    else if (action == QLatin1String("Esc"))
        QVERIFY(f.pressEscape());
    else if (action == QLatin1String("Enter"))
        QVERIFY(!f.pressEnter());
    else if (action == QLatin1String("close"))
        f.userClose();
    else
        f.cmdKopfLöschen.userClick();
    if (action == QLatin1String("clear")) {
        for (TextBox *box : {&f.txtInfo, &f.txtFirma, &f.txtBetrifft, &f.txtPosition, &f.txtMStelle})
            QCOMPARE(box->text(), QStringLiteral(" "));
    }
    formruntime::collect();
    const QStringList after = {s.TextInfo.toString(), s.TextFirma.toString(), s.TextBetrifft.toString(),
                               s.TextPosition.toString(), s.TextMStelle.toString()};
    QCOMPARE(after, texts);
    QCOMPARE(int(fx.recorder.documents().size()), printed);
    QCOMPARE(instance.isLoaded(), stillOpen);
    QVERIFY(fx.ui.messages().empty());
}

// Header texts of a filled-in printout, the company on two lines.
inline void sampleHeaderTexts(SharedData &s, const QString &subject)
{
    s.TextInfo = Variant(QStringLiteral("Angebot 2024-117\r\nRevision B"));
    s.TextFirma = Variant(QStringLiteral("Stadtwerke Musterstadt\r\nAbteilung Wärme"));
    s.TextBetrifft = Variant(subject);
    s.TextPosition = Variant(QStringLiteral("Pos. 12"));
    s.TextMStelle = Variant(QStringLiteral("TIC 4711"));
}

// The dialog that `open` opens, drawn in German, French and Czech into test-output/reports/<name>_<language>.png
// for a person to look at: each with the logo, each picture of the window's size; each closed by Abbruch.
template <class Dialog>
void renderInThreeLanguages(const std::function<Dialog &()> &open, const QString &name)
{
    const QString folder = QStringLiteral(QUENDRA_TEST_OUTPUT_DIR) + QStringLiteral("/reports");
    for (const auto &[language, code] : {std::pair{0, "de"}, std::pair{2, "fr"}, std::pair{5, "cs"}}) {
        shared().Sprache = language;
        Dialog &f = open();
        QVERIFY(!f.pictLogo.picture().isNull());
        const QString path = folder + QStringLiteral("/%1_%2.png").arg(name, QLatin1String(code));
        QVERIFY2(qtui::renderFormToPng(f, path), qPrintable(path));
        const QImage shot(path);
        QCOMPARE(shot.size(), QSize(f.width() / kTwipsPerPixel, f.height() / kTwipsPerPixel));
        f.cmdEsc.press();
        formruntime::collect();
    }
}

} // namespace reportfixture
