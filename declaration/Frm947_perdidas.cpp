// The page of tax losses of previous years. Wired to its controls; the behaviour comes
// with the loss page and its editor.
#include "declaration/Frm947.h"

void Frm947::Frm947_SSTab4_GotFocus() {}
void Frm947::Frm947_cmdPerdida_Click(int) {}
void Frm947::Frm947_grdPerdidaTributaria_RowColChange() {}
