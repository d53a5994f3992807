#include "step1/krok1.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace {

QLineEdit* makeEntry(QWidget* parent, const QString& name, const QString& spokenName, QColor background, QColor text)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAccessibleName(spokenName);
    e->setMaxLength(10);
    QFont f = e->font();
    f.setPointSize(12);
    e->setFont(f);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, background);
    p.setColor(QPalette::Text, text);
    e->setPalette(p);
    e->setAutoFillBackground(true);
    return e;
}

// One complex number in a row: real part, sign, |imaginary part|, "i" (24-point operands).
QHBoxLayout* numberRow(Form* form, QLabel*& re, QLabel*& sign, QLabel*& im, const QString& prefix,
                       const QString& signName, const QString& unitName)
{
    auto* row = new QHBoxLayout;
    re = form->makeLabel(prefix + QStringLiteral("_0"), QStringLiteral("0"), 24);
    sign = form->makeLabel(signName, QStringLiteral("+"), 24);
    im = form->makeLabel(prefix + QStringLiteral("_1"), QStringLiteral("0"), 24);
    row->addWidget(re);
    row->addWidget(sign);
    row->addWidget(im);
    row->addWidget(form->makeLabel(unitName, QStringLiteral("i"), 24));
    row->addStretch();
    return row;
}

} // namespace

Krok1::Krok1()
{
    setObjectName(QStringLiteral("Krok1"));
    setClosingAsksToEnd(true);
    setWindowTitle(QStringLiteral("Kvizmat komplexních čísel: 1. krok - výpočet"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeLabel(QStringLiteral("Label9"), QStringLiteral("První komplexní číslo:"), 12));
    layout->addLayout(numberRow(this, firstNumber.re, firstNumber.sign, firstNumber.im, QStringLiteral("k1"),
                                QStringLiteral("z_0"), QStringLiteral("Label4")));
    layout->addWidget(makeLine(QStringLiteral("Line1")));
    layout->addWidget(makeLabel(QStringLiteral("Label10"), QStringLiteral("Druhé komplexní číslo:"), 12));
    layout->addLayout(numberRow(this, secondNumber.re, secondNumber.sign, secondNumber.im, QStringLiteral("k2"),
                                QStringLiteral("z_1"), QStringLiteral("Label8")));
    layout->addWidget(makeLine(QStringLiteral("Line2")));

    taskLabel = makeLabel(QStringLiteral("inform"), QStringLiteral("Daná čísla sečti"), 12);
    taskLabel->setAccessibleDescription(QStringLiteral("Zadání příkladu"));
    layout->addWidget(taskLabel);
    layout->addWidget(makeLine(QStringLiteral("Line3")));

    auto* resultRow = new QHBoxLayout;
    resultHeading = makeLabel(QStringLiteral("oper"), QStringLiteral("Součet je:"), 12);
    const QColor purple(128, 0, 128), peach(255, 192, 128);
    realPartEntry = makeEntry(this, QStringLiteral("vys_0"), QStringLiteral("Reálná část výsledku"), purple, peach);
    imaginaryPartEntry =
        makeEntry(this, QStringLiteral("vys_1"), QStringLiteral("Imaginární část výsledku"), purple, peach);
    resultRow->addWidget(resultHeading);
    resultRow->addWidget(realPartEntry);
    resultRow->addWidget(makeLabel(QStringLiteral("Label12"), QStringLiteral("+"), 12));
    resultRow->addWidget(imaginaryPartEntry);
    resultRow->addWidget(makeLabel(QStringLiteral("Label13"), QStringLiteral("i"), 12));
    layout->addLayout(resultRow);

    auto* polarRow = new QHBoxLayout;
    absoluteValueEntry = makeEntry(this, QStringLiteral("absh"), QStringLiteral("Absolutní hodnota výsledku"),
                                   QColor(0, 0, 192), QColor(255, 255, 0));
    angleEntry = makeEntry(this, QStringLiteral("fi"), QStringLiteral("Úhel φ výsledku ve stupních"),
                           QColor(0, 128, 128), QColor(255, 255, 192));
    polarRow->addWidget(makeLabel(QStringLiteral("Label14"), QStringLiteral("Absolutní hodnota:"), 12));
    polarRow->addWidget(absoluteValueEntry);
    polarRow->addSpacing(16);
    polarRow->addWidget(makeLabel(QStringLiteral("Label15"), QStringLiteral("Úhel"), 12));
    polarRow->addWidget(makeLabel(QStringLiteral("Label16"), QStringLiteral("φ"), 12));
    polarRow->addWidget(makeLabel(QStringLiteral("Label17"), QStringLiteral(":"), 12));
    polarRow->addWidget(angleEntry);
    polarRow->addWidget(makeLabel(QStringLiteral("Label24"), QStringLiteral("°"), 12));
    layout->addLayout(polarRow);
    layout->addWidget(makeLine(QStringLiteral("Line4")));

    auto* buttons = new QHBoxLayout;
    forwardButton = makeButton(QStringLiteral("Contin"), QStringLiteral("&Dále"));
    endButton = makeButton(QStringLiteral("Command3"), QStringLiteral("&Konec"));
    forwardButton->setDefault(true);
    setCancelButton(endButton);
    buttons->addStretch();
    buttons->addWidget(forwardButton);
    buttons->addWidget(endButton);
    layout->addLayout(buttons);

    setTabOrder(realPartEntry, imaginaryPartEntry);
    setTabOrder(imaginaryPartEntry, absoluteValueEntry);
    setTabOrder(absoluteValueEntry, angleEntry);
    setTabOrder(angleEntry, forwardButton);
    setTabOrder(forwardButton, endButton);

    connect(forwardButton, &QPushButton::clicked, this, &Krok1::forwardRequested);
    connect(endButton, &QPushButton::clicked, this, &Form::askToEnd);
}

void Krok1::showExample(const Example& example)
{
    const std::array<OperandCaptions, 2> operands = operandCaptions(example);
    for (auto [labels, captions] : {std::pair{firstNumber, operands[0]}, std::pair{secondNumber, operands[1]}}) {
        labels.re->setText(captions.re);
        labels.sign->setText(captions.sign);
        labels.im->setText(captions.im);
    }

    // A screen reader reads each number whole instead of its four labels.
    auto whole = [](const OperandCaptions& c) { return c.re + u' ' + c.sign + u' ' + c.im + QStringLiteral(" i"); };
    firstNumber.re->setAccessibleName(QStringLiteral("První komplexní číslo: ") + whole(operands[0]));
    secondNumber.re->setAccessibleName(QStringLiteral("Druhé komplexní číslo: ") + whole(operands[1]));

    const OperationTexts texts = operationTexts(example.operation);
    resultHeading->setText(texts.oper);
    taskLabel->setText(texts.inform);

    realPartEntry->clear();
    imaginaryPartEntry->clear();
    absoluteValueEntry->clear();
    angleEntry->clear();
}

Krok1::Answers Krok1::answers() const
{
    return {realPartEntry->text(), imaginaryPartEntry->text(), absoluteValueEntry->text(), angleEntry->text()};
}

void Krok1::focusFirstEntry()
{
    realPartEntry->setFocus(Qt::OtherFocusReason);
}
