#include "step1/vysledky.h"

#include "core/leadingnumber.h"
#include "core/numberformat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

#include <array>
#include <cmath>
#include <utility>

// Shown exactly as the pupil typed it, never read as markup. Without a name of its own a label is read
// out by what it shows, so a screen reader always says the current value; the description says whose.
static QLabel* label(QWidget* parent, const QString& name, const QString& text, const QString& whose = QString())
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setAccessibleDescription(whose);
    return l;
}

Vysledky::Vysledky()
{
    setObjectName(QStringLiteral("Vysledky"));
    setWindowTitle(QStringLiteral("Tvoje výsledky"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* grid = new QGridLayout(this);
    const QString design = QStringLiteral("1234567890");
    int row = 0;
    grid->addWidget(label(this, QStringLiteral("Label1"), QStringLiteral("Zadání:")), row++, 0, 1, 5);
    taskLabel =
        label(this, QStringLiteral("Label4"), QStringLiteral("Daná čísla od sebe odečti"), QStringLiteral("Zadání"));
    grid->addWidget(taskLabel, row++, 0, 1, 5);

    // A complex number in a row: real part, sign, magnitude of the imaginary part, "i".
    auto numberRow = [&](QLabel* parts[3], const QString& prefix, const QString& unitName, const QString& whose,
                         const QString& re, const QString& sign, const QString& im) {
        parts[0] = label(this, prefix + QStringLiteral("_0"), design, whose + re);
        parts[2] = label(this, prefix + QStringLiteral("_2"), design, whose + sign);
        parts[1] = label(this, prefix + QStringLiteral("_1"), design, whose + im);
        grid->addWidget(parts[0], row, 0);
        grid->addWidget(parts[2], row, 1);
        grid->addWidget(parts[1], row, 2);
        grid->addWidget(label(this, unitName, QStringLiteral("i")), row++, 3);
    };
    const QString re = QStringLiteral("reálná část"), sign = QStringLiteral("znaménko imaginární části"),
                  im = QStringLiteral("velikost imaginární části");
    grid->addWidget(label(this, QStringLiteral("Label5"), QStringLiteral("1. komplexní číslo")), row++, 0, 1, 5);
    numberRow(k1, QStringLiteral("k1"), QStringLiteral("Label7"), QStringLiteral("1. číslo, "), re, sign, im);
    grid->addWidget(label(this, QStringLiteral("Label8"), QStringLiteral("2. komplexní číslo")), row++, 0, 1, 5);
    numberRow(k2, QStringLiteral("k2"), QStringLiteral("Label14"), QStringLiteral("2. číslo, "), re, sign, im);

    grid->addWidget(makeLine(QStringLiteral("Line1")), row++, 0, 1, 5);
    grid->addWidget(label(this, QStringLiteral("Label9"), QStringLiteral("Tvoje výsledky:")), row++, 0, 1, 5);
    operace = label(this, QStringLiteral("operace"), QStringLiteral("Násobek:"));
    grid->addWidget(operace, row++, 0, 1, 5);
    numberRow(v, QStringLiteral("v"), QStringLiteral("Label15"), QString(), QStringLiteral("Tvoje reálná část"),
              QStringLiteral("Znaménko tvé imaginární části"), QStringLiteral("Velikost tvé imaginární části"));

    grid->addWidget(makeLine(QStringLiteral("Line2")), row++, 0, 1, 5);
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(label(this, QStringLiteral("Label11"), QStringLiteral("Úhel")));
    angleRow->addWidget(label(this, QStringLiteral("Label16"), QStringLiteral("φ")));
    angleRow->addWidget(label(this, QStringLiteral("Label13"), QStringLiteral(":")));
    fi = label(this, QStringLiteral("fi"), design, QStringLiteral("Tvůj úhel ve stupních"));
    angleRow->addWidget(fi);
    angleRow->addWidget(label(this, QStringLiteral("Label24"), QStringLiteral("°")));
    angleRow->addStretch();
    grid->addLayout(angleRow, row++, 0, 1, 5);
    auto* absRow = new QHBoxLayout;
    absRow->addWidget(label(this, QStringLiteral("Label12"), QStringLiteral("Absolutní hodnota:")));
    ah = label(this, QStringLiteral("ah"), design, QStringLiteral("Tvoje absolutní hodnota"));
    absRow->addWidget(ah);
    absRow->addStretch();
    grid->addLayout(absRow, row++, 0, 1, 5);
}

void Vysledky::showEvent(QShowEvent* event)
{
    // The first time beside the top-left corner of the screen, where the centred step forms leave room;
    // afterwards wherever the pupil moved it.
    if (!m_placed) {
        m_placed = true;
        if (const QScreen* s = screen())
            move(s->availableGeometry().topLeft() + QPoint(16, 16));
    }
    Form::showEvent(event);
}

// The operands as Krok1 shows them; the imaginary part as the number read from its entry, its sign
// apart.
void Vysledky::showAnswers(const Example& example, const Krok1::Answers& typed)
{
    const std::array<OperandCaptions, 2> operands = operandCaptions(example);
    for (auto [labels, captions] : {std::pair{k1, operands[0]}, std::pair{k2, operands[1]}}) {
        labels[0]->setText(captions.re);
        labels[1]->setText(captions.im);
        labels[2]->setText(captions.sign);
    }
    v[0]->setText(typed.re);
    const double im = LeadingNumber(typed.im);
    v[1]->setText(NumberFormat::regional(std::fabs(im)));
    operace->setText(operationTexts(example.operation).operace);
    v[2]->setText(im >= 0 ? QStringLiteral("+") : QStringLiteral("-"));
    ah->setText(typed.absh);
    fi->setText(typed.fi);
    taskLabel->setText(operationTexts(example.operation).inform);
    setVisible(true);
}
