#pragma once

#include "store/classresults.h"

#include <QWidget>

#include <optional>

class QChartView;

// The class at a glance: success per pupil as bars, and the examples worked per day.
class ClassChart : public QWidget {
    Q_OBJECT
public:
    explicit ClassChart(QWidget* parent = nullptr);

    // Without a class both charts are empty and ask for one.
    void showClass(const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
                   const QList<ClassResults::Day>& days);
    const std::optional<QString>& className() const { return shownClass; }

    // Both charts side by side as one PNG picture; false with a Czech reason.
    bool savePng(const QString& path, QString* problem) const;

private:
    QChartView* bars;
    QChartView* daily;
    std::optional<QString> shownClass;
};
