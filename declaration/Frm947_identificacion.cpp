// The general-data page: balance date and period, regime and its options, and the tabs.
#include "declaration/Frm947.h"
#include "declaration/Frm947_paginas.h"

#include "common/Clock.h"
#include "common/Runtime.h"
#include "declaration/amounts/Importes.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"
#include "shell/modulo/frmUbigeo.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

using zav::Left;
using zav::Mid;
using zav::Right;
using zav::Trim;
using zav::Val;

// ---- page changes by code and by the user ----------------------------------------------------

void PaginaPorCodigo(zav::TabStrip* tira, int pagina)
{
    tira->setCurrentIndex(pagina);
}

bool CambioDelUsuario(const zav::TabStrip* tira)
{
    return tira->UserChange();
}

namespace {

const QString kAyudaObligatoria = QStringLiteral("El registro de esta información es de caracter obligatorio");
const QString kAyudaObligatoria1 = QStringLiteral("en los conceptos que le correspondan.");
const QString kAyudaImportes = QStringLiteral("Anotar los importes en nuevos soles sin considerar centimos.");

// The help file topic of the main strip's page (its HelpContextID).
void TemaAyuda(Frm947& f, int tema)
{
    f.SSTab1->setProperty("HelpContextID", tema);
}

QString Blancos(int n)
{
    return QString(n, QLatin1Char(' '));
}

// The headings and the date phrase of a balance date. The 30 April and 31 January
// headings are one blank shorter before the date than the 31 July and 30 June ones.
void PonTitulos(Frm947& f, const QString& fecha, bool largo)
{
    const int extra = largo ? 1 : 0;
    f.mTituloBalance = QStringLiteral("I. Balance General") + Blancos(53) + QStringLiteral("Valor") +
        Blancos(89 + extra) + fecha;
    f.mTituloBalance2 = QStringLiteral("I. Balance General") + Blancos(43 + extra) + QStringLiteral("Valor") +
        Blancos(77 + extra) + fecha;
    f.mTituloResultados = QStringLiteral("II. Estado de Ganancias y Pérdidas") + Blancos(24 - extra) + fecha;
    f.mFechaBalance = QLatin1Char(' ') + fecha + QLatin1Char(' ');
}

// The period of a balance date: the current year and the month. A 31 July or 30 June
// balance chosen in January is last year's, and is only chosen so on a new declaration.
// A stored declaration keeps the period it was stored under: rebuilding it from today
// would save it again as another year's declaration.
void PonPeriodo(Frm947& f, const char* mes, bool finDeAnio)
{
    if (f.Modo == 1)
        return;
    if (finDeAnio && !f.OptInicio->Enabled(0))
        return;
    const QDate hoy = zav::Today();
    int anio = hoy.year();
    if (finDeAnio && hoy.month() == 1)
        anio -= 1;
    App().gPeriodo = QString::number(anio) + QString::fromLatin1(mes);
}

// The prior results are answered, or there are none because activities started this year.
bool Contestado(const Frm947& f)
{
    return (f.OptAnterior->Chosen() >= 0 && f.OptPrecedente->Chosen() >= 0) || f.OptInicio->Value(1);
}

bool Cargando(const Frm947& f)
{
    return App().gCargando || f.mCargando;
}

// Suspension answered "No" and its frame hidden.
void SinSuspension(Frm947& f)
{
    f.OptSuspPC->SetValue(0, true);
    f.OptSuspPC_Click(0);
    f.FrameSusPC->setVisible(false);
}

// The period shown, the status bar and the tax of the period.
void ColaPresentacion(Frm947& f)
{
    const AppState& a = App();
    if (a.gPeriodo.size() > 4)
        f.TxtEjercicio->SetText(Right(a.gPeriodo, 2) + QLatin1Char('/') + Left(a.gPeriodo, 4));
    else
        f.TxtEjercicio->SetText(QString());
    ActualizaBarraEstado(f.RucDeLista(), Trim(f.TxtRazon->Text()), a.gPeriodo, a.gFormulario);
    f.Calcular113();
}

void Limpiar(zav::OptionArray* o, bool enabled)
{
    o->Clear();
    o->SetEnabled(enabled);
}

// Either Amazonía answer "Si" opens the question on the fiscal domicile, unanswered, with
// its zone and place code still to come.
void AbrePreguntaDomicilio(Frm947& f)
{
    f.Frame20->setEnabled(true);
    f.Frame28->setEnabled(true);
    f.Label1[13]->SetEnabled(true);
    Limpiar(f.OptDomFiscal, true);
    Limpiar(f.OptZona, false);
    f.CmdZona1->setEnabled(false);
    f.TxtUbigeo->SetText(QString());
    f.Label1[14]->SetEnabled(true);
}

void Mostrar(QWidget* w, bool on)
{
    w->setVisible(on);
    w->setEnabled(on);
}

// What a page of the main strip needs once the user has brought it forward: an
// identification page complete enough to leave, the headings of the balance date, the
// page's frames and its first field.
void PreparaPaginaSSTab1(Frm947& f)
{
    zav::SetHourglass(true);
    if (QPushButton* b = f.cmdPerdida[0])
        b->setDefault(false);
    const int pagina = f.SSTab1->currentIndex();
    if (pagina == 0) {
        if (!f.mOmitirValidacion && !f.ValidaContForm1())
            return;
        f.mOmitirValidacion = false;
        for (int i : {1, 2, 5})
            f.Frame1[i]->setVisible(true);
        TemaAyuda(f, 1018);
    } else if (pagina >= 1 && pagina <= 3) {
        if (!f.ValidaContForm1())
            return;
        f.lblTab2[41]->SetCaption(f.mTituloBalance);
        f.lblTab2[168]->SetCaption(f.mTituloBalance);
        f.lblTab2[98]->SetCaption(f.mTituloBalance2);
        f.lblTab2[90]->SetCaption(f.mTituloBalance2);
        f.lblTab2[100]->SetCaption(f.mTituloResultados);
        if (pagina == 1) {
            QCoreApplication::processEvents();
            for (int i : {1, 6, 7}) {
                f.Frame1[i]->setVisible(false);
                f.Frame1[i]->setVisible(true);
            }
        } else if (pagina == 2) {
            f.Frame1[2]->setVisible(true);
            if (f.TxtValor[103]->Enabled())
                f.TxtValor[103]->setFocus();
        } else {
            QCoreApplication::processEvents();
            f.SSTab4->setFocus();
            QCoreApplication::processEvents();
            f.Frame1[5]->setVisible(false);
            f.Frame1[5]->setVisible(true);
            QCoreApplication::processEvents();
            if (f.TxtNombreA->Enabled())
                f.TxtNombreA->setFocus();
        }
    }
    zav::SetHourglass(false);
}

// The panels of the assets page: boxes 500-515 at the top position, 516-531 at any other.
// Both panels share one place in the page's layout.
void PanelesActivo(Frm947& f)
{
    const bool arriba = f.VScroll1->value() == 1;
    f.Frame26->setVisible(arriba);
    f.Frame34->setVisible(!arriba);
}

} // namespace

// ---- balance date and period -----------------------------------------------------------------

void Frm947::Balance()
{
    const bool antes2013 = AnioPeriodo(App().gPeriodo) < 2013;
    const bool ambos = OptAnterior->Chosen() >= 0 && OptPrecedente->Chosen() >= 0;
    if (antes2013) {
        if (ambos && OptAnterior->Value(0)) {
            CboBalance->SetEnabled(false);
            CboBalance->SetBackColor(zav::kColorGris);
            CboBalance->SetListIndex(1);
            LblSistema->SetCaption(QStringLiteral("A"));
            LblPresentacion->SetCaption(QStringLiteral("Vencimiento del periodo 12"));
        } else if (ambos) {
            CboBalance->SetEnabled(true);
            CboBalance->SetBackColor(zav::kColorBlanco);
            CboBalance->SetListIndex(-1);
            LblSistema->SetCaption(QStringLiteral("B"));
            LblPresentacion->SetCaption(QString());
        } else {
            CboBalance->SetEnabled(true);
            CboBalance->SetBackColor(zav::kColorBlanco);
            LblSistema->SetCaption(QString());
            LblPresentacion->SetCaption(QString());
        }
        const QString sistema = LblSistema->Caption();
        if (sistema == QLatin1String("A"))
            mModelo.PonTexto(610, FormatoCoeficiente(mModelo.Texto(610), kMascaraCoefA));
        else if (sistema == QLatin1String("B"))
            mModelo.PonTexto(610, FormatoCoeficiente(mModelo.Texto(610), kMascaraCoefB));
        return;
    }
    CboBalance->SetEnabled(true);
    CboBalance->SetBackColor(zav::kColorBlanco);
    if (ambos) {
        CboBalance->SetListIndex(-1);
    } else {
        LblSistema->SetCaption(QString());
        LblPresentacion->SetCaption(QString());
    }
}

void Frm947::Presentacion()
{
    LblPresentacion->SetCaption(QString());
    if (Contestado(*this)) {
        const int i = CboBalance->ListIndex();
        if (i == 0) {
            LblPresentacion->SetCaption(QStringLiteral("Vencimiento del periodo 06"));
            PonTitulos(*this, QStringLiteral("al 31 de Enero"), false);
            PonPeriodo(*this, "01", false);
        } else if (i == 1) {
            LblPresentacion->SetCaption(QStringLiteral("Vencimiento del periodo 12"));
            PonTitulos(*this, QStringLiteral("al 30 de Junio"), true);
            PonPeriodo(*this, "06", true);
        } else {
            LblPresentacion->SetCaption(QString());
            TxtEjercicio->SetText(QString());
        }
    }
    ColaPresentacion(*this);
}

void Frm947::Presentacion2013()
{
    LblPresentacion->SetCaption(QString());
    if (Contestado(*this)) {
        const int i = CboBalance->ListIndex();
        if (i == 0) {
            PonTitulos(*this, QStringLiteral("al 30 de Abril"), false);
            PonPeriodo(*this, "05", false);
        } else if (i == 1) {
            PonTitulos(*this, QStringLiteral("al 31 de Julio"), true);
            PonPeriodo(*this, "08", true);
        } else {
            LblPresentacion->SetCaption(QString());
            TxtEjercicio->SetText(QString());
        }
    }
    ColaPresentacion(*this);
}

void Frm947::CboBalance_Click()
{
    AppState& a = App();
    if (AnioPeriodo(a.gPeriodo) < 2013) {
        Presentacion();
        return;
    }

    // A small business whose income does not pass 300 tax units has no 30 April balance.
    // A stored declaration being restored keeps the date it was stored with.
    if (optRenta->Value(5) && CboBalance->ListIndex() == 0 && !Cargando(*this)) {
        bool importes = false;
        for (int n : {461, 462, 473, 475, 477, 433})
            if (!Trim(mModelo.Texto(n)).isEmpty())
                importes = true;
        if (importes) {
            const double ingreso = IngresoNetos();
            if (300 * ValorUIT(mUIT) >= ingreso) {
                zav::MsgBox(QStringLiteral("No puede presentar balance al 30 de Abril "), 16, Caption());
                CboBalance->SetListIndex(-1);
            }
        }
    }

    if (Contestado(*this)) {
        const int i = CboBalance->ListIndex();
        if (i == 0) {
            PonTitulos(*this, QStringLiteral("al 30 de Abril"), false);
            PonPeriodo(*this, "05", false);
            SinSuspension(*this);
        } else if (i == 1) {
            PonTitulos(*this, QStringLiteral("al 31 de Julio"), true);
            FrameSusPC->setVisible(true);
        } else {
            SinSuspension(*this);
        }
    } else if (Left(CboBalance->Text(), 11) == QLatin1String("31 DE JULIO")) {
        FrameSusPC->setVisible(true);
    } else {
        SinSuspension(*this);
    }

    if (!a.gCargando)
        Presentacion2013();
}

void Frm947::OptInicio_Click(int Index)
{
    const bool cargando = App().gCargando;
    if (Index == 1) {
        for (zav::OptionArray* o : {OptAnterior, OptPrecedente})
            Limpiar(o, false);
        CboBalance->SetEnabled(true);
        CboBalance->SetBackColor(zav::kColorBlanco);
        if (!cargando)
            CboBalance->setFocus();
        LblSistema->SetCaption(QStringLiteral("B"));
    } else if (Index == 0) {
        Frame_ejercicio->setEnabled(true);
        OptAnterior->SetEnabled(true);
        OptPrecedente->SetEnabled(true);
        Frame_precedente->setEnabled(true);
        Frame_anterior->setEnabled(true);
        if (!cargando)
            if (QRadioButton* b = OptPrecedente->Button(0))
                b->setFocus();
        OptPrecedente->SetValue(0, false);
        LblSistema->SetCaption(QStringLiteral(" "));
    }
    CboBalance->SetListIndex(-1);
}

void Frm947::OptAnterior_Click(int)
{
    Balance();
    if (AnioPeriodo(App().gPeriodo) >= 2013) {
        if (!App().gCargando)
            Presentacion2013();
    } else {
        Presentacion();
    }
}

void Frm947::OptPrecedente_Click(int)
{
    Balance();
}

int Frm947::OptAnterior_KeyPress(int, int KeyAscii)
{
    if (KeyAscii == 13)
        EnviaTecla(QStringLiteral("TAB"));
    return KeyAscii;
}

int Frm947::OptPrecedente_KeyPress(int, int KeyAscii)
{
    if (KeyAscii == 13)
        EnviaTecla(QStringLiteral("TAB"));
    return KeyAscii;
}

// Box 610 follows the payment system.
void Frm947::LblSistema_Change()
{
    SincronizaRespuestas();
    App().gSistema = LblSistema->Caption();
    mModelo.LblSistema_Change();
}

// ---- regime and its options ------------------------------------------------------------------

void Frm947::optRenta_Click(int Index)
{
    if (mRegimen != 9 && mRegimen != Index) {
        const int r = zav::MsgBox(QStringLiteral("Va a cambiar de Régimen Tributario, se va a eliminar toda la "
                                                 "información no necesaria en la declaración, ¿Desea Continuar?"),
                                  292, QStringLiteral("Cambiar Régimen de Renta"));
        if (r == zav::vbNo) {
            // Choosing the previous regime again runs this handler for it, without asking.
            optRenta->SetValue(mRegimen, true);
            return;
        }
    }

    if (Index == 5) {
        frmMype->setVisible(true);
    } else {
        frmMype->setVisible(false);
        for (int n : {250, 251, 252, 253})
            mModelo.PonTexto(n, QString());
    }
    Mostrar(Frame_General, false);

    mRegimen = Index;
    const bool general = Index == 0 || Index == 5;
    const bool agrario = Index == 1;
    const bool amazonia = Index == 2;
    const bool frontera = Index == 3;
    const bool convenio = Index == 4;
    Mostrar(Frame_General, general);
    Mostrar(Frame15, agrario);
    Mostrar(lblTab1[0], agrario);
    Mostrar(MkePeriodo, agrario);
    for (QGroupBox* g : {Frame19, Frame21, Frame20, Frame28})
        Mostrar(g, amazonia);
    Mostrar(Frame13, frontera);
    Mostrar(Frame16, frontera);
    Mostrar(Frame14, convenio);
    if (agrario) {
        Label1[9]->SetEnabled(true);
        MkePeriodo->SetBackColor(zav::kColorBlanco);
        mModificado = true;
    }
    if (frontera)
        mModificado = true;

    Calcular113();
    if (Index == 5)
        Calcular250();
}

int Frm947::optRenta_KeyPress(int, int KeyAscii)
{
    if (KeyAscii == 13)
        EnviaTecla(QStringLiteral("TAB"));
    return KeyAscii;
}

// The tax rate depends on the person type.
void Frm947::OptPersona_Click(int)
{
    Calcular113();
}

void Frm947::OptUbicAmazonia_Click(int Index)
{
    if (App().gCargando)
        return;
    mUbicAmazonia.clear();
    if (Index == 1) {
        mUbicAmazonia = QStringLiteral("1");
        Limpiar(OptLeyAmazonia, false);
        Label1[12]->SetEnabled(false);
        Frame19->setEnabled(false);
        AbrePreguntaDomicilio(*this);
    } else if (Index == 0) {
        mUbicAmazonia = QStringLiteral("0");
        OptLeyAmazonia->SetEnabled(true);
        Label1[12]->SetEnabled(true);
        Frame19->setEnabled(true);
        Label1[13]->SetEnabled(false);
        Limpiar(OptDomFiscal, false);
        Limpiar(OptZona, false);
        CmdZona1->setEnabled(false);
        App().gUbigeo.clear();
        TxtUbigeo->SetText(QString());
        Label1[14]->SetEnabled(false);
    }
    mModificado = true;
    Calcular113();
}

void Frm947::OptLeyAmazonia_Click(int Index)
{
    if (App().gCargando)
        return;
    mLeyAmazonia.clear();
    if (Index == 1) {
        mLeyAmazonia = QStringLiteral("1");
        Frame21->setEnabled(false);
        Label1[17]->SetEnabled(false);
        Limpiar(OptUbicAmazonia, false);
        AbrePreguntaDomicilio(*this);
    } else if (Index == 0) {
        mLeyAmazonia = QStringLiteral("0");
        Frame21->setEnabled(true);
        Label1[17]->SetEnabled(true);
        OptUbicAmazonia->SetEnabled(true);
        App().gUbigeo.clear();
        TxtUbigeo->SetText(QString());
        Frame20->setEnabled(false);
        Frame28->setEnabled(false);
        Label1[13]->SetEnabled(false);
        Limpiar(OptDomFiscal, false);
        Limpiar(OptZona, false);
        CmdZona1->setEnabled(false);
        Label1[14]->SetEnabled(false);
    }
    mModificado = true;
    Calcular113();
}

void Frm947::OptDomFiscal_Click(int Index)
{
    if (App().gCargando)
        return;
    mDomFiscal.clear();
    if (Index == 1) {
        mDomFiscal = QStringLiteral("1");
        Label1[13]->SetEnabled(true);
        Label1[14]->SetEnabled(true);
        Limpiar(OptZona, true);
        CmdZona1->setEnabled(false);
    } else if (Index == 0) {
        mDomFiscal = QStringLiteral("0");
        App().gUbigeo.clear();
        TxtUbigeo->SetText(QString());
        Limpiar(OptZona, false);
        CmdZona1->setEnabled(false);
        Label1[14]->SetEnabled(false);
    }
    mModificado = true;
    Calcular113();
}

// A place code belongs to its zone: choosing another zone than the one recorded starts
// without one, so that no code picked for another zone (or another declaration, the
// picker's code being the program's) lands in this one.
void Frm947::OptZona_Click(int Index)
{
    if (App().gCargando)
        return;
    AppState& a = App();
    if (Index == 0 || Index == 1) {
        const QString zona = Index == 0 ? QStringLiteral("0") : QStringLiteral("1");
        if (mZona != zona)
            a.gUbigeo.clear();
        mZona = zona;
        TxtUbigeo->SetText(a.gUbigeo);
        CmdZona1->setEnabled(true);
    }
    Calcular113();
}

void Frm947::OptActividad_Click(int Index)
{
    if (App().gCargando)
        return;
    if (Index == 1) {
        Frame16->setEnabled(true);
        Label1[20]->SetEnabled(true);
        Label1[21]->SetEnabled(true);
        OptFrontera->SetEnabled(true);
        CmdZona2->setEnabled(true);
        TxtUbigeo->SetText(QString());
    } else if (Index == 0) {
        TxtUbigeo->SetText(QString());
        Frame16->setEnabled(false);
        Label1[20]->SetEnabled(false);
        Label1[21]->SetEnabled(false);
        Limpiar(OptFrontera, false);
        CmdZona2->setEnabled(false);
        TxtUbigeo2->SetText(QString());
    }
    Calcular113();
}

void Frm947::OptFrontera_Click(int Index)
{
    if (App().gCargando)
        return;
    App().gZona.clear();
    if (Index == 1) {
        CmdZona2->setEnabled(true);
    } else if (Index == 0) {
        TxtUbigeo2->SetText(QString());
        TxtUbigeo->SetText(QString());
        CmdZona2->setEnabled(false);
    }
    Calcular113();
}

void Frm947::OptConvEstab_Click(int Index)
{
    mConvenio.clear();
    if (Index >= 1 && Index <= 4) {
        mConvenio = QStringLiteral("1");
        TxtNumOrdenF7842->SetEnabled(true);
        TxtNumOrdenF7842->SetBackColor(zav::kColorBlanco);
        Label1[5]->SetEnabled(true);
        mModificado = true;
    }
    Calcular113();
}

void Frm947::OptSuspPC_Click(int Index)
{
    if (Index == 1) {
        txtNumRes->SetEnabled(true);
        txtNumRes->SetBackColor(zav::kColorBlanco);
        mkefecnot->SetEnabled(true);
        mkefecnot->SetBackColor(zav::kColorBlanco);
    } else if (Index == 0) {
        txtNumRes->SetText(QString());
        mkefecnot->SetText(QStringLiteral("__/__/____"));
        txtNumRes->SetEnabled(false);
        mkefecnot->SetEnabled(false);
        txtNumRes->SetBackColor(zav::kColorGris);
        mkefecnot->SetBackColor(zav::kColorGris);
    }
}

void Frm947::OptRectifica_Click(int) {}

void Frm947::CmdZona1_Click()
{
    AppState& a = App();
    if (OptZona->Value(0))
        a.gZona = QStringLiteral("1");
    else if (OptZona->Value(1))
        a.gZona = QStringLiteral("2");
    else
        a.gZona.clear();
    {
        frmUbigeo dlg(this);
        dlg.setWindowTitle(QStringLiteral("Ubigeo Zona ") + a.gZona);
        zav::RunModal(dlg);
    }
    TxtUbigeo->SetText(a.gUbigeo);
}

void Frm947::CmdZona2_Click()
{
    AppState& a = App();
    a.gZona = QStringLiteral("3");
    a.gUbigeo = TxtUbigeo2->Text();
    {
        frmUbigeo dlg(this);
        dlg.setWindowTitle(QStringLiteral("Ubigeo Zona ") + QStringLiteral("3"));
        zav::RunModal(dlg);
    }
    TxtUbigeo2->SetText(a.gUbigeo);
}

void Frm947::cboTipDocRepLegal_Click()
{
    if (App().gCargando)
        return;
    const QString item = cboTipDocRepLegal->Text();
    mModelo.PonTexto(225, Left(item, 2));
    mModelo.PonMaxLength(226, static_cast<int>(Val(Mid(item, 68, 2))));
    mModelo.PonTexto(226, QString());
    mModificado = true;
}

// ---- tabs and scrolling ----------------------------------------------------------------------

// The main strip changed page, by the user or by code: its help lines. A page the user
// brought forward is then set up, once its identification check passes.
void Frm947::Frm947_SSTab1_Click(int)
{
    TxtAyuda->SetForeColor(kColorNegro);
    TxtAyuda1->SetForeColor(kColorNegro);
    switch (SSTab1->currentIndex()) {
    case 0:
        TxtAyuda->SetText(kAyudaObligatoria);
        TxtAyuda1->SetText(kAyudaObligatoria1);
        TemaAyuda(*this, 1018);
        break;
    case 1:
        TxtAyuda->SetText(kAyudaImportes);
        TxtAyuda1->SetText(QString());
        TemaAyuda(*this, 1006);
        break;
    case 2:
        TxtAyuda->SetText(kAyudaImportes);
        TxtAyuda1->SetText(QString());
        TemaAyuda(*this, 1019);
        if (optRenta->Value(5))
            IngresoNetos();
        else
            frmMype->setVisible(false);
        break;
    case 3:
        TxtAyuda->SetText(kAyudaObligatoria);
        TxtAyuda1->SetText(kAyudaObligatoria1);
        TemaAyuda(*this, 1008);
        break;
    default:
        break;
    }
    if (CambioDelUsuario(SSTab1))
        PreparaPaginaSSTab1(*this);
}

// The strip's tab bar receives the focus before the page the user clicks comes forward,
// so that arrival sets nothing up: the page change that follows does. Called any other
// way (with the focus elsewhere), it sets up the page shown.
void Frm947::Frm947_SSTab1_GotFocus()
{
    if (SSTab1->tabBar()->hasFocus())
        return;
    PreparaPaginaSSTab1(*this);
}

// Leaving the general-data page needs a taxpayer, a phone of six characters or more (or
// none) and a regime.
void Frm947::Frm947_SSTab2_GotFocus()
{
    if (SSTab2->currentIndex() == 0)
        return;
    QString texto;
    QWidget* foco = nullptr;
    const int telefono = TxtTelefono->Text().size();
    if (RucDeLista().isEmpty() && Modo == 0) {
        texto = QStringLiteral("Debe seleccionar un Contribuyente.");
        foco = CmbRuc;
    } else if (telefono >= 1 && telefono <= 5) {
        texto = QStringLiteral("Ingrese su número de teléfono o un número de referencia.");
        foco = TxtTelefono;
    } else if (optRenta->Chosen() < 0) {
        texto = QStringLiteral("Debe señalar el regimen de renta");
        foco = TxtTelefono;
    } else {
        return;
    }
    PaginaPorCodigo(SSTab1, 0);
    PaginaPorCodigo(SSTab2, 0);
    zav::MsgBox(texto, 16, Caption());
    if (foco == CmbRuc || TxtTelefono->Enabled())
        foco->setFocus();
    zav::SetHourglass(false);
}

void Frm947::Frm947_SSTab3_GotFocus()
{
    if (SSTab3->currentIndex() == 2 && TxtValor[461]->Enabled())
        TxtValor[461]->setFocus();
}

// Only a page the user brings forward is set up and checked: the checks that move this
// strip themselves (the full check, a refused taxpayer number) must not be interrupted by
// the identification check and sent back to page 0.
void Frm947::Frm947_SSTab4_Click(int)
{
    if (!CambioDelUsuario(SSTab4))
        return;
    QCoreApplication::processEvents();
    PreparaPaginaSSTab1(*this);
    QCoreApplication::processEvents();
}

void Frm947::Frm947_VScroll1_Change()
{
    PanelesActivo(*this);
}

void Frm947::Frm947_VScroll1_Scroll()
{
    PanelesActivo(*this);
}
