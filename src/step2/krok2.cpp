#include "step2/krok2.h"

#include "core/colors.h"
#include "core/numberformat.h"
#include "step2/gauss_plane.h"
#include "ui/surface/picturebox.h"

#include <QKeyEvent>

#include <algorithm>
#include <cmath>

krok2::krok2()
    : DrawingStep({.formName = QStringLiteral("krok2"),
                   .title = QStringLiteral("Kvizmat komplexních čísel: 2. krok - zadání vektoru"),
                   .task = QStringLiteral("Do Gaussovy roviny zakresli vektor komplexního čísla:"),
                   .reviewTask = QStringLiteral("Správně to mělo vypadat takto:"),
                   .pictureName = QStringLiteral("Graf"),
                   .pictureSpoken = QStringLiteral("Gaussova rovina"),
                   .pictureWidth = 372,
                   .pictureHeight = 372,
                   .forwardName = QStringLiteral("Contin"),
                   .forwardCaption = QStringLiteral("&Dále"),
                   .forwardSpoken = QStringLiteral("Dále, na 3. krok"),
                   .backSpoken = QStringLiteral("Zpět na 1. krok")})
{
    picture->setMousePointer(Pointer::Crosshair);
    picture->setFont(QStringLiteral("Times New Roman"), 8, false);
    connect(picture, &PictureBox::Click, this, &krok2::Graf_Click);
    connect(picture, &PictureBox::MouseMove, this, &krok2::Graf_MouseMove);
    connect(picture, &PictureBox::KeyDown, this, &krok2::Graf_KeyDown);
}

void krok2::startExample(const PlaneMapping& plane)
{
    m_plane = plane;
    showTask();
    picture->setForeColor(Colors::Black);
    picture->setFont(QStringLiteral("Times New Roman"), 8, false);
    vectorFollowing = false;
    vectorEndX = picture->ScaleWidth() / 2;
    vectorEndY = picture->ScaleHeight() / 2;
    RedrawPlane();
}

void krok2::RedrawPlane()
{
    GaussPlane::RedrawPlane(*picture, m_plane.axisLimit(), vectorEndX, vectorEndY, vectorFollowing);
    describeVector();
}

void krok2::describeVector()
{
    const float re = m_plane.toRe(vectorEndX);
    const float im = m_plane.toIm(vectorEndY);
    const QString pattern = QStringLiteral("0.00");
    const QString point = NumberFormat::pattern(re, pattern) +
                          (im < 0 ? QStringLiteral(" − ") : QStringLiteral(" + ")) +
                          NumberFormat::pattern(std::fabs(im), pattern) + QStringLiteral(" i");
    const QString state = vectorFollowing
                              ? QStringLiteral("Konec vektoru se posouvá šipkami nebo myší, mezerník jej upevní.")
                              : QStringLiteral("Vektor je upevněn, mezerník jej uvolní.");
    picture->setAccessibleDescription(
        QStringLiteral("Osy od -%1 do %1. Konec vektoru: %2. %3")
            .arg(NumberFormat::regional(m_plane.axisLimit(), NumberFormat::SingleDigits), point, state));
}

void krok2::Graf_Click()
{
    if (showsCorrectDrawing())
        return;
    vectorFollowing = !vectorFollowing;
    RedrawPlane();
}

void krok2::Graf_MouseMove(int, int, float x, float y)
{
    if (showsCorrectDrawing() || !m_plane.insideBand(x, y) || !vectorFollowing)
        return;
    vectorEndX = x;
    vectorEndY = y;
    RedrawPlane();
}

// Space works as a click; the arrow keys move a following end point by 1 px (Shift: 10) and stop
// at the same band the mouse is held to. A fixed vector stays fixed, as it does for the mouse.
void krok2::Graf_KeyDown(QKeyEvent* event)
{
    if (showsCorrectDrawing())
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
    const PlaneMapping& plane = m_plane;
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
