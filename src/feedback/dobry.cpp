#include "feedback/dobry.h"

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
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Správně"), 24);
    QFont heading = Label1->font();
    heading.setBold(true);
    Label1->setFont(heading);
    QPalette green = Label1->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    Label1->setPalette(green);
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Na poslední otázku jsi odpověděl naprosto správně."));
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
    connect(Command1, &QPushButton::clicked, this, &Dobry::continueRequested);
    connect(Command2, &QPushButton::clicked, this, &Form::askToEnd);
}
