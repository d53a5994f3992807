#pragma once

#include "ui/surface/picturebox.h"

#include <QApplication>
#include <QMouseEvent>

// Mouse input to a picture box in pixels of its inner area, sent straight to the widget, so that
// fractional and far-off positions arrive as the platform would deliver them.
namespace PictureMouse {

inline void send(PictureBox* p, QEvent::Type type, QPointF inner, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPointF at = inner + QPointF(p->contentsRect().topLeft());
    QMouseEvent e(type, at, p->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(p, &e);
}
inline void move(PictureBox* p, QPointF at, Qt::MouseButtons held = Qt::NoButton)
{
    send(p, QEvent::MouseMove, at, Qt::NoButton, held);
}
inline void press(PictureBox* p, QPointF at)
{
    send(p, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}
inline void release(PictureBox* p, QPointF at)
{
    send(p, QEvent::MouseButtonRelease, at, Qt::LeftButton, {});
}
inline void click(PictureBox* p, QPointF at)
{
    press(p, at);
    release(p, at);
}
// Hover at `from` (which chooses the kind of drag on the sinusoid), press, move to `to`, release.
inline void drag(PictureBox* p, QPointF from, QPointF to)
{
    move(p, from);
    press(p, from);
    move(p, to, Qt::LeftButton);
    release(p, to);
}

} // namespace PictureMouse
