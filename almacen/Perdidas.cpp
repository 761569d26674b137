// The tax-loss rows of a declaration, and the changes a window keeps for them until it
// saves the declaration.
#include "almacen/AlmacenDeclaracion.h"

#include "common/CalculaControl.h"
#include "platform/db/Database.h"

#include <algorithm>

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

FilasTabla LeePerdidas(dao::Database& db, const ClaveDeclaracion& clave, const CambiosPerdidas& cambios)
{
    auto rs = db.OpenRecordset(QStringLiteral("SELECT Tip_doc_d, Doc_id_d, Periodo, Formulario, Anho, Importe FROM ")
                                   + clave.Tabla(kPerdidas) + clave.Filtro() + QStringLiteral(" ORDER BY ANHO"),
                               dao::dbOpenSnapshot, clave.Valores());
    FilasTabla t = Lee(*rs);
    if (cambios.empty())
        return t;
    std::vector<dao::Params> filas;
    for (dao::Params& fila : t.Filas)
        if (!cambios.count(fila.at(kPerdidaAnho).toText()))
            filas.push_back(std::move(fila));
    for (const auto& [anho, importe] : cambios)
        if (importe)
            filas.push_back({clave.TipoDoc, clave.Documento, clave.Periodo, clave.Formulario, anho, *importe});
    std::stable_sort(filas.begin(), filas.end(), [](const dao::Params& a, const dao::Params& b) {
        return a.at(kPerdidaAnho).toText() < b.at(kPerdidaAnho).toText();
    });
    t.Filas = std::move(filas);
    return t;
}

bool TienePerdida(const FilasTabla& perdidas, const QString& anho)
{
    return std::any_of(perdidas.Filas.begin(), perdidas.Filas.end(),
                       [&anho](const dao::Params& f) { return f.at(kPerdidaAnho).toText() == anho; });
}

void GrabaCambiosPerdidas(dao::Database& db, const ClaveDeclaracion& clave, const CambiosPerdidas& cambios)
{
    for (const auto& [anho, importe] : cambios) {
        if (!importe) {
            db.Execute(QStringLiteral("DELETE FROM ") + kPerdidas + FiltroAnho(clave), dao::dbFailOnError,
                       ValoresAnho(clave, anho));
            continue;
        }
        // The year's row as the window last saw it, whoever wrote it since.
        auto rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + kPerdidas + FiltroAnho(clave),
                                   dao::dbOpenDynaset, ValoresAnho(clave, anho));
        if (rs->Eof()) {
            rs->AddNew();
            PonClave(*rs, clave);
            rs->Fields(QStringLiteral("Anho")) = anho;
        } else {
            rs->Edit();
        }
        rs->Fields(QStringLiteral("Importe")) = *importe;
        rs->Fields(QStringLiteral("cNumero")) = zav::CalculaControl(*rs, 5);
        rs->Update();
        rs->Close();
    }
}

} // namespace almacen
