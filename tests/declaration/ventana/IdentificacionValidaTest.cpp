// The identification-page checks: one refusal at a time, on its page, with the focus on
// what is missing; and the date of form 5136.
#include "IdentificacionFixture.h"

#include "platform/ui/Hourglass.h"

#include <QPushButton>

#include <functional>

namespace {

using IdentificacionValida = IdentificacionFixture;

const QString kAmazoniaDomicilio = QStringLiteral(
    "Indique si su domicilio fiscal se encuentra ubicado en la Amazonia y coincide con el lugar donde tiene su "
    "administración y contabilidad.");
const QString kFronteraDomicilio = QStringLiteral(
    "Indique si su domicilio fiscal se encuentra ubicado en la Zona de frontera  y coincide con el lugar donde "
    "tiene su administración y contabilidad.");
const QString kAnio5136 =
    QStringLiteral("El año de la fecha del formulario 5136 debe corresponder al año de la presentación");

enum class Foco { Ninguno, CmbRuc, Telefono, MkePeriodo, Salir, Zona1, Zona2, Tira, Orden7842 };

QWidget* Control(Frm947& f, Foco c)
{
    switch (c) {
    case Foco::CmbRuc: return f.CmbRuc;
    case Foco::Telefono: return f.TxtTelefono;
    case Foco::MkePeriodo: return f.MkePeriodo;
    case Foco::Salir: return f.cmdCancelar;
    case Foco::Zona1: return f.CmdZona1;
    case Foco::Zona2: return f.CmdZona2;
    case Foco::Tira: return f.SSTab2->tabBar();
    case Foco::Orden7842: return f.TxtNumOrdenF7842;
    case Foco::Ninguno: break;
    }
    return f.CmdValidar;   // where the focus was before the check
}

struct Caso {
    const char* nombre;
    std::function<void(Frm947&)> prepara;   // after the general data, before the check
    QString mensaje;                        // empty: every rule passes
    int pagina;
    Foco foco;
};

void Regimen(Frm947& f, int r)
{
    f.optRenta->SetValue(r, true);
}

void Amazonia(Frm947& f, int ley, int ubic, int dom, int zona, const char* ubigeo)
{
    Regimen(f, 2);
    if (ley >= 0)
        f.OptLeyAmazonia->SetValue(ley, true);
    if (ubic >= 0)
        f.OptUbicAmazonia->SetValue(ubic, true);
    if (dom >= 0)
        f.OptDomFiscal->SetValue(dom, true);
    if (zona >= 0)
        f.OptZona->SetValue(zona, true);
    f.TxtUbigeo->SetText(QString::fromLatin1(ubigeo));
}

void Frontera(Frm947& f, int actividad, int frontera, const char* ubigeo)
{
    Regimen(f, 3);
    if (actividad >= 0)
        f.OptActividad->SetValue(actividad, true);
    if (frontera >= 0)
        f.OptFrontera->SetValue(frontera, true);
    f.TxtUbigeo2->SetText(QString::fromLatin1(ubigeo));
}

void Agrario(Frm947& f, const char* fecha)
{
    Regimen(f, 1);
    f.MkePeriodo->SetText(QString::fromLatin1(fecha));
}

void General(Frm947& f)
{
    Regimen(f, 0);
    f.OptPersona->SetValue(1, true);
}

std::vector<Caso> Casos()
{
    auto telefono = [](const char* t) {
        return [t](Frm947& f) {
            General(f);
            f.TxtTelefono->SetText(QString::fromLatin1(t));
        };
    };
    const QString kTelefonoCorto = QStringLiteral("Ingrese su número de teléfono o un número de referencia.");
    return {
        // Taxpayer and phone.
        {"sin contribuyente", [](Frm947& f) { General(f); f.CmbRuc->SetListIndex(-1); },
         QStringLiteral("Debe seleccionar un Contribuyente."), 0, Foco::CmbRuc},
        {"telefono de 1", telefono("4"), kTelefonoCorto, 0, Foco::Telefono},
        {"telefono de 5", telefono("44112"), kTelefonoCorto, 0, Foco::Telefono},
        {"telefono de 8", telefono("44112233"),
         QStringLiteral("El número ingresado debe ser de 7 digitos, o un celular de 8 o 7 digitos."), 0, Foco::Telefono},
        {"celular de 6", telefono("944112"), QStringLiteral("El celular ingresado debe ser de 8 o 7 digitos."), 0,
         Foco::Telefono},
        {"celular de 8", telefono("94411223"), QString(), 0, Foco::Ninguno},
        {"celular de 7", telefono("9441122"), QString(), 0, Foco::Ninguno},
        {"telefono de 6", telefono("441122"), QString(), 0, Foco::Ninguno},
        {"sin telefono", telefono(""), QString(), 0, Foco::Ninguno},
        // Regime.
        {"sin regimen", [](Frm947&) {}, QStringLiteral("Debe señalar el regimen de renta"), 0, Foco::Telefono},
        {"general sin persona", [](Frm947& f) { Regimen(f, 0); }, QStringLiteral("Seleccione el tipo de persona"), 1,
         Foco::Ninguno},
        {"mype sin persona ni fecha", [](Frm947& f) { Regimen(f, 5); f.CboBalance->SetListIndex(-1); }, QString(), 0,
         Foco::Ninguno},
        {"agrario fecha futura", [](Frm947& f) { Agrario(f, "11/06/2015"); },
         QStringLiteral("Registre la fecha correctamente."), 1, Foco::MkePeriodo},
        {"agrario otro anio", [](Frm947& f) { Agrario(f, "31/12/2014"); }, kAnio5136, 1, Foco::MkePeriodo},
        {"agrario incompleta", [](Frm947& f) { Agrario(f, "12/0"); }, kAnio5136, 1, Foco::MkePeriodo},
        {"agrario vacia", [](Frm947& f) { Agrario(f, ""); }, kAnio5136, 1, Foco::MkePeriodo},
        {"agrario 31 de febrero", [](Frm947& f) { Agrario(f, "31/02/2015"); }, kAnio5136, 1, Foco::MkePeriodo},
        {"agrario", [](Frm947& f) { Agrario(f, "01/06/2015"); }, QString(), 0, Foco::Ninguno},
        // Amazonía.
        {"amazonia sin ley", [](Frm947& f) { Amazonia(f, -1, -1, -1, -1, ""); },
         QStringLiteral("Señale si tiene acogimiento a la ley de amazonía."), 1, Foco::Salir},
        {"amazonia sin ubicacion", [](Frm947& f) { Amazonia(f, 0, -1, -1, -1, ""); },
         QStringLiteral("Señale si esta ubicado en la amazonía."), 1, Foco::Salir},
        {"amazonia ambas no", [](Frm947& f) { Amazonia(f, 0, 0, -1, -1, ""); }, QString(), 0, Foco::Ninguno},
        {"amazonia sin domicilio", [](Frm947& f) { Amazonia(f, -1, 1, -1, -1, ""); }, kAmazoniaDomicilio, 1,
         Foco::Salir},
        {"amazonia sin zona", [](Frm947& f) { Amazonia(f, 1, -1, 1, -1, ""); },
         QStringLiteral("Señale la zona a la que corresponde su domicilio."), 1, Foco::Salir},
        {"amazonia sin ubigeo", [](Frm947& f) { Amazonia(f, 1, -1, 1, 0, ""); },
         QStringLiteral("Señale el ubigeo al que corresponde su zona."), 1, Foco::Zona1},
        {"amazonia ubigeo en blanco", [](Frm947& f) { Amazonia(f, 1, -1, 1, 1, " "); }, QString(), 0, Foco::Ninguno},
        {"amazonia completa", [](Frm947& f) { Amazonia(f, -1, 1, 1, 1, "160101"); }, QString(), 0, Foco::Ninguno},
        {"amazonia domicilio no", [](Frm947& f) { Amazonia(f, 1, -1, 0, -1, ""); }, QString(), 0, Foco::Ninguno},
        // Frontier.
        {"frontera sin actividad", [](Frm947& f) { Frontera(f, -1, -1, ""); },
         QStringLiteral("Señale si se dedica a la actividad industrial."), 1, Foco::Salir},
        {"frontera sin ubigeo", [](Frm947& f) { Frontera(f, 1, 1, ""); },
         QStringLiteral("Señale el ubigeo al que corresponde la zona de frontera."), 1, Foco::Zona2},
        {"frontera sin domicilio", [](Frm947& f) { Frontera(f, 1, -1, ""); }, kFronteraDomicilio, 1, Foco::Tira},
        {"frontera no industrial", [](Frm947& f) { Frontera(f, 0, -1, ""); }, QString(), 0, Foco::Ninguno},
        {"frontera completa", [](Frm947& f) { Frontera(f, 1, 1, "240101"); }, QString(), 0, Foco::Ninguno},
        {"frontera domicilio no", [](Frm947& f) { Frontera(f, 1, 0, ""); }, QString(), 0, Foco::Ninguno},
        // Stability agreement.
        {"convenio sin tipo", [](Frm947& f) { Regimen(f, 4); },
         QStringLiteral("Señale el tipo de convenio de estabilidad"), 1, Foco::Orden7842},
        {"convenio sin orden", [](Frm947& f) { Regimen(f, 4); f.OptConvEstab->SetValue(2, true); },
         QStringLiteral("Registre correctamente el número de orden del formulario 7842"), 1, Foco::Orden7842},
        {"convenio", [](Frm947& f) {
             Regimen(f, 4);
             f.OptConvEstab->SetValue(2, true);
             f.TxtNumOrdenF7842->SetText(QStringLiteral("12345678"));
         },
         QString(), 0, Foco::Ninguno},
        // Start of activities, prior results, balance date.
        {"sin inicio", [](Frm947& f) { General(f); f.OptInicio->Clear(); },
         QStringLiteral("Señale el inicio de actividades en el ejercicio"), 2, Foco::Tira},
        {"sin precedente", [](Frm947& f) { General(f); f.OptPrecedente->Clear(); },
         QStringLiteral("Indique si obtuvo utilidad o pérdida en el Ejercicio precedente al anterior"), 2, Foco::Tira},
        {"sin anterior", [](Frm947& f) { General(f); f.OptAnterior->Clear(); },
         QStringLiteral("Indique si obtuvo utilidad o pérdida en el Ejercicio anterior"), 2, Foco::Ninguno},
        {"sin fecha", [](Frm947& f) { General(f); f.CboBalance->SetListIndex(-1); },
         QStringLiteral("Seleccione el mes al que debe corresponder la presentación del balance"), 2, Foco::Tira},
        {"inicio si", [](Frm947& f) {
             General(f);
             f.OptInicio->SetValue(1, true);
             f.CboBalance->SetListIndex(1);
         },
         QString(), 0, Foco::Ninguno},
    };
}

TEST_F(IdentificacionValida, OneRefusalAtATimeOnItsPageWithTheFocusOnWhatIsMissing)
{
    Hoy(2015, 6, 10);
    for (const Caso& c : Casos()) {
        SCOPED_TRACE(c.nombre);
        Frm947& f = Nueva();
        DatosGenerales(f);
        c.prepara(f);
        // The check starts from another page of each strip, with the focus elsewhere.
        f.SSTab1->setCurrentIndex(1);
        const int antes = c.pagina == 2 ? 0 : 2;
        f.SSTab2->setCurrentIndex(antes);
        f.CmdValidar->setFocus();
        msgs_->Clear();
        const bool ok = f.ValidaContForm1();
        if (c.mensaje.isEmpty()) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(msgs_->Count(), 0) << (msgs_->Count() ? msgs_->Last().text.toStdString() : std::string());
            EXPECT_EQ(f.SSTab1->currentIndex(), 1);
            EXPECT_EQ(f.SSTab2->currentIndex(), antes);
            continue;
        }
        EXPECT_FALSE(ok);
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, c.mensaje);
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(msgs_->Last().title, QStringLiteral("0947 Morvath"));
        EXPECT_EQ(f.SSTab1->currentIndex(), 0);
        EXPECT_EQ(f.SSTab2->currentIndex(), c.pagina);
        EXPECT_EQ(Foco(), Control(f, c.foco)) << (Foco() ? Foco()->objectName().toStdString() : "none");
        EXPECT_FALSE(zav::IsHourglass());
        if (c.foco == Foco::Orden7842) {
            EXPECT_TRUE(f.TxtNumOrdenF7842->Enabled());
            EXPECT_EQ(f.TxtNumOrdenF7842->BackColor(), zav::kColorBlanco);
        }
    }
}

TEST_F(IdentificacionValida, AStoredDeclarationNeedsNoTaxpayerChoice)
{
    Hoy(2015, 6, 10);
    App().gPeriodo = QStringLiteral("201505");
    Frm947& f = Abrir(1, QStringLiteral("20100070970"), QStringLiteral("COMERCIAL ANDINA S.A.C."));
    Mostrar(f);
    EXPECT_FALSE(f.ValidaContForm1());
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe señalar el regimen de renta"));
}

TEST_F(IdentificacionValida, DateOfForm5136AgainstToday)
{
    struct Caso {
        int anio;
        const char* fecha;
        bool valida;
    };
    const Caso casos[] = {
        {2015, "01/01/2015", true},  {2015, "31/12/2014", false}, {2015, "31/02/2015", true},
        {2015, "15/13/2015", false}, {2015, "15/00/2015", false}, {2015, "", false},
        {2015, "1_/06/2015", false}, {2015, "01/01/2016", true},  {2016, "01/01/2015", false},
        {2016, "01/01/2016", true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.anio << " " << c.fecha);
        Hoy(c.anio, 6, 10);
        Frm947& f = Nueva(QString::number(c.anio), false);
        f.MkePeriodo->SetText(QString::fromLatin1(c.fecha));
        EXPECT_EQ(f.ValidaPeriodo(), c.valida);
        EXPECT_EQ(msgs_->Count(), 0);
    }
}

} // namespace
