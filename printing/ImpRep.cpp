#include "printing/ImpRep.h"

#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "printing/EstadoImpresion.h"
#include "printing/PaginasReporte.h"
#include "printing/report/ArchivoReporte.h"
#include "printing/report/RegistraSpool.h"
#include "shell/modulo/AppState.h"

#include <QCoreApplication>

namespace {
const QString kTitulo = QStringLiteral("Impresión");
} // namespace

void MensajeImpresion(int numero, const QString& descripcion)
{
    QString texto;
    switch (numero) {
    case 482: texto = QStringLiteral("No existe una impresora seleccionada.Verifique."); break;
    case 380: texto = QStringLiteral("No Existe Información a Imprimir.Verifique."); break;
    case 20545: texto = QStringLiteral("La Impresión ha sido Cancelada."); break;
    default: texto = QStringLiteral("Error Técnico : (") + zav::Str(numero) + QStringLiteral(") ") + descripcion;
    }
    zav::MsgBox(texto, 16, kTitulo);
}

void ImprimeDeclaracion(const QString&)
{
    rpt::ArchivoReporte archivo;
    archivo.Abre(App().gArchivo);
    HojaReporte h(archivo);
    ImprimeActivo(h, 0);
    ImprimePasivo(h, 1);
    ImprimePatrimonioResultados(h, 2);
    ImprimeDeterminacion(h, 3);
    ImprimeInfComplementaria(h, 4);
    archivo.Cierra();
    zav::SetHourglass(false);
    QCoreApplication::processEvents();
}

bool ImprimirReporte(const QString&)
{
    zav::SetHourglass(true);
    bool escrito = false;
    try {
        if (Impresion().gTipoReporte == 2) {
            ImprimeDeclaracion(App().gRuc);
            escrito = true;
        }
    } catch (const zav::RuntimeError& e) {
        zav::SetHourglass(false);
        MensajeImpresion(e.Number, e.Description());
    } catch (const dao::DaoError& e) {
        zav::SetHourglass(false);
        MensajeImpresion(e.Number, e.Description);
    }
    zav::SetHourglass(false);
    return escrito;
}

QString GeneraReporteDeclaracion()
{
    AppState& a = App();
    EstadoImpresion& e = Impresion();
    QString nombre;
    try {
        zav::SetHourglass(true);
        pConsulta();
        a.gOpcion = 2;
        e.gTipoReporte = 2;
        if (!a.gBaseDatos)
            throw zav::RuntimeError(91, QStringLiteral("Object variable or With block variable not set"));
        const rpt::ArchivoSpool s = rpt::RegistraSpool(*a.gBaseDatos, a.gRutaRpt, QString::fromLatin1(rpt::kCodDeclaracion),
                                                       a.gUsuario, dao::Variant::fromInteger(6), zav::Trim(a.gRuc));
        nombre = s.Nombre;
        a.gArchivo = s.Ruta;
    } catch (const dao::DaoError& ex) {
        zav::SetHourglass(false);
        zav::MsgBox(QStringLiteral("El reporte no fue generado. Error (") + QString::number(ex.Number)
                        + QStringLiteral("): ") + ex.Description,
                    16, kTitulo);
        return QString();
    } catch (const zav::RuntimeError& ex) {
        zav::SetHourglass(false);
        zav::MsgBox(QStringLiteral("El reporte no fue generado. Error (") + QString::number(ex.Number)
                        + QStringLiteral("): ") + ex.Description(),
                    16, kTitulo);
        return QString();
    }
    return ImprimirReporte(QString()) ? nombre : QString();
}
