#pragma once

#include "platform/core/file_problem.h"

#include <QString>
#include <utility>
#include <vector>

// A spreadsheet workbook as the program writes it: sheets of cells (texts, numbers, formulas with their computed
// results), column widths and smooth scatter charts over cell ranges, one active sheet, others possibly hidden.
// Rows and columns count from 0 (A1 is row 0, column 0).
namespace xlsx {

struct Cell {
    enum class Kind { Text, Number, Formula };
    int row = 0;
    int column = 0;
    Kind kind = Kind::Text;
    QString text;    // Text: the text; Formula with a text result: that result
    double number = 0.0; // Number: the value; Formula with a number result: that result
    QString formula; // Formula: "=..." in the spreadsheet's own (English) notation
    bool textResult = false;

    static Cell ofText(int row, int column, const QString &text);
    static Cell ofNumber(int row, int column, double number);
    static Cell ofFormula(int row, int column, const QString &formula, double result);
    static Cell ofTextFormula(int row, int column, const QString &formula, const QString &result);
};

// Smooth lines through the points (x, y) of rows firstRow to lastRow of the sheet that holds the chart.
struct ScatterChart {
    int firstRow = 0;
    int lastRow = 0;
    int xColumn = 0;
    int yColumn = 1;
    // The title follows a cell of the same sheet; -1: no title.
    int titleRow = -1;
    int titleColumn = -1;
    QString xTitle;
    QString yTitle;
    double xMin = 0.0;
    double xMax = 0.0; // equal to xMin: the spreadsheet chooses the scale
    // Top left corner of the chart.
    int anchorRow = 0;
    int anchorColumn = 0;
};

struct Sheet {
    QString name;
    std::vector<Cell> cells;
    // Column, width in characters.
    std::vector<std::pair<int, double>> columnWidths;
    std::vector<ScatterChart> charts;
    bool hidden = false;
};

struct Workbook {
    std::vector<Sheet> sheets;
    // The sheet that shows when the workbook opens; it is never hidden.
    int activeSheet = 0;
};

// Writes the workbook as an .xlsx file, whole or not at all: the library builds it in a folder of its own beside the
// target, the finished file is read back (every part complete) and then takes the target's place as a WholeFile;
// a failure leaves a file already there as it was and nothing else behind. False when the workbook cannot be
// written, with the system's or the library's words in *error and the cause in *problem.
bool write(const Workbook &book, const QString &path, QString *error = nullptr, FileProblem *problem = nullptr);

} // namespace xlsx
