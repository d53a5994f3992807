#pragma once

#include "core/example.h"
#include "ui/forms/forms.h"

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <QtTest>

// Runs a helper that checks as it goes, and ends the test when it failed.
#define PUPIL(...)                                                                                                     \
    do {                                                                                                               \
        __VA_ARGS__;                                                                                                   \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

// Shared test fixtures: a clean program state, scripted platform answers, the forms' widgets by name.
namespace TestSupport {

// Unloads every form, clears the shared variables and puts in scripted platform functions:
// no real beeps, program end recorded, a fixed clock, questions answered by `questionAnswers`.
// The configuration is an empty folder and the default locale Czech.
void resetProgram();

// Recorded by the scripted platform.
extern int beeps;
extern int endRequests;
// Answers given to questions, in order; Yes when empty.
extern QList<QMessageBox::StandardButton> questionAnswers;
extern QList<QString> questionsAsked;

// A random source that returns the given values in turn (then repeats the last one).
RandomSource scripted(QList<float> values);
// The next new example will be drawn from these values (without it: (100 + 200i) + (300 - 400i)).
void scriptNextExample(QList<float> values);
// The value r that makes floor(r * span - offset) give the whole number n.
float drawFor(int n, float span, float offset);
// The draws of a product or quotient (op 3, 4) or a sum or difference (op 1, 2) of a1 + b1 i, a2 + b2 i.
QList<float> exampleDraws(int op, int a1, int b1, int a2, int b2);

// A widget of a form by its object name (the control's name); a missing one ends the test program
// with the names of the form and the widget.
template <class T = QWidget> T* child(const QWidget* form, const char* name)
{
    T* w = form ? form->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!w)
        qFatal("%s has no %s", form ? qPrintable(form->objectName()) : "(no form)", name);
    return w;
}
template <class T = QWidget, class F> T* child(const char* name)
{
    return child<T>(&Forms::get<F>(), name);
}

// The form when it is loaded and visible; active: once it has become the active window too.
template <class F> F* shown()
{
    F* form = Forms::find<F>();
    return form && form->isVisible() ? form : nullptr;
}
template <class F> F* active()
{
    F* form = shown<F>();
    return form && QTest::qWaitForWindowActive(form) ? form : nullptr;
}

// One example done by keys and mouse from Krok1 up to "&Dokončit" pressed by Enter: the four entries
// typed (Tab between them), the vector and the sinusoid drawn right when asked (the phase shift only
// with `phase`), the short way for a phase beyond half a period.
struct Work {
    QStringList step1;
    bool vector = true, sinusoid = true, phase = true;
};
void workExample(const Work& work);

} // namespace TestSupport
