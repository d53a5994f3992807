#pragma once

#include <QString>

// A pupil of the school sign-in list: one row of Zaci exactly as stored. The list shows it as
// "Prijmeni; Trida"; the run is recorded under these two values, never under a text split back
// out of the shown one (a surname may hold ";", a class may begin with blanks).
struct ProfileItem {
    QString surname;
    QString className;

    QString text() const { return surname + QStringLiteral("; ") + className; }
    bool operator==(const ProfileItem&) const = default;
};
