#include "teacher/teachersystem.h"

#include "ui/forms/system.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
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
    askName = [](QWidget* parent, const QString& title, const QString& surname, const QString& className,
                 const QList<QPair<QString, QString>>& listed) -> std::optional<QPair<QString, QString>> {
        QDialog dialog(parent);
        dialog.setWindowTitle(title);
        auto* pupils = new QComboBox;
        pupils->setAccessibleName(QStringLiteral("Žák ze seznamu třídy"));
        pupils->addItem(QStringLiteral("(napsat jméno)"));
        for (const auto& [s, c] : listed)
            pupils->addItem(QStringLiteral("%1, třída %2").arg(s, c));
        auto* surnameEdit = new QLineEdit(surname);
        auto* classEdit = new QLineEdit(className);
        QObject::connect(pupils, &QComboBox::currentIndexChanged, &dialog, [&](int i) {
            if (i > 0) {
                surnameEdit->setText(listed.at(i - 1).first);
                classEdit->setText(listed.at(i - 1).second);
            }
        });
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        auto* form = new QFormLayout(&dialog);
        form->addRow(QStringLiteral("&Přiřadit žákovi:"), pupils);
        form->addRow(QStringLiteral("Nové pří&jmení:"), surnameEdit);
        form->addRow(QStringLiteral("Nová &třída:"), classEdit);
        form->addRow(buttons);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return QPair<QString, QString>{surnameEdit->text().trimmed(), classEdit->text().trimmed()};
    };
}
