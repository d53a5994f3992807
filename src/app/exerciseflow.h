#pragma once

// The run of the program in one place: which form follows which, a new example, the judging, the
// review with its correct drawings, and the end. The forms show what they are given and report what
// the pupil did; every move between them is made here.
namespace ExerciseFlow {

// Connects every form of the loop as it is made, and puts the end confirmation in place; once at start.
void install();

// The splash, the first window of the program.
void start();

// After the help: the first example on Krok1.
void firstExample();

// After "&Ano" on Konec: the summary, which stores or encodes the run.
void endRun();

} // namespace ExerciseFlow
