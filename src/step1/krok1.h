#pragma once

#include "core/example.h"
#include "ui/forms/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Step 1: the two complex numbers, the task, and the pupil's four entries.
class Krok1 : public Form {
    Q_OBJECT
public:
    Krok1();

    // A new example with the entries empty.
    void showExample(const Example& example);

    // The pupil's entries exactly as typed.
    struct Answers {
        QString re, im, absh, fi;
    };
    Answers answers() const;
    void focusFirstEntry();

signals:
    // "&Dále".
    void forwardRequested();

private:
    // One complex number as four labels: real part, sign, magnitude of the imaginary part, "i".
    struct NumberLabels {
        QLabel* re;
        QLabel* sign;
        QLabel* im;
    };
    NumberLabels firstNumber;
    NumberLabels secondNumber;
    QLabel* taskLabel;
    QLabel* resultHeading;
    QLineEdit* realPartEntry;
    QLineEdit* imaginaryPartEntry;
    QLineEdit* absoluteValueEntry;
    QLineEdit* angleEntry;
    QPushButton* forwardButton;
    QPushButton* endButton;
};
