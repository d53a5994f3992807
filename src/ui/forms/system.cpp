#include "ui/forms/system.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

static QString osUserName()
{
    // The account that runs the program, as the system knows it.
    struct passwd pw;
    struct passwd* result = nullptr;
    char buffer[4096];
    if (getpwuid_r(geteuid(), &pw, buffer, sizeof buffer, &result) == 0 && result && result->pw_name)
        return QString::fromLocal8Bit(result->pw_name);
    return QString();
}

static QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                               const QString& text, QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    // Messages carry file names and database texts, shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

bool System::desktopAvailable(const char* program)
{
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY"))
        return true;
    std::fprintf(stderr,
                 "%s: není k dispozici grafické prostředí (DISPLAY ani WAYLAND_DISPLAY nejsou nastaveny); "
                 "spusťte program na ploše.\n",
                 program);
    return false;
}

void System::useCzechQtTexts()
{
    auto* qtTexts = new QTranslator(QCoreApplication::instance());
    if (qtTexts->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
}

QString System::askSaveFileName(QWidget* parent, const QString& title, const QString& proposedName,
                                const QString& filters, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, title, QString(), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void System::useRealPlatform()
{
    endProgram = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        QCoreApplication::exit(0);
    };
    beep = [] { QApplication::beep(); };
    now = [] { return QDateTime::currentDateTime(); };
    newRandomSource = clockSeededSource;
    question = [](QWidget* parent, const QString& title, const QString& text,
                  QMessageBox::StandardButton defaultButton) {
        return showMessage(parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                           defaultButton);
    };
    message = [](QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                 QMessageBox::StandardButtons buttons) {
        return showMessage(parent, icon, title, text, buttons, QMessageBox::NoButton);
    };
    saveFileName = askSaveFileName;
    setClipboardText = [](const QString& text) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(text);
    };
    userName = osUserName;
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
}
