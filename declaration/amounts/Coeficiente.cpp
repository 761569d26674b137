// The coefficient or percentage of box 610 and the small-business (MYPE) boxes.
#include "declaration/amounts/CasillasModelo.h"

#include "common/Runtime.h"
#include "shell/modulo/AppState.h"

#include <cmath>

using zav::Format;
using zav::Trim;
using zav::Val;

namespace {

// A value kept in the runtime's fixed point with four decimals (rounded half to even).
// Beyond its range the value stays as it is rather than stopping the program.
double Moneda(double v)
{
    if (std::fabs(v) * 10000.0 >= 9.2e18)
        return v;
    return static_cast<double>(zav::CCur(v)) / 10000.0;
}

} // namespace

void CasillasModelo::Calcular_coeficiente()
{
    const int anio = Anio();
    double ingreso = 0;
    if (anio < 2013)
        ingreso = Moneda(Abs(461)) - Moneda(Abs(462)) + Moneda(Abs(473)) + Moneda(Abs(475)) + Moneda(Abs(477)) -
            Moneda(Abs(433));
    else
        ingreso = Moneda(Abs(461)) - Moneda(Abs(462)) + Moneda(Abs(473)) - Moneda(Abs(651)) + Moneda(Abs(475)) +
            Moneda(Abs(477)) - Moneda(Abs(433)) + Moneda(Abs(481));

    const QString sistema = App().gSistema;
    if (ingreso > 0) {
        const double c = Moneda(Abs(113) / ingreso);
        if (anio < 2013) {
            if (sistema == QLatin1String("A"))
                PonTexto(610, Format(c, kMascaraCoefA));
            else if (sistema == QLatin1String("B"))
                PonTexto(610, Format(Moneda(c * 100), kMascaraCoefB));
            else
                PonTexto(610, QString());
        } else {
            // Written twice: first the plain number, then that text in the coefficient's format.
            PonTexto(610, Format(c, QString()));
            PonTexto(610, FormatoTexto(Texto(610), kMascaraCoefA));
        }
    } else if (anio < 2013) {
        PonTexto(610, sistema == QLatin1String("A") ? QStringLiteral("0.0000") : QStringLiteral("0.00"));
    } else {
        PonTexto(610, QStringLiteral("0.0000"));
    }
}

double CasillasModelo::IngresoNetos()
{
    if (resp_.optRenta != 5)
        return 0;
    const double ingreso = Abs(461) - Abs(462) + Abs(473) + Abs(475) + Abs(477) - Abs(433);
    if (ingreso <= 300 * ValorUIT(resp_.mUIT)) {
        V().FrameMypeVisible(true);
    } else {
        V().FrameMypeVisible(false);
        for (int n : {250, 251, 252, 253})
            PonTexto(n, QString());
    }
    return ingreso;
}

void CasillasModelo::Calcular250()
{
    const double r = Importe(110) * 12 / 7;
    const double u = 15 * ValorUIT(resp_.mUIT);
    const double impuesto = r <= u ? r * 0.1 : u * 0.1 + (r - u) * 0.295;
    PonTexto(250, Format(impuesto, kMascaraSigno));
}

void CasillasModelo::Calcular253()
{
    PonTexto(253, Format(Moneda(Vale(250) - Vale(251) - Vale(252)), kMascaraSigno));
}

double CasillasModelo::Vale(int casilla) const
{
    const QString texto = Texto(casilla);
    if (Trim(texto).isEmpty())
        return 0;
    const double v = Val(FormatoTexto(texto, QStringLiteral("##############0")));
    return casilla == 251 || casilla == 252 ? std::fabs(v) : v;
}
