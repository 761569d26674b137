// The order number and check code of a sent declaration, stored in its HCAB row.
#include "declaration/Frm947.h"
#include "declaration/Frm947_revision.h"

#include "almacen/AlmacenDeclaracion.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"

using zav::Len;
using zav::Trim;

void revision::RegistraNumeroOrden(Frm947& f, const QString& periodo)
{
    AppState& a = App();
    auto termina = [&f] {
        f.txtverifica->setFocus();
        zav::SetHourglass(false);
        f.mModificado = false;
    };
    const int largo = Len(f.txtOrden->Text());
    if (largo < 8 || largo > 10) {
        zav::MsgBox(QStringLiteral("     El número de orden no es válido"), 16, f.Caption());
        termina();
        return;
    }
    // The check code is hexadecimal; it is compared in upper case, as it is issued.
    if (!a.gUtil->ValidaNumeroOrden(a.gControl, Trim(f.txtOrden->Text()), Trim(f.txtverifica->Text()).toUpper())) {
        zav::MsgBox(QStringLiteral("     El digito Verificador es incorrecto"), 16, f.Caption());
        termina();
        return;
    }
    bool grabado = false;
    try {
        grabado = almacen::RegistraNumeroOrden(
            *a.gBaseDatos, almacen::ClaveDeclaracion::Envio(a.gRuc, periodo, a.gFormulario, a.gCorrel), f.txtOrden->Text());
    } catch (const dao::DaoError& e) {
        zav::SetHourglass(false);
        zav::MsgBox(QStringLiteral("El número de orden no fue grabado. Error (%1): %2").arg(e.Number).arg(e.Description),
                    16, f.Caption());
        // The number typed stays to be saved again; leaving still asks for it.
        f.txtverifica->setFocus();
        return;
    }
    if (grabado)
        zav::MsgBox(QStringLiteral("El número de orden y el digito verificador fueron grabados satisfactoriamente."), 48,
                    f.Caption());
    else
        zav::MsgBox(QStringLiteral("No se encontró la declaración enviada. El número de orden no fue grabado."), 16,
                    f.Caption());
    termina();
}
