#pragma once

#include "core/example.h"
#include "ui/forms/forms.h"
#include "ui/surface/picturebox.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QList>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

// Runs a helper that checks as it goes, and ends the test when it failed.
// clang-format off
#define PUPIL(...) do { __VA_ARGS__; if (QTest::currentTestFailed()) return; } while (false)
// clang-format on

// Shared test fixtures: a clean program state, scripted platform answers, the forms' widgets by name.
namespace TestSupport {

// Unloads every form, starts the run afresh and puts in scripted platform functions:
// no real beeps, program end recorded, a fixed clock, questions answered by `questionAnswers`.
// The configuration is an empty folder and the default locale Czech.
void resetProgram();

// Recorded by the scripted platform.
extern int beeps;
extern int endRequests;
// Answers given to questions, in order; Yes when empty.
extern QList<QMessageBox::StandardButton> questionAnswers;
extern QList<QString> questionsAsked;

// A random source that returns the given values in turn (then repeats the last one).
RandomSource scripted(QList<float> values);
// The next new example will be drawn from these values (without it: (100 + 200i) + (300 - 400i)).
void scriptNextExample(QList<float> values);
// The value r that makes floor(r * span - offset) give the whole number n.
float drawFor(int n, float span, float offset);
// The draws of a product or quotient (op 3, 4) or a sum or difference (op 1, 2) of a1 + b1 i, a2 + b2 i.
QList<float> exampleDraws(int op, int a1, int b1, int a2, int b2);

// A widget of a form by its object name (the control's name); a missing one ends the test program
// with the names of the form and the widget.
template <class T = QWidget> T* child(const QWidget* form, const char* name)
{
    T* w = form ? form->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!w)
        qFatal("%s has no %s", form ? qPrintable(form->objectName()) : "(no form)", name);
    return w;
}
template <class T = QWidget, class F> T* child(const char* name)
{
    return child<T>(&Forms::get<F>(), name);
}

// What a screen reader hears of a widget.
inline QString spoken(QWidget* w, QAccessible::Text what = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(w)->text(what); // every widget has one
}

// The form when it is loaded and visible; active: once it has become the active window too.
template <class F> F* shown()
{
    F* form = Forms::find<F>();
    return form && form->isVisible() ? form : nullptr;
}
template <class F> F* active()
{
    F* form = shown<F>();
    return form && QTest::qWaitForWindowActive(form) ? form : nullptr;
}

// One example done by keys and mouse from Krok1 up to "&Dokončit" pressed by Enter: the four entries
// typed (Tab between them), the vector and the sinusoid drawn right when asked (the phase shift only
// with `phase`), the short way for a phase beyond half a period.
struct Work {
    QStringList step1;
    bool vector = true, sinusoid = true, phase = true;
};
void workExample(const Work& work);

} // namespace TestSupport

// What a pupil can do: keys go to the widget that has the focus, the mouse to the drawing areas at
// positions in their inner pixels (sent straight to the widget, so that fractional and far-off
// positions arrive as the platform would deliver them), buttons are clicked by their object names.
struct Pupil {
    static QWidget* focused()
    {
        QWidget* w = QApplication::focusWidget();
        w = w ? w : QApplication::activeModalWidget();
        return w ? w : QApplication::activeWindow();
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(focused(), key, modifiers);
    }
    // Each character as the text of a key event, as a Czech keyboard delivers it (keyClicks cannot).
    static void type(const QString& text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    static void clickButton(const QWidget* form, const char* name)
    {
        QTest::mouseClick(TestSupport::child<QPushButton>(form, name), Qt::LeftButton);
    }
    static void mouse(PictureBox* box, QEvent::Type type, QPointF inner, Qt::MouseButton button, Qt::MouseButtons held)
    {
        const QPointF local = inner + QPointF(box->contentsRect().topLeft());
        QMouseEvent e(type, local, box->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(box, &e);
    }
    static void hover(PictureBox* b, QPointF p, Qt::MouseButtons held = {})
    {
        mouse(b, QEvent::MouseMove, p, {}, held);
    }
    static void down(PictureBox* b, QPointF p)
    {
        mouse(b, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    }
    static void up(PictureBox* box, QPointF at) { mouse(box, QEvent::MouseButtonRelease, at, Qt::LeftButton, {}); }
    static void click(PictureBox* box, QPointF at) { down(box, at), up(box, at); }
    // Hover at `from` (which decides the kind of drag on the sinusoid), press, move through whole
    // pixels as a mouse reports them, release at `to`.
    static void drag(PictureBox* box, QPointF from, QPointF to)
    {
        hover(box, from);
        down(box, from);
        for (int i = 1; i < 4; ++i)
            hover(box, (from + (to - from) * (i / 4.0)).toPoint(), Qt::LeftButton);
        hover(box, to, Qt::LeftButton);
        up(box, to);
    }
};

// Answers the modal windows of a run in the order the pupil meets them, and closes any other modal
// window at once, so that a test fails instead of hanging.
class ModalScript {
public:
    using Action = std::function<void(QWidget*)>;

    ModalScript()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(20);
    }

    // The next modal window is the form of this object name, or a message box containing this text.
    void expect(const QString& what, Action action) { m_steps.append({what, std::move(action)}); }
    int pending() const { return int(m_steps.size()); }
    // The modal windows nobody expected, closed by the safety net.
    QStringList unexpected() const { return m_unexpected; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_handled)
            return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        const QString seen = box ? box->text() : modal->objectName();
        if (m_steps.isEmpty() || !(box ? seen.contains(m_steps[0].first) : seen == m_steps[0].first)) {
            m_unexpected << seen;
            modal->hide();
        } else if (modal->isActiveWindow()) { // keys reach a window only once it is active
            m_handled = modal;
            m_steps.takeFirst().second(modal);
        } else if (modal != m_waitingFor) {
            m_waitingFor = modal;
            m_waiting.start();
        } else if (m_waiting.hasExpired(3000)) { // never became active: closed, so the test fails, not hangs
            m_unexpected << seen + " (not active)";
            modal->hide();
        }
    }

    QTimer m_timer;
    QList<std::pair<QString, Action>> m_steps;
    QStringList m_unexpected;
    QPointer<QWidget> m_handled;
    QPointer<QWidget> m_waitingFor;
    QElapsedTimer m_waiting;
};
