#pragma once
// What every program does to reach the shared configuration and database.
#include <QString>

#include <memory>

namespace dao {
class Database;
class DaoError;
}

namespace zav {

// One key of section "Options" of KZ000.INI; "" when absent.
QString LeeOpcion(const QString& clave);

// The workgroup account, built at run time and never stored.
struct CuentaGrupo {
    QString Usuario;
    QString Clave;
};
CuentaGrupo CuentaGrupoTrabajo();

// Opens rutaBD (shared, not read-only) with the workgroup file of sysPath. Throws
// dao::DaoError; a missing file is an error, it is never created.
std::unique_ptr<dao::Database> AbreBaseCompartida(const QString& rutaBD, const QString& sysPath);

// The "Error de Conección" text: for 3051 the number with its leading blank followed by
// textoBloqueo, otherwise the description, a line feed and the number.
QString TextoErrorConexion(const dao::DaoError& e,
                           const QString& textoBloqueo = QStringLiteral("- Base esta bloqueda"));

} // namespace zav
