#pragma once
#include <QString>

// A fresh preview window for the report file archivo (bare name in gRutaRpt): shown
// modal for "Vprevia", otherwise printed through its pDesencripta without showing it.
void MostrarPreliminar(const QString& archivo, const QString& modo);
