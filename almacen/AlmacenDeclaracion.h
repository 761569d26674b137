#pragma once
// A declaration's rows in the shared database: its header (CAB, HCAB for a sending), its
// box rows (DET, HDET), its act rows and its tax-loss rows (F0947_PTCEA, HF0947_PTCEA).
// Every statement filters by the declaration's key (ClaveDeclaracion); every write that
// belongs together is one transaction. Database errors (dao::DaoError) reach the caller,
// with nothing half written.
#include "almacen/ClaveDeclaracion.h"

#include "platform/db/Variant.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace dao {
class Database;
class Recordset;
} // namespace dao

namespace almacen {

// Rows as they were read: the column names and each row's values in that order.
struct FilasTabla {
    QStringList Columnas;
    std::vector<dao::Params> Filas;
};

// ---- reading ------------------------------------------------------------------------------

// Every row of the key in a stored declaration's table ("CAB", "DET", ...; the history
// table for a sending), all columns, as a snapshot.
std::unique_ptr<dao::Recordset> LeeFilas(dao::Database& db, const QString& tabla, const ClaveDeclaracion& clave);
// The header row(s) of the key.
std::unique_ptr<dao::Recordset> LeeCabecera(dao::Database& db, const ClaveDeclaracion& clave);
int FilasCabecera(dao::Database& db, const ClaveDeclaracion& clave);
bool ExisteCabecera(dao::Database& db, const ClaveDeclaracion& clave);

// One box row: its code (Casilla) and its value (i_valor), as stored.
struct Casilla {
    QString Codigo;
    QString Valor;
};
// By the code's number (so that the answers of one page arrive in the order their
// handlers expect), or by the code's text, as the report has always read them.
enum class OrdenCasillas { Numero, Texto };
std::vector<Casilla> LeeCasillas(dao::Database& db, const ClaveDeclaracion& clave, OrdenCasillas orden);
// The value of one box; none when the box has no row.
std::optional<dao::Variant> ValorCasilla(dao::Database& db, const ClaveDeclaracion& clave, const QString& casilla);

// ---- saving -------------------------------------------------------------------------------

// A row just added to a stored declaration's table gets the key's four columns.
void PonClave(dao::Recordset& rs, const ClaveDeclaracion& clave);

// The loss changes a window keeps until it saves its declaration, by year: the amount the
// year is to hold, or none for a year taken out.
using CambiosPerdidas = std::map<QString, std::optional<QString>>;

struct FilaCasilla {
    QString Casilla;   // three-digit code
    QString Valor;     // in its stored form
};

struct Grabacion {
    ClaveDeclaracion Clave;      // of the header and of the deletes; the box rows take it trimmed
    bool Nueva = false;          // no header may exist yet; otherwise it must still exist
    QString FechaProceso;        // fec_pro, "dd/mm/yyyy"
    int Estado = 0;              // 0 complete, 9 saved with inconsistencies
    QString Rectifica;           // "1", "0" or ""
    CambiosPerdidas Perdidas;    // the window's loss changes, written before the count
    bool SinPerdidas = false;    // the loss rows go (box 108 empty or 0)
    // The box rows in the order they are written: they replace every row stored. A code
    // given twice keeps its first place and its last value.
    std::vector<FilaCasilla> Casillas;
    // The code whose row holds the number of loss rows the declaration keeps, counted
    // under the write lock (662).
    QString CasillaPerdidas;
};

struct ResultadoGrabacion {
    enum Tipo {
        Grabada,
        Duplicada,   // a new declaration whose key another program stored first: nothing written
        Borrada,     // a stored declaration deleted elsewhere: not brought back
    };
    Tipo Resultado = Grabada;
    int NumPerdidas = 0;   // the loss rows kept, when saved
};

// The header (its check value over 5 key fields), the box rows (6) and the loss rows in
// one transaction; the duplicate test and the test for a deleted header under its lock.
// Nothing of a loss row is written before: leaving a window unsaved has nothing to undo.
ResultadoGrabacion GrabaDeclaracion(dao::Database& db, const Grabacion& g);

// One box row of the key (taken trimmed), added or given its new value.
void GrabaCasilla(dao::Database& db, const ClaveDeclaracion& clave, const QString& casilla, const QString& valor);

// ---- deleting -----------------------------------------------------------------------------

// A stored declaration: its loss, act, box and header rows, in one transaction.
void BorraDeclaracion(dao::Database& db, const ClaveDeclaracion& clave);
// A sending (a key with its CORREL): its act, box, header and loss rows, in one transaction.
void BorraEnvio(dao::Database& db, const ClaveDeclaracion& clave);

// Leaving a declaration window: a header another program left unfinished (check value
// "0") goes with its box and act rows, in one transaction; whether it is unfinished is
// decided under the write lock. No transaction when there is nothing to do.
void Abandona(dao::Database& db, const ClaveDeclaracion& clave);

// ---- order number -------------------------------------------------------------------------

// Writes norden (and the check value over 6 key fields) in the sending's header; false
// when there is no such header.
bool RegistraNumeroOrden(dao::Database& db, const ClaveDeclaracion& envio, const QString& norden);

// ---- loss rows ----------------------------------------------------------------------------

int CuentaPerdidas(dao::Database& db, const ClaveDeclaracion& clave);
// Tip_doc_d, Doc_id_d, Periodo, Formulario, Anho, Importe, by year: the stored rows, with
// the changes given on top.
constexpr int kPerdidaAnho = 4;
constexpr int kPerdidaImporte = 5;
FilasTabla LeePerdidas(dao::Database& db, const ClaveDeclaracion& clave, const CambiosPerdidas& cambios = {});
// Rows as LeePerdidas gives them hold the year.
bool TienePerdida(const FilasTabla& perdidas, const QString& anho);
// Inside the caller's transaction: each year's row given its amount (added, or the one
// stored changed; its check value over 5 key fields) or deleted.
void GrabaCambiosPerdidas(dao::Database& db, const ClaveDeclaracion& clave, const CambiosPerdidas& cambios);

} // namespace almacen
