#include "platform/db/database.h"
#include "platform/print/print_session.h"
#include "reports/print_dialog.h"
#include "state/shared_data.h"
#include "units/texts.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

namespace {

// The PDF file of a printout: offered as the project's name with ".pdf" in the project's folder; a name typed
// without the ending gets it, and an existing file is replaced only when the user agrees.
std::optional<QString> askPdfFile(const QString &dialogCaption)
{
    const SharedData &d = shared();
    FileDialogRequest request;
    request.title = getText(QStringLiteral("PDF-Druck"), d.Sprache);
    request.filter = QStringLiteral("PDF (*.pdf)|*.pdf");
    request.startFolder = d.DatenPfad;
    request.fileName = d.DateiName + QStringLiteral(".pdf");
    request.confirmOverwrite = false;
    std::optional<QString> chosen = uiServices().saveFileDialog(request);
    if (!chosen || chosen->trimmed().isEmpty() || QFileInfo(*chosen).fileName().isEmpty())
        return std::nullopt;
    QString path = *chosen;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path)) {
        const QString question =
            QDir::toNativeSeparators(path) + QLatin1Char('\n') +
            getText(QStringLiteral("Die Datei ist bereits vorhanden. Sollen ihre Daten überschrieben werden?"),
                    d.Sprache);
        if (uiServices().messageBox(question, MsgButtons::YesNo, MsgIcon::Question, dialogCaption) != MsgAnswer::Yes)
            return std::nullopt;
    }
    return path;
}

QString failureReason(PrintFailure why, int Sprache)
{
    switch (why) {
    case PrintFailure::NoPrinter:
        return getText(QStringLiteral("Es ist kein Drucker eingerichtet."), Sprache);
    case PrintFailure::PrinterMissing:
        return getText(QStringLiteral("Der Drucker ist nicht mehr vorhanden."), Sprache);
    case PrintFailure::PrinterError:
        return getText(QStringLiteral("Der Drucker meldet einen Fehler."), Sprache);
    case PrintFailure::FileNotWritable:
        return getText(QStringLiteral("Die Datei kann nicht geschrieben werden."), Sprache);
    case PrintFailure::None:
        break;
    }
    return QString();
}

} // namespace

void frmDruck::druck_Berechnungsblatt()
{
    const SharedData &d = shared();
    lastResult_ = PrintResult();
    lastError_.clear();
    PrintJob job;
    job.deviceName = currentPrinter();
    job.documentName = QStringLiteral("Quendra - ") + d.DateiName;
    job.choosePdfFile = [this] { return askPdfFile(caption()); };
    printer_ = openPrinter(job);
    Printer &p = *printer_;
    const QString title = getText(d.Modus == 1 ? QStringLiteral("Durchflussberechnung nach IEC 60534")
                                               : QStringLiteral("Ventildimensionierung nach IEC 60534"),
                                  d.SpracheDruck);
    frame_ = std::make_unique<ReportFrame>(p, d.SpracheDruck, title, Logo.picture());

    try {
        p.setFontName(QStringLiteral("ARIAL"));
        p.setFontSize(report::kBaseSize);
        AnzahlWarnungen = 0;
        druck_Seitenkopf();
        druck_Kopfdaten();

        frame_->pageBreakTest(34);
        if (d.DruckProzessdaten.toBool()) {
            if (d.Modus == 0)
                druck_Prozessdaten();
            else if (d.Modus == 1)
                druck_Prozessdaten_Flow();
        }
        frame_->pageBreakTest(79);
        if (d.DruckVentildaten.toBool()) {
            if (d.Modus == 0)
                druck_Ventildaten();
            else if (d.Modus == 1)
                druck_Ventildaten_Flow();
        }
        if (d.DruckKenndaten.toBool())
            druck_ErwKenndaten();
        p.printLine();
        frame_->pageBreakTest(34);
        if (d.DruckRohrleitung.toBool())
            druck_Rohrleitung();
        frame_->pageBreakTest(23);
        if (d.DruckSchalldruck.toBool())
            druck_Schalldruck();
        frame_->pageBreakTest(23);
        if (d.DruckStoffdaten.toBool())
            druck_Stoffdaten();
        druck_Warnungen();
        druck_Fusszeile();
        lastResult_ = p.endDoc();
    } catch (const std::exception &e) {
        // A failure half way (a text table that cannot be read) gives up the job: nothing reaches the printer.
        lastResult_ = PrintResult{PrintStatus::Failed, PrintFailure::PrinterError, job.deviceName, 0};
        const auto *db = dynamic_cast<const DbError *>(&e);
        lastError_ = db ? db->text() : QString::fromUtf8(e.what());
    }
    frame_.reset();
    printer_.reset();
}

void frmDruck::druck_Seitenkopf()
{
    frame_->druck_Seitenkopf();
}

void frmDruck::druck_Kopfdaten()
{
    frame_->druck_Kopfdaten(
        {txtInfo.text(), txtFirma.text(), txtBetrifft.text(), txtPosition.text(), txtMStelle.text()});
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
    const std::pair<bool, const char *> warnings[] = {
        {bWarnungStellverhältnis, "Stellverhältnis nicht ausreichend!"},
        {bWarnungVentildurchfluss, "Ventildurchfluss nicht ausreichend!"},
        {bWarnungDurchflussreserve, "Durchflussreserve evtl. nicht ausreichend!"}};
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
    if (lastResult_.status != PrintStatus::Failed)
        return;
    const int Sprache = shared().Sprache;
    QString target = lastResult_.target;
    if (lastResult_.failure == PrintFailure::FileNotWritable)
        target = QDir::toNativeSeparators(target);
    QString text = getText(QStringLiteral("Der Ausdruck ist fehlgeschlagen:"), Sprache);
    if (!target.isEmpty())
        text += QLatin1Char('\n') + target;
    const QString reason = lastError_.isEmpty() ? failureReason(lastResult_.failure, Sprache) : lastError_;
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + reason;
    uiServices().messageBox(text, MsgButtons::OK, MsgIcon::Exclamation, caption());
}
