#pragma once

#include <QString>
#include <QtGlobal>

// The four counters of a run, as the evaluation adds them up and a report carries them.
struct RunCounts {
    qint32 examplesRight = 0;
    qint32 examplesWrong = 0;
    qint32 dialogsRight = 0;
    qint32 dialogsWrong = 0;
};

// The record of one run: filled at sign-in, counted by the evaluation, read at the end.
// Date-times are day counts since 30 Dec 1899, the time of day as the fraction.
struct RunState : RunCounts {
    bool emailMode = false;
    QString pupilName;
    QString pupilClass;
    double signInDateTime = 0;
    double signInTime = 0;
    QString profileSurname;
    QString profileClass;
};
