#include "declaration/frmAnexo477.h"

#include "declaration/Frm947.h"
#include "declaration/amounts/Importes.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Anexo {
    const char* titulo;
    int casillas[2];
    const char* descripciones[2];
};

constexpr Anexo kAnexo477 = {"Enajenación de valores y bienes del activo fijo",
                             {432, 433},
                             {"Ingresos Afectos", "Ingresos Exonerados"}};
constexpr Anexo kAnexo473 = {"Ingresos financieros gravados",
                             {650, 651},
                             {"Ingresos financieros gravados", "Ingresos financieros por diferencia de tipo de cambio"}};

const zav::clsUtilitarios& Util()
{
    if (App().gUtil)
        return *App().gUtil;
    static const zav::clsUtilitarios propio;
    return propio;
}

} // namespace

frmAnexo477::frmAnexo477(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAnexo477"));

    fraDeduccion = new QGroupBox;
    fraDeduccion->setObjectName(QStringLiteral("fraDeduccion"));
    auto* g = new QGridLayout(fraDeduccion);
    for (int i : {0, 1}) {
        lblCas[i] = new zav::Label;
        lblCas[i]->setObjectName(QStringLiteral("lblCas_%1").arg(i));
        lblCas[5 + i] = new zav::Label;
        lblCas[5 + i]->setObjectName(QStringLiteral("lblCas_%1").arg(5 + i));
        lblCas[5 + i]->setWordWrap(true);
        auto* t = new zav::TextBox;
        t->setObjectName(QStringLiteral("TxtMonto_%1").arg(i));
        t->setAlignment(Qt::AlignRight);
        t->setFixedWidth(110);
        t->SetMaxLength(15);
        t->SetNoPaste(true);
        TxtMonto[i] = t;
        g->addWidget(lblCas[5 + i], i, 0);
        g->addWidget(lblCas[i], i, 1);
        g->addWidget(t, i, 2);
    }
    TxtTotal = new zav::TextBox;
    TxtTotal->setObjectName(QStringLiteral("TxtTotal"));
    TxtTotal->setAlignment(Qt::AlignRight);
    TxtTotal->setFixedWidth(110);
    // Computed only: never typed into, and not a stop on the way to the buttons.
    TxtTotal->SetLocked(true);
    TxtTotal->SetNoPaste(true);
    TxtTotal->setFocusPolicy(Qt::NoFocus);
    auto* total = new zav::Label(QStringLiteral("Total"));
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->addWidget(total, 2, 0, 1, 2);
    g->addWidget(TxtTotal, 2, 2);
    g->setColumnStretch(0, 1);

    CmdGrabar = new QPushButton(QStringLiteral("&Aceptar"));
    CmdGrabar->setObjectName(QStringLiteral("CmdGrabar"));
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"));
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    // Enter moves between the amounts; it must not press a button by default.
    for (QPushButton* b : {CmdGrabar, cmdCancelar}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(CmdGrabar);
    botones->addWidget(cmdCancelar);

    auto* v = new QVBoxLayout(this);
    v->addWidget(fraDeduccion);
    v->addLayout(botones);
    resize(460, sizeHint().height());

    for (int i : {0, 1}) {
        zav::TextBox* t = TxtMonto[i];
        t->onChange = [this, i] { TxtMonto_Change(i); };
        t->onGotFocus = [this, i] { TxtMonto_GotFocus(i); };
        t->onLostFocus = [this, i] { TxtMonto_LostFocus(i); };
        t->onKeyPress = [this, i](int k) { return TxtMonto_KeyPress(i, k); };
        t->onKeyDown = [this, i](int c, int s) { return TxtMonto_KeyDown(i, c, s); };
        t->onMouseDown = [this, i](int b, int) { TxtMonto_MouseDown(i, b); };
    }
    // The amount being edited is formatted before Aceptar writes it, also on Alt+A.
    zav::CommandButton(CmdGrabar);
    zav::CommandButton(cmdCancelar);
    connect(CmdGrabar, &QPushButton::clicked, this, [this] { CmdGrabar_Click(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
}

Frm947* frmAnexo477::Declaracion()
{
    return qobject_cast<Frm947*>(App().gFrm947);
}

int frmAnexo477::CasillaFila(int fila) const
{
    const Anexo& a = Casilla == 477 ? kAnexo477 : kAnexo473;
    return a.casillas[fila == 0 ? 0 : 1];
}

void frmAnexo477::Form_Load()
{
    const Anexo& a = Casilla == 477 ? kAnexo477 : kAnexo473;
    setWindowTitle(QString::fromUtf8(a.titulo));
    for (int i : {0, 1}) {
        lblCas[i]->SetCaption(QString::number(a.casillas[i]));
        lblCas[5 + i]->SetCaption(QString::fromUtf8(a.descripciones[i]));
    }
    Frm947* frm = Declaracion();
    if (!frm)
        return;
    for (int i : {0, 1}) {
        auto it = frm->TxtValor.find(a.casillas[i]);
        if (it != frm->TxtValor.end())
            TxtMonto[i]->SetText(it->second->Text());
    }
}

void frmAnexo477::TxtMonto_Change(int)
{
    TxtTotal->SetText(TotalAnexo(TxtMonto[0]->Text(), TxtMonto[1]->Text()));
}

void frmAnexo477::TxtMonto_GotFocus(int Index)
{
    zav::TextBox* t = TxtMonto[Index];
    t->SetMaxLength(12);
    t->SetText(FormatoTexto(t->Text(), kMascaraEdicion));
}

void frmAnexo477::TxtMonto_LostFocus(int Index)
{
    zav::TextBox* t = TxtMonto[Index];
    t->SetMaxLength(15);
    t->SetText(FormatoTexto(t->Text(), kMascaraNormal));
}

int frmAnexo477::TxtMonto_KeyPress(int, int KeyAscii)
{
    if (KeyAscii == 13)
        EnviaTecla(QStringLiteral("TAB"));
    return Util().FiltraTeclaNumerica(KeyAscii);
}

int frmAnexo477::TxtMonto_KeyDown(int, int KeyCode, int Shift)
{
    if ((KeyCode == 45 && Shift == 1) || KeyCode == 93)
        zav::SetClipboardText(QString());
    return KeyCode;
}

void frmAnexo477::TxtMonto_MouseDown(int, int Button)
{
    if (Button == 2)
        zav::SetClipboardText(QString());
}

void frmAnexo477::CmdGrabar_Click()
{
    if (Frm947* frm = Declaracion()) {
        // Each write runs the window's change handling of that box, in this order.
        const std::pair<int, QString> escrituras[] = {
            {CasillaFila(0), TxtMonto[0]->Text()},
            {CasillaFila(1), TxtMonto[1]->Text()},
            {CasillaTotal(), TxtTotal->Text()},
        };
        for (const auto& [casilla, texto] : escrituras) {
            auto it = frm->TxtValor.find(casilla);
            if (it != frm->TxtValor.end())
                it->second->SetText(texto);
        }
    }
    accept();
}

void frmAnexo477::cmdCancelar_Click()
{
    reject();
}
