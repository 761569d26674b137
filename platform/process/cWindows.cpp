#include "platform/process/cWindows.h"

namespace zav {

bool cWindows::CorreApp(const QString& titulo) const { return zav::CorreApp(titulo, lister_); }

} // namespace zav
