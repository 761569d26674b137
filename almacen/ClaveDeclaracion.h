#pragma once
// The key of one declaration in the shared tables, or of one sending of it (the history
// tables, with its CORREL): the one filter every statement on its rows uses.
#include "platform/db/Variant.h"

#include <QString>

#include <optional>

namespace almacen {

struct ClaveDeclaracion {
    QString Documento;                    // DOC_ID_D, as given
    QString Periodo;                      // PERIODO, "YYYYMM"
    QString Formulario;                   // FORMULARIO, "0947"
    dao::Variant TipoDoc = 6;             // TIP_DOC_D; Null: any type (the receipt's box look-up)
    std::optional<QString> Correl;        // CORREL: a sending, in HCAB, HDET, ...
    std::optional<dao::Variant> Semana;   // SEMANA, only where the caller names the week

    static ClaveDeclaracion Guardada(const QString& documento, const QString& periodo, const QString& formulario);
    static ClaveDeclaracion Envio(const QString& documento, const QString& periodo, const QString& formulario,
                                  const QString& correl);

    bool EsEnvio() const { return Correl.has_value(); }
    // The table of a stored declaration's rows ("CAB", "DET", "ACTA", "F0947_PTCEA"), or
    // its history table for a sending.
    QString Tabla(const QString& guardada) const;
    // The WHERE clause on the document, the type, the period and the form, then CORREL
    // and SEMANA when the key names them; every value bound.
    QString Filtro() const;
    // The values of the filter's marks, in their order.
    dao::Params Valores() const;
};

} // namespace almacen
