#include "teacher/teachersystem.h"
#include "teacher/teacherwindow.h"

#include "ui/forms/system.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!System::desktopAvailable("kvizmat-vysledky"))
        return 2;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvizmat-vysledky"));
    QApplication::setOrganizationName(QStringLiteral("kvizmat"));
    QApplication::setDesktopFileName(QStringLiteral("kvizmat-vysledky"));
    System::useCzechQtTexts();
    TeacherSystem::useRealPlatform();
    TeacherWindow window;
    window.show();
    // kvizmat-vysledky [SOUBOR…]: database files or a postgresql:// address to open, saved e-mails and
    // mailboxes to import (the desktop's "open with").
    window.openStartup(QApplication::arguments().mid(1));
    return app.exec();
}
