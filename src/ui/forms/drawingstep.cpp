#include "ui/forms/drawingstep.h"

#include "ui/surface/picturebox.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int buttonWidth = 112;
constexpr int buttonSpacing = 6;

} // namespace

DrawingStep::DrawingStep(const Captions& c) : m_task(c.task), m_reviewTask(c.reviewTask)
{
    setObjectName(c.formName);
    setClosingAsksToEnd(true);
    setWindowTitle(c.title);
    auto* layout = new QVBoxLayout(this);
    taskLabel = new QLabel(c.task, this);
    taskLabel->setObjectName(QStringLiteral("inf"));
    QPalette darkRed = taskLabel->palette();
    darkRed.setColor(QPalette::WindowText, QColor(128, 0, 0));
    taskLabel->setPalette(darkRed);
    taskLabel->setAccessibleName(QStringLiteral("Zadání"));

    picture = new PictureBox(c.pictureWidth, c.pictureHeight, this);
    picture->setObjectName(c.pictureName);
    // Tab and a click give the picture the keyboard, which draws as the mouse does.
    picture->setFocusPolicy(Qt::StrongFocus);
    picture->setAccessibleName(c.pictureSpoken);

    forwardButton = makeButton(c.forwardName, c.forwardCaption);
    backButton = makeButton(QStringLiteral("bac"), QStringLiteral("&Zpět"));
    endButton = makeButton(QStringLiteral("kon"), QStringLiteral("&Konec"));
    reviewBackButton = makeButton(QStringLiteral("back"), QStringLiteral("&Zpět"));
    forwardButton->setAccessibleName(c.forwardSpoken);
    backButton->setAccessibleName(c.backSpoken);
    endButton->setAccessibleName(QStringLiteral("Konec"));
    reviewBackButton->setAccessibleName(QStringLiteral("Zpět k přehledu chyb"));
    forwardButton->setDefault(true);
    setCancelButton(endButton);

    // The review's way back takes the place of all three buttons.
    for (QPushButton* b : {forwardButton, backButton, endButton})
        b->setFixedWidth(buttonWidth);
    reviewBackButton->setFixedWidth(3 * buttonWidth + 2 * buttonSpacing);
    reviewBackButton->hide();
    auto* buttons = new QGridLayout;
    buttons->setHorizontalSpacing(buttonSpacing);
    buttons->addWidget(forwardButton, 0, 0);
    buttons->addWidget(backButton, 0, 1);
    buttons->addWidget(endButton, 0, 2);
    buttons->addWidget(reviewBackButton, 0, 0, 1, 3);
    buttons->setColumnStretch(3, 1);

    layout->addWidget(taskLabel);
    layout->addWidget(picture);
    layout->addLayout(buttons);

    setTabOrder(picture, forwardButton);
    setTabOrder(forwardButton, backButton);
    setTabOrder(backButton, endButton);
    setTabOrder(endButton, reviewBackButton);

    connect(forwardButton, &QPushButton::clicked, this, &DrawingStep::forwardRequested);
    connect(backButton, &QPushButton::clicked, this, &DrawingStep::backRequested);
    connect(endButton, &QPushButton::clicked, this, &Form::askToEnd);
    // Hiding ends the review's modal display of this form; the review goes on from there.
    connect(reviewBackButton, &QPushButton::clicked, this, &QWidget::hide);
}

void DrawingStep::showTask()
{
    taskLabel->setText(m_task);
}

void DrawingStep::enterReviewMode()
{
    m_showsCorrectDrawing = true;
    taskLabel->setText(m_reviewTask);
    showReviewButtons(true);
}

void DrawingStep::leaveReviewMode()
{
    m_showsCorrectDrawing = false;
    showReviewButtons(false);
}

// While the review shows the correct drawing only the way back is there, as the default button;
// otherwise the three normal buttons, the forward one the default.
void DrawingStep::showReviewButtons(bool review)
{
    for (QPushButton* b : {forwardButton, backButton, endButton})
        b->setVisible(!review);
    forwardButton->setDefault(!review);
    reviewBackButton->setDefault(review);
    reviewBackButton->setVisible(review);
}

Surface& DrawingStep::drawing()
{
    return *picture;
}
