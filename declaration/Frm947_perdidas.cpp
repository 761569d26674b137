// The page of tax losses of previous years: its grid over the declaration's loss rows with
// the window's unsaved changes on top (the history rows of the chosen sequence for a sent
// declaration) and its three buttons.
#include "declaration/Frm947.h"
#include "declaration/Frm947_revision.h"
#include "declaration/frmPerdidaEjercAnt.h"

#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>

using zav::Left;
using zav::Trim;
using zav::Val;

namespace {

const char* const kRecargaCableada = "recargaPerdidas";

void Error(Frm947& f, const dao::DaoError& e)
{
    zav::SetHourglass(false);
    zav::MsgBox(e.Description + QLatin1Char('\n') + zav::Str(e.Number), 16, f.Caption());
}

// The declaration's document as the loss rows are keyed: the taxpayer the window has
// accepted (a new declaration's choice that was refused is none), or the opened one's.
QString DocumentoPerdidas(const Frm947& f)
{
    if (f.Modo != 0)
        return f.TxtNumRuc->Text();
    const QString elegido = f.RucDeLista();
    if (elegido.isEmpty() || Trim(f.NumDocumento) != elegido)
        return QString();
    return f.NumDocumento;
}

// A new declaration not yet stored by this window whose key is a stored declaration's:
// its losses are not this window's to show or change.
bool ClaveAjena(const Frm947& f, const QString& documento)
{
    return f.Modo == 0 && !f.mGrabada && revision::ExisteCab(documento, App().gPeriodo);
}

// A loss change was made: the declaration has a change to save (a sent one has nothing
// to save but its order number).
void MarcaCambio(Frm947& f)
{
    if (!App().gModoEnviadas)
        f.mModificado = true;
}

// The key of a document's loss changes in the window.
std::pair<QString, QString> ClavePendiente(const QString& documento)
{
    return {Trim(documento), App().gPeriodo};
}

// The period brought in line with the chosen balance date.
void PeriodoDelBalance(const Frm947& f)
{
    AppState& a = App();
    const QString anio = Left(a.gPeriodo, 4);
    const int indice = f.CboBalance->ListIndex();
    if (indice < 0 || indice > 1)
        return;
    if (Val(anio) >= 2013)
        a.gPeriodo = anio + (indice == 0 ? QStringLiteral("05") : QStringLiteral("08"));
    else
        a.gPeriodo = anio + (indice == 0 ? QStringLiteral("01") : QStringLiteral("06"));
}


QString Columna(const Frm947& f, int columna)
{
    const QModelIndex actual = f.grdPerdidaTributaria->currentIndex();
    const int fila = actual.isValid() ? actual.row() : 0;
    const QStandardItem* item = f.dtaPerdidaTributaria->item(fila, columna);
    return item ? item->text() : QString();
}

bool RejillaVacia(const Frm947& f)
{
    return f.dtaPerdidaTributaria->rowCount() == 0;
}

} // namespace

void Frm947::Frm947_SSTab4_GotFocus()
{
    // Bringing the loss page forward reloads it, whichever way it comes forward.
    if (!SSTab4->property(kRecargaCableada).toBool()) {
        SSTab4->setProperty(kRecargaCableada, true);
        connect(SSTab4, &QTabWidget::currentChanged, this, [this](int pagina) {
            if (pagina == 1)
                Frm947_SSTab4_GotFocus();
        });
    }
    // The rows of the taxpayer the buttons would write for (none while no taxpayer is accepted).
    QString documento = DocumentoPerdidas(*this);
    cmdPerdida[0]->setDefault(false);
    if (SSTab4->currentIndex() == 0) {
        if (TxtNombreA->Enabled()) {
            QCoreApplication::processEvents();
            Frame1[5]->setEnabled(true);
            QCoreApplication::processEvents();
        }
        return;
    }
    if (SSTab4->currentIndex() != 1)
        return;
    try {
        if (ClaveAjena(*this, documento))
            documento.clear();
    } catch (const dao::DaoError& e) {
        Error(*this, e);
        return;
    }
    // The row in hand stays the current one across the reload, while it is there.
    const int fila = grdPerdidaTributaria->currentIndex().row();
    try {
        revision::CargaPerdidas(*this, revision::ClavePerdidas(Trim(documento)));
    } catch (const dao::DaoError& e) {
        Error(*this, e);
        return;
    }
    dtaPerdidaTributaria->setHeaderData(4, Qt::Horizontal, QStringLiteral("Año"));
    dtaPerdidaTributaria->setHeaderData(5, Qt::Horizontal, QStringLiteral("Detalle de la pérdida"));
    // The key columns are the same on every row.
    for (int c = 0; c < 4; ++c)
        grdPerdidaTributaria->setColumnHidden(c, true);
    const int filas = dtaPerdidaTributaria->rowCount();
    if (filas > 0)
        grdPerdidaTributaria->setCurrentIndex(dtaPerdidaTributaria->index(std::clamp(fila, 0, filas - 1), 4));
    cmdPerdida[0]->setDefault(true);
}

void Frm947::Frm947_cmdPerdida_Click(int Index)
{
    AppState& a = App();
    PeriodoDelBalance(*this);
    if (a.gPeriodo.isEmpty()) {
        zav::MsgBox(QStringLiteral("Debe seleccionar el sistema de pago"), 16, Caption());
        return;
    }
    const QString documento = DocumentoPerdidas(*this);
    if (Trim(documento).isEmpty()) {
        zav::MsgBox(QStringLiteral("Debe seleccionar un Contribuyente."), 16, Caption());
        return;
    }
    const QString duplicada = revision::TextoDuplicada(*this, false);
    try {
        if (ClaveAjena(*this, documento)) {
            zav::SetHourglass(false);
            zav::MsgBox(duplicada, 16, Caption());
            return;
        }
    } catch (const dao::DaoError& e) {
        Error(*this, e);
        return;
    }
    // The editor hands its row back; the window keeps it until the declaration is saved.
    auto editor = [&] {
        frmPerdidaEjercAnt frm(this);
        if (Modo == 0 && !mGrabada)
            frm.TextoDeclaracionExistente = duplicada;
        frm.Cambios = PerdidasPendientes(documento, a.gPeriodo);
        frm.Form_Load();
        zav::RunModal(frm);
        if (frm.Aceptada) {
            mPerdidasPendientes[ClavePendiente(documento)][frm.AnhoAceptado] = frm.ImporteAceptado;
            MarcaCambio(*this);
        }
    };
    if (Index == 0) {
        a.gPerdidaDoc = documento;
        a.gPerdidaModo = QStringLiteral("0");
        editor();
        Frm947_SSTab4_GotFocus();
        if (!RejillaVacia(*this) && Modo == 0)
            CongelaClave();
        else
            zav::SetHourglass(false);
    } else if (Index == 1) {
        if (RejillaVacia(*this)) {
            zav::SetHourglass(false);
            return;
        }
        a.gPerdidaDoc = documento;
        a.gPerdidaAnho = Columna(*this, 4);
        a.gPerdidaImporte = Columna(*this, 5);
        a.gPerdidaModo = QStringLiteral("1");
        editor();
        Frm947_SSTab4_GotFocus();
    } else if (Index == 2) {
        if (RejillaVacia(*this)) {
            zav::SetHourglass(false);
            return;
        }
        if (zav::MsgBox(QStringLiteral("¿Confirma que va a eliminar?"), 292, Caption()) != zav::vbYes) {
            zav::SetHourglass(false);
            return;
        }
        const QString anho = Columna(*this, 4);
        // A stored year goes when the declaration is saved; one only this window added
        // goes now, so that the save never takes out a row another program added since.
        bool guardada = false;
        try {
            guardada = almacen::TienePerdida(
                almacen::LeePerdidas(*a.gBaseDatos, revision::Clave(documento, a.gPeriodo)), anho);
        } catch (const dao::DaoError& e) {
            Error(*this, e);
            return;
        }
        almacen::CambiosPerdidas& cambios = mPerdidasPendientes[ClavePendiente(documento)];
        if (guardada)
            cambios[anho] = std::nullopt;
        else
            cambios.erase(anho);
        MarcaCambio(*this);
        Frm947_SSTab4_GotFocus();
    }
}

almacen::CambiosPerdidas Frm947::PerdidasPendientes(const QString& documento, const QString& periodo) const
{
    const auto it = mPerdidasPendientes.find({Trim(documento), periodo});
    return it == mPerdidasPendientes.end() ? almacen::CambiosPerdidas() : it->second;
}

// The answers that fixed the period, greyed and closed.
void Frm947::CongelaPeriodo()
{
    CboBalance->SetBackColor(zav::kColorGris);
    LblSistema->SetBackColor(zav::kColorGris);
    LblPresentacion->SetBackColor(zav::kColorGris);
    OptInicio->SetEnabled(false);
    OptAnterior->SetEnabled(false);
    OptPrecedente->SetEnabled(false);
    CboBalance->SetEnabled(false);
}

void Frm947::CongelaClave()
{
    CongelaPeriodo();
    MuestraMarcos(this, false, true, true, false, true, true);
    CmbRuc->SetEnabled(false);
    CmbRuc->SetVisible(false);
    TxtNumRuc->SetVisible(true);
    TxtNumRuc->SetEnabled(false);
    TxtNumRuc->SetText(NumDocumento);
    TxtRazon->SetEnabled(false);
    TxtTelefono->SetEnabled(true);
}
