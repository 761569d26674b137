// A file replaced whole: what is left after a failure, the replaced file's mode, and the
// temporary files a killed writer leaves.
#include "common/ArchivoAtomico.h"

#include "tests/support/LimiteArchivos.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zav;

namespace {

QString Razon(int numero) { return QString::fromLocal8Bit(std::strerror(numero)); }

class ArchivoAtomicoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString ruta(const QString& nombre = QStringLiteral("00000001.PRN")) const { return dir_.filePath(nombre); }
    QStringList archivos() const
    {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                                          QDir::Name);
    }
    static void pon(const QString& ruta, const QByteArray& bytes)
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray lee(const QString& ruta)
    {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no existe>");
    }
    static mode_t modo(const QString& ruta)
    {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(ruta).constData(), &st), 0);
        return st.st_mode & 07777;
    }

    QTemporaryDir dir_;
};

// The writer still holds its object after the failure: its temporary file is gone at
// once, the target is what it was, and the system's reason is kept.
TEST_F(ArchivoAtomicoTest, AFailedWriteOrRenameLeavesTheTargetAndNoTemporaryFile)
{
    const QByteArray antes("el anterior\r\n");
    pon(ruta(), antes);
    for (rlim_t limite : {rlim_t(0), rlim_t(100)}) {
        ArchivoAtomico a(ruta());
        bool escrito = true;
        {
            LimiteArchivos lleno(limite);
            ASSERT_TRUE(a.Abre()) << limite;
            escrito = a.Escribe(QByteArray(1000, 'x'));
        }
        EXPECT_FALSE(escrito) << limite;
        EXPECT_EQ(a.Error(), Razon(EFBIG)) << limite;
        EXPECT_FALSE(a.EstaAbierto()) << limite;
        EXPECT_EQ(archivos(), QStringList{QStringLiteral("00000001.PRN")}) << limite;
        EXPECT_EQ(lee(ruta()), antes) << limite;
        EXPECT_FALSE(a.Confirma()) << "nothing left to confirm";
    }

    // The rename fails: a folder took the target's name while the file was written.
    const QString otro = ruta(QStringLiteral("00000002.PRN"));
    ArchivoAtomico a(otro);
    ASSERT_TRUE(a.Abre());
    ASSERT_TRUE(a.Escribe(QByteArray("nuevo")));
    ASSERT_TRUE(QDir().mkpath(otro + QStringLiteral("/estorbo")));
    EXPECT_FALSE(a.Confirma());
    EXPECT_EQ(a.Error(), Razon(EISDIR));
    EXPECT_EQ(archivos(), (QStringList{QStringLiteral("00000001.PRN"), QStringLiteral("00000002.PRN")}));
    EXPECT_TRUE(QFileInfo(otro).isDir());

    QString error;
    EXPECT_FALSE(EscribeArchivoEntero(otro, "x", &error));
    EXPECT_EQ(error, Razon(EISDIR));
}

// The replacement keeps the mode of the file it replaces, whatever the process's default;
// a new file takes that default.
TEST_F(ArchivoAtomicoTest, TheReplacedFileKeepsItsMode)
{
    const mode_t mascara = ::umask(022);
    for (mode_t m : {mode_t(0600), mode_t(0640), mode_t(0664), mode_t(0755), mode_t(0444), mode_t(02750)}) {
        SCOPED_TRACE(m);
        pon(ruta(), "antes");
        ASSERT_EQ(::chmod(QFile::encodeName(ruta()).constData(), m), 0);
        ASSERT_TRUE(EscribeArchivoEntero(ruta(), "despues"));
        EXPECT_EQ(lee(ruta()), "despues");
        EXPECT_EQ(modo(ruta()), m);
    }
    ASSERT_TRUE(EscribeArchivoEntero(ruta(QStringLiteral("nuevo.TXT")), "x"));
    EXPECT_EQ(modo(ruta(QStringLiteral("nuevo.TXT"))), mode_t(0644));
    ::umask(mascara);
}

// A writer killed half way leaves NAME.~ and eight hexadecimal digits. The next write in
// that folder removes those nobody holds, and only those: a live writer's, in this
// process or another, stays and is still put in place; names of other shapes and other
// folders are not touched.
TEST_F(ArchivoAtomicoTest, TemporaryFilesOfKilledWritersGoAtTheNextWriteOfTheFolder)
{
    const QStringList huerfanos{QStringLiteral("00000001.PRN.~0badf00d"), QStringLiteral("KZ000.INI.~12345678"),
                                QStringLiteral("0947201305000012345.TXT.~00000000")};
    const QStringList ajenos{QStringLiteral("notas.~1234567"),      QStringLiteral("notas.~ABCDEF12"),
                             QStringLiteral("notas.~1234567g"),     QStringLiteral(".~12345678"),
                             QStringLiteral("notas.~123456789"),    QStringLiteral("notas.txt"),
                             QStringLiteral("00000009.PRN.part")};
    for (const QString& n : huerfanos + ajenos)
        pon(ruta(n), "resto");
    ASSERT_TRUE(QDir().mkpath(ruta(QStringLiteral("sub.~abcdef01"))));
    ASSERT_TRUE(QDir().mkpath(ruta(QStringLiteral("RPT"))));
    pon(ruta(QStringLiteral("RPT/00000003.PRN.~abcdef01")), "resto");

    // A live writer in another process, and one in this process.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t hijo = fork();
    if (hijo == 0) {
        close(fds[0]);
        static ArchivoAtomico otro(ruta(QStringLiteral("00000007.PRN")));
        const char ok = otro.Abre() && otro.Escribe(QByteArray("del otro")) ? '1' : '0';
        (void)!write(fds[1], &ok, 1);
        pause();
        _exit(0);
    }
    close(fds[1]);
    char ok = 0;
    EXPECT_EQ(read(fds[0], &ok, 1), 1);
    close(fds[0]);
    ASSERT_EQ(ok, '1');
    ArchivoAtomico propio(ruta(QStringLiteral("00000008.PRN")));
    ASSERT_TRUE(propio.Abre());
    const QStringList antes = archivos();

    ASSERT_TRUE(EscribeArchivoEntero(ruta(QStringLiteral("00000010.PRN")), "nuevo"));
    QStringList esperados = antes;
    for (const QString& n : huerfanos)
        esperados.removeAll(n);
    esperados << QStringLiteral("00000010.PRN");
    esperados.sort();
    EXPECT_EQ(archivos(), esperados);
    EXPECT_TRUE(QFile::exists(ruta(QStringLiteral("RPT/00000003.PRN.~abcdef01")))) << "another folder";

    ASSERT_TRUE(propio.Escribe(QByteArray("propio")));
    EXPECT_TRUE(propio.Confirma());
    EXPECT_EQ(lee(ruta(QStringLiteral("00000008.PRN"))), "propio");
    kill(hijo, SIGKILL);
    waitpid(hijo, nullptr, 0);

    // Its writer killed, the other process's temporary file goes at the next write.
    ASSERT_TRUE(EscribeArchivoEntero(ruta(QStringLiteral("00000011.PRN")), "nuevo"));
    for (const QString& n : archivos())
        EXPECT_FALSE(n.startsWith(QStringLiteral("00000007.PRN"))) << n.toStdString();
}

} // namespace
