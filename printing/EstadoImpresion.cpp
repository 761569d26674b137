#include "printing/EstadoImpresion.h"

#include "almacen/AlmacenDeclaracion.h"
#include "common/Paths.h"
#include "common/Runtime.h"
#include "declaration/amounts/Importes.h"
#include "platform/db/Database.h"
#include "printing/report/LectorReporte.h"
#include "shell/modulo/AppState.h"

namespace {

EstadoImpresion& estado()
{
    static EstadoImpresion e;
    return e;
}

} // namespace

QString ImporteImprimible(const QString& valor) { return ImporteDesmedido(valor) ? QString() : valor; }

EstadoImpresion& Impresion() { return estado(); }

void ReiniciaImpresion() { estado() = EstadoImpresion(); }

QString* EstadoImpresion::Especial(int casilla)
{
    switch (casilla) {
    case 601: return &g601;
    case 602: return &g602;
    case 605: return &g605;
    case 606: return &g606;
    case 607: return &g607;
    case 608: return &g608;
    case 609: return &g609;
    case 610: return &g610;
    case 804: return &g804;
    case 809: return &g809;
    case 810: return &g810;
    case 811: return &g811;
    case 813: return &g813;
    case 815: return &g815;
    case 816: return &g816;
    case 860: return &g860;
    default: return nullptr;
    }
}

void EstadoImpresion::LimpiaCasillas()
{
    for (QString& v : gValores)
        v.clear();
    for (int c : {601, 602, 605, 606, 607, 608, 609, 610, 804, 809, 810, 811, 813, 815, 816, 860})
        Especial(c)->clear();
    gTelefonoImp.clear();
    gNumOrdenImp.clear();
}

almacen::ClaveDeclaracion ClaveImpresion()
{
    const AppState& a = App();
    if (Impresion().gEnviadaImp)
        return almacen::ClaveDeclaracion::Envio(a.gRuc, a.gPeriodo, a.gFormulario, a.gCorrel);
    return almacen::ClaveDeclaracion::Guardada(a.gRuc, a.gPeriodo, a.gFormulario);
}

void pConsulta()
{
    AppState& a = App();
    EstadoImpresion& e = Impresion();
    e.LimpiaCasillas();
    if (!a.gBaseDatos)
        throw zav::RuntimeError(91);
    dao::Database& db = *a.gBaseDatos;

    const almacen::ClaveDeclaracion clave = ClaveImpresion();
    if (e.gEnviadaImp) {
        auto cab = almacen::LeeCabecera(db, clave);
        if (!cab->Eof())
            e.gNumOrdenImp = cab->Fields(QStringLiteral("norden")).Value().toText();
    }
    for (const almacen::Casilla& c : almacen::LeeCasillas(db, clave, almacen::OrdenCasillas::Texto)) {
        int n = 0;
        try {
            n = zav::CInt(zav::Val(c.Codigo));
        } catch (const zav::RuntimeError&) {
            continue;
        }
        if (n < 1 || n > 899)
            continue;
        const QString valor = c.Valor;
        if (ValorDesbordado(valor))
            continue;
        e.gValores[static_cast<size_t>(n)] = valor;
        if (n == 28)
            e.gTelefonoImp = valor;
        else if (QString* especial = e.Especial(n))
            *especial = valor;
    }
}

int NumRegistros(const QString& archivo)
{
    return rpt::NumeroHojas(zav::ResolvePath(zav::JoinPath(App().gRutaRpt, archivo)));
}
