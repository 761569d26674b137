// The tax losses of previous years: the page's grid and buttons, the editor's checks,
// the rows it writes, and the losses kept across saving and reopening.
#include "ReaperturaFixture.h"

#include "declaration/frmPerdidaEjercAnt.h"

#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>

namespace {

struct FilaPerdida {
    QString anho;
    QString importe;
    QString control;
    bool operator==(const FilaPerdida&) const = default;
};

void PrintTo(const FilaPerdida& f, std::ostream* os)
{
    *os << f.anho.toStdString() << "/" << f.importe.toStdString() << "/" << f.control.toStdString();
}

class Perdidas : public ReaperturaFixture {
protected:
    // The loss page brought forward with box 108 holding an amount.
    static void PaginaPerdidas(Frm947& f)
    {
        Casilla(f, 108, QStringLiteral("1,000"));
        f.SSTab1->setCurrentIndex(3);
        f.SSTab4->setCurrentIndex(1);
        f.Frm947_SSTab4_GotFocus();
    }

    // Presses a loss button; `enEditor` runs on the editor if it opens. True when it opened.
    bool Boton(Frm947& f, int indice, const std::function<void(frmPerdidaEjercAnt&)>& enEditor = {})
    {
        bool abierto = false;
        zav::ModalRunnerScope runner([&](QDialog& dlg) {
            auto* e = qobject_cast<frmPerdidaEjercAnt*>(&dlg);
            if (!e)
                return 0;
            abierto = true;
            e->Form_Activate();
            if (enEditor)
                enEditor(*e);
            return 0;
        });
        f.Frm947_cmdPerdida_Click(indice);
        return abierto;
    }

    // Adds a row as a user types it into the editor and presses Aceptar.
    bool Nueva(Frm947& f, const QString& anho, const QString& importe)
    {
        return Boton(f, 0, [&](frmPerdidaEjercAnt& e) {
            e.MkeAnho->SetText(anho);
            e.txtImporte_GotFocus();
            e.txtImporte->SetText(importe);
            e.txtImporte_LostFocus();
            e.cmdAccion_Click(0);
        });
    }

    static std::vector<FilaPerdida> Filas(const QString& tabla = QStringLiteral("F0947_PTCEA"))
    {
        std::vector<FilaPerdida> v;
        auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" ORDER BY Anho"),
                                                  dao::dbOpenSnapshot);
        for (; !rs->Eof(); rs->MoveNext())
            v.push_back({rs->Fields(QStringLiteral("Anho")).Value().toText(),
                         rs->Fields(QStringLiteral("Importe")).Value().toText(),
                         rs->Fields(QStringLiteral("cnumero")).Value().toText()});
        return v;
    }

    static QString ControlPerdida(const QString& ruc, const QString& periodo, const QString& anho, const QString& importe)
    {
        return Control({QStringLiteral("6"), ruc, periodo, QStringLiteral("0947"), anho}, {importe});
    }

    static QStringList Rejilla(const Frm947& f)
    {
        QStringList l;
        for (int r = 0; r < f.dtaPerdidaTributaria->rowCount(); ++r)
            l << f.dtaPerdidaTributaria->item(r, 4)->text() + QLatin1Char('=') + f.dtaPerdidaTributaria->item(r, 5)->text();
        return l;
    }
};

TEST_F(Perdidas, TheWorkedExampleRowCarriesItsCheckValue)
{
    App().gPeriodo = QStringLiteral("201305");
    Frm947& f = Abrir(1, QStringLiteral("20000000001"), QStringLiteral("EMPRESA DE PRUEBA S.A."));
    PaginaPerdidas(f);
    ASSERT_TRUE(f.cmdPerdida[0]->isEnabled());
    ASSERT_TRUE(Nueva(f, QStringLiteral("2012"), QStringLiteral("15000")));
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_EQ(Filas(), (std::vector<FilaPerdida>{{QStringLiteral("2012"), QStringLiteral("15000"), QStringLiteral("271731")}}));
    EXPECT_EQ(Rejilla(f), QStringList{QStringLiteral("2012=15000")});
}

TEST_F(Perdidas, RowsAreAddedChangedAndDeletedThroughTheEditor)
{
    Frm947& f = Completa();
    PaginaPerdidas(f);
    const QString ruc = QString::fromLatin1(kRuc);
    const QString per = QStringLiteral("201405");

    ASSERT_TRUE(Nueva(f, QStringLiteral("2013"), QStringLiteral("700")));
    ASSERT_TRUE(Nueva(f, QStringLiteral("2011"), QStringLiteral("2500")));
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_EQ(Filas(), (std::vector<FilaPerdida>{
                           {QStringLiteral("2011"), QStringLiteral("2500"), ControlPerdida(ruc, per, "2011", "2500")},
                           {QStringLiteral("2013"), QStringLiteral("700"), ControlPerdida(ruc, per, "2013", "700")}}));
    EXPECT_EQ(Rejilla(f), (QStringList{QStringLiteral("2011=2500"), QStringLiteral("2013=700")}));
    // The first row fixed the taxpayer and the balance date of the new declaration.
    EXPECT_TRUE(f.CmbRuc->isHidden());
    EXPECT_FALSE(f.TxtNumRuc->isHidden());
    EXPECT_EQ(f.TxtNumRuc->Text(), ruc);
    EXPECT_FALSE(f.CboBalance->isEnabled());

    // Changing the first row: its year is shown and cannot change, the amount is rewritten.
    f.grdPerdidaTributaria->setCurrentIndex(f.dtaPerdidaTributaria->index(0, 4));
    ASSERT_TRUE(Boton(f, 1, [&](frmPerdidaEjercAnt& e) {
        EXPECT_FALSE(e.MkeAnho->isEnabled());
        EXPECT_EQ(e.MkeAnho->Text(), QStringLiteral("2011"));
        EXPECT_EQ(e.txtImporte->Text(), QStringLiteral("2500"));
        e.txtImporte->SetText(QStringLiteral("3100000"));
        e.txtImporte_LostFocus();
        EXPECT_EQ(e.txtImporte->Text(), QStringLiteral("3,100,000"));
        e.cmdAccion_Click(0);
    }));
    EXPECT_EQ(Filas(), (std::vector<FilaPerdida>{
                           {QStringLiteral("2011"), QStringLiteral("3100000"), ControlPerdida(ruc, per, "2011", "3100000")},
                           {QStringLiteral("2013"), QStringLiteral("700"), ControlPerdida(ruc, per, "2013", "700")}}));

    // Deleting asks first; No keeps the row.
    f.grdPerdidaTributaria->setCurrentIndex(f.dtaPerdidaTributaria->index(1, 4));
    msgs_->PushAnswer(zav::vbNo);
    f.Frm947_cmdPerdida_Click(2);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("¿Confirma que va a eliminar?"));
    EXPECT_EQ(msgs_->Last().style, 292);
    EXPECT_EQ(Filas().size(), 2u);
    msgs_->PushAnswer(zav::vbYes);
    f.Frm947_cmdPerdida_Click(2);
    EXPECT_EQ(Filas(), (std::vector<FilaPerdida>{
                           {QStringLiteral("2011"), QStringLiteral("3100000"), ControlPerdida(ruc, per, "2011", "3100000")}}));
    EXPECT_EQ(Rejilla(f), QStringList{QStringLiteral("2011=3100000")});
}

TEST_F(Perdidas, TheEditorRefusesBadYearsAnEmptyAmountAndTheSameYearTwice)
{
    // Today is in 2014: the years 1950 to 2013 are taken.
    const QString kAnho = QStringLiteral("El año no es válido.");
    const QString kImporte = QStringLiteral("Ingrese el Importe de la pérdida consignada en la DDJJ Anual");
    struct Caso {
        const char* anho;
        const char* importe;
        QString mensaje;   // empty: stored
    } casos[] = {
        {"1949", "100", kAnho},
        {"1950", "100", {}},
        {"2014", "100", kAnho},
        {"2013", "100", {}},
        {"20__", "100", kAnho},
        {"2010", "", kImporte},
        {"2010", "  ", kImporte},
        {"1950", "900", QStringLiteral("Ya se registro importe para el año 1950")},
    };
    Frm947& f = Completa();
    PaginaPerdidas(f);
    size_t guardadas = 0;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.anho);
        msgs_->Clear();
        ASSERT_TRUE(Nueva(f, QString::fromLatin1(c.anho), QString::fromLatin1(c.importe)));
        if (c.mensaje.isEmpty()) {
            EXPECT_EQ(msgs_->Count(), 0);
            ++guardadas;
        } else {
            ASSERT_EQ(msgs_->Count(), 1);
            EXPECT_EQ(msgs_->Last().text, c.mensaje);
            EXPECT_EQ(msgs_->Last().style, 16);
            EXPECT_EQ(msgs_->Last().title, QStringLiteral("Pérdida tributaria compensable de Ejercicios anteriores"));
        }
        EXPECT_EQ(Filas().size(), guardadas);
    }
    // The amount of the refused second 1950 did not replace the first.
    EXPECT_EQ(Filas().front().importe, QStringLiteral("100"));
}

TEST_F(Perdidas, TheAmountTakesFifteenDigitsAndNothingElse)
{
    frmPerdidaEjercAnt e;
    e.show();
    e.txtImporte->setFocus();
    QTest::keyClicks(e.txtImporte, QStringLiteral("12a34567890123456789"));
    EXPECT_EQ(e.txtImporte->Text(), QStringLiteral("123456789012345"));
}

TEST_F(Perdidas, NoTaxpayerAcceptedNoLossRow)
{
    Frm947& f = Abrir();
    App().gPeriodo = QStringLiteral("2014");
    f.CboBalance->SetListIndex(0);
    PaginaPerdidas(f);
    EXPECT_FALSE(Boton(f, 0));
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe seleccionar un Contribuyente."));

    // A taxpayer refused because its declaration exists is none either.
    Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado, cNumero) "
                            "VALUES (6, '20000000001', '201405', '0947', 0, 0, '1')"));
    Ejecutar(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe, cnumero) "
                            "VALUES (6, '20000000001', '201405', '0947', '2011', '5', '1')"));
    App().gPeriodo = QStringLiteral("201405");
    Elegir(f, QStringLiteral("20000000001"));
    msgs_->Clear();
    // Its declaration's losses are not this window's.
    f.Frm947_SSTab4_GotFocus();
    EXPECT_EQ(f.dtaPerdidaTributaria->rowCount(), 0);
    for (int boton : {0, 1, 2}) {
        msgs_->Clear();
        EXPECT_FALSE(Boton(f, boton));
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe seleccionar un Contribuyente."));
    }
    EXPECT_EQ(Filas().size(), 1u);
}

TEST_F(Perdidas, LossRowsOutliveSavingReopeningAndSavingAgain)
{
    Frm947& f = Llena(0, 2014);
    PaginaPerdidas(f);
    ASSERT_TRUE(Nueva(f, QStringLiteral("2012"), QStringLiteral("4000")));
    ASSERT_TRUE(Nueva(f, QStringLiteral("2013"), QStringLiteral("1500")));
    const std::vector<FilaPerdida> antes = Filas();
    ASSERT_EQ(antes.size(), 2u);
    f.CmdGrabar_Click();
    const auto det = GrabacionFixture::Filas(QStringLiteral("201408"));
    ASSERT_TRUE(det.count(QStringLiteral("662"))) << "not saved";
    EXPECT_EQ(det.at(QStringLiteral("662")).valor, QStringLiteral("2"));

    bool vista = false;
    Reabre(QString::fromLatin1(kRuc), QStringLiteral("201408"), [&](Frm947& g) {
        PaginaPerdidas(g);
        vista = true;
        EXPECT_EQ(Rejilla(g), (QStringList{QStringLiteral("2012=4000"), QStringLiteral("2013=1500")}));
        msgs_->Clear();
        g.CmdGrabar_Click();
    });
    EXPECT_TRUE(vista);
    EXPECT_EQ(Filas(), antes);
    EXPECT_EQ(GrabacionFixture::Filas(QStringLiteral("201408")).at(QStringLiteral("662")).valor, QStringLiteral("2"));
}

TEST_F(Perdidas, LeavingTheYearChecksItOnlyWhenComplete)
{
    struct Caso {
        const char* anho;
        bool mensaje;
    } casos[] = {{"19__", false}, {"1949", true}, {"2013", false}, {"2015", true}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.anho);
        msgs_->Clear();
        frmPerdidaEjercAnt e;
        e.MkeAnho->SetText(QString::fromLatin1(c.anho));
        e.MkeAnho_LostFocus();
        EXPECT_EQ(msgs_->Count(), c.mensaje ? 1 : 0);
        if (c.mensaje) {
            EXPECT_EQ(msgs_->Last().text, QStringLiteral("El año no es válido."));
        }
    }
}

TEST_F(Perdidas, AFailedWriteIsReportedAndTheEditorKeepsWhatWasTyped)
{
    Frm947& f = Completa();
    PaginaPerdidas(f);
    Ejecutar(QStringLiteral("CREATE TRIGGER no_graba BEFORE INSERT ON F0947_PTCEA BEGIN SELECT RAISE(ABORT, 'no'); END"));
    bool cerrado = true;
    ASSERT_TRUE(Boton(f, 0, [&](frmPerdidaEjercAnt& e) {
        e.MkeAnho->SetText(QStringLiteral("2012"));
        e.txtImporte->SetText(QStringLiteral("800"));
        e.cmdAccion_Click(0);
        cerrado = e.result() == QDialog::Accepted;
        EXPECT_EQ(e.MkeAnho->Text(), QStringLiteral("2012"));
        EXPECT_EQ(e.txtImporte->Text(), QStringLiteral("800"));
    }));
    EXPECT_FALSE(cerrado);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_TRUE(Filas().empty());
}

} // namespace
