#pragma once

#include "core/sinusoidscale.h"
#include "ui/forms/drawingstep.h"

class QKeyEvent;

// Step 3: the sinusoid, stretched and shifted by the pupil; its "&Dokončit" judges the example.
class Krok3 : public DrawingStep {
    Q_OBJECT
public:
    Krok3();

    // A new example on the given scale: half the full scale, no phase shift, the sinusoid drawn.
    void startExample(const SinusoidScale& scale);
    // The value at the top tick of the amplitude axis.
    qint16 axisMax() const { return m_scale.axisMax(); }

    // The pupil's answer.
    qint16 amplitude = 0; // pixels from the zero line to the crest
    float phaseShift = 0; // pixels; 200 pixels are 360 degrees

private:
    // What a drag started over the picture changes: over the vertical axis the phase only, over the
    // horizontal axis the amplitude only, elsewhere both.
    enum class Drag { Free, PhaseOnly, AmplitudeOnly };

    // Clears pb and draws the axes, the scale and the sinusoid in the current colour.
    void DrawSin(qint16 phase, double amplitude);
    void describeSinusoid();

    void pb_MouseDown(int button, int shift, float x, float y);
    void pb_MouseMove(int button, int shift, float x, float y);
    void pb_MouseUp(int button, int shift, float x, float y);
    void pb_KeyDown(QKeyEvent* event);

    SinusoidScale m_scale;
    bool m_dragging = false; // a button is down on pb
    Drag m_drag = Drag::Free;
    // The drag a press would start here, as the pointer's shape shows it.
    Drag m_dragOnPress = Drag::Free;
    qint16 m_dragLastX = 0;
};
