#pragma once
// The pre-send checker: three rules on a stored declaration; the host reads the answer
// from the work folder (an inconsistency report and a one-line marker).
#include <QString>

namespace zav::lote {

// Exit statuses: the declaration passed, a rule failed, or the check could not be done
// (the program could not start, the declaration is not stored, an error stopped the
// rules, or the report, the marker or the deletion of an old report failed).
inline constexpr int kEnvioConforme = 0;
inline constexpr int kEnvioInconsistente = 1;
inline constexpr int kEnvioSinVerificar = 2;

// The pre-send checker's main procedure on the host's command line; the exit status.
// A check that was not done leaves no report and, wherever the work folder and the
// declaration's name are known, the error marker, so that the host does not send it.
int BalVerifEnv0947_Main(const QString& linea);

// True when every rule holds. Writes the report at rutaReporte, whole in place of an
// earlier one, or not at all when the check stops. An error while checking
// (a box value that no number can be, or an amount beyond the currency's range, among
// them) is reported and makes the result false (*completo turns false too, *razon says
// what stopped it), as an unchecked declaration must never pass.
bool ValidaEnvio(const QString& tipoDoc, const QString& numDoc, const QString& formulario, const QString& periodo,
                 const QString& nroConstancia, const QString& semana, const QString& rutaReporte,
                 bool* completo = nullptr, QString* razon = nullptr);

// True when CAB holds the declaration (any week). Throws dao::DaoError.
bool DeclaracionGrabada(const QString& tipoDoc, const QString& numDoc, const QString& formulario,
                        const QString& periodo);

// The stored value of one box, "" when it has no row. Throws dao::DaoError on a database
// error and zav::RuntimeError when the type is not a number or the value is Null.
QString ValorCasillaEnvio(const QString& casilla, const QString& tipoDoc, const QString& numDoc,
                          const QString& periodo, const QString& formulario, const QString& semana,
                          bool conSemana);

// The number of tax-loss rows of the declaration, as text.
QString CuentaConstancias(const QString& tipoDoc, const QString& numDoc, const QString& periodo,
                          const QString& formulario);

// Writes the one-line marker "0947 ERROR" whole in place of an earlier file; false, the
// earlier file as it was, when it could not be written.
bool GrabaMarcaError(const QString& rutaMarca);

// Replaces the declaration's file by the marker. False when the marker could not be
// written; the earlier file of that name is then gone.
bool MarcaDeclaracion(const QString& rutaMarca);

// The name of the declaration's files in the work folder, without extension.
QString NombreArchivoEnvio(const QString& tipoDoc, const QString& numDoc, const QString& formulario,
                           const QString& periodo, const QString& semana);

} // namespace zav::lote
