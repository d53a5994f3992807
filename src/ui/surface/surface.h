#pragma once

#include <QString>
#include <QtGlobal>

// Mouse pointer shapes of a drawing surface.
namespace Pointer {
constexpr int Default = 0;
constexpr int Crosshair = 2;
constexpr int SizeAll = 5;
constexpr int SizeNS = 7;
constexpr int SizeWE = 9;
} // namespace Pointer

// A drawing area in pixels of its inner area: origin top left, x right, y down, white background.
// Lines and text use the current colour (0x00BBGGRR); text is drawn with its top-left corner at the
// current point. Everything drawn is retained, also while the owning form is hidden.
class Surface {
public:
    virtual ~Surface() = default;

    virtual void Cls() = 0;
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;

    // Line (x1,y1)-(x2,y2); the current point ends at (x2, y2).
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    // Line -(x,y): from the current point; the current point ends at (x, y).
    virtual void LineTo(float x, float y) = 0;

    virtual float CurrentX() const = 0;
    virtual float CurrentY() const = 0;
    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;

    // Draws one item at the current point, then moves the current point to the next line's start.
    virtual void Print(const QString& item) = 0;
    virtual float TextWidth(const QString& text) const = 0;
    virtual float TextHeight(const QString& text) const = 0;

    virtual quint32 ForeColor() const = 0;
    virtual void setForeColor(quint32 bgr) = 0;

    virtual void setFont(const QString& family, double points, bool bold) = 0;

    virtual int MousePointer() const = 0;
    virtual void setMousePointer(int shape) = 0;

    // Sets the current point and prints there.
    void PrintAt(float x, float y, const QString& item)
    {
        setCurrentX(x);
        setCurrentY(y);
        Print(item);
    }
};

// Mouse arguments of the drawing areas: button bits 1 left, 2 right, 4 middle; modifier bits 1 Shift,
// 2 Ctrl, 4 Alt.
namespace MouseArgs {
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
} // namespace MouseArgs
