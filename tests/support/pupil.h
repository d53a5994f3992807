#pragma once

// What a pupil can do: keys go to the widget that has the focus, the mouse to the drawing areas at
// positions in their inner pixels (sent straight to the widget, so that fractional and far-off
// positions arrive as the platform would deliver them), buttons are clicked by their object names.

#include "support/testsupport.h"
#include "ui/surface/picturebox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

namespace Pupil {

inline QWidget* focused()
{
    QWidget* w = QApplication::focusWidget();
    w = w ? w : QApplication::activeModalWidget();
    return w ? w : QApplication::activeWindow();
}

inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(focused(), key, modifiers);
}

// Each character as the text of a key event, as a Czech keyboard delivers it (keyClicks cannot).
inline void type(const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

inline void clickButton(const QWidget* form, const char* name)
{
    if (auto* button = TestSupport::child<QPushButton>(form, name))
        QTest::mouseClick(button, Qt::LeftButton);
}

inline void mouse(PictureBox* box, QEvent::Type type, QPointF inner, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPointF local = inner + QPointF(box->contentsRect().topLeft());
    QMouseEvent e(type, local, box->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(box, &e);
}

inline void hover(PictureBox* box, QPointF at, Qt::MouseButtons held = Qt::NoButton)
{
    mouse(box, QEvent::MouseMove, at, Qt::NoButton, held);
}

inline void down(PictureBox* box, QPointF at)
{
    mouse(box, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

inline void up(PictureBox* box, QPointF at)
{
    mouse(box, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

inline void click(PictureBox* box, QPointF at)
{
    down(box, at);
    up(box, at);
}

// Hover at `from` (which decides the kind of drag on the sinusoid), press, move through whole
// pixels as a mouse reports them, release at `to`.
inline void drag(PictureBox* box, QPointF from, QPointF to)
{
    hover(box, from);
    down(box, from);
    for (int i = 1; i < 4; ++i)
        hover(box, (from + (to - from) * (i / 4.0)).toPoint(), Qt::LeftButton);
    hover(box, to, Qt::LeftButton);
    up(box, to);
}

} // namespace Pupil
