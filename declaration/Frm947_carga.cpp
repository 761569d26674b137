// Loading, activation and closing of the declaration window; its help lines; the date of
// form 5136.
#include "declaration/Frm947.h"

#include "common/Runtime.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QGroupBox>
#include <QMessageBox>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

using zav::Left;
using zav::Len;
using zav::Trim;

namespace {

const QString kAyudaObligatoria = QStringLiteral("El registro de esta información es de caracter obligatorio");
const QString kAyudaObligatoria1 = QStringLiteral("en los conceptos que le correspondan.");
const QString kAyudaImportes = QStringLiteral("Anotar los importes en nuevos soles sin considerar centimos.");

} // namespace

void Frm947::Frm947_Form_Initialize()
{
    zav::SetHourglass(true);
    // Escape leaves through Salir from any field, also from one whose key filter would
    // drop it (and count it as an edit); an open list keeps it and only closes.
    auto* escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, [this] { reject(); });
}

void Frm947::Frm947_Form_Load()
{
    AppState& a = App();
    TxtEjercicio->SetBackColor(zav::kColorGris);

    mOmitirValidacion = true;
    a.gCargando = true;
    a.gSistema = QStringLiteral("0");
    mRegimen = 9;

    mUIT = getUIT();

    PosicionaFormulario(this, 0, 0, 6825, 9615);
    UbicaFormulario(this);
    zav::SetHourglass(true);

    a.gRespuesta.clear();
    a.gAccion = 0;

    SSTab1->setCurrentIndex(0);

    mCargando = true;

    mCasillas = CasillasModelo::mCasillas();

    CboBalance->Clear();
    if (AnioPeriodo(a.gPeriodo) >= 2013) {
        CboBalance->AddItem(QStringLiteral("30 DE ABRIL"));
        CboBalance->AddItem(QStringLiteral("31 DE JULIO"));
        Frame3->setVisible(false);
        SSTab2->setTabText(2, QStringLiteral(" Modalidad de pago a cuenta"));
        mModelo.PreparaCasillasDelAnio();
    } else {
        CboBalance->AddItem(QStringLiteral("31 DE ENERO"));
        CboBalance->AddItem(QStringLiteral("30 DE JUNIO"));
    }

    AnchoListaCombo(this, CboBalance, 15);
    AnchoListaCombo(this, cboTipDocRepLegal, 15);

    LlenaComboZona();

    CargaTiposDocumento(cboTipDocRepLegal, 82, true);

    SSTab4->setTabEnabled(1, false);

    pCargaIdent(Modo);

    VScroll1->setMaximum(15);
    VScroll1->setPageStep(15);
    VScroll1->setSingleStep(15);

    mCargando = false;

    if (a.gModoEnviadas) {
        Cargacab();
        DesTodo();
        txtOrden->SetVisible(true);
        txtverifica->SetVisible(true);
        lblNorden->setVisible(true);
        lblGuion->setVisible(true);
        if (Len(Trim(a.gNumOrden)) == 8)
            txtverifica->SetText(CodigoVerificacion(a.gControl, a.gNumOrden));
    }

    if (Modo != 0) {
        // The answers that fixed the period stay as stored.
        CongelaPeriodo();
        FrameSusPC->setEnabled(false);
        txtNumRes->SetBackColor(zav::kColorGris);
        mkefecnot->SetBackColor(zav::kColorGris);
    }

    mModificado = false;

    zav::SetHourglass(false);
    QCoreApplication::processEvents();

    TxtAyuda->SetForeColor(kColorNegro);
    TxtAyuda1->SetForeColor(kColorNegro);
    TxtAyuda->SetText(kAyudaObligatoria);
    TxtAyuda1->SetText(kAyudaObligatoria1);

    mModelo.PonLocked(610, true);

    a.gCargando = false;
}

void Frm947::Frm947_Form_Activate()
{
    const AppState& a = App();
    if (!mModificado)
        ActualizaBarraEstado(NumDocumento, RazonSocial, a.gPeriodo, a.gFormulario);
    QCoreApplication::processEvents();
    if (Modo == 0) {
        if (CmbRuc->Enabled())
            CmbRuc->setFocus();
        if (Left(CboBalance->Text(), 11) != QLatin1String("31 DE JULIO"))
            FrameSusPC->setVisible(false);
    } else if (Modo == 1) {
        if (TxtTelefono->Enabled())
            TxtTelefono->setFocus();
        else if (a.gModoEnviadas && txtOrden->Enabled())
            txtOrden->setFocus();   // the one field of a sent declaration
        mOmitirValidacion = false;
    }
}

void Frm947::Frm947_Form_GotFocus()
{
    const AppState& a = App();
    if (Modo == 0)
        ActualizaBarraEstado(QString(), QString(), a.gPeriodo, a.gFormulario);
    else if (Modo == 1)
        ActualizaBarraEstado(NumDocumento, RazonSocial, a.gPeriodo, a.gFormulario);
}

void Frm947::Frm947_Form_Click() {}

void Frm947::Frm947_Form_Unload()
{
    if (Modo != 1)
        return;
    // The list this window was opened from: the sent list in sent mode.
    const QString lista = App().gModoEnviadas ? QStringLiteral("FrmContAbrirEnv") : QStringLiteral("FrmContAbrir");
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == lista)
            w->setEnabled(true);
}

void Frm947::Descargar()
{
    Frm947_Form_Unload();
    done(QDialog::Rejected);
}

// Leaving by the title bar or Escape goes the way of Salir, so that unsaved changes are
// asked about there.
void Frm947::reject()
{
    cmdCancelar_Click();
}

void Frm947::closeEvent(QCloseEvent* e)
{
    e->ignore();
    cmdCancelar_Click();
}

void Frm947::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (mMostrada)
        return;
    mMostrada = true;
    QTimer::singleShot(0, this, [this] { Frm947_Form_Activate(); });
}

// Activation repeats when the window comes back from another window of the program (a
// dialog it opened), not from a message box or from another program.
bool Frm947::event(QEvent* e)
{
    if (zav::VuelveDeOtraVentana(this, e, mActivarAlVolver)) {
        const bool r = QDialog::event(e);
        Frm947_Form_Activate();
        return r;
    }
    return QDialog::event(e);
}

// ---- help lines -----------------------------------------------------------------------------

void Frm947::Frm947_Frame1_MouseMove(int)
{
    TxtAyuda1->SetText(QString());
    const int pagina = SSTab1->currentIndex();
    if (pagina == 1 || pagina == 2) {
        TxtAyuda->SetForeColor(kColorNegro);
        TxtAyuda1->SetForeColor(kColorNegro);
        TxtAyuda->SetText(kAyudaImportes);
    } else if (pagina == 3) {
        TxtAyuda->SetForeColor(kColorNegro);
        TxtAyuda1->SetForeColor(kColorNegro);
        TxtAyuda->SetText(kAyudaObligatoria);
        TxtAyuda1->SetText(kAyudaObligatoria1);
    }
}

void Frm947::Frm947_Frame17_MouseMove()
{
    TxtAyuda->SetForeColor(kColorNegro);
    TxtAyuda1->SetForeColor(kColorNegro);
    TxtAyuda->SetText(kAyudaImportes);
    TxtAyuda1->SetText(QString());
    if (SSTab1->currentIndex() == 0) {
        TxtAyuda->SetText(kAyudaObligatoria);
        TxtAyuda1->SetText(kAyudaObligatoria1);
    }
}

// ---- date of form 5136 ----------------------------------------------------------------------

void Frm947::Frm947_MkePeriodo_LostFocus()
{
    const QString texto = MkePeriodo->Text();
    if (texto.contains(QLatin1Char('_'))) {
        mModificado = true;
        Calcular113();
        return;
    }
    const bool fecha = QDate::fromString(texto, QStringLiteral("dd/MM/yyyy")).isValid();
    QString error;
    if (texto != QLatin1String("__/__/____") && !fecha)
        error = QStringLiteral("El año de la fecha del formulario 5136 debe corresponder al año de la presentación");
    else if (!FechaNoPosterior(texto))
        error = QStringLiteral("La fecha de presentación del formulario 5136 no puede ser mayor a la fecha del "
                               "sistema.");
    else if (!ValidaPeriodo() || !fecha)
        error = QStringLiteral("El año de la fecha del formulario 5136 debe corresponder al año de la presentación");
    if (error.isEmpty()) {
        mModificado = true;
        Calcular113();
        return;
    }
    SSTab1->setCurrentIndex(0);
    zav::MsgBox(error, 16, Caption());
    MkePeriodo->setFocus();
}

int Frm947::Frm947_MkePeriodo_KeyPress(int KeyAscii)
{
    mModificado = true;
    return KeyAscii;
}
