#pragma once
// A full declaration filled in on the declaration window, for the timings that save it
// or open it again.
#include "declaration/Frm947.h"
#include "shell/modulo/AppState.h"

// An Amazonía declaration with a July balance and a suspension: the regime with the most
// fixed codes; every box that the calculations leave open holds an amount.
inline void Rellena(Frm947& f)
{
    f.CmbRuc->SetListIndex(0);
    for (int i = 0; i < f.CmbRuc->ListCount(); ++i)
        if (f.CmbRuc->List(i).startsWith(QStringLiteral("20100070970")))
            f.CmbRuc->SetListIndex(i);
    f.TxtTelefono->SetText(QStringLiteral("4234567"));
    f.optRenta->SetValue(2, true);
    f.OptUbicAmazonia->SetValue(1, true);
    f.OptLeyAmazonia->SetValue(1, true);
    f.OptDomFiscal->SetValue(1, true);
    f.OptZona->SetValue(0, true);
    f.TxtUbigeo->SetText(QStringLiteral("160101"));
    f.OptInicio->SetValue(0, true);
    f.OptAnterior->SetValue(0, true);
    f.OptPrecedente->SetValue(0, true);
    f.CboBalance->SetListIndex(1);
    App().gPeriodo = QStringLiteral("201408");
    f.OptSuspPC->SetValue(1, true);
    f.txtNumRes->SetText(QStringLiteral("0123456789012"));
    f.mkefecnot->SetText(QStringLiteral("15/08/2014"));
    int k = 1;
    for (int n : f.mCasillas)
        if (f.mModelo.Texto(n).isEmpty())
            f.mModelo.PonTexto(n, QString::number(100 + k++));
    f.mModelo.PonTexto(208, QStringLiteral("20000000001"));
    f.mModelo.PonTexto(209, QStringLiteral("15"));
    f.mModelo.PonTexto(226, QStringLiteral("07654321"));
    f.TxtNombreA->SetText(QStringLiteral("PEREZ GOMEZ"));
    f.TxtNombreN->SetText(QStringLiteral("ANA MARIA"));
    f.txtApellidoRL->SetText(QStringLiteral("TORRES DIAZ"));
    f.txtNombreRL->SetText(QStringLiteral("LUIS ALBERTO"));
}
