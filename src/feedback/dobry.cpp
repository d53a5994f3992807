#include "feedback/dobry.h"

#include "step1/krok1.h"
#include "ui/forms/forms.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Dobry::Dobry()
{
    setObjectName(QStringLiteral("Dobry"));
    // Closing by the frame asks like "&Konec": the hidden forms of the run must not stay behind.
    setClosingAsksToEnd(true);
    setWindowTitle(QStringLiteral("Gratuluji"));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Správně"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont heading = Label1->font();
    heading.setPointSize(24);
    heading.setBold(true);
    Label1->setFont(heading);
    QPalette green = Label1->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    Label1->setPalette(green);
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel(QStringLiteral("Na poslední otázku jsi odpověděl naprosto správně."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    auto* buttons = new QHBoxLayout;
    Command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("&Pokračovat"));
    Command2 = makeButton(QStringLiteral("Command2"), QStringLiteral("&Konec"));
    Command1->setDefault(true);
    setCancelButton(Command2);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &Dobry::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Dobry::Command2_Click);
}

void Dobry::Command1_Click()
{
    Krok1& step1 = Forms::get<Krok1>();
    step1.showModeless();
    step1.Form_Load();
    step1.focusFirstEntry();
    Forms::unload(this);
}

void Dobry::Command2_Click()
{
    askToEnd();
}
