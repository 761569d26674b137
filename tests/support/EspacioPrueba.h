#pragma once
// The tests' own host workspaces: what `integrador init` leaves, made from the host's
// tables and rows and the module's own, without the host stand-in's workspace code or
// the module's installer. A test of a lower layer links this, not the batch programs.
#include <QByteArray>
#include <QString>

namespace zav::prueba {

struct Espacio {
    bool ok = false;
    QString message;   // why it could not be made
    QString sysPath;   // the host folder, with a trailing "/"
    QString dbFile;    // its database
    QString iniFile;   // KZ000.INI in the Windows folder
};

// A new database file with the host's tables and reference rows (the demonstration
// taxpayers when demo) and, when modulo, the module's loss tables and its PARAM, REPORTES
// and ENVIO_T rows, as the installer leaves them on a host database.
bool CreaBase(const QString& archivo, bool demo, bool modulo, QString* error = nullptr);

// dir made a host folder: RPT/, TMP/ with the demonstration's env947.txt, 0947/, the
// database with the module installed, and the host's keys of KZ000.INI in the Windows
// folder ($WINDIR: the caller points it at a folder of the test's own).
Espacio CreaEspacio(const QString& dir, bool demo);

// The send descriptors of the demonstration host, as tmp/env947.txt holds them.
QByteArray Env947();

} // namespace zav::prueba
