#pragma once
// A declaration filled in through the window as a user fills it (amounts typed and left,
// answers clicked, lists chosen), saved, and reopened through the stored-declarations
// list as Modificar opens it.
#include "GrabacionFixture.h"

#include "common/Runtime.h"
#include "platform/ui/ModalRunner.h"
#include "shell/FrmContAbrir.h"

#include <QTableView>

#include <functional>

class ReaperturaFixture : public GrabacionFixture {
protected:
    // Typed into a box and left, so that the box shows what leaving it shows.
    static void Teclea(Frm947& f, int n, const QString& texto)
    {
        f.mModelo.TxtValor_GotFocus(n);
        f.TxtValor.at(n)->SetText(texto);
        f.mModelo.TxtValor_LostFocus(n);
    }

    static void EligeItem(zav::ComboBox* combo, const std::function<bool(const QString&)>& es)
    {
        for (int i = 0; i < combo->ListCount(); ++i)
            if (es(combo->List(i))) {
                combo->SetListIndex(i);
                return;
            }
        ADD_FAILURE() << "no item";
    }

    static void Hoy(int anio)
    {
        zav::SetClockForTests([anio] { return QDateTime(QDate(anio, 9, 15), QTime(10, 30, 5)); });
    }

    // A new declaration of the year with the regime's own answers. Before 2013 a loss in
    // the previous year (percentage system "B") and the 31 January balance; from 2013 the
    // 31 July balance with the suspension answer given.
    Frm947& Llena(int regimen, int anio, bool suspension = false)
    {
        Hoy(anio);
        App().gPeriodo = QString::number(anio);
        Frm947& f = Abrir();
        LlenaEn(f, regimen, anio, suspension);
        return f;
    }

    // The same answers and amounts in a new declaration window already loaded.
    void LlenaEn(Frm947& f, int regimen, int anio, bool suspension = false)
    {
        Elegir(f, QString::fromLatin1(kRuc));
        f.TxtTelefono->SetText(QStringLiteral("4234567"));
        f.optRenta->SetValue(regimen, true);
        const QString anioTexto = QString::number(anio);
        switch (regimen) {
        case 0:
            f.OptPersona->SetValue(0, true);
            break;
        case 1:
            f.MkePeriodo->SetText(QStringLiteral("15/04/") + anioTexto);
            break;
        case 2:
            f.OptUbicAmazonia->SetValue(1, true);
            f.OptDomFiscal->SetValue(1, true);
            f.OptZona->SetValue(1, true);
            f.TxtUbigeo->SetText(QStringLiteral("160101"));
            break;
        case 3:
            f.OptActividad->SetValue(1, true);
            f.OptFrontera->SetValue(1, true);
            f.TxtUbigeo2->SetText(QStringLiteral("040101"));
            break;
        case 4:
            f.OptConvEstab->SetValue(2, true);
            f.TxtNumOrdenF7842->SetText(QStringLiteral("00012345"));
            break;
        case 5:
            f.OptPersona->SetValue(1, true);
            break;
        default:
            break;
        }
        f.OptInicio->SetValue(0, true);
        if (anio < 2013) {
            f.OptAnterior->SetValue(1, true);
            f.OptPrecedente->SetValue(0, true);
            f.CboBalance->SetListIndex(0);
        } else {
            f.OptAnterior->SetValue(0, true);
            f.OptPrecedente->SetValue(1, true);
            f.CboBalance->SetListIndex(1);
            f.OptSuspPC->SetValue(suspension ? 1 : 0, true);
            if (suspension) {
                f.txtNumRes->SetText(QStringLiteral("0123456789012"));
                f.mkefecnot->SetText(QStringLiteral("15/08/") + anioTexto);
            }
        }
        Teclea(f, 500, QStringLiteral("1000"));
        Teclea(f, 503, QStringLiteral("250"));
        Teclea(f, 508, QStringLiteral("50"));
        Teclea(f, 532, QStringLiteral("400"));
        Teclea(f, 544, QStringLiteral("800"));
        Teclea(f, 461, QStringLiteral("5000"));
        Teclea(f, 462, QStringLiteral("3000"));
        Teclea(f, 468, QStringLiteral("0"));
        Teclea(f, 469, QStringLiteral("150"));
        Teclea(f, 476, QStringLiteral("70"));
        if (regimen == 4)
            Teclea(f, 113, QStringLiteral("1500"));
        if (regimen == 5)
            Teclea(f, 251, QStringLiteral("20"));
        Teclea(f, 208, QStringLiteral("20000000001"));
        EligeItem(f.CmbZona, [](const QString& item) { return item.endsWith(QLatin1String("15")); });
        Teclea(f, 211, QStringLiteral("01234"));
        f.TxtNombreA->SetText(QStringLiteral("PEREZ GOMEZ"));
        f.TxtNombreN->SetText(QStringLiteral("ANA MARIA"));
        EligeItem(f.cboTipDocRepLegal, [](const QString& item) { return item.startsWith(QLatin1String("01")); });
        Teclea(f, 226, QStringLiteral("07654321"));
        f.txtApellidoRL->SetText(QStringLiteral("TORRES DIAZ"));
        f.txtNombreRL->SetText(QStringLiteral("LUIS ALBERTO"));
        msgs_->Clear();
    }

    // What the window shows: every box, list, answer and identification text.
    static std::map<QString, QString> Estado(const Frm947& f)
    {
        std::map<QString, QString> e;
        for (int n : f.mCasillas)
            e[QStringLiteral("box %1").arg(n)] = f.TxtValor.at(n)->Text();
        const std::pair<const char*, const zav::OptionArray*> opciones[] = {
            {"optRenta", f.optRenta},           {"OptPersona", f.OptPersona},
            {"OptUbicAmazonia", f.OptUbicAmazonia}, {"OptLeyAmazonia", f.OptLeyAmazonia},
            {"OptDomFiscal", f.OptDomFiscal},   {"OptZona", f.OptZona},
            {"OptActividad", f.OptActividad},   {"OptFrontera", f.OptFrontera},
            {"OptConvEstab", f.OptConvEstab},   {"OptSuspPC", f.OptSuspPC},
            {"OptInicio", f.OptInicio},         {"OptAnterior", f.OptAnterior},
            {"OptPrecedente", f.OptPrecedente}, {"OptRectifica", f.OptRectifica}};
        for (const auto& [nombre, o] : opciones)
            e[QString::fromLatin1(nombre)] = QString::number(o->Chosen());
        const std::pair<const char*, const zav::ComboBox*> listas[] = {
            {"CboBalance", f.CboBalance}, {"CmbZona", f.CmbZona}, {"cboTipDocRepLegal", f.cboTipDocRepLegal}};
        for (const auto& [nombre, c] : listas)
            e[QString::fromLatin1(nombre)] = QString::number(c->ListIndex());
        const std::pair<const char*, const zav::EditBase*> textos[] = {
            {"TxtNumRuc", f.TxtNumRuc},       {"TxtTelefono", f.TxtTelefono},
            {"TxtEjercicio", f.TxtEjercicio}, {"MkePeriodo", f.MkePeriodo},
            {"TxtUbigeo", f.TxtUbigeo},       {"TxtUbigeo2", f.TxtUbigeo2},
            {"TxtNumOrdenF7842", f.TxtNumOrdenF7842}, {"txtNumRes", f.txtNumRes},
            {"mkefecnot", f.mkefecnot},       {"TxtNombreA", f.TxtNombreA},
            {"TxtNombreN", f.TxtNombreN},     {"txtApellidoRL", f.txtApellidoRL},
            {"txtNombreRL", f.txtNombreRL}};
        for (const auto& [nombre, t] : textos)
            e[QString::fromLatin1(nombre)] = t->Text();
        // A new declaration shows the name as its list item gives it (after three blanks).
        e[QStringLiteral("TxtRazon")] = zav::Trim(f.TxtRazon->Text());
        e[QStringLiteral("LblSistema")] = f.LblSistema->Caption();
        e[QStringLiteral("LblPresentacion")] = f.LblPresentacion->Caption();
        e[QStringLiteral("gSistema")] = App().gSistema;
        return e;
    }

    // Opens the stored-declarations list as Modificar does, moves to the declaration and
    // presses its action; `enVentana` runs on the reopened declaration window.
    void Reabre(const QString& ruc, const QString& periodo, const std::function<void(Frm947&)>& enVentana)
    {
        FrmContAbrir lista;
        lista.Modo = 1;
        lista.FrmContAbrir_Form_Load();
        bool abierta = false;
        for (int i = 0; i < lista.Modelo()->rowCount(); ++i)
            if (lista.Modelo()->Texto(i, 0) == ruc && lista.Modelo()->Texto(i, 2) == periodo)
                lista.grdContrib->setCurrentIndex(lista.Modelo()->index(i, 0));
        zav::ModalRunnerScope runner([&](QDialog& dlg) {
            if (auto* f = qobject_cast<Frm947*>(&dlg)) {
                abierta = true;
                // The window shows as its activation leaves it.
                f->Frm947_Form_Activate();
                enVentana(*f);
            }
            return 0;
        });
        lista.FrmContAbrir_CmdOpciones_Click(0);
        EXPECT_TRUE(abierta);
    }
};
