#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A pupil list in a UTF-8 CSV file: "surname;class" a line, fields may be in double quotes (a
// surname holding ";" must be), an optional header line, blank lines ignored.
struct PupilCsv {
    struct Pupil {
        QString surname;
        QString className;
    };

    QList<Pupil> pupils;
    // One Czech line per bad input line, with its number.
    QStringList badLines;

    static PupilCsv parse(const QByteArray& content);
};
