#include "ui/forms/stepbuttons.h"

#include "core/data_a_promene.h"
#include "ui/forms/form.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

QGridLayout* layoutStepButtons(QPushButton* forward, QPushButton* bac, QPushButton* kon, QPushButton* back)
{
    constexpr int buttonWidth = 112;
    constexpr int buttonSpacing = 6;
    for (QPushButton* b : {forward, bac, kon})
        b->setFixedWidth(buttonWidth);
    back->setFixedWidth(3 * buttonWidth + 2 * buttonSpacing);
    back->hide();

    auto* buttons = new QGridLayout;
    buttons->setHorizontalSpacing(buttonSpacing);
    buttons->addWidget(forward, 0, 0);
    buttons->addWidget(bac, 0, 1);
    buttons->addWidget(kon, 0, 2);
    buttons->addWidget(back, 0, 0, 1, 3);
    buttons->setColumnStretch(3, 1);
    return buttons;
}

void showCorrectDrawing(Form& step, QLabel* inf, const QString& caption, QPushButton* forward, QPushButton* bac,
                        QPushButton* kon, QPushButton* back)
{
    inf->setText(caption);
    forward->hide();
    bac->hide();
    kon->hide();
    forward->setDefault(false);
    back->setDefault(true);
    back->show();
    Data_a_promene::correctDrawingMode = true;
    step.showModal();
    Data_a_promene::correctDrawingMode = false;
    forward->show();
    back->setDefault(false);
    forward->setDefault(true);
    bac->show();
    kon->show();
    back->hide();
}
