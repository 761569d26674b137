// TAB947 on fresh and installed host databases: the tables, keys and rows it leaves,
// what it asks and reports, and env947.txt lines of every shape.
#include "batch/install/TAB947.h"
#include "platform/db/Database.h"
#include "tests/batch/LoteFixture.h"
#include "tests/integrador/TestDb.h"
#include "tests/support/EspacioPrueba.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>

namespace zav::lote {
namespace {

using integrador::test::TestDb;
using test::EntornoLote;

const QString kEnv947 = QStringLiteral("0947|  CAB  |HCAB|CAB|1|1|1|2|4|3|7|0|5|\r\n"
                                       "9999|DET||  DET ext |2|0|1|2|4|3|0|0|5|\r\n"
                                       "0947|O'Brien| it's |x|255|0|0|1.5|0|0|0|0|0|\r\n");

class Instalacion : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The host's database as the host makes it, before the module is installed.
        host_ = entorno_.Ruta(QStringLiteral("host")) + QLatin1Char('/');
        ASSERT_TRUE(QDir().mkpath(host_ + QStringLiteral("TMP")));
        QString error;
        ASSERT_TRUE(prueba::CreaBase(host_ + QStringLiteral("ZAV.MDB"), false, false, &error))
            << error.toStdString();
        EntornoLote::Opcion(QStringLiteral("SysPath"), host_);
        EntornoLote::Opcion(QStringLiteral("DBName"), QStringLiteral("ZAV.MDB"));
        db_ = std::make_unique<TestDb>(host_ + QStringLiteral("ZAV.MDB"));
    }

    void Envios(const QString& texto) { ASSERT_TRUE(test::EscribeArchivo(host_ + QStringLiteral("TMP/env947.txt"), texto)); }

    int Ejecuta()
    {
        entorno_.mensajes.Clear();
        return entorno_.Ejecuta([] { return TAB947_Main(); });
    }

    QStringList Filas(const QString& sql)
    {
        QStringList out;
        for (const QVariantList& r : db_->rows(sql)) {
            QStringList campos;
            for (const QVariant& v : r)
                campos << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            out << campos.join(QLatin1Char('|'));
        }
        return out;
    }

    // Everything the installer may touch.
    QStringList Estado()
    {
        return Filas(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name")) +
               Filas(QStringLiteral("SELECT * FROM PARAM ORDER BY Numero, Argumento")) +
               Filas(QStringLiteral("SELECT * FROM REPORTES ORDER BY CodRep")) +
               Filas(QStringLiteral("SELECT * FROM ENVIO_T ORDER BY formulario, tabla_o"));
    }

    QStringList Tablas() { return Filas(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name")); }

    EntornoLote entorno_;
    QString host_;
    std::unique_ptr<TestDb> db_;
};

TEST_F(Instalacion, FreshThenAgainGivesTheSameTablesAndRows)
{
    Envios(kEnv947);
    ASSERT_EQ(Ejecuta(), 0) << entorno_.mensajes.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(entorno_.mensajes.Count(), 0);

    struct Clave {
        const char* tabla;
        QStringList columnas;
        QStringList tipos;
        int clave; // leading key columns
    };
    const Clave tablas[] = {
        {"F0947_PTCEA",
         {"tip_doc_d", "doc_id_d", "periodo", "formulario", "Anho", "Importe", "cnumero"},
         {"BYTE", "TEXT(15)", "TEXT(6)", "TEXT(4)", "TEXT(4)", "TEXT(15)", "TEXT(6)"},
         5},
        {"HF0947_PTCEA",
         {"tip_doc_d", "doc_id_d", "periodo", "formulario", "Correl", "Anho", "Importe", "cnumero"},
         {"BYTE", "TEXT(15)", "TEXT(6)", "TEXT(4)", "TEXT(3)", "TEXT(4)", "TEXT(15)", "TEXT(6)"},
         6},
    };
    for (const Clave& t : tablas) {
        SCOPED_TRACE(t.tabla);
        const auto cols = db_->columns(QString::fromLatin1(t.tabla));
        ASSERT_EQ(int(cols.size()), t.columnas.size());
        for (size_t i = 0; i < cols.size(); ++i) {
            EXPECT_EQ(cols[i].name, t.columnas[int(i)]);
            EXPECT_EQ(cols[i].type, t.tipos[int(i)]);
            EXPECT_EQ(cols[i].pk, int(i) < t.clave ? int(i) + 1 : 0) << cols[i].name.toStdString();
        }
        EXPECT_TRUE(db_->value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = ?1"), {t.tabla})
                        .toString()
                        .contains(QStringLiteral("CONSTRAINT PK_") + QString::fromLatin1(t.tabla) + QStringLiteral(" PRIMARY KEY")));
    }
    EXPECT_EQ(Filas(QStringLiteral("SELECT Numero, Argumento, Funcion, Correl_param, length(Funcion) FROM PARAM "
                                   "WHERE Numero = '992' OR (Numero = '996' AND Argumento IN ('153', '154')) "
                                   "ORDER BY Numero, Argumento")),
              (QStringList{"992|0947|2||1", "996|153|F0947_PTCEA    R 1000   5 ||26",
                           "996|154|HF0947_PTCEA   R 1000   6||25"}));
    EXPECT_EQ(Filas(QStringLiteral("SELECT CodRep, DesRep, Estado FROM REPORTES ORDER BY CodRep")),
              (QStringList{QStringLiteral("RCP001|Reporte Morvath \u2013 Declaración|1"),
                           QStringLiteral("RCP002|Reporte de Envío  -  947|1"),
                           QStringLiteral("RCP003|Reporte Morvath - Declaración y Anexos|1")}));
    EXPECT_EQ(Filas(QStringLiteral("SELECT * FROM ENVIO_T ORDER BY tabla_o")),
              (QStringList{"0947|CAB|HCAB|CAB|1|1|1|2|4|3|7|0|5", "0947|DET| |DET ext|2|0|1|2|4|3|0|0|5",
                           "0947|O'Brien| it's |x|255|0|0|1.5|0|0|0|0|0"}));

    // A second run finds everything: no question, nothing twice, the same rows.
    const QStringList antes = Estado();
    ASSERT_EQ(Ejecuta(), 0);
    EXPECT_EQ(entorno_.mensajes.Count(), 0) << entorno_.mensajes.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Estado(), antes);

    // A descriptor that is there already is updated in place, whatever the case of its name.
    Envios(QStringLiteral("0947|cab|HCAB2||9|1|1|2|4|3|7|0|5|\r\n"));
    ASSERT_EQ(Ejecuta(), 0);
    EXPECT_EQ(Filas(QStringLiteral("SELECT * FROM ENVIO_T ORDER BY tabla_o")),
              (QStringList{"0947|CAB|HCAB2||9|1|1|2|4|3|7|0|5", "0947|DET| |DET ext|2|0|1|2|4|3|0|0|5",
                           "0947|O'Brien| it's |x|255|0|0|1.5|0|0|0|0|0"}));
}

TEST_F(Instalacion, ATableUnderAnotherCaseCountsAsExisting)
{
    Envios(kEnv947);
    ASSERT_EQ(db_->exec(QStringLiteral("CREATE TABLE f0947_ptcea (tip_doc_d BYTE, doc_id_d TEXT(15))")), SQLITE_DONE);
    ASSERT_EQ(Ejecuta(), 0);
    EXPECT_EQ(entorno_.mensajes.Count(), 0) << entorno_.mensajes.Texts().join(QLatin1Char('|')).toStdString();
    // Left as it was, without a key; the other one made.
    EXPECT_EQ(db_->value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'f0947_ptcea'")).toString(),
              QStringLiteral("CREATE TABLE f0947_ptcea (tip_doc_d BYTE, doc_id_d TEXT(15))"));
    EXPECT_EQ(db_->columns(QStringLiteral("HF0947_PTCEA")).size(), 8u);
}

TEST_F(Instalacion, TheThreeKindsOfStatementError)
{
    auto base = dao::Database::Open(host_ + QStringLiteral("ZAV.MDB"));
    Instalador instalador(*base, host_);
    MsgBoxRecorder mensajes;
    // A table that exists: the question, whose answer changes nothing.
    mensajes.PushAnswer(vbYes);
    EXPECT_FALSE(instalador.EjecutaSQL(QStringLiteral("CREATE TABLE param (x TEXT(1))")));
    ASSERT_EQ(mensajes.Count(), 1);
    EXPECT_EQ(mensajes.Last().text,
              QStringLiteral("\nSe  detectado que ya existen las tablas del ZAV DE Morvath Desea Sobreescribirlas?"));
    EXPECT_EQ(mensajes.Last().style, 292);
    EXPECT_EQ(mensajes.Last().title, QStringLiteral("Mensaje"));
    EXPECT_TRUE(instalador.Completa());
    EXPECT_EQ(db_->columnNames(QStringLiteral("PARAM")).size(), 4);
    // A key that exists: nothing said.
    ASSERT_TRUE(instalador.EjecutaSQL(QStringLiteral("CREATE UNIQUE INDEX PK_PRUEBA ON CLAVES (Usuario)")));
    EXPECT_FALSE(instalador.EjecutaSQL(QStringLiteral("CREATE UNIQUE INDEX PK_PRUEBA ON CLAVES (Usuario)")));
    EXPECT_EQ(mensajes.Count(), 1);
    EXPECT_TRUE(instalador.Completa());
    // Anything else: the number and the engine's text; the installation goes on.
    EXPECT_FALSE(instalador.EjecutaSQL(QStringLiteral("insert into NO_EXISTE values (1)")));
    ASSERT_EQ(mensajes.Count(), 2);
    EXPECT_TRUE(mensajes.Last().text.startsWith(QStringLiteral("Error Número : 3078\n"))) << mensajes.Last().text.toStdString();
    EXPECT_GT(mensajes.Last().text.size(), 20);
    EXPECT_EQ(mensajes.Last().style, 16);
    EXPECT_EQ(mensajes.Last().title, QStringLiteral("Error al Ejecutar Sentencia SQL"));
    EXPECT_FALSE(instalador.Completa());
    EXPECT_TRUE(instalador.EjecutaSQL(QStringLiteral("DELETE FROM SPOOL")));
}

TEST_F(Instalacion, ABlankOrEmptyThirdLineEndsTheFile)
{
    for (const QString& tercera : {QStringLiteral("   "), QString()}) {
        db_->exec(QStringLiteral("DELETE FROM ENVIO_T"));
        Envios(QStringLiteral("0947|A|a|a|1|1|1|1|1|1|1|1|1|\r\n0947|B|b|b|1|1|1|1|1|1|1|1|1|\r\n") + tercera +
               QStringLiteral("\r\n0947|C|c|c|1|1|1|1|1|1|1|1|1|\r\n"));
        EXPECT_EQ(Ejecuta(), 0);
        EXPECT_EQ(Filas(QStringLiteral("SELECT tabla_o FROM ENVIO_T ORDER BY tabla_o")), (QStringList{"A", "B"}));
    }
}

TEST_F(Instalacion, BadLinesAreReportedAndSkipped)
{
    Envios(QStringLiteral("0947|A|a|a|1|1|1|1|1|1|1|1|1|\r\n"
                          "0947|B|b|b|1|1|1|1|1|1|1|1|\r\n"
                          "0947|C|c|c|256|1|1|1|1|1|1|1|1|\r\n"
                          "0947|D|d|d|1|-1|1|1|1|1|1|1|1|\r\n"
                          "0947|E|e|e|1|1|1|abc|1|1|1|1|1|\r\n"
                          "0947|F|f|f|1|1||1|1|1|1|1|1|\r\n"
                          "0947|H|h|h|1|1|1|1|1|1|1|1|1\r\n"
                          "0947|G|g|g|1|1|1|1|1|1|1|1|1|\r\n"));
    EXPECT_EQ(Ejecuta(), 1);
    EXPECT_EQ(Filas(QStringLiteral("SELECT tabla_o FROM ENVIO_T ORDER BY tabla_o")), (QStringList{"A", "G"}));
    ASSERT_EQ(entorno_.mensajes.Count(), 6) << entorno_.mensajes.Texts().join(QLatin1Char('|')).toStdString();
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(entorno_.mensajes.Entries()[size_t(i)].text.startsWith(
            QStringLiteral("La línea %1 de env947.txt no es válida: ").arg(i + 2)))
            << entorno_.mensajes.Entries()[size_t(i)].text.toStdString();
        EXPECT_EQ(entorno_.mensajes.Entries()[size_t(i)].title, QStringLiteral("Error en env947.txt"));
    }
    EXPECT_EQ(Filas(QStringLiteral("SELECT count(*) FROM REPORTES")), QStringList{"3"});
}

// A replacement REPORTES row the database refuses: the old row stays, and the run says so.
TEST_F(Instalacion, AReportRowWhoseReplacementIsRefusedIsKept)
{
    Envios(kEnv947);
    ASSERT_EQ(Ejecuta(), 0);
    ASSERT_EQ(db_->exec(QStringLiteral("UPDATE REPORTES SET DesRep = 'Reporte anterior' WHERE CodRep = 'RCP002'")),
              SQLITE_DONE);
    ASSERT_EQ(db_->exec(QStringLiteral("CREATE TRIGGER rechaza BEFORE INSERT ON REPORTES WHEN NEW.CodRep = 'RCP002' "
                                       "BEGIN SELECT RAISE(ABORT, 'rechazado'); END")),
              SQLITE_DONE);
    EXPECT_EQ(Ejecuta(), 1);
    ASSERT_EQ(entorno_.mensajes.Count(), 1);
    EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("Error Número : ")))
        << entorno_.mensajes.Last().text.toStdString();
    EXPECT_EQ(entorno_.mensajes.Last().title, QStringLiteral("Error al Ejecutar Sentencia SQL"));
    EXPECT_EQ(Filas(QStringLiteral("SELECT CodRep, DesRep, Estado FROM REPORTES ORDER BY CodRep")),
              (QStringList{QStringLiteral("RCP001|Reporte Morvath \u2013 Declaración|1"),
                           QStringLiteral("RCP002|Reporte anterior|1"),
                           QStringLiteral("RCP003|Reporte Morvath - Declaración y Anexos|1")}));
}

TEST_F(Instalacion, NoDescriptorFileIsReportedAndTheRestInstalled)
{
    EXPECT_EQ(Ejecuta(), 1);
    ASSERT_EQ(entorno_.mensajes.Count(), 1);
    EXPECT_TRUE(entorno_.mensajes.Last().text.contains(QStringLiteral("env947.txt")));
    EXPECT_EQ(Filas(QStringLiteral("SELECT count(*) FROM REPORTES")), QStringList{"3"});
    EXPECT_EQ(Filas(QStringLiteral("SELECT count(*) FROM PARAM WHERE Numero = '992'")), QStringList{"1"});
    EXPECT_EQ(db_->columns(QStringLiteral("F0947_PTCEA")).size(), 7u);
}

TEST_F(Instalacion, AFailedLookUpIsReportedOnceAndEndsTheInstallation)
{
    Envios(kEnv947);
    ASSERT_EQ(db_->exec(QStringLiteral("DROP TABLE ENVIO_T")), SQLITE_DONE);
    EXPECT_EQ(Ejecuta(), 1);
    ASSERT_EQ(entorno_.mensajes.Count(), 1);
    EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("Error Número : 3078\n")));
    EXPECT_EQ(Filas(QStringLiteral("SELECT count(*) FROM REPORTES")), QStringList{"3"});

    ASSERT_EQ(db_->exec(QStringLiteral("DROP TABLE PARAM")), SQLITE_DONE);
    ASSERT_EQ(db_->exec(QStringLiteral("DELETE FROM REPORTES")), SQLITE_DONE);
    EXPECT_EQ(Ejecuta(), 1);
    ASSERT_EQ(entorno_.mensajes.Count(), 1);
    EXPECT_TRUE(entorno_.mensajes.Last().text.startsWith(QStringLiteral("Error Número : 3078\n")));
    EXPECT_EQ(Filas(QStringLiteral("SELECT count(*) FROM REPORTES")), QStringList{"0"});
}

// Random env947.txt lines: fields, separators and bytes of every kind. Nothing but
// ENVIO_T rows of the form may change, and each stored name is one a line gave.
TEST_F(Instalacion, FuzzedDescriptorLinesAlterNoStatement)
{
    Envios(kEnv947);
    ASSERT_EQ(Ejecuta(), 0);
    db_->exec(QStringLiteral("DELETE FROM ENVIO_T"));
    const QStringList tablas = Estado().filter(QRegularExpression(QStringLiteral("^table\\|")));
    const QStringList fijas = Filas(QStringLiteral("SELECT * FROM PARAM ORDER BY Numero, Argumento")) +
                              Filas(QStringLiteral("SELECT * FROM REPORTES ORDER BY CodRep"));
    const QByteArray piezas[] = {"0947", "CAB", "'", "''", "\"", ";", "--", "DROP TABLE PARAM", "x',1);DELETE FROM PARAM;--",
                                 "1", "255", "256", "-1", "1.5", "1e308", "1e999", "&H10", " ", "|", "||", "\r", "\n",
                                 "\r\n", "\t", "?1", "%1", "\xe9", "\x96", "\x81", QByteArray(1, '\0')};
    QRandomGenerator azar(947);
    QSet<QString> nombres;
    for (int i = 0; i < 150; ++i) {
        QByteArray contenido;
        const int lineas = 1 + int(azar.bounded(4));
        for (int l = 0; l < lineas; ++l) {
            // A sound descriptor with some of its fields, separators or bytes replaced.
            QList<QByteArray> campos = QByteArray("0947|T|d|e|1|1|1|2|4|3|7|0|5").split('|');
            campos[1] += QByteArray::number(azar.bounded(20));
            const int cambios = int(azar.bounded(4));
            for (int c = 0; c < cambios; ++c) {
                const int r = int(azar.bounded(10));
                QByteArray& campo = campos[int(azar.bounded(campos.size()))];
                if (r < 6)
                    campo = piezas[azar.bounded(int(std::size(piezas)))];
                else if (r < 8)
                    campo = QByteArray::number(azar.bounded(300));
                else
                    campo += char(azar.bounded(256));
            }
            if (azar.bounded(5) == 0)
                campos.removeAt(int(azar.bounded(campos.size())));
            contenido += campos.join('|') + "|\r\n";
        }
        // What the file could name, however it is cut into lines.
        QString texto = FromCp1252(contenido);
        texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& l : texto.split(QLatin1Char('\n'))) {
            const QStringList f = l.split(QLatin1Char('|'));
            if (f.size() > 1) {
                // Read back through SQLite's C text, a name ends at its first NUL.
                const QString nombre = f.at(1);
                nombres.insert(nombre.left(nombre.indexOf(QChar(0))).trimmed().toUpper());
                nombres.insert(nombre.trimmed().toUpper());
            }
        }
        {
            QFile f(host_ + QStringLiteral("TMP/env947.txt"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(contenido);
        }
        const int status = Ejecuta();
        ASSERT_TRUE(status == 0 || status == 1) << i;
    }
    EXPECT_EQ(Estado().filter(QRegularExpression(QStringLiteral("^table\\|"))), tablas);
    EXPECT_EQ(Filas(QStringLiteral("SELECT * FROM PARAM ORDER BY Numero, Argumento")) +
                  Filas(QStringLiteral("SELECT * FROM REPORTES ORDER BY CodRep")),
              fijas);
    EXPECT_EQ(Filas(QStringLiteral("SELECT count(*) FROM ENVIO_T WHERE formulario <> '0947'")), QStringList{"0"});
    const QStringList guardados = Filas(QStringLiteral("SELECT tabla_o FROM ENVIO_T"));
    EXPECT_FALSE(guardados.isEmpty());
    for (const QString& n : guardados)
        EXPECT_TRUE(nombres.contains(n.trimmed().toUpper())) << n.toStdString();
}

// The real program on a fresh host: status 0, and the second run changes nothing.
TEST_F(Instalacion, RealProgramTwice)
{
    Envios(kEnv947);
    QStringList estados;
    for (int vez = 0; vez < 2; ++vez) {
        QProcess programa;
        programa.start(QStringLiteral(PROGRAMA_TAB947), {});
        ASSERT_TRUE(programa.waitForFinished(30000));
        EXPECT_EQ(programa.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(programa.exitCode(), 0) << programa.readAllStandardError().toStdString();
        estados << Estado().join(QLatin1Char('\n'));
    }
    EXPECT_EQ(estados.at(0), estados.at(1));
    EXPECT_EQ(Filas(QStringLiteral("SELECT count(*) FROM ENVIO_T")), QStringList{"3"});
}

// The host runs TAB947 without a one-copy check: two started at once on a fresh host
// each find what the other wrote and go on. Both end with status 0, nothing is asked or
// reported, and the database is as one installer alone leaves it. The two read their
// descriptors in orders of their own (the second from a host folder whose DBName leads to
// the same database), so that they meet on the same rows at the same time.
TEST_F(Instalacion, TwoRealProgramsAtOnce)
{
    QStringList lineas;
    for (int i = 0; i < 400; ++i)
        lineas << QStringLiteral("0947|T%1|H%1|E%1|1|1|1|2|4|3|7|0|5|\r\n").arg(i);
    QRandomGenerator azar(947);
    std::shuffle(lineas.begin(), lineas.end(), azar);
    Envios(lineas.join(QString()));
    const QString otroHost = entorno_.Ruta(QStringLiteral("host2")) + QLatin1Char('/');
    ASSERT_TRUE(QDir().mkpath(otroHost + QStringLiteral("tmp")));
    std::shuffle(lineas.begin(), lineas.end(), azar);
    ASSERT_TRUE(test::EscribeArchivo(otroHost + QStringLiteral("tmp/env947.txt"), lineas.join(QString())));
    const QString otroWindows = entorno_.Ruta(QStringLiteral("windows2"));
    ASSERT_TRUE(QDir().mkpath(otroWindows));
    ASSERT_TRUE(test::EscribeArchivo(otroWindows + QStringLiteral("/KZ000.INI"),
                                     QStringLiteral("[Options]\r\nSysPath=") + otroHost +
                                         QStringLiteral("\r\nDBName=../host/ZAV.MDB\r\n")));

    const QString base = host_ + QStringLiteral("ZAV.MDB");
    const QString limpia = entorno_.Ruta(QStringLiteral("limpia.MDB"));
    ASSERT_TRUE(QFile::copy(base, limpia));
    const QString log = entorno_.Ruta(QStringLiteral("mensajes.log"));
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("ZAV_MSGBOX_LOG"), log);
    QProcessEnvironment otroEntorno = entorno;
    otroEntorno.insert(QStringLiteral("WINDIR"), otroWindows);

    ASSERT_EQ(Ejecuta(), 0);
    const QStringList esperado = Estado();
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        SCOPED_TRACE(vuelta);
        db_.reset();
        ASSERT_TRUE(QFile::remove(base));
        ASSERT_TRUE(QFile::copy(limpia, base));
        db_ = std::make_unique<TestDb>(base);
        QProcess a;
        QProcess b;
        a.setProcessEnvironment(entorno);
        b.setProcessEnvironment(otroEntorno);
        a.start(QStringLiteral(PROGRAMA_TAB947), {});
        b.start(QStringLiteral(PROGRAMA_TAB947), {});
        for (QProcess* p : {&a, &b}) {
            if (!p->waitForFinished(20000)) {
                p->kill();
                p->waitForFinished();
                ADD_FAILURE() << "an installer is left waiting on a message box";
                continue;
            }
            EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        }
        EXPECT_EQ(Estado(), esperado);
    }
    EXPECT_EQ(test::LeeArchivo(log), QString());
}

} // namespace
} // namespace zav::lote
