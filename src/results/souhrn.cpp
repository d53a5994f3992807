#include "results/souhrn.h"

#include "core/examplenoun.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using SummaryText::countCaption;
using SummaryText::saturatingSum;

namespace {

const QString notAvailable = QStringLiteral("není k dispozici");

// A count is read out with the words of its row and column ("Dnes, dobře: 3 příklady").
void setCount(QLabel* label, const QString& text, const QString& spokenContext)
{
    label->setText(text);
    label->setAccessibleName(spokenContext + QStringLiteral(": ") + text.trimmed());
}

} // namespace

Souhrn::Souhrn()
{
    setObjectName(QStringLiteral("Souhrn"));
    setWindowTitle(QStringLiteral("Souhrn"));
    setAccessibleName(QStringLiteral("Souhrn"));

    const QString design = QStringLiteral("20 příkladů");
    todayHeading = makeLabel(QStringLiteral("Label1"), QStringLiteral("Dnes jsi spočítal:"));
    overallHeading = makeLabel(QStringLiteral("Label2"), QStringLiteral("Celkem jsi spočítal:"));
    for (QLabel* heading : {todayHeading, overallHeading}) {
        QFont font = heading->font();
        font.setBold(true);
        heading->setFont(font);
    }
    todayRightLabel = makeLabel(QStringLiteral("Label3"), QStringLiteral("Dobře:"));
    todayWrongLabel = makeLabel(QStringLiteral("Label4"), QStringLiteral("Špatně:"));
    overallRightLabel = makeLabel(QStringLiteral("Label5"), QStringLiteral("Dobře:"));
    overallWrongLabel = makeLabel(QStringLiteral("Label6"), QStringLiteral("Špatně:"));
    for (int i = 0; i < 3; ++i) {
        Dnes[i] = makeLabel(QStringLiteral("Dnes_%1").arg(i), design);
        Celk[i] = makeLabel(QStringLiteral("Celk_%1").arg(i), design);
    }
    dialogsRightLabel = makeLabel(QStringLiteral("Label8"), QStringLiteral("dílčích úloh dobře:"));
    dilcichDobre = makeLabel(QStringLiteral("dilcichDobre"), design);
    dialogsWrongLabel = makeLabel(QStringLiteral("Label7"), QStringLiteral("dílčích úloh špatně:"));
    dilcichSpatne = makeLabel(QStringLiteral("dilcichSpatne"), design);
    okButton = makeButton(QStringLiteral("Command1"), QStringLiteral("&OK"));
    okButton->setAccessibleName(QStringLiteral("OK"));
    okButton->setDefault(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->addWidget(todayHeading, 0, 0, 1, 2);
    grid->addWidget(Dnes[0], 0, 2);
    grid->addWidget(todayRightLabel, 1, 1);
    grid->addWidget(Dnes[1], 1, 2);
    grid->addWidget(todayWrongLabel, 2, 1);
    grid->addWidget(Dnes[2], 2, 2);
    grid->addWidget(overallHeading, 3, 0, 1, 2);
    grid->addWidget(Celk[0], 3, 2);
    grid->addWidget(overallRightLabel, 4, 1);
    grid->addWidget(Celk[1], 4, 2);
    grid->addWidget(overallWrongLabel, 5, 1);
    grid->addWidget(Celk[2], 5, 2);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnMinimumWidth(2, 150);

    auto* partial = new QGridLayout;
    partial->addWidget(dialogsRightLabel, 0, 0);
    partial->addWidget(dilcichDobre, 0, 1);
    partial->addWidget(dialogsWrongLabel, 1, 0);
    partial->addWidget(dilcichSpatne, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(makeLine(QStringLiteral("Line1")));
    layout->addLayout(partial);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(okButton, &QPushButton::clicked, this, &Souhrn::confirmed);
}

void Souhrn::showCounts(const RunCounts& run, std::optional<Totals> overall)
{
    const qint32 today[3] = {saturatingSum(run.examplesRight, run.examplesWrong), run.examplesRight, run.examplesWrong};
    const char* rows[3] = {"celkem", "dobře", "špatně"};
    for (int i = 0; i < 3; ++i)
        setCount(Dnes[i], countCaption(today[i]), QStringLiteral("Dnes ") + QString::fromUtf8(rows[i]));
    const qint32 total[3] = {overall ? saturatingSum(overall->right, overall->wrong) : 0, overall ? overall->right : 0,
                             overall ? overall->wrong : 0};
    const QString totalNames[3] = {QStringLiteral("Celkem"), QStringLiteral("Celkem dobře"),
                                   QStringLiteral("Celkem špatně")};
    for (int i = 0; i < 3; ++i)
        setCount(Celk[i], overall ? countCaption(total[i]) : notAvailable, totalNames[i]);
    setCount(dilcichDobre, countCaption(run.dialogsRight), QStringLiteral("Dílčích úloh dobře"));
    setCount(dilcichSpatne, countCaption(run.dialogsWrong), QStringLiteral("Dílčích úloh špatně"));
}

bool Souhrn::closeRequested()
{
    emit confirmed();
    return true;
}
