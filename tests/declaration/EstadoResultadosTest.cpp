// The income statement, from the inputs to every derived box, with no regime chosen.
#include "CasillasFixture.h"

namespace {

struct CasoEstado {
    const char* nombre;
    std::vector<Caja> entradas;
    std::vector<Caja> esperado;
};

void PrintTo(const CasoEstado& c, std::ostream* os)
{
    *os << c.nombre;
}

// Every derived box of the statement and the tax page, in one order.
std::vector<Caja> Todas(const char* c463, const char* c466, const char* c467, const char* c470, const char* c471,
                        const char* c484, const char* c485, const char* c487, const char* c489, const char* c492,
                        const char* c493, const char* c100, const char* c101, const char* c106, const char* c107,
                        const char* c110, const char* c111)
{
    return {{463, c463}, {466, c466}, {467, c467}, {470, c470}, {471, c471}, {484, c484},
            {485, c485}, {487, c487}, {489, c489}, {492, c492}, {493, c493}, {100, c100},
            {101, c101}, {106, c106}, {107, c107}, {110, c110}, {111, c111}};
}

const CasoEstado kCasos[] = {
    {"solo_ventas", {{461, "1000"}},
     Todas("1,000", "1,000", "0", "1,000", "0", "1,000", "0", "1,000", "0", "1,000", "0", "1,000", "0", "1,000",
           "0", "1,000", "0")},
    {"descuentos_mayores_que_ventas", {{461, "1000"}, {462, "1500"}},
     Todas("0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0")},
    {"costo_mayor_que_ventas", {{461, "1000"}, {464, "1500"}},
     Todas("1,000", "0", "(500)", "0", "(500)", "0", "(500)", "0", "(500)", "0", "(500)", "0", "(500)", "0",
           "(500)", "0", "(500)")},
    {"deducciones_con_o_sin_parentesis", {{461, "5,000"}, {464, "(1,000)"}, {468, "500"}, {469, "(250)"}},
     Todas("5,000", "4,000", "0", "3,250", "0", "3,250", "0", "3,250", "0", "3,250", "0", "3,250", "0", "3,250",
           "0", "3,250", "0")},
    {"estado_completo",
     {{461, "10000"}, {462, "500"}, {464, "2000"}, {468, "300"}, {469, "200"}, {472, "100"}, {473, "1000"},
      {475, "50"}, {476, "25"}, {477, "400"}, {478, "150"}, {480, "75"}, {481, "60"}, {486, "10"}, {490, "5"},
      {103, "100"}, {105, "20"}},
     Todas("9,500", "7,500", "0", "7,000", "0", "8,210", "0", "8,200", "0", "8,195", "0", "8,200", "0", "8,280",
           "0", "8,280", "0")},
    {"rei_negativo", {{461, "1000"}, {483, "2000"}},
     Todas("1,000", "1,000", "0", "1,000", "0", "0", "(1,000)", "0", "(1,000)", "0", "(1,000)", "0", "(1,000)",
           "0", "(1,000)", "0", "(1,000)")},
    {"resultado_cero", {{461, "1000"}, {464, "1000"}},
     Todas("1,000", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0")},
    {"impuesto_lleva_el_resultado_a_perdida", {{461, "1000"}, {490, "1500"}},
     Todas("1,000", "1,000", "0", "1,000", "0", "1,000", "0", "1,000", "0", "0", "(500)", "1,000", "0", "1,000",
           "0", "1,000", "0")},
    {"ventas_vaciadas", {{461, "1000"}, {461, ""}},
     Todas("0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0")},
    {"adiciones_y_deducciones_tributarias", {{461, "1000"}, {103, "250"}, {105, "(2,000)"}},
     Todas("1,000", "1,000", "0", "1,000", "0", "1,000", "0", "1,000", "0", "1,000", "0", "1,000", "0", "0",
           "(750)", "0", "(750)")},
    {"grandes_importes", {{461, "999999999999"}, {475, "999999999999"}},
     Todas("999,999,999,999", "999,999,999,999", "0", "999,999,999,999", "0", "1,999,999,999,998", "0",
           "1,999,999,999,998", "0", "1,999,999,999,998", "0", "1,999,999,999,998", "0", "1,999,999,999,998", "0",
           "1,999,999,999,998", "0")},
};

class EstadoResultados : public CasillasTest, public ::testing::WithParamInterface<CasoEstado> {};

} // namespace

TEST_P(EstadoResultados, DerivedBoxes)
{
    Pon(GetParam().entradas);
    Espera(GetParam().esperado, GetParam().nombre);
    // No regime: the tax box is left for the user.
    EXPECT_EQ(m.Texto(113), QString());
}

INSTANTIATE_TEST_SUITE_P(Casos, EstadoResultados, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(CasillasTest, NetIncomeOfTheTaxPageBlankRule)
{
    // Nothing in 100, 101, 103, 105: both results empty; any text, even "0", gives numbers.
    m.PonTexto(103, QStringLiteral("0"));
    Espera({{106, "0"}, {107, "0"}, {110, "0"}, {111, "0"}});
    m.PonTexto(103, QString());
    Espera({{106, ""}, {107, ""}, {110, ""}, {111, ""}});

    // 100 and 103 enter with their sign, 101 and 105 by their absolute value.
    Pon({{100, "0"}, {101, "(1,234)"}});
    Espera({{106, "0"}, {107, "(1,234)"}});
    Pon({{100, "(300)"}, {101, ""}, {103, "1000"}});
    Espera({{106, "700"}, {107, "0"}});
}

TEST_F(CasillasTest, ResultBoxesKeepTheirTextUntilAnInputChanges)
{
    Pon({{466, "5"}});
    Espera({{470, "5"}, {467, ""}, {463, ""}});
    Pon({{463, "9"}}); // a stored text of a result box, put back
    Espera({{466, "9"}, {467, "0"}});
}
