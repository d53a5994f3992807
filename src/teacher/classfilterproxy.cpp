#include "teacher/classfilterproxy.h"

#include "teacher/classtablemodel.h"

ClassFilterProxy::ClassFilterProxy(QObject* parent) : QSortFilterProxyModel(parent), collator(QLocale(QLocale::Czech))
{
    setSortRole(ClassTableModel::OrderRole);
    collator.setNumericMode(true);
}

void ClassFilterProxy::setClassName(const std::optional<QString>& className)
{
    onlyClass = className;
    invalidateRowsFilter();
}

void ClassFilterProxy::setSurnameSearch(const QString& text)
{
    search = folded(text.trimmed());
    invalidateRowsFilter();
}

QString ClassFilterProxy::folded(const QString& text)
{
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    return out.toCaseFolded();
}

bool ClassFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const QAbstractItemModel* model = sourceModel();
    if (onlyClass && model->index(sourceRow, ClassTableModel::ClassColumn, sourceParent)
                             .data(ClassTableModel::SortRole)
                             .toString() != *onlyClass)
        return false;
    if (search.isEmpty())
        return true;
    return folded(model->index(sourceRow, ClassTableModel::SurnameColumn, sourceParent)
                      .data(ClassTableModel::SortRole)
                      .toString())
        .contains(search);
}

bool ClassFilterProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return collator.compare(a.toString(), b.toString()) < 0;
    return QVariant::compare(a, b) == QPartialOrdering::Less;
}
