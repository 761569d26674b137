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

// The message of a report that was not made: the writer's error as printing reports it,
// any other as the registration's.
void FallaReporte(bool escribiendo, int numero, const QString& descripcion)
{
    zav::SetHourglass(false);
    if (escribiendo)
        MensajeImpresion(numero, descripcion);
    else
        zav::MsgBox(QStringLiteral("El reporte no fue generado. Error (") + QString::number(numero) + QStringLiteral("): ")
                        + descripcion,
                    16, kTitulo);
}
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
    const QString archivoAntes = a.gArchivo;
    bool escribiendo = false;   // a failure of the report itself, not of its registration
    try {
        zav::SetHourglass(true);
        pConsulta();
        a.gOpcion = 2;
        e.gTipoReporte = 2;
        if (!a.gBaseDatos)
            throw zav::RuntimeError(91);
        // The SPOOL row is stored only once its file is whole under its name.
        const rpt::ArchivoSpool s = rpt::RegistraSpool(
            *a.gBaseDatos, a.gRutaRpt, QString::fromLatin1(rpt::kCodDeclaracion), a.gUsuario,
            dao::Variant::fromInteger(6), zav::Trim(a.gRuc), [&](const rpt::ArchivoSpool& nuevo) {
                a.gArchivo = nuevo.Ruta;
                escribiendo = true;
                ImprimeDeclaracion(a.gRuc);
                escribiendo = false;
            });
        zav::SetHourglass(false);
        return s.Nombre;
    } catch (const dao::DaoError& ex) {
        FallaReporte(escribiendo, ex.Number, ex.Description);
    } catch (const zav::RuntimeError& ex) {
        FallaReporte(escribiendo, ex.Number, ex.Description());
    }
    a.gArchivo = archivoAntes;
    return QString();
}
