#include "printing/MostrarPreliminar.h"

#include "platform/ui/ModalRunner.h"
#include "printing/frmPreview.h"
#include "shell/modulo/AppState.h"

void MostrarPreliminar(const QString& archivo, const QString& modo)
{
    frmPreview frm;
    App().gFrmPreview = &frm;
    struct Suelta {
        ~Suelta() { App().gFrmPreview = nullptr; }
    } suelta;
    frm.Archivo = archivo;
    if (modo == QLatin1String("Vprevia"))
        zav::RunModal(frm);
    else
        frm.pDesencripta(archivo, modo);
}
