// 0947CNSINF on fixture declarations: the report and the marker it leaves in TMP, what
// it deletes, the messages and the exit status.
#include "batch/check/BalVerifEnv0947.h"
#include "common/Clock.h"
#include "common/Cp1252.h"
#include "tests/batch/LoteFixture.h"
#include "tests/integrador/TestDb.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <vector>

namespace zav::lote {
namespace {

using integrador::test::TestDb;
using test::EntornoLote;

const QDateTime kAhora(QDate(2013, 6, 14), QTime(9, 5, 7));
const QString kDoc = QStringLiteral("20100070970");

QByteArray Esperado(const QString& nombre)
{
    return test::EsperadoEn(QStringLiteral(ESPERADOS), nombre);
}
using test::Bytes;

QString Linea(const QString& periodo, const QString& tipo = QStringLiteral("06"))
{
    return tipo + kDoc.leftJustified(15) + QStringLiteral("0947") + periodo + QStringLiteral("0") +
           QStringLiteral("00001234");
}

class Verificador : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_ = entorno_.Inicia();
        SetClockForTests([] { return kAhora; });
        db_ = std::make_unique<TestDb>(entorno_.BaseDatos());
    }

    void Casilla(int tipo, const QString& periodo, const QString& casilla, const QVariant& valor)
    {
        ASSERT_EQ(db_->exec(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, "
                                           "CASILLA, i_valor) VALUES (?1, ?2, ?3, '0947', 0, ?4, ?5)"),
                            {tipo, kDoc, periodo, casilla, valor}),
                  SQLITE_DONE);
    }
    void Perdida(int tipo, const QString& periodo, int anho)
    {
        ASSERT_EQ(db_->exec(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, "
                                           "Importe, cnumero) VALUES (?1, ?2, ?3, '0947', ?4, '1000', '')"),
                            {tipo, kDoc, periodo, QString::number(anho)}),
                  SQLITE_DONE);
    }

    int Ejecuta(const QString& linea)
    {
        return entorno_.Ejecuta([&] { return BalVerifEnv0947_Main(linea); });
    }

    QString Tmp(const QString& periodo, const QString& extension, const QString& tipo = QStringLiteral("06"))
    {
        return host_ + QStringLiteral("TMP/") + tipo + kDoc + QStringLiteral("0947") + periodo + QStringLiteral("0") +
               extension;
    }

    EntornoLote entorno_;
    QString host_;
    std::unique_ptr<TestDb> db_;
};

struct Caso {
    const char* nombre;
    const char* periodo; // as on the command line
    std::vector<std::pair<const char*, const char*>> casillas;
    int perdidas;         // tax-loss rows of the declaration
    int estado;
    const char* reporte;  // expected report; nullptr: none is left
};

TEST_F(Verificador, CasesOfTheThreeRules)
{
    const Caso casos[] = {
        {"June 2013", "201306", {}, 0, 1, "junio2013.ERR"},
        {"June 2012", "201206", {}, 0, 0, nullptr},
        {"January 2012", "201201", {}, 0, 0, nullptr},
        {"January 2014", "201401", {}, 0, 1, "enero2014.ERR"},
        {"May 2013", "201305", {}, 0, 0, nullptr},
        {"yearly 2006 is the year 2006", "200600", {}, 0, 0, nullptr},
        {"yearly 2013", "201300", {}, 0, 0, nullptr},
        {"yearly 2006 boxes are read under 2006", "200600", {{"473", "100"}, {"650", "60"}}, 0, 1, "casilla473.ERR"},
        {"662 empty, no loss", "201305", {{"662", ""}}, 0, 0, nullptr},
        {"662 of 2 with two losses", "201305", {{"662", "2"}}, 2, 0, nullptr},
        {"662 of 3 with two losses", "201305", {{"662", "3"}}, 2, 1, "casilla662.ERR"},
        {"no 662 with one loss", "201305", {}, 1, 1, "casilla662.ERR"},
        {"473 of 0 alone", "201305", {{"473", "0"}}, 0, 0, nullptr},
        {"473 = 650 + 651", "201305", {{"473", "100"}, {"650", "60"}, {"651", "40"}}, 0, 0, nullptr},
        {"651 missing", "201305", {{"473", "100"}, {"650", "60"}}, 0, 1, "casilla473.ERR"},
        {"650 and 651 without 473", "201305", {{"650", "60"}, {"651", "40"}}, 0, 1, "casilla473.ERR"},
        {"decimal amounts add up", "201305", {{"473", "0.3"}, {"650", "0.1"}, {"651", "0.2"}}, 0, 0, nullptr},
        {"all three rules", "201306", {{"662", "3"}, {"473", "100"}, {"650", "60"}}, 2, 1, "tres_reglas.ERR"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        db_->exec(QStringLiteral("DELETE FROM DET"));
        db_->exec(QStringLiteral("DELETE FROM F0947_PTCEA"));
        const QString periodo = QString::fromLatin1(c.periodo);
        const QString consulta = periodo.endsWith(QLatin1String("00")) ? periodo.left(4) : periodo;
        for (const auto& [casilla, valor] : c.casillas)
            Casilla(6, consulta, QString::fromLatin1(casilla), QString::fromUtf8(valor));
        for (int i = 0; i < c.perdidas; ++i)
            Perdida(6, consulta, 2008 + i);
        // Rows of the same number under another type, and of another period, are not its own.
        Casilla(1, consulta, QStringLiteral("662"), QStringLiteral("7"));
        Casilla(1, consulta, QStringLiteral("473"), QStringLiteral("5"));
        Perdida(1, consulta, 2010);
        Perdida(6, QStringLiteral("199912"), 1998);
        Casilla(6, QStringLiteral("199912"), QStringLiteral("473"), QStringLiteral("9"));

        // What an earlier run and the host left in TMP.
        const QString err = Tmp(periodo, QStringLiteral(".ERR"));
        const QString txt = Tmp(periodo, QStringLiteral(".TXT"));
        ASSERT_TRUE(test::EscribeArchivo(err, QStringLiteral("VIEJO\r\n")));
        ASSERT_TRUE(test::EscribeArchivo(txt, QStringLiteral("HOST\r\n")));
        entorno_.mensajes.Clear();

        EXPECT_EQ(Ejecuta(Linea(periodo)), c.estado);
        if (!c.reporte) {
            EXPECT_FALSE(QFileInfo::exists(err));
            EXPECT_EQ(Bytes(txt), QByteArray("HOST\r\n"));
            EXPECT_EQ(entorno_.mensajes.Count(), 0) << entorno_.mensajes.Texts().join(QLatin1Char('|')).toStdString();
        } else {
            EXPECT_EQ(Bytes(err), Esperado(QString::fromLatin1(c.reporte)));
            EXPECT_EQ(Bytes(txt), Esperado(QStringLiteral("marca.TXT")));
            ASSERT_EQ(entorno_.mensajes.Count(), 1);
            EXPECT_EQ(entorno_.mensajes.Last().text,
                      QStringLiteral("Existen datos inconsistentes en la información a enviar. Revisar el archivo ") +
                          err);
            EXPECT_EQ(entorno_.mensajes.Last().style, 16);
            EXPECT_EQ(entorno_.mensajes.Last().title, QStringLiteral("Error en la información a enviar"));
        }
        QFile::remove(err);
        QFile::remove(txt);
    }
}

// A check that could not be done never passes: the error is reported, the host finds
// the marker, and the status says the declaration was not checked.
TEST_F(Verificador, AnErrorWhileCheckingFailsTheCheck)
{
    const QString periodo = QStringLiteral("201305");
    struct Caso {
        const char* nombre;
        std::function<void()> prepara;
        QString tipo;
    };
    const Caso casos[] = {
        {"a type that is not a number", [] {}, QStringLiteral("AB")},
        {"a blank type", [] {}, QStringLiteral("  ")},
        {"a box row without a value", [&] { Casilla(6, periodo, QStringLiteral("662"), QVariant()); },
         QStringLiteral("06")},
        {"no tax-loss table", [&] { db_->exec(QStringLiteral("DROP TABLE F0947_PTCEA")); }, QStringLiteral("06")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        c.prepara();
        const QString err = Tmp(periodo, QStringLiteral(".ERR"), c.tipo);
        const QString txt = Tmp(periodo, QStringLiteral(".TXT"), c.tipo);
        ASSERT_TRUE(test::EscribeArchivo(txt, QStringLiteral("HOST\r\n")));
        entorno_.mensajes.Clear();
        EXPECT_EQ(Ejecuta(Linea(periodo, c.tipo)), kEnvioSinVerificar);
        ASSERT_EQ(entorno_.mensajes.Count(), 2) << entorno_.mensajes.Texts().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(entorno_.mensajes.Entries()[0].text, QStringLiteral("Error en la validación de las casillas"));
        EXPECT_EQ(entorno_.mensajes.Entries()[0].title, QStringLiteral("Validación"));
        EXPECT_EQ(entorno_.mensajes.Entries()[0].style, 16);
        EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("Existen datos inconsistentes")));
        EXPECT_EQ(Bytes(err), Esperado(QStringLiteral("solo_cabecera.ERR")));
        EXPECT_EQ(Bytes(txt), Esperado(QStringLiteral("marca.TXT")));
    }
}

TEST_F(Verificador, NoWorkFolderCannotPass)
{
    ASSERT_TRUE(QDir(host_ + QStringLiteral("TMP")).removeRecursively());
    EXPECT_EQ(Ejecuta(Linea(QStringLiteral("201206"))), kEnvioSinVerificar);
    ASSERT_EQ(entorno_.mensajes.Count(), 2);
    EXPECT_EQ(entorno_.mensajes.Entries()[0].text, QStringLiteral("Error en la validación de las casillas"));
    EXPECT_FALSE(QFileInfo::exists(host_ + QStringLiteral("TMP")));
}

TEST_F(Verificador, TheWorkFolderOfAnyCaseServes)
{
    ASSERT_TRUE(QDir(host_).rename(QStringLiteral("TMP"), QStringLiteral("tmp")));
    EXPECT_EQ(Ejecuta(Linea(QStringLiteral("201306"))), kEnvioInconsistente);
    EXPECT_EQ(Bytes(host_ + QStringLiteral("tmp/06") + kDoc + QStringLiteral("09472013060.ERR")),
              Esperado(QStringLiteral("junio2013.ERR")));
}

// The week names the files only: boxes of any week are the declaration's.
TEST_F(Verificador, BoxesOfAnyWeekCount)
{
    ASSERT_EQ(db_->exec(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, "
                                       "i_valor) VALUES (6, ?1, '201305', '0947', 3, '473', '100')"),
                        {kDoc}),
              SQLITE_DONE);
    EXPECT_EQ(Ejecuta(Linea(QStringLiteral("201305"))), kEnvioInconsistente);
    EXPECT_EQ(Bytes(Tmp(QStringLiteral("201305"), QStringLiteral(".ERR"))), Esperado(QStringLiteral("casilla473.ERR")));
}

TEST_F(Verificador, TheCheckWritesNothingToTheDatabase)
{
    Casilla(6, QStringLiteral("201306"), QStringLiteral("662"), QStringLiteral("3"));
    const QByteArray antes = Bytes(entorno_.BaseDatos());
    EXPECT_EQ(Ejecuta(Linea(QStringLiteral("201306"))), kEnvioInconsistente);
    EXPECT_EQ(Bytes(entorno_.BaseDatos()), antes);
}

// The real program, as the host starts it: a clean declaration ends with status 0 and
// takes away an earlier report.
TEST_F(Verificador, RealProgramOnACleanDeclaration)
{
    Casilla(6, QStringLiteral("201305"), QStringLiteral("473"), QStringLiteral("100"));
    Casilla(6, QStringLiteral("201305"), QStringLiteral("650"), QStringLiteral("100"));
    const QString err = Tmp(QStringLiteral("201305"), QStringLiteral(".ERR"));
    ASSERT_TRUE(test::EscribeArchivo(err, QStringLiteral("VIEJO\r\n")));
    QProcess programa;
    programa.start(QStringLiteral(PROGRAMA_0947CNSINF), {Linea(QStringLiteral("201305"))});
    ASSERT_TRUE(programa.waitForFinished(30000));
    EXPECT_EQ(programa.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(programa.exitCode(), 0) << programa.readAllStandardError().toStdString();
    EXPECT_FALSE(QFileInfo::exists(err));
}

} // namespace
} // namespace zav::lote
