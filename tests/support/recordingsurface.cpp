#include "support/recordingsurface.h"

QList<RecordingSurface::Entry> RecordingSurface::lines() const
{
    QList<Entry> out;
    for (const Entry& e : entries)
        if (e.op == Op::Line)
            out << e;
    return out;
}

QList<RecordingSurface::Entry> RecordingSurface::texts() const
{
    QList<Entry> out;
    for (const Entry& e : entries)
        if (e.op == Op::Print)
            out << e;
    return out;
}

const RecordingSurface::Entry* RecordingSurface::findText(const QString& text) const
{
    for (const Entry& e : entries)
        if (e.op == Op::Print && e.text == text)
            return &e;
    return nullptr;
}

void RecordingSurface::Cls()
{
    entries.clear();
    entries << Entry{Op::Cls, 0, 0, 0, 0, {}, m_color};
    m_x = m_y = 0;
}

void RecordingSurface::Line(float x1, float y1, float x2, float y2)
{
    entries << Entry{Op::Line, x1, y1, x2, y2, {}, m_color};
    m_x = x2;
    m_y = y2;
}

void RecordingSurface::LineTo(float x, float y)
{
    Line(m_x, m_y, x, y);
}

void RecordingSurface::Print(const QString& item)
{
    entries << Entry{Op::Print, m_x, m_y, 0, 0, item, m_color};
    m_x = 0;
    m_y += lineHeight;
}

void RecordingSurface::setFont(const QString& family, double points, bool bold)
{
    fontFamily = family;
    fontPoints = points;
    fontBold = bold;
}
