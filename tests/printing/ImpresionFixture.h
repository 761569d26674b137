#pragma once
// A host workspace open as KZ947 leaves it, and declarations written into it from the
// data files of tests/printing/declaraciones.
#include "common/Clock.h"
#include "platform/db/Database.h"
#include "platform/ui/Hourglass.h"
#include "printing/EstadoImpresion.h"
#include "tests/shell/ShellFixture.h"

#include <QFile>
#include <QMap>
#include <QStringList>

class ImpresionFixture : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        if (HasFatalFailure())
            return;
        OpenWorkspace();
        App().gUsuario = QStringLiteral("ADMIN");
        ReiniciaImpresion();
        zav::SetClockForTests([] { return QDateTime(QDate(2014, 6, 2), QTime(9, 15, 0)); });
    }
    void TearDown() override
    {
        zav::SetClockForTests({});
        ReiniciaImpresion();
        ShellFixture::TearDown();
    }

    dao::Database& db() { return *App().gBaseDatos; }

    static QString archivoPrueba(const QString& relativo)
    {
        return QStringLiteral(PRINTING_TEST_DIR "/") + relativo;
    }

    static QByteArray lee(const QString& ruta)
    {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Writes the declaration of the data file into the database (stored, or sent with
    // its CORREL) and sets the print dialog's row in the globals.
    // K|key|value  C|box|value  P|year|amount  O|F or H|correl|year|amount  D|box|value
    void cargaDeclaracion(const QString& archivo)
    {
        QFile f(archivoPrueba(QStringLiteral("declaraciones/") + archivo));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text)) << archivo.toStdString();
        QMap<QString, QString> k;
        QList<QStringList> filas;
        for (const QByteArray& l : f.readAll().split('\n')) {
            if (l.isEmpty())
                continue;
            const QStringList c = QString::fromUtf8(l).split(QLatin1Char('|'));
            if (c[0] == QLatin1String("K"))
                k[c[1]] = c[2];
            else
                filas << c;
        }
        const bool enviada = k.value(QStringLiteral("enviada")) == QLatin1String("1");
        const QString correl = k.value(QStringLiteral("correl"));
        const dao::Variant ruc(k[QStringLiteral("ruc")]);
        const dao::Variant periodo(k[QStringLiteral("periodo")]);
        const dao::Variant form(QStringLiteral("0947"));
        db().Execute(QStringLiteral("INSERT OR REPLACE INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO) VALUES (6, ?, ?, 'ADMIN')"),
                     0, {ruc, dao::Variant(k[QStringLiteral("nombre")])});
        if (enviada)
            db().Execute(QStringLiteral("INSERT INTO HCAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, estado, norden, CONTROL)"
                                        " VALUES (6, ?, ?, ?, ?, 1, ?, ?)"),
                         0, {ruc, periodo, form, dao::Variant(correl), dao::Variant(k[QStringLiteral("orden")]),
                             dao::Variant(k[QStringLiteral("control")])});
        else
            db().Execute(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, estado) VALUES (6, ?, ?, ?, 0)"),
                         0, {ruc, periodo, form});
        for (const QStringList& c : filas) {
            const QString tipo = c[0];
            if (tipo == QLatin1String("C") && enviada)
                db().Execute(QStringLiteral("INSERT INTO HDET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, CASILLA, i_valor)"
                                            " VALUES (6, ?, ?, ?, ?, ?, ?)"),
                             0, {ruc, periodo, form, dao::Variant(correl), dao::Variant(c[1]), dao::Variant(c[2])});
            else if (tipo == QLatin1String("C") || tipo == QLatin1String("D"))
                db().Execute(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CASILLA, i_valor)"
                                            " VALUES (6, ?, ?, ?, ?, ?)"),
                             0, {ruc, periodo, form, dao::Variant(c[1]), dao::Variant(c[2])});
            else if (tipo == QLatin1String("P"))
                perdida(enviada, correl, ruc, periodo, c[1], c[2]);
            else if (tipo == QLatin1String("O"))
                perdida(c[1] == QLatin1String("H"), c[2], ruc, periodo, c[3], c[4]);
        }
        AppState& a = App();
        a.gRuc = k[QStringLiteral("ruc")];
        a.gPeriodo = k[QStringLiteral("periodo")];
        a.gCorrel = correl;
        EstadoImpresion& e = Impresion();
        e.gEnviadaImp = enviada;
        e.gRazonSocialImp = k[QStringLiteral("nombre")];
        e.gNumControlImp = k.value(QStringLiteral("control"));
    }

    void perdida(bool historica, const QString& correl, const dao::Variant& ruc, const dao::Variant& periodo,
                 const QString& anho, const QString& importe)
    {
        if (historica)
            db().Execute(QStringLiteral("INSERT INTO HF0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Correl, Anho, Importe)"
                                        " VALUES (6, ?, ?, '0947', ?, ?, ?)"),
                         0, {ruc, periodo, dao::Variant(correl), dao::Variant(anho), dao::Variant(importe)});
        else
            db().Execute(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe)"
                                        " VALUES (6, ?, ?, '0947', ?, ?)"),
                         0, {ruc, periodo, dao::Variant(anho), dao::Variant(importe)});
    }
};
