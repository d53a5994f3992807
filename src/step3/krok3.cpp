#include "step3/krok3.h"

#include "core/colors.h"
#include "core/data_a_promene.h"
#include "core/numberformat.h"
#include "core/rounding.h"
#include "core/scales.h"
#include "core/sinusoidscale.h"
#include "step3/sinusoid.h"
#include "ui/forms/stepbuttons.h"
#include "ui/forms/system.h"
#include "ui/surface/picturebox.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// dragLastX / dragLastY: this direction of motion is ignored during the drag.
constexpr qint16 ignoredMotion = -32768;

} // namespace

Krok3::Krok3()
{
    setObjectName(QStringLiteral("Krok3"));
    setClosingAsksToEnd(true);
    setWindowTitle(QStringLiteral("Kvizmat komplexních čísel: 3. krok - sinusový průběh s fázovým posunem"));
    auto* layout = new QVBoxLayout(this);
    inf = new QLabel(QStringLiteral("Roztáhni a posuň sinusoidu tak, aby to odpovídalo komplexnímu číslu:"), this);
    inf->setObjectName(QStringLiteral("inf"));
    QPalette darkRed = inf->palette();
    darkRed.setColor(QPalette::WindowText, QColor(128, 0, 0));
    inf->setPalette(darkRed);
    inf->setAccessibleName(QStringLiteral("Zadání"));

    pb = new PictureBox(485, 221, this);
    pb->setObjectName(QStringLiteral("pb"));
    // Tab and a click give the sinusoid the keyboard: arrows set amplitude and phase shift.
    pb->setFocusPolicy(Qt::StrongFocus);
    pb->setAccessibleName(QStringLiteral("Sinusoida"));

    dok = makeButton(QStringLiteral("dok"), QStringLiteral("&Dokončit"));
    bac = makeButton(QStringLiteral("bac"), QStringLiteral("&Zpět"));
    kon = makeButton(QStringLiteral("kon"), QStringLiteral("&Konec"));
    back = makeButton(QStringLiteral("back"), QStringLiteral("&Zpět"));
    dok->setAccessibleName(QStringLiteral("Dokončit příklad"));
    bac->setAccessibleName(QStringLiteral("Zpět na 2. krok"));
    kon->setAccessibleName(QStringLiteral("Konec"));
    back->setAccessibleName(QStringLiteral("Zpět k přehledu chyb"));
    dok->setDefault(true);
    setCancelButton(kon);
    // The review's way back takes the place of all three buttons.
    QGridLayout* buttons = layoutStepButtons(dok, bac, kon, back);

    layout->addWidget(inf);
    layout->addWidget(pb);
    layout->addLayout(buttons);

    setTabOrder(pb, dok);
    setTabOrder(dok, bac);
    setTabOrder(bac, kon);
    setTabOrder(kon, back);

    connect(pb, &PictureBox::MouseDown, this, &Krok3::pb_MouseDown);
    connect(pb, &PictureBox::MouseMove, this, &Krok3::pb_MouseMove);
    connect(pb, &PictureBox::MouseUp, this, &Krok3::pb_MouseUp);
    connect(pb, &PictureBox::KeyDown, this, &Krok3::pb_KeyDown);
    connect(dok, &QPushButton::clicked, this, &Krok3::finishRequested);
    connect(bac, &QPushButton::clicked, this, &Krok3::backRequested);
    connect(kon, &QPushButton::clicked, this, &Form::askToEnd);
    // Hiding ends the review's modal display of this form; the review goes on from there.
    connect(back, &QPushButton::clicked, this, &QWidget::hide);
}

void Krok3::Form_Load()
{
    if (Data_a_promene::correctDrawingMode)
        return;
    inf->setText(QStringLiteral("Roztáhni a posuň sinusoidu tak, aby to odpovídalo komplexnímu číslu:"));
    FindAxisMax();
    pb->setForeColor(Colors::Black);
    pb->Cls();
    amplitude = Rounding::toInt16(float(SinusoidScale(pb->ScaleHeight(), axisMax).fullScale()) / 2);
    dragging = 0;
    DrawSin(0, amplitude);
    phaseShift = 0;
    describeSinusoid();
}

void Krok3::FindAxisMax()
{
    const double re = Data_a_promene::resultRe;
    const double im = Data_a_promene::resultIm;
    axisMax = Scales::FindAxisMax(std::sqrt(re * re + im * im));
}

void Krok3::DrawSin(qint16 phase, double amplitudePixels)
{
    Sinusoid::DrawSin(*pb, axisMax, phase, amplitudePixels);
}

void Krok3::describeSinusoid()
{
    const double r = SinusoidScale(pb->ScaleHeight(), axisMax).amplitudeValue(amplitude);
    const double degrees = SinusoidScale::phaseDegrees(SinusoidScale::normalisePhase(phaseShift));
    pb->setAccessibleDescription(
        QStringLiteral("Amplituda %1 (stupnice do %2), fázový posun %3°. Šipky nahoru a dolů mění amplitudu, "
                       "doleva a doprava fázový posun, se Shiftem po deseti.")
            .arg(NumberFormat::pattern(r, QStringLiteral("0.00")), QString::number(axisMax),
                 NumberFormat::pattern(degrees, QStringLiteral("##0.0"))));
}

void Krok3::pb_MouseDown(int, int, float x, float y)
{
    if (Data_a_promene::correctDrawingMode)
        return;
    if (dragging)
        System::beep();
    switch (pb->MousePointer()) {
    case Pointer::Default:
        dragLastY = Scales::dragPosition(y);
        dragLastX = Scales::dragPosition(x);
        pb->setMousePointer(Pointer::SizeAll);
        break;
    case Pointer::SizeWE:
        dragLastX = Scales::dragPosition(x);
        dragLastY = ignoredMotion;
        break;
    case Pointer::SizeNS:
        dragLastX = ignoredMotion;
        dragLastY = Scales::dragPosition(y);
        break;
    default:
        break;
    }
    dragging = -1;
}

void Krok3::pb_MouseMove(int, int, float x, float y)
{
    if (Data_a_promene::correctDrawingMode)
        return;
    if (!dragging) {
        pb->setMousePointer(SinusoidScale::hoverPointer(x, y, pb->ScaleWidth(), pb->ScaleHeight()));
        return;
    }
    if (dragLastX != ignoredMotion) {
        phaseShift = phaseShift - x + float(dragLastX);
        dragLastX = Scales::dragPosition(x);
    }
    if (dragLastY != ignoredMotion)
        amplitude = SinusoidScale(pb->ScaleHeight(), axisMax).dragAmplitude(y);
    DrawSin(SinusoidScale::drawnPhase(phaseShift), amplitude);
    describeSinusoid();
}

void Krok3::pb_MouseUp(int, int, float, float)
{
    if (Data_a_promene::correctDrawingMode)
        return;
    phaseShift = SinusoidScale::normalisePhase(phaseShift);
    pb->setMousePointer(Pointer::Default);
    dragging = 0;
    describeSinusoid();
}

// Up and Down set the amplitude, Left and Right shift the curve (1 px, with Shift 10), within the
// limits of a drag; the phase is brought into one period at once, as at the end of a drag. During a
// mouse drag the mouse alone sets the curve.
void Krok3::pb_KeyDown(QKeyEvent* event)
{
    if (Data_a_promene::correctDrawingMode)
        return;
    const int key = event->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Left && key != Qt::Key_Right)
        return;
    event->accept();
    if (dragging)
        return;
    const int step = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    const float fullScale = float(SinusoidScale(pb->ScaleHeight(), axisMax).fullScale());
    switch (key) {
    case Qt::Key_Up: {
        int a = amplitude + step;
        if (fullScale < a)
            a = Rounding::toInt16(fullScale);
        amplitude = qint16(a);
        break;
    }
    case Qt::Key_Down:
        amplitude = qint16(std::max(0, amplitude - step));
        break;
    case Qt::Key_Left:
        phaseShift = SinusoidScale::normalisePhase(phaseShift + float(step));
        break;
    case Qt::Key_Right:
        phaseShift = SinusoidScale::normalisePhase(phaseShift - float(step));
        break;
    }
    DrawSin(SinusoidScale::drawnPhase(phaseShift), amplitude);
    describeSinusoid();
}

void Krok3::enterReviewMode()
{
    inf->setText(QStringLiteral("Správně to mělo být takto:"));
    showReviewButtons(true, dok, bac, kon, back);
}

void Krok3::leaveReviewMode()
{
    showReviewButtons(false, dok, bac, kon, back);
}

Surface& Krok3::drawing()
{
    return *pb;
}
