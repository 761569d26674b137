#pragma once
// Registration of a new report file in SPOOL, shared by KZ947 and the batch receipt
// generator: both number from the same table.
#include "platform/db/Variant.h"

#include <QString>

#include <functional>

namespace dao { class Database; }

namespace rpt {

inline constexpr const char* kCodDeclaracion = "RCP001";
inline constexpr const char* kCodConstancia = "RCP002";

struct ArchivoSpool {
    QString Nombre;   // eight digits and ".PRN"
    QString Ruta;     // Nombre in the report folder (resolved whatever the folder's case)
};

// Writes a new report file of codRep and stores its SPOOL row: the next Secuencia of the
// code ("000000"), the next file number over the whole table ("00000000.PRN"), the current
// date and time, usuario, tipDoc and docId as given (the columns convert them). In one
// write transaction the number is drawn, escribe writes the file of that name whole (it
// must raise when it cannot; ArchivoReporte and ArchivoAtomico write under a temporary
// name and rename), and only then the row is stored and committed; so two programs never
// draw the same name, and a row never names a file that is missing or cut. On any failure
// the transaction is rolled back, the file removed, and the error (dao::DaoError, or the
// writer's own) reaches the caller. A file name that does not start with eight digits,
// or a sequence that is not all digits, takes no part in the numbering. A database still
// busy after the engine's wait is tried twice more before anything is written.
using EscritorReporte = std::function<void(const ArchivoSpool&)>;
ArchivoSpool RegistraSpool(dao::Database& db, const QString& carpeta, const QString& codRep,
                           const QString& usuario, const dao::Variant& tipDoc, const QString& docId,
                           const EscritorReporte& escribe);

} // namespace rpt
