#pragma once

#include "store/storeconfig.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

// The teacher's sign-in to a school's PostgreSQL server: host, port, database, the teacher's own
// database user and password (never shown), and whether the desktop's keyring keeps the password.
class ServerLoginDialog : public QDialog {
    Q_OBJECT
public:
    // Filled from `proposed` (a server the window knows already), the password left empty.
    explicit ServerLoginDialog(const StoreConfig& proposed, QWidget* parent = nullptr);

    // The server as entered, with the password.
    StoreConfig login() const;
    bool rememberPassword() const;

private:
    void updateButtons();

    QLineEdit* hostEdit;
    QSpinBox* portBox;
    QLineEdit* databaseEdit;
    QLineEdit* userEdit;
    QLineEdit* passwordEdit;
    QCheckBox* rememberBox;
    QDialogButtonBox* buttons;
    StoreConfig proposal;
};
