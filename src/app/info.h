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
    QLabel* Label2;        // title
    QLabel* Label7;        // version and credits
    QLabel* Label3;        // about text
    QLabel* Label4;        // invitation to write
    QLabel* Label1;        // first address
    QLabel* Label6;        // second address
    QPushButton* Command1; // &OK

    void writeTo(const QString& address);
    void Command1_Click();
};
