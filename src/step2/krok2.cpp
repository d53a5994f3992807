#include "step2/krok2.h"

#include "core/colors.h"
#include "core/data_a_promene.h"
#include "core/judging.h"
#include "core/numberformat.h"
#include "core/planemapping.h"
#include "core/scales.h"
#include "step2/gauss_plane.h"
#include "ui/forms/stepbuttons.h"
#include "ui/surface/picturebox.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

krok2::krok2()
{
    setObjectName(QStringLiteral("krok2"));
    setClosingAsksToEnd(true);
    setWindowTitle(QStringLiteral("Kvizmat komplexních čísel: 2. krok - zadání vektoru"));
    auto* layout = new QVBoxLayout(this);
    inf = new QLabel(QStringLiteral("Do Gaussovy roviny zakresli vektor komplexního čísla:"), this);
    inf->setObjectName(QStringLiteral("inf"));
    QPalette darkRed = inf->palette();
    darkRed.setColor(QPalette::WindowText, QColor(128, 0, 0));
    inf->setPalette(darkRed);
    inf->setAccessibleName(QStringLiteral("Zadání"));

    Graf = new PictureBox(372, 372, this);
    Graf->setObjectName(QStringLiteral("Graf"));
    Graf->setMousePointer(Pointer::Crosshair);
    Graf->setFont(QStringLiteral("Times New Roman"), 8, false);
    // Tab and a click give the plane the keyboard: Space and the arrow keys draw the vector.
    Graf->setFocusPolicy(Qt::StrongFocus);
    Graf->setAccessibleName(QStringLiteral("Gaussova rovina"));

    Contin = makeButton(QStringLiteral("Contin"), QStringLiteral("&Dále"));
    bac = makeButton(QStringLiteral("bac"), QStringLiteral("&Zpět"));
    kon = makeButton(QStringLiteral("kon"), QStringLiteral("&Konec"));
    back = makeButton(QStringLiteral("back"), QStringLiteral("&Zpět"));
    Contin->setAccessibleName(QStringLiteral("Dále, na 3. krok"));
    bac->setAccessibleName(QStringLiteral("Zpět na 1. krok"));
    kon->setAccessibleName(QStringLiteral("Konec"));
    back->setAccessibleName(QStringLiteral("Zpět k přehledu chyb"));
    Contin->setDefault(true);
    setCancelButton(kon);
    // The review's way back takes the place of all three buttons.
    QGridLayout* buttons = layoutStepButtons(Contin, bac, kon, back);

    layout->addWidget(inf);
    layout->addWidget(Graf);
    layout->addLayout(buttons);

    setTabOrder(Graf, Contin);
    setTabOrder(Contin, bac);
    setTabOrder(bac, kon);
    setTabOrder(kon, back);

    connect(Graf, &PictureBox::Click, this, &krok2::Graf_Click);
    connect(Graf, &PictureBox::MouseMove, this, &krok2::Graf_MouseMove);
    connect(Graf, &PictureBox::KeyDown, this, &krok2::Graf_KeyDown);
    connect(Contin, &QPushButton::clicked, this, &krok2::forwardRequested);
    connect(bac, &QPushButton::clicked, this, &krok2::backRequested);
    connect(kon, &QPushButton::clicked, this, &Form::askToEnd);
    // Hiding ends the review's modal display of this form; the review goes on from there.
    connect(back, &QPushButton::clicked, this, &QWidget::hide);
}

void krok2::Form_Load()
{
    if (Data_a_promene::correctDrawingMode)
        return;
    inf->setText(QStringLiteral("Do Gaussovy roviny zakresli vektor komplexního čísla:"));
    Graf->setForeColor(Colors::Black);
    Graf->setFont(QStringLiteral("Times New Roman"), 8, false);
    vectorFollowing = 0;
    vectorEndX = Graf->ScaleWidth() / 2;
    vectorEndY = Graf->ScaleHeight() / 2;
    NajdiMeritk();
    RedrawPlane();
}

void krok2::NajdiMeritk()
{
    Data_a_promene::axisLimit = Scales::NajdiMeritk(Data_a_promene::resultRe, Data_a_promene::resultIm);
}

void krok2::RedrawPlane()
{
    GaussPlane::RedrawPlane(*Graf, Data_a_promene::axisLimit, vectorEndX, vectorEndY, vectorFollowing != 0);
    describeVector();
}

void krok2::describeVector()
{
    const float limit = Data_a_promene::axisLimit;
    const PlaneMapping plane(Graf->ScaleWidth(), Graf->ScaleHeight(), limit);
    const float re = plane.toRe(vectorEndX);
    const float im = plane.toIm(vectorEndY);
    const QString pattern = QStringLiteral("0.00");
    const QString point = NumberFormat::pattern(re, pattern) +
                          (im < 0 ? QStringLiteral(" − ") : QStringLiteral(" + ")) +
                          NumberFormat::pattern(std::fabs(im), pattern) + QStringLiteral(" i");
    const QString state = vectorFollowing
                              ? QStringLiteral("Konec vektoru se posouvá šipkami nebo myší, mezerník jej upevní.")
                              : QStringLiteral("Vektor je upevněn, mezerník jej uvolní.");
    Graf->setAccessibleDescription(QStringLiteral("Osy od -%1 do %1. Konec vektoru: %2. %3")
                                       .arg(NumberFormat::regional(limit, NumberFormat::SingleDigits), point, state));
}

void krok2::Graf_Click()
{
    if (Data_a_promene::correctDrawingMode)
        return;
    vectorFollowing = qint16(~vectorFollowing);
    RedrawPlane();
}

void krok2::Graf_MouseMove(int, int, float x, float y)
{
    if (Data_a_promene::correctDrawingMode)
        return;
    if (!PlaneMapping(Graf->ScaleWidth(), Graf->ScaleHeight(), Data_a_promene::axisLimit).insideBand(x, y) ||
        !vectorFollowing)
        return;
    vectorEndX = x;
    vectorEndY = y;
    RedrawPlane();
}

// Space works as a click; the arrow keys move a following end point by 1 px (Shift: 10) and stop
// at the same band the mouse is held to. A fixed vector stays fixed, as it does for the mouse.
void krok2::Graf_KeyDown(QKeyEvent* event)
{
    if (Data_a_promene::correctDrawingMode)
        return;
    const int key = event->key();
    if (key == Qt::Key_Space) {
        event->accept();
        if (!event->isAutoRepeat())
            Graf_Click();
        return;
    }
    float dx = 0, dy = 0;
    const float step = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    switch (key) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    case Qt::Key_Down:
        dy = step;
        break;
    default:
        return;
    }
    event->accept();
    if (!vectorFollowing)
        return;
    const PlaneMapping plane(Graf->ScaleWidth(), Graf->ScaleHeight(), Data_a_promene::axisLimit);
    // The whole pixels of the band, between the axis ends. A step that would leave it stops
    // at its edge, but never pulls a point that lies beyond that edge backwards.
    auto moved = [](float from, float by, float low, float high) {
        float to = from + by;
        if (by > 0 && to > high)
            to = std::max(from, high);
        if (by < 0 && to < low)
            to = std::min(from, low);
        return to;
    };
    const float x = moved(vectorEndX, dx, plane.left(), plane.right());
    const float y = moved(vectorEndY, dy, plane.top(), plane.bottom());
    if (!plane.insideBand(x, y) || (x == vectorEndX && y == vectorEndY))
        return;
    vectorEndX = x;
    vectorEndY = y;
    RedrawPlane();
}

void krok2::enterReviewMode()
{
    inf->setText(QStringLiteral("Správně to mělo vypadat takto:"));
    showReviewButtons(true, Contin, bac, kon, back);
}

void krok2::leaveReviewMode()
{
    showReviewButtons(false, Contin, bac, kon, back);
}

Surface& krok2::drawing()
{
    return *Graf;
}
