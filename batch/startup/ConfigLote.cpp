#include "batch/startup/ConfigLote.h"

#include "batch/startup/EstadoLote.h"
#include "common/BaseCompartida.h"
#include "common/Paths.h"
#include "common/Profile.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/process/ProgramEnd.h"
#include "platform/process/SingleInstance.h"
#include "platform/ui/MsgBox.h"

#include <QDir>
#include <QFileInfo>

namespace zav::lote {

namespace {

const QString kTituloConexion = QStringLiteral("Error de Conección");

[[noreturn]] void ErrorConexion(const dao::DaoError& e, const QString& textoBloqueo)
{
    MsgBox(TextoErrorConexion(e, textoBloqueo), 0, kTituloConexion);
    TerminaPrograma(1);
}

bool EsSeparador(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

} // namespace

QString NombrePrograma(ProgramaLote programa)
{
    switch (programa) {
    case ProgramaLote::Reporte:
        return QStringLiteral("0947REP");
    case ProgramaLote::Verificador:
        return QStringLiteral("0947CNSINF");
    case ProgramaLote::Instalador:
        break;
    }
    return QStringLiteral("TAB947");
}

std::unique_ptr<SingleInstance> ExigeInstanciaUnica(ProgramaLote programa)
{
    auto copia = std::make_unique<SingleInstance>();
    if (!copia->TryAcquire(NombrePrograma(programa))) {
        MsgBox(QStringLiteral("La aplicación ya se encuentra en Ejecución"), 64,
               QStringLiteral("Presentación Telemática"));
        TerminaPrograma(1);
    }
    return copia;
}

LineaComandoLote TomaLineaComando(const QString& linea)
{
    const LineaComandoLote campos = CortaLineaComando(linea);
    const QString rechazo = RechazoLineaComando(campos);
    if (!rechazo.isEmpty()) {
        MsgBox(rechazo, 16, QStringLiteral("Presentación Telemática"));
        TerminaPrograma(1);
    }
    return campos;
}

void LeerConfigLote(ProgramaLote programa)
{
    EstadoLote& l = Lote();
    l.SysPath = LeeOpcion(QStringLiteral("SysPath"));
    // Every file the program writes lives under SysPath: without it nothing has a place.
    const QString carpeta = ResolvePath(l.SysPath);
    if (l.SysPath.isEmpty() || !QFileInfo(carpeta).isDir() || !QDir::setCurrent(carpeta)) {
        MsgBox(l.SysPath.isEmpty()
                   ? QStringLiteral("No se ha definido la carpeta del ZAV (SysPath) en KZ000.INI.")
                   : QStringLiteral("No se puede acceder a la carpeta del ZAV (SysPath) %1").arg(l.SysPath),
               16, QStringLiteral("Error de Configuración"));
        TerminaPrograma(1);
    }
    l.RutaBD = LeeOpcion(QStringLiteral("DBPath")) + LeeOpcion(QStringLiteral("DBName"));
    if (programa == ProgramaLote::Verificador)
        AbrirBaseVerificador();
    else
        AbrirBaseReporte();
    l.RutaRpt = JoinPath(l.SysPath, QStringLiteral("RPT"));
    l.RutaTmp = JoinPath(l.SysPath, QStringLiteral("TMP"));
    l.Usuario = LeeOpcion(QStringLiteral("SysUser"));
}

bool AbrirBaseReporte()
{
    EstadoLote& l = Lote();
    try {
        l.Base = AbreBaseCompartida(l.RutaBD, l.SysPath);
    } catch (const dao::DaoError& e) {
        ErrorConexion(e, QStringLiteral("- Base esta bloqueda"));
    }
    return true;
}

bool AbrirBaseVerificador()
{
    EstadoLote& l = Lote();
    WritePrivateProfileString(QStringLiteral("Options"), QStringLiteral("SystemDB"),
                              JoinPath(l.SysPath, QStringLiteral("KZ000.MDW")), QStringLiteral("KZ000.INI"));
    try {
        l.Base = AbreBaseCompartida(l.RutaBD, l.SysPath);
    } catch (const dao::DaoError& e) {
        ErrorConexion(e, QStringLiteral("- Base esta bloqueda"));
    }
    return true;
}

bool AbrirBaseInstalador(const QString& ruta)
{
    EstadoLote& l = Lote();
    // The installer takes the database from the host folder; DBPath is not read.
    l.RutaBD = ruta + LeeOpcion(QStringLiteral("DBName"));
    try {
        l.Base = AbreBaseCompartida(l.RutaBD, ruta);
    } catch (const dao::DaoError& e) {
        ErrorConexion(e, QStringLiteral("- Base de datos esta bloqueda"));
    }
    return true;
}

bool ExisteArchivo(const QString& ruta)
{
    const QString p = Trim(ruta);
    qsizetype corte = -1;
    for (qsizetype i = p.size() - 1; i >= 0; --i) {
        if (EsSeparador(p.at(i))) {
            corte = i;
            break;
        }
    }
    if (corte >= 0 && !QFileInfo(ResolvePath(p.left(corte + 1))).isDir())
        return false;
    const QFileInfo archivo(ResolvePath(p));
    return archivo.isFile();
}

QString RutaEnRpt(const QString& nombre) { return ResolvePath(JoinPath(Lote().RutaRpt, nombre)); }

QString RutaEnTmp(const QString& nombre) { return ResolvePath(JoinPath(Lote().RutaTmp, nombre)); }

} // namespace zav::lote
