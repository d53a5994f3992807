#pragma once

// What a pupil can do: keys go to the widget that has the focus, the mouse to the drawing areas at
// positions in their inner pixels.

#include "ui/surface/picturebox.h"

#include <QApplication>
#include <QMouseEvent>
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

inline void mouse(PictureBox* box, QEvent::Type type, QPointF inner, Qt::MouseButtons buttons)
{
    const QPointF local = inner + QPointF(box->contentsRect().topLeft());
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, local, box->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(box, &e);
}

inline void hover(PictureBox* box, QPointF at)
{
    mouse(box, QEvent::MouseMove, at, Qt::NoButton);
}

inline void click(PictureBox* box, QPointF at)
{
    mouse(box, QEvent::MouseButtonPress, at, Qt::LeftButton);
    mouse(box, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

// Hover at `from` (which decides the kind of drag on the sinusoid), press, move through whole
// pixels as a mouse reports them, release at `to`.
inline void drag(PictureBox* box, QPointF from, QPointF to)
{
    hover(box, from);
    mouse(box, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i < 4; ++i)
        mouse(box, QEvent::MouseMove, (from + (to - from) * (i / 4.0)).toPoint(), Qt::LeftButton);
    mouse(box, QEvent::MouseMove, to, Qt::LeftButton);
    mouse(box, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

} // namespace Pupil
