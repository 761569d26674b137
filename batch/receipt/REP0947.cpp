#include "batch/receipt/REP0947.h"

#include "batch/receipt/GeneraConstancia.h"
#include "batch/startup/ConfigLote.h"
#include "batch/startup/EstadoLote.h"
#include "batch/startup/ImprimeArchivoReporte.h"
#include "common/ArchivoAtomico.h"
#include "platform/ui/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zav::lote {

bool CopiaConstancia(const QString& base)
{
    const QString origen = RutaEnRpt(base + QStringLiteral(".txt"));
    const QString destino = RutaEnTmp(base + QStringLiteral(".TXT"));
    QFile entrada(origen);
    QString error;
    bool ok = QFileInfo(destino).absoluteDir().exists();
    QByteArray bytes;
    if (ok) {
        ok = entrada.open(QIODevice::ReadOnly);
        if (ok) {
            bytes = entrada.readAll();
            // Every byte that was rendered, or no copy.
            ok = entrada.error() == QFileDevice::NoError && bytes.size() == entrada.size();
        }
        if (!ok)
            error = entrada.errorString();
    }
    // Written aside, synced and renamed, so the host never reads half a receipt.
    if (ok)
        ok = EscribeArchivoEntero(destino, bytes, &error);
    if (!ok)
        MsgBox(QStringLiteral("No se pudo copiar la constancia a la carpeta de trabajo: %1").arg(destino) +
                   (error.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(error)),
               16, QStringLiteral("Presentación Telemática"));
    return ok;
}

int REP0947_Main(const QString& linea)
{
    const auto copia = ExigeInstanciaUnica(ProgramaLote::Reporte);
    const LineaComandoLote c = TomaLineaComando(linea);
    LeerConfigLote(ProgramaLote::Reporte);
    const Constancia r = GeneraConstancia(c.TipoDoc, c.NumDoc, c.Formulario, c.Periodo, c.NroConstancia, c.Semana);
    // The host files what it finds in TMP as the receipt: only a declaration that is
    // stored, and a receipt written whole, get there.
    if (!r.Declarada) {
        AvisaError(r.Motivo);
        return 1;
    }
    if (!r.Escrita) {
        MsgBox(QStringLiteral("No se pudo escribir la constancia: %1").arg(r.Error), 16,
               QStringLiteral("Presentación Telemática"));
        return 1;
    }
    if (!ImprimeArchivoReporte(r.Base + QStringLiteral(".PRN"), QString::fromLatin1(kDestinoArchivo)))
        return 1;
    // A receipt beside a failing status would be filed all the same: a run that did not do
    // all it should (its report not registered, the trace not appended) copies nothing.
    if (!r.Completa)
        return 1;
    return CopiaConstancia(r.Base) ? 0 : 1;
}

} // namespace zav::lote
