#pragma once

#include "ui/surface/surface.h"

#include <QList>

// A surface that remembers every operation instead of drawing, for checking what a drawing routine
// does. Text extents are fixed per character so that positions can be computed by hand.
class RecordingSurface : public Surface {
public:
    enum class Op { Cls, Line, Print };
    struct Entry {
        Op op;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0; // line ends, or the text's top-left corner in x1, y1
        QString text;
        quint32 color = 0;
    };

    RecordingSurface(float width, float height) : m_width(width), m_height(height) {}

    float charWidth = 5;
    float lineHeight = 12;
    QList<Entry> entries;

    QList<Entry> lines() const;
    QList<Entry> texts() const;
    // The first print whose text equals the given one, or nullptr.
    const Entry* findText(const QString& text) const;

    void Cls() override;
    float ScaleWidth() const override { return m_width; }
    float ScaleHeight() const override { return m_height; }
    void Line(float x1, float y1, float x2, float y2) override;
    void LineTo(float x, float y) override;
    float CurrentX() const override { return m_x; }
    float CurrentY() const override { return m_y; }
    void setCurrentX(float x) override { m_x = x; }
    void setCurrentY(float y) override { m_y = y; }
    void Print(const QString& item) override;
    float TextWidth(const QString& text) const override { return charWidth * float(text.size()); }
    float TextHeight(const QString&) const override { return lineHeight; }
    quint32 ForeColor() const override { return m_color; }
    void setForeColor(quint32 bgr) override { m_color = bgr; }
    void setFont(const QString& family, double points, bool bold) override;
    int MousePointer() const override { return m_pointer; }
    void setMousePointer(int shape) override { m_pointer = shape; }

    QString fontFamily;
    double fontPoints = 0;
    bool fontBold = false;

private:
    float m_width, m_height;
    float m_x = 0, m_y = 0;
    quint32 m_color = 0;
    int m_pointer = 0;
};
