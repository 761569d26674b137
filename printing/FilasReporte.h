#pragma once
// Rows of the report pages: texts at a text cursor, frames at a frame cursor 50 above it.
#include "printing/PaginasReporte.h"
#include "printing/report/ArchivoReporte.h"

struct FilasReporte {
    FilasReporte(HojaReporte& hoja, int pag, int yTexto, int yCuadro) : h(hoja), pagina(pag), yT(yTexto), yB(yCuadro) {}

    HojaReporte& h;
    int pagina;
    int yT;
    int yB;

    // A body text (not bold, body size) unless told.
    void texto(int x, const QString& t) { h.Archivo.EscribePos(x, yT, t, false, h.gTamanoTexto, pagina); }
    void texto(int x, const QString& t, bool negrita, int tamano) { h.Archivo.EscribePos(x, yT, t, negrita, tamano, pagina); }
    // A frame from x1 to x2, one row (270) or more high.
    void cuadro(int x1, int x2, int alto = 270) { h.Archivo.EscribeCuadro(x1, yB, x2, yB + alto, pagina); }
    void avanza(int d = 270)
    {
        yT += d;
        yB += d;
    }
};

// The page break of every page but the first.
inline void SaltoDePagina(HojaReporte& h, int pagina)
{
    if (pagina != 0)
        h.Archivo.EscribeNuevaHoja();
}
