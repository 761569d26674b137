// Start of the batch programs: one copy, configuration, database opening, file test.
#include "batch/check/BalVerifEnv0947.h"
#include "batch/install/TAB947.h"
#include "batch/startup/ConfigLote.h"
#include "batch/startup/EstadoLote.h"
#include "platform/db/Database.h"
#include "platform/process/SingleInstance.h"
#include "tests/batch/LoteFixture.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace zav::lote {
namespace {

using test::EntornoLote;

const QString kLinea = QStringLiteral("0620000000001    0947201305000012345");
const QString kNoVerificada = QStringLiteral("No se pudo verificar la información a enviar: ");

// The declaration kLinea names, stored.
void GrabaDeclaracion(const EntornoLote& e)
{
    dao::Database::Open(e.BaseDatos())
        ->Execute(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                                 "VALUES (6, '20000000001', '201305', '0947', 0, 0)"));
}

TEST(Arranque, CheckerReadsTheConfigurationAndWritesSystemDB)
{
    EntornoLote e;
    const QString sysPath = e.Inicia();
    GrabaDeclaracion(e);
    const QString cwd = QDir::currentPath();
    QString carpeta, rpt, tmp, bd, usuario;
    bool abierta = false;
    EXPECT_EQ(e.Ejecuta([&] {
                  const int s = BalVerifEnv0947_Main(kLinea);
                  carpeta = QDir::currentPath();
                  rpt = Lote().RutaRpt;
                  tmp = Lote().RutaTmp;
                  bd = Lote().RutaBD;
                  usuario = Lote().Usuario;
                  abierta = Lote().Base && Lote().Base->IsOpen();
                  return s;
              }),
              0);
    EXPECT_EQ(e.mensajes.Count(), 0) << e.mensajes.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(QDir(carpeta).canonicalPath(), QDir(sysPath).canonicalPath());
    EXPECT_EQ(QDir::currentPath(), cwd);
    EXPECT_EQ(rpt, sysPath + QStringLiteral("RPT"));
    EXPECT_EQ(tmp, sysPath + QStringLiteral("TMP"));
    EXPECT_EQ(bd, sysPath + QStringLiteral("ZAV.MDB"));
    EXPECT_EQ(usuario, EntornoLote::Opcion(QStringLiteral("SysUser")));
    EXPECT_TRUE(abierta);
    EXPECT_EQ(EntornoLote::Opcion(QStringLiteral("SystemDB")), sysPath + QStringLiteral("KZ000.MDW"));
}

TEST(Arranque, ASecondCopyEndsWithItsMessageBeforeReadingTheConfiguration)
{
    EntornoLote e;
    e.Inicia();
    GrabaDeclaracion(e);
    SingleInstance otra;
    ASSERT_TRUE(otra.TryAcquire(QStringLiteral("0947CNSINF")));
    EXPECT_EQ(e.Ejecuta([] { return BalVerifEnv0947_Main(kLinea); }), kEnvioSinVerificar);
    ASSERT_EQ(e.mensajes.Count(), 2);
    EXPECT_EQ(e.mensajes.Entries()[0].text, QStringLiteral("La aplicación ya se encuentra en Ejecución"));
    EXPECT_EQ(e.mensajes.Entries()[0].style, 64);
    EXPECT_EQ(e.mensajes.Entries()[0].title, QStringLiteral("Presentación Telemática"));
    EXPECT_TRUE(e.mensajes.Last().text.startsWith(kNoVerificada + QStringLiteral("ya se está ejecutando otra copia "
                                                                                 "de 0947CNSINF.")));
    EXPECT_EQ(EntornoLote::Opcion(QStringLiteral("SystemDB")), QStringLiteral("<ninguno>"));

    // The copy is per program: another program's lock does not stop this one.
    otra.Release();
    ASSERT_TRUE(otra.TryAcquire(QStringLiteral("0947REP")));
    e.mensajes.Clear();
    EXPECT_EQ(e.Ejecuta([] { return BalVerifEnv0947_Main(kLinea); }), 0);
    EXPECT_EQ(e.mensajes.Count(), 0);
}

TEST(Arranque, ALineNamingAnotherFolderEndsBeforeAnythingIsWritten)
{
    EntornoLote e;
    e.Inicia();
    EXPECT_EQ(e.Ejecuta([] { return BalVerifEnv0947_Main(QStringLiteral("0620000000001    0947201305/..12345")); }),
              kEnvioSinVerificar);
    ASSERT_EQ(e.mensajes.Count(), 2);
    EXPECT_EQ(e.mensajes.Entries()[0].style, 16);
    EXPECT_TRUE(e.mensajes.Entries()[0].text.contains(QStringLiteral("semana")))
        << e.mensajes.Entries()[0].text.toStdString();
    EXPECT_EQ(e.mensajes.Last().text, kNoVerificada + QStringLiteral("la línea de comando no es válida."));
    EXPECT_EQ(EntornoLote::Opcion(QStringLiteral("SystemDB")), QStringLiteral("<ninguno>"));
    EXPECT_EQ(QDir(e.Host(QStringLiteral("TMP"))).entryList(QDir::Files), QStringList{QStringLiteral("env947.txt")});
}

TEST(Arranque, AShortOrEmptyLineGoesOn)
{
    EntornoLote e;
    e.Inicia();
    // Nothing refuses them at the start; past it they name no stored declaration, so the
    // check cannot pass.
    EXPECT_EQ(e.Ejecuta([] { return BalVerifEnv0947_Main(QStringLiteral("06200")); }), kEnvioSinVerificar);
    ASSERT_EQ(e.mensajes.Count(), 1);
    EXPECT_TRUE(e.mensajes.Last().text.startsWith(kNoVerificada + QStringLiteral("la declaración 200 del periodo  no "
                                                                                 "está grabada.")))
        << e.mensajes.Last().text.toStdString();
    e.mensajes.Clear();
    EXPECT_EQ(e.Ejecuta([] { return BalVerifEnv0947_Main(QString()); }), kEnvioSinVerificar);
    ASSERT_EQ(e.mensajes.Count(), 1);
    EXPECT_EQ(e.mensajes.Last().text,
              kNoVerificada + QStringLiteral("la declaración  del periodo  no está grabada."));
}

struct CasoConfig {
    const char* nombre;
    std::function<void(EntornoLote&)> prepara;
    QString texto; // "%1": the host folder
    int estilo;
    QString titulo;
};

TEST(Arranque, ConfigurationAndDatabaseFailuresEndWithTheirMessage)
{
    const QString kConexion = QStringLiteral("Error de Conección");
    const std::vector<CasoConfig> casos{
        {"no SysPath", [](EntornoLote&) { EntornoLote::Opcion(QStringLiteral("SysPath"), QString()); },
         QStringLiteral("No se ha definido la carpeta del ZAV (SysPath) en KZ000.INI."), 16,
         QStringLiteral("Error de Configuración")},
        {"SysPath names no folder",
         [](EntornoLote& e) { EntornoLote::Opcion(QStringLiteral("SysPath"), e.Ruta(QStringLiteral("nada/"))); },
         QStringLiteral("No se puede acceder a la carpeta del ZAV (SysPath) %1"), 16,
         QStringLiteral("Error de Configuración")},
        {"missing database", [](EntornoLote&) { EntornoLote::Opcion(QStringLiteral("DBName"), QStringLiteral("X.MDB")); },
         QStringLiteral("\n 3024"), 0, kConexion},
    };
    for (const CasoConfig& c : casos) {
        EntornoLote e;
        e.Inicia();
        c.prepara(e);
        const QString sysPath = EntornoLote::Opcion(QStringLiteral("SysPath"));
        EXPECT_EQ(e.Ejecuta([] { return BalVerifEnv0947_Main(kLinea); }), kEnvioSinVerificar) << c.nombre;
        // The failure's message, then the checker's own: the declaration was not checked.
        ASSERT_EQ(e.mensajes.Count(), 2) << c.nombre;
        const auto& m = e.mensajes.Entries()[0];
        if (c.texto.startsWith(QLatin1Char('\n'))) {
            // The engine's description of the missing file, a line feed, the number.
            EXPECT_TRUE(m.text.endsWith(c.texto)) << m.text.toStdString();
            EXPECT_GT(m.text.size(), c.texto.size());
        } else {
            EXPECT_EQ(m.text, c.texto.contains(QLatin1String("%1")) ? c.texto.arg(sysPath) : c.texto) << c.nombre;
        }
        EXPECT_EQ(m.style, c.estilo) << c.nombre;
        EXPECT_EQ(m.title, c.titulo) << c.nombre;
        EXPECT_TRUE(e.mensajes.Last().text.startsWith(kNoVerificada)) << e.mensajes.Last().text.toStdString();
    }
}

TEST(Arranque, ALockedDatabaseEndsEachProgramWithItsOwnText)
{
    EntornoLote e;
    e.Inicia();
    auto bloqueo = dao::Database::Open(e.BaseDatos(), true);
    EXPECT_EQ(e.Ejecuta([] { return BalVerifEnv0947_Main(kLinea); }), kEnvioSinVerificar);
    EXPECT_EQ(e.Ejecuta([] { return TAB947_Main(); }), 1);
    ASSERT_EQ(e.mensajes.Count(), 3);
    EXPECT_EQ(e.mensajes.Entries()[0].text, QStringLiteral(" 3051- Base esta bloqueda"));
    EXPECT_TRUE(e.mensajes.Entries()[1].text.startsWith(kNoVerificada));
    EXPECT_EQ(e.mensajes.Entries()[2].text, QStringLiteral(" 3051- Base de datos esta bloqueda"));
    for (int i : {0, 2}) {
        EXPECT_EQ(e.mensajes.Entries()[i].title, QStringLiteral("Error de Conección"));
        EXPECT_EQ(e.mensajes.Entries()[i].style, 0);
    }
}

TEST(Arranque, InstallerStart)
{
    {
        EntornoLote e;
        e.Inicia();
        // The installer takes the database from the host folder, whatever DBPath says,
        // and a doubled final separator counts once.
        EntornoLote::Opcion(QStringLiteral("DBPath"), e.Ruta(QStringLiteral("otra/")));
        EntornoLote::Opcion(QStringLiteral("SysPath"), e.SysPath() + QStringLiteral("/"));
        QString bd;
        EXPECT_EQ(e.Ejecuta([&] {
                      const int s = TAB947_Main();
                      bd = Lote().RutaBD;
                      return s;
                  }),
                  0);
        EXPECT_EQ(bd, e.BaseDatos());
        EXPECT_EQ(e.mensajes.Count(), 0);
        EXPECT_EQ(EntornoLote::Opcion(QStringLiteral("SystemDB")), QStringLiteral("<ninguno>"));
    }
    {
        EntornoLote e;
        e.Inicia();
        EntornoLote::Opcion(QStringLiteral("SysPath"), QStringLiteral("   "));
        EXPECT_EQ(e.Ejecuta([] { return TAB947_Main(); }), 1);
        ASSERT_EQ(e.mensajes.Count(), 1);
        EXPECT_EQ(e.mensajes.Last().text, QStringLiteral("Debe instalar primero el ZAV "));
        EXPECT_EQ(e.mensajes.Last().style, 64);
        EXPECT_EQ(e.mensajes.Last().title, QStringLiteral("Mensaje"));
    }
    {
        // No database name: the host folder itself is no database.
        EntornoLote e;
        e.Inicia();
        EntornoLote::Opcion(QStringLiteral("DBName"), QString());
        EXPECT_EQ(e.Ejecuta([] { return TAB947_Main(); }), 1);
        ASSERT_EQ(e.mensajes.Count(), 1);
        EXPECT_EQ(e.mensajes.Last().title, QStringLiteral("Error de Conección"));
    }
}

TEST(Arranque, ExisteArchivo)
{
    EntornoLote e;
    const QString sysPath = e.Inicia();
    ASSERT_TRUE(test::EscribeArchivo(sysPath + QStringLiteral("RPT/00000001.PRN"), QStringLiteral("x")));
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(sysPath));
    const std::vector<std::pair<QString, bool>> casos{
        {sysPath + QStringLiteral("RPT/00000001.PRN"), true},
        {sysPath + QStringLiteral("rpt\\00000001.prn"), true},
        {QStringLiteral("  ") + sysPath + QStringLiteral("RPT/00000001.PRN  "), true},
        {sysPath + QStringLiteral("RPT/00000002.PRN"), false},
        {sysPath + QStringLiteral("NADA/00000001.PRN"), false},
        {sysPath + QStringLiteral("RPT"), false},
        {sysPath + QStringLiteral("RPT/"), false},
        {QStringLiteral("ZAV.MDB"), true},
        {QStringLiteral("zav.mdb"), true},
        {QStringLiteral("RPT"), false},
        {QString(), false},
    };
    for (const auto& [ruta, existe] : casos)
        EXPECT_EQ(ExisteArchivo(ruta), existe) << ruta.toStdString();
    QDir::setCurrent(cwd);
    EXPECT_EQ(e.mensajes.Count(), 0);
}

} // namespace
} // namespace zav::lote
