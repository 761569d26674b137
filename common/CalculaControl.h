#pragma once
// Row check value: the six characters stored in cNumero of every declaration row.
#include "platform/db/Variant.h"

#include <QString>

namespace dao { class Recordset; }

namespace zav {

// Computed from the row in the record set's current (edit) buffer; k leading fields
// form the key. The last field is cNumero itself and takes no part.
QString CalculaControl(dao::Recordset& rs, int k);
// The same over a row's values in column order, each of its column's kind, cNumero last.
QString CalculaControl(const dao::Params& campos, int k);

} // namespace zav
