// The full consistency check, Validar, the inconsistency window and its printout, and the
// silent completeness check of a save.
#include "GrabacionFixture.h"

#include "declaration/FrmConsist.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/Impresora.h"
#include "platform/ui/ModalRunner.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QPushButton>
#include <QStandardItemModel>

#include "common/Cp1252.h"
#include "common/Runtime.h"

#include <functional>

namespace {

using Validacion = GrabacionFixture;

const QString kRuc = QStringLiteral("20100070970");

QStringList Lineas(const QByteArray& bytes)
{
    QStringList l = zav::FromCp1252(bytes).split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

struct Regla {
    const char* nombre;
    int regimen;
    std::function<void(Frm947&)> cambio;
    QStringList lineas;
};

QStringList L(std::initializer_list<const char*> l)
{
    QStringList r;
    for (const char* s : l)
        r << QString::fromUtf8(s);
    return r;
}

void Julio(Frm947& f, const char* res, const char* fecha)
{
    f.CboBalance->SetListIndex(1);
    f.OptSuspPC->SetValue(1, true);
    f.txtNumRes->SetText(QString::fromLatin1(res));
    f.mkefecnot->SetText(QString::fromLatin1(fecha));
}

TEST_F(Validacion, ACompleteDeclarationPassesEveryRule)
{
    Frm947& f = Completa();
    EXPECT_TRUE(f.ValidaDeclaracion());
    EXPECT_EQ(Mens(), QByteArray());
    EXPECT_EQ(App().gHayInconsistencias, 0);
    EXPECT_EQ(App().gArchivo, App().gSysPath + QStringLiteral("Mens.txt"));
    EXPECT_EQ(f.mModelo.Texto(225), QStringLiteral("01"));
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_TRUE(f.DeclaracionCompleta());
}

TEST_F(Validacion, EachRuleOfTheFullCheckWritesItsOwnLine)
{
    const Regla casos[] = {
        {"R1 suspension under MYPE", 5,
         [](Frm947& f) {
             f.CboBalance->SetListIndex(1);
             f.mModelo.PonTexto(253, QStringLiteral("5"));
         },
         L({"No procede la suspensión de pagos a cuenta"})},
        {"R2 April balance under MYPE", 5, [](Frm947& f) { f.mModelo.PonTexto(253, QString()); }, L({"No puede presentar balance al 30 de Abril "})},
        {"R3 MYPE income over 1700 UIT", 5,
         [](Frm947& f) {
             f.CboBalance->SetListIndex(1);
             Casilla(f, 461, QStringLiteral("9,000,000"));
             f.mModelo.PonTexto(253, QString());
         },
         L({"Ingresos superan el límite establecido para el RMT, deberá presentar su declaración en el Régimen General "})},
        {"R5 short phone", 0, [](Frm947& f) { f.TxtTelefono->SetText(QStringLiteral("12345")); },
         L({"Ingrese su número de teléfono o un número de referencia"})},
        {"R6 zero phone", 0, [](Frm947& f) { f.TxtTelefono->SetText(QStringLiteral("00000000")); },
         L({"Identificación-Datos Generales : El teléfono no puede ser cero"})},
        {"R7 January period from 2013", 0, [](Frm947&) { App().gPeriodo = QStringLiteral("201401"); },
         L({"El período no es valido"})},
        {"R8 no regime", 0, [](Frm947& f) { f.optRenta->Clear(); }, L({"Debe señalar el regimen de renta"})},
        {"R9 no person type", 0, [](Frm947& f) { f.OptPersona->Clear(); }, L({"Seleccione el tipo de persona"})},
        {"R10 Agrario without date", 1, [](Frm947&) {},
         L({"El año de la fecha del formulario 5136 debe corresponder al año de la presentación"})},
        {"R11 Agrario date after today", 1, [](Frm947& f) { f.MkePeriodo->SetText(QStringLiteral("20/12/2014")); },
         L({"La fecha de presentación del formulario 5136 no puede ser mayor a la fecha del sistema"})},
        {"R12 Agrario date of another year", 1, [](Frm947& f) { f.MkePeriodo->SetText(QStringLiteral("10/01/2013")); },
         L({"El año de la fecha del formulario 5136 debe corresponder al año de la presentación"})},
        {"R13 zone without place code", 2,
         [](Frm947& f) {
             f.OptUbicAmazonia->SetValue(1, true);
             f.OptDomFiscal->SetValue(1, true);
             f.OptZona->SetValue(0, true);
             f.TxtUbigeo->SetText(QString());
         },
         L({"Registre el Ubigeo"})},
        {"R14 Amazonía unanswered", 2, [](Frm947&) {}, L({"Señale si esta ubicado en la amazonía"})},
        {"R15 law unanswered", 2, [](Frm947& f) { f.OptUbicAmazonia->SetValue(0, true); },
         L({"Señale si esta ubicado en la amazonia"})},
        {"R16 domicile unanswered", 2, [](Frm947& f) { f.OptUbicAmazonia->SetValue(1, true); },
         L({"Indique si su domicilio fiscal se encuentra ubicado en la Amazonia y coincide con el lugar donde tiene su "
            "administración y contabilidad."})},
        {"R17 zone unanswered", 2,
         [](Frm947& f) {
             f.OptUbicAmazonia->SetValue(1, true);
             f.OptDomFiscal->SetValue(1, true);
         },
         L({"Señale la Zona a la que corresponde la ubicación de su domicilio"})},
        {"R18 industry unanswered", 3, [](Frm947&) {}, L({"Señale si se dedica a la actividad industrial."})},
        {"R19 frontier place code", 3,
         [](Frm947& f) {
             f.OptActividad->SetValue(1, true);
             f.OptFrontera->SetValue(1, true);
         },
         L({"Señale el ubigeo al que corresponde la zona de frontera."})},
        {"R20 frontier domicile unanswered", 3, [](Frm947& f) { f.OptActividad->SetValue(1, true); },
         L({"Indique si su domicilio fiscal se encuentra ubicado en la Zona de frontera  y coincide con el lugar donde "
            "tiene su administración y contabilidad."})},
        {"R21 agreement type", 4,
         [](Frm947& f) {
             f.TxtNumOrdenF7842->SetText(QStringLiteral("12345678"));
             Casilla(f, 113, QStringLiteral("600"));
         },
         L({"Especifique si tiene convenio de estabilidad."})},
        {"R22 form 7842 number", 4,
         [](Frm947& f) {
             f.OptConvEstab->SetValue(1, true);
             f.TxtNumOrdenF7842->SetText(QStringLiteral("1234567"));
             Casilla(f, 113, QStringLiteral("600"));
         },
         L({"Registre correctamente el número de orden del formulario 7842"})},
        {"R23 start unanswered", 0, [](Frm947& f) { f.OptInicio->Clear(); },
         L({"Señale el inicio de actividades en el ejercicio"})},
        {"R24 previous year", 0, [](Frm947& f) { f.OptAnterior->Clear(); },
         L({"Indique si obtuvo utilidad o pérdida en el Ejercicio anterior"})},
        {"R25 year before", 0, [](Frm947& f) { f.OptPrecedente->Clear(); },
         L({"Indique si obtuvo utilidad o pérdida en el Ejercicio precedente al anterior"})},
        {"R26 balance date", 0, [](Frm947& f) { f.CboBalance->SetListIndex(-1); },
         L({"Seleccione el mes al que debe corresponder la presentación del balance"})},
        {"R27 and R31 notification missing", 0, [](Frm947& f) { Julio(f, "0123456789012", ""); },
         L({"El ingreso de los datos de la Resolución y Fecha de Notificación son campos obligatorios",
            "La fecha de notificación no es válida"})},
        {"R28 resolution short, R29 not evaluated", 0, [](Frm947& f) { Julio(f, "000", "15/08/2014"); },
         L({"Número de Resolución incompleto"})},
        {"R29 resolution zeros", 0, [](Frm947& f) { Julio(f, "0000000000000", "15/08/2014"); },
         L({"Debe ingresar un Número de Resolución"})},
        {"R30 notification before the law", 0, [](Frm947& f) { Julio(f, "0123456789012", "21/03/2013"); },
         L({"La fecha de notificación no puede ser anterior al 22/03/2013 ni mayor a la fecha del sistema"})},
        {"R31 notification no date", 0, [](Frm947& f) { Julio(f, "0123456789012", "31/02/2014"); },
         L({"La fecha de notificación no es válida"})},
        {"R32 no assets", 0,
         [](Frm947& f) {
             Casilla(f, 500, QString());
             Casilla(f, 503, QString());
             Casilla(f, 532, QStringLiteral("0"));
             Casilla(f, 544, QStringLiteral("0"));
         },
         L({"Ingrese información en el Activo"})},
        {"R33 no liabilities (equity not asked)", 0,
         [](Frm947& f) {
             Casilla(f, 532, QString());
             Casilla(f, 544, QString());
             Casilla(f, 500, QString());
             Casilla(f, 503, QStringLiteral("0"));
         },
         L({"Ingrese información en el Pasivo"})},
        {"R34 no equity", 0,
         [](Frm947& f) {
             Casilla(f, 544, QString());
             Casilla(f, 532, QStringLiteral("1,250"));
         },
         L({"Ingrese información en el Patrimonio"})},
        {"R35 552 without income statement", 0,
         [](Frm947& f) {
             Casilla(f, 461, QString());
             Casilla(f, 462, QString());
             Casilla(f, 552, QStringLiteral("50"));
             Casilla(f, 544, QStringLiteral("800"));
         },
         L({"Si existe la casilla 552 ó 553 debe existir información en el Estado de Ganancias y Pérdidas"})},
        {"R36 unbalanced", 0, [](Frm947& f) { Casilla(f, 503, QStringLiteral("300")); },
         L({"El Total Activo debe ser igual a Total Pasivo + Patrimonio"})},
        {"R41 agreement tax", 4,
         [](Frm947& f) {
             f.OptConvEstab->SetValue(1, true);
             f.TxtNumOrdenF7842->SetText(QStringLiteral("12345678"));
             Casilla(f, 113, QString());
         },
         L({"Debe ingresar valor en la casilla 113"})},
        {"R42 478 without 477", 0, [](Frm947& f) { f.mModelo.PonTexto(478, QStringLiteral("5")); },
         L({"Estados Financieros-Estado de Ganancias y Pérdidas : Si ingresa información en las casilla 478 debe "
            "ingresar también la casilla 477."})},
        {"R43 accountant zone", 0, [](Frm947& f) { Casilla(f, 209, QString()); },
         L({"Información Complementaria : Debe ingresar el código de la zona de colegiatura del contador"})},
        {"R44 accountant registration", 0, [](Frm947& f) { Casilla(f, 211, QString()); },
         L({"Información Complementaria : Debe Ingresar el Nro. C.P.C. o el Nro. C.M.A. del contador"})},
        {"R45 representative document type", 0,
         [](Frm947& f) {
             f.cboTipDocRepLegal->SetListIndex(0);
             Casilla(f, 226, QStringLiteral("07654321"));
         },
         L({"Información Complementaria : Ingrese el tipo de documento del Representante Legal"})},
        {"R46 representative document", 0, [](Frm947& f) { Casilla(f, 226, QString()); },
         L({"Información Complementaria : Ingrese el número de documento del Representante Legal"})},
        {"R47 DNI digits", 0, [](Frm947& f) { Casilla(f, 226, QStringLiteral("1234567")); },
         L({"Información Complementaria : Ingrese los ocho dígitos del DNI"})},
        {"R48 representative surnames", 0, [](Frm947& f) { f.txtApellidoRL->SetText(QStringLiteral("  ")); },
         L({"Información Complementaria : Ingrese los apellidos del Representante Legal"})},
        {"R49 representative names", 0, [](Frm947& f) { f.txtNombreRL->SetText(QString()); },
         L({"Información Complementaria : Ingrese los nombres del Representante Legal"})},
        {"R50 loss rows", 0, [](Frm947& f) { f.PerdidasDisponibles(true); },
         L({"Debe ingresar información de pérdida tributaria compensable de ejercicios anteriores"})},
        // Not rules: a natural person skips the representative, box 209 "26" asks for no accountant.
        {"natural person without representative", 0,
         [](Frm947& f) {
             f.OptPersona->SetValue(1, true);
             f.txtNombreRL->SetText(QString());
             Casilla(f, 226, QString());
         },
         {}},
        {"zone 26 alone", 0,
         [](Frm947& f) {
             Casilla(f, 208, QString());
             Casilla(f, 211, QString());
             Casilla(f, 209, QStringLiteral("26"));
         },
         {}},
    };
    for (const Regla& c : casos) {
        SCOPED_TRACE(c.nombre);
        Frm947& f = Completa(c.regimen);
        c.cambio(f);
        msgs_->Clear();
        EXPECT_TRUE(f.ValidaDeclaracion());
        EXPECT_EQ(Lineas(Mens()), c.lineas);
        EXPECT_EQ(App().gHayInconsistencias, c.lineas.isEmpty() ? 0 : 1);
        if (!c.lineas.isEmpty()) {
            EXPECT_EQ(App().gMensaje, c.lineas.last());
        }
    }
}

TEST_F(Validacion, TheListFileHoldsEveryFailureInOrderInWindowsCodes)
{
    Frm947& f = Completa();
    Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado, cNumero) "
                            "VALUES (6, ?, '201405', '0947', 0, 0, '123456')"),
             {kRuc});
    f.TxtTelefono->SetText(QStringLiteral("12345"));
    f.OptPersona->Clear();
    f.mModelo.PonTexto(478, QStringLiteral("5"));
    EXPECT_TRUE(f.ValidaDeclaracion());
    EXPECT_EQ(Mens(), QByteArray("La declaraci\xf3n que desea registrar ya existe  al 30 de Abril . Elija la opci\xf3n "
                                 "modificar declaraci\xf3n o elija otro contribuyente.\r\n"
                                 "Ingrese su n\xfamero de tel\xe9"
                                 "fono o un n\xfamero de referencia\r\n"
                                 "Seleccione el tipo de persona\r\n"
                                 "Estados Financieros-Estado de Ganancias y P\xe9rdidas : Si ingresa informaci\xf3n en "
                                 "las casilla 478 debe ingresar tambi\xe9n la casilla 477.\r\n"));
    // A later run replaces the file.
    f.TxtTelefono->SetText(QStringLiteral("4234567"));
    f.OptPersona->SetValue(0, true);
    f.mModelo.PonTexto(478, QString());
    Ejecutar(QStringLiteral("DELETE FROM CAB"));
    EXPECT_TRUE(f.ValidaDeclaracion());
    EXPECT_EQ(Mens(), QByteArray());
}

TEST_F(Validacion, EdgesOfTheRuleList)
{
    const auto uit = [](Frm947& f) { return static_cast<qint64>(zav::Val(f.mUIT)); };
    const auto sinActivo = [](Frm947& f) {
        Casilla(f, 500, QString());
        Casilla(f, 503, QString());
        Casilla(f, 532, QStringLiteral("0"));
        Casilla(f, 544, QStringLiteral("0"));
    };
    const Regla casos[] = {
        // A box showing "0" holds a value; blanks fill an asset box but not a liability box.
        {"asset box of zero", 0,
         [&](Frm947& f) {
             sinActivo(f);
             f.mModelo.PonTexto(510, QStringLiteral("0"));
         },
         {}},
        {"asset box of blanks", 0,
         [&](Frm947& f) {
             sinActivo(f);
             f.mModelo.PonTexto(510, QStringLiteral(" "));
         },
         {}},
        {"liability box of blanks", 0,
         [](Frm947& f) {
             Casilla(f, 532, QString());
             f.mModelo.PonTexto(533, QStringLiteral(" "));
             Casilla(f, 544, QStringLiteral("1,250"));
         },
         L({"Ingrese información en el Pasivo"})},
        {"552 of zero without income statement", 0,
         [](Frm947& f) {
             Casilla(f, 461, QString());
             Casilla(f, 462, QString());
             f.mModelo.PonTexto(552, QStringLiteral("0"));
         },
         L({"Si existe la casilla 552 ó 553 debe existir información en el Estado de Ganancias y Pérdidas"})},
        {"478 and 477 of zero", 0,
         [](Frm947& f) {
             f.mModelo.PonTexto(478, QStringLiteral("0"));
             f.mModelo.PonTexto(477, QStringLiteral("0"));
         },
         {}},
        // Small-business limits at their edges.
        {"MYPE income of exactly 300 UIT", 5,
         [&](Frm947& f) {
             Casilla(f, 462, QString());
             Casilla(f, 461, QString::number(300 * uit(f)));
             f.mModelo.PonTexto(253, QString());
         },
         L({"No puede presentar balance al 30 de Abril "})},
        {"MYPE income of exactly 1700 UIT", 5,
         [&](Frm947& f) {
             f.CboBalance->SetListIndex(1);
             Casilla(f, 462, QString());
             Casilla(f, 461, QString::number(1700 * uit(f)));
         },
         {}},
        {"MYPE suspension and income over the limit", 5,
         [&](Frm947& f) {
             f.CboBalance->SetListIndex(1);
             Casilla(f, 462, QString());
             Casilla(f, 461, QString::number(1700 * uit(f) + 1));
             f.mModelo.PonTexto(253, QStringLiteral("5"));
         },
         L({"No procede la suspensión de pagos a cuenta",
            "Ingresos superan el límite establecido para el RMT, deberá presentar su declaración en el Régimen General "})},
        // The start-of-activities chain stops at its first refusal.
        {"no start answer hides the rest of the chain", 0,
         [](Frm947& f) {
             f.OptInicio->Clear();
             f.OptAnterior->Clear();
             f.CboBalance->SetListIndex(-1);
         },
         L({"Señale el inicio de actividades en el ejercicio"})},
        {"no balance date hides the resolution rules", 0,
         [](Frm947& f) {
             Julio(f, "0", "");
             f.CboBalance->SetListIndex(-1);
         },
         L({"Seleccione el mes al que debe corresponder la presentación del balance"})},
        {"Agrario date half typed", 1, [](Frm947& f) { f.MkePeriodo->SetText(QStringLiteral("10/0")); },
         L({"El año de la fecha del formulario 5136 debe corresponder al año de la presentación"})},
        {"place code of blanks", 2,
         [](Frm947& f) {
             f.OptUbicAmazonia->SetValue(1, true);
             f.OptDomFiscal->SetValue(0, true);
             f.OptZona->SetValue(0, true);
             f.TxtUbigeo->SetText(QStringLiteral("  "));
         },
         L({"Registre el Ubigeo"})},
        {"form 7842 number of blanks", 4,
         [](Frm947& f) {
             f.OptConvEstab->SetValue(1, true);
             f.TxtNumOrdenF7842->SetText(QStringLiteral("        "));
             Casilla(f, 113, QStringLiteral("600"));
         },
         L({"Registre correctamente el número de orden del formulario 7842"})},
        // The accountant: zone "00" alone asks for nothing, a RUC alone asks for the rest.
        {"zone 00 alone", 0,
         [](Frm947& f) {
             Casilla(f, 208, QString());
             Casilla(f, 211, QString());
             Casilla(f, 209, QStringLiteral("00"));
         },
         {}},
        {"accountant RUC alone", 0,
         [](Frm947& f) {
             Casilla(f, 209, QString());
             Casilla(f, 211, QString());
         },
         L({"Información Complementaria : Debe ingresar el código de la zona de colegiatura del contador",
            "Información Complementaria : Debe Ingresar el Nro. C.P.C. o el Nro. C.M.A. del contador"})},
    };
    for (const Regla& c : casos) {
        SCOPED_TRACE(c.nombre);
        Frm947& f = Completa(c.regimen);
        c.cambio(f);
        msgs_->Clear();
        EXPECT_TRUE(f.ValidaDeclaracion());
        EXPECT_EQ(Lineas(Mens()).join(QLatin1Char('|')), c.lineas.join(QLatin1Char('|')));
        EXPECT_EQ(msgs_->Count(), 0);
    }
    // A natural person still gets box 225 from the representative's document type.
    Frm947& f = Completa();
    f.OptPersona->SetValue(1, true);
    ElegirTipoDoc(f, QStringLiteral("07"));
    EXPECT_TRUE(f.ValidaDeclaracion());
    EXPECT_EQ(f.mModelo.Texto(225), QStringLiteral("07"));
    EXPECT_EQ(Mens(), QByteArray());
}

TEST_F(Validacion, ThePeriodFollowsTheBalanceDate)
{
    struct Caso {
        const char* antes;
        int indice;
        const char* despues;
    };
    const Caso casos[] = {{"201405", 1, "201408"}, {"201408", 0, "201405"}, {"201401", 1, "201401"},
                          {"201206", 0, "201201"}, {"201201", 1, "201206"}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.antes);
        Frm947& f = Completa();
        f.CboBalance->SetListIndex(c.indice);
        App().gPeriodo = QString::fromLatin1(c.antes);
        f.ValidaDeclaracion();
        EXPECT_EQ(App().gPeriodo, QString::fromLatin1(c.despues));
    }
}

TEST_F(Validacion, TheTypedTaxpayerNumbersStopTheCheckWithAMessage)
{
    const Regla casos[] = {
        {"accountant RUC invalid", 0, [](Frm947& f) { Casilla(f, 208, QStringLiteral("20000000002")); },
         L({"El RUC no es Válido.", "208"})},
        {"accountant is the taxpayer", 0, [](Frm947& f) { Casilla(f, 208, kRuc); },
         L({"El RUC no puede ser igual al RUC del Contribuyente.", "208"})},
        {"representative RUC invalid", 0,
         [](Frm947& f) {
             ElegirTipoDoc(f, QStringLiteral("06"));
             Casilla(f, 226, QStringLiteral("20000000002"));
         },
         L({"El RUC no es Válido.", "226"})},
        {"representative is the taxpayer, another type", 0,
         [](Frm947& f) {
             ElegirTipoDoc(f, QStringLiteral("07"));
             Casilla(f, 226, kRuc);
         },
         L({"El RUC no puede ser igual al RUC del Contribuyente.", "226"})},
        // Checked as typed, not trimmed.
        {"accountant RUC with a trailing blank", 0, [](Frm947& f) { Casilla(f, 208, QStringLiteral("20000000001 ")); },
         L({"El RUC no es Válido.", "208"})},
        {"representative RUC with a leading blank", 0,
         [](Frm947& f) {
             ElegirTipoDoc(f, QStringLiteral("06"));
             Casilla(f, 226, QStringLiteral(" 20000000001"));
         },
         L({"El RUC no es Válido.", "226"})},
    };
    for (const Regla& c : casos) {
        SCOPED_TRACE(c.nombre);
        Frm947& f = Completa();
        c.cambio(f);
        f.TxtTelefono->SetText(QStringLiteral("123"));   // one rule fails as well
        msgs_->Clear();
        EXPECT_FALSE(f.ValidaDeclaracion());
        ASSERT_GE(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, c.lineas[0]);
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(f.SSTab1->currentIndex(), 3);
        EXPECT_EQ(f.SSTab4->currentIndex(), 0);
        // The file is complete all the same, and does not carry the message.
        EXPECT_EQ(Lineas(Mens()), L({"Ingrese su número de teléfono o un número de referencia"}));
        EXPECT_EQ(App().gHayInconsistencias, 1);
        // Validar then shows nothing else.
        msgs_->Clear();
        zav::ModalRunnerScope runner([](QDialog&) { return 0; });
        f.CmdValidar_Click();
        EXPECT_TRUE(runner.Ran().isEmpty());
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, c.lineas[0]);
    }
}

TEST_F(Validacion, ValidarWithoutATaxpayerAsksForOneAndComparesNothing)
{
    Frm947& f = Abrir();
    App().gAccion = 0;
    zav::ModalRunnerScope runner([](QDialog&) { return 0; });
    f.CmdValidar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe seleccionar un Contribuyente."));
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_TRUE(runner.Ran().isEmpty());
    EXPECT_FALSE(Mens().isEmpty());   // the check has run
    EXPECT_EQ(App().gAccion, 0);
}

TEST_F(Validacion, ValidarShowsTheListOrSaysTheDeclarationIsClean)
{
    const QString limpia = QStringLiteral("La información de la declaración no presenta inconsistencias.");
    {
        Frm947& f = Completa();
        zav::ModalRunnerScope runner([](QDialog&) { return 0; });
        f.CmdValidar_Click();
        EXPECT_TRUE(runner.Ran().isEmpty());
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, limpia);
        EXPECT_EQ(msgs_->Last().style, 48);
        EXPECT_EQ(App().gAccion, 2);
    }
    // With failures the list window shows the file; closing it in any way is acknowledging it.
    for (bool aceptar : {true, false}) {
        SCOPED_TRACE(aceptar);
        Frm947& f = Completa();
        f.TxtTelefono->SetText(QStringLiteral("123"));
        f.SSTab1->setCurrentIndex(3);
        msgs_->Clear();
        int pagina = -1;
        QString texto;
        zav::ModalRunnerScope runner([&](QDialog& d) {
            auto& c = static_cast<FrmConsist&>(d);
            pagina = f.SSTab1->currentIndex();
            texto = c.TxtPreliminar->toPlainText();
            if (aceptar)
                c.CmdGrabar->click();
            else
                c.reject();
            return 0;
        });
        f.CmdValidar_Click();
        EXPECT_EQ(runner.Ran(), QStringList{QStringLiteral("FrmConsist")});
        EXPECT_EQ(texto, QStringLiteral("Ingrese su número de teléfono o un número de referencia\n"));
        EXPECT_EQ(pagina, 0);
        EXPECT_EQ(f.SSTab1->currentIndex(), 3);
        EXPECT_FALSE(msgs_->Texts().contains(limpia));
        EXPECT_EQ(App().gRespuesta, QStringLiteral("A"));
        EXPECT_EQ(App().gAccion, 2);
        EXPECT_FALSE(zav::IsHourglass());
    }
    // After a save with inconsistencies nothing is shown once; the next Validar shows the list.
    {
        Frm947& f = Completa();
        f.TxtTelefono->SetText(QStringLiteral("123"));
        App().gAccion = 3;
        msgs_->Clear();
        zav::ModalRunnerScope runner([](QDialog&) { return 0; });
        f.CmdValidar_Click();
        EXPECT_TRUE(runner.Ran().isEmpty());
        EXPECT_EQ(msgs_->Count(), 0);
        EXPECT_EQ(App().gAccion, 2);
        f.CmdValidar_Click();
        EXPECT_EQ(runner.Ran().size(), 1);
    }
}

TEST_F(Validacion, ADatabaseErrorDuringTheCheckIsReportedAndNeverCountsAsClean)
{
    // The duplicate rule reads the headers; the loss rule of box 108 reads the loss rows.
    for (const char* tabla : {"CAB", "F0947_PTCEA"}) {
        SCOPED_TRACE(tabla);
        Frm947& f = Completa();
        Casilla(f, 108, QStringLiteral("1,500"));
        Ejecutar(QStringLiteral("ALTER TABLE %1 RENAME TO fuera").arg(QLatin1String(tabla)));
        msgs_->Clear();
        zav::ModalRunnerScope runner([](QDialog&) { return 0; });
        EXPECT_NO_THROW(f.CmdValidar_Click());
        Ejecutar(QStringLiteral("ALTER TABLE fuera RENAME TO %1").arg(QLatin1String(tabla)));
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("La declaración no fue validada. Error (")))
            << msgs_->Last().text.toStdString();
        EXPECT_TRUE(runner.Ran().isEmpty());
        EXPECT_FALSE(zav::IsHourglass());
    }
}

TEST_F(Validacion, TheListWindowShowsEachLineWhole)
{
    const QString larga = QStringLiteral("Estados Financieros-Estado de Ganancias y Pérdidas : El importe de la "
                                         "casilla 478 no puede consignarse si no ha consignado la casilla 477 del "
                                         "formulario, verifique los importes ingresados");
    const QString sinBlancos(150, QLatin1Char('X'));
    {
        QFile f(App().gSysPath + QStringLiteral("Mens.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(zav::ToCp1252(larga + QStringLiteral("\r\ncorta\r\n") + sinBlancos + QStringLiteral("\r\n")));
        App().gArchivo = f.fileName();
    }
    FrmConsist c;
    c.FrmConsist_Form_Load();
    c.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
    QApplication::processEvents();
    EXPECT_EQ(c.TxtPreliminar->toPlainText(), larga + QStringLiteral("\ncorta\n") + sinBlancos + QLatin1Char('\n'));
    // Every piece of every line lies within the box's width: nothing is hidden at its right.
    const int ancho = c.TxtPreliminar->viewport()->width();
    for (QTextBlock b = c.TxtPreliminar->document()->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* l = b.layout();
        for (int i = 0; i < l->lineCount(); ++i)
            EXPECT_LE(l->lineAt(i).naturalTextWidth(), ancho) << b.text().toStdString();
    }
    EXPECT_EQ(c.TxtPreliminar->horizontalScrollBar()->maximum(), 0);
    c.CmdGrabar->click();
}

// ---- printout ------------------------------------------------------------------------------------

class ImpresoraGrabadora : public zav::Impresora {
public:
    struct Texto {
        int pagina, x, y;
        QString texto;
        bool negrita;
        int tamano;
    };
    std::vector<Texto> textos;
    std::vector<std::array<int, 5>> lineas;   // page, x1, y1, x2, y2
    int pagina = 0;
    int fines = 0;
    int fallaEn = -1;   // Print number that raises 482

    void setFontName(const QString&) override {}
    void setFontBold(bool b) override { bold_ = b; }
    void setFontSize(int s) override { size_ = s; }
    void setCurrentX(int x) override { x_ = x; }
    void setCurrentY(int y) override { y_ = y; }
    void setDrawWidth(int) override {}
    void Print(const QString& t) override
    {
        if (static_cast<int>(textos.size()) == fallaEn)
            throw zav::RuntimeError(482);
        textos.push_back({pagina, x_, y_, t, bold_, size_});
    }
    void Line(int x1, int y1, int x2, int y2, const QColor&) override { lineas.push_back({pagina, x1, y1, x2, y2}); }
    void NewPage() override { ++pagina; }
    void EndDoc() override { ++fines; }

private:
    bool bold_ = false;
    int size_ = 0;
    int x_ = 0, y_ = 0;
};

void EscribeLista(int n)
{
    QFile f(App().gSysPath + QStringLiteral("Mens.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int i = 1; i <= n; ++i)
        f.write(QByteArrayLiteral("Regla n\xfamero ") + QByteArray::number(i) + QByteArrayLiteral("\r\n"));
    App().gArchivo = f.fileName();
}

TEST_F(Validacion, ThePrintoutNumbersTheLinesFortyToAPage)
{
    zav::SetClockForTests([] { return QDateTime(QDate(2014, 9, 15), QTime(10, 30, 5)); });
    struct Caso {
        int lineas;
        int paginaFinal, pieY, marcoY;
    };
    const Caso casos[] = {{3, 0, 1810, 2080}, {45, 1, 2350, 2620}, {40, 1, 1000, 1270}, {0, 0, 1000, 1270}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.lineas);
        EscribeLista(c.lineas);
        ImpresoraGrabadora p;
        zav::ImpresoraScope scope(p);
        ImprimeInconsistencias();
        ASSERT_EQ(p.textos.size(), static_cast<size_t>(4 + c.lineas + 1));
        EXPECT_EQ(p.textos[0].texto, QStringLiteral("15/09/2014"));
        EXPECT_EQ(p.textos[1].texto, QStringLiteral("INCONSISTENCIAS DETECTADAS "));
        EXPECT_EQ(p.textos[1].x, 4500);
        EXPECT_EQ(p.textos[2].texto, QStringLiteral("10:30:05"));
        EXPECT_EQ(p.textos[3].texto, QStringLiteral("MORVATH"));
        EXPECT_TRUE(p.textos[3].negrita);
        for (int k = 1; k <= c.lineas; ++k) {
            const auto& t = p.textos[3 + k];
            EXPECT_EQ(t.texto, QStringLiteral(" %1. Regla número %1").arg(k));
            EXPECT_EQ(t.x, 400);
            EXPECT_EQ(t.y, 1000 + 270 * ((k - 1) % 40));
            EXPECT_EQ(t.pagina, (k - 1) / 40);
            EXPECT_FALSE(t.negrita);
            EXPECT_EQ(t.tamano, 8);
        }
        const auto& pie = p.textos.back();
        EXPECT_EQ(pie.texto, QStringLiteral(" Inconsistencias Detectadas :  %1").arg(c.lineas));
        EXPECT_EQ(pie.x, 500);
        EXPECT_EQ(pie.y, c.pieY);
        EXPECT_EQ(pie.pagina, c.paginaFinal);
        ASSERT_EQ(p.lineas.size(), 4u);
        int maxY = 0;
        for (const auto& l : p.lineas) {
            EXPECT_EQ(l[0], c.paginaFinal);
            maxY = std::max({maxY, l[2], l[4]});
        }
        EXPECT_EQ(maxY, c.marcoY);
        EXPECT_EQ(p.fines, 1);
    }
}

TEST_F(Validacion, APrinterErrorEndsThePrintoutCleanly)
{
    EscribeLista(5);
    ImpresoraGrabadora p;
    p.fallaEn = 6;
    zav::ImpresoraScope scope(p);
    ImprimeInconsistencias();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("No existe una impresora seleccionada.Verifique."));
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Impresión"));
    EXPECT_EQ(p.fines, 1);
    EXPECT_FALSE(zav::IsHourglass());
    // The list file was let go: it can be written again at once.
    EscribeLista(1);
    EXPECT_EQ(Mens(), QByteArray("Regla n\xfamero 1\r\n"));
}

// ---- completeness --------------------------------------------------------------------------------

struct Completitud {
    const char* nombre;
    int regimen;
    std::function<void(Frm947&)> cambio;
    const char* mensaje;   // the one message shown, or nullptr
};

TEST_F(Validacion, EachCompletenessRuleFailsTheSaveState)
{
    const Completitud casos[] = {
        {"phone of five", 0, [](Frm947& f) { f.TxtTelefono->SetText(QStringLiteral("12345")); }, nullptr},
        {"phone of zeros", 0, [](Frm947& f) { f.TxtTelefono->SetText(QStringLiteral("00000000")); }, nullptr},
        {"person type", 0, [](Frm947& f) { f.OptPersona->Clear(); }, nullptr},
        {"MYPE suspension", 5,
         [](Frm947& f) {
             f.CboBalance->SetListIndex(1);
             f.mModelo.PonTexto(253, QStringLiteral("5"));
         },
         "No procede la suspensión de pagos a cuenta"},
        {"MYPE April balance", 5, [](Frm947& f) { f.mModelo.PonTexto(253, QString()); }, "No puede presentar balance al 30 de Abril "},
        {"MYPE over the limit", 5,
         [](Frm947& f) {
             f.CboBalance->SetListIndex(1);
             Casilla(f, 461, QStringLiteral("9,000,000"));
             f.mModelo.PonTexto(253, QString());
         },
         "Ingresos superan el límite establecido para el RMT, deberá presentar su declaración en el Régimen General "},
        {"period", 0, [](Frm947&) { App().gPeriodo = QStringLiteral("201306"); }, nullptr},
        {"regime", 0, [](Frm947& f) { f.optRenta->Clear(); }, nullptr},
        {"Agrario date", 1, [](Frm947&) {}, nullptr},
        {"agreement type", 4,
         [](Frm947& f) {
             f.TxtNumOrdenF7842->SetText(QStringLiteral("12345678"));
             Casilla(f, 113, QStringLiteral("600"));
         },
         nullptr},
        {"agreement order number", 4,
         [](Frm947& f) {
             f.OptConvEstab->SetValue(2, true);
             f.TxtNumOrdenF7842->SetText(QStringLiteral("123456789"));
             Casilla(f, 113, QStringLiteral("600"));
         },
         nullptr},
        {"Amazonía place code", 2,
         [](Frm947& f) {
             f.OptUbicAmazonia->SetValue(1, true);
             f.OptDomFiscal->SetValue(1, true);
             f.OptZona->SetValue(1, true);
         },
         nullptr},
        {"Amazonía domicile", 2, [](Frm947& f) { f.OptUbicAmazonia->SetValue(1, true); }, nullptr},
        {"frontier place code", 3,
         [](Frm947& f) {
             f.OptActividad->SetValue(1, true);
             f.OptFrontera->SetValue(1, true);
         },
         nullptr},
        {"assets", 0,
         [](Frm947& f) {
             Casilla(f, 500, QString());
             Casilla(f, 503, QString());
         },
         nullptr},
        {"liabilities", 0, [](Frm947& f) { Casilla(f, 532, QString()); }, nullptr},
        {"equity", 0, [](Frm947& f) { Casilla(f, 544, QString()); }, nullptr},
        {"balance", 0, [](Frm947& f) { Casilla(f, 503, QStringLiteral("300")); }, nullptr},
        {"tax typed under an agreement", 4,
         [](Frm947& f) {
             f.OptConvEstab->SetValue(1, true);
             f.TxtNumOrdenF7842->SetText(QStringLiteral("12345678"));
             Casilla(f, 113, QStringLiteral(" "));
         },
         nullptr},
        {"478 without 477", 0, [](Frm947& f) { f.mModelo.PonTexto(478, QStringLiteral("5")); }, nullptr},
        {"accountant zone", 0, [](Frm947& f) { Casilla(f, 209, QString()); }, nullptr},
        {"accountant registration", 0, [](Frm947& f) { Casilla(f, 211, QString()); }, nullptr},
        {"representative type", 0, [](Frm947& f) { Casilla(f, 225, QString()); }, nullptr},
        {"representative document", 0, [](Frm947& f) { Casilla(f, 226, QString()); }, nullptr},
        {"DNI of seven", 0, [](Frm947& f) { Casilla(f, 226, QStringLiteral("1234567")); }, nullptr},
        {"representative surnames", 0, [](Frm947& f) { f.txtApellidoRL->SetText(QString()); }, nullptr},
        {"representative names", 0, [](Frm947& f) { f.txtNombreRL->SetText(QString()); }, nullptr},
        {"loss rows", 0, [](Frm947& f) { f.mModelo.PonTexto(108, QStringLiteral("1,500")); }, nullptr},
    };
    for (const Completitud& c : casos) {
        SCOPED_TRACE(c.nombre);
        Frm947& f = Completa(c.regimen);
        c.cambio(f);
        msgs_->Clear();
        EXPECT_FALSE(f.DeclaracionCompleta());
        if (c.mensaje) {
            ASSERT_EQ(msgs_->Count(), 1);
            EXPECT_EQ(msgs_->Last().text, QString::fromUtf8(c.mensaje));
            EXPECT_EQ(msgs_->Last().style, 16);
        } else {
            EXPECT_EQ(msgs_->Count(), 0);
        }
    }
}

TEST_F(Validacion, CompletenessEdgesThatPass)
{
    const Completitud casos[] = {
        {"phone of six", 0, [](Frm947& f) { f.TxtTelefono->SetText(QStringLiteral("123456")); }, nullptr},
        {"empty phone", 0, [](Frm947& f) { f.TxtTelefono->SetText(QString()); }, nullptr},
        {"period January 2012", 0, [](Frm947&) { App().gPeriodo = QStringLiteral("201201"); }, nullptr},
        {"531 empty and 555 zero", 0,
         [](Frm947& f) {
             f.mModelo.PonTexto(531, QString());
             f.mModelo.PonTexto(555, QStringLiteral("0"));
         },
         nullptr},
        {"531 and 555 written differently", 0, [](Frm947& f) { f.mModelo.PonTexto(555, QStringLiteral("1250")); },
         nullptr},
        {"zone 26 alone", 0,
         [](Frm947& f) {
             Casilla(f, 208, QString());
             Casilla(f, 211, QString());
             Casilla(f, 209, QStringLiteral("26"));
         },
         nullptr},
        {"another document type takes any length", 0,
         [](Frm947& f) {
             ElegirTipoDoc(f, QStringLiteral("07"));
             Casilla(f, 226, QStringLiteral("123"));
         },
         nullptr},
        {"box 108 zero", 0, [](Frm947& f) { f.mModelo.PonTexto(108, QStringLiteral("0")); }, nullptr},
    };
    for (const Completitud& c : casos) {
        SCOPED_TRACE(c.nombre);
        Frm947& f = Completa(c.regimen);
        c.cambio(f);
        msgs_->Clear();
        EXPECT_TRUE(f.DeclaracionCompleta());
        EXPECT_EQ(msgs_->Count(), 0);
    }
    // A stored loss row satisfies the loss rule.
    Frm947& f = Completa();
    f.mModelo.PonTexto(108, QStringLiteral("1,500"));
    Ejecutar(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe, cnumero) "
                            "VALUES (6, ?, '201405', '0947', '2012', '1500', '000000')"),
             {kRuc});
    EXPECT_TRUE(f.DeclaracionCompleta());
    EXPECT_EQ(f.dtaPerdidaTributaria->rowCount(), 1);
}

} // namespace
