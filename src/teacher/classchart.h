#pragma once

#include "store/classresults.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QChart;
class QChartView;

// The class at a glance: success per pupil as horizontal bars with full names, and the examples
// worked per day. A chart without data has no axes. Every text from a pupil is shown as plain text.
class ClassChart : public QWidget {
    Q_OBJECT
public:
    // A larger class is shown as the number of pupils per tenth of success instead of a bar each.
    static constexpr int maxBars = 60;

    explicit ClassChart(QWidget* parent = nullptr);

    // Without a class both charts are empty and ask for one.
    void showClass(const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
                   const QList<ClassResults::Day>& days, const QString& periodName = QString());
    const std::optional<QString>& className() const { return shownClass; }

    // Both charts one above the other at a fixed width, whatever the window's size; the height
    // grows with the number of bars.
    QImage picture(int width = 1200) const;
    // The picture as a PNG file; false with a Czech reason.
    bool savePng(const QString& path, QString* problem) const;

    // The charts of a class, each a new object for the caller.
    static QChart* successChart(const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
                                const QString& periodName);
    static QChart* daysChart(const std::optional<QString>& className, const QList<ClassResults::Day>& days,
                             const QString& periodName);
    // Height in pixels the success chart needs to show every name.
    static int successHeight(const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils);

private:
    QChartView* bars;
    QChartView* daily;
    std::optional<QString> shownClass;
    QList<ClassResults::Pupil> shownPupils;
    QList<ClassResults::Day> shownDays;
    QString shownPeriod;
};
