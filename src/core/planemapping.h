#pragma once

// The Gauss plane on a picture of W x H pixels (y growing downwards): the origin in the centre and
// the axis ends +-axisLimit 18 px inside the edges. One value for the drawing, the pointer, the
// judging and the correct vector, each formula in the precision the program keeps.
class PlaneMapping {
public:
    // The axis ends +-axisLimit lie this far inside the edges; the ticks span W - 36 and H - 36.
    static constexpr int Margin = 18;
    // The axis lines stop this far before the edges, 8 px beyond the outermost ticks.
    static constexpr int AxisInset = 10;

    PlaneMapping() = default;
    PlaneMapping(float width, float height, float axisLimit) : m_width(width), m_height(height), m_axisLimit(axisLimit)
    {
    }

    float width() const { return m_width; }
    float height() const { return m_height; }
    float axisLimit() const { return m_axisLimit; }

    // A value to pixels, in single precision: x = re / axisLimit * (W - 36) / 2 + W / 2.
    float toPixelX(float re) const;
    float toPixelY(float im) const;

    // Pixels to a value, in double precision and returned in single: the pupil's vector.
    float toRe(float x) const;
    float toIm(float y) const;

    // The size of one pixel in units of each part, as the judging's floor.
    double pixelRe() const;
    double pixelIm() const;

    // The pixels of the axis ends: 18 and W - 18, 18 and H - 18.
    float left() const { return float(Margin); }
    float right() const { return m_width - Margin; }
    float top() const { return float(Margin); }
    float bottom() const { return m_height - Margin; }

    // The tick `eighths` eighths of the span from the left (or top) axis end: 0 is -axisLimit on the
    // real axis and +axisLimit on the imaginary one, 8 the opposite end. Double precision, then single.
    float tickX(int eighths) const;
    float tickY(int eighths) const;

    // Whether a pointer position may move the vector's end point: strictly more than 17 px from every
    // edge, so that whole-pixel positions stay between the axis ends.
    bool insideBand(float x, float y) const;

private:
    float m_width = 0;
    float m_height = 0;
    float m_axisLimit = 0;
};
