#include "batch/startup/ImprimeArchivoReporte.h"

#include "batch/startup/ConfigLote.h"
#include "batch/startup/EstadoLote.h"
#include "common/ArchivoAtomico.h"
#include "common/Cp1252.h"
#include "common/Runtime.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/Impresora.h"
#include "platform/ui/MsgBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <memory>

namespace zav::lote {

namespace {

QFile* gSalida = nullptr;
bool gImprimio = false; // something reached the printer in this rendering

const QString kTituloImpresion = QStringLiteral("Impresión");

bool DestinoImpresora() { return Lote().Destino == QLatin1String(kDestinoImpresora); }

void EscribeSalida(const QString& texto)
{
    if (!gSalida)
        return;
    const QByteArray linea = ToCp1252(texto) + QByteArrayLiteral("\r\n");
    if (!EscribeCompleto(*gSalida, linea.constData(), linea.size()))
        throw RuntimeError(57, gSalida->errorString());
}

// The value between the position after a tag and its closer on the same line.
QString ValorHasta(const QString& linea, qsizetype p, const QString& cierre)
{
    const qsizetype fin = linea.indexOf(cierre, p);
    if (fin < 0)
        throw RuntimeError(5);
    return linea.mid(p, fin - p);
}

void AplicaEtiqueta(const QString& linea)
{
    EstadoLote& l = Lote();
    const qsizetype inicio = linea.indexOf(QLatin1String("<!"));
    const qsizetype cierre = linea.indexOf(QLatin1String("!>"), inicio + 2);
    if (cierre < 0)
        throw RuntimeError(5);
    const QString etiqueta = linea.mid(inicio, cierre + 2 - inicio);
    const qsizetype p = cierre + 2;
    if (etiqueta == QLatin1String("<!font!>"))
        l.FontName = ValorHasta(linea, p, QStringLiteral("<!/font!>"));
    else if (etiqueta == QLatin1String("<!fontsize!>"))
        l.FontSize = CInt(Val(ValorHasta(linea, p, QStringLiteral("<!/fontsize!>"))));
    else if (etiqueta == QLatin1String("<!bold!>"))
        l.FontBold = true;
    else if (etiqueta == QLatin1String("<!/bold!>"))
        l.FontBold = false;
    else if (etiqueta == QLatin1String("<!underline!>"))
        l.FontUnderline = true;
    else if (etiqueta == QLatin1String("<!/underline!>"))
        l.FontUnderline = false;
    else if (etiqueta == QLatin1String("<!italic!>"))
        l.FontItalic = true;
    else if (etiqueta == QLatin1String("<!/italic!>"))
        l.FontItalic = false;
    else if (etiqueta == QLatin1String("<!np!>"))
        l.SaltoPendiente = true;
}

void MensajeError(const RuntimeError& e)
{
    switch (e.Number) {
    case 53:
    case 55:
    case 2055:
        return;
    case 20545:
        MsgBox(QStringLiteral("La Impresión ha sido Cancelada."), 16, kTituloImpresion);
        return;
    case 482:
        MsgBox(QStringLiteral("No existe una impresora seleccionada.Verifique."), 16, kTituloImpresion);
        return;
    case 380:
        MsgBox(QStringLiteral("No Existe Información a Imprimir.Verifique."), 16, kTituloImpresion);
        return;
    default:
        MsgBox(QStringLiteral("Error Técnico : (") + Str(e.Number) + QStringLiteral(") ") + e.Description(), 16,
               kTituloImpresion);
    }
}

} // namespace

void EstableceSalida(QFile* salida) { gSalida = salida; }

QFile* Salida() { return gSalida; }

void ImprimeLineaReporte(const QString& linea)
{
    EstadoLote& l = Lote();
    const bool impresora = DestinoImpresora();
    if (l.SaltoPendiente) {
        if (impresora) {
            Printer().NewPage();
            gImprimio = true;
        } else {
            EscribeSalida(QString(QChar(15)));
        }
        l.SaltoPendiente = false;
    }
    const bool vacia = Trim(linea).isEmpty();
    if (!impresora) {
        EscribeSalida(vacia ? QStringLiteral(" ") : linea);
        return;
    }
    Impresora& p = Printer();
    if (!vacia) {
        p.setFontName(l.FontName);
        p.setFontSize(l.FontSize);
        p.setFontBold(l.FontBold);
        p.setFontItalic(l.FontItalic);
        p.setFontUnderline(l.FontUnderline);
    }
    gImprimio = true;
    p.Print(vacia ? QString() : linea);
}

bool ImprimeArchivoReporte(const QString& archivo, const QString& destino)
{
    EstadoLote& l = Lote();
    l.FontName = QStringLiteral("Courier New");
    l.FontSize = 8;
    l.FontBold = l.FontUnderline = l.FontItalic = false;
    gImprimio = false;

    // The text file is written aside and takes its name only when whole: a rendering that
    // stops (a full disk, a line it cannot read) leaves the earlier one as it was.
    std::unique_ptr<ArchivoAtomico> salida;
    QFile entrada;
    QFile* anterior = gSalida;
    bool resultado = true;
    try {
        if (destino == QLatin1String(kDestinoImpresora)) {
            l.Destino = QString::fromLatin1(kDestinoImpresora);
        } else {
            l.Destino = QString::fromLatin1(kDestinoArchivo);
            const qsizetype punto = archivo.indexOf(QLatin1Char('.'));
            if (punto < 0)
                throw RuntimeError(5);
            salida = std::make_unique<ArchivoAtomico>(RutaEnRpt(archivo.left(punto) + QStringLiteral(".txt")));
            if (!salida->Abre())
                throw RuntimeError(75, salida->Error());
            gSalida = &salida->Archivo();
        }
        const QString origen = RutaEnRpt(archivo);
        if (!ExisteArchivo(origen)) {
            MsgBox(QStringLiteral("Archivo Físico del Reporte no Existe"), 16, QStringLiteral("Error al Imprimir"));
            // Nothing was rendered: the text file is left empty, as it always has been.
            if (salida)
                salida->Confirma();
            gSalida = anterior;
            return false;
        }
        entrada.setFileName(origen);
        if (!entrada.open(QIODevice::ReadOnly))
            throw RuntimeError(75);
        const QByteArray contenido = entrada.readAll();
        entrada.close();
        for (const QString& linea : LineasCp1252(contenido)) {
            if (!linea.contains(QLatin1String("<!")))
                ImprimeLineaReporte(linea);
            else
                AplicaEtiqueta(linea);
        }
        if (salida && !salida->Confirma())
            throw RuntimeError(57, salida->Error());
        // A rendering that sent nothing to the printer leaves no document to end.
        if (gImprimio)
            Printer().EndDoc();
        QCoreApplication::processEvents();
    } catch (const RuntimeError& e) {
        MensajeError(e);
        resultado = false;
        entrada.close();
        if (salida)
            salida->Descarta();
        SetHourglass(false);
    }
    gSalida = anterior;
    return resultado;
}

} // namespace zav::lote
