// The programs started as the host starts them, after a kill: a lock left in the runtime
// folder (or a disk where no lock can be written), temporary files left in the folders
// the programs write.
#include "common/ArchivoAtomico.h"
#include "tests/integrador/TestDb.h"
#include "tests/support/LimiteArchivos.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kDoc = QStringLiteral("20100070970");
const QString kLinea = QStringLiteral("0620100070970    0947201305000012345");
const QString kOtraCopia = QStringLiteral("La aplicación ya se encuentra en Ejecución");
const QString kNoSeEscribe = QStringLiteral("No se puede escribir el archivo de bloqueo de la aplicación");

struct Salida {
    int status = -1;
    QString out;
    QString err;
};

class TrasUnKill : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        QDir().mkpath(Run());
        QFile::setPermissions(Run(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("WINDIR"), tmp_.filePath(QStringLiteral("windows")));
        env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), Run());
        env_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const Salida init =
            Corre(QStringLiteral(PROGRAMA_INTEGRADOR), {QStringLiteral("init"), Host(), QStringLiteral("--demo")});
        ASSERT_EQ(init.status, 0) << init.err.toStdString();
        // A declaration the check passes and the receipt describes.
        test_db_ = std::make_unique<integrador::test::TestDb>(Host() + QStringLiteral("/ZAV.MDB"));
        ASSERT_EQ(test_db_->exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, "
                                                "estado, cNumero) VALUES (6, ?1, '201305', '0947', 0, 0, 'x')"),
                                 {kDoc}),
                  SQLITE_DONE);
        ASSERT_EQ(test_db_->exec(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, "
                                                "CASILLA, i_valor) VALUES (6, ?1, '201305', '0947', 0, '473', '0')"),
                                 {kDoc}),
                  SQLITE_DONE);
    }

    QString Run() const { return tmp_.filePath(QStringLiteral("run")); }
    QString Host() const { return tmp_.filePath(QStringLiteral("host")); }

    // A lock file as a process killed right after making it leaves it: empty.
    void LockVacio(const QString& programa)
    {
        QFile f(Run() + QLatin1Char('/') + programa + QStringLiteral(".lock"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    }

    Salida Corre(const QString& programa, const QStringList& args, rlim_t limite = RLIM_INFINITY)
    {
        QProcess p;
        p.setProcessEnvironment(env_);
        if (limite != RLIM_INFINITY)
            LimitaArchivosDe(p, limite);
        p.start(programa, args);
        Salida s;
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << programa.toStdString() << " did not end";
            return s;
        }
        s.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        s.out = QString::fromUtf8(p.readAllStandardOutput());
        s.err = QString::fromUtf8(p.readAllStandardError());
        return s;
    }

    QTemporaryDir tmp_;
    QProcessEnvironment env_;
    std::unique_ptr<integrador::test::TestDb> test_db_;
};

TEST_F(TrasUnKill, AnEmptyLockLeftByAKillStopsNoProgram)
{
    LockVacio(QStringLiteral("0947REP"));
    const Salida rep = Corre(QStringLiteral(PROGRAMA_0947REP), {kLinea});
    EXPECT_EQ(rep.status, 0) << rep.err.toStdString();
    EXPECT_FALSE(rep.err.contains(kOtraCopia)) << rep.err.toStdString();
    EXPECT_TRUE(QFile::exists(Host() + QStringLiteral("/TMP/0947201305000012345.TXT")));

    LockVacio(QStringLiteral("0947CNSINF"));
    const Salida cns = Corre(QStringLiteral(PROGRAMA_0947CNSINF), {kLinea});
    EXPECT_EQ(cns.status, 0) << cns.err.toStdString();
    EXPECT_FALSE(cns.err.contains(kOtraCopia)) << cns.err.toStdString();

    // The host's send runs the check first: the same lock does not stop it.
    LockVacio(QStringLiteral("0947CNSINF"));
    const Salida envio = Corre(QStringLiteral(PROGRAMA_INTEGRADOR), {QStringLiteral("send"), kDoc,
                                                                      QStringLiteral("201305")});
    EXPECT_EQ(envio.status, 0) << envio.err.toStdString();
    EXPECT_TRUE(envio.out.contains(QStringLiteral("Correlativo="))) << envio.out.toStdString();

    // Each left its lock to the next run, none behind it.
    EXPECT_EQ(QDir(Run()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

// No room for the lock file: the program says that, not that another copy runs, and its
// status is a failure.
TEST_F(TrasUnKill, ALockThatCannotBeWrittenIsSaidAsSuch)
{
    const struct {
        const char* programa;
        int status;
    } casos[] = {{PROGRAMA_0947REP, 1}, {PROGRAMA_0947CNSINF, 2}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.programa);
        const Salida s = Corre(QString::fromUtf8(c.programa), {kLinea}, 0);
        EXPECT_EQ(s.status, c.status) << s.err.toStdString();
        EXPECT_TRUE(s.err.contains(kNoSeEscribe)) << s.err.toStdString();
        EXPECT_TRUE(s.err.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << s.err.toStdString();
        EXPECT_FALSE(s.err.contains(kOtraCopia)) << s.err.toStdString();
    }
    EXPECT_EQ(QDir(Run()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

// Kills of the programs while they write leave NAME.~ and eight hexadecimal digits in RPT,
// TMP and the Windows folder. The next run removes them where it writes, and leaves a
// temporary file a live writer holds.
TEST_F(TrasUnKill, TemporaryFilesOfKilledRunsGoAtTheNextRun)
{
    const QString rpt = Host() + QStringLiteral("/RPT/");
    const QString tmp = Host() + QStringLiteral("/TMP/");
    const QString windows = env_.value(QStringLiteral("WINDIR")) + QLatin1Char('/');
    // The check writes the workgroup key once; a value changed since makes it write again.
    ASSERT_EQ(Corre(QStringLiteral(PROGRAMA_0947CNSINF), {kLinea}).status, 0);
    QFile ini(windows + QStringLiteral("KZ000.INI"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QByteArray config = ini.readAll();
    ini.close();
    ASSERT_TRUE(config.contains("SystemDB="));
    config.replace("SystemDB=", "SystemDB=otro");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(config);
    ini.close();

    const QStringList huerfanos{rpt + QStringLiteral("00000001.PRN.~0badf00d"),
                                rpt + QStringLiteral("0947201305000012345.PRN.~12345678"),
                                rpt + QStringLiteral("0947201305000012345.txt.~00c0ffee"),
                                tmp + QStringLiteral("0947201305000012345.TXT.~abcdef01"),
                                windows + QStringLiteral("KZ000.INI.~1234abcd")};
    for (const QString& h : huerfanos) {
        QFile f(h);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << h.toStdString();
        f.write("a medias");
    }
    zav::ArchivoAtomico vivo(rpt + QStringLiteral("00000099.PRN"));
    ASSERT_TRUE(vivo.Abre());

    const Salida rep = Corre(QStringLiteral(PROGRAMA_0947REP), {kLinea});
    EXPECT_EQ(rep.status, 0) << rep.err.toStdString();
    const Salida cns = Corre(QStringLiteral(PROGRAMA_0947CNSINF), {kLinea});
    EXPECT_EQ(cns.status, 0) << cns.err.toStdString();
    for (const QString& h : huerfanos)
        EXPECT_FALSE(QFile::exists(h)) << h.toStdString();
    EXPECT_TRUE(QFile::exists(vivo.Temporal()));
    ASSERT_TRUE(vivo.Escribe(QByteArray("entero")));
    EXPECT_TRUE(vivo.Confirma());
    EXPECT_TRUE(QFile::exists(rpt + QStringLiteral("00000099.PRN")));
}

} // namespace
