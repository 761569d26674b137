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

#include <optional>
#include <vector>

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

// The module's state the calculations read, as it stands when they run.
struct DatosModulo {
    QString Periodo;           // "YYYYMM", or the year alone before a balance date is chosen
    QString PeriodoSel;        // period of the declaration chosen in the stored list, "" none
    bool ModoEnviadas = false; // sent-declarations mode
    QString Sistema;           // payment system: "A", "B", "0" on loading, "" none
};

// What a check of the boxes found, for the window to show in a message box: the text,
// style and title MsgBox takes, the box it is about and the pages that show that box
// (-1 leaves a tab as it is). A question about a pair of exclusive boxes also names the
// partner.
struct Hallazgo {
    QString Texto;
    int Estilo = 0;
    QString Titulo;
    int Casilla = 0;
    int Pareja = 0;
    int PaginaSSTab1 = -1;
    int PaginaSSTab4 = -1;
    bool operator==(const Hallazgo&) const = default;
};

// What the model asks of the window. Every member does nothing by default.
class VistaCasillas {
public:
    virtual ~VistaCasillas() = default;
    // The module's state now; empty by default.
    virtual DatosModulo Modulo() const;
    // The declaration goes back to this period (the one chosen in the stored list).
    virtual void PeriodoElegido(const QString& periodo);
    // A finding of a check, shown before the focus goes back to its box.
    virtual void Avisar(const Hallazgo& hallazgo);
    // The question of a pair of exclusive boxes: true (OK) keeps the box just written and
    // empties its partner, false empties the box just written. True by default.
    virtual bool Preguntar(const Hallazgo& pregunta);
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
    // The boxes start empty in their design state. Without a utility object a private one
    // is used (it holds no state).
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

    // Entry points of the window: the annex dialog has closed; LblSistema has a new caption,
    // which the window has made the payment system.
    void AnexoCerrado();
    void LblSistema_Change();

    // The taxpayer-number checks of box 208 (the accountant's: valid, and not the declaring
    // taxpayer's own) and 226 (the representative's, when the document type is RUC), on the
    // box's text as it stands; nothing for another box or a text that is not 11 long.
    std::vector<Hallazgo> RevisaRuc(int casilla) const;

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
    // Mutually exclusive boxes: the changed box first, its partner second. When both hold
    // a value the window is asked which stays.
    void pTemCasillas(int casilla, int pareja);
    // The question pTemCasillas asks, or none while one of the two is empty (a zero amount
    // is empty).
    std::optional<Hallazgo> PreguntaExcluyentes(int casilla, int pareja) const;
    // The answer to that question: the box that goes is emptied and the focus moves to the
    // one that stays.
    void RespondeExcluyentes(const Hallazgo& pregunta, bool aceptada);

private:
    struct Casilla {
        QString texto;
        // The amount the text stands for (ImporteTexto), kept beside it and written with
        // it: the calculations read amounts far more often than a box changes.
        double importe = 0;
        EstadoCasilla estado;
    };

    Casilla* Buscar(int casilla);
    const Casilla* Buscar(int casilla) const;
    void PonerEstado(int casilla, const EstadoCasilla& estado);
    // A profit/loss pair from its result.
    void EscribirPar(int ganancia, int perdida, double r, const QString& mascara);
    bool Vacia(int casilla) const;
    double Abs(int casilla) const;
    int Anio() const;
    void NavegarEnter(int Index, bool enviarTab);
    // Each finding of the box's taxpayer-number check, then its pages and the focus.
    void ValidaRuc(int casilla);
    const zav::clsUtilitarios& Util() const;
    VistaCasillas& V() const;

    // In the order of ListaCasillas; found by number through a table.
    std::vector<Casilla> casillas_;
    RespuestasFrm947 resp_;
    VistaCasillas* vista_;
    const zav::clsUtilitarios* util_;
};
