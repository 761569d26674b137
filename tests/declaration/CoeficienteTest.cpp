// The coefficient or percentage of box 610 and the small-business (MYPE) boxes.
#include "CasillasFixture.h"

namespace {

struct CasoCoeficiente {
    const char* nombre;
    const char* periodo;
    const char* sistema;
    std::vector<Caja> entradas; // under the stability agreement, so box 113 is typed
    const char* c610;
};

void PrintTo(const CasoCoeficiente& c, std::ostream* os)
{
    *os << c.nombre;
}

const CasoCoeficiente kCasos[] = {
    {"antes_2013_coeficiente", "201208", "A", {{113, "30000"}, {461, "1000000"}}, "0.0300"},
    {"antes_2013_porcentaje", "201208", "B", {{113, "30000"}, {461, "1000000"}}, "3.00"},
    {"antes_2013_sin_sistema", "201208", " ", {{113, "30000"}, {461, "1000000"}}, ""},
    {"antes_2013_ingreso_cero_a", "201208", "A", {{113, "30000"}, {461, "1000"}, {462, "1000"}}, "0.0000"},
    {"antes_2013_ingreso_negativo_b", "201208", "B", {{113, "30000"}, {461, "1000"}, {462, "5000"}}, "0.00"},
    {"antes_2013_ingreso_cero_sin_sistema", "201208", "", {{113, "5"}}, "0.00"},
    {"desde_2013_sistema_no_cuenta", "201305", "B", {{113, "30000"}, {461, "1000000"}}, "0.0300"},
    {"desde_2013_ingreso_cero", "201705", "B", {{113, "30000"}}, "0.0000"},
    {"desde_2013_651_resta", "201305", "", {{113, "30000"}, {651, "200000"}, {461, "1000000"}}, "0.0375"},
    {"antes_2013_651_no_cuenta", "201208", "A", {{113, "30000"}, {651, "200000"}, {461, "1000000"}}, "0.0300"},
    {"desde_2013_481_suma", "201305", "", {{113, "30000"}, {461, "1000000"}, {481, "200000"}}, "0.0250"},
    {"antes_2013_481_no_cuenta", "201208", "A", {{113, "30000"}, {461, "1000000"}, {481, "200000"}}, "0.0300"},
    {"433_resta", "201208", "A", {{113, "30000"}, {433, "250000"}, {461, "1000000"}}, "0.0400"},
    {"cuatro_decimales", "201305", "", {{113, "2"}, {461, "3"}}, "0.6667"},
    {"porcentaje_del_coeficiente_redondeado", "201208", "B", {{113, "2"}, {461, "3"}}, "66.67"},
    {"coeficiente_grande", "201208", "A", {{113, "50000000"}, {461, "10"}}, "5,000,000.0000"},
    {"porcentaje_grande", "201208", "B", {{113, "50000000"}, {461, "10"}}, "500,000,000.00"},
    // Beyond the fixed-point range the quotient is shown as it is instead of stopping.
    {"coeficiente_fuera_de_rango", "201208", "A", {{113, "99999999999999999"}, {461, "1"}},
     "100,000,000,000,000,000.0000"},
    {"coeficiente_fuera_de_rango_desde_2013", "201305", "", {{113, "99999999999999999"}, {461, "1"}},
     "100,000,000,000,000,000.0000"},
    // 1/32 lies halfway between two ten-thousandths: the fixed point keeps the even one.
    {"cociente_a_mitad_de_diezmilesimo", "201208", "A", {{113, "1"}, {461, "32"}}, "0.0312"},
    {"porcentaje_del_cociente_a_mitad", "201208", "B", {{113, "1"}, {461, "32"}}, "3.12"},
    {"cociente_a_mitad_desde_2013", "201305", "", {{113, "1"}, {461, "32"}}, "0.0312"},
    {"impuesto_negativo_cuenta_en_valor_absoluto", "201208", "A", {{113, "(30,000)"}, {461, "1000000"}}, "0.0300"},
    {"todos_los_ingresos_desde_2013", "201705", "",
     {{113, "11"}, {433, "10"}, {481, "10"}, {651, "50"}, {462, "100"}, {473, "200"}, {475, "30"}, {477, "20"},
      {461, "1000"}},
     "0.0100"},
};

// At large amounts the quotient times 10000 is no longer exact in a double: the rounding to a
// ten-thousandth must come from the exact quotient.
const CasoCoeficiente kCasosGrandes[] = {
    // 66128594453.2404558...: a double product falls on a false half and went to .2404
    {"falsa_mitad_desde_2013", "201705", "", {{113, "232111366530874"}, {461, "3510"}}, "66,128,594,453.2405"},
    {"falsa_mitad_sistema_a", "201208", "A", {{113, "232111366530874"}, {461, "3510"}}, "66,128,594,453.2405"},
    {"falsa_mitad_porcentaje", "201208", "B", {{113, "232111366530874"}, {461, "3510"}}, "6,612,859,445,324.05"},
    {"falsa_mitad_ingreso_de_varias_casillas", "201705", "",
     {{113, "232111366530874"}, {651, "600"}, {481, "110"}, {462, "1000"}, {461, "5000"}},
     "66,128,594,453.2405"},
    // 8180638572.08174996...: just below the half, which the double product rounds up
    {"bajo_la_mitad", "201705", "", {{113, "593611676705968"}, {461, "72563"}}, "8,180,638,572.0817"},
    // exact halves keep the even ten-thousandth, down and up
    {"mitad_exacta_a_par_abajo", "201705", "", {{113, "123456789012345"}, {461, "20000"}}, "6,172,839,450.6172"},
    {"mitad_exacta_a_par_arriba", "201208", "A", {{113, "123456789012347"}, {461, "20000"}}, "6,172,839,450.6174"},
    {"mitad_exacta_pequena", "201705", "", {{113, "3"}, {461, "32"}}, "0.0938"},
    // more than 15 significant digits: every decimal is kept
    {"diecinueve_cifras", "201705", "", {{113, "999999999999999"}, {461, "7"}}, "142,857,142,857,142.7143"},
    {"diecinueve_cifras_sistema_a", "201208", "A", {{113, "999999999999999"}, {461, "7"}},
     "142,857,142,857,142.7143"},
    // the percentage is the rounded coefficient times 100 (0.12345 -> 0.1234 -> 12.34)
    {"porcentaje_de_mitad_exacta", "201208", "B", {{113, "2469"}, {461, "20000"}}, "12.34"},
    {"porcentaje_grande_desde_el_coeficiente", "201208", "B", {{113, "593611676705968"}, {461, "72563"}},
     "818,063,857,208.17"},
};

class Coeficiente : public CasillasTest, public ::testing::WithParamInterface<CasoCoeficiente> {
protected:
    void SetUp() override
    {
        CasillasTest::SetUp();
        if (HasFatalFailure())
            return;
        vista.modulo.Periodo = QString::fromUtf8(GetParam().periodo);
        vista.modulo.Sistema = QString::fromUtf8(GetParam().sistema);
        m.Resp().optRenta = 4;
    }
};

} // namespace

TEST_P(Coeficiente, Box610)
{
    Pon(GetParam().entradas);
    EXPECT_EQ(m.Texto(610), QString::fromUtf8(GetParam().c610));
}

INSTANTIATE_TEST_SUITE_P(Casos, Coeficiente, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });
INSTANTIATE_TEST_SUITE_P(Grandes, Coeficiente, ::testing::ValuesIn(kCasosGrandes),
                         [](const auto& info) { return std::string(info.param.nombre); });

class CoeficienteTest : public CasillasTest {
protected:
    void SetUp() override
    {
        CasillasTest::SetUp();
        if (HasFatalFailure())
            return;
        vista.modulo.Periodo = QStringLiteral("201208");
        vista.modulo.Sistema = QStringLiteral("A");
        m.Resp().optRenta = 4;
    }
};

TEST_F(CoeficienteTest, RecomputedOnlyAfterTheNamedChanges)
{
    Pon({{113, "30000"}, {461, "1000000"}});
    ASSERT_EQ(m.Texto(610), QStringLiteral("0.0300"));
    // Income boxes that are no trigger: 433 and 651 come from the annex, 476 is no income.
    Pon({{433, "250000"}, {476, "5"}});
    EXPECT_EQ(m.Texto(610), QStringLiteral("0.0300"));
    m.AnexoCerrado();
    EXPECT_EQ(m.Texto(610), QStringLiteral("0.0400"));

    vista.modulo.Sistema = QStringLiteral("B");
    m.LblSistema_Change();
    EXPECT_EQ(m.Texto(610), QStringLiteral("4.00"));
    vista.modulo.Sistema = QStringLiteral(" ");
    m.LblSistema_Change();
    EXPECT_EQ(m.Texto(610), QString());
}

TEST_F(CoeficienteTest, FollowsTheComputedTax)
{
    m.Resp().optRenta = 0;
    m.Resp().OptPersona = 0;
    m.PonTexto(461, QStringLiteral("1000000"));
    EXPECT_EQ(m.Texto(113), QStringLiteral("300,000"));
    EXPECT_EQ(m.Texto(610), QStringLiteral("0.3000"));
    m.PonTexto(464, QStringLiteral("500000")); // halves the tax, not the income
    EXPECT_EQ(m.Texto(113), QStringLiteral("150,000"));
    EXPECT_EQ(m.Texto(610), QStringLiteral("0.1500"));
}

TEST_F(CoeficienteTest, From2013Box481ChangesTheCoefficient)
{
    vista.modulo.Periodo = QStringLiteral("201305");
    Pon({{113, "30000"}, {461, "1000000"}});
    m.PonTexto(481, QStringLiteral("200000"));
    EXPECT_EQ(m.Texto(610), QStringLiteral("0.0250"));
    m.PonTexto(481, QString());
    EXPECT_EQ(m.Texto(610), QStringLiteral("0.0300"));
}

TEST_F(CoeficienteTest, From2013TheBoxIsWrittenAsPlainNumberThenFormatted)
{
    vista.modulo.Periodo = QStringLiteral("201305");
    m.PonTexto(113, QStringLiteral("30000"));
    vista.textos.clear();
    m.PonTexto(461, QStringLiteral("1000000"));
    std::vector<QString> escritos;
    for (const auto& [n, t] : vista.textos)
        if (n == 610)
            escritos.push_back(t);
    EXPECT_EQ(escritos, (std::vector<QString>{QStringLiteral("0.03"), QStringLiteral("0.0300")}));

    // The plain number keeps every digit of a large coefficient too.
    m.PonTexto(113, QStringLiteral("232111366530874"));
    vista.textos.clear();
    m.PonTexto(461, QStringLiteral("3510"));
    escritos.clear();
    for (const auto& [n, t] : vista.textos)
        if (n == 610)
            escritos.push_back(t);
    EXPECT_EQ(escritos,
              (std::vector<QString>{QStringLiteral("66128594453.2405"), QStringLiteral("66,128,594,453.2405")}));
}

TEST_F(CoeficienteTest, ChangedBoxIsReformattedByItsSystemBefore2013Only)
{
    struct Caso {
        const char* periodo;
        const char* sistema;
        const char* esperado;
    };
    for (const Caso& c : {Caso{"201208", "A", "1,234.5000"}, Caso{"201208", "B", "1,234.50"},
                          Caso{"201208", "", "1,234.50"}, Caso{"201305", "A", "1234.5"}}) {
        vista.modulo.Periodo = QString::fromUtf8(c.periodo);
        vista.modulo.Sistema = QString::fromUtf8(c.sistema);
        m.PonTexto(610, QString());
        m.PonTexto(610, QStringLiteral("1234.5"));
        EXPECT_EQ(m.Texto(610), QString::fromUtf8(c.esperado)) << c.periodo << c.sistema;
    }
}

class MypeTest : public CasillasTest {
protected:
    void SetUp() override
    {
        CasillasTest::SetUp();
        if (HasFatalFailure())
            return;
        vista.modulo.Periodo = QStringLiteral("201705");
        m.Resp().optRenta = 5;
        m.Resp().mUIT = QStringLiteral("4050");
    }
    void EsperaMypeVacia(const char* caso)
    {
        Espera({{250, ""}, {251, ""}, {252, ""}, {253, ""}}, caso);
    }
};

TEST_F(MypeTest, FrameShownUpTo300TaxUnits)
{
    m.PonTexto(461, QStringLiteral("1215000"));
    ASSERT_TRUE(vista.mype.has_value());
    EXPECT_TRUE(*vista.mype);
    EXPECT_DOUBLE_EQ(m.IngresoNetos(), 1215000);
    EXPECT_FALSE(m.Texto(250).isEmpty());
    m.PonTexto(251, QStringLiteral("100"));

    m.PonTexto(461, QStringLiteral("1215001"));
    EXPECT_FALSE(*vista.mype);
    EsperaMypeVacia("above 300 UIT");
}

TEST_F(MypeTest, IncomeTestFollowsEveryIncomeBox)
{
    m.PonTexto(461, QStringLiteral("1215001"));
    ASSERT_FALSE(*vista.mype);
    struct Caso {
        int casilla;
        const char* texto;
        bool visible;
    };
    // Exempt income (433) lowers the test's income; the other three raise it.
    for (const Caso& c : {Caso{433, "1", true}, Caso{473, "1", false}, Caso{433, "2", true}, Caso{475, "1", false},
                          Caso{433, "3", true}, Caso{477, "1", false}, Caso{462, "1", true}, Caso{476, "50", true}}) {
        m.PonTexto(c.casilla, QString::fromUtf8(c.texto));
        EXPECT_EQ(*vista.mype, c.visible) << c.casilla << " " << c.texto;
    }
}

TEST_F(MypeTest, HiddenBoxesStayEmptyWhateverReachesBox110)
{
    m.PonTexto(461, QStringLiteral("2000000"));
    EsperaMypeVacia("sales");
    // Changes below net sales reach box 110 without passing the income test of box 463.
    for (const Caja& c : std::vector<Caja>{{103, "1000"}, {108, "50"}, {468, "20"}, {486, "7"}}) {
        m.PonTexto(c.first, QString::fromUtf8(c.second));
        EsperaMypeVacia("after a change below sales");
    }
    EXPECT_EQ(m.Texto(110), QStringLiteral("2,000,923"));
}

TEST_F(MypeTest, ProjectedTaxBrackets)
{
    struct Caso {
        const char* uit;
        const char* c110;
        const char* c250;
    };
    const Caso casos[] = {
        {"4050", "70000", "23,554"}, // 120000 a year: 6075 + 59250 x 29.5 %
        {"4200", "36750", "6,300"},  // exactly 15 UIT a year: 10 %
        {"4200", "36757", "6,304"},  // 12 above: 6300 + 3.54
        {"4200", "7", "1"},          // 12 a year: 1.2
        {"", "7000", "3,540"},       // no tax unit: every sol above 0 at 29.5 %
    };
    for (const Caso& c : casos) {
        m.Resp().mUIT = QString::fromUtf8(c.uit);
        m.PonTexto(106, QString::fromUtf8(c.c110));
        EXPECT_EQ(m.Texto(250), QString::fromUtf8(c.c250)) << c.uit << " " << c.c110;
        EXPECT_EQ(m.Texto(253), QString::fromUtf8(c.c250)) << c.uit << " " << c.c110;
        m.PonTexto(106, QString());
    }
}

TEST_F(MypeTest, PendingAmount)
{
    Pon({{250, "23,554"}, {251, "10000"}, {252, "15000"}});
    EXPECT_EQ(m.Texto(253), QStringLiteral("(1,446)"));
    Pon({{251, "(2,000)"}, {252, ""}});
    EXPECT_EQ(m.Texto(253), QStringLiteral("21,554"));
}

TEST_F(MypeTest, NoTaxUnitMeansNoLimit)
{
    m.Resp().mUIT = QString();
    m.PonTexto(461, QStringLiteral("1"));
    EXPECT_FALSE(*vista.mype);
    EsperaMypeVacia("no tax unit");
}

TEST_F(CasillasTest, IncomeTestOnlyUnderMype)
{
    m.PonTexto(461, QStringLiteral("5000"));
    EXPECT_DOUBLE_EQ(m.IngresoNetos(), 0);
    EXPECT_FALSE(vista.mype.has_value());
    m.PonTexto(106, QStringLiteral("70000"));
    EXPECT_EQ(m.Texto(250), QString());
}

TEST_F(CasillasTest, ValeReadsSignedExceptThePaymentBoxes)
{
    Pon({{250, "(2,000)"}, {251, "(2,000)"}, {252, "300"}, {500, "   "}, {501, "1,234"}});
    EXPECT_DOUBLE_EQ(m.Vale(250), -2000);
    EXPECT_DOUBLE_EQ(m.Vale(251), 2000);
    EXPECT_DOUBLE_EQ(m.Vale(252), 300);
    EXPECT_DOUBLE_EQ(m.Vale(500), 0);
    EXPECT_DOUBLE_EQ(m.Vale(501), 1234);
    EXPECT_DOUBLE_EQ(m.Vale(502), 0);
}
