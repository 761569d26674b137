#include "common/Paths.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace zav;

namespace {

class ResolvePathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path();
        ASSERT_TRUE(QDir(root).mkpath("Host/TMP"));
        ASSERT_TRUE(QDir(root).mkpath("Host/RPT"));
        ASSERT_TRUE(QDir(root).mkpath("Both/TMP"));
        ASSERT_TRUE(QDir(root).mkpath("Both/tmp"));
        QFile f(root + "/Host/TMP/Archivo.TXT");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    QTemporaryDir dir;
    QString root;
};

TEST_F(ResolvePathTest, FindsExistingNamesWhateverTheirCase)
{
    struct {
        QString given;
        QString expected;
    } cases[] = {
        {"/host/tmp/archivo.txt", "/Host/TMP/Archivo.TXT"},
        {"/HOST/Tmp", "/Host/TMP"},
        {"/Host/TMP/Archivo.TXT", "/Host/TMP/Archivo.TXT"},
        {"\\host\\rpt\\", "/Host/RPT/"},                    // separators of the configuration
        {"/host/tmp/NUEVO.txt", "/Host/TMP/NUEVO.txt"},      // a new file keeps its given name
        {"/HOST/Nueva/Sub/x.TXT", "/Host/Nueva/Sub/x.TXT"}, // the rest after a missing folder too
        {"/both/tmp", "/Both/tmp"},                         // the exact spelling wins
        {"/both/TMP", "/Both/TMP"},
        {"//host//tmp/", "/Host/TMP/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolvePath(root + c.given), root + c.expected) << c.given.toStdString();
}

TEST_F(ResolvePathTest, RelativePathsStayRelative)
{
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root));
    EXPECT_EQ(ResolvePath("host/tmp/archivo.txt"), "Host/TMP/Archivo.TXT");
    EXPECT_EQ(ResolvePath("./HOST/../host/rpt"), "./Host/../Host/RPT");
    EXPECT_EQ(ResolvePath(""), "");
    QDir::setCurrent(old);
}

TEST(JoinPath, OneSlashWhateverTheFolderEndsWith)
{
    struct {
        const char* dir;
        const char* name;
        const char* expected;
    } cases[] = {
        {"/zav/", "RPT", "/zav/RPT"},
        {"/zav\\", "RPT", "/zav/RPT"},
        {"/zav", "RPT", "/zav/RPT"},
        {"C:\\DATA\\", "BASE.MDB", "C:/DATA/BASE.MDB"},
        {"/zav/", "TMP\\env947.txt", "/zav/TMP/env947.txt"},
        {"/zav/", "/abs", "/zav/abs"},
        {"", "BASE.MDB", "BASE.MDB"},
        {"/", "x", "/x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinPath(c.dir, c.name), QString(c.expected)) << c.dir << " + " << c.name;
}

} // namespace
