#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>

#include <optional>

// The class table as the teacher narrows it: one class or all, a part of a surname (without
// regard to case or accents), sorted by the plain values of a column, texts in Czech order.
class ClassFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ClassFilterProxy(QObject* parent = nullptr);

    // No class shows every class.
    void setClassName(const std::optional<QString>& className);
    void setSurnameSearch(const QString& text);

    // Lower case without accents: "Dvořák" → "dvorak".
    static QString folded(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    std::optional<QString> onlyClass;
    QString search;
    QCollator collator;
};
