#include "declaration/frmPerdidaEjercAnt.h"
#include "declaration/Frm947_revision.h"

#include "almacen/AlmacenDeclaracion.h"
#include "common/Clock.h"
#include "common/Runtime.h"
#include "declaration/amounts/Importes.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using zav::Trim;
using zav::Val;

namespace {

const zav::clsUtilitarios& Util()
{
    if (App().gUtil)
        return *App().gUtil;
    static const zav::clsUtilitarios propio;
    return propio;
}

// The amount as it is stored: its digits without separators.
QString ImporteGuardado(const QString& texto)
{
    return zav::Format(Val(FormatoTexto(texto, kMascaraEdicion)), kMascaraEdicion);
}

} // namespace

frmPerdidaEjercAnt::frmPerdidaEjercAnt(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPerdidaEjercAnt"));
    setWindowTitle(QStringLiteral("Pérdida tributaria compensable de Ejercicios anteriores"));

    Frame1 = new QGroupBox(QStringLiteral("Año e Importe"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    MkeAnho = new zav::MaskedBox(QStringLiteral("####"));
    MkeAnho->setObjectName(QStringLiteral("MkeAnho"));
    MkeAnho->SetPromptChar(QLatin1Char('_'));
    MkeAnho->setFixedWidth(50);
    txtImporte = new zav::TextBox;
    txtImporte->setObjectName(QStringLiteral("txtImporte"));
    txtImporte->setAlignment(Qt::AlignRight);
    txtImporte->setFixedWidth(130);
    // Fifteen digits from the first key: the stored text is always a whole number.
    txtImporte->SetMaxLength(15);
    txtImporte->SetNoPaste(true);
    auto* g = new QGridLayout(Frame1);
    g->addWidget(new QLabel(QStringLiteral("Año :")), 0, 0);
    g->addWidget(MkeAnho, 0, 1, Qt::AlignLeft);
    g->addWidget(new QLabel(QStringLiteral("Importe de la pérdida consignada en la DDJJ Anual : ")), 1, 0);
    g->addWidget(txtImporte, 1, 1, Qt::AlignLeft);

    cmdAccion[0] = new QPushButton(QStringLiteral("&Aceptar"));
    cmdAccion[0]->setObjectName(QStringLiteral("cmdAccion_0"));
    cmdAccion[1] = new QPushButton(QStringLiteral("&Salir"));
    cmdAccion[1]->setObjectName(QStringLiteral("cmdAccion_1"));
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    for (const auto& [i, b] : cmdAccion) {
        // Enter moves between the fields; it presses only the button that has the focus.
        b->setAutoDefault(false);
        b->setDefault(false);
        zav::CommandButton(b);
        const int indice = i;
        connect(b, &QPushButton::clicked, this, [this, indice] { cmdAccion_Click(indice); });
        botones->addWidget(b);
    }
    auto* v = new QVBoxLayout(this);
    v->addWidget(Frame1);
    v->addLayout(botones);

    MkeAnho->onLostFocus = [this] { MkeAnho_LostFocus(); };
    MkeAnho->onKeyPress = [this](int k) { return MkeAnho_KeyPress(k); };
    txtImporte->onGotFocus = [this] { txtImporte_GotFocus(); };
    txtImporte->onLostFocus = [this] { txtImporte_LostFocus(); };
    txtImporte->onKeyPress = [this](int k) { return txtImporte_KeyPress(k); };
    txtImporte->onKeyDown = [this](int c, int s) { return txtImporte_KeyDown(c, s); };
    txtImporte->onMouseDown = [this](int b, int) { txtImporte_MouseDown(b); };
}

void frmPerdidaEjercAnt::Form_Load()
{
    UbicaFormulario(this);
    // The year of a kept row is its key: it is not changed here.
    if (App().gPerdidaModo == QLatin1String("1"))
        MkeAnho->SetEnabled(false);
}

void frmPerdidaEjercAnt::Form_Activate()
{
    const AppState& a = App();
    if (a.gPerdidaModo == QLatin1String("0")) {
        MkeAnho->setFocus();
    } else if (a.gPerdidaModo == QLatin1String("1")) {
        txtImporte->setFocus();
        MkeAnho->SetText(a.gPerdidaAnho);
        txtImporte->SetText(a.gPerdidaImporte);
        // The focus came before the text: the amount is shown for editing as focus shows it.
        if (txtImporte->hasFocus())
            txtImporte_GotFocus();
    }
}

void frmPerdidaEjercAnt::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!mActivada) {
        mActivada = true;
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
    }
}

bool frmPerdidaEjercAnt::AnhoValido()
{
    const double anho = Val(MkeAnho->Text());
    const double ultimo = Val(zav::FormatDate(zav::Today(), QStringLiteral("yyyy"))) - 1;
    if (anho < 1950 || anho > ultimo) {
        zav::MsgBox(QStringLiteral("El año no es válido."), 16, Caption());
        if (MkeAnho->isEnabled())
            MkeAnho->setFocus();
        return false;
    }
    return true;
}

void frmPerdidaEjercAnt::cmdAccion_Click(int Index)
{
    if (Index == 1) {
        reject();
        return;
    }
    if (Index != 0)
        return;
    if (!AnhoValido())
        return;
    if (Trim(txtImporte->Text()).isEmpty()) {
        zav::MsgBox(QStringLiteral("Ingrese el Importe de la pérdida consignada en la DDJJ Anual"), 16, Caption());
        txtImporte->setFocus();
        return;
    }
    if (AceptaFila())
        accept();
}

bool frmPerdidaEjercAnt::AceptaFila()
{
    AppState& a = App();
    const bool nueva = a.gPerdidaModo == QLatin1String("0");
    if (!nueva && a.gPerdidaModo != QLatin1String("1"))
        return true;
    const QString anho = nueva ? MkeAnho->Text() : a.gPerdidaAnho;
    const almacen::ClaveDeclaracion clave = revision::Clave(a.gPerdidaDoc, a.gPeriodo);
    bool ajena = false;
    bool repetido = false;
    try {
        // Another program may have stored the same new declaration since the window looked.
        ajena = !TextoDeclaracionExistente.isEmpty() && almacen::ExisteCabecera(*a.gBaseDatos, clave);
        repetido = !ajena && nueva && almacen::TienePerdida(almacen::LeePerdidas(*a.gBaseDatos, clave, Cambios), anho);
    } catch (const dao::DaoError& e) {
        zav::SetHourglass(false);
        zav::MsgBox(e.Description + QLatin1Char('\n') + zav::Str(e.Number), 16, Caption());
        return false;
    }
    if (ajena) {
        zav::SetHourglass(false);
        zav::MsgBox(TextoDeclaracionExistente, 16, Caption());
        reject();
        return false;
    }
    if (repetido) {
        zav::MsgBox(QStringLiteral("Ya se registro importe para el año ") + anho, 16, Caption());
        MkeAnho->setFocus();
        return false;
    }
    Aceptada = true;
    AnhoAceptado = anho;
    ImporteAceptado = ImporteGuardado(txtImporte->Text());
    return true;
}

void frmPerdidaEjercAnt::MkeAnho_LostFocus()
{
    if (!MkeAnho->Text().contains(QLatin1Char('_')))
        AnhoValido();
}

int frmPerdidaEjercAnt::MkeAnho_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        EnviaTecla(QStringLiteral("TAB"));
    return KeyAscii;
}

void frmPerdidaEjercAnt::txtImporte_GotFocus()
{
    txtImporte->SetText(FormatoTexto(txtImporte->Text(), kMascaraEdicion));
    // Selected, as Tab selects an amount, whatever brought the focus (Modificar sets it
    // from code): typing replaces the amount. A click still places the cursor.
    txtImporte->selectAll();
}

int frmPerdidaEjercAnt::txtImporte_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        EnviaTecla(QStringLiteral("TAB"));
    return Util().FiltraTeclaNumerica(KeyAscii, 0, 0, 0);
}

void frmPerdidaEjercAnt::txtImporte_LostFocus()
{
    txtImporte->SetMaxLength(15);
    txtImporte->SetText(FormatoTexto(txtImporte->Text(), kMascaraNormal));
}

int frmPerdidaEjercAnt::txtImporte_KeyDown(int KeyCode, int Shift)
{
    if (KeyCode == 45 && Shift == 1)
        zav::SetClipboardText(QString());
    return KeyCode;
}

void frmPerdidaEjercAnt::txtImporte_MouseDown(int Button)
{
    if (Button == 2)
        zav::SetClipboardText(QString());
}
