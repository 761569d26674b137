#pragma once
// What the declaration report prints: the chosen declaration's boxes and the names and
// numbers of the print dialog's row. One declaration's load clears what another left.
#include "almacen/ClaveDeclaracion.h"

#include <QString>

#include <array>

struct EstadoImpresion {
    // Element n holds the value text of box n (1 to 899); "" when the box has no row.
    std::array<QString, 901> gValores;

    // The boxes the pages read by their own names.
    QString g601, g602, g605, g606, g607, g608, g609, g610;
    QString g804, g809, g810, g811, g813, g815, g816, g860;

    QString gTelefonoImp;       // box 28
    QString gRazonSocialImp;    // the taxpayer's name, from the dialog's row
    bool gEnviadaImp = false;   // a sent declaration is printed
    QString gNumOrdenImp;       // norden of HCAB
    QString gNumControlImp;     // the control column of the dialog's row
    int gTipoReporte = 0;       // 2: the declaration report

    // The box variable of a special box; nullptr for any other box.
    QString* Especial(int casilla);
    // The box values, special boxes, telephone and order number emptied.
    void LimpiaCasillas();
};

EstadoImpresion& Impresion();

// Back to a fresh state (tests).
void ReiniciaImpresion();

// The printed declaration: gRuc/gPeriodo/gFormulario, with gCorrel when gEnviadaImp.
almacen::ClaveDeclaracion ClaveImpresion();

// Loads the declaration gRuc/gPeriodo/gFormulario (with gCorrel from HCAB and HDET when
// gEnviadaImp, else from DET) into the print state. Box numbers outside 1 to 899 are
// ignored, and so is a value that ValorDesbordado finds: its box stays empty. Database
// errors (dao::DaoError) reach the caller with the state cleared.
void pConsulta();

// A stored amount as the pages print it: "" (an empty box) for one the declaration window
// leaves out too, one that no number can be or of 10^15 or more, which no box holds.
QString ImporteImprimible(const QString& valor);

// Page count of the report file archivo (bare name in gRutaRpt); 0 when it has none.
int NumRegistros(const QString& archivo);
