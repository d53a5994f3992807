#include "teacher/teachersystem.h"
#include "teacher/teacherwindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
        std::fputs("kvizmat-vysledky: není k dispozici grafické prostředí (DISPLAY ani WAYLAND_DISPLAY nejsou "
                   "nastaveny); spusťte program na ploše.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvizmat-vysledky"));
    QApplication::setDesktopFileName(QStringLiteral("kvizmat-vysledky"));
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    TeacherSystem::useRealPlatform();
    TeacherWindow window;
    window.show();
    // kvizmat-vysledky [DB]: a database file or a postgresql:// address instead of kvizmat.conf.
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty())
        window.openConfigured();
    else
        window.openDatabase(StoreConfig::fromArgument(args.first()));
    return app.exec();
}
