#include "teacher/classtablemodel.h"

ClassTableModel::ClassTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ClassTableModel::setPupils(const QList<ClassResults::Pupil>& pupils)
{
    beginResetModel();
    rows = pupils;
    endResetModel();
}

int ClassTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int ClassTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : LastRunColumn + 1;
}

QVariant ClassTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows.size())
        return {};
    const ClassResults::Pupil& p = rows.at(index.row());
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column >= RunsColumn ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
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
        default:
            return p.lastRun.isValid() ? p.lastRun.toJulianDay() : qint64(-1);
        }
    }
    if (role != Qt::DisplayRole && role != ExportRole && role != Qt::AccessibleTextRole)
        return {};
    // A spreadsheet reads numbers without digit grouping; the table groups them.
    const bool exporting = role == ExportRole;
    const QLocale::NumberOptions options = exporting ? QLocale::OmitGroupSeparator : QLocale::DefaultNumberOptions;
    QLocale locale = czech;
    locale.setNumberOptions(options);
    switch (column) {
    case ClassColumn:
        return p.className;
    case SurnameColumn:
        return p.surname;
    case RunsColumn:
        return locale.toString(p.runs);
    case RightColumn:
        return locale.toString(p.right);
    case WrongColumn:
        return locale.toString(p.wrong);
    case SuccessColumn:
        if (!p.hasSuccess())
            return exporting ? QString() : QStringLiteral("–");
        return locale.toString(p.success(), 'f', 2) + (exporting ? QString() : QStringLiteral(" %"));
    default:
        if (!p.lastRun.isValid())
            return exporting ? QString() : QStringLiteral("–");
        return p.lastRun.toString(exporting ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("d. M. yyyy"));
    }
}

QVariant ClassTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != ExportRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList titles = {
        QStringLiteral("Třída"),          QStringLiteral("Příjmení"),        QStringLiteral("Běhů"),
        QStringLiteral("Příklady dobře"), QStringLiteral("Příklady špatně"), QStringLiteral("Úspěšnost (%)"),
        QStringLiteral("Poslední běh")};
    return titles.value(section);
}
