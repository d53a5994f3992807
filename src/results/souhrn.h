#pragma once

#include "ui/forms/form.h"

#include <QDateTime>

class QLabel;
class QPushButton;

// "Souhrn": the counts of the run and, at school, the pupil's totals. Loading it is the moment the
// results leave the program: written into the school database, or encoded for the e-mail.
class Souhrn : public Form {
    Q_OBJECT
public:
    Souhrn();

    void Form_Load() override;

protected:
    // Closing by the frame goes on like "&OK", so that the e-mail report cannot be lost this way.
    bool closeRequested() override;

private:
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Dnes[3];
    QLabel* Celk[3];
    QLabel* Label8;
    QLabel* dilcichDobre;
    QLabel* Label7;
    QLabel* dilcichSpatne;
    QPushButton* Command1; // &OK

    void encodeForEmail(const QDateTime& end);
    // Writes the run; on a failure offers another try or the e-mail report. False: e-mail it is.
    bool storeAtSchool(const QDateTime& end, qint32& overallRight, qint32& overallWrong);
    void switchToEmailReport(const QDateTime& end);
    void Command1_Click();
};
