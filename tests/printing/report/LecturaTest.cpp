// The reader: every keyword, the endings of a keyword, lines it must skip, numbers.
#include "printing/report/ArchivoReporte.h"
#include "printing/report/LectorReporte.h"
#include "tests/support/NombresRegistro.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using rpt::Registro;
using rpt::TipoRegistro;

Registro pos(int x, int y, const QString& t, bool b, int size, int page, TipoRegistro tipo = TipoRegistro::Pos)
{
    Registro r;
    r.Tipo = tipo;
    r.X = x;
    r.Y = y;
    r.Texto = t;
    r.Negrita = b;
    r.Tamano = size;
    r.Pagina = page;
    return r;
}

Registro cuadro(int x1, int y1, int x2, int y2, int page)
{
    Registro r;
    r.Tipo = TipoRegistro::Cuadro;
    r.X = x1;
    r.Y = y1;
    r.X2 = x2;
    r.Y2 = y2;
    r.Pagina = page;
    return r;
}

Registro etiqueta(TipoRegistro tipo, const QString& valor, quint32 color = 0, int hojas = 0)
{
    Registro r;
    r.Tipo = tipo;
    r.Texto = valor;
    r.Color = color;
    r.Hojas = hojas;
    return r;
}

TEST(Tokenizador, PalabraClaveYSusTerminaciones)
{
    struct Caso {
        const char* linea;
        const char* clave;   // nullptr: no keyword
        qsizetype siguiente;
    };
    const Caso casos[] = {
        {"pPos|1|2|", "pPos", 5},
        {"  pCuadro  |1|", "pCuadro", 12},
        {"<!font!>Courier New<!/font!>", "<!font!>", 8},
        {"pNuevaHoja", "pNuevaHoja", 10},
        {"pNuevaHoja|", "pNuevaHoja", 10},   // "aHoja" comes before the bar
        {"xaHoja resto", "xaHoja", 6},
        {"<!/bold!>", "<!/bold!>", 9},
        {"a!>b|", "a!>", 3},
        {"", nullptr, 0},
        {"texto suelto sin final", nullptr, 0},
        {"<!font sin cierre", nullptr, 0},
    };
    for (const Caso& c : casos) {
        // The keyword is a view into the line: the line must outlive it.
        const QString linea = QString::fromLatin1(c.linea);
        const auto w = rpt::PalabraClave(linea);
        if (!c.clave) {
            EXPECT_FALSE(w.has_value()) << c.linea;
            continue;
        }
        ASSERT_TRUE(w.has_value()) << c.linea;
        EXPECT_EQ(w->Clave.toString(), QString::fromLatin1(c.clave)) << c.linea;
        EXPECT_EQ(w->Siguiente, c.siguiente) << c.linea;
    }
}

TEST(Tokenizador, CadaLineaLeida)
{
    struct Caso {
        const char* nombre;
        QString linea;
        std::optional<Registro> esperado;
    };
    const Caso casos[] = {
        {"pPos", QStringLiteral("pPos|300|350|KOVEL|True|16|0|"), pos(300, 350, QStringLiteral("KOVEL"), true, 16, 0)},
        {"pPos con texto vacío", QStringLiteral("pPos|8750|2810||False|0|3|"), pos(8750, 2810, QString(), false, 0, 3)},
        {"pPos texto sin recortar", QStringLiteral("pPos|1|2|   (2,000)|False|0|0|"),
         pos(1, 2, QStringLiteral("   (2,000)"), false, 0, 0)},
        {"negrita recortada", QStringLiteral("pPos|1|2|a| True |0|0|"), pos(1, 2, QStringLiteral("a"), true, 0, 0)},
        {"pPosVerti", QStringLiteral("pPosVerti|10|20|ABC|False|9|2|"),
         pos(10, 20, QStringLiteral("ABC"), false, 9, 2, TipoRegistro::PosVerti)},
        {"pCuadro", QStringLiteral("pCuadro|150|300|1700|1640|0|"), cuadro(150, 300, 1700, 1640, 0)},
        {"negativos", QStringLiteral("pCuadro|-1|-32768|32767|0|4|"), cuadro(-1, -32768, 32767, 0, 4)},
        {"1.5 redondea al par", QStringLiteral("pCuadro|1.5|2.5|-0.5|3.7|0|"), cuadro(2, 2, 0, 4, 0)},
        {"campo vacío o no numérico es 0", QStringLiteral("pCuadro||abc|12x|  7|0|"), cuadro(0, 0, 12, 7, 0)},
        {"pNuevaHoja", QStringLiteral("pNuevaHoja"), etiqueta(TipoRegistro::NuevaHoja, QString())},
        {"font", QStringLiteral("<!font!> Courier New <!/font!>"), etiqueta(TipoRegistro::Font, QStringLiteral(" Courier New "))},
        {"nHojas", QStringLiteral("<!nHojas!>5<!/nHojas!>"), etiqueta(TipoRegistro::NHojas, QStringLiteral("5"), 0, 5)},
        {"Orientacion", QStringLiteral("<!Orientacion!> H <!/Orientacion!>"), etiqueta(TipoRegistro::Orientacion, QStringLiteral("H"))},
        {"Color", QStringLiteral("<!Color!>&H00FFFFC0&<!/Color!>"),
         etiqueta(TipoRegistro::Color, QStringLiteral("&H00FFFFC0"), 0x00FFFFC0u)},
        {"Color de sistema", QStringLiteral("<!Color!>&H80000005&<!/Color!>"),
         etiqueta(TipoRegistro::Color, QStringLiteral("&H80000005"), 0x80000005u)},
        {"etiqueta sin cierre llega al final", QStringLiteral("<!font!>Arial"), etiqueta(TipoRegistro::Font, QStringLiteral("Arial"))},
        {"Color sin cierre", QStringLiteral("<!Color!>&H000000FF&"), etiqueta(TipoRegistro::Color, QStringLiteral("&H000000FF"), 0xFFu)},
        {"etiqueta vacía", QStringLiteral("<!Orientacion!>"), etiqueta(TipoRegistro::Orientacion, QString())},
        {"Color sin valor", QStringLiteral("<!Color!>"), std::nullopt},
        {"Color con valor vacío", QStringLiteral("<!Color!><!/Color!>"), std::nullopt},
        // Lines skipped.
        {"vacía", QString(), std::nullopt},
        {"sin ninguna terminación", QStringLiteral("un texto cualquiera"), std::nullopt},
        {"palabra desconocida", QStringLiteral("pLinea|1|2|"), std::nullopt},
        {"mayúsculas distintas", QStringLiteral("ppos|1|2|a|True|0|0|"), std::nullopt},
        {"etiqueta desconocida", QStringLiteral("<!bold!>"), std::nullopt},
        {"cierre suelto", QStringLiteral("<!/font!>"), std::nullopt},
        {"falta un campo", QStringLiteral("pPos|300|350|KOVEL|True|16|0"), std::nullopt},
        {"rectángulo corto", QStringLiteral("pCuadro|1|2|3|"), std::nullopt},
        {"negrita inválida", QStringLiteral("pPos|1|2|a|Si|0|0|"), std::nullopt},
        {"40000 no cabe en 16 bits", QStringLiteral("pPos|40000|2|a|False|0|0|"), std::nullopt},
        {"-32769 no cabe", QStringLiteral("pCuadro|1|-32769|3|4|0|"), std::nullopt},
        {"número desbordado", QStringLiteral("pCuadro|1E400|0|0|0|0|"), std::nullopt},
        {"negrita 1e999", QStringLiteral("pPos|1|2|a|1e999|0|0|"), std::nullopt},
        {"negrita -1e999", QStringLiteral("pPosVerti|1|2|a|-1e999|0|0|"), std::nullopt},
        {"tamaño 1e999", QStringLiteral("pPos|1|2|a|True|1e999|0|"), std::nullopt},
        {"página 1e999", QStringLiteral("pPos|1|2|a|True|0|1e999|"), std::nullopt},
        {"color de más de 32 bits", QStringLiteral("<!Color!>&H1FFFFFFFF&<!/Color!>"), std::nullopt},
        {"hojas 1e999", QStringLiteral("<!nHojas!>1e999<!/nHojas!>"),
         etiqueta(TipoRegistro::NHojas, QStringLiteral("1e999"), 0, 0)},
    };
    for (const Caso& c : casos) {
        const std::optional<Registro> r = rpt::LeeLinea(c.linea);
        ASSERT_EQ(r.has_value(), c.esperado.has_value()) << c.nombre;
        if (r) {
            EXPECT_EQ(*r, *c.esperado) << c.nombre;
        }
    }
}

TEST(Tokenizador, LineasConCualquierFinal)
{
    const std::vector<QString> l = rpt::Lineas(QByteArray("a\r\nb\nc\rd\r\n\r\ne"));
    EXPECT_EQ(l, (std::vector<QString>{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                       QStringLiteral("d"), QString(), QStringLiteral("e")}));
    EXPECT_TRUE(rpt::Lineas(QByteArray()).empty());
    EXPECT_EQ(rpt::Lineas(QByteArray("\xd3\x80")).front(), QStringLiteral("Ó€"));
}

TEST(Tokenizador, LoEscritoSeLeeIgual)
{
    rpt::ArchivoReporte f;
    f.AbreEnMemoria();
    f.EscribeLinea(QStringLiteral("<!font!>Courier New<!/font!>"));
    f.EscribeLinea(QStringLiteral("<!nHojas!>5<!/nHojas!>"));
    f.EscribePos(300, 350, QStringLiteral("RAZÓN|SOCIAL"), true, 16, 0);
    f.EscribeNuevaHoja();
    f.EscribePos(-300, 1450, QString(), false, 0, 1);
    f.EscribePos(3500, 1450, QStringLiteral("<!desconocida!>x"), false, 0, 1);
    f.EscribeCuadro(150, 300, 1700, 1640, 1);
    const std::vector<Registro> r = rpt::LeeReporte(f.Contenido());
    const std::vector<Registro> esperado{
        etiqueta(TipoRegistro::Font, QStringLiteral("Courier New")),
        etiqueta(TipoRegistro::NHojas, QStringLiteral("5"), 0, 5),
        pos(300, 350, QStringLiteral("RAZÓN¦SOCIAL"), true, 16, 0),
        etiqueta(TipoRegistro::NuevaHoja, QString()),
        pos(-300, 1450, QString(), false, 0, 1),
        pos(3500, 1450, QStringLiteral("‹!desconocida!>x"), false, 0, 1),
        cuadro(150, 300, 1700, 1640, 1),
    };
    EXPECT_EQ(r, esperado);
}

// A taxpayer's name between two records: it comes back as one record of its own, as the
// writers' rule leaves it, and the records around it are untouched.
TEST(Tokenizador, UnNombreEsUnRegistroYNadaMas)
{
    for (const NombreRegistro& n : NombresRegistro()) {
        rpt::ArchivoReporte f;
        f.AbreEnMemoria();
        f.EscribeLinea(QStringLiteral("<!Color!>&H00FFFFC0&<!/Color!>"));
        f.EscribePos(300, 1000, QStringLiteral("RAZON SOCIAL"), true, 0, 0);
        f.EscribePos(3500, 1000, n.guardado, false, 0, 0);
        f.EscribePos(300, 1250, QStringLiteral("PERIODO"), true, 0, 0);
        EXPECT_EQ(rpt::Lineas(f.Contenido()).size(), 4u) << n.caso;
        EXPECT_EQ(rpt::LeeReporte(f.Contenido()),
                  (std::vector<Registro>{etiqueta(TipoRegistro::Color, QStringLiteral("&H00FFFFC0"), 0x00FFFFC0u),
                                         pos(300, 1000, QStringLiteral("RAZON SOCIAL"), true, 0, 0),
                                         pos(3500, 1000, n.escrito, false, 0, 0),
                                         pos(300, 1250, QStringLiteral("PERIODO"), true, 0, 0)}))
            << n.caso;
    }
}

TEST(Tokenizador, LineasRotasNoDetienenLaLectura)
{
    const QByteArray contenido("\r\n"
                               "basura sin final\r\n"
                               "pPos|1|2|a|True|0|0\r\n"
                               "<!font!>sin cierre\r\n"
                               "pPos|40000|2|a|True|0|0|\r\n"
                               "pPos|1|2|a|1e999|0|0|\r\n"
                               "pCuadro|1|2|3|4|0|");   // last line without its end
    const std::vector<Registro> r = rpt::LeeReporte(contenido);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], etiqueta(TipoRegistro::Font, QStringLiteral("sin cierre")));
    EXPECT_EQ(r[1], cuadro(1, 2, 3, 4, 0));
}

TEST(NumeroHojas, PrimeraLineaConLaEtiqueta)
{
    QTemporaryDir dir;
    struct Caso {
        const char* nombre;
        QByteArray contenido;
        int hojas;
    };
    const Caso casos[] = {
        {"cinco", "<!font!>Courier New<!/font!>\r\n<!nHojas!>5<!/nHojas!>\r\npPos|1|1|x|False|0|0|\r\n", 5},
        {"una", "<!nHojas!>1<!/nHojas!>\r\n", 1},
        {"con blancos", "<!nHojas!>  12 <!/nHojas!>\r\n", 12},
        {"la primera cuenta", "<!nHojas!>3<!/nHojas!>\r\n<!nHojas!>9<!/nHojas!>\r\n", 3},
        {"sin cierre", "<!nHojas!>7\r\n", 7},
        {"1.5 redondea", "<!nHojas!>1.5<!/nHojas!>\r\n", 2},
        {"40000 no es un número de páginas", "<!nHojas!>40000<!/nHojas!>\r\n", 0},
        {"vacía", "<!nHojas!><!/nHojas!>\r\n", 0},
        {"sin la etiqueta", "pPos|1|1|x|False|0|0|\r\n", 0},
        {"archivo vacío", "", 0},
    };
    for (const Caso& c : casos) {
        const QString ruta = dir.filePath(QStringLiteral("00000001.PRN"));
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.contenido);
        f.close();
        EXPECT_EQ(rpt::NumeroHojas(ruta), c.hojas) << c.nombre;
    }
    EXPECT_EQ(rpt::NumeroHojas(dir.filePath(QStringLiteral("falta.PRN"))), 0);
}

} // namespace
