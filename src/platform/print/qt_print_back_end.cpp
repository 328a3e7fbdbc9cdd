#include "platform/print/qt_print_back_end.h"

#include "platform/print/qt_printer_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>

namespace {

class QtPrintDevice : public PrintDevice {
public:
    explicit QtPrintDevice(PrintJob job) : job_(std::move(job)) {}
    ~QtPrintDevice() override
    {
        if (painter_.isActive())
            abort();
    }

    PrintResult begin() override
    {
        const bool pdf = job_.deviceName == QtPrinterList::pdfPrinterName();
        if (job_.deviceName.isEmpty())
            return fail(PrintFailure::NoPrinter, QString());
        if (pdf) {
            const std::optional<QString> file = job_.choosePdfFile ? job_.choosePdfFile() : std::nullopt;
            if (!file || file->isEmpty())
                return {PrintStatus::Cancelled, PrintFailure::None, QString(), 0};
            target_ = QFileInfo(*file).absoluteFilePath();
            temporary_ = target_ + QStringLiteral(".part");
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setOutputFileName(temporary_);
        } else {
            const QPrinterInfo info = QPrinterInfo::printerInfo(job_.deviceName);
            if (info.isNull())
                return fail(PrintFailure::PrinterMissing, job_.deviceName);
            target_ = job_.deviceName;
            printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        }
        printer_->setDocName(job_.documentName);
        const PageSetup setup = pageSetupFor(job_.deviceName);
        printer_->setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(setup.pageSizeId)));
        printer_->setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (pdf)
            printer_->setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        if (!painter_.begin(printer_.get())) {
            if (pdf)
                QFile::remove(temporary_);
            return fail(pdf ? PrintFailure::FileNotWritable : PrintFailure::PrinterError, target_);
        }
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        scale_ = printer_->resolution() / 25.4;
        return {PrintStatus::Printed, PrintFailure::None, target_, 0};
    }

    void drawText(double x, double y, const PrintFont &font, const QString &text) override
    {
        QFont f = printmetrics::qtFont(font);
        painter_.setFont(QFont(f, printer_.get()));
        painter_.setPen(Qt::black);
        painter_.drawText(QPointF(x * scale_, (y + printmetrics::ascent(font)) * scale_), text);
    }

    void drawLine(double x1, double y1, double x2, double y2) override
    {
        QPen pen(Qt::black);
        pen.setWidthF(0.2 * scale_);
        painter_.setPen(pen);
        painter_.drawLine(QPointF(x1 * scale_, y1 * scale_), QPointF(x2 * scale_, y2 * scale_));
    }

    void drawPicture(const QImage &picture, const QRectF &place) override
    {
        painter_.drawImage(QRectF(place.x() * scale_, place.y() * scale_, place.width() * scale_,
                                  place.height() * scale_),
                           picture);
    }

    void newPage() override
    {
        printer_->newPage();
        ++pages_;
    }

    PrintResult end() override
    {
        const bool pdf = !temporary_.isEmpty();
        const bool ended = painter_.end();
        if (!ended || printer_->printerState() == QPrinter::Error) {
            if (pdf)
                QFile::remove(temporary_);
            return fail(pdf ? PrintFailure::FileNotWritable : PrintFailure::PrinterError, target_);
        }
        if (pdf) {
            // rename() replaces the target in one step: there is always either the old or the new file.
            if (std::rename(QFile::encodeName(temporary_).constData(), QFile::encodeName(target_).constData()) != 0) {
                QFile::remove(temporary_);
                return fail(PrintFailure::FileNotWritable, target_);
            }
        }
        return {PrintStatus::Printed, PrintFailure::None, target_, pages_};
    }

    void abort() override
    {
        if (painter_.isActive()) {
            printer_->abort();
            painter_.end();
        }
        if (!temporary_.isEmpty())
            QFile::remove(temporary_);
    }

private:
    static PrintResult fail(PrintFailure why, const QString &target)
    {
        return {PrintStatus::Failed, why, target, 0};
    }

    PrintJob job_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QString target_;
    QString temporary_;
    double scale_ = 1.0;
    int pages_ = 1;
};

} // namespace

std::unique_ptr<PrintDevice> QtPrintBackEnd::openDevice(const PrintJob &job)
{
    return std::make_unique<QtPrintDevice>(job);
}
