#pragma once
// Reading a report file back into its header tags and records. The reader is total: a
// line it cannot read (empty, without any of the keyword's endings, an unknown keyword,
// a record with a field missing or unreadable) is skipped and the next line is read.
#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace rpt {

enum class TipoRegistro { Font, NHojas, Color, Orientacion, Pos, Cuadro, PosVerti, NuevaHoja };

struct Registro {
    TipoRegistro Tipo = TipoRegistro::Pos;
    // pPos, pPosVerti: X, Y; pCuadro: X, Y to X2, Y2.
    int X = 0;
    int Y = 0;
    int X2 = 0;
    int Y2 = 0;
    // The record's text; for a tag, its value (font name, orientation, page count text).
    QString Texto;
    bool Negrita = false;
    int Tamano = 0;
    int Pagina = 0;
    quint32 Color = 0;   // <!Color!>: low byte red, then green, then blue
    int Hojas = 0;       // <!nHojas!>

    bool operator==(const Registro&) const = default;
};

// The keyword of a line and the position just past its terminator: the first "|"
// (dropped), or the first "!>" or "aHoja" (kept), trimmed of spaces. Nothing when the
// line has none of them.
struct Palabra {
    QStringView Clave;
    qsizetype Siguiente = 0;
};
std::optional<Palabra> PalabraClave(QStringView linea);

// One line; nothing when it is skipped.
std::optional<Registro> LeeLinea(QStringView linea);

// The lines of a file's bytes (Windows-1252; CR LF, CR or LF end a line).
std::vector<QString> Lineas(const QByteArray& contenido);

// Every record and tag of the bytes, in file order.
std::vector<Registro> LeeReporte(const QByteArray& contenido);

// The whole file at ruta; false when it cannot be read.
bool LeeArchivoReporte(const QString& ruta, std::vector<Registro>& registros);

// The page count of the first line that holds "<!nHojas!>": the text from its 11th
// character to the closing tag (or the end of the line), trimmed, read as a whole
// number. 0 without such a line, for a file that cannot be read, or for a count that is
// no 16-bit number.
int NumeroHojas(const QString& ruta);

} // namespace rpt
