#pragma once

#include "core/planemapping.h"
#include "ui/forms/drawingstep.h"

class QKeyEvent;

// Step 2: the Gauss plane, where the pupil draws the result as a vector.
class krok2 : public DrawingStep {
    Q_OBJECT
public:
    krok2();

    // A new example on the given plane: the end point back at the origin, fixed, the plane drawn.
    void startExample(const PlaneMapping& plane);

    // The pupil's answer: the vector's end point in pixels of Graf.
    float vectorEndX = 0;
    float vectorEndY = 0;
    // True while the end point follows the mouse, false when it is fixed.
    bool vectorFollowing = false;

private:
    void RedrawPlane();
    void describeVector();

    void Graf_Click();
    void Graf_MouseMove(int button, int shift, float x, float y);
    void Graf_KeyDown(QKeyEvent* event);

    PlaneMapping m_plane;
};
