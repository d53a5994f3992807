#pragma once

#include <QtGlobal>

// The scale rules of steps 2 and 3 and the small geometric rules of their input, as functions of
// values so that the forms, the judging and the correct drawings share one definition.
namespace Scales {

// Value at the ends of the Gauss-plane axes for a result: the larger magnitude of the two parts
// rounded up to one significant digit (3 -> 4, 37.2 -> 40, 10 -> 10, below 1 -> 1). Single
// precision throughout, as the program keeps it.
float NajdiMeritk(float resultRe, float resultIm);

// Value at the top tick of the amplitude axis for an absolute value r: whole-number steps with
// ties to even at each division (150 -> 300, 10.4 -> 10, 0 -> 1).
qint16 FindAxisMax(double r);

// The Gauss plane: the axis ends +-axisLimit lie 18 px inside the edges of a W x H picture.
float planeX(float re, float width, float axisLimit);
float planeY(float im, float height, float axisLimit);

// Whether a pointer position may move the vector's end point: strictly more than 17 px from
// every edge, so that the end point never leaves the outermost ticks.
bool insideVectorBand(float x, float y, float width, float height);

// A pointer coordinate kept by a drag: ties to even, held within +-32767 so that no position can
// read as the mark -32768 ("this motion is ignored").
qint16 dragPosition(float value);

// The whole-pixel phase handed to the drawing; a phase beyond 16 bits is first reduced by whole
// periods, which leaves the curve as it is.
qint16 drawnPhase(float phaseShift);

// The sinusoid's phase shift brought into one period, 0 to 200 pixels inclusive.
float normalisePhase(float phaseShift);

// The pointer shape over the sinusoid for a position while no button is down: the vertical axis's
// band (phase only) wins over the horizontal axis's band (amplitude only); elsewhere a free drag.
int hoverPointer(float x, float y, float width, float height);

// The amplitude for a pointer at y during an amplitude drag: its distance from the zero line,
// held at the full scale.
qint16 dragAmplitude(float y, float height);

// The sinusoid's scales: amplitude in pixels for an absolute value, phase shift in pixels for an
// angle in degrees, and back.
double amplitudeValue(double amplitudePixels, float height, qint16 axisMax);
double phaseDegrees(double phaseShiftPixels);

} // namespace Scales
