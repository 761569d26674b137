// The general-data page: balance date and period, payment system, headings, the regime
// and its options, the tabs and the assets page's panels.
#include "IdentificacionFixture.h"

#include "declaration/Frm947_paginas.h"
#include "platform/ui/ModalRunner.h"
#include "shell/modulo/Procedimientos.h"
#include "shell/modulo/frmUbigeo.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>

namespace {

using Identificacion = IdentificacionFixture;

QString B(int n)
{
    return QString(n, QLatin1Char(' '));
}

// ---- period and payment system ------------------------------------------------------------

// Answers as a user gives them, in the order the page asks them; -1 unanswered.
struct Respuestas {
    int inicio, precedente, anterior, balance;
};

struct Esperado {
    QString periodo, ejercicio, sistema, presentacion;
};

// What the page shows for the answers: the period's month comes from the balance date only
// once the prior results are answered (or activities started this year); the payment
// system from the start of activities, and before 2013 also from the previous year.
Esperado Espera(const Respuestas& r, int anio)
{
    const QString a = QString::number(anio);
    const bool antes2013 = anio < 2013;
    const bool ambos = r.precedente >= 0 && r.anterior >= 0;
    const bool contestado = r.inicio == 1 || ambos;
    int balance = r.balance;
    Esperado e;
    if (r.inicio == 1)
        e.sistema = QStringLiteral("B");
    else if (r.inicio == 0 && r.precedente < 0 && r.anterior < 0)
        e.sistema = QStringLiteral(" ");
    if (antes2013 && r.inicio != 1 && ambos) {
        e.sistema = r.anterior == 0 ? QStringLiteral("A") : QStringLiteral("B");
        if (r.anterior == 0)
            balance = 1;   // fixed at 30 June
    }
    e.periodo = a;
    if (contestado && balance >= 0) {
        const char* mes = antes2013 ? (balance == 0 ? "01" : "06") : (balance == 0 ? "05" : "08");
        e.periodo = a + QString::fromLatin1(mes);
        e.ejercicio = QString::fromLatin1(mes) + QLatin1Char('/') + a;
        if (antes2013)
            e.presentacion = balance == 0 ? QStringLiteral("Vencimiento del periodo 06")
                                          : QStringLiteral("Vencimiento del periodo 12");
    }
    return e;
}

TEST_F(Identificacion, PeriodAndPaymentSystemForEveryAnswer)
{
    for (int anio : {2012, 2015}) {
        Hoy(anio, 6, 10);
        for (int inicio : {-1, 0, 1})
            for (int precedente : {-1, 0, 1})
                for (int anterior : {-1, 0, 1})
                    for (int balance : {-1, 0, 1}) {
                        // Started activities leave no prior results to answer.
                        if (inicio == 1 && (precedente >= 0 || anterior >= 0))
                            continue;
                        const Respuestas r{inicio, precedente, anterior, balance};
                        SCOPED_TRACE(testing::Message() << anio << " inicio " << inicio << " precedente "
                                                        << precedente << " anterior " << anterior << " balance "
                                                        << balance);
                        Frm947& f = Nueva(QString::number(anio), false);
                        if (inicio >= 0)
                            f.OptInicio->SetValue(inicio, true);
                        if (precedente >= 0)
                            f.OptPrecedente->SetValue(precedente, true);
                        if (anterior >= 0)
                            f.OptAnterior->SetValue(anterior, true);
                        if (balance >= 0 && f.CboBalance->Enabled())
                            f.CboBalance->SetListIndex(balance);
                        const Esperado e = Espera(r, anio);
                        EXPECT_EQ(App().gPeriodo, e.periodo);
                        EXPECT_EQ(f.TxtEjercicio->Text(), e.ejercicio);
                        EXPECT_EQ(f.LblSistema->Caption(), e.sistema);
                        if (!e.sistema.isEmpty()) {
                            EXPECT_EQ(App().gSistema, e.sistema);
                        }
                        EXPECT_EQ(f.LblPresentacion->Caption(), e.presentacion);
                        EXPECT_EQ(msgs_->Count(), 0);
                    }
    }
}

TEST_F(Identificacion, BeforeThe2013RulesAProfitFixesTheBalanceAtJuneAndFormatsTheCoefficient)
{
    Hoy(2012, 6, 10);
    Frm947& f = Nueva(QStringLiteral("2012"), false);
    f.OptInicio->SetValue(0, true);
    f.OptPrecedente->SetValue(1, true);
    f.OptAnterior->SetValue(0, true);
    EXPECT_EQ(f.CboBalance->ListIndex(), 1);
    EXPECT_EQ(f.CboBalance->Text(), QStringLiteral("30 DE JUNIO"));
    EXPECT_FALSE(f.CboBalance->Enabled());
    EXPECT_EQ(f.CboBalance->BackColor(), zav::kColorGris);
    // The system's change recomputes box 610; it shows the coefficient's four decimals.
    EXPECT_EQ(f.mModelo.Texto(610).section(QLatin1Char('.'), 1).size(), 4) << f.mModelo.Texto(610).toStdString();
    // A loss frees the date and shows the percentage with two decimals.
    f.OptAnterior->SetValue(1, true);
    EXPECT_EQ(f.CboBalance->ListIndex(), -1);
    EXPECT_TRUE(f.CboBalance->Enabled());
    EXPECT_EQ(f.CboBalance->BackColor(), zav::kColorBlanco);
    EXPECT_EQ(f.LblSistema->Caption(), QStringLiteral("B"));
    EXPECT_EQ(f.mModelo.Texto(610).section(QLatin1Char('.'), 1).size(), 2) << f.mModelo.Texto(610).toStdString();
}

TEST_F(Identificacion, EveryPriorResultClickClearsTheDateOnceBothAreAnswered)
{
    Hoy(2015, 6, 10);
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    f.OptInicio->SetValue(0, true);
    f.OptPrecedente->SetValue(0, true);
    f.CboBalance->SetListIndex(1);
    // One unanswered: the date stays.
    EXPECT_EQ(f.CboBalance->ListIndex(), 1);
    f.OptAnterior->SetValue(0, true);
    EXPECT_EQ(f.CboBalance->ListIndex(), -1);
    for (auto [arr, i] : {std::pair{f.OptPrecedente, 1}, std::pair{f.OptAnterior, 1}, std::pair{f.OptPrecedente, 0}}) {
        f.CboBalance->SetListIndex(0);
        arr->SetValue(i, true);
        EXPECT_EQ(f.CboBalance->ListIndex(), -1);
    }
}

TEST_F(Identificacion, StartOfActivitiesLocksOrFreesThePriorResultsAndClearsTheDate)
{
    Hoy(2015, 6, 10);
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    f.OptInicio->SetValue(0, true);
    f.OptPrecedente->SetValue(1, true);
    f.OptAnterior->SetValue(1, true);
    f.CboBalance->SetListIndex(0);
    f.OptInicio->SetValue(1, true);
    EXPECT_EQ(f.OptPrecedente->Chosen(), -1);
    EXPECT_EQ(f.OptAnterior->Chosen(), -1);
    for (int i : {0, 1}) {
        EXPECT_FALSE(f.OptPrecedente->Enabled(i));
        EXPECT_FALSE(f.OptAnterior->Enabled(i));
    }
    EXPECT_EQ(f.LblSistema->Caption(), QStringLiteral("B"));
    EXPECT_EQ(f.CboBalance->ListIndex(), -1);
    f.CboBalance->SetListIndex(1);
    f.OptInicio->SetValue(0, true);
    for (int i : {0, 1}) {
        EXPECT_TRUE(f.OptPrecedente->Enabled(i));
        EXPECT_TRUE(f.OptAnterior->Enabled(i));
    }
    EXPECT_EQ(f.LblSistema->Caption(), QStringLiteral(" "));
    EXPECT_EQ(f.CboBalance->ListIndex(), -1);
}

TEST_F(Identificacion, AJulyBalanceChosenInJanuaryIsLastYearsOnANewDeclaration)
{
    struct Caso {
        int mes;
        int balance;
        const char* periodo;
    };
    const Caso casos[] = {{1, 1, "201408"}, {2, 1, "201508"}, {1, 0, "201505"}, {12, 1, "201508"}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.periodo);
        Hoy(2015, c.mes, 15);
        Frm947& f = Nueva(QStringLiteral("2015"), false);
        f.OptInicio->SetValue(1, true);
        f.CboBalance->SetListIndex(c.balance);
        EXPECT_EQ(App().gPeriodo, QString::fromLatin1(c.periodo));
    }
}

// A stored declaration keeps the period it was stored under, whatever today is: rebuilding
// it from the current year would save it again as another year's declaration.
TEST_F(Identificacion, AStoredDeclarationKeepsItsPeriod)
{
    Hoy(2016, 3, 1);
    for (const char* periodo : {"201405", "201408"}) {
        SCOPED_TRACE(periodo);
        App().gPeriodo = QString::fromLatin1(periodo);
        Frm947& f = Abrir(1, QStringLiteral("20100070970"), QStringLiteral("COMERCIAL ANDINA S.A.C."));
        // The answers as a restore sets them, and then a change of the date.
        App().gCargando = true;
        f.mCargando = true;
        f.OptInicio->SetValue(1, true);
        f.CboBalance->SetListIndex(QString::fromLatin1(periodo).endsWith(QLatin1String("05")) ? 0 : 1);
        f.mCargando = false;
        App().gCargando = false;
        EXPECT_EQ(App().gPeriodo, QString::fromLatin1(periodo));
        f.Presentacion2013();
        f.CboBalance_Click();
        EXPECT_EQ(App().gPeriodo, QString::fromLatin1(periodo));
        EXPECT_EQ(f.TxtEjercicio->Text(), QString::fromLatin1(periodo).right(2) + QStringLiteral("/2014"));
    }
}

// The stored answers are put back in the order of their codes (605, 606, 607, 608, 611);
// each handler clears only what comes after it, so every answer survives, and the small
// business's date is not refused again while it is restored.
TEST_F(Identificacion, RestoringTheAnswersInTheirOrderKeepsEveryOne)
{
    Hoy(2016, 3, 1);
    App().gPeriodo = QStringLiteral("201408");
    Frm947& f = Abrir(1, QStringLiteral("20100070970"), QStringLiteral("COMERCIAL ANDINA S.A.C."));
    f.mUIT = QStringLiteral("1000");
    f.mModelo.PonTexto(461, QStringLiteral("1000"));
    for (int balance : {1, 0}) {
        SCOPED_TRACE(balance);
        msgs_->Clear();
        App().gCargando = true;
        f.mCargando = true;
        f.optRenta->SetValue(5, true);
        f.OptInicio->SetValue(0, true);       // 605
        f.OptPrecedente->SetValue(1, true);   // 606
        f.OptAnterior->SetValue(0, true);     // 607
        f.CboBalance->SetListIndex(balance);  // 608
        f.OptSuspPC->SetValue(1, true);       // 611
        f.mCargando = false;
        App().gCargando = false;
        EXPECT_EQ(f.OptInicio->Chosen(), 0);
        EXPECT_EQ(f.OptPrecedente->Chosen(), 1);
        EXPECT_EQ(f.OptAnterior->Chosen(), 0);
        EXPECT_EQ(f.CboBalance->ListIndex(), balance);
        EXPECT_EQ(f.OptSuspPC->Chosen(), 1);
        EXPECT_TRUE(f.txtNumRes->Enabled());
        EXPECT_EQ(msgs_->Count(), 0);
        EXPECT_EQ(App().gPeriodo, QStringLiteral("201408"));
        f.OptInicio->Clear();
        f.OptPrecedente->Clear();
        f.OptAnterior->Clear();
        f.OptSuspPC->Clear();
    }
}

TEST_F(Identificacion, ASmallBusinessWithoutIncomeAbove300TaxUnitsHasNoAprilBalance)
{
    Hoy(2015, 6, 10);
    struct Caso {
        const char* ingreso;   // box 461; "" all six boxes blank
        bool rehusa;
    };
    const Caso casos[] = {{"", false}, {"300000", true}, {"300001", false}, {"1", true}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.ingreso);
        Frm947& f = Nueva(QStringLiteral("2015"), false);
        f.mUIT = QStringLiteral("1000");
        f.optRenta->SetValue(5, true);
        f.mModelo.PonTexto(461, QString::fromLatin1(c.ingreso));
        f.OptInicio->SetValue(1, true);
        msgs_->Clear();
        f.CboBalance->SetListIndex(0);
        if (c.rehusa) {
            ASSERT_EQ(msgs_->Count(), 1);
            EXPECT_EQ(msgs_->Last().text, QStringLiteral("No puede presentar balance al 30 de Abril "));
            EXPECT_EQ(msgs_->Last().style, 16);
            EXPECT_EQ(msgs_->Last().title, QStringLiteral("0947 Morvath"));
            EXPECT_EQ(f.CboBalance->ListIndex(), -1);
            EXPECT_EQ(App().gPeriodo, QStringLiteral("2015"));
        } else {
            EXPECT_EQ(msgs_->Count(), 0);
            EXPECT_EQ(f.CboBalance->ListIndex(), 0);
            EXPECT_EQ(App().gPeriodo, QStringLiteral("201505"));
        }
        // July is never refused.
        msgs_->Clear();
        f.CboBalance->SetListIndex(1);
        EXPECT_EQ(msgs_->Count(), 0);
    }
}

TEST_F(Identificacion, SuspensionFollowsTheBalanceDate)
{
    Hoy(2015, 6, 10);
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    f.OptInicio->SetValue(1, true);
    f.CboBalance->SetListIndex(1);
    EXPECT_FALSE(f.FrameSusPC->isHidden());
    f.OptSuspPC->SetValue(1, true);
    f.txtNumRes->SetText(QStringLiteral("0123456789012"));
    f.mkefecnot->SetText(QStringLiteral("01/04/2015"));
    EXPECT_TRUE(f.txtNumRes->Enabled());
    EXPECT_EQ(f.txtNumRes->BackColor(), zav::kColorBlanco);
    f.CboBalance->SetListIndex(0);
    EXPECT_TRUE(f.FrameSusPC->isHidden());
    EXPECT_EQ(f.OptSuspPC->Chosen(), 0);
    EXPECT_EQ(f.txtNumRes->Text(), QString());
    EXPECT_EQ(f.mkefecnot->Text(), QStringLiteral("__/__/____"));
    EXPECT_FALSE(f.txtNumRes->Enabled());
    EXPECT_FALSE(f.mkefecnot->Enabled());
    EXPECT_EQ(f.mkefecnot->BackColor(), zav::kColorGris);
}

// ---- headings -------------------------------------------------------------------------------

TEST_F(Identificacion, HeadingsAndDatePhraseOfEachBalanceDate)
{
    struct Caso {
        int anio, balance;
        const char* fecha;
        int b1, b2a, b2b, r;
    };
    const Caso casos[] = {
        {2015, 0, "al 30 de Abril", 89, 43, 77, 24},
        {2015, 1, "al 31 de Julio", 90, 44, 78, 23},
        {2012, 0, "al 31 de Enero", 89, 43, 77, 24},
        {2012, 1, "al 30 de Junio", 90, 44, 78, 23},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.fecha);
        Hoy(c.anio, 6, 10);
        Frm947& f = Nueva(QString::number(c.anio), false);
        f.OptInicio->SetValue(1, true);
        f.CboBalance->SetListIndex(c.balance);
        const QString fecha = QString::fromLatin1(c.fecha);
        EXPECT_EQ(f.mTituloBalance, QStringLiteral("I. Balance General") + B(53) + QStringLiteral("Valor") + B(c.b1) + fecha);
        EXPECT_EQ(f.mTituloBalance2,
                  QStringLiteral("I. Balance General") + B(c.b2a) + QStringLiteral("Valor") + B(c.b2b) + fecha);
        EXPECT_EQ(f.mTituloResultados, QStringLiteral("II. Estado de Ganancias y Pérdidas") + B(c.r) + fecha);
        EXPECT_EQ(f.mFechaBalance, QLatin1Char(' ') + fecha + QLatin1Char(' '));
    }
}

// ---- regime ---------------------------------------------------------------------------------

TEST_F(Identificacion, EachRegimeShowsItsFramesAndInputs)
{
    struct Caso {
        int regimen;
        bool general, agrario, amazonia, frontera, convenio, mype;
    };
    const Caso casos[] = {
        {0, true, false, false, false, false, false}, {1, false, true, false, false, false, false},
        {2, false, false, true, false, false, false}, {3, false, false, false, true, false, false},
        {4, false, false, false, false, true, false}, {5, true, false, false, false, false, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.regimen);
        Frm947& f = Nueva(QStringLiteral("2015"), false);
        f.optRenta->SetValue(c.regimen, true);
        auto on = [](QWidget* w) { return !w->isHidden() && zav::Enabled(w); };
        EXPECT_EQ(on(f.Frame_General), c.general);
        EXPECT_EQ(on(f.Frame15), c.agrario);
        EXPECT_EQ(on(f.MkePeriodo), c.agrario);
        EXPECT_EQ(on(f.lblTab1[0]), c.agrario);
        for (QWidget* w : {f.Frame19, f.Frame21, f.Frame20, f.Frame28})
            EXPECT_EQ(on(w), c.amazonia) << w->objectName().toStdString();
        EXPECT_EQ(on(f.Frame13), c.frontera);
        EXPECT_EQ(on(f.Frame16), c.frontera);
        EXPECT_EQ(on(f.Frame14), c.convenio);
        EXPECT_EQ(!f.frmMype->isHidden(), c.mype);
        if (c.agrario) {
            EXPECT_EQ(f.MkePeriodo->BackColor(), zav::kColorBlanco);
            EXPECT_TRUE(f.Label1[9]->Enabled());
        }
        // The agrarian and frontier regimes mark the declaration changed.
        if (c.agrario || c.frontera) {
            EXPECT_TRUE(f.mModificado);
        }
        EXPECT_EQ(f.mRegimen, c.regimen);
        EXPECT_EQ(msgs_->Count(), 0);
    }
}

TEST_F(Identificacion, ChangingTheRegimeAsksAndNoKeepsThePreviousOne)
{
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    f.optRenta->SetValue(5, true);
    f.mModelo.PonTexto(251, QStringLiteral("120"));
    const QString pregunta = QStringLiteral("Va a cambiar de Régimen Tributario, se va a eliminar toda la información no "
                                            "necesaria en la declaración, ¿Desea Continuar?");

    msgs_->PushAnswer(zav::vbNo);
    f.optRenta->SetValue(2, true);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, pregunta);
    EXPECT_EQ(msgs_->Last().style, 292);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Cambiar Régimen de Renta"));
    EXPECT_EQ(f.optRenta->Chosen(), 5);
    EXPECT_EQ(f.mRegimen, 5);
    EXPECT_FALSE(f.frmMype->isHidden());
    EXPECT_FALSE(f.Frame_General->isHidden());
    EXPECT_TRUE(f.Frame20->isHidden());
    EXPECT_EQ(f.mModelo.Texto(251), QStringLiteral("120"));

    msgs_->PushAnswer(zav::vbYes);
    f.optRenta->SetValue(2, true);
    EXPECT_EQ(msgs_->Count(), 2);
    EXPECT_EQ(f.optRenta->Chosen(), 2);
    EXPECT_EQ(f.mRegimen, 2);
    EXPECT_TRUE(f.frmMype->isHidden());
    EXPECT_TRUE(f.Frame_General->isHidden());
    EXPECT_FALSE(f.Frame20->isHidden());
    for (int n : {250, 251, 252, 253})
        EXPECT_EQ(f.mModelo.Texto(n), QString()) << n;
}

TEST_F(Identificacion, AmazoniaQuestionsExcludeEachOther)
{
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    f.optRenta->SetValue(2, true);
    f.OptUbicAmazonia->SetValue(1, true);
    EXPECT_EQ(f.mUbicAmazonia, QStringLiteral("1"));
    EXPECT_FALSE(zav::Enabled(f.Frame19));
    EXPECT_FALSE(f.OptLeyAmazonia->Enabled(0));
    EXPECT_TRUE(f.OptDomFiscal->Enabled(1));
    EXPECT_FALSE(f.OptZona->Enabled(0));

    f.OptDomFiscal->SetValue(1, true);
    EXPECT_TRUE(f.OptZona->Enabled(0));
    EXPECT_FALSE(f.CmdZona1->isEnabled());
    f.OptZona->SetValue(0, true);
    EXPECT_TRUE(f.CmdZona1->isEnabled());
    f.TxtUbigeo->SetText(QStringLiteral("160101"));
    App().gUbigeo = QStringLiteral("160101");
    // The other zone starts without a code; coming back does not bring the old one.
    f.OptZona->SetValue(1, true);
    EXPECT_EQ(f.TxtUbigeo->Text(), QString());
    f.OptZona->SetValue(0, true);
    EXPECT_EQ(f.TxtUbigeo->Text(), QString());

    // Si to the law question locks the commerce one and opens the domicile question afresh.
    f.OptUbicAmazonia->SetValue(0, true);
    EXPECT_TRUE(zav::Enabled(f.Frame19));
    EXPECT_EQ(f.OptDomFiscal->Chosen(), -1);
    f.OptLeyAmazonia->SetValue(1, true);
    EXPECT_EQ(f.OptUbicAmazonia->Chosen(), -1);
    EXPECT_FALSE(zav::Enabled(f.Frame21));
    EXPECT_TRUE(zav::Enabled(f.Frame28));
    EXPECT_TRUE(f.OptDomFiscal->Enabled(0));
    f.OptLeyAmazonia->SetValue(0, true);
    EXPECT_FALSE(zav::Enabled(f.Frame28));
    EXPECT_TRUE(zav::Enabled(f.Frame21));
    EXPECT_EQ(f.mLeyAmazonia, QStringLiteral("0"));
}

// A place code picked in another declaration (the picker's code is the program's) does not
// land in this one's zone.
TEST_F(Identificacion, APlaceCodeOfAnotherDeclarationDoesNotComeIn)
{
    App().gUbigeo = QStringLiteral("250101");
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    f.optRenta->SetValue(2, true);
    f.OptLeyAmazonia->SetValue(1, true);
    f.OptDomFiscal->SetValue(1, true);
    f.OptZona->SetValue(0, true);
    EXPECT_EQ(f.TxtUbigeo->Text(), QString());
}

TEST_F(Identificacion, FrontierAnswers)
{
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    f.optRenta->SetValue(3, true);
    f.OptActividad->SetValue(1, true);
    EXPECT_TRUE(zav::Enabled(f.Frame16));
    EXPECT_TRUE(f.OptFrontera->Enabled(1));
    f.OptFrontera->SetValue(1, true);
    EXPECT_TRUE(f.CmdZona2->isEnabled());
    f.TxtUbigeo2->SetText(QStringLiteral("240101"));
    f.TxtUbigeo->SetText(QStringLiteral("160101"));
    f.OptFrontera->SetValue(0, true);
    EXPECT_EQ(f.TxtUbigeo2->Text(), QString());
    EXPECT_EQ(f.TxtUbigeo->Text(), QString());
    EXPECT_FALSE(f.CmdZona2->isEnabled());
    f.OptActividad->SetValue(0, true);
    EXPECT_EQ(f.OptFrontera->Chosen(), -1);
    EXPECT_FALSE(f.OptFrontera->Enabled(0));
    EXPECT_FALSE(zav::Enabled(f.Frame16));
}

TEST_F(Identificacion, AnswersAreInertWhileTheWindowLoads)
{
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    f.optRenta->SetValue(2, true);
    App().gCargando = true;
    f.OptUbicAmazonia->SetValue(1, true);
    f.OptLeyAmazonia->SetValue(1, true);
    f.cboTipDocRepLegal->SetListIndex(1);
    App().gCargando = false;
    // Both stored answers stand; neither cleared the other.
    EXPECT_EQ(f.OptUbicAmazonia->Chosen(), 1);
    EXPECT_EQ(f.OptLeyAmazonia->Chosen(), 1);
    EXPECT_EQ(f.mModelo.Texto(225), QString());
}

TEST_F(Identificacion, PlaceCodePickers)
{
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    QStringList titulos;
    QStringList zonas;
    zav::ModalRunnerScope runner([&](QDialog& d) {
        titulos << d.windowTitle();
        zonas << App().gZona + QLatin1Char('|') + App().gUbigeo;
        App().gUbigeo = QStringLiteral("160102");
        return 1;
    });
    f.optRenta->SetValue(2, true);
    f.OptLeyAmazonia->SetValue(1, true);
    f.OptDomFiscal->SetValue(1, true);
    f.OptZona->SetValue(1, true);
    f.CmdZona1->click();
    EXPECT_EQ(f.TxtUbigeo->Text(), QStringLiteral("160102"));
    f.TxtUbigeo2->SetText(QStringLiteral("240101"));
    f.CmdZona2_Click();
    EXPECT_EQ(f.TxtUbigeo2->Text(), QStringLiteral("160102"));
    EXPECT_EQ(titulos, (QStringList{QStringLiteral("Ubigeo Zona 2"), QStringLiteral("Ubigeo Zona 3")}));
    EXPECT_EQ(zonas.value(1), QStringLiteral("3|240101"));
}

TEST_F(Identificacion, AgreementAndRepresentativesDocumentType)
{
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    f.optRenta->SetValue(4, true);
    EXPECT_FALSE(f.TxtNumOrdenF7842->Enabled());
    f.OptConvEstab->SetValue(3, true);
    EXPECT_EQ(f.mConvenio, QStringLiteral("1"));
    EXPECT_TRUE(f.TxtNumOrdenF7842->Enabled());
    EXPECT_EQ(f.TxtNumOrdenF7842->BackColor(), zav::kColorBlanco);

    ASSERT_GT(f.cboTipDocRepLegal->ListCount(), 1);
    f.mModelo.PonTexto(226, QStringLiteral("12345678"));
    f.cboTipDocRepLegal->SetListIndex(1);
    const QString item = f.cboTipDocRepLegal->List(1);
    EXPECT_EQ(f.mModelo.Texto(225), item.left(2));
    EXPECT_EQ(f.mModelo.Texto(226), QString());
    EXPECT_EQ(f.mModelo.Estado(226).MaxLength, item.mid(67, 2).trimmed().toInt());
}

// An unanswered question is answered by the arrow key that moves to an option, and the
// answer's handler runs as for a click.
TEST_F(Identificacion, AnArrowKeyAnswersAnUnansweredQuestion)
{
    Frm947& f = Nueva();
    PaginaPorCodigo(f.SSTab2, 2);
    ASSERT_EQ(f.OptInicio->Chosen(), -1);
    f.OptInicio->Button(0)->setFocus();
    QTest::keyClick(f.OptInicio->Button(0), Qt::Key_Right);
    EXPECT_EQ(f.OptInicio->Chosen(), 1);
    EXPECT_EQ(f.LblSistema->Caption(), QStringLiteral("B"));
}

// The representative's document types show their names only, in the list and in the box;
// the item keeps its code, length and kinds where the boxes read them, and typing a name's
// first letter chooses it.
TEST_F(Identificacion, TheDocumentTypeListShowsTheNamesOnly)
{
    Frm947& f = Nueva();
    QComboBox* lista = f.cboTipDocRepLegal;
    QStringList vistos;
    for (int i = 0; i < lista->count(); ++i)
        vistos << lista->model()->index(i, 0).data().toString();
    EXPECT_EQ(vistos, (QStringList{QString(), QStringLiteral("RUC"), QStringLiteral("DNI"),
                                   QStringLiteral("CARNET EXT."), QStringLiteral("PASAPORTE")}));

    MuestraMarcos(&f, false, true, true, false, true, true);
    PaginaPorCodigo(f.SSTab1, 3);
    lista->setFocus();
    QTest::keyClick(lista, Qt::Key_D);
    EXPECT_EQ(lista->currentText(), QStringLiteral("DNI"));
    EXPECT_TRUE(f.cboTipDocRepLegal->Text().startsWith(QLatin1String("01  -  DNI")));
    EXPECT_EQ(f.mModelo.Texto(225), QStringLiteral("01"));
    EXPECT_EQ(f.mModelo.Estado(226).MaxLength, 8);
}

// ---- tabs -----------------------------------------------------------------------------------

TEST_F(Identificacion, AUserPageChangeChecksTheIdentificationPageACodeOneDoesNot)
{
    Hoy(2015, 6, 10);
    Frm947& f = Nueva();
    // Code brings pages forward without a check.
    f.SSTab1->setCurrentIndex(1);
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_EQ(f.SSTab1->currentIndex(), 1);
    f.SSTab1->setCurrentIndex(0);

    // The user does not leave an incomplete page; the headings stay as they were.
    PaginaDelUsuario(f, 1);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe seleccionar un Contribuyente."));
    EXPECT_EQ(f.SSTab1->currentIndex(), 0);
    EXPECT_EQ(Foco(), f.CmbRuc);
    EXPECT_EQ(f.lblTab2[41]->Caption(), QString());

    // By keyboard as well.
    DatosGenerales(f);
    msgs_->Clear();
    f.SSTab1->tabBar()->setFocus();
    QTest::keyClick(f.SSTab1->tabBar(), Qt::Key_Right);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe señalar el regimen de renta"));
    EXPECT_EQ(f.SSTab1->currentIndex(), 0);

    // Complete: the page comes forward with the balance date's headings.
    f.optRenta->SetValue(0, true);
    f.OptPersona->SetValue(0, true);
    msgs_->Clear();
    PaginaDelUsuario(f, 1);
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_EQ(f.SSTab1->currentIndex(), 1);
    EXPECT_EQ(f.lblTab2[41]->Caption(), f.mTituloBalance);
    EXPECT_EQ(f.lblTab2[168]->Caption(), f.mTituloBalance);
    EXPECT_EQ(f.lblTab2[98]->Caption(), f.mTituloBalance2);
    EXPECT_EQ(f.lblTab2[90]->Caption(), f.mTituloBalance2);
    EXPECT_EQ(f.lblTab2[100]->Caption(), f.mTituloResultados);
    EXPECT_TRUE(f.lblTab2[100]->Caption().endsWith(QLatin1String("al 30 de Abril")));
    EXPECT_FALSE(f.Frame1[1]->isHidden());
    EXPECT_EQ(f.TxtAyuda->Text(), QStringLiteral("Anotar los importes en nuevos soles sin considerar centimos."));

    // Page 2 puts the focus in box 103; page 3 in the accountant's name.
    PaginaDelUsuario(f, 2);
    EXPECT_EQ(f.SSTab1->currentIndex(), 2);
    EXPECT_EQ(Foco(), f.TxtValor[103]);
    EXPECT_TRUE(f.frmMype->isHidden());
    PaginaDelUsuario(f, 3);
    EXPECT_EQ(f.SSTab1->currentIndex(), 3);
    EXPECT_EQ(Foco(), f.TxtNombreA);
    EXPECT_EQ(f.TxtAyuda->Text(), QStringLiteral("El registro de esta información es de caracter obligatorio"));
    EXPECT_EQ(f.TxtAyuda1->Text(), QStringLiteral("en los conceptos que le correspondan."));
    EXPECT_EQ(msgs_->Count(), 0);
}

// The checks that bring a page of the complementary strip forward (the full check, a
// refused taxpayer number) are not interrupted by the identification check; a page the
// user chooses there still is checked.
TEST_F(Identificacion, ACodePageChangeOfTheComplementaryStripChecksNothing)
{
    Hoy(2015, 6, 10);
    Frm947& f = Nueva();
    f.PerdidasDisponibles(true);
    f.CmdValidar->setFocus();
    for (int pagina : {1, 0}) {
        SCOPED_TRACE(pagina);
        f.MostrarPaginas(3, pagina);
        EXPECT_EQ(msgs_->Count(), 0) << (msgs_->Count() ? msgs_->Last().text.toStdString() : std::string());
        EXPECT_EQ(f.SSTab1->currentIndex(), 3);
        EXPECT_EQ(f.SSTab4->currentIndex(), pagina);
    }
    // Nor does it use up the one check skipped on the first visit to page 0.
    f.SSTab1->setCurrentIndex(0);
    f.SSTab4->setCurrentIndex(1);
    EXPECT_TRUE(f.mOmitirValidacion);

    f.SSTab1->setCurrentIndex(3);
    f.SSTab4->setCurrentIndex(0);
    QTabBar* barra = f.SSTab4->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe seleccionar un Contribuyente."));
    EXPECT_EQ(f.SSTab1->currentIndex(), 0);
}

TEST_F(Identificacion, LeavingTheGeneralDataPage)
{
    struct Caso {
        const char* telefono;
        bool regimen;
        QString mensaje;   // empty: the page changes
    };
    const Caso casos[] = {
        {"12345", true, QStringLiteral("Ingrese su número de teléfono o un número de referencia.")},
        {"123456", true, QString()},
        {"", true, QString()},
        {"4411223", false, QStringLiteral("Debe señalar el regimen de renta")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.telefono);
        Frm947& f = Nueva();
        Elegir(f, QStringLiteral("20100070970"));
        f.TxtTelefono->SetText(QString::fromLatin1(c.telefono));
        if (c.regimen)
            f.optRenta->SetValue(0, true);
        msgs_->Clear();
        QTabBar* barra = f.SSTab2->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
        if (c.mensaje.isEmpty()) {
            EXPECT_EQ(msgs_->Count(), 0);
            EXPECT_EQ(f.SSTab2->currentIndex(), 1);
        } else {
            ASSERT_EQ(msgs_->Count(), 1);
            EXPECT_EQ(msgs_->Last().text, c.mensaje);
            EXPECT_EQ(msgs_->Last().style, 16);
            EXPECT_EQ(f.SSTab2->currentIndex(), 0);
            EXPECT_EQ(Foco(), f.TxtTelefono);
        }
    }
}

TEST_F(Identificacion, IncomeStatementPageTakesTheFocusInBox461)
{
    Hoy(2015, 6, 10);
    Frm947& f = Nueva();
    DatosGenerales(f);
    f.optRenta->SetValue(0, true);
    f.OptPersona->SetValue(1, true);
    PaginaDelUsuario(f, 1);
    ASSERT_EQ(f.SSTab1->currentIndex(), 1);
    QTabBar* barra = f.SSTab3->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(2).center());
    EXPECT_EQ(f.SSTab3->currentIndex(), 2);
    EXPECT_EQ(Foco(), f.TxtValor[461]);
}

TEST_F(Identificacion, AssetsPanelsFollowTheScrollBar)
{
    Frm947& f = Nueva(QStringLiteral("2015"), false);
    EXPECT_FALSE(f.Frame26->isHidden());
    EXPECT_TRUE(f.Frame34->isHidden());
    for (int v : {15, 7, 1}) {
        f.VScroll1->setValue(v);
        EXPECT_EQ(f.Frame26->isHidden(), v != 1) << v;
        EXPECT_EQ(f.Frame34->isHidden(), v == 1) << v;
    }
}

} // namespace
