#pragma once

#include "ui/forms/form.h"

class QLabel;
class QPushButton;

// "Konec ?": the end confirmation, shown modal over the form it came from.
class Konec : public Form {
    Q_OBJECT
public:
    Konec();

signals:
    // "&Ano": the run ends.
    void endConfirmed();

private:
    QLabel* questionLabel;
    QPushButton* yesButton; // &Ano
    QPushButton* noButton;  // &Ne

    void no_Click();
};
