#pragma once

#include "ui/forms/form.h"

class QLabel;
class QPushButton;

// "Informace": about the program, with two addresses that start an e-mail message.
class info : public Form {
    Q_OBJECT
public:
    info();

    static constexpr const char* firstAddress = "kvizmat@spse-example.cz";
    static constexpr const char* secondAddress = "autor.kvizmatu@example.cz";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* titleLabel;
    QLabel* versionLabel; // version and credits
    QLabel* aboutText;
    QLabel* invitationLabel;
    QLabel* firstAddressLabel;
    QLabel* secondAddressLabel;
    QPushButton* okButton; // &OK

    void writeTo(const QString& address);
    void ok_Click();
};
