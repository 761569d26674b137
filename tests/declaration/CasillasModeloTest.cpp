#include "CasillasFixture.h"

#include "declaration/amounts/Importes.h"

#include <QStringList>

#include <algorithm>
#include <set>

TEST(ListaCasillas, HoldsTheDeclarationBoxesInSavingOrder)
{
    const auto& l = CasillasModelo::mCasillas();
    ASSERT_EQ(l.size(), 109u);
    EXPECT_EQ(l[0], 500);
    EXPECT_EQ(l[55], 555);
    const std::vector<int> resto(l.begin() + 56, l.end());
    const std::vector<int> esperado{432, 433, 250, 251, 252, 253, 461, 462, 463, 464, 466, 467, 468, 469,
                                    470, 471, 472, 473, 475, 476, 477, 478, 480, 481, 483, 484, 485, 486,
                                    487, 489, 490, 492, 493, 100, 101, 103, 105, 106, 107, 108, 150, 110,
                                    111, 113, 208, 209, 211, 212, 225, 226, 610, 650, 651};
    EXPECT_EQ(resto, esperado);
    EXPECT_EQ(std::set<int>(l.begin(), l.end()).size(), 109u);
}

TEST_F(CasillasTest, DesignStateOfTheBoxes)
{
    for (int n : {100, 101, 106, 107, 110, 111, 250, 253, 463, 466, 467, 470, 471, 484, 485, 487, 489, 492, 493,
                  531, 543, 554, 555, 610}) {
        EXPECT_TRUE(m.Estado(n).Locked) << n;
        EXPECT_EQ(m.Estado(n).BackColor, kColorGris) << n;
    }
    EXPECT_FALSE(m.Estado(113).Locked);
    EXPECT_EQ(m.Estado(113).BackColor, kColorGris);
    EXPECT_EQ(m.Estado(477).BackColor, kColorCian);
    EXPECT_EQ(m.Estado(473).BackColor, kColorBlanco);
    EXPECT_FALSE(m.Estado(209).Enabled);
    EXPECT_FALSE(m.Estado(461).Locked);
    EXPECT_EQ(m.Estado(461).BackColor, kColorBlanco);
    for (int n : CasillasModelo::mCasillas())
        EXPECT_TRUE(m.Texto(n).isEmpty()) << n;

    vista.modulo.Periodo = QStringLiteral("201205");
    m.PreparaCasillasDelAnio();
    EXPECT_EQ(m.Estado(473).BackColor, kColorBlanco);
    vista.modulo.Periodo = QStringLiteral("201305");
    m.PreparaCasillasDelAnio();
    EXPECT_EQ(m.Estado(473).BackColor, kColorCian);
}

TEST_F(CasillasTest, WritingTheSameTextAgainRunsNothing)
{
    m.PonTexto(461, QStringLiteral("1000"));
    const auto cambios = vista.textos.size();
    EXPECT_GT(cambios, 1u);
    m.PonTexto(461, QStringLiteral("1000"));
    EXPECT_EQ(vista.textos.size(), cambios);

    // A box outside the declaration is no box at all.
    m.PonTexto(465, QStringLiteral("5"));
    EXPECT_EQ(vista.textos.size(), cambios);
    EXPECT_EQ(m.Texto(465), QString());

    vista.estados.clear();
    m.PonLocked(461, false); // same state: not told
    EXPECT_TRUE(vista.estados.empty());
    m.PonLocked(461, true);
    EXPECT_EQ(vista.estados, std::vector<int>{461});
}

TEST_F(CasillasTest, ResultsCascadeDepthFirst)
{
    m.PonTexto(461, QStringLiteral("1000"));
    std::vector<int> orden;
    for (const auto& t : vista.textos)
        orden.push_back(t.first);
    // Each write runs its own change handling before the writer goes on; the coefficient
    // (written twice from 2013) comes last, after the change of 461 itself.
    const std::vector<int> esperado{461, 463, 466, 470, 484, 487, 492, 493, 489, 100,
                                    106, 110, 111, 107, 101, 485, 471, 467, 610, 610};
    EXPECT_EQ(orden, esperado);
}

TEST_F(CasillasTest, ChangesMarkTheDeclarationOnlyAfterRestoring)
{
    m.Resp().mCargando = true;
    m.PonTexto(500, QStringLiteral("10"));
    EXPECT_EQ(m.Texto(531), QStringLiteral("10")); // still recalculates
    EXPECT_FALSE(m.Resp().mModificado);

    m.Resp().mCargando = false;
    m.PonTexto(500, QStringLiteral("20"));
    EXPECT_TRUE(m.Resp().mModificado);
}

TEST_F(CasillasTest, LossPageFollowsBox108)
{
    struct Caso {
        const char* texto;
        bool disponible;
    };
    for (const Caso& c : {Caso{"500", true}, Caso{"0", false}, Caso{"(1,200)", true}, Caso{"", false},
                          Caso{"0.4", false}}) {
        m.PonTexto(108, QStringLiteral("7"));
        m.PonTexto(108, QString::fromUtf8(c.texto));
        ASSERT_TRUE(vista.perdidas.has_value());
        EXPECT_EQ(*vista.perdidas, c.disponible) << c.texto;
    }
}

class RucTest : public CasillasTest {
protected:
    void SetUp() override
    {
        CasillasTest::SetUp();
        if (HasFatalFailure())
            return;
        m.Resp().NumDocumento = QStringLiteral("20000000001");
    }

    static QStringList Textos(const std::vector<Hallazgo>& hallazgos)
    {
        QStringList t;
        for (const Hallazgo& h : hallazgos)
            t << h.Texto;
        return t;
    }
};

TEST_F(RucTest, AccountantNumberChecked)
{
    struct Caso {
        const char* texto;
        const char* propio;
        bool cargando;
        QStringList mensajes;
    };
    const QString invalido = QStringLiteral("El RUC no es Válido.");
    const QString propio = QStringLiteral("El RUC no puede ser igual al RUC del Contribuyente.");
    const Caso casos[] = {
        {"2000000000", "20000000001", false, {}},                   // 10 characters: no check
        {"10000000006", "20000000001", false, {}},                  // valid, another taxpayer
        {"10000000011", "20000000001", false, {invalido}},          // wrong check digit
        {"20000000001", "20000000001", false, {propio}},            // valid but the taxpayer's own
        {"10000000011", " 10000000011 ", false, {invalido, propio}}, // both, in this order
        {"10000000011", "20000000001", true, {}},                   // restoring: no check
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        m.Resp().NumDocumento = QString::fromUtf8(c.propio);
        m.Resp().mCargando = c.cargando;
        m.PonTexto(208, QString());
        vista.Limpia();
        m.PonTexto(208, QString::fromUtf8(c.texto));
        EXPECT_EQ(Textos(vista.avisos), c.mensajes);
        for (const Hallazgo& h : vista.avisos) {
            EXPECT_EQ(h.Estilo, 16);
            EXPECT_EQ(h.Titulo, QStringLiteral("0947 Morvath"));
            EXPECT_EQ(h.Casilla, 208);
        }
        // Each finding takes the complementary page and the focus back to the box.
        EXPECT_EQ(vista.paginas, (std::vector<std::pair<int, int>>(c.mensajes.size(), {3, -1})));
        EXPECT_EQ(vista.focos, std::vector<int>(c.mensajes.size(), 208));
        // The check alone finds what was shown.
        if (!c.cargando) {
            EXPECT_EQ(m.RevisaRuc(208), vista.avisos);
        }
    }
}

TEST_F(RucTest, RepresentativeNumberCheckedOnlyForDocumentTypeRuc)
{
    const QString invalido = QStringLiteral("10000000011");
    m.Resp().TipDocRepLegal = QStringLiteral("01  -  DNI");
    m.PonTexto(226, invalido);
    EXPECT_TRUE(vista.avisos.empty());
    EXPECT_TRUE(m.RevisaRuc(226).empty());

    m.PonTexto(226, QString());
    m.Resp().TipDocRepLegal = QStringLiteral("06  -  RUC");
    m.PonTexto(226, invalido);
    const Hallazgo esperado{QStringLiteral("El RUC no es válido."), 16, QStringLiteral("0947 Morvath"), 226, 0, 3, 0};
    EXPECT_EQ(vista.avisos, std::vector<Hallazgo>{esperado});
    EXPECT_EQ(m.RevisaRuc(226), std::vector<Hallazgo>{esperado});
    EXPECT_EQ(vista.paginas.back(), std::make_pair(3, 0));
    EXPECT_EQ(vista.focos.back(), 226);

    // The taxpayer's own number is no fault here, nor is any box but 208 and 226 checked.
    vista.Limpia();
    m.PonTexto(226, QStringLiteral("20000000001"));
    EXPECT_TRUE(vista.avisos.empty());
    m.PonTexto(211, invalido);
    EXPECT_TRUE(m.RevisaRuc(211).empty());
}

namespace {

struct CasoDespacho {
    int casilla;
    std::vector<int> escritas; // boxes written next, in order (a prefix of the cascade)
    bool coeficiente;          // box 610 is recomputed
};

// From a new declaration of 2016 with no regime: "5" typed into one box alone.
const CasoDespacho kDespacho[] = {
    {100, {106, 110, 111, 107}, false},      {101, {106, 110, 111, 107, 111}, false},
    {103, {106, 110, 111, 107}, false},      {105, {106, 110, 111, 107, 111}, false},
    {106, {110, 111}, false},                {107, {111}, false},
    {108, {110, 110, 111}, false},           {150, {110, 110, 111}, false},
    {110, {}, false},                        {111, {}, false},
    {113, {610}, true},                      {250, {253}, false},
    {251, {253}, false},                     {252, {253}, false},
    {432, {}, false},                        {433, {}, false},
    {461, {463, 466, 470}, true},            {462, {463, 466, 470}, true},
    {463, {466, 470}, false},                {464, {466, 470}, false},
    {466, {470, 484}, false},                {467, {470, 484}, false},
    {468, {470, 484}, false},                {469, {470, 484}, false},
    {470, {484, 487}, false},                {471, {484, 487}, false},
    {472, {484, 487}, false},                {473, {484, 487}, true},
    {475, {484, 487}, true},                 {476, {484, 487}, false},
    {477, {484, 487}, true},                 {478, {484, 487}, false},
    {480, {484, 487}, false},                {481, {484, 487}, true},
    {483, {484, 487}, false},                {484, {487, 492}, false},
    {485, {487, 492}, false},                {486, {487, 492}, false},
    {487, {492, 493}, false},                {489, {492, 493}, false},
    {490, {492, 493}, false},                {492, {}, false},
    {493, {}, false},                        {500, {531}, false},
    {508, {531}, false},                     {530, {531}, false},
    {531, {}, false},                        {532, {543, 554, 555}, false},
    {542, {543, 554, 555}, false},           {543, {}, false},
    {544, {554, 555}, false},                {549, {554, 555}, false},
    {550, {554, 555}, false},                {551, {554, 555}, false},
    {552, {554, 555}, false},                {553, {554, 555}, false},
    {554, {}, false},                        {555, {}, false},
    {610, {}, false},                        {650, {}, false},
    {651, {}, false},                        {211, {}, false},
    {225, {}, false},
};

} // namespace

TEST(Despacho, EachBoxRunsItsOwnCalculations)
{
    for (const CasoDespacho& c : kDespacho) {
        VistaRegistro vista;
        vista.modulo.Periodo = QStringLiteral("201608");
        CasillasModelo m{&vista};
        m.PonTexto(c.casilla, QStringLiteral("5"));
        std::vector<int> escritas;
        for (size_t i = 1; i < vista.textos.size() && escritas.size() < c.escritas.size(); ++i)
            escritas.push_back(vista.textos[i].first);
        EXPECT_EQ(escritas, c.escritas) << "box " << c.casilla;
        EXPECT_EQ(vista.CambiosDe(610) - (c.casilla == 610) > 0, c.coeficiente) << "box " << c.casilla;
        EXPECT_TRUE(vista.avisos.empty()) << "box " << c.casilla;
        EXPECT_TRUE(vista.preguntas.empty()) << "box " << c.casilla;
    }
}

TEST_F(CasillasTest, LossesWriteTheProfitBoxFirst)
{
    m.PonTexto(461, QStringLiteral("100"));
    vista.textos.clear();
    m.PonTexto(464, QStringLiteral("300"));
    std::vector<int> orden;
    for (const auto& t : vista.textos)
        orden.push_back(t.first);
    // 466 becomes "0" and runs its own cascade to the end before 467 shows the loss.
    const std::vector<int> esperado{464, 466, 470, 484, 487, 492, 100, 106, 110,
                                    467, 471, 485, 489, 493, 101, 107, 111};
    EXPECT_EQ(orden, esperado);
    Espera({{467, "(200)"}, {493, "(200)"}, {107, "(200)"}, {111, "(200)"}});
}
