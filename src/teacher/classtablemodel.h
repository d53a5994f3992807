#pragma once

#include "store/classresults.h"

#include <QAbstractTableModel>
#include <QLocale>

// The class table: one row per pupil, shown with Czech number and date forms. SortRole gives the
// plain value of a cell (a number, a day number, a text). Only the rows shown are ever drawn, so a
// school of any size stays quick.
class ClassTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ClassColumn,
        SurnameColumn,
        RunsColumn,
        RightColumn,
        WrongColumn,
        SuccessColumn,
        LastRunColumn,
        NoteColumn
    };
    // OrderRole: a whole number whose order is the column's order (Czech order for texts), for sorting.
    enum Role { SortRole = Qt::UserRole, OrderRole };

    // The rank of every pupil's class and surname in Czech order. Worked out on any thread, so that a
    // school of 100 000 pupils is put in order away from the window.
    struct Order {
        QList<int> classRank;
        QList<int> surnameRank;
    };
    static Order orderOf(const QList<ClassResults::Pupil>& pupils);

    explicit ClassTableModel(QObject* parent = nullptr);

    // Without an order it is worked out here.
    void setPupils(const QList<ClassResults::Pupil>& pupils, Order order = Order());
    const QList<ClassResults::Pupil>& pupils() const { return rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ClassResults::Pupil> rows;
    Order order;
    QLocale czech{QLocale::Czech};
};
