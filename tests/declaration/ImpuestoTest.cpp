// Taxable income, tax loss and the tax of box 113 by regime, person and year.
#include "CasillasFixture.h"

namespace {

struct CasoRenta {
    const char* nombre;
    std::vector<Caja> entradas;
    std::vector<Caja> esperado;
};

void PrintTo(const CasoRenta& c, std::ostream* os)
{
    *os << c.nombre;
}

const CasoRenta kRenta[] = {
    {"sin_renta_ni_deducciones", {{107, "(300)"}}, {{110, ""}, {111, "(300)"}}},
    {"deducciones_restan", {{106, "1000"}, {108, "300"}, {150, "(200)"}, {107, "0"}}, {{110, "500"}, {111, "0"}}},
    {"perdidas_mayores_que_la_renta", {{106, "100"}, {108, "300"}}, {{110, "0"}, {111, "(200)"}}},
    {"perdida_del_ejercicio", {{106, "0"}, {107, "(500)"}, {108, "0"}, {150, "0"}}, {{110, "0"}, {111, "(500)"}}},
    {"solo_deduccion", {{150, "40"}}, {{110, "0"}, {111, "(40)"}}},
};

class RentaImponible : public CasillasTest, public ::testing::WithParamInterface<CasoRenta> {};

} // namespace

TEST_P(RentaImponible, Boxes110And111)
{
    Pon(GetParam().entradas);
    Espera(GetParam().esperado, GetParam().nombre);
}

INSTANTIATE_TEST_SUITE_P(Casos, RentaImponible, ::testing::ValuesIn(kRenta),
                         [](const auto& info) { return std::string(info.param.nombre); });

namespace {

struct CasoImpuesto {
    const char* nombre;
    RespuestasFrm947 r;
    const char* periodo;
    const char* renta; // box 106, which becomes box 110
    const char* c113;
    bool bloqueada;    // locked and grey
};

void PrintTo(const CasoImpuesto& c, std::ostream* os)
{
    *os << c.nombre;
}

RespuestasFrm947 Regimen(int renta, int persona = -1)
{
    RespuestasFrm947 r;
    r.optRenta = renta;
    r.OptPersona = persona;
    r.mUIT = QStringLiteral("4050");
    return r;
}

RespuestasFrm947 Amazonia(int ubic, int ley, int dom, int zona)
{
    RespuestasFrm947 r = Regimen(2);
    r.OptUbicAmazonia = ubic;
    r.OptLeyAmazonia = ley;
    r.OptDomFiscal = dom;
    r.OptZona = zona;
    return r;
}

RespuestasFrm947 Frontera(int actividad, int frontera)
{
    RespuestasFrm947 r = Regimen(3);
    r.OptActividad = actividad;
    r.OptFrontera = frontera;
    return r;
}

RespuestasFrm947 Mype(const char* uit)
{
    RespuestasFrm947 r = Regimen(5);
    r.mUIT = QString::fromUtf8(uit);
    return r;
}

const CasoImpuesto kImpuesto[] = {
    {"general_2017_juridica", Regimen(0, 0), "201705", "1000", "295", true},
    {"general_2017_natural", Regimen(0, 1), "201708", "1000", "295", true},
    {"general_2020_redondeo_de_89", Regimen(0, 0), "202005", "300", "89", true},
    {"general_2016_juridica", Regimen(0, 0), "201608", "1000000", "280,000", true},
    {"general_2015_natural", Regimen(0, 1), "201505", "1000", "280", true},
    {"general_2014_juridica", Regimen(0, 0), "201408", "1000", "300", true},
    {"general_2004_natural", Regimen(0, 1), "200401", "1000", "300", true},
    {"general_2003_juridica", Regimen(0, 0), "200306", "1000", "270", true},
    {"general_2003_natural", Regimen(0, 1), "200306", "1000", "300", true},
    {"general_sin_periodo_como_antes_de_2004", Regimen(0, 0), "", "1000", "270", true},
    {"general_sin_persona", Regimen(0), "201608", "1000", "0", true},
    {"agrario", Regimen(1), "201608", "1000", "150", true},
    {"amazonia_dos_no", Amazonia(0, 0, -1, -1), "201608", "1000", "300", true},
    {"amazonia_ubicacion_domicilio_zona1", Amazonia(1, -1, 1, 0), "201608", "1000", "100", true},
    {"amazonia_ley_domicilio_zona2", Amazonia(0, 1, 1, 1), "201608", "1000", "50", true},
    {"amazonia_domicilio_fuera", Amazonia(1, 1, 0, -1), "201608", "1000", "300", true},
    {"frontera_no_industrial", Frontera(0, 1), "201608", "1000", "300", true},
    {"frontera_industrial_en_frontera", Frontera(1, 1), "201608", "1000", "100", true},
    {"frontera_industrial_fuera", Frontera(1, 0), "201608", "1000", "300", true},
    {"frontera_industrial_sin_respuesta", Frontera(1, -1), "201608", "1000", "300", true},
    {"mype_tramo_alto", Mype("4050"), "201705", "100000", "17,654", true},
    {"mype_justo_15_uit", Mype("4050"), "201705", "60750", "6,075", true},
    {"mype_pasado_15_uit", Mype("4050"), "201705", "60760", "6,078", true},
    {"mype_sin_uit", Mype(""), "201705", "1000", "295", true},
};

class ImpuestoPeriodo : public CasillasTest, public ::testing::WithParamInterface<CasoImpuesto> {};

} // namespace

TEST_P(ImpuestoPeriodo, Box113)
{
    const CasoImpuesto& c = GetParam();
    vista.modulo.Periodo = QString::fromUtf8(c.periodo);
    m.Resp() = c.r;
    m.PonTexto(106, QString::fromUtf8(c.renta));
    EXPECT_EQ(m.Texto(113), QString::fromUtf8(c.c113));
    EXPECT_EQ(m.Estado(113).Locked, c.bloqueada);
    EXPECT_EQ(m.Estado(113).BackColor, c.bloqueada ? kColorGris : kColorBlanco);
    EXPECT_TRUE(m.Estado(113).Enabled);

    // A loss of the year leaves no tax, whatever the regime.
    m.PonTexto(107, QStringLiteral("(5,000,000)"));
    EXPECT_TRUE(m.Texto(111).startsWith(QLatin1Char('('))) << m.Texto(111).toStdString();
    EXPECT_EQ(m.Texto(113), QStringLiteral("0"));
}

INSTANTIATE_TEST_SUITE_P(Casos, ImpuestoPeriodo, ::testing::ValuesIn(kImpuesto),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(CasillasTest, TaxBoxFreeUnderStabilityAgreementAndWithNoRegime)
{
    for (int renta : {4, -1}) {
        m.Resp().optRenta = 0;
        m.Resp().OptPersona = 0;
        m.Calcular113();
        ASSERT_TRUE(m.Estado(113).Locked);

        m.Resp().optRenta = renta;
        m.PonTexto(113, QStringLiteral("777"));
        EXPECT_EQ(m.Texto(113), QStringLiteral("777")) << renta;
        EXPECT_FALSE(m.Estado(113).Locked) << renta;
        EXPECT_EQ(m.Estado(113).BackColor, kColorBlanco) << renta;

        // The statement changing below it does not overwrite what the user typed.
        m.PonTexto(106, QStringLiteral("1000"));
        EXPECT_EQ(m.Texto(113), QStringLiteral("777")) << renta;
        m.PonTexto(106, QString());
    }
}

TEST_F(CasillasTest, AmazoniaWithoutARateKeepsTheLockAndShowsZero)
{
    struct Caso {
        const char* nombre;
        RespuestasFrm947 r;
    };
    const Caso casos[] = {
        {"primera_no_segunda_sin_respuesta", Amazonia(0, -1, -1, -1)},
        {"domicilio_sin_zona", Amazonia(1, -1, 1, -1)},
        {"sin_domicilio", Amazonia(1, -1, -1, -1)},
    };
    for (const Caso& c : casos) {
        for (int antes : {0, 4}) { // locked by General, open by the agreement
            m.Resp() = Regimen(antes, 0);
            m.Calcular113();
            const EstadoCasilla estado = m.Estado(113);
            m.Resp() = c.r;
            m.PonTexto(106, QStringLiteral("1000"));
            EXPECT_EQ(m.Texto(113), QStringLiteral("0")) << c.nombre;
            EXPECT_EQ(m.Estado(113), estado) << c.nombre << " after " << antes;
            m.PonTexto(106, QString());
        }
    }
}

TEST_F(CasillasTest, GeneralRegimeTakesThePeriodOfTheChosenDeclaration)
{
    m.Resp() = Regimen(0, 0);
    vista.modulo.Periodo = QStringLiteral("201708");
    vista.modulo.PeriodoSel = QStringLiteral("201505");
    m.PonTexto(106, QStringLiteral("1000"));
    // The window is told to keep the chosen period; the tax is that year's.
    ASSERT_FALSE(vista.periodos.empty());
    EXPECT_EQ(vista.periodos.back(), QStringLiteral("201505"));
    EXPECT_EQ(m.Texto(113), QStringLiteral("280"));
}

TEST_F(CasillasTest, SentDeclarationKeepsItsPeriod)
{
    m.Resp() = Regimen(0, 0);
    vista.modulo.ModoEnviadas = true;
    vista.modulo.Periodo = QStringLiteral("201708");
    vista.modulo.PeriodoSel = QStringLiteral("201505");
    m.PonTexto(106, QStringLiteral("1000"));
    EXPECT_TRUE(vista.periodos.empty());
    EXPECT_EQ(m.Texto(113), QStringLiteral("295"));
}

TEST_F(CasillasTest, TaxFollowsTheWholeStatement)
{
    m.Resp() = Regimen(0, 0);
    vista.modulo.Periodo = QStringLiteral("201708");
    Pon({{461, "100000"}, {464, "40000"}, {103, "5000"}, {105, "1000"}, {108, "4000"}});
    // 60000 + 5000 - 1000 = 64000; less 4000 of past losses: 60000 at 29.5 %.
    Espera({{106, "64,000"}, {110, "60,000"}, {111, "0"}, {113, "17,700"}});
}
