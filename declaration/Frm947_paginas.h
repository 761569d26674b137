#pragma once
// Page changes of the declaration window's tab strips. A page the user brings forward is
// set up and guarded by the identification check; a page that code brings forward (a
// check sending the user back, a message pointing at a field) only runs the strip's
// own page handler.
class Frm947;
class QTabBar;
class QTabWidget;

// Brings the page forward as code: the strip's page handler runs, the check does not.
void PaginaPorCodigo(QTabWidget* tira, int pagina);

// True while PaginaPorCodigo is changing the strip's page.
bool CambioPorCodigo(const QTabWidget* tira);

// The page change in progress was made by the user: its tab bar has the focus (a click
// gives it the focus first; the arrow keys need it) or is being clicked, and no code is
// changing the page.
bool CambioDelUsuario(const QTabWidget* tira);

// A click or a key is reaching the tab bar. A click does not give it the focus while
// its window is not yet active again (just after a message box closed), yet it changes
// the page all the same.
void PulsacionEnBarra(QTabBar* barra);

// The user's page changes of the identification and financial-statements strips run
// their checks from the start, also when a click reaches the strip before any focus does.
void CablearCambiosDePagina(Frm947& f);
