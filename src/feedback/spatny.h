#pragma once

#include "core/example.h"
#include "ui/forms/form.h"

#include <QList>
#include <QPair>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace Judging {
struct Verdict;
}

// "C H Y B A": the error review with the correct result, the wrong items in red, and the buttons that
// show the correct vector and sinusoid on the step forms.
class Spatny : public Form {
    Q_OBJECT
public:
    Spatny();

    // Rebuilds every caption for the example and its correct result; the marks are left as the
    // evaluation set them.
    void showExample(const Example& example);

    // All value labels blue, both buttons not bold.
    void resetMarks();
    // The items the verdict found wrong: labels red, buttons bold.
    void setMarks(const Judging::Verdict& verdict);

signals:
    void continueRequested();        // "&Pokračovat": the next example
    void correctSinusoidRequested(); // "&Sinus"
    void correctVectorRequested();   // "&Vektor"

private:
    QLabel* headingLabel;
    QLabel* firstNumberTitle;
    QLabel* cis1[3];
    QLabel* firstUnitLabel;
    QLabel* secondNumberTitle;
    QLabel* cis2[3];
    QLabel* secondUnitLabel;
    QLabel* oper;
    QLabel* cis3[3];
    QLabel* resultUnitLabel;
    QLabel* absoluteValueTitle;
    QLabel* ab;
    QLabel* angleTitleLabel;
    QLabel* angleSymbol;
    QLabel* angleColon;
    QLabel* uhFi;
    QLabel* degreeSign;
    QPushButton* sinusoidButton; // &Sinus
    QPushButton* vectorButton;   // &Vektor
    QPushButton* continueButton; // &Pokračovat
    QPushButton* endButton;      // &Konec
    QFrame* lines[5];

private:
    // Every value label is read out with what it shows ("Správný úhel ve stupních: 36,9"), and tells a
    // screen reader what the red colour and the bold button tell the eye.
    void speakValues();

    QList<QPair<QLabel*, QString>> m_spoken; // value label, words read before its value
};
