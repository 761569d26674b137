// Checking, saving and leaving the declaration window.
#include "declaration/Frm947.h"

#include "declaration/Frm947_revision.h"
#include "declaration/amounts/Importes.h"

#include "almacen/AlmacenDeclaracion.h"
#include "common/Clock.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QDate>
#include <QGroupBox>
#include <QSet>
#include <QTabWidget>

#include <optional>
#include <vector>

using zav::Left;
using zav::Len;
using zav::Mid;
using zav::Right;
using zav::Trim;
using zav::Val;

// ---- saving -----------------------------------------------------------------------------------

namespace {

const QString kMascaraVacia = QStringLiteral("__/__/____");

// The boxes whose text is stored as typed: codes, registration numbers, place codes, the
// telephone and the dates of the suspension resolution. Leading zeros must survive.
bool SeGuardaTalCual(const QString& casilla)
{
    static const QSet<QString> codigos{
        QStringLiteral("200"), QStringLiteral("209"), QStringLiteral("211"), QStringLiteral("212"),
        QStringLiteral("220"), QStringLiteral("224"), QStringLiteral("225"), QStringLiteral("226"),
        QStringLiteral("015"), QStringLiteral("721"), QStringLiteral("812"), QStringLiteral("611"),
        QStringLiteral("612"), QStringLiteral("613"), QStringLiteral("603"), QStringLiteral("028")};
    return codigos.contains(casilla);
}

QString FormaTexto(const QString& casilla, const QString& valor, const QString& periodo)
{
    if (SeGuardaTalCual(casilla))
        return valor;
    QString mascara = QStringLiteral("###########0");
    if (casilla == QLatin1String("610")) {
        const QString sistema = App().gSistema;
        if (Val(Left(periodo, 4)) >= 2013 || sistema == QLatin1String("A"))
            mascara = QStringLiteral("###########0.0000");
        else if (sistema == QLatin1String("B"))
            mascara = QStringLiteral("###########0.00");
        else
            return QStringLiteral("0");
    }
    double numero = 0;
    if (!LeeNumero(valor, numero))
        return valor;
    return zav::Format(numero, mascara);
}

bool SeOmite(const QString& valor)
{
    const QString t = Trim(valor);
    return t.isEmpty() || valor == QLatin1String("\t") || valor == QLatin1String("\n")
           || valor == QLatin1String("\r") || t == QLatin1String("________");
}

// The box rows of a save in the order they are stored, each in its stored form; the
// empty ones are left out.
class FilasGrabacion {
public:
    explicit FilasGrabacion(const QString& periodo) : periodo_(Trim(periodo)) {}

    void Graba(const QString& casilla, const QString& valor)
    {
        if (!SeOmite(valor))
            filas_.push_back({casilla, FormaTexto(casilla, valor, periodo_)});
    }
    // The row that stores the number of loss rows, counted by the save itself.
    void CuentaPerdidas(const QString& casilla)
    {
        filas_.push_back({casilla, QString()});
        casillaPerdidas_ = casilla;
    }
    void Entrega(almacen::Grabacion& g)
    {
        g.Casillas = std::move(filas_);
        g.CasillaPerdidas = casillaPerdidas_;
    }

private:
    QString periodo_;
    std::vector<almacen::FilaCasilla> filas_;
    QString casillaPerdidas_;
};

QString SiNo(const zav::OptionArray* o)
{
    if (o->Value(1))
        return QStringLiteral("1");
    if (o->Value(0))
        return QStringLiteral("0");
    return QString();
}

QString AAAAMMDD(const QString& fecha)
{
    return Right(fecha, 4) + Mid(fecha, 4, 2) + Mid(fecha, 1, 2);
}

bool EsFecha(const QString& texto)
{
    return QDate::fromString(texto, QStringLiteral("dd/MM/yyyy")).isValid();
}

// A refusal: the message, the default pointer, nothing written.
void Rehusa(Frm947& f, const QString& texto)
{
    zav::MsgBox(texto, 16, f.Caption());
    zav::SetHourglass(false);
}

// A database error stops the save: it is reported and nothing stays half written.
void NoGrabada(Frm947& f, const dao::DaoError& e)
{
    zav::SetHourglass(false);
    zav::MsgBox(QStringLiteral("La declaración no fue grabada. Error (%1): %2").arg(e.Number).arg(e.Description), 16,
                f.Caption());
}

// The length rule of a taxpayer number is read from PARAM: a database error there stops
// the save like any other (reported, nothing written), never the program.
std::optional<bool> RucValido(Frm947& f, const QString& ruc)
{
    try {
        return ValidaLongitudDocumento(QStringLiteral("06"), ruc) && App().gUtil->ValidaRUC(ruc);
    } catch (const dao::DaoError& e) {
        NoGrabada(f, e);
        return std::nullopt;
    }
}

// The closing text of a stored declaration. The save has committed by then, so a text
// table that cannot be read must not turn it into a failure.
QString TextoGrabada()
{
    try {
        return MensajeError(151);
    } catch (const dao::DaoError&) {
        return QStringLiteral("La información de la declaración fue grabada satisfactoriamente.");
    }
}

// Regime code of fixed code 056.
QString CodigoRegimen(int regimen)
{
    static const char* const codigos[] = {"4", "1", "2", "3", "6", "8"};
    return regimen >= 0 && regimen <= 5 ? QString::fromLatin1(codigos[regimen]) : QString();
}

// The fixed identification codes, in the order they are stored.
void GrabaCodigosFijos(Frm947& f, FilasGrabacion& det, const QString& periodo)
{
    const AppState& a = App();
    const int anio = static_cast<int>(Val(Left(a.gPeriodo, 4)));
    const int regimen = f.optRenta->Chosen();
    auto graba = [&det](const char* codigo, const QString& valor) { det.Graba(QString::fromLatin1(codigo), valor); };

    graba("002", f.NumDocumento);
    graba("007", periodo);
    // A new declaration's name box holds three blanks before the name (its list item), a
    // reopened one the bare name: cut the name itself, so both store the same row.
    graba("801", Trim(Left(Trim(f.TxtRazon->Text()), 15)));
    graba("028", Trim(f.TxtTelefono->Text()));
    const QString persona = f.OptPersona->Value(0) ? QStringLiteral("0") : f.OptPersona->Value(1) ? QStringLiteral("1") : QString();
    if (regimen == 0)
        graba("813", persona);
    if (regimen == 5)
        graba("813", persona);
    if (regimen == 1)
        graba("200", AAAAMMDD(f.MkePeriodo->Text()));
    if (regimen == 2) {
        graba("809", SiNo(f.OptUbicAmazonia));
        graba("810", SiNo(f.OptLeyAmazonia));
        graba("860", SiNo(f.OptDomFiscal));
        graba("811", SiNo(f.OptZona));
        graba("812", Trim(f.TxtUbigeo->Text()));
    }
    if (regimen == 3) {
        graba("601", SiNo(f.OptActividad));
        graba("602", SiNo(f.OptFrontera));
        graba("603", Trim(f.TxtUbigeo2->Text()));
    }
    if (regimen == 4) {
        QString convenio = QStringLiteral("0");
        for (int i = 1; i <= 4; ++i)
            if (f.OptConvEstab->Value(i))
                convenio = QString::number(i);
        graba("804", convenio);
        graba("224", Trim(f.TxtNumOrdenF7842->Text()));
    }
    graba("056", CodigoRegimen(regimen));
    graba("605", SiNo(f.OptInicio));
    graba("606", SiNo(f.OptPrecedente));
    graba("607", SiNo(f.OptAnterior));
    graba("608", f.CboBalance->ListIndex() >= 0 ? QString::number(f.CboBalance->ListIndex()) : QString());
    graba("609", anio < 2013 ? Trim(f.LblSistema->Caption()) : QStringLiteral("0"));
    if (anio >= 2013) {
        const bool suspension = f.OptSuspPC->Value(1);
        graba("611", suspension ? QStringLiteral("1") : QStringLiteral("0"));
        if (suspension) {
            graba("612", f.txtNumRes->Text());
            graba("613", f.mkefecnot->Text());
        }
    }
    det.CuentaPerdidas(QStringLiteral("662"));
    graba("721", QStringLiteral("1.6"));
    graba("815", Left(f.TxtNombreA->Text(), 15));
    graba("816", Left(f.TxtNombreN->Text(), 15));
    graba("817", Left(f.txtApellidoRL->Text(), 15));
    graba("818", Left(f.txtNombreRL->Text(), 15));
}

// What a save stores, from the window: the header's answers and every box row. The MYPE
// boxes of another regime are not stored.
almacen::Grabacion RecogeGrabacion(Frm947& f, const QString& periodo, bool nueva, bool completa)
{
    almacen::Grabacion g;
    g.Clave = revision::Clave(f.NumDocumento, periodo);
    g.Nueva = nueva;
    g.FechaProceso = zav::FormatDate(zav::Today(), QStringLiteral("dd/mm/yyyy"));
    g.Estado = completa ? 0 : 9;
    g.Rectifica = f.OptRectifica->Value(1) ? QStringLiteral("1") : f.OptRectifica->Value(0) ? QStringLiteral("0") : QString();
    g.Perdidas = f.PerdidasPendientes(f.NumDocumento, periodo);
    const QString t108 = f.mModelo.Texto(108);
    g.SinPerdidas = t108 == QLatin1String("0") || t108.isEmpty();
    const bool mype = f.optRenta->Value(5);
    FilasGrabacion det(periodo);
    for (int n : f.mCasillas)
        if (mype || n < 250 || n > 253)
            det.Graba(zav::Format(static_cast<double>(n), QStringLiteral("000")), Trim(f.mModelo.Texto(n)));
    GrabaCodigosFijos(f, det, periodo);
    det.Entrega(g);
    return g;
}

// After a save, the window shows what was stored: no MYPE boxes and no Amazonía answers
// outside their regimes.
void LimpiaFueraDelRegimen(Frm947& f)
{
    if (!f.optRenta->Value(5))
        for (int n : {250, 251, 252, 253})
            f.mModelo.PonTexto(n, QString());
    if (!f.optRenta->Value(2))
        for (zav::OptionArray* o : {f.OptLeyAmazonia, f.OptUbicAmazonia, f.OptDomFiscal, f.OptZona})
            o->Clear();
}


} // namespace

almacen::ClaveDeclaracion revision::Clave(const QString& documento, const QString& periodo)
{
    return almacen::ClaveDeclaracion::Guardada(documento, periodo, App().gFormulario);
}

almacen::ClaveDeclaracion revision::ClavePerdidas(const QString& documento)
{
    const AppState& a = App();
    if (a.gModoEnviadas)
        return almacen::ClaveDeclaracion::Envio(documento, a.gPeriodo, a.gFormulario, a.gCorrel);
    return Clave(documento, a.gPeriodo);
}

bool revision::ExisteCab(const QString& documento, const QString& periodo)
{
    return almacen::ExisteCabecera(*App().gBaseDatos, Clave(documento, periodo));
}

QString revision::TextoDuplicada(const Frm947& f, bool saltoDeLinea)
{
    return QStringLiteral("La declaración que desea registrar ya existe ") + f.mFechaBalance + QStringLiteral(". ")
           + (saltoDeLinea ? QStringLiteral("\n") : QString())
           + QStringLiteral("Elija la opción modificar declaración o elija otro contribuyente.");
}

QString revision::PeriodoGrabacion(const Frm947& f)
{
    const QString anio = Left(App().gPeriodo, 4);
    const int indice = f.CboBalance->ListIndex();
    if (Val(anio) < 2013) {
        if (indice == 0)
            return anio + QStringLiteral("01");
        if (indice == 1)
            return anio + QStringLiteral("06");
    } else {
        if (indice == 0)
            return anio + QStringLiteral("05");
        if (indice == 1)
            return anio + QStringLiteral("08");
    }
    return QString();
}

bool Frm947::pGrabaCasilla(const QString& casilla, const QString& valor, const QString& documento,
                           const QString& periodo)
{
    zav::SetHourglass(true);
    if (SeOmite(valor)) {
        zav::SetHourglass(false);
        return false;
    }
    almacen::GrabaCasilla(*App().gBaseDatos, revision::Clave(documento, periodo), casilla,
                          FormaTexto(casilla, valor, Trim(periodo)));
    zav::SetHourglass(false);
    return true;
}

void Frm947::CmdGrabar_Click()
{
    AppState& a = App();
    if (a.gPeriodo == QLatin1String("201301") || a.gPeriodo == QLatin1String("201306")) {
        Rehusa(*this, QStringLiteral("El período no es válido"));
        return;
    }
    QString periodo = revision::PeriodoGrabacion(*this);

    if (optRenta->Chosen() < 0) {
        SSTab1->setCurrentIndex(0);
        SSTab2->setCurrentIndex(0);
        Rehusa(*this, QStringLiteral("Debe señalar el regimen de renta"));
        return;
    }
    auto paginaInicio = [this] {
        SSTab1->setCurrentIndex(0);
        SSTab2->setFocus();
        SSTab2->setCurrentIndex(2);
    };
    if (OptInicio->Chosen() < 0) {
        paginaInicio();
        Rehusa(*this, QStringLiteral("Señale el inicio de actividades en el ejercicio"));
        return;
    }
    if (OptInicio->Value(0)) {
        if (OptAnterior->Chosen() < 0) {
            SSTab1->setCurrentIndex(0);
            SSTab2->setCurrentIndex(2);
            Rehusa(*this, QStringLiteral("Indique si obtuvo utilidad o pérdida en el Ejercicio anterior"));
            return;
        }
        if (OptPrecedente->Chosen() < 0) {
            paginaInicio();
            Rehusa(*this, QStringLiteral("Indique si obtuvo utilidad o pérdida en el Ejercicio precedente al anterior"));
            return;
        }
    }
    if (CboBalance->ListIndex() == -1) {
        paginaInicio();
        Rehusa(*this, QStringLiteral("Seleccione el mes al que debe corresponder la presentación del balance"));
        return;
    }
    if (Left(CboBalance->Text(), 11) == QLatin1String("31 DE JULIO") && OptSuspPC->Value(1)) {
        const QString resolucion = txtNumRes->Text();
        const QString notificacion = mkefecnot->Text();
        QString error;
        if (resolucion.isEmpty() || notificacion == kMascaraVacia)
            error = QStringLiteral("El ingreso de los datos de la Resolución y Fecha de Notificación son campos obligatorios");
        else if (Len(resolucion) < 13)
            error = QStringLiteral("Número de Resolución incompleto");
        else if (resolucion == QLatin1String("0000000000000"))
            error = QStringLiteral("Debe ingresar un Número de Resolución");
        else if (!a.gUtil->ValidaRangoFecha(notificacion, QStringLiteral("01/01/1850"), QStringLiteral("01/01/2500")))
            error = QStringLiteral("La fecha de notificación no es válida");
        else if (AAAAMMDD(notificacion) < QLatin1String("20130322") || !FechaNoPosterior(notificacion))
            error = QStringLiteral("La fecha de notificación no puede ser anterior al 22/03/2013 ni mayor a la fecha del "
                                   "sistema");
        if (!error.isEmpty()) {
            paginaInicio();
            Rehusa(*this, error);
            return;
        }
    }
    if (Val(Left(a.gPeriodo, 4)) < 2013 && periodo.isEmpty()) {
        SSTab1->setCurrentIndex(0);
        Rehusa(*this, QStringLiteral("Debe seleccionar el sistema de pago."));
        return;
    }

    const QString rucElegido = RucDeLista();
    const QString documento = Modo == 0 ? rucElegido : TxtNumRuc->Text();
    zav::SetHourglass(true);

    // A new declaration this window has not stored yet (a loss row may have fixed its key
    // on the window before).
    const bool nueva = Modo == 0 && !mGrabada;
    bool existe = false;
    try {
        existe = nueva && revision::ExisteCab(rucElegido, periodo);
    } catch (const dao::DaoError& e) {
        NoGrabada(*this, e);
        return;
    }
    auto rehusaDuplicada = [this] {
        SSTab1->setCurrentIndex(0);
        MuestraMarcos(this, false, false, false, false, false, false);
        zav::MsgBox(revision::TextoDuplicada(*this, true), 16, Caption());
        CmbRuc->setFocus();
        zav::SetHourglass(false);
    };
    if (existe) {
        rehusaDuplicada();
        return;
    }

    if (a.gModoEnviadas && a.gOpcion == 2) {
        revision::RegistraNumeroOrden(*this, periodo);
        return;
    }

    // A taxpayer whose choice could not be completed is no taxpayer of this window.
    if (Modo == 0 && (rucElegido.isEmpty() || Trim(NumDocumento) != rucElegido)) {
        SSTab1->setCurrentIndex(0);
        Rehusa(*this, QStringLiteral("Debe seleccionar un Contribuyente."));
        CmbRuc->setFocus();
        return;
    }
    const QString fecha5136 = MkePeriodo->Text();
    if (fecha5136 != kMascaraVacia && (!ValidaPeriodo() || !EsFecha(fecha5136))) {
        SSTab1->setCurrentIndex(0);
        Rehusa(*this, QStringLiteral("El año de la fecha del formulario 5136 debe corresponder al año de la presentación"));
        MkePeriodo->setFocus();
        return;
    }
    if (optRenta->Value(1) && !FechaNoPosterior(fecha5136)) {
        SSTab1->setCurrentIndex(0);
        Rehusa(*this, QStringLiteral("La fecha de presentación del formulario 5136 no puede ser mayor a la fecha del sistema"));
        MkePeriodo->setFocus();
        return;
    }
    // The RUCs of the accountant and of the representative.
    auto rehusaRuc = [this](int casilla, const QString& texto) {
        Frame1[5]->setVisible(true);
        SSTab1->setCurrentIndex(3);
        SSTab4->setCurrentIndex(0);
        Rehusa(*this, texto);
        FocoA(casilla);
    };
    const QString kRucInvalido = QStringLiteral("El RUC no es Válido.");
    const QString kRucIgual = QStringLiteral("El RUC no puede ser igual al RUC del Contribuyente.");
    // A taxpayer number in a box: valid where the box holds one, and not the declarer's own.
    const auto rucAceptado = [&](int casilla, bool esRuc) {
        const QString ruc = Trim(mModelo.Texto(casilla));
        if (ruc.isEmpty())
            return true;
        if (esRuc) {
            const std::optional<bool> valido = RucValido(*this, ruc);
            if (!valido)
                return false;
            if (!*valido) {
                rehusaRuc(casilla, kRucInvalido);
                return false;
            }
        }
        if (ruc == Trim(documento)) {
            rehusaRuc(casilla, kRucIgual);
            return false;
        }
        return true;
    };
    if (!rucAceptado(208, true) || !rucAceptado(226, Left(cboTipDocRepLegal->Text(), 2) == QLatin1String("06")))
        return;

    periodo = revision::PeriodoGrabacion(*this);

    almacen::ResultadoGrabacion r;
    bool completa = false;
    try {
        // The completeness check only reads; it runs before the write so that its messages
        // never wait with the database locked. A failing loss query is reported like a failing write.
        completa = DeclaracionCompleta();
        zav::SetHourglass(true);
        r = almacen::GrabaDeclaracion(*a.gBaseDatos, RecogeGrabacion(*this, periodo, nueva, completa));
    } catch (const dao::DaoError& e) {
        NoGrabada(*this, e);
        return;
    }
    if (r.Resultado == almacen::ResultadoGrabacion::Duplicada) {
        rehusaDuplicada();
        return;
    }
    if (r.Resultado == almacen::ResultadoGrabacion::Borrada) {
        Rehusa(*this, QStringLiteral("La declaración ya no existe: otro usuario la eliminó. No fue grabada."));
        return;
    }
    App().gNumPerdidas = r.NumPerdidas;
    LimpiaFueraDelRegimen(*this);
    a.gAccion = completa ? 1 : 3;
    mGrabada = true;
    // The loss changes are stored now.
    mPerdidasPendientes.clear();

    if (Modo == 0) {
        ActualizaBarraEstado(NumDocumento, Trim(TxtRazon->Text()), App().gPeriodo, App().gFormulario);
        CongelaClave();
    }

    zav::SetHourglass(false);
    mModificado = false;

    if (a.gAccion == 3)
        zav::MsgBox(MensajeError(152), 48, Caption());
    else
        zav::MsgBox(TextoGrabada(), 64, Caption());
    a.gAccion = 1;
}

// ---- leaving ------------------------------------------------------------------------------------

void Frm947::cmdCancelar_Click()
{
    AppState& a = App();
    a.gAccion = 3;
    if (!a.gModoEnviadas && mModificado) {
        const int r = zav::MsgBox(QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?"), 35,
                                  Caption());
        if (r == zav::vbCancel)
            return;
        if (r == zav::vbYes) {
            CmdGrabar_Click();
            // A refused or failed save keeps the window and what the user typed.
            if (mModificado)
                return;
            a.gUbigeo.clear();
            Descargar();
            return;
        }
    } else if (a.gModoEnviadas && mModificado) {
        const int r = zav::MsgBox(QStringLiteral(" El número de orden ha cambiado. ¿Desea guardar los cambios?"), 36,
                                  Caption());
        if (r == zav::vbYes) {
            const int n = Len(txtOrden->Text());
            if (n < 8 || n > 10) {
                zav::MsgBox(QStringLiteral("El número de orden es incorrecto"), 16, Caption());
                return;
            }
            if (!a.gUtil->ValidaNumeroOrden(a.gControl, Trim(txtOrden->Text()), Trim(txtverifica->Text()).toUpper())) {
                zav::MsgBox(QStringLiteral("Digito verificador incorrecto"), 16, Caption());
                return;
            }
            CmdGrabar_Click();
            // A number the database did not take keeps the window, as a failed save does.
            if (mModificado)
                return;
            a.gUbigeo.clear();
            Descargar();
            return;
        }
    }

    // A header another program left unfinished (check value "0") goes with its rows. The
    // loss changes were never written: leaving forgets them. A database error is
    // reported and the window is left all the same.
    try {
        almacen::Abandona(*a.gBaseDatos, revision::Clave(RucDeLista(), a.gPeriodo));
    } catch (const dao::DaoError& e) {
        zav::SetHourglass(false);
        zav::MsgBox(QStringLiteral("La declaración no fue eliminada. Error (%1): %2").arg(e.Number).arg(e.Description), 16,
                    Caption());
    }
    ActualizaBarraEstado(QString(), QString(), QString(), a.gFormulario);
    a.gUbigeo.clear();
    Descargar();
}
