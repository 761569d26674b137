#pragma once
// File names as the host writes them: Windows-style, case-insensitive, "\" or "/".
#include <QString>

namespace zav {

// The existing file or folder that path names, whatever the case of each component
// ("TMP" and "tmp" are one folder). From the first component that does not exist, the
// rest is kept as given. Backslashes count as separators; a trailing separator is kept.
QString ResolvePath(const QString& path);

// dir and name joined by exactly one "/", whether dir ends with "/", "\" or nothing.
// Backslashes in either become "/". An empty dir gives name.
QString JoinPath(const QString& dir, const QString& name);

} // namespace zav
