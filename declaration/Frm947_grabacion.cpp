// Checking, saving and leaving the declaration window.
#include "declaration/Frm947.h"

#include "common/Clock.h"
#include "common/Runtime.h"

using zav::Mid;
using zav::Right;
using zav::Trim;
using zav::Val;

// The date of form 5136 is complete, a real month, and not before this year.
bool Frm947::ValidaPeriodo()
{
    const QString texto = MkePeriodo->Text();
    if (texto.contains(QLatin1Char('_')))
        return false;
    const QString aaaammdd = Right(texto, 4) + Mid(texto, 4, 2) + Mid(texto, 1, 2);
    if (!zav::IsNumeric(aaaammdd) || Val(aaaammdd) <= 0)
        return false;
    if (aaaammdd < QString::number(zav::Today().year()) + QStringLiteral("0101"))
        return false;
    const double mes = Val(Trim(Mid(texto, 4, 2)));
    return mes >= 1 && mes <= 12;
}

// The identification pages' checks come with the checking of the declaration; until then
// nothing on them stops the user.
bool Frm947::ValidaContForm1()
{
    return true;
}

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
