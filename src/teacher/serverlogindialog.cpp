#include "teacher/serverlogindialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLineEdit* edit(const QString& name, const QString& accessibleName, const QString& text)
{
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    e->setAccessibleName(accessibleName);
    return e;
}

} // namespace

ServerLoginDialog::ServerLoginDialog(const StoreConfig& proposed, QWidget* parent)
    : QDialog(parent), hostEdit(edit(QStringLiteral("pocitac"), QStringLiteral("Počítač se serverem"), proposed.host)),
      portBox(new QSpinBox),
      databaseEdit(edit(QStringLiteral("databazeServeru"), QStringLiteral("Jméno databáze"), proposed.databaseName)),
      userEdit(edit(QStringLiteral("uzivatel"), QStringLiteral("Uživatel databáze"), proposed.user)),
      passwordEdit(edit(QStringLiteral("heslo"), QStringLiteral("Heslo"), QString())),
      rememberBox(new QCheckBox(QStringLiteral("Zapa&matovat heslo v klíčence systému"))),
      buttons(new QDialogButtonBox), proposal(proposed)
{
    setObjectName(QStringLiteral("PrihlaseniServer"));
    setWindowTitle(QStringLiteral("Databázový server"));
    portBox->setObjectName(QStringLiteral("port"));
    portBox->setAccessibleName(QStringLiteral("Port"));
    portBox->setRange(1, 65535);
    portBox->setValue(proposed.isPostgres() ? proposed.port : 5432);
    portBox->setGroupSeparatorShown(false);
    passwordEdit->setEchoMode(QLineEdit::Password);
    rememberBox->setObjectName(QStringLiteral("zapamatovatHeslo"));
    rememberBox->setAccessibleName(QStringLiteral("Zapamatovat heslo v klíčence systému"));

    auto* form = new QFormLayout;
    const auto addRow = [form](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    addRow(QStringLiteral("&Počítač:"), hostEdit);
    addRow(QStringLiteral("P&ort:"), portBox);
    addRow(QStringLiteral("&Databáze:"), databaseEdit);
    addRow(QStringLiteral("&Uživatel:"), userEdit);
    addRow(QStringLiteral("&Heslo:"), passwordEdit);

    QPushButton* connectButton = buttons->addButton(QStringLiteral("Připo&jit"), QDialogButtonBox::AcceptRole);
    connectButton->setObjectName(QStringLiteral("pripojit"));
    connectButton->setDefault(true);
    QPushButton* cancelButton = buttons->addButton(QStringLiteral("&Zrušit"), QDialogButtonBox::RejectRole);
    cancelButton->setObjectName(QStringLiteral("zrusit"));

    auto* note = new QLabel(QStringLiteral("Přihlaste se svou rolí učitele, ne rolí programu žáků."));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(rememberBox);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit* e : {hostEdit, databaseEdit, userEdit})
        connect(e, &QLineEdit::textChanged, this, &ServerLoginDialog::updateButtons);
    updateButtons();
    (hostEdit->text().isEmpty() ? hostEdit : userEdit->text().isEmpty() ? userEdit : passwordEdit)->setFocus();
}

void ServerLoginDialog::updateButtons()
{
    buttons->buttons().value(0)->setEnabled(!hostEdit->text().trimmed().isEmpty() &&
                                            !databaseEdit->text().trimmed().isEmpty() &&
                                            !userEdit->text().trimmed().isEmpty());
}

StoreConfig ServerLoginDialog::login() const
{
    StoreConfig server = proposal; // sslmode as it was
    server.problem.clear();
    server.sourceFile.clear();
    server.engine = StoreConfig::Engine::Postgres;
    server.host = hostEdit->text().trimmed();
    server.port = portBox->value();
    server.databaseName = databaseEdit->text().trimmed();
    server.user = userEdit->text().trimmed();
    server.password = passwordEdit->text();
    return server;
}

bool ServerLoginDialog::rememberPassword() const
{
    return rememberBox->isChecked();
}
