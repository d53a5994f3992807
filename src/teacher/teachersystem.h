#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// What the teacher's window asks of the desktop: file dialogs and messages.
// Replaceable, so that tests answer for the teacher.
struct TeacherSystem {
    // Empty when cancelled.
    static inline std::function<QStringList(QWidget* parent, const QString& title, const QString& filters)>
        openFileNames;
    static inline std::function<QString(QWidget* parent, const QString& title, const QString& filters)> openFileName;
    static inline std::function<QString(QWidget* parent, const QString& title, const QString& proposedName,
                                        const QString& filters, const QString& defaultSuffix)>
        saveFileName;
    static inline std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                     const QString& text)>
        message;

    static void useRealPlatform();
};
