#pragma once
// The only ways the declaration window, the print dialog and the preview are opened:
// each time a fresh window, shown modal, released when it closes.
#include "printing/MostrarPreliminar.h"

#include <QString>
#include <QStringList>

// Mode 0 new, 1 existing; in mode 1 datos holds the taxpayer's document and name.
void AbrirDeclaracion(int modo, const QStringList& datos = {});

// Stored or sent declarations, as gEnviadas says.
void ImprimirDeclaraciones(int = 0);
