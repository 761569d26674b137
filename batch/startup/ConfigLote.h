#pragma once
// Start-up shared by the batch programs: one copy per program, configuration, database.
#include "batch/startup/LineaComando.h"
#include "platform/process/SingleInstance.h"

#include <QString>

#include <functional>
#include <memory>

namespace zav::lote {

enum class ProgramaLote { Reporte, Verificador, Instalador };

// The name a program runs under ("0947REP", "0947CNSINF", "TAB947").
QString NombrePrograma(ProgramaLote programa);

// A failed start ends the program through FallaArranque: the program's own last step
// (none by default), then its status (1 by default).
void EstableceFallaArranque(std::function<void(const QString& razon)> alFallar, int estado);
[[noreturn]] void FallaArranque(const QString& razon);

// Ends the program when another copy of it is running, after the message.
// The copy is held for as long as the returned object lives.
std::unique_ptr<SingleInstance> ExigeInstanciaUnica(ProgramaLote programa);

// Cuts the line and ends the program (nothing written) when a field would name a file
// outside the work folders.
LineaComandoLote TomaLineaComando(const QString& linea);

// Reads the configuration of 0947REP or 0947CNSINF, makes SysPath the current folder,
// sets the work folders, opens the database and sets the run state. Ends the program on
// a failure; the work folders are set before the database is opened.
void LeerConfigLote(ProgramaLote programa);

// Each ends the program after the "Error de Conección" message when the database does
// not open; true otherwise. AbrirBaseVerificador first writes the SystemDB key: a write
// that fails is said, and the configuration file stays whole.
bool AbrirBaseReporte();
bool AbrirBaseVerificador();
bool AbrirBaseInstalador(const QString& ruta);

// True when the file exists. A path without a folder is looked for in the current one.
bool ExisteArchivo(const QString& ruta);

// The report folder's file of that name, whatever the case of an existing one.
QString RutaEnRpt(const QString& nombre);
QString RutaEnTmp(const QString& nombre);

} // namespace zav::lote
