#include "feedback/spatny.h"

#include "core/data_a_promene.h"
#include "core/judging.h"
#include "core/numberformat.h"
#include "ui/surface/palettecolor.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QFrame* makeLine(QWidget* parent, const QString& name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setAccessibleName(QStringLiteral("Oddělovací čára"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

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

    Label1 = makeLabel(QStringLiteral("Label1"),
                       QStringLiteral("Při výpočtu jsi se dopustil chyby! Správně to mělo vypadat asi takto:"), 12,
                       QStringLiteral("Při výpočtu jsi se dopustil chyby! Správně to mělo vypadat asi takto:"));
    QFont heading(QStringLiteral("Times New Roman"), 14);
    heading.setBold(true);
    Label1->setFont(heading);
    Label1->setWordWrap(true);
    layout->addWidget(Label1);
    Line[0] = makeLine(this, QStringLiteral("Line1"));
    layout->addWidget(Line[0]);

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
    numberRow(0, Label2, QStringLiteral("Label2"), QStringLiteral("1. číslo:"), cis1, QStringLiteral("cis1"),
              QStringLiteral("1. číslo"), Label12, QStringLiteral("Label12"));
    numberRow(1, Label3, QStringLiteral("Label3"), QStringLiteral("2. číslo:"), cis2, QStringLiteral("cis2"),
              QStringLiteral("2. číslo"), Label13, QStringLiteral("Label13"));
    grid->addWidget(Line[1] = makeLine(this, QStringLiteral("Line2")), 2, 0, 1, 5);
    numberRow(3, oper, QStringLiteral("oper"), QStringLiteral("Násobek:"), cis3, QStringLiteral("cis3"),
              QStringLiteral("Správný výsledek"), Label17, QStringLiteral("Label17"));
    m_spoken.append({oper, QStringLiteral("Druh výsledku")});
    grid->addWidget(Line[2] = makeLine(this, QStringLiteral("Line3")), 4, 0, 1, 5);

    Label5 = makeLabel(QStringLiteral("Label5"), QStringLiteral("Absolutní hodnota:"), 12,
                       QStringLiteral("Absolutní hodnota:"));
    ab = makeLabel(QStringLiteral("ab"), QStringLiteral("10000"), 12, QStringLiteral("Správná absolutní hodnota"));
    m_spoken.append({ab, ab->accessibleName()});
    grid->addWidget(Label5, 5, 0);
    grid->addWidget(ab, 5, 1, 1, 3);

    auto* angleTitle = new QHBoxLayout;
    Label6 = makeLabel(QStringLiteral("Label6"), QStringLiteral("Úhel"), 12, QStringLiteral("Úhel"));
    Label7 = makeLabel(QStringLiteral("Label7"), QStringLiteral("φ"), 12, QStringLiteral("fí"));
    Label8 = makeLabel(QStringLiteral("Label8"), QStringLiteral(":"), 12, QStringLiteral("dvojtečka"));
    angleTitle->addWidget(Label6);
    angleTitle->addWidget(Label7);
    angleTitle->addWidget(Label8);
    angleTitle->addStretch();
    uhFi = makeLabel(QStringLiteral("uhFi"), QStringLiteral("10000"), 12, QStringLiteral("Správný úhel ve stupních"));
    Label21 = makeLabel(QStringLiteral("Label21"), QStringLiteral("°"), 12, QStringLiteral("stupňů"));
    m_spoken.append({uhFi, uhFi->accessibleName()});
    grid->addLayout(angleTitle, 6, 0);
    grid->addWidget(uhFi, 6, 1, 1, 2);
    grid->addWidget(Label21, 6, 3);
    layout->addLayout(grid);
    layout->addWidget(Line[3] = makeLine(this, QStringLiteral("Line4")));

    for (QLabel* value : {cis3[0], cis3[1], cis3[2], Label12, Label13, Label17, ab, uhFi, Label21})
        setForeColor(value, Colors::Blue);

    Sinusak = makeButton(QStringLiteral("Sinusak"), QStringLiteral("&Sinus"));
    Sinusak->setAccessibleName(QStringLiteral("Ukázat správnou sinusoidu"));
    vek = makeButton(QStringLiteral("vek"), QStringLiteral("&Vektor"));
    vek->setAccessibleName(QStringLiteral("Ukázat správný vektor"));
    auto* drawings = new QHBoxLayout;
    drawings->addWidget(Sinusak);
    drawings->addWidget(vek);
    drawings->addStretch();
    layout->addLayout(drawings);
    layout->addWidget(Line[4] = makeLine(this, QStringLiteral("Line5")));

    Command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("&Pokračovat"));
    Command1->setAccessibleName(QStringLiteral("Pokračovat dalším příkladem"));
    Command2 = makeButton(QStringLiteral("Command2"), QStringLiteral("&Konec"));
    Command2->setAccessibleName(QStringLiteral("Konec práce"));
    // Enter goes on to the next example, as on Dobry.
    Command1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);

    setTabOrder(Sinusak, vek);
    setTabOrder(vek, Command1);
    setTabOrder(Command1, Command2);

    connect(Command1, &QPushButton::clicked, this, &Spatny::continueRequested);
    connect(Command2, &QPushButton::clicked, this, &Form::askToEnd);
    connect(Sinusak, &QPushButton::clicked, this, &Spatny::correctSinusoidRequested);
    connect(vek, &QPushButton::clicked, this, &Spatny::correctVectorRequested);
    speakValues();
}

void Spatny::resetMarks()
{
    for (QLabel* value : {ab, uhFi, cis3[0], cis3[1], cis3[2]})
        setForeColor(value, Colors::Blue);
    setBold(vek, false);
    setBold(Sinusak, false);
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
        setBold(vek, true);
    if (verdict.Sinusak)
        setBold(Sinusak, true);
    speakValues();
}

// The operands look exactly as on Krok1.
void Spatny::showExample(const Example& example)
{
    using NumberFormat::pattern;
    const auto& o = example.operands;
    cis1[0]->setText(wholeNumberText(o[0]));
    cis1[1]->setText(signText(o[1]));
    cis1[2]->setText(wholeNumberText(std::fabs(o[1])));
    cis2[0]->setText(wholeNumberText(o[2]));
    cis2[1]->setText(signText(o[3]));
    cis2[2]->setText(wholeNumberText(std::fabs(o[3])));

    const float re = Data_a_promene::resultRe;
    const float im = Data_a_promene::resultIm;
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
    for (QPushButton* step : {vek, Sinusak})
        step->setAccessibleDescription(step->font().bold() ? QStringLiteral("Tento krok jsi měl špatně.") : QString());
}
