#pragma once

#include "platform/print/print_session.h"

#include <QHash>
#include <QRectF>
#include <QSize>
#include <QStringList>
#include <vector>

// A back-end that records every call of the printer object, for tests and benchmarks.
struct RecordedText {
    int page;
    double x;
    double y;
    PrintFont font;
    QString text;
};
struct RecordedLine {
    int page;
    double x1, y1, x2, y2;
};
struct RecordedPicture {
    int page;
    QRectF place;
    QSize pixels;
};

struct RecordedDocument {
    QString deviceName;
    QString documentName;
    // The PDF file chosen for the job (PDF output only).
    QString file;
    std::vector<RecordedText> texts;
    std::vector<RecordedLine> lines;
    std::vector<RecordedPicture> pictures;
    int pages = 0;
    bool begun = false;
    bool ended = false;
    bool aborted = false;

    // The texts of a page (from 1) as lines of characters, top to bottom: pieces of one height share a line,
    // each starting at the character position of its print column (a piece printed right behind another follows
    // it directly). Lines without text are left out.
    QStringList pageLines(int page) const;
    // Every page's lines, pages separated by a line "--- page N ---" from the second page on.
    QStringList allLines() const;
    // The first text equal to `text` (from the index `from` on); null when there is none.
    const RecordedText *find(const QString &text, std::size_t from = 0) const;
    // Texts that start with the prefix.
    std::vector<const RecordedText *> startingWith(const QString &prefix) const;
};

class RecordingBackEnd : public PrintBackEnd {
public:
    std::unique_ptr<PrintDevice> openDevice(const PrintJob &job) override;

    // Jobs on this device name fail at their beginning (the device name "" always fails with NoPrinter).
    void failDevice(const QString &deviceName, PrintFailure failure) { failures_.insert(deviceName, failure); }
    // Device names that exist; jobs on others fail with PrinterMissing. Empty list: every name exists.
    void setInstalled(const QStringList &names) { installed_ = names; }
    // The device name of the PDF output: its jobs ask for their file when they begin.
    void setPdfDevice(const QString &name) { pdfDevice_ = name; }

    const std::vector<RecordedDocument> &documents() const { return documents_; }
    // The last job opened; a test that expects one calls it only after printing.
    const RecordedDocument &last() const { return documents_.back(); }
    void clear() { documents_.clear(); }

private:
    friend class RecordingDevice;
    std::vector<RecordedDocument> documents_;
    QHash<QString, PrintFailure> failures_;
    QStringList installed_;
    QString pdfDevice_ = QStringLiteral("PDF");
};
