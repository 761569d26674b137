// Sent declarations: the sent list, registering the order number of the chosen one,
// deleting one with its history rows, and the read-only window of a sent declaration.
#include "ReaperturaFixture.h"

#include "integrador/Envio.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "shell/FrmContAbrirEnv.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTest>

namespace {

const char* const kTablas[] = {"HACTA", "HDET", "HCAB", "HF0947_PTCEA"};

class Enviadas : public ReaperturaFixture {
protected:
    void SetUp() override
    {
        ReaperturaFixture::SetUp();
        if (HasFatalFailure())
            return;
        // A declaration with two loss rows and an act row, saved, and sent twice.
        Frm947& f = Llena(0, 2014);
        Casilla(f, 108, QStringLiteral("1,000"));
        for (const char* anho : {"2012", "2013"})
            Ejecutar(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe, "
                                    "cnumero) VALUES (6, ?, '201408', '0947', ?, '100', '1')"),
                     {QString::fromLatin1(kRuc), QString::fromLatin1(anho)});
        f.CmdGrabar_Click();
        Ejecutar(QStringLiteral("INSERT INTO ACTA (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, ITEM, DETALLE, "
                                "cNumero) VALUES (6, ?, '201408', '0947', 0, '001', 'x', '1')"),
                 {QString::fromLatin1(kRuc)});
        frm_.reset();
        for (auto* envio : {&uno_, &dos_}) {
            *envio = integrador::EnviaDeclaracion(App().gRutaBD, QString::fromLatin1(kRuc), QStringLiteral("201408"));
            ASSERT_TRUE(envio->ok) << envio->message.toStdString();
            // The second sending carries one loss more.
            if (envio == &uno_)
                Ejecutar(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe, "
                                        "cnumero) VALUES (6, ?, '201408', '0947', '2011', '100', '1')"),
                         {QString::fromLatin1(kRuc)});
        }
        ASSERT_EQ(uno_.correl, QStringLiteral("001"));
        ASSERT_EQ(dos_.correl, QStringLiteral("002"));
        AppState& a = App();
        a.gModoEnviadas = true;
        a.gEnviadas = true;
        // The period in force names no sent declaration: every one is still listed and can be chosen.
        a.gPeriodo = QStringLiteral("201305");
        msgs_->Clear();
    }

    static int Cuenta(const char* tabla, const QString& correl)
    {
        auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(tabla)
                                                      + QStringLiteral(" WHERE CORREL=?"),
                                                  dao::dbOpenSnapshot, {correl});
        return static_cast<int>(rs->Fields(0).Value().toInt64());
    }

    static QString Norden(const QString& correl)
    {
        auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT norden FROM HCAB WHERE CORREL=?"),
                                                  dao::dbOpenSnapshot, {correl});
        return rs->Fields(0).Value().isNull() ? QStringLiteral("<null>") : rs->Fields(0).Value().toText();
    }

    static void Elige(FrmContAbrirEnv& lista, const QString& correl)
    {
        for (int i = 0; i < lista.Modelo()->rowCount(); ++i)
            if (lista.Modelo()->Texto(i, 7) == correl)
                lista.grdContrib->setCurrentIndex(lista.Modelo()->index(i, 0));
    }

    // Opens the chosen sent declaration as Registrar does; `enVentana` runs on the window.
    void Registra(const QString& correl, const std::function<void(Frm947&)>& enVentana)
    {
        App().gOpcion = 2;
        FrmContAbrirEnv lista;
        lista.FrmContAbrirEnv_Form_Load();
        Elige(lista, correl);
        bool abierta = false;
        zav::ModalRunnerScope runner([&](QDialog& dlg) {
            if (auto* f = qobject_cast<Frm947*>(&dlg)) {
                abierta = true;
                f->Frm947_Form_Activate();
                enVentana(*f);
            }
            return 0;
        });
        const int fila = lista.FilaActual();
        lista.FrmContAbrirEnv_CmdOpciones_Click(0);
        EXPECT_TRUE(abierta);
        // The list, read again, is back on the row that was opened.
        EXPECT_EQ(lista.PosicionRecordada(), fila);
        EXPECT_EQ(lista.FilaActual(), fila);
        EXPECT_EQ(lista.Modelo()->Texto(lista.FilaActual(), 7), correl);
    }

    integrador::EnvioResult uno_, dos_;
};

TEST_F(Enviadas, TheListShowsEverySentDeclarationWithItsEightColumns)
{
    App().gOpcion = 2;
    FrmContAbrirEnv lista;
    lista.FrmContAbrirEnv_Form_Load();
    EXPECT_EQ(lista.Caption(), QStringLiteral("Registrar número de orden"));
    EXPECT_EQ(lista.CmdOpciones[0]->text(), QStringLiteral("&Registrar"));
    ASSERT_EQ(lista.Modelo()->rowCount(), 2);
    ASSERT_EQ(lista.Modelo()->columnCount(), 8);
    EXPECT_TRUE(lista.grdContrib->isEnabled());
    EXPECT_TRUE(lista.grdContrib->isColumnHidden(7));
    QStringList titulos;
    for (int c = 0; c < 8; ++c)
        titulos << lista.Modelo()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titulos, (QStringList{"RUC", "Razón Social", "Periodo", "Formulario", "N. Orden", "Fecha Env.", "Control",
                                    "Correl"}));
    QStringList correles;
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(lista.Modelo()->Texto(r, 0), QString::fromLatin1(kRuc));
        EXPECT_EQ(lista.Modelo()->Texto(r, 2), QStringLiteral("201408"));
        EXPECT_EQ(lista.Modelo()->Texto(r, 4), QString());
        EXPECT_EQ(lista.Modelo()->Texto(r, 5), QStringLiteral("15/09/2014"));
        correles << lista.Modelo()->Texto(r, 7);
    }
    correles.sort();
    EXPECT_EQ(correles, (QStringList{"001", "002"}));
}

TEST_F(Enviadas, TheOrderNumberIsRegisteredOnTheChosenDeclarationOnly)
{
    Registra(QStringLiteral("002"), [&](Frm947& f) {
        EXPECT_EQ(App().gCorrel, QStringLiteral("002"));
        EXPECT_EQ(App().gControl, dos_.control);
        EXPECT_EQ(f.txtOrden->Text(), QStringLiteral("0"));
        EXPECT_EQ(f.CmdGrabar->text(), QStringLiteral("&Registrar Nro. Orden"));
        EXPECT_FALSE(f.CmdValidar->isVisibleTo(&f));
        // The loss rows of this sending.
        f.SSTab1->setCurrentIndex(3);
        f.SSTab4->setCurrentIndex(1);
        f.Frm947_SSTab4_GotFocus();
        EXPECT_EQ(f.dtaPerdidaTributaria->rowCount(), 3);

        f.txtOrden->SetText(dos_.norden);
        QString mala = dos_.verifica;
        mala[1] = mala[1] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
        f.txtverifica->SetText(mala);
        f.CmdGrabar_Click();
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, QStringLiteral("     El digito Verificador es incorrecto"));
        EXPECT_EQ(Norden(QStringLiteral("002")), QStringLiteral("<null>"));

        msgs_->Clear();
        f.txtverifica->SetText(dos_.verifica);
        f.CmdGrabar_Click();
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text,
                  QStringLiteral("El número de orden y el digito verificador fueron grabados satisfactoriamente."));
    });
    EXPECT_EQ(Norden(QStringLiteral("002")), dos_.norden);
    EXPECT_EQ(Norden(QStringLiteral("001")), QStringLiteral("<null>"));

    // Opened again, the window shows the number and its check code.
    Registra(QStringLiteral("002"), [&](Frm947& f) {
        EXPECT_EQ(f.txtOrden->Text(), dos_.norden);
        EXPECT_EQ(f.txtverifica->Text(), dos_.verifica);
    });
    Registra(QStringLiteral("001"), [&](Frm947& f) {
        EXPECT_EQ(f.txtOrden->Text(), QStringLiteral("0"));
        EXPECT_EQ(f.txtverifica->Text(), QString());
        f.SSTab1->setCurrentIndex(3);
        f.SSTab4->setCurrentIndex(1);
        f.Frm947_SSTab4_GotFocus();
        EXPECT_EQ(f.dtaPerdidaTributaria->rowCount(), 2);
    });
}

// A sent declaration opens on its order number: the field lies wholly in the window, with
// nothing to scroll sideways, it has the focus and its text is selected, so that the number
// typed replaces the "0" of one not registered yet. Coming back to it by Shift+Tab or by a
// click selects it again.
TEST_F(Enviadas, TheOrderNumberOpensInViewFocusedAndSelected)
{
    Registra(QStringLiteral("002"), [&](Frm947& f) {
        f.show();
        QApplication::setActiveWindow(&f);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        QTest::qWait(20);
        EXPECT_EQ(QApplication::focusWidget(), f.txtOrden);
        EXPECT_EQ(f.txtOrden->SelText(), QStringLiteral("0"));
        const QRect campo(f.txtOrden->mapTo(&f, QPoint(0, 0)), f.txtOrden->size());
        EXPECT_TRUE(f.rect().contains(campo));
        EXPECT_EQ(f.txtOrden->visibleRegion().boundingRect(), f.txtOrden->rect());
        EXPECT_TRUE(f.txtverifica->isVisible());
        for (QScrollArea* s : f.findChildren<QScrollArea*>()) {
            if (s->isVisible()) {
                EXPECT_FALSE(s->horizontalScrollBar()->isVisible());
            }
        }

        QTest::keyClicks(QApplication::focusWidget(), dos_.norden);
        EXPECT_EQ(f.txtOrden->Text(), dos_.norden);
        QTest::keyClick(f.txtOrden, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), f.txtverifica);
        QTest::keyClick(f.txtverifica, Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), f.txtOrden);
        EXPECT_EQ(f.txtOrden->SelText(), dos_.norden);
        f.txtverifica->setFocus();
        QTest::mouseClick(f.txtOrden, Qt::LeftButton, {}, f.txtOrden->rect().center());
        ASSERT_EQ(QApplication::focusWidget(), f.txtOrden);
        EXPECT_EQ(f.txtOrden->SelText(), dos_.norden);
        f.hide();
    });
}

TEST_F(Enviadas, InASentDeclarationOnlyTheOrderNumberCanBeChanged)
{
    Registra(QStringLiteral("001"), [&](Frm947& f) {
        const std::map<QString, QString> antes = Estado(f);
        QStringList abiertos;
        for (QWidget* w : f.findChildren<QWidget*>()) {
            // A hidden control is out of reach; a tab bar's scroll arrows only scroll its tabs,
            // a grid's corner only selects its rows.
            if (!w->isEnabled() || w->isHidden() || qobject_cast<QTabBar*>(w->parentWidget())
                || qobject_cast<QAbstractItemView*>(w->parentWidget()))
                continue;
            const QString nombre = w->objectName();
            if (auto* e = qobject_cast<QLineEdit*>(w)) {
                if (!e->isReadOnly() && w != f.txtOrden && w != f.txtverifica)
                    abiertos << nombre;
            } else if (qobject_cast<QComboBox*>(w)) {
                abiertos << nombre;
            } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                if (b->isCheckable() || (w != f.CmdGrabar && w != f.cmdCancelar))
                    abiertos << nombre + QStringLiteral(" (") + QLatin1String(w->metaObject()->className()) + QLatin1Char(')');
            }
        }
        EXPECT_TRUE(abiertos.isEmpty()) << abiertos.join(QStringLiteral(", ")).toStdString();
        for (int n : f.mCasillas)
            EXPECT_EQ(f.TxtValor.at(n)->BackColor(), zav::kColorGris) << n;

        // Keys and clicks reach nothing.
        f.show();
        QTest::keyClicks(f.TxtValor.at(500), QStringLiteral("999"));
        QTest::mouseClick(f.optRenta->Button(3), Qt::LeftButton);
        QTest::keyClicks(f.TxtTelefono, QStringLiteral("1"));
        EXPECT_EQ(Estado(f), antes);
        EXPECT_FALSE(f.mModificado);
        f.hide();
    });
}

TEST_F(Enviadas, DeletingOneSendingRemovesOnlyItsHistoryRows)
{
    App().gOpcion = 3;
    FrmContAbrirEnv lista;
    lista.FrmContAbrirEnv_Form_Load();
    EXPECT_EQ(lista.Caption(), QStringLiteral("Eliminar Declaraciones Enviadas"));
    std::map<QString, int> antes;
    for (const char* t : kTablas) {
        antes[QString::fromLatin1(t)] = Cuenta(t, QStringLiteral("001"));
        ASSERT_GT(Cuenta(t, QStringLiteral("002")), 0) << t;
    }
    Elige(lista, QStringLiteral("002"));
    msgs_->PushAnswer(zav::vbNo);
    lista.FrmContAbrirEnv_CmdOpciones_Click(0);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("¿Confirma que va a eliminar la declaración seleccionada?"));
    EXPECT_EQ(msgs_->Last().style, 292);
    EXPECT_EQ(Cuenta("HCAB", QStringLiteral("002")), 1);

    msgs_->PushAnswer(zav::vbYes);
    lista.FrmContAbrirEnv_CmdOpciones_Click(0);
    for (const char* t : kTablas) {
        EXPECT_EQ(Cuenta(t, QStringLiteral("002")), 0) << t;
        EXPECT_EQ(Cuenta(t, QStringLiteral("001")), antes[QString::fromLatin1(t)]) << t;
    }
    ASSERT_EQ(lista.Modelo()->rowCount(), 1);
    EXPECT_EQ(lista.Modelo()->Texto(0, 7), QStringLiteral("001"));
}

TEST_F(Enviadas, AFailedDeleteLeavesTheSendingWhole)
{
    Ejecutar(QStringLiteral("CREATE TRIGGER no_borra BEFORE DELETE ON HF0947_PTCEA BEGIN SELECT RAISE(ABORT, 'no'); END"));
    App().gOpcion = 3;
    FrmContAbrirEnv lista;
    lista.FrmContAbrirEnv_Form_Load();
    Elige(lista, QStringLiteral("002"));
    msgs_->PushAnswer(zav::vbYes);
    lista.FrmContAbrirEnv_CmdOpciones_Click(0);
    ASSERT_EQ(msgs_->Count(), 2);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error"));
    for (const char* t : kTablas)
        EXPECT_GT(Cuenta(t, QStringLiteral("002")), 0) << t;
}

TEST_F(Enviadas, ClosingTheWindowEnablesTheSentList)
{
    App().gOpcion = 2;
    FrmContAbrirEnv lista;
    lista.FrmContAbrirEnv_Form_Load();
    Elige(lista, QStringLiteral("001"));
    zav::ModalRunnerScope runner([&](QDialog& dlg) {
        if (auto* f = qobject_cast<Frm947*>(&dlg)) {
            lista.setEnabled(false);
            f->Descargar();
            EXPECT_TRUE(lista.isEnabled());
        }
        return 0;
    });
    lista.FrmContAbrirEnv_CmdOpciones_Click(0);
}

TEST_F(Enviadas, TheStatusBarFollowsTheRowAndSalirEmptiesIt)
{
    zav::BarradeEstadoZAV barra;
    App().gBarraEstado = &barra;
    App().gOpcion = 2;
    {
        FrmContAbrirEnv lista;
        lista.FrmContAbrirEnv_Form_Load();
        App().gPeriodo = QStringLiteral("201408");
        Elige(lista, QStringLiteral("002"));
        lista.grdContrib->setCurrentIndex(lista.Modelo()->index(0, 0));
        lista.grdContrib->setCurrentIndex(lista.Modelo()->index(1, 0));
        EXPECT_EQ(barra.numdoc(), QString::fromLatin1(kRuc));
        EXPECT_EQ(barra.razonsocial(), QStringLiteral("COMERCIAL ANDINA S.A.C."));
        // The period as the row holds it.
        EXPECT_EQ(barra.periodo_ejercicio(), QStringLiteral("201408"));
        lista.FrmContAbrirEnv_CmdOpciones_Click(1);
        EXPECT_EQ(barra.numdoc(), QString());
        EXPECT_EQ(barra.razonsocial(), QString());
        EXPECT_EQ(barra.formulario(), QStringLiteral("0947"));
        EXPECT_EQ(barra.periodo_ejercicio(), QStringLiteral("201408"));
    }
    App().gBarraEstado = nullptr;
}

TEST_F(Enviadas, AnEmptyListOpensAndDeletesNothing)
{
    Ejecutar(QStringLiteral("DELETE FROM HCAB"));
    for (int opcion : {2, 3}) {
        SCOPED_TRACE(opcion);
        App().gOpcion = opcion;
        FrmContAbrirEnv lista;
        lista.FrmContAbrirEnv_Form_Load();
        EXPECT_EQ(lista.Modelo()->rowCount(), 0);
        EXPECT_FALSE(lista.grdContrib->isEnabled());
        bool abierta = false;
        zav::ModalRunnerScope runner([&](QDialog&) {
            abierta = true;
            return 0;
        });
        lista.FrmContAbrirEnv_CmdOpciones_Click(0);
        EXPECT_FALSE(abierta);
        EXPECT_EQ(msgs_->Count(), 0);
        EXPECT_GT(Cuenta("HDET", QStringLiteral("002")), 0);
    }
}

} // namespace
