#pragma once

// The print dialog and the sheet printout on the recorder: scripted desktop services, a fixed printer list, the
// shipped language database, a fixed date, a counted parameter store, and a sizing result set by hand (water,
// three points) so that every printed number can be worked out from the values below.

#include "platform/core/number_text.h"
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/print/print_recorder.h"
#include "platform/print/printer_list.h"
#include "reports/print_dialog.h"
#include "state/shared_data.h"
#include "support/program_state.h"
#include "units/texts.h"

#include <QTest>
#include <cmath>
#include <stdexcept>

namespace reportfixture {

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
    s.Medium = 1;
    s.Zustand = 1;
    s.NameMedium = QStringLiteral("Wasser");
    s.MIN = s.NORM = true;
    s.p1Min = s.p1Norm = s.p1Max = 10;
    s.p2Min = 7;
    s.p2Norm = 6.5;
    s.p2Max = 6;
    s.T1Min = s.T1Norm = s.T1Max = 20;
    s.QMin = 10;
    s.QNorm = 20;
    s.QMax = 30;
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
    s.Medium = 0;
    s.Zustand = 0;
    s.NameMedium = QStringLiteral("Luft");
    s.p1Min = s.p1Norm = s.p1Max = 6;
    s.p2Min = 4;
    s.p2Norm = 3.5;
    s.p2Max = 3;
    s.QMin = 100;
    s.QNorm = 200;
    s.QMax = 300;
    s.Q100 = 612;
    s.rhoN = 1.293;
    s.rho1Min = s.rho1Norm = s.rho1Max = 7.22;
    s.gammaMin = s.gammaNorm = s.gammaMax = 1.4;
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

// The pieces on the line of the n-th piece equal to `label` (0 the first), left to right, as "column:text";
// empty when there is no such label.
inline QStringList row(const RecordedDocument &d, const QString &label, int occurrence = 0)
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
        out << QString::number(columnOf(*t)) + QLatin1Char(':') + t->text;
    return out;
}

// The height of the line of the first piece equal to the text; -1 when it is not printed.
inline double heightOf(const RecordedDocument &d, const QString &text)
{
    const RecordedText *t = d.find(text);
    return t ? t->y : -1.0;
}

// A header field typed full, one key more, and a text pasted past the limit: each time over the limit a beep, the
// text cut to the limit, the caret behind it.
inline void checkHeaderLimit(TextBox &box, int limit, const ScriptedUiServices &ui)
{
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

constexpr double kLine10 = 2355.0 / 2048.0 * 10.0 * 25.4 / 72.0;

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
        reports::setSaveProgrammParameter([this](const QString &, const QString &) {
            ++saves;
            if (saveFails)
                throw std::runtime_error("Default.vls is read-only");
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

} // namespace reportfixture
