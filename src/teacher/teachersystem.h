#pragma once

#include <QDate>
#include <QMessageBox>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// What the teacher's window asks of the desktop: file dialogs, a typed-in text, messages and the date.
// Replaceable, so that tests answer for the teacher.
struct TeacherSystem {
    // Empty when cancelled.
    static inline std::function<QStringList(QWidget* parent, const QString& title, const QString& filters)>
        openFileNames;
    static inline std::function<QString(QWidget* parent, const QString& title, const QString& filters)> openFileName;
    static inline std::function<QString(QWidget* parent, const QString& title, const QString& proposedName,
                                        const QString& filters, const QString& defaultSuffix)>
        saveFileName;
    // A line of text; a null string when cancelled.
    static inline std::function<QString(QWidget* parent, const QString& title, const QString& label)> textInput;
    static inline std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                     const QString& text)>
        message;
    // A message of a few lines with a long list behind "Zobrazit podrobnosti", scrolled in the box.
    static inline std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                                     const QString& details)>
        detailedMessage;
    // A pupil's new surname and class, the pupils of the class list offered; nothing when cancelled.
    static inline std::function<std::optional<QPair<QString, QString>>(QWidget* parent, const QString& title,
                                                                       const QString& surname, const QString& className,
                                                                       const QList<QPair<QString, QString>>& listed)>
        askName;
    // Today's date, from which the periods are counted.
    static inline std::function<QDate()> today = [] { return QDate::currentDate(); };

    static void useRealPlatform();
};
