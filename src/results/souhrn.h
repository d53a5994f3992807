#pragma once

#include "ui/forms/form.h"

#include "core/runstate.h"

#include <optional>

class QLabel;
class QPushButton;

// "Souhrn": the counts of the run and, at school, the pupil's totals over all runs.
class Souhrn : public Form {
    Q_OBJECT
public:
    Souhrn();

    // The pupil's examples over all runs, as the school database counts them.
    struct Totals {
        qint32 right = 0;
        qint32 wrong = 0;
    };
    // Today's counters and the totals; without totals (an e-mail report) they are "není k dispozici".
    void showCounts(const RunCounts& today, std::optional<Totals> overall);

signals:
    // "&OK", or closing by the frame.
    void confirmed();

protected:
    // Closing by the frame goes on like "&OK", so that the e-mail report cannot be lost this way.
    bool closeRequested() override;

private:
    QLabel* todayHeading;
    QLabel* overallHeading;
    QLabel* todayRightLabel;
    QLabel* todayWrongLabel;
    QLabel* overallRightLabel;
    QLabel* overallWrongLabel;
    QLabel* Dnes[3];
    QLabel* Celk[3];
    QLabel* dialogsRightLabel;
    QLabel* dilcichDobre;
    QLabel* dialogsWrongLabel;
    QLabel* dilcichSpatne;
    QPushButton* okButton; // &OK
};
