// The fixed-position command line, the period rule and the refused lines.
#include "batch/startup/LineaComando.h"
#include "common/Paths.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace zav::lote {
namespace {

struct CasoLinea {
    const char* nombre;
    QString linea;
    QString tipo, numero, formulario, periodo, semana, constancia;
};

TEST(LineaComando, CutsEachFieldByPosition)
{
    const QString completa = QStringLiteral("0620000000001    0947201305000012345");
    const std::vector<CasoLinea> casos{
        {"36 characters", completa, "06", "20000000001    ", "0947", "201305", "0", "00012345"},
        {"shorter: cut inside the period", completa.left(24), "06", "20000000001    ", "0947", "201", "", ""},
        {"shorter: type only", QStringLiteral("0"), "0", "", "", "", "", ""},
        {"empty", QString(), "", "", "", "", "", ""},
        {"longer: the rest is not read", completa + QStringLiteral("XYZ/.."), "06", "20000000001    ", "0947",
         "201305", "0", "00012345"},
        {"blanks", QString(36, QLatin1Char(' ')), "  ", QString(15, QLatin1Char(' ')), "    ", "      ", " ",
         "        "},
        {"letters", QStringLiteral("AB20ABCDEFGHIJKLMFORMYYYYMMWCONSTANC"), "AB", "20ABCDEFGHIJKLM", "FORM",
         "YYYYMM", "W", "CONSTANC"},
        {"characters above 127", QStringLiteral("06ÑANDÚ  ñ      €094720130500000ÿ"), "06", "ÑANDÚ  ñ      €",
         "0947", "201305", "0", "0000ÿ"},
        {"yearly period", QStringLiteral("0620000000001    0947201300000000007"), "06", "20000000001    ", "0947",
         "201300", "0", "00000007"},
    };
    for (const CasoLinea& c : casos) {
        const LineaComandoLote l = CortaLineaComando(c.linea);
        EXPECT_EQ(l.TipoDoc, c.tipo) << c.nombre;
        EXPECT_EQ(l.NumDoc, c.numero) << c.nombre;
        EXPECT_EQ(l.Formulario, c.formulario) << c.nombre;
        EXPECT_EQ(l.Periodo, c.periodo) << c.nombre;
        EXPECT_EQ(l.Semana, c.semana) << c.nombre;
        EXPECT_EQ(l.NroConstancia, c.constancia) << c.nombre;
        EXPECT_TRUE(RechazoLineaComando(l).isEmpty()) << c.nombre;
    }
}

TEST(LineaComando, PeriodRule)
{
    const std::vector<std::pair<QString, QString>> casos{
        {"201305", "201305"}, {"201300", "2013"}, {"201200", "2012"}, {"201312", "201312"},
        {"2013", "2013"},     {"00", "00"},       {"", ""},           {"0", "0"},
        {"1999 0", "1999 0"}, {"abcd00", "abcd"},
    };
    for (const auto& [periodo, esperado] : casos)
        EXPECT_EQ(PeriodoConsulta(periodo), esperado) << periodo.toStdString();
}

TEST(LineaComando, RefusesFieldsThatNameAnotherFolder)
{
    const QString base = QStringLiteral("0620000000001    0947201305000012345");
    const std::vector<std::pair<int, QString>> malos{
        {3, QStringLiteral("/")},  {3, QStringLiteral("\\")}, {9, QStringLiteral("..")},  {30, QStringLiteral("/")},
        {29, QStringLiteral("..")}, {22, QStringLiteral("\\")}, {1, QStringLiteral("\t")}, {28, QString(QChar(0))},
        {5, QString(QChar(0x7f))}, {33, QString(QChar(0x85))}, {36, QStringLiteral("\n")}, {18, QStringLiteral("\r")},
    };
    for (const auto& [columna, texto] : malos) {
        QString linea = base;
        linea.replace(columna - 1, texto.size(), texto);
        const QString rechazo = RechazoLineaComando(CortaLineaComando(linea));
        EXPECT_TRUE(rechazo.startsWith(QStringLiteral("La línea de comando no es válida"))) << columna;
    }
    // A single point, blanks and letters of the host's code page are ordinary characters.
    for (const QString& bueno : {QStringLiteral("0620000000001.   0947201305000.2345"),
                                 QStringLiteral("06Ñ.Ñ.Ñ 1       0947201305 .Ñ.Ñ.Ñ.")})
        EXPECT_TRUE(RechazoLineaComando(CortaLineaComando(bueno)).isEmpty()) << bueno.toStdString();
    // Characters past column 36 are not read, so they are not refused either.
    EXPECT_TRUE(RechazoLineaComando(CortaLineaComando(base + QStringLiteral("/../\t"))).isEmpty());
}

TEST(LineaComando, ArgumentBytesAreUtf8OrTheHostsCodePage)
{
    EXPECT_EQ(DecodificaArgumento(QByteArray("06\xc3\x91")), QStringLiteral("06Ñ"));
    EXPECT_EQ(DecodificaArgumento(QByteArray("06\xd1")), QStringLiteral("06Ñ"));
    EXPECT_EQ(DecodificaArgumento(QByteArray("\x80")), QStringLiteral("€"));
    char prog[] = "0947REP", a[] = "0620000000001", b[] = "0947";
    char* argv[] = {prog, a, b};
    EXPECT_EQ(LineaDeArgumentos(3, argv), QStringLiteral("0620000000001 0947"));
    EXPECT_EQ(LineaDeArgumentos(1, argv), QString());
}

// Random lines of random bytes: the parser never fails, and a line it lets through
// names only files inside the report and work folders.
TEST(LineaComando, FuzzNamesStayInsideTheWorkFolders)
{
    QRandomGenerator azar(947);
    const QString rpt = QStringLiteral("/base/host/RPT");
    int aceptadas = 0;
    for (int i = 0; i < 20000; ++i) {
        QByteArray bytes;
        const int largo = int(azar.bounded(60));
        for (int j = 0; j < largo; ++j) {
            // Mostly printable, with a fair share of separators, points and control bytes.
            const int r = int(azar.bounded(10));
            bytes += r < 2 ? "/\\.."[azar.bounded(4)] : r < 3 ? char(azar.bounded(32)) : char(azar.bounded(256));
        }
        const QString linea = DecodificaArgumento(bytes);
        const LineaComandoLote l = CortaLineaComando(linea);
        ASSERT_LE(l.TipoDoc.size() + l.NumDoc.size() + l.Formulario.size() + l.Periodo.size() + l.Semana.size() +
                      l.NroConstancia.size(),
                  36);
        if (!RechazoLineaComando(l).isEmpty())
            continue;
        ++aceptadas;
        const QString base = l.Formulario + l.Periodo + l.Semana + l.NroConstancia;
        for (const QString& nombre : {base + QStringLiteral(".PRN"), base + QStringLiteral(".txt"),
                                      l.TipoDoc + l.NumDoc + QStringLiteral(".ERR")}) {
            const QString ruta = JoinPath(rpt, nombre);
            ASSERT_EQ(QFileInfo(ruta).absolutePath(), rpt) << ruta.toStdString();
            ASSERT_NE(QFileInfo(ruta).fileName(), QStringLiteral(".."));
        }
    }
    EXPECT_GT(aceptadas, 1000);
}

} // namespace
} // namespace zav::lote
