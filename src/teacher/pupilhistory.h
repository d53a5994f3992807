#pragma once

#include "store/classresults.h"

#include <QDialog>

class QTableWidget;
class QChartView;

// A pupil's runs in the period: date, times, counts, success and whether the run came from school
// or by e-mail, with the pupil's success over time.
class PupilHistory : public QDialog {
    Q_OBJECT
public:
    PupilHistory(const QString& surname, const QString& className, const QList<ClassResults::Run>& runs,
                 const ClassResults::Period& period, QWidget* parent = nullptr);

    QTableWidget* table() const { return runsTable; }
    QChartView* chart() const { return successView; }

private:
    void exportCsv();

    QString surname;
    QString className;
    QList<ClassResults::Run> runs;
    ClassResults::Period period;
    QTableWidget* runsTable;
    QChartView* successView;
};
