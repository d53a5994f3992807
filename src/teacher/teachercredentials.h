#pragma once

#include "store/storeconfig.h"

#include <QString>

// The teacher's own way to the school database, apart from the pupils' kvizmat.conf: the database
// the teacher opened last, kept in kvizmat/kvizmat-vysledky.conf in the user's configuration folder
// (a file path, or a server's host, port, database and user, never a password), and a remembered
// password in the desktop's keyring.
namespace TeacherCredentials {

QString configFile();

// What the window opens at start: the teacher's last database; without one, an SQLite file that
// kvizmat.conf names (its file permissions decide who may read it). A server login of kvizmat.conf
// belongs to the pupils' program and is never used: the result then has `problem` set to a message
// saying so.
StoreConfig startDatabase();

// A server to offer in the sign-in dialog: the current one, the teacher's last one, or the host,
// port and database (not the user) of the pupils' configuration; no password.
StoreConfig proposedServer(const StoreConfig& current);

// Keeps the database for the next start, without its password.
void remember(const StoreConfig& config);

// The password the keyring keeps for this server and user; empty when none or without a keyring.
QString rememberedPassword(const StoreConfig& server);
// Puts the password into the keyring; false when the desktop has none (then nothing is kept).
bool keepPassword(const StoreConfig& server);

} // namespace TeacherCredentials
