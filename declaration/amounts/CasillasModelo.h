#pragma once
// The amounts of the declaration window: the text and state of its 109 boxes and every
// calculation over them. The window's TxtValor controls are views of this model: they
// pass the user's edits and their events in, and show what the model tells them.
//
// Writing a box whose text really changes runs that box's change handling at once, before
// the writer goes on, so results flow depth first down the statements; writing the same
// text again runs nothing.
#include "declaration/amounts/Importes.h"

#include <QString>

#include <map>

namespace zav { class clsUtilitarios; }

// The answers and members of Frm947 the calculations read. The window keeps them up to
// date from its option buttons and lists before it runs the procedures that read them;
// an option array with no member chosen is -1.
struct RespuestasFrm947 {
    int optRenta = -1;        // 0 General, 1 Agrario, 2 Amazonía, 3 Frontera, 4 Convenio, 5 MYPE
    int OptPersona = -1;      // 0 Jurídica, 1 Natural
    int OptUbicAmazonia = -1; // yes/no questions: 0 No, 1 Si
    int OptLeyAmazonia = -1;
    int OptDomFiscal = -1;
    int OptZona = -1;         // 0 Zona 1, 1 Zona 2
    int OptActividad = -1;
    int OptFrontera = -1;
    QString mUIT;             // tax unit of the year; "" when there is none
    bool mCargando = false;   // restoring the identification page
    bool mModificado = false; // unsaved changes
    QString NumDocumento;     // the declaration taxpayer's RUC
    QString TipDocRepLegal;   // text of cboTipDocRepLegal
    QString Caption = QStringLiteral("0947 Morvath");
};

struct EstadoCasilla {
    bool Enabled = true;
    bool Locked = false;
    int BackColor = kColorBlanco;
    int MaxLength = 0;
    bool operator==(const EstadoCasilla&) const = default;
};

// What the model asks of the window. Every member does nothing by default.
class VistaCasillas {
public:
    virtual ~VistaCasillas() = default;
    // A box's text changed (before its change handling runs).
    virtual void TextoCambiado(int casilla, const QString& texto);
    // A box's Enabled, Locked, BackColor or MaxLength changed; `estado` is the box's live
    // state, so a handler run from inside this call (a LostFocus) leaves it up to date.
    virtual void EstadoCambiado(int casilla, const EstadoCasilla& estado);
    // Page 1 of SSTab4 and the buttons cmdPerdida(0..2) enabled (and the page visible) or not.
    virtual void PerdidasDisponibles(bool disponible);
    // frmMype shown or hidden.
    virtual void FrameMypeVisible(bool visible);
    // The focus goes to a box.
    virtual void FocoA(int casilla);
    // SSTab1 (and SSTab4 when not -1) show these pages.
    virtual void MostrarPaginas(int paginaSSTab1, int paginaSSTab4);
    // VScroll1 takes a value.
    virtual void DesplazarActivo(int valor);
    // EnviaTecla("TAB").
    virtual void EnviarTab();
    // DoEvents.
    virtual void ProcesarEventos();
    // frmAnexo477 with Casilla = casilla, shown modally; returns when it closes.
    virtual void AbrirAnexo(int casilla);
    // The clipboard text becomes "".
    virtual void VaciarPortapapeles();
};

class CasillasModelo {
public:
    // The boxes start empty in their design state. Without a utility object the program's
    // gUtil is used (or a private one when there is none).
    explicit CasillasModelo(VistaCasillas* vista = nullptr, const zav::clsUtilitarios* util = nullptr);
    CasillasModelo(const CasillasModelo&) = delete;
    CasillasModelo& operator=(const CasillasModelo&) = delete;

    void PonVista(VistaCasillas* vista) { vista_ = vista; }
    RespuestasFrm947& Resp() { return resp_; }
    const RespuestasFrm947& Resp() const { return resp_; }

    // The 109 boxes in their fixed order (mCasillas).
    static const std::vector<int>& mCasillas() { return ListaCasillas(); }
    bool Existe(int casilla) const;

    QString Texto(int casilla) const;
    // Sets the text; when it changes, the view is told and the box's change handling runs.
    // A box outside the list is ignored.
    void PonTexto(int casilla, const QString& texto);

    const EstadoCasilla& Estado(int casilla) const;
    void PonEstado(int casilla, const EstadoCasilla& estado);
    void PonEnabled(int casilla, bool enabled);
    void PonLocked(int casilla, bool locked);
    void PonBackColor(int casilla, int color);
    void PonMaxLength(int casilla, int maxLength);
    // Loading, from the period's year: box 473 takes its amounts from the annex from 2013.
    void PreparaCasillasDelAnio();

    // Amount value of a box (v(n)).
    double Importe(int casilla) const;

    // Events of the TxtValor array (Index = box number).
    void TxtValor_Change(int Index);
    void TxtValor_GotFocus(int Index);
    void TxtValor_KeyPress(int Index, int& KeyAscii);
    void TxtValor_KeyDown(int Index, int& KeyCode, int Shift);
    void TxtValor_LostFocus(int Index);
    void TxtValor_DblClick(int Index);
    void TxtValor_MouseDown(int Index, int Button);
    LineaAyuda TxtValor_MouseMove(int Index, int paginaSSTab1) const;

    // Entry points of the window: the annex dialog has closed; LblSistema has a new caption.
    void AnexoCerrado();
    void LblSistema_Change(const QString& caption);

    // Income statement.
    void Calcular463();
    void Calcular466y467();
    void Calcular470y471();
    void Calcular484y485();
    void Calcular487y489();
    void Calcular492y493();
    void Calcular106y107();
    // Balance sheet.
    void Calcular531();
    void Calcular543();
    void Calcular554();
    void Calcular555();
    // Tax.
    void Calcular110y111();
    void Calcular113();
    // Coefficient and small-business boxes.
    void Calcular_coeficiente();
    double IngresoNetos();
    void Calcular250();
    void Calcular253();
    double Vale(int casilla) const;
    // Mutually exclusive boxes: the changed box first, its partner second.
    void pTemCasillas(int casilla, int pareja);

private:
    struct Casilla {
        QString texto;
        EstadoCasilla estado;
    };

    Casilla* Buscar(int casilla);
    const Casilla* Buscar(int casilla) const;
    void PonerEstado(int casilla, const EstadoCasilla& estado);
    // A profit/loss pair from its result.
    void EscribirPar(int ganancia, int perdida, double r, const QString& mascara);
    bool Vacia(int casilla) const { return Texto(casilla).isEmpty(); }
    double Abs(int casilla) const;
    int Anio() const;
    void NavegarEnter(int Index, bool enviarTab);
    void ValidaRucContador();
    void ValidaRucRepresentante();
    const zav::clsUtilitarios& Util() const;
    VistaCasillas& V() const;

    std::map<int, Casilla> casillas_;
    RespuestasFrm947 resp_;
    VistaCasillas* vista_;
    const zav::clsUtilitarios* util_;
};
