#pragma once
// Windows-1252: the code page of every text the module shares with the host.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zav {

// Characters outside the code page become '?'.
QByteArray ToCp1252(const QString& text);
QString FromCp1252(const QByteArray& bytes);

// The lines of a Windows-1252 text file: CR LF, CR or LF ends a line; a last line without
// an end counts.
QStringList LineasCp1252(const QByteArray& bytes);

// Single-byte code (0-255) of one character; '?' (63) when it has none.
int AnsiCode(QChar c);

} // namespace zav
