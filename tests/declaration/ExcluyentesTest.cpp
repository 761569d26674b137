// Pairs of boxes of which only one may hold a value.
#include "CasillasFixture.h"

namespace {

QString Aviso(int primera, int pareja)
{
    return QStringLiteral("Las casillas %1 y %2 son excluyentes, si desea registrar información en la casilla %1 "
                          "debe eliminar la información registrada en la %2.")
        .arg(primera)
        .arg(pareja);
}

struct CasoPar {
    int llena;
    const char* textoLlena;
    int nueva;
    const char* textoNueva;
};

void PrintTo(const CasoPar& c, std::ostream* os)
{
    *os << c.nueva << " after " << c.llena;
}

const CasoPar kPares[] = {
    {481, "1,000", 483, "5"},
    {483, "5", 481, "7"},
    {550, "10", 551, "20"},
    {551, "(20)", 550, "10"},
    {552, "3", 553, "4"},
    {553, "4", 552, "3"},
    {211, "0", 212, "A1"},   // text boxes: any text is filled
    {212, "X", 211, "0"},
};

class Excluyentes : public CasillasTest, public ::testing::WithParamInterface<CasoPar> {};

} // namespace

TEST_P(Excluyentes, OkKeepsTheNewBox)
{
    const CasoPar& c = GetParam();
    m.PonTexto(c.llena, QString::fromUtf8(c.textoLlena));
    EXPECT_EQ(m.PreguntaExcluyentes(c.nueva, c.llena), std::nullopt);
    vista.respuestas = {true};
    m.PonTexto(c.nueva, QString::fromUtf8(c.textoNueva));
    // Emptying the partner asks nothing more.
    ASSERT_EQ(vista.preguntas.size(), 1u);
    EXPECT_EQ(vista.preguntas[0],
              (Hallazgo{Aviso(c.nueva, c.llena), 1, QStringLiteral("0947 Morvath"), c.nueva, c.llena}));
    EXPECT_TRUE(vista.avisos.empty());
    EXPECT_EQ(m.Texto(c.llena), QString());
    EXPECT_EQ(m.Texto(c.nueva), QString::fromUtf8(c.textoNueva));
    EXPECT_EQ(vista.focos.back(), c.nueva);
    EXPECT_EQ(m.PreguntaExcluyentes(c.nueva, c.llena), std::nullopt);
}

TEST_P(Excluyentes, CancelEmptiesTheNewBox)
{
    const CasoPar& c = GetParam();
    m.PonTexto(c.llena, QString::fromUtf8(c.textoLlena));
    vista.respuestas = {false};
    m.PonTexto(c.nueva, QString::fromUtf8(c.textoNueva));
    ASSERT_EQ(vista.preguntas.size(), 1u);
    EXPECT_EQ(vista.preguntas[0].Casilla, c.nueva);
    EXPECT_EQ(m.Texto(c.llena), QString::fromUtf8(c.textoLlena));
    EXPECT_EQ(m.Texto(c.nueva), QString());
    EXPECT_EQ(vista.focos.back(), c.llena);
}

INSTANTIATE_TEST_SUITE_P(Pares, Excluyentes, ::testing::ValuesIn(kPares), [](const auto& info) {
    return std::to_string(info.param.llena) + "_" + std::to_string(info.param.nueva) + "_" +
        std::to_string(info.index);
});

TEST_F(CasillasTest, NoQuestionWhileOneBoxOfThePairIsEmptyOrZero)
{
    const CasoPar casos[] = {
        {552, "0", 553, "100"}, // a zero amount is not filled
        {481, "", 483, "5"},
        {211, "", 212, "A1"},
        {550, "(0)", 551, "4"},
    };
    for (const CasoPar& c : casos) {
        m.PonTexto(c.llena, QString::fromUtf8(c.textoLlena));
        m.PonTexto(c.nueva, QString::fromUtf8(c.textoNueva));
        EXPECT_TRUE(vista.preguntas.empty()) << c.nueva;
        EXPECT_EQ(m.PreguntaExcluyentes(c.nueva, c.llena), std::nullopt) << c.nueva;
        EXPECT_EQ(m.Texto(c.llena), QString::fromUtf8(c.textoLlena));
        EXPECT_EQ(m.Texto(c.nueva), QString::fromUtf8(c.textoNueva));
    }
    // Deleting the last digit of a filled box never asks.
    m.PonTexto(483, QString());
    EXPECT_TRUE(vista.preguntas.empty());
}

TEST_F(CasillasTest, DerivedBoxesFollowTheBoxThatRemains)
{
    Pon({{461, "1000"}, {481, "300"}});
    ASSERT_EQ(m.Texto(484), QStringLiteral("1,300"));
    vista.textos.clear();
    vista.respuestas = {true};
    m.PonTexto(483, QStringLiteral("200"));
    Espera({{481, ""}, {484, "800"}, {100, "800"}});
    // Answered before the calculations of the change go on: no total ever counts both boxes.
    std::vector<QString> escritos484;
    for (const auto& [n, t] : vista.textos)
        if (n == 484)
            escritos484.push_back(t);
    EXPECT_EQ(escritos484, std::vector<QString>{QStringLiteral("800")});

    Pon({{544, "1000"}, {550, "500"}});
    vista.respuestas = {false};
    m.PonTexto(551, QStringLiteral("100"));
    Espera({{551, ""}, {554, "1,500"}, {555, "1,500"}});
}
