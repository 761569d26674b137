#include "common/Clock.h"
#include "common/Runtime.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace zav;

namespace {

const char* const kShown = "###,###,###,##0";
const char* const kShownNeg = "###,###,###,##0;(###,###,###,##0)";
const char* const kEdited = "###########0";
const char* const kTwenty = "00000000000000000000";

struct FormatCase {
    double value;
    const char* mask;
    const char* expected;
};

class FormatNumber : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumber, MatchesTheOriginalRuntime)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(Format(c.value, QString(c.mask)), QString(c.expected)) << c.value << " with " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, FormatNumber,
    ::testing::Values(
        // Reduced to 15 digits first: 300 * 0.295 prints as 88.5, so it rounds up.
        FormatCase{88.49999999999999, kEdited, "89"}, FormatCase{300 * 0.295, kEdited, "89"},
        FormatCase{88.4999, kEdited, "88"}, FormatCase{2.675, "###,###,###,##0.00", "2.68"},
        FormatCase{1.00005, "###########0.0000", "1.0001"},
        // Half away from zero, on both sides.
        FormatCase{0.5, kEdited, "1"}, FormatCase{2.5, kEdited, "3"}, FormatCase{-2.5, kEdited, "-3"},
        FormatCase{-0.5, kShown, "-1"}, FormatCase{-1234.5, kShownNeg, "(1,235)"},
        // Grouping, including a carry that adds a group.
        FormatCase{0, kShown, "0"}, FormatCase{999, kShown, "999"}, FormatCase{1000, kShown, "1,000"},
        FormatCase{1234567.491, kShown, "1,234,567"}, FormatCase{1234567.891, kShown, "1,234,568"}, FormatCase{999999.5, kShown, "1,000,000"},
        FormatCase{-1234567, kShown, "-1,234,567"}, FormatCase{1e15, kShown, "1,000,000,000,000,000"},
        FormatCase{999999999999999, kEdited, "999999999999999"},
        FormatCase{123456789012.4, "##############0", "123456789012"},
        // Negative section: no minus sign; a value that rounds to zero has no sign at all.
        FormatCase{-1234, kShownNeg, "(1,234)"}, FormatCase{1234, kShownNeg, "1,234"},
        FormatCase{-0.4, kShownNeg, "0"}, FormatCase{-0.4, kShown, "0"}, FormatCase{-0.00001, "###########0.0000", "0.0000"},
        FormatCase{-1234.5, "###,###,###,##0.00;(###,###,###,##0.00)", "(1,234.50)"},
        // Decimals.
        FormatCase{1234.5, "###,###,###,##0.00", "1,234.50"}, FormatCase{0.125, "###,###,###,##0.00", "0.13"},
        FormatCase{0.99995, "###########0.0000", "1.0000"}, FormatCase{12.3456789, "###,###,###,##0.0000", "12.3457"},
        FormatCase{-7.005, "###########0.00", "-7.01"}, FormatCase{0.05, "###########0.0000", "0.0500"},
        FormatCase{5, "#.##", "5."}, FormatCase{5.1, "#.##", "5.1"},
        // Zero places pad; more digits than places all show.
        FormatCase{6, "00", "06"}, FormatCase{123, "00", "123"}, FormatCase{5, "000", "005"},
        FormatCase{947, "0000", "0947"}, FormatCase{12, "00000000", "00000012"},
        FormatCase{20000204271, kTwenty, "00000000020000204271"}, FormatCase{731, kTwenty, "00000000000000000731"},
        FormatCase{0, kTwenty, "00000000000000000000"}, FormatCase{9.5, "00", "10"},
        // Literals, quoted text and a zero section.
        FormatCase{5, "(#)", "(5)"}, FormatCase{5, "0\"%\"", "5%"}, FormatCase{5, "\\$0", "$5"},
        FormatCase{0, "0;(0);\"cero\"", "cero"}, FormatCase{-3, "0;;\"cero\"", "-3"},
        FormatCase{1.5, "", "1.5"}));

TEST(Format, TextIsFormattedOnlyWhenNumeric)
{
    struct {
        const char* text;
        const char* mask;
        const char* expected;
    } cases[] = {
        {"6", "00", "06"},
        {"0947", "0000", "0947"},
        {" 1,234.5 ", "###,###,###,##0.00", "1,234.50"},
        {"-5", kShownNeg, "(5)"},
        {"88.49999999999999", kEdited, "89"},
        {"", kShown, ""},
        {"abc", kShown, "abc"},
        {"12abc", "00", "12abc"},
        {"__/__/____", "dd/mm/yyyy", "__/__/____"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(QString(c.text), QString(c.mask)), QString(c.expected)) << c.text << " with " << c.mask;
}

TEST(Format, NonFiniteValueOverflows)
{
    EXPECT_THROW(Format(std::numeric_limits<double>::infinity(), kShown), RuntimeError);
    EXPECT_THROW(Format(std::nan(""), kShown), RuntimeError);
}

TEST(FormatDate, Masks)
{
    const QDate d(2013, 4, 30);
    EXPECT_EQ(FormatDate(d, "dd/mm/yyyy"), "30/04/2013");
    EXPECT_EQ(FormatDate(d, "yyyymmdd"), "20130430");
    EXPECT_EQ(FormatDate(d, "yyyy"), "2013");
    EXPECT_EQ(FormatDate(d, "mm"), "04");
    EXPECT_EQ(FormatDate(QDate(2013, 1, 5), "dd"), "05");
    EXPECT_EQ(FormatDate(QDate(2013, 1, 5), "d/m/yy"), "5/1/13");
    EXPECT_EQ(FormatDate(QDate(), "dd/mm/yyyy"), "");
}

TEST(Val, LeadingNumericPart)
{
    struct {
        const char* text;
        double expected;
    } cases[] = {
        {"", 0},          {"abc", 0},        {"  12 34 ", 1234}, {"1,234", 1},       {"(5)", 0},
        {"-3.5", -3.5},   {"+7", 7},         {".5", 0.5},        {"1.2.3", 1.2},     {"12abc", 12},
        {"\t-\t4", -4},   {"--5", 0},        {"1E3", 1000},      {"1d2", 100},       {"2e", 2},
        {"2e+", 2},       {"1e-2", 0.01},    {"15000", 15000},   {"0947", 947},      {"&HFF", 255},
        {"&hFFFF", -1},   {"&H8000", -32768}, {"&H10000", 65536}, {"&HFFFFFFFF", -1}, {"&O17", 15},
        {"&O8", 0},       {"&HZZ", 0},       {"&", 0},           {"-", 0},           {".", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(QString(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(Val, OutOfRangeOverflows)
{
    for (const char* t : {"1e400", "-1e400", "&H100000000"}) {
        try {
            Val(QString(t));
            ADD_FAILURE() << t << " did not throw";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number, ErrOverflow) << t;
        }
    }
}

TEST(Str, LeadingBlankAndFifteenDigits)
{
    struct {
        double value;
        const char* expected;
    } cases[] = {
        {5, " 5"},           {-5, "-5"},           {0, " 0"},
        {-0.0, " 0"},        {1.5, " 1.5"},        {3051, " 3051"},
        {0.5, " .5"},        {-0.25, "-.25"},      {0.1 + 0.2, " .3"},
        {0.0001, " .0001"},  {1.5e-5, " 1.5E-05"}, {123456789012345, " 123456789012345"},
        {1e15, " 1E+15"},    {-2.5e20, "-2.5E+20"}, {20000204271, " 20000204271"},
        {1.0 / 3, " .333333333333333"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Str(c.value), QString(c.expected)) << c.value;
}

TEST(IsNumeric, WholeTextMustBeANumber)
{
    struct {
        const char* text;
        bool expected;
    } cases[] = {
        {"", false},       {"  ", false},     {"12", true},     {" 12 ", true},  {"-12", true},
        {"+1.5", true},    {"1,234", true},   {"1,234.56", true}, {",12", false}, {"12,", false},
        {"1,,2", false},   {"1.2.3", false},  {"1e5", true},    {"1E-5", true},  {"1e", false},
        {".", false},      {".5", true},      {"5.", true},     {"abc", false},  {"12a", false},
        {"0947", true},    {"(5)", false},    {"1 2", false},   {"-", false},    {"20000000001", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNumeric(QString(c.text)), c.expected) << '"' << c.text << '"';
}

int errorNumber(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.Number;
    }
    return 0;
}

TEST(Conversions, RoundHalfToEven)
{
    struct {
        double value;
        int expected;
    } ints[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {2.4999, 2},
                {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto& c : ints)
        EXPECT_EQ(CInt(c.value), c.expected) << c.value;

    EXPECT_EQ(CByte(254.5), 254);
    EXPECT_EQ(CByte(255.4), 255);
    EXPECT_EQ(CByte(-0.5), 0);

    EXPECT_EQ(CCur(1.5), 15000);
    EXPECT_EQ(CCur(-2.25), -22500);
    EXPECT_EQ(CCur(1.23456), 12346);
    EXPECT_EQ(CCur(0.00125), 12);  // 12.5 ten-thousandths: to even
    EXPECT_EQ(CCur(0.00135), 14);
    EXPECT_EQ(CCur(123456789.1234), 1234567891234);
}

TEST(Conversions, OverflowAndTypeMismatch)
{
    EXPECT_EQ(errorNumber([] { CInt(32767.5); }), ErrOverflow);
    EXPECT_EQ(errorNumber([] { CInt(-32768.6); }), ErrOverflow);
    EXPECT_EQ(errorNumber([] { CInt(std::nan("")); }), ErrOverflow);
    EXPECT_EQ(errorNumber([] { CByte(255.5); }), ErrOverflow);
    EXPECT_EQ(errorNumber([] { CByte(-0.6); }), ErrOverflow);
    EXPECT_EQ(errorNumber([] { CCur(1e15); }), ErrOverflow);
    EXPECT_EQ(errorNumber([] { CInt(QString("40000")); }), ErrOverflow);
    EXPECT_EQ(errorNumber([] { CDbl(QString("1e400")); }), ErrOverflow);

    for (const char* t : {"", "abc", "12a", "(5)", " "}) {
        EXPECT_EQ(errorNumber([&] { CInt(QString(t)); }), ErrTypeMismatch) << t;
        EXPECT_EQ(errorNumber([&] { CByte(QString(t)); }), ErrTypeMismatch) << t;
        EXPECT_EQ(errorNumber([&] { CCur(QString(t)); }), ErrTypeMismatch) << t;
    }
    try {
        CInt(QString("x"));
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Description(), QStringLiteral("Los tipos de dato no coinciden."));
    }
    try {
        CInt(1e6);
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Description(), QStringLiteral("Desbordamiento: el número no cabe en su tipo."));
    }
}

// What went wrong where follows the number's text; a number without one keeps the detail.
TEST(Errors, DescriptionIsTheNumbersTextThenTheDetail)
{
    const struct {
        int numero;
        const char* detalle;
        const char* texto;
    } casos[] = {
        {75, "", "Error de acceso a la ruta o al archivo."},
        {75, "/h/RPT/00000001.PRN: No space left on device",
         "Error de acceso a la ruta o al archivo: /h/RPT/00000001.PRN: No space left on device."},
        {20545, "Trabajo cancelado", "Trabajo cancelado"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(RuntimeError(c.numero, QString::fromUtf8(c.detalle)).Description(), QString::fromUtf8(c.texto))
            << c.numero << " " << c.detalle;
}

TEST(Conversions, NumericText)
{
    EXPECT_EQ(CInt(QString("1,234")), 1234);
    EXPECT_EQ(CInt(QString(" 2.5 ")), 2);
    EXPECT_EQ(CByte(QString("06")), 6);
    EXPECT_EQ(CCur(QString("15000.00005")), 150000000); // ...0.5 of the last place: to even
    EXPECT_DOUBLE_EQ(CDbl(QString("-1,234.5e1")), -12345);
}

TEST(Strings, SlicingNeverFails)
{
    const QString abc = "abc";
    struct {
        QString got;
        const char* expected;
    } cases[] = {
        {Left(abc, 5), "abc"},      {Left(abc, 0), ""},        {Left(abc, -1), ""},
        {Left("", 3), ""},          {Right(abc, 2), "bc"},     {Right(abc, 5), "abc"},
        {Right(abc, -2), ""},       {Mid(abc, 1), "abc"},      {Mid(abc, 3), "c"},
        {Mid(abc, 4), ""},          {Mid(abc, 100), ""},       {Mid(abc, 0), "abc"},
        {Mid(abc, 2, 10), "bc"},    {Mid(abc, 2, 1), "b"},     {Mid(abc, 4, 1), ""},
        {Mid(abc, 2, 0), ""},       {Mid(abc, 2, -1), ""},     {Mid("", 1, 1), ""},
        {Trim("  a b\t  "), "a b\t"}, {LTrim("  a  "), "a  "}, {RTrim("  a  "), "  a"},
        {Trim("    "), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, QString(c.expected));
    EXPECT_EQ(Len(QStringLiteral("Ñandú")), 5);
    EXPECT_EQ(Mid(QStringLiteral("Ñandú"), 5, 1), QStringLiteral("ú"));
}

TEST(Clock, InjectedAndRestored)
{
    const QDateTime fixed(QDate(2013, 4, 30), QTime(23, 59, 58));
    SetClockForTests([fixed] { return fixed; });
    EXPECT_EQ(Now(), fixed);
    EXPECT_EQ(Today(), QDate(2013, 4, 30));

    SetClockForTests({});
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = Now();
    EXPECT_GE(now, before);
    EXPECT_LE(now, QDateTime::currentDateTime());
}

} // namespace
