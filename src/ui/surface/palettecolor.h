#pragma once

#include "core/colors.h"

#include <QColor>

// The program's 0x00BBGGRR colour numbers as the screen's colours and back.
namespace Colors {

inline QColor toQColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline quint32 fromQColor(const QColor& c)
{
    return fromRgb(c.red(), c.green(), c.blue());
}

} // namespace Colors
