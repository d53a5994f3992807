#pragma once

#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;

// A form of the program: one top-level window, created once by Forms, kept while hidden.
// Enter presses the default button; Esc presses the cancel button when the form has one.
// Closing by the window frame asks closeRequested(); a form that does not refuse is unloaded.
class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);

    // The load routine: runs when the form is created and may be called again directly.
    virtual void Form_Load() {}

    void showModeless();
    // Blocks the caller until this form is hidden or unloaded.
    void showModal();

    void setCancelButton(QPushButton* button) { m_cancel = button; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Shows the end confirmation modal; the pupil comes back here on "&Ne".
    void askToEnd();
    // The end confirmation itself, put in place by the program at start (the form Konec).
    static inline std::function<void()> endConfirmation;
    // Closing by the window frame asks Konec and keeps the form (the forms of the exercise loop).
    void setClosingAsksToEnd(bool asks) { m_closingAsksToEnd = asks; }

    // Creates a push button with the form as parent and the given object name.
    QPushButton* makeButton(const QString& objectName, const QString& caption);
    // Creates a label with the form as parent and the given object name; a font size in points and a
    // name for screen readers when given (otherwise the label is read by its text).
    QLabel* makeLabel(const QString& objectName, const QString& text, int points = 0,
                      const QString& spokenName = QString());
    // Creates a sunken horizontal separator with the given object name (and a name for screen readers).
    QFrame* makeLine(const QString& objectName, const QString& spokenName = QString());

protected:
    // Return true to refuse the closing by the window frame.
    virtual bool closeRequested();

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QPushButton* m_cancel = nullptr;
    bool m_closingAsksToEnd = false;
};
