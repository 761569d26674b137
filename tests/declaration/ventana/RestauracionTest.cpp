// Stored rows put back into the declaration window, and the identification page restored
// from them.
#include "ReaperturaFixture.h"

#include "shell/Abridores.h"

#include <QPushButton>

#include <functional>

namespace {

const QString kRuc = QStringLiteral("20100070970");
const QString kNombre = QStringLiteral("COMERCIAL ANDINA S.A.C.");

class Restauracion : public ReaperturaFixture {
protected:
    void SetUp() override
    {
        ReaperturaFixture::SetUp();
        if (HasFatalFailure())
            return;
        App().gPeriodo = QStringLiteral("201408");
    }

    static void Fila(const QString& casilla, const QString& valor, const QString& periodo = QStringLiteral("201408"))
    {
        Ejecutar(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor, "
                                "idcasilla, cNumero) VALUES (6, ?, ?, '0947', 0, ?, ?, '01', '0')"),
                 {kRuc, periodo, casilla, valor});
    }

    static void Cabecera(const QString& rectifica, const QString& periodo = QStringLiteral("201408"))
    {
        Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, fec_pro, estado, "
                                "rectifica, cNumero) VALUES (6, ?, ?, '0947', 0, '15/09/2014', 0, ?, '1')"),
                 {kRuc, periodo, rectifica});
    }

    // The declaration of the rows, opened as Modificar opens it.
    Frm947& Reabrir() { return Abrir(1, kRuc, kNombre); }
};

struct CasoFila {
    const char* codigo;
    const char* valor;
    std::function<void(Frm947&)> antes;   // state before the row arrives (may be empty)
    std::function<QString(Frm947&)> lee;
    const char* esperado;
};

QString Caja(Frm947& f, int n)
{
    return f.TxtValor.at(n)->Text();
}

} // namespace

// Every kind of row, and the values their controls cannot take, which are skipped.
TEST_F(Restauracion, EachRowGoesWhereItsCodeSays)
{
    auto caja = [](int n) { return [n](Frm947& f) { return Caja(f, n); }; };
    auto previo = [](int n, const char* t) { return [n, t](Frm947& f) { f.mModelo.PonTexto(n, QString::fromLatin1(t)); }; };
    auto opcion = [](zav::OptionArray* Frm947::*o) {
        return [o](Frm947& f) { return QString::number((f.*o)->Chosen()); };
    };
    auto miembro = [](QString Frm947::*m) { return [m](Frm947& f) { return f.*m; }; };
    auto texto = [](auto Frm947::*t) { return [t](Frm947& f) { return (f.*t)->Text(); }; };
    auto ubigeo = [](Frm947&) { return App().gUbigeo; };
    auto perdidas = [](Frm947&) { return QString::number(App().gNumPerdidas); };
    const CasoFila casos[] = {
        {"007", "201408", {}, texto(&Frm947::TxtEjercicio), "08/2014"},
        {"028", "4234567", {}, texto(&Frm947::TxtTelefono), "4234567"},
        {"056", "6", {}, miembro(&Frm947::mCodRegimen), "6"},
        {"113", "1500", {}, caja(113), "1,500"},
        {"113", "1500", {}, miembro(&Frm947::mCasilla113), "1500"},
        {"200", "20130415", {}, texto(&Frm947::MkePeriodo), "15/04/2013"},
        {"200", "2013041", {}, texto(&Frm947::MkePeriodo), "__/__/____"},
        {"200", "2013-04-15", {}, texto(&Frm947::MkePeriodo), "__/__/____"},
        {"208", "20000000001", {}, caja(208), "20000000001"},
        {"208", "-20000000001", {}, caja(208), "20000000001"},
        {"209", "15", {}, caja(209), "15"},
        {"211", "01234", {}, caja(211), "01234"},
        {"226", "07654321", {}, caja(226), "07654321"},
        {"224", "00012345", {}, texto(&Frm947::TxtNumOrdenF7842), "00012345"},
        // Deductions: shown in parentheses; "0" as it is; an empty value keeps the box.
        {"462", "3000", {}, caja(462), "(3,000)"},
        {"462", "-3000", {}, caja(462), "(3,000)"},
        {"462", "0", {}, caja(462), "0"},
        {"462", "", previo(462, "(7)"), caja(462), "(7)"},
        {"553", "1200", {}, caja(553), "(1,200)"},
        // Signed boxes.
        {"555", "-1500", {}, caja(555), "(1,500)"},
        {"543", "1500", {}, caja(543), "1,500"},
        // Other boxes.
        {"500", "1234567", {}, caja(500), "1,234,567"},
        {"500", "-15", {}, caja(500), "-15"},
        {"433", "20", {}, caja(433), "20"},
        // The coefficient in its stored form.
        {"610", "0.1234", {}, caja(610), "0.1234"},
        {"610", "45.50", {}, caja(610), "45.50"},
        {"610", "abc", previo(610, "1.0000"), caja(610), "1.0000"},
        {"601", "1", {}, miembro(&Frm947::mActividad), "1"},
        {"602", "0", {}, miembro(&Frm947::mFrontera), "0"},
        {"603", "040101", {}, texto(&Frm947::TxtUbigeo2), "040101"},
        {"603", "040101", {}, ubigeo, "040101"},
        {"605", "1", {}, opcion(&Frm947::OptInicio), "1"},
        {"605", "2", {}, opcion(&Frm947::OptInicio), "-1"},
        {"605", "X", {}, opcion(&Frm947::OptInicio), "-1"},
        {"606", "0", {}, opcion(&Frm947::OptPrecedente), "0"},
        {"607", "1", {}, opcion(&Frm947::OptAnterior), "1"},
        {"607", "-1", {}, opcion(&Frm947::OptAnterior), "-1"},
        {"608", "1", {}, [](Frm947& f) { return QString::number(f.CboBalance->ListIndex()); }, "1"},
        {"608", "-1", [](Frm947& f) { f.CboBalance->SetListIndex(0); },
         [](Frm947& f) { return QString::number(f.CboBalance->ListIndex()); }, "0"},
        {"608", "5", [](Frm947& f) { f.CboBalance->SetListIndex(0); },
         [](Frm947& f) { return QString::number(f.CboBalance->ListIndex()); }, "0"},
        {"611", "1", {}, opcion(&Frm947::OptSuspPC), "1"},
        {"611", "7", {}, opcion(&Frm947::OptSuspPC), "-1"},
        {"612", "0123456789012", {}, texto(&Frm947::txtNumRes), "0123456789012"},
        {"613", "15/08/2014", {}, texto(&Frm947::mkefecnot), "15/08/2014"},
        {"613", "2014-08-15", {}, texto(&Frm947::mkefecnot), "__/__/____"},
        {"662", "3", {}, perdidas, "3"},
        {"662", "99999", [](Frm947&) { App().gNumPerdidas = 2; }, perdidas, "2"},
        {"662", "abc", [](Frm947&) { App().gNumPerdidas = 2; }, perdidas, "0"},
        {"804", "3", {}, miembro(&Frm947::mConvenio), "3"},
        {"809", "1", {}, miembro(&Frm947::mUbicAmazonia), "1"},
        {"810", "0", {}, miembro(&Frm947::mLeyAmazonia), "0"},
        {"811", "1", {}, miembro(&Frm947::mZona), "1"},
        {"812", "160101", {}, texto(&Frm947::TxtUbigeo), "160101"},
        {"812", "160101", {}, ubigeo, "160101"},
        {"813", "1", {}, miembro(&Frm947::mPersona), "1"},
        {"860", "1", {}, miembro(&Frm947::mDomFiscal), "1"},
        {"815", "PEREZ GOMEZ", {}, texto(&Frm947::TxtNombreA), "PEREZ GOMEZ"},
        {"816", "ANA MARIA", {}, texto(&Frm947::TxtNombreN), "ANA MARIA"},
        {"817", "TORRES DIAZ", {}, texto(&Frm947::txtApellidoRL), "TORRES DIAZ"},
        {"818", "LUIS ALBERTO", {}, texto(&Frm947::txtNombreRL), "LUIS ALBERTO"},
        // A number too large for any amount (another program's "1E999") is no value.
        {"500", "1E999", previo(500, "7"), caja(500), "7"},
        {"462", "(1E999)", previo(462, "(7)"), caja(462), "(7)"},
        {"543", "-1E999", previo(543, "7"), caja(543), "7"},
        {"208", "1E999", previo(208, "20000000001"), caja(208), "20000000001"},
        {"113", "1E999", previo(113, "7"), caja(113), "7"},
        {"113", "1E999", {}, miembro(&Frm947::mCasilla113), ""},
        {"610", "1E999", previo(610, "1.0000"), caja(610), "1.0000"},
        {"662", "1E999", [](Frm947&) { App().gNumPerdidas = 2; }, perdidas, "2"},
        {"1E999", "5", {}, caja(500), ""},
        // Nor is an amount of more than fifteen digits: a few summed would overflow.
        {"500", "1E15", previo(500, "7"), caja(500), "7"},
        {"500", "-1000000000000000", previo(500, "7"), caja(500), "7"},
        {"500", "999999999999999", {}, caja(500), "999,999,999,999,999"},
        {"462", "1E300", previo(462, "(7)"), caja(462), "(7)"},
        {"113", "1E300", previo(113, "7"), caja(113), "7"},
        {"610", "1E300", previo(610, "1.0000"), caja(610), "1.0000"},
        // The code is read as a number.
        {"0500", "10", {}, caja(500), "10"},
        {"56", "8", {}, miembro(&Frm947::mCodRegimen), "8"},
    };
    for (const CasoFila& c : casos) {
        SCOPED_TRACE(std::string(c.codigo) + " = " + c.valor);
        Frm947& f = Reabrir();
        App().gUbigeo.clear();
        if (c.antes)
            c.antes(f);
        App().gCargando = true;
        f.mCargando = true;
        f.pMuestraCasilla(QString::fromLatin1(c.codigo), QString::fromLatin1(c.valor));
        f.mCargando = false;
        App().gCargando = false;
        EXPECT_EQ(c.lee(f), QString::fromUtf8(c.esperado));
    }
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_EQ(end_->Count(), 0);
}

// A stored amount that overflows every number, or whose sum with others would, is skipped
// like any other unusable value: the declaration opens with the rest of its rows.
TEST_F(Restauracion, AnOverflowingAmountDoesNotKeepTheDeclarationFromOpening)
{
    Cabecera(QStringLiteral("0"));
    Fila(QStringLiteral("500"), QStringLiteral("1E999"));
    Fila(QStringLiteral("503"), QStringLiteral("250"));
    Fila(QStringLiteral("532"), QStringLiteral("-1e999"));
    Fila(QStringLiteral("504"), QStringLiteral("1E308"));
    Fila(QStringLiteral("505"), QStringLiteral("1E308"));
    Fila(QStringLiteral("028"), QStringLiteral("4234567"));
    bool mostrada = false;
    zav::ModalRunnerScope runner([&](QDialog& dlg) {
        auto* f = qobject_cast<Frm947*>(&dlg);
        if (!f)
            return 0;
        mostrada = true;
        EXPECT_EQ(Caja(*f, 500), QString());
        EXPECT_EQ(Caja(*f, 503), QStringLiteral("250"));
        EXPECT_EQ(Caja(*f, 532), QString());
        EXPECT_EQ(Caja(*f, 504), QString());
        EXPECT_EQ(Caja(*f, 505), QString());
        EXPECT_EQ(f->TxtTelefono->Text(), QStringLiteral("4234567"));
        return 0;
    });
    EXPECT_NO_THROW(AbrirDeclaracion(1, {kRuc, kNombre}));
    EXPECT_TRUE(mostrada);
    EXPECT_EQ(msgs_->Count(), 0) << msgs_->Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(end_->Count(), 0);
}

// Codes that are neither listed nor a box of the window change nothing.
TEST_F(Restauracion, CodesWithoutAPlaceAreSkipped)
{
    Frm947& f = Reabrir();
    const auto antes = Estado(f);
    App().gCargando = true;
    f.mCargando = true;
    for (const char* codigo : {"002", "117", "428", "458", "721", "801", "609", "350", "ABC", "99999", "", "465"})
        f.pMuestraCasilla(QString::fromLatin1(codigo), QStringLiteral("123"));
    f.mCargando = false;
    App().gCargando = false;
    EXPECT_EQ(Estado(f), antes);
}

// Rows that come back from the table in any order are applied in the order of their
// codes: each answer's handler clears the ones after it.
TEST_F(Restauracion, AnswersStoredInAnyOrderAllComeBack)
{
    Hoy(2014);
    Cabecera(QStringLiteral("1"));
    const std::pair<const char*, const char*> filas[] = {
        {"613", "15/08/2014"}, {"612", "0123456789012"}, {"611", "1"}, {"608", "1"}, {"607", "0"},
        {"606", "1"},          {"605", "0"},             {"056", "4"}, {"813", "1"}};
    for (const auto& [c, v] : filas)
        Fila(QString::fromLatin1(c), QString::fromLatin1(v));
    Frm947& f = Reabrir();
    EXPECT_EQ(f.OptInicio->Chosen(), 0);
    EXPECT_EQ(f.OptPrecedente->Chosen(), 1);
    EXPECT_EQ(f.OptAnterior->Chosen(), 0);
    EXPECT_EQ(f.CboBalance->ListIndex(), 1);
    EXPECT_EQ(f.OptSuspPC->Chosen(), 1);
    EXPECT_EQ(f.txtNumRes->Text(), QStringLiteral("0123456789012"));
    EXPECT_EQ(f.mkefecnot->Text(), QStringLiteral("15/08/2014"));
    EXPECT_EQ(f.optRenta->Chosen(), 0);
    EXPECT_EQ(f.OptPersona->Chosen(), 1);
    EXPECT_EQ(f.OptRectifica->Chosen(), 1);
    EXPECT_EQ(App().gPeriodo, QStringLiteral("201408"));
    EXPECT_FALSE(f.mModificado);
    EXPECT_EQ(msgs_->Count(), 0);
}

// No stored rows: every box is emptied except the accountant's and the representative's
// numbers, which keep what they hold.
TEST_F(Restauracion, WithoutRowsTheBoxesAreEmptied)
{
    // 211 and 212 exclude each other: one at a time.
    for (int registro : {211, 212}) {
        Frm947& f = Reabrir();
        for (int n : {500, 113, 208, 209, registro, 225, 226})
            f.mModelo.PonTexto(n, QStringLiteral("12"));
        f.Frm947_TxtRazon_Change();
        for (int n : {500, 113, 209, 225})
            EXPECT_EQ(Caja(f, n), QString()) << n;
        for (int n : {208, registro, 226})
            EXPECT_EQ(Caja(f, n), QStringLiteral("12")) << n;
    }
}

// The identification page from the answers the rows left.
TEST_F(Restauracion, TheIdentificationPageFollowsTheStoredAnswers)
{
    struct Caso {
        const char* nombre;
        std::vector<std::pair<const char*, const char*>> filas;
        std::function<void(Frm947&)> comprueba;
    };
    const Caso casos[] = {
        {"regime 6 is Convenio",
         {{"056", "6"}, {"804", "3"}},
         [](Frm947& f) {
             EXPECT_EQ(f.optRenta->Chosen(), 4);
             EXPECT_EQ(f.OptConvEstab->Chosen(), 3);
             EXPECT_FALSE(f.Frame14->isHidden());
         }},
        {"regime 5 is none", {{"056", "5"}}, [](Frm947& f) { EXPECT_EQ(f.optRenta->Chosen(), -1); }},
        {"regime 9 is none", {{"056", "9"}}, [](Frm947& f) { EXPECT_EQ(f.optRenta->Chosen(), -1); }},
        {"person only for General and MYPE",
         {{"056", "1"}, {"813", "1"}},
         [](Frm947& f) {
             EXPECT_EQ(f.optRenta->Chosen(), 1);
             EXPECT_EQ(f.OptPersona->Chosen(), -1);
         }},
        {"person of MYPE", {{"056", "8"}, {"813", "0"}}, [](Frm947& f) { EXPECT_EQ(f.OptPersona->Chosen(), 0); }},
        {"Amazonía No/No closes the domicile",
         {{"056", "2"}, {"809", "0"}, {"810", "0"}, {"812", "160101"}},
         [](Frm947& f) {
             EXPECT_EQ(f.OptUbicAmazonia->Chosen(), 0);
             EXPECT_EQ(f.OptLeyAmazonia->Chosen(), 0);
             EXPECT_FALSE(f.OptDomFiscal->Enabled(0));
             EXPECT_FALSE(f.OptDomFiscal->Enabled(1));
             EXPECT_FALSE(f.OptZona->Enabled(0));
             EXPECT_FALSE(f.CmdZona1->isEnabled());
             EXPECT_EQ(f.TxtUbigeo->Text(), QString());
             EXPECT_EQ(App().gUbigeo, QString());
         }},
        {"located in Amazonía closes the law question",
         {{"056", "2"}, {"809", "1"}, {"860", "1"}, {"811", "0"}, {"812", "160101"}},
         [](Frm947& f) {
             EXPECT_EQ(f.OptUbicAmazonia->Chosen(), 1);
             EXPECT_EQ(f.OptLeyAmazonia->Chosen(), -1);
             EXPECT_FALSE(f.OptLeyAmazonia->Enabled(0));
             EXPECT_FALSE(f.Frame19->isEnabled());
             EXPECT_EQ(f.OptDomFiscal->Chosen(), 1);
             EXPECT_EQ(f.OptZona->Chosen(), 0);
             EXPECT_TRUE(f.OptZona->Enabled(0));
             EXPECT_TRUE(f.CmdZona1->isEnabled());
             EXPECT_EQ(f.TxtUbigeo->Text(), QStringLiteral("160101"));
         }},
        {"the Amazonía law closes the location question whatever it holds",
         {{"056", "2"}, {"809", "1"}, {"810", "1"}, {"860", "0"}},
         [](Frm947& f) {
             EXPECT_EQ(f.OptLeyAmazonia->Chosen(), 1);
             EXPECT_EQ(f.OptUbicAmazonia->Chosen(), -1);
             EXPECT_FALSE(f.OptUbicAmazonia->Enabled(1));
             EXPECT_FALSE(f.Frame21->isEnabled());
             EXPECT_EQ(f.OptDomFiscal->Chosen(), 0);
             EXPECT_FALSE(f.OptZona->Enabled(1));
         }},
        {"frontier without industry",
         {{"056", "3"}, {"601", "0"}},
         [](Frm947& f) {
             EXPECT_EQ(f.OptActividad->Chosen(), 0);
             EXPECT_FALSE(f.OptFrontera->Enabled(0));
             EXPECT_FALSE(f.CmdZona2->isEnabled());
         }},
        {"frontier domicile",
         {{"056", "3"}, {"601", "1"}, {"602", "1"}, {"603", "040101"}},
         [](Frm947& f) {
             EXPECT_EQ(f.OptActividad->Chosen(), 1);
             EXPECT_EQ(f.OptFrontera->Chosen(), 1);
             EXPECT_EQ(f.TxtUbigeo2->Text(), QStringLiteral("040101"));
         }},
        {"zones and document types by their codes",
         {{"209", "16"}, {"225", "01"}, {"226", "07654321"}},
         [](Frm947& f) {
             EXPECT_TRUE(f.CmbZona->Text().endsWith(QLatin1String("16")));
             EXPECT_TRUE(f.cboTipDocRepLegal->Text().startsWith(QLatin1String("01")));
             EXPECT_EQ(Caja(f, 226), QStringLiteral("07654321"));
         }},
        {"a zone code no item has", {{"209", "99"}}, [](Frm947& f) { EXPECT_EQ(f.CmbZona->ListIndex(), -1); }},
        {"Convenio without a tax row", {{"056", "6"}}, [](Frm947& f) { EXPECT_EQ(Caja(f, 113), QString()); }},
        {"Convenio with a typed tax", {{"056", "6"}, {"113", "1500"}},
         [](Frm947& f) { EXPECT_EQ(Caja(f, 113), QStringLiteral("1500")); }},
        {"General computes its tax, whatever the row holds",
         {{"056", "4"}, {"813", "0"}, {"100", "2000"}, {"106", "2000"}, {"110", "2000"}, {"113", "1"}},
         [](Frm947& f) { EXPECT_EQ(Caja(f, 113), QStringLiteral("600")); }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Ejecutar(QStringLiteral("DELETE FROM DET"));
        App().gUbigeo.clear();
        for (const auto& [codigo, valor] : c.filas)
            Fila(QString::fromLatin1(codigo), QString::fromLatin1(valor));
        Frm947& f = Reabrir();
        c.comprueba(f);
        EXPECT_FALSE(f.mModificado);
    }
    EXPECT_EQ(msgs_->Count(), 0);
}

// The Rectificatoria answer comes from the header.
TEST_F(Restauracion, RectificatoriaComesFromTheHeader)
{
    const std::pair<const char*, int> casos[] = {{"1", 1}, {"0", 0}, {"", -1}, {"X", -1}};
    for (const auto& [valor, opcion] : casos) {
        SCOPED_TRACE(valor);
        Ejecutar(QStringLiteral("DELETE FROM CAB"));
        Cabecera(QString::fromLatin1(valor));
        Fila(QStringLiteral("056"), QStringLiteral("4"));
        EXPECT_EQ(Reabrir().OptRectifica->Chosen(), opcion);
        Ejecutar(QStringLiteral("DELETE FROM DET"));
    }
}

// A declaration whose rows cannot be read is reported and not opened: saving its empty
// window would replace what is stored.
TEST_F(Restauracion, UnreadableRowsAreReportedAndTheWindowStaysClosed)
{
    Cabecera(QStringLiteral("0"));
    Fila(QStringLiteral("500"), QStringLiteral("10"));
    Ejecutar(QStringLiteral("ALTER TABLE DET RENAME TO DET_X"));
    bool mostrada = false;
    zav::ModalRunnerScope runner([&](QDialog&) {
        mostrada = true;
        return 0;
    });
    AbrirDeclaracion(1, {kRuc, kNombre});
    EXPECT_FALSE(mostrada);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("La declaración no fue leída. Error (")));
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("0947 Morvath"));
    EXPECT_EQ(end_->Count(), 0);
    EXPECT_EQ(App().gFrm947, nullptr);
}

// A sent declaration's rows come from the history table, by the chosen taxpayer and
// sequence; the window's own document plays no part.
TEST_F(Restauracion, ASentDeclarationIsReadFromItsHistoryRows)
{
    const std::pair<const char*, const char*> enviadas[] = {{"001", "100"}, {"002", "200"}};
    for (const auto& [correl, valor] : enviadas)
        Ejecutar(QStringLiteral("INSERT INTO HDET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, SEMANA, CASILLA, "
                                "i_valor, idcasilla, cNumero) VALUES (6, ?, '201408', '0947', ?, 0, '500', ?, '01', '0')"),
                 {kRuc, QString::fromLatin1(correl), QString::fromLatin1(valor)});
    Fila(QStringLiteral("500"), QStringLiteral("999"));
    App().gModoEnviadas = true;
    App().gRuc = kRuc;
    App().gCorrel = QStringLiteral("002");
    Frm947& f = Abrir(1, QStringLiteral("20512345671"), kNombre);
    EXPECT_EQ(Caja(f, 500), QStringLiteral("200"));
    App().gModoEnviadas = false;
}
