#pragma once

#include "ui/forms/form.h"

class QPlainTextEdit;
class QPushButton;

// "Nápověda - pozorně čtěte": read once after sign-in; its only button leads into the first example.
class Help : public Form {
    Q_OBJECT
public:
    Help();

signals:
    // "Pokračovat": on to the first example.
    void continueRequested();

private:
    QPlainTextEdit* helpText;
    QPushButton* continueButton; // Pokračovat
};
