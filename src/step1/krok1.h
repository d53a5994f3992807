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

    // Seeds the random source from the clock and shows a new example with the entries empty.
    void Form_Load() override;

    // The pupil's entries exactly as typed.
    struct Answers {
        QString re, im, absh, fi;
    };
    Answers answers() const;
    const Example& example() const { return m_example; }
    void focusFirstEntry();

signals:
    // "&Dále".
    void forwardRequested();

private:
    void GenerateExample();

    QLabel* k1[2];
    QLabel* z[2];
    QLabel* k2[2];
    QLabel* inform;
    QLabel* oper;
    QLineEdit* vys[2];
    QLineEdit* absh;
    QLineEdit* fi;
    QPushButton* Contin;
    QPushButton* Command3;

    Example m_example;
    RandomSource m_random;
};
