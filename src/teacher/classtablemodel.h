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
    enum Role { SortRole = Qt::UserRole };

    explicit ClassTableModel(QObject* parent = nullptr);

    void setPupils(const QList<ClassResults::Pupil>& pupils);
    const QList<ClassResults::Pupil>& pupils() const { return rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ClassResults::Pupil> rows;
    QLocale czech{QLocale::Czech};
};
