#include "platform/print/qt_print_back_end.h"

#include "platform/core/whole_file.h"
#include "platform/print/qt_printer_list.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

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
        QPagedPaintDevice *device = nullptr;
        if (pdf) {
            const std::optional<QString> file = job_.choosePdfFile ? job_.choosePdfFile() : std::nullopt;
            if (!file || file->isEmpty())
                return {PrintStatus::Cancelled, PrintFailure::None, QString(), 0, {}};
            target_ = QFileInfo(*file).absoluteFilePath();
            // Qt's PDF output to a file of its own reports no write error; the program's file takes its place
            // only when every byte has been written.
            file_ = std::make_unique<WholeFile>(target_);
            if (!file_->start())
                return failFile();
            writer_ = std::make_unique<QPdfWriter>(file_.get());
            writer_->setTitle(job_.documentName);
            device = writer_.get();
        } else {
            const QPrinterInfo info = QPrinterInfo::printerInfo(job_.deviceName);
            if (info.isNull())
                return fail(PrintFailure::PrinterMissing, job_.deviceName);
            target_ = job_.deviceName;
            printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            printer_->setDocName(job_.documentName);
            device = printer_.get();
        }
        const PageSetup setup = pageSetupFor(job_.deviceName);
        device->setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(setup.pageSizeId)));
        device->setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (pdf)
            device->setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        if (!painter_.begin(device)) {
            if (pdf)
                return failFile();
            return fail(PrintFailure::PrinterError, target_);
        }
        device_ = device;
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        scale_ = (pdf ? writer_->resolution() : printer_->resolution()) / 25.4;
        return {PrintStatus::Printed, PrintFailure::None, target_, 0, {}};
    }

    void drawText(double x, double y, const PrintFont &font, const QString &text) override
    {
        QFont f = printmetrics::qtFont(font);
        painter_.setFont(QFont(f, device_));
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
        device_->newPage();
        ++pages_;
    }

    PrintResult end() override
    {
        const bool ended = painter_.end();
        if (file_) {
            // The writer has written its last bytes when the painter ends.
            writer_.reset();
            if (!ended || !file_->finish()) {
                file_->discard();
                return failFile();
            }
            return {PrintStatus::Printed, PrintFailure::None, target_, pages_, {}};
        }
        if (!ended || printer_->printerState() == QPrinter::Error)
            return fail(PrintFailure::PrinterError, target_);
        return {PrintStatus::Printed, PrintFailure::None, target_, pages_, {}};
    }

    void abort() override
    {
        if (painter_.isActive()) {
            if (printer_)
                printer_->abort();
            painter_.end();
        }
        writer_.reset();
        if (file_)
            file_->discard();
    }

private:
    static PrintResult fail(PrintFailure why, const QString &target)
    {
        return {PrintStatus::Failed, why, target, 0, {}};
    }
    PrintResult failFile() const
    {
        PrintResult r = fail(PrintFailure::FileNotWritable, target_);
        r.file = file_ && file_->failed() ? file_->failure() : FileFailure{FileProblem::Other, QString()};
        return r;
    }

    PrintJob job_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<WholeFile> file_;
    std::unique_ptr<QPdfWriter> writer_;
    QPagedPaintDevice *device_ = nullptr;
    QPainter painter_;
    QString target_;
    double scale_ = 1.0;
    int pages_ = 1;
};

} // namespace

std::unique_ptr<PrintDevice> QtPrintBackEnd::openDevice(const PrintJob &job)
{
    return std::make_unique<QtPrintDevice>(job);
}
