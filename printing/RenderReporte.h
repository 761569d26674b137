#pragma once
// The one drawing of a report file's records, in twips, on any target: the printer (and
// the PDF file that stands for it), a page of the preview, a recording printer in tests.
#include <QString>

#include <climits>
#include <vector>

namespace zav { class Impresora; }
namespace rpt { struct Registro; }

class RenderReporte {
public:
    // A text by its top-left corner. A size of 0 (the body records carry it) is the
    // file's initial size; a size the target refuses keeps the size in effect. A text
    // wider than espacio (twips) is drawn at the largest size that keeps it within it,
    // but never below kTamanoLegible: one that does not fit at that size is drawn at it
    // from its place. A record's own size below that is drawn as it is.
    void Texto(zav::Impresora& destino, int x, int y, const QString& texto, bool negrita, int tamano,
               int espacio = INT_MAX);
    // A text downwards, a character every 190 twips.
    void Vertical(zav::Impresora& destino, int x, int y, const QString& texto, bool negrita, int tamano);
    // A rectangle as four lines of the thinnest width.
    void Cuadro(zav::Impresora& destino, int x1, int y1, int x2, int y2);

    // The room of each text record: from its x to the nearest side of a rectangle or
    // the nearest text that stands right of it on its row, less a small gap; INT_MAX for
    // a record that is no text or has nothing on its right.
    static std::vector<int> Espacios(const std::vector<rpt::Registro>& registros);

private:
    void Fuente(zav::Impresora& destino, bool negrita, int tamano);

    // The size the layouts' rows and columns are drawn for.
    static constexpr int kTamanoInicial = 8;
    // The smallest size a text is shrunk to, so that it can still be read.
    static constexpr int kTamanoLegible = 6;
};
