#include "app/konec.h"

#include "app/exerciseflow.h"
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
    Label1 = new QLabel(QStringLiteral("Opravdu chceš skončit ?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(Label1);
    auto* buttons = new QHBoxLayout;
    Command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("&Ano"));
    Command2 = makeButton(QStringLiteral("Command2"), QStringLiteral("&Ne"));
    Command1->setDefault(true);
    setCancelButton(Command2);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &Konec::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Konec::Command2_Click);
}

void Konec::Command1_Click()
{
    Forms::unload(this);
    ExerciseFlow::endRun();
}

void Konec::Command2_Click()
{
    Forms::unload(this);
}
