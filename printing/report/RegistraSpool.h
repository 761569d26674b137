#pragma once
// Registration of a new report file in SPOOL, shared by KZ947 and the batch receipt
// generator: both number from the same table.
#include "platform/db/Variant.h"

#include <QString>

namespace dao { class Database; }

namespace rpt {

inline constexpr const char* kCodDeclaracion = "RCP001";
inline constexpr const char* kCodConstancia = "RCP002";

struct ArchivoSpool {
    QString Nombre;   // eight digits and ".PRN"
    QString Ruta;     // Nombre in the report folder (resolved whatever the folder's case)
};

// Stores the SPOOL row of a new report file of codRep: the next Secuencia of the code
// ("000000"), the next file number over the whole table ("00000000.PRN"), the current
// date and time, usuario, tipDoc and docId as given (the columns convert them). The
// maxima are read and the row stored in one write transaction, so two programs never
// draw the same name. A file name that does not start with eight digits, or a
// sequence that is not all digits, takes no part in the numbering. A database still
// busy after the engine's wait is tried twice more; database errors (dao::DaoError)
// then reach the caller and store nothing.
ArchivoSpool RegistraSpool(dao::Database& db, const QString& carpeta, const QString& codRep,
                           const QString& usuario, const dao::Variant& tipDoc, const QString& docId);

} // namespace rpt
