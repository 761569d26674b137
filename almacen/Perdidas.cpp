// The tax-loss rows of a declaration, and the leaving that puts them back.
#include "almacen/AlmacenDeclaracion.h"

#include "common/CalculaControl.h"
#include "platform/db/Database.h"
#include "platform/db/Transaccion.h"

namespace almacen {

namespace {

const QString kPerdidas = QStringLiteral("F0947_PTCEA");

FilasTabla Lee(dao::Recordset& rs)
{
    FilasTabla t;
    for (int c = 0; c < rs.FieldCount(); ++c)
        t.Columnas << rs.Fields(c).Name();
    for (; !rs.Eof(); rs.MoveNext()) {
        dao::Params fila;
        fila.reserve(t.Columnas.size());
        for (int c = 0; c < rs.FieldCount(); ++c)
            fila.push_back(rs.Fields(c).Value());
        t.Filas.push_back(std::move(fila));
    }
    return t;
}

// The row of one year: filter and values.
QString FiltroAnho(const ClaveDeclaracion& clave)
{
    return clave.Filtro() + QStringLiteral(" AND ANHO=?");
}

dao::Params ValoresAnho(const ClaveDeclaracion& clave, const QString& anho)
{
    dao::Params p = clave.Valores();
    p.push_back(anho);
    return p;
}

} // namespace

int CuentaPerdidas(dao::Database& db, const ClaveDeclaracion& clave)
{
    auto rs = db.OpenRecordset(QStringLiteral("SELECT count(*) As nTotTemp FROM ") + clave.Tabla(kPerdidas)
                                   + clave.Filtro(),
                               dao::dbOpenSnapshot, clave.Valores());
    if (rs->Eof())
        return 0;
    const dao::Variant n = rs->Fields(QStringLiteral("nTotTemp")).Value();
    return n.isNull() ? 0 : static_cast<int>(n.toInt64());
}

FilasTabla LeePerdidas(dao::Database& db, const ClaveDeclaracion& clave)
{
    auto rs = db.OpenRecordset(QStringLiteral("SELECT Tip_doc_d, Doc_id_d, Periodo, Formulario, Anho, Importe FROM ")
                                   + clave.Tabla(kPerdidas) + clave.Filtro() + QStringLiteral(" ORDER BY ANHO"),
                               dao::dbOpenSnapshot, clave.Valores());
    return Lee(*rs);
}

FilasTabla CopiaPerdidas(dao::Database& db, const ClaveDeclaracion& clave)
{
    return Lee(*LeeFilas(db, kPerdidas, clave));
}

ResultadoPerdida GrabaPerdida(dao::Database& db, const ClaveDeclaracion& clave, const QString& anho,
                              const QString& importe, bool nueva, bool soloSinCabecera)
{
    // The key is tested under the write lock, so that a declaration another program
    // stores meanwhile never gets this row.
    dao::Transaccion t(db);
    if (soloSinCabecera && ExisteCabecera(db, clave))
        return ResultadoPerdida::DeclaracionAjena;
    auto rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + kPerdidas + FiltroAnho(clave), dao::dbOpenDynaset,
                               ValoresAnho(clave, anho));
    if (nueva) {
        if (!rs->Eof())
            return ResultadoPerdida::AnioRepetido;
        rs->AddNew();
        rs->Fields(QStringLiteral("doc_id_d")) = clave.Documento;
        rs->Fields(QStringLiteral("Tip_doc_d")) = clave.TipoDoc;
        rs->Fields(QStringLiteral("periodo")) = clave.Periodo;
        rs->Fields(QStringLiteral("Formulario")) = clave.Formulario;
        rs->Fields(QStringLiteral("Anho")) = anho;
    } else {
        if (rs->Eof())
            return ResultadoPerdida::NoEncontrada;
        rs->Edit();
    }
    rs->Fields(QStringLiteral("Importe")) = importe;
    rs->Fields(QStringLiteral("cNumero")) = zav::CalculaControl(*rs, 5);
    rs->Update();
    rs->Close();
    t.Confirma();
    return ResultadoPerdida::Grabada;
}

ResultadoPerdida BorraPerdida(dao::Database& db, const ClaveDeclaracion& clave, const QString& anho,
                              bool soloSinCabecera)
{
    dao::Transaccion t(db);
    if (soloSinCabecera && ExisteCabecera(db, clave))
        return ResultadoPerdida::DeclaracionAjena;
    const int borradas = db.Execute(QStringLiteral("DELETE FROM ") + kPerdidas + FiltroAnho(clave), dao::dbInconsistent,
                                    ValoresAnho(clave, anho));
    t.Confirma();
    return borradas > 0 ? ResultadoPerdida::Borrada : ResultadoPerdida::NoEncontrada;
}

void RestablecePerdidas(dao::Database& db, const PerdidasOriginales& p)
{
    db.Execute(QStringLiteral("DELETE FROM ") + kPerdidas + p.Clave.Filtro(), dao::dbInconsistent, p.Clave.Valores());
    if (p.Filas.Filas.empty() || !ExisteCabecera(db, p.Clave))
        return;
    const QString sql = QStringLiteral("INSERT INTO ") + kPerdidas + QStringLiteral(" (")
                        + p.Filas.Columnas.join(QLatin1Char(',')) + QStringLiteral(") VALUES (")
                        + QStringList(p.Filas.Columnas.size(), QStringLiteral("?")).join(QLatin1Char(','))
                        + QLatin1Char(')');
    for (const dao::Params& fila : p.Filas.Filas)
        db.Execute(sql, dao::dbFailOnError, fila);
}

} // namespace almacen
