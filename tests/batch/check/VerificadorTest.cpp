// 0947CNSINF on fixture declarations: the report and the marker it leaves in TMP, what
// it deletes, the messages and the exit status.
#include "batch/check/BalVerifEnv0947.h"
#include "common/Clock.h"
#include "common/Cp1252.h"
#include "platform/db/Database.h"
#include "platform/process/SingleInstance.h"
#include "tests/batch/LoteFixture.h"
#include "tests/integrador/TestDb.h"
#include "tests/support/LimiteArchivos.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include <sys/inotify.h>
#include <unistd.h>

namespace zav::lote {
namespace {

using integrador::test::TestDb;
using test::EntornoLote;

const QDateTime kAhora(QDate(2013, 6, 14), QTime(9, 5, 7));
const QString kDoc = QStringLiteral("20100070970");
// The files of May 2013, week 0, in TMP.
const QString kArchivo = QStringLiteral("06") + kDoc + QStringLiteral("09472013050");

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
        if (HasFatalFailure())
            return;
        SetClockForTests([] { return kAhora; });
        db_ = std::make_unique<TestDb>(entorno_.BaseDatos());
        for (const char* periodo : {"201305", "201306"})
            Cab(6, QString::fromLatin1(periodo));
    }

    void Cab(int tipo, const QString& periodo)
    {
        ASSERT_EQ(db_->exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                                           "VALUES (?1, ?2, ?3, '0947', 0, 0)"),
                            {tipo, kDoc, periodo}),
                  SQLITE_DONE);
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
        db_->exec(QStringLiteral("DELETE FROM CAB"));
        const QString periodo = QString::fromLatin1(c.periodo);
        const QString consulta = periodo.endsWith(QLatin1String("00")) ? periodo.left(4) : periodo;
        Cab(6, consulta);
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
// the marker and no report, and the status says the declaration was not checked.
TEST_F(Verificador, AnErrorWhileCheckingFailsTheCheck)
{
    const QString periodo = QStringLiteral("201305");
    const QString kNoVerificada = QStringLiteral("No se pudo verificar la información a enviar: ");
    struct Caso {
        const char* nombre;
        std::function<void()> prepara;
        QString tipo;
        QString razon; // the start of the reason
    };
    const Caso casos[] = {
        {"a type that is not a number", [] {}, QStringLiteral("AB"),
         QStringLiteral("la declaración 20100070970 del periodo 201305 no está grabada.")},
        {"a blank type", [] {}, QStringLiteral("  "),
         QStringLiteral("la declaración 20100070970 del periodo 201305 no está grabada.")},
        {"a box row without a value", [&] { Casilla(6, periodo, QStringLiteral("662"), QVariant()); },
         QStringLiteral("06"), QStringLiteral("error en la validación de las casillas (94 Uso no válido de un valor nulo (Null)).")},
        {"no tax-loss table", [&] { db_->exec(QStringLiteral("DROP TABLE F0947_PTCEA")); }, QStringLiteral("06"),
         QStringLiteral("error en la validación de las casillas (")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        c.prepara();
        const QString err = Tmp(periodo, QStringLiteral(".ERR"), c.tipo);
        const QString txt = Tmp(periodo, QStringLiteral(".TXT"), c.tipo);
        ASSERT_TRUE(test::EscribeArchivo(err, QStringLiteral("VIEJO\r\n")));
        ASSERT_TRUE(test::EscribeArchivo(txt, QStringLiteral("HOST\r\n")));
        entorno_.mensajes.Clear();
        EXPECT_EQ(Ejecuta(Linea(periodo, c.tipo)), kEnvioSinVerificar);
        const bool grabada = c.tipo == QLatin1String("06");
        ASSERT_EQ(entorno_.mensajes.Count(), grabada ? 2 : 1)
            << entorno_.mensajes.Texts().join(QLatin1Char('|')).toStdString();
        if (grabada) {
            EXPECT_EQ(entorno_.mensajes.Entries()[0].text, QStringLiteral("Error en la validación de las casillas"));
            EXPECT_EQ(entorno_.mensajes.Entries()[0].title, QStringLiteral("Validación"));
            EXPECT_EQ(entorno_.mensajes.Entries()[0].style, 16);
        }
        EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(kNoVerificada + c.razon))
            << entorno_.mensajes.Last().text.toStdString();
        EXPECT_TRUE(
            entorno_.mensajes.Last().text.endsWith(QStringLiteral(" Se grabó la marca de error en el archivo ") + txt))
            << entorno_.mensajes.Last().text.toStdString();
        EXPECT_EQ(entorno_.mensajes.Last().title, QStringLiteral("Error al verificar la información a enviar"));
        EXPECT_EQ(entorno_.mensajes.Last().style, 16);
        EXPECT_FALSE(QFileInfo::exists(err));
        EXPECT_EQ(Bytes(txt), Esperado(QStringLiteral("marca.TXT")));
    }
}

TEST_F(Verificador, NoWorkFolderCannotPass)
{
    ASSERT_TRUE(QDir(host_ + QStringLiteral("TMP")).removeRecursively());
    EXPECT_EQ(Ejecuta(Linea(QStringLiteral("201206"))), kEnvioSinVerificar);
    ASSERT_EQ(entorno_.mensajes.Count(), 1);
    EXPECT_EQ(entorno_.mensajes.Last().text, QStringLiteral("No se pudo verificar la información a enviar: no existe "
                                                            "la carpeta de trabajo ") +
                                                 host_ + QStringLiteral("TMP."));
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

// Every outcome of the real program as the host meets it: its status, what it leaves in
// TMP and what it says. A check that was not done must never look like a pass.
struct Desenlace {
    const char* nombre;
    std::function<std::shared_ptr<void>(EntornoLote&, TestDb&)> prepara; // holds what the case needs
    QString linea;
    int estado;
    const char* reporte; // expected report; nullptr: none is left; "VIEJO": the earlier one untouched
    bool marca;          // the .TXT replaced by the marker (else as the host left it)
    QStringList mensajes; // "style|title|text"; a final "*" matches the start only
};

std::shared_ptr<void> Nada() { return {}; }

TEST(VerificadorReal, EveryOutcomeIsDistinctInStatusFilesAndMessage)
{
    const QString mayo = Linea(QStringLiteral("201305"));
    const QString kFalla = QStringLiteral("16|Error en la información a enviar|Existen datos inconsistentes en la "
                                          "información a enviar. Revisar el archivo %1");
    const QString kNoVerificada = QStringLiteral(
        "16|Error al verificar la información a enviar|No se pudo verificar la información a enviar: ");
    const QString kMarca = QStringLiteral(". Se grabó la marca de error en el archivo %2");
    const QString kValidacion = QStringLiteral("16|Validación|Error en la validación de las casillas");
    const auto casilla = [](TestDb& db, const char* c, const char* v) {
        db.exec(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
                               "VALUES (6, ?1, '201305', '0947', 0, ?2, ?3)"),
                {kDoc, QString::fromLatin1(c), v ? QVariant(QString::fromLatin1(v)) : QVariant()});
    };
    const std::vector<Desenlace> casos{
        {"passed",
         [&](EntornoLote&, TestDb& db) {
             casilla(db, "473", "100");
             casilla(db, "650", "100");
             return Nada();
         },
         mayo, kEnvioConforme, nullptr, false, {}},
        {"the period rule failed", [](EntornoLote&, TestDb&) { return Nada(); }, Linea(QStringLiteral("201306")),
         kEnvioInconsistente, "junio2013.ERR", true, {kFalla}},
        {"the box 662 rule failed",
         [&](EntornoLote&, TestDb& db) {
             casilla(db, "662", "3");
             return Nada();
         },
         mayo, kEnvioInconsistente, "casilla662.ERR", true, {kFalla}},
        {"the box 473 rule failed",
         [&](EntornoLote&, TestDb& db) {
             casilla(db, "473", "100");
             return Nada();
         },
         mayo, kEnvioInconsistente, "casilla473.ERR", true, {kFalla}},
        {"a second copy",
         [](EntornoLote&, TestDb&) {
             auto otra = std::make_shared<SingleInstance>();
             EXPECT_TRUE(otra->TryAcquire(QStringLiteral("0947CNSINF")));
             return std::shared_ptr<void>(otra);
         },
         mayo, kEnvioSinVerificar, "VIEJO", true, // the running copy's report is its own
         {QStringLiteral("64|Presentación Telemática|La aplicación ya se encuentra en Ejecución"),
          kNoVerificada + QStringLiteral("ya se está ejecutando otra copia de 0947CNSINF") + kMarca}},
        {"a refused command line", [](EntornoLote&, TestDb&) { return Nada(); },
         Linea(QStringLiteral("201305")).replace(27, 1, QStringLiteral("/")), kEnvioSinVerificar, "VIEJO", false,
         {QStringLiteral("16|Presentación Telemática|La línea de comando no es válida*"),
          kNoVerificada + QStringLiteral("la línea de comando no es válida.")}},
        {"no SysPath",
         [](EntornoLote&, TestDb&) {
             EntornoLote::Opcion(QStringLiteral("SysPath"), QString());
             return Nada();
         },
         mayo, kEnvioSinVerificar, "VIEJO", false,
         {QStringLiteral("16|Error de Configuración|No se ha definido la carpeta del ZAV (SysPath) en KZ000.INI."),
          kNoVerificada + QStringLiteral("no se ha definido la carpeta del ZAV (SysPath) en KZ000.INI.")}},
        {"a missing database",
         [](EntornoLote&, TestDb&) {
             EntornoLote::Opcion(QStringLiteral("DBName"), QStringLiteral("X.MDB"));
             return Nada();
         },
         mayo, kEnvioSinVerificar, nullptr, true,
         {QStringLiteral("0|Error de Conección|*"),
          kNoVerificada + QStringLiteral("no se pudo abrir la base de datos %3X.MDB") + kMarca}},
        {"a locked database",
         [](EntornoLote& e, TestDb&) {
             return std::shared_ptr<void>(dao::Database::Open(e.BaseDatos(), true).release());
         },
         mayo, kEnvioSinVerificar, nullptr, true,
         {QStringLiteral("0|Error de Conección| 3051- Base esta bloqueda"),
          kNoVerificada + QStringLiteral("no se pudo abrir la base de datos %3ZAV.MDB") + kMarca}},
        {"no work folder",
         [](EntornoLote& e, TestDb&) {
             EXPECT_TRUE(QDir(e.Host(QStringLiteral("TMP"))).removeRecursively());
             return Nada();
         },
         mayo, kEnvioSinVerificar, nullptr, false,
         {kNoVerificada + QStringLiteral("no existe la carpeta de trabajo %3TMP.")}},
        {"no tax-loss table: an error inside the check",
         [](EntornoLote&, TestDb& db) {
             db.exec(QStringLiteral("DROP TABLE F0947_PTCEA"));
             return Nada();
         },
         mayo, kEnvioSinVerificar, nullptr, true,
         {kValidacion, kNoVerificada + QStringLiteral("error en la validación de las casillas*")}},
        {"a box row without a value: an error inside the check",
         [&](EntornoLote&, TestDb& db) {
             casilla(db, "473", nullptr);
             return Nada();
         },
         mayo, kEnvioSinVerificar, nullptr, true,
         {kValidacion, kNoVerificada + QStringLiteral("error en la validación de las casillas*")}},
        {"a report that cannot be created",
         [](EntornoLote& e, TestDb&) {
             EXPECT_TRUE(QFile::remove(e.Host(QStringLiteral("TMP/") + kArchivo + QStringLiteral(".ERR"))));
             EXPECT_TRUE(QDir().mkdir(e.Host(QStringLiteral("TMP/") + kArchivo + QStringLiteral(".ERR"))));
             return Nada();
         },
         mayo, kEnvioSinVerificar, "<carpeta>", true,
         {kValidacion, kNoVerificada + QStringLiteral("no se pudo crear el reporte %1") + kMarca}},
        {"an amount that no number can be: the check cannot judge it",
         [&](EntornoLote&, TestDb& db) {
             casilla(db, "473", "1E999");
             return Nada();
         },
         mayo, kEnvioSinVerificar, nullptr, true,
         {kValidacion,
          kNoVerificada + QStringLiteral("la casilla 473 guarda un número que no se puede leer (1E999)") + kMarca}},
        {"a box 662 that no number can be",
         [&](EntornoLote&, TestDb& db) {
             casilla(db, "662", "1E999");
             return Nada();
         },
         mayo, kEnvioSinVerificar, nullptr, true,
         {kValidacion,
          kNoVerificada + QStringLiteral("la casilla 662 guarda un número que no se puede leer (1E999)") + kMarca}},
        {"amounts beyond any amount, whose sum would wrap round to box 473's",
         [&](EntornoLote&, TestDb& db) {
             casilla(db, "650", "1E300");
             casilla(db, "651", "1E300");
             return Nada();
         },
         mayo, kEnvioSinVerificar, nullptr, true,
         {kValidacion,
          kNoVerificada + QStringLiteral("la casilla 650 guarda un número que no se puede leer (1E300)") + kMarca}},
        {"two amounts whose sum is beyond any amount fail the rule",
         [&](EntornoLote&, TestDb& db) {
             casilla(db, "473", "900000000000000");
             casilla(db, "650", "900000000000000");
             casilla(db, "651", "900000000000000");
             return Nada();
         },
         mayo, kEnvioInconsistente, "casilla473.ERR", true, {kFalla}},
        {"no CAB row",
         [](EntornoLote&, TestDb& db) {
             db.exec(QStringLiteral("DELETE FROM CAB"));
             return Nada();
         },
         mayo, kEnvioSinVerificar, nullptr, true,
         {kNoVerificada + QStringLiteral("la declaración 20100070970 del periodo 201305 no está grabada") + kMarca}},
    };
    for (const Desenlace& c : casos) {
        SCOPED_TRACE(c.nombre);
        EntornoLote e;
        const QString host = e.Inicia();
        // The files of the declaration the line names, week 0.
        const QString base = host + QStringLiteral("TMP/06") + kDoc + QStringLiteral("0947") + c.linea.mid(21, 6) +
                             QStringLiteral("0");
        const QString err = base + QStringLiteral(".ERR");
        const QString txt = base + QStringLiteral(".TXT");
        std::shared_ptr<void> guarda;
        {
            TestDb db(e.BaseDatos());
            for (const char* periodo : {"201305", "201306"})
                db.exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                                       "VALUES (6, ?1, ?2, '0947', 0, 0)"),
                        {kDoc, QString::fromLatin1(periodo)});
            ASSERT_TRUE(test::EscribeArchivo(err, QStringLiteral("VIEJO\r\n")));
            ASSERT_TRUE(test::EscribeArchivo(txt, QStringLiteral("HOST\r\n")));
            guarda = c.prepara(e, db);
        }
        const QString log = e.Ruta(QStringLiteral("msgbox.log"));
        const bool habiaTmp = QDir(host + QStringLiteral("TMP")).exists();

        QProcess programa;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZAV_MSGBOX_LOG"), log);
        programa.setProcessEnvironment(env);
        programa.start(QStringLiteral(PROGRAMA_0947CNSINF), {c.linea});
        ASSERT_TRUE(programa.waitForFinished(20000)) << "the program is waiting";
        EXPECT_EQ(programa.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(programa.exitCode(), c.estado);

        const QByteArray reporte = Bytes(err);
        if (!c.reporte) {
            EXPECT_FALSE(QFileInfo::exists(err));
        } else if (QLatin1String(c.reporte) == QLatin1String("VIEJO")) {
            EXPECT_EQ(reporte, QByteArray("VIEJO\r\n"));
        } else if (QLatin1String(c.reporte) == QLatin1String("<carpeta>")) {
            EXPECT_TRUE(QFileInfo(err).isDir());
        } else {
            // The first line holds the moment of the run.
            const qsizetype fin = reporte.indexOf("\r\n");
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} {70}\\d\\d:\\d\\d:\\d\\d$"))
                            .match(QString::fromLatin1(reporte.left(fin)))
                            .hasMatch())
                << reporte.left(fin).toStdString();
            const QByteArray esperado = Esperado(QString::fromLatin1(c.reporte));
            EXPECT_EQ(reporte.mid(fin), esperado.mid(esperado.indexOf("\r\n")));
        }
        // Nothing makes a missing work folder.
        EXPECT_EQ(QDir(host + QStringLiteral("TMP")).exists(), habiaTmp);
        EXPECT_EQ(Bytes(txt), c.marca    ? Esperado(QStringLiteral("marca.TXT"))
                              : habiaTmp ? QByteArray("HOST\r\n")
                                         : QByteArray("<no existe>"));

        const QStringList vistos = QFileInfo::exists(log) ? QString::fromUtf8(Bytes(log)).split(QLatin1Char('\n'))
                                                          : QStringList{QString()};
        // Each message ends with its line end.
        EXPECT_TRUE(vistos.last().isEmpty());
        ASSERT_EQ(vistos.size() - 1, c.mensajes.size()) << vistos.join(QLatin1Char('\n')).toStdString();
        for (qsizetype i = 0; i < c.mensajes.size(); ++i) {
            const QString esperado = QString(c.mensajes.at(i)).replace(QLatin1String("%1"), err)
                                         .replace(QLatin1String("%2"), txt)
                                         .replace(QLatin1String("%3"), host);
            if (esperado.endsWith(QLatin1Char('*')))
                EXPECT_TRUE(vistos.at(i).startsWith(esperado.chopped(1))) << vistos.at(i).toStdString();
            else
                EXPECT_EQ(vistos.at(i), esperado);
        }
    }
}

// KZ000.INI that cannot be rewritten (a full disk) keeps every byte. The check reads
// nothing from the key it writes, so it still runs and decides: the status is its own,
// and the failed write is said.
TEST(VerificadorReal, AConfigurationThatCannotBeWrittenIsSaidAndTheCheckStillDecides)
{
    struct Caso {
        const char* nombre;
        const char* c473;
        int estado;
        const char* reporte; // nullptr: none is left
    };
    const Caso casos[] = {
        {"a clean declaration", "0", kEnvioConforme, nullptr},
        {"a rule that fails", "100", kEnvioInconsistente, "casilla473.ERR"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        EntornoLote e;
        const QString host = e.Inicia();
        {
            TestDb db(e.BaseDatos());
            db.exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                                   "VALUES (6, ?1, '201305', '0947', 0, 0)"),
                    {kDoc});
            db.exec(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, "
                                   "i_valor) VALUES (6, ?1, '201305', '0947', 0, '473', ?2)"),
                    {kDoc, QString::fromLatin1(c.c473)});
        }
        // The host's file, larger than what the disk still takes, and a key to change.
        EntornoLote::Opcion(QStringLiteral("SystemDB"), QStringLiteral("C:\\ZAV\\KZ000.MDW"));
        const QString ini = ProfilePath(QStringLiteral("KZ000.INI"));
        {
            QFile f(ini);
            ASSERT_TRUE(f.open(QIODevice::Append));
            for (int i = 0; i < 200; ++i)
                f.write("; configuración del ZAV, línea de comentario del host\r\n");
        }
        const QByteArray antes = Bytes(ini);
        ASSERT_GT(antes.size(), 8192);

        const QString log = e.Ruta(QStringLiteral("msgbox.log"));
        QProcess programa;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZAV_MSGBOX_LOG"), log);
        programa.setProcessEnvironment(env);
        LimitaArchivosDe(programa, 4096);
        programa.start(QStringLiteral(PROGRAMA_0947CNSINF), {Linea(QStringLiteral("201305"))});
        ASSERT_TRUE(programa.waitForFinished(20000)) << "the program is waiting";
        EXPECT_EQ(programa.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(programa.exitCode(), c.estado);

        EXPECT_EQ(Bytes(ini), antes);
        EXPECT_EQ(QDir(WindowsFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(ini).fileName()});
        const QString err = host + QStringLiteral("TMP/") + kArchivo + QStringLiteral(".ERR");
        if (c.reporte) {
            const QByteArray reporte = Bytes(err);
            const QByteArray esperado = Esperado(QString::fromLatin1(c.reporte));
            EXPECT_EQ(reporte.mid(reporte.indexOf("\r\n")), esperado.mid(esperado.indexOf("\r\n")));
        } else {
            EXPECT_FALSE(QFileInfo::exists(err));
        }
        const QStringList vistos = QString::fromUtf8(Bytes(log)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(vistos.size(), c.reporte ? 2 : 1) << vistos.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(vistos.at(0).startsWith(QStringLiteral("48|Error de Configuración|No se pudo grabar la clave "
                                                           "SystemDB en el archivo de configuración ") +
                                            ini + QStringLiteral(" (")))
            << vistos.at(0).toStdString();
        EXPECT_TRUE(vistos.at(0).endsWith(QStringLiteral(
            "). El archivo queda como estaba; verifique el espacio libre en el disco. La verificación continúa.")))
            << vistos.at(0).toStdString();
        if (c.reporte) {
            EXPECT_TRUE(vistos.at(1).startsWith(QStringLiteral("16|Error en la información a enviar|")));
        }
    }
}

// The host reads TMP while the checker runs: the report and the marker must never be seen
// cut or missing there. Each is written aside and takes its name whole (a rename); only a
// report that is not this run's goes. Every change of the two names is watched.
TEST_F(Verificador, RealProgramNeverWritesTheReportOrTheMarkerInPlace)
{
    struct Caso {
        const char* nombre;
        const char* periodo;
        int estado;
        uint32_t err; // the changes the report's name may see
    };
    const Caso casos[] = {
        {"a rule failed", "201306", kEnvioInconsistente, IN_MOVED_TO},
        {"not stored: the old report goes", "201307", kEnvioSinVerificar, IN_DELETE},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const QString periodo = QString::fromLatin1(c.periodo);
        const QString err = Tmp(periodo, QStringLiteral(".ERR"));
        const QString txt = Tmp(periodo, QStringLiteral(".TXT"));
        ASSERT_TRUE(test::EscribeArchivo(err, QStringLiteral("VIEJO\r\n")));
        ASSERT_TRUE(test::EscribeArchivo(txt, QStringLiteral("HOST\r\n")));

        const int vigia = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ASSERT_GE(vigia, 0);
        ASSERT_GE(inotify_add_watch(vigia, QFile::encodeName(host_ + QStringLiteral("TMP")).constData(),
                                    IN_CREATE | IN_MODIFY | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO),
                  0);
        QProcess programa;
        programa.start(QStringLiteral(PROGRAMA_0947CNSINF), {Linea(periodo)});
        ASSERT_TRUE(programa.waitForFinished(20000)) << "the program is waiting";
        EXPECT_EQ(programa.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(programa.exitCode(), c.estado) << programa.readAllStandardError().toStdString();

        std::map<std::string, uint32_t> cambios;
        alignas(inotify_event) char buffer[64 * 1024];
        for (ssize_t n; (n = read(vigia, buffer, sizeof buffer)) > 0;) {
            for (ssize_t p = 0; p < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + p);
                if (e->len)
                    cambios[e->name] |= e->mask;
                p += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
        close(vigia);
        EXPECT_EQ(cambios[QFileInfo(err).fileName().toStdString()], c.err);
        EXPECT_EQ(cambios[QFileInfo(txt).fileName().toStdString()], uint32_t(IN_MOVED_TO));
        EXPECT_EQ(Bytes(txt), Esperado(QStringLiteral("marca.TXT")));
        if (c.err == IN_DELETE) {
            EXPECT_FALSE(QFileInfo::exists(err));
        } else {
            const QByteArray reporte = Bytes(err);
            const QByteArray esperado = Esperado(QStringLiteral("junio2013.ERR"));
            EXPECT_EQ(reporte.mid(reporte.indexOf("\r\n")), esperado.mid(esperado.indexOf("\r\n")));
        }
        for (const QString& f : QDir(host_ + QStringLiteral("TMP")).entryList(QDir::Files | QDir::Hidden))
            EXPECT_FALSE(f.contains(QLatin1String(".~"))) << f.toStdString();
    }
}

} // namespace
} // namespace zav::lote
