#include "platform/hostsuite/clsUtilitarios.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using zav::clsUtilitarios;

namespace {

struct RucCase {
    const char* ruc;
    bool valid;
    const char* why;
};

class ValidaRUCTest : public ::testing::TestWithParam<RucCase> {};

TEST_P(ValidaRUCTest, FollowsPrefixAndCheckDigitRule)
{
    const RucCase& c = GetParam();
    EXPECT_EQ(clsUtilitarios().ValidaRUC(QString::fromUtf8(c.ruc)), c.valid) << c.ruc << " (" << c.why << ")";
}

// Check digits worked out by hand from the weights 5,4,3,2,7,6,5,4,3,2.
INSTANTIATE_TEST_SUITE_P(
    Table, ValidaRUCTest,
    ::testing::Values(RucCase{"10456789124", true, "prefix 10"}, RucCase{"15456789126", true, "prefix 15"},
                      RucCase{"16456789122", true, "prefix 16"}, RucCase{"17456789129", true, "prefix 17"},
                      RucCase{"20123456786", true, "prefix 20"},
                      RucCase{"20000000001", true, "sum mod 11 = 10: 11 - 10 = 1"},
                      RucCase{"20000000010", true, "11 - sum mod 11 = 10 becomes 0"},
                      RucCase{"20000000061", true, "11 - sum mod 11 = 11 becomes 1"},
                      RucCase{"10123456781", true, "11 becomes 1, prefix 10"},
                      RucCase{"20000000011", false, "10 must become 0, not 1"},
                      RucCase{"20000000060", false, "11 must become 1, not 0"},
                      RucCase{"10456789125", false, "wrong check digit"},
                      RucCase{"20123456780", false, "wrong check digit"},
                      RucCase{"11000000000", false, "prefix 11"}, RucCase{"30000000004", false, "prefix 30"},
                      RucCase{"00000000000", false, "prefix 00 (sum 0)"},
                      RucCase{"2000000001", false, "10 digits"}, RucCase{"200000000010", false, "12 digits"},
                      RucCase{"2000000000A", false, "letter as check digit"},
                      RucCase{"2O000000001", false, "letter O for zero"},
                      RucCase{" 20000000001", false, "leading blank"},
                      RucCase{"20000000001 ", false, "trailing blank"},
                      RucCase{"20000 00001", false, "inner blank"}, RucCase{"", false, "empty"},
                      RucCase{"\xd9\xa2\xd9\xa0" "000000001", false, "non-ASCII digits"}),
    [](const ::testing::TestParamInfo<RucCase>& info) {
        std::string name = std::to_string(info.index) + "_";
        for (const char* p = info.param.why; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(GeneraCodigoHash, IsFirstSixteenHexOfSha1OfWindows1252Bytes)
{
    clsUtilitarios u;
    EXPECT_EQ(u.GeneraCodigoHash(QStringLiteral("abc")), QStringLiteral("A9993E364706816A"));
    // "Ñ" is the single byte 0xD1, not its two UTF-8 bytes.
    EXPECT_EQ(u.GeneraCodigoHash(QStringLiteral("Ñ")), QStringLiteral("C314F8C1FA13E1AF"));
    EXPECT_EQ(u.GeneraCodigoHash(QStringLiteral("Año €")), QStringLiteral("CEF7148AF4B1CB3B"));
    EXPECT_EQ(u.GeneraCodigoHash(QString()), QStringLiteral("DA39A3EE5E6B4B0D"));
}

TEST(ValidaNumeroOrden, AcceptsOnlyTheCheckCodeOfControlAndOrder)
{
    clsUtilitarios u;
    // otraOrden: an order number whose own code differs (the second character is one of
    // sixteen, so some other orders share a code by chance).
    struct Case {
        QString control, orden, codigo, otraOrden;
    };
    const Case cases[] = {
        {QStringLiteral("A1B2C3"), QStringLiteral("12345678"), QStringLiteral("1D"), QStringLiteral("123456789")},
        {QStringLiteral("CONTROLÑ"), QStringLiteral("0000000001"), QStringLiteral("C3"), QStringLiteral("0000000000")},
        {QStringLiteral("XYZ123"), QStringLiteral("87654321"), QStringLiteral("0E"), QStringLiteral("12345679")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control.toStdString());
        EXPECT_TRUE(u.ValidaNumeroOrden(c.control, c.orden, c.codigo));
        EXPECT_FALSE(u.ValidaNumeroOrden(c.control, c.orden, c.codigo.left(1)));
        EXPECT_FALSE(u.ValidaNumeroOrden(c.control, c.orden, c.codigo + QLatin1Char('0')));
        EXPECT_FALSE(u.ValidaNumeroOrden(c.control, c.orden, QString(c.codigo).replace(1, 1, QLatin1Char('X'))));
        EXPECT_FALSE(u.ValidaNumeroOrden(c.control, c.otraOrden, c.codigo));
        EXPECT_FALSE(u.ValidaNumeroOrden(c.control, c.orden, QString()));
    }
    // The order number alone does not fix the code: another control gives another one.
    EXPECT_FALSE(u.ValidaNumeroOrden(QStringLiteral("XYZ123"), QStringLiteral("12345678"), QStringLiteral("1D")));
}

TEST(Padding, RellenaDerechaGivesExactlyWidthAlineaDerechaNeverCuts)
{
    clsUtilitarios u;
    struct Case {
        QString text;
        int width;
        QString rellena, alinea;
    };
    const Case cases[] = {
        {QStringLiteral("RUC"), 6, QStringLiteral("RUC   "), QStringLiteral("   RUC")},
        {QStringLiteral("RUC"), 3, QStringLiteral("RUC"), QStringLiteral("RUC")},
        {QStringLiteral("PASAPORTE"), 4, QStringLiteral("PASA"), QStringLiteral("PASAPORTE")},
        {QString(), 3, QStringLiteral("   "), QStringLiteral("   ")},
        {QStringLiteral("Ñandú"), 7, QStringLiteral("Ñandú  "), QStringLiteral("  Ñandú")},
        {QStringLiteral("x"), 0, QString(), QStringLiteral("x")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.text + QLatin1Char('/') + QString::number(c.width)).toStdString());
        EXPECT_EQ(u.RellenaDerecha(c.text, c.width), c.rellena);
        EXPECT_EQ(u.AlineaDerecha(c.text, c.width), c.alinea);
    }
    EXPECT_EQ(u.RellenaDerecha(QStringLiteral("RUC"), 60).size(), 60);
}

TEST(ValidaRangoFecha, RealDatesInsideInclusiveLimits)
{
    clsUtilitarios u;
    const QString lo = QStringLiteral("01/01/1850"), hi = QStringLiteral("01/01/2500");
    struct Case {
        const char* fecha;
        bool ok;
    };
    const Case cases[] = {
        {"15/06/2013", true},  {"01/01/1850", true},  {"01/01/2500", true},  {"31/12/1849", false},
        {"02/01/2500", false}, {"29/02/2012", true},  {"29/02/2013", false}, {"31/02/2013", false},
        {"31/04/2013", false}, {"00/01/2013", false}, {"01/13/2013", false}, {"1/1/2013", false},
        {"01-01-2013", false}, {"__/__/____", false}, {"", false},           {"01/01/2013 ", false},
        {"0a/01/2013", false}, {"+1/01/2013", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(u.ValidaRangoFecha(QString::fromLatin1(c.fecha), lo, hi), c.ok) << c.fecha;
    // A limit that is not a date admits nothing.
    EXPECT_FALSE(u.ValidaRangoFecha(QStringLiteral("15/06/2013"), QStringLiteral("31/02/2000"), hi));
    // Limits compare as dates, not as texts ("02/01/2013" sorts after "01/02/2013").
    EXPECT_TRUE(u.ValidaRangoFecha(QStringLiteral("15/01/2013"), QStringLiteral("02/01/2013"),
                                   QStringLiteral("01/02/2013")));
}

TEST(DocumentNumbers, NumericAndAlphanumericChecks)
{
    clsUtilitarios u;
    struct Case {
        const char* numero;
        bool numerico, alfanumerico;
    };
    const Case cases[] = {
        {"20100047218", true, true}, {"AB123456", false, true}, {"", false, false},
        {"   ", false, false},       {"12 34", false, false},   {"12-34", false, false},
        {"1234  ", true, true},      {"\xc3\x91" "123", false, false}, {"12.5", false, false},
    };
    for (const Case& c : cases) {
        const QString n = QString::fromUtf8(c.numero);
        EXPECT_EQ(u.ValidaNumerico(n, 0, 0, 0), c.numerico) << c.numero;
        EXPECT_EQ(u.ValidaAlfanumerico(n, 0, 0), c.alfanumerico) << c.numero;
    }
}

TEST(KeyFilters, NumericKeepsDigitsBackspaceEnterTextKeepsPrintable)
{
    clsUtilitarios u;
    struct Case {
        int key;
        bool numerica, texto;
    };
    const Case cases[] = {
        {'0', true, true},  {'9', true, true},   {8, true, true},      {13, true, true},
        {'a', false, true}, {'Z', false, true},  {' ', false, true},   {0xD1, false, true} /* Ñ */,
        {0xF1, false, true} /* ñ */,             {0xE9, false, true} /* é */,
        {'.', false, true}, {'-', false, true},  {'/', false, true},   {'|', false, false},
        {22, false, false} /* Ctrl+V */,         {3, false, false} /* Ctrl+C */,
        {9, false, false},  {27, false, false},  {127, false, false},  {0x85, false, false},
        {0x20AC, false, true} /* € */,           {0x4E2D, false, false} /* not in Windows-1252 */,
        {'+', false, true}, {0, false, false},   {-1, false, false},   {0x1F600, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(u.FiltraTeclaNumerica(c.key, 0, 0, 0), c.numerica ? c.key : 0) << c.key;
        EXPECT_EQ(u.FiltraTeclaNumerica(c.key), c.numerica ? c.key : 0) << c.key;
        EXPECT_EQ(u.FiltraTeclaTexto(c.key), c.texto ? c.key : 0) << c.key;
    }
}

TEST(ArchivoExiste, FilesOnlyNotFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("RPT0001.txt"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    clsUtilitarios u;
    EXPECT_TRUE(u.ArchivoExiste(file));
    EXPECT_FALSE(u.ArchivoExiste(dir.filePath(QStringLiteral("otro.txt"))));
    EXPECT_FALSE(u.ArchivoExiste(dir.path()));
    EXPECT_FALSE(u.ArchivoExiste(QString()));
}

} // namespace
