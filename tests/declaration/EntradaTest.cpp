// Entry into the boxes: edit and display formats, accepted keys, Enter, help lines.
#include "CasillasFixture.h"

#include "declaration/amounts/Importes.h"

namespace {

// Text of the representative's document-type list: length at 68-69, data type at 71.
QString TipoDocumento(const char* codigo, const char* longitud, char tipo)
{
    return QString::fromUtf8(codigo) + QStringLiteral("  -  ") + QStringLiteral("DOCUMENTO").leftJustified(60) +
        QString::fromUtf8(longitud) + QLatin1Char(' ') + QLatin1Char(tipo);
}

struct CasoFoco {
    int casilla;
    const char* texto;
    const char* edicion;
    int maxEdicion;
    const char* presentacion; // leaving the box after editing
    int maxPresentacion;
};

void PrintTo(const CasoFoco& c, std::ostream* os)
{
    *os << "box " << c.casilla << " " << c.texto;
}

const CasoFoco kFocos[] = {
    {105, "1234", "1234", 12, "(1,234)", 17},
    {105, "0", "0", 12, "0", 17},
    {105, "", "", 12, "", 17},
    {105, "(1,234)", "1234", 12, "(1,234)", 17},
    {150, "500", "500", 12, "(500)", 17},
    {551, "(2,500,000)", "2500000", 12, "(2,500,000)", 17},
    {461, "1,234,567", "1234567", 12, "1,234,567", 15},
    {461, "", "", 12, "", 15},
    {500, "0", "0", 12, "0", 15},
    {103, "123456789012345", "123456789012345", 15, "123,456,789,012,345", 15},
    {113, "30,000", "30000", 17, "30,000", 15},
    {208, "20000000001", "20000000001", 11, "20000000001", 11},
    {211, "12-A", "12-A", 12, "12-A", 12},
};

class Foco : public CasillasTest, public ::testing::WithParamInterface<CasoFoco> {};

} // namespace

TEST_P(Foco, EditAndDisplayTexts)
{
    const CasoFoco& c = GetParam();
    m.PonMaxLength(c.casilla, 12);
    m.PonTexto(c.casilla, QString::fromUtf8(c.texto));
    m.TxtValor_GotFocus(c.casilla);
    EXPECT_EQ(m.Texto(c.casilla), QString::fromUtf8(c.edicion));
    EXPECT_EQ(m.Estado(c.casilla).MaxLength, c.maxEdicion);
    m.TxtValor_LostFocus(c.casilla);
    EXPECT_EQ(m.Texto(c.casilla), QString::fromUtf8(c.presentacion));
    EXPECT_EQ(m.Estado(c.casilla).MaxLength, c.maxPresentacion);
}

INSTANTIATE_TEST_SUITE_P(Casos, Foco, ::testing::ValuesIn(kFocos), [](const auto& info) {
    return std::to_string(info.param.casilla) + "_" + std::to_string(info.index);
});

TEST_F(CasillasTest, FocusOfSpecialBoxes)
{
    // Locked boxes are left alone.
    m.PonTexto(463, QStringLiteral("1,000"));
    m.TxtValor_GotFocus(463);
    EXPECT_EQ(m.Texto(463), QStringLiteral("1,000"));

    // The agreement's tax is typed in 12 places.
    m.Resp().optRenta = 4;
    m.TxtValor_GotFocus(113);
    EXPECT_EQ(m.Estado(113).MaxLength, 12);

    // A box disabled while it had the focus, with and without the sent-declarations mode.
    m.PonTexto(475, QStringLiteral("-1500"));
    m.PonEnabled(475, false);
    m.TxtValor_LostFocus(475);
    EXPECT_EQ(m.Texto(475), QStringLiteral("(1,500)"));
    EXPECT_EQ(m.Estado(475).MaxLength, 18);
    vista.modulo.ModoEnviadas = true;
    m.PonTexto(476, QStringLiteral("1500"));
    m.PonEnabled(476, false);
    m.TxtValor_LostFocus(476);
    EXPECT_EQ(m.Texto(476), QStringLiteral("1500"));
    EXPECT_TRUE(vista.focos.empty());

    // The representative's document: its length, 8 when the list gives none on entry.
    m.Resp().TipDocRepLegal = TipoDocumento("01", "08", '1');
    m.TxtValor_GotFocus(226);
    EXPECT_EQ(m.Estado(226).MaxLength, 8);
    m.Resp().TipDocRepLegal = TipoDocumento("06", "11", '1');
    m.TxtValor_GotFocus(226);
    EXPECT_EQ(m.Estado(226).MaxLength, 11);
    m.Resp().TipDocRepLegal = QString();
    m.TxtValor_GotFocus(226);
    EXPECT_EQ(m.Estado(226).MaxLength, 8);
    m.TxtValor_LostFocus(226);
    EXPECT_EQ(m.Estado(226).MaxLength, 0);
}

TEST_F(CasillasTest, LeavingTheAnnexBoxesMovesOn)
{
    m.TxtValor_LostFocus(477);
    m.TxtValor_LostFocus(473);
    EXPECT_EQ(vista.focos, (std::vector<int>{478, 475}));
}

namespace {

struct CasoTecla {
    int casilla;
    int tecla;
    int resultado;
    char tipoDocumento; // character 71 of the document type of box 226
};

void PrintTo(const CasoTecla& c, std::ostream* os)
{
    *os << "box " << c.casilla << " key " << c.tecla;
}

const CasoTecla kTeclas[] = {
    {461, '7', '7', '1'},  {461, 'a', 0, '1'},   {461, ',', 0, '1'},   {461, '-', 0, '1'},
    {461, 8, 8, '1'},      {461, 22, 0, '1'},    {226, 'a', 'A', '0'}, {226, '5', '5', '0'},
    {226, '-', 0, '0'},    {226, 'a', 0, '1'},   {226, '5', '5', '1'}, {226, 8, 8, '1'},
    {211, '4', '4', '1'},  {212, 8, 8, '1'},     {477, '5', 0, '1'},   {473, 'x', 0, '1'},
};

class Tecla : public CasillasTest, public ::testing::WithParamInterface<CasoTecla> {};

} // namespace

TEST_P(Tecla, AcceptedKeys)
{
    const CasoTecla& c = GetParam();
    m.Resp().TipDocRepLegal = TipoDocumento("06", "11", c.tipoDocumento);
    int tecla = c.tecla;
    m.TxtValor_KeyPress(c.casilla, tecla);
    EXPECT_EQ(tecla, c.resultado);
    EXPECT_TRUE(m.Resp().mModificado);
}

INSTANTIATE_TEST_SUITE_P(Casos, Tecla, ::testing::ValuesIn(kTeclas), [](const auto& info) {
    return std::to_string(info.param.casilla) + "_" + std::to_string(info.index);
});

TEST_F(CasillasTest, EnterMovesOn)
{
    struct Caso {
        int casilla;
        std::vector<int> scrolls;
        std::vector<int> focos;
        int tabs;
    };
    const Caso casos[] = {
        {515, {15}, {516}, 0}, {530, {1}, {500}, 0}, {542, {}, {544}, 0}, {553, {}, {532}, 0},
        {461, {}, {}, 1},      {113, {}, {}, 0},     {103, {}, {103}, 1}, {105, {}, {105}, 1},
        {226, {}, {}, 0},
    };
    for (const Caso& c : casos) {
        vista.Limpia();
        int tecla = 13;
        m.TxtValor_KeyPress(c.casilla, tecla);
        EXPECT_EQ(vista.scrolls, c.scrolls) << c.casilla;
        EXPECT_EQ(vista.focos, c.focos) << c.casilla;
        EXPECT_EQ(vista.tabs, c.tabs) << c.casilla;
        EXPECT_EQ(vista.eventos, c.casilla == 103 || c.casilla == 105 ? 2 : 0) << c.casilla;
    }
}

TEST_F(CasillasTest, AnnexBoxesOpenTheAnnexInsteadOfTyping)
{
    vista.modulo.Periodo = QStringLiteral("201208");
    vista.modulo.Sistema = QStringLiteral("A");
    for (int tecla0 : std::vector<int>{'5', 13, 'x', 8}) {
        vista.Limpia();
        int tecla = tecla0;
        m.TxtValor_KeyPress(477, tecla);
        EXPECT_EQ(tecla, 0);
        const bool abre = tecla0 == '5' || tecla0 == 13;
        EXPECT_EQ(vista.anexos, abre ? std::vector<int>{477} : std::vector<int>{}) << tecla0;
        EXPECT_EQ(vista.tabs, 0);
        // The coefficient follows what the annex wrote.
        EXPECT_EQ(m.Texto(610), abre ? QStringLiteral("0.0000") : QString()) << tecla0;
        m.PonTexto(610, QString());
    }

    vista.Limpia();
    m.TxtValor_DblClick(473);
    m.TxtValor_DblClick(461);
    EXPECT_EQ(vista.anexos, std::vector<int>{473});

    int tecla = 46;
    m.TxtValor_KeyDown(477, tecla, 0);
    EXPECT_EQ(tecla, 0);
    tecla = 46;
    m.TxtValor_KeyDown(461, tecla, 0);
    EXPECT_EQ(tecla, 46);
}

TEST_F(CasillasTest, NoPasteThroughKeysOrRightButton)
{
    int tecla = 45;
    m.TxtValor_KeyDown(461, tecla, 1);
    tecla = 93;
    m.TxtValor_KeyDown(461, tecla, 0);
    m.TxtValor_MouseDown(461, 2);
    EXPECT_EQ(vista.portapapeles, 3);
    tecla = 45;
    m.TxtValor_KeyDown(461, tecla, 0);
    m.TxtValor_MouseDown(461, 1);
    EXPECT_EQ(vista.portapapeles, 3);
}

TEST(AyudaCasilla, FormulaLines)
{
    struct Caso {
        int casilla;
        int pagina;
        const char16_t* linea1;
        const char16_t* linea2;
        int color;
    };
    const Caso casos[] = {
        {106, 2, u"c106 = c100 - c101 + c103 - c105", u"(Si es negativo \u20180\u2019)", kColorAzulAyuda},
        {110, 2, u"c110 = ( c106 o  cas107 ) - c108 - c150", u"(Si es negativo \u20180\u2019)", kColorAzulAyuda},
        {531, 1, u"c531 = 500+501+502+503+504+505+506+507-508+509+510+511+512+513+514",
         u" +515+516-517+518+519+520+521+522+523-524+525+526-527-528+529+530", kColorAzulAyuda},
        {113, 2, u"c113 = c110 x TASA%", u"", kColorAzulAyuda},
        {610, 2, u" ", u"", kColorAzulAyuda},
        {500, 1, u"Anotar los importes en nuevos soles sin considerar c\u00e9ntimos.", u"", kColorNegro},
        {208, 3, u"El registro de esta informaci\u00f3n es de caracter obligatorio",
         u"en los conceptos que le correspondan.", kColorNegro},
    };
    for (const Caso& c : casos) {
        const LineaAyuda a = AyudaCasilla(c.casilla, c.pagina);
        EXPECT_EQ(a.TxtAyuda, QString::fromUtf16(c.linea1)) << c.casilla;
        EXPECT_EQ(a.TxtAyuda1, QString::fromUtf16(c.linea2)) << c.casilla;
        EXPECT_EQ(a.ForeColor, c.color) << c.casilla;
    }
}

TEST(TotalAnexo, SumOfTheTwoAmounts)
{
    EXPECT_EQ(TotalAnexo("", ""), QString());
    EXPECT_EQ(TotalAnexo("1000", ""), QStringLiteral("1,000"));
    EXPECT_EQ(TotalAnexo("", "1,000"), QStringLiteral("1,000"));
    EXPECT_EQ(TotalAnexo("1,000", "2500"), QStringLiteral("3,500"));
}

TEST(LeeNumero, AmountsAsTheRuntimeReadsThem)
{
    struct Caso {
        const char* texto;
        double importe;
    };
    for (const Caso& c : {Caso{"", 0}, Caso{"1,234", 1234}, Caso{"(1,234)", -1234}, Caso{" ( 50 ) ", -50},
                          Caso{"-7", -7}, Caso{"2.5", 3}, Caso{"-2.5", -3}, Caso{"abc", 0}, Caso{"()", 0},
                          Caso{"999999999999", 999999999999.0}})
        EXPECT_DOUBLE_EQ(ImporteTexto(QString::fromUtf8(c.texto)), c.importe) << c.texto;
}
