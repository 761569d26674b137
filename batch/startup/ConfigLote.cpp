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
    FallaArranque(QStringLiteral("no se pudo abrir la base de datos %1").arg(Lote().RutaBD));
}

bool EsSeparador(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

} // namespace

void EstableceFallaArranque(std::function<void(const QString& razon)> alFallar, int estado)
{
    Lote().AlFallarArranque = std::move(alFallar);
    Lote().EstadoFallaArranque = estado;
}

void FallaArranque(const QString& razon)
{
    const EstadoLote& l = Lote();
    if (l.AlFallarArranque)
        l.AlFallarArranque(razon);
    TerminaPrograma(l.EstadoFallaArranque);
}

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
    switch (copia->Toma(NombrePrograma(programa))) {
    case SingleInstance::Resultado::Tomado: break;
    case SingleInstance::Resultado::OtraCopia:
        MsgBox(QStringLiteral("La aplicación ya se encuentra en Ejecución"), 64,
               QStringLiteral("Presentación Telemática"));
        FallaArranque(QStringLiteral("ya se está ejecutando otra copia de %1").arg(NombrePrograma(programa)));
    case SingleInstance::Resultado::NoSeEscribe:
        MsgBox(TextoBloqueoNoEscrito(copia->LockPath(NombrePrograma(programa)), copia->Error()), 16,
               QStringLiteral("Presentación Telemática"));
        FallaArranque(QStringLiteral("no se pudo escribir el archivo de bloqueo de %1").arg(NombrePrograma(programa)));
    }
    return copia;
}

LineaComandoLote TomaLineaComando(const QString& linea)
{
    const LineaComandoLote campos = CortaLineaComando(linea);
    const QString rechazo = RechazoLineaComando(campos);
    if (!rechazo.isEmpty()) {
        MsgBox(rechazo, 16, QStringLiteral("Presentación Telemática"));
        FallaArranque(QStringLiteral("la línea de comando no es válida"));
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
        const QString texto = l.SysPath.isEmpty()
                                  ? QStringLiteral("No se ha definido la carpeta del ZAV (SysPath) en KZ000.INI.")
                                  : QStringLiteral("No se puede acceder a la carpeta del ZAV (SysPath) %1")
                                        .arg(l.SysPath);
        MsgBox(texto, 16, QStringLiteral("Error de Configuración"));
        // The message's own words, as a clause.
        QString razon = texto.left(1).toLower() + texto.mid(1);
        if (razon.endsWith(QLatin1Char('.')))
            razon.chop(1);
        FallaArranque(razon);
    }
    // The work folders first: a program that cannot open its database still knows
    // where it answers.
    l.RutaRpt = JoinPath(l.SysPath, QStringLiteral("RPT"));
    l.RutaTmp = JoinPath(l.SysPath, QStringLiteral("TMP"));
    l.RutaBD = LeeOpcion(QStringLiteral("DBPath")) + LeeOpcion(QStringLiteral("DBName"));
    if (programa == ProgramaLote::Verificador)
        AbrirBaseVerificador();
    else
        AbrirBaseReporte();
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
    // The key is the host's: nothing of the check reads it, nor the opening below. A file
    // that cannot be written (a full disk) stays as it was, the user is told, and the
    // check goes on to its own outcome.
    QString error;
    if (!WritePrivateProfileString(QStringLiteral("Options"), QStringLiteral("SystemDB"),
                                   JoinPath(l.SysPath, QStringLiteral("KZ000.MDW")), QStringLiteral("KZ000.INI"),
                                   &error))
        MsgBox(QStringLiteral("No se pudo grabar la clave SystemDB en el archivo de configuración %1 (%2). El archivo "
                              "queda como estaba; verifique el espacio libre en el disco. La verificación continúa.")
                   .arg(ProfilePath(QStringLiteral("KZ000.INI")), error),
               48, QStringLiteral("Error de Configuración"));
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
