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
    QApplication::setDesktopFileName(QStringLiteral("kvizmat-vysledky"));
    System::useCzechQtTexts();
    TeacherSystem::useRealPlatform();
    TeacherWindow window;
    window.show();
    // kvizmat-vysledky [DB]: a database file or a postgresql:// address instead of the teacher's last one.
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty())
        window.openConfigured();
    else
        window.openDatabase(StoreConfig::fromArgument(args.first()));
    return app.exec();
}
