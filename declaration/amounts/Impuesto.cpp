// Taxable income, tax loss and the tax of the period.
#include "declaration/amounts/CasillasModelo.h"

#include "common/Runtime.h"

#include <cmath>
#include <optional>

using zav::Format;

void CasillasModelo::Calcular110y111()
{
    if (Vacia(106) && Vacia(108) && Vacia(150)) {
        PonTexto(110, QString());
    } else {
        PonTexto(110, Format(Importe(106) - Abs(108) - Abs(150), kMascaraNormal));
        if (Importe(110) < 0)
            PonTexto(110, QStringLiteral("0"));
    }

    if (Vacia(106) && Vacia(107) && Vacia(108) && Vacia(150)) {
        PonTexto(111, QString());
    } else {
        const double x = Importe(106) - Abs(107) - Abs(108) - Abs(150);
        PonTexto(111, x < 0 ? Format(std::fabs(x), kMascaraDeduccion) : QStringLiteral("0"));
    }
    Calcular113();
}

void CasillasModelo::Calcular113()
{
    const double t = Importe(110);
    // nullopt: no rate for the answers given so far.
    std::optional<double> impuesto;
    const RespuestasFrm947& r = resp_;

    switch (r.optRenta) {
    case 0: {
        // A declaration opened from the list keeps its period; a sent one is never touched.
        const DatosModulo modulo = V().Modulo();
        QString periodo = modulo.Periodo;
        if (!modulo.ModoEnviadas && !modulo.PeriodoSel.isEmpty()) {
            periodo = modulo.PeriodoSel;
            V().PeriodoElegido(periodo);
        }
        const int anio = AnioPeriodo(periodo);
        if (r.OptPersona != 0 && r.OptPersona != 1)
            impuesto = 0;
        else if (anio >= 2017)
            impuesto = t * 0.295;
        else if (anio >= 2015)
            impuesto = t * 0.28;
        else if (anio >= 2004)
            impuesto = t * 0.3;
        else
            impuesto = r.OptPersona == 0 ? t * 0.27 : t * 0.3;
        break;
    }
    case 1:
        impuesto = t * 0.15;
        break;
    case 2: {
        auto domicilio = [&]() -> std::optional<double> {
            if (r.OptDomFiscal == 1) {
                if (r.OptZona == 0)
                    return t * 0.1;
                if (r.OptZona == 1)
                    return t * 0.05;
                return std::nullopt;
            }
            if (r.OptDomFiscal == 0)
                return t * 0.3;
            return std::nullopt;
        };
        if (r.OptUbicAmazonia == 0 && r.OptLeyAmazonia == 0)
            impuesto = t * 0.3;
        else if (r.OptUbicAmazonia == 1 || r.OptLeyAmazonia == 1)
            impuesto = domicilio();
        break;
    }
    case 3:
        if (r.OptActividad == 0)
            impuesto = t * 0.3;
        else if (r.OptFrontera == 1)
            impuesto = t * 0.1;
        else
            impuesto = t * 0.3;
        break;
    case 5: {
        const double u = 15 * ValorUIT(r.mUIT);
        impuesto = t <= u ? t * 0.1 : u * 0.1 + (t - u) * 0.295;
        break;
    }
    default:
        break;
    }

    const bool libre = r.optRenta != 0 && r.optRenta != 1 && r.optRenta != 2 && r.optRenta != 3 && r.optRenta != 5;
    if (impuesto) {
        PonerEstado(113, EstadoCasilla{true, true, kColorGris, Estado(113).MaxLength});
    } else if (libre) {
        // Stability agreement or no regime yet: the user types the tax.
        PonerEstado(113, EstadoCasilla{true, false, kColorBlanco, Estado(113).MaxLength});
    }

    if (libre)
        return;
    if (Importe(111) < 0)
        PonTexto(113, QStringLiteral("0"));
    else
        PonTexto(113, Format(impuesto.value_or(0), kMascaraNormal));
}
