#include "app/welcome.h"

#include "core/profileitem.h"
#include "core/report.h"
#include "store/schoolstore.h"
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

    okButton = makeButton(QStringLiteral("Command1"), QStringLiteral("&OK"));
    okButton->setAccessibleName(QStringLiteral("OK"));
    quitButton = makeButton(QStringLiteral("Command2"), QStringLiteral("&Zruš"));
    quitButton->setAccessibleName(QStringLiteral("Zruš"));
    aboutButton = makeButton(QStringLiteral("Command3"), QStringLiteral("&O programu"));
    aboutButton->setAccessibleName(QStringLiteral("O programu"));
    okButton->setDefault(true);

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
    buttons->addWidget(aboutButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(quitButton);
    layout->addLayout(buttons);

    setTabOrder(conn[0], Users);
    setTabOrder(Users, conn[1]);
    setTabOrder(conn[1], Jm);
    setTabOrder(Jm, Tr);
    setTabOrder(Tr, okButton);
    setTabOrder(okButton, quitButton);
    setTabOrder(quitButton, aboutButton);

    connect(conn[0], &QRadioButton::toggled, this, &Welcome::conn_Click);
    connect(conn[1], &QRadioButton::toggled, this, &Welcome::conn_Click);
    connect(okButton, &QPushButton::clicked, this, &Welcome::ok_Click);
    connect(quitButton, &QPushButton::clicked, this, &Welcome::quit_Click);
    connect(aboutButton, &QPushButton::clicked, this, &Welcome::about_Click);
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

void Welcome::ok_Click()
{
    RunState run;
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
        run.pupilName = Jm->text();
        run.pupilClass = Tr->text();
        run.signInDateTime = toDayCount(System::now());
    }
    emit signedIn(run);
}

void Welcome::quit_Click()
{
    System::endProgram();
}

void Welcome::about_Click()
{
    emit aboutRequested();
}
