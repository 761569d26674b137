#include "shell/modulo/Configuracion.h"

#include "common/BaseCompartida.h"
#include "common/Paths.h"
#include "common/Profile.h"
#include "platform/db/Database.h"
#include "platform/process/ProgramEnd.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"

#include <QDir>
#include <QFileInfo>

void LeerConfiguracion()
{
    AppState& a = App();
    // Without the file every key reads empty: say which file was looked for, and where.
    const QString ini = zav::ProfilePath(QStringLiteral("KZ000.INI"));
    if (!QFileInfo(ini).isFile()) {
        zav::MsgBox(QStringLiteral("No se encontró el archivo de configuración KZ000.INI en la carpeta %1")
                        .arg(QFileInfo(ini).absolutePath()),
                    16, QStringLiteral("Error de Configuración"));
        zav::TerminaPrograma(1);
    }
    a.gSysPath = zav::LeeOpcion(QStringLiteral("SysPath"));
    const QString carpeta = zav::ResolvePath(a.gSysPath);
    // Every work file lives under SysPath: without it nothing the module writes has a place.
    if (a.gSysPath.isEmpty() || !QFileInfo(carpeta).isDir() || !QDir::setCurrent(carpeta)) {
        zav::MsgBox(a.gSysPath.isEmpty()
                        ? QStringLiteral("No se ha definido la carpeta del ZAV (SysPath) en KZ000.INI.")
                        : QStringLiteral("No se puede acceder a la carpeta del ZAV (SysPath) %1").arg(a.gSysPath),
                    16, QStringLiteral("Error de Configuración"));
        zav::TerminaPrograma(1);
    }
    a.gRutaBD = zav::LeeOpcion(QStringLiteral("DBPath"));
    a.gRutaBD = a.gRutaBD + zav::LeeOpcion(QStringLiteral("DBName"));
    a.gRutaRpt = zav::JoinPath(a.gSysPath, QStringLiteral("RPT"));
    a.gUsuario = zav::LeeOpcion(QStringLiteral("SysUser"));
}

bool AbrirBaseDatos()
{
    AppState& a = App();
    try {
        // The key is not needed to open the database: a file that cannot be written (a full
        // disk) is kept as it was and the user is told, and the program goes on.
        QString error;
        if (!zav::WritePrivateProfileString(QStringLiteral("Options"), QStringLiteral("SystemDB"),
                                            zav::JoinPath(a.gSysPath, QStringLiteral("KZ000.MDW")),
                                            QStringLiteral("KZ000.INI"), &error))
            zav::MsgBox(QStringLiteral("No se pudo grabar el archivo de configuración %1 (%2). "
                                       "El archivo queda como estaba; verifique el espacio libre en el disco.")
                            .arg(zav::ProfilePath(QStringLiteral("KZ000.INI")), error),
                        48, QStringLiteral("Error de Configuración"));
        a.gBaseDatos = zav::AbreBaseCompartida(a.gRutaBD, a.gSysPath);
        return true;
    } catch (const dao::DaoError& e) {
        zav::MsgBox(zav::TextoErrorConexion(e), 0, QStringLiteral("Error de Conección"));
        zav::TerminaPrograma(1);
    }
}
