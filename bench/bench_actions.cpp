// Times every action of a pupil through whole examples on the real forms: from the input event (a key,
// a click, a mouse move, a drag) to the end of the last repaint it causes. Every other example is right
// (Gratuluji), the others wrong (the review with both correct drawings). Prints p50 and p99 per action.
#include "app/exerciseflow.h"
#include "core/judging.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"
#include "ui/surface/picturebox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

QElapsedTimer clock_;
qint64 lastPaintEnd = 0;
int paints = 0;
// When the last repaint of each window ended.
QHash<const QWidget*, qint64> windowPaintEnd;

// Notes when each repaint has ended, and in which window.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        const bool paint = event->type() == QEvent::Paint;
        const bool result = QApplication::notify(receiver, event);
        if (paint) {
            lastPaintEnd = clock_.nsecsElapsed();
            ++paints;
            if (auto* widget = qobject_cast<QWidget*>(receiver))
                windowPaintEnd[widget->window()] = lastPaintEnd;
        }
        return result;
    }
};

std::map<std::string, std::vector<double>> figures;
std::vector<std::string> order;

void note(const std::string& action, qint64 from, qint64 to)
{
    if (!figures.count(action))
        order.push_back(action);
    figures[action].push_back(double(to - from) / 1e6);
}

// Everything the input has set going, repaints included.
void settleEvents()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// One action: the input, then the events it posted, then the time to the end of its last repaint. An
// action that changes nothing on the screen (a hover that keeps the pointer's shape, a press) counts
// to the moment it has been handled.
void timeAction(const std::string& action, const std::function<void()>& input)
{
    const int before = paints;
    const qint64 from = clock_.nsecsElapsed();
    input();
    settleEvents();
    note(action, from, paints == before ? clock_.nsecsElapsed() : lastPaintEnd);
}

// An action that opens a modal window: its time runs to the modal window's first repaint; then
// `answer` is given to it as a further action, whose time runs to the repaint after the window closed.
void timeModalAction(const std::string& action, const std::function<void()>& input, const std::string& answerAction,
                     const std::function<void(QWidget*)>& answer)
{
    const qint64 from = clock_.nsecsElapsed();
    qint64 answeredAt = 0;
    std::function<void()> poll = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || windowPaintEnd.value(modal) < from) {
            QTimer::singleShot(1, poll);
            return;
        }
        note(action, from, windowPaintEnd.value(modal));
        answeredAt = clock_.nsecsElapsed();
        answer(modal);
    };
    QTimer::singleShot(0, poll);
    input();
    settleEvents();
    note(answerAction, answeredAt, lastPaintEnd);
}

void sendKey(QWidget* w, Qt::Key k, const QString& text = QString())
{
    QTest::sendKeyEvent(QTest::Press, w, k, text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, w, k, text, Qt::NoModifier);
}

void sendMouse(PictureBox* box, QEvent::Type type, QPointF inner, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPointF local = inner + QPointF(box->contentsRect().topLeft());
    QMouseEvent e(type, local, box->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(box, &e);
}

template <class T> T* widgetNamed(QWidget* form, const char* name)
{
    return form->findChild<T*>(QLatin1String(name));
}

void pressButton(QWidget* form, const char* button)
{
    QTest::mouseClick(widgetNamed<QPushButton>(form, button), Qt::LeftButton);
}

void typeInto(QWidget* entry, const QString& text)
{
    for (const QChar c : text)
        timeAction("typing a character", [&] { sendKey(entry, Qt::Key_unknown, QString(c)); });
}

void workExample(bool right)
{
    const ExerciseFlow::Run& run = ExerciseFlow::run();
    const float re = run.example.resultRe, im = run.example.resultIm;
    const double r = std::hypot(double(re), double(im));
    auto number = [right](double v) { return right ? QString::number(v, 'g', 9) : QStringLiteral("0"); };

    Krok1& step1 = Forms::get<Krok1>();
    const char* entries[] = {"vys_0", "vys_1", "absh", "fi"};
    const QString values[] = {number(re), number(im), number(r), number(Judging::GetFI(re, im))};
    for (int i = 0; i < 4; ++i)
        typeInto(widgetNamed<QWidget>(&step1, entries[i]), values[i]);
    timeAction("Dále on step 1 (Enter)", [&] { sendKey(widgetNamed<QWidget>(&step1, "fi"), Qt::Key_Return); });

    krok2& step2 = Forms::get<krok2>();
    timeAction("Zpět to step 1", [&] { pressButton(&step2, "bac"); });
    timeAction("Dále on step 1 (Enter)", [&] { sendKey(widgetNamed<QWidget>(&step1, "fi"), Qt::Key_Return); });

    auto* graf = widgetNamed<PictureBox>(&step2, "Graf");
    const QPointF end(std::round(run.plane.toPixelX(re)), std::round(run.plane.toPixelY(im)));
    const QPointF centre(186, 186);
    timeAction("vector: click to follow", [&] {
        sendMouse(graf, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        sendMouse(graf, QEvent::MouseButtonRelease, centre, Qt::LeftButton, {});
    });
    for (int i = 1; i <= 8; ++i) {
        const QPointF at = right ? centre + (end - centre) * (i / 8.0) : QPointF(60 + i, 300 - i);
        timeAction("vector: mouse move", [&] { sendMouse(graf, QEvent::MouseMove, at.toPoint(), Qt::NoButton, {}); });
    }
    const QPointF fixAt = right ? end : QPointF(68, 292);
    timeAction("vector: click to fix", [&] {
        sendMouse(graf, QEvent::MouseButtonPress, fixAt, Qt::LeftButton, Qt::LeftButton);
        sendMouse(graf, QEvent::MouseButtonRelease, fixAt, Qt::LeftButton, {});
    });
    timeAction("Dále on step 2", [&] { pressButton(&step2, "Contin"); });

    Krok3& step3 = Forms::get<Krok3>();
    timeAction("Zpět to step 2", [&] { pressButton(&step3, "bac"); });
    timeAction("Dále on step 2", [&] { pressButton(&step2, "Contin"); });

    auto* pb = widgetNamed<PictureBox>(&step3, "pb");
    const double zero = run.sinusoid.zeroLine();
    const int amplitude = std::min(int(std::lround(r / run.sinusoid.axisMax() * run.sinusoid.fullScale())),
                                   int(run.sinusoid.fullScale()));
    const int phase = int(std::lround(Judging::GetFI(re, im) / 360.0 * 200));
    const int shift = phase > 100 ? phase - 200 : phase;
    auto drag = [&](QPointF from, QPointF to) {
        timeAction("sinusoid: hover", [&] { sendMouse(pb, QEvent::MouseMove, from, Qt::NoButton, {}); });
        timeAction("sinusoid: press",
                   [&] { sendMouse(pb, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton); });
        for (int i = 1; i <= 8; ++i) {
            const QPointF at = (from + (to - from) * (i / 8.0)).toPoint();
            timeAction("sinusoid: drag move",
                       [&] { sendMouse(pb, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); });
        }
        timeAction("sinusoid: release", [&] { sendMouse(pb, QEvent::MouseButtonRelease, to, Qt::LeftButton, {}); });
    };
    drag({100, zero}, {100, zero - (right ? amplitude : 10)});
    drag({242, 60}, {242.0 - (right ? shift : 50), 60});

    auto yes = [](QWidget* box) {
        QTest::mouseClick(static_cast<QMessageBox*>(box)->button(QMessageBox::Yes), Qt::LeftButton);
    };
    timeModalAction(
        "Dokončit: the question shown", [&] { pressButton(&step3, "dok"); }, "Ano: the verdict shown", yes);

    if (Dobry* congratulation = Forms::find<Dobry>(); congratulation && congratulation->isVisible()) {
        timeAction("Pokračovat: the next example", [&] { pressButton(congratulation, "Command1"); });
        return;
    }
    if (right)
        std::printf("(an example meant to be right was judged wrong)\n");
    Spatny* review = Forms::find<Spatny>();
    auto back = [](QWidget* step) { pressButton(step, "back"); };
    timeModalAction(
        "Vektor: the correct vector shown", [&] { pressButton(review, "vek"); }, "Zpět to the review", back);
    timeModalAction(
        "Sinus: the correct sinusoid shown", [&] { pressButton(review, "Sinusak"); }, "Zpět to the review", back);
    timeAction("Pokračovat: the next example", [&] { pressButton(review, "Command1"); });
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BenchApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Figures are printed with a decimal point on any desktop, as bench/run.sh and the README read them.
    std::setlocale(LC_NUMERIC, "C");
    const int examples = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
    System::useRealPlatform();
    System::beep = [] {};
    System::endProgram = [] {};
    ExerciseFlow::install();
    clock_.start();
    ExerciseFlow::firstExample();
    settleEvents();
    for (int i = 0; i < 4; ++i) // warm-up: fonts, glyph caches, every form made once
        workExample(i % 2 == 0);
    figures.clear();
    order.clear();
    for (int i = 0; i < examples; ++i)
        workExample(i % 2 == 0);

    std::printf("platform %s, %d examples, time from the input event to the end of its repaint\n",
                qPrintable(QGuiApplication::platformName()), examples);
    for (const std::string& action : order) {
        std::vector<double>& ms = figures[action];
        std::sort(ms.begin(), ms.end());
        const double p50 = ms[ms.size() / 2];
        const double p99 = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
        std::printf("%-38s %6zu   p50 %7.3f ms   p99 %7.3f ms\n", action.c_str(), ms.size(), p50, p99);
    }
    return 0;
}
