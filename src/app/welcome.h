#pragma once

#include "core/runstate.h"
#include "ui/forms/form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Vítejte": sign-in with a profile of the school database or with a typed name and class.
class Welcome : public Form {
    Q_OBJECT
public:
    Welcome();

    // Fills the profile list, or offers only the e-mail sign-in when the database cannot serve.
    void Form_Load() override;

signals:
    // "&OK" with a valid sign-in: the run as signed in, its counters at 0.
    void signedIn(const RunState& run);
    // "&O programu".
    void aboutRequested();

private:
    QRadioButton* conn[2];
    QLabel* lblUsers;
    QComboBox* Users;
    QLabel* lblJm;
    QLineEdit* Jm;
    QLabel* lblTr;
    QLineEdit* Tr;
    QPushButton* okButton;    // &OK
    QPushButton* quitButton;  // &Zruš
    QPushButton* aboutButton; // &O programu

    void conn_Click();
    void useEmailSignInOnly();
    void ok_Click();
    void quit_Click();
    void about_Click();
};
