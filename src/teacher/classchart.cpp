#include "teacher/classchart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QSaveFile>
#include <QValueAxis>

namespace {

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Czech));
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

void replaceChart(QChartView* view, QChart* chart)
{
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace

ClassChart::ClassChart(QWidget* parent) : QWidget(parent), bars(new QChartView(this)), daily(new QChartView(this))
{
    bars->setObjectName(QStringLiteral("grafUspesnosti"));
    daily->setObjectName(QStringLiteral("grafPoDnech"));
    for (QChartView* view : {bars, daily}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(320, 220);
    }
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bars);
    layout->addWidget(daily);
    showClass(std::nullopt, {}, {});
}

void ClassChart::showClass(const std::optional<QString>& chosen, const QList<ClassResults::Pupil>& pupils,
                           const QList<ClassResults::Day>& days)
{
    shownClass = chosen;
    if (!chosen) {
        replaceChart(bars, newChart(QStringLiteral("Vyberte třídu (v seznamu tříd nebo řádkem tabulky)")));
        replaceChart(daily, newChart(QString()));
        bars->setAccessibleName(QStringLiteral("Graf úspěšnosti: není vybrána třída"));
        daily->setAccessibleName(QStringLiteral("Graf příkladů po dnech: není vybrána třída"));
        return;
    }
    const QString className = *chosen;
    const QString shownName = className.isEmpty() ? QStringLiteral("(neuvedena)") : className;

    QChart* barChart = newChart(QStringLiteral("Třída %1 – úspěšnost žáků (%)").arg(shownName));
    auto* set = new QBarSet(QStringLiteral("Úspěšnost (%)"));
    QStringList surnames;
    for (const ClassResults::Pupil& p : pupils) {
        if (p.className != className)
            continue;
        surnames << p.surname;
        *set << p.success();
    }
    auto* barSeries = new QBarSeries;
    barSeries->append(set);
    barChart->addSeries(barSeries);
    auto* pupilsAxis = new QBarCategoryAxis;
    pupilsAxis->append(surnames);
    pupilsAxis->setLabelsAngle(surnames.size() > 8 ? -60 : 0);
    auto* percentAxis = new QValueAxis;
    percentAxis->setRange(0, 100);
    percentAxis->setLabelFormat(QStringLiteral("%.0f"));
    barChart->addAxis(pupilsAxis, Qt::AlignBottom);
    barChart->addAxis(percentAxis, Qt::AlignLeft);
    barSeries->attachAxis(pupilsAxis);
    barSeries->attachAxis(percentAxis);
    replaceChart(bars, barChart);
    bars->setAccessibleName(QStringLiteral("Graf úspěšnosti žáků třídy %1").arg(shownName));

    QChart* dayChart = newChart(QStringLiteral("Třída %1 – spočítané příklady po dnech").arg(shownName));
    auto* line = new QLineSeries;
    line->setPointsVisible(true);
    QDate first;
    QDate last;
    qint64 most = 0;
    for (const ClassResults::Day& d : days) {
        line->append(double(d.day.startOfDay().toMSecsSinceEpoch()), double(d.examples));
        first = first.isValid() ? qMin(first, d.day) : d.day;
        last = last.isValid() ? qMax(last, d.day) : d.day;
        most = qMax(most, d.examples);
    }
    dayChart->addSeries(line);
    auto* daysAxis = new QDateTimeAxis;
    daysAxis->setFormat(QStringLiteral("d. M. yyyy"));
    if (first.isValid())
        daysAxis->setRange(first.addDays(-1).startOfDay(), last.addDays(1).startOfDay());
    auto* countAxis = new QValueAxis;
    countAxis->setRange(0, double(qMax<qint64>(most, 1)) * 1.1);
    countAxis->setLabelFormat(QStringLiteral("%.0f"));
    dayChart->addAxis(daysAxis, Qt::AlignBottom);
    dayChart->addAxis(countAxis, Qt::AlignLeft);
    line->attachAxis(daysAxis);
    line->attachAxis(countAxis);
    replaceChart(daily, dayChart);
    daily->setAccessibleName(QStringLiteral("Graf spočítaných příkladů třídy %1 po dnech").arg(shownName));
}

bool ClassChart::savePng(const QString& path, QString* problem) const
{
    QSaveFile file(path);
    const QImage picture = const_cast<ClassChart*>(this)->grab().toImage();
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        if (problem)
            *problem = file.errorString();
        return false;
    }
    return true;
}
