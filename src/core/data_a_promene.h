#pragma once

#include "core/runstate.h"

// The process-wide variables of the program. Plain variables on purpose: the forms read and write
// them directly, and there is one thread.
namespace Data_a_promene {

inline RunState runState;

// Correct result of the current example, single precision.
inline float resultRe = 0;
inline float resultIm = 0;

// Value at the ends of the Gauss-plane axes for the current example.
inline float axisLimit = 0;

// True only while the error review shows a correct drawing on krok2 or Krok3.
inline bool correctDrawingMode = false;

// Back to the state at program start (used between test cases).
inline void resetAll()
{
    runState = RunState{};
    resultRe = resultIm = 0;
    axisLimit = 0;
    correctDrawingMode = false;
}

} // namespace Data_a_promene
