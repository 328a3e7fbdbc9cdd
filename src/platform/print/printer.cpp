#include "platform/print/printer.h"

#include <algorithm>

namespace {
// Positions closer than this are the same (a cursor placed on a column by arithmetic stands on it).
constexpr double kSame = 1e-9;
// Own size of a picture: 96 pixels to the inch, 15 twips a pixel, as the windows show it.
constexpr double kPixelMillimetres = 25.4 / 96.0;
} // namespace

Printer::Printer(std::unique_ptr<PrintDevice> device) : device_(std::move(device)) {}

Printer::~Printer()
{
    if (state_ == State::Open && device_)
        device_->abort();
}

bool Printer::ready()
{
    if (state_ == State::Open)
        return true;
    if (state_ == State::Ignoring)
        return false;
    outcome_ = device_ ? device_->begin() : PrintResult{PrintStatus::Failed, PrintFailure::NoPrinter, QString(), 0, {}};
    state_ = outcome_.status == PrintStatus::Printed ? State::Open : State::Ignoring;
    return state_ == State::Open;
}

void Printer::printPiece(const QString &piece)
{
    if (piece.isEmpty())
        return;
    if (ready())
        device_->drawText(x_, y_, font_, piece);
    outputBottom_ = std::max(outputBottom_, y_ + printmetrics::lineHeight(font_));
    x_ += printmetrics::textWidth(font_, piece);
}

void Printer::print(const QString &text)
{
    QString t = text;
    t.remove(QLatin1Char('\r'));
    const QStringList pieces = t.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            endLine();
        printPiece(pieces[i]);
    }
}

void Printer::printLine(const QString &text)
{
    print(text);
    endLine();
}

void Printer::endLine()
{
    x_ = 0.0;
    y_ += printmetrics::lineHeight(font_);
}

void Printer::tab(int column)
{
    const double target = columnX(column < 1 ? 1 : column);
    if (x_ > target + kSame)
        endLine();
    x_ = target;
}

void Printer::nextZone()
{
    const double zone = kZoneColumns * kColumnWidth;
    int k = 0;
    while (k * zone <= x_ + kSame && k < 1000000)
        ++k;
    x_ = k * zone;
}

void Printer::line(double x1, double y1, double x2, double y2)
{
    if (ready())
        device_->drawLine(x1, y1, x2, y2);
    outputBottom_ = std::max({outputBottom_, y1, y2});
    x_ = x2;
    y_ = y2;
}

void Printer::paintPicture(const QImage &picture, double x, double y, double width, double height)
{
    if (picture.isNull() || !(width > 0) || !(height > 0))
        return;
    if (ready())
        device_->drawPicture(picture, QRectF(x, y, width, height));
    outputBottom_ = std::max(outputBottom_, y + height);
}

void Printer::paintPicture(const QImage &picture, double x, double y)
{
    paintPicture(picture, x, y, picture.width() * kPixelMillimetres, picture.height() * kPixelMillimetres);
}

void Printer::newPage()
{
    if (ready())
        device_->newPage();
    ++page_;
    x_ = 0.0;
    y_ = 0.0;
    outputBottom_ = 0.0;
}

PrintResult Printer::endDoc()
{
    PrintResult result;
    if (state_ == State::Open)
        result = device_->end();
    else if (state_ == State::Ignoring)
        result = outcome_;
    state_ = State::Idle;
    outcome_ = PrintResult();
    x_ = 0.0;
    y_ = 0.0;
    page_ = 1;
    outputBottom_ = 0.0;
    return result;
}

double Printer::textWidth(const QString &text) const
{
    return printmetrics::textWidth(font_, text);
}

double Printer::textHeight() const
{
    return printmetrics::lineHeight(font_);
}
