#pragma once

#include "ui/surface/surface.h"

#include <QLineF>
#include <QList>
#include <QPointF>

// A surface that remembers what a drawing routine draws instead of drawing: the lines with their
// colours and the texts at their top-left corners. Text is 5 px a character and 12 px a line, so
// that positions can be computed by hand; Cls forgets everything.
class RecordingSurface : public Surface {
public:
    struct Text {
        QString text;
        QPointF at;
        bool operator==(const Text&) const = default;
        friend char* toString(const Text& t)
        {
            return qstrdup(qPrintable(QStringLiteral("\"%1\" at %2, %3").arg(t.text).arg(t.at.x()).arg(t.at.y())));
        }
    };

    RecordingSurface(float width, float height) : m_width(width), m_height(height) {}

    bool cleared = false;
    QList<QLineF> lines;
    QList<quint32> colors; // of each line
    QList<Text> texts;

    void Cls() override { cleared = true, lines.clear(), colors.clear(), texts.clear(), m_x = m_y = 0; }
    float ScaleWidth() const override { return m_width; }
    float ScaleHeight() const override { return m_height; }
    void Line(float x1, float y1, float x2, float y2) override
    {
        lines << QLineF(x1, y1, x2, y2);
        colors << m_color;
        m_x = x2, m_y = y2;
    }
    void LineTo(float x, float y) override { Line(m_x, m_y, x, y); }
    float CurrentX() const override { return m_x; }
    float CurrentY() const override { return m_y; }
    void setCurrentX(float x) override { m_x = x; }
    void setCurrentY(float y) override { m_y = y; }
    void Print(const QString& item) override
    {
        texts << Text{item, {m_x, m_y}};
        m_x = 0, m_y += 12;
    }
    float TextWidth(const QString& text) const override { return 5 * float(text.size()); }
    float TextHeight(const QString&) const override { return 12; }
    quint32 ForeColor() const override { return m_color; }
    void setForeColor(quint32 bgr) override { m_color = bgr; }
    void setFont(const QString&, double, bool) override {}
    int MousePointer() const override { return 0; }
    void setMousePointer(int) override {}

private:
    float m_width, m_height;
    float m_x = 0, m_y = 0;
    quint32 m_color = 0;
};
