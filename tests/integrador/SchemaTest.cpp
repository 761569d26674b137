// The tables of a new host database, read back from the file itself.
#include "batch/install/TAB947.h"
#include "integrador/Schema.h"
#include "integrador/Workspace.h"
#include "platform/db/Database.h"
#include "tests/integrador/TestDb.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace integrador {
namespace {

class SchemaTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new QTemporaryDir;
        ASSERT_TRUE(dir_->isValid());
        QString error;
        ASSERT_TRUE(CreateDatabase(file(), DatabaseOptions{}, &error)) << error.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    static QString file() { return dir_->filePath(QStringLiteral("ZAV.MDB")); }

    void SetUp() override { db_ = std::make_unique<test::TestDb>(file()); }

    std::unique_ptr<test::TestDb> db_;
    static QTemporaryDir* dir_;
};

QTemporaryDir* SchemaTest::dir_ = nullptr;

struct KeyCase {
    const char* table;
    QStringList key; // the leading columns, which are also the primary key
};

// The row check value takes the first k fields as the key: 5 for CAB and F0947_PTCEA,
// 6 for HCAB and DET.
TEST_F(SchemaTest, DeclarationTablesLeadWithTheirKeyAndEndWithTheCheckValue)
{
    const QStringList base{QStringLiteral("TIP_DOC_D"), QStringLiteral("DOC_ID_D"),
                           QStringLiteral("PERIODO"), QStringLiteral("FORMULARIO")};
    const KeyCase cases[] = {
        {"CAB", base + QStringList{QStringLiteral("SEMANA")}},
        {"HCAB", base + QStringList{QStringLiteral("CORREL"), QStringLiteral("SEMANA")}},
        {"DET", base + QStringList{QStringLiteral("SEMANA"), QStringLiteral("CASILLA")}},
        {"HDET", base + QStringList{QStringLiteral("CORREL"), QStringLiteral("SEMANA"),
                                    QStringLiteral("CASILLA")}},
        {"ACTA", base + QStringList{QStringLiteral("SEMANA"), QStringLiteral("ITEM")}},
        {"HACTA", base + QStringList{QStringLiteral("CORREL"), QStringLiteral("SEMANA"),
                                     QStringLiteral("ITEM")}},
        {"F0947_PTCEA", base + QStringList{QStringLiteral("ANHO")}},
        {"HF0947_PTCEA", base + QStringList{QStringLiteral("CORREL"), QStringLiteral("ANHO")}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.table);
        const auto cols = db_->columns(QString::fromLatin1(c.table));
        ASSERT_GT(cols.size(), size_t(c.key.size()));
        int pkColumns = 0;
        for (size_t i = 0; i < cols.size(); ++i) {
            if (i < size_t(c.key.size())) {
                EXPECT_EQ(cols[i].name.toUpper(), c.key[int(i)]) << "column " << i;
                EXPECT_EQ(cols[i].pk, int(i) + 1) << cols[i].name.toStdString();
                EXPECT_TRUE(cols[i].notNull) << cols[i].name.toStdString();
            }
            if (cols[i].pk > 0)
                ++pkColumns;
        }
        EXPECT_EQ(pkColumns, c.key.size());
        EXPECT_EQ(cols.back().name.toUpper(), QStringLiteral("CNUMERO"));
    }
}

TEST_F(SchemaTest, WeekDefaultsToZeroAndTextKeysKeepTheirLeadingZeros)
{
    ASSERT_EQ(db_->exec(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, "
                                       "CASILLA, i_valor) VALUES (?1, ?2, ?3, ?4, ?5, ?6)"),
                        {6, QStringLiteral("20000000001"), QStringLiteral("201305"),
                         QStringLiteral("0947"), QStringLiteral("002"), QStringLiteral("0123")}),
              SQLITE_DONE);
    const auto r = db_->rows(QStringLiteral("SELECT SEMANA, FORMULARIO, CASILLA, i_valor, "
                                            "typeof(FORMULARIO), typeof(TIP_DOC_D) FROM DET "
                                            "WHERE DOC_ID_D = ?1"),
                             {QStringLiteral("20000000001")});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0].toLongLong(), 0);
    EXPECT_EQ(r[0][1].toString(), QStringLiteral("0947"));
    EXPECT_EQ(r[0][2].toString(), QStringLiteral("002"));
    EXPECT_EQ(r[0][3].toString(), QStringLiteral("0123"));
    EXPECT_EQ(r[0][4].toString(), QStringLiteral("text"));
    EXPECT_EQ(r[0][5].toString(), QStringLiteral("integer"));

    // The same key again is refused, whatever the week was written as.
    EXPECT_NE(db_->exec(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, "
                                       "SEMANA, CASILLA) VALUES (?1, ?2, ?3, ?4, ?5, ?6)"),
                        {6, QStringLiteral("20000000001"), QStringLiteral("201305"),
                         QStringLiteral("0947"), 0, QStringLiteral("002")}),
              SQLITE_DONE);
    // A key field left empty is refused rather than stored as Null.
    EXPECT_NE(db_->exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO) "
                                       "VALUES (?1, ?2, ?3)"),
                        {6, QStringLiteral("20000000001"), QStringLiteral("201305")}),
              SQLITE_DONE);
    db_->exec(QStringLiteral("DELETE FROM DET"));
}

struct LayoutCase {
    const char* table;
    QStringList columns; // every column, in order
};

// Tables that others read by position or fill without naming their columns.
TEST_F(SchemaTest, PositionalTablesHaveExactlyTheirColumns)
{
    const LayoutCase cases[] = {
        {"PARAM", {"Numero", "Argumento", "Funcion", "Correl_param"}},
        {"ENVIO_T",
         {"formulario", "tabla_o", "tabla_d", "tabla_ext", "indice", "obliga", "c_tip_doc_d",
          "c_doc_id_d", "c_Formulario", "c_periodo", "c_estado", "c_envio", "c_semana"}},
        {"SPOOL", {"CodRep", "Secuencia", "Archivo", "Fecha", "Usuario", "Tip_doc_d", "DOC_ID_D"}},
        {"F0947_PTCEA",
         {"tip_doc_d", "doc_id_d", "periodo", "formulario", "Anho", "Importe", "cnumero"}},
        {"HF0947_PTCEA",
         {"tip_doc_d", "doc_id_d", "periodo", "formulario", "Correl", "Anho", "Importe",
          "cnumero"}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.table);
        EXPECT_EQ(db_->columnNames(QString::fromLatin1(c.table)), c.columns);
    }
    EXPECT_EQ(db_->columnNames(QStringLiteral("REPORTES")).size(), 3);
    // The taxpayer list takes the number from the second field and the name from the fourth.
    const QStringList cont = db_->columnNames(QStringLiteral("CONT"));
    ASSERT_GE(cont.size(), 4);
    EXPECT_EQ(cont[1].toUpper(), QStringLiteral("DOC_ID_D"));
    EXPECT_EQ(cont[3].toUpper(), QStringLiteral("NOMBRE"));
}

TEST_F(SchemaTest, EveryTableExistsWithJetTypesOnly)
{
    const QRegularExpression jet(
        QStringLiteral("^(BYTE|INTEGER|LONG|DOUBLE|CURRENCY|DATETIME|TEXT\\([0-9]+\\)|MEMO|YESNO)$"));
    const char* expected[] = {"CONT", "PARAM", "CLAVES", "ERROR", "CAB", "DET", "HCAB", "HDET",
                              "ACTA", "HACTA", "SPOOL", "REPORTES", "ENVIO_T", "F0947_PTCEA",
                              "HF0947_PTCEA"};
    for (const char* t : expected) {
        SCOPED_TRACE(t);
        const auto cols = db_->columns(QString::fromLatin1(t));
        ASSERT_FALSE(cols.empty());
        for (const auto& c : cols)
            EXPECT_TRUE(jet.match(c.type).hasMatch()) << c.name.toStdString() << " "
                                                     << c.type.toStdString();
    }
    EXPECT_EQ(db_->value(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'"))
                  .toInt(),
              int(std::size(expected)));
}

// What the installer sends: a descriptor inserted by position, its key refused twice.
TEST_F(SchemaTest, DescriptorsGoInByPositionAndTheirKeyIsUnique)
{
    const QString insert = QStringLiteral("INSERT INTO ENVIO_T VALUES "
                                          "(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
    const QVariantList row{QStringLiteral("0947"), QStringLiteral("F0947_PTCEA"),
                           QStringLiteral(" "), QStringLiteral("HF0947_PTCEA"), 1, 0, 1, 2.0, 4.0,
                           3.0, 0.0, 0.0, 5.0};
    ASSERT_EQ(db_->exec(insert, row), SQLITE_DONE);
    EXPECT_EQ(db_->exec(insert, row), SQLITE_CONSTRAINT);
    const auto r = db_->rows(QStringLiteral("SELECT tabla_d, c_semana, indice FROM ENVIO_T"));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0].toString(), QStringLiteral(" "));
    EXPECT_DOUBLE_EQ(r[0][1].toDouble(), 5.0);
    EXPECT_EQ(r[0][2].toInt(), 1);
    db_->exec(QStringLiteral("DELETE FROM ENVIO_T"));
}

// The module's tables are the installer's: a database made without them gets them, key
// included, when the installer runs on it.
TEST(SchemaModuleTables, TheInstallerBuildsThemOnADatabaseWithout)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ZAV.MDB"));
    DatabaseOptions options;
    options.moduleTables = false;
    ASSERT_TRUE(CreateDatabase(file, options));
    {
        test::TestDb db(file);
        EXPECT_TRUE(db.columns(QStringLiteral("F0947_PTCEA")).empty());
        EXPECT_EQ(FindTable(QStringLiteral("f0947_ptcea")), nullptr);
    }
    auto base = dao::Database::Open(file);
    zav::lote::Instalador installer(*base, dir.path());
    installer.CreaTablasModulo();
    EXPECT_TRUE(installer.Completa());
    base->Close();

    test::TestDb db(file);
    EXPECT_EQ(db.value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'F0947_PTCEA'"))
                  .toString()
                  .contains(QStringLiteral("PK_F0947_PTCEA")),
              true);
    const QString insert = QStringLiteral("INSERT INTO F0947_PTCEA VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    const QVariantList row{6, QStringLiteral("20000000001"), QStringLiteral("201305"),
                           QStringLiteral("0947"), QStringLiteral("2012"), QStringLiteral("15000"),
                           QStringLiteral("271731")};
    EXPECT_EQ(db.exec(insert, row), SQLITE_DONE);
    EXPECT_EQ(db.exec(insert, row), SQLITE_CONSTRAINT); // one row per loss year
}

TEST(SchemaCreate, RefusesAnExistingFileAndLeavesItAlone)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ZAV.MDB"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a database");
    }
    QString error;
    EXPECT_FALSE(CreateDatabase(dir.filePath(QStringLiteral("zav.mdb")), DatabaseOptions{}, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("not a database"));
}

} // namespace
} // namespace integrador
