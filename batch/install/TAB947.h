#pragma once
#include <QString>

namespace zav::lote {

// The table installer's main procedure; the exit status. The command line is not used.
int TAB947_Main();

} // namespace zav::lote
