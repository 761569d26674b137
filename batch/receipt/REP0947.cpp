#include "batch/receipt/REP0947.h"

#include "batch/receipt/GeneraConstancia.h"
#include "batch/startup/ConfigLote.h"
#include "batch/startup/EstadoLote.h"
#include "batch/startup/ImprimeArchivoReporte.h"
#include "platform/ui/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zav::lote {

bool CopiaConstancia(const QString& base)
{
    const QString origen = RutaEnRpt(base + QStringLiteral(".txt"));
    const QString destino = RutaEnTmp(base + QStringLiteral(".TXT"));
    QFile entrada(origen);
    QSaveFile salida(destino);
    // Written aside and renamed, so the host never reads half a receipt.
    bool ok = QFileInfo(destino).absoluteDir().exists() && entrada.open(QIODevice::ReadOnly) &&
              salida.open(QIODevice::WriteOnly);
    if (ok) {
        const QByteArray bytes = entrada.readAll();
        ok = salida.write(bytes) == bytes.size() && salida.commit();
    }
    if (!ok) {
        salida.cancelWriting();
        MsgBox(QStringLiteral("No se pudo copiar la constancia a la carpeta de trabajo: %1").arg(destino), 16,
               QStringLiteral("Presentación Telemática"));
    }
    return ok;
}

int REP0947_Main(const QString& linea)
{
    const auto copia = ExigeInstanciaUnica(ProgramaLote::Reporte);
    const LineaComandoLote c = TomaLineaComando(linea);
    LeerConfigLote(ProgramaLote::Reporte);
    bool completa = true;
    const QString base =
        GeneraConstancia(c.TipoDoc, c.NumDoc, c.Formulario, c.Periodo, c.NroConstancia, c.Semana, &completa);
    if (!ImprimeArchivoReporte(base + QStringLiteral(".PRN"), QString::fromLatin1(kDestinoArchivo)))
        return 1;
    if (!CopiaConstancia(base))
        return 1;
    return completa ? 0 : 1;
}

} // namespace zav::lote
