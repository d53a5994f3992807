#pragma once

#include "ui/forms/form.h"

class PictureBox;
class QKeyEvent;
class Surface;
class QLabel;
class QPushButton;

// Step 2: the Gauss plane, where the pupil draws the result as a vector.
class krok2 : public Form {
    Q_OBJECT
public:
    krok2();

    // Set-up for a new example (skipped while the error review shows the correct vector).
    void Form_Load() override;
    // The scale of the plane for the current result.
    void NajdiMeritk();

    // The review's view of the correct vector: its own caption, only `back`, which hides the form.
    void enterReviewMode();
    void leaveReviewMode();
    // The picture of the plane, for the correct vector drawn over it.
    Surface& drawing();

    // The pupil's answer: the vector's end point in pixels of Graf.
    float vectorEndX = 0;
    float vectorEndY = 0;
    // -1 while the end point follows the mouse, 0 when it is fixed.
    qint16 vectorFollowing = 0;

signals:
    void forwardRequested(); // "&Dále"
    void backRequested();    // "&Zpět" to step 1

private:
    QLabel* inf;
    PictureBox* Graf;
    QPushButton* Contin;
    QPushButton* bac;
    QPushButton* kon;
    QPushButton* back;

    void RedrawPlane();
    void describeVector();

    void Graf_Click();
    void Graf_MouseMove(int button, int shift, float x, float y);
    void Graf_KeyDown(QKeyEvent* event);
};
