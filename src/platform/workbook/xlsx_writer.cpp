#include "platform/workbook/xlsx_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <locale.h>
#include <xlsxwriter.h>

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

// Builds and closes the workbook at file; false with a reason when the library refuses a part of it.
bool build(const Workbook &book, const QString &file, QString *reason)
{
    Texts t;
    lxw_workbook *wb = workbook_new(QFile::encodeName(file).constData());
    if (!wb) {
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
    const lxw_error e = workbook_close(wb);
    if (ok && e != LXW_NO_ERROR) {
        *reason = libraryError(e);
        ok = false;
    }
    return ok;
}

} // namespace

bool write(const Workbook &book, const QString &path, QString *error)
{
    QString reason;
    auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (book.sheets.empty())
        return refuse(QStringLiteral("the workbook has no sheet"));
    const QFileInfo target(path);
    if (target.isDir())
        return refuse(QStringLiteral("\"%1\" is a folder").arg(QDir::toNativeSeparators(path)));

    // A unique name beside the target, so that the rename stays on one file system.
    QTemporaryFile reserved(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                            QStringLiteral(".XXXXXX"));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        return refuse(reserved.errorString());
    const QString temporary = reserved.fileName();
    reserved.close();

    bool built = false;
    {
        CNumericLocale cLocale;
        built = build(book, temporary, &reason);
    }
    if (!built) {
        QFile::remove(temporary);
        return refuse(reason);
    }
    QFile::setPermissions(temporary, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // rename() replaces an existing file in one step.
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) !=
        0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return refuse(why);
    }
    return true;
}

} // namespace xlsx
