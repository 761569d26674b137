// The real batch programs when an exception that none of their handlers expects escapes
// their procedure (memory running out, a library's own error): the program's failure
// status and its reason in a box, never an abort; 0947CNSINF also leaves its marker.
#include "tests/batch/LoteFixture.h"
#include "tests/integrador/TestDb.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace zav::lote {
namespace {

using integrador::test::TestDb;
using test::Bytes;
using test::EntornoLote;

TEST(ExcepcionReal, AnExceptionThatEscapesEndsWithTheFailureStatusAndItsReason)
{
    const QString linea = QStringLiteral("0620100070970    0947201305000012345");
    const QString marca = QStringLiteral("TMP/062010007097009472013050.TXT");
    struct Caso {
        const char* programa;
        QStringList argumentos;
        const char* consulta; // the statement that throws
        int estado;
        const char* titulo;
        const char* antes; // the box's text up to the reason
        bool marca;
    };
    const Caso casos[] = {
        {PROGRAMA_0947CNSINF, {linea}, "F0947_PTCEA", 2, "Error al verificar la información a enviar",
         "No se pudo verificar la información a enviar: ", true},
        {PROGRAMA_0947REP, {linea}, "FROM CONT", 1, "0947REP", "El programa se detuvo antes de terminar: ", false},
        {PROGRAMA_TAB947, {}, "envio_t", 1, "TAB947", "El programa se detuvo antes de terminar: ", false},
    };
    const std::pair<const char*, const char*> excepciones[] = {
        {"bad_alloc", "no hay memoria suficiente"},
        {"runtime_error", "error inesperado (falla de prueba)"},
    };
    for (const Caso& c : casos) {
        for (const auto& [excepcion, razon] : excepciones) {
            SCOPED_TRACE(std::string(c.programa) + " " + excepcion);
            EntornoLote e;
            const QString host = e.Inicia();
            {
                TestDb db(e.BaseDatos());
                db.exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                                       "VALUES (6, '20100070970', '201305', '0947', 0, 1)"));
            }
            ASSERT_TRUE(test::EscribeArchivo(host + marca, QStringLiteral("HOST\r\n")));
            const QString log = e.Ruta(QStringLiteral("msgbox.log"));
            QProcess programa;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("ZAV_MSGBOX_LOG"), log);
            env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FALLA_CONSULTA));
            env.insert(QStringLiteral("ZAV_FALLA_CONSULTA"), QString::fromLatin1(c.consulta));
            env.insert(QStringLiteral("ZAV_FALLA_EXCEPCION"), QString::fromLatin1(excepcion));
            // A sanitised build loads its runtime first; the preloaded library is only a test's.
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
            programa.setProcessEnvironment(env);
            programa.start(QString::fromUtf8(c.programa), c.argumentos);
            ASSERT_TRUE(programa.waitForFinished(30000)) << "the program is waiting";
            const QString error = QString::fromUtf8(programa.readAllStandardError());
            if (programa.exitStatus() != QProcess::NormalExit) {
                ADD_FAILURE() << "the program aborted: " << error.toStdString();
                continue;
            }
            EXPECT_EQ(programa.exitCode(), c.estado) << error.toStdString();

            QString texto = QString::fromUtf8(c.antes) + QString::fromUtf8(razon) + QLatin1Char('.');
            if (c.marca)
                texto += QStringLiteral(" Se grabó la marca de error en el archivo ") + host + marca;
            const QString caja = QStringLiteral("16|") + QString::fromUtf8(c.titulo) + QLatin1Char('|') + texto;
            EXPECT_EQ(QString::fromUtf8(Bytes(log)), caja + QLatin1Char('\n'));
            // Without a screen the box is on standard error, and it is all there is.
            EXPECT_EQ(error, QString::fromUtf8(c.titulo) + QStringLiteral(": ") + texto + QLatin1Char('\n'));
            EXPECT_EQ(Bytes(host + marca), c.marca ? QByteArray("0947 ERROR\r\n") : QByteArray("HOST\r\n"));
            if (c.marca) {
                EXPECT_FALSE(QFileInfo::exists(host + QStringLiteral("TMP/062010007097009472013050.ERR")));
            }
            // Nothing half made is left: no receipt, no temporary file.
            EXPECT_FALSE(QFileInfo::exists(host + QStringLiteral("TMP/0947201305000012345.TXT")));
            QDirIterator archivos(host, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (archivos.hasNext()) {
                const QString f = archivos.next();
                EXPECT_FALSE(f.contains(QLatin1String(".~"))) << f.toStdString();
            }
        }
    }
}

} // namespace
} // namespace zav::lote
