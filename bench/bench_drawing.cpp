// Times the drawing of steps 2 and 3 on the real picture boxes: one full RedrawPlane, one full
// DrawSin, and a mouse move through the form's handler up to the repainted widget. Prints medians.
#include "app/exerciseflow.h"
#include "step1/krok1.h"
#include "step2/gauss_plane.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "step3/sinusoid.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"
#include "ui/surface/picturebox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int runs = 5000;

struct Figures {
    double median, p90, p99;
};

Figures timeRuns(const std::function<void(int)>& step)
{
    for (int i = 0; i < 200; ++i) // warm-up: fonts, glyph caches
        step(i);
    std::vector<double> ms;
    ms.reserve(runs);
    QElapsedTimer t;
    for (int i = 0; i < runs; ++i) {
        t.start();
        step(i);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms[ms.size() * 99 / 100]};
}

void printFigures(const char* what, const Figures& f)
{
    std::printf("%-44s median %.4f ms   p90 %.4f ms   p99 %.4f ms\n", what, f.median, f.p90, f.p99);
}

void sendMove(PictureBox* p, QPointF inner, Qt::MouseButtons buttons)
{
    const QPointF local = inner + QPointF(p->contentsRect().topLeft());
    QMouseEvent e(QEvent::MouseMove, local, p->mapToGlobal(local), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(p, &e);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Figures are printed with a decimal point on any desktop, as bench/run.sh and the README read them.
    std::setlocale(LC_NUMERIC, "C");
    System::useRealPlatform();
    System::beep = [] {};
    ExerciseFlow::install();
    ExerciseFlow::firstExample();
    Forms::get<Krok1>().hide();

    krok2& step2 = Forms::get<krok2>();
    Krok3& step3 = Forms::get<Krok3>();
    auto* graf = step2.findChild<PictureBox*>(QStringLiteral("Graf"));
    auto* pb = step3.findChild<PictureBox*>(QStringLiteral("pb"));
    std::printf("platform %s, %d runs each\n", qPrintable(QGuiApplication::platformName()), runs);

    printFigures("RedrawPlane on Graf (372 x 372)", timeRuns([&](int i) {
                     GaussPlane::RedrawPlane(*graf, 8, float(40 + i % 290), float(300 - i % 250), i % 2 == 0);
                 }));
    printFigures("DrawSin on pb (485 x 221)",
                 timeRuns([&](int i) { Sinusoid::DrawSin(*pb, 10, qint16(i % 400), double(i % 80)); }));

    step2.showModeless();
    step2.vectorFollowing = true;
    QApplication::processEvents();
    printFigures("Graf: mouse move to repainted widget", timeRuns([&](int i) {
                     sendMove(graf, QPointF(40 + i % 290, 300 - i % 250), Qt::NoButton);
                     graf->repaint();
                 }));
    step2.hide();

    step3.showModeless();
    QApplication::processEvents();
    sendMove(pb, {400, 40}, Qt::NoButton);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(402, 42), pb->mapToGlobal(QPointF(402, 42)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pb, &press);
    printFigures("pb: drag move to repainted widget", timeRuns([&](int i) {
                     sendMove(pb, QPointF(100 + i % 300, 10 + i % 200), Qt::LeftButton);
                     pb->repaint();
                 }));
    return 0;
}
