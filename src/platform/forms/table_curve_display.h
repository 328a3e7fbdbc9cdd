#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// What a table-and-curve window shows: a few heading lines, a table of values and the curve drawn through them,
// and optionally one button with an action of the caller.
struct TableCurve {
    QString caption;
    QStringList heading;
    QStringList columnTitles;
    // Cell texts as shown, one list per row.
    std::vector<QStringList> rows;
    // The curve's points (x, y), drawn as one line in this order.
    std::vector<std::pair<double, double>> curve;
    QString xTitle;
    QString yTitle;
    // The button's caption; no button when empty.
    QString actionCaption;
    std::function<void()> action;
};

// A scale for one axis: ticks from lo to hi in steps of step (lo and hi whole multiples of step). All three are
// in units of 10^exponent, so that a scale for values near the largest or smallest double stays finite and
// exact; the exponent is 0 for everyday magnitudes.
struct AxisScale {
    double lo = 0.0;
    double hi = 1.0;
    double step = 0.1;
    int exponent = 0;

    // The number of steps from lo to hi; never more than kMaxAxisSteps, whatever the fields hold.
    int steps() const;
    // Where a value lies: 0 at lo, 1 at hi.
    double fraction(double value) const;
    // The label of the tick at lo + tick * step in the user's locale: with as many decimals as the step needs
    // ("0.05"), or with the exponent ("1.8E+308").
    QString label(int tick) const;
};
constexpr int kMaxAxisSteps = 20;
// Rounds the range of the values out to steps of 1, 2 or 5 times a power of ten, about five to ten steps, always
// including 0. A range without extent (or not finite) gets the scale 0 to 1, or around the one value. Values of
// a million and more, or below a thousandth, get an exponent.
AxisScale niceScale(double minValue, double maxValue);

// The scales of a curve's two axes over its finite points; the value axis leaves a little room above the
// highest point, so that a flat curve does not lie on the frame.
struct CurveScales {
    AxisScale x;
    AxisScale y;
};
CurveScales curveScales(const std::vector<std::pair<double, double>> &points);

// The name by which the table-and-curve window answers F1, as a form answers by its own name.
inline constexpr char kTableCurveWindowName[] = "TableCurve";

// Shows table-and-curve windows. There is one window: a second show replaces its content and brings it to the
// front. The desktop program installs the Qt window; tests install a recorder. Without either, a recorder
// answers headless.
class TableCurveDisplay {
public:
    virtual ~TableCurveDisplay() = default;
    virtual void show(const TableCurve &content) = 0;
};

TableCurveDisplay &tableCurveDisplay();
// Installs the display for the running process (not owned); null brings back the headless recorder.
void setTableCurveDisplay(TableCurveDisplay *display);

class TableCurveDisplayScope {
public:
    explicit TableCurveDisplayScope(TableCurveDisplay &display);
    ~TableCurveDisplayScope();
    TableCurveDisplayScope(const TableCurveDisplayScope &) = delete;
    TableCurveDisplayScope &operator=(const TableCurveDisplayScope &) = delete;

private:
    TableCurveDisplay *previous_;
};

// Keeps what it was asked to show.
class RecordingTableCurveDisplay : public TableCurveDisplay {
public:
    void show(const TableCurve &content) override { shown_.push_back(content); }
    const std::vector<TableCurve> &shown() const { return shown_; }
    void reset() { shown_.clear(); }

private:
    std::vector<TableCurve> shown_;
};
