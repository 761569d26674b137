#pragma once
// The filing receipt of a presented declaration: a report file registered in SPOOL, and
// a plain receipt that the host picks up as text.
#include <QString>

namespace zav::lote {

inline constexpr const char* kCodRepConstancia = "RCP002";

// Writes both receipts in the report folder and returns the plain receipt's base name
// (form, period, week, receipt number). A failing statement is skipped and the rest
// goes on, as the host still wants what can be written; *completa turns false then.
QString GeneraConstancia(const QString& tipoDoc, const QString& numDoc, const QString& formulario,
                         const QString& periodo, const QString& nroConstancia, const QString& semana,
                         bool* completa = nullptr);

// The seven header lines of one receipt page.
void CabeceraConstancia(const QString& pagina);

// A new SPOOL row for the receipt: the report file's name (eight digits and ".PRN").
QString RegistraSpoolLote(const QString& codRep, const QString& tipoDoc, const QString& numDoc);

QString NombreContribuyente(int tipoDoc, const QString& numDoc);
QString AbrevTipoDocumento(int tipoDoc);
QString ValorCasillaDet(const QString& casilla, const QString& numDoc, const QString& periodo,
                        const QString& formulario);

// Appends one line to Trace.txt of the current folder.
void GrabaTraza(const QString& texto);

// The coefficient as the receipt shows it, from the stored texts of boxes 609 and 610;
// valor keeps the last value read when 610 has none.
QString TextoCoeficiente(const QString& casilla609, const QString& casilla610, int anio, qint64& valor);

} // namespace zav::lote
