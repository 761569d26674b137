#pragma once
// The one drawing of a report file's records, in twips, on any target: the printer (and
// the PDF file that stands for it), a page of the preview, a recording printer in tests.
#include <QString>

namespace zav { class Impresora; }

class RenderReporte {
public:
    // A text by its top-left corner. A size of 0 (the body records carry it) or one the
    // target refuses keeps the size in effect.
    void Texto(zav::Impresora& destino, int x, int y, const QString& texto, bool negrita, int tamano);
    // A text downwards, a character every 190 twips.
    void Vertical(zav::Impresora& destino, int x, int y, const QString& texto, bool negrita, int tamano);
    // A rectangle as four lines of the thinnest width.
    void Cuadro(zav::Impresora& destino, int x1, int y1, int x2, int y2);

    // Sizes are carried from record to record over the whole file, whatever page or
    // target they land on, so that the screen and the paper agree.
    void Reinicia() { mTamano = kTamanoInicial; }

private:
    void Fuente(zav::Impresora& destino, bool negrita, int tamano);

    static constexpr int kTamanoInicial = 8;
    int mTamano = kTamanoInicial;
};
