#include "app/exerciseflow.h"
#include "ui/forms/system.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!System::desktopAvailable("kvizmat"))
        return 2;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvizmat"));
    // Windows end by their own handlers; the program ends when its last form is unloaded.
    QApplication::setQuitOnLastWindowClosed(false);
    System::useCzechQtTexts();
    System::useRealPlatform();
    ExerciseFlow::install();
    ExerciseFlow::start();
    return app.exec();
}
