#pragma once
// Helpers shared by the checking, saving and leaving code of Frm947.
#include "almacen/ClaveDeclaracion.h"

#include <QString>

class Frm947;

namespace revision {

// The period "YYYYMM" the save and the registration use: the year of gPeriodo and the
// month of the chosen balance date; "" when none is chosen.
QString PeriodoGrabacion(const Frm947& f);

// The key of the stored declaration of the document and period (form gFormulario).
almacen::ClaveDeclaracion Clave(const QString& documento, const QString& periodo);
// The key of the window's loss rows of a document: the chosen sending's in sent mode.
almacen::ClaveDeclaracion ClavePerdidas(const QString& documento);

// A stored declaration (a CAB row) has the key.
bool ExisteCab(const QString& documento, const QString& periodo);

// What refuses a new declaration of a key already stored, with the balance date of the
// window; `saltoDeLinea` puts the advice on a line of its own.
QString TextoDuplicada(const Frm947& f, bool saltoDeLinea);

// Sent-declarations mode: stores the order number typed on the window in HCAB.
void RegistraNumeroOrden(Frm947& f, const QString& periodo);

} // namespace revision

namespace revision {

// The whole number of a box's text through "###########0"; 0 when it is empty or no number.
double ImporteEntero(const QString& texto);

// Reloads the loss grid of the window with the key's loss rows as its unsaved changes
// leave them; returns their count.
int CargaPerdidas(Frm947& f, const almacen::ClaveDeclaracion& clave);

} // namespace revision
