// Start-up and memory figures of the real program code, printed for bench/run.sh.
// Usage: bench_startup LAUNCH_NS   (LAUNCH_NS: CLOCK_REALTIME in ns when the shell started it)
// Prints "first-window-ms N" and "rss-step3-kb N".
#include "app/exerciseflow.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QWindow>

#include <clocale>
#include <cstdio>
#include <ctime>

static long long realtimeNs()
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

static bool anyWindowExposed()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed())
            return true;
    return false;
}

static long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

static void waitFor(bool (*condition)())
{
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 1);
}

int main(int argc, char* argv[])
{
    const long long launched = argc > 1 ? std::atoll(argv[1]) : realtimeNs();
    QApplication app(argc, argv);
    // Figures are printed with a decimal point on any desktop, as bench/run.sh and the README read them.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setQuitOnLastWindowClosed(false);
    System::useRealPlatform();
    System::endProgram = [] {};
    ExerciseFlow::install();
    ExerciseFlow::start();
    waitFor(anyWindowExposed);
    std::printf("first-window-ms %.2f\n", double(realtimeNs() - launched) / 1e6);

    // The pupil's way to step 3 of the first example.
    ExerciseFlow::firstExample();
    Forms::get<Krok1>().findChild<QPushButton*>(QStringLiteral("Contin"))->click();
    Forms::get<krok2>().findChild<QPushButton*>(QStringLiteral("Contin"))->click();
    waitFor([] {
        Krok3* k = Forms::find<Krok3>();
        return k && k->isVisible() && k->windowHandle() && k->windowHandle()->isExposed();
    });
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    std::printf("rss-step3-kb %ld\n", residentKb());
    std::fflush(stdout);
    std::_Exit(0);
}
