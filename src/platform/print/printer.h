#pragma once

#include "platform/core/file_problem.h"
#include "platform/print/print_font.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <memory>

// How a print job ended.
enum class PrintStatus { Printed, Cancelled, Failed };
// Why a job failed.
enum class PrintFailure {
    None,
    NoPrinter,       // no printer is current (the machine has none)
    PrinterMissing,  // the current printer is no longer installed
    PrinterError,    // the printer could not be opened or reported an error
    FileNotWritable  // the PDF file could not be written
};

struct PrintResult {
    PrintStatus status = PrintStatus::Printed;
    PrintFailure failure = PrintFailure::None;
    // The printer's device name, or the PDF file's path.
    QString target;
    int pages = 0;
    // Why the PDF file could not be written (FileNotWritable).
    FileFailure file;
};

// Where a printer's output goes. Positions are millimetres from the top-left corner of the printable area; a
// text's y is the top of its line.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    // Opens the job; called at the first output. Anything but Printed means that nothing is printed.
    virtual PrintResult begin() = 0;
    virtual void drawText(double x, double y, const PrintFont &font, const QString &text) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void drawPicture(const QImage &picture, const QRectF &place) = 0;
    virtual void newPage() = 0;
    // Hands the job over (a PDF file takes its place only now).
    virtual PrintResult end() = 0;
    // Gives up an open job without handing anything over (an old PDF file stays as it was).
    virtual void abort() = 0;
};

// The printer object of the printouts: a page in millimetres with a text cursor. Printing text leaves the
// cursor behind it; ending a line puts it at the left edge one line (of the current font) lower. Print columns
// are the grid of 10-point Arial, column n at (n - 1) column widths, whatever the current size.
//
// The job begins with the first output. After a failure or a cancel the printer ignores all output (the cursor
// still moves), and endDoc tells what happened.
class Printer {
public:
    // 904/2048 em of 10-point Arial (its average character width).
    static constexpr double kColumnWidth = 904.0 / 2048.0 * 10.0 * printmetrics::kMillimetresPerPoint;
    static constexpr int kZoneColumns = 14;
    // Left edge of a print column (column 1 at 0).
    static double columnX(int column) { return (column - 1) * kColumnWidth; }

    explicit Printer(std::unique_ptr<PrintDevice> device);
    // An unfinished job is given up.
    ~Printer();
    Printer(const Printer &) = delete;
    Printer &operator=(const Printer &) = delete;

    const PrintFont &font() const { return font_; }
    void setFont(const PrintFont &f) { font_ = f; }
    void setFontName(const QString &name) { font_.name = name; }
    void setFontSize(double points) { font_.size = points; }
    void setFontBold(bool b) { font_.bold = b; }
    void setFontItalic(bool i) { font_.italic = i; }

    double currentX() const { return x_; }
    double currentY() const { return y_; }
    void setCurrentX(double x) { x_ = x; }
    void setCurrentY(double y) { y_ = y; }

    // Prints at the cursor without ending the line. A line feed ends the line (a carriage return before it, or
    // anywhere, is dropped).
    void print(const QString &text);
    // Prints, then ends the line; without text an empty line.
    void printLine(const QString &text = QString());
    void endLine();
    // Moves to a print column; a cursor right of it goes to that column of the next line.
    void tab(int column);
    // Moves to the start of the next 14-column print zone right of the cursor.
    void nextZone();
    // Draws a line; the cursor goes to its end.
    void line(double x1, double y1, double x2, double y2);
    // Draws a picture scaled to the rectangle, or at its own size (96 pixels to the inch).
    void paintPicture(const QImage &picture, double x, double y, double width, double height);
    void paintPicture(const QImage &picture, double x, double y);
    // Starts a new page; the cursor goes to the top-left corner.
    void newPage();
    // Ends the job and tells how it went; the next output would begin a new one.
    PrintResult endDoc();

    // Width of the text in the current font, and the height of a line of it.
    double textWidth(const QString &text) const;
    double textHeight() const;

    // Page of the cursor, from 1.
    int page() const { return page_; }
    // The lowest point that text, lines or pictures of the current page reach (0 on an empty page); the cursor
    // may stand lower after empty lines.
    double outputBottom() const { return outputBottom_; }
    // A failure or cancel happened: output goes nowhere.
    bool ignoringOutput() const { return state_ == State::Ignoring; }

private:
    enum class State { Idle, Open, Ignoring };
    // Opens the job at the first output; false when output is to be ignored.
    bool ready();
    void printPiece(const QString &piece);

    std::unique_ptr<PrintDevice> device_;
    State state_ = State::Idle;
    PrintResult outcome_;
    PrintFont font_;
    double x_ = 0.0;
    double y_ = 0.0;
    int page_ = 1;
    double outputBottom_ = 0.0;
};
