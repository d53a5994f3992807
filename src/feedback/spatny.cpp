#include "feedback/spatny.h"

#include "core/judging.h"
#include "core/numberformat.h"
#include "ui/surface/palettecolor.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <cmath>
#include <utility>

namespace {

void setBold(QPushButton* button, bool bold)
{
    QFont f = button->font();
    f.setBold(bold);
    button->setFont(f);
}

// Text colour of a label as a 0x00BBGGRR number.
quint32 foreColor(const QLabel* label)
{
    return Colors::fromQColor(label->palette().color(QPalette::WindowText));
}

void setForeColor(QLabel* label, quint32 bgr)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Colors::toQColor(bgr));
    label->setPalette(p);
}

} // namespace

Spatny::Spatny()
{
    setObjectName(QStringLiteral("Spatny"));
    setClosingAsksToEnd(true);
    setWindowTitle(QStringLiteral("C H Y B A"));
    setAccessibleName(QStringLiteral("Chyba: oprava příkladu"));
    auto* layout = new QVBoxLayout(this);
    const QString separatorName = QStringLiteral("Oddělovací čára");

    headingLabel =
        makeLabel(QStringLiteral("Label1"),
                  QStringLiteral("Při výpočtu jsi se dopustil chyby! Správně to mělo vypadat asi takto:"), 12,
                  QStringLiteral("Při výpočtu jsi se dopustil chyby! Správně to mělo vypadat asi takto:"));
    QFont heading(QStringLiteral("Times New Roman"), 14);
    heading.setBold(true);
    headingLabel->setFont(heading);
    headingLabel->setWordWrap(true);
    layout->addWidget(headingLabel);
    lines[0] = makeLine(QStringLiteral("Line1"), separatorName);
    layout->addWidget(lines[0]);

    auto* grid = new QGridLayout;
    const QString design = QStringLiteral("100000");
    const char* partNames[3] = {"reálná část", "znaménko imaginární části", "velikost imaginární části"};
    auto numberRow = [&](int row, QLabel*& title, const QString& titleName, const QString& titleText, QLabel* parts[3],
                         const QString& prefix, const QString& whose, QLabel*& unit, const QString& unitName) {
        title = makeLabel(titleName, titleText, 12, titleText);
        grid->addWidget(title, row, 0);
        for (int i = 0; i < 3; ++i) {
            const QString spoken = whose + QStringLiteral(", ") + QString::fromUtf8(partNames[i]);
            parts[i] = makeLabel(prefix + QLatin1Char('_') + QString::number(i), design, 12, spoken);
            m_spoken.append({parts[i], spoken});
            grid->addWidget(parts[i], row, i + 1);
        }
        unit = makeLabel(unitName, QStringLiteral("i"), 12, QStringLiteral("imaginární jednotka i"));
        grid->addWidget(unit, row, 4);
    };
    numberRow(0, firstNumberTitle, QStringLiteral("Label2"), QStringLiteral("1. číslo:"), cis1, QStringLiteral("cis1"),
              QStringLiteral("1. číslo"), firstUnitLabel, QStringLiteral("Label12"));
    numberRow(1, secondNumberTitle, QStringLiteral("Label3"), QStringLiteral("2. číslo:"), cis2, QStringLiteral("cis2"),
              QStringLiteral("2. číslo"), secondUnitLabel, QStringLiteral("Label13"));
    grid->addWidget(lines[1] = makeLine(QStringLiteral("Line2"), separatorName), 2, 0, 1, 5);
    numberRow(3, oper, QStringLiteral("oper"), QStringLiteral("Násobek:"), cis3, QStringLiteral("cis3"),
              QStringLiteral("Správný výsledek"), resultUnitLabel, QStringLiteral("Label17"));
    m_spoken.append({oper, QStringLiteral("Druh výsledku")});
    grid->addWidget(lines[2] = makeLine(QStringLiteral("Line3"), separatorName), 4, 0, 1, 5);

    absoluteValueTitle = makeLabel(QStringLiteral("Label5"), QStringLiteral("Absolutní hodnota:"), 12,
                                   QStringLiteral("Absolutní hodnota:"));
    ab = makeLabel(QStringLiteral("ab"), QStringLiteral("10000"), 12, QStringLiteral("Správná absolutní hodnota"));
    m_spoken.append({ab, ab->accessibleName()});
    grid->addWidget(absoluteValueTitle, 5, 0);
    grid->addWidget(ab, 5, 1, 1, 3);

    auto* angleTitle = new QHBoxLayout;
    angleTitleLabel = makeLabel(QStringLiteral("Label6"), QStringLiteral("Úhel"), 12, QStringLiteral("Úhel"));
    angleSymbol = makeLabel(QStringLiteral("Label7"), QStringLiteral("φ"), 12, QStringLiteral("fí"));
    angleColon = makeLabel(QStringLiteral("Label8"), QStringLiteral(":"), 12, QStringLiteral("dvojtečka"));
    angleTitle->addWidget(angleTitleLabel);
    angleTitle->addWidget(angleSymbol);
    angleTitle->addWidget(angleColon);
    angleTitle->addStretch();
    uhFi = makeLabel(QStringLiteral("uhFi"), QStringLiteral("10000"), 12, QStringLiteral("Správný úhel ve stupních"));
    degreeSign = makeLabel(QStringLiteral("Label21"), QStringLiteral("°"), 12, QStringLiteral("stupňů"));
    m_spoken.append({uhFi, uhFi->accessibleName()});
    grid->addLayout(angleTitle, 6, 0);
    grid->addWidget(uhFi, 6, 1, 1, 2);
    grid->addWidget(degreeSign, 6, 3);
    layout->addLayout(grid);
    layout->addWidget(lines[3] = makeLine(QStringLiteral("Line4"), separatorName));

    for (QLabel* value :
         {cis3[0], cis3[1], cis3[2], firstUnitLabel, secondUnitLabel, resultUnitLabel, ab, uhFi, degreeSign})
        setForeColor(value, Colors::Blue);

    sinusoidButton = makeButton(QStringLiteral("Sinusak"), QStringLiteral("&Sinus"));
    sinusoidButton->setAccessibleName(QStringLiteral("Ukázat správnou sinusoidu"));
    vectorButton = makeButton(QStringLiteral("vek"), QStringLiteral("&Vektor"));
    vectorButton->setAccessibleName(QStringLiteral("Ukázat správný vektor"));
    auto* drawings = new QHBoxLayout;
    drawings->addWidget(sinusoidButton);
    drawings->addWidget(vectorButton);
    drawings->addStretch();
    layout->addLayout(drawings);
    layout->addWidget(lines[4] = makeLine(QStringLiteral("Line5"), separatorName));

    continueButton = makeButton(QStringLiteral("Command1"), QStringLiteral("&Pokračovat"));
    continueButton->setAccessibleName(QStringLiteral("Pokračovat dalším příkladem"));
    endButton = makeButton(QStringLiteral("Command2"), QStringLiteral("&Konec"));
    endButton->setAccessibleName(QStringLiteral("Konec práce"));
    // Enter goes on to the next example, as on Dobry.
    continueButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(continueButton);
    buttons->addWidget(endButton);
    layout->addLayout(buttons);

    setTabOrder(sinusoidButton, vectorButton);
    setTabOrder(vectorButton, continueButton);
    setTabOrder(continueButton, endButton);

    connect(continueButton, &QPushButton::clicked, this, &Spatny::continueRequested);
    connect(endButton, &QPushButton::clicked, this, &Form::askToEnd);
    connect(sinusoidButton, &QPushButton::clicked, this, &Spatny::correctSinusoidRequested);
    connect(vectorButton, &QPushButton::clicked, this, &Spatny::correctVectorRequested);
    speakValues();
}

void Spatny::resetMarks()
{
    for (QLabel* value : {ab, uhFi, cis3[0], cis3[1], cis3[2]})
        setForeColor(value, Colors::Blue);
    setBold(vectorButton, false);
    setBold(sinusoidButton, false);
    speakValues();
}

void Spatny::setMarks(const Judging::Verdict& verdict)
{
    if (verdict.cis3_0)
        setForeColor(cis3[0], Colors::Red);
    if (verdict.cis3_12) {
        setForeColor(cis3[1], Colors::Red);
        setForeColor(cis3[2], Colors::Red);
    }
    if (verdict.uhFi)
        setForeColor(uhFi, Colors::Red);
    if (verdict.ab)
        setForeColor(ab, Colors::Red);
    if (verdict.vek)
        setBold(vectorButton, true);
    if (verdict.Sinusak)
        setBold(sinusoidButton, true);
    speakValues();
}

// The operands look exactly as on Krok1.
void Spatny::showExample(const Example& example)
{
    using NumberFormat::pattern;
    const std::array<OperandCaptions, 2> operands = operandCaptions(example);
    for (auto [labels, captions] : {std::pair{cis1, operands[0]}, std::pair{cis2, operands[1]}}) {
        labels[0]->setText(captions.re);
        labels[1]->setText(captions.sign);
        labels[2]->setText(captions.im);
    }

    const float re = example.resultRe;
    const float im = example.resultIm;
    cis3[0]->setText(pattern(re, QStringLiteral("0.00")));
    cis3[1]->setText(im > 0 ? QStringLiteral("+") : QStringLiteral("-"));
    cis3[2]->setText(pattern(std::fabs(im), QStringLiteral("0.00")));
    ab->setText(pattern(std::sqrt(double(re) * re + double(im) * im), QStringLiteral("###,###,##0.00")));
    uhFi->setText(pattern(Judging::GetFI(re, im), QStringLiteral("##0.0")));

    const auto op = quint8(example.operation);
    if (op >= 1 && op <= 4)
        oper->setText(operationTexts(Operation(op)).oper);
    speakValues();
}

void Spatny::speakValues()
{
    for (const auto& [label, title] : std::as_const(m_spoken)) {
        QString value = label->text();
        if (value == QStringLiteral("+"))
            value = QStringLiteral("plus");
        else if (value == QStringLiteral("-"))
            value = QStringLiteral("minus");
        else if (value.endsWith(QLatin1Char(':')))
            value.chop(1);
        label->setAccessibleName(title + QStringLiteral(": ") + value);
        label->setAccessibleDescription(foreColor(label) == Colors::Red ? QStringLiteral("Tuto hodnotu jsi měl špatně.")
                                                                        : QString());
    }
    for (QPushButton* step : {vectorButton, sinusoidButton})
        step->setAccessibleDescription(step->font().bold() ? QStringLiteral("Tento krok jsi měl špatně.") : QString());
}
