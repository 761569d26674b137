#pragma once
// A fresh database with the declaration tables as the host and the installer make them,
// and a few ways to look at what the store left there.
#include "almacen/AlmacenDeclaracion.h"

#include "common/CalculaControl.h"
#include "integrador/Schema.h"
#include "platform/db/Database.h"

#include "../common/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <memory>

namespace almacentest {

inline const QString kRuc = QStringLiteral("20100070970");
inline const QString kPeriodo = QStringLiteral("201405");
inline const QString kFormulario = QStringLiteral("0947");

// Another program on the same file: it takes the write lock and commits when told to.
class OtroPrograma {
public:
    explicit OtroPrograma(const QString& archivo)
    {
        sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db_, 5000);
    }
    ~OtroPrograma() { sqlite3_close_v2(db_); }
    int Ejecuta(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

private:
    sqlite3* db_ = nullptr;
};

class AlmacenFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        archivo_ = dir_.filePath(QStringLiteral("ZAV.MDB"));
        dao::Database::CreateEmpty(archivo_);
        db_ = dao::Database::Open(archivo_);
        for (const char* t : {"CAB", "DET", "ACTA", "HCAB", "HDET", "HACTA"})
            db_->Execute(integrador::CreateTableSql(*integrador::FindTable(QString::fromLatin1(t))));
        // The installer's loss tables.
        for (const char* correl : {"", "[Correl] TEXT(3) NOT NULL, "}) {
            const QString h = *correl ? QStringLiteral("H") : QString();
            db_->Execute(QStringLiteral("CREATE TABLE %1F0947_PTCEA ([tip_doc_d] BYTE NOT NULL, [doc_id_d] TEXT(15) "
                                        "NOT NULL, [periodo] TEXT(6) NOT NULL, [formulario] TEXT(4) NOT NULL, %2"
                                        "[Anho] TEXT(4) NOT NULL, [Importe] TEXT(15), [cnumero] TEXT(6), PRIMARY KEY "
                                        "([tip_doc_d], [doc_id_d], [periodo], [formulario], %3[Anho]))")
                             .arg(h, QString::fromLatin1(correl), *correl ? QStringLiteral("[Correl], ") : QString()));
        }
    }

    static almacen::ClaveDeclaracion Clave(const QString& ruc = kRuc, const QString& periodo = kPeriodo)
    {
        return almacen::ClaveDeclaracion::Guardada(ruc, periodo, kFormulario);
    }

    void Ejecuta(const QString& sql, const dao::Params& p = {}) { db_->Execute(sql, 0, p); }

    int Cuenta(const QString& tabla, const QString& condicion = QString())
    {
        auto rs = db_->OpenRecordset(QStringLiteral("SELECT count(*) FROM ") + tabla + condicion, dao::dbOpenSnapshot);
        return static_cast<int>(rs->Fields(0).Value().toInt64());
    }

    // A stored declaration as another program would leave it: a header, box rows, an act
    // row and loss rows.
    void Guarda(const almacen::ClaveDeclaracion& c, const QString& cNumero, const std::map<QString, QString>& casillas,
                const QStringList& anhos = {})
    {
        const QString h = c.EsEnvio() ? QStringLiteral("H") : QString();
        const QString correl = c.EsEnvio() ? QStringLiteral("'") + *c.Correl + QStringLiteral("', ") : QString();
        const QString columnaCorrel = c.EsEnvio() ? QStringLiteral("CORREL, ") : QString();
        const dao::Params k{c.Documento, c.Periodo, c.Formulario};
        Ejecuta(QStringLiteral("INSERT INTO %1CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, %2SEMANA, fec_pro, estado, "
                               "cNumero) VALUES (6, ?, ?, ?, %3 0, '01/05/2014', 0, ?)")
                    .arg(h, columnaCorrel, correl),
                {c.Documento, c.Periodo, c.Formulario, cNumero});
        for (const auto& [casilla, valor] : casillas)
            Ejecuta(QStringLiteral("INSERT INTO %1DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, %2SEMANA, CASILLA, "
                                   "i_valor, idcasilla, cNumero) VALUES (6, ?, ?, ?, %3 0, ?, ?, '01', 'X')")
                        .arg(h, columnaCorrel, correl),
                    {c.Documento, c.Periodo, c.Formulario, casilla, valor});
        Ejecuta(QStringLiteral("INSERT INTO %1ACTA (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, %2SEMANA, ITEM) "
                               "VALUES (6, ?, ?, ?, %3 0, '001')")
                    .arg(h, columnaCorrel, correl),
                k);
        for (const QString& anho : anhos)
            Ejecuta(QStringLiteral("INSERT INTO %1F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, %2Anho, "
                                   "Importe, cnumero) VALUES (6, ?, ?, ?, %3 ?, '1000', 'X')")
                        .arg(h, columnaCorrel, correl),
                    {c.Documento, c.Periodo, c.Formulario, anho});
    }

    // Every row of the declaration tables that lies outside the stored declaration's key
    // and its sendings' (another form, taxpayer or period), one line each, sorted.
    QStringList FilasFuera(const almacen::ClaveDeclaracion& c)
    {
        QStringList filas;
        for (const char* t : {"CAB", "DET", "ACTA", "F0947_PTCEA", "HCAB", "HDET", "HACTA", "HF0947_PTCEA"}) {
            auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM %1 WHERE NOT (DOC_ID_D=? AND PERIODO=? AND "
                                                        "FORMULARIO=?)")
                                             .arg(QString::fromLatin1(t)),
                                         dao::dbOpenSnapshot, {c.Documento, c.Periodo, c.Formulario});
            for (; !rs->Eof(); rs->MoveNext()) {
                QString fila = QString::fromLatin1(t);
                for (int i = 0; i < rs->FieldCount(); ++i)
                    fila += QLatin1Char('|') + rs->Fields(i).Value().toText();
                filas << fila;
            }
        }
        filas.sort();
        return filas;
    }

    // The box rows of a key, code to value.
    std::map<QString, QString> Casillas(const almacen::ClaveDeclaracion& c)
    {
        std::map<QString, QString> m;
        for (const almacen::Casilla& f : almacen::LeeCasillas(*db_, c, almacen::OrdenCasillas::Texto))
            m[f.Codigo] = f.Valor;
        return m;
    }

    // Every row of the key in the table has the check value of its own fields.
    void ControlesCorrectos(const QString& tabla, const almacen::ClaveDeclaracion& c, int clave)
    {
        auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM ") + c.Tabla(tabla) + c.Filtro(), dao::dbOpenDynaset,
                                     c.Valores());
        ASSERT_FALSE(rs->Eof()) << tabla.toStdString();
        for (; !rs->Eof(); rs->MoveNext()) {
            const QString guardado = rs->Fields(QStringLiteral("cNumero")).Value().toText();
            rs->Edit();
            EXPECT_EQ(guardado, zav::CalculaControl(*rs, clave)) << tabla.toStdString();
            rs->CancelUpdate();
        }
    }

    QTemporaryDir dir_;
    QString archivo_;
    std::unique_ptr<dao::Database> db_;
};

} // namespace almacentest
