#pragma once

// Answers the modal windows of a run in the order the pupil meets them, and closes any other modal
// window that stays up for three seconds, so that a test fails instead of hanging.

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class ModalScript {
public:
    using Action = std::function<void(QWidget*)>;

    ModalScript()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    // The next modal window is expected to have this object name (a form) or, for a message box,
    // to contain this text.
    void expect(const QString& what, Action action) { m_steps.append({what, std::move(action)}); }

    QStringList pending() const
    {
        QStringList names;
        for (const Step& s : m_steps)
            names << s.what;
        return names;
    }
    // The modal windows that nobody expected, closed by the safety net.
    QStringList unexpected() const { return m_unexpected; }

    static QString describe(QWidget* w)
    {
        if (auto* box = qobject_cast<QMessageBox*>(w))
            return QStringLiteral("QMessageBox „%1“").arg(box->text());
        return w->objectName();
    }

private:
    struct Step {
        QString what;
        Action action;
    };

    static bool matches(QWidget* w, const QString& what)
    {
        if (auto* box = qobject_cast<QMessageBox*>(w))
            return box->text().contains(what);
        return w->objectName() == what;
    }

    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_handled) {
            m_waiting = nullptr;
            return;
        }
        // Keys reach a window only once it is active.
        if (!m_steps.isEmpty() && matches(modal, m_steps.first().what) && modal->isActiveWindow()) {
            const Step step = m_steps.takeFirst();
            m_handled = modal;
            m_waiting = nullptr;
            step.action(modal);
            return;
        }
        if (modal != m_waiting) {
            m_waiting = modal;
            m_since.start();
        } else if (m_since.elapsed() > 3000) {
            m_unexpected << describe(modal);
            m_waiting = nullptr;
            modal->hide();
        }
    }

    QTimer m_timer;
    QList<Step> m_steps;
    QStringList m_unexpected;
    QPointer<QWidget> m_handled;
    QPointer<QWidget> m_waiting;
    QElapsedTimer m_since;
};
