#pragma once
// Renders a text file of the report folder, with its formatting tag lines, to the
// printer or to a text file beside it.
#include <QString>

class QFile;

namespace zav::lote {

// destino "PRINTER" prints; any other value writes the report folder's file named like
// archivo up to its first "." and ".txt". True when every line was rendered (and, when
// printing, the document ended); false after the message of what failed.
bool ImprimeArchivoReporte(const QString& archivo, const QString& destino);

// One line to the current destination with the current font state. Throws
// zav::RuntimeError when the output cannot be written.
void ImprimeLineaReporte(const QString& linea);

// The file ImprimeLineaReporte writes to with the file destination; null when none is
// open (lines are then dropped, as writes to a file that did not open).
void EstableceSalida(QFile* salida);
QFile* Salida();

} // namespace zav::lote
