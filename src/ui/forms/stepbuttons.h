#pragma once

class QGridLayout;
class QLabel;
class QPushButton;
class QString;
class Form;

// The button row of the drawing steps: forward, back, end, and the review's way back, which is
// hidden and takes the place of all three.
QGridLayout* layoutStepButtons(QPushButton* forward, QPushButton* bac, QPushButton* kon, QPushButton* back);

// Shows a step form modally with the correct drawing: the instruction replaced, only `back` usable
// and default, the mouse ignored. Returns when `back` hides the form, with the normal buttons restored.
void showCorrectDrawing(Form& step, QLabel* inf, const QString& caption, QPushButton* forward, QPushButton* bac,
                        QPushButton* kon, QPushButton* back);
