#pragma once

// What a pupil can do: keys go to the widget that has the focus, the mouse to the drawing areas at
// positions in their inner pixels.

#include "ui/surface/picturebox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

namespace Pupil {

// The widget the keyboard reaches now.
inline QWidget* focused()
{
    if (QWidget* w = QApplication::focusWidget())
        return w;
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(focused(), key, modifiers);
}

// Letters with diacritics cannot go through QTest::keyClicks; each character is sent as the text
// of a key event, as a keyboard with a Czech layout delivers it.
inline void type(const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

inline void mouse(PictureBox* box, QEvent::Type type, QPointF inner, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPointF local = inner + QPointF(box->contentsRect().topLeft());
    QMouseEvent e(type, local, box->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(box, &e);
}

inline void hover(PictureBox* box, QPointF at)
{
    mouse(box, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

inline void click(PictureBox* box, QPointF at)
{
    mouse(box, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    mouse(box, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// Hover at `from` (which decides the kind of drag on the sinusoid), press, move in a few steps,
// release at `to`.
inline void drag(PictureBox* box, QPointF from, QPointF to)
{
    hover(box, from);
    mouse(box, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    // On the way the pointer is at whole pixels, as a mouse reports it.
    for (int i = 1; i < 4; ++i)
        mouse(box, QEvent::MouseMove, (from + (to - from) * (i / 4.0)).toPoint(), Qt::NoButton, Qt::LeftButton);
    mouse(box, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(box, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

} // namespace Pupil
