#include "batch/receipt/GeneraConstancia.h"

#include "almacen/AlmacenDeclaracion.h"
#include "batch/startup/ConfigLote.h"
#include "batch/startup/EstadoLote.h"
#include "batch/startup/ImprimeArchivoReporte.h"
#include "common/ArchivoAtomico.h"
#include "common/Clock.h"
#include "common/Cp1252.h"
#include "common/Paths.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/ui/MsgBox.h"
#include "printing/report/ArchivoReporte.h"
#include "printing/report/RegistraSpool.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace zav::lote {

namespace {

// A header query into the trace: one that cannot be appended is noted, said once a run,
// and the run goes on.
void Traza(bool& completa, bool& avisada, const QString& texto)
{
    try {
        GrabaTraza(texto);
    } catch (const RuntimeError& e) {
        completa = false;
        if (!avisada) {
            QString motivo = e.Description();
            if (motivo.endsWith(QLatin1Char('.')))
                motivo.chop(1);
            AvisaError(QStringLiteral("no se pudo agregar la consulta a %1 (%2)").arg(RutaTraza(), motivo));
        }
        avisada = true;
    }
}

// The lines of ImprimeLineaReporte go to archivo while this lives.
class SalidaLineas {
public:
    explicit SalidaLineas(QFile& archivo)
    {
        Lote().Destino = QString::fromLatin1(kDestinoArchivo);
        EstableceSalida(&archivo);
    }
    ~SalidaLineas() { EstableceSalida(nullptr); }
    SalidaLineas(const SalidaLineas&) = delete;
    SalidaLineas& operator=(const SalidaLineas&) = delete;
};

struct ConsultaCabecera {
    QString texto; // as traced
    almacen::ClaveDeclaracion clave;
};

ConsultaCabecera Cabecera(const QString& tipoDoc, const QString& numero, const QString& periodo,
                          const QString& formulario)
{
    const double tipo = Val(tipoDoc);
    ConsultaCabecera c;
    c.texto = QStringLiteral("SELECT * FROM CAB WHERE ") + QStringLiteral("Tip_doc_d=") + Str(tipo) +
              QStringLiteral(" AND Doc_id_d='") + numero + QStringLiteral("' ") + QStringLiteral(" AND PERIODO='") +
              periodo + QStringLiteral("' AND Formulario='") + formulario + QStringLiteral("'");
    c.clave = almacen::ClaveDeclaracion::Guardada(numero, periodo, formulario);
    c.clave.TipoDoc = dao::Variant(tipo);
    return c;
}

QString PeriodoMostrado(const QString& periodoConsulta)
{
    if (periodoConsulta.size() <= 4)
        return periodoConsulta;
    return Right(periodoConsulta, 2) + QStringLiteral("/") + Left(periodoConsulta, 4);
}

// A name, a number or a code goes into the receipt by the report files' one rule for texts.
QString Registro(int y, const QString& texto, bool negrita)
{
    return QStringLiteral("pPos|300|%1|").arg(y) + rpt::TextoRegistro(texto) +
           (negrita ? QStringLiteral("|True|10|0|") : QStringLiteral("|False|10|0|"));
}

// How many header rows the declaration has.
int FilasCabecera(const ConsultaCabecera& consulta)
{
    return almacen::FilasCabecera(*Lote().Base, consulta.clave);
}

} // namespace

void AvisaError(const QString& texto)
{
    MsgBox(texto.left(1).toUpper() + texto.mid(1), 16, QStringLiteral("Presentación Telemática"));
}

QString RutaTraza() { return ResolvePath(JoinPath(QDir::currentPath(), QStringLiteral("Trace.txt"))); }

void GrabaTraza(const QString& texto)
{
    QFile traza(RutaTraza());
    // Unbuffered: a write that fails says so here, not when the file is closed.
    if (!traza.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw RuntimeError(75, traza.errorString());
    const QByteArray linea = ToCp1252(texto) + QByteArrayLiteral("\r\n");
    const qint64 antes = traza.size();
    if (!EscribeCompleto(traza, linea.constData(), linea.size())) {
        const QString error = traza.errorString();
        traza.resize(antes);   // no half line for the next one to run into
        throw RuntimeError(57, error);
    }
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

QString RegistraSpoolLote(const QString& codRep, const QString& tipoDoc, const QString& numDoc,
                         const rpt::EscritorReporte& escribe)
{
    EstadoLote& l = Lote();
    if (!l.Base)
        throw dao::DaoError(dao::err::ObjectInvalid);
    return rpt::RegistraSpool(*l.Base, l.RutaRpt, codRep, l.Usuario, dao::Variant(tipoDoc), numDoc, escribe).Nombre;
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
    // The box is looked up whatever the document type, in the week 0.
    almacen::ClaveDeclaracion clave = almacen::ClaveDeclaracion::Guardada(Trim(numDoc), periodo, formulario);
    clave.TipoDoc = dao::Variant();
    clave.Semana = dao::Variant(0);
    const std::optional<dao::Variant> valor = almacen::ValorCasilla(*Lote().Base, clave, casilla);
    return valor ? valor->toText() : QString();
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

Constancia GeneraConstancia(const QString& tipoDoc, const QString& numDoc, const QString& formulario,
                            const QString& periodo, const QString& nroConstancia, const QString& semana)
{
    bool ok = true;
    bool trazaAvisada = false;
    const QString numero = Trim(numDoc);
    const QString periodoConsulta = PeriodoConsulta(periodo);
    const QString mostrado = PeriodoMostrado(periodoConsulta);
    const int tipo = int(Val(tipoDoc));
    const QString periodoCasilla = Right(mostrado, 4) + Left(mostrado, 2);
    const int anio = int(Val(Right(mostrado, 4)));
    const QString fecha = FormatDate(Today(), QStringLiteral("dd/mm/yyyy"));
    Constancia r;
    r.Base = formulario + periodo + semana + nroConstancia;

    const ConsultaCabecera consulta = Cabecera(tipoDoc, numero, periodoConsulta, formulario);
    Traza(ok, trazaAvisada, consulta.texto);
    int filas = 0;
    // The boxes are the same on every page, and both receipts show them. A box that is
    // not stored reads as empty; a database that cannot be read gives no receipt at all,
    // rather than one with a wrong coefficient.
    QString c609, c610;
    try {
        filas = FilasCabecera(consulta);
        if (filas > 0) {
            c609 = ValorCasillaDet(QStringLiteral("609"), numDoc, periodoCasilla, formulario);
            c610 = ValorCasillaDet(QStringLiteral("610"), numDoc, periodoCasilla, formulario);
        }
    } catch (const dao::DaoError& e) {
        r.Motivo = QStringLiteral("no se pudo leer la declaración (%1): no se generó la constancia").arg(e.Description);
        return r;
    }
    if (filas == 0) {
        r.Motivo = QStringLiteral("no existe la declaración %1 del período %2 del documento %3: no se generó la "
                                  "constancia").arg(formulario, mostrado, numero);
        return r;
    }
    qint64 valor = 0;
    const QString coeficiente = TextoCoeficiente(c609, c610, anio, valor);

    // The receipt report file, one page per header row, and its SPOOL row once it is
    // whole. A look-up or a write that fails leaves neither.
    try {
        RegistraSpoolLote(QString::fromLatin1(kCodRepConstancia), tipoDoc, numDoc, [&](const rpt::ArchivoSpool& s) {
            ArchivoAtomico archivo(s.Ruta);
            if (!archivo.Abre())
                throw RuntimeError(75, s.Ruta + QStringLiteral(": ") + archivo.Error());
            {
                const SalidaLineas salida(archivo.Archivo());
                for (int pagina = 1; pagina <= filas; ++pagina) {
                    CabeceraConstancia(Format(pagina, QStringLiteral("0000")) + QStringLiteral("/0001"));
                    const QString periodoLinea = Registro(2250, QStringLiteral("PERIODO         : ") + mostrado, false);
                    const QString lineas[] = {
                        Registro(1500, QStringLiteral("DOCUMENTO       : ") + AbrevTipoDocumento(tipo) +
                                           QStringLiteral("  ") + numero,
                                 false),
                        Registro(1750, QStringLiteral("RAZON SOCIAL    : ") + NombreContribuyente(tipo, numDoc), false),
                        Registro(2000, QStringLiteral("FORMULARIO      : ") + formulario + QStringLiteral("-ZAV Morvath"),
                                 false),
                        periodoLinea,
                        periodoLinea,
                        Registro(3250, QStringLiteral("COEFICIENTE O % :     ") + coeficiente, false),
                        Registro(4000, QStringLiteral("NC ") + nroConstancia + QStringLiteral("  Fec.Generación: ") + fecha,
                                 false),
                    };
                    for (const QString& linea : lineas)
                        ImprimeLineaReporte(linea);
                }
            }
            if (!archivo.Confirma())
                throw RuntimeError(57, s.Ruta + QStringLiteral(": ") + archivo.Error());
        });
    } catch (const dao::DaoError& e) {
        // Not registered: the plain receipt still goes to the host, and the status says so.
        ok = false;
        AvisaError(QStringLiteral("no se registró el reporte de la constancia (%1)").arg(e.Description));
    } catch (const RuntimeError& e) {
        ok = false;
        AvisaError(QStringLiteral("no se pudo escribir el reporte de la constancia (%1)").arg(e.Description()));
    }

    // The plain receipt, for the host: whole under its name, or not written.
    Traza(ok, trazaAvisada, consulta.texto);
    const QString rutaPlana = RutaEnRpt(r.Base + QStringLiteral(".PRN"));
    try {
        if (FilasCabecera(consulta) == 0) {
            r.Motivo = QStringLiteral("la declaración %1 del período %2 del documento %3 ya no existe: no se generó la "
                                      "constancia").arg(formulario, mostrado, numero);
            return r;
        }
        r.Declarada = true;
        const QString lineas[] = {
            QStringLiteral("DOCUMENTO      : ") + AbrevTipoDocumento(tipo) + QStringLiteral("  ") + numero,
            QStringLiteral("RAZON SOCIAL   : ") + NombreContribuyente(tipo, numDoc),
            QStringLiteral("FORMULARIO     : ") + formulario + QStringLiteral("-ZAV Morvath"),
            QStringLiteral("PERIODO        : ") + mostrado,
            QStringLiteral("COEFICIENTE O %:  ") + coeficiente,
            QStringLiteral(" "),
            QStringLiteral("NC ") + nroConstancia + QStringLiteral("  Fec.Generación: ") + fecha,
        };
        ArchivoAtomico plana(rutaPlana);
        if (!plana.Abre())
            throw RuntimeError(75, plana.Error());
        {
            const SalidaLineas salida(plana.Archivo());
            for (const QString& linea : lineas)
                ImprimeLineaReporte(rpt::TextoRegistro(linea));
        }
        if (!plana.Confirma())
            throw RuntimeError(57, plana.Error());
        r.Escrita = true;
    } catch (const dao::DaoError& e) {
        ok = false;
        r.Declarada = true;
        r.Error = rutaPlana + QStringLiteral(" (") + e.Description + QLatin1Char(')');
    } catch (const RuntimeError& e) {
        ok = false;
        r.Error = rutaPlana + QStringLiteral(" (") + e.Description() + QLatin1Char(')');
    }
    r.Completa = ok;
    return r;
}

} // namespace zav::lote
