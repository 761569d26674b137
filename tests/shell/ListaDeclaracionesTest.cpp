// The stored-declarations list: what it shows to whom, reopening and deleting.
#include "ShellFixture.h"

#include "declaration/Frm947.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/ModalRunner.h"
#include "shell/FrmContAbrir.h"
#include "shell/FrmContAbrirEnv.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <functional>
#include <memory>

namespace {

const QString kAndina = QStringLiteral("20100070970");   // ADMIN's taxpayer
const QString kSur = QStringLiteral("20512345671");      // ADMIN's
const QString kQuispe = QStringLiteral("10456789124");   // CONTADOR's
const QString kPrueba = QStringLiteral("20000000001");   // CONTADOR's

class ListaDeclaraciones : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        if (HasFatalFailure())
            return;
        OpenWorkspace();
        if (HasFatalFailure())
            return;
        barra_ = std::make_unique<zav::BarradeEstadoZAV>();
        App().gBarraEstado = barra_.get();
        App().gUsuario = QStringLiteral("ADMIN");
        // Inserted out of order; the list shows them by document.
        Declaracion(kSur, QStringLiteral("201405"), 9);
        Declaracion(kAndina, QStringLiteral("201408"), 1);
        Declaracion(kQuispe, QStringLiteral("201405"), 0);
        Declaracion(kAndina, QStringLiteral("201405"), 0);
        Declaracion(kPrueba, QStringLiteral("201208"), 0);
        // Another form's declaration is never listed.
        Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                                "VALUES (6, ?, '201405', '0582', 0, 0)"),
                 {kSur});
    }

    void TearDown() override
    {
        App().gBarraEstado = nullptr;
        barra_.reset();
        ShellFixture::TearDown();
    }

    static void Ejecutar(const QString& sql, const dao::Params& p = {}) { App().gBaseDatos->Execute(sql, 0, p); }

    // A header with a row in each of the other three tables.
    static void Declaracion(const QString& ruc, const QString& periodo, int estado)
    {
        const dao::Params p{ruc, periodo};
        Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, fec_pro, estado, "
                                "rectifica, cNumero) VALUES (6, ?, ?, '0947', 0, '15/09/2014', %1, '0', '1')")
                     .arg(estado),
                 p);
        Ejecutar(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor, "
                                "idcasilla, cNumero) VALUES (6, ?, ?, '0947', 0, '500', '10', '01', '1')"),
                 p);
        Ejecutar(QStringLiteral("INSERT INTO ACTA (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, ITEM, DETALLE, "
                                "cNumero) VALUES (6, ?, ?, '0947', 0, '001', 'x', '1')"),
                 p);
        Ejecutar(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe, "
                                "cnumero) VALUES (6, ?, ?, '0947', '2013', '100', '1')"),
                 p);
    }

    // Rows of the four tables for a key of form 0947.
    static std::vector<int> Cuentas(const QString& ruc, const QString& periodo)
    {
        std::vector<int> n;
        for (const char* t : {"F0947_PTCEA", "ACTA", "DET", "CAB"}) {
            auto rs = App().gBaseDatos->OpenRecordset(
                QStringLiteral("SELECT count(*) FROM %1 WHERE DOC_ID_D=? AND PERIODO=? AND FORMULARIO='0947'")
                    .arg(QLatin1String(t)),
                dao::dbOpenSnapshot, {ruc, periodo});
            n.push_back(static_cast<int>(rs->Fields(0).Value().toInt64()));
        }
        return n;
    }

    std::unique_ptr<FrmContAbrir> Lista(int modo)
    {
        auto l = std::make_unique<FrmContAbrir>();
        l->Modo = modo;
        l->FrmContAbrir_Form_Load();
        return l;
    }

    static QStringList Filas(const FrmContAbrir& l)
    {
        QStringList filas;
        for (int r = 0; r < l.Modelo()->rowCount(); ++r) {
            QStringList c;
            for (int k = 0; k < 5; ++k)
                c << l.Modelo()->Texto(r, k);
            filas << c.join(QLatin1Char('|'));
        }
        return filas;
    }

    static void Fila(FrmContAbrir& l, int r) { l.grdContrib->setCurrentIndex(l.Modelo()->index(r, 0)); }

    std::unique_ptr<zav::BarradeEstadoZAV> barra_;
};

TEST_F(ListaDeclaraciones, CaptionsByMode)
{
    const struct {
        int modo;
        const char* boton;
        const char* etiqueta;
        const char* titulo;
    } casos[] = {
        {1, "&Modificar", "Seleccione la Declaración que desea modificar :", "Modificar Declaraciones"},
        {3, "&Eliminar", "Seleccione la Declaración que desea eliminar :", "Eliminar Declaraciones"},
    };
    for (const auto& c : casos) {
        auto l = Lista(c.modo);
        EXPECT_EQ(l->CmdOpciones[0]->text(), QString::fromUtf8(c.boton));
        EXPECT_EQ(l->CmdOpciones[1]->text(), QStringLiteral("&Salir"));
        EXPECT_EQ(l->Label1->Caption(), QString::fromUtf8(c.etiqueta));
        EXPECT_EQ(l->windowTitle(), QString::fromUtf8(c.titulo));
        EXPECT_EQ(l->Frame1->title(), QStringLiteral("Declaraciones Registradas"));
        EXPECT_FALSE(zav::IsHourglass());
    }
}

// At the window's size, every shown column lies within the grid and holds its heading and
// its values; the taxpayer's name takes the room left.
void ColumnasALaVista(::ListaDeclaraciones& l, int filas)
{
    l.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&l));
    QApplication::processEvents();
    const QTableView* g = l.grdContrib;
    const QHeaderView* h = g->horizontalHeader();
    ASSERT_EQ(g->model()->rowCount(), filas);
    const int ancho = g->viewport()->width();
    const QFontMetrics titulo(h->font());
    const QFontMetrics celda(g->font());
    for (int c = 0; c < g->model()->columnCount(); ++c) {
        if (h->isSectionHidden(c))
            continue;
        const QString encabezado = g->model()->headerData(c, Qt::Horizontal).toString();
        SCOPED_TRACE(encabezado.toStdString());
        EXPECT_GE(h->sectionViewportPosition(c), 0);
        EXPECT_LE(h->sectionViewportPosition(c) + h->sectionSize(c), ancho);
        EXPECT_LT(titulo.horizontalAdvance(encabezado), h->sectionSize(c));
        if (c == 1) {
            EXPECT_GE(h->sectionSize(c), celda.horizontalAdvance(QStringLiteral("QUISPE MAMANI")));
            continue;
        }
        for (int r = 0; r < filas; ++r) {
            const QString texto = g->model()->index(r, c).data().toString();
            EXPECT_LT(celda.horizontalAdvance(texto), h->sectionSize(c) - 4) << texto.toStdString();
        }
    }
    EXPECT_EQ(g->horizontalScrollBar()->maximum(), 0);
    l.hide();
}

TEST_F(ListaDeclaraciones, EveryColumnIsInViewAtTheWindowsSize)
{
    {
        SCOPED_TRACE("stored");
        auto l = Lista(1);
        ColumnasALaVista(*l, 5);
    }
    // Two sendings of one declaration, told apart by their date and control number.
    for (const char* correl : {"001", "002"})
        Ejecutar(QStringLiteral("INSERT INTO HCAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, SEMANA, estado, "
                                "norden, fec_env, CONTROL) VALUES (6, ?, '201405', '0947', ?, 0, 1, '123456789', "
                                "'2014-09-2%1 10:00:00', '98765432%1')")
                     .arg(QLatin1String(correl).right(1)),
                 {kAndina, QString::fromLatin1(correl)});
    SCOPED_TRACE("sent");
    App().gOpcion = 2;
    FrmContAbrirEnv l;
    l.FrmContAbrirEnv_Form_Load();
    ColumnasALaVista(l, 2);
}

TEST_F(ListaDeclaraciones, AUserOfType0SeesEveryTaxpayerInDocumentOrder)
{
    auto l = Lista(1);
    QStringList titulos;
    for (int k = 0; k < 5; ++k)
        titulos << l->Modelo()->headerData(k, Qt::Horizontal).toString();
    EXPECT_EQ(titulos, (QStringList{QStringLiteral("RUC"), QStringLiteral("Razón Social"), QStringLiteral("Periodo"),
                                    QStringLiteral("Formulario"), QStringLiteral("Estado")}));
    const QStringList filas = Filas(*l);
    ASSERT_EQ(filas.size(), 5);
    EXPECT_EQ(filas[0], QStringLiteral("10456789124|QUISPE MAMANI JUAN CARLOS|201405|0947|0"));
    EXPECT_TRUE(filas[1].startsWith(QStringLiteral("20000000001|EMPRESA DE PRUEBA S.A.|201208")));
    EXPECT_TRUE(filas[2].startsWith(kAndina));
    EXPECT_TRUE(filas[3].startsWith(kAndina));
    EXPECT_TRUE(filas[4].startsWith(QStringLiteral("20512345671|INDUSTRIAS DEL SUR S.A.|201405|0947|9")));
    // The states 1 and 9 show a picture instead of their text.
    for (int r = 0; r < 5; ++r) {
        const QModelIndex i = l->Modelo()->index(r, 4);
        const QString estado = l->Modelo()->Texto(r, 4);
        const bool dibujo = estado == QLatin1String("1") || estado == QLatin1String("9");
        EXPECT_EQ(i.data(Qt::DisplayRole).toString(), dibujo ? QString() : estado) << r;
        EXPECT_EQ(i.data(Qt::DecorationRole).isValid(), dibujo) << r;
    }
}

TEST_F(ListaDeclaraciones, AnyOtherUserSeesOnlyHisOwnTaxpayers)
{
    for (const char* usuario : {"CONTADOR", "contador"}) {
        SCOPED_TRACE(usuario);
        App().gUsuario = QString::fromLatin1(usuario);
        const QStringList filas = Filas(*Lista(3));
        ASSERT_EQ(filas.size(), 2);
        EXPECT_TRUE(filas[0].startsWith(kQuispe));
        EXPECT_TRUE(filas[1].startsWith(kPrueba));
    }
    // A user without a CLAVES row, or whose name would splice into the query, sees nothing.
    for (const char* usuario : {"NADIE", "x' OR '1'='1"}) {
        App().gUsuario = QString::fromLatin1(usuario);
        EXPECT_TRUE(Filas(*Lista(1)).isEmpty()) << usuario;
    }
}

TEST_F(ListaDeclaraciones, TheStatusBarFollowsTheRow)
{
    auto l = Lista(1);
    Fila(*l, 4);
    EXPECT_EQ(barra_->numdoc(), kSur);
    EXPECT_EQ(barra_->razonsocial(), QStringLiteral("INDUSTRIAS DEL SUR S.A."));
    EXPECT_EQ(barra_->periodo_ejercicio(), QStringLiteral("05/2014"));
    // Not while the window is disabled.
    l->setEnabled(false);
    Fila(*l, 0);
    EXPECT_EQ(barra_->numdoc(), kSur);
    l->setEnabled(true);
    // Salir empties the taxpayer fields.
    l->FrmContAbrir_CmdOpciones_Click(1);
    EXPECT_EQ(barra_->numdoc(), QString());
    EXPECT_EQ(barra_->razonsocial(), QString());
    EXPECT_EQ(barra_->periodo_ejercicio(), QString());
}

// Modificar opens the row's declaration with its document, name and period, and the list
// comes back to that row, also when rows were deleted meanwhile.
TEST_F(ListaDeclaraciones, ModifyOpensTheRowAndRemembersIt)
{
    auto l = Lista(1);
    struct Abierta {
        QString doc, nombre, periodo, periodoSel;
        int modo = -1;
    };
    std::vector<Abierta> abiertas;
    zav::ModalRunnerScope runner([&](QDialog& dlg) {
        if (auto* f = qobject_cast<Frm947*>(&dlg))
            abiertas.push_back({f->NumDocumento, f->RazonSocial, App().gPeriodo, App().gPeriodoSel, f->Modo});
        return 0;
    });
    Fila(*l, 3);
    l->FrmContAbrir_CmdOpciones_Click(0);
    ASSERT_EQ(abiertas.size(), 1u);
    EXPECT_EQ(abiertas[0].doc, kAndina);
    EXPECT_EQ(abiertas[0].nombre, QStringLiteral("COMERCIAL ANDINA S.A.C."));
    EXPECT_EQ(abiertas[0].periodo, l->Modelo()->Texto(3, 2));
    EXPECT_EQ(abiertas[0].periodoSel, abiertas[0].periodo);
    EXPECT_EQ(abiertas[0].modo, 1);
    EXPECT_EQ(l->PosicionRecordada(), 3);
    EXPECT_EQ(l->FilaActual(), 3);
    EXPECT_FALSE(zav::IsHourglass());

    // Every activation reads the list again and returns to the row.
    Declaracion(QStringLiteral("20601234565"), QStringLiteral("201405"), 0);
    l->FrmContAbrir_Form_Activate();
    EXPECT_EQ(l->Modelo()->rowCount(), 6);
    EXPECT_EQ(l->FilaActual(), 3);

    // Fewer rows than the remembered position: the last one.
    Ejecutar(QStringLiteral("DELETE FROM CAB WHERE DOC_ID_D<>?"), {kQuispe});
    l->FrmContAbrir_Form_Activate();
    EXPECT_EQ(l->Modelo()->rowCount(), 1);
    EXPECT_EQ(l->FilaActual(), 0);
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(ListaDeclaraciones, EnterAndDoubleClickAreTheAction)
{
    auto l = Lista(1);
    int abiertas = 0;
    zav::ModalRunnerScope runner([&](QDialog& dlg) {
        if (qobject_cast<Frm947*>(&dlg))
            ++abiertas;
        return 0;
    });
    l->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(l.get()));
    l->grdContrib->setFocus();
    Fila(*l, 1);
    QTest::keyClick(l->grdContrib, Qt::Key_Return);
    EXPECT_EQ(abiertas, 1);
    const QRect celda = l->grdContrib->visualRect(l->Modelo()->index(2, 1));
    QTest::mouseClick(l->grdContrib->viewport(), Qt::LeftButton, {}, celda.center());
    QTest::mouseDClick(l->grdContrib->viewport(), Qt::LeftButton, {}, celda.center());
    EXPECT_EQ(abiertas, 2);
    EXPECT_EQ(l->PosicionRecordada(), 2);
    l->hide();
}

TEST_F(ListaDeclaraciones, AnEmptyListOpensAsksAndDeletesNothing)
{
    App().gUsuario = QStringLiteral("NADIE");
    for (int modo : {1, 3}) {
        auto l = Lista(modo);
        zav::ModalRunnerScope runner([](QDialog&) {
            ADD_FAILURE() << "a window opened";
            return 0;
        });
        l->FrmContAbrir_CmdOpciones_Click(0);
        EXPECT_EQ(msgs_->Count(), 0);
        EXPECT_FALSE(zav::IsHourglass());
    }
    EXPECT_EQ(Cuentas(kAndina, QStringLiteral("201405")), (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(ListaDeclaraciones, DeleteRemovesTheDeclarationFromFourTablesAfterItsQuestion)
{
    auto l = Lista(3);
    Fila(*l, 2);
    const QString periodo = l->Modelo()->Texto(2, 2);
    const QString otro = periodo == QLatin1String("201405") ? QStringLiteral("201408") : QStringLiteral("201405");

    // No, and the default answer, keep everything.
    for (int respuesta : {static_cast<int>(zav::vbNo), 0}) {
        msgs_->Clear();
        if (respuesta)
            msgs_->PushAnswer(respuesta);
        l->FrmContAbrir_CmdOpciones_Click(0);
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text,
                  QStringLiteral("¿Confirma que va a eliminar la declaración de\r\n\r\nCOMERCIAL ANDINA S.A.C.?"));
        EXPECT_EQ(msgs_->Last().style, 292);
        EXPECT_EQ(msgs_->Last().title, QStringLiteral("Eliminar Declaraciones"));
        EXPECT_EQ(Cuentas(kAndina, periodo), (std::vector<int>{1, 1, 1, 1}));
    }

    msgs_->Clear();
    msgs_->PushAnswer(zav::vbYes);
    l->FrmContAbrir_CmdOpciones_Click(0);
    EXPECT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(Cuentas(kAndina, periodo), (std::vector<int>{0, 0, 0, 0}));
    // The same taxpayer's other period and the other taxpayers keep theirs.
    EXPECT_EQ(Cuentas(kAndina, otro), (std::vector<int>{1, 1, 1, 1}));
    for (const QString& ruc : {kSur, kQuispe})
        EXPECT_EQ(Cuentas(ruc, QStringLiteral("201405")), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(Cuentas(kPrueba, QStringLiteral("201208")), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(l->Modelo()->rowCount(), 4);
    EXPECT_FALSE(zav::IsHourglass());
}

// A failure in the third delete leaves the four tables as they were.
TEST_F(ListaDeclaraciones, AFailedDeleteLeavesTheDeclarationWhole)
{
    Ejecutar(QStringLiteral("CREATE TRIGGER falla BEFORE DELETE ON DET BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"));
    auto l = Lista(3);
    Fila(*l, 0);
    msgs_->PushAnswer(zav::vbYes);
    l->FrmContAbrir_CmdOpciones_Click(0);
    ASSERT_EQ(msgs_->Count(), 2);
    EXPECT_EQ(msgs_->Last().style, 0);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error"));
    EXPECT_TRUE(msgs_->Last().text.contains(QStringLiteral("disco lleno"))) << msgs_->Last().text.toStdString();
    EXPECT_EQ(Cuentas(kQuispe, QStringLiteral("201405")), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);
    EXPECT_EQ(l->Modelo()->rowCount(), 5);
    EXPECT_FALSE(zav::IsHourglass());
    EXPECT_EQ(end_->Count(), 0);
}

// A list that cannot be read is reported once, with the list windows' box, and the
// window stays.
TEST_F(ListaDeclaraciones, AnUnreadableListIsReported)
{
    Ejecutar(QStringLiteral("ALTER TABLE CONT RENAME TO CONT_X"));
    auto l = Lista(1);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().style, 0);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error"));
    EXPECT_EQ(l->Modelo()->rowCount(), 0);
    EXPECT_FALSE(zav::IsHourglass());
    EXPECT_EQ(end_->Count(), 0);
}

} // namespace
