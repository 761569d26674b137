// The silent completeness check of a save: it decides whether the declaration is stored
// as complete (estado 0) or with inconsistencies (estado 9).
#include "declaration/Frm947.h"
#include "declaration/Frm947_revision.h"

#include "common/Runtime.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"

#include <QGroupBox>
#include <QTabWidget>

using zav::Left;
using zav::Len;
using zav::Right;
using zav::Trim;
using zav::Val;

namespace {

bool Ninguna(const zav::OptionArray* o)
{
    return o->Chosen() < 0;
}

} // namespace

bool Frm947::DeclaracionCompleta()
{
    AppState& a = App();
    auto texto = [this](int n) { return mModelo.Texto(n); };
    auto vaciaRecortada = [this](int n) { return Trim(mModelo.Texto(n)).isEmpty(); };
    auto mensaje = [this](const QString& m) {
        zav::MsgBox(m, 16, Caption());
        return false;
    };

    const QString telefono = TxtTelefono->Text();
    if (Len(telefono) >= 1 && Len(telefono) <= 5)
        return false;
    if (!Trim(telefono).isEmpty() && Val(telefono) == 0)
        return false;
    if ((optRenta->Value(0) || optRenta->Value(5)) && Ninguna(OptPersona))
        return false;

    if (optRenta->Value(5)) {
        const double uit = Val(mUIT);
        if (Vale(253) > 0)
            return mensaje(QStringLiteral("No procede la suspensión de pagos a cuenta"));
        if (CboBalance->ListIndex() == 0 && IngresoNetos() <= 300 * uit)
            return mensaje(QStringLiteral("No puede presentar balance al 30 de Abril "));
        if (IngresoNetos() > 1700 * uit)
            return mensaje(QStringLiteral("Ingresos superan el límite establecido para el RMT, deberá presentar su "
                                          "declaración en el Régimen General "));
    }

    if (Val(Left(a.gPeriodo, 4)) >= 2013
        && (Right(a.gPeriodo, 2) == QLatin1String("01") || Right(a.gPeriodo, 2) == QLatin1String("06")))
        return false;
    if (Ninguna(optRenta)) {
        SSTab1->setCurrentIndex(0);
        SSTab2->setCurrentIndex(0);
        return false;
    }
    if (optRenta->Value(1) && MkePeriodo->Text() == QLatin1String("__/__/____"))
        return false;
    if (optRenta->Value(4)) {
        if (Ninguna(OptConvEstab))
            return false;
        if (Trim(TxtNumOrdenF7842->Text()).isEmpty() || Len(TxtNumOrdenF7842->Text()) != 8)
            return false;
    }
    if (optRenta->Value(2)) {
        const bool pagina2 = SSTab2->isTabEnabled(2);
        if (!Ninguna(OptZona) && Trim(TxtUbigeo->Text()).isEmpty())
            return false;
        if (zav::Enabled(Frame21) && pagina2 && Ninguna(OptUbicAmazonia))
            return false;
        if (pagina2 && OptUbicAmazonia->Value(0) && Ninguna(OptLeyAmazonia))
            return false;
        if (pagina2 && (OptLeyAmazonia->Value(1) || OptUbicAmazonia->Value(1))) {
            if (Ninguna(OptDomFiscal))
                return false;
            if (OptDomFiscal->Value(1) && Ninguna(OptZona))
                return false;
        }
    }
    if (optRenta->Value(3) && OptActividad->Value(1) && OptFrontera->Value(1) && TxtUbigeo2->Text().isEmpty())
        return false;

    auto todasVacias = [&](int desde, int hasta) {
        for (int n = desde; n <= hasta; ++n)
            if (!texto(n).isEmpty())
                return false;
        return true;
    };
    if (todasVacias(500, 530) || todasVacias(532, 542) || todasVacias(544, 553))
        return false;
    if (revision::ImporteEntero(texto(531)) != revision::ImporteEntero(texto(555)))
        return false;
    if (vaciaRecortada(113))
        return false;
    if (!vaciaRecortada(552) || !vaciaRecortada(553)) {
        bool resultados = false;
        for (int n : {461, 462, 464, 468, 469, 472, 473, 475, 476, 477, 478, 480, 481, 483, 486, 490})
            resultados = resultados || !vaciaRecortada(n);
        if (!resultados)
            return false;
    }
    if (!texto(478).isEmpty() && texto(477).isEmpty())
        return false;

    const QString t209 = Trim(texto(209));
    if ((!t209.isEmpty() && t209 != QLatin1String("00") && t209 != QLatin1String("26")) || !vaciaRecortada(208)
        || (!vaciaRecortada(211) && !vaciaRecortada(212))) {
        if (t209.isEmpty())
            return false;
        if (vaciaRecortada(211) && vaciaRecortada(212))
            return false;
    }

    if (OptPersona->Value(0)) {
        if (vaciaRecortada(225) || vaciaRecortada(226))
            return false;
        if (Left(cboTipDocRepLegal->Text(), 2) == QLatin1String("01") && Len(Trim(texto(226))) != 8)
            return false;
        if (Trim(txtApellidoRL->Text()).isEmpty() || Trim(txtNombreRL->Text()).isEmpty())
            return false;
    }

    const QString t108 = texto(108);
    if (t108 != QLatin1String("0") && !t108.isEmpty()) {
        const QString ruc = (Modo == 0 ? RucDeLista() : Trim(Left(TxtNumRuc->Text(), 11)));
        if (revision::CargaPerdidas(*this, revision::ClavePerdidas(ruc)) == 0)
            return false;
    }
    return true;
}
