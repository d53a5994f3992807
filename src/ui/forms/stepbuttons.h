#pragma once

class QGridLayout;
class QPushButton;

// The button row of the drawing steps: forward, back, end, and the review's way back, which is
// hidden and takes the place of all three.
QGridLayout* layoutStepButtons(QPushButton* forward, QPushButton* bac, QPushButton* kon, QPushButton* back);

// While the review shows the correct drawing only `back` is there, as the default button; otherwise
// the three normal buttons, the forward one the default.
void showReviewButtons(bool review, QPushButton* forward, QPushButton* bac, QPushButton* kon, QPushButton* back);
