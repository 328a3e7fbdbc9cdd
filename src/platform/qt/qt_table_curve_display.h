#pragma once

#include "platform/forms/table_curve_display.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace qtui {

// The curve of a table-and-curve window: axes scaled to the points, grid, tick labels and axis titles, the line
// through the points.
class CurvePlot : public QWidget {
public:
    explicit CurvePlot(QWidget *parent = nullptr);
    void setCurve(const std::vector<std::pair<double, double>> &points, const QString &xTitle,
                  const QString &yTitle);
    QSize sizeHint() const override { return {420, 300}; }
    QSize minimumSizeHint() const override { return {240, 180}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<std::pair<double, double>> points_;
    QString xTitle_;
    QString yTitle_;
};

// The modeless window: heading lines, the table beside the curve, and the caller's button below.
class TableCurveWindow : public QWidget {
public:
    TableCurveWindow();
    void setContent(const TableCurve &content);

private:
    QLabel *heading_;
    QTableWidget *table_;
    CurvePlot *plot_;
    QPushButton *action_;
    std::function<void()> onAction_;
};

} // namespace qtui

// The desktop's table-and-curve window: one window, created at the first show, reused while it is open.
class QtTableCurveDisplay : public TableCurveDisplay {
public:
    ~QtTableCurveDisplay() override;
    void show(const TableCurve &content) override;
    // The open window, or null.
    QWidget *window() const { return window_; }

private:
    QPointer<qtui::TableCurveWindow> window_;
};

namespace qtui {
// The window with that content as it would look, drawn offscreen (tests and screenshots).
QImage renderTableCurve(const TableCurve &content);
} // namespace qtui
