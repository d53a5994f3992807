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

    // Seeds the random source from the clock, hides Vysledky and draws a new example.
    void Form_Load() override;
    void GenerateExample();
    void CopyToResultsWindow();

    // The pupil's entries exactly as typed.
    struct Answers {
        QString re, im, absh, fi;
    };
    Answers answers() const;

    Operation operation() const { return m_example.operation; }
    const Example& example() const { return m_example; }
    // Caption of an operand label as shown: k1(i), k2(i), z(i).
    QString k1Caption(int i) const;
    QString k2Caption(int i) const;
    QString zCaption(int i) const;
    void focusFirstEntry();

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

private:
    void Contin_Click();
    void Command3_Click();

    Example m_example;
    RandomSource m_random;
};
