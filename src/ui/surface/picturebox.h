#pragma once

#include "ui/surface/surface.h"

#include <QFont>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPointF>

#include <memory>

// The picture box: a sunken frame around an inner drawing area that keeps its picture in an image,
// so drawings made while the form is hidden are there when it is shown. Mouse positions come in
// inner-area pixels, fractional where the platform delivers them, and keep coming while a button
// pressed over the area is held outside it.
class PictureBox : public QFrame, public Surface {
    Q_OBJECT
public:
    explicit PictureBox(int innerWidth, int innerHeight, QWidget* parent = nullptr);

    const QImage& image() const
    {
        endPainting();
        return m_image;
    }

    void Cls() override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    void Line(float x1, float y1, float x2, float y2) override;
    void LineTo(float x, float y) override;
    float CurrentX() const override { return m_current.x(); }
    float CurrentY() const override { return m_current.y(); }
    void setCurrentX(float x) override { m_current.setX(x); }
    void setCurrentY(float y) override { m_current.setY(y); }
    void Print(const QString& item) override;
    float TextWidth(const QString& text) const override;
    float TextHeight(const QString& text) const override;
    quint32 ForeColor() const override { return m_foreColor; }
    void setForeColor(quint32 bgr) override { m_foreColor = bgr; }
    void setFont(const QString& family, double points, bool bold) override;
    int MousePointer() const override { return m_pointer; }
    void setMousePointer(int shape) override;

    QSize sizeHint() const override;

signals:
    void Click();
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    // A key pressed while the picture has the focus. The event arrives ignored; a handler accepts
    // the keys it uses, and the rest (Enter, Esc) go on to the form.
    void KeyDown(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPointF inner(const QPointF& widgetPos) const;
    void ensureImage();
    void drawLine(QPointF from, QPointF to);
    // One painter serves a whole drawing routine; it ends before the picture is shown or read.
    QPainter& painter();
    void endPainting() const;

    int m_innerWidth;
    int m_innerHeight;
    QImage m_image;
    mutable std::unique_ptr<QPainter> m_painter;
    quint32 m_penColor = 0;
    QPointF m_current;
    quint32 m_foreColor = 0;
    QFont m_drawFont;
    int m_pointer = Pointer::Default;
    Qt::MouseButtons m_pressedOver;
};
