#include "reports/print_job.h"

#include "platform/forms/ui_services.h"
#include "platform/print/print_session.h"
#include "state/shared_data.h"
#include "units/file_messages.h"
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

QString printFailureReason(const PrintResult &result, int Sprache)
{
    switch (result.failure) {
    case PrintFailure::NoPrinter:
        return getText(QStringLiteral("Es ist kein Drucker eingerichtet."), Sprache);
    case PrintFailure::PrinterMissing:
        return getText(QStringLiteral("Der Drucker ist nicht mehr vorhanden."), Sprache);
    case PrintFailure::PrinterError:
        return getText(QStringLiteral("Der Drucker meldet einen Fehler."), Sprache);
    case PrintFailure::FileNotWritable: {
        // A common cause by name; otherwise the general sentence, with the system's error number where it gave one.
        if (result.file.problem != FileProblem::Other && result.file.problem != FileProblem::None)
            return fileProblemText(result.file, Sprache);
        const QString general = getText(QStringLiteral("Die Datei kann nicht geschrieben werden."), Sprache);
        return result.file.systemError == 0 ? general
                                            : general + QLatin1Char('\n') + fileProblemText(result.file, Sprache);
    }
    case PrintFailure::None:
        break;
    }
    return QString();
}

} // namespace

namespace report {

PrintOutcome printReport(const QString &documentName, const QString &dialogCaption, int SpracheDruck,
                         const QString &title, const QImage &logo, const std::function<void(ReportFrame &)> &body)
{
    PrintJob job;
    job.deviceName = currentPrinter();
    job.documentName = documentName;
    job.choosePdfFile = [dialogCaption] { return askPdfFile(dialogCaption); };
    const std::unique_ptr<Printer> printer = openPrinter(job);
    ReportFrame frame(*printer, SpracheDruck, title, logo);
    PrintOutcome outcome;
    try {
        printer->setFontName(QStringLiteral("ARIAL"));
        printer->setFontSize(kBaseSize);
        body(frame);
        outcome.result = printer->endDoc();
    } catch (const std::exception &e) {
        outcome.error = uncaughtFailureMessage(e, shared().Sprache);
        outcome.result = PrintResult{PrintStatus::Failed, PrintFailure::PrinterError, job.deviceName, 0, {}};
    }
    return outcome;
}

void tellPrintResult(const PrintResult &result, const QString &error, const QString &dialogCaption)
{
    if (result.status != PrintStatus::Failed)
        return;
    const int Sprache = shared().Sprache;
    QString target = result.target;
    if (result.failure == PrintFailure::FileNotWritable)
        target = QDir::toNativeSeparators(target);
    QString text = getText(QStringLiteral("Der Ausdruck ist fehlgeschlagen:"), Sprache);
    if (!target.isEmpty())
        text += QLatin1Char('\n') + target;
    const QString reason = error.isEmpty() ? printFailureReason(result, Sprache) : error;
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + reason;
    uiServices().messageBox(text, MsgButtons::OK, MsgIcon::Exclamation, dialogCaption);
}

} // namespace report
