#include "teacher/classtablemodel.h"

#include <QBrush>
#include <QCollator>

#include <QColor>
#include <numeric>

ClassTableModel::ClassTableModel(QObject* parent) : QAbstractTableModel(parent) {}

namespace {

QList<int> ranks(const QList<ClassResults::Pupil>& pupils, QString ClassResults::Pupil::*field)
{
    QCollator czech{QLocale(QLocale::Czech)};
    czech.setNumericMode(true);
    QList<QCollatorSortKey> keys;
    keys.reserve(pupils.size());
    for (const ClassResults::Pupil& p : pupils)
        keys << czech.sortKey(p.*field);
    QList<int> byKey(pupils.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::stable_sort(byKey.begin(), byKey.end(), [&keys](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    QList<int> rank(pupils.size());
    for (int i = 0, r = 0; i < byKey.size(); ++i) {
        if (i > 0 && keys[byKey[i - 1]].compare(keys[byKey[i]]) != 0)
            r = i;
        rank[byKey[i]] = r;
    }
    return rank;
}

} // namespace

ClassTableModel::Order ClassTableModel::orderOf(const QList<ClassResults::Pupil>& pupils)
{
    return {ranks(pupils, &ClassResults::Pupil::className), ranks(pupils, &ClassResults::Pupil::surname)};
}

void ClassTableModel::setPupils(const QList<ClassResults::Pupil>& pupils, Order given)
{
    beginResetModel();
    rows = pupils;
    order = given.surnameRank.size() == pupils.size() ? given : orderOf(pupils);
    endResetModel();
}

int ClassTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int ClassTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : NoteColumn + 1;
}

QVariant ClassTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows.size())
        return {};
    const ClassResults::Pupil& p = rows.at(index.row());
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column >= RunsColumn && column <= LastRunColumn ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                               : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role == OrderRole && (column == ClassColumn || column == SurnameColumn))
        return column == ClassColumn ? order.classRank.at(index.row()) : order.surnameRank.at(index.row());
    if (role == OrderRole)
        role = SortRole;
    if (role == Qt::ForegroundRole)
        return p.listed ? QVariant() : QVariant(QBrush(QColor(0xb0, 0, 0)));
    if (role == SortRole) {
        switch (column) {
        case ClassColumn:
            return p.className;
        case SurnameColumn:
            return p.surname;
        case RunsColumn:
            return p.runs;
        case RightColumn:
            return p.right;
        case WrongColumn:
            return p.wrong;
        case SuccessColumn:
            return p.hasSuccess() ? p.success() : -1.0;
        case LastRunColumn:
            return p.lastRun.isValid() ? p.lastRun.toJulianDay() : qint64(-1);
        default:
            return p.listed ? QString() : ClassResults::notListedText();
        }
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (column) {
    case ClassColumn:
        return p.className;
    case SurnameColumn:
        return p.surname;
    case RunsColumn:
        return czech.toString(p.runs);
    case RightColumn:
        return czech.toString(p.right);
    case WrongColumn:
        return czech.toString(p.wrong);
    case SuccessColumn:
        return p.hasSuccess() ? czech.toString(p.success(), 'f', 2) + QStringLiteral(" %") : QStringLiteral("–");
    case LastRunColumn:
        return p.lastRun.isValid() ? p.lastRun.toString(QStringLiteral("d. M. yyyy")) : QStringLiteral("–");
    default:
        return p.listed ? QString() : ClassResults::notListedText();
    }
}

QVariant ClassTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList titles = {
        QStringLiteral("Třída"),          QStringLiteral("Příjmení"),        QStringLiteral("Běhů"),
        QStringLiteral("Příklady dobře"), QStringLiteral("Příklady špatně"), QStringLiteral("Úspěšnost (%)"),
        QStringLiteral("Poslední běh"),   QStringLiteral("Poznámka")};
    return titles.value(section);
}
