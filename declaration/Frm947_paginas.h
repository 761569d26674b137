#pragma once
// Page changes of the declaration window's tab strips. A page the user brings forward (by
// a click, an access key, Ctrl+Tab or Ctrl+PageDown and their reverse, the arrows on a
// focused bar) is set up and guarded by the identification check; a page that code brings
// forward (a check sending the user back, a message pointing at a field) only runs the
// strip's own page handler.
namespace zav {
class TabStrip;
}

// Brings the page forward as code: the strip's page handler runs, the check does not.
void PaginaPorCodigo(zav::TabStrip* tira, int pagina);

// The page change being handled is the user's.
bool CambioDelUsuario(const zav::TabStrip* tira);
