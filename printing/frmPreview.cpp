#include "printing/frmPreview.h"

#include "common/Paths.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"

frmPreview::frmPreview(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPreview"));
}

void frmPreview::pDesencripta(const QString& archivo, const QString&)
{
    const zav::clsUtilitarios util;
    const QString ruta = zav::ResolvePath(zav::JoinPath(App().gRutaRpt, archivo));
    if (!(App().gUtil ? *App().gUtil : util).ArchivoExiste(ruta)) {
        zav::MsgBox(QStringLiteral("Archivo Físico del Reporte no Existe"), 16, QStringLiteral("Error al Imprimir"));
        return;
    }
}
