#pragma once

#include "platform/print/printer.h"
#include "reports/report_frame.h"

#include <QImage>
#include <QString>
#include <functional>

// What the print dialogs share around a printout: the job on the current printer (the PDF output asks for its
// file when the job begins), and what the user is told when a printout did not come out.
namespace report {

struct PrintOutcome {
    PrintResult result;
    // What stopped the printout half way when it was no printer failure (a text table that cannot be read).
    QString error;
};

// Prints one document on the current printer: the page frame in the print language with its title and logo, the
// font "ARIAL" 10 set, then body, then the end of the document. An exception out of body gives the job up, so
// that nothing reaches the printer. documentName: the job's name in the print queue; dialogCaption: the title of
// the question before an existing PDF file is replaced.
PrintOutcome printReport(const QString &documentName, const QString &dialogCaption, int SpracheDruck,
                         const QString &title, const QImage &logo, const std::function<void(ReportFrame &)> &body);

// Tells the user why a printout did not come out, in the screen language; a cancel and a success are not told.
// error: what stopped the printout half way when it was no printer failure, else empty.
void tellPrintResult(const PrintResult &result, const QString &error, const QString &dialogCaption);

} // namespace report
