#pragma once

#include "ui/forms/form.h"

class QLabel;
class QPushButton;

// "Gratuluji": all three dialogs of the example were right.
class Dobry : public Form {
    Q_OBJECT
public:
    Dobry();

signals:
    void continueRequested(); // "&Pokračovat": the next example

private:
    QLabel* headingLabel;
    QLabel* messageLabel;
    QPushButton* continueButton; // &Pokračovat
    QPushButton* endButton;      // &Konec
};
