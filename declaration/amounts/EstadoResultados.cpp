// The profit-and-loss statement, from net sales down to the net income of the tax page.
#include "declaration/amounts/CasillasModelo.h"

#include "common/Runtime.h"

#include <cmath>

using zav::Format;

// Profit box first, then the loss box; one of the two always shows "0".
void CasillasModelo::EscribirPar(int ganancia, int perdida, double r, const QString& mascara)
{
    if (r > 0) {
        PonTexto(ganancia, Format(r, mascara));
        PonTexto(perdida, QStringLiteral("0"));
    } else if (r == 0) {
        PonTexto(ganancia, QStringLiteral("0"));
        PonTexto(perdida, QStringLiteral("0"));
    } else {
        PonTexto(ganancia, QStringLiteral("0"));
        PonTexto(perdida, Format(std::fabs(r), kMascaraDeduccion));
    }
}

void CasillasModelo::Calcular463()
{
    const double r = Abs(461) - Abs(462);
    PonTexto(463, r >= 0 ? Format(r, kMascaraNormal) : QStringLiteral("0"));
}

void CasillasModelo::Calcular466y467()
{
    EscribirPar(466, 467, Abs(463) - Abs(464), kMascaraNormal);
}

void CasillasModelo::Calcular470y471()
{
    EscribirPar(470, 471, Abs(466) - Abs(467) - Abs(468) - Abs(469), kMascaraNormal);
}

void CasillasModelo::Calcular484y485()
{
    const double r = Abs(470) - Abs(471) - Abs(472) + Abs(473) + Abs(475) + Abs(476) + Abs(477) - Abs(478) -
        Abs(480) + Abs(481) - Abs(483);
    EscribirPar(484, 485, r, kMascaraNormal);
}

void CasillasModelo::Calcular487y489()
{
    EscribirPar(487, 489, Abs(484) - Abs(485) - Abs(486), kMascaraNormal);
    PonTexto(100, Texto(487));
    PonTexto(101, Texto(489));
}

void CasillasModelo::Calcular492y493()
{
    EscribirPar(492, 493, Abs(487) - Abs(489) - Abs(490), kMascaraNormal);
}

void CasillasModelo::Calcular106y107()
{
    if (Vacia(100) && Vacia(103) && Vacia(101) && Vacia(105)) {
        PonTexto(106, QString());
        PonTexto(107, QString());
        return;
    }
    EscribirPar(106, 107, Importe(100) + Importe(103) - Abs(101) - Abs(105), kMascaraSigno);
}
