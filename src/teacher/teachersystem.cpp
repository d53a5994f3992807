#include "teacher/teachersystem.h"

#include "ui/forms/system.h"

#include <QFileDialog>

void TeacherSystem::useRealPlatform()
{
    openFileNames = [](QWidget* parent, const QString& title, const QString& filters) {
        return QFileDialog::getOpenFileNames(parent, title, QString(), filters);
    };
    openFileName = [](QWidget* parent, const QString& title, const QString& filters) {
        return QFileDialog::getOpenFileName(parent, title, QString(), filters);
    };
    saveFileName = System::askSaveFileName;
    message = [](QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
}
