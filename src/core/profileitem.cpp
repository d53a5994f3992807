#include "core/profileitem.h"

ProfileItem ProfileItem::parse(const QString& item)
{
    const qsizetype first = item.indexOf(QLatin1Char(';'));
    const qsizetype last = item.lastIndexOf(QLatin1Char(';'));
    // A list item without any ";" is taken whole as the surname, with no class.
    if (first < 0)
        return {item, QString()};
    QString className = item.mid(last + 1);
    qsizetype blanks = 0;
    while (blanks < className.size() && className.at(blanks) == QLatin1Char(' '))
        ++blanks;
    className.remove(0, blanks);
    return {item.left(first), className};
}
