#pragma once
#include <QString>

namespace zav::lote {

// The pre-send checker's main procedure on the host's command line; the exit status.
int BalVerifEnv0947_Main(const QString& linea);

} // namespace zav::lote
