#pragma once
// The filing receipt of a presented declaration: a report file registered in SPOOL, and
// a plain receipt that the host picks up as text.
#include "printing/report/RegistraSpool.h"

#include <QString>

namespace zav::lote {

inline constexpr const char* kCodRepConstancia = "RCP002";

// What GeneraConstancia left for the host.
struct Constancia {
    QString Base;            // the plain receipt's base name: form, period, week, receipt number
    bool Declarada = false;  // the declaration has a header row
    bool Escrita = false;    // the plain receipt is whole in the report folder
    bool Completa = false;   // no statement failed
    QString Motivo;          // why there is no receipt, when not Declarada
    QString Error;           // why the plain receipt was not written, when not Escrita
};

// Writes both receipts in the report folder for a declaration that has a header row; for
// one that has none nothing is written or registered. Each receipt is whole or not made:
// the report file and its SPOOL row go in together, and the plain receipt is written only
// with every line (a look-up or a write that fails leaves it out). What fails is skipped
// and the rest goes on; Completa is then false, and each failure has been said.
Constancia GeneraConstancia(const QString& tipoDoc, const QString& numDoc, const QString& formulario,
                            const QString& periodo, const QString& nroConstancia, const QString& semana);

// The seven header lines of one receipt page.
void CabeceraConstancia(const QString& pagina);

// The receipt's report file, written by escribe, and its new SPOOL row: the file's name
// (eight digits and ".PRN").
QString RegistraSpoolLote(const QString& codRep, const QString& tipoDoc, const QString& numDoc,
                          const rpt::EscritorReporte& escribe);

QString NombreContribuyente(int tipoDoc, const QString& numDoc);
QString AbrevTipoDocumento(int tipoDoc);
QString ValorCasillaDet(const QString& casilla, const QString& numDoc, const QString& periodo,
                        const QString& formulario);

// Appends one line to Trace.txt of the current folder (RutaTraza); raises when it is not
// written.
void GrabaTraza(const QString& texto);
QString RutaTraza();

// Why the program did not do all it should (a clause), in a box as the program's other
// errors: without a screen it goes to standard error.
void AvisaError(const QString& texto);

// The coefficient as the receipt shows it, from the stored texts of boxes 609 and 610;
// valor keeps the last value read when 610 has none.
QString TextoCoeficiente(const QString& casilla609, const QString& casilla610, int anio, qint64& valor);

} // namespace zav::lote
