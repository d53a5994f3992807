#include "feedback/spatny.h"

#include "core/data_a_promene.h"
#include "core/judging.h"
#include "core/numberformat.h"
#include "feedback/correctdrawings.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/forms/forms.h"
#include "ui/forms/stepbuttons.h"
#include "ui/surface/palettecolor.h"
#include "ui/surface/picturebox.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QString& accessible, int points = 12)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAccessibleName(accessible);
    QFont f = label->font();
    f.setPointSize(points);
    label->setFont(f);
    return label;
}

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

} // namespace

Spatny::Spatny()
{
    setObjectName(QStringLiteral("Spatny"));
    setClosingAsksToEnd(true);
    setWindowTitle(QStringLiteral("C H Y B A"));
    setAccessibleName(QStringLiteral("Chyba: oprava příkladu"));
    auto* layout = new QVBoxLayout(this);

    Label1 = makeLabel(this, QStringLiteral("Label1"),
                       QStringLiteral("Při výpočtu jsi se dopustil chyby! Správně to mělo vypadat asi takto:"),
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
        title = makeLabel(this, titleName, titleText, titleText);
        grid->addWidget(title, row, 0);
        for (int i = 0; i < 3; ++i) {
            const QString spoken = whose + QStringLiteral(", ") + QString::fromUtf8(partNames[i]);
            parts[i] = makeLabel(this, prefix + QLatin1Char('_') + QString::number(i), design, spoken);
            m_spoken.append({parts[i], spoken});
            grid->addWidget(parts[i], row, i + 1);
        }
        unit = makeLabel(this, unitName, QStringLiteral("i"), QStringLiteral("imaginární jednotka i"));
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

    Label5 = makeLabel(this, QStringLiteral("Label5"), QStringLiteral("Absolutní hodnota:"),
                       QStringLiteral("Absolutní hodnota:"));
    ab = makeLabel(this, QStringLiteral("ab"), QStringLiteral("10000"), QStringLiteral("Správná absolutní hodnota"));
    m_spoken.append({ab, ab->accessibleName()});
    grid->addWidget(Label5, 5, 0);
    grid->addWidget(ab, 5, 1, 1, 3);

    auto* angleTitle = new QHBoxLayout;
    Label6 = makeLabel(this, QStringLiteral("Label6"), QStringLiteral("Úhel"), QStringLiteral("Úhel"));
    Label7 = makeLabel(this, QStringLiteral("Label7"), QStringLiteral("φ"), QStringLiteral("fí"));
    Label8 = makeLabel(this, QStringLiteral("Label8"), QStringLiteral(":"), QStringLiteral("dvojtečka"));
    angleTitle->addWidget(Label6);
    angleTitle->addWidget(Label7);
    angleTitle->addWidget(Label8);
    angleTitle->addStretch();
    uhFi = makeLabel(this, QStringLiteral("uhFi"), QStringLiteral("10000"), QStringLiteral("Správný úhel ve stupních"));
    Label21 = makeLabel(this, QStringLiteral("Label21"), QStringLiteral("°"), QStringLiteral("stupňů"));
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

    connect(Command1, &QPushButton::clicked, this, &Spatny::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Spatny::Command2_Click);
    connect(Sinusak, &QPushButton::clicked, this, &Spatny::Sinusak_Click);
    connect(vek, &QPushButton::clicked, this, &Spatny::vek_Click);
    speakValues();
}

quint32 Spatny::foreColor(const QLabel* label)
{
    return Colors::fromQColor(label->palette().color(QPalette::WindowText));
}

void Spatny::setForeColor(QLabel* label, quint32 bgr)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Colors::toQColor(bgr));
    label->setPalette(p);
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

void Spatny::Form_Load()
{
    using NumberFormat::pattern;
    const Krok1& step1 = Forms::get<Krok1>();
    cis1[0]->setText(step1.k1Caption(0));
    cis1[1]->setText(step1.zCaption(0));
    cis1[2]->setText(step1.k1Caption(1));
    cis2[0]->setText(step1.k2Caption(0));
    cis2[1]->setText(step1.zCaption(1));
    cis2[2]->setText(step1.k2Caption(1));

    const float re = Data_a_promene::resultRe;
    const float im = Data_a_promene::resultIm;
    cis3[0]->setText(pattern(re, QStringLiteral("0.00")));
    cis3[1]->setText(im > 0 ? QStringLiteral("+") : QStringLiteral("-"));
    cis3[2]->setText(pattern(std::fabs(im), QStringLiteral("0.00")));
    ab->setText(pattern(std::sqrt(double(re) * re + double(im) * im), QStringLiteral("###,###,##0.00")));
    uhFi->setText(pattern(Judging::GetFI(re, im), QStringLiteral("##0.0")));

    const auto op = quint8(step1.operation());
    if (op >= 1 && op <= 4)
        oper->setText(operationTexts(Operation(op)).oper);

    CorrectDrawings::DrawCorrectVector(*Forms::get<krok2>().Graf, re, im, Data_a_promene::axisLimit);
    Krok3& step3 = Forms::get<Krok3>();
    CorrectDrawings::DrawCorrectSinusoid(*step3.pb, re, im, step3.axisMax);
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

void Spatny::Command1_Click()
{
    Krok1& step1 = Forms::get<Krok1>();
    step1.Form_Load();
    step1.showModeless();
    step1.focusFirstEntry();
    hide();
}

void Spatny::Command2_Click()
{
    askToEnd();
}

void Spatny::Sinusak_Click()
{
    Krok3& step3 = Forms::get<Krok3>();
    hide();
    showCorrectDrawing(step3, step3.inf, QStringLiteral("Správně to mělo být takto:"), step3.dok, step3.bac, step3.kon,
                       step3.back);
    showModeless();
}

void Spatny::vek_Click()
{
    krok2& step2 = Forms::get<krok2>();
    hide();
    showCorrectDrawing(step2, step2.inf, QStringLiteral("Správně to mělo vypadat takto:"), step2.Contin, step2.bac,
                       step2.kon, step2.back);
    showModeless();
}
