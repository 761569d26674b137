#pragma once
#include <QString>

namespace zav::lote {

// The receipt generator's main procedure on the host's command line; the exit status:
// 0 when the receipt was written and copied whole to the work folder, and only then does
// the receipt reach it. Any failure (a declaration with no header row among them) is
// status 1 after its message.
int REP0947_Main(const QString& linea);

// Copies the rendered receipt of the report folder to the work folder as base & ".TXT",
// replacing an earlier copy whatever its case. False after a message when it fails.
bool CopiaConstancia(const QString& base);

} // namespace zav::lote
