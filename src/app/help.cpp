#include "app/help.h"

#include "app/exerciseflow.h"
#include "core/helptext.h"
#include "ui/forms/forms.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

Help::Help()
{
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Nápověda - pozorně čtěte"));
    setAccessibleName(QStringLiteral("Nápověda - pozorně čtěte"));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Text nápovědy"));
    Text1->setReadOnly(true);
    // Keyboard users can still move through the text and select it.
    Text1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSize(10);
    Text1->setFont(courier);
    const QFontMetricsF metrics(courier);
    Text1->setTabStopDistance(metrics.horizontalAdvance(QLatin1Char(' ')) * HelpText::tabColumns);
    // The CR LF line ends of the text become the editor's own line breaks.
    Text1->setPlainText(HelpText::text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const int textWidth = int(metrics.horizontalAdvance(QString(HelpText::lineWidth + 2, QLatin1Char('M'))));
    Text1->setMinimumSize(textWidth + Text1->verticalScrollBar()->sizeHint().width() + 12, 360);

    Command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("Pokračovat"));
    Command1->setAccessibleName(QStringLiteral("Pokračovat"));
    Command1->setDefault(true);
    setCancelButton(Command1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addStretch();
    layout->addLayout(buttons);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Help::Command1_Click);
}

void Help::Command1_Click()
{
    Forms::unload(this);
    ExerciseFlow::firstExample();
}
