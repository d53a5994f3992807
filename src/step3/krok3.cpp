#include "step3/krok3.h"

#include "app/forms.h"
#include "app/konec.h"
#include "ui/surface/picturebox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Krok3::Krok3()
{
    setObjectName(QStringLiteral("Krok3"));
    setWindowTitle(QStringLiteral("Kvizmat komplexních čísel: 3. krok - sinusový průběh s fázovým posunem"));
    auto* layout = new QVBoxLayout(this);
    inf = new QLabel(QStringLiteral("Roztáhni a posuň sinusoidu tak, aby to odpovídalo komplexnímu číslu:"), this);
    inf->setObjectName(QStringLiteral("inf"));
    pb = new PictureBox(485, 221, this);
    pb->setObjectName(QStringLiteral("pb"));
    dok = makeButton(QStringLiteral("dok"), QStringLiteral("&Dokončit"));
    bac = makeButton(QStringLiteral("bac"), QStringLiteral("&Zpět"));
    kon = makeButton(QStringLiteral("kon"), QStringLiteral("&Konec"));
    back = makeButton(QStringLiteral("back"), QStringLiteral("&Zpět"));
    back->hide();
    layout->addWidget(inf);
    layout->addWidget(pb);
    layout->addWidget(dok);
    layout->addWidget(bac);
    layout->addWidget(kon);
    layout->addWidget(back);
}

void Krok3::Form_Load() {}

void Krok3::FindAxisMax() {}

void Krok3::DrawSin(qint16, double) {}

bool Krok3::closeRequested()
{
    Forms::get<Konec>().showModal();
    return true;
}
