// Totals of the balance sheet.
#include "declaration/amounts/CasillasModelo.h"

#include "common/Runtime.h"

using zav::Format;

void CasillasModelo::Calcular531()
{
    bool vacio = true;
    for (int n = 500; n <= 530; ++n)
        vacio = vacio && Vacia(n);
    if (vacio) {
        PonTexto(531, QString());
        return;
    }
    double total = 0;
    for (int n = 500; n <= 530; ++n) {
        // Contra-asset lines are subtracted whatever their sign.
        const bool resta = n == 508 || n == 517 || n == 524 || n == 527 || n == 528;
        total += resta ? -Abs(n) : Importe(n);
    }
    PonTexto(531, Format(total, kMascaraSigno));
}

void CasillasModelo::Calcular543()
{
    bool vacio = true;
    for (int n = 532; n <= 542; ++n)
        vacio = vacio && Vacia(n);
    if (vacio) {
        PonTexto(543, QString());
        return;
    }
    double total = 0;
    for (int n = 532; n <= 542; ++n)
        total += Importe(n);
    PonTexto(543, Format(total, kMascaraNormal));
}

void CasillasModelo::Calcular554()
{
    const double total = Importe(544) + Importe(545) + Importe(546) + Importe(547) + Importe(548) + Importe(549) +
        Importe(550) - Abs(551) + Importe(552) - Abs(553);
    PonTexto(554, Format(total, kMascaraSigno));
}

void CasillasModelo::Calcular555()
{
    PonTexto(555, Format(Importe(543) + Importe(554), kMascaraSigno));
}
