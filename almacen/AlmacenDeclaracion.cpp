#include "almacen/AlmacenDeclaracion.h"

#include "common/CalculaControl.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/db/Transaccion.h"

#include <QHash>

#include <map>

namespace almacen {

namespace {

// The box rows of one key. A stored row is changed in the buffer of one updatable set;
// a new row is built from the set's columns (their kinds, limits and defaults, read once)
// and checked there, and the new rows then go in through one prepared insert, so that a
// save costs a few statements rather than several per box. A code written a second time
// replaces its row.
class FilasDet {
public:
    FilasDet(dao::Database& db, const ClaveDeclaracion& clave, const QString& casilla = QString())
        : db_(db), clave_(clave)
    {
        clave_.Documento = zav::Trim(clave.Documento);
        clave_.Periodo = zav::Trim(clave.Periodo);
        QString sql = QStringLiteral("SELECT * FROM DET") + clave_.Filtro();
        dao::Params p = clave_.Valores();
        if (!casilla.isEmpty()) {
            sql += QStringLiteral(" AND CASILLA=?");
            p.push_back(casilla);
        }
        rs_ = db_.OpenRecordset(sql, dao::dbOpenDynaset, p);
        int i = 0;
        for (; !rs_->Eof(); rs_->MoveNext())
            guardadas_[rs_->Fields(QStringLiteral("CASILLA")).Value().toText()] = i++;
        for (int c = 0; c < rs_->FieldCount(); ++c)
            columnas_ << rs_->Fields(c).Name();
        // Positions found once: a save writes some hundred rows through them.
        const auto columna = [this](const char* nombre) {
            const QString n = QLatin1String(nombre);
            for (int c = 0; c < columnas_.size(); ++c)
                if (columnas_.at(c).compare(n, Qt::CaseInsensitive) == 0)
                    return c;
            rs_->Fields(n);   // raises the engine's "item not found"
            return -1;
        };
        cDoc_ = columna("doc_id_d");
        cTip_ = columna("Tip_doc_d");
        cPer_ = columna("periodo");
        cForm_ = columna("Formulario");
        cCas_ = columna("Casilla");
        cValor_ = columna("i_valor");
        cId_ = columna("idcasilla");
        cNum_ = columna("cNumero");
    }

    void Graba(const QString& casilla, const QString& valor)
    {
        const auto guardada = guardadas_.find(casilla);
        if (guardada != guardadas_.end()) {
            rs_->setAbsolutePosition(guardada->second);
            rs_->Edit();
            rs_->Fields(cValor_) = valor;
            rs_->Fields(cId_) = kIdCasilla;
            rs_->Fields(cNum_) = zav::CalculaControl(*rs_, 6);
            rs_->Update();
            return;
        }
        if (plantilla_.empty())
            LeePlantilla();
        dao::Params fila = plantilla_;
        Pon(fila, cCas_, casilla);
        Pon(fila, cValor_, valor);
        Pon(fila, cId_, kIdCasilla);
        Pon(fila, cNum_, zav::CalculaControl(fila, 6));
        const auto pendiente = pendientes_.find(casilla);
        if (pendiente != pendientes_.end()) {
            filas_[*pendiente] = std::move(fila);
        } else {
            pendientes_[casilla] = filas_.size();
            filas_.push_back(std::move(fila));
        }
    }

    // Inserts the new rows.
    void Escribe()
    {
        if (!filas_.empty())
            db_.ExecuteRows(QStringLiteral("INSERT INTO DET (") + columnas_.join(QLatin1Char(','))
                                + QStringLiteral(") VALUES (")
                                + QStringList(columnas_.size(), QStringLiteral("?")).join(QLatin1Char(','))
                                + QLatin1Char(')'),
                            filas_);
        filas_.clear();
        pendientes_.clear();
    }

private:
    // What a new row of the key holds before its box is given: the columns' defaults
    // and the key, as the set's new-row buffer takes them.
    void LeePlantilla()
    {
        rs_->AddNew();
        rs_->Fields(cDoc_) = clave_.Documento;
        rs_->Fields(cTip_) = clave_.TipoDoc;
        rs_->Fields(cPer_) = clave_.Periodo;
        rs_->Fields(cForm_) = clave_.Formulario;
        for (int c = 0; c < columnas_.size(); ++c) {
            const dao::Field campo = rs_->Fields(c);
            plantilla_.push_back(campo.Value());
            tipos_.push_back({campo.Type(), campo.Size()});
        }
        rs_->CancelUpdate();
    }

    // A value stored in a column of a new row, converted to the column's kind as the
    // set's buffer converts it (a text too long for its column fails the same way).
    void Pon(dao::Params& fila, int c, const dao::Variant& v) const
    {
        const Tipo& t = tipos_[static_cast<size_t>(c)];
        fila[static_cast<size_t>(c)] = v.storedAs(t.kind, t.size);
    }

    struct Tipo {
        dao::Kind kind;
        int size;
    };
    inline static const QString kIdCasilla = QStringLiteral("01");

    dao::Database& db_;
    ClaveDeclaracion clave_;
    std::unique_ptr<dao::Recordset> rs_;
    QStringList columnas_;
    int cDoc_ = 0, cTip_ = 0, cPer_ = 0, cForm_ = 0, cCas_ = 0, cValor_ = 0, cId_ = 0, cNum_ = 0;
    std::map<QString, int> guardadas_;
    QHash<QString, size_t> pendientes_;   // the place of each new row, by code
    dao::Params plantilla_;
    std::vector<Tipo> tipos_;
    std::vector<dao::Params> filas_;
};

void Borra(dao::Database& db, const ClaveDeclaracion& clave, std::initializer_list<const char*> tablas)
{
    const dao::Params valores = clave.Valores();
    for (const char* tabla : tablas)
        db.Execute(QStringLiteral("DELETE FROM ") + clave.Tabla(QLatin1String(tabla)) + clave.Filtro(),
                   dao::dbInconsistent, valores);
}

} // namespace

// ---- reading ------------------------------------------------------------------------------

std::unique_ptr<dao::Recordset> LeeFilas(dao::Database& db, const QString& tabla, const ClaveDeclaracion& clave)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM ") + clave.Tabla(tabla) + clave.Filtro(), dao::dbOpenSnapshot,
                            clave.Valores());
}

std::unique_ptr<dao::Recordset> LeeCabecera(dao::Database& db, const ClaveDeclaracion& clave)
{
    return LeeFilas(db, QStringLiteral("CAB"), clave);
}

int FilasCabecera(dao::Database& db, const ClaveDeclaracion& clave)
{
    return LeeCabecera(db, clave)->RecordCount();
}

bool ExisteCabecera(dao::Database& db, const ClaveDeclaracion& clave)
{
    return FilasCabecera(db, clave) > 0;
}

void PonClave(dao::Recordset& rs, const ClaveDeclaracion& clave)
{
    rs.Fields(QStringLiteral("doc_id_d")) = clave.Documento;
    rs.Fields(QStringLiteral("Tip_doc_d")) = clave.TipoDoc;
    rs.Fields(QStringLiteral("periodo")) = clave.Periodo;
    rs.Fields(QStringLiteral("Formulario")) = clave.Formulario;
}

std::vector<Casilla> LeeCasillas(dao::Database& db, const ClaveDeclaracion& clave, OrdenCasillas orden)
{
    auto rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + clave.Tabla(QStringLiteral("DET")) + clave.Filtro()
                                   + (orden == OrdenCasillas::Numero ? QStringLiteral(" ORDER BY CAST(CASILLA AS INTEGER), CASILLA")
                                                                     : QStringLiteral(" ORDER BY Casilla")),
                               dao::dbOpenSnapshot, clave.Valores());
    std::vector<Casilla> filas;
    filas.reserve(rs->RecordCount());
    // Handles on the current row: found by name once, not on every row.
    const dao::Field codigo = rs->Fields(QStringLiteral("Casilla"));
    const dao::Field valor = rs->Fields(QStringLiteral("i_valor"));
    for (; !rs->Eof(); rs->MoveNext())
        filas.push_back({codigo.Value().toText(), valor.Value().toText()});
    return filas;
}

std::optional<dao::Variant> ValorCasilla(dao::Database& db, const ClaveDeclaracion& clave, const QString& casilla)
{
    dao::Params p = clave.Valores();
    p.push_back(casilla);
    auto rs = db.OpenRecordset(QStringLiteral("SELECT CASILLA, I_VALOR FROM ") + clave.Tabla(QStringLiteral("DET"))
                                   + clave.Filtro() + QStringLiteral(" AND CASILLA=?"),
                               dao::dbOpenSnapshot, p);
    if (rs->Eof())
        return std::nullopt;
    return rs->Fields(QStringLiteral("i_valor")).Value();
}

// ---- saving -------------------------------------------------------------------------------

ResultadoGrabacion GrabaDeclaracion(dao::Database& db, const Grabacion& g)
{
    const ClaveDeclaracion& clave = g.Clave;
    ResultadoGrabacion r;
    dao::Transaccion t(db);
    auto cab = db.OpenRecordset(QStringLiteral("SELECT * FROM CAB") + clave.Filtro(), dao::dbOpenDynaset, clave.Valores());
    // Tested under the write lock: another program may have stored the same new
    // declaration since the window looked, and its rows must not be replaced; a stored
    // declaration that another program deleted is not brought back half.
    if (g.Nueva && !cab->Eof()) {
        r.Resultado = ResultadoGrabacion::Duplicada;
        return r;
    }
    if (!g.Nueva && cab->Eof()) {
        r.Resultado = ResultadoGrabacion::Borrada;
        return r;
    }
    if (cab->Eof()) {
        cab->AddNew();
        PonClave(*cab, clave);
    } else {
        cab->Edit();
    }
    cab->Fields(QStringLiteral("fec_pro")) = g.FechaProceso;
    cab->Fields(QStringLiteral("estado")) = g.Estado;
    cab->Fields(QStringLiteral("rectifica")) = g.Rectifica;
    cab->Fields(QStringLiteral("cNumero")) = zav::CalculaControl(*cab, 5);
    cab->Update();
    cab->Close();

    Borra(db, clave, {"DET"});
    // Losses go before the rows, so that their count is what the declaration keeps.
    GrabaCambiosPerdidas(db, clave, g.Perdidas);
    if (g.SinPerdidas)
        Borra(db, clave, {"F0947_PTCEA"});
    r.NumPerdidas = CuentaPerdidas(db, clave);

    FilasDet det(db, clave);
    for (const FilaCasilla& f : g.Casillas)
        det.Graba(f.Casilla, f.Casilla == g.CasillaPerdidas ? QString::number(r.NumPerdidas) : f.Valor);
    det.Escribe();
    t.Confirma();
    return r;
}

void GrabaCasilla(dao::Database& db, const ClaveDeclaracion& clave, const QString& casilla, const QString& valor)
{
    FilasDet det(db, clave, casilla);
    det.Graba(casilla, valor);
    det.Escribe();
}

// ---- deleting -----------------------------------------------------------------------------

void BorraDeclaracion(dao::Database& db, const ClaveDeclaracion& clave)
{
    dao::Transaccion t(db);
    Borra(db, clave, {"F0947_PTCEA", "ACTA", "DET", "CAB"});
    t.Confirma();
}

void BorraEnvio(dao::Database& db, const ClaveDeclaracion& clave)
{
    dao::Transaccion t(db);
    Borra(db, clave, {"ACTA", "DET", "CAB", "F0947_PTCEA"});
    t.Confirma();
}

namespace {

bool SinTerminar(dao::Database& db, const ClaveDeclaracion& clave)
{
    auto cab = LeeCabecera(db, clave);
    return !cab->Eof() && cab->Fields(QStringLiteral("cNumero")).Value().toText() == QLatin1String("0");
}

} // namespace

void Abandona(dao::Database& db, const ClaveDeclaracion& clave)
{
    // Looked at first without the lock, so that leaving a finished declaration never waits
    // for another program; then again under it, since another program may have finished
    // the declaration meanwhile.
    if (!SinTerminar(db, clave))
        return;
    dao::Transaccion t(db);
    if (!SinTerminar(db, clave))
        return;
    Borra(db, clave, {"CAB", "DET", "ACTA"});
    t.Confirma();
}

// ---- order number -------------------------------------------------------------------------

bool RegistraNumeroOrden(dao::Database& db, const ClaveDeclaracion& envio, const QString& norden)
{
    auto rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + envio.Tabla(QStringLiteral("CAB")) + envio.Filtro(),
                               dao::dbOpenDynaset, envio.Valores());
    if (rs->Eof())
        return false;
    rs->Edit();
    rs->Fields(QStringLiteral("norden")) = norden;
    rs->Fields(QStringLiteral("cNumero")) = zav::CalculaControl(*rs, 6);
    rs->Update();
    rs->Close();
    return true;
}

} // namespace almacen
