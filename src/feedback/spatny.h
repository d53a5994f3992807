#pragma once

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

    // Rebuilds every caption for the current example and draws both correct drawings; the marks are
    // left as the evaluation set them.
    void Form_Load() override;

    // All value labels blue, both buttons not bold.
    void resetMarks();
    // The items the verdict found wrong: labels red, buttons bold.
    void setMarks(const Judging::Verdict& verdict);

    // Text colour of a label as a 0x00BBGGRR number.
    static quint32 foreColor(const QLabel* label);
    static void setForeColor(QLabel* label, quint32 bgr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* cis1[3];
    QLabel* Label12;
    QLabel* Label3;
    QLabel* cis2[3];
    QLabel* Label13;
    QLabel* oper;
    QLabel* cis3[3];
    QLabel* Label17;
    QLabel* Label5;
    QLabel* ab;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* uhFi;
    QLabel* Label21;
    QPushButton* Sinusak;  // &Sinus
    QPushButton* vek;      // &Vektor
    QPushButton* Command1; // &Pokračovat
    QPushButton* Command2; // &Konec
    QFrame* Line[5];

private:
    // Every value label is read out with what it shows ("Správný úhel ve stupních: 36,9"), and tells a
    // screen reader what the red colour and the bold button tell the eye.
    void speakValues();
    void Command1_Click();
    void Command2_Click();
    void Sinusak_Click();
    void vek_Click();

    QList<QPair<QLabel*, QString>> m_spoken; // value label, words read before its value
};
