#include "ui/forms/stepbuttons.h"

#include <QGridLayout>
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

void showReviewButtons(bool review, QPushButton* forward, QPushButton* bac, QPushButton* kon, QPushButton* back)
{
    for (QPushButton* b : {forward, bac, kon})
        b->setVisible(!review);
    forward->setDefault(!review);
    back->setDefault(review);
    back->setVisible(review);
}
