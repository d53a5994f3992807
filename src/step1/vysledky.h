#pragma once

#include "step1/krok1.h"
#include "ui/forms/form.h"

class QLabel;

// "Tvoje výsledky": the task and the pupil's step-1 answers beside steps 2 and 3.
class Vysledky : public Form {
    Q_OBJECT
public:
    Vysledky();

    // The task and the pupil's step-1 entries, then the window becomes visible.
    void showAnswers(const Example& example, const Krok1::Answers& typed);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* taskLabel;
    QLabel* k1[3]; // a1, |b1|, sign of b1
    QLabel* k2[3]; // a2, |b2|, sign of b2
    QLabel* operace;
    QLabel* v[3]; // real part, |imaginary part|, sign
    QLabel* fi;
    QLabel* ah;
    bool m_placed = false;
};
