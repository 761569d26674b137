// 0947REP on fixture workspaces: the receipt report file, the plain receipt, its
// rendering, the copy in TMP, Trace.txt and the SPOOL row.
#include "batch/receipt/GeneraConstancia.h"
#include "batch/receipt/REP0947.h"
#include "batch/startup/LineaComando.h"
#include "common/Clock.h"
#include "common/Cp1252.h"
#include "common/Runtime.h"
#include "printing/report/LectorReporte.h"
#include "tests/batch/LoteFixture.h"
#include "tests/integrador/TestDb.h"
#include "tests/support/LimiteArchivos.h"
#include "tests/support/NombresRegistro.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace zav::lote {
namespace {

using integrador::test::TestDb;
using test::EntornoLote;
using test::LeeArchivo;

const QDateTime kAhora(QDate(2013, 6, 14), QTime(9, 5, 7));

QByteArray Esperado(const QString& nombre)
{
    return test::EsperadoEn(QStringLiteral(ESPERADOS), nombre);
}
using test::Bytes;

class Constancia : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_ = entorno_.Inicia();
        if (HasFatalFailure())
            return;
        SetClockForTests([] { return kAhora; });
        db_ = std::make_unique<TestDb>(entorno_.BaseDatos());
    }

    void Cabecera(int tipo, const QString& doc, const QString& periodo, int semana = 0)
    {
        ASSERT_EQ(db_->exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                                           "VALUES (?1, ?2, ?3, '0947', ?4, 1)"),
                            {tipo, doc, periodo, semana}),
                  SQLITE_DONE);
    }
    void Casilla(int tipo, const QString& doc, const QString& periodo, const QString& casilla, const QString& valor)
    {
        ASSERT_EQ(db_->exec(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, "
                                           "CASILLA, i_valor) VALUES (?1, ?2, ?3, '0947', 0, ?4, ?5)"),
                            {tipo, doc, periodo, casilla, valor}),
                  SQLITE_DONE);
    }

    int Ejecuta(const QString& linea)
    {
        return entorno_.Ejecuta([&] { return REP0947_Main(linea); });
    }

    // The real program, started as the host starts it, with room for files of `limite`
    // bytes at most: its status (-1 when it did not end by itself), its standard error and
    // its message boxes ("style|title|text").
    struct Corrida {
        int status = -1;
        QString error;
        QStringList mensajes;
    };
    Corrida Programa(const QString& linea, rlim_t limite = RLIM_INFINITY)
    {
        const QString log = entorno_.Ruta(QStringLiteral("msgbox.log"));
        QFile::remove(log);
        QProcess rep;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZAV_MSGBOX_LOG"), log);
        rep.setProcessEnvironment(env);
        if (limite != RLIM_INFINITY)
            LimitaArchivosDe(rep, limite);
        rep.start(QStringLiteral(PROGRAMA_0947REP), {linea});
        Corrida c;
        if (!rep.waitForFinished(30000)) {
            rep.kill();
            rep.waitForFinished();
            ADD_FAILURE() << "0947REP did not end";
        } else if (rep.exitStatus() == QProcess::NormalExit) {
            c.status = rep.exitCode();
        }
        c.error = QString::fromLocal8Bit(rep.readAllStandardError());
        c.mensajes = QString::fromUtf8(Bytes(log)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (c.mensajes == QStringList{QStringLiteral("<no existe>")})
            c.mensajes.clear();
        return c;
    }

    // The plain receipt of 20100070970 for May 2013, dated today as the real program dates it.
    static QByteArray ConstanciaDeHoy()
    {
        QString esperado = FromCp1252(Esperado(QStringLiteral("constancia_mayo2013.txt")));
        esperado.replace(QStringLiteral("15102030408"), QStringLiteral("20100070970"));
        esperado.replace(QStringLiteral("ASOCIACIÓN CIVIL LOS ANDES"), QStringLiteral("COMERCIAL ANDINA S.A.C."));
        esperado.replace(QStringLiteral("1.5000"), QStringLiteral("0.0000"));
        esperado.replace(QStringLiteral("14/06/2013"), FormatDate(QDate::currentDate(), QStringLiteral("dd/mm/yyyy")));
        return ToCp1252(esperado);
    }

    QStringList Spool()
    {
        QStringList filas;
        for (const QVariantList& r :
             db_->rows(QStringLiteral("SELECT CodRep, Secuencia, Archivo, Fecha, Usuario, Tip_doc_d, DOC_ID_D "
                                      "FROM SPOOL ORDER BY Archivo"))) {
            QStringList campos;
            for (const QVariant& v : r)
                campos << v.toString();
            filas << campos.join(QLatin1Char('|'));
        }
        return filas;
    }

    // Every file under the host folder, relative to it, sorted.
    QStringList Archivos()
    {
        QStringList out;
        QDirIterator it(host_, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            out << QDir(host_).relativeFilePath(it.next());
        out.sort();
        return out;
    }

    EntornoLote entorno_;
    QString host_;
    std::unique_ptr<TestDb> db_;
};

TEST_F(Constancia, May2013WritesEachFileAsExpected)
{
    Cabecera(6, QStringLiteral("15102030408"), QStringLiteral("201305"));
    Casilla(6, QStringLiteral("15102030408"), QStringLiteral("201305"), QStringLiteral("610"), QStringLiteral("1.5"));
    ASSERT_EQ(Ejecuta(QStringLiteral("0615102030408    0947201305000012345")), 0)
        << entorno_.mensajes.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(entorno_.mensajes.Count(), 0);

    const QString base = QStringLiteral("0947201305000012345");
    EXPECT_EQ(Bytes(host_ + QStringLiteral("RPT/00000001.PRN")), Esperado(QStringLiteral("reporte_mayo2013.PRN")));
    EXPECT_EQ(Bytes(host_ + QStringLiteral("RPT/") + base + QStringLiteral(".PRN")),
              Esperado(QStringLiteral("constancia_mayo2013.txt")));
    EXPECT_EQ(Bytes(host_ + QStringLiteral("RPT/") + base + QStringLiteral(".txt")),
              Esperado(QStringLiteral("constancia_mayo2013.txt")));
    EXPECT_EQ(Bytes(host_ + QStringLiteral("TMP/") + base + QStringLiteral(".TXT")),
              Esperado(QStringLiteral("constancia_mayo2013.txt")));
    EXPECT_EQ(Bytes(host_ + QStringLiteral("Trace.txt")), Esperado(QStringLiteral("traza_mayo2013.txt")));
    EXPECT_EQ(Spool().join(QLatin1Char('\n')) + QLatin1Char('\n'),
              FromCp1252(Esperado(QStringLiteral("spool_mayo2013.txt"))).remove(QLatin1Char('\r')));
    EXPECT_EQ(Archivos(), QStringList({"RPT/00000001.PRN", "RPT/" + base + ".PRN", "RPT/" + base + ".txt",
                                       "TMP/" + base + ".TXT", "TMP/env947.txt", "Trace.txt", "ZAV.MDB"}));

    // A second run registers a new report file; the plain receipt, its rendering and
    // the copy are replaced, the trace grows.
    ASSERT_EQ(Ejecuta(QStringLiteral("0615102030408    0947201305000012345")), 0);
    EXPECT_EQ(Bytes(host_ + QStringLiteral("RPT/00000002.PRN")), Esperado(QStringLiteral("reporte_mayo2013.PRN")));
    EXPECT_EQ(Bytes(host_ + QStringLiteral("TMP/") + base + QStringLiteral(".TXT")),
              Esperado(QStringLiteral("constancia_mayo2013.txt")));
    EXPECT_EQ(Bytes(host_ + QStringLiteral("Trace.txt")),
              Esperado(QStringLiteral("traza_mayo2013.txt")) + Esperado(QStringLiteral("traza_mayo2013.txt")));
    ASSERT_EQ(Spool().size(), 2);
    EXPECT_TRUE(Spool().at(1).startsWith(QStringLiteral("RCP002|000002|00000002.PRN|")));
}

TEST_F(Constancia, TwoHeaderRowsGiveTwoPagesAndThePlainReceiptDescribesTheFirst)
{
    Cabecera(6, QStringLiteral("15102030408"), QStringLiteral("201305"), 0);
    Cabecera(6, QStringLiteral("15102030408"), QStringLiteral("201305"), 1);
    Casilla(6, QStringLiteral("15102030408"), QStringLiteral("201305"), QStringLiteral("610"), QStringLiteral("1.5"));
    ASSERT_EQ(Ejecuta(QStringLiteral("0615102030408    0947201305000012345")), 0);
    const QByteArray pagina = Esperado(QStringLiteral("reporte_mayo2013.PRN"));
    EXPECT_EQ(Bytes(host_ + QStringLiteral("RPT/00000001.PRN")), pagina + pagina);
    EXPECT_EQ(Bytes(host_ + QStringLiteral("TMP/0947201305000012345.TXT")),
              Esperado(QStringLiteral("constancia_mayo2013.txt")));
}

TEST_F(Constancia, AYearlyPeriodQueriesTheYearAndFindsNoBox)
{
    Cabecera(6, QStringLiteral("20100070970"), QStringLiteral("2013"));
    Casilla(6, QStringLiteral("20100070970"), QStringLiteral("2013"), QStringLiteral("610"), QStringLiteral("2.5"));
    ASSERT_EQ(Ejecuta(QStringLiteral("0620100070970    0947201300000000777")), 0);
    EXPECT_EQ(Bytes(host_ + QStringLiteral("Trace.txt")), Esperado(QStringLiteral("traza_anual2013.txt")));
    EXPECT_EQ(Bytes(host_ + QStringLiteral("TMP/0947201300000000777.TXT")),
              Esperado(QStringLiteral("constancia_anual2013.txt")));
    EXPECT_TRUE(LeeArchivo(host_ + QStringLiteral("RPT/00000001.PRN"))
                    .contains(QStringLiteral("pPos|300|3250|COEFICIENTE O % :     0.0000|False|10|0|\r\n")));
}

TEST_F(Constancia, CoefficientByYearAndPaymentSystem)
{
    struct Caso {
        const char* periodo;
        const char* c609; // nullptr: no row
        const char* c610;
        const char* esperado;
    };
    const Caso casos[] = {
        {"201305", nullptr, "1.5", "1.5000"},     {"201305", "B", "0.0123", "0.0123"},
        {"201401", "A", "1234.56785", "1,234.5678"}, {"201206", "A", "0.0123", "0.0123"},
        {"201206", "B", "0.0123", "0.01"},         {"201206", nullptr, "0.0123", "0.01"},
        {"201212", "A", "0.015", "0.0150"},        {"201212", "B", "0.015", "0.02"},
        {"201206", "A", nullptr, "0.0000"},        {"201206", "B", "no es número", "0.00"},
    };
    int n = 0;
    for (const Caso& c : casos) {
        ++n;
        const QString doc = QStringLiteral("2010007097%1").arg(n % 10); // one declaration per case
        const QString periodo = QString::fromLatin1(c.periodo);
        Cabecera(6, doc, periodo);
        if (c.c609)
            Casilla(6, doc, periodo, QStringLiteral("609"), QString::fromLatin1(c.c609));
        if (c.c610)
            Casilla(6, doc, periodo, QStringLiteral("610"), QString::fromLatin1(c.c610));
        const QString linea = QStringLiteral("06") + doc.leftJustified(15) + QStringLiteral("0947") + periodo +
                              QStringLiteral("0") + QStringLiteral("%1").arg(n, 8, 10, QLatin1Char('0'));
        ASSERT_EQ(Ejecuta(linea), 0) << linea.toStdString();
        const QString base = QStringLiteral("0947") + periodo + QStringLiteral("0") +
                             QStringLiteral("%1").arg(n, 8, 10, QLatin1Char('0'));
        const QString reporte = LeeArchivo(host_ + QStringLiteral("RPT/%1.PRN").arg(n, 8, 10, QLatin1Char('0')));
        EXPECT_TRUE(reporte.contains(QStringLiteral("|COEFICIENTE O % :     ") + QString::fromLatin1(c.esperado) +
                                     QStringLiteral("|False|10|0|\r\n")))
            << c.periodo << " " << (c.c609 ? c.c609 : "-") << ": " << reporte.toStdString();
        EXPECT_TRUE(LeeArchivo(host_ + QStringLiteral("TMP/") + base + QStringLiteral(".TXT"))
                        .contains(QStringLiteral("\r\nCOEFICIENTE O %:  ") + QString::fromLatin1(c.esperado) +
                                  QStringLiteral("\r\n")))
            << c.periodo << " " << (c.c609 ? c.c609 : "-");
        const QString mostrado = periodo.right(2) + QLatin1Char('/') + periodo.left(4);
        EXPECT_TRUE(reporte.contains(QStringLiteral("PERIODO         : ") + mostrado)) << c.periodo;
        db_->exec(QStringLiteral("DELETE FROM CAB"));
        db_->exec(QStringLiteral("DELETE FROM DET"));
    }
}

// The host files what it finds in TMP as the receipt of a presentation: a declaration
// that is not stored gets nothing there, nothing registered, a non-zero status and the
// reason on standard error.
TEST_F(Constancia, RealProgramOnADeclarationThatIsNotStoredLeavesNothingForTheHost)
{
    Cabecera(6, QStringLiteral("20100070970"), QStringLiteral("201305"));   // another period
    const QStringList antes = Archivos();
    const Corrida c = Programa(QStringLiteral("0620100070970    0947201308000012345"));
    EXPECT_EQ(c.status, 1);
    // A box, as every other reason of the batch programs: seen on a screen, on standard
    // error without one.
    EXPECT_EQ(c.mensajes, QStringList{QStringLiteral("16|Presentación Telemática|No existe la declaración 0947 del "
                                                     "período 08/2013 del documento 20100070970: no se generó la "
                                                     "constancia")});
    EXPECT_TRUE(c.error.contains(QStringLiteral("No existe la declaración 0947 del período 08/2013 del documento "
                                                "20100070970")))
        << c.error.toStdString();
    QStringList esperados = antes;
    esperados << QStringLiteral("Trace.txt");
    esperados.sort();
    EXPECT_EQ(Archivos(), esperados);
    EXPECT_TRUE(Spool().isEmpty());
    EXPECT_EQ(LeeArchivo(host_ + QStringLiteral("Trace.txt")).count(QStringLiteral("\r\n")), 1);
}

// A name goes into the report file as one record and into the receipt as one line, as
// the writers' rule leaves it, whatever it holds; the reader finds the same records as
// for any other name.
TEST_F(Constancia, ANameIsOneRecordAndOneLineWhateverItHolds)
{
    const QString doc = QStringLiteral("15102030408");
    Cabecera(6, doc, QStringLiteral("201305"));
    Casilla(6, doc, QStringLiteral("201305"), QStringLiteral("610"), QStringLiteral("1.5"));
    const QString guardado = QStringLiteral("ASOCIACIÓN CIVIL LOS ANDES");
    const std::vector<rpt::Registro> normales = rpt::LeeReporte(Esperado(QStringLiteral("reporte_mayo2013.PRN")));
    int n = 0;
    for (const NombreRegistro& nombre : NombresRegistro()) {
        SCOPED_TRACE(nombre.caso);
        ++n;
        ASSERT_EQ(db_->exec(QStringLiteral("UPDATE CONT SET NOMBRE=?1 WHERE DOC_ID_D=?2"), {nombre.guardado, doc}),
                  SQLITE_DONE);
        entorno_.mensajes.Clear();
        ASSERT_EQ(Ejecuta(QStringLiteral("0615102030408    0947201305000012345")), 0);
        EXPECT_EQ(entorno_.mensajes.Count(), 0);

        QByteArray reporte = Esperado(QStringLiteral("reporte_mayo2013.PRN"));
        reporte.replace(ToCp1252(guardado), ToCp1252(nombre.escrito));
        const QByteArray escrito = Bytes(host_ + QStringLiteral("RPT/%1.PRN").arg(n, 8, 10, QLatin1Char('0')));
        EXPECT_EQ(escrito, reporte);
        const std::vector<rpt::Registro> leidos = rpt::LeeReporte(escrito);
        ASSERT_EQ(leidos.size(), normales.size());
        for (size_t i = 0; i < leidos.size(); ++i) {
            rpt::Registro r = normales[i];
            r.Texto.replace(guardado, nombre.escrito);
            EXPECT_EQ(leidos[i], r) << i;
        }

        QByteArray constancia = Esperado(QStringLiteral("constancia_mayo2013.txt"));
        constancia.replace(ToCp1252(guardado), ToCp1252(nombre.escrito));
        EXPECT_EQ(Bytes(host_ + QStringLiteral("TMP/0947201305000012345.TXT")), constancia);
    }
}

TEST_F(Constancia, UnknownTaxpayerAndDocumentType)
{
    Cabecera(6, QStringLiteral("20999999991"), QStringLiteral("201305"));
    Cabecera(99, QStringLiteral("20100070970"), QStringLiteral("201305"));
    ASSERT_EQ(Ejecuta(QStringLiteral("0620999999991    0947201305000000001")), 0);
    ASSERT_EQ(Ejecuta(QStringLiteral("9920100070970    0947201305000000002")), 0);
    const QString primera = LeeArchivo(host_ + QStringLiteral("TMP/0947201305000000001.TXT"));
    EXPECT_TRUE(primera.contains(QStringLiteral("\r\nRAZON SOCIAL   : \r\n"))) << primera.toStdString();
    EXPECT_TRUE(LeeArchivo(host_ + QStringLiteral("RPT/00000001.PRN"))
                    .contains(QStringLiteral("pPos|300|1750|RAZON SOCIAL    : |False|10|0|")));
    const QString segunda = LeeArchivo(host_ + QStringLiteral("TMP/0947201305000000002.TXT"));
    EXPECT_TRUE(segunda.startsWith(QStringLiteral("DOCUMENTO      : RUC  20100070970\r\n"))) << segunda.toStdString();
    EXPECT_TRUE(Spool().at(1).endsWith(QStringLiteral("|99|20100070970    ")));
}

TEST_F(Constancia, ARefusedLineWritesNothing)
{
    Cabecera(6, QStringLiteral("20100070970"), QStringLiteral("201305"));
    const QStringList antes = Archivos();
    for (const QString& linea : {QStringLiteral("0620100070970    0947201305000../x"),
                                 QStringLiteral("06../../../etc/x 0947201305000012345"),
                                 QStringLiteral("0620100070970    0947201305\x01" "00012345")}) {
        entorno_.mensajes.Clear();
        EXPECT_EQ(Ejecuta(linea), 1);
        ASSERT_EQ(entorno_.mensajes.Count(), 1);
        EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("La línea de comando no es válida")));
    }
    EXPECT_EQ(Archivos(), antes);
    EXPECT_TRUE(Spool().isEmpty());
}

TEST_F(Constancia, FailuresEndWithANonZeroStatusAndNoFalseCopy)
{
    const QString linea = QStringLiteral("0620100070970    0947201305000012345");
    const QString copia = host_ + QStringLiteral("TMP/0947201305000012345.TXT");
    Cabecera(6, QStringLiteral("20100070970"), QStringLiteral("201305"));
    {
        // No work folder: reported, nothing copied.
        ASSERT_TRUE(QDir(host_ + QStringLiteral("TMP")).removeRecursively());
        EXPECT_EQ(Ejecuta(linea), 1);
        ASSERT_EQ(entorno_.mensajes.Count(), 1);
        EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("No se pudo copiar la constancia")));
        EXPECT_TRUE(QFileInfo::exists(host_ + QStringLiteral("RPT/0947201305000012345.txt")));
        ASSERT_TRUE(QDir().mkpath(host_ + QStringLiteral("TMP")));
    }
    {
        // The rendering cannot write its text file: no copy of an earlier or partial one.
        entorno_.mensajes.Clear();
        QFile::remove(host_ + QStringLiteral("RPT/0947201305000012345.txt"));
        ASSERT_TRUE(QDir().mkpath(host_ + QStringLiteral("RPT/0947201305000012345.txt")));
        EXPECT_EQ(Ejecuta(linea), 1);
        ASSERT_EQ(entorno_.mensajes.Count(), 1);
        EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("Error Técnico : ( 75)")));
        EXPECT_FALSE(QFileInfo::exists(copia));
        ASSERT_TRUE(QDir(host_ + QStringLiteral("RPT/0947201305000012345.txt")).removeRecursively());
    }
    {
        // A failed registration: the run fails, so no receipt reaches the host, and the box
        // says why.
        entorno_.mensajes.Clear();
        ASSERT_EQ(db_->exec(QStringLiteral("DROP TABLE SPOOL")), SQLITE_DONE);
        EXPECT_EQ(Ejecuta(linea), 1);
        ASSERT_EQ(entorno_.mensajes.Count(), 1);
        EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("No se registró el reporte de la "
                                                                            "constancia")))
            << entorno_.mensajes.Last().text.toStdString();
        EXPECT_FALSE(QFileInfo::exists(copia));
    }
    {
        // No report folder (and still no SPOOL table): no receipt can be written, nor
        // rendered; each failure is said.
        entorno_.mensajes.Clear();
        QFile::remove(copia);
        ASSERT_TRUE(QDir(host_ + QStringLiteral("RPT")).removeRecursively());
        EXPECT_EQ(Ejecuta(linea), 1);
        ASSERT_EQ(entorno_.mensajes.Count(), 2);
        EXPECT_TRUE(entorno_.mensajes.Entries().at(0).text.startsWith(QStringLiteral("No se registró el reporte")));
        EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("No se pudo escribir la constancia")));
        EXPECT_FALSE(QFileInfo::exists(copia));
    }
}

// A copy into TMP that does not fit (a full disk after the temporary file is made) leaves
// no receipt there, not a cut one, and says so.
TEST_F(Constancia, ACopyThatDoesNotFitLeavesNoReceiptInTmp)
{
    Lote().RutaRpt = host_ + QStringLiteral("RPT");
    Lote().RutaTmp = host_ + QStringLiteral("TMP");
    const QString base = QStringLiteral("0947201305000012345");
    const QByteArray rendida = Esperado(QStringLiteral("constancia_mayo2013.txt"));
    ASSERT_TRUE(test::EscribeArchivo(host_ + QStringLiteral("RPT/") + base + QStringLiteral(".txt"),
                                     FromCp1252(rendida)));
    const QString copia = host_ + QStringLiteral("TMP/") + base + QStringLiteral(".TXT");
    for (rlim_t limite : {rlim_t(0), rlim_t(40), rlim_t(rendida.size() - 1)}) {
        entorno_.mensajes.Clear();
        bool copiada = true;
        {
            LimiteArchivos lleno(limite);
            copiada = CopiaConstancia(base);
        }
        EXPECT_FALSE(copiada) << limite;
        EXPECT_FALSE(QFileInfo::exists(copia)) << limite;
        EXPECT_EQ(QDir(host_ + QStringLiteral("TMP")).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("env947.txt")})
            << limite;
        ASSERT_EQ(entorno_.mensajes.Count(), 1) << limite;
        EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("No se pudo copiar la constancia")));
    }
    EXPECT_TRUE(CopiaConstancia(base));
    EXPECT_EQ(Bytes(copia), rendida);
}

// The disk fills up at every point of a run: the receipt in TMP is whole or absent, a
// status 0 means it is there, every SPOOL row names its whole report file, no temporary
// file is left and the trace has no cut line.
TEST_F(Constancia, AFullDiskAtAnyPointLeavesTheReceiptWholeOrAbsent)
{
    const QString doc = QStringLiteral("15102030408");
    Cabecera(6, doc, QStringLiteral("201305"));
    Casilla(6, doc, QStringLiteral("201305"), QStringLiteral("610"), QStringLiteral("1.5"));
    const QByteArray constancia = Esperado(QStringLiteral("constancia_mayo2013.txt"));
    const QByteArray reporte = Esperado(QStringLiteral("reporte_mayo2013.PRN"));
    const QString copia = host_ + QStringLiteral("TMP/0947201305000012345.TXT");
    std::vector<rlim_t> limites;
    for (rlim_t l = 0; l <= 700; l += 20)
        limites.push_back(l);
    for (rlim_t l : {4000, 20000, 100000, 1 << 22})
        limites.push_back(l);
    int bien = 0;
    for (const rlim_t limite : limites) {
        SCOPED_TRACE(limite);
        QFile::remove(copia);
        int status = -1;
        {
            LimiteArchivos lleno(limite);
            status = Ejecuta(QStringLiteral("0615102030408    0947201305000012345"));
        }
        const bool hayCopia = QFileInfo::exists(copia);
        if (hayCopia) {
            EXPECT_EQ(Bytes(copia), constancia);
        }
        // The receipt reaches the host in a run that ends 0, and only then.
        EXPECT_EQ(hayCopia, status == 0);
        if (status == 0)
            ++bien;
        for (const QVariantList& fila : db_->rows(QStringLiteral("SELECT Archivo FROM SPOOL")))
            EXPECT_EQ(Bytes(host_ + QStringLiteral("RPT/") + fila[0].toString()), reporte) << fila[0].toString().toStdString();
        for (const QString& f : Archivos())
            EXPECT_FALSE(f.contains(QLatin1String(".~"))) << f.toStdString();
        const QByteArray traza = Bytes(host_ + QStringLiteral("Trace.txt"));
        EXPECT_TRUE(traza == "<no existe>" || traza.isEmpty() || traza.endsWith("\r\n"));
    }
    EXPECT_GE(bien, 1);
}

// Random command lines through the whole program: no crash, and no file written
// anywhere but RPT/, TMP/ and the trace of the host folder.
TEST_F(Constancia, FuzzWritesOnlyInsideTheWorkFolders)
{
    Cabecera(6, QStringLiteral("20100070970"), QStringLiteral("201305"));
    const QString windows = entorno_.Ruta(QStringLiteral("windows"));
    const QStringList ini = QDir(windows).entryList(QDir::Files);
    QRandomGenerator azar(15);
    const QByteArray valida = "0620100070970    0947201305000012345";
    for (int i = 0; i < 300; ++i) {
        QByteArray bytes = valida.left(int(azar.bounded(valida.size() + 1)));
        const int cambios = int(azar.bounded(6));
        for (int j = 0; j < cambios && !bytes.isEmpty(); ++j) {
            const int r = int(azar.bounded(8));
            const char c = r < 2 ? "/\\.:*"[azar.bounded(5)] : r < 3 ? char(azar.bounded(32)) : char(azar.bounded(256));
            bytes[int(azar.bounded(bytes.size()))] = c;
        }
        if (azar.bounded(4) == 0)
            bytes += QByteArray(int(azar.bounded(10)), char(azar.bounded(256)));
        const QString linea = DecodificaArgumento(bytes);
        const int status = Ejecuta(linea);
        ASSERT_TRUE(status == 0 || status == 1) << i;
    }
    for (const QString& f : Archivos()) {
        const bool dentro = f.startsWith(QLatin1String("RPT/")) || f.startsWith(QLatin1String("TMP/")) ||
                            f == QLatin1String("Trace.txt") || f.startsWith(QLatin1String("ZAV.MDB"));
        EXPECT_TRUE(dentro) << f.toStdString();
        EXPECT_FALSE(f.mid(4).contains(QLatin1Char('/'))) << f.toStdString();
    }
    EXPECT_EQ(QDir(windows).entryList(QDir::Files), ini);
    QDirIterator fuera(entorno_.Ruta(QString()), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (fuera.hasNext()) {
        const QString f = fuera.next();
        EXPECT_TRUE(f.startsWith(host_) || f.startsWith(windows) || f.startsWith(entorno_.Ruta(QStringLiteral("run"))))
            << f.toStdString();
    }
}

// The real program, started as the host starts it, while another program (standing for
// KZ947) registers its own report files in the same table.
TEST_F(Constancia, RealProgramAndKZ947RegisteringAtOnceNeverShareAName)
{
    Cabecera(6, QStringLiteral("20100070970"), QStringLiteral("201305"));
    QProcess kz947;
    kz947.start(QStringLiteral(SPOOL_REGISTRA), {entorno_.BaseDatos(), QStringLiteral("40"), QStringLiteral("RCP001")});
    ASSERT_TRUE(kz947.waitForReadyRead(10000));
    ASSERT_TRUE(kz947.readLine().startsWith("listo"));
    kz947.write("\n");
    const int corridas = 8;
    for (int i = 0; i < corridas; ++i) {
        QProcess rep;
        rep.start(QStringLiteral(PROGRAMA_0947REP), {QStringLiteral("0620100070970    0947201305000012345")});
        ASSERT_TRUE(rep.waitForFinished(30000));
        EXPECT_EQ(rep.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(rep.exitCode(), 0) << rep.readAllStandardError().toStdString();
    }
    ASSERT_TRUE(kz947.waitForFinished(60000));
    EXPECT_EQ(kz947.exitCode(), 0) << kz947.readAllStandardError().toStdString();

    const auto filas = db_->rows(QStringLiteral("SELECT CodRep, Secuencia, Archivo FROM SPOOL ORDER BY Archivo"));
    ASSERT_EQ(int(filas.size()), 40 + corridas);
    QSet<QString> nombres;
    int constancias = 0;
    for (size_t i = 0; i < filas.size(); ++i) {
        EXPECT_EQ(filas[i][2].toString(), QStringLiteral("%1.PRN").arg(int(i) + 1, 8, 10, QLatin1Char('0')));
        nombres.insert(filas[i][2].toString());
        if (filas[i][0].toString() == QLatin1String("RCP002")) {
            ++constancias;
            EXPECT_EQ(filas[i][1].toString(), QStringLiteral("%1").arg(constancias, 6, 10, QLatin1Char('0')));
            // Each receipt's report file is the one its row names, with its header.
            EXPECT_TRUE(LeeArchivo(host_ + QStringLiteral("RPT/") + filas[i][2].toString())
                            .startsWith(QStringLiteral("<!font!>Courier New<!/font!>\r\n")));
        } else {
            // The other program's file, whole under the name its row gives.
            EXPECT_TRUE(LeeArchivo(host_ + QStringLiteral("RPT/") + filas[i][2].toString())
                            .contains(QStringLiteral("|") + filas[i][2].toString() + QStringLiteral("|")));
        }
    }
    EXPECT_EQ(constancias, corridas);
    EXPECT_EQ(nombres.size(), 40 + corridas);

    // The real program's receipt, dated today.
    EXPECT_EQ(Bytes(host_ + QStringLiteral("TMP/0947201305000012345.TXT")), ConstanciaDeHoy());
}

// A trace that can no longer grow (its disk full): the real program says so and ends with
// a non-zero status; the trace keeps what it had, and no receipt reaches the host from a
// run that failed.
TEST_F(Constancia, RealProgramReportsATraceItCouldNotAppend)
{
    Cabecera(6, QStringLiteral("20100070970"), QStringLiteral("201305"));
    QByteArray anterior;
    while (anterior.size() < 300 * 1024)
        anterior += "SELECT * FROM CAB WHERE Tip_doc_d= 6 AND Doc_id_d='20100070970'\r\n";
    ASSERT_TRUE(test::EscribeArchivo(host_ + QStringLiteral("Trace.txt"), FromCp1252(anterior)));
    // Room for the database and every new file; the trace is past it already.
    ASSERT_LT(QFileInfo(entorno_.BaseDatos()).size(), 200 * 1024);
    const Corrida c = Programa(QStringLiteral("0620100070970    0947201305000012345"), 200 * 1024);
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(c.error.contains(QStringLiteral("Trace.txt"))) << c.error.toStdString();
    EXPECT_EQ(Bytes(host_ + QStringLiteral("Trace.txt")), anterior);
    EXPECT_FALSE(QFileInfo::exists(host_ + QStringLiteral("TMP/0947201305000012345.TXT")));
    ASSERT_EQ(Spool().size(), 1);
    EXPECT_TRUE(LeeArchivo(host_ + QStringLiteral("RPT/00000001.PRN")).contains(QStringLiteral("COMERCIAL ANDINA")));
}

// The report file the registration names cannot be written (a folder holds its name):
// the real program registers no row for it and says so; once it can be written, the row
// and its whole file go in together.
TEST_F(Constancia, RealProgramRegistersNoReportFileItCouldNotWrite)
{
    Cabecera(6, QStringLiteral("20100070970"), QStringLiteral("201305"));
    const QString estorbo = host_ + QStringLiteral("RPT/00000001.PRN");
    ASSERT_TRUE(QDir().mkpath(estorbo));
    const Corrida c = Programa(QStringLiteral("0620100070970    0947201305000012345"));
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(c.error.contains(QStringLiteral("00000001.PRN"))) << c.error.toStdString();
    EXPECT_TRUE(Spool().isEmpty());
    for (const QString& f : Archivos())
        EXPECT_FALSE(f.contains(QLatin1String(".~"))) << f.toStdString();
    EXPECT_FALSE(QFileInfo::exists(host_ + QStringLiteral("TMP/0947201305000012345.TXT")));

    ASSERT_TRUE(QDir(estorbo).removeRecursively());
    EXPECT_EQ(Programa(QStringLiteral("0620100070970    0947201305000012345")).status, 0);
    EXPECT_EQ(Bytes(host_ + QStringLiteral("TMP/0947201305000012345.TXT")), ConstanciaDeHoy());
    ASSERT_EQ(Spool().size(), 1);
    EXPECT_TRUE(Spool().at(0).startsWith(QStringLiteral("RCP002|000001|00000001.PRN|")));
    const std::vector<rpt::Registro> registros = rpt::LeeReporte(Bytes(estorbo));
    ASSERT_EQ(registros.size(), 14u);
    EXPECT_EQ(registros.back().Texto.left(3), QStringLiteral("NC "));
}

// The host files what it finds in TMP as the receipt: a run that fails (its SPOOL row not
// written, the trace not opened) leaves none there, and says why in a box.
TEST_F(Constancia, RealProgramThatFailsLeavesNoReceiptAndSaysWhy)
{
    struct Caso {
        const char* nombre;
        std::function<std::shared_ptr<void>()> prepara; // holds what the case needs
        const char* mensaje;                            // the start of the one box
    };
    const Caso casos[] = {
        {"another program holds the write lock",
         [&]() -> std::shared_ptr<void> {
             // Reading goes on; writing waits, then gives up.
             EXPECT_EQ(db_->exec(QStringLiteral("BEGIN IMMEDIATE")), SQLITE_DONE);
             return std::shared_ptr<void>(nullptr, [this](void*) { db_->exec(QStringLiteral("ROLLBACK")); });
         },
         "16|Presentación Telemática|No se registró el reporte de la constancia"},
        {"no SPOOL table",
         [&]() -> std::shared_ptr<void> {
             EXPECT_EQ(db_->exec(QStringLiteral("ALTER TABLE SPOOL RENAME TO SPOOL_VIEJO")), SQLITE_DONE);
             return std::shared_ptr<void>(nullptr, [this](void*) {
                 db_->exec(QStringLiteral("ALTER TABLE SPOOL_VIEJO RENAME TO SPOOL"));
             });
         },
         "16|Presentación Telemática|No se registró el reporte de la constancia"},
        {"a trace that cannot be opened",
         [&]() -> std::shared_ptr<void> {
             QFile::remove(host_ + QStringLiteral("Trace.txt"));
             EXPECT_TRUE(QDir().mkdir(host_ + QStringLiteral("Trace.txt")));
             return std::shared_ptr<void>(nullptr, [this](void*) {
                 QDir(host_ + QStringLiteral("Trace.txt")).removeRecursively();
             });
         },
         "16|Presentación Telemática|No se pudo agregar la consulta a "},
    };
    Cabecera(6, QStringLiteral("20100070970"), QStringLiteral("201305"));
    const QString copia = host_ + QStringLiteral("TMP/0947201305000012345.TXT");
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        QFile::remove(copia);
        Corrida c;
        {
            const std::shared_ptr<void> guarda = caso.prepara();
            c = Programa(QStringLiteral("0620100070970    0947201305000012345"));
        }
        EXPECT_EQ(c.status, 1) << c.error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(copia));
        for (const QString& f : Archivos())
            EXPECT_FALSE(f.contains(QLatin1String(".~"))) << f.toStdString();
        if (c.mensajes.size() != 1) {
            ADD_FAILURE() << "boxes: " << c.mensajes.join(QLatin1Char('\n')).toStdString();
            continue;
        }
        EXPECT_TRUE(c.mensajes.at(0).startsWith(QString::fromUtf8(caso.mensaje))) << c.mensajes.at(0).toStdString();
        EXPECT_TRUE(c.error.contains(c.mensajes.at(0).section(QLatin1Char('|'), 2))) << c.error.toStdString();
    }
    // Once nothing stands in its way, the same run ends 0 with its receipt.
    const Corrida c = Programa(QStringLiteral("0620100070970    0947201305000012345"));
    EXPECT_EQ(c.status, 0) << c.error.toStdString();
    EXPECT_TRUE(c.mensajes.isEmpty()) << c.mensajes.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Bytes(copia), ConstanciaDeHoy());
}

} // namespace
} // namespace zav::lote
