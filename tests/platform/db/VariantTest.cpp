#include "platform/db/Variant.h"

#include "DbFixture.h"

#include <gtest/gtest.h>

using dao::Kind;
using dao::Variant;
using dbtest::errorOf;

namespace {

TEST(VariantText, NumbersInInvariantFormAndOtherKinds)
{
    struct Case {
        Variant v;
        const char* text;
    } cases[] = {
        {Variant(), ""},
        {Variant::fromByte(6), "6"},
        {Variant::fromLong(-20), "-20"},
        {Variant(20000000001.0), "20000000001"},
        {Variant(0.1 + 0.2), "0.3"},          // 15 significant digits, not the binary tail
        {Variant(-1.5), "-1.5"},
        {Variant::fromCurrency(15000.5), "15000.5"},
        {Variant::fromCurrency(-0.0001), "-0.0001"},
        {Variant::fromCurrency(12), "12"},
        {Variant(true), "True"},
        {Variant(QDate(2013, 4, 30)), "30/04/2013"},
        {Variant(QDateTime(QDate(2013, 4, 30), QTime(9, 5, 7))), "30/04/2013 09:05:07"},
        {Variant(" 0947 "), " 0947 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.v.toText(), QString::fromUtf8(c.text)) << dao::KindName(c.v.kind()).toStdString();
}

TEST(VariantNumber, BooleanTrueIsMinusOneAndTextIsParsed)
{
    EXPECT_EQ(Variant(true).toDouble(), -1.0);
    EXPECT_EQ(Variant(false).toDouble(), 0.0);
    bool ok = false;
    EXPECT_EQ(Variant(" 0947 ").toDouble(&ok), 947.0);
    EXPECT_TRUE(ok);
    Variant("12a").toDouble(&ok);
    EXPECT_FALSE(ok);
    Variant().toDouble(&ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Variant(2.5).toInt64(), 2);   // half to even
    EXPECT_EQ(Variant(3.5).toInt64(), 4);
}

TEST(VariantDate, TextFormsAndDaySerial)
{
    EXPECT_EQ(Variant("2013-04-30").toDate(), QDateTime(QDate(2013, 4, 30), QTime(0, 0)));
    EXPECT_EQ(Variant("2013-04-30 10:11:12").toDate(), QDateTime(QDate(2013, 4, 30), QTime(10, 11, 12)));
    EXPECT_EQ(Variant("30/04/2013").toDate(), QDateTime(QDate(2013, 4, 30), QTime(0, 0)));
    EXPECT_FALSE(Variant("31/02/2013").toDate().isValid());
    EXPECT_FALSE(Variant("abc").toDate().isValid());
    // Day 1 of the engine's calendar is 31 December 1899.
    EXPECT_EQ(Variant(QDate(1899, 12, 31)).toDouble(), 1.0);
    EXPECT_EQ(Variant(QDateTime(QDate(1900, 1, 1), QTime(12, 0))).toDouble(), 2.5);
    EXPECT_EQ(dao::SerialToDate(2.5), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));
}

struct ConvCase {
    const char* name;
    Variant in;
    Kind kind;
    int size;
    Variant expected;   // ignored when error is set
    int error;
};

void PrintTo(const ConvCase& c, std::ostream* os) { *os << c.name; }

class VariantConversion : public ::testing::TestWithParam<ConvCase> {};

TEST_P(VariantConversion, AsStoringInAFieldOfThatKind)
{
    const ConvCase& c = GetParam();
    if (c.error) {
        EXPECT_EQ(errorOf([&] { c.in.convertedTo(c.kind, c.size); }), c.error);
        return;
    }
    const Variant out = c.in.convertedTo(c.kind, c.size);
    EXPECT_EQ(out.kind(), c.expected.kind());
    EXPECT_TRUE(out == c.expected) << out.toText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VariantConversion,
    ::testing::Values(
        ConvCase{"TextToByte", Variant("6"), Kind::Byte, 0, Variant::fromByte(6), 0},
        ConvCase{"PaddedTextToByte", Variant(" 6 "), Kind::Byte, 0, Variant::fromByte(6), 0},
        ConvCase{"HalfToEvenByte", Variant(6.5), Kind::Byte, 0, Variant::fromByte(6), 0},
        ConvCase{"LettersToByte", Variant("seis"), Kind::Byte, 0, {}, dao::err::ConversionError},
        ConvCase{"EmptyToLong", Variant(""), Kind::Long, 0, {}, dao::err::ConversionError},
        ConvCase{"ByteOverflow", Variant(256), Kind::Byte, 0, {}, dao::err::NumericOverflow},
        ConvCase{"NegativeByte", Variant(-1), Kind::Byte, 0, {}, dao::err::NumericOverflow},
        ConvCase{"IntegerOverflow", Variant(32768), Kind::Integer, 0, {}, dao::err::NumericOverflow},
        ConvCase{"IntegerEdge", Variant("-32768"), Kind::Integer, 0, Variant::fromInteger(-32768), 0},
        ConvCase{"TextFits", Variant("0947"), Kind::Text, 4, Variant("0947"), 0},
        ConvCase{"TextTooLong", Variant("09470"), Kind::Text, 4, {}, dao::err::FieldTooSmall},
        ConvCase{"NumberToText", Variant(15000), Kind::Text, 15, Variant("15000"), 0},
        ConvCase{"NumberTooLongForText", Variant(123456), Kind::Text, 4, {}, dao::err::FieldTooSmall},
        ConvCase{"NullStaysNull", Variant(), Kind::Byte, 0, Variant(), 0},
        ConvCase{"TextToCurrency", Variant("15000.5"), Kind::Currency, 0, Variant::fromCurrency(15000.5), 0},
        ConvCase{"TextToDouble", Variant("1e3"), Kind::Double, 0, Variant(1000.0), 0},
        ConvCase{"IsoTextToDate", Variant("2013-04-30"), Kind::Date, 0, Variant(QDate(2013, 4, 30)), 0},
        ConvCase{"DayFirstTextToDate", Variant("30/04/2013"), Kind::Date, 0, Variant(QDate(2013, 4, 30)), 0},
        ConvCase{"LettersToDate", Variant("ayer"), Kind::Date, 0, {}, dao::err::ConversionError},
        ConvCase{"NumberToBoolean", Variant(5), Kind::Boolean, 0, Variant(true), 0},
        ConvCase{"TextToBoolean", Variant("False"), Kind::Boolean, 0, Variant(false), 0},
        ConvCase{"LettersToBoolean", Variant("quizas"), Kind::Boolean, 0, {}, dao::err::ConversionError},
        ConvCase{"BooleanToInteger", Variant(true), Kind::Integer, 0, Variant::fromInteger(-1), 0}),
    [](const ::testing::TestParamInfo<ConvCase>& i) { return std::string(i.param.name); });

} // namespace
