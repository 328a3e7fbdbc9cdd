#include "reports/print_dialog.h"
#include "reports/print_job.h"
#include "state/shared_data.h"
#include "units/texts.h"


void frmDruck::druck_Berechnungsblatt()
{
    const SharedData &d = shared();
    const QString title = getText(d.Modus == 1 ? QStringLiteral("Durchflussberechnung nach IEC 60534")
                                               : QStringLiteral("Ventildimensionierung nach IEC 60534"),
                                  d.SpracheDruck);
    const report::PrintOutcome outcome = report::printReport(
        QStringLiteral("Quendra - ") + d.DateiName, caption(), d.SpracheDruck, title, Logo.picture(),
        [&](ReportFrame &frame) {
            frame_ = &frame;
            Printer &p = frame.printer();
            AnzahlWarnungen = 0;
            druck_Seitenkopf();
            druck_Kopfdaten();

            frame.pageBreakTest(34);
            if (d.DruckProzessdaten.toBool()) {
                if (d.Modus == 0)
                    druck_Prozessdaten();
                else if (d.Modus == 1)
                    druck_Prozessdaten_Flow();
            }
            frame.pageBreakTest(79);
            if (d.DruckVentildaten.toBool()) {
                if (d.Modus == 0)
                    druck_Ventildaten();
                else if (d.Modus == 1)
                    druck_Ventildaten_Flow();
            }
            if (d.DruckKenndaten.toBool())
                druck_ErwKenndaten();
            p.printLine();
            frame.pageBreakTest(34);
            if (d.DruckRohrleitung.toBool())
                druck_Rohrleitung();
            frame.pageBreakTest(23);
            if (d.DruckSchalldruck.toBool())
                druck_Schalldruck();
            frame.pageBreakTest(23);
            if (d.DruckStoffdaten.toBool())
                druck_Stoffdaten();
            druck_Warnungen();
            druck_Fusszeile();
        });
    frame_ = nullptr;
    lastResult_ = outcome.result;
    lastError_ = outcome.error;
}

void frmDruck::druck_Seitenkopf()
{
    frame_->druck_Seitenkopf();
}

void frmDruck::druck_Kopfdaten()
{
    frame_->druck_Kopfdaten(report::headerTexts(headerFields()));
}

void frmDruck::druck_Zeilenumbruch(const QString &text, int column, double width)
{
    frame_->druck_Zeilenumbruch(text, column, width);
}

void frmDruck::druck_Warnungen()
{
    if (AnzahlWarnungen == 0)
        return;
    Printer &p = frame_->printer();
    const auto warnings = warnungen();
    int lines = 0;
    for (const auto &[set, key] : warnings)
        lines += set ? 1 : 0;
    // Under the rule the list starts one line lower; it must end above the footer.
    frame_->keepAboveFooter((lines + 1) * p.textHeight());
    frame_->rule();
    int number = 1;
    for (const auto &[set, key] : warnings) {
        if (!set)
            continue;
        p.tab(report::kLabelColumn);
        p.setFontItalic(true);
        p.printLine(QString::number(number) + QStringLiteral(") ") + frame_->text(QString::fromUtf8(key)));
        ++number;
    }
    p.setFontItalic(false);
}

void frmDruck::druck_Fusszeile()
{
    frame_->druck_Fusszeile(shared().Benutzername);
}

void frmDruck::reportPrintResult()
{
    report::tellPrintResult(lastResult_, lastError_, caption());
}
