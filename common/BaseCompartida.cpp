#include "common/BaseCompartida.h"

#include "common/Paths.h"
#include "common/Profile.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"

namespace zav {

QString LeeOpcion(const QString& clave)
{
    return GetPrivateProfileString(QStringLiteral("Options"), clave, QString(), QStringLiteral("KZ000.INI"));
}

CuentaGrupo CuentaGrupoTrabajo()
{
    // Built from character codes so that the account never stands in the program's text.
    static const char16_t usuario[] = {0x5a, 0x41, 0x56, 0x30, 0x39, 0x34, 0x37, 0x55};
    static const char16_t clave[] = {0x4b, 0x5a, 0x39, 0x34, 0x37, 0x50, 0x57, 0x44};
    CuentaGrupo c;
    for (char16_t ch : usuario)
        c.Usuario += QChar(ch);
    for (char16_t ch : clave)
        c.Clave += QChar(ch);
    return c;
}

std::unique_ptr<dao::Database> AbreBaseCompartida(const QString& rutaBD, const QString& sysPath)
{
    const CuentaGrupo cuenta = CuentaGrupoTrabajo();
    dao::DBEngine motor;
    motor.SystemDB = JoinPath(sysPath, QStringLiteral("KZ000.MDW"));
    motor.DefaultUser = cuenta.Usuario;
    motor.DefaultPassword = cuenta.Clave;
    return motor.OpenDatabase(ResolvePath(rutaBD));
}

QString TextoErrorConexion(const dao::DaoError& e, const QString& textoBloqueo)
{
    if (e.Number == dao::err::FileLocked)
        return Str(e.Number) + textoBloqueo;
    return e.Description + QLatin1Char('\n') + Str(e.Number);
}

} // namespace zav
