// Value forms of the pages, the header, the load of a declaration, the regimes of page 4.
#include "tests/printing/ImpresionFixture.h"

#include "common/Paths.h"
#include "printing/PaginasReporte.h"
#include "printing/report/ArchivoReporte.h"
#include "printing/report/LectorReporte.h"
#include "common/Runtime.h"

#include <functional>

namespace {

using rpt::Registro;
using rpt::TipoRegistro;

TEST(FormasDeValor, ImportesRellenoYFecha)
{
    struct Caso {
        const char* valor;
        const char* texto;
    };
    const Caso importes[] = {
        {"2000", "           2,000"},      // 16
        {"-2000", "          (2,000)"},    // 17: the last digit in the same column
        {"0", "               0"},
        {"", "                "},
        {"987654321012", " 987,654,321,012"},
        {"-123456789012", "(123,456,789,012)"},
        {"1234.5", "           1,235"},
        {"-0.4", "                0"},     // below zero, shown without sign
        {"ABC", "             ABC"},
        // What the declaration window leaves out is an empty box.
        {"1000000000000000", "                "},
        {"1E999", "                "},
    };
    for (const Caso& c : importes)
        EXPECT_EQ(ValorImporte(QString::fromLatin1(c.valor)), QString::fromLatin1(c.texto)) << c.valor;

    // Whole numbers take a shorter road; it must give what the mask and the alignment give.
    std::vector<QString> enteros{QStringLiteral("-0"), QStringLiteral("007"), QStringLiteral("-000123"),
                                 QStringLiteral("999999999999999"), QStringLiteral("-999999999999999"),
                                 QStringLiteral("+5"), QStringLiteral(" 5"),
                                 QStringLiteral("-"), QStringLiteral("12a"), QStringLiteral("0")};
    quint64 x = 88172645463325252ull;
    for (int i = 0; i < 3000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const qint64 v = static_cast<qint64>(x % 1000000000000000ull) >> (x % 50);
        enteros.push_back(QString::number(x % 3 == 0 ? -v : v));
    }
    for (const QString& v : enteros) {
        const QString porMascara = AlineaDerecha(zav::Format(v, QStringLiteral("###,###,###,##0;(###,###,###,##0)")),
                                                 zav::Val(v) < 0 ? 17 : 16);
        ASSERT_EQ(ValorImporte(v), porMascara) << v.toStdString();
    }

    EXPECT_EQ(RellenaIzquierda(QStringLiteral("abc"), 6), QStringLiteral("   abc"));
    EXPECT_EQ(RellenaIzquierda(QStringLiteral("abcdefg"), 5), QStringLiteral("abcdefg"));
    EXPECT_EQ(RellenaIzquierda(QStringLiteral("x"), 100), QString(80, QLatin1Char(' ')) + QStringLiteral("x"));
    EXPECT_EQ(RellenaIzquierda(QStringLiteral("x"), 1), QStringLiteral("x"));

    EXPECT_EQ(TextoFechaBalance(QStringLiteral("201201")), QStringLiteral("   Al 31 de Enero"));
    EXPECT_EQ(TextoFechaBalance(QStringLiteral("201206")), QStringLiteral("   Al 30 de Junio"));
    for (const char* p : {"201205", "201308", "201405", "2013", ""})
        EXPECT_EQ(TextoFechaBalance(QString::fromLatin1(p)), QString()) << p;
}

class Paginas : public ImpresionFixture {
protected:
    // The records one page writer writes, tags included.
    std::vector<Registro> escribe(const std::function<void(HojaReporte&)>& pagina)
    {
        rpt::ArchivoReporte f;
        f.AbreEnMemoria();
        HojaReporte h(f);
        pagina(h);
        return rpt::LeeReporte(f.Contenido());
    }
    // The text written at (x, y), or a note that there is none.
    static QString textoEn(const std::vector<Registro>& r, int x, int y)
    {
        for (const Registro& g : r)
            if (g.Tipo == TipoRegistro::Pos && g.X == x && g.Y == y)
                return g.Texto;
        return QStringLiteral("<ninguno>");
    }
    static bool hayTexto(const std::vector<Registro>& r, const QString& t)
    {
        return std::any_of(r.begin(), r.end(), [&](const Registro& g) { return g.Tipo == TipoRegistro::Pos && g.Texto == t; });
    }
    // The value written on the row of a label at x 300.
    static QString valorDe(const std::vector<Registro>& r, const QString& etiqueta, int x = 9000)
    {
        for (const Registro& g : r)
            if (g.Tipo == TipoRegistro::Pos && g.X == 300 && g.Texto == etiqueta)
                return textoEn(r, x, g.Y);
        return QStringLiteral("<sin fila>");
    }
    void casillas(const std::vector<std::pair<int, const char*>>& v)
    {
        EstadoImpresion& e = Impresion();
        for (const auto& [n, t] : v) {
            e.gValores[static_cast<size_t>(n)] = QString::fromUtf8(t);
            if (QString* s = e.Especial(n))
                *s = QString::fromUtf8(t);
        }
    }
};

TEST_F(Paginas, CabeceraConYSinLineaDeEnviada)
{
    App().gPeriodo = QStringLiteral("2013");
    App().gRuc = QStringLiteral("20100066603");
    Impresion().gNumControlImp = QStringLiteral("ABCDEFGHIJKL");
    Impresion().gNumOrdenImp = QStringLiteral("77");
    for (bool enviada : {false, true}) {
        Impresion().gEnviadaImp = enviada;
        int yTexto = 0;
        const auto r = escribe([&](HojaReporte& h) {
            ImprimeCabecera(h, 4);
            yTexto = h.gYTexto * 10000 + h.gYCuadro;
        });
        EXPECT_EQ(r.size(), enviada ? 29u : 23u);
        EXPECT_EQ(yTexto, 2000 * 10000 + 1950);
        EXPECT_EQ(textoEn(r, 9000, 700), QStringLiteral("Contribuyente(5)"));
        EXPECT_EQ(textoEn(r, 3750, 830), QStringLiteral("Ejercicio gravable 13/2013"));
        for (const Registro& g : r)
            EXPECT_TRUE(g.Pagina == 4);
        if (enviada) {
            EXPECT_EQ(textoEn(r, 1600, 1730), QStringLiteral("ABCDEFGHIJKL"));
            EXPECT_EQ(textoEn(r, 9800, 1730), QStringLiteral("        77"));
        }
    }
}

TEST_F(Paginas, PrimeraPaginaConEtiquetasYLasDemasConSalto)
{
    const auto uno = escribe([](HojaReporte& h) { ImprimeActivo(h, 0); });
    ASSERT_GE(uno.size(), 5u);
    EXPECT_EQ(uno[0].Tipo, TipoRegistro::Font);
    EXPECT_EQ(uno[3].Tipo, TipoRegistro::Color);
    EXPECT_EQ(uno[4].Texto, QStringLiteral("KOVEL"));
    const auto dos = escribe([](HojaReporte& h) { ImprimePasivo(h, 1); });
    EXPECT_EQ(dos[0].Tipo, TipoRegistro::NuevaHoja);
    EXPECT_EQ(dos[1].Texto, QStringLiteral("KOVEL"));
    EXPECT_EQ(textoEn(dos, 300, 2780), QStringLiteral("Sobregiros bancarios"));
    for (auto* p : {&ImprimeDeterminacion, &ImprimeInfComplementaria})
        EXPECT_EQ(escribe([&](HojaReporte& h) { p(h, 3); })[0].Tipo, TipoRegistro::NuevaHoja);
}

TEST_F(Paginas, CoeficienteSegunPeriodoYSistema)
{
    struct Caso {
        const char* periodo;
        const char* sistema;
        const char* valor;
        const char* texto;
    };
    const Caso casos[] = {
        {"201206", "A", "0.0123", "          0.0123"},
        {"201206", "B", "0.0123", "            0.01"},
        {"201205", "A", "1.5", "          1.5000"},
        {"201205", "", "1.5", "            1.50"},
        {"201401", "A", "0.01234", "          0.0123"},
        {"201406", "B", "2", "            2.00"},
        {"201405", "B", "1.5", "          1.5000"},
        {"201308", "", "-0.25", "         (0.2500)"},
        {"201212", "B", "-3.456", "           (3.46)"},
        {"201405", "", "", "                "},
    };
    for (const Caso& c : casos) {
        App().gPeriodo = QString::fromLatin1(c.periodo);
        casillas({{609, c.sistema}, {610, c.valor}});
        const auto r = escribe([](HojaReporte& h) { ImprimeDeterminacion(h, 3); });
        EXPECT_EQ(valorDe(r, QStringLiteral("Morvath")), QString::fromLatin1(c.texto)) << c.periodo << " " << c.sistema;
    }
}

TEST_F(Paginas, SeccionDeIdentificacionPorRegimen)
{
    App().gPeriodo = QStringLiteral("201405");
    struct Caso {
        const char* nombre;
        std::vector<std::pair<int, const char*>> v;
        std::vector<std::pair<const char*, const char*>> filas;   // label, value at 9000
        std::vector<const char*> sin;                             // labels not written
    };
    const Caso casos[] = {
        {"MYPE, persona natural", {{56, "8"}, {813, "1"}}, {{"REGIMEN MYPE TRIBUTARIO", "<ninguno>"}}, {"REGIMEN GENERAL"}},
        {"frontera", {{56, "3"}, {601, "1"}, {602, ""}, {603, "230101"}},
         {{"Se dedica a la actividad industrial", "              SI"},
          {"Domicilio Fiscal ubicado en la zona de frontera", "                "},
          {"Ubicación Geográfica de su Domicilio Fiscal", "          230101"}},
         {"Domicilio Fiscal"}},
        {"convenio de hidrocarburos", {{56, "6"}, {804, "3"}, {224, "7842001"}},
         {{"Contratos de licencia de exploración y explotación de hidrocarburos", "              SI"},
          {"Número de Orden del Formulario 7842", "         7842001"}},
         {}},
        {"convenio de otra clase", {{56, "6"}, {804, "5"}}, {{"CONVENIO DE ESTABILIDAD", "<ninguno>"}},
         {"Número de Orden del Formulario 7842"}},
        {"agrario con fecha que no es fecha", {{56, "1"}, {200, "2012/7/1"}},
         {{"Fecha de Presentación del formulario 5136 ", "        2012/7/1"}}, {}},
        {"régimen desconocido", {{56, "9"}}, {{"DATOS GENERALES", "<ninguno>"}},
         {"REGIMEN GENERAL", "Tipo de persona", "CONVENIO DE ESTABILIDAD"}},
    };
    for (const Caso& c : casos) {
        ReiniciaImpresion();
        casillas(c.v);
        const auto r = escribe([](HojaReporte& h) { ImprimeDeterminacion(h, 3); });
        for (const auto& [etiqueta, valor] : c.filas)
            EXPECT_EQ(valorDe(r, QString::fromUtf8(etiqueta)), QString::fromUtf8(valor)) << c.nombre << ": " << etiqueta;
        for (const char* etiqueta : c.sin)
            EXPECT_FALSE(hayTexto(r, QString::fromUtf8(etiqueta))) << c.nombre << ": " << etiqueta;
    }
    // The frontier's place: department, the province's first 25 characters, district.
    ReiniciaImpresion();
    casillas({{56, "3"}, {603, "230101"}});
    const auto r = escribe([](HojaReporte& h) { ImprimeDeterminacion(h, 3); });
    EXPECT_EQ(valorDe(r, QStringLiteral("Descripción de Ubicación Geográfica de su Domicilio Fiscal"), 6700),
              QString(19, QLatin1Char(' ')) + QStringLiteral("TACNA - TACNA - TACNA"));
    EXPECT_EQ(valorDe(r, QStringLiteral("Tipo de persona"), 8750), QStringLiteral("<sin fila>"));
    ReiniciaImpresion();
    casillas({{56, "4"}, {813, "0"}});
    EXPECT_EQ(valorDe(escribe([](HojaReporte& h) { ImprimeDeterminacion(h, 3); }), QStringLiteral("Tipo de persona"), 8750),
              QStringLiteral("P.Jurídica"));
}

TEST_F(Paginas, PerdidasEnUnaODosColumnas)
{
    App().gRuc = QStringLiteral("20100066603");
    App().gPeriodo = QStringLiteral("201405");
    for (int n : {0, 5, 6}) {
        db().Execute(QStringLiteral("DELETE FROM F0947_PTCEA"));
        for (int i = 0; i < n; ++i)
            perdida(false, QString(), dao::Variant(App().gRuc), dao::Variant(App().gPeriodo), QString::number(2000 + i),
                    QString::number(1000 * (i + 1)));
        const auto r = escribe([](HojaReporte& h) { ImprimeInfComplementaria(h, 4); });
        const auto cabeceras = std::count_if(r.begin(), r.end(), [](const Registro& g) { return g.Texto == QStringLiteral("   Año"); });
        EXPECT_EQ(cabeceras, n == 6 ? 2 : 1) << n;
        const auto anhos = std::count_if(r.begin(), r.end(), [](const Registro& g) { return g.Texto.startsWith(QStringLiteral("    20")); });
        EXPECT_EQ(anhos, n) << n;
        if (n == 6) {
            // The sixth stands at the height of the first, in the second column.
            int yPrimera = 0;
            for (const Registro& g : r)
                if (g.Texto == QStringLiteral("    2000"))
                    yPrimera = g.Y;
            EXPECT_EQ(textoEn(r, 4250, yPrimera), QStringLiteral("    2005"));
            EXPECT_EQ(textoEn(r, 6100, yPrimera), QStringLiteral("          6,000"));
        }
    }
    // Box 209 with at least two digits, an empty box as 16 blanks.
    casillas({{209, "7"}});
    const auto r = escribe([](HojaReporte& h) { ImprimeInfComplementaria(h, 4); });
    EXPECT_EQ(valorDe(r, QStringLiteral("Código de zona de la colegiatura o registro")), QStringLiteral("              07"));
    EXPECT_EQ(valorDe(r, QStringLiteral("RUC")), QString(16, QLatin1Char(' ')));
}

TEST_F(Paginas, CargaLimpiaLoDeOtraDeclaracion)
{
    cargaDeclaracion(QStringLiteral("amazonia_2013_enviada.txt"));
    pConsulta();
    EstadoImpresion& e = Impresion();
    EXPECT_EQ(e.gNumOrdenImp, QStringLiteral("123456"));
    EXPECT_EQ(e.gTelefonoImp, QStringLiteral("065-231234"));
    EXPECT_EQ(e.gValores[500], QStringLiteral("700"));   // HDET, not the DET row
    EXPECT_EQ(e.g811, QStringLiteral("1"));
    EXPECT_EQ(e.gValores[811], QStringLiteral("1"));

    // A stored declaration with no telephone, odd box numbers and a Null value.
    const dao::Variant ruc(QStringLiteral("20456789013"));
    for (const auto& [casilla, valor] : std::initializer_list<std::pair<const char*, dao::Variant>>{
             {"950", dao::Variant(QStringLiteral("X"))}, {"900", dao::Variant(QStringLiteral("Y"))},
             {"000", dao::Variant(QStringLiteral("Z"))}, {"-05", dao::Variant(QStringLiteral("W"))},
             {"ABC", dao::Variant(QStringLiteral("V"))}, {"813", dao::Variant(QStringLiteral("1"))},
             {"899", dao::Variant(QStringLiteral("ultima"))}, {"501", dao::Variant()}})
        db().Execute(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CASILLA, i_valor)"
                                    " VALUES (6, ?, '201405', '0947', ?, ?)"),
                     0, {ruc, dao::Variant(casilla), valor});
    App().gRuc = ruc.toText();
    App().gPeriodo = QStringLiteral("201405");
    e.gEnviadaImp = false;
    pConsulta();
    EXPECT_EQ(e.gNumOrdenImp, QString());
    EXPECT_EQ(e.gTelefonoImp, QString());
    EXPECT_EQ(e.g811, QString());
    EXPECT_EQ(e.gValores[811], QString());
    EXPECT_EQ(e.g813, QStringLiteral("1"));
    EXPECT_EQ(e.gValores[813], QStringLiteral("1"));
    EXPECT_EQ(e.gValores[899], QStringLiteral("ultima"));
    EXPECT_EQ(e.gValores[501], QString());
    EXPECT_EQ(e.gValores[900], QString());
    EXPECT_EQ(e.gValores[0], QString());
    const int llenas = static_cast<int>(std::count_if(e.gValores.begin(), e.gValores.end(), [](const QString& v) { return !v.isEmpty(); }));
    EXPECT_EQ(llenas, 2);
}

TEST_F(Paginas, NumRegistrosEnLaCarpetaDeReportes)
{
    QFile f(zav::JoinPath(App().gRutaRpt, QStringLiteral("00000007.PRN")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<!font!>Courier New<!/font!>\r\n<!nHojas!>5<!/nHojas!>\r\n");
    f.close();
    EXPECT_EQ(NumRegistros(QStringLiteral("00000007.PRN")), 5);
    EXPECT_EQ(NumRegistros(QStringLiteral("00000008.PRN")), 0);
}

} // namespace
