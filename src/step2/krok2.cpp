#include "step2/krok2.h"

#include "app/forms.h"
#include "app/konec.h"
#include "ui/surface/picturebox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

krok2::krok2()
{
    setObjectName(QStringLiteral("krok2"));
    setWindowTitle(QStringLiteral("Kvizmat komplexních čísel: 2. krok - zadání vektoru"));
    auto* layout = new QVBoxLayout(this);
    inf = new QLabel(QStringLiteral("Do Gaussovy roviny zakresli vektor komplexního čísla:"), this);
    inf->setObjectName(QStringLiteral("inf"));
    Graf = new PictureBox(372, 372, this);
    Graf->setObjectName(QStringLiteral("Graf"));
    Contin = makeButton(QStringLiteral("Contin"), QStringLiteral("&Dále"));
    bac = makeButton(QStringLiteral("bac"), QStringLiteral("&Zpět"));
    kon = makeButton(QStringLiteral("kon"), QStringLiteral("&Konec"));
    back = makeButton(QStringLiteral("back"), QStringLiteral("&Zpět"));
    back->hide();
    layout->addWidget(inf);
    layout->addWidget(Graf);
    layout->addWidget(Contin);
    layout->addWidget(bac);
    layout->addWidget(kon);
    layout->addWidget(back);
}

void krok2::Form_Load() {}

void krok2::NajdiMeritk() {}

bool krok2::closeRequested()
{
    Forms::get<Konec>().showModal();
    return true;
}
