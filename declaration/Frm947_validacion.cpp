// The full consistency check behind Validar, its list file Mens.txt, and Validar itself.
#include "declaration/Frm947.h"
#include "declaration/FrmConsist.h"
#include "declaration/Frm947_revision.h"
#include "declaration/amounts/Importes.h"

#include "common/Cp1252.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>

using zav::Left;
using zav::Len;
using zav::Mid;
using zav::Right;
using zav::Trim;
using zav::Val;

// ---- shared by the rule lists ---------------------------------------------------------------

double revision::ImporteEntero(const QString& texto)
{
    double numero = 0;
    return LeeNumero(texto, numero) ? ::ImporteEntero(numero) : 0;
}

int revision::CargaPerdidas(Frm947& f, const almacen::ClaveDeclaracion& clave)
{
    // The stored rows as the window's unsaved changes leave them (a sending has none).
    const almacen::FilasTabla t = almacen::LeePerdidas(
        *App().gBaseDatos, clave,
        clave.EsEnvio() ? almacen::CambiosPerdidas() : f.PerdidasPendientes(clave.Documento, clave.Periodo));
    QStandardItemModel* m = f.dtaPerdidaTributaria;
    m->clear();
    m->setHorizontalHeaderLabels(t.Columnas);
    for (const dao::Params& valores : t.Filas) {
        QList<QStandardItem*> fila;
        for (const dao::Variant& v : valores)
            fila << new QStandardItem(v.toText());
        m->appendRow(fila);
    }
    f.grdPerdidaTributaria->viewport()->update();
    return static_cast<int>(t.Filas.size());
}

// ---- the full check -----------------------------------------------------------------------------

namespace {

const QString kMascaraVacia = QStringLiteral("__/__/____");

// The list file and the flag of one run of the check.
class ListaInconsistencias {
public:
    explicit ListaInconsistencias(const QString& ruta) : file_(ruta) {}

    bool Abre() { return file_.open(QIODevice::WriteOnly | QIODevice::Truncate); }

    void Falla(const QString& mensaje)
    {
        App().gMensaje = mensaje;
        file_.write(zav::ToCp1252(App().gMensaje) + QByteArrayLiteral("\r\n"));
        App().gHayInconsistencias = 1;
    }

    void Cierra() { file_.close(); }

private:
    QFile file_;
};

bool Vacia(const Frm947& f, int casilla)
{
    return f.mModelo.Texto(casilla).isEmpty();
}

bool VaciaRecortada(const Frm947& f, int casilla)
{
    return Trim(f.mModelo.Texto(casilla)).isEmpty();
}

bool Ninguna(const zav::OptionArray* o)
{
    return o->Chosen() < 0;
}

// Of two boxes only one may hold a value (a and b are the same box in every use).
bool ValidaCasillasAlternativas(Frm947& f, int a, int b, bool mostrar, int c)
{
    const QString ta = QString::number(a);
    const QString tb = QString::number(b);
    const QString tc = QString::number(c);
    if (VaciaRecortada(f, a))
        return true;
    if (VaciaRecortada(f, b)) {
        if (VaciaRecortada(f, c)) {
            if (mostrar)
                App().gMensaje = QStringLiteral("Ingrese valor en las casillas ") + ta + QStringLiteral(" y (") + tc
                                     + QStringLiteral(" o ") + tb + QStringLiteral(")");
            App().gHayInconsistencias = 1;
            return false;
        }
    } else if (!Vacia(f, c)) {
        if (mostrar)
            App().gMensaje = QStringLiteral("Solo debe Ingresar valor en una de las dos casillas (") + tc
                                 + QStringLiteral(" o ") + tb + QStringLiteral(")");
        App().gHayInconsistencias = 1;
        return false;
    }
    return true;
}

bool RucValido(const QString& ruc)
{
    return ValidaLongitudDocumento(QStringLiteral("06"), ruc) && App().gUtil->ValidaRUC(ruc);
}

} // namespace

bool Frm947::ValidaDeclaracion()
{
    AppState& a = App();
    const QString T = (Modo == 0 ? RucDeLista() : Trim(Left(TxtNumRuc->Text(), 11)));

    App().gHayInconsistencias = 0;
    a.gArchivo = a.gSysPath + QStringLiteral("Mens.txt");
    ListaInconsistencias lista(a.gArchivo);
    if (!lista.Abre()) {
        zav::MsgBox(QStringLiteral("No se puede crear el archivo ") + a.gArchivo, 16, Caption());
        return false;
    }
    auto falla = [&lista](const QString& m) { lista.Falla(m); };

    // A rule whose message goes to the list when its condition holds. A table's rules are
    // checked in their order, each condition only when its turn comes.
    struct Regla {
        std::function<bool()> cuando;
        QString mensaje;
    };
    auto aplica = [&falla](std::initializer_list<Regla> reglas) {
        for (const Regla& r : reglas)
            if (r.cuando())
                falla(r.mensaje);
    };

    // Small-business limits.
    const double uit = Val(mUIT);
    if (optRenta->Value(5))
        aplica({
            {[&] { return Vale(253) > 0; }, QStringLiteral("No procede la suspensión de pagos a cuenta")},
            {[&] { return CboBalance->ListIndex() == 0 && IngresoNetos() <= 300 * uit; },
             QStringLiteral("No puede presentar balance al 30 de Abril ")},
            {[&] { return IngresoNetos() > 1700 * uit; },
             QStringLiteral("Ingresos superan el límite establecido para el RMT, deberá presentar su declaración en "
                            "el Régimen General ")},
        });

    // The period follows the balance date.
    const QString anio = Left(a.gPeriodo, 4);
    const int indice = CboBalance->ListIndex();
    if (Val(anio) < 2013) {
        if (indice == 0)
            a.gPeriodo = anio + QStringLiteral("01");
        else if (indice == 1)
            a.gPeriodo = anio + QStringLiteral("06");
    } else if (Mid(a.gPeriodo, 5, 2) != QLatin1String("01") && Mid(a.gPeriodo, 5, 2) != QLatin1String("06")) {
        if (indice == 0)
            a.gPeriodo = anio + QStringLiteral("05");
        else if (indice == 1)
            a.gPeriodo = anio + QStringLiteral("08");
    }
    const double Y = Val(Left(a.gPeriodo, 4));

    if (Modo == 0 && OptInicio->Enabled(0)) {
        if (revision::ExisteCab(T, a.gPeriodo)) {
            SSTab1->setCurrentIndex(0);
            MuestraMarcos(this, false, false, false, false, false, false);
            falla(QStringLiteral("La declaración que desea registrar ya existe ") + mFechaBalance + QStringLiteral(". ")
                  + QStringLiteral("Elija la opción modificar declaración o elija otro contribuyente."));
            CmbRuc->setFocus();
        }
    }

    // Identification and general data.
    const QString telefono = TxtTelefono->Text();
    aplica({
        {[&] { return Len(telefono) >= 1 && Len(telefono) <= 5; },
         QStringLiteral("Ingrese su número de teléfono o un número de referencia")},
        {[&] { return !Trim(telefono).isEmpty() && Val(telefono) == 0; },
         QStringLiteral("Identificación-Datos Generales : El teléfono no puede ser cero")},
        {[&] {
             return Y >= 2013
                    && (Right(a.gPeriodo, 2) == QLatin1String("01") || Right(a.gPeriodo, 2) == QLatin1String("06"));
         },
         QStringLiteral("El período no es valido")},
        {[&] { return Ninguna(optRenta); }, QStringLiteral("Debe señalar el regimen de renta")},
        {[&] { return (optRenta->Value(0) || optRenta->Value(5)) && Ninguna(OptPersona); },
         QStringLiteral("Seleccione el tipo de persona")},
    });
    const QString fecha5136 = MkePeriodo->Text();
    if (optRenta->Value(1))
        aplica({
            {[&] { return fecha5136 == kMascaraVacia; },
             QStringLiteral("El año de la fecha del formulario 5136 debe corresponder al año de la presentación")},
            {[&] { return !FechaNoPosterior(fecha5136); },
             QStringLiteral("La fecha de presentación del formulario 5136 no puede ser mayor a la fecha del sistema")},
            {[&] {
                 return fecha5136 != kMascaraVacia
                        && (!QDate::fromString(fecha5136, QStringLiteral("dd/MM/yyyy")).isValid() || !ValidaPeriodo());
             },
             QStringLiteral("El año de la fecha del formulario 5136 debe corresponder al año de la presentación")},
        });
    if (optRenta->Value(2)) {
        aplica({
            {[&] { return !Ninguna(OptZona) && Trim(TxtUbigeo->Text()).isEmpty(); },
             QStringLiteral("Registre el Ubigeo")},
            {[&] { return zav::Enabled(Frame21) && Ninguna(OptUbicAmazonia); },
             QStringLiteral("Señale si esta ubicado en la amazonía")},
            {[&] { return OptUbicAmazonia->Value(0) && Ninguna(OptLeyAmazonia); },
             QStringLiteral("Señale si esta ubicado en la amazonia")},
        });
        if (OptLeyAmazonia->Value(1) || OptUbicAmazonia->Value(1))
            aplica({
                {[&] { return Ninguna(OptDomFiscal); },
                 QStringLiteral("Indique si su domicilio fiscal se encuentra ubicado en la Amazonia y coincide con el "
                                "lugar donde tiene su administración y contabilidad.")},
                {[&] { return OptDomFiscal->Value(1) && Ninguna(OptZona); },
                 QStringLiteral("Señale la Zona a la que corresponde la ubicación de su domicilio")},
            });
    }
    if (optRenta->Value(3))
        aplica({
            {[&] { return Ninguna(OptActividad); }, QStringLiteral("Señale si se dedica a la actividad industrial.")},
            {[&] { return OptActividad->Value(1) && OptFrontera->Value(1) && TxtUbigeo2->Text().isEmpty(); },
             QStringLiteral("Señale el ubigeo al que corresponde la zona de frontera.")},
            {[&] { return OptActividad->Value(1) && Ninguna(OptFrontera); },
             QStringLiteral("Indique si su domicilio fiscal se encuentra ubicado en la Zona de frontera  y coincide "
                            "con el lugar donde tiene su administración y contabilidad.")},
        });
    if (optRenta->Value(4))
        aplica({
            {[&] { return Ninguna(OptConvEstab); }, QStringLiteral("Especifique si tiene convenio de estabilidad.")},
            {[&] { return Trim(TxtNumOrdenF7842->Text()).isEmpty() || Len(TxtNumOrdenF7842->Text()) != 8; },
             QStringLiteral("Registre correctamente el número de orden del formulario 7842")},
        });

    // Start of activities, prior results, balance month and suspension resolution.
    auto paginaInicio = [this](bool foco) {
        SSTab1->setCurrentIndex(0);
        if (foco)
            SSTab2->setFocus();
        SSTab2->setCurrentIndex(2);
    };
    if (Ninguna(OptInicio)) {
        paginaInicio(true);
        falla(QStringLiteral("Señale el inicio de actividades en el ejercicio"));
    } else {
        bool sigue = true;
        if (OptInicio->Value(0)) {
            if (Ninguna(OptAnterior)) {
                paginaInicio(false);
                falla(QStringLiteral("Indique si obtuvo utilidad o pérdida en el Ejercicio anterior"));
            }
            if (Ninguna(OptPrecedente)) {
                paginaInicio(true);
                falla(QStringLiteral("Indique si obtuvo utilidad o pérdida en el Ejercicio precedente al anterior"));
            }
        }
        if (CboBalance->ListIndex() == -1) {
            paginaInicio(true);
            falla(QStringLiteral("Seleccione el mes al que debe corresponder la presentación del balance"));
            sigue = false;
        }
        if (sigue && Left(CboBalance->Text(), 11) == QLatin1String("31 DE JULIO") && OptSuspPC->Value(1)) {
            const QString resolucion = txtNumRes->Text();
            const QString notificacion = mkefecnot->Text();
            if (resolucion.isEmpty() || notificacion == kMascaraVacia) {
                paginaInicio(true);
                falla(QStringLiteral("El ingreso de los datos de la Resolución y Fecha de Notificación son campos "
                                     "obligatorios"));
            }
            if (Len(resolucion) < 13) {
                paginaInicio(true);
                falla(QStringLiteral("Número de Resolución incompleto"));
            } else if (resolucion == QLatin1String("0000000000000")) {
                paginaInicio(true);
                falla(QStringLiteral("Debe ingresar un Número de Resolución"));
            }
            if (a.gUtil->ValidaRangoFecha(notificacion, QStringLiteral("01/01/1850"), QStringLiteral("01/01/2500"))) {
                const QString aaaammdd = Mid(notificacion, 7, 4) + Mid(notificacion, 4, 2) + Mid(notificacion, 1, 2);
                if (aaaammdd < QLatin1String("20130322") || !FechaNoPosterior(notificacion)) {
                    paginaInicio(true);
                    falla(QStringLiteral("La fecha de notificación no puede ser anterior al 22/03/2013 ni mayor a la "
                                         "fecha del sistema"));
                }
            } else {
                paginaInicio(true);
                falla(QStringLiteral("La fecha de notificación no es válida"));
            }
        }
    }

    // Amounts and complementary information.
    auto todas = [this](int desde, int hasta, bool recortadas) {
        for (int n = desde; n <= hasta; ++n)
            if (!(recortadas ? VaciaRecortada(*this, n) : Vacia(*this, n)))
                return false;
        return true;
    };
    auto resultados = [this] {
        bool resultados = false;
        for (int n : {461, 462, 464, 468, 469, 472, 473, 475, 476, 477, 478, 480, 481, 483, 486, 490})
            resultados = resultados || !VaciaRecortada(*this, n);
        return resultados;
    };
    aplica({
        {[&] { return todas(500, 530, false); }, QStringLiteral("Ingrese información en el Activo")},
        {[&] { return todas(532, 542, true); }, QStringLiteral("Ingrese información en el Pasivo")},
        {[&] { return !todas(532, 542, true) && todas(544, 553, true); },
         QStringLiteral("Ingrese información en el Patrimonio")},
        {[&] { return (!VaciaRecortada(*this, 552) || !VaciaRecortada(*this, 553)) && !resultados(); },
         QStringLiteral("Si existe la casilla 552 ó 553 debe existir información en el Estado de Ganancias y "
                        "Pérdidas")},
        {[&] { return revision::ImporteEntero(mModelo.Texto(531)) != revision::ImporteEntero(mModelo.Texto(555)); },
         QStringLiteral("El Total Activo debe ser igual a Total Pasivo + Patrimonio")},
    });
    for (const auto& [x, y] : {std::pair{550, 551}, {551, 550}, {552, 553}, {553, 552}})
        if (!ValidaCasillasAlternativas(*this, x, x, true, y))
            falla(App().gMensaje);
    aplica({
        {[&] { return optRenta->Value(4) && VaciaRecortada(*this, 113); },
         QStringLiteral("Debe ingresar valor en la casilla 113")},
        {[&] { return !Vacia(*this, 478) && Vacia(*this, 477); },
         QStringLiteral("Estados Financieros-Estado de Ganancias y Pérdidas : Si ingresa información en las casilla "
                        "478 debe ingresar también la casilla 477.")},
    });

    const QString t209 = Trim(mModelo.Texto(209));
    const bool contador = (!VaciaRecortada(*this, 211) && !VaciaRecortada(*this, 212)) || !VaciaRecortada(*this, 208)
                          || (!t209.isEmpty() && t209 != QLatin1String("00") && t209 != QLatin1String("26"));
    if (contador)
        aplica({
            {[&] { return t209.isEmpty(); },
             QStringLiteral("Información Complementaria : Debe ingresar el código de la zona de colegiatura del "
                            "contador")},
            {[&] { return VaciaRecortada(*this, 211) && VaciaRecortada(*this, 212); },
             QStringLiteral("Información Complementaria : Debe Ingresar el Nro. C.P.C. o el Nro. C.M.A. del "
                            "contador")},
        });

    const QString tipoDoc = Left(cboTipDocRepLegal->Text(), 2);
    mModelo.PonTexto(225, tipoDoc);
    if (OptPersona->Value(0))
        aplica({
            {[&] { return VaciaRecortada(*this, 225); },
             QStringLiteral("Información Complementaria : Ingrese el tipo de documento del Representante Legal")},
            {[&] { return VaciaRecortada(*this, 226); },
             QStringLiteral("Información Complementaria : Ingrese el número de documento del Representante Legal")},
            {[&] {
                 return !VaciaRecortada(*this, 226) && tipoDoc == QLatin1String("01")
                        && Len(Trim(mModelo.Texto(226))) != 8;
             },
             QStringLiteral("Información Complementaria : Ingrese los ocho dígitos del DNI")},
            {[&] { return Trim(txtApellidoRL->Text()).isEmpty(); },
             QStringLiteral("Información Complementaria : Ingrese los apellidos del Representante Legal")},
            {[&] { return Trim(txtNombreRL->Text()).isEmpty(); },
             QStringLiteral("Información Complementaria : Ingrese los nombres del Representante Legal")},
        });

    if (SSTab4->isTabEnabled(1)) {
        const int filas = revision::CargaPerdidas(*this, revision::Clave(T, a.gPeriodo));
        if (filas == 0) {
            SSTab1->setCurrentIndex(3);
            SSTab4->setCurrentIndex(1);
            falla(QStringLiteral("Debe ingresar información de pérdida tributaria compensable de ejercicios anteriores"));
        }
    }

    lista.Cierra();

    // The taxpayer numbers typed in the complementary information stop the validation.
    auto rehusa = [this](int casilla, const QString& texto) {
        Frame1[5]->setVisible(true);
        SSTab1->setCurrentIndex(3);
        SSTab4->setCurrentIndex(0);
        zav::MsgBox(texto, 16, Caption());
        FocoA(casilla);
        return false;
    };
    const QString kRucInvalido = QStringLiteral("El RUC no es Válido.");
    const QString kRucIgual = QStringLiteral("El RUC no puede ser igual al RUC del Contribuyente.");
    // The numbers are checked as typed: a blank around them makes them invalid here.
    const QString texto208 = mModelo.Texto(208);
    const QString texto226 = mModelo.Texto(226);
    const QString ruc208 = Trim(texto208);
    const QString doc226 = Trim(texto226);
    struct Rehusa {
        std::function<bool()> cuando;
        int casilla;
        QString texto;
    };
    // The first that holds stops the validation.
    const Rehusa rehusas[] = {
        {[&] { return !ruc208.isEmpty() && !RucValido(texto208); }, 208, kRucInvalido},
        // Without a taxpayer there is nothing to compare with; Validar asks for one.
        {[&] { return !T.isEmpty() && T == ruc208; }, 208, kRucIgual},
        {[&] { return tipoDoc == QLatin1String("06") && !doc226.isEmpty() && !RucValido(texto226); }, 226, kRucInvalido},
        {[&] { return !T.isEmpty() && T == doc226; }, 226, kRucIgual},
    };
    for (const Rehusa& r : rehusas)
        if (r.cuando())
            return rehusa(r.casilla, r.texto);
    return true;
}

void Frm947::CmdValidar_Click()
{
    AppState& a = App();
    a.gRespuesta.clear();
    bool revisada = false;
    try {
        revisada = ValidaDeclaracion();
    } catch (const dao::DaoError& e) {
        // A check that could not read its rows is no clean declaration.
        zav::SetHourglass(false);
        zav::MsgBox(QStringLiteral("La declaración no fue validada. Error (%1): %2").arg(e.Number).arg(e.Description),
                    16, Caption());
        return;
    }
    if (!revisada)
        return;
    zav::SetHourglass(true);
    if (Modo == 0 && RucDeLista().isEmpty()) {
        SSTab1->setCurrentIndex(0);
        zav::MsgBox(QStringLiteral("Debe seleccionar un Contribuyente."), 16, Caption());
        CmbRuc->setFocus();
        zav::SetHourglass(false);
        return;
    }
    if (App().gHayInconsistencias == 1) {
        const bool cambia = SSTab1->currentIndex() == 3;
        if (cambia)
            SSTab1->setCurrentIndex(0);
        if (a.gAccion != 3) {
            FrmConsist consist(this);
            consist.FrmConsist_Form_Load();
            zav::RunModal(consist);
        } else {
            a.gRespuesta = QStringLiteral("A");
        }
        if (cambia)
            SSTab1->setCurrentIndex(3);
    }
    zav::SetHourglass(false);
    if (a.gRespuesta != QLatin1String("A"))
        zav::MsgBox(QStringLiteral("La información de la declaración no presenta inconsistencias."), 48, Caption());
    a.gAccion = 2;
}
