#pragma once

#include <QtGlobal>

// The scales of the step-3 sinusoid on a picture SH pixels high (y growing downwards): the zero line in
// the middle, the full scale SH/2 - 30 standing for axisMax, 200 px a period (360 degrees). One value for
// the drawing, the drag, the judging and the correct sinusoid.
class SinusoidScale {
public:
    // Pixels of one period; the curve spans two, starting one period left of the centre.
    static constexpr int Period = 200;
    // The top tick (axisMax) lies this far below the top edge, the bottom tick as far above the bottom.
    static constexpr int TopMargin = 30;
    // The axis lines stop this far before the edges.
    static constexpr int AxisInset = 10;
    // The curve is computed every 8 px: 51 points over the two periods.
    static constexpr int CurveStep = 8;
    static constexpr int CurveSteps = 2 * Period / CurveStep;
    // Half the width of the axes' bands in which a press starts a drag of one kind only.
    static constexpr int AxisBand = 6;

    SinusoidScale() = default;
    SinusoidScale(float height, qint16 axisMax) : m_height(height), m_axisMax(axisMax) {}

    float height() const { return m_height; }
    qint16 axisMax() const { return m_axisMax; }

    double zeroLine() const { return double(m_height) / 2; }
    // The amplitude in pixels that stands for axisMax.
    double fullScale() const { return zeroLine() - TopMargin; }
    double tickSpacing() const { return fullScale() / 4; }
    // The nine tick positions from the top (axisMax) to the bottom (-axisMax); 4 is the zero line.
    double tickY(int i) const { return TopMargin + i * tickSpacing(); }
    // Left end of the curve on a picture `width` pixels wide.
    static double curveStartX(double width) { return width / 2 - Period; }

    // An absolute value as an amplitude in pixels (r / axisMax * full scale, taken in single precision),
    // and an amplitude in pixels as a value.
    float amplitudePixels(double r) const;
    double amplitudeValue(double amplitudePixels) const;
    // The amplitude for a pointer at y during an amplitude drag: its distance from the zero line (ties
    // to even), held at the full scale.
    qint16 dragAmplitude(float y) const;

    // An angle in degrees as a phase shift in pixels (double precision, taken in single), and back.
    static float phasePixels(float degrees);
    static double phaseDegrees(double phaseShiftPixels);
    // A phase shift brought into one period, 0 to 200 pixels inclusive.
    static float normalisePhase(float phaseShift);
    // The whole-pixel phase handed to the drawing; a phase beyond 16 bits is first reduced by whole
    // periods, which leaves the curve as it is.
    static qint16 drawnPhase(float phaseShift);

    // The pointer shape over a picture while no button is down: the vertical axis's band (phase only)
    // wins over the horizontal axis's band (amplitude only); elsewhere a free drag.
    static int hoverPointer(float x, float y, float width, float height);

private:
    float m_height = 0;
    qint16 m_axisMax = 0;
};
