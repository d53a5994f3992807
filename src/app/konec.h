#pragma once

#include "ui/forms/form.h"

class QLabel;
class QPushButton;

// "Konec ?": the end confirmation, shown modal over the form it came from.
class Konec : public Form {
    Q_OBJECT
public:
    Konec();

private:
    QLabel* Label1;
    QPushButton* Command1; // &Ano
    QPushButton* Command2; // &Ne

    void Command1_Click();
    void Command2_Click();
};
