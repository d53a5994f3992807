#include "app/exerciseflow.h"
#include "ui/forms/system.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

static bool hasDisplay()
{
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

int main(int argc, char* argv[])
{
    if (!hasDisplay()) {
        std::fputs("kvizmat: není k dispozici grafické prostředí (DISPLAY ani WAYLAND_DISPLAY nejsou "
                   "nastaveny); spusťte program na ploše.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvizmat"));
    // Windows end by their own handlers; the program ends when its last form is unloaded.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own texts (message-box buttons, the file dialog) in Czech, like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    System::useRealPlatform();
    ExerciseFlow::install();
    ExerciseFlow::start();
    return app.exec();
}
