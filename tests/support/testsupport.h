#pragma once

#include "core/example.h"

#include <QList>
#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Shared test fixtures: a clean program state, scripted platform answers, modal helpers.
namespace TestSupport {

// Unloads every form, clears the shared variables and puts in scripted platform functions:
// no real beeps, program end recorded, a fixed clock, questions answered by `answers`.
void resetProgram();

// Recorded by the scripted platform.
extern int beeps;
extern int endRequests;
// Answers given to questions, in order; Yes when empty.
extern QList<QMessageBox::StandardButton> questionAnswers;
extern QList<QString> questionsAsked;

// A random source that returns the given values in turn (then repeats the last one).
RandomSource scripted(QList<float> values);
// The next new example will be drawn from these values.
void scriptNextExample(QList<float> values);

// Runs `action` on the next modal widget that appears (checked every 20 ms for up to 5 s).
void onNextModal(std::function<void(QWidget*)> action);

// The value r that makes floor(r * span - offset) give the whole number n.
float drawFor(int n, float span, float offset);

} // namespace TestSupport
