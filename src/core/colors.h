#pragma once

#include <QtGlobal>

// Colours are kept as 0x00BBGGRR numbers, the order the program stores them in.
namespace Colors {

constexpr quint32 Black = 0x000000;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 Blue = 0xFF0000;
constexpr quint32 White = 0xFFFFFF;

constexpr quint32 fromRgb(int r, int g, int b)
{
    return quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16);
}

} // namespace Colors
