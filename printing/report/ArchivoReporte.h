#pragma once
// Writing a report file: one record per line, Windows-1252, CR LF. Lines gather in
// memory and reach the file in large blocks; an error of the file is raised as the
// runtime's error (52, 57, 75, 76) for the caller's handler. The file is written under a
// temporary name beside it and takes its own name only when whole, so a reader (the host,
// the preview) never finds it cut.
#include "common/ArchivoAtomico.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <string>

namespace rpt {

// The header tags of a report of the main program, in the order they are written.
inline constexpr const char* kTagFuente = "<!font!>Courier New<!/font!>";
inline constexpr const char* kTagOrientacionV = "<!Orientacion!>V<!/Orientacion!>";

class ArchivoReporte {
public:
    ArchivoReporte() = default;
    ~ArchivoReporte();   // closes without raising
    ArchivoReporte(const ArchivoReporte&) = delete;
    ArchivoReporte& operator=(const ArchivoReporte&) = delete;

    // Opens ruta for output: a new file, or one replacing the existing one at Cierra.
    void Abre(const QString& ruta);
    // The lines stay in memory (Contenido) and no file is touched.
    void AbreEnMemoria();
    bool EstaAbierto() const { return abierto_; }
    // Writes what is pending, syncs the file and gives it its name; raises the file's
    // error, ruta then as it was before Abre. Closing a closed file does nothing.
    void Cierra();
    // Closes without writing: ruta stays as it was before Abre.
    void Descarta();
    // Everything written since AbreEnMemoria.
    QByteArray Contenido() const { return QByteArray(buf_.data(), static_cast<qsizetype>(buf_.size())); }

    // The record pPos|x|y|texto|True or False|tamano|pagina| with texto as TextoRegistro
    // leaves it, whatever texto holds: a text never becomes a tag line (tags go through
    // EscribeLinea) nor a page break (EscribeNuevaHoja).
    void EscribePos(int x, int y, const QString& texto, bool negrita, int tamano, int pagina);
    // The page break: the line pNuevaHoja.
    void EscribeNuevaHoja();
    // pCuadro|x1|y1|x2|y2|pagina|
    void EscribeCuadro(int x1, int y1, int x2, int y2, int pagina);
    // A tag line: written when it begins with "<!", otherwise nothing.
    void EscribeLinea(const QString& texto);

private:
    void pendiente();   // raises 52 when no file is open
    void vacia();       // the gathered lines to the file
    void texto(const QString& t, bool campo);
    void numero(int n);

    std::unique_ptr<zav::ArchivoAtomico> file_;
    std::string buf_;
    bool abierto_ = false;
    bool enMemoria_ = false;
};

// A text as it goes into a record or a line of a report file, whatever it holds: line
// breaks and every other control character become blanks, "|" (which would end the field) becomes "¦", and the "<" of a "<!"
// (which the readers take for a tag) becomes "‹". The same rule for every writer.
QString TextoRegistro(const QString& texto);

} // namespace rpt
