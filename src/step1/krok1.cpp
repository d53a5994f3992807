#include "step1/krok1.h"

#include "core/data_a_promene.h"
#include "ui/forms/system.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

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

QFrame* separator(QWidget* parent, const QString& name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// One complex number in a row: real part, sign, |imaginary part|, "i" (24-point operands).
QHBoxLayout* numberRow(Form* form, QLabel* parts[2], QLabel*& sign, const QString& prefix, const QString& signName,
                       const QString& unitName)
{
    auto* row = new QHBoxLayout;
    parts[0] = form->makeLabel(prefix + QStringLiteral("_0"), QStringLiteral("0"), 24);
    sign = form->makeLabel(signName, QStringLiteral("+"), 24);
    parts[1] = form->makeLabel(prefix + QStringLiteral("_1"), QStringLiteral("0"), 24);
    row->addWidget(parts[0]);
    row->addWidget(sign);
    row->addWidget(parts[1]);
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
    layout->addLayout(numberRow(this, k1, z[0], QStringLiteral("k1"), QStringLiteral("z_0"), QStringLiteral("Label4")));
    layout->addWidget(separator(this, QStringLiteral("Line1")));
    layout->addWidget(makeLabel(QStringLiteral("Label10"), QStringLiteral("Druhé komplexní číslo:"), 12));
    layout->addLayout(numberRow(this, k2, z[1], QStringLiteral("k2"), QStringLiteral("z_1"), QStringLiteral("Label8")));
    layout->addWidget(separator(this, QStringLiteral("Line2")));

    inform = makeLabel(QStringLiteral("inform"), QStringLiteral("Daná čísla sečti"), 12);
    inform->setAccessibleDescription(QStringLiteral("Zadání příkladu"));
    layout->addWidget(inform);
    layout->addWidget(separator(this, QStringLiteral("Line3")));

    auto* resultRow = new QHBoxLayout;
    oper = makeLabel(QStringLiteral("oper"), QStringLiteral("Součet je:"), 12);
    const QColor purple(128, 0, 128), peach(255, 192, 128);
    vys[0] = makeEntry(this, QStringLiteral("vys_0"), QStringLiteral("Reálná část výsledku"), purple, peach);
    vys[1] = makeEntry(this, QStringLiteral("vys_1"), QStringLiteral("Imaginární část výsledku"), purple, peach);
    resultRow->addWidget(oper);
    resultRow->addWidget(vys[0]);
    resultRow->addWidget(makeLabel(QStringLiteral("Label12"), QStringLiteral("+"), 12));
    resultRow->addWidget(vys[1]);
    resultRow->addWidget(makeLabel(QStringLiteral("Label13"), QStringLiteral("i"), 12));
    layout->addLayout(resultRow);

    auto* polarRow = new QHBoxLayout;
    absh = makeEntry(this, QStringLiteral("absh"), QStringLiteral("Absolutní hodnota výsledku"), QColor(0, 0, 192),
                     QColor(255, 255, 0));
    fi = makeEntry(this, QStringLiteral("fi"), QStringLiteral("Úhel φ výsledku ve stupních"), QColor(0, 128, 128),
                   QColor(255, 255, 192));
    polarRow->addWidget(makeLabel(QStringLiteral("Label14"), QStringLiteral("Absolutní hodnota:"), 12));
    polarRow->addWidget(absh);
    polarRow->addSpacing(16);
    polarRow->addWidget(makeLabel(QStringLiteral("Label15"), QStringLiteral("Úhel"), 12));
    polarRow->addWidget(makeLabel(QStringLiteral("Label16"), QStringLiteral("φ"), 12));
    polarRow->addWidget(makeLabel(QStringLiteral("Label17"), QStringLiteral(":"), 12));
    polarRow->addWidget(fi);
    polarRow->addWidget(makeLabel(QStringLiteral("Label24"), QStringLiteral("°"), 12));
    layout->addLayout(polarRow);
    layout->addWidget(separator(this, QStringLiteral("Line4")));

    auto* buttons = new QHBoxLayout;
    Contin = makeButton(QStringLiteral("Contin"), QStringLiteral("&Dále"));
    Command3 = makeButton(QStringLiteral("Command3"), QStringLiteral("&Konec"));
    Contin->setDefault(true);
    setCancelButton(Command3);
    buttons->addStretch();
    buttons->addWidget(Contin);
    buttons->addWidget(Command3);
    layout->addLayout(buttons);

    setTabOrder(vys[0], vys[1]);
    setTabOrder(vys[1], absh);
    setTabOrder(absh, fi);
    setTabOrder(fi, Contin);
    setTabOrder(Contin, Command3);

    connect(Contin, &QPushButton::clicked, this, &Krok1::forwardRequested);
    connect(Command3, &QPushButton::clicked, this, &Form::askToEnd);
}

void Krok1::Form_Load()
{
    m_random = System::newRandomSource();
    GenerateExample();
}

void Krok1::GenerateExample()
{
    m_example = ::GenerateExample(m_random);
    const auto& o = m_example.operands;
    k1[0]->setText(wholeNumberText(o[0]));
    z[0]->setText(signText(o[1]));
    k1[1]->setText(wholeNumberText(std::fabs(o[1])));
    k2[0]->setText(wholeNumberText(o[2]));
    z[1]->setText(signText(o[3]));
    k2[1]->setText(wholeNumberText(std::fabs(o[3])));

    // A screen reader reads each number whole instead of its four labels.
    const QString first = k1[0]->text() + u' ' + z[0]->text() + u' ' + k1[1]->text() + QStringLiteral(" i");
    const QString second = k2[0]->text() + u' ' + z[1]->text() + u' ' + k2[1]->text() + QStringLiteral(" i");
    k1[0]->setAccessibleName(QStringLiteral("První komplexní číslo: ") + first);
    k2[0]->setAccessibleName(QStringLiteral("Druhé komplexní číslo: ") + second);

    const OperationTexts texts = operationTexts(m_example.operation);
    oper->setText(texts.oper);
    inform->setText(texts.inform);
    Data_a_promene::resultRe = m_example.resultRe;
    Data_a_promene::resultIm = m_example.resultIm;

    vys[0]->clear();
    vys[1]->clear();
    absh->clear();
    fi->clear();
}

Krok1::Answers Krok1::answers() const
{
    return {vys[0]->text(), vys[1]->text(), absh->text(), fi->text()};
}

void Krok1::focusFirstEntry()
{
    vys[0]->setFocus(Qt::OtherFocusReason);
}
