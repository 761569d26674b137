#pragma once
// What every batch program's main does around its main procedure.
#include "batch/startup/ConfigLote.h"

#include <functional>

namespace zav::lote {

// Creates the application and runs principal, its result being the program's status.
// The host may start a batch program where there is no screen (no DISPLAY, no
// QT_QPA_PLATFORM): it then runs on the offscreen platform, and there, as on any
// platform that draws nowhere, its message boxes go to standard error and take their
// default answer instead of waiting for a click no one can give; so it does when the
// display it names cannot be reached. Qt's own texts are in Spanish. An exception that
// escapes principal ends the program as a failed start does (the program's last step,
// else a box with the reason, then its failure status).
int CorreLote(int argc, char** argv, ProgramaLote programa, const std::function<int()>& principal);

} // namespace zav::lote
