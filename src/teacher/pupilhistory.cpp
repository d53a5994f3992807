#include "teacher/pupilhistory.h"

#include "store/csvtext.h"
#include "teacher/teachersystem.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

PupilHistory::PupilHistory(const QString& surname, const QString& className, const QList<ClassResults::Run>& runs,
                           const ClassResults::Period& period, QWidget* parent)
    : QDialog(parent), surname(surname), className(className), runs(runs), period(period),
      runsTable(new QTableWidget(int(runs.size()), 7)), successView(new QChartView)
{
    setObjectName(QStringLiteral("Historie"));
    const QString who = QStringLiteral("%1, třída %2").arg(surname, ClassResults::shownClass(className));
    setWindowTitle(QStringLiteral("Historie žáka – %1").arg(who));
    auto* heading = new QLabel(QStringLiteral("%1 – %2, běhů: %3").arg(who, period.name()).arg(runs.size()));
    heading->setTextFormat(Qt::PlainText);
    heading->setObjectName(QStringLiteral("nadpisHistorie"));

    const QLocale czech(QLocale::Czech);
    runsTable->setObjectName(QStringLiteral("behy"));
    runsTable->setAccessibleName(QStringLiteral("Běhy žáka"));
    runsTable->setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Začátek"), QStringLiteral("Konec"),
                                          QStringLiteral("Dobře"), QStringLiteral("Špatně"),
                                          QStringLiteral("Úspěšnost"), QStringLiteral("Odkud")});
    runsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    runsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    runsTable->verticalHeader()->hide();
    runsTable->horizontalHeader()->setStretchLastSection(true);
    auto* line = new QLineSeries;
    line->setPointsVisible(true);
    for (int r = 0; r < runs.size(); ++r) {
        const ClassResults::Run& run = runs.at(r);
        const QStringList cells = {
            run.date.isValid() ? run.date.toString(QStringLiteral("d. M. yyyy")) : QStringLiteral("–"),
            run.start.toString(QStringLiteral("H:mm")),
            run.end.toString(QStringLiteral("H:mm")),
            czech.toString(run.right),
            czech.toString(run.wrong),
            run.hasSuccess() ? czech.toString(run.success(), 'f', 2) + QStringLiteral(" %") : QStringLiteral("–"),
            run.byMail() ? QStringLiteral("e-mailem") : QStringLiteral("ve škole (%1)").arg(run.signedInAs)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells.at(c));
            if (c >= 3 && c <= 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            runsTable->setItem(r, c, item);
        }
        if (run.hasSuccess() && run.date.isValid())
            line->append(double(QDateTime(run.date, run.start.isValid() ? run.start : QTime(0, 0)).toMSecsSinceEpoch()),
                         run.success());
    }
    runsTable->resizeColumnsToContents();

    auto* chart = new QChart;
    chart->setLocalizeNumbers(true);
    chart->setLocale(czech);
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    if (line->count() == 0) {
        delete line;
        chart->setTitle(QStringLiteral("V období žádné spočítané příklady"));
    } else {
        chart->setTitle(QStringLiteral("Úspěšnost (%) v čase – %1").arg(who.toHtmlEscaped()));
        chart->addSeries(line);
        auto* days = new QDateTimeAxis;
        days->setFormat(QStringLiteral("d. M. yyyy"));
        // Whole days from the day before the first run to the day after the last, a tick on each when they fit.
        const QDate first = QDateTime::fromMSecsSinceEpoch(qint64(line->at(0).x())).date().addDays(-1);
        const QDate last = QDateTime::fromMSecsSinceEpoch(qint64(line->at(line->count() - 1).x())).date().addDays(2);
        days->setRange(first.startOfDay(), last.startOfDay());
        if (first.daysTo(last) <= 10)
            days->setTickCount(int(first.daysTo(last)) + 1);
        auto* percent = new QValueAxis;
        percent->setRange(0, 100);
        percent->setLabelFormat(QStringLiteral("%.0f"));
        chart->addAxis(days, Qt::AlignBottom);
        chart->addAxis(percent, Qt::AlignLeft);
        line->attachAxis(days);
        line->attachAxis(percent);
    }
    successView->setChart(chart);
    successView->setObjectName(QStringLiteral("grafHistorie"));
    successView->setAccessibleName(QStringLiteral("Graf úspěšnosti žáka v čase"));
    successView->setRenderHint(QPainter::Antialiasing);
    successView->setMinimumHeight(220);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(runsTable);
    splitter->addWidget(successView);
    splitter->setSizes({300, 300});
    auto* buttons = new QDialogButtonBox;
    QPushButton* closeButton = buttons->addButton(QStringLiteral("&Zavřít"), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(QStringLiteral("zavrit"));
    QPushButton* exportButton = buttons->addButton(QStringLiteral("&Export do CSV…"), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("exportHistorie"));
    exportButton->setAutoDefault(false);
    connect(exportButton, &QPushButton::clicked, this, &PupilHistory::exportCsv);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    resize(860, 720);
}

void PupilHistory::exportCsv()
{
    const QString path = TeacherSystem::saveFileName(this, QStringLiteral("Uložit historii žáka jako CSV"),
                                                     QStringLiteral("historie-%1-%2.csv").arg(surname, className),
                                                     QStringLiteral("Soubory CSV (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(ClassResults::historyCsv(surname, className, runs, period)) < 0 || !file.commit())
        TeacherSystem::message(this, QMessageBox::Warning, windowTitle(),
                               QStringLiteral("Historii nelze uložit do „%1“: %2")
                                   .arg(QDir::toNativeSeparators(path), file.errorString()));
}
