#pragma once

#include <QtGlobal>

class Surface;

// The correct answers of steps 2 and 3, drawn in red over what the step pictures hold.
namespace CorrectDrawings {

// The correct vector on the Gauss plane: a cross of 5 px arms at its tip, then the line from the
// origin. The axis ends (+-axisLimit) sit 18 px inside the edges, as on the plane itself.
void DrawCorrectVector(Surface& graf, float resultRe, float resultIm, float axisLimit);

// The correct sinusoid on the step-3 picture: two periods of 200 px centred on the middle, amplitude
// |result| on the scale whose top tick is axisMax, shifted by the angle of the result.
void DrawCorrectSinusoid(Surface& pb, float resultRe, float resultIm, qint16 axisMax);

} // namespace CorrectDrawings
