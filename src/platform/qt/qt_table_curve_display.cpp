#include "platform/qt/qt_table_curve_display.h"

#include "platform/forms/ui_services.h"
#include "platform/qt/help_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

namespace qtui {

CurvePlot::CurvePlot(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void CurvePlot::setCurve(const std::vector<std::pair<double, double>> &points, const QString &xTitle,
                         const QString &yTitle)
{
    points_ = points;
    xTitle_ = xTitle;
    yTitle_ = yTitle;
    update();
}

void CurvePlot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());

    // The model's scales and tick labels: a bounded number of ticks for any table, however huge or tiny.
    const CurveScales scales = curveScales(points_);
    const AxisScale &xs = scales.x;
    const AxisScale &ys = scales.y;

    const int xSteps = xs.steps();
    const int ySteps = ys.steps();

    int labelWidth = 0;
    for (int i = 0; i <= ySteps; ++i)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(ys.label(i)));
    int xLabelWidth = 0;
    for (int i = 0; i <= xSteps; ++i)
        xLabelWidth = std::max(xLabelWidth, fm.horizontalAdvance(xs.label(i)));
    const int left = fm.height() + 8 + labelWidth + 6;
    // Room on the right for half the last tick's label, which is centred on the frame.
    const int right = std::max(16, fm.horizontalAdvance(xs.label(xSteps)) / 2 + 4);
    const int bottom = 2 * fm.height() + 10;
    const QRect area(left, fm.height() / 2 + 4, std::max(10, width() - left - right),
                     std::max(10, height() - bottom - fm.height() / 2 - 4));
    // Long labels (with an exponent) are written at every second tick, or fewer, so that they do not overlap.
    int labelEvery = 1;
    while (labelEvery < xSteps && (xLabelWidth + 8) * xSteps > area.width() * labelEvery)
        ++labelEvery;

    auto mapX = [&](double x) { return area.left() + xs.fraction(x) * area.width(); };
    auto mapY = [&](double y) { return area.bottom() - ys.fraction(y) * area.height(); };
    auto tickX = [&](int i) { return area.left() + static_cast<double>(i) / std::max(1, xSteps) * area.width(); };
    auto tickY = [&](int i) { return area.bottom() - static_cast<double>(i) / std::max(1, ySteps) * area.height(); };

    // Grid and tick labels.
    for (int i = 0; i <= xSteps; ++i) {
        const qreal px = tickX(i);
        p.setPen(QPen(QColor(220, 220, 220), 1));
        p.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
        if (i % labelEvery != 0)
            continue;
        p.setPen(palette().color(QPalette::WindowText));
        const QString t = xs.label(i);
        p.drawText(QPointF(px - fm.horizontalAdvance(t) / 2.0, area.bottom() + fm.ascent() + 4), t);
    }
    for (int i = 0; i <= ySteps; ++i) {
        const qreal py = tickY(i);
        p.setPen(QPen(QColor(220, 220, 220), 1));
        p.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
        p.setPen(palette().color(QPalette::WindowText));
        const QString t = ys.label(i);
        p.drawText(QPointF(area.left() - 6 - fm.horizontalAdvance(t), py + fm.ascent() / 2.0 - 1), t);
    }
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    p.drawRect(area);

    // Axis titles.
    p.drawText(QRect(area.left(), area.bottom() + fm.height() + 6, area.width(), fm.height()), Qt::AlignHCenter,
               xTitle_);
    p.save();
    p.translate(4, area.center().y());
    p.rotate(-90);
    p.drawText(QRect(-area.height() / 2, 0, area.height(), fm.height()), Qt::AlignHCenter, yTitle_);
    p.restore();

    // The curve.
    QPainterPath path;
    bool started = false;
    for (const auto &[x, y] : points_) {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            started = false;
            continue;
        }
        const QPointF pt(mapX(x), mapY(y));
        if (started)
            path.lineTo(pt);
        else
            path.moveTo(pt);
        started = true;
    }
    p.setClipRect(area.adjusted(-1, -1, 1, 1));
    p.setPen(QPen(QColor(0, 70, 160), 2));
    p.drawPath(path);
}

TableCurveWindow::TableCurveWindow()
    : heading_(new QLabel), table_(new QTableWidget), plot_(new CurvePlot), action_(new QPushButton)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty(kHelpWindowProperty, QString::fromLatin1(kTableCurveWindowName));
    auto *layout = new QVBoxLayout(this);
    heading_->setTextFormat(Qt::PlainText);
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(heading_);
    auto *middle = new QHBoxLayout;
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table_->verticalHeader()->setVisible(false);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    middle->addWidget(table_, 0);
    middle->addWidget(plot_, 1);
    layout->addLayout(middle, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(action_);
    layout->addLayout(buttons);
    connect(action_, &QPushButton::clicked, this, [this] {
        if (!onAction_)
            return;
        // A copy: the action may show new content in this very window.
        const std::function<void()> action = onAction_;
        try {
            action();
        } catch (const std::exception &e) {
            QMessageBox::critical(this, QApplication::applicationName(), uncaughtFailureText(e));
        }
    });
}

void TableCurveWindow::setContent(const TableCurve &content)
{
    setWindowTitle(content.caption);
    heading_->setText(content.heading.join(QLatin1Char('\n')));
    table_->clear();
    table_->setColumnCount(static_cast<int>(content.columnTitles.size()));
    table_->setHorizontalHeaderLabels(content.columnTitles);
    table_->setRowCount(static_cast<int>(content.rows.size()));
    for (int r = 0; r < static_cast<int>(content.rows.size()); ++r) {
        const QStringList &row = content.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < row.size() && c < table_->columnCount(); ++c) {
            auto *item = new QTableWidgetItem(row[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    int width = 2 * table_->frameWidth();
    for (int c = 0; c < table_->columnCount(); ++c)
        width += table_->columnWidth(c);
    int height = 2 * table_->frameWidth() + table_->horizontalHeader()->height();
    for (int r = 0; r < table_->rowCount(); ++r)
        height += table_->rowHeight(r);
    table_->setFixedWidth(width);
    table_->setMinimumHeight(std::min(height, 480));
    plot_->setCurve(content.curve, content.xTitle, content.yTitle);
    action_->setText(content.actionCaption);
    action_->setVisible(!content.actionCaption.isEmpty());
    onAction_ = content.action;
}

QImage renderTableCurve(const TableCurve &content)
{
    TableCurveWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.setContent(content);
    window.show();
    window.resize(window.sizeHint());
    QApplication::processEvents();
    return window.grab().toImage();
}

} // namespace qtui

QtTableCurveDisplay::~QtTableCurveDisplay()
{
    delete window_.data();
}

void QtTableCurveDisplay::show(const TableCurve &content)
{
    if (!window_)
        window_ = new qtui::TableCurveWindow;
    window_->setContent(content);
    window_->show();
    window_->raise();
    window_->activateWindow();
}
