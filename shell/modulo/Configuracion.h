#pragma once
// Start-up configuration of KZ947: KZ000.INI and the one database connection.

// Fills gSysPath, gRutaBD, gRutaRpt and gUsuario and makes SysPath the current folder.
// A SysPath that names no folder ends the program with a message.
void LeerConfiguracion();

// Opens gRutaBD into gBaseDatos. On failure shows "Error de Conección" and ends the
// program, so a caller never sees false.
bool AbrirBaseDatos();
