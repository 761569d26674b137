#pragma once
// Windows profile files (KZ000.INI) with the profile-string rules the host relies on.
#include <QString>

namespace zav {

// The "Windows folder": $WINDIR when set, else $XDG_CONFIG_HOME/zav (default ~/.config/zav).
QString WindowsFolder();

// Where a profile file is or would be: a bare name in WindowsFolder(), an existing file
// found whatever the case of its name.
QString ProfilePath(const QString& fileName);

// Reads one key. Section and key compare case-insensitively; the value is trimmed and
// cut to 254 characters; a missing file, section or key gives def. A bare file name
// (no '/') is looked for in WindowsFolder().
QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& def, const QString& fileName);

// Replaces one key in place, creating file, section or key when missing; every other
// line and comment is kept. A key that already holds the value leaves the file untouched.
// Written atomically: false when any step fails, the file then as it was and *error (when
// given) the system's reason.
bool WritePrivateProfileString(const QString& section, const QString& key,
                               const QString& value, const QString& fileName,
                               QString* error = nullptr);

} // namespace zav
