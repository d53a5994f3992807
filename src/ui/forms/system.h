#pragma once

#include "core/example.h"

#include <QDateTime>
#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// Everything that touches the operating system or waits for the user outside the program's own
// forms. Each is a replaceable function, so that tests can answer for the user and the machine.
struct System {
    // Ends the program at once: no form's closing handling runs.
    static inline std::function<void()> endProgram;
    static inline std::function<void()> beep;
    static inline std::function<QDateTime()> now;
    // A fresh uniform source in [0, 1), seeded from the clock.
    static inline std::function<RandomSource()> newRandomSource;
    // A Yes/No question with the question icon; returns Yes or No.
    static inline std::function<QMessageBox::StandardButton(QWidget* parent, const QString& title, const QString& text,
                                                            QMessageBox::StandardButton defaultButton)>
        question;
    // A message with an icon and the given buttons; returns the button chosen.
    static inline std::function<QMessageBox::StandardButton(QWidget* parent, QMessageBox::Icon icon,
                                                            const QString& title, const QString& text,
                                                            QMessageBox::StandardButtons buttons)>
        message;
    // The save dialog; an empty result means cancelled.
    static inline std::function<QString(QWidget* parent, const QString& title, const QString& proposedName,
                                        const QString& filters, const QString& defaultSuffix)>
        saveFileName;
    static inline std::function<void(const QString&)> setClipboardText;
    // The operating system's name of the user running the program; empty when it cannot be had.
    static inline std::function<QString()> userName;
    static inline std::function<void(const QUrl&)> openUrl;

    // The desktop's save dialog; an empty result means cancelled. What saveFileName does for real.
    static QString askSaveFileName(QWidget* parent, const QString& title, const QString& proposedName,
                                   const QString& filters, const QString& defaultSuffix);

    // True when there is a desktop to show windows on; otherwise says so in one Czech line naming
    // the program. Checked before the application object exists.
    static bool desktopAvailable(const char* program);
    // Qt's own texts (message-box buttons, the file dialog) in Czech, like the rest of the program.
    static void useCzechQtTexts();

    // Puts the real implementations in place (program start, and each test's clean state).
    static void useRealPlatform();
};
