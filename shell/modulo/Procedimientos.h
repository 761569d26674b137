#pragma once
// Procedures the windows of KZ947 share.
#include "platform/db/Variant.h"

#include <QString>

#include <functional>

class QComboBox;
class QWidget;

// A statement and the values bound to its "?" places.
struct SentenciaSQL {
    QString Texto;
    dao::Params Parametros;
};

// Names of the three levels of a place code in the PARAM lists '030' (first two
// characters), '031' (first four) and '001' (the whole code); "" when absent.
QString DescParam030(const QString& codigo);
QString DescParam031(const QString& codigo);
QString DescParam001(const QString& codigo);

// Fills combo with the document types whose use flag at posicion of PARAM '044' is "1",
// in their display order. Each item: code (2), "  -  ", short name padded to 60,
// length (2), " ", data kind, " ", length kind; with conBlanco a first item of 75 blanks.
void CargaTiposDocumento(QComboBox* combo, int posicion, bool conBlanco);

// The taxpayer list: every CONT row of the taxpayer-number type (only those of 11
// characters when the type asks for exactly 11), for form "0582" only the income type
// 2, and for a user who is not of kind "0" only the user's own taxpayers.
SentenciaSQL SQLContribuyentes(const QString& formulario);

// The document number fits the length rule (at most, or exactly, the type's length) and
// the character check (digits only, or letters and digits) of its type in PARAM '044'.
bool ValidaLongitudDocumento(const QString& tipo, const QString& numero);

// Tipo of the current user in CLAVES; "1" when the user has no row or no kind. "0" sees
// every taxpayer.
QString TipoUsuario();

// The declaration lists' condition on their taxpayers (CONT as B): a user who is not of
// kind "0" sees only his own. Appended to sql with its value.
void FiltraUsuarioLista(QString& sql, dao::Params& params);

// DescError of the ERROR row with the four-digit code; "" when none. 152 is fixed text.
QString MensajeError(int codigo);

// Writes the taxpayer, name, period (MM/YYYY, empty for a period of 5 characters or
// fewer) and form into the main window's status bar; nothing without one.
void ActualizaBarraEstado(const QString& doc, const QString& nombre, const QString& periodo,
                          const QString& formulario);

// Clears the message field of the status bar.
void LimpiaMensajeBarra();

// Centre frm in the main window (240 twips higher for the declaration window), or in mdi.
void UbicaFormulario(QWidget* frm);
void CentraFormulario(QWidget* mdi, QWidget* frm);

// Window state normal, then Left, Top, Height, Width in twips, in that order.
void PosicionaFormulario(QWidget* frm, int left, int top, int height, int width);

// Average character width in pixels of frm's default font.
int AnchoPromedioCaracter(QWidget* frm);

// Drop-down list of combo (caracteres - 2) average characters wide.
void AnchoListaCombo(QWidget* frm, QComboBox* combo, int caracteres);

// "TAB" moves the focus to the next control once the current event is done; any other
// key does nothing.
void EnviaTecla(const QString& tecla);

// False when the date "dd/mm/yyyy" lies after today; its parts are read as numbers, so
// an incomplete text ("__/__/____") counts as not later.
bool FechaNoPosterior(const QString& fecha);

// "yyyymmdd" as "dd/mm/yyyy"; "" stays "", and so does a text that is no date.
QString FechaDeAAAAMMDD(const QString& texto);

// n += paso; n as text without blanks.
QString IncrementaContador(int& n, int paso);

// The two-character check code of a sent declaration's control code and order number.
QString CodigoVerificacion(const QString& a, const QString& b);

// Frames Frame1_1, Frame1_2 and Frame1_5 of frm (children by object name) visible as
// a2, a3 and a6; a1, a4 and a5 are not used.
void MuestraMarcos(QWidget* frm, bool a1, bool a2, bool a3, bool a4, bool a5, bool a6);

// The two primitives of the inconsistency printout, on the printer in twips.
void ImprimeTexto(int x, int y, const QString& texto, bool negrita, int tamano);
void DibujaRecuadro(int x1, int y1, int x2, int y2);

// Opens the module's help file at its contents with the desktop's handler, when the
// file exists; otherwise nothing visible happens.
void AbreAyuda(const QString& archivo);

// Puts an opener in place of the desktop's for its lifetime (tests).
class AyudaScope {
public:
    using Abridor = std::function<void(const QString&)>;
    explicit AyudaScope(Abridor abridor);
    ~AyudaScope();
    AyudaScope(const AyudaScope&) = delete;
    AyudaScope& operator=(const AyudaScope&) = delete;

private:
    Abridor previous_;
};
