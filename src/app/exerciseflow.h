#pragma once

#include "core/example.h"
#include "core/planemapping.h"
#include "core/runstate.h"
#include "core/sinusoidscale.h"

#include <QString>

class Souhrn;

// The run of the program in one place: which form follows which, a new example, the judging, the
// review with its correct drawings, and the end with the run stored or encoded. The forms show what
// they are given and report what the pupil did; every move between them is made here.
namespace ExerciseFlow {

// What one run holds, from the sign-in to the end.
struct Run {
    RunState runState;
    // The current example (with its correct result, resultRe and resultIm) and the plane and the
    // sinusoid it is drawn on (axisLimit, axisMax).
    Example example;
    PlaneMapping plane;
    SinusoidScale sinusoid;
    // True only while the review shows a correct drawing on krok2 or Krok3.
    bool correctDrawingMode = false;
    // The encoded report of an e-mail run, once the run has ended.
    QString encodedBlock;
};

// Connects every form of the program as it is made, puts the end confirmation in place and starts
// with an empty run; once at start.
void install();

// The run of the program.
Run& run();

// The splash, the first window of the program.
void start();

// After the help: the first example on Krok1.
void firstExample();

// The end of the run: stored in the school database (the pupil's totals read back) or encoded for
// the e-mail, then shown on the summary, which is returned loaded but not shown.
Souhrn& summarise();

// After "&Ano" on Konec: the summary, shown modal.
void endRun();

} // namespace ExerciseFlow
