// The reference rows of a new host database, cut the way their readers cut them.
#include "integrador/ReferenceData.h"
#include "integrador/Workspace.h"
#include "tests/integrador/TestDb.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace integrador {
namespace {

// Taxpayer number: 11 digits, prefix 10/15/16/17/20, weighted modulo-11 check digit.
bool ValidTaxpayerNumber(const QString& n)
{
    static const QRegularExpression shape(QStringLiteral("^(10|15|16|17|20)[0-9]{9}$"));
    if (!shape.match(n).hasMatch())
        return false;
    const int weights[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum += n[i].digitValue() * weights[i];
    int digit = 11 - sum % 11;
    if (digit == 10)
        digit = 0;
    else if (digit == 11)
        digit = 1;
    return n[10].digitValue() == digit;
}

TEST(TaxpayerNumberRule, KnownNumbers)
{
    const std::pair<const char*, bool> cases[] = {
        {"20000000001", true},   {"20000000002", false}, {"20100070970", true},
        {"20100070971", false},  {"30000000001", false}, {"2000000000", false},
        {"200000000011", false}, {"2000000000A", false}, {"10456789124", true},
    };
    for (const auto& [n, valid] : cases)
        EXPECT_EQ(ValidTaxpayerNumber(QString::fromLatin1(n)), valid) << n;
}

class ReferenceDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new QTemporaryDir;
        ASSERT_TRUE(dir_->isValid());
        DatabaseOptions options;
        options.demo = true;
        QString error;
        ASSERT_TRUE(CreateDatabase(dir_->filePath(QStringLiteral("ZAV.MDB")), options, &error))
            << error.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override
    {
        db_ = std::make_unique<test::TestDb>(dir_->filePath(QStringLiteral("ZAV.MDB")));
    }

    std::unique_ptr<test::TestDb> db_;
    static QTemporaryDir* dir_;
};

QTemporaryDir* ReferenceDataTest::dir_ = nullptr;

TEST_F(ReferenceDataTest, DemoTaxpayersAreValidAndBelongToEveryUser)
{
    const auto cont = db_->rows(QStringLiteral("SELECT TIP_DOC_D, DOC_ID_D, USUARIO FROM CONT"));
    ASSERT_GE(cont.size(), 3u);
    QStringList owners;
    for (const auto& r : cont) {
        EXPECT_EQ(r[0].toInt(), 6);
        EXPECT_TRUE(ValidTaxpayerNumber(r[1].toString())) << r[1].toString().toStdString();
        owners << r[2].toString();
    }
    const auto users = db_->rows(QStringLiteral("SELECT Usuario, Tipo FROM CLAVES"));
    QStringList tipos;
    for (const auto& u : users) {
        tipos << u[1].toString();
        EXPECT_TRUE(owners.contains(u[0].toString())) << u[0].toString().toStdString();
    }
    EXPECT_TRUE(tipos.contains(QStringLiteral("0")));
    EXPECT_TRUE(tipos.contains(QStringLiteral("1")));
    EXPECT_EQ(db_->value(QStringLiteral("SELECT Tipo FROM CLAVES WHERE Usuario = ?1"),
                         {DefaultUser()})
                  .toString(),
              QStringLiteral("0"));
}

struct DocumentCase {
    const char* argumento;
    const char* corto;
    const char* longitud;
    const char* repLegal;     // position 82
    const char* tipoLongitud; // position 130
};

TEST_F(ReferenceDataTest, DocumentTypesSitAtTheirFixedPositions)
{
    const DocumentCase cases[] = {
        {"6", "RUC", "11", "1", "1"},
        {"1", "DNI", "08", "1", "1"},
        {"0", "OTROS", "15", "0", "0"},
    };
    for (const DocumentCase& c : cases) {
        SCOPED_TRACE(c.argumento);
        const auto r = db_->rows(
            QStringLiteral("SELECT length(Funcion), trim(substr(Funcion, 32, 11)), "
                           "trim(substr(Funcion, 32, 12)), substr(Funcion, 46, 2), "
                           "substr(Funcion, 82, 1), substr(Funcion, 128, 1), substr(Funcion, 130, 1) "
                           "FROM PARAM WHERE Numero = '044' AND Argumento = ?1"),
            {QString::fromLatin1(c.argumento)});
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0][0].toInt(), 130);
        EXPECT_EQ(r[0][1].toString(), QString::fromLatin1(c.corto));
        EXPECT_EQ(r[0][2].toString(), QString::fromLatin1(c.corto)); // the receipt cuts one more
        EXPECT_EQ(r[0][3].toString(), QString::fromLatin1(c.longitud));
        EXPECT_EQ(r[0][4].toString(), QString::fromLatin1(c.repLegal));
        EXPECT_EQ(r[0][6].toString(), QString::fromLatin1(c.tipoLongitud));
    }
    // RUC is checked as digits: its character kind is not 0.
    EXPECT_NE(db_->value(QStringLiteral("SELECT substr(Funcion, 128, 1) FROM PARAM "
                                        "WHERE Numero = '044' AND Argumento = '6'"))
                  .toString(),
              QStringLiteral("0"));
    // The representative's list: flagged types in display order.
    const auto list = db_->rows(QStringLiteral("SELECT Argumento FROM PARAM WHERE Numero = '044' "
                                               "AND substr(Funcion, 82, 1) = '1' "
                                               "ORDER BY substr(Funcion, 56, 2)"));
    QStringList order;
    for (const auto& r : list)
        order << r[0].toString();
    EXPECT_EQ(order.value(0), QStringLiteral("6"));
    EXPECT_FALSE(order.contains(QStringLiteral("0")));
}

// The tax unit in force: the value of the greatest year not after the period.
TEST_F(ReferenceDataTest, TaxUnitByYear)
{
    EXPECT_EQ(db_->value(QStringLiteral("SELECT count(*) FROM PARAM WHERE Numero = '404'")).toInt(), 27);
    const std::pair<const char*, const char*> cases[] = {
        {"200005", "2900"}, {"201305", "3700"}, {"201805", "4150"}, {"2015", "3850"},
        {"202408", "5150"}, {"203001", "5500"}, {"199912", ""},
    };
    for (const auto& [periodo, uit] : cases) {
        const auto r = db_->rows(QStringLiteral("SELECT substr(Argumento, 1, 4), trim(Funcion) "
                                                "FROM PARAM WHERE Numero = '404' AND "
                                                "substr(Argumento, 1, 4) <= ?1 "
                                                "ORDER BY substr(Argumento, 1, 4)"),
                                 {QString::fromLatin1(periodo)});
        EXPECT_EQ(r.empty() ? QString() : r.back()[1].toString(), QString::fromLatin1(uit)) << periodo;
    }
}

TEST_F(ReferenceDataTest, PlaceCodesNestAndCarryZoneFlags)
{
    const auto districts = db_->rows(QStringLiteral(
        "SELECT Argumento, trim(substr(Funcion, 1, 30)), substr(Funcion, 31, 10), "
        "substr(Funcion, 41, 10) FROM PARAM WHERE Numero = '001'"));
    ASSERT_FALSE(districts.empty());
    const QRegularExpression flags(QStringLiteral("^[01]{10}$"));
    int zona1 = 0, zona2 = 0, frontera = 0;
    for (const auto& d : districts) {
        const QString code = d[0].toString();
        SCOPED_TRACE(code.toStdString());
        EXPECT_EQ(code.size(), 6);
        EXPECT_FALSE(d[1].toString().isEmpty());
        for (const auto& [numero, len] : {std::pair{"031", 4}, std::pair{"030", 2}})
            EXPECT_FALSE(db_->value(QStringLiteral("SELECT trim(substr(Funcion, 1, 30)) FROM PARAM "
                                                   "WHERE Numero = ?1 AND Argumento = ?2"),
                                    {QString::fromLatin1(numero), code.left(len)})
                             .toString()
                             .isEmpty())
                << numero;
        EXPECT_TRUE(flags.match(d[2].toString()).hasMatch());
        EXPECT_TRUE(flags.match(d[3].toString()).hasMatch());
        zona1 += d[2].toString().startsWith(QLatin1Char('1'));
        zona2 += d[2].toString().mid(1, 1) == QLatin1String("1");
        frontera += d[3].toString().startsWith(QLatin1Char('1'));
    }
    EXPECT_GT(zona1, 0);
    EXPECT_GT(zona2, 0);
    EXPECT_GT(frontera, 0);
}

struct ListCase {
    const char* numero;
    const char* argumento; // pattern every Argumento matches
    const char* funcion;   // pattern every Funcion matches
};

TEST_F(ReferenceDataTest, ValueListsKeepTheirCodeWidths)
{
    const ListCase cases[] = {
        {"030", "^[0-9]{2}$", "^\\S.{0,24}$"},
        {"031", "^[0-9]{4}$", "^\\S.{0,29}$"},
        {"004", "^[0-9]{2}$", "^\\S.{0,35}$"},
        {"976", "^[0-9]{4}$", "^\\S.{0,35}$"},
        {"975", "^20[0-9]{2}(0[1-9]|1[0-2])$", "^[0-9]+\\.[0-9]+$"},
        {"404", "^[0-9]{4}$", "^[0-9]+$"},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.numero);
        const auto rows = db_->rows(
            QStringLiteral("SELECT Argumento, Funcion, Correl_param FROM PARAM WHERE Numero = ?1"),
            {QString::fromLatin1(c.numero)});
        ASSERT_FALSE(rows.empty());
        const QRegularExpression a(QString::fromLatin1(c.argumento));
        const QRegularExpression f(QString::fromLatin1(c.funcion));
        for (const auto& r : rows) {
            EXPECT_TRUE(a.match(r[0].toString()).hasMatch()) << r[0].toString().toStdString();
            EXPECT_TRUE(f.match(r[1].toString()).hasMatch()) << r[1].toString().toStdString();
            EXPECT_EQ(r[2].toString(), QString());
        }
    }
    // The bank list has the entry it leaves out.
    EXPECT_EQ(db_->value(QStringLiteral("SELECT count(*) FROM PARAM WHERE Numero = '004' "
                                        "AND trim(Argumento) = '00'"))
                  .toInt(),
              1);
}

// The table register gives each declaration table the key count of its check value.
TEST_F(ReferenceDataTest, TableRegisterMatchesTheKeysOfTheTables)
{
    const auto rows = db_->rows(QStringLiteral("SELECT trim(substr(Funcion, 1, 15)), "
                                               "substr(Funcion, 16, 1), substr(Funcion, 25, 1) "
                                               "FROM PARAM WHERE Numero = '996'"));
    ASSERT_FALSE(rows.empty());
    for (const auto& r : rows) {
        const QString table = r[0].toString();
        SCOPED_TRACE(table.toStdString());
        EXPECT_EQ(r[1].toString(), QStringLiteral("R"));
        int keyColumns = 0;
        for (const auto& c : db_->columns(table))
            keyColumns += c.pk > 0 ? 1 : 0;
        EXPECT_EQ(r[2].toString().toInt(), keyColumns);
    }
    // The module's own rows are its installer's to write.
    EXPECT_EQ(db_->value(QStringLiteral("SELECT count(*) FROM PARAM WHERE Numero IN ('992', '996') "
                                        "AND Argumento IN ('0947', '153', '154')"))
                  .toInt(),
              0);
}

TEST_F(ReferenceDataTest, MessageTextsOfEveryCodeLookedUp)
{
    for (const char* code : {"0039", "0151", "0152"})
        EXPECT_FALSE(db_->value(QStringLiteral("SELECT DescError FROM ERROR WHERE CodError = ?1"),
                                {QString::fromLatin1(code)})
                         .toString()
                         .trimmed()
                         .isEmpty())
            << code;
    EXPECT_EQ(db_->value(QStringLiteral("SELECT DescError FROM ERROR WHERE CodError = '0152'")).toString(),
              QStringLiteral("La información de la declaración fue grabada con inconsistencias. En "
                             "estas condiciones no podra ser enviada a KOVEL."));
}

TEST(ReferenceDataPlain, WithoutDemoThereAreNoTaxpayers)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ZAV.MDB"));
    ASSERT_TRUE(CreateDatabase(file, DatabaseOptions{}));
    test::TestDb db(file);
    EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) FROM CONT")).toInt(), 0);
    EXPECT_GT(db.value(QStringLiteral("SELECT count(*) FROM PARAM")).toInt(), 0);
}

} // namespace
} // namespace integrador
