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
    headingLabel = makeLabel(QStringLiteral("Label1"), QStringLiteral("Správně"), 24);
    QFont heading = headingLabel->font();
    heading.setBold(true);
    headingLabel->setFont(heading);
    QPalette green = headingLabel->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    headingLabel->setPalette(green);
    headingLabel->setAlignment(Qt::AlignCenter);
    messageLabel =
        makeLabel(QStringLiteral("Label2"), QStringLiteral("Na poslední otázku jsi odpověděl naprosto správně."));
    layout->addWidget(headingLabel);
    layout->addWidget(messageLabel);
    auto* buttons = new QHBoxLayout;
    continueButton = makeButton(QStringLiteral("Command1"), QStringLiteral("&Pokračovat"));
    endButton = makeButton(QStringLiteral("Command2"), QStringLiteral("&Konec"));
    continueButton->setDefault(true);
    setCancelButton(endButton);
    buttons->addStretch();
    buttons->addWidget(continueButton);
    buttons->addWidget(endButton);
    layout->addLayout(buttons);
    connect(continueButton, &QPushButton::clicked, this, &Dobry::continueRequested);
    connect(endButton, &QPushButton::clicked, this, &Form::askToEnd);
}
