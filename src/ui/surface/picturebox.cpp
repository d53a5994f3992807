#include "ui/surface/picturebox.h"

#include "ui/surface/palettecolor.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

static int buttonBit(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return MouseArgs::Left;
    case Qt::RightButton:
        return MouseArgs::Right;
    case Qt::MiddleButton:
        return MouseArgs::Middle;
    default:
        return 0;
    }
}

static int buttonBits(Qt::MouseButtons bs)
{
    int r = 0;
    if (bs & Qt::LeftButton)
        r |= MouseArgs::Left;
    if (bs & Qt::RightButton)
        r |= MouseArgs::Right;
    if (bs & Qt::MiddleButton)
        r |= MouseArgs::Middle;
    return r;
}

static int modifierBits(Qt::KeyboardModifiers m)
{
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) | ((m & Qt::AltModifier) ? 4 : 0);
}

PictureBox::PictureBox(int innerWidth, int innerHeight, QWidget* parent)
    : QFrame(parent), m_innerWidth(innerWidth), m_innerHeight(innerHeight)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    ensureImage();
}

QSize PictureBox::sizeHint() const
{
    const int f = frameWidth();
    return QSize(m_innerWidth + 2 * f, m_innerHeight + 2 * f);
}

QPainter& PictureBox::painter()
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_penColor = m_foreColor;
        m_painter->setPen(QPen(Colors::toQColor(m_penColor), 1.0));
        m_painter->setFont(m_drawFont);
    }
    return *m_painter;
}

void PictureBox::endPainting() const
{
    m_painter.reset();
}

void PictureBox::ensureImage()
{
    endPainting();
    const qreal dpr = devicePixelRatioF();
    const QSize pixels(qRound(m_innerWidth * dpr), qRound(m_innerHeight * dpr));
    if (m_image.size() == pixels && qFuzzyCompare(m_image.devicePixelRatio(), dpr))
        return;
    QImage fresh(pixels, QImage::Format_RGB32);
    fresh.setDevicePixelRatio(dpr);
    fresh.fill(Qt::white);
    if (!m_image.isNull()) {
        // A new screen density keeps the picture until its owner draws it again.
        QPainter p(&fresh);
        p.drawImage(QRectF(0, 0, m_innerWidth, m_innerHeight), m_image);
    }
    m_image = fresh;
}

void PictureBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal)
        ensureImage();
    QFrame::changeEvent(event);
}

float PictureBox::ScaleWidth() const
{
    return float(m_innerWidth);
}

float PictureBox::ScaleHeight() const
{
    return float(m_innerHeight);
}

void PictureBox::Cls()
{
    ensureImage();
    endPainting();
    m_image.fill(Qt::white);
    m_current = QPointF(0, 0);
    update();
}

void PictureBox::drawLine(QPointF from, QPointF to)
{
    QPainter& p = painter();
    if (m_penColor != m_foreColor) {
        m_penColor = m_foreColor;
        p.setPen(QPen(Colors::toQColor(m_penColor), 1.0));
    }
    p.drawLine(from, to);
    m_current = to;
    update();
}

void PictureBox::Line(float x1, float y1, float x2, float y2)
{
    drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PictureBox::LineTo(float x, float y)
{
    drawLine(m_current, QPointF(x, y));
}

void PictureBox::Print(const QString& item)
{
    QPainter& p = painter();
    if (m_penColor != m_foreColor) {
        m_penColor = m_foreColor;
        p.setPen(QPen(Colors::toQColor(m_penColor), 1.0));
    }
    const QFontMetricsF fm(m_drawFont, &m_image);
    p.drawText(QPointF(m_current.x(), m_current.y() + fm.ascent()), item);
    m_current = QPointF(0, m_current.y() + fm.height());
    update();
}

float PictureBox::TextWidth(const QString& text) const
{
    return float(QFontMetricsF(m_drawFont, &m_image).horizontalAdvance(text));
}

float PictureBox::TextHeight(const QString& text) const
{
    Q_UNUSED(text);
    return float(QFontMetricsF(m_drawFont, &m_image).height());
}

void PictureBox::setFont(const QString& family, double points, bool bold)
{
    m_drawFont = QFont(family);
    m_drawFont.setPointSizeF(points);
    m_drawFont.setBold(bold);
    if (m_painter)
        m_painter->setFont(m_drawFont);
}

void PictureBox::setMousePointer(int shape)
{
    m_pointer = shape;
    switch (shape) {
    case Pointer::Crosshair:
        setCursor(Qt::CrossCursor);
        break;
    case Pointer::SizeAll:
        setCursor(Qt::SizeAllCursor);
        break;
    case Pointer::SizeNS:
        setCursor(Qt::SizeVerCursor);
        break;
    case Pointer::SizeWE:
        setCursor(Qt::SizeHorCursor);
        break;
    default:
        unsetCursor();
        break;
    }
}

QPointF PictureBox::inner(const QPointF& widgetPos) const
{
    return widgetPos - QPointF(contentsRect().topLeft());
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    endPainting();
    {
        QPainter p(this);
        p.drawImage(QRectF(contentsRect()), m_image);
        // The focus frame lies over the picture on screen only; the retained picture stays as drawn.
        if (hasFocus()) {
            QPen pen(palette().color(QPalette::Highlight));
            pen.setStyle(Qt::DashLine);
            p.setPen(pen);
            p.drawRect(contentsRect().adjusted(1, 1, -2, -2));
        }
    }
    QFrame::paintEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
    emit KeyDown(event);
    if (!event->isAccepted())
        QFrame::keyPressEvent(event);
}

void PictureBox::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF pos = inner(event->position());
    m_pressedOver |= event->button();
    emit MouseDown(buttonBit(event->button()), modifierBits(event->modifiers()), float(pos.x()), float(pos.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = inner(event->position());
    emit MouseMove(buttonBits(event->buttons()), modifierBits(event->modifiers()), float(pos.x()), float(pos.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = inner(event->position());
    const bool wasPressedHere = m_pressedOver.testFlag(event->button());
    m_pressedOver &= ~event->button();
    emit MouseUp(buttonBit(event->button()), modifierBits(event->modifiers()), float(pos.x()), float(pos.y()));
    const bool over = pos.x() >= 0 && pos.y() >= 0 && pos.x() < m_innerWidth && pos.y() < m_innerHeight;
    const bool clickButton = event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
    if (wasPressedHere && over && clickButton)
        emit Click();
}
