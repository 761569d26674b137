// Making a host folder: its subfolders, its database and KZ000.INI.
#include "common/Profile.h"
#include "integrador/Workspace.h"
#include "tests/integrador/TestDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace integrador {
namespace {

class WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        hadWindir_ = qEnvironmentVariableIsSet("WINDIR");
        oldWindir_ = qgetenv("WINDIR");
        windows_ = tmp_.filePath(QStringLiteral("windows"));
        qputenv("WINDIR", QFile::encodeName(windows_));
        host_ = tmp_.filePath(QStringLiteral("host"));
    }
    void TearDown() override
    {
        if (hadWindir_)
            qputenv("WINDIR", oldWindir_);
        else
            qunsetenv("WINDIR");
    }

    QString ini(const QString& key) const
    {
        return zav::GetPrivateProfileString(QStringLiteral("Options"), key, QStringLiteral("<none>"),
                                            QStringLiteral("KZ000.INI"));
    }

    QTemporaryDir tmp_;
    QString windows_;
    QString host_;
    bool hadWindir_ = false;
    QByteArray oldWindir_;
};

TEST_F(WorkspaceTest, InitMakesTheFoldersTheDatabaseAndTheConfiguration)
{
    const InitResult r = InitWorkspace(host_, true);
    ASSERT_TRUE(r.ok) << r.message.toStdString();

    for (const char* sub : {"RPT", "TMP", "0947"})
        EXPECT_TRUE(QFileInfo(QDir(host_).filePath(QString::fromLatin1(sub))).isDir()) << sub;
    EXPECT_FALSE(QFileInfo::exists(QDir(host_).filePath(QStringLiteral("tmp"))));
    EXPECT_TRUE(QFileInfo::exists(QDir(windows_).filePath(QStringLiteral("KZ000.INI"))));

    const QString sysPath = QDir(host_).absolutePath() + QLatin1Char('/');
    EXPECT_EQ(ini(QStringLiteral("SysPath")), sysPath);
    EXPECT_EQ(ini(QStringLiteral("DBPath")), sysPath);
    EXPECT_EQ(ini(QStringLiteral("DBName")), QStringLiteral("ZAV.MDB"));
    EXPECT_NE(ini(QStringLiteral("SysVersion")), QStringLiteral("<none>"));
    EXPECT_NE(ini(QStringLiteral("SysMenu")), QStringLiteral("<none>"));
    EXPECT_EQ(ConfiguredSysPath(), sysPath);

    // The programs open DBPath & DBName as written, with no separator added.
    const QString db = ini(QStringLiteral("DBPath")) + ini(QStringLiteral("DBName"));
    ASSERT_TRUE(QFileInfo(db).isFile());
    EXPECT_EQ(QFileInfo(db).absoluteFilePath(), QFileInfo(r.dbFile).absoluteFilePath());
    test::TestDb t(db);
    EXPECT_EQ(t.value(QStringLiteral("SELECT Tipo FROM CLAVES WHERE Usuario = ?1"),
                      {ini(QStringLiteral("SysUser"))})
                  .toString(),
              QStringLiteral("0"));
    EXPECT_GT(t.value(QStringLiteral("SELECT count(*) FROM CONT")).toInt(), 0);
    // Nothing of the making is left beside the database.
    EXPECT_EQ(QDir(host_).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("ZAV.MDB")});
}

TEST_F(WorkspaceTest, InitKeepsOtherLinesOfAnExistingConfiguration)
{
    ASSERT_TRUE(QDir().mkpath(windows_));
    QFile f(QDir(windows_).filePath(QStringLiteral("kz000.ini")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("; host settings\r\n[Options]\r\nSysPath=C:\\OLD\\\r\nOther=1\r\n");
    f.close();

    ASSERT_TRUE(InitWorkspace(host_, false).ok);
    EXPECT_EQ(ini(QStringLiteral("SysPath")), QDir(host_).absolutePath() + QLatin1Char('/'));
    EXPECT_EQ(ini(QStringLiteral("Other")), QStringLiteral("1"));
    // The existing file of another case is the one written; no second file appears.
    EXPECT_EQ(QDir(windows_).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("kz000.ini")});
}

TEST_F(WorkspaceTest, ExistingLowerCaseTmpServesAsTmp)
{
    ASSERT_TRUE(QDir().mkpath(QDir(host_).filePath(QStringLiteral("tmp"))));
    ASSERT_TRUE(InitWorkspace(host_, false).ok);
    const QStringList dirs = QDir(host_).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_TRUE(dirs.contains(QStringLiteral("tmp")));
    EXPECT_FALSE(dirs.contains(QStringLiteral("TMP")));

    QFile marker(QDir(host_).filePath(QStringLiteral("tmp/0947 ERROR.TXT")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    // Beside the descriptors the module was installed from.
    EXPECT_EQ(TmpEntries(ConfiguredSysPath()),
              (QStringList{QStringLiteral("0947 ERROR.TXT"), QStringLiteral("env947.txt")}));
}

// A second init on the same folder must not replace the host's data.
TEST_F(WorkspaceTest, RefusesAFolderThatHoldsADatabase)
{
    for (const char* name : {"ZAV.MDB", "zav.mdb"}) {
        SCOPED_TRACE(name);
        QTemporaryDir other;
        const QString dir = other.filePath(QStringLiteral("host"));
        ASSERT_TRUE(QDir().mkpath(dir));
        const QString file = QDir(dir).filePath(QString::fromLatin1(name));
        ASSERT_TRUE(CreateDatabase(file, DatabaseOptions{}));
        {
            test::TestDb t(file);
            ASSERT_EQ(t.exec(QStringLiteral("INSERT INTO CLAVES (Usuario, Tipo) VALUES (?1, ?2)"),
                             {QStringLiteral("PROPIO"), QStringLiteral("1")}),
                      SQLITE_DONE);
        }
        const InitResult r = InitWorkspace(dir, true);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.message.isEmpty());
        test::TestDb t(file);
        EXPECT_EQ(t.value(QStringLiteral("SELECT count(*) FROM CLAVES WHERE Usuario = 'PROPIO'")).toInt(), 1);
        EXPECT_EQ(t.value(QStringLiteral("SELECT count(*) FROM CONT")).toInt(), 0);
        EXPECT_FALSE(QFileInfo::exists(QDir(windows_).filePath(QStringLiteral("KZ000.INI"))));
    }
}

// When the configuration cannot be written the folder gets no database, so the same
// command can be run again once the cause is mended.
TEST_F(WorkspaceTest, FailedConfigurationLeavesNoDatabase)
{
    {
        QFile blocker(windows_); // a file where the Windows folder should be
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    const InitResult r = InitWorkspace(host_, false);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_TRUE(QDir(host_).entryList(QDir::Files | QDir::Hidden).isEmpty());

    ASSERT_TRUE(QFile::remove(windows_));
    const InitResult again = InitWorkspace(host_, false);
    EXPECT_TRUE(again.ok) << again.message.toStdString();
}

TEST_F(WorkspaceTest, EmptyFolderNameIsRefused)
{
    EXPECT_FALSE(InitWorkspace(QString(), false).ok);
    EXPECT_FALSE(InitWorkspace(QStringLiteral("  "), false).ok);
}

TEST(StartProgramTest, TakesOnlyBareNamesOfExistingPrograms)
{
    for (const char* name : {"", "../integrador", "/bin/true", "sub\\KZ947", "..", "NO_SUCH_PROGRAM"}) {
        QString error;
        EXPECT_FALSE(StartProgram(QString::fromLatin1(name), {}, &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }
}

} // namespace
} // namespace integrador

namespace integrador {
namespace {

TEST(BatchCommandLineTest, FixedPositionsAsTheBatchProgramsCutThem)
{
    const struct {
        StoredDeclaration d;
        const char* nro;
        const char* linea;
    } casos[] = {
        {{6, QStringLiteral("20100070970"), QStringLiteral("201305"), QStringLiteral("0947"), 0}, "00012345",
         "0620100070970    0947201305000012345"},
        {{6, QStringLiteral("20100070970"), QStringLiteral("2013"), QStringLiteral("0947"), 0}, "777",
         "0620100070970    0947201300000000777"},
        {{1, QStringLiteral("12345678"), QStringLiteral("201212"), QStringLiteral("0947"), 1}, "",
         "0112345678       0947201212100000000"},
        {{6, QStringLiteral("1234567890123456"), QStringLiteral("201305"), QStringLiteral("0947"), 0}, "123456789",
         "061234567890123450947201305012345678"},
    };
    for (const auto& c : casos) {
        const QString linea = BatchCommandLine(c.d, QString::fromLatin1(c.nro));
        EXPECT_EQ(linea, QString::fromLatin1(c.linea));
        EXPECT_EQ(linea.size(), 36);
    }
}

TEST(BatchCommandLineTest, StoredDeclarationsInKeyOrder)
{
    QTemporaryDir tmp;
    const QString file = tmp.filePath(QStringLiteral("ZAV.MDB"));
    ASSERT_TRUE(CreateDatabase(file, DatabaseOptions{}));
    test::TestDb db(file);
    db.exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA) VALUES "
                           "(6, '20512345671', '201305', '0947', 0), (6, '20100070970', '2013', '0947', 0)"));
    const QList<StoredDeclaration> d = StoredDeclarations(file);
    ASSERT_EQ(d.size(), 2);
    EXPECT_EQ(d[0].docId, QStringLiteral("20100070970"));
    EXPECT_EQ(d[0].periodo, QStringLiteral("2013"));
    EXPECT_EQ(d[1].docId, QStringLiteral("20512345671"));
    EXPECT_EQ(d[1].tipDoc, 6);
    QString error;
    EXPECT_TRUE(StoredDeclarations(tmp.filePath(QStringLiteral("no.mdb")), &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace integrador
