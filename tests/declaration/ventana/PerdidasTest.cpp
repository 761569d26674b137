// The tax losses of previous years: the page's grid and buttons, the editor's checks,
// the changes the window keeps until the declaration is saved, and the losses kept across
// saving and reopening.
#include "PerdidasFixture.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

using Perdidas = PerdidasFixture;

// The editor's row is shown at once and waits in the window: nothing of it reaches the
// table before the declaration is saved.
TEST_F(Perdidas, TheEditorsRowWaitsInTheWindow)
{
    App().gPeriodo = QStringLiteral("201305");
    Frm947& f = Abrir(1, QStringLiteral("20000000001"), QStringLiteral("EMPRESA DE PRUEBA S.A."));
    PaginaPerdidas(f);
    ASSERT_TRUE(f.cmdPerdida[0]->isEnabled());
    ASSERT_TRUE(Nueva(f, QStringLiteral("2012"), QStringLiteral("15000")));
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_TRUE(Filas().empty());
    EXPECT_EQ(Rejilla(f), QStringList{QStringLiteral("2012=15000")});
    EXPECT_TRUE(f.mModificado);
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
    EXPECT_EQ(Rejilla(f), (QStringList{QStringLiteral("2011=3100000"), QStringLiteral("2013=700")}));

    // Deleting asks first; No keeps the row.
    f.grdPerdidaTributaria->setCurrentIndex(f.dtaPerdidaTributaria->index(1, 4));
    msgs_->PushAnswer(zav::vbNo);
    f.Frm947_cmdPerdida_Click(2);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("¿Confirma que va a eliminar?"));
    EXPECT_EQ(msgs_->Last().style, 292);
    EXPECT_EQ(Rejilla(f).size(), 2);
    msgs_->PushAnswer(zav::vbYes);
    f.Frm947_cmdPerdida_Click(2);
    EXPECT_EQ(Rejilla(f), QStringList{QStringLiteral("2011=3100000")});

    // Grabar stores what the grid shows, each row with its check value.
    EXPECT_TRUE(Filas().empty());
    f.CmdGrabar_Click();
    EXPECT_EQ(Filas(), (std::vector<FilaPerdida>{
                           {QStringLiteral("2011"), QStringLiteral("3100000"), ControlPerdida(ruc, per, "2011", "3100000")}}));
    EXPECT_EQ(Casilla662(per), QStringLiteral("1"));
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
        EXPECT_EQ(Rejilla(f).size(), static_cast<qsizetype>(guardadas));
    }
    // The amount of the refused second 1950 did not replace the first.
    EXPECT_EQ(Rejilla(f).front(), QStringLiteral("1950=100"));

    // A stored year is refused as well.
    f.CmdGrabar_Click();
    ASSERT_EQ(Filas().size(), guardadas);
    msgs_->Clear();
    ASSERT_TRUE(Nueva(f, QStringLiteral("2013"), QStringLiteral("5")));
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Ya se registro importe para el año 2013"));
}

TEST_F(Perdidas, TheAmountTakesFifteenDigitsAndNothingElse)
{
    frmPerdidaEjercAnt e;
    e.show();
    e.txtImporte->setFocus();
    QTest::keyClicks(e.txtImporte, QStringLiteral("12a34567890123456789"));
    EXPECT_EQ(e.txtImporte->Text(), QStringLiteral("123456789012345"));
}

// Modificar opens the editor with the amount selected, as Tab leaves an amount box:
// what is typed replaces it.
TEST_F(Perdidas, TypingAfterModificarReplacesTheAmount)
{
    Frm947& f = Completa();
    PaginaPerdidas(f);
    ASSERT_TRUE(Nueva(f, QStringLiteral("2012"), QStringLiteral("5000")));
    f.grdPerdidaTributaria->setCurrentIndex(f.dtaPerdidaTributaria->index(0, 4));
    ASSERT_TRUE(Boton(f, 1, [&](frmPerdidaEjercAnt& e) {
        e.show();
        QApplication::setActiveWindow(&e);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&e));
        QApplication::processEvents();
        ASSERT_TRUE(e.txtImporte->hasFocus());
        QTest::keyClicks(e.txtImporte, QStringLiteral("6000"));
        EXPECT_EQ(e.txtImporte->Text(), QStringLiteral("6000"));
        e.cmdAccion_Click(0);
    }));
    EXPECT_EQ(Rejilla(f), QStringList{QStringLiteral("2012=6000")});
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
    // Its declaration's losses are not this window's (the choice blanked box 108).
    PaginaPerdidas(f);
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
    f.CmdGrabar_Click();
    const std::vector<FilaPerdida> antes = Filas();
    ASSERT_EQ(antes.size(), 2u);
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

// The stored rows cannot be read for the editor's check: it says why and keeps what was
// typed. A loss row that cannot be written fails the whole save, and the window keeps
// the row for the next Grabar.
TEST_F(Perdidas, FailuresAreReportedAndTheRowsKept)
{
    Frm947& f = Completa();
    PaginaPerdidas(f);
    bool cerrado = true;
    ASSERT_TRUE(Boton(f, 0, [&](frmPerdidaEjercAnt& e) {
        e.MkeAnho->SetText(QStringLiteral("2012"));
        e.txtImporte->SetText(QStringLiteral("800"));
        Ejecutar(QStringLiteral("ALTER TABLE F0947_PTCEA RENAME TO F0947_OTRA"));
        e.cmdAccion_Click(0);
        Ejecutar(QStringLiteral("ALTER TABLE F0947_OTRA RENAME TO F0947_PTCEA"));
        cerrado = e.result() == QDialog::Accepted;
        EXPECT_EQ(e.MkeAnho->Text(), QStringLiteral("2012"));
        EXPECT_EQ(e.txtImporte->Text(), QStringLiteral("800"));
        e.cmdAccion_Click(0);
    }));
    EXPECT_FALSE(cerrado);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(Rejilla(f), QStringList{QStringLiteral("2012=800")});

    Ejecutar(QStringLiteral("CREATE TRIGGER no_graba BEFORE INSERT ON F0947_PTCEA BEGIN SELECT RAISE(ABORT, 'no'); END"));
    msgs_->Clear();
    f.CmdGrabar_Click();
    ASSERT_GE(msgs_->Count(), 1);
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("La declaración no fue grabada. Error ("))) << msgs_->Last().text.toStdString();
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
    EXPECT_EQ(Cuenta(QStringLiteral("DET")), 0);
    EXPECT_TRUE(f.mModificado);
    EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);
    MuestraPagina(f);
    EXPECT_EQ(Rejilla(f), QStringList{QStringLiteral("2012=800")});

    Ejecutar(QStringLiteral("DROP TRIGGER no_graba"));
    f.CmdGrabar_Click();
    EXPECT_EQ(Filas().size(), 1u);
    EXPECT_EQ(Casilla662(QStringLiteral("201405")), QStringLiteral("1"));
}

// Right after Nueva the period is only the year, so choosing the taxpayer of a stored
// declaration is not refused; once the balance date gives the period, the loss page is
// that declaration's. A new declaration neither shows nor changes its rows.
TEST_F(Perdidas, ANewDeclarationOnAStoredKeyLeavesItsLossesAlone)
{
    GuardadaConPerdidas();
    const QString kDuplicada = QStringLiteral("La declaración que desea registrar ya existe  al 31 de Julio . Elija la "
                                              "opción modificar declaración o elija otro contribuyente.");
    App().gPeriodo = QStringLiteral("2014");
    Frm947& f = Abrir();
    Elegir(f, QString::fromLatin1(kRuc));
    f.OptInicio->SetValue(0, true);
    f.OptAnterior->SetValue(0, true);
    f.OptPrecedente->SetValue(1, true);
    f.CboBalance->SetListIndex(1);
    ASSERT_EQ(App().gPeriodo, QString::fromLatin1(kPeriodo));
    ASSERT_EQ(msgs_->Count(), 0);
    PaginaPerdidas(f);
    EXPECT_EQ(Rejilla(f), QStringList());

    for (int boton : {0, 1, 2}) {
        SCOPED_TRACE(boton);
        msgs_->Clear();
        msgs_->PushAnswer(zav::vbYes);
        f.grdPerdidaTributaria->setCurrentIndex(f.dtaPerdidaTributaria->index(0, 4));
        const bool abierto = Boton(f, boton, [](frmPerdidaEjercAnt& e) {
            e.MkeAnho->SetText(e.MkeAnho->isEnabled() ? QStringLiteral("2010") : e.MkeAnho->Text());
            e.txtImporte->SetText(QStringLiteral("999"));
            e.cmdAccion_Click(0);
        });
        EXPECT_FALSE(abierto);
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, kDuplicada);
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(msgs_->Last().title, f.Caption());
        EXPECT_EQ(Filas(), Guardadas());
    }
    // Nothing of the key was frozen by a row, so Grabar still refuses the duplicate.
    EXPECT_TRUE(f.CboBalance->isEnabled());
    f.optRenta->SetValue(0, true);
    f.OptPersona->SetValue(0, true);
    msgs_->Clear();
    f.CmdGrabar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("La declaración que desea registrar ya existe  al 31 de Julio . \nElija la "
                                                 "opción modificar declaración o elija otro contribuyente."));
    // Leaving keeps the stored rows.
    msgs_->Clear();
    msgs_->PushAnswer(zav::vbNo);
    f.cmdCancelar->click();
    EXPECT_EQ(Filas(), Guardadas());
    EXPECT_EQ(Casilla662(QString::fromLatin1(kPeriodo)), QStringLiteral("2"));
}

// Another program stores the same new declaration while the editor is open: the row is
// refused under the write lock, so the stored declaration never gets it.
TEST_F(Perdidas, ADeclarationStoredElsewhereWhileTheEditorIsOpenGetsNoRow)
{
    Frm947& f = Llena(0, 2014);
    PaginaPerdidas(f);
    ASSERT_TRUE(Boton(f, 0, [&](frmPerdidaEjercAnt& e) {
        Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado, cNumero) "
                                "VALUES (6, ?, ?, '0947', 0, 0, '111111')"),
                 {QString::fromLatin1(kRuc), QString::fromLatin1(kPeriodo)});
        e.MkeAnho->SetText(QStringLiteral("2011"));
        e.txtImporte->SetText(QStringLiteral("4000"));
        e.cmdAccion_Click(0);
        EXPECT_EQ(e.result(), QDialog::Rejected);
    }));
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("La declaración que desea registrar ya existe  al 31 de Julio . Elija la "
                                                 "opción modificar declaración o elija otro contribuyente."));
    EXPECT_TRUE(Filas().empty());
    EXPECT_EQ(Rejilla(f), QStringList());
    EXPECT_FALSE(f.CmbRuc->isHidden());
    EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);
}

// Every loss change is a change of the declaration: Salir asks about it; No leaves the
// rows the declaration was opened with, Yes stores them with their count.
TEST_F(Perdidas, AReopenedDeclarationsLossChangesAreAskedAboutAtSalir)
{
    GuardadaConPerdidas();
    const QString pregunta = QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?");
    const QString ruc = QString::fromLatin1(kRuc);
    const QString per = QString::fromLatin1(kPeriodo);
    struct Caso {
        const char* nombre;
        std::function<void(Frm947&)> cambio;
    };
    const Caso casos[] = {
        {"added", [this](Frm947& g) { ASSERT_TRUE(Nueva(g, QStringLiteral("2013"), QStringLiteral("700"))); }},
        {"changed", [this](Frm947& g) { ASSERT_TRUE(Cambia(g, 0, QStringLiteral("9000"))); }},
        {"deleted", [this](Frm947& g) { Elimina(g, 1); }},
        {"added and deleted",
         [this](Frm947& g) {
             ASSERT_TRUE(Nueva(g, QStringLiteral("2010"), QStringLiteral("50")));
             Elimina(g, 0);
             Elimina(g, 0);
         }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        bool vista = false;
        Reabre(ruc, per, [&](Frm947& g) {
            vista = true;
            MuestraPagina(g);
            ASSERT_FALSE(g.mModificado);
            c.cambio(g);
            // Nothing reaches the table before the save.
            EXPECT_EQ(Filas(), Guardadas());
            EXPECT_TRUE(g.mModificado);
            QSignalSpy cerrada(&g, &QDialog::finished);
            msgs_->Clear();
            msgs_->PushAnswer(zav::vbNo);
            g.cmdCancelar->click();
            ASSERT_EQ(msgs_->Count(), 1);
            EXPECT_EQ(msgs_->Last().text, pregunta);
            EXPECT_EQ(cerrada.count(), 1);
        });
        EXPECT_TRUE(vista);
        EXPECT_EQ(Filas(), Guardadas());
        EXPECT_EQ(Casilla662(per), QStringLiteral("2"));
    }

    // An editor left by its own Salir changed nothing: leaving asks nothing, and leaves
    // the rows as another program has changed them meanwhile.
    Reabre(ruc, per, [&](Frm947& g) {
        MuestraPagina(g);
        ASSERT_TRUE(Boton(g, 0, [](frmPerdidaEjercAnt& e) { e.cmdAccion_Click(1); }));
        EXPECT_FALSE(g.mModificado);
        Ejecutar(QStringLiteral("UPDATE F0947_PTCEA SET Importe='4100' WHERE Anho='2011'"));
        msgs_->Clear();
        g.cmdCancelar->click();
        EXPECT_EQ(msgs_->Count(), 0);
    });
    EXPECT_EQ(Filas().front().importe, QStringLiteral("4100"));
    Ejecutar(QStringLiteral("UPDATE F0947_PTCEA SET Importe='4000' WHERE Anho='2011'"));

    // Yes stores the declaration with its new count.
    Reabre(ruc, per, [&](Frm947& g) {
        MuestraPagina(g);
        ASSERT_TRUE(Nueva(g, QStringLiteral("2013"), QStringLiteral("700")));
        msgs_->Clear();
        msgs_->PushAnswer(zav::vbYes);
        g.cmdCancelar->click();
        EXPECT_EQ(msgs_->Entries().front().text, pregunta);
    });
    EXPECT_EQ(Filas().size(), 3u);
    EXPECT_EQ(Casilla662(per), QStringLiteral("3"));
}

// A new declaration left without saving, by Salir or by the title bar, leaves no loss row
// behind for the next new declaration of its key; once saved, leaving without saving
// keeps the rows it was saved with.
TEST_F(Perdidas, LeavingWithoutSavingLeavesTheStoredRows)
{
    const QString per = QString::fromLatin1(kPeriodo);
    for (bool porTitulo : {false, true}) {
        SCOPED_TRACE(porTitulo ? "title bar" : "Salir");
        Frm947& f = Llena(0, 2014);
        PaginaPerdidas(f);
        ASSERT_TRUE(Nueva(f, QStringLiteral("2011"), QStringLiteral("4000")));
        ASSERT_EQ(Rejilla(f).size(), 1);
        QSignalSpy cerrada(&f, &QDialog::finished);
        msgs_->Clear();
        msgs_->PushAnswer(zav::vbNo);
        if (porTitulo)
            f.close();
        else
            f.cmdCancelar->click();
        EXPECT_EQ(cerrada.count(), 1);
        EXPECT_TRUE(Filas().empty());
        EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
    }

    // The next new declaration of the key starts without rows.
    Frm947& f = Llena(0, 2014);
    PaginaPerdidas(f);
    EXPECT_EQ(Rejilla(f), QStringList());
    ASSERT_TRUE(Nueva(f, QStringLiteral("2011"), QStringLiteral("4000")));
    ASSERT_TRUE(Nueva(f, QStringLiteral("2012"), QStringLiteral("1500")));
    f.CmdGrabar_Click();
    ASSERT_EQ(Casilla662(per), QStringLiteral("2"));
    ASSERT_EQ(Filas(), Guardadas());
    ASSERT_TRUE(Nueva(f, QStringLiteral("2013"), QStringLiteral("700")));
    Elimina(f, 0);
    msgs_->Clear();
    msgs_->PushAnswer(zav::vbNo);
    f.cmdCancelar->click();
    EXPECT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(Filas(), Guardadas());
    EXPECT_EQ(Casilla662(per), QStringLiteral("2"));
}

// Salir, Yes, with a loss row that cannot be written: the save fails whole, the window
// stays with its changes and asks again at the next Salir; No then leaves the rows stored.
TEST_F(Perdidas, ASaveAtSalirThatFailsKeepsTheWindow)
{
    GuardadaConPerdidas();
    Reabre(QString::fromLatin1(kRuc), QString::fromLatin1(kPeriodo), [&](Frm947& g) {
        MuestraPagina(g);
        ASSERT_TRUE(Cambia(g, 0, QStringLiteral("9000")));
        Ejecutar(QStringLiteral("CREATE TRIGGER no_cambia BEFORE UPDATE ON F0947_PTCEA BEGIN SELECT RAISE(ABORT, 'no'); END"));
        QSignalSpy cerrada(&g, &QDialog::finished);
        msgs_->Clear();
        msgs_->PushAnswer(zav::vbYes);
        EXPECT_NO_THROW(g.cmdCancelar->click());
        EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("La declaración no fue grabada. Error (")));
        EXPECT_EQ(cerrada.count(), 0);
        EXPECT_TRUE(g.mModificado);
        EXPECT_EQ(Filas(), Guardadas());
        EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);

        Ejecutar(QStringLiteral("DROP TRIGGER no_cambia"));
        msgs_->Clear();
        msgs_->PushAnswer(zav::vbNo);
        g.cmdCancelar->click();
        EXPECT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(cerrada.count(), 1);
    });
    EXPECT_EQ(Filas(), Guardadas());
    CuentaGuardada();
}

// Tab and Shift+Tab leave the grid, the arrow keys move in it, and neither a move nor a
// click on a row is a change of the declaration.
TEST_F(Perdidas, TabLeavesTheGridAndMovingInItChangesNothing)
{
    GuardadaConPerdidas();
    bool vista = false;
    Reabre(QString::fromLatin1(kRuc), QString::fromLatin1(kPeriodo), [&](Frm947& g) {
        vista = true;
        g.show();
        QApplication::setActiveWindow(&g);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
        MuestraPagina(g);
        QApplication::processEvents();
        QTableView* grid = g.grdPerdidaTributaria;
        ASSERT_EQ(g.dtaPerdidaTributaria->rowCount(), 2);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(g.dtaPerdidaTributaria->index(1, 4)).center());
        ASSERT_TRUE(grid->hasFocus());
        EXPECT_EQ(grid->currentIndex().row(), 1);
        QTest::keyClick(grid, Qt::Key_Up);
        EXPECT_EQ(grid->currentIndex().row(), 0);
        QTest::keyClick(grid, Qt::Key_Down);
        EXPECT_EQ(grid->currentIndex().row(), 1);

        QTest::keyClick(grid, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), g.cmdPerdida[0]);
        EXPECT_EQ(grid->currentIndex().row(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), grid);
        QTest::keyClick(grid, Qt::Key_Backtab);
        EXPECT_NE(QApplication::focusWidget(), grid);
        EXPECT_EQ(grid->currentIndex().row(), 1);

        EXPECT_FALSE(g.mModificado);
        QSignalSpy cerrada(&g, &QDialog::finished);
        g.cmdCancelar->click();
        EXPECT_EQ(msgs_->Count(), 0) << msgs_->Texts().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(cerrada.count(), 1);
    });
    EXPECT_TRUE(vista);
    EXPECT_EQ(Filas(), Guardadas());
}

} // namespace

namespace {

using Perdidas = PerdidasFixture;

// Two users' programs on one stored declaration: A changes its losses, B adds a year and
// saves, A leaves without saving. A's unsaved change never reaches B, B's saved rows stay,
// and box 662 counts the rows the declaration keeps.
TEST_F(Perdidas, LeavingKeepsWhatAnotherUserSaved)
{
    const QString ruc = QString::fromLatin1(kRuc);
    const QString per = QString::fromLatin1(kPeriodo);
    struct Caso {
        const char* nombre;
        std::function<void(Frm947&)> cambio;
    };
    const Caso casos[] = {
        {"added", [this](Frm947& a) { ASSERT_TRUE(Nueva(a, QStringLiteral("2010"), QStringLiteral("50"))); }},
        {"changed", [this](Frm947& a) { ASSERT_TRUE(Cambia(a, 0, QStringLiteral("9000"))); }},
        {"deleted", [this](Frm947& a) { Elimina(a, 1); }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        TearDown();
        SetUp();
        GuardadaConPerdidas();
        std::unique_ptr<Frm947> a = AbreGuardada();
        MuestraPagina(*a);
        c.cambio(*a);
        ASSERT_TRUE(a->mModificado);

        OtroUsuario b(ws_.dbFile);
        b.Actua([&] {
            b.ventana = AbreGuardada();
            MuestraPagina(*b.ventana);
            EXPECT_EQ(Rejilla(*b.ventana), (QStringList{QStringLiteral("2011=4000"), QStringLiteral("2012=1500")}));
            ASSERT_TRUE(Nueva(*b.ventana, QStringLiteral("2013"), QStringLiteral("700")));
            b.ventana->CmdGrabar_Click();
        });
        std::vector<FilaPerdida> deB = Guardadas();
        deB.push_back({QStringLiteral("2013"), QStringLiteral("700"), ControlPerdida(ruc, per, "2013", "700")});
        EXPECT_EQ(Filas(), deB);
        CuentaGuardada();

        msgs_->Clear();
        msgs_->PushAnswer(zav::vbNo);
        a->cmdCancelar->click();
        EXPECT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(Filas(), deB);
        CuentaGuardada();
    }
}

// Two new declarations of one taxpayer and period, neither stored: neither sees the
// other's losses; the one saved first keeps its own, the other is refused as a duplicate
// and its leaving takes nothing of the stored one.
TEST_F(Perdidas, TwoNewDeclarationsOfOneKeyKeepTheirLossesApart)
{
    const QString ruc = QString::fromLatin1(kRuc);
    const QString per = QString::fromLatin1(kPeriodo);
    Frm947& a = Llena(0, 2014);
    PaginaPerdidas(a);
    ASSERT_TRUE(Nueva(a, QStringLiteral("2011"), QStringLiteral("4000")));

    OtroUsuario b(ws_.dbFile);
    b.Actua([&] {
        App().gPeriodo = QStringLiteral("2014");
        b.ventana = std::make_unique<Frm947>();
        b.ventana->Frm947_Form_Load();
        LlenaEn(*b.ventana, 0, 2014);
        PaginaPerdidas(*b.ventana);
        EXPECT_EQ(Rejilla(*b.ventana), QStringList());
        ASSERT_TRUE(Nueva(*b.ventana, QStringLiteral("2012"), QStringLiteral("1500")));
        EXPECT_EQ(Rejilla(*b.ventana), QStringList{QStringLiteral("2012=1500")});
        b.ventana->CmdGrabar_Click();
    });
    const std::vector<FilaPerdida> deB{{QStringLiteral("2012"), QStringLiteral("1500"),
                                        ControlPerdida(ruc, per, "2012", "1500")}};
    EXPECT_EQ(Filas(), deB);
    CuentaGuardada();

    msgs_->Clear();
    a.CmdGrabar_Click();
    ASSERT_GE(msgs_->Count(), 1);
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("La declaración que desea registrar ya existe")));
    EXPECT_EQ(Filas(), deB);
    msgs_->Clear();
    msgs_->PushAnswer(zav::vbNo);
    a.cmdCancelar->click();
    EXPECT_EQ(Filas(), deB);
    CuentaGuardada();
}

} // namespace
