#include "pictures.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

// Everything here is drawn with shapes only: painting text would need a font database and so a running
// QGuiApplication, which the generator does not have to create for these pictures.

namespace {

const QColor kOutline(40, 48, 58);
const QColor kBody(138, 150, 163);
const QColor kBodyLight(196, 204, 212);
const QColor kPipe(214, 219, 224);
const QColor kActuator(61, 111, 182);
const QColor kActuatorLight(128, 168, 222);
const QColor kAccent(226, 120, 24);

enum class Actuator { Pneumatic, Rotary, Motor, Handwheel, Cylinder, Regulator, None };
enum class Positioner { None, Analog, Digital };
enum class Body { Globe, Angle, Oblique, ThreeWay, BallSector, Diaphragm, Pinch, SlidingGate, Micro, Sterile, Generic };

struct ValveLook {
    Body body;
    Actuator actuator;
    Positioner positioner = Positioner::None;
};

ValveLook lookOf(const QString &key)
{
    if (key == "2381") return {Body::BallSector, Actuator::Rotary};
    if (key == "2613") return {Body::Sterile, Actuator::Pneumatic};
    if (key == "3152") return {Body::Oblique, Actuator::Handwheel};
    if (key == "3264") return {Body::Oblique, Actuator::Pneumatic};
    if (key == "3378") return {Body::Globe, Actuator::Handwheel};
    if (key == "3391") return {Body::Globe, Actuator::Handwheel};
    if (key == "3425") return {Body::Micro, Actuator::Pneumatic};
    if (key == "3547") return {Body::Angle, Actuator::Handwheel};
    if (key == "3548") return {Body::Angle, Actuator::Pneumatic};
    if (key == "3652") return {Body::Diaphragm, Actuator::Handwheel};
    if (key == "3653") return {Body::Diaphragm, Actuator::Pneumatic};
    if (key == "3761") return {Body::Pinch, Actuator::Handwheel};
    if (key == "3786") return {Body::Pinch, Actuator::Pneumatic};
    if (key == "3834") return {Body::ThreeWay, Actuator::Cylinder};
    if (key == "3926") return {Body::ThreeWay, Actuator::Pneumatic};
    if (key == "4612" || key == "4648") return {Body::SlidingGate, Actuator::Regulator};
    if (key == "4625") return {Body::SlidingGate, Actuator::Pneumatic};
    if (key == "4627_71" || key == "4651_71") return {Body::SlidingGate, Actuator::Pneumatic, Positioner::Analog};
    if (key == "4627_72" || key == "4651_72") return {Body::SlidingGate, Actuator::Pneumatic, Positioner::Digital};
    if (key == "4638") return {Body::SlidingGate, Actuator::Motor};
    if (key == "4644") return {Body::SlidingGate, Actuator::Cylinder};
    if (key == "4656") return {Body::SlidingGate, Actuator::Handwheel};
    return {Body::Generic, Actuator::None};
}

QPen outlinePen(qreal width = 1.2)
{
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush metal(const QRectF &r, const QColor &c)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, c.lighter(135));
    g.setColorAt(0.5, c);
    g.setColorAt(1.0, c.darker(125));
    return QBrush(g);
}

void pipe(QPainter &p, const QRectF &r)
{
    p.setPen(outlinePen(1.0));
    p.setBrush(metal(r, kPipe));
    p.drawRect(r);
}

void flange(QPainter &p, const QRectF &r)
{
    p.setPen(outlinePen(1.0));
    p.setBrush(metal(r, kBody));
    p.drawRect(r);
}

// Horizontal pipe run through the body with a flange pair at each side; y is the pipe axis.
void horizontalLine(QPainter &p, qreal y, qreal half, qreal x0, qreal x1, qreal gapL, qreal gapR)
{
    pipe(p, QRectF(x0, y - half, gapL - x0, 2 * half));
    pipe(p, QRectF(gapR, y - half, x1 - gapR, 2 * half));
    flange(p, QRectF(gapL - 4, y - half - 4, 4, 2 * half + 8));
    flange(p, QRectF(gapR, y - half - 4, 4, 2 * half + 8));
}

void verticalInlet(QPainter &p, qreal x, qreal half, qreal yTop, qreal y1)
{
    pipe(p, QRectF(x - half, yTop, 2 * half, y1 - yTop));
    flange(p, QRectF(x - half - 4, yTop - 4, 2 * half + 8, 4));
}

// The classic valve symbol: two triangles meeting at the seat.
void bowTie(QPainter &p, QPointF c, qreal w, qreal h, const QColor &fill)
{
    QPolygonF left{QPointF(c.x() - w / 2, c.y() - h / 2), QPointF(c.x(), c.y()), QPointF(c.x() - w / 2, c.y() + h / 2)};
    QPolygonF right{QPointF(c.x() + w / 2, c.y() - h / 2), QPointF(c.x(), c.y()), QPointF(c.x() + w / 2, c.y() + h / 2)};
    p.setPen(outlinePen());
    p.setBrush(metal(QRectF(c.x() - w / 2, c.y() - h / 2, w, h), fill));
    p.drawPolygon(left);
    p.drawPolygon(right);
}

void stem(QPainter &p, QPointF from, QPointF to)
{
    p.setPen(QPen(kOutline, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to);
}

// Diaphragm actuator: a dome on a flat case, spring housing hidden inside; bottom centre at base.
void pneumaticActuator(QPainter &p, QPointF base, qreal w, qreal h)
{
    QRectF yoke(base.x() - w * 0.18, base.y() - h * 0.45, w * 0.36, h * 0.45);
    p.setPen(outlinePen(1.0));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(yoke.left(), yoke.bottom()), QPointF(yoke.left(), yoke.top()));
    p.drawLine(QPointF(yoke.right(), yoke.bottom()), QPointF(yoke.right(), yoke.top()));
    QRectF caseRect(base.x() - w / 2, base.y() - h, w, h * 0.55);
    QPainterPath dome;
    dome.moveTo(caseRect.bottomLeft());
    dome.lineTo(caseRect.left(), caseRect.center().y());
    dome.cubicTo(QPointF(caseRect.left(), caseRect.top()), QPointF(caseRect.right(), caseRect.top()),
                 QPointF(caseRect.right(), caseRect.center().y()));
    dome.lineTo(caseRect.bottomRight());
    dome.closeSubpath();
    p.setPen(outlinePen());
    p.setBrush(metal(caseRect, kActuator));
    p.drawPath(dome);
    p.setPen(QPen(kActuatorLight.darker(110), 1.0));
    p.drawLine(QPointF(caseRect.left() + 1, caseRect.center().y() + 1),
               QPointF(caseRect.right() - 1, caseRect.center().y() + 1));
}

void handwheel(QPainter &p, QPointF base, qreal w, qreal h)
{
    QRectF bonnet(base.x() - w * 0.14, base.y() - h * 0.55, w * 0.28, h * 0.55);
    p.setPen(outlinePen());
    p.setBrush(metal(bonnet, kBody));
    p.drawRect(bonnet);
    stem(p, QPointF(base.x(), bonnet.top()), QPointF(base.x(), base.y() - h * 0.8));
    QRectF wheel(base.x() - w / 2, base.y() - h, w, h * 0.28);
    p.setPen(QPen(kOutline, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(wheel);
    p.setPen(QPen(kAccent, 1.2));
    p.drawEllipse(wheel.adjusted(1.5, 1.5, -1.5, -1.5));
}

void cylinderActuator(QPainter &p, QPointF base, qreal w, qreal h)
{
    stem(p, base, QPointF(base.x(), base.y() - h * 0.4));
    QRectF cyl(base.x() - w / 2, base.y() - h, w, h * 0.62);
    p.setPen(outlinePen());
    p.setBrush(metal(cyl, kActuator));
    p.drawRoundedRect(cyl, 2, 2);
    p.setPen(QPen(kActuatorLight, 1.0));
    p.drawLine(QPointF(cyl.left() + 2, cyl.top() + 3), QPointF(cyl.right() - 2, cyl.top() + 3));
    p.drawLine(QPointF(cyl.left() + 2, cyl.bottom() - 3), QPointF(cyl.right() - 2, cyl.bottom() - 3));
}

void motorActuator(QPainter &p, QPointF base, qreal w, qreal h)
{
    stem(p, base, QPointF(base.x(), base.y() - h * 0.35));
    QRectF box(base.x() - w / 2, base.y() - h, w, h * 0.65);
    p.setPen(outlinePen());
    p.setBrush(metal(box, kActuator));
    p.drawRect(box);
    // the motor itself, seen end-on, with cooling ribs
    QRectF motor(box.center().x() - h * 0.2, box.center().y() - h * 0.2, h * 0.4, h * 0.4);
    p.setBrush(metal(motor, kBodyLight));
    p.drawEllipse(motor);
    p.setPen(QPen(kOutline, 0.8));
    for (int i = 0; i < 6; ++i) {
        const qreal a = i * std::numbers::pi / 3;
        p.drawLine(motor.center(), motor.center() + QPointF(std::cos(a), std::sin(a)) * motor.width() * 0.45);
    }
}

void rotaryActuator(QPainter &p, QPointF base, qreal w, qreal h)
{
    stem(p, base, QPointF(base.x(), base.y() - h * 0.4));
    QRectF box(base.x() - w / 2, base.y() - h, w, h * 0.6);
    p.setPen(outlinePen());
    p.setBrush(metal(box, kActuator));
    p.drawRoundedRect(box, 3, 3);
    // the lever of the quarter turn
    p.setPen(QPen(kAccent, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(box.center(), box.center() + QPointF(w * 0.28, -h * 0.16));
    p.setBrush(kBodyLight);
    p.setPen(outlinePen(0.8));
    p.drawEllipse(box.center(), 2.2, 2.2);
}

// Self-acting regulator: spring housing above, control diaphragm case below the body, impulse line downstream.
void regulator(QPainter &p, QPointF body, qreal w, qreal h, qreal pipeY, qreal pipeEnd)
{
    QRectF spring(body.x() - w * 0.16, body.y() - h * 0.8, w * 0.32, h * 0.8);
    p.setPen(outlinePen());
    p.setBrush(metal(spring, kBodyLight));
    p.drawRect(spring);
    p.setPen(QPen(kOutline, 1.0));
    QPolygonF zig;
    const int turns = 7;
    for (int i = 0; i <= turns; ++i)
        zig << QPointF(spring.center().x() + ((i % 2) ? 1 : -1) * spring.width() * 0.3,
                       spring.top() + 2 + i * (spring.height() - 4) / turns);
    p.drawPolyline(zig);
    QRectF caseRect(body.x() - w / 2, body.y() + h * 0.55, w, h * 0.35);
    stem(p, QPointF(body.x(), body.y()), QPointF(body.x(), caseRect.top()));
    p.setPen(outlinePen());
    p.setBrush(metal(caseRect, kActuator));
    p.drawEllipse(caseRect);
    p.setPen(QPen(kAccent, 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    const qreal xTap = pipeEnd - 6;
    QPainterPath line;
    line.moveTo(caseRect.right(), caseRect.center().y());
    line.lineTo(xTap, caseRect.center().y());
    line.lineTo(xTap, pipeY);
    p.drawPath(line);
}

void positioner(QPainter &p, QPointF at, qreal s, Positioner kind)
{
    if (kind == Positioner::None)
        return;
    QRectF box(at.x(), at.y(), s, s * 1.2);
    p.setPen(outlinePen(1.0));
    p.setBrush(metal(box, kBodyLight));
    p.drawRect(box);
    if (kind == Positioner::Analog) {
        QRectF gauge = box.adjusted(s * 0.18, s * 0.25, -s * 0.18, -s * 0.35);
        p.setBrush(Qt::white);
        p.drawEllipse(gauge);
        p.setPen(QPen(kAccent, 1.0));
        p.drawLine(gauge.center(), gauge.center() + QPointF(gauge.width() * 0.3, -gauge.height() * 0.25));
    } else {
        QRectF display = box.adjusted(s * 0.15, s * 0.25, -s * 0.15, -s * 0.6);
        p.setBrush(QColor(40, 170, 90));
        p.drawRect(display);
        p.setBrush(kOutline);
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(box.left() + s * (0.28 + 0.22 * i), box.bottom() - s * 0.3), 1.0, 1.0);
    }
}

void drawActuator(QPainter &p, const ValveLook &look, QPointF top, qreal w, qreal h, qreal pipeY, qreal pipeEnd)
{
    switch (look.actuator) {
    case Actuator::Pneumatic:
        stem(p, top, QPointF(top.x(), top.y() - h * 0.45));
        pneumaticActuator(p, top, w, h);
        positioner(p, QPointF(top.x() + w * 0.2, top.y() - h * 0.42), w * 0.26, look.positioner);
        break;
    case Actuator::Handwheel: handwheel(p, top, w * 0.8, h); break;
    case Actuator::Cylinder: cylinderActuator(p, top, w * 0.55, h); break;
    case Actuator::Motor: motorActuator(p, top, w * 0.8, h); break;
    case Actuator::Rotary: rotaryActuator(p, top, w * 0.7, h); break;
    case Actuator::Regulator: regulator(p, QPointF(top.x(), top.y() + h * 0.05), w * 0.8, h, pipeY, pipeEnd); break;
    case Actuator::None: {
        // The user's own valve: the actuator is left open as an outline.
        QRectF r(top.x() - w / 2, top.y() - h, w, h * 0.6);
        stem(p, top, QPointF(top.x(), r.bottom()));
        p.setPen(QPen(kActuator, 1.4, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 4, 4);
        break;
    }
    }
}

// Draws one valve into the rectangle 0..89 x 0..113 (scaled by the caller for larger pictures).
void drawValve(QPainter &p, const ValveLook &look)
{
    const qreal W = 89, H = 113;
    const qreal cx = W / 2;
    qreal cy = 80;
    const qreal half = 6; // pipe radius
    const qreal actW = 44, actH = 40;
    qreal actTop = cy - 14;

    switch (look.body) {
    case Body::Angle: {
        cy = 74;
        pipe(p, QRectF(cx, cy - half, W - 2 - cx, 2 * half));
        flange(p, QRectF(cx + 16, cy - half - 4, 4, 2 * half + 8));
        verticalInlet(p, cx, half, cy + 16, H - 2);
        QRectF bodyR(cx - 13, cy - 13, 26, 26);
        p.setPen(outlinePen());
        p.setBrush(metal(bodyR, kBody));
        p.drawRoundedRect(bodyR, 6, 6);
        QPolygonF in{QPointF(cx - 9, cy + 12), QPointF(cx + 9, cy + 12), QPointF(cx, cy)};
        QPolygonF out{QPointF(cx + 12, cy - 9), QPointF(cx + 12, cy + 9), QPointF(cx, cy)};
        p.setBrush(kBodyLight);
        p.drawPolygon(in);
        p.drawPolygon(out);
        actTop = cy - 13;
        break;
    }
    case Body::Sterile: {
        cy = 76;
        pipe(p, QRectF(2, cy - half, cx - 2, 2 * half));
        verticalInlet(p, cx, half, cy + 12, H - 2);
        // hygienic clamps instead of flanges
        p.setPen(outlinePen(1.0));
        p.setBrush(kBodyLight);
        p.drawRoundedRect(QRectF(cx - 24, cy - half - 3, 5, 2 * half + 6), 2, 2);
        p.drawRoundedRect(QRectF(cx - half - 3, cy + 22, 2 * half + 6, 5), 2, 2);
        QRectF bodyR(cx - 12, cy - 12, 24, 26);
        p.setPen(outlinePen());
        p.setBrush(metal(bodyR, kBodyLight));
        p.drawEllipse(bodyR);
        p.setBrush(kBody);
        p.drawEllipse(QRectF(cx - 4, cy - 2, 8, 8));
        actTop = cy - 12;
        break;
    }
    case Body::Oblique: {
        cy = 84;
        horizontalLine(p, cy, half, 2, W - 2, cx - 16, cx + 16);
        QRectF bodyR(cx - 14, cy - 11, 28, 22);
        p.setPen(outlinePen());
        p.setBrush(metal(bodyR, kBody));
        p.drawRoundedRect(bodyR, 7, 7);
        bowTie(p, QPointF(cx, cy), 22, 14, kBodyLight);
        // the bonnet stands at 45 degrees
        p.save();
        p.translate(cx, cy - 6);
        p.rotate(40);
        QRectF bonnet(-5, -22, 10, 18);
        p.setPen(outlinePen());
        p.setBrush(metal(bonnet, kBody));
        p.drawRect(bonnet);
        drawActuator(p, look, QPointF(0, -22), actW * 0.8, actH * 0.85, 0, 0);
        p.restore();
        return;
    }
    case Body::ThreeWay: {
        cy = 70;
        horizontalLine(p, cy, half, 2, W - 2, cx - 16, cx + 16);
        verticalInlet(p, cx, half, cy + 16, H - 2);
        QRectF bodyR(cx - 14, cy - 12, 28, 26);
        p.setPen(outlinePen());
        p.setBrush(metal(bodyR, kBody));
        p.drawRoundedRect(bodyR, 6, 6);
        bowTie(p, QPointF(cx, cy), 24, 16, kBodyLight);
        QPolygonF down{QPointF(cx - 8, cy + 12), QPointF(cx + 8, cy + 12), QPointF(cx, cy)};
        p.setBrush(kBodyLight);
        p.drawPolygon(down);
        actTop = cy - 12;
        break;
    }
    case Body::BallSector: {
        cy = 82;
        horizontalLine(p, cy, half + 1, 2, W - 2, cx - 17, cx + 17);
        QRectF bodyR(cx - 17, cy - 13, 34, 26);
        p.setPen(outlinePen());
        p.setBrush(metal(bodyR, kBody));
        p.drawRect(bodyR);
        // the ball sector turning on its shaft, with its V-notch edge
        QRectF ball(cx - 10, cy - 10, 20, 20);
        QRadialGradient g(ball.center() - QPointF(3, 3), 12);
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, kBody);
        p.setBrush(g);
        p.drawChord(ball, 60 * 16, 240 * 16);
        p.setPen(QPen(kAccent, 1.2));
        p.drawLine(QPointF(cx + 5, cy - 8.7), QPointF(cx - 5, cy + 8.7));
        actTop = cy - 13;
        break;
    }
    case Body::Diaphragm: {
        cy = 84;
        horizontalLine(p, cy, half, 2, W - 2, cx - 16, cx + 16);
        QRectF bodyR(cx - 16, cy - 8, 32, 18);
        p.setPen(outlinePen());
        p.setBrush(metal(bodyR, kBody));
        p.drawRoundedRect(bodyR, 3, 3);
        // the weir and the diaphragm over it
        QPainterPath weir;
        weir.moveTo(cx - 8, cy + 8);
        weir.quadTo(cx, cy - 4, cx + 8, cy + 8);
        p.setBrush(kBodyLight);
        p.drawPath(weir);
        QRectF bonnet(cx - 14, cy - 17, 28, 10);
        p.setBrush(metal(bonnet, kBodyLight));
        p.drawRoundedRect(bonnet, 4, 4);
        p.setPen(QPen(Qt::black, 1.6));
        p.drawArc(QRectF(cx - 12, cy - 12, 24, 10), 0, 180 * 16);
        actTop = cy - 17;
        break;
    }
    case Body::Pinch: {
        cy = 84;
        QRectF housing(cx - 18, cy - 14, 36, 28);
        pipe(p, QRectF(2, cy - half - 1, W - 4, 2 * half + 2));
        flange(p, QRectF(housing.left() - 4, cy - half - 5, 4, 2 * half + 10));
        flange(p, QRectF(housing.right(), cy - half - 5, 4, 2 * half + 10));
        p.setPen(outlinePen());
        p.setBrush(metal(housing, kBody));
        p.drawRect(housing);
        // the sleeve squeezed between two bars
        QPainterPath sleeve;
        sleeve.moveTo(housing.left(), cy - half);
        sleeve.quadTo(cx, cy - 1, housing.right(), cy - half);
        sleeve.lineTo(housing.right(), cy + half);
        sleeve.quadTo(cx, cy + 1, housing.left(), cy + half);
        sleeve.closeSubpath();
        p.setBrush(QColor(60, 60, 60));
        p.drawPath(sleeve);
        p.setBrush(kAccent);
        p.drawRect(QRectF(cx - 3, cy - 13, 6, 8));
        p.drawRect(QRectF(cx - 3, cy + 5, 6, 8));
        actTop = cy - 14;
        break;
    }
    case Body::SlidingGate: {
        cy = 80;
        horizontalLine(p, cy, half + 1, 2, W - 2, cx - 9, cx + 9);
        QRectF wafer(cx - 9, cy - 15, 18, 30);
        p.setPen(outlinePen());
        p.setBrush(metal(wafer, kBody));
        p.drawRect(wafer);
        // the fixed and the moving slotted plate
        p.setBrush(kBodyLight);
        QRectF plates(cx - 3, cy - 12, 6, 24);
        p.drawRect(plates);
        p.setPen(QPen(kOutline, 1.0));
        for (int i = 0; i < 5; ++i) {
            const qreal y = plates.top() + 3 + i * 4.5;
            p.drawLine(QPointF(plates.left(), y), QPointF(plates.right(), y));
        }
        actTop = cy - 15;
        break;
    }
    case Body::Micro: {
        cy = 86;
        horizontalLine(p, cy, 3, 8, W - 8, cx - 10, cx + 10);
        QRectF bodyR(cx - 10, cy - 8, 20, 16);
        p.setPen(outlinePen());
        p.setBrush(metal(bodyR, kBody));
        p.drawRect(bodyR);
        bowTie(p, QPointF(cx, cy), 14, 9, kBodyLight);
        // a long bonnet keeps the tiny trim apart from the actuator
        QRectF bonnet(cx - 3, cy - 24, 6, 16);
        p.setBrush(metal(bonnet, kBodyLight));
        p.drawRect(bonnet);
        actTop = cy - 24;
        break;
    }
    case Body::Globe:
    case Body::Generic: {
        cy = 82;
        horizontalLine(p, cy, half, 2, W - 2, cx - 16, cx + 16);
        QRectF bodyR(cx - 16, cy - 14, 32, 28);
        p.setPen(outlinePen());
        p.setBrush(metal(bodyR, kBody));
        p.drawEllipse(bodyR);
        bowTie(p, QPointF(cx, cy), 24, 16, kBodyLight);
        actTop = cy - 14;
        break;
    }
    }
    drawActuator(p, look, QPointF(cx, actTop), actW, actH, cy, W - 2);
}

bool save(const QImage &img, const QString &path, QString *error)
{
    // Write beside the target first so that a failed write leaves no half picture.
    const QString tmp = path + ".part";
    if (!img.save(tmp, "JPG", 95)) {
        QFile::remove(tmp);
        if (error)
            *error = QStringLiteral("Cannot write the picture %1").arg(QDir::toNativeSeparators(path));
        return false;
    }
    QFile::remove(path);
    if (!QFile::rename(tmp, path)) {
        QFile::remove(tmp);
        if (error)
            *error = QStringLiteral("Cannot write the picture %1").arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

QImage canvas(int w, int h, const QColor &fill = Qt::white)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

QImage valvePicture(const QString &key)
{
    QImage img = canvas(valvePictureSize().width(), valvePictureSize().height());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawValve(p, lookOf(key));
    return img;
}

// Start screen: 9555 x 7605 twips. Its left upper corner carries the title, its right side the language column,
// so the drawing keeps to the lower left and the middle.
QImage startPicture(bool partner)
{
    const QSize size = startPictureSize();
    QImage img = canvas(size.width(), size.height());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    if (partner) {
        sky.setColorAt(0, QColor(255, 247, 236));
        sky.setColorAt(1, QColor(250, 222, 190));
    } else {
        sky.setColorAt(0, QColor(246, 249, 253));
        sky.setColorAt(1, QColor(200, 216, 236));
    }
    p.fillRect(img.rect(), sky);

    // The pipeline runs across the whole picture; the valve sits in it.
    const qreal axis = partner ? 400 : 420;
    const qreal scale = 3.4;
    const qreal x0 = partner ? 40 : 110;
    QRadialGradient shadow(QPointF(x0 + 44.5 * scale, axis + 40), 200);
    shadow.setColorAt(0, QColor(0, 0, 0, 40));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(x0 + 44.5 * scale, axis + 40), 200, 26);
    const qreal half = (partner ? 6 : 7) * scale;
    const QRectF line(0, axis - half, size.width(), 2 * half);
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(metal(line, kPipe));
    p.drawRect(line.adjusted(-2, 0, 2, 0));
    // The valve itself, scaled up from the series picture.
    p.save();
    p.translate(x0, axis - (partner ? 84 : 80) * scale);
    p.scale(scale, scale);
    drawValve(p, partner ? ValveLook{Body::Oblique, Actuator::Pneumatic}
                         : ValveLook{Body::SlidingGate, Actuator::Pneumatic, Positioner::Digital});
    p.restore();
    // A rule under the title of the normal variant (the partner variant hides that title).
    if (!partner) {
        p.setPen(QPen(QColor(200, 30, 30), 3));
        p.drawLine(QPointF(16, 134), QPointF(360, 134));
    }
    return img;
}

void stripes(QPainter &p, const QRect &r, const std::initializer_list<std::pair<QColor, qreal>> &bands, bool vertical)
{
    qreal pos = 0;
    for (const auto &[colour, share] : bands) {
        if (vertical)
            p.fillRect(QRectF(r.left() + pos * r.width(), r.top(), share * r.width(), r.height()), colour);
        else
            p.fillRect(QRectF(r.left(), r.top() + pos * r.height(), r.width(), share * r.height()), colour);
        pos += share;
    }
}

QImage flagPicture(int language)
{
    const QSize size = flagPictureSize(language);
    QImage img = canvas(size.width(), size.height());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect r = img.rect();
    switch (language) {
    case 0: // Germany: black, red, gold
        stripes(p, r, {{QColor(0, 0, 0), 1.0 / 3}, {QColor(221, 0, 0), 1.0 / 3}, {QColor(255, 206, 0), 1.0 / 3}}, false);
        break;
    case 1: { // United Kingdom, drawn on the 60 x 30 grid of the flag
        p.fillRect(r, QColor(1, 33, 105));
        p.save();
        p.scale(r.width() / 60.0, r.height() / 30.0);
        p.setPen(QPen(Qt::white, 6));
        p.drawLine(QPointF(0, 0), QPointF(60, 30));
        p.drawLine(QPointF(0, 30), QPointF(60, 0));
        // red saltire, counterchanged: offset anticlockwise in each quarter
        p.setClipRect(QRectF(0, 0, 60, 30));
        p.setPen(QPen(QColor(200, 16, 46), 2));
        p.drawLine(QPointF(0, 1), QPointF(30, 16));
        p.drawLine(QPointF(30, 14), QPointF(60, -1));
        p.drawLine(QPointF(60, 29), QPointF(30, 14));
        p.drawLine(QPointF(30, 16), QPointF(0, 31));
        p.setPen(Qt::NoPen);
        p.fillRect(QRectF(25, 0, 10, 30), Qt::white);
        p.fillRect(QRectF(0, 10, 60, 10), Qt::white);
        p.fillRect(QRectF(27, 0, 6, 30), QColor(200, 16, 46));
        p.fillRect(QRectF(0, 12, 60, 6), QColor(200, 16, 46));
        p.restore();
        break;
    }
    case 2: // France
        stripes(p, r, {{QColor(0, 85, 164), 1.0 / 3}, {Qt::white, 1.0 / 3}, {QColor(239, 65, 53), 1.0 / 3}}, true);
        break;
    case 3: // Italy
        stripes(p, r, {{QColor(0, 146, 70), 1.0 / 3}, {Qt::white, 1.0 / 3}, {QColor(206, 43, 55), 1.0 / 3}}, true);
        break;
    case 4: // Spain (the civil flag, without the arms, which would not read at this size)
        stripes(p, r, {{QColor(170, 21, 27), 0.25}, {QColor(241, 191, 0), 0.5}, {QColor(170, 21, 27), 0.25}}, false);
        break;
    case 5: { // Czech Republic: white over red, blue wedge to the middle
        stripes(p, r, {{Qt::white, 0.5}, {QColor(215, 20, 26), 0.5}}, false);
        QPolygonF wedge{QPointF(0, 0), QPointF(r.width() / 2.0, r.height() / 2.0), QPointF(0, r.height())};
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(17, 69, 126));
        p.drawPolygon(wedge);
        break;
    }
    default:
        break;
    }
    return img;
}

// A valve mark: the bow tie of the valve symbol with its stem and actuator dome inside a frame. The maker's is
// round and blue, the partner's square and orange.
QImage markPicture(const QColor &primary, const QColor &accent, bool round)
{
    const QSize size = logoPictureSize();
    QImage img = canvas(size.width(), size.height());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF frame(5, 5, w - 10, h - 10);
    p.setPen(QPen(primary, 6));
    p.setBrush(Qt::NoBrush);
    if (round)
        p.drawEllipse(frame);
    else
        p.drawRoundedRect(frame, 10, 10);

    const QPointF centre(w / 2, h * 0.60);
    const qreal halfW = w * 0.26;
    const qreal halfH = h * 0.15;
    p.setPen(QPen(primary.darker(130), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(primary);
    p.drawPolygon(QPolygonF{centre, QPointF(centre.x() - halfW, centre.y() - halfH),
                            QPointF(centre.x() - halfW, centre.y() + halfH)});
    p.drawPolygon(QPolygonF{centre, QPointF(centre.x() + halfW, centre.y() - halfH),
                            QPointF(centre.x() + halfW, centre.y() + halfH)});
    const QPointF domeBase(centre.x(), h * 0.34);
    p.setPen(QPen(primary.darker(130), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, domeBase);
    QPainterPath dome;
    dome.moveTo(domeBase.x() - w * 0.17, domeBase.y());
    dome.arcTo(QRectF(domeBase.x() - w * 0.17, domeBase.y() - h * 0.15, w * 0.34, h * 0.30), 180, -180);
    dome.closeSubpath();
    p.setPen(QPen(accent.darker(130), 1.5));
    p.setBrush(accent);
    p.drawPath(dome);
    return img;
}

QImage logoPicture()
{
    return markPicture(kActuator, kAccent, true);
}

QImage partnerLogoPicture()
{
    return markPicture(QColor(255, 128, 0), QColor(90, 90, 90), false);
}

// The steam heat exchanger of the heat-exchanger dialog: saturated steam comes in at the upper left through the
// control valve, condenses in a coil inside a vessel of liquid and leaves at the lower right through a steam trap
// as condensate. The dialog puts its captions "Sattdampf" under the steam line and "Kondensat" under the
// condensate line, so both strips are kept free.
QImage heatExchangerPicture()
{
    const QSize size = heatExchangerPictureSize();
    QImage img = canvas(size.width(), size.height());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a grid of 288 x 192.
    p.scale(size.width() / 288.0, size.height() / 192.0);
    const qreal right = 288;
    const QColor steam(196, 62, 44);
    const QColor condensate(44, 98, 184);
    const QColor liquid(196, 222, 244);

    // The vessel with the liquid and its surface.
    const QRectF vessel(112, 44, 118, 126);
    p.setPen(outlinePen(1.6));
    p.setBrush(metal(vessel, kBodyLight));
    p.drawRoundedRect(vessel, 10, 10);
    QPainterPath surface;
    surface.moveTo(vessel.left() + 3, 70);
    for (int i = 0; i < 6; ++i)
        surface.quadTo(vessel.left() + 3 + 19 * i + 9.5, i % 2 ? 73 : 67, vessel.left() + 3 + 19 * (i + 1), 70);
    surface.lineTo(vessel.right() - 3, vessel.bottom() - 8);
    surface.quadTo(vessel.right() - 3, vessel.bottom() - 3, vessel.right() - 8, vessel.bottom() - 3);
    surface.lineTo(vessel.left() + 8, vessel.bottom() - 3);
    surface.quadTo(vessel.left() + 3, vessel.bottom() - 3, vessel.left() + 3, vessel.bottom() - 8);
    surface.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(liquid);
    p.drawPath(surface);

    // Steam line from the left edge through the valve, down into the vessel.
    const qreal steamY = 26;
    const qreal inletX = 132;
    p.setPen(QPen(steam, 5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath steamLine;
    steamLine.moveTo(0, steamY);
    steamLine.lineTo(inletX, steamY);
    steamLine.lineTo(inletX, 84);
    p.drawPath(steamLine);
    // The coil: passes across the liquid, from the inlet down to the outlet at the right wall.
    QPainterPath coil;
    coil.moveTo(inletX, 84);
    const qreal passes[] = {84, 102, 120, 138, 156};
    for (int i = 0; i < 5; ++i) {
        const qreal y = passes[i];
        const bool right = i % 2 == 0;
        coil.lineTo(right ? 206 : 136, y);
        if (i < 4)
            coil.arcTo(QRectF(right ? 197 : 127, y, 18, 18), right ? 90 : 90, right ? -180 : 180);
    }
    coil.lineTo(250, 156);
    QLinearGradient cooling(QPointF(inletX, 84), QPointF(250, 156));
    cooling.setColorAt(0, steam);
    cooling.setColorAt(1, condensate);
    p.setPen(QPen(QBrush(cooling), 4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(coil);
    // Condensate line from the trap to the right edge.
    p.setPen(QPen(condensate, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(250, 156), QPointF(right, 156));

    // The control valve in the steam line, with its actuator.
    const QPointF seat(64, steamY);
    stem(p, seat, QPointF(seat.x(), 12));
    bowTie(p, seat, 22, 16, kBody);
    QPainterPath dome;
    dome.moveTo(seat.x() - 13, 12);
    dome.arcTo(QRectF(seat.x() - 13, 2, 26, 20), 180, -180);
    dome.closeSubpath();
    p.setPen(outlinePen(1.0));
    p.setBrush(metal(QRectF(seat.x() - 13, 2, 26, 10), kActuator));
    p.drawPath(dome);

    // The steam trap: a round body with its float.
    const QPointF trap(256, 156);
    p.setPen(outlinePen(1.2));
    p.setBrush(metal(QRectF(trap.x() - 9, trap.y() - 9, 18, 18), kBody));
    p.drawEllipse(trap, 9, 9);
    p.setBrush(kBodyLight);
    p.drawEllipse(trap, 3.5, 3.5);

    // Arrows of the flow directions.
    auto arrow = [&p](QPointF tip, const QColor &c) {
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPolygon(QPolygonF{tip, QPointF(tip.x() - 9, tip.y() - 5), QPointF(tip.x() - 9, tip.y() + 5)});
    };
    arrow(QPointF(30, steamY), steam);
    arrow(QPointF(right - 4, 156), condensate);
    return img;
}

} // namespace

QSize logoPictureSize()
{
    return {96, 96}; // 1440 x 1440 twips
}

const QStringList &valveSeriesKeys()
{
    static const QStringList keys{"2381", "2613", "3152", "3264", "3378", "3391", "3425", "3547", "3548",
                                  "3652", "3653", "3761", "3786", "3834", "3926", "4612", "4625", "4627_71",
                                  "4627_72", "4638", "4644", "4648", "4651_71", "4651_72", "4656"};
    return keys;
}

QSize valvePictureSize()
{
    return {89, 113}; // 1335 x 1695 twips at 15 twips per pixel
}

QSize startPictureSize()
{
    return {637, 507}; // 9555 x 7605 twips
}

QSize flagPictureSize(int language)
{
    // 375 twips wide; the heights of the flag controls of the start screen
    static const int heights[6] = {13, 16, 13, 13, 13, 12};
    return {25, (language >= 0 && language < 6) ? heights[language] : 13};
}

QSize heatExchangerPictureSize()
{
    return {240, 160}; // 3600 x 2400 twips, the picture box of the heat-exchanger dialog
}

QString flagPictureName(int language)
{
    return QStringLiteral("Flagge%1.jpg").arg(language);
}

bool generatePictures(const QString &programDir, QString *error)
{
    if (!QDir().mkpath(programDir)) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(programDir));
        return false;
    }
    const QDir dir(programDir);
    QStringList keys = valveSeriesKeys();
    keys << "9999";
    for (const QString &key : keys)
        if (!save(valvePicture(key), dir.filePath(key + ".jpg"), error))
            return false;
    if (!save(startPicture(false), dir.filePath("Startbild_XKTR.jpg"), error))
        return false;
    if (!save(startPicture(true), dir.filePath("Startbild_1.jpg"), error))
        return false;
    for (int language = 0; language < 6; ++language)
        if (!save(flagPicture(language), dir.filePath(flagPictureName(language)), error))
            return false;
    if (!save(logoPicture(), dir.filePath("Logo.jpg"), error))
        return false;
    if (!save(partnerLogoPicture(), dir.filePath("Logo_1.jpg"), error))
        return false;
    if (!save(heatExchangerPicture(), dir.filePath("Waermetauscher.jpg"), error))
        return false;
    return true;
}
