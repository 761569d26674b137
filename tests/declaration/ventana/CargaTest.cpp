// Loading, activation and closing of the declaration window; the date of form 5136.
#include "VentanaFixture.h"

#include "common/Clock.h"
#include "platform/ui/Hourglass.h"
#include "shell/modulo/Procedimientos.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

using VentanaCarga = VentanaFixture;

std::vector<int> ListaEsperada()
{
    std::vector<int> l;
    for (int n = 500; n <= 555; ++n)
        l.push_back(n);
    for (int n : {432, 433, 250, 251, 252, 253, 461, 462, 463, 464, 466, 467, 468, 469, 470, 471, 472, 473,
                  475, 476, 477, 478, 480, 481, 483, 484, 485, 486, 487, 489, 490, 492, 493, 100, 101, 103, 105,
                  106, 107, 108, 150, 110, 111, 113, 208, 209, 211, 212, 225, 226, 610, 650, 651})
        l.push_back(n);
    return l;
}

TEST_F(VentanaCarga, BoxListHasTheDeclarationsBoxesInSavingOrder)
{
    Frm947& f = Abrir();
    EXPECT_EQ(f.mCasillas, ListaEsperada());
    ASSERT_EQ(f.mCasillas.size(), 109u);
    EXPECT_EQ(f.TxtValor.size(), 109u);
    for (int n : f.mCasillas) {
        ASSERT_TRUE(f.TxtValor.count(n)) << n;
        EXPECT_EQ(f.TxtValor[n]->objectName(), QStringLiteral("TxtValor_%1").arg(n));
        EXPECT_EQ(f.findChild<QWidget*>(QStringLiteral("TxtValor_%1").arg(n)), f.TxtValor[n]);
    }
    for (int n : {465, 474, 479, 482, 488, 491, 102, 104, 109, 112})
        EXPECT_EQ(f.TxtValor.count(n), 0u) << n;
}

TEST_F(VentanaCarga, BoxesStartInTheirDesignState)
{
    Frm947& f = Abrir();
    struct Caso {
        int casilla;
        bool enabled, locked, visible;
        int color;
    };
    const Caso casos[] = {
        {500, true, false, true, zav::kColorBlanco},  {531, true, true, true, zav::kColorGris},
        {100, true, true, true, zav::kColorGris},     {110, true, true, true, zav::kColorGris},
        {113, true, false, true, zav::kColorGris},    {250, true, true, true, zav::kColorGris},
        {251, true, false, true, zav::kColorBlanco},  {463, true, true, true, zav::kColorGris},
        {473, true, false, true, zav::kColorCeleste}, {477, true, false, true, zav::kColorCeleste},
        {555, true, true, true, zav::kColorGris},     {610, true, true, true, zav::kColorGris},
        {209, false, false, false, zav::kColorBlanco}, {225, true, false, false, zav::kColorBlanco},
        {208, true, false, true, zav::kColorBlanco},  {432, true, false, false, zav::kColorBlanco},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.casilla);
        zav::TextBox* b = f.TxtValor[c.casilla];
        EXPECT_EQ(b->Enabled(), c.enabled);
        EXPECT_EQ(b->Locked(), c.locked);
        EXPECT_EQ(b->BackColor(), c.color);
        // Visible as its own property; its page is not shown.
        EXPECT_EQ(!b->isHidden(), c.visible);
        EXPECT_EQ(f.mModelo.Estado(c.casilla).BackColor, c.color);
        EXPECT_EQ(f.mModelo.Estado(c.casilla).Locked, c.locked);
    }
    EXPECT_TRUE(f.TxtValor[500]->NoPaste());
}

TEST_F(VentanaCarga, LoadingLeavesTheWindowReadyForANewDeclaration)
{
    AppState& a = App();
    a.gAccion = 5;
    a.gRespuesta = QStringLiteral("S");
    a.gSistema = QStringLiteral("A");
    Frm947& f = Abrir();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("0947 Morvath"));
    EXPECT_FALSE(a.gCargando);
    EXPECT_FALSE(f.mCargando);
    EXPECT_FALSE(f.mModificado);
    EXPECT_TRUE(f.mOmitirValidacion);
    EXPECT_EQ(f.mRegimen, 9);
    EXPECT_EQ(a.gAccion, 0);
    EXPECT_EQ(a.gRespuesta, QString());
    EXPECT_EQ(a.gSistema, QStringLiteral("0"));
    EXPECT_FALSE(zav::IsHourglass());
    EXPECT_EQ(f.mUIT, QStringLiteral("3800"));

    EXPECT_EQ(f.SSTab1->currentIndex(), 0);
    const QStringList paginas{QStringLiteral("&Identificación"), QStringLiteral("  Estados  &financieros"),
                              QStringLiteral("Determinación del nuevo coeficiente o porcentaje"),
                              QStringLiteral("Información com&plementaria")};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.SSTab1->tabText(i), paginas[i]);
    EXPECT_EQ(f.SSTab2->tabText(0), QStringLiteral("&Datos Generales"));
    EXPECT_EQ(f.SSTab2->tabText(1), QStringLiteral("Datos complementarios del régimen"));
    EXPECT_EQ(f.SSTab3->tabText(2), QStringLiteral("Estado de ganancias y pérdidas"));
    EXPECT_EQ(f.SSTab4->tabText(0), QStringLiteral("I&nformación general"));
    EXPECT_FALSE(f.SSTab4->isTabEnabled(1));

    // The identification page of a new declaration: the taxpayer is chosen in the list.
    EXPECT_TRUE(f.CmbRuc->Enabled());
    EXPECT_TRUE(f.CmbRuc->Visible() || !f.CmbRuc->isHidden());
    EXPECT_TRUE(f.TxtNumRuc->isHidden());
    EXPECT_FALSE(f.TxtRazon->Enabled());
    EXPECT_EQ(f.TxtRazon->BackColor(), zav::kColorGris);
    EXPECT_EQ(f.TxtEjercicio->BackColor(), zav::kColorGris);
    EXPECT_TRUE(f.TxtTelefono->Enabled());
    EXPECT_FALSE(f.MkePeriodo->Enabled());
    EXPECT_EQ(f.MkePeriodo->Text(), QStringLiteral("__/__/____"));
    for (int i : {1, 2, 5})
        EXPECT_TRUE(f.Frame1[i]->isHidden()) << i;
    for (zav::TextBox* t : {f.TxtNumOrdenF7842, f.TxtUbigeo, f.TxtUbigeo2}) {
        EXPECT_FALSE(t->Enabled()) << t->objectName().toStdString();
        EXPECT_EQ(t->BackColor(), zav::kColorGris) << t->objectName().toStdString();
    }
    EXPECT_FALSE(f.txtNumRes->Enabled());
    EXPECT_FALSE(f.TxtNumOrden->Enabled());
    EXPECT_TRUE(f.TxtNumOrden->isHidden());
    EXPECT_TRUE(f.txtOrden->isHidden());
    EXPECT_TRUE(f.txtverifica->isHidden());
    EXPECT_EQ(f.txtApellidoRL->MaxLength(), 15);
    EXPECT_EQ(f.TxtTelefono->MaxLength(), 9);
    EXPECT_EQ(f.txtNumRes->MaxLength(), 13);
    EXPECT_EQ(f.optRenta->Chosen(), -1);
    EXPECT_EQ(f.CboBalance->ListIndex(), -1);
    EXPECT_TRUE(f.OptInicio->Enabled(0));
    EXPECT_TRUE(f.CboBalance->Enabled());
    EXPECT_TRUE(f.FrameSusPC->isEnabled());

    EXPECT_EQ(f.TxtAyuda->Text(), QStringLiteral("El registro de esta información es de caracter obligatorio"));
    EXPECT_EQ(f.TxtAyuda1->Text(), QStringLiteral("en los conceptos que le correspondan."));
    EXPECT_EQ(f.TxtAyuda->ForeColor(), 0);
    EXPECT_EQ(f.CmdValidar->text(), QStringLiteral("&Validar"));
    EXPECT_EQ(f.CmdGrabar->text(), QStringLiteral("&Grabar"));
    EXPECT_EQ(f.cmdCancelar->text(), QStringLiteral("&Salir"));
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(VentanaCarga, BalanceDatesCaptionAndAnnexColourFollowThePeriodsYear)
{
    struct Caso {
        const char* periodo;
        const char* primera;
        const char* segunda;
        bool sistemaVisible;
        const char* pagina;
        int color473;
    };
    const Caso casos[] = {
        {"2012", "31 DE ENERO", "30 DE JUNIO", true, "Sistema de pago", zav::kColorBlanco},
        {"201206", "31 DE ENERO", "30 DE JUNIO", true, "Sistema de pago", zav::kColorBlanco},
        {"2013", "30 DE ABRIL", "31 DE JULIO", false, " Modalidad de pago a cuenta", zav::kColorCeleste},
        {"201508", "30 DE ABRIL", "31 DE JULIO", false, " Modalidad de pago a cuenta", zav::kColorCeleste},
        // A period that does not start with a number is year 0.
        {"AB12", "31 DE ENERO", "30 DE JUNIO", true, "Sistema de pago", zav::kColorBlanco},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.periodo);
        App().gPeriodo = QString::fromLatin1(c.periodo);
        Frm947& f = Abrir();
        ASSERT_EQ(f.CboBalance->ListCount(), 2);
        EXPECT_EQ(f.CboBalance->List(0), QString::fromLatin1(c.primera));
        EXPECT_EQ(f.CboBalance->List(1), QString::fromLatin1(c.segunda));
        EXPECT_EQ(!f.Frame3->isHidden(), c.sistemaVisible);
        EXPECT_EQ(f.SSTab2->tabText(2), QString::fromLatin1(c.pagina));
        EXPECT_EQ(f.TxtValor[473]->BackColor(), c.color473);
        EXPECT_EQ(f.TxtValor[477]->BackColor(), zav::kColorCeleste);
    }
}

TEST_F(VentanaCarga, BoxesTypedIntoUpdateTheDerivedBoxesAndBox610TakesNoTyping)
{
    for (int modo : {0, 1}) {
        SCOPED_TRACE(modo);
        Frm947& f = Abrir(modo, QStringLiteral("20100070970"), QStringLiteral("COMERCIAL ANDINA S.A.C."));
        ASSERT_FALSE(f.mModificado);
        QTest::keyClicks(f.TxtValor[610], QStringLiteral("57"));
        EXPECT_EQ(f.TxtValor[610]->Text(), QString());

        QTest::keyClicks(f.TxtValor[461], QStringLiteral("1x2y00"));
        EXPECT_EQ(f.TxtValor[461]->Text(), QStringLiteral("1200"));
        EXPECT_EQ(f.TxtValor[463]->Text(), QStringLiteral("1,200"));
        EXPECT_EQ(f.mModelo.Texto(463), QStringLiteral("1,200"));
        EXPECT_EQ(f.TxtValor[466]->Text(), QStringLiteral("1,200"));
        QTest::keyClicks(f.TxtValor[464], QStringLiteral("1500"));
        EXPECT_EQ(f.TxtValor[466]->Text(), QStringLiteral("0"));
        EXPECT_EQ(f.TxtValor[467]->Text(), QStringLiteral("(300)"));
        EXPECT_TRUE(f.mModificado);

        // Box 108 with a loss opens the loss page.
        QTest::keyClicks(f.TxtValor[108], QStringLiteral("5"));
        EXPECT_TRUE(f.SSTab4->isTabEnabled(1));
        EXPECT_TRUE(f.cmdPerdida[0]->isEnabled());
        f.TxtValor[108]->SetText(QString());
        EXPECT_FALSE(f.SSTab4->isTabEnabled(1));
        EXPECT_FALSE(f.cmdPerdida[2]->isEnabled());
    }
}

TEST_F(VentanaCarga, StoredDeclarationLocksTheAnswersThatFixedThePeriod)
{
    App().gPeriodo = QStringLiteral("201405");
    Frm947& f = Abrir(1, QStringLiteral("20100070970"), QStringLiteral("COMERCIAL ANDINA S.A.C."));
    EXPECT_FALSE(f.mModificado);
    EXPECT_FALSE(f.CboBalance->Enabled());
    EXPECT_EQ(f.CboBalance->BackColor(), zav::kColorGris);
    EXPECT_EQ(f.LblSistema->BackColor(), zav::kColorGris);
    EXPECT_EQ(f.LblPresentacion->BackColor(), zav::kColorGris);
    for (zav::OptionArray* o : {f.OptInicio, f.OptAnterior, f.OptPrecedente})
        for (int i : {0, 1})
            EXPECT_FALSE(o->Enabled(i)) << o->objectName().toStdString() << i;
    EXPECT_FALSE(f.FrameSusPC->isEnabled());
    EXPECT_EQ(f.txtNumRes->BackColor(), zav::kColorGris);
    EXPECT_EQ(f.mkefecnot->BackColor(), zav::kColorGris);
    EXPECT_TRUE(f.TxtValor[610]->Locked());
    // The taxpayer is fixed.
    EXPECT_TRUE(f.CmbRuc->isHidden());
    EXPECT_EQ(f.TxtNumRuc->Text(), QStringLiteral("20100070970"));
    EXPECT_EQ(f.TxtRazon->Text(), QStringLiteral("COMERCIAL ANDINA S.A.C."));
    for (int i : {1, 2, 5})
        EXPECT_FALSE(f.Frame1[i]->isHidden()) << i;
}

TEST_F(VentanaCarga, SentDeclarationShowsItsOrderNumberFieldsAndTheCheckCodeOfAnEightDigitNumber)
{
    AppState& a = App();
    a.gPeriodo = QStringLiteral("201405");
    a.gModoEnviadas = true;
    a.gControl = QStringLiteral("CTRL0947201405");
    struct Caso {
        const char* orden;
        bool codigo;
    };
    const Caso casos[] = {{"12345678", true}, {"123456789", false}, {"1234567", false}, {"", false}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.orden);
        a.gNumOrden = QString::fromLatin1(c.orden);
        Frm947& f = Abrir(1, QStringLiteral("20100070970"), QStringLiteral("COMERCIAL ANDINA S.A.C."));
        for (QWidget* w : {static_cast<QWidget*>(f.txtOrden), static_cast<QWidget*>(f.txtverifica),
                           static_cast<QWidget*>(f.lblNorden), static_cast<QWidget*>(f.lblGuion)})
            EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
        EXPECT_EQ(f.txtverifica->Text(), c.codigo ? CodigoVerificacion(a.gControl, a.gNumOrden) : QString());
        EXPECT_EQ(f.txtverifica->Text().size(), c.codigo ? 2 : 0);
        EXPECT_FALSE(f.mModificado);
        EXPECT_FALSE(f.CboBalance->Enabled());
        EXPECT_FALSE(f.FrameSusPC->isEnabled());
    }
}

TEST_F(VentanaCarga, ActivationFocusAndSuspensionFrame)
{
    App().gPeriodo = QStringLiteral("2014");
    Frm947& f = Abrir();
    f.FrameSusPC->setVisible(true);
    f.CboBalance->SetListIndex(1);   // 31 DE JULIO
    f.Frm947_Form_Activate();
    EXPECT_FALSE(f.FrameSusPC->isHidden());
    f.CboBalance->SetListIndex(0);
    f.Frm947_Form_Activate();
    EXPECT_TRUE(f.FrameSusPC->isHidden());
    EXPECT_TRUE(f.mOmitirValidacion);

    Frm947& g = Abrir(1, QStringLiteral("20100070970"), QStringLiteral("X"));
    g.FrameSusPC->setVisible(true);
    g.Frm947_Form_Activate();
    EXPECT_FALSE(g.FrameSusPC->isHidden());
    EXPECT_FALSE(g.mOmitirValidacion);
}

TEST_F(VentanaCarga, HelpLinesOverThePageFrames)
{
    Frm947& f = Abrir();
    const QString importes = QStringLiteral("Anotar los importes en nuevos soles sin considerar centimos.");
    const QString obligatorio = QStringLiteral("El registro de esta información es de caracter obligatorio");
    const QString obligatorio1 = QStringLiteral("en los conceptos que le correspondan.");
    struct Caso {
        int pagina;
        bool rectificacion;
        QString linea, linea1;
    };
    const Caso casos[] = {{1, false, importes, QString()},    {2, false, importes, QString()},
                          {3, false, obligatorio, obligatorio1}, {0, true, obligatorio, obligatorio1},
                          {1, true, importes, QString()}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.pagina);
        f.TxtAyuda->SetForeColor(0xC00000);
        f.TxtAyuda->SetText(QStringLiteral("x"));
        f.TxtAyuda1->SetText(QStringLiteral("y"));
        f.SSTab1->setCurrentIndex(c.pagina);
        if (c.rectificacion)
            f.Frm947_Frame17_MouseMove();
        else
            f.Frm947_Frame1_MouseMove(1);
        EXPECT_EQ(f.TxtAyuda->Text(), c.linea);
        EXPECT_EQ(f.TxtAyuda1->Text(), c.linea1);
        EXPECT_EQ(f.TxtAyuda->ForeColor(), 0);
    }
}

TEST_F(VentanaCarga, DateOfForm5136)
{
    zav::SetClockForTests([] { return QDateTime(QDate(2015, 6, 10), QTime(9, 0)); });
    Frm947& f = Abrir();
    const QString e1 =
        QStringLiteral("La fecha de presentación del formulario 5136 no puede ser mayor a la fecha del sistema.");
    const QString e2 = QStringLiteral("El año de la fecha del formulario 5136 debe corresponder al año de la presentación");
    struct Caso {
        const char* fecha;
        QString mensaje;   // empty: accepted
        bool valida;       // ValidaPeriodo
    };
    const Caso casos[] = {
        {"", QString(), false},          {"12/0", QString(), false},     {"31/02/2015", e2, true},
        {"11/06/2015", e1, true},        {"01/01/2016", e1, true},       {"31/12/2014", e2, false},
        {"01/01/2015", QString(), true}, {"10/06/2015", QString(), true}, {"00/13/2015", e2, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.fecha);
        msgs_->Clear();
        f.mModificado = false;
        f.SSTab1->setCurrentIndex(2);
        f.MkePeriodo->SetText(QString::fromLatin1(c.fecha));
        EXPECT_EQ(f.ValidaPeriodo(), c.valida);
        f.Frm947_MkePeriodo_LostFocus();
        if (c.mensaje.isEmpty()) {
            EXPECT_EQ(msgs_->Count(), 0);
            EXPECT_TRUE(f.mModificado);
        } else {
            ASSERT_EQ(msgs_->Count(), 1);
            EXPECT_EQ(msgs_->Last().text, c.mensaje);
            EXPECT_EQ(msgs_->Last().style, 16);
            EXPECT_EQ(msgs_->Last().title, QStringLiteral("0947 Morvath"));
            EXPECT_EQ(f.SSTab1->currentIndex(), 0);
            EXPECT_FALSE(f.mModificado);
        }
    }
    zav::SetClockForTests({});
}

TEST_F(VentanaCarga, SalirClosesAndAStoredDeclarationFreesItsList)
{
    QWidget lista;
    lista.setObjectName(QStringLiteral("FrmContAbrir"));
    lista.setEnabled(false);
    for (int modo : {0, 1}) {
        SCOPED_TRACE(modo);
        Frm947& f = Abrir(modo, QStringLiteral("20100070970"), QStringLiteral("X"));
        f.show();
        ASSERT_TRUE(f.isVisible());
        QTest::mouseClick(f.cmdCancelar, Qt::LeftButton);
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(lista.isEnabled(), modo == 1);
    }
    // Escape leaves the same way.
    Frm947& f = Abrir();
    f.show();
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(VentanaCarga, EscapeFromAnyFieldAsksAsSalirDoes)
{
    Frm947& f = Abrir();
    MuestraMarcos(&f, false, true, true, false, true, true);
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    const QString pregunta = QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?");
    // Fields whose key filters drop Escape as well as ones that let it through.
    QWidget* campos[] = {f.TxtTelefono, f.txtApellidoRL, f.txtNombreRL, f.TxtValor[500], f.CmbRuc, f.CmbZona};
    for (QWidget* w : campos) {
        SCOPED_TRACE(w->objectName().toStdString());
        for (QTabWidget* tab : {f.SSTab1, f.SSTab2, f.SSTab3, f.SSTab4})
            for (int i = 0; i < tab->count(); ++i)
                if (tab->widget(i)->isAncestorOf(w))
                    tab->setCurrentIndex(i);
        w->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(w->hasFocus());
        msgs_->Clear();
        f.mModificado = true;
        msgs_->PushAnswer(zav::vbCancel);
        QTest::keyClick(w, Qt::Key_Escape);
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, pregunta);
        EXPECT_EQ(msgs_->Last().style, 35);
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(w->hasFocus());
    }
    // An open list closes first.
    msgs_->Clear();
    f.CmbZona->setFocus();
    f.CmbZona->showPopup();
    QApplication::processEvents();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_TRUE(f.isVisible());

    // An unchanged window leaves at once; so does the title bar's close, after asking.
    msgs_->Clear();
    f.mModificado = true;
    msgs_->PushAnswer(zav::vbCancel);
    f.close();
    EXPECT_EQ(msgs_->Count(), 1);
    EXPECT_TRUE(f.isVisible());
    f.mModificado = false;
    f.TxtTelefono->setFocus();
    QTest::keyClick(f.TxtTelefono, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(msgs_->Count(), 1);
}

} // namespace
