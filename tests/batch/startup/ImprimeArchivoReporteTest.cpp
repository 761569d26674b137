// The report text renderer: its tag lines, to a text file and to the printer.
#include "batch/startup/EstadoLote.h"
#include "batch/startup/ImprimeArchivoReporte.h"
#include "tests/batch/LoteFixture.h"
#include "tests/batch/startup/ImpresoraGrabadora.h"
#include "platform/ui/Impresora.h"
#include "tests/support/LimiteArchivos.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace zav::lote {
namespace {

using test::EntornoLote;
using test::ImpresoraGrabadora;

const QString kNp = QString(QChar(15));

struct CasoRender {
    const char* nombre;
    QStringList entrada;   // lines of the report file, each ended by CR LF
    QStringList archivo;   // lines of the text file
    QStringList impresora; // the printer's calls
};

class Render : public ::testing::Test {
protected:
    void SetUp() override
    {
        rpt_ = entorno_.Ruta(QStringLiteral("RPT"));
        ASSERT_TRUE(QDir().mkpath(rpt_));
        Lote().RutaRpt = rpt_;
    }

    void Escribe(const QString& nombre, const QStringList& lineas)
    {
        QString texto;
        for (const QString& l : lineas)
            texto += l + QStringLiteral("\r\n");
        ASSERT_TRUE(test::EscribeArchivo(QDir(rpt_).filePath(nombre), texto));
    }

    QString Texto(const QStringList& lineas)
    {
        QString t;
        for (const QString& l : lineas)
            t += l + QStringLiteral("\r\n");
        return t;
    }

    EntornoLote entorno_;
    QString rpt_;
};

TEST_F(Render, TagCasesToAFileAndToThePrinter)
{
    const std::vector<CasoRender> casos{
        {"font and bold",
         {"<!font!>Arial<!/font!>", "<!bold!>", "uno", "<!/bold!>", "dos"},
         {"uno", "dos"},
         {"uno|Arial|8|B--", "dos|Arial|8|---", "EndDoc"}},
        {"page break before the next line",
         {"antes", "<!np!>", "después"},
         {"antes", kNp, "después"},
         {"antes|Courier New|8|---", "NewPage", "después|Courier New|8|---", "EndDoc"}},
        {"blank and empty lines",
         {"   ", "", "x"},
         {" ", " ", "x"},
         {"||0|---", "||0|---", "x|Courier New|8|---", "EndDoc"}},
        {"a tag inside a text line counts and the line is not rendered",
         {"texto <!bold!> más", "sigue"},
         {"sigue"},
         {"sigue|Courier New|8|B--", "EndDoc"}},
        {"records are ordinary lines",
         {"pPos|300|1500|DOCUMENTO       : RUC  20000000001|False|10|0|"},
         {"pPos|300|1500|DOCUMENTO       : RUC  20000000001|False|10|0|"},
         {"pPos|300|1500|DOCUMENTO       : RUC  20000000001|False|10|0||Courier New|8|---", "EndDoc"}},
        {"size, italic and underline",
         {"<!fontsize!>12.5<!/fontsize!>", "<!italic!>", "a", "<!underline!>", "<!fontsize!>13.5 pt<!/fontsize!>",
          "b", "<!/italic!>", "<!/underline!>", "c"},
         {"a", "b", "c"},
         {"a|Courier New|12|-I-", "b|Courier New|14|-IU", "c|Courier New|14|---", "EndDoc"}},
        {"tags of the report file are no-ops",
         {"<!font!>Courier New<!/font!>", "<!nHojas!>1<!/nHojas!>", "<!Orientacion!>V<!/Orientacion!>",
          "<!Color!>&H80000005&<!/Color!>", "z"},
         {"z"},
         {"z|Courier New|8|---", "EndDoc"}},
        {"an empty file", {}, {}, {}},
        {"characters of the host's code page", {"Fec.Generación: €"}, {"Fec.Generación: €"},
         {"Fec.Generación: €|Courier New|8|---", "EndDoc"}},
    };
    for (const CasoRender& c : casos) {
        Escribe(QStringLiteral("00000001.PRN"), c.entrada);
        EXPECT_TRUE(ImprimeArchivoReporte(QStringLiteral("00000001.PRN"), QStringLiteral("ARCHIVO"))) << c.nombre;
        EXPECT_EQ(test::LeeArchivo(QDir(rpt_).filePath(QStringLiteral("00000001.txt"))), Texto(c.archivo))
            << c.nombre;

        ImpresoraGrabadora impresora;
        ImpresoraScope scope(impresora);
        EXPECT_TRUE(ImprimeArchivoReporte(QStringLiteral("00000001.PRN"), QStringLiteral("PRINTER"))) << c.nombre;
        EXPECT_EQ(impresora.llamadas, c.impresora) << c.nombre << ": "
                                                    << impresora.llamadas.join(QLatin1String(" / ")).toStdString();
    }
    EXPECT_EQ(entorno_.mensajes.Count(), 0) << entorno_.mensajes.Texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(Render, FontStartsAgainEachTimeButAPageBreakWaitsForTheNextLine)
{
    Escribe(QStringLiteral("A.PRN"), {"<!bold!>", "<!fontsize!>20<!/fontsize!>", "a", "<!np!>"});
    Escribe(QStringLiteral("B.PRN"), {"b"});
    ASSERT_TRUE(ImprimeArchivoReporte(QStringLiteral("A.PRN"), QStringLiteral("ARCHIVO")));
    ASSERT_TRUE(ImprimeArchivoReporte(QStringLiteral("B.PRN"), QStringLiteral("ARCHIVO")));
    EXPECT_EQ(test::LeeArchivo(QDir(rpt_).filePath(QStringLiteral("B.txt"))), Texto({kNp, "b"}));

    ImpresoraGrabadora impresora;
    ImpresoraScope scope(impresora);
    ASSERT_TRUE(ImprimeArchivoReporte(QStringLiteral("A.PRN"), QStringLiteral("PRINTER")));
    ASSERT_TRUE(ImprimeArchivoReporte(QStringLiteral("B.PRN"), QStringLiteral("PRINTER")));
    EXPECT_EQ(impresora.llamadas, QStringList({"a|Courier New|20|B--", "EndDoc", "NewPage", "b|Courier New|8|---",
                                               "EndDoc"}));
}

TEST_F(Render, TheTextFileIsNamedUpToTheFirstPointAndReplacesAnyCase)
{
    Escribe(QStringLiteral("0947201305000012345.PRN"), {"uno"});
    ASSERT_TRUE(test::EscribeArchivo(QDir(rpt_).filePath(QStringLiteral("0947201305000012345.TXT")),
                                     QStringLiteral("viejo\r\nviejo\r\n")));
    ASSERT_TRUE(ImprimeArchivoReporte(QStringLiteral("0947201305000012345.PRN"), QStringLiteral("cualquiera")));
    EXPECT_EQ(QDir(rpt_).entryList({QStringLiteral("*.txt"), QStringLiteral("*.TXT")}, QDir::Files),
              QStringList{QStringLiteral("0947201305000012345.TXT")});
    EXPECT_EQ(test::LeeArchivo(QDir(rpt_).filePath(QStringLiteral("0947201305000012345.TXT"))),
              QStringLiteral("uno\r\n"));

    Escribe(QStringLiteral("a.b.PRN"), {"x"});
    ASSERT_TRUE(ImprimeArchivoReporte(QStringLiteral("a.b.PRN"), QStringLiteral("ARCHIVO")));
    EXPECT_EQ(test::LeeArchivo(QDir(rpt_).filePath(QStringLiteral("a.txt"))), QStringLiteral("x\r\n"));
}

struct CasoFalla {
    const char* nombre;
    QString archivo;
    QStringList entrada; // empty: no file
    QString destino;
    QString mensaje;
    QString titulo;
};

TEST_F(Render, FailuresAnswerFalseAfterTheirMessage)
{
    const QString tecnico = QStringLiteral("Error Técnico : ( 5) Llamada a un procedimiento o argumento no válido.");
    const std::vector<CasoFalla> casos{
        {"missing report file", "00000009.PRN", {}, "ARCHIVO", "Archivo Físico del Reporte no Existe",
         "Error al Imprimir"},
        {"missing report file, printer", "00000009.PRN", {}, "PRINTER", "Archivo Físico del Reporte no Existe",
         "Error al Imprimir"},
        {"a tag without its end", "00000001.PRN", {"uno", "<!bold", "dos"}, "ARCHIVO", tecnico, "Impresión"},
        {"a font without its closer", "00000001.PRN", {"<!font!>Arial"}, "ARCHIVO", tecnico, "Impresión"},
        {"a size without its closer", "00000001.PRN", {"<!fontsize!>10"}, "PRINTER", tecnico, "Impresión"},
        {"a name without a point", "SINPUNTO", {"uno"}, "ARCHIVO", tecnico, "Impresión"},
        {"a size beyond the integer range", "00000001.PRN", {"<!fontsize!>99999<!/fontsize!>"}, "ARCHIVO",
         "Error Técnico : ( 6) Desbordamiento: el número no cabe en su tipo.", "Impresión"},
    };
    for (const CasoFalla& c : casos) {
        QDir(rpt_).removeRecursively();
        QDir().mkpath(rpt_);
        if (!c.entrada.isEmpty())
            Escribe(c.archivo, c.entrada);
        entorno_.mensajes.Clear();
        ImpresoraGrabadora impresora;
        ImpresoraScope scope(impresora);
        EXPECT_FALSE(ImprimeArchivoReporte(c.archivo, c.destino)) << c.nombre;
        ASSERT_EQ(entorno_.mensajes.Count(), 1) << c.nombre;
        EXPECT_EQ(entorno_.mensajes.Last().text, c.mensaje) << c.nombre;
        EXPECT_EQ(entorno_.mensajes.Last().title, c.titulo) << c.nombre;
        EXPECT_EQ(entorno_.mensajes.Last().style, 16) << c.nombre;
        EXPECT_FALSE(impresora.llamadas.contains(QStringLiteral("EndDoc"))) << c.nombre;
    }
    // The text file of a missing report is created empty and stays.
    QDir(rpt_).removeRecursively();
    QDir().mkpath(rpt_);
    EXPECT_FALSE(ImprimeArchivoReporte(QStringLiteral("00000009.PRN"), QStringLiteral("ARCHIVO")));
    EXPECT_TRUE(QFileInfo::exists(QDir(rpt_).filePath(QStringLiteral("00000009.txt"))));
    EXPECT_EQ(QFileInfo(QDir(rpt_).filePath(QStringLiteral("00000009.txt"))).size(), 0);
}

TEST_F(Render, NoPrinterIsReportedAndAFileRenderingNeverNeedsOne)
{
    Escribe(QStringLiteral("00000001.PRN"), {"uno"});
    ImpresoraGrabadora impresora;
    impresora.sinImpresora = true;
    ImpresoraScope scope(impresora);
    EXPECT_TRUE(ImprimeArchivoReporte(QStringLiteral("00000001.PRN"), QStringLiteral("ARCHIVO")));
    EXPECT_EQ(entorno_.mensajes.Count(), 0);
    EXPECT_FALSE(ImprimeArchivoReporte(QStringLiteral("00000001.PRN"), QStringLiteral("PRINTER")));
    ASSERT_EQ(entorno_.mensajes.Count(), 1);
    EXPECT_EQ(entorno_.mensajes.Last().text, QStringLiteral("No existe una impresora seleccionada.Verifique."));
    EXPECT_EQ(entorno_.mensajes.Last().title, QStringLiteral("Impresión"));
}

TEST_F(Render, AnUnwritableTextFileIsAFailure)
{
    Escribe(QStringLiteral("00000001.PRN"), {"uno"});
    ASSERT_TRUE(QDir().mkpath(QDir(rpt_).filePath(QStringLiteral("00000001.txt"))));
    EXPECT_FALSE(ImprimeArchivoReporte(QStringLiteral("00000001.PRN"), QStringLiteral("ARCHIVO")));
    ASSERT_EQ(entorno_.mensajes.Count(), 1);
    EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("Error Técnico : ( 75)")));
}

// The text file is whole or not written: a disk that fills up, or a line the rendering
// stops at, leaves the earlier text file as it was, and no temporary file beside it.
TEST_F(Render, TheTextFileIsWrittenWholeOrNotAtAll)
{
    QStringList lineas;
    for (int i = 0; i < 40; ++i)
        lineas << QStringLiteral("pPos|300|%1|DOCUMENTO       : RUC  20000000001|False|10|0|").arg(1500 + i);
    Escribe(QStringLiteral("00000001.PRN"), lineas);
    Escribe(QStringLiteral("00000002.PRN"), {"uno", "dos", "<!fontsize!>10", "tres"});
    const QString texto = QDir(rpt_).filePath(QStringLiteral("00000001.txt"));
    const QByteArray entero = ToCp1252(Texto(lineas));
    const QByteArray viejo("viejo\r\n");
    struct Caso {
        const char* nombre;
        QString archivo;
        rlim_t limite;
        QString mensaje; // its start
    };
    const Caso casos[] = {
        {"no room at all", QStringLiteral("00000001.PRN"), 0, QStringLiteral("Error Técnico : ( 57)")},
        {"room for a few lines", QStringLiteral("00000001.PRN"), 300, QStringLiteral("Error Técnico : ( 57)")},
        {"room for all but the last byte", QStringLiteral("00000001.PRN"), rlim_t(entero.size() - 1),
         QStringLiteral("Error Técnico : ( 57)")},
        {"a size without its closer after two lines", QStringLiteral("00000002.PRN"), RLIM_INFINITY,
         QStringLiteral("Error Técnico : ( 5)")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const QString destino = QDir(rpt_).filePath(c.archivo.left(8) + QStringLiteral(".txt"));
        ASSERT_TRUE(test::EscribeArchivo(destino, FromCp1252(viejo)));
        entorno_.mensajes.Clear();
        bool rendido = true;
        {
            std::unique_ptr<LimiteArchivos> lleno;
            if (c.limite != RLIM_INFINITY)
                lleno = std::make_unique<LimiteArchivos>(c.limite);
            rendido = ImprimeArchivoReporte(c.archivo, QStringLiteral("ARCHIVO"));
        }
        EXPECT_FALSE(rendido);
        EXPECT_EQ(test::Bytes(destino), viejo);
        EXPECT_EQ(QDir(rpt_).entryList({QStringLiteral("*.~*")}, QDir::Files | QDir::Hidden), QStringList());
        ASSERT_EQ(entorno_.mensajes.Count(), 1);
        EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(c.mensaje)) << entorno_.mensajes.Last().text.toStdString();
    }
    EXPECT_TRUE(ImprimeArchivoReporte(QStringLiteral("00000001.PRN"), QStringLiteral("ARCHIVO")));
    EXPECT_EQ(test::Bytes(texto), entero);
}

} // namespace
} // namespace zav::lote

namespace zav::lote {
namespace {

int PaginasPdf(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page/") +
               pdf.count("/Type /Page "));
}

// The default printer stands as a PDF file: a page break prints only when a line
// follows it, and a trailing new page leaves no blank sheet.
TEST_F(Render, OnThePrinterAPageBreakNeedsALineAfterIt)
{
    const QString pdf = entorno_.Ruta(QStringLiteral("impresora.pdf"));
    qputenv("ZAV_PRINTER_PDF", QFile::encodeName(pdf));
    Escribe(QStringLiteral("00000001.PRN"),
            {"<!italic!>", "uno", "<!/italic!>", "<!np!>", "<!underline!>", "dos", "<!np!>"});
    ASSERT_TRUE(ImprimeArchivoReporte(QStringLiteral("00000001.PRN"), QStringLiteral("PRINTER")));
    EXPECT_EQ(PaginasPdf(pdf), 2);

    QFile::remove(pdf);
    Printer().Print(QStringLiteral("solo"));
    Printer().NewPage();
    Printer().EndDoc();
    EXPECT_EQ(PaginasPdf(pdf), 1);
    qunsetenv("ZAV_PRINTER_PDF");
    Lote().SaltoPendiente = false;
    EXPECT_EQ(entorno_.mensajes.Count(), 0);
}

} // namespace
} // namespace zav::lote
