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
    mensajes.PushAnswer(zav::vbOK);
    m.PonTexto(c.nueva, QString::fromUtf8(c.textoNueva));
    // Emptying the partner asks nothing more.
    ASSERT_EQ(mensajes.Count(), 1);
    EXPECT_EQ(mensajes.Last().text, Aviso(c.nueva, c.llena));
    EXPECT_EQ(mensajes.Last().style, 1);
    EXPECT_EQ(mensajes.Last().title, QStringLiteral("0947 Morvath"));
    EXPECT_EQ(m.Texto(c.llena), QString());
    EXPECT_EQ(m.Texto(c.nueva), QString::fromUtf8(c.textoNueva));
    EXPECT_EQ(vista.focos.back(), c.nueva);
}

TEST_P(Excluyentes, CancelEmptiesTheNewBox)
{
    const CasoPar& c = GetParam();
    m.PonTexto(c.llena, QString::fromUtf8(c.textoLlena));
    mensajes.PushAnswer(zav::vbCancel);
    m.PonTexto(c.nueva, QString::fromUtf8(c.textoNueva));
    ASSERT_EQ(mensajes.Count(), 1);
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
        EXPECT_EQ(mensajes.Count(), 0) << c.nueva;
        EXPECT_EQ(m.Texto(c.llena), QString::fromUtf8(c.textoLlena));
        EXPECT_EQ(m.Texto(c.nueva), QString::fromUtf8(c.textoNueva));
    }
    // Deleting the last digit of a filled box never asks.
    mensajes.PushAnswer(zav::vbOK);
    m.PonTexto(483, QString());
    EXPECT_EQ(mensajes.Count(), 0);
}

TEST_F(CasillasTest, DerivedBoxesFollowTheBoxThatRemains)
{
    Pon({{461, "1000"}, {481, "300"}});
    ASSERT_EQ(m.Texto(484), QStringLiteral("1,300"));
    mensajes.PushAnswer(zav::vbOK);
    m.PonTexto(483, QStringLiteral("200"));
    Espera({{481, ""}, {484, "800"}, {100, "800"}});

    Pon({{544, "1000"}, {550, "500"}});
    mensajes.PushAnswer(zav::vbCancel);
    m.PonTexto(551, QStringLiteral("100"));
    Espera({{551, ""}, {554, "1,500"}, {555, "1,500"}});
}
