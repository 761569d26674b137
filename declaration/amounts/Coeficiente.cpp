// The coefficient or percentage of box 610 and the small-business (MYPE) boxes.
#include "declaration/amounts/CasillasModelo.h"

#include "common/Runtime.h"

#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <utility>

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

// The income and the coefficient in ten-thousandths, computed exactly: at large amounts the
// double product v * 10000 is itself rounded and may fall on a false half, which rounding
// it again would send the wrong way.
using Diezmilesimos = __int128;

// v in ten-thousandths, rounded half to even from v's exact binary value; empty far beyond
// any amount a box can hold.
std::optional<Diezmilesimos> Fijo(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 1e24)
        return std::nullopt;
    if (v == 0)
        return 0;
    int e = 0;
    const double m = std::frexp(std::fabs(v), &e); // |v| = m * 2^e, m in [0.5, 1)
    Diezmilesimos n = static_cast<qint64>(std::ldexp(m, 53)) * Diezmilesimos(10000);
    e -= 53;
    if (e >= 0) {
        n <<= e;
    } else if (-e > 100) {
        n = 0; // below half a ten-thousandth
    } else {
        const int s = -e;
        const Diezmilesimos q = n >> s;
        const Diezmilesimos resto = n - (q << s);
        const Diezmilesimos mitad = Diezmilesimos(1) << (s - 1);
        n = q + ((resto > mitad || (resto == mitad && (q & 1))) ? 1 : 0);
    }
    return v < 0 ? -n : n;
}

// a / b in ten-thousandths (a >= 0, b > 0, both in ten-thousandths), rounded half to even
// on the exact remainder.
Diezmilesimos Cociente(Diezmilesimos a, Diezmilesimos b)
{
    const Diezmilesimos n = a * 10000;
    const Diezmilesimos q = n / b;
    const Diezmilesimos resto2 = 2 * (n - q * b);
    return q + ((resto2 > b || (resto2 == b && (q & 1))) ? 1 : 0);
}

// Within the runtime's fixed point every digit is shown; beyond it, the value as it is.
QString Muestra(Diezmilesimos c, const QString& mascara)
{
    if (c >= std::numeric_limits<qint64>::min() && c <= std::numeric_limits<qint64>::max())
        return zav::FormatCur(static_cast<qint64>(c), mascara);
    return Format(static_cast<double>(c) / 10000.0, mascara);
}

} // namespace

void CasillasModelo::Calcular_coeficiente()
{
    const int anio = Anio();
    // The income's boxes, each counted by its absolute value with the sign given here.
    static const std::pair<int, int> kAntes2013[] = {{461, 1}, {462, -1}, {473, 1}, {475, 1}, {477, 1}, {433, -1}};
    static const std::pair<int, int> kDesde2013[] = {{461, 1},  {462, -1}, {473, 1},  {651, -1},
                                                     {475, 1},  {477, 1},  {433, -1}, {481, 1}};
    const auto terminos = anio < 2013 ? std::span<const std::pair<int, int>>(kAntes2013)
                                      : std::span<const std::pair<int, int>>(kDesde2013);

    Diezmilesimos ingreso = 0;
    double ingresoDoble = 0;
    bool exacto = true;
    for (const auto& [casilla, signo] : terminos) {
        const double v = Abs(casilla);
        ingresoDoble += signo * Moneda(v);
        const std::optional<Diezmilesimos> f = Fijo(v);
        exacto = exacto && f.has_value();
        if (exacto)
            ingreso += signo * *f;
    }
    const std::optional<Diezmilesimos> impuesto = Fijo(Abs(113));
    exacto = exacto && impuesto.has_value();

    const QString sistema = V().Modulo().Sistema;
    if (exacto ? ingreso > 0 : ingresoDoble > 0) {
        // The coefficient times `por` (100 for the percentage) in the mask. A percentage has
        // whole hundredths, so the mask's two decimals round nothing.
        auto muestra = [&](const QString& mascara, int por) {
            if (exacto)
                return Muestra(Cociente(*impuesto, ingreso) * por, mascara);
            return Format(Moneda(Moneda(Abs(113) / ingresoDoble) * por), mascara);
        };
        if (anio < 2013) {
            if (sistema == QLatin1String("A"))
                PonTexto(610, muestra(kMascaraCoefA, 1));
            else if (sistema == QLatin1String("B"))
                PonTexto(610, muestra(kMascaraCoefB, 100));
            else
                PonTexto(610, QString());
        } else {
            // Written twice: first the plain number, then that number in the coefficient's format.
            PonTexto(610, muestra(QString(), 1));
            PonTexto(610, muestra(kMascaraCoefA, 1));
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
