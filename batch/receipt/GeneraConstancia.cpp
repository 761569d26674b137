#include "batch/receipt/GeneraConstancia.h"

#include "batch/startup/ConfigLote.h"
#include "batch/startup/EstadoLote.h"
#include "batch/startup/ImprimeArchivoReporte.h"
#include "common/Clock.h"
#include "common/Cp1252.h"
#include "common/Paths.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "printing/report/RegistraSpool.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace zav::lote {

namespace {

// One statement run with errors ignored: a failure skips it and is remembered.
void Intenta(bool& completa, const std::function<void()>& sentencia)
{
    try {
        sentencia();
    } catch (const dao::DaoError&) {
        completa = false;
    } catch (const RuntimeError&) {
        completa = false;
    }
}

// Opens a file of the report folder for output (created or emptied) as the lines' target.
void AbreSalida(QFile& archivo, const QString& nombre)
{
    archivo.close();
    EstableceSalida(nullptr);
    if (nombre.isEmpty())
        throw RuntimeError(75, QStringLiteral("Path/File access error"));
    archivo.setFileName(RutaEnRpt(nombre));
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw RuntimeError(75, QStringLiteral("Path/File access error"));
    EstableceSalida(&archivo);
}

struct ConsultaCabecera {
    QString texto; // as traced
    QString sql;
    dao::Params params;
};

ConsultaCabecera Cabecera(const QString& tipoDoc, const QString& numero, const QString& periodo,
                          const QString& formulario)
{
    const double tipo = Val(tipoDoc);
    ConsultaCabecera c;
    c.texto = QStringLiteral("SELECT * FROM CAB WHERE ") + QStringLiteral("Tip_doc_d=") + Str(tipo) +
              QStringLiteral(" AND Doc_id_d='") + numero + QStringLiteral("' ") + QStringLiteral(" AND PERIODO='") +
              periodo + QStringLiteral("' AND Formulario='") + formulario + QStringLiteral("'");
    c.sql = QStringLiteral("SELECT * FROM CAB WHERE Tip_doc_d=?1 AND Doc_id_d=?2 AND PERIODO=?3 AND Formulario=?4");
    c.params = {dao::Variant(tipo), dao::Variant(numero), dao::Variant(periodo), dao::Variant(formulario)};
    return c;
}

QString PeriodoMostrado(const QString& periodoConsulta)
{
    if (periodoConsulta.size() <= 4)
        return periodoConsulta;
    return Right(periodoConsulta, 2) + QStringLiteral("/") + Left(periodoConsulta, 4);
}

QString Registro(int y, const QString& texto, bool negrita)
{
    return QStringLiteral("pPos|300|%1|").arg(y) + texto +
           (negrita ? QStringLiteral("|True|10|0|") : QStringLiteral("|False|10|0|"));
}

} // namespace

void GrabaTraza(const QString& texto)
{
    QFile traza(ResolvePath(JoinPath(QDir::currentPath(), QStringLiteral("Trace.txt"))));
    if (!traza.open(QIODevice::WriteOnly | QIODevice::Append))
        throw RuntimeError(75, QStringLiteral("Path/File access error"));
    const QByteArray linea = ToCp1252(texto) + QByteArrayLiteral("\r\n");
    if (traza.write(linea) != linea.size())
        throw RuntimeError(57, QStringLiteral("Device I/O error"));
}

void CabeceraConstancia(const QString& pagina)
{
    (void)pagina;
    const QDateTime ahora = Now();
    ImprimeLineaReporte(QStringLiteral("<!font!>Courier New<!/font!>"));
    ImprimeLineaReporte(QStringLiteral("<!nHojas!>1<!/nHojas!>"));
    ImprimeLineaReporte(QStringLiteral("<!Orientacion!>V<!/Orientacion!>"));
    ImprimeLineaReporte(QStringLiteral("<!Color!>&H80000005&<!/Color!>"));
    ImprimeLineaReporte(QStringLiteral("pPos|300|350|") + FormatDate(ahora.date(), QStringLiteral("dd/mm/yyyy")) +
                        QStringLiteral("|True|10|0|"));
    ImprimeLineaReporte(QStringLiteral("pPos|300|600|") + ahora.time().toString(QStringLiteral("HH:mm:ss")) +
                        QStringLiteral("|True|10|0|"));
    ImprimeLineaReporte(QStringLiteral("pPos|4000|850|") + QStringLiteral("CONSTANCIA DE PRESENTACION") +
                        QStringLiteral("|True|10|0|"));
}

QString RegistraSpoolLote(const QString& codRep, const QString& tipoDoc, const QString& numDoc)
{
    EstadoLote& l = Lote();
    if (!l.Base)
        throw dao::DaoError(dao::err::ObjectInvalid);
    return rpt::RegistraSpool(*l.Base, l.RutaRpt, codRep, l.Usuario, dao::Variant(tipoDoc), numDoc).Nombre;
}

QString NombreContribuyente(int tipoDoc, const QString& numDoc)
{
    auto rs = Lote().Base->OpenRecordset(QStringLiteral("SELECT * FROM CONT WHERE Tip_doc_d=?1 AND Doc_id_d=?2"),
                                         dao::dbOpenSnapshot, {dao::Variant(tipoDoc), dao::Variant(Trim(numDoc))});
    if (rs->Eof())
        return QString();
    return Trim(rs->Fields(QStringLiteral("Nombre")).Value().toText());
}

QString AbrevTipoDocumento(int tipoDoc)
{
    auto rs = Lote().Base->OpenRecordset(QStringLiteral("SELECT * FROM PARAM WHERE Numero='044' AND Argumento=?1"),
                                         dao::dbOpenSnapshot, {dao::Variant(Trim(Str(tipoDoc)))});
    if (rs->Eof())
        return QStringLiteral("RUC");
    return Trim(Mid(rs->Fields(QStringLiteral("funcion")).Value().toText(), 32, 12));
}

QString ValorCasillaDet(const QString& casilla, const QString& numDoc, const QString& periodo,
                        const QString& formulario)
{
    auto rs = Lote().Base->OpenRecordset(
        QStringLiteral("SELECT CASILLA, I_VALOR FROM DET WHERE DOC_ID_D=?1 AND PERIODO=?2 AND FORMULARIO=?3"
                       " AND SEMANA=0 AND CASILLA=?4"),
        dao::dbOpenDynaset,
        {dao::Variant(Trim(numDoc)), dao::Variant(periodo), dao::Variant(formulario), dao::Variant(casilla)});
    if (rs->Eof())
        return QString();
    return rs->Fields(QStringLiteral("i_valor")).Value().toText();
}

QString TextoCoeficiente(const QString& casilla609, const QString& casilla610, int anio, qint64& valor)
{
    try {
        valor = CCur(casilla610);
    } catch (const RuntimeError&) {
        // An absent or unreadable box keeps the value read before.
    }
    const double v = double(valor) / 10000.0;
    const bool cuatro = anio >= 2013 || casilla609 == QLatin1String("A");
    return Trim(Format(v, cuatro ? QStringLiteral("###,###,##0.0000") : QStringLiteral("###,###,##0.00")));
}

QString GeneraConstancia(const QString& tipoDoc, const QString& numDoc, const QString& formulario,
                         const QString& periodo, const QString& nroConstancia, const QString& semana,
                         bool* completa)
{
    EstadoLote& l = Lote();
    bool ok = true;
    const QString numero = Trim(numDoc);
    const QString periodoConsulta = PeriodoConsulta(periodo);
    const QString mostrado = PeriodoMostrado(periodoConsulta);
    const int tipo = int(Val(tipoDoc));
    const QString base = formulario + periodo + semana + nroConstancia;

    QString nombre;
    Intenta(ok, [&] { nombre = RegistraSpoolLote(QString::fromLatin1(kCodRepConstancia), tipoDoc, numDoc); });

    QFile archivo;
    Intenta(ok, [&] { AbreSalida(archivo, nombre); });
    l.Destino = QString::fromLatin1(kDestinoArchivo);

    const ConsultaCabecera consulta = Cabecera(tipoDoc, numero, periodoConsulta, formulario);
    Intenta(ok, [&] { GrabaTraza(consulta.texto); });

    QString c609, c610, coeficiente;
    qint64 valor = 0;
    const QString periodoCasilla = Right(mostrado, 4) + Left(mostrado, 2);
    const int anio = int(Val(Right(mostrado, 4)));
    Intenta(ok, [&] {
        auto rs = l.Base->OpenRecordset(consulta.sql, dao::dbOpenSnapshot, consulta.params);
        for (int pagina = 1; !rs->Eof(); ++pagina, rs->MoveNext()) {
            Intenta(ok, [&] { CabeceraConstancia(Format(pagina, QStringLiteral("0000")) + QStringLiteral("/0001")); });
            Intenta(ok, [&] {
                ImprimeLineaReporte(Registro(1500, QStringLiteral("DOCUMENTO       : ") + AbrevTipoDocumento(tipo) +
                                                       QStringLiteral("  ") + numero,
                                             false));
            });
            Intenta(ok, [&] {
                ImprimeLineaReporte(
                    Registro(1750, QStringLiteral("RAZON SOCIAL    : ") + NombreContribuyente(tipo, numDoc), false));
            });
            Intenta(ok, [&] {
                ImprimeLineaReporte(
                    Registro(2000, QStringLiteral("FORMULARIO      : ") + formulario + QStringLiteral("-ZAV Morvath"),
                             false));
            });
            for (int vez = 0; vez < 2; ++vez)
                Intenta(ok, [&] {
                    ImprimeLineaReporte(Registro(2250, QStringLiteral("PERIODO         : ") + mostrado, false));
                });
            Intenta(ok, [&] { c609 = ValorCasillaDet(QStringLiteral("609"), numDoc, periodoCasilla, formulario); });
            Intenta(ok, [&] { c610 = ValorCasillaDet(QStringLiteral("610"), numDoc, periodoCasilla, formulario); });
            coeficiente = TextoCoeficiente(c609, c610, anio, valor);
            Intenta(ok, [&] {
                ImprimeLineaReporte(Registro(3250, QStringLiteral("COEFICIENTE O % :     ") + coeficiente, false));
            });
            Intenta(ok, [&] {
                ImprimeLineaReporte(Registro(4000,
                                             QStringLiteral("NC ") + nroConstancia +
                                                 QStringLiteral("  Fec.Generación: ") +
                                                 FormatDate(Today(), QStringLiteral("dd/mm/yyyy")),
                                             false));
            });
        }
    });
    if (archivo.isOpen() && !archivo.flush())
        ok = false;
    archivo.close();
    EstableceSalida(nullptr);

    // The plain receipt, for the host.
    Intenta(ok, [&] { AbreSalida(archivo, base + QStringLiteral(".PRN")); });
    Intenta(ok, [&] { GrabaTraza(consulta.texto); });
    Intenta(ok, [&] {
        auto rs = l.Base->OpenRecordset(consulta.sql, dao::dbOpenSnapshot, consulta.params);
        if (rs->Eof())
            return;
        // The coefficient of the report file's last page; the plain receipt reads no box.
        const QString c = TextoCoeficiente(c609, c610, anio, valor);
        const std::function<QString()> lineas[] = {
            [&] { return QStringLiteral("DOCUMENTO      : ") + AbrevTipoDocumento(tipo) + QStringLiteral("  ") + numero; },
            [&] { return QStringLiteral("RAZON SOCIAL   : ") + NombreContribuyente(tipo, numDoc); },
            [&] { return QStringLiteral("FORMULARIO     : ") + formulario + QStringLiteral("-ZAV Morvath"); },
            [&] { return QStringLiteral("PERIODO        : ") + mostrado; },
            [&] { return QStringLiteral("COEFICIENTE O %:  ") + c; },
            [&] { return QStringLiteral(" "); },
            [&] {
                return QStringLiteral("NC ") + nroConstancia + QStringLiteral("  Fec.Generación: ") +
                       FormatDate(Today(), QStringLiteral("dd/mm/yyyy"));
            },
        };
        for (const auto& linea : lineas)
            Intenta(ok, [&] { ImprimeLineaReporte(linea()); });
    });
    if (archivo.isOpen() && !archivo.flush())
        ok = false;
    archivo.close();
    EstableceSalida(nullptr);

    if (completa)
        *completa = ok;
    return base;
}

} // namespace zav::lote
