#include "tools/characteristic_display.h"

#include "platform/core/number_text.h"
#include "platform/forms/ui_services.h"
#include "platform/shell/desktop_services.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/file_messages.h"
#include "units/number_format.h"
#include "units/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cmath>

namespace kenndaten {

namespace {

constexpr int kParameterRows = 18;
// Display sheets: heading in rows 1 to 5, column titles in row 7, the curve in rows 8 to 18.
constexpr int kTitleRow = 6;
constexpr int kFirstPointRow = 7;
constexpr int kPoints = 11;

const QString kParameterSheet = QStringLiteral("Parameter");

QString ref(int row)
{
    return QStringLiteral("Parameter!$B$%1").arg(row);
}

QString text(const Parameter &p, int row)
{
    return p.zeile(row).toString();
}

// The polynomial of the Kv curve at the opening in column A of a sheet row (1-based).
QString polynomFormel(int sheetRow)
{
    const QString y = QStringLiteral("(A%1/100)").arg(sheetRow);
    QString f = ref(zeileA0);
    for (int i = 1; i < 6; ++i) {
        f += QLatin1Char('+') + ref(zeileA0 + i) + QLatin1Char('*') + y;
        if (i > 1)
            f += QLatin1Char('^') + QString::number(i);
    }
    return f;
}

QString parabelFormel(int ersteZeile, int sheetRow)
{
    const QString y = QStringLiteral("(A%1/100)").arg(sheetRow);
    return QLatin1Char('=') + ref(ersteZeile) + QLatin1Char('+') + ref(ersteZeile + 1) + QLatin1Char('*') + y +
           QLatin1Char('+') + ref(ersteZeile + 2) + QLatin1Char('*') + y + QStringLiteral("^2");
}

// Four significant digits, also where formatZahl4 falls back to fifteen (beyond 1e15, below 1e-9); nothing for a
// value beyond the doubles.
QString vierStellen(double x)
{
    const double betrag = std::fabs(x);
    if (std::isfinite(x) && x != 0.0 && (betrag >= 1e15 || betrag < 1e-9))
        return numtext::general(x, 4);
    return formatZahl4(Variant(x)).toString();
}

// A formula with the value it gives; a value beyond the doubles as the error a spreadsheet shows for it (a number
// cell holding "inf" would make the file unreadable).
xlsx::Cell formel(int row, int column, const QString &formula, double value)
{
    if (std::isfinite(value))
        return xlsx::Cell::ofFormula(row, column, formula, value);
    return xlsx::Cell::ofTextFormula(row, column, formula, QStringLiteral("#NUM!"));
}

bool mitVerhaeltnis(Kurve k)
{
    return k == Kurve::Kv || k == Kurve::Cv;
}

QString verhaeltnisTitel(Kurve k)
{
    return k == Kurve::Kv ? QStringLiteral("Kv/Kvs") : QStringLiteral("Cv/Cvs");
}

QString oeffnungTitel(const Parameter &p)
{
    return text(p, 1) + QStringLiteral(" [%]");
}

xlsx::Sheet parameterBlatt(const Parameter &p)
{
    xlsx::Sheet s;
    s.name = kParameterSheet;
    const char *namen[] = {"Kvs", "Cv", "A0", "A1", "A2", "A3", "A4", "A5", "AFL", "BFL", "CFL", "AxT", "BxT", "CxT"};
    for (int row = 1; row <= kParameterRows; ++row) {
        if (row >= zeileKvs)
            s.cells.push_back(xlsx::Cell::ofText(row - 1, 0, QString::fromLatin1(namen[row - zeileKvs])));
        const Variant &v = p.zeile(row);
        // Values as they are held: numbers, texts, nothing for an empty value.
        if (row > 4 && v.isNumeric())
            s.cells.push_back(xlsx::Cell::ofNumber(row - 1, 1, zahl(v)));
        else if (!v.isEmpty() && !v.isNull())
            s.cells.push_back(xlsx::Cell::ofText(row - 1, 1, v.toString()));
    }
    s.columnWidths = {{0, 8}, {1, 40}};
    s.hidden = true;
    return s;
}

xlsx::Sheet kurvenBlatt(const Parameter &p, Kurve k, bool aktiv)
{
    using xlsx::Cell;
    xlsx::Sheet s;
    s.name = blattName(k);
    // Texts follow the input sheet; "&\"\"" keeps an empty cell empty instead of showing 0.
    for (int i = 0; i < 3; ++i)
        s.cells.push_back(Cell::ofTextFormula(i, 0, QLatin1Char('=') + ref(2 + i) + QStringLiteral("&\"\""),
                                              text(p, 2 + i)));
    s.cells.push_back(Cell::ofText(3, 0, QStringLiteral("Kvs")));
    s.cells.push_back(Cell::ofFormula(3, 1, QLatin1Char('=') + ref(zeileKvs), zahl(p.zeile(zeileKvs))));
    s.cells.push_back(Cell::ofText(4, 0, QStringLiteral("Cv")));
    s.cells.push_back(Cell::ofFormula(4, 1, QLatin1Char('=') + ref(zeileCv), zahl(p.zeile(zeileCv))));

    s.cells.push_back(Cell::ofTextFormula(kTitleRow, 0, QLatin1Char('=') + ref(1) + QStringLiteral("&\" [%]\""),
                                          oeffnungTitel(p)));
    s.cells.push_back(Cell::ofText(kTitleRow, 1, blattName(k)));
    if (mitVerhaeltnis(k))
        s.cells.push_back(Cell::ofText(kTitleRow, 2, verhaeltnisTitel(k)));

    for (int i = 0; i < kPoints; ++i) {
        const int row = kFirstPointRow + i;
        const int sheetRow = row + 1;
        const double prozent = 10.0 * i;
        const double y = prozent / 100.0;
        s.cells.push_back(Cell::ofNumber(row, 0, prozent));
        switch (k) {
        case Kurve::Kv:
        case Kurve::Cv:
            s.cells.push_back(formel(row, 1,
                                     QLatin1Char('=') + ref(k == Kurve::Kv ? zeileKvs : zeileCv) +
                                         QStringLiteral("*C%1").arg(sheetRow),
                                     wert(p, k, y)));
            s.cells.push_back(formel(row, 2, QLatin1Char('=') + polynomFormel(sheetRow), verhaeltnis(p, y)));
            break;
        case Kurve::FL: s.cells.push_back(formel(row, 1, parabelFormel(zeileAFL, sheetRow), wert(p, k, y))); break;
        case Kurve::xT: s.cells.push_back(formel(row, 1, parabelFormel(zeileAxT, sheetRow), wert(p, k, y))); break;
        }
    }
    s.columnWidths = {{0, 24}, {1, 12}, {2, 12}};

    xlsx::ScatterChart chart;
    chart.firstRow = kFirstPointRow;
    chart.lastRow = kFirstPointRow + kPoints - 1;
    chart.xColumn = 0;
    chart.yColumn = 1;
    chart.titleRow = 0;
    chart.titleColumn = 0;
    chart.xTitle = oeffnungTitel(p);
    chart.yTitle = blattName(k);
    chart.xMin = 0;
    chart.xMax = 100;
    chart.anchorRow = 1;
    chart.anchorColumn = 4;
    s.charts.push_back(chart);
    s.hidden = !aktiv;
    return s;
}

QString fensterTitel(Kurve k, int Sprache)
{
    switch (k) {
    case Kurve::Kv:
    case Kurve::Cv: return getText(QStringLiteral("Anzeige Kennlinie"), Sprache);
    case Kurve::FL: return getText(QStringLiteral("Anzeige Druckrückgewinn-Faktor FL"), Sprache);
    case Kurve::xT: return getText(QStringLiteral("Anzeige krit. Druckverhältnis xT"), Sprache);
    }
    return QString();
}

// The cause in the user's language; the writer's own words only when it is none of the common ones.
void schreibfehler(const QString &path, const FileFailure &failure)
{
    const int Sprache = shared().Sprache;
    const QString message = fileFailureMessage(QStringLiteral("Die Arbeitsmappe kann nicht geschrieben werden:"), path,
                                               fileProblemText(failure, Sprache), Sprache);
    uiServices().messageBox(message, MsgButtons::OK, MsgIcon::Exclamation,
                            getText(QStringLiteral("Arbeitsmappe speichern"), Sprache));
}

} // namespace

xlsx::Workbook arbeitsmappe(const Parameter &p, Kurve k)
{
    xlsx::Workbook book;
    book.sheets.push_back(parameterBlatt(p));
    int active = 0;
    for (Kurve each : {Kurve::Kv, Kurve::Cv, Kurve::FL, Kurve::xT}) {
        if (each == k)
            active = static_cast<int>(book.sheets.size());
        book.sheets.push_back(kurvenBlatt(p, each, each == k));
    }
    book.activeSheet = active;
    return book;
}

TableCurve anzeige(const Parameter &p, Kurve k, std::function<void()> save)
{
    const int Sprache = shared().Sprache;
    TableCurve t;
    t.caption = fensterTitel(k, Sprache);
    t.heading = {text(p, 2), text(p, 3), text(p, 4), QStringLiteral("Kvs: ") + text(p, zeileKvs),
                 QStringLiteral("Cv: ") + text(p, zeileCv)};
    t.columnTitles = {oeffnungTitel(p), blattName(k)};
    if (mitVerhaeltnis(k))
        t.columnTitles << verhaeltnisTitel(k);
    for (int i = 0; i < kPoints; ++i) {
        const double y = i / 10.0;
        QStringList row = {QString::number(10 * i), vierStellen(wert(p, k, y))};
        if (mitVerhaeltnis(k))
            row << vierStellen(verhaeltnis(p, y));
        t.rows.push_back(row);
    }
    // The line is drawn through every percent, so that it shows the curve between the table's points.
    for (int prozent = 0; prozent <= 100; ++prozent)
        t.curve.emplace_back(prozent, wert(p, k, prozent / 100.0));
    t.xTitle = oeffnungTitel(p);
    t.yTitle = blattName(k);
    if (save) {
        t.actionCaption = getText(QStringLiteral("Arbeitsmappe speichern"), Sprache);
        t.action = std::move(save);
    }
    return t;
}

bool arbeitsmappeSpeichern(const xlsx::Workbook &book)
{
    const int Sprache = shared().Sprache;
    UiServices &ui = uiServices();
    FileDialogRequest request;
    request.title = getText(QStringLiteral("Arbeitsmappe speichern"), Sprache);
    request.filter = getText(QStringLiteral("Arbeitsmappe"), Sprache) + QStringLiteral(" (*.xlsx)|*.xlsx");
    request.startFolder = dataFolder();
    request.fileName = QStringLiteral("Kenndaten.xlsx");
    // The name is completed below; the question is asked about the completed name.
    request.confirmOverwrite = false;
    const std::optional<QString> chosen = ui.saveFileDialog(request);
    if (!chosen || chosen->trimmed().isEmpty())
        return false;
    QString path = *chosen;
    if (QFileInfo(path).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".xlsx");
    if (QFileInfo::exists(path)) {
        const QString question = QDir::toNativeSeparators(path) + QStringLiteral("\n\n") +
                                 getText(QStringLiteral("Die Datei ist bereits vorhanden. Sollen ihre Daten "
                                                        "überschrieben werden?"),
                                         Sprache);
        if (ui.messageBox(question, MsgButtons::YesNo, MsgIcon::Question, request.title) != MsgAnswer::Yes)
            return false;
    }
    FileFailure failure;
    if (!xlsx::write(book, path, &failure.systemText, &failure.problem)) {
        schreibfehler(path, failure);
        return false;
    }
    return true;
}

} // namespace kenndaten

void show_Kenndaten_Excel(const Variant &Art)
{
    using namespace kenndaten;
    const std::optional<Kurve> k = kurveAus(Art);
    if (!k)
        return;
    const Parameter p = parameterZellen(*k);
    const xlsx::Workbook book = arbeitsmappe(p, *k);

    // A file of its own for every call: a workbook still open in the spreadsheet program stays as it was.
    // Qt names no temporary folder when the one set for it is missing; the file must not land elsewhere then.
    QString folder = QDir::tempPath();
    if (folder.isEmpty())
        folder = QFile::decodeName(qgetenv("TMPDIR"));
    QTemporaryFile reserved(folder + QStringLiteral("/Kenndaten-") + blattName(*k) + QStringLiteral("-XXXXXX.xlsx"));
    reserved.setAutoRemove(false);
    QString path;
    FileFailure failure;
    bool written = false;
    if (!QFileInfo(folder).isDir()) {
        path = reserved.fileTemplate();
        failure = FileFailure::ofErrno(ENOENT);
    } else if (errno = 0; reserved.open()) {
        path = reserved.fileName();
        reserved.close();
        written = xlsx::write(book, path, &failure.systemText, &failure.problem);
        if (!written)
            QFile::remove(path);
    } else {
        path = reserved.fileTemplate();
        failure = FileFailure::ofErrno(errno);
    }
    // The program's own window, for a workbook that no program took; its button writes the workbook where the
    // user wants it.
    const auto eigenesFenster = [p, kurve = *k, book] {
        tableCurveDisplay().show(anzeige(p, kurve, [book] { arbeitsmappeSpeichern(book); }));
    };
    if (!written) {
        schreibfehler(path, failure);
        eigenesFenster();
        return;
    }
    // A temporary workbook that no program took, now or after the launcher gave up, is removed.
    const auto nichtGenommen = [path, eigenesFenster] {
        QFile::remove(path);
        eigenesFenster();
    };
    if (!desktopServices().openFile(path, nichtGenommen))
        nichtGenommen();
}
