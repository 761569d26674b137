// Checking, saving and leaving the declaration window.
#include "declaration/Frm947.h"

#include "common/Clock.h"
#include "common/Runtime.h"

using zav::Mid;
using zav::Right;
using zav::Trim;
using zav::Val;

bool Frm947::ValidaDeclaracion()
{
    return true;
}

bool Frm947::DeclaracionCompleta()
{
    return true;
}

bool Frm947::pGrabaCasilla(const QString&, const QString&, const QString&, const QString&)
{
    return false;
}

void Frm947::CmdValidar_Click() {}

void Frm947::CmdGrabar_Click() {}

void Frm947::cmdCancelar_Click()
{
    Descargar();
}
