#pragma once
// The five pages of the declaration report, written as records into the open report
// file from the print state and the declaration key of the module globals.
#include <QString>

namespace rpt { class ArchivoReporte; }

// The report being written: its file and the body cursors the page header sets.
struct HojaReporte {
    explicit HojaReporte(rpt::ArchivoReporte& archivo) : Archivo(archivo) {}
    rpt::ArchivoReporte& Archivo;
    int gYTexto = 0;
    int gYCuadro = 0;
    int gTamanoTexto = 0;   // body texts carry no size of their own
};

// The header of every page; leaves the body cursors at 2000 and 1950.
void ImprimeCabecera(HojaReporte& h, int pagina);
// "   Al 31 de Enero" for a period of month 01, "   Al 30 de Junio" for 06, else "".
QString TextoFechaBalance(const QString& periodo);

void ImprimeActivo(HojaReporte& h, int pagina);                 // page 1, with the header tags
void ImprimePasivo(HojaReporte& h, int pagina);                 // page 2
void ImprimePatrimonioResultados(HojaReporte& h, int pagina);   // page 3
void ImprimeDeterminacion(HojaReporte& h, int pagina);          // page 4
void ImprimeInfComplementaria(HojaReporte& h, int pagina);      // page 5: reads the losses

// texto with blanks in front up to ancho (at most 80 of them); a longer text unchanged.
QString RellenaIzquierda(const QString& texto, int ancho);

// Right-aligned to ancho through the utility object.
QString AlineaDerecha(const QString& texto, int ancho);
// An amount as the pages show it: grouped, negatives in parentheses, right-aligned to 17
// when below zero and 16 otherwise; "" gives 16 blanks.
QString ValorImporte(const QString& valor);
