// Checks of the identification pages while the user works on them: one refusal at a
// time, each bringing its page forward and pointing at the missing answer.
#include "declaration/Frm947.h"
#include "declaration/Frm947_paginas.h"

#include "common/Clock.h"
#include "common/Runtime.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/Procedimientos.h"

#include <QDate>
#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

using zav::Left;
using zav::Mid;
using zav::Right;
using zav::Trim;
using zav::Val;

namespace {

// How a refusal moves the user: the page of the identification strip, whether the strip
// takes the focus before its page changes, and the control that takes it afterwards.
struct Rechazo {
    int pagina = 0;
    bool tiraAntes = false;
    QWidget* foco = nullptr;
};

bool Rechaza(Frm947& f, const QString& texto, const Rechazo& r)
{
    PaginaPorCodigo(f.SSTab1, 0);
    if (r.tiraAntes)
        f.SSTab2->setFocus();
    PaginaPorCodigo(f.SSTab2, r.pagina);
    zav::MsgBox(texto, 16, f.Caption());
    if (r.foco && r.foco->isEnabled())
        r.foco->setFocus();
    zav::SetHourglass(false);
    return false;
}

bool Ninguna(const zav::OptionArray* o)
{
    return o->Chosen() < 0;
}

} // namespace

// The date of form 5136 is complete, a real month, and not before this year.
bool Frm947::ValidaPeriodo()
{
    const QString texto = MkePeriodo->Text();
    if (texto.contains(QLatin1Char('_')))
        return false;
    const QString aaaammdd = Right(texto, 4) + Mid(texto, 4, 2) + Mid(texto, 1, 2);
    if (!zav::IsNumeric(aaaammdd) || Val(aaaammdd) <= 0)
        return false;
    if (aaaammdd < QString::number(zav::Today().year()) + QStringLiteral("0101"))
        return false;
    const double mes = Val(Trim(Mid(texto, 4, 2)));
    return mes >= 1 && mes <= 12;
}

bool Frm947::ValidaContForm1()
{
    // Taxpayer and phone.
    if (Modo == 0 && RucDeLista().isEmpty())
        return Rechaza(*this, QStringLiteral("Debe seleccionar un Contribuyente."), {0, false, CmbRuc});
    const QString telefono = TxtTelefono->Text();
    const int largo = telefono.size();
    if (largo >= 1 && largo <= 5)
        return Rechaza(*this, QStringLiteral("Ingrese su número de teléfono o un número de referencia."),
                       {0, false, TxtTelefono});
    const bool celular = telefono.startsWith(QLatin1Char('9'));
    if (largo == 8 && !celular)
        return Rechaza(*this,
                       QStringLiteral("El número ingresado debe ser de 7 digitos, o un celular de 8 o 7 digitos."),
                       {0, false, TxtTelefono});
    if (celular && largo < 7)
        return Rechaza(*this, QStringLiteral("El celular ingresado debe ser de 8 o 7 digitos."),
                       {0, false, TxtTelefono});

    // Regime and its details.
    const int regimen = optRenta->Chosen();
    if (regimen < 0)
        return Rechaza(*this, QStringLiteral("Debe señalar el regimen de renta"), {0, false, TxtTelefono});
    if (regimen == 0 && Ninguna(OptPersona))
        return Rechaza(*this, QStringLiteral("Seleccione el tipo de persona"), {1});
    if (regimen == 1) {
        const QString fecha = MkePeriodo->Text();
        if (!FechaNoPosterior(fecha))
            return Rechaza(*this, QStringLiteral("Registre la fecha correctamente."), {1, false, MkePeriodo});
        const bool valida = QDate::fromString(fecha, QStringLiteral("dd/MM/yyyy")).isValid();
        if (!ValidaPeriodo() || !valida || fecha == QLatin1String("__/__/____"))
            return Rechaza(*this,
                           QStringLiteral("El año de la fecha del formulario 5136 debe corresponder al año de "
                                          "la presentación"),
                           {1, false, MkePeriodo});
    }
    if (regimen == 2) {
        if (zav::Enabled(Frame19) && Ninguna(OptLeyAmazonia))
            return Rechaza(*this, QStringLiteral("Señale si tiene acogimiento a la ley de amazonía."),
                           {1, false, cmdCancelar});
        if (zav::Enabled(Frame21) && Ninguna(OptUbicAmazonia))
            return Rechaza(*this, QStringLiteral("Señale si esta ubicado en la amazonía."), {1, false, cmdCancelar});
        const bool ambasNo = OptLeyAmazonia->Value(0) && OptUbicAmazonia->Value(0);
        const bool algunaSi = OptLeyAmazonia->Value(1) || OptUbicAmazonia->Value(1);
        if (!ambasNo && algunaSi) {
            if (OptDomFiscal->Value(1)) {
                if (Ninguna(OptZona))
                    return Rechaza(*this, QStringLiteral("Señale la zona a la que corresponde su domicilio."),
                                   {1, false, cmdCancelar});
                if (TxtUbigeo->Text().isEmpty())
                    return Rechaza(*this, QStringLiteral("Señale el ubigeo al que corresponde su zona."),
                                   {1, false, CmdZona1});
            } else if (Ninguna(OptDomFiscal)) {
                return Rechaza(*this,
                               QStringLiteral("Indique si su domicilio fiscal se encuentra ubicado en la Amazonia y "
                                              "coincide con el lugar donde tiene su administración y "
                                              "contabilidad."),
                               {1, false, cmdCancelar});
            }
        }
    }
    if (regimen == 3) {
        if (Ninguna(OptActividad))
            return Rechaza(*this, QStringLiteral("Señale si se dedica a la actividad industrial."),
                           {1, false, cmdCancelar});
        if (OptActividad->Value(1)) {
            if (OptFrontera->Value(1) && TxtUbigeo2->Text().isEmpty())
                return Rechaza(*this, QStringLiteral("Señale el ubigeo al que corresponde la zona de frontera."),
                               {1, false, CmdZona2});
            if (Ninguna(OptFrontera))
                return Rechaza(*this,
                               QStringLiteral("Indique si su domicilio fiscal se encuentra ubicado en la Zona de "
                                              "frontera  y coincide con el lugar donde tiene su administración y "
                                              "contabilidad."),
                               {1, false, SSTab2});
        }
    }
    if (regimen == 4) {
        if (Ninguna(OptConvEstab)) {
            TxtNumOrdenF7842->SetEnabled(true);
            TxtNumOrdenF7842->SetBackColor(zav::kColorBlanco);
            return Rechaza(*this, QStringLiteral("Señale el tipo de convenio de estabilidad"),
                           {1, false, TxtNumOrdenF7842});
        }
        if (TxtNumOrdenF7842->Text().isEmpty())
            return Rechaza(*this, QStringLiteral("Registre correctamente el número de orden del formulario 7842"),
                           {1, false, TxtNumOrdenF7842});
    }

    // Start of activities, prior results and balance date.
    if (Ninguna(OptInicio))
        return Rechaza(*this, QStringLiteral("Señale el inicio de actividades en el ejercicio"), {2, true});
    if (OptInicio->Value(0) && Ninguna(OptPrecedente))
        return Rechaza(*this,
                       QStringLiteral("Indique si obtuvo utilidad o pérdida en el Ejercicio precedente al anterior"),
                       {2, true});
    if (OptInicio->Value(0) && Ninguna(OptAnterior))
        return Rechaza(*this, QStringLiteral("Indique si obtuvo utilidad o pérdida en el Ejercicio anterior"), {2});
    if (CboBalance->ListIndex() == -1 && !optRenta->Value(5))
        return Rechaza(*this,
                       QStringLiteral("Seleccione el mes al que debe corresponder la presentación del balance"),
                       {2, true});
    return true;
}
