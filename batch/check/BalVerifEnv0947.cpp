#include "batch/check/BalVerifEnv0947.h"

#include "almacen/AlmacenDeclaracion.h"
#include "batch/startup/ConfigLote.h"
#include "batch/startup/EstadoLote.h"
#include "batch/startup/ImprimeArchivoReporte.h"
#include "common/ArchivoAtomico.h"
#include "common/BaseCompartida.h"
#include "common/Clock.h"
#include "common/Cp1252.h"
#include "common/Paths.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/ui/MsgBox.h"

#include <QFile>
#include <QFileInfo>

namespace zav::lote {

namespace {

const QString kFormularioMarca = QStringLiteral("0947");

// The document type goes into the queries as a number; text that is not one cannot
// name a declaration.
double TipoNumerico(const QString& tipoDoc)
{
    if (!IsNumeric(tipoDoc))
        throw RuntimeError(ErrTypeMismatch);
    return Val(tipoDoc);
}

void Linea(const QString& texto) { ImprimeLineaReporte(texto); }

void Falla(int& k, bool& resultado, const QString& texto)
{
    ++k;
    resultado = false;
    Linea(Format(double(k), QStringLiteral("000")) + texto);
}

// A box's value that no number can be ("1E999", written there by another program), or an
// amount beyond the currency's range, which cannot be summed, is no value the check can
// judge: the check stops, saying which box holds it.
QString Ilegible(const char* casilla, const QString& valor)
{
    return QStringLiteral("la casilla %1 guarda un número que no se puede leer (%2)").arg(QLatin1String(casilla), valor);
}

double Numero(const char* casilla, const QString& valor, QString& error)
{
    try {
        return Val(valor);
    } catch (const RuntimeError&) {
        error = Ilegible(casilla, valor);
        throw;
    }
}

// A box amount as the currency it holds, in ten-thousandths: sums of decimals read as
// doubles would differ in their last bits (0.1 + 0.2 against 0.3).
qint64 Importe(const char* casilla, const QString& valor, QString& error)
{
    const double v = Numero(casilla, valor, error);
    try {
        return CCur(v);
    } catch (const RuntimeError&) {
        error = Ilegible(casilla, valor);
        throw;
    }
}

// An engine's text inside a reason, which the message closes with its own period.
QString SinPunto(QString texto)
{
    if (texto.endsWith(QLatin1Char('.')))
        texto.chop(1);
    return texto;
}

// The declaration of the command line, of the type it names.
almacen::ClaveDeclaracion Clave(double tipoDoc, const QString& numDoc, const QString& periodo, const QString& formulario)
{
    almacen::ClaveDeclaracion c = almacen::ClaveDeclaracion::Guardada(numDoc, periodo, formulario);
    c.TipoDoc = dao::Variant(tipoDoc);
    return c;
}

// The lines of ImprimeLineaReporte go to the report while this lives.
class SalidaReporte {
public:
    explicit SalidaReporte(QFile& archivo)
    {
        EstableceSalida(&archivo);
        Lote().Destino = QString::fromLatin1(kDestinoArchivo);
    }
    ~SalidaReporte() { EstableceSalida(nullptr); }
    SalidaReporte(const SalidaReporte&) = delete;
    SalidaReporte& operator=(const SalidaReporte&) = delete;
};

QString ErrorDeValidacion(int numero, const QString& texto)
{
    return QStringLiteral("error en la validación de las casillas (%1 %2)").arg(numero).arg(SinPunto(texto));
}

} // namespace

QString NombreArchivoEnvio(const QString& tipoDoc, const QString& numDoc, const QString& formulario,
                           const QString& periodo, const QString& semana)
{
    return tipoDoc + Trim(numDoc) + formulario + periodo + semana;
}

QString ValorCasillaEnvio(const QString& casilla, const QString& tipoDoc, const QString& numDoc,
                          const QString& periodo, const QString& formulario, const QString& semana,
                          bool conSemana)
{
    almacen::ClaveDeclaracion clave = Clave(TipoNumerico(tipoDoc), numDoc, periodo, formulario);
    if (conSemana)
        clave.Semana = dao::Variant(Val(semana));
    const std::optional<dao::Variant> v = almacen::ValorCasilla(*Lote().Base, clave, casilla);
    if (!v)
        return QString();
    // A row without a value is no value the check can judge.
    if (v->isNull())
        throw RuntimeError(94);
    return v->toText();
}

QString CuentaConstancias(const QString& tipoDoc, const QString& numDoc, const QString& periodo,
                          const QString& formulario)
{
    return QString::number(almacen::CuentaPerdidas(*Lote().Base, Clave(Val(tipoDoc), numDoc, periodo, formulario)));
}

bool DeclaracionGrabada(const QString& tipoDoc, const QString& numDoc, const QString& formulario,
                        const QString& periodo)
{
    // A type that is not a number names no stored declaration.
    if (!IsNumeric(tipoDoc))
        return false;
    return almacen::ExisteCabecera(*Lote().Base, Clave(Val(tipoDoc), Trim(numDoc), PeriodoConsulta(periodo), formulario));
}

bool ValidaEnvio(const QString& tipoDoc, const QString& numDoc, const QString& formulario, const QString& periodo,
                 const QString& nroConstancia, const QString& semana, const QString& rutaReporte, bool* completo,
                 QString* razon)
{
    (void)nroConstancia;
    bool resultado = true;
    bool ok = true;
    QString error;
    int k = 0;
    // Written aside and renamed over the old one when whole: the host never reads a cut
    // report, nor one of this run beside an earlier run's marker.
    ArchivoAtomico reporte(rutaReporte);
    try {
        if (!reporte.Abre()) {
            error = QStringLiteral("no se pudo crear el reporte %1").arg(rutaReporte);
            throw RuntimeError(75);
        }
        const SalidaReporte salida(reporte.Archivo());

        const QDateTime ahora = Now();
        Linea(FormatDate(ahora.date(), QStringLiteral("dd/mm/yyyy")) + QString(70, QLatin1Char(' ')) +
              ahora.time().toString(QStringLiteral("HH:mm:ss")));
        Linea(QStringLiteral(" "));
        Linea(QStringLiteral(" "));
        Linea(QString(11, QLatin1Char(' ')) +
              QStringLiteral("Resumen de Inconsistencias en Información a Enviar - Formulario ") +
              QStringLiteral("0947"));

        const QString p = PeriodoConsulta(periodo);
        const QString n = Trim(numDoc);

        if ((Right(p, 2) == QLatin1String("01") || Right(p, 2) == QLatin1String("06")) && Val(Left(p, 4)) >= 2013)
            Falla(k, resultado, QStringLiteral(") El período de la declaración no es válido - ") + p);

        const QString c662 = ValorCasillaEnvio(QStringLiteral("662"), tipoDoc, n, p, formulario, semana, false);
        const QString cuenta = CuentaConstancias(tipoDoc, n, p, formulario);
        if (Numero("662", c662, error) != Val(cuenta))
            Falla(k, resultado,
                  QStringLiteral(") La cantidad de constancias de recepción no coincide con el valor de la casilla 662"));

        const auto casilla = [&](const char* numero) {
            const QString v =
                ValorCasillaEnvio(QString::fromLatin1(numero), tipoDoc, n, p, formulario, semana, false);
            return v.isEmpty() ? QStringLiteral("0") : v;
        };
        const QString c473 = casilla("473");
        const QString c650 = casilla("650");
        const QString c651 = casilla("651");
        const qint64 i473 = Importe("473", c473, error);
        const qint64 i650 = Importe("650", c650, error);
        const qint64 i651 = Importe("651", c651, error);
        // Two amounts whose sum is beyond the currency's range cannot add up to a third.
        qint64 suma = 0;
        if (__builtin_add_overflow(i650, i651, &suma) || suma != i473)
            Falla(k, resultado,
                  QStringLiteral(") El valor de la casilla 473 no coincide con la suma de la casilla 650 y la "
                                 "casilla 651"));
        if (!reporte.Confirma()) {
            error = QStringLiteral("no se pudo grabar el reporte %1 (%2)").arg(rutaReporte, SinPunto(reporte.Error()));
            throw RuntimeError(57);
        }
    } catch (const dao::DaoError& e) {
        ok = false;
        error = ErrorDeValidacion(e.Number, e.Description);
    } catch (const RuntimeError& e) {
        ok = false;
        if (error.isEmpty())
            error = ErrorDeValidacion(e.Number, e.Description());
    }
    if (!ok) {
        MsgBox(QStringLiteral("Error en la validación de las casillas"), 16, QStringLiteral("Validación"));
        resultado = false;
    }
    if (completo)
        *completo = ok;
    if (razon)
        *razon = error;
    return resultado;
}

bool GrabaMarcaError(const QString& rutaMarca)
{
    const QByteArray linea = ToCp1252(kFormularioMarca + QStringLiteral(" ERROR")) + QByteArrayLiteral("\r\n");
    return EscribeArchivoEntero(rutaMarca, linea);
}

bool MarcaDeclaracion(const QString& rutaMarca)
{
    // The marker takes the file's place whole, or the file goes: a declaration whose check
    // failed is never left there to be sent.
    if (GrabaMarcaError(rutaMarca))
        return true;
    if (ExisteArchivo(rutaMarca))
        QFile::remove(rutaMarca);
    return false;
}

namespace {

// The work folder as far as it is known: set by the start, or read from the
// configuration when the start stopped before it (a second copy); empty when unknown.
QString CarpetaTrabajo()
{
    if (!Lote().RutaTmp.isEmpty())
        return Lote().RutaTmp;
    const QString sysPath = LeeOpcion(QStringLiteral("SysPath"));
    return sysPath.isEmpty() ? QString() : JoinPath(sysPath, QStringLiteral("TMP"));
}

// The declaration could not be checked: no report of it is left to be read as this
// run's, the marker takes the place of its file so that it is not sent, and the user
// is told why. nombre is empty when the command line names no usable file. A second
// copy leaves the report alone: the running copy may be writing it.
int NoVerificada(const QString& nombre, const QString& razon, bool borraReporte = true)
{
    QString marca;
    const QString tmp = CarpetaTrabajo();
    if (!nombre.isEmpty() && !tmp.isEmpty() && QFileInfo(ResolvePath(tmp)).isDir()) {
        const QString rutaReporte = ResolvePath(JoinPath(tmp, nombre + QStringLiteral(".ERR")));
        if (borraReporte && QFileInfo(rutaReporte).isFile())
            QFile::remove(rutaReporte);
        const QString rutaMarca = ResolvePath(JoinPath(tmp, nombre + QStringLiteral(".TXT")));
        if (MarcaDeclaracion(rutaMarca))
            marca = rutaMarca;
    }
    QString texto = QStringLiteral("No se pudo verificar la información a enviar: ") + razon + QLatin1Char('.');
    if (!marca.isEmpty())
        texto += QStringLiteral(" Se grabó la marca de error en el archivo ") + marca;
    MsgBox(texto, 16, QStringLiteral("Error al verificar la información a enviar"));
    return kEnvioSinVerificar;
}

} // namespace

int BalVerifEnv0947_Main(const QString& linea)
{
    // The declaration's name is known from the line alone, for a start that fails.
    const LineaComandoLote c = CortaLineaComando(linea);
    const QString nombre = RechazoLineaComando(c).isEmpty()
                               ? NombreArchivoEnvio(c.TipoDoc, c.NumDoc, c.Formulario, c.Periodo, c.Semana)
                               : QString();
    EstableceFallaArranque([nombre](const QString& razon) { NoVerificada(nombre, razon, false); }, kEnvioSinVerificar);
    const auto copia = ExigeInstanciaUnica(ProgramaLote::Verificador);
    EstableceFallaArranque([nombre](const QString& razon) { NoVerificada(nombre, razon); }, kEnvioSinVerificar);
    TomaLineaComando(linea);
    LeerConfigLote(ProgramaLote::Verificador);

    if (!QFileInfo(ResolvePath(Lote().RutaTmp)).isDir())
        return NoVerificada(nombre, QStringLiteral("no existe la carpeta de trabajo %1").arg(Lote().RutaTmp));
    try {
        if (!DeclaracionGrabada(c.TipoDoc, c.NumDoc, c.Formulario, c.Periodo))
            return NoVerificada(nombre, QStringLiteral("la declaración %1 del periodo %2 no está grabada")
                                            .arg(Trim(c.NumDoc), PeriodoConsulta(c.Periodo)));
    } catch (const dao::DaoError& e) {
        return NoVerificada(nombre, QStringLiteral("no se pudo leer la declaración (%1 %2)")
                                        .arg(e.Number)
                                        .arg(SinPunto(e.Description)));
    }

    const QString rutaReporte = RutaEnTmp(nombre + QStringLiteral(".ERR"));
    bool completo = true;
    QString razon;
    if (ValidaEnvio(c.TipoDoc, c.NumDoc, c.Formulario, c.Periodo, c.NroConstancia, c.Semana, rutaReporte,
                    &completo, &razon)) {
        if (ExisteArchivo(rutaReporte) && !QFile::remove(rutaReporte))
            return NoVerificada(nombre, QStringLiteral("no se pudo borrar el reporte anterior %1").arg(rutaReporte));
        return kEnvioConforme;
    }
    if (!completo)
        return NoVerificada(nombre, razon);

    MsgBox(QStringLiteral("Existen datos inconsistentes en la información a enviar. Revisar el archivo ") +
               rutaReporte,
           16, QStringLiteral("Error en la información a enviar"));
    const QString rutaMarca = RutaEnTmp(nombre + QStringLiteral(".TXT"));
    if (!MarcaDeclaracion(rutaMarca)) {
        MsgBox(QStringLiteral("No se pudo grabar la marca de error en el archivo ") + rutaMarca, 16,
               QStringLiteral("Error en la información a enviar"));
        return kEnvioSinVerificar;
    }
    return kEnvioInconsistente;
}

} // namespace zav::lote
