#include "platform/print/print_recorder.h"

#include <algorithm>
#include <cmath>
#include <map>

class RecordingDevice : public PrintDevice {
public:
    RecordingDevice(RecordingBackEnd &owner, std::size_t index, PrintJob job)
        : owner_(owner), index_(index), job_(std::move(job))
    {
    }

    PrintResult begin() override
    {
        RecordedDocument &d = doc();
        PrintResult r{PrintStatus::Printed, PrintFailure::None, job_.deviceName, 0, {}};
        if (job_.deviceName.isEmpty()) {
            r.status = PrintStatus::Failed;
            r.failure = PrintFailure::NoPrinter;
        } else if (owner_.failures_.contains(job_.deviceName)) {
            r.status = PrintStatus::Failed;
            r.failure = owner_.failures_.value(job_.deviceName);
        } else if (!owner_.installed_.isEmpty() && !owner_.installed_.contains(job_.deviceName)) {
            r.status = PrintStatus::Failed;
            r.failure = PrintFailure::PrinterMissing;
        } else if (job_.deviceName == owner_.pdfDevice_) {
            const std::optional<QString> file = job_.choosePdfFile ? job_.choosePdfFile() : std::nullopt;
            if (!file) {
                r.status = PrintStatus::Cancelled;
            } else {
                d.file = *file;
                r.target = *file;
            }
        }
        if (r.status == PrintStatus::Printed) {
            d.begun = true;
            d.pages = 1;
        }
        result_ = r;
        return r;
    }
    void drawText(double x, double y, const PrintFont &font, const QString &text) override
    {
        doc().texts.push_back({doc().pages, x, y, font, text});
    }
    void drawLine(double x1, double y1, double x2, double y2) override
    {
        doc().lines.push_back({doc().pages, x1, y1, x2, y2});
    }
    void drawPicture(const QImage &picture, const QRectF &place) override
    {
        doc().pictures.push_back({doc().pages, place, picture.size()});
    }
    void newPage() override { ++doc().pages; }
    PrintResult end() override
    {
        doc().ended = true;
        result_.pages = doc().pages;
        return result_;
    }
    void abort() override { doc().aborted = true; }

private:
    RecordedDocument &doc() { return owner_.documents_[index_]; }

    RecordingBackEnd &owner_;
    std::size_t index_;
    PrintJob job_;
    PrintResult result_;
};

std::unique_ptr<PrintDevice> RecordingBackEnd::openDevice(const PrintJob &job)
{
    RecordedDocument d;
    d.deviceName = job.deviceName;
    d.documentName = job.documentName;
    documents_.push_back(std::move(d));
    return std::make_unique<RecordingDevice>(*this, documents_.size() - 1, job);
}

QStringList RecordedDocument::pageLines(int page) const
{
    // Heights closer than a thousandth of a millimetre are one line.
    std::map<long long, std::vector<const RecordedText *>> rows;
    for (const RecordedText &t : texts)
        if (t.page == page)
            rows[std::llround(t.y * 1000.0)].push_back(&t);
    QStringList out;
    for (auto &[key, pieces] : rows) {
        (void)key;
        std::stable_sort(pieces.begin(), pieces.end(),
                         [](const RecordedText *a, const RecordedText *b) { return a->x < b->x; });
        QString line;
        double end = -1.0;
        for (const RecordedText *p : pieces) {
            if (std::fabs(p->x - end) > 0.001) {
                const auto column = static_cast<qsizetype>(std::llround(p->x / Printer::kColumnWidth));
                if (column > line.size())
                    line += QString(column - line.size(), QLatin1Char(' '));
                else if (!line.isEmpty())
                    line += QLatin1Char(' ');
            }
            line += p->text;
            end = p->x + printmetrics::textWidth(p->font, p->text);
        }
        out << line;
    }
    return out;
}

QStringList RecordedDocument::allLines() const
{
    QStringList out;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            out << QStringLiteral("--- page %1 ---").arg(page);
        out << pageLines(page);
    }
    return out;
}

const RecordedText *RecordedDocument::find(const QString &text, std::size_t from) const
{
    for (std::size_t i = from; i < texts.size(); ++i)
        if (texts[i].text == text)
            return &texts[i];
    return nullptr;
}

std::vector<const RecordedText *> RecordedDocument::startingWith(const QString &prefix) const
{
    std::vector<const RecordedText *> out;
    for (const RecordedText &t : texts)
        if (t.text.startsWith(prefix))
            out.push_back(&t);
    return out;
}
