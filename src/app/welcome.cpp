#include "app/welcome.h"

#include "app/help.h"
#include "app/info.h"
#include "core/data_a_promene.h"
#include "core/profileitem.h"
#include "core/report.h"
#include "core/reportcipher.h"
#include "store/schoolstore.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The label of a box: its access key moves there, and the box is read out under the label's words.
QLabel* boxLabel(Form* form, const QString& name, const QString& caption, QWidget* box)
{
    QString plain = caption;
    plain.remove(QLatin1Char('&'));
    QLabel* label = form->makeLabel(name, caption, 0, plain);
    label->setBuddy(box);
    box->setAccessibleName(plain.endsWith(QLatin1Char(':')) ? plain.chopped(1) : plain);
    return label;
}

} // namespace

Welcome::Welcome()
{
    setObjectName(QStringLiteral("Welcome"));
    setWindowTitle(QStringLiteral("Vítejte"));
    setAccessibleName(QStringLiteral("Vítejte: přihlášení"));

    conn[0] = new QRadioButton(QStringLiteral("&Připojit k lokálnímu školnímu serveru"), this);
    conn[0]->setObjectName(QStringLiteral("conn_0"));
    conn[0]->setAccessibleName(QStringLiteral("Připojit k lokálnímu školnímu serveru"));
    conn[1] = new QRadioButton(QStringLiteral("&Generovat data pro odeslání emailem"), this);
    conn[1]->setObjectName(QStringLiteral("conn_1"));
    conn[1]->setAccessibleName(QStringLiteral("Generovat data pro odeslání emailem"));
    conn[0]->setChecked(true);

    Users = new QComboBox(this);
    Users->setObjectName(QStringLiteral("Users"));
    Users->setMinimumWidth(260);
    lblUsers = boxLabel(this, QStringLiteral("lblUsers"), QStringLiteral("&Vyber svůj profil:"), Users);

    Jm = new QLineEdit(this);
    Jm->setObjectName(QStringLiteral("Jm"));
    Jm->setMaxLength(50);
    lblJm = boxLabel(this, QStringLiteral("lblJm"), QStringLiteral("&Jméno:"), Jm);
    Tr = new QLineEdit(this);
    Tr->setObjectName(QStringLiteral("Tr"));
    Tr->setMaxLength(10);
    lblTr = boxLabel(this, QStringLiteral("lblTr"), QStringLiteral("&Třída:"), Tr);

    Command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("&OK"));
    Command1->setAccessibleName(QStringLiteral("OK"));
    Command2 = makeButton(QStringLiteral("Command2"), QStringLiteral("&Zruš"));
    Command2->setAccessibleName(QStringLiteral("Zruš"));
    Command3 = makeButton(QStringLiteral("Command3"), QStringLiteral("&O programu"));
    Command3->setAccessibleName(QStringLiteral("O programu"));
    Command1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(conn[0], 0, 0, 1, 2);
    grid->addWidget(lblUsers, 1, 0);
    grid->addWidget(Users, 1, 1);
    grid->addWidget(conn[1], 2, 0, 1, 2);
    grid->addWidget(lblJm, 3, 0);
    grid->addWidget(Jm, 3, 1);
    grid->addWidget(lblTr, 4, 0);
    grid->addWidget(Tr, 4, 1);
    grid->setRowMinimumHeight(2, 36);
    layout->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);

    setTabOrder(conn[0], Users);
    setTabOrder(Users, conn[1]);
    setTabOrder(conn[1], Jm);
    setTabOrder(Jm, Tr);
    setTabOrder(Tr, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);

    connect(conn[0], &QRadioButton::toggled, this, &Welcome::conn_Click);
    connect(conn[1], &QRadioButton::toggled, this, &Welcome::conn_Click);
    connect(Command1, &QPushButton::clicked, this, &Welcome::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Welcome::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Welcome::Command3_Click);
    conn_Click();
}

void Welcome::Form_Load()
{
    QString problem;
    if (!SchoolStore::databaseAvailable(&problem)) {
        if (!problem.isEmpty())
            System::message(nullptr, QMessageBox::Warning, QStringLiteral("Školní databáze"), problem, QMessageBox::Ok);
        useEmailSignInOnly();
        return;
    }
    QList<ProfileItem> profiles;
    const SchoolStore::Failure failure = SchoolStore::loadProfiles(profiles);
    if (failure.failed) {
        System::message(nullptr, QMessageBox::Warning, QStringLiteral("Školní databáze"),
                        failure.message + QStringLiteral("\n\nPřihlas se prosím jménem a třídou; výsledky pak odešleš "
                                                         "vyučujícímu e-mailem."),
                        QMessageBox::Ok);
        useEmailSignInOnly();
        return;
    }
    // The entry keeps the row's two values; its text is only for the eye.
    for (const ProfileItem& profile : profiles)
        Users->addItem(profile.text(), QStringList({profile.surname, profile.className}));
    Users->setCurrentIndex(-1);
}

void Welcome::useEmailSignInOnly()
{
    conn[0]->setEnabled(false);
    conn[1]->setChecked(true);
}

void Welcome::conn_Click()
{
    const bool school = conn[0]->isChecked();
    lblUsers->setEnabled(school);
    Users->setEnabled(school);
    lblJm->setEnabled(!school);
    Jm->setEnabled(!school);
    lblTr->setEnabled(!school);
    Tr->setEnabled(!school);
}

void Welcome::Command1_Click()
{
    RunState& run = Data_a_promene::runState;
    const bool emailMode = conn[1]->isChecked();
    if (!emailMode) {
        if (Users->currentIndex() < 0) {
            System::beep();
            return;
        }
        run.emailMode = false;
        // The time of day alone, whole seconds, as the fraction of a day.
        run.signInTime = System::now().time().msecsSinceStartOfDay() / 1000 / 86400.0;
        const QStringList profile = Users->currentData().toStringList();
        run.profileSurname = profile.value(0);
        run.profileClass = profile.value(1);
    } else {
        run.emailMode = true;
        ReportCipher::InitCipher();
        run.pupilName = Jm->text();
        run.pupilClass = Tr->text();
        run.signInDateTime = toDayCount(System::now());
    }
    Forms::unload(this);
    Forms::get<Help>().showModeless();
}

void Welcome::Command2_Click()
{
    System::endProgram();
}

void Welcome::Command3_Click()
{
    Forms::get<info>().showModal();
}
