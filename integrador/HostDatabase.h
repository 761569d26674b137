#pragma once
// The host's database before the module is installed: its tables and reference rows. No
// module code is linked here, so the tests' own workspaces are made from it too.
#include <QString>

namespace integrador {

// Creates a new database file with the host's tables and reference rows (and the
// demonstration taxpayers when demo), in one transaction. Refuses an existing file. On
// failure no file is left behind and error holds the reason.
bool CreateHostDatabase(const QString& file, bool demo, QString* error = nullptr);

// Removes a database file with its journals.
void RemoveDatabaseFiles(const QString& file);

} // namespace integrador
