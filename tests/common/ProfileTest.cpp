#include "common/Cp1252.h"
#include "common/Profile.h"

#include "QtPrinters.h"
#include "tests/support/LimiteArchivos.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

#include <sys/stat.h>

using namespace zav;

namespace {

// Points WINDIR (and XDG_CONFIG_HOME) at a fresh folder and puts them back afterwards.
class EnvGuard {
public:
    explicit EnvGuard(std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            saved_.push_back({n, qEnvironmentVariableIsSet(n) ? std::optional<QByteArray>(qgetenv(n)) : std::nullopt});
    }
    ~EnvGuard()
    {
        for (auto& [n, v] : saved_) {
            if (v)
                qputenv(n, *v);
            else
                qunsetenv(n);
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        qputenv("WINDIR", QFile::encodeName(dir.path()));
    }

    QString path(const QString& name = "KZ000.INI") const { return dir.path() + "/" + name; }

    void put(const QByteArray& bytes, const QString& name = "KZ000.INI") const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray get(const QString& name = "KZ000.INI") const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    EnvGuard env{"WINDIR", "XDG_CONFIG_HOME"};
    QTemporaryDir dir;
};

TEST_F(ProfileTest, ReadsByProfileRules)
{
    put("; host configuration\n"
        "Stray=before any section\n"
        "[Other]\n"
        "SysPath=wrong section\n"
        "  [ options ]  \n"
        "SysPath=  /zav/host/  \r\n"
        "  dbname =BASE.MDB\r\n"
        "Empty=\n"
        ";SysUser=commented out\n"
        "Equals=a=b\n"
        "[Later]\n"
        "SysUser=wrong section too\n");

    struct Case {
        const char* section;
        const char* key;
        const char* def;
        const char* expected;
    } cases[] = {
        {"Options", "SysPath", "", "/zav/host/"},
        {"OPTIONS", "sYSpATH", "", "/zav/host/"},
        {"Options", "DBName", "", "BASE.MDB"},
        {"Options", "Empty", "def", ""},          // present but empty is not missing
        {"Options", "SysUser", "", ""},           // commented out
        {"Options", "SysUser", "nobody", "nobody"},
        {"Options", "Equals", "", "a=b"},          // only the first "=" separates
        {"Options", "Stray", "x", "x"},            // lines before a section belong to none
        {"Missing", "SysPath", "d", "d"},
        {"Other", "SysPath", "", "wrong section"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, c.def, "KZ000.INI"), QString(c.expected))
            << c.section << "/" << c.key;
}

TEST_F(ProfileTest, MissingFileGivesDefault)
{
    EXPECT_EQ(GetPrivateProfileString("Options", "SysPath", "fallback", "KZ000.INI"), "fallback");
    EXPECT_EQ(GetPrivateProfileString("Options", "SysPath", "", dir.path() + "/no/such/file.ini"), "");
}

TEST_F(ProfileTest, ValueIsCutAt254Characters)
{
    const QByteArray longValue(300, 'x');
    // The cut falls right after a blank: the blank goes too.
    const QByteArray blankAtCut = QByteArray(253, 'y') + " z";
    put("[Options]\r\nLong=" + longValue + "\r\nBlank=" + blankAtCut + "\r\nExact=" + QByteArray(254, 'w') + "\r\n");

    EXPECT_EQ(GetPrivateProfileString("Options", "Long", "", "KZ000.INI"), QString(254, 'x'));
    EXPECT_EQ(GetPrivateProfileString("Options", "Blank", "", "KZ000.INI"), QString(253, 'y'));
    EXPECT_EQ(GetPrivateProfileString("Options", "Exact", "", "KZ000.INI"), QString(254, 'w'));
}

TEST_F(ProfileTest, BareNameIsFoundWhateverItsCase)
{
    put("[Options]\r\nSysUser=ADMIN\r\n", "KZ000.INI");
    EXPECT_EQ(GetPrivateProfileString("Options", "SysUser", "", "kz000.ini"), "ADMIN");

    ASSERT_TRUE(WritePrivateProfileString("Options", "SysUser", "OTRO", "kz000.ini"));
    EXPECT_EQ(files(), QStringList{"KZ000.INI"});
    EXPECT_EQ(get(), "[Options]\r\nSysUser=OTRO\r\n");
}

TEST_F(ProfileTest, FullPathIsReadAndWrittenAsWell)
{
    QDir(dir.path()).mkdir("Conf");
    put("[Options]\nK=v\n", "Conf/My.ini");
    EXPECT_EQ(GetPrivateProfileString("options", "k", "", dir.path() + "/CONF/my.INI"), "v");
    ASSERT_TRUE(WritePrivateProfileString("Options", "K", "w", dir.path() + "/conf/MY.ini"));
    EXPECT_EQ(get("Conf/My.ini"), "[Options]\r\nK=w\r\n");
}

TEST_F(ProfileTest, WriteReplacesOneKeyAndKeepsEverythingElse)
{
    put("; written by the host\n"
        "[Options]\n"
        "SysPath=/zav/\n"
        "  ; the database\n"
        "  systemdb = old value   \n"
        "DBName=BASE.MDB\n"
        "\n"
        "[Other]\n"
        "SystemDB=untouched\n");

    ASSERT_TRUE(WritePrivateProfileString("OPTIONS", "SystemDB", "/zav/KZ000.MDW", "KZ000.INI"));
    EXPECT_EQ(get(),
              "; written by the host\r\n"
              "[Options]\r\n"
              "SysPath=/zav/\r\n"
              "  ; the database\r\n"
              "systemdb=/zav/KZ000.MDW\r\n"
              "DBName=BASE.MDB\r\n"
              "\r\n"
              "[Other]\r\n"
              "SystemDB=untouched\r\n");
    EXPECT_EQ(GetPrivateProfileString("Options", "SystemDB", "", "KZ000.INI"), "/zav/KZ000.MDW");
    EXPECT_EQ(GetPrivateProfileString("Other", "SystemDB", "", "KZ000.INI"), "untouched");
}

TEST_F(ProfileTest, WriteCreatesWhatIsMissing)
{
    struct Case {
        const char* name;
        std::optional<QByteArray> before; // nullopt: no file
        QByteArray after;
    } cases[] = {
        {"no file", std::nullopt, "[Options]\r\nSystemDB=X\r\n"},
        {"empty file", QByteArray(""), "[Options]\r\nSystemDB=X\r\n"},
        {"other section, no final line end", QByteArray("[Other]\nA=1"),
         "[Other]\r\nA=1\r\n[Options]\r\nSystemDB=X\r\n"},
        {"key added after the section's last key", QByteArray("[Options]\nA=1\n\n; next\n[Other]\nB=2\n"),
         "[Options]\r\nA=1\r\nSystemDB=X\r\n\r\n; next\r\n[Other]\r\nB=2\r\n"},
        {"empty section", QByteArray("[Options]\n[Other]\n"), "[Options]\r\nSystemDB=X\r\n[Other]\r\n"},
    };
    for (const Case& c : cases) {
        QFile::remove(path());
        if (c.before)
            put(*c.before);
        ASSERT_TRUE(WritePrivateProfileString("Options", "SystemDB", "X", "KZ000.INI")) << c.name;
        EXPECT_EQ(get(), c.after) << c.name;
    }
}

TEST_F(ProfileTest, WriteLeavesNoTemporaryFile)
{
    put("[Options]\r\nA=1\r\n");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(WritePrivateProfileString("Options", "A", QString::number(i), "KZ000.INI"));
    EXPECT_EQ(files(), QStringList{"KZ000.INI"});
}

TEST_F(ProfileTest, FailedWriteLeavesTheOldFile)
{
    // The file itself is writable but its folder is not: an in-place rewrite would go
    // ahead, the temporary file beside it cannot be made.
    put("[Options]\r\nA=1\r\n");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(path("probe"));
    const bool folderWritable = probe.open(QIODevice::WriteOnly);
    if (folderWritable) {
        probe.remove();
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    EXPECT_FALSE(WritePrivateProfileString("Options", "A", "2", "KZ000.INI"));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(get(), "[Options]\r\nA=1\r\n");
    EXPECT_EQ(files(), QStringList{"KZ000.INI"});
}

// A disk that fills up once the temporary file exists (as root too): the write is
// reported and the old file is there, whole, with no temporary file beside it.
TEST_F(ProfileTest, AFullDiskKeepsTheOldFileWhole)
{
    const QByteArray antes = "; host\r\n[Options]\r\nSysPath=/zav/\r\nSystemDB=C:\\ZAV\\KZ000.MDW\r\n";
    put(antes);
    const QString nuevo = QStringLiteral("/zav/host/KZ000.MDW");
    for (rlim_t limite : {rlim_t(0), rlim_t(10), rlim_t(antes.size())}) {
        bool escrito = true;
        {
            LimiteArchivos lleno(limite);
            escrito = WritePrivateProfileString("Options", "SystemDB", nuevo, "KZ000.INI");
        }
        EXPECT_FALSE(escrito) << limite;
        EXPECT_EQ(get(), antes) << limite;
        EXPECT_EQ(files(), QStringList{"KZ000.INI"}) << limite;
    }
    // Once there is room again.
    ASSERT_TRUE(WritePrivateProfileString("Options", "SystemDB", nuevo, "KZ000.INI"));
    EXPECT_EQ(GetPrivateProfileString("Options", "SystemDB", "", "KZ000.INI"), nuevo);
}

// The usual case at every start: the key already holds the value, and the file is not
// touched, not even on a full disk.
TEST_F(ProfileTest, AKeyThatHoldsTheValueIsNotRewritten)
{
    const QByteArray antes = "[Options]\nsystemdb =  /zav/KZ000.MDW \n";
    put(antes);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &st), 0);
    bool escrito = false;
    {
        LimiteArchivos lleno(0);
        escrito = WritePrivateProfileString("OPTIONS", "SystemDB", "/zav/KZ000.MDW", "KZ000.INI");
    }
    EXPECT_TRUE(escrito);
    EXPECT_EQ(get(), antes);
    struct stat despues {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &despues), 0);
    EXPECT_EQ(despues.st_ino, st.st_ino);
    // Another value is written.
    ASSERT_TRUE(WritePrivateProfileString("Options", "SystemDB", "/zav/OTRO.MDW", "KZ000.INI"));
    EXPECT_EQ(get(), "[Options]\r\nsystemdb=/zav/OTRO.MDW\r\n");
}

TEST_F(ProfileTest, AccentedValueRoundTripsAsWindows1252)
{
    const QString value = QStringLiteral("Año Ñandú °");
    ASSERT_TRUE(WritePrivateProfileString("Options", "SysUser", value, "KZ000.INI"));
    EXPECT_EQ(get(), "[Options]\r\nSysUser=A\xF1o \xD1" "and\xFA \xB0\r\n");
    EXPECT_EQ(GetPrivateProfileString("Options", "SysUser", "", "KZ000.INI"), value);
}

TEST_F(ProfileTest, OtherLinesKeepTheirBytesEvenWhenNotWindows1252)
{
    // 0x81 has no character in the code page; the line must survive a rewrite unchanged.
    put("[Options]\r\nOdd=\x81\x8D\r\nA=1\r\n");
    ASSERT_TRUE(WritePrivateProfileString("Options", "A", "2", "KZ000.INI"));
    EXPECT_EQ(get(), "[Options]\r\nOdd=\x81\x8D\r\nA=2\r\n");
}

TEST_F(ProfileTest, RefusesWhatWouldCorruptTheFile)
{
    put("[Options]\r\nA=1\r\n");
    EXPECT_FALSE(WritePrivateProfileString("Options", "A", "2\r\nSysPath=/evil/", "KZ000.INI"));
    EXPECT_FALSE(WritePrivateProfileString("Options", "A\nB", "2", "KZ000.INI"));
    EXPECT_FALSE(WritePrivateProfileString("Opt]ions", "A", "2", "KZ000.INI"));
    EXPECT_FALSE(WritePrivateProfileString("Options", "A=B", "2", "KZ000.INI"));
    EXPECT_FALSE(WritePrivateProfileString("Options", "", "2", "KZ000.INI"));
    EXPECT_EQ(get(), "[Options]\r\nA=1\r\n");
}

TEST_F(ProfileTest, WriteFailureIsReported)
{
    put("not a folder", "plain");
    EXPECT_FALSE(WritePrivateProfileString("Options", "A", "1", path("plain") + "/KZ000.INI"));
    EXPECT_FALSE(WritePrivateProfileString("Options", "A", "1", dir.path() + "/missing/KZ000.INI"));
}

TEST_F(ProfileTest, WindowsFolderPrefersWindirThenXdgThenHome)
{
    qputenv("WINDIR", "/win");
    qputenv("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(WindowsFolder(), "/win");

    qunsetenv("WINDIR");
    EXPECT_EQ(WindowsFolder(), "/xdg/zav");

    qputenv("WINDIR", "");
    qputenv("XDG_CONFIG_HOME", "/xdg/");
    EXPECT_EQ(WindowsFolder(), "/xdg/zav");

    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(WindowsFolder(), QDir::homePath() + "/.config/zav");
}

TEST_F(ProfileTest, BareNameWithoutWindirGoesUnderXdgConfig)
{
    qunsetenv("WINDIR");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    ASSERT_TRUE(WritePrivateProfileString("Options", "A", "1", "KZ000.INI"));
    EXPECT_EQ(get("zav/KZ000.INI"), "[Options]\r\nA=1\r\n");
    EXPECT_EQ(GetPrivateProfileString("Options", "A", "", "KZ000.INI"), "1");
}

} // namespace
