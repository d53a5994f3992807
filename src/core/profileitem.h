#pragma once

#include <QString>

// A profile of the school sign-in list, "Prijmeni; Trida", split back into its two parts.
struct ProfileItem {
    QString surname;   // the text before the first ";"
    QString className; // the text after the last ";", leading blanks removed

    static ProfileItem parse(const QString& item);
};
