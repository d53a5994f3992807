#include "teacher/teachersystem.h"

#include "ui/forms/system.h"

#include <QFileDialog>
#include <QInputDialog>

void TeacherSystem::useRealPlatform()
{
    openFileNames = [](QWidget* parent, const QString& title, const QString& filters) {
        return QFileDialog::getOpenFileNames(parent, title, QString(), filters);
    };
    openFileName = [](QWidget* parent, const QString& title, const QString& filters) {
        return QFileDialog::getOpenFileName(parent, title, QString(), filters);
    };
    saveFileName = System::askSaveFileName;
    textInput = [](QWidget* parent, const QString& title, const QString& label) {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, QString(), &ok);
        return ok ? text : QString();
    };
    message = [](QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
    detailedMessage = [](QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                         const QString& details) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.setDetailedText(details);
        box.exec();
    };
}
