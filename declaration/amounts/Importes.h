#pragma once
// Reading and writing the amounts of the declaration's boxes, and the rules of each box
// that need no window: masks, edit and display texts, accepted keys, help lines.
#include <QString>

#include <vector>

// Colours as the window's BackColor values (0xBBGGRR).
constexpr int kColorGris = 0xC0C0C0;
constexpr int kColorBlanco = 0xFFFFFF;
constexpr int kColorCian = 0xFFFF00;
constexpr int kColorAzulAyuda = 0xC00000;
constexpr int kColorNegro = 0;

inline const QString kMascaraNormal = QStringLiteral("###,###,###,##0");
inline const QString kMascaraDeduccion = QStringLiteral("(###,###,###,##0)");
inline const QString kMascaraSigno = QStringLiteral("###,###,###,##0;(###,###,###,##0)");
inline const QString kMascaraEdicion = QStringLiteral("###########0");
inline const QString kMascaraCoefA = QStringLiteral("###,###,###,##0.0000");
inline const QString kMascaraCoefB = QStringLiteral("###,###,###,##0.00");

// The 109 boxes of the declaration in the order they are saved and blanked.
const std::vector<int>& ListaCasillas();

// The number a text stands for as the original runtime coerces it: "1,234" is 1234,
// "(1,234)" is -1234; false when the text is not a number.
bool LeeNumero(const QString& texto, double& valor);

// A stored value that no number can be ("1E999", written by another program): the
// window leaves it out on reopening, and the print leaves its box empty.
bool ValorDesbordado(const QString& valor);

// A stored amount of 10^15 or more (or none at all), which no box holds: a few of them
// summed would overflow every number.
bool ImporteDesmedido(const QString& valor);

// Format of a box text: a number (parentheses negative) goes through the mask, any other
// text comes back as it is.
QString FormatoTexto(const QString& texto, const QString& mascara);

// FormatoTexto for a coefficient: a plain number of at most four decimals ("1,234.5",
// "66128594453.2405") keeps every digit instead of passing through a double.
QString FormatoCoeficiente(const QString& texto, const QString& mascara);

// Amount value of a box text: formatted with "###########0" and read back; empty is 0.
double ImporteTexto(const QString& texto);

// An amount through the whole-number mask "###########0": 15 significant digits, then
// half away from zero.
double ImporteEntero(double valor);

// The tax unit text as a number; an empty text (no unit for the year) is 0.
double ValorUIT(const QString& uit);

// The year of a period "YYYYMM" (0 when it does not start with a number).
int AnioPeriodo(const QString& periodo);

// Boxes shown in parentheses and subtracted by their absolute value.
bool EsCasillaDeduccion(int casilla);
// Boxes shown with the sign in parentheses.
bool EsCasillaSigno(int casilla);
// Boxes that hold text, never amounts.
bool EsCasillaTexto(int casilla);

// The mask a stored value is shown with; `sistema` is the payment system ("A" or "B").
QString MascaraCasilla(int casilla, const QString& sistema);

// What focus in and focus out make of a box: its typing limit (0 no limit, -1 left as it
// is) and its text.
struct FormatoFoco {
    int MaxLength = 0;
    QString Texto;
};

// Focus received by an unlocked box. `convenio`: the stability-agreement regime is chosen;
// `tipDocRepLegal`: the text of the representative's document-type list.
FormatoFoco TextoEdicion(int casilla, const QString& texto, bool convenio, const QString& tipDocRepLegal);

// Focus lost by an unlocked box; `enabled` false for a box disabled while it had the focus,
// `modoEnviadas` the sent-declarations mode.
FormatoFoco TextoPresentacion(int casilla, const QString& texto, bool enabled, bool modoEnviadas,
                              const QString& tipDocRepLegal);

// Typing limit of box 226 from the chosen document type (characters 68-69).
int LongitudDocumento(const QString& tipDocRepLegal);
// The chosen document type takes letters and digits (character 71 reads 0).
bool DocumentoAlfanumerico(const QString& tipDocRepLegal);

// Character test of a box after the digit filter: the key to use, 0 to drop it. Covers the
// text boxes 211, 212, 225 (upper case, letters, digits, blank, "-", ".", "/", Backspace),
// 226 (by document type) and 473, 477 (no typing at all); other boxes pass the key on.
int TeclaCaracter(int casilla, int keyAscii, const QString& tipDocRepLegal);

// Where Enter moves from a box.
struct NavegacionEnter {
    int Scroll = -1; // value for VScroll1, -1 none
    int Foco = 0;    // box that takes the focus, 0 none (then a Tab)
};
NavegacionEnter DestinoEnter(int casilla);

// The loss page of previous years is available for this text of box 108.
bool PerdidasDisponibles(const QString& texto108);

// The help line for the pointer over a box; `paginaSSTab1` is the page SSTab1 shows.
struct LineaAyuda {
    QString TxtAyuda;
    QString TxtAyuda1;
    int ForeColor = kColorNegro;
};
LineaAyuda AyudaCasilla(int casilla, int paginaSSTab1);

// Total of the two amounts of the annex of boxes 473 and 477: "" when both are empty.
QString TotalAnexo(const QString& monto1, const QString& monto2);
