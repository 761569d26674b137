// The general-data page: balance date and period, regime and its options, and the tabs.
// The handlers are wired to their controls; their behaviour comes with the identification
// page.
#include "declaration/Frm947.h"

#include "shell/Procedimientos.h"

void Frm947::Balance() {}
void Frm947::Presentacion() {}
void Frm947::Presentacion2013() {}
void Frm947::CboBalance_Click() {}
void Frm947::OptInicio_Click(int) {}
void Frm947::OptAnterior_Click(int) {}
void Frm947::OptPrecedente_Click(int) {}

int Frm947::OptAnterior_KeyPress(int, int KeyAscii)
{
    return KeyAscii;
}

int Frm947::OptPrecedente_KeyPress(int, int KeyAscii)
{
    return KeyAscii;
}

void Frm947::LblSistema_Change() {}
void Frm947::optRenta_Click(int) {}

int Frm947::optRenta_KeyPress(int, int KeyAscii)
{
    return KeyAscii;
}

void Frm947::OptPersona_Click(int) {}
void Frm947::OptUbicAmazonia_Click(int) {}
void Frm947::OptLeyAmazonia_Click(int) {}
void Frm947::OptDomFiscal_Click(int) {}
void Frm947::OptZona_Click(int) {}
void Frm947::OptActividad_Click(int) {}
void Frm947::OptFrontera_Click(int) {}
void Frm947::OptConvEstab_Click(int) {}
void Frm947::OptSuspPC_Click(int) {}
void Frm947::OptRectifica_Click(int) {}
void Frm947::CmdZona1_Click() {}
void Frm947::CmdZona2_Click() {}
void Frm947::cboTipDocRepLegal_Click() {}
void Frm947::Frm947_SSTab1_Click(int) {}
void Frm947::Frm947_SSTab1_GotFocus() {}
void Frm947::Frm947_SSTab2_GotFocus() {}
void Frm947::Frm947_SSTab3_GotFocus() {}
void Frm947::Frm947_SSTab4_Click(int) {}
void Frm947::Frm947_VScroll1_Change() {}
void Frm947::Frm947_VScroll1_Scroll() {}
