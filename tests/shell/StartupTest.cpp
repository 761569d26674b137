#include "ShellFixture.h"

#include "../support/LimiteArchivos.h"
#include "../support/SoloLecturaVfs.h"

#include "common/Profile.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "platform/process/SingleInstance.h"
#include "platform/process/WindowLister.h"
#include "platform/ui/Twips.h"
#include "shell/modulo/Configuracion.h"
#include "shell/MDIFrm.h"
#include "shell/Aplicacion.h"
#include "shell/Main.h"

#include <QFile>
#include <QFileInfo>

namespace {

using zav::ProgramEnded;

void SetOption(const QString& key, const QString& value)
{
    ASSERT_TRUE(zav::WritePrivateProfileString(QStringLiteral("Options"), key, value, QStringLiteral("KZ000.INI")));
}

QString Option(const QString& key)
{
    return zav::GetPrivateProfileString(QStringLiteral("Options"), key, QStringLiteral("<none>"),
                                        QStringLiteral("KZ000.INI"));
}

using StartupTest = ShellFixture;

TEST_F(StartupTest, ConfigurationJoinsAndTrimsTheKeys)
{
    const QString dbDir = QFileInfo(ws_.dbFile).absolutePath();
    SetOption(QStringLiteral("DBPath"), QStringLiteral("   ") + dbDir + QStringLiteral("/   "));
    SetOption(QStringLiteral("SysUser"), QString());
    LeerConfiguracion();
    const AppState& a = App();
    EXPECT_EQ(a.gSysPath, ws_.sysPath);
    EXPECT_EQ(a.gRutaBD, dbDir + QStringLiteral("/ZAV.MDB"));
    EXPECT_EQ(a.gRutaRpt, ws_.sysPath + QStringLiteral("RPT"));
    EXPECT_EQ(a.gUsuario, QString());
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(ws_.sysPath).canonicalPath());
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(StartupTest, UnusableSysPathEndsWithAClearMessage)
{
    for (const QString& sysPath : {QString(), tmp_.filePath(QStringLiteral("missing/"))}) {
        SetOption(QStringLiteral("SysPath"), sysPath);
        msgs_->Clear();
        EXPECT_THROW(LeerConfiguracion(), ProgramEnded) << sysPath.toStdString();
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error de Configuración"));
        EXPECT_TRUE(msgs_->Last().text.contains(QStringLiteral("SysPath")));
    }
}

TEST_F(StartupTest, AMissingConfigurationFileIsNamedWithTheFolderLookedIn)
{
    ASSERT_TRUE(QFile::remove(iniFile()));
    EXPECT_THROW(LeerConfiguracion(), ProgramEnded);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error de Configuración"));
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("No se encontró el archivo de configuración KZ000.INI en la carpeta ")
                                      + tmp_.filePath(QStringLiteral("windows")));
}

TEST_F(StartupTest, OpeningWritesSystemDbEveryTime)
{
    SetOption(QStringLiteral("SystemDB"), QStringLiteral("C:\\OTRO.MDW"));
    LeerConfiguracion();
    ASSERT_TRUE(AbrirBaseDatos());
    EXPECT_EQ(Option(QStringLiteral("SystemDB")), ws_.sysPath + QStringLiteral("KZ000.MDW"));
    ASSERT_TRUE(App().gBaseDatos);
    EXPECT_TRUE(App().gBaseDatos->TableExists(QStringLiteral("CAB")));
    EXPECT_EQ(msgs_->Count(), 0);
}

// A full disk at start: the configuration file stays whole, the user is told, and the
// database opens all the same.
TEST_F(StartupTest, AConfigurationThatCannotBeWrittenIsKeptAndReported)
{
    SetOption(QStringLiteral("SystemDB"), QStringLiteral("C:\\OTRO.MDW"));
    QFile ini(iniFile());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray antes = ini.readAll();
    ini.close();
    LeerConfiguracion();
    {
        LimiteArchivos lleno(10);
        ASSERT_TRUE(AbrirBaseDatos());
    }
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), antes);
    EXPECT_EQ(QDir(QFileInfo(iniFile()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(iniFile()).fileName()});
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().style, 48);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error de Configuración"));
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("No se pudo grabar el archivo de configuración ")
                                              + iniFile()))
        << msgs_->Last().text.toStdString();
    ASSERT_TRUE(App().gBaseDatos);
    EXPECT_TRUE(App().gBaseDatos->TableExists(QStringLiteral("CAB")));
}

TEST_F(StartupTest, FailedOpenShowsTheConnectionErrorAndEnds)
{
    struct Case {
        const char* what;
        std::function<QString()> prepare; // gives the DBName to use
        QString expected;
    };
    const QString dir = QFileInfo(ws_.dbFile).absolutePath();
    std::unique_ptr<dao::Database> holder;
    std::unique_ptr<SoloLecturaVfs> soloLectura;
    const Case cases[] = {
        {"missing file",
         [] { return QStringLiteral("NOHAY.MDB"); },
         dao::DaoError(3024, dir + QStringLiteral("/NOHAY.MDB")).Description + QStringLiteral("\n 3024")},
        {"not a database",
         [&] {
             QFile f(dir + QStringLiteral("/TEXTO.MDB"));
             f.open(QIODevice::WriteOnly);
             f.write(QByteArray(4096, 'x'));
             return QStringLiteral("TEXTO.MDB");
         },
         dao::DaoError(3343, dir + QStringLiteral("/TEXTO.MDB")).Description + QStringLiteral("\n 3343")},
        {"held exclusively",
         [&] {
             holder = dao::Database::Open(ws_.dbFile, true);
             return QStringLiteral("ZAV.MDB");
         },
         QStringLiteral(" 3051- Base esta bloqueda")},
        {"a folder of that name",
         [&] {
             QDir().mkpath(dir + QStringLiteral("/CARPETA.MDB"));
             return QStringLiteral("CARPETA.MDB");
         },
         QStringLiteral("El archivo '") + dir + QStringLiteral("/CARPETA.MDB' no es una base de datos.\n 3343")},
        {"a file it can only read",
         [&] {
             holder.reset();
             QFile::copy(ws_.dbFile, dir + QStringLiteral("/LECTURA.MDB"));
             soloLectura = std::make_unique<SoloLecturaVfs>(QStringLiteral("LECTURA.MDB"));
             return QStringLiteral("LECTURA.MDB");
         },
         QStringLiteral("No se puede grabar en la base de datos '") + dir
             + QStringLiteral("/LECTURA.MDB': el archivo o su carpeta es de solo lectura.\n 3027")},
    };
    for (const Case& c : cases) {
        SetOption(QStringLiteral("DBName"), c.prepare());
        ResetAppState();
        msgs_->Clear();
        LeerConfiguracion();
        EXPECT_THROW(AbrirBaseDatos(), ProgramEnded) << c.what;
        ASSERT_EQ(msgs_->Count(), 1) << c.what;
        EXPECT_EQ(msgs_->Last().style, 0) << c.what;
        EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error de Conección")) << c.what;
        EXPECT_EQ(msgs_->Last().text, c.expected) << c.what;
        EXPECT_FALSE(App().gBaseDatos) << c.what;
    }
    EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("/NOHAY.MDB")));
}

TEST_F(StartupTest, AnErrorNoHandlerTrapsIsShownBeforeTheProgramEnds)
{
    EXPECT_THROW(ErrorNoAtrapado(dao::DaoError(3078, QStringLiteral("CAB"))), ProgramEnded);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error"));
    EXPECT_EQ(msgs_->Last().text, dao::DaoError(3078, QStringLiteral("CAB")).Description + QStringLiteral("\n 3078"));
    EXPECT_EQ(end_->LastCode(), 1);
}

TEST_F(StartupTest, StatusBarPeriodShowsMonthAndYear)
{
    MDIFrm frm;
    const struct {
        const char* periodo;
        const char* shown;
    } cases[] = {{"201308", "08/2013"}, {"201305", "05/2013"}, {"2013", ""}, {"", ""}, {" 2013 ", ""}};
    for (const auto& c : cases) {
        frm.ActualizaBarraEstado(QStringLiteral("20000000001"), QStringLiteral("ACME"), QString::fromUtf8(c.periodo),
                                 QStringLiteral("0947"));
        EXPECT_EQ(frm.BarradeEstadoZAV1->periodo_ejercicio(), QString::fromUtf8(c.shown)) << c.periodo;
        EXPECT_EQ(frm.BarradeEstadoZAV1->numdoc(), QStringLiteral("20000000001"));
        EXPECT_EQ(frm.BarradeEstadoZAV1->formulario(), QStringLiteral("0947"));
    }
}

TEST_F(StartupTest, LoadPlacesTheWindowAndActivateResizesIt)
{
    MDIFrm frm;
    frm.MDIForm_Load();
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("0947 Morvath - v 1.6"));
    EXPECT_EQ(App().gFormulario, QStringLiteral("0947"));
    EXPECT_TRUE(App().gBaseDatos);
    EXPECT_EQ(App().gArchivoAyuda, ws_.sysPath + QStringLiteral("0947/Kz947.hlp"));
    EXPECT_EQ(frm.BarradeEstadoZAV1->formulario(), QStringLiteral("0947"));
    EXPECT_EQ(frm.BarradeEstadoZAV1->periodo_ejercicio(), QString());
    EXPECT_EQ(frm.size(), QSize(zav::TwipsToPixels(9555), zav::TwipsToPixels(7300)));
    EXPECT_EQ(frm.pos(), QPoint(0, 0));
    frm.MDIForm_Activate();
    EXPECT_EQ(frm.size(), QSize(zav::TwipsToPixels(9615), zav::TwipsToPixels(7215)));
    EXPECT_EQ(frm.pos(), QPoint(zav::TwipsToPixels(-60), zav::TwipsToPixels(-60)));
    EXPECT_EQ(frm.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint), 0);
}

TEST_F(StartupTest, EveryWayOutClosesTheDatabase)
{
    MDIFrm frm;
    frm.MDIForm_Load();
    ASSERT_TRUE(App().gBaseDatos);
    EXPECT_THROW(frm.mnuSalir_Click(), ProgramEnded);
    EXPECT_FALSE(App().gBaseDatos);
    EXPECT_FALSE(App().gUtil);
}

TEST_F(StartupTest, MainRefusesWithoutTheHostWindow)
{
    const struct {
        const char* what;
        QList<zav::TopLevelWindow> windows;
    } cases[] = {
        {"no windows", {}},
        {"hidden host", {{QStringLiteral("ZAV"), false, 0}}},
        {"other case", {{QStringLiteral("zav"), true, 0}}},
        {"extra blank", {{QStringLiteral("ZAV "), true, 0}}},
    };
    for (const auto& c : cases) {
        zav::FakeWindowLister lister(c.windows);
        zav::DefaultWindowListerScope scope(lister);
        msgs_->Clear();
        EXPECT_THROW(Main(), ProgramEnded) << c.what;
        ASSERT_EQ(msgs_->Count(), 1) << c.what;
        EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe ejecutar este módulo desde el Integrador del ZAV"));
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error al ejecutar el módulo"));
    }
}

TEST_F(StartupTest, MainRefusesASecondCopy)
{
    qputenv("XDG_RUNTIME_DIR", tmp_.path().toUtf8());
    zav::SingleInstance other(tmp_.path());
    ASSERT_TRUE(other.TryAcquire(QStringLiteral("KZ947")));
    zav::FakeWindowLister lister({{QStringLiteral("Otra"), true, 0}, {QStringLiteral("ZAV"), true, 0}});
    zav::DefaultWindowListerScope scope(lister);
    EXPECT_THROW(Main(), ProgramEnded);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("La Aplicación ya se encuentra en ejecución"));
    EXPECT_EQ(msgs_->Last().style, 64);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Quorvan"));
}

// No room for the lock file: the program says so, not that another copy runs, and ends
// with a failure.
TEST_F(StartupTest, MainSaysALockItCannotWrite)
{
    qputenv("XDG_RUNTIME_DIR", tmp_.path().toUtf8());
    zav::FakeWindowLister lister({{QStringLiteral("ZAV"), true, 0}});
    zav::DefaultWindowListerScope scope(lister);
    int codigo = -1;
    {
        LimiteArchivos lleno(0);
        try {
            Main();
        } catch (const ProgramEnded& e) {
            codigo = e.code;
        }
    }
    EXPECT_EQ(codigo, 1);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("No se puede escribir el archivo de bloqueo de la "
                                                              "aplicación ")))
        << msgs_->Last().text.toStdString();
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Quorvan"));
}

} // namespace
