#include "store/waitindicator.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace WaitIndicator {

namespace {
thread_local int depth = 0;
}

Shown::~Shown()
{
    if (shown && --depth == 0 && hook)
        hook(false);
}

void Shown::show()
{
    if (shown)
        return;
    shown = true;
    if (depth++ == 0 && hook)
        hook(true);
}

void pause(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    if (!QCoreApplication::instance() || QThread::currentThread() != QCoreApplication::instance()->thread()) {
        QThread::msleep(ulong(milliseconds));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace WaitIndicator
