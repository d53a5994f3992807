#include "app/konec.h"

#include "ui/forms/forms.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Konec::Konec()
{
    setObjectName(QStringLiteral("Konec"));
    setWindowTitle(QStringLiteral("Konec ?"));
    auto* layout = new QVBoxLayout(this);
    questionLabel = new QLabel(QStringLiteral("Opravdu chceš skončit ?"), this);
    questionLabel->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(questionLabel);
    auto* buttons = new QHBoxLayout;
    yesButton = makeButton(QStringLiteral("Command1"), QStringLiteral("&Ano"));
    noButton = makeButton(QStringLiteral("Command2"), QStringLiteral("&Ne"));
    yesButton->setDefault(true);
    setCancelButton(noButton);
    buttons->addWidget(yesButton);
    buttons->addWidget(noButton);
    layout->addLayout(buttons);
    connect(yesButton, &QPushButton::clicked, this, &Konec::endConfirmed);
    connect(noButton, &QPushButton::clicked, this, &Konec::no_Click);
}

void Konec::no_Click()
{
    Forms::unload(this);
}
