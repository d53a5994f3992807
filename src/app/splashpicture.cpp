#include "app/splashpicture.h"

#include "core/pi.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

void arrowHead(QPainter& p, QPointF tip, QPointF from, qreal length)
{
    const QLineF back(tip, from);
    QLineF side1 = back;
    side1.setLength(length);
    side1.setAngle(back.angle() + 25);
    QLineF side2 = back;
    side2.setLength(length);
    side2.setAngle(back.angle() - 25);
    p.drawPolygon(QPolygonF({tip, side1.p2(), side2.p2()}));
}

void axis(QPainter& p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    p.save();
    p.setBrush(p.pen().color());
    arrowHead(p, to, from, 8);
    p.restore();
}

} // namespace

QImage SplashPicture::render(QSize size, qreal devicePixelRatio)
{
    QImage image(size * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const qreal w = size.width(), h = size.height();
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(255, 255, 255));
    sky.setColorAt(1, QColor(214, 228, 246));
    p.fillRect(QRectF(0, 0, w, h), sky);

    // The lower part holds the pictures; the titles stand above them.
    const QRectF plane(w * 0.06, h * 0.42, w * 0.38, h * 0.52);
    const QRectF wave(w * 0.50, h * 0.42, w * 0.46, h * 0.52);

    const QColor axisColour(70, 70, 90);
    p.setPen(QPen(axisColour, 1.5));
    const QPointF origin = plane.center();
    axis(p, QPointF(plane.left(), origin.y()), QPointF(plane.right(), origin.y()));
    axis(p, QPointF(origin.x(), plane.bottom()), QPointF(origin.x(), plane.top()));
    const qreal step = plane.width() / 10;
    for (int i = -4; i <= 4; ++i) {
        if (i == 0)
            continue;
        p.drawLine(QPointF(origin.x() + i * step, origin.y() - 3), QPointF(origin.x() + i * step, origin.y() + 3));
        p.drawLine(QPointF(origin.x() - 3, origin.y() - i * step), QPointF(origin.x() + 3, origin.y() - i * step));
    }
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    small.setItalic(true);
    p.setFont(small);
    p.drawText(QPointF(plane.right() - 16, origin.y() + 16), QStringLiteral("Re"));
    p.drawText(QPointF(origin.x() + 8, plane.top() + 10), QStringLiteral("Im"));

    const QPointF end(origin.x() + 3 * step, origin.y() - 2 * step);
    p.setPen(QPen(QColor(200, 0, 0), 2.5));
    p.setBrush(QColor(200, 0, 0));
    p.drawLine(origin, end);
    arrowHead(p, end, origin, 11);
    p.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawLine(end, QPointF(end.x(), origin.y()));
    p.drawLine(end, QPointF(origin.x(), end.y()));
    // The angle of the vector as an arc from the real axis.
    const QLineF vector(origin, end);
    const qreal r = step * 1.2;
    p.setPen(QPen(QColor(0, 110, 60), 1.5));
    p.drawArc(QRectF(origin.x() - r, origin.y() - r, 2 * r, 2 * r), 0, int(vector.angle() * 16));

    p.setPen(QPen(axisColour, 1.5));
    const qreal mid = wave.center().y();
    axis(p, QPointF(wave.left(), mid), QPointF(wave.right(), mid));
    axis(p, QPointF(wave.left() + 10, wave.bottom()), QPointF(wave.left() + 10, wave.top()));
    p.setFont(small);
    p.drawText(QPointF(wave.right() - 14, mid + 16), QStringLiteral("t"));

    const qreal amplitude = wave.height() * 0.36;
    const qreal shift = Pi / 3;
    const qreal span = wave.width() - 24;
    QPainterPath sine, reference;
    for (int i = 0; i <= 200; ++i) {
        const qreal x = wave.left() + 10 + span * i / 200.0;
        const qreal angle = 4 * Pi * i / 200.0;
        const QPointF a(x, mid - amplitude * qSin(angle + shift));
        const QPointF b(x, mid - amplitude * 0.6 * qSin(angle));
        if (i == 0) {
            sine.moveTo(a);
            reference.moveTo(b);
        } else {
            sine.lineTo(a);
            reference.lineTo(b);
        }
    }
    p.setPen(QPen(QColor(150, 160, 190), 1.2, Qt::DashLine));
    p.drawPath(reference);
    p.setPen(QPen(QColor(0, 70, 190), 2.5));
    p.drawPath(sine);
    return image;
}
