#pragma once

// Answers the modal windows of a run in the order the pupil meets them, and closes any other modal
// window that stays up for three seconds, so that a test fails instead of hanging.

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

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
    static QString describe(QWidget* w)
    {
        auto* box = qobject_cast<QMessageBox*>(w);
        return box ? box->text() : w->objectName();
    }

    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_handled) {
            m_waiting = nullptr;
            return;
        }
        const QString seen = describe(modal);
        // Keys reach a window only once it is active.
        if (!m_steps.isEmpty() && modal->isActiveWindow() &&
            (qobject_cast<QMessageBox*>(modal) ? seen.contains(m_steps[0].first) : seen == m_steps[0].first)) {
            m_handled = modal;
            m_waiting = nullptr;
            m_steps.takeFirst().second(modal);
        } else if (modal != m_waiting) {
            m_waiting = modal;
            m_since.start();
        } else if (m_since.elapsed() > 3000) {
            m_unexpected << seen;
            m_waiting = nullptr;
            modal->hide();
        }
    }

    QTimer m_timer;
    QList<std::pair<QString, Action>> m_steps;
    QStringList m_unexpected;
    QPointer<QWidget> m_handled;
    QPointer<QWidget> m_waiting;
    QElapsedTimer m_since;
};
