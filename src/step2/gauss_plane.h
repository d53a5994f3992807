#pragma once

class Surface;

// The picture of step 2: the Gauss plane with its scale and the pupil's vector.
namespace GaussPlane {

// Clears the surface and draws the axes, eight labelled ticks on each, "0", "x", "y", the end
// marker (only while the vector is fixed, that is while not following) and the vector from the
// origin to (endX, endY), in the surface's current colour and font.
void RedrawPlane(Surface& surface, float axisLimit, float endX, float endY, bool following);

} // namespace GaussPlane
