#include "app/help.h"

#include "core/helptext.h"

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

    helpText = new QPlainTextEdit(this);
    helpText->setObjectName(QStringLiteral("Text1"));
    helpText->setAccessibleName(QStringLiteral("Text nápovědy"));
    helpText->setReadOnly(true);
    // Keyboard users can still move through the text and select it.
    helpText->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    helpText->setLineWrapMode(QPlainTextEdit::NoWrap);
    helpText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSize(10);
    helpText->setFont(courier);
    const QFontMetricsF metrics(courier);
    helpText->setTabStopDistance(metrics.horizontalAdvance(QLatin1Char(' ')) * HelpText::tabColumns);
    // The CR LF line ends of the text become the editor's own line breaks.
    helpText->setPlainText(HelpText::text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const int textWidth = int(metrics.horizontalAdvance(QString(HelpText::lineWidth + 2, QLatin1Char('M'))));
    helpText->setMinimumSize(textWidth + helpText->verticalScrollBar()->sizeHint().width() + 12, 360);

    continueButton = makeButton(QStringLiteral("Command1"), QStringLiteral("Pokračovat"));
    continueButton->setAccessibleName(QStringLiteral("Pokračovat"));
    continueButton->setDefault(true);
    setCancelButton(continueButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(helpText);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(continueButton);
    buttons->addStretch();
    layout->addLayout(buttons);
    continueButton->setFocus();

    connect(continueButton, &QPushButton::clicked, this, &Help::continueRequested);
}
