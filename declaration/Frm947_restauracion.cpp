// Restoring the identification page and the stored rows of a declaration; the sent mode.
#include "declaration/Frm947.h"
#include "declaration/Frm947_revision.h"

#include "almacen/AlmacenDeclaracion.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QGroupBox>
#include <QPushButton>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

using zav::Left;
using zav::Mid;
using zav::Right;
using zav::Trim;
using zav::Val;

namespace {

// A yes/no answer as its option index; -1 for anything else.
int IndiceSiNo(const QString& valor)
{
    if (valor == QLatin1String("0"))
        return 0;
    if (valor == QLatin1String("1"))
        return 1;
    return -1;
}

// A whole number in the 16-bit range, as the runtime's integer conversion takes it.
bool EnteroCorto(const QString& texto, int& n)
{
    double v = 0;
    if (!LeeNumero(texto, v))
        return false;
    const double r = std::nearbyint(v);   // half to even, as CInt
    if (r < -32768 || r > 32767)
        return false;
    n = static_cast<int>(r);
    return true;
}

bool SoloDigitos(const QString& t)
{
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !t.isEmpty();
}

// A text the date mask "##/##/####" takes as it stands: digits or blanks of the mask in
// the number places, the slashes in theirs.
bool CabeEnMascaraFecha(const QString& t)
{
    if (t.size() != 10)
        return false;
    for (int i = 0; i < 10; ++i) {
        const QChar c = t.at(i);
        if (i == 2 || i == 5) {
            if (c != QLatin1Char('/'))
                return false;
        } else if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('_')) {
            return false;
        }
    }
    return true;
}

// The coefficient as stored: four decimals (coefficient) or two (percentage).
QString TextoCoeficiente(const QString& valor)
{
    double v = 0;
    if (!LeeNumero(valor, v))
        return QString();
    const int punto = valor.indexOf(QLatin1Char('.'));
    const int decimales = punto < 0 ? 0 : static_cast<int>(valor.size()) - punto - 1;
    if (decimales == 2)
        return zav::Format(v, kMascaraCoefB);
    if (decimales == 0)
        return zav::Format(v, kMascaraNormal);
    return zav::Format(v, kMascaraCoefA);
}

void Elegir(zav::OptionArray* o, int indice)
{
    if (indice >= 0)
        o->SetValue(indice, true);
}

// A stored declaration that cannot be read is not opened: saving its empty window would
// replace what is stored.
void NoLeida(Frm947& f, const dao::DaoError& e)
{
    f.mLecturaFallida = true;
    zav::SetHourglass(false);
    zav::MsgBox(QStringLiteral("La declaración no fue leída. Error (%1): %2").arg(e.Number).arg(e.Description), 16,
                f.Caption());
}

// The first item of the list whose code (read from the item by `codigo`) is the text.
void EligeCodigo(zav::ComboBox* combo, const QString& texto, QString (*codigo)(const QString&))
{
    for (int i = 0; i < combo->ListCount(); ++i)
        if (codigo(combo->List(i)) == texto) {
            combo->SetListIndex(i);
            return;
        }
}

QString UltimosDos(const QString& item) { return Right(item, 2); }
QString PrimerosDos(const QString& item) { return Left(item, 2); }

void Desactiva(zav::OptionArray* o)
{
    o->SetValue(0, false);
    o->SetValue(1, false);
    o->SetEnabled(false);
}

// The identification page from what the stored rows left in the boxes and the answer
// members. Loading holds the Amazonía, frontier and zone handlers back, so the enabling
// that follows from each answer is set here.
void RestauraRespuestas(Frm947& f)
{
    AppState& a = App();
    EligeCodigo(f.CmbZona, Trim(f.mModelo.Texto(209)), UltimosDos);
    EligeCodigo(f.cboTipDocRepLegal, Trim(f.mModelo.Texto(225)), PrimerosDos);

    const QString convenio = Trim(f.mConvenio);
    if (convenio != QLatin1String("0") && !convenio.isEmpty())
        f.OptConvEstab->SetValue(static_cast<int>(Val(convenio)), true);

    const int regimen = static_cast<int>(Val(f.mCodRegimen));
    if (!Trim(f.mCodRegimen).isEmpty()) {
        const std::map<int, int> indices{{4, 0}, {1, 1}, {2, 2}, {3, 3}, {6, 4}, {8, 5}};
        const auto i = indices.find(regimen);
        if (i != indices.end())
            f.optRenta->SetValue(i->second, true);
    }

    const QString ley = Trim(f.mLeyAmazonia);
    const QString ubicacion = Trim(f.mUbicAmazonia);
    if (ley == QLatin1String("0") || ley.isEmpty()) {
        if (ubicacion == QLatin1String("0")) {
            f.OptUbicAmazonia->SetValue(0, true);
            if (ley == QLatin1String("0"))
                f.OptLeyAmazonia->SetValue(0, true);
            f.Label1[13]->SetEnabled(false);
            Desactiva(f.OptDomFiscal);
            f.OptZona->SetValue(0, false);
            f.OptZona->SetValue(1, false);
            f.CmdZona1->setEnabled(false);
            f.OptZona->SetEnabled(false);
            a.gUbigeo.clear();
            f.TxtUbigeo->SetText(QString());
        } else if (ubicacion == QLatin1String("1")) {
            f.OptUbicAmazonia->SetValue(1, true);
            Desactiva(f.OptLeyAmazonia);
            f.Label1[12]->SetEnabled(false);
            f.Frame19->setEnabled(false);
        }
    } else if (ley == QLatin1String("1")) {
        f.OptLeyAmazonia->SetValue(1, true);
        f.Frame21->setEnabled(false);
        f.Label1[17]->SetEnabled(false);
        Desactiva(f.OptUbicAmazonia);
    }

    if (regimen == 4 || regimen == 8) {
        if (f.mPersona == QLatin1String("0"))
            f.OptPersona->SetValue(0, true);
        else if (f.mPersona == QLatin1String("1"))
            f.OptPersona->SetValue(1, true);
    }

    const QString domicilio = Trim(f.mDomFiscal);
    if (domicilio == QLatin1String("0")) {
        f.OptDomFiscal->SetValue(0, true);
        Desactiva(f.OptZona);
        f.CmdZona1->setEnabled(false);
    } else if (domicilio == QLatin1String("1")) {
        f.OptDomFiscal->SetValue(1, true);
    }

    const QString zona = Trim(f.mZona);
    if (zona == QLatin1String("0") || zona == QLatin1String("1")) {
        const int i = zona == QLatin1String("0") ? 0 : 1;
        f.OptZona->SetValue(i, true);
        f.OptZona->SetEnabled(i, true);
        f.CmdZona1->setEnabled(true);
    }

    const QString actividad = Trim(f.mActividad);
    if (actividad == QLatin1String("0")) {
        f.OptActividad->SetValue(0, true);
        f.OptFrontera->SetEnabled(false);
        f.CmdZona2->setEnabled(false);
    } else if (actividad == QLatin1String("1")) {
        f.OptActividad->SetValue(1, true);
    }

    const QString frontera = Trim(f.mFrontera);
    if (frontera == QLatin1String("0")) {
        f.OptFrontera->SetValue(0, true);
        f.CmdZona2->setEnabled(false);
    } else if (frontera == QLatin1String("1")) {
        f.OptFrontera->SetValue(1, true);
    }

    f.Calcular113();
    f.mModelo.PonTexto(113, f.mCasilla113);
}

// The declaration the window shows: the chosen sending in sent mode, else the stored one.
almacen::ClaveDeclaracion ClaveVentana(const Frm947& f)
{
    const AppState& a = App();
    if (a.gModoEnviadas)
        return almacen::ClaveDeclaracion::Envio(a.gRuc, a.gPeriodo, a.gFormulario, a.gCorrel);
    return revision::Clave(f.NumDocumento, a.gPeriodo);
}

// The Rectificatoria answer is kept in the header, not in a row: without it a save of the
// reopened declaration would store it empty.
void RestauraRectificatoria(Frm947& f)
{
    QString rectifica;
    try {
        auto rs = almacen::LeeCabecera(*App().gBaseDatos, ClaveVentana(f));
        if (!rs->Eof())
            rectifica = Trim(rs->Fields(QStringLiteral("rectifica")).Value().toText());
    } catch (const dao::DaoError& e) {
        NoLeida(f, e);
        return;
    }
    Elegir(f.OptRectifica, IndiceSiNo(rectifica));
}

} // namespace

void Frm947::pCargaIdent(int modo)
{
    const AppState& a = App();
    if (modo == 0) {
        LlenaComboRuc();
        CmbRuc->setFixedWidth(AnchoCmbRuc());
        AnchoListaCombo(this, CmbRuc, 50);
        ActualizaBarraEstado(QString(), QString(), a.gPeriodo, a.gFormulario);
        MuestraMarcos(this, false, false, false, false, false, false);
        TxtNumRuc->SetEnabled(false);
        TxtNumRuc->SetVisible(false);
        TxtNumRuc->SetBackColor(zav::kColorGris);
        CmbRuc->SetEnabled(true);
        CmbRuc->SetVisible(true);
        TxtRazon->SetEnabled(false);
        TxtRazon->SetBackColor(zav::kColorGris);
        TxtTelefono->SetEnabled(true);
        Label1[9]->SetEnabled(false);
        MkePeriodo->SetBackColor(zav::kColorGris);
        MkePeriodo->SetEnabled(false);
    } else if (modo == 1) {
        ActualizaBarraEstado(NumDocumento, RazonSocial, a.gPeriodo, a.gFormulario);
        MuestraMarcos(this, false, true, true, false, true, true);
        CmbRuc->SetEnabled(false);
        CmbRuc->SetVisible(false);
        TxtNumRuc->SetEnabled(false);
        TxtNumRuc->SetBackColor(zav::kColorGris);
        TxtRazon->SetEnabled(false);
        TxtRazon->SetBackColor(zav::kColorGris);
        TxtTelefono->SetEnabled(true);
        TxtNumRuc->SetText(NumDocumento);
        // The name's change loads the stored rows; a name equal to the box's text (an
        // empty one) would change nothing, and the rows are loaded all the same.
        if (TxtRazon->Text() == RazonSocial)
            Frm947_TxtRazon_Change();
        else
            TxtRazon->SetText(RazonSocial);
        if (mLecturaFallida)
            return;
        RestauraRespuestas(*this);
        RestauraRectificatoria(*this);
    }
}

// The boxes follow the taxpayer on the window. A new declaration has no stored rows to
// show: its boxes are blanked without reading any, so that choosing a taxpayer never
// brings in another declaration's amounts.
void Frm947::Frm947_TxtRazon_Change()
{
    if (Modo != 0 && pCargaDetalle())
        return;
    for (int n : mCasillas) {
        if (n == 208 || n == 211 || n == 212 || n == 226)
            continue;
        mModelo.PonTexto(n, QString());
    }
}


// Stored rows in the order of their codes, so that the answers 605 to 611 arrive in the
// order their handlers expect (each clears the ones after it).
bool Frm947::pCargaDetalle()
{
    std::vector<almacen::Casilla> filas;
    try {
        filas = almacen::LeeCasillas(*App().gBaseDatos, ClaveVentana(*this), almacen::OrdenCasillas::Numero);
    } catch (const dao::DaoError& e) {
        NoLeida(*this, e);
        return true;
    }
    if (filas.empty())
        return false;
    for (const almacen::Casilla& c : filas)
        pMuestraCasilla(Trim(c.Codigo), Trim(c.Valor));
    return true;
}

// Where one stored row goes. A value its control cannot take (an answer that is neither
// 0 nor 1, a list position the list does not have, a date the mask cannot hold, a count
// beyond the integer range, a number that overflows, an amount of more than fifteen
// digits) and a code that is no box of the window are skipped.
void Frm947::pMuestraCasilla(const QString& codigo, const QString& valor)
{
    int n = 0;
    if (ValorDesbordado(codigo) || ValorDesbordado(valor) || !EnteroCorto(codigo, n))
        return;
    auto caja = [this, n](const QString& texto) { mModelo.PonTexto(n, texto); };
    switch (n) {
    case 7:
        if (valor.size() > 4)
            TxtEjercicio->SetText(Right(valor, 2) + QLatin1Char('/') + Left(valor, 4));
        return;
    case 28:
        TxtTelefono->SetText(valor);
        return;
    case 56:
        mCodRegimen = valor;
        return;
    case 113:
        if (ImporteDesmedido(valor))
            return;
        caja(FormatoTexto(valor, kMascaraNormal));
        mCasilla113 = valor;
        return;
    case 200:
        if (valor.size() == 8 && SoloDigitos(valor))
            MkePeriodo->SetText(Right(valor, 2) + QLatin1Char('/') + Mid(valor, 5, 2) + QLatin1Char('/') + Left(valor, 4));
        return;
    case 208:
        caja(zav::Format(std::fabs(Val(valor)), QStringLiteral("########")));
        return;
    case 209:
    case 211:
    case 212:
    case 225:
    case 226:
        caja(valor);
        return;
    case 224:
        TxtNumOrdenF7842->SetText(valor);
        return;
    case 601:
        mActividad = valor;
        return;
    case 602:
        mFrontera = valor;
        return;
    case 603:
        App().gUbigeo = valor;
        TxtUbigeo2->SetText(valor);
        return;
    case 605:
        Elegir(OptInicio, IndiceSiNo(valor));
        return;
    case 606:
        Elegir(OptPrecedente, IndiceSiNo(valor));
        return;
    case 607:
        Elegir(OptAnterior, IndiceSiNo(valor));
        return;
    case 608: {
        int i = 0;
        if (EnteroCorto(valor, i) && i >= 0 && i < CboBalance->ListCount())
            CboBalance->SetListIndex(i);
        return;
    }
    case 610: {
        if (ImporteDesmedido(valor))
            return;
        const QString t = TextoCoeficiente(valor);
        if (!t.isEmpty())
            caja(t);
        return;
    }
    case 611:
        Elegir(OptSuspPC, IndiceSiNo(valor));
        return;
    case 612:
        txtNumRes->SetText(valor);
        return;
    case 613:
        if (CabeEnMascaraFecha(valor))
            mkefecnot->SetText(valor);
        return;
    case 662: {
        // A text that is no number counts as none; a count beyond the range is left out.
        double v = 0;
        int perdidas = 0;
        if (!LeeNumero(valor, v))
            App().gNumPerdidas = 0;
        else if (EnteroCorto(valor, perdidas))
            App().gNumPerdidas = perdidas;
        return;
    }
    case 804:
        mConvenio = valor;
        return;
    case 809:
        mUbicAmazonia = valor;
        return;
    case 810:
        mLeyAmazonia = valor;
        return;
    case 811:
        mZona = valor;
        return;
    case 812:
        App().gUbigeo = valor;
        TxtUbigeo->SetText(valor);
        return;
    case 813:
        mPersona = valor;
        return;
    case 815:
        TxtNombreA->SetText(valor);
        return;
    case 816:
        TxtNombreN->SetText(valor);
        return;
    case 817:
        txtApellidoRL->SetText(valor);
        return;
    case 818:
        txtNombreRL->SetText(valor);
        return;
    case 860:
        mDomFiscal = valor;
        return;
    default:
        break;
    }
    // The amount boxes; the other stored codes (the document, the version, the codes of
    // other form layouts) are no box of the window.
    if (!mModelo.Existe(n) || ImporteDesmedido(valor))
        return;
    if (EsCasillaDeduccion(n)) {
        if (valor.isEmpty())
            return;
        caja(valor == QLatin1String("0") ? valor : zav::Format(std::fabs(Val(valor)), kMascaraDeduccion));
    } else if (EsCasillaSigno(n)) {
        caja(zav::Format(Val(valor), kMascaraSigno));
    } else {
        caja(FormatoTexto(valor, kMascaraNormal));
    }
}

// The order number kept with the sent declaration; a sent row without one shows "0".
void Frm947::Cargacab()
{
    const AppState& a = App();
    auto rs = almacen::LeeCabecera(*a.gBaseDatos,
                                   almacen::ClaveDeclaracion::Envio(a.gRuc, a.gPeriodo, a.gFormulario, a.gCorrel));
    if (!rs->Eof()) {
        const dao::Variant norden = rs->Fields(QStringLiteral("norden")).Value();
        txtOrden->SetText(norden.isNull() ? QStringLiteral("0") : norden.toText());
    }
}

// A sent declaration is only read: nothing but its order number and check digit can be typed.
void Frm947::DesTodo()
{
    TxtNumRuc->SetBackColor(zav::kColorGris);
    TxtRazon->SetBackColor(zav::kColorGris);
    CmdValidar->setVisible(false);
    CmdGrabar->setText(QStringLiteral("&Registrar Nro. Orden"));
    CmdGrabar->setMinimumWidth(zav::TwipsToPixels(2000));
    for (QWidget* w : std::initializer_list<QWidget*>{
             Frame26, Frame35, Frame34, Frame36, Frame_General, Frame15, Frame19, Frame21, Frame20, Frame13, Frame16,
             Frame14, Frame9, Frame17, Frame6, Frame7})
        w->setEnabled(false);
    TxtTelefono->SetEnabled(false);
    TxtTelefono->SetBackColor(zav::kColorGris);
    CboBalance->SetBackColor(zav::kColorGris);
    for (zav::EditBase* t : {static_cast<zav::EditBase*>(TxtNumOrdenF7842), static_cast<zav::EditBase*>(TxtNombreA),
                             static_cast<zav::EditBase*>(TxtNombreN), static_cast<zav::EditBase*>(txtApellidoRL),
                             static_cast<zav::EditBase*>(txtNombreRL)})
        t->SetBackColor(zav::kColorGris);
    for (int n : {208, 209, 211, 212, 225, 226})
        mModelo.PonBackColor(n, zav::kColorGris);
    CmbZona->SetBackColor(zav::kColorGris);
    cboTipDocRepLegal->SetBackColor(zav::kColorGris);
    // Through the box model, which keeps each box's state.
    for (int n : mCasillas) {
        mModelo.PonEnabled(n, false);
        mModelo.PonBackColor(n, zav::kColorGris);
    }
    for (int i : {0, 1, 2})
        cmdPerdida[i]->setEnabled(false);
}
