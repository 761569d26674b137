#include "DbFixture.h"

#include <gtest/gtest.h>

using dao::Kind;
using dao::Variant;
using dbtest::DbFixture;

namespace {

struct KindCase {
    const char* declared;
    Variant stored;     // bound as is
    Kind kind;
    Variant read;       // expected value
    int size;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.declared; }

class FieldKinds : public DbFixture, public ::testing::WithParamInterface<KindCase> {};

TEST_P(FieldKinds, ComeFromTheDeclaredTypeAndNullStaysNull)
{
    const KindCase& c = GetParam();
    db_->Execute(QStringLiteral("CREATE TABLE K (v %1)").arg(QString::fromLatin1(c.declared)));
    db_->Execute(QStringLiteral("INSERT INTO K VALUES (?)"), 0, {c.stored});
    db_->Execute(QStringLiteral("INSERT INTO K VALUES (NULL)"));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT v FROM K ORDER BY rowid"), dao::dbOpenSnapshot);
    EXPECT_EQ(rs->Fields(0).Type(), c.kind);
    EXPECT_EQ(rs->Fields(0).Size(), c.size);
    const Variant v = rs->Fields(0).Value();
    EXPECT_EQ(dao::KindName(v.kind()), dao::KindName(c.kind));
    EXPECT_TRUE(v == c.read) << v.toText().toStdString();
    rs->MoveNext();
    EXPECT_TRUE(rs->Fields(0).Value().isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Declared, FieldKinds,
    ::testing::Values(
        KindCase{"BYTE", Variant(6), Kind::Byte, Variant::fromByte(6), 0},
        KindCase{"Byte", Variant("6"), Kind::Byte, Variant::fromByte(6), 0},
        KindCase{"INTEGER", Variant(-300), Kind::Integer, Variant::fromInteger(-300), 0},
        KindCase{"LONG", Variant(201305), Kind::Long, Variant::fromLong(201305), 0},
        KindCase{"DOUBLE", Variant(1.25), Kind::Double, Variant(1.25), 0},
        KindCase{"CURRENCY", Variant(12.3456), Kind::Currency, Variant::fromCurrencyScaled(123456), 0},
        KindCase{"DATETIME", Variant("2013-04-30"), Kind::Date, Variant(QDate(2013, 4, 30)), 0},
        KindCase{"DATETIME", Variant("2013-04-30 10:11:12"), Kind::Date,
                 Variant(QDateTime(QDate(2013, 4, 30), QTime(10, 11, 12))), 0},
        KindCase{"TEXT(4)", Variant("0947"), Kind::Text, Variant("0947"), 4},
        KindCase{"Text (6)", Variant(201305), Kind::Text, Variant("201305"), 6},
        KindCase{"TEXT", Variant("libre"), Kind::Text, Variant("libre"), 0},
        KindCase{"MEMO", Variant("Detalle"), Kind::Text, Variant("Detalle"), 0},
        KindCase{"YESNO", Variant(-1), Kind::Boolean, Variant(true), 0},
        KindCase{"YESNO", Variant(0), Kind::Boolean, Variant(false), 0}),
    [](const ::testing::TestParamInfo<KindCase>& i) {
        std::string n;
        for (const char* p = i.param.declared; *p; ++p)
            if (isalnum(static_cast<unsigned char>(*p)))
                n += *p;
        return n + "_" + std::to_string(i.index);
    });

TEST_F(DbFixture, ExpressionColumnsTakeTheKindOfTheirStoredValue)
{
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2011"), QStringLiteral("700"));
    auto rs = db_->OpenRecordset(
        QStringLiteral("SELECT count(*) AS sTot, max(Anho) AS SecTipo, sum(tip_doc_d) * 0.5 AS mitad, "
                       "substr(periodo, 1, 4) AS PER FROM F0947_PTCEA"),
        dao::dbOpenSnapshot);
    EXPECT_TRUE(rs->Fields(QStringLiteral("stot")).Value() == Variant::fromLong(2));
    EXPECT_TRUE(rs->Fields(QStringLiteral("SecTipo")).Value() == Variant("2012"));
    EXPECT_TRUE(rs->Fields(QStringLiteral("mitad")).Value() == Variant(6.0));
    EXPECT_TRUE(rs->Fields(QStringLiteral("per")).Value() == Variant("2013"));
    // An aggregate over no rows is Null, whatever it would have been.
    auto none = db_->OpenRecordset(QStringLiteral("SELECT max(Anho) AS m FROM F0947_PTCEA WHERE Anho = ?"),
                                   dao::dbOpenSnapshot, {QStringLiteral("1900")});
    EXPECT_TRUE(none->Fields(0).Value().isNull());
}

TEST_F(DbFixture, SelectAllKeepsTheTablesColumnOrderForTheRowCheckValue)
{
    addLoss(QStringLiteral("20000000001"), QStringLiteral("2012"), QStringLiteral("15000"));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM F0947_PTCEA"));
    const char* order[] = {"tip_doc_d", "doc_id_d", "periodo", "formulario", "Anho", "Importe", "cnumero"};
    ASSERT_EQ(rs->FieldCount(), 7);   // the hidden rowid is not a field
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(rs->Fields(i).Name(), QString::fromLatin1(order[i]));
    EXPECT_TRUE(rs->Fields(0).Value() == Variant::fromByte(6));
    EXPECT_TRUE(rs->Fields(3).Value() == Variant("0947"));
}

} // namespace

namespace {

// Rows are kept as read and turned into values when asked for: values a column's type
// cannot hold, numbers in text columns and blobs read as they did when every value was
// converted at open, however often and in whatever order they are asked for.
TEST_F(DbFixture, ValuesOfRowsReadAtOpenAreTheSameWhenAskedAgain)
{
    db_->Execute(QStringLiteral("CREATE TABLE M (n LONG, t TEXT(6), d DOUBLE, x)"));
    db_->Execute(QStringLiteral("INSERT INTO M VALUES ('abc', 2.5, 7, x'414243')"));
    db_->Execute(QStringLiteral("INSERT INTO M VALUES (5000000000, NULL, '1.5', 12)"));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT n, t, d, x FROM M ORDER BY rowid"), dao::dbOpenSnapshot);
    for (int vez = 0; vez < 2; ++vez) {
        rs->MoveFirst();
        EXPECT_TRUE(rs->Fields(0).Value() == Variant("abc"));   // shown as stored
        EXPECT_TRUE(rs->Fields(1).Value() == Variant("2.5"));
        EXPECT_TRUE(rs->Fields(2).Value() == Variant(7.0));
        EXPECT_TRUE(rs->Fields(3).Value() == Variant("ABC"));
        rs->MoveNext();
        EXPECT_TRUE(rs->Fields(0).Value() == Variant(5000000000.0));
        EXPECT_TRUE(rs->Fields(1).Value().isNull());
        EXPECT_TRUE(rs->Fields(2).Value() == Variant(1.5));
        EXPECT_TRUE(rs->Fields(3).Value() == Variant::fromLong(12));
    }
    EXPECT_EQ(rs->RecordCount(), 2);
}

} // namespace
