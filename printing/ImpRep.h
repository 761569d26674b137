#pragma once
// Writing the declaration report into its report file.
#include <QString>

// Writes the report of the kind gTipoReporte (2, the declaration) into gArchivo under the
// hourglass. True when the file was written whole; on a failure the message is shown
// (title "Impresión") and the caller must not preview or print the file.
bool ImprimirReporte(const QString& texto);

// The message of a printing error, title "Impresión": 482 no printer, 380 nothing to
// print, 20545 cancelled, any other number with its text.
void MensajeImpresion(int numero, const QString& descripcion);

// Opens gArchivo (emptied) and writes the five pages of one copy; raises the file's and
// the database's errors.
void ImprimeDeclaracion(const QString& ruc);

// The print dialog's steps for the declaration of gRuc/gPeriodo/gCorrel: the load, then in
// one registration the report written whole into gArchivo and its SPOOL row under
// "RCP001". The registered name, or "" when a step failed, after its message; nothing is
// then registered, no file is left and gArchivo is as it was.
QString GeneraReporteDeclaracion();
