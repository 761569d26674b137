// Totals of the balance sheet.
#include "CasillasFixture.h"

namespace {

struct CasoBalance {
    const char* nombre;
    std::vector<Caja> entradas;
    std::vector<Caja> esperado;
};

void PrintTo(const CasoBalance& c, std::ostream* os)
{
    *os << c.nombre;
}

const CasoBalance kCasos[] = {
    {"un_activo", {{500, "1000"}}, {{531, "1,000"}, {543, ""}, {554, ""}, {555, ""}}},
    {"activo_cero", {{500, "0"}}, {{531, "0"}}},
    {"ultimo_activo_vaciado", {{500, "10"}, {515, "5"}, {500, ""}, {515, ""}}, {{531, ""}}},
    {"cuentas_de_valuacion_restan_siempre",
     {{500, "1000"}, {508, "10"}, {517, "(10)"}, {524, "10"}, {527, "(10)"}, {528, "10"}}, {{531, "950"}}},
    {"valuacion_mayor_que_activos", {{500, "100"}, {524, "350"}}, {{531, "(250)"}}},
    {"parentesis_en_otra_linea_resta", {{500, "1000"}, {501, "(200)"}, {530, "5"}}, {{531, "805"}}},
    {"un_pasivo_sin_patrimonio", {{532, "1000"}}, {{543, "1,000"}, {554, "0"}, {555, "1,000"}, {531, ""}}},
    {"pasivo_negativo_con_signo_menos", {{532, "(500)"}}, {{543, "-500"}, {554, "0"}, {555, "(500)"}}},
    {"ultimo_pasivo_vaciado", {{532, "1000"}, {532, ""}}, {{543, ""}, {554, "0"}, {555, "0"}}},
    {"patrimonio_negativo", {{532, "1000"}, {553, "1500"}}, {{543, "1,000"}, {554, "(1,500)"}, {555, "(500)"}}},
    {"patrimonio_completo",
     {{544, "100"}, {545, "200"}, {546, "300"}, {547, "400"}, {548, "500"}, {549, "600"}, {550, "700"},
      {552, "(50)"}, {542, "8"}},
     {{554, "2,750"}, {543, "8"}, {555, "2,758"}}},
    {"perdida_acumulada_entre_parentesis", {{544, "1000"}, {551, "(300)"}}, {{554, "700"}, {555, "700"}}},
};

class Balance : public CasillasTest, public ::testing::WithParamInterface<CasoBalance> {};

} // namespace

TEST_P(Balance, Totals)
{
    Pon(GetParam().entradas);
    Espera(GetParam().esperado, GetParam().nombre);
    EXPECT_TRUE(vista.avisos.empty());
    EXPECT_TRUE(vista.preguntas.empty());
}

INSTANTIATE_TEST_SUITE_P(Casos, Balance, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(CasillasTest, TotalsNeverRunTheCoefficient)
{
    vista.modulo.Sistema = QStringLiteral("A");
    vista.modulo.Periodo = QStringLiteral("201205");
    Pon({{500, "1000"}, {532, "10"}, {544, "5"}});
    EXPECT_EQ(vista.CambiosDe(610), 0);
}
