#include "results/souhrn.h"

#include "core/data_a_promene.h"
#include "core/examplenoun.h"
#include "core/report.h"
#include "core/reportcipher.h"
#include "results/genlist.h"
#include "store/schoolstore.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using SummaryText::countCaption;
using SummaryText::saturatingSum;

namespace {

const QString notAvailable = QStringLiteral("není k dispozici");

QFrame* makeLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

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
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Dnes jsi spočítal:"));
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Celkem jsi spočítal:"));
    for (QLabel* heading : {Label1, Label2}) {
        QFont font = heading->font();
        font.setBold(true);
        heading->setFont(font);
    }
    Label3 = makeLabel(QStringLiteral("Label3"), QStringLiteral("Dobře:"));
    Label4 = makeLabel(QStringLiteral("Label4"), QStringLiteral("Špatně:"));
    Label5 = makeLabel(QStringLiteral("Label5"), QStringLiteral("Dobře:"));
    Label6 = makeLabel(QStringLiteral("Label6"), QStringLiteral("Špatně:"));
    for (int i = 0; i < 3; ++i) {
        Dnes[i] = makeLabel(QStringLiteral("Dnes_%1").arg(i), design);
        Celk[i] = makeLabel(QStringLiteral("Celk_%1").arg(i), design);
    }
    Label8 = makeLabel(QStringLiteral("Label8"), QStringLiteral("dílčích úloh dobře:"));
    dilcichDobre = makeLabel(QStringLiteral("dilcichDobre"), design);
    Label7 = makeLabel(QStringLiteral("Label7"), QStringLiteral("dílčích úloh špatně:"));
    dilcichSpatne = makeLabel(QStringLiteral("dilcichSpatne"), design);
    Command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("&OK"));
    Command1->setAccessibleName(QStringLiteral("OK"));
    Command1->setDefault(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Dnes[0], 0, 2);
    grid->addWidget(Label3, 1, 1);
    grid->addWidget(Dnes[1], 1, 2);
    grid->addWidget(Label4, 2, 1);
    grid->addWidget(Dnes[2], 2, 2);
    grid->addWidget(Label2, 3, 0, 1, 2);
    grid->addWidget(Celk[0], 3, 2);
    grid->addWidget(Label5, 4, 1);
    grid->addWidget(Celk[1], 4, 2);
    grid->addWidget(Label6, 5, 1);
    grid->addWidget(Celk[2], 5, 2);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnMinimumWidth(2, 150);

    auto* partial = new QGridLayout;
    partial->addWidget(Label8, 0, 0);
    partial->addWidget(dilcichDobre, 0, 1);
    partial->addWidget(Label7, 1, 0);
    partial->addWidget(dilcichSpatne, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(makeLine(this));
    layout->addLayout(partial);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &Souhrn::Command1_Click);
}

void Souhrn::Form_Load()
{
    const RunState& run = Data_a_promene::runState;
    const QDateTime end = System::now();
    bool emailReport = run.emailMode;
    qint32 overallRight = 0, overallWrong = 0;
    if (emailReport)
        encodeForEmail(end);
    else if (!storeAtSchool(end, overallRight, overallWrong)) {
        switchToEmailReport(end);
        emailReport = true;
    }

    setCount(Dnes[0], countCaption(saturatingSum(run.examplesRight, run.examplesWrong)), QStringLiteral("Dnes celkem"));
    setCount(Dnes[1], countCaption(run.examplesRight), QStringLiteral("Dnes dobře"));
    setCount(Dnes[2], countCaption(run.examplesWrong), QStringLiteral("Dnes špatně"));
    if (emailReport) {
        setCount(Celk[0], notAvailable, QStringLiteral("Celkem"));
        setCount(Celk[1], notAvailable, QStringLiteral("Celkem dobře"));
        setCount(Celk[2], notAvailable, QStringLiteral("Celkem špatně"));
    } else {
        setCount(Celk[0], countCaption(saturatingSum(overallRight, overallWrong)), QStringLiteral("Celkem"));
        setCount(Celk[1], countCaption(overallRight), QStringLiteral("Celkem dobře"));
        setCount(Celk[2], countCaption(overallWrong), QStringLiteral("Celkem špatně"));
    }
    setCount(dilcichDobre, countCaption(run.dialogsRight), QStringLiteral("Dílčích úloh dobře"));
    setCount(dilcichSpatne, countCaption(run.dialogsWrong), QStringLiteral("Dílčích úloh špatně"));
}

void Souhrn::encodeForEmail(const QDateTime& end)
{
    ReportCipher::StartBlock();
    ReportCipher::EncodeText(buildReport(Data_a_promene::runState, end, QLocale()));
}

bool Souhrn::storeAtSchool(const QDateTime& end, qint32& overallRight, qint32& overallWrong)
{
    // Drawn once for the run: a try after a commit whose confirmation was lost finds the run stored.
    const QString fingerprint = SchoolStore::newRunFingerprint();
    for (;;) {
        overallRight = overallWrong = 0;
        const SchoolStore::Failure failure = SchoolStore::storeResultsAndReadTotals(
            Data_a_promene::runState, end, System::userName(), overallRight, overallWrong, fingerprint);
        if (!failure.failed)
            return true;
        const QMessageBox::StandardButton answer = System::message(
            nullptr, QMessageBox::Warning, QStringLiteral("Výsledky se nepodařilo zapsat"),
            failure.message + QStringLiteral("\n\nTvé dnešní výsledky se neztratily.\n\n"
                                             "Ano – zkusit zápis do školní databáze znovu.\n"
                                             "Ne – místo zápisu vytvořit zprávu pro vyučujícího, kterou mu pošleš "
                                             "e-mailem."),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }
}

void Souhrn::switchToEmailReport(const QDateTime& end)
{
    RunState& run = Data_a_promene::runState;
    run.emailMode = true;
    run.pupilName = run.profileSurname;
    run.pupilClass = run.profileClass;
    // The sign-in kept only the time of day; the run began today, or yesterday when it went past midnight.
    double start = toDayCount(QDateTime(end.date(), QTime(0, 0))) + run.signInTime;
    if (start > toDayCount(end))
        start -= 1;
    run.signInDateTime = start;
    ReportCipher::InitCipher();
    encodeForEmail(end);
}

void Souhrn::Command1_Click()
{
    if (Data_a_promene::runState.emailMode) {
        Forms::unload(this);
        Forms::get<GenList>().showModal();
    } else {
        System::endProgram();
    }
}

bool Souhrn::closeRequested()
{
    Command1_Click();
    return true;
}
