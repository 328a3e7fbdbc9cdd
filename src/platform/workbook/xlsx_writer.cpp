#include "platform/workbook/xlsx_writer.h"

#include "platform/core/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QXmlStreamReader>
#include <cerrno>
#include <deque>
#include <locale.h>
#include <xlsxwriter.h>
#include <zlib.h>

namespace xlsx {

Cell Cell::ofText(int row, int column, const QString &text)
{
    Cell c;
    c.row = row;
    c.column = column;
    c.kind = Kind::Text;
    c.text = text;
    return c;
}

Cell Cell::ofNumber(int row, int column, double number)
{
    Cell c;
    c.row = row;
    c.column = column;
    c.kind = Kind::Number;
    c.number = number;
    return c;
}

Cell Cell::ofFormula(int row, int column, const QString &formula, double result)
{
    Cell c;
    c.row = row;
    c.column = column;
    c.kind = Kind::Formula;
    c.formula = formula;
    c.number = result;
    return c;
}

Cell Cell::ofTextFormula(int row, int column, const QString &formula, const QString &result)
{
    Cell c = ofFormula(row, column, formula, 0.0);
    c.text = result;
    c.textResult = true;
    return c;
}

namespace {

// The library prints numbers with the C library's printf: under a German LC_NUMERIC it would write "0,5" into
// the file. The C locale holds for this thread while the workbook is built and written.
class CNumericLocale {
public:
    CNumericLocale() : c_(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr)))
    {
        if (c_)
            previous_ = uselocale(c_);
    }
    ~CNumericLocale()
    {
        if (c_) {
            uselocale(previous_);
            freelocale(c_);
        }
    }
    CNumericLocale(const CNumericLocale &) = delete;
    CNumericLocale &operator=(const CNumericLocale &) = delete;

private:
    locale_t c_;
    locale_t previous_ = LC_GLOBAL_LOCALE;
};

// UTF-8 copies that stay alive until the workbook is closed.
class Texts {
public:
    const char *operator()(const QString &s)
    {
        store_.push_back(s.toUtf8());
        return store_.back().constData();
    }

private:
    std::deque<QByteArray> store_;
};

QString libraryError(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

// The library's failures of a file operation, whose cause is the system's last error.
bool fileOperation(lxw_error e)
{
    switch (e) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return true;
    default:
        return false;
    }
}

// Builds and closes the workbook at file, with the library's temporary files in scratch; false with a reason (and
// for a failed file operation, the system's error in *error) when the library refuses a part of it.
bool build(const Workbook &book, const QString &file, const QString &scratch, QString *reason, int *error)
{
    Texts t;
    QByteArray scratchFolder = QFile::encodeName(scratch);
    lxw_workbook_options options{};
    options.tmpdir = scratchFolder.data();
    errno = 0;
    lxw_workbook *wb = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (!wb) {
        *error = errno;
        *reason = QStringLiteral("the workbook cannot be created");
        return false;
    }
    bool ok = true;
    std::vector<lxw_worksheet *> sheets;
    for (const Sheet &s : book.sheets) {
        lxw_worksheet *ws = workbook_add_worksheet(wb, t(s.name));
        if (!ws) {
            *reason = QStringLiteral("invalid sheet name \"%1\"").arg(s.name);
            ok = false;
            break;
        }
        sheets.push_back(ws);
        for (const auto &[column, width] : s.columnWidths)
            worksheet_set_column(ws, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column), width, nullptr);
        for (const Cell &c : s.cells) {
            const auto row = static_cast<lxw_row_t>(c.row);
            const auto col = static_cast<lxw_col_t>(c.column);
            lxw_error e = LXW_NO_ERROR;
            switch (c.kind) {
            case Cell::Kind::Text: e = worksheet_write_string(ws, row, col, t(c.text), nullptr); break;
            case Cell::Kind::Number: e = worksheet_write_number(ws, row, col, c.number, nullptr); break;
            case Cell::Kind::Formula:
                e = c.textResult ? worksheet_write_formula_str(ws, row, col, t(c.formula), nullptr, t(c.text))
                                 : worksheet_write_formula_num(ws, row, col, t(c.formula), nullptr, c.number);
                break;
            }
            if (e != LXW_NO_ERROR) {
                *reason = QStringLiteral("sheet \"%1\", cell %2:%3: %4")
                              .arg(s.name)
                              .arg(c.row + 1)
                              .arg(c.column + 1)
                              .arg(libraryError(e));
                ok = false;
                break;
            }
        }
        if (!ok)
            break;
        for (const ScatterChart &sc : s.charts) {
            lxw_chart *chart = workbook_add_chart(wb, LXW_CHART_SCATTER_SMOOTH);
            lxw_chart_series *series = chart ? chart_add_series(chart, nullptr, nullptr) : nullptr;
            if (!series) {
                *reason = QStringLiteral("sheet \"%1\": the chart cannot be added").arg(s.name);
                ok = false;
                break;
            }
            const char *name = t(s.name);
            chart_series_set_categories(series, name, static_cast<lxw_row_t>(sc.firstRow),
                                        static_cast<lxw_col_t>(sc.xColumn), static_cast<lxw_row_t>(sc.lastRow),
                                        static_cast<lxw_col_t>(sc.xColumn));
            chart_series_set_values(series, name, static_cast<lxw_row_t>(sc.firstRow),
                                    static_cast<lxw_col_t>(sc.yColumn), static_cast<lxw_row_t>(sc.lastRow),
                                    static_cast<lxw_col_t>(sc.yColumn));
            if (sc.titleRow >= 0 && sc.titleColumn >= 0)
                chart_title_set_name_range(chart, name, static_cast<lxw_row_t>(sc.titleRow),
                                           static_cast<lxw_col_t>(sc.titleColumn));
            chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
            if (!sc.xTitle.isEmpty())
                chart_axis_set_name(chart->x_axis, t(sc.xTitle));
            if (!sc.yTitle.isEmpty())
                chart_axis_set_name(chart->y_axis, t(sc.yTitle));
            if (sc.xMax > sc.xMin) {
                chart_axis_set_min(chart->x_axis, sc.xMin);
                chart_axis_set_max(chart->x_axis, sc.xMax);
            }
            const lxw_error e = worksheet_insert_chart(ws, static_cast<lxw_row_t>(sc.anchorRow),
                                                       static_cast<lxw_col_t>(sc.anchorColumn), chart);
            if (e != LXW_NO_ERROR) {
                *reason = QStringLiteral("sheet \"%1\": %2").arg(s.name, libraryError(e));
                ok = false;
                break;
            }
        }
        if (!ok)
            break;
    }
    if (ok && book.activeSheet >= 0 && book.activeSheet < static_cast<int>(sheets.size())) {
        // The active sheet first: a sheet that is selected cannot be hidden.
        worksheet_activate(sheets[static_cast<std::size_t>(book.activeSheet)]);
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            if (book.sheets[i].hidden && static_cast<int>(i) != book.activeSheet)
                worksheet_hide(sheets[i]);
        }
    }
    // Closing writes the file; it also frees the workbook when building failed part-way.
    errno = 0;
    const lxw_error e = workbook_close(wb);
    const int closeError = errno;
    if (ok && e != LXW_NO_ERROR) {
        *reason = libraryError(e);
        if (fileOperation(e))
            *error = closeError;
        ok = false;
    }
    return ok;
}

quint32 le16(const QByteArray &b, qsizetype at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8;
}

quint32 le32(const QByteArray &b, qsizetype at)
{
    return le16(b, at) | le16(b, at + 2) << 16;
}

// The data of one member, inflated; false when it is not what the directory says.
bool memberData(const QByteArray &zip, qsizetype local, quint32 method, quint32 packed, quint32 size, quint32 crc,
                QByteArray *data)
{
    if (local < 0 || local + 30 > zip.size() || le32(zip, local) != 0x04034b50)
        return false;
    const qsizetype start = local + 30 + le16(zip, local + 26) + le16(zip, local + 28);
    if (start + qsizetype(packed) > zip.size())
        return false;
    if (method == 0) {
        *data = zip.mid(start, packed);
    } else if (method == 8) {
        data->resize(size);
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            return false;
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(zip.constData() + start));
        z.avail_in = packed;
        z.next_out = reinterpret_cast<Bytef *>(data->data());
        z.avail_out = size;
        const int rc = inflate(&z, Z_FINISH);
        const uLong produced = z.total_out;
        inflateEnd(&z);
        if (rc != Z_STREAM_END || produced != size)
            return false;
    } else {
        return false;
    }
    return crc32(0L, reinterpret_cast<const Bytef *>(data->constData()), uInt(data->size())) == crc;
}

// True when the archive holds its parts whole: the library does not check its writes into its own temporary
// files, so a full disk can leave a part cut short inside an archive that is itself in order.
bool archiveComplete(const QByteArray &zip)
{
    // The end record, with no comment after it.
    const qsizetype end = zip.size() - 22;
    if (end < 0 || le32(zip, end) != 0x06054b50)
        return false;
    const quint32 members = le16(zip, end + 10);
    qsizetype at = le32(zip, end + 16);
    bool contentTypes = false;
    for (quint32 i = 0; i < members; ++i) {
        if (at + 46 > end || le32(zip, at) != 0x02014b50)
            return false;
        const quint32 nameLength = le16(zip, at + 28);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
        QByteArray data;
        if (!memberData(zip, le32(zip, at + 42), le16(zip, at + 10), le32(zip, at + 20), le32(zip, at + 24),
                        le32(zip, at + 16), &data))
            return false;
        if (name.endsWith(QLatin1String(".xml")) || name.endsWith(QLatin1String(".rels"))) {
            QXmlStreamReader xml(data);
            while (!xml.atEnd())
                xml.readNext();
            if (xml.hasError())
                return false;
        }
        contentTypes = contentTypes || name == QLatin1String("[Content_Types].xml");
        at += 46 + nameLength + le16(zip, at + 30) + le16(zip, at + 32);
    }
    return contentTypes;
}

// Why a part came out cut short: the library does not say what its writes into its own files met, so a write of
// ours beside them asks the disk. A full disk only when that write says so.
FileProblem cutShortBy(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/probe-XXXXXX"));
    errno = 0;
    if (!probe.open())
        return problemOfErrno(errno) == FileProblem::DiskFull ? FileProblem::DiskFull : FileProblem::Incomplete;
    const FileFailure written = writeAllBytes(probe.handle(), QByteArray(1 << 20, '\0'));
    return written.problem == FileProblem::DiskFull ? FileProblem::DiskFull : FileProblem::Incomplete;
}

} // namespace

bool write(const Workbook &book, const QString &path, QString *error, FileProblem *problem)
{
    auto refuse = [&](FileProblem why, const QString &text) {
        if (error)
            *error = text;
        if (problem)
            *problem = why;
        return false;
    };
    auto refuseFailure = [&](const FileFailure &f) { return refuse(f.problem, f.systemText); };
    if (book.sheets.empty())
        return refuse(FileProblem::Other, QStringLiteral("the workbook has no sheet"));
    if (const FileFailure refused = notARegularFile(path); refused.failed())
        return refuseFailure(refused);
    const QFileInfo target(path);

    // The library's files on the target's disk, so that what fails there names that disk.
    errno = 0;
    QTemporaryDir scratch(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!scratch.isValid())
        return refuseFailure(FileFailure::ofErrno(errno));
    const QString built = scratch.filePath(QStringLiteral("book.xlsx"));
    {
        CNumericLocale cLocale;
        QString reason;
        int systemError = 0;
        if (!build(book, built, scratch.path(), &reason, &systemError))
            return refuse(systemError != 0 ? problemOfErrno(systemError) : FileProblem::Other, reason);
    }
    QFile result(built);
    errno = 0;
    if (!result.open(QIODevice::ReadOnly))
        return refuseFailure(FileFailure::ofErrno(errno));
    const QByteArray bytes = result.readAll();
    result.close();
    if (!archiveComplete(bytes))
        return refuse(cutShortBy(scratch.path()), QStringLiteral("a part of the workbook was cut short"));

    WholeFile out(path);
    if (!out.start() || out.write(bytes) != bytes.size() || !out.finish())
        return refuseFailure(out.failure());
    return true;
}

} // namespace xlsx
