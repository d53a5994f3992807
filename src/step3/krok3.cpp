#include "step3/krok3.h"

#include "core/colors.h"
#include "core/numberformat.h"
#include "core/rounding.h"
#include "core/scales.h"
#include "step3/sinusoid.h"
#include "ui/forms/system.h"
#include "ui/surface/picturebox.h"

#include <QKeyEvent>

#include <algorithm>
#include <cmath>

Krok3::Krok3()
    : DrawingStep({.formName = QStringLiteral("Krok3"),
                   .title = QStringLiteral("Kvizmat komplexních čísel: 3. krok - sinusový průběh s fázovým posunem"),
                   .task = QStringLiteral("Roztáhni a posuň sinusoidu tak, aby to odpovídalo komplexnímu číslu:"),
                   .reviewTask = QStringLiteral("Správně to mělo být takto:"),
                   .pictureName = QStringLiteral("pb"),
                   .pictureSpoken = QStringLiteral("Sinusoida"),
                   .pictureWidth = 485,
                   .pictureHeight = 221,
                   .forwardName = QStringLiteral("dok"),
                   .forwardCaption = QStringLiteral("&Dokončit"),
                   .forwardSpoken = QStringLiteral("Dokončit příklad"),
                   .backSpoken = QStringLiteral("Zpět na 2. krok")})
{
    connect(picture, &PictureBox::MouseDown, this, &Krok3::pb_MouseDown);
    connect(picture, &PictureBox::MouseMove, this, &Krok3::pb_MouseMove);
    connect(picture, &PictureBox::MouseUp, this, &Krok3::pb_MouseUp);
    connect(picture, &PictureBox::KeyDown, this, &Krok3::pb_KeyDown);
}

void Krok3::startExample(const SinusoidScale& scale)
{
    m_scale = scale;
    showTask();
    picture->setForeColor(Colors::Black);
    picture->Cls();
    amplitude = Rounding::toInt16(float(m_scale.fullScale()) / 2);
    m_dragging = false;
    DrawSin(0, amplitude);
    phaseShift = 0;
    describeSinusoid();
}

void Krok3::DrawSin(qint16 phase, double amplitudePixels)
{
    Sinusoid::DrawSin(*picture, axisMax(), phase, amplitudePixels);
}

void Krok3::describeSinusoid()
{
    const double r = m_scale.amplitudeValue(amplitude);
    const double degrees = SinusoidScale::phaseDegrees(SinusoidScale::normalisePhase(phaseShift));
    picture->setAccessibleDescription(
        QStringLiteral("Amplituda %1 (stupnice do %2), fázový posun %3°. Šipky nahoru a dolů mění amplitudu, "
                       "doleva a doprava fázový posun, se Shiftem po deseti.")
            .arg(NumberFormat::pattern(r, QStringLiteral("0.00")), QString::number(axisMax()),
                 NumberFormat::pattern(degrees, QStringLiteral("##0.0"))));
}

// The kind of drag is the one the pointer showed on pressing; a second button pressed during a free
// drag changes nothing, one pressed during a drag over an axis starts that drag again from here.
void Krok3::pb_MouseDown(int, int, float x, float)
{
    if (showsCorrectDrawing())
        return;
    if (m_dragging)
        System::beep();
    if (!(m_dragging && m_drag == Drag::Free)) {
        m_drag = m_dragOnPress;
        if (m_drag != Drag::AmplitudeOnly)
            m_dragLastX = Scales::dragPosition(x);
        if (m_drag == Drag::Free)
            picture->setMousePointer(Pointer::SizeAll);
    }
    m_dragging = true;
}

void Krok3::pb_MouseMove(int, int, float x, float y)
{
    if (showsCorrectDrawing())
        return;
    if (!m_dragging) {
        const int pointer = SinusoidScale::hoverPointer(x, y, picture->ScaleWidth(), picture->ScaleHeight());
        picture->setMousePointer(pointer);
        m_dragOnPress = pointer == Pointer::SizeWE   ? Drag::PhaseOnly
                        : pointer == Pointer::SizeNS ? Drag::AmplitudeOnly
                                                     : Drag::Free;
        return;
    }
    if (m_drag != Drag::AmplitudeOnly) {
        phaseShift = phaseShift - x + float(m_dragLastX);
        m_dragLastX = Scales::dragPosition(x);
    }
    if (m_drag != Drag::PhaseOnly)
        amplitude = m_scale.dragAmplitude(y);
    DrawSin(SinusoidScale::drawnPhase(phaseShift), amplitude);
    describeSinusoid();
}

void Krok3::pb_MouseUp(int, int, float, float)
{
    if (showsCorrectDrawing())
        return;
    phaseShift = SinusoidScale::normalisePhase(phaseShift);
    picture->setMousePointer(Pointer::Default);
    m_dragOnPress = Drag::Free;
    m_dragging = false;
    describeSinusoid();
}

// Up and Down set the amplitude, Left and Right shift the curve (1 px, with Shift 10), within the
// limits of a drag; the phase is brought into one period at once, as at the end of a drag. During a
// mouse drag the mouse alone sets the curve.
void Krok3::pb_KeyDown(QKeyEvent* event)
{
    if (showsCorrectDrawing())
        return;
    const int key = event->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Left && key != Qt::Key_Right)
        return;
    event->accept();
    if (m_dragging)
        return;
    const int step = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    const float fullScale = float(m_scale.fullScale());
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
