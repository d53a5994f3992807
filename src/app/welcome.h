#pragma once

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

private:
    QRadioButton* conn[2];
    QLabel* lblUsers;
    QComboBox* Users;
    QLabel* lblJm;
    QLineEdit* Jm;
    QLabel* lblTr;
    QLineEdit* Tr;
    QPushButton* Command1; // &OK
    QPushButton* Command2; // &Zruš
    QPushButton* Command3; // &O programu

    void conn_Click();
    void useEmailSignInOnly();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};
