#include "teacher/classchart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QPainter>
#include <QSaveFile>
#include <QScrollArea>
#include <QValueAxis>

namespace {

constexpr int barPixels = 22;
constexpr int daysHeight = 420;

// Chart titles and axis labels are drawn as rich text: a pupil's "<h1>" must stay letters.
QString plain(const QString& text)
{
    return text.toHtmlEscaped();
}

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

QList<const ClassResults::Pupil*> ofClass(const QString& className, const QList<ClassResults::Pupil>& pupils)
{
    QList<const ClassResults::Pupil*> members;
    for (const ClassResults::Pupil& p : pupils)
        if (p.className == className)
            members << &p;
    return members;
}

QString periodSuffix(const QString& periodName)
{
    return periodName.isEmpty() ? QString() : QStringLiteral(", ") + periodName;
}

void renderInto(QPainter& painter, QChart* chart, const QRect& target)
{
    QChartView view(chart);
    view.setRenderHint(QPainter::Antialiasing);
    view.resize(target.size());
    view.QWidget::render(&painter, target.topLeft());
}

} // namespace

ClassChart::ClassChart(QWidget* parent) : QWidget(parent), bars(new QChartView), daily(new QChartView)
{
    bars->setObjectName(QStringLiteral("grafUspesnosti"));
    daily->setObjectName(QStringLiteral("grafPoDnech"));
    for (QChartView* view : {bars, daily}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(320, 220);
    }
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("grafUspesnostiPosuv"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(bars);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll, 3);
    layout->addWidget(daily, 2);
    showClass(std::nullopt, {}, {});
}

int ClassChart::successHeight(const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils)
{
    const qsizetype n = className ? ofClass(*className, pupils).size() : 0;
    const qsizetype shown = n > maxBars ? 11 : n;
    return int(qMax<qsizetype>(320, shown * barPixels + 140));
}

QChart* ClassChart::successChart(const std::optional<QString>& className, const QList<ClassResults::Pupil>& pupils,
                                 const QString& periodName)
{
    if (!className)
        return newChart(QStringLiteral("Vyberte třídu (v seznamu tříd nebo řádkem tabulky)"));
    const QString name = plain(ClassResults::shownClass(*className));
    const QList<const ClassResults::Pupil*> members = ofClass(*className, pupils);
    const bool anyResult =
        std::any_of(members.cbegin(), members.cend(), [](const ClassResults::Pupil* p) { return p->hasSuccess(); });
    if (!anyResult)
        return newChart(
            QStringLiteral("Třída %1 – žádné spočítané příklady%2").arg(name, plain(periodSuffix(periodName))));

    auto* set = new QBarSet(QStringLiteral("Úspěšnost (%)"));
    QStringList categories;
    double top = 100;
    QChart* chart = nullptr;
    if (members.size() > maxBars) {
        chart = newChart(
            QStringLiteral("Třída %1 – počet žáků podle úspěšnosti%2").arg(name, plain(periodSuffix(periodName))));
        QList<qint64> counts(11, 0);
        for (const ClassResults::Pupil* p : members)
            ++counts[p->hasSuccess() ? qMin(9, int(p->success() / 10.0)) : 10];
        // From the top down: the best tenth first, pupils without a finished example last.
        for (int i = 10; i >= 0; --i) {
            categories << (i == 10 ? QStringLiteral("bez příkladů")
                                   : QStringLiteral("%1–%2 %").arg(i * 10).arg(i * 10 + 10));
            *set << double(counts[i]);
        }
        top = double(*std::max_element(counts.cbegin(), counts.cend())) * 1.1;
    } else {
        chart = newChart(QStringLiteral("Třída %1 – úspěšnost žáků (%)%2").arg(name, plain(periodSuffix(periodName))));
        // Horizontal bars are drawn from the bottom up; the class's order reads from the top.
        for (auto it = members.crbegin(); it != members.crend(); ++it) {
            categories << plain((*it)->surname);
            *set << (*it)->success();
        }
    }
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPrecision(3);
    chart->addSeries(series);
    auto* namesAxis = new QBarCategoryAxis;
    namesAxis->append(categories);
    auto* valueAxis = new QValueAxis;
    valueAxis->setRange(0, top);
    valueAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(namesAxis, Qt::AlignLeft);
    chart->addAxis(valueAxis, Qt::AlignBottom);
    series->attachAxis(namesAxis);
    series->attachAxis(valueAxis);
    return chart;
}

QChart* ClassChart::daysChart(const std::optional<QString>& className, const QList<ClassResults::Day>& days,
                              const QString& periodName)
{
    if (!className)
        return newChart(QString());
    const QString name = plain(ClassResults::shownClass(*className));
    if (days.isEmpty())
        return newChart(
            QStringLiteral("Třída %1 – v období nejsou žádné běhy%2").arg(name, plain(periodSuffix(periodName))));
    QChart* chart =
        newChart(QStringLiteral("Třída %1 – spočítané příklady po dnech%2").arg(name, plain(periodSuffix(periodName))));
    auto* line = new QLineSeries;
    line->setPointsVisible(true);
    QDate first = days.first().day;
    QDate last = days.first().day;
    qint64 most = 0;
    for (const ClassResults::Day& d : days) {
        line->append(double(d.day.startOfDay().toMSecsSinceEpoch()), double(d.examples));
        first = qMin(first, d.day);
        last = qMax(last, d.day);
        most = qMax(most, d.examples);
    }
    chart->addSeries(line);
    auto* daysAxis = new QDateTimeAxis;
    daysAxis->setFormat(QStringLiteral("d. M. yyyy"));
    daysAxis->setRange(first.addDays(-1).startOfDay(), last.addDays(1).startOfDay());
    if (first.daysTo(last) <= 10)
        daysAxis->setTickCount(int(first.daysTo(last)) + 3); // a tick on every day
    auto* countAxis = new QValueAxis;
    countAxis->setRange(0, double(qMax<qint64>(most, 1)) * 1.1);
    countAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(daysAxis, Qt::AlignBottom);
    chart->addAxis(countAxis, Qt::AlignLeft);
    line->attachAxis(daysAxis);
    line->attachAxis(countAxis);
    return chart;
}

void ClassChart::showClass(const std::optional<QString>& chosen, const QList<ClassResults::Pupil>& pupils,
                           const QList<ClassResults::Day>& days, const QString& periodName)
{
    shownClass = chosen;
    shownPupils.clear();
    if (chosen)
        for (const ClassResults::Pupil& p : pupils)
            if (p.className == *chosen)
                shownPupils << p;
    shownDays = days;
    shownPeriod = periodName;
    replaceChart(bars, successChart(chosen, shownPupils, periodName));
    replaceChart(daily, daysChart(chosen, days, periodName));
    bars->setMinimumHeight(successHeight(chosen, shownPupils));
    const QString name = chosen ? ClassResults::shownClass(*chosen) : QString();
    bars->setAccessibleName(chosen ? QStringLiteral("Graf úspěšnosti žáků třídy %1").arg(name)
                                   : QStringLiteral("Graf úspěšnosti: není vybrána třída"));
    daily->setAccessibleName(chosen ? QStringLiteral("Graf spočítaných příkladů třídy %1 po dnech").arg(name)
                                    : QStringLiteral("Graf příkladů po dnech: není vybrána třída"));
}

QImage ClassChart::picture(int width) const
{
    const int top = successHeight(shownClass, shownPupils);
    QImage image(width, top + daysHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderInto(painter, successChart(shownClass, shownPupils, shownPeriod), QRect(0, 0, width, top));
    renderInto(painter, daysChart(shownClass, shownDays, shownPeriod), QRect(0, top, width, daysHeight));
    return image;
}

bool ClassChart::savePng(const QString& path, QString* problem) const
{
    QSaveFile file(path);
    const QImage image = picture();
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        if (problem)
            *problem = file.errorString();
        return false;
    }
    return true;
}
