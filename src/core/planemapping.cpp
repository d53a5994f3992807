#include "core/planemapping.h"

float PlaneMapping::toPixelX(float re) const
{
    return re / m_axisLimit * (m_width - 2 * Margin) / 2 + m_width / 2;
}

float PlaneMapping::toPixelY(float im) const
{
    return m_height / 2 - im / m_axisLimit * (m_height - 2 * Margin) / 2;
}

float PlaneMapping::toRe(float x) const
{
    const double w = m_width;
    return float((double(x) - w / 2) / ((w - 2 * Margin) / 2) * double(m_axisLimit));
}

float PlaneMapping::toIm(float y) const
{
    const double h = m_height;
    return float((h / 2 - double(y)) / ((h - 2 * Margin) / 2) * double(m_axisLimit));
}

double PlaneMapping::pixelRe() const
{
    return toRe(m_width / 2 + 1);
}

double PlaneMapping::pixelIm() const
{
    return toIm(m_height / 2 - 1);
}

float PlaneMapping::tickX(int eighths) const
{
    return float((double(m_width) - 2 * Margin) * eighths / 8 + Margin);
}

float PlaneMapping::tickY(int eighths) const
{
    return float((double(m_height) - 2 * Margin) * eighths / 8 + Margin);
}

bool PlaneMapping::insideBand(float x, float y) const
{
    const float edge = Margin - 1;
    return x > edge && x < m_width - edge && y > edge && y < m_height - edge;
}
