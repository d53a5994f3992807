#pragma once

#include "ui/forms/form.h"

class PictureBox;
class QKeyEvent;
class Surface;
class QLabel;
class QPushButton;

// Step 3: the sinusoid, stretched and shifted by the pupil; its "&Dokončit" judges the example.
class Krok3 : public Form {
    Q_OBJECT
public:
    Krok3();

    // Reset for a new example (skipped while the error review shows the correct sinusoid).
    void Form_Load() override;
    // The value at the top tick of the amplitude axis, from the current result.
    void FindAxisMax();
    // Clears pb and draws the axes, the scale and the sinusoid in the current colour.
    void DrawSin(qint16 phase, double amplitude);

    // The review's view of the correct sinusoid: its own caption, only `back`, which hides the form.
    void enterReviewMode();
    void leaveReviewMode();
    // The picture of the sinusoid, for the correct one drawn over it.
    Surface& drawing();

    qint16 axisMax = 0;
    qint16 amplitude = 0; // pixels from the zero line to the crest
    float phaseShift = 0; // pixels; 200 pixels are 360 degrees
    qint16 dragging = 0;  // -1 while a button is down on pb
    qint16 dragLastX = 0;
    qint16 dragLastY = 0;

signals:
    void finishRequested(); // "&Dokončit": the example is to be judged
    void backRequested();   // "&Zpět" to step 2

private:
    QLabel* inf;
    PictureBox* pb;
    QPushButton* dok;
    QPushButton* bac;
    QPushButton* kon;
    QPushButton* back;

    void describeSinusoid();

    void pb_MouseDown(int button, int shift, float x, float y);
    void pb_MouseMove(int button, int shift, float x, float y);
    void pb_MouseUp(int button, int shift, float x, float y);
    void pb_KeyDown(QKeyEvent* event);
};
