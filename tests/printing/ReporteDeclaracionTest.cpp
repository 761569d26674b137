// The report file of whole declarations, byte for byte, and its registration in SPOOL.
#include "tests/printing/ImpresionFixture.h"

#include "common/Paths.h"
#include "printing/ImpRep.h"
#include "printing/report/LectorReporte.h"

#include <cerrno>
#include <cstring>

namespace {

class ReporteDeclaracion : public ImpresionFixture {};

TEST_F(ReporteDeclaracion, ArchivosIgualesAlEsperado)
{
    const char* const casos[] = {
        "general_2014_perdidas",       "agrario_2012_sistema_a",        "amazonia_2013_enviada",
        "frontera_2013_sin_perdidas",  "convenio_2013_seis_perdidas",   "mype_2013_doce_perdidas",
        "agrario_2013_fecha_no_valida", "general_2012_enero_sistema_b",
    };
    int n = 0;
    for (const char* caso : casos) {
        SCOPED_TRACE(caso);
        ReiniciaImpresion();
        cargaDeclaracion(QString::fromLatin1(caso) + QStringLiteral(".txt"));
        const QString nombre = GeneraReporteDeclaracion();
        ++n;
        ASSERT_EQ(nombre, QStringLiteral("0000000%1.PRN").arg(n));
        EXPECT_EQ(App().gArchivo, zav::ResolvePath(zav::JoinPath(App().gRutaRpt, nombre)));
        const QByteArray escrito = lee(App().gArchivo);
        const QByteArray esperado = lee(archivoPrueba(QStringLiteral("esperados/") + QString::fromLatin1(caso) + QStringLiteral(".PRN")));
        ASSERT_FALSE(esperado.isEmpty());
        if (escrito != esperado) {
            const QList<QByteArray> a = escrito.split('\n');
            const QList<QByteArray> b = esperado.split('\n');
            for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
                if (a[i] != b[i]) {
                    ADD_FAILURE() << "line " << i + 1 << "\n  written:  " << a[i].toStdString() << "\n  expected: "
                                  << b[i].toStdString();
                    break;
                }
            EXPECT_EQ(a.size(), b.size());
        }
        EXPECT_EQ(msgs_->Count(), 0);
        EXPECT_EQ(App().gOpcion, 2);
        EXPECT_EQ(NumRegistros(nombre), 5);
    }
    auto rs = db().OpenRecordset(QStringLiteral("SELECT CodRep, Secuencia, Usuario, Tip_doc_d, DOC_ID_D FROM SPOOL ORDER BY Archivo"),
                                 dao::dbOpenSnapshot);
    ASSERT_EQ(rs->RecordCount(), 8);
    EXPECT_EQ(rs->Fields(0).Value().toText(), QStringLiteral("RCP001"));
    rs->MoveLast();
    EXPECT_EQ(rs->Fields(1).Value().toText(), QStringLiteral("000008"));
    EXPECT_EQ(rs->Fields(2).Value().toText(), QStringLiteral("ADMIN"));
    EXPECT_EQ(rs->Fields(3).Value().toInt64(), 6);
    EXPECT_EQ(rs->Fields(4).Value().toText(), QStringLiteral("20100066603"));
}

TEST_F(ReporteDeclaracion, ElMismoNombreDosVecesReemplazaElContenido)
{
    cargaDeclaracion(QStringLiteral("agrario_2012_sistema_a.txt"));
    pConsulta();
    Impresion().gTipoReporte = 2;
    App().gArchivo = zav::JoinPath(App().gRutaRpt, QStringLiteral("00000009.PRN"));
    {
        QFile f(App().gArchivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100000, 'x'));
    }
    ASSERT_TRUE(ImprimirReporte(QString()));
    const QByteArray b = lee(App().gArchivo);
    EXPECT_EQ(b, lee(archivoPrueba(QStringLiteral("esperados/agrario_2012_sistema_a.PRN"))));
    EXPECT_EQ(b.count("pNuevaHoja\r\n"), 4);
    EXPECT_FALSE(zav::IsHourglass());
}

TEST_F(ReporteDeclaracion, UnFalloSeAvisaYNoSeDaPorEscrito)
{
    cargaDeclaracion(QStringLiteral("agrario_2012_sistema_a.txt"));
    pConsulta();
    Impresion().gTipoReporte = 2;
    // A report folder that is gone.
    App().gArchivo = zav::JoinPath(App().gRutaRpt, QStringLiteral("falta/00000001.PRN"));
    EXPECT_FALSE(ImprimirReporte(QString()));
    ASSERT_EQ(msgs_->Count(), 1);
    // The runtime's text, and the system's reason.
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Error Técnico : ( 76) No se encuentra la ruta: ")
                                      + QString::fromLocal8Bit(std::strerror(ENOENT)) + QLatin1Char('.'));
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Impresión"));
    EXPECT_FALSE(zav::IsHourglass());

    // A database error while the last page reads the losses.
    msgs_->Clear();
    App().gArchivo = zav::JoinPath(App().gRutaRpt, QStringLiteral("00000002.PRN"));
    db().Execute(QStringLiteral("DROP TABLE F0947_PTCEA"));
    EXPECT_FALSE(ImprimirReporte(QString()));
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("Error Técnico : ( 3078) "))) << msgs_->Last().text.toStdString();
    EXPECT_FALSE(zav::IsHourglass());
}

TEST_F(ReporteDeclaracion, SinTablaSpoolNoHayReporte)
{
    cargaDeclaracion(QStringLiteral("agrario_2012_sistema_a.txt"));
    App().gArchivo.clear();
    db().Execute(QStringLiteral("DROP TABLE SPOOL"));
    EXPECT_EQ(GeneraReporteDeclaracion(), QString());
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("El reporte no fue generado. Error (3078): ")));
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Impresión"));
    EXPECT_TRUE(App().gArchivo.isEmpty());
    EXPECT_TRUE(QDir(App().gRutaRpt).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(zav::IsHourglass());
}

// A declaration sent twice: each sending prints its own rows, none of the other's.
TEST_F(ReporteDeclaracion, CadaEnvioSeImprimeConSusPropiasCasillas)
{
    cargaDeclaracion(QStringLiteral("amazonia_2013_enviada.txt"));   // the second sending, 002
    // The first one: every value another, a box the second one dropped, its own order number.
    db().Execute(QStringLiteral("INSERT INTO HCAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, estado, norden, CONTROL)"
                                " SELECT TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, '001', estado, '654321', CONTROL FROM HCAB"));
    db().Execute(QStringLiteral("INSERT INTO HDET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, CASILLA, i_valor)"
                                " SELECT TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, '001', CASILLA, i_valor || '9' FROM HDET"));
    db().Execute(QStringLiteral("INSERT INTO HDET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, CASILLA, i_valor)"
                                " SELECT TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, '001', '463', '4444' FROM HCAB WHERE CORREL = '001'"));

    for (const char* correl : {"001", "002"}) {
        SCOPED_TRACE(correl);
        App().gCorrel = QString::fromLatin1(correl);
        const QString nombre = GeneraReporteDeclaracion();
        ASSERT_FALSE(nombre.isEmpty());
        QStringList propias, leidas;
        auto rs = db().OpenRecordset(QStringLiteral("SELECT CASILLA, i_valor FROM HDET WHERE CORREL = ? ORDER BY CASILLA"),
                                     dao::dbOpenSnapshot, {App().gCorrel});
        for (; !rs->Eof(); rs->MoveNext())
            propias << rs->Fields(0).Value().toText() + QLatin1Char('=') + rs->Fields(1).Value().toText();
        for (int n = 1; n <= 899; ++n)
            if (!Impresion().gValores[static_cast<size_t>(n)].isEmpty())
                leidas << QStringLiteral("%1=").arg(n, 3, 10, QLatin1Char('0')) + Impresion().gValores[static_cast<size_t>(n)];
        propias.removeIf([](const QString& p) { return p.endsWith(QLatin1Char('=')); });
        EXPECT_EQ(leidas.join(QLatin1Char(' ')).toStdString(), propias.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(Impresion().gNumOrdenImp.toStdString(), correl[2] == '1' ? "654321" : "123456");
    }
    // The second sending's report is the one it had alone.
    EXPECT_TRUE(lee(App().gArchivo) == lee(archivoPrueba(QStringLiteral("esperados/amazonia_2013_enviada.PRN"))));
    EXPECT_EQ(msgs_->Count(), 0);
}

} // namespace
