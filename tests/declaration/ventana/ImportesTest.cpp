// The amount boxes of the declaration window typed into through their controls: what
// they accept, how they look on entry and on leaving, where Enter goes, that nothing can
// be pasted, the derived boxes that follow, and the formula help line.
#include "ImportesFixture.h"

#include "platform/ui/ModalRunner.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

#include <functional>
#include <vector>

namespace {

class VentanaImportes : public ImportesFixture {};

TEST_F(VentanaImportes, KeysOutsideEachBoxSetAreDropped)
{
    struct Caso {
        int casilla;
        QString tecleado;
        QString queda;
    };
    const Caso casos[] = {
        {461, QStringLiteral("12a-3.4,5 x"), QStringLiteral("12345")},
        {105, QStringLiteral("-7+"), QStringLiteral("7")},   // deductions are typed positive
        {500, QStringLiteral("(9)"), QStringLiteral("9")},
        {476, QStringLiteral("x7 8*"), QStringLiteral("78")},
    };
    Mostrar();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.casilla);
        frm_->mModificado = false;
        Enfocar(c.casilla);
        QTest::keyClicks(Caja(c.casilla), c.tecleado);
        EXPECT_EQ(TextoDe(c.casilla), c.queda);
        EXPECT_EQ(frm_->mModelo.Texto(c.casilla), c.queda);
        EXPECT_TRUE(frm_->mModificado);
    }
}

TEST_F(VentanaImportes, EntryShowsThePlainNumberAndLeavingFormatsIt)
{
    struct Caso {
        int casilla;
        QString tecleado;
        QString alSalir;
        QString alVolver;
        int salida;   // another box of the same page
    };
    const Caso casos[] = {
        {461, QStringLiteral("1234567"), QStringLiteral("1,234,567"), QStringLiteral("1234567"), 476},
        // Twelve digits at most while editing.
        {476, QStringLiteral("9876543210123"), QStringLiteral("987,654,321,012"), QStringLiteral("987654321012"), 461},
        {103, QStringLiteral("123456789012345"), QStringLiteral("123,456,789,012,345"),
         QStringLiteral("123456789012345"), 105},
        {105, QStringLiteral("1234"), QStringLiteral("(1,234)"), QStringLiteral("1234"), 103},
        {105, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), 103},
        {150, QStringLiteral("500"), QStringLiteral("(500)"), QStringLiteral("500"), 103},
        {500, QString(), QString(), QString(), 501},
        {508, QString(), QString(), QString(), 501},
    };
    Mostrar();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.casilla);
        Enfocar(c.casilla);
        Caja(c.casilla)->selectAll();
        QTest::keyClick(Caja(c.casilla), Qt::Key_Backspace);
        QTest::keyClicks(Caja(c.casilla), c.tecleado);
        Enfocar(c.salida);
        EXPECT_EQ(TextoDe(c.casilla), c.alSalir);
        Enfocar(c.casilla);
        EXPECT_EQ(TextoDe(c.casilla), c.alVolver);
        Enfocar(c.salida);
    }
}

TEST_F(VentanaImportes, TypingInsideANumberKeepsTheCursorWhereItIs)
{
    Mostrar();
    Enfocar(461);
    QTest::keyClicks(Caja(461), QStringLiteral("1234"));
    QTest::keyClick(Caja(461), Qt::Key_Home);
    QTest::keyClicks(Caja(461), QStringLiteral("98"));
    EXPECT_EQ(TextoDe(461), QStringLiteral("981234"));
    EXPECT_EQ(TextoDe(463), QStringLiteral("981,234"));
}

TEST_F(VentanaImportes, EnterMovesToTheNextBoxOrItsJump)
{
    struct Caso {
        int casilla;
        int destino;
    };
    const Caso casos[] = {
        {461, 462}, {468, 469}, {500, 501}, {542, 544}, {553, 532}, {103, 105}, {544, 545},
        // The two halves of the assets: Enter switches VScroll1's panel as it jumps.
        {515, 516}, {530, 500},
    };
    Mostrar();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.casilla);
        Enfocar(c.casilla);
        QTest::keyClick(Caja(c.casilla), Qt::Key_Return);
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_TRUE(Caja(c.destino)->hasFocus())
            << "focus on " << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                                            : std::string("nothing"));
    }
    // With no regime chosen the tax is typed, and Enter leaves it where it is.
    Enfocar(113);
    QTest::keyClick(Caja(113), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(Caja(113)->hasFocus());
}

TEST_F(VentanaImportes, NothingCanBePastedIntoAnAmountBox)
{
    const QString clip = QStringLiteral("999");
    struct Camino {
        const char* nombre;
        std::function<void(zav::TextBox*)> pegar;
        bool vaciaPortapapeles;
    };
    const std::vector<Camino> caminos = {
        {"Ctrl+V", [](zav::TextBox* t) { QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier); }, false},
        {"Shift+Insert", [](zav::TextBox* t) { QTest::keyClick(t, Qt::Key_Insert, Qt::ShiftModifier); }, true},
        {"context-menu key", [](zav::TextBox* t) { QTest::keyClick(t, Qt::Key_Menu); }, true},
        {"right button", [](zav::TextBox* t) {
             QTest::mousePress(t, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
             QTest::mouseRelease(t, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
         }, true},
        {"middle button", [&](zav::TextBox* t) {
             if (QGuiApplication::clipboard()->supportsSelection())
                 QGuiApplication::clipboard()->setText(clip, QClipboard::Selection);
             QTest::mouseClick(t, Qt::MiddleButton, Qt::NoModifier, QPoint(3, 3));
         }, false},
        {"drop", [&](zav::TextBox* t) {
             QMimeData mime;
             mime.setText(clip);
             QDragEnterEvent entra(QPoint(3, 3), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(t, &entra);
             QDropEvent suelta(QPointF(3, 3), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(t, &suelta);
         }, false},
    };
    Frm947& f = Mostrar();
    for (int n : CasillasModelo::mCasillas())
        EXPECT_TRUE(f.TxtValor[n]->NoPaste()) << n;

    for (const Camino& c : caminos) {
        SCOPED_TRACE(c.nombre);
        Enfocar(461);
        Caja(461)->selectAll();
        QTest::keyClicks(Caja(461), QStringLiteral("1"));
        QGuiApplication::clipboard()->setText(clip);
        c.pegar(Caja(461));
        QApplication::processEvents();
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
        EXPECT_EQ(TextoDe(461), QStringLiteral("1"));
        EXPECT_EQ(TextoDe(463), QStringLiteral("1"));
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.vaciaPortapapeles ? QString() : clip);
    }
}

// Typed inputs and the derived boxes they give, down to the tax and box 610.
TEST_F(VentanaImportes, TypedAmountsCascadeDownToTheCoefficient)
{
    struct Caso {
        const char* nombre;
        QString periodo;
        QString sistema;
        int renta;
        std::vector<std::pair<int, QString>> tecleado;   // typed and left, in this order
        std::vector<std::pair<int, QString>> esperado;
    };
    const std::vector<std::pair<int, QString>> ventas = {
        {461, QStringLiteral("10000")}, {462, QStringLiteral("1000")}, {464, QStringLiteral("4000")}};
    const Caso casos[] = {
        {"general 2014", QStringLiteral("2014"), QString(), 0, ventas,
         {{462, QStringLiteral("(1,000)")}, {463, QStringLiteral("9,000")}, {466, QStringLiteral("5,000")},
          {467, QStringLiteral("0")}, {470, QStringLiteral("5,000")}, {471, QStringLiteral("0")},
          {484, QStringLiteral("5,000")}, {485, QStringLiteral("0")}, {487, QStringLiteral("5,000")},
          {489, QStringLiteral("0")}, {492, QStringLiteral("5,000")}, {493, QStringLiteral("0")},
          {100, QStringLiteral("5,000")}, {101, QStringLiteral("0")}, {106, QStringLiteral("5,000")},
          {107, QStringLiteral("0")}, {110, QStringLiteral("5,000")}, {111, QStringLiteral("0")},
          {113, QStringLiteral("1,500")}, {610, QStringLiteral("0.1667")}}},
        {"agrarian 2014", QStringLiteral("2014"), QString(), 1, ventas,
         {{110, QStringLiteral("5,000")}, {113, QStringLiteral("750")}, {610, QStringLiteral("0.0833")}}},
        {"loss under the general regime, percentage system of 2012", QStringLiteral("2012"), QStringLiteral("B"), 0,
         {{461, QStringLiteral("1000")}, {464, QStringLiteral("3000")}},
         {{463, QStringLiteral("1,000")}, {466, QStringLiteral("0")}, {467, QStringLiteral("(2,000)")},
          {471, QStringLiteral("(2,000)")}, {485, QStringLiteral("(2,000)")}, {489, QStringLiteral("(2,000)")},
          {493, QStringLiteral("(2,000)")}, {100, QStringLiteral("0")}, {101, QStringLiteral("(2,000)")},
          {106, QStringLiteral("0")}, {107, QStringLiteral("(2,000)")}, {110, QStringLiteral("0")},
          {111, QStringLiteral("(2,000)")}, {113, QStringLiteral("0")}, {610, QStringLiteral("0.00")}}},
        {"coefficient system of 2012 with additions", QStringLiteral("2012"), QStringLiteral("A"), 0,
         {{461, QStringLiteral("8000")}, {103, QStringLiteral("2000")}},
         {{487, QStringLiteral("8,000")}, {106, QStringLiteral("10,000")}, {113, QStringLiteral("3,000")},
          {610, QStringLiteral("0.3750")}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Mostrar(c.periodo);
        if (!c.sistema.isEmpty())
            App().gSistema = c.sistema;
        Regimen(c.renta);
        for (size_t i = 0; i < c.tecleado.size(); ++i) {
            const auto& [n, texto] = c.tecleado[i];
            Escribir(n, texto, n == 103 ? 105 : 476);
        }
        for (const auto& [n, texto] : c.esperado)
            EXPECT_EQ(TextoDe(n), texto) << "box " << n;
        // The model and the boxes agree everywhere.
        for (int n : CasillasModelo::mCasillas())
            EXPECT_EQ(TextoDe(n), frm_->mModelo.Texto(n)) << "box " << n;
        frm_->hide();
        frm_.reset();
        App().gFrm947 = nullptr;
    }
}

TEST_F(VentanaImportes, DerivedBoxesCannotBeTyped)
{
    Mostrar();
    Regimen(0);
    for (int n : {463, 466, 484, 106, 110, 113, 610}) {
        SCOPED_TRACE(n);
        Enfocar(n);
        const QString antes = TextoDe(n);
        QTest::keyClicks(Caja(n), QStringLiteral("5"));
        QTest::keyClick(Caja(n), Qt::Key_Backspace);
        EXPECT_EQ(TextoDe(n), antes);
    }
}

TEST_F(VentanaImportes, PointerOverABoxShowsItsFormulaOrTheEntryHint)
{
    const QString hint = QStringLiteral("Anotar los importes en nuevos soles sin considerar céntimos.");
    struct Caso {
        int casilla;
        int pagina;   // SSTab1
        QString linea1;
        QString linea2;
        int color;
    };
    const Caso casos[] = {
        {106, 2, QStringLiteral("c106 = c100 - c101 + c103 - c105"), QStringLiteral("(Si es negativo ‘0’)"), 0xC00000},
        {110, 2, QStringLiteral("c110 = ( c106 o  cas107 ) - c108 - c150"), QStringLiteral("(Si es negativo ‘0’)"),
         0xC00000},
        {531, 1, QStringLiteral("c531 = 500+501+502+503+504+505+506+507-508+509+510+511+512+513+514"),
         QStringLiteral(" +515+516-517+518+519+520+521+522+523-524+525+526-527-528+529+530"), 0xC00000},
        {610, 2, QStringLiteral(" "), QString(), 0xC00000},
        {500, 1, hint, QString(), 0},
        {461, 1, hint, QString(), 0},
        {208, 3, QStringLiteral("El registro de esta información es de caracter obligatorio"),
         QStringLiteral("en los conceptos que le correspondan."), 0},
    };
    Mostrar();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.casilla);
        frm_->SSTab1->setCurrentIndex(c.pagina);
        // Something else on the line first, so the move is what writes it.
        frm_->TxtAyuda->SetText(QStringLiteral("x"));
        frm_->TxtAyuda1->SetText(QStringLiteral("x"));
        QMouseEvent mueve(QEvent::MouseMove, QPointF(4, 4), Caja(c.casilla)->mapToGlobal(QPointF(4, 4)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Caja(c.casilla), &mueve);
        EXPECT_EQ(frm_->TxtAyuda->Text(), c.linea1);
        EXPECT_EQ(frm_->TxtAyuda1->Text(), c.linea2);
        EXPECT_EQ(frm_->TxtAyuda->ForeColor(), c.color);
        EXPECT_EQ(frm_->TxtAyuda1->ForeColor(), c.color);
    }
}

// Disabling a box while it has the focus runs its LostFocus from inside the disabling;
// the box must show the state that LostFocus left, as the model has it.
TEST_F(VentanaImportes, BoxDisabledWhileEditedShowsItsLeavingState)
{
    Mostrar();
    Enfocar(476);
    QTest::keyClicks(Caja(476), QStringLiteral("1500"));
    ASSERT_EQ(Caja(476)->MaxLength(), 12);
    frm_->mModelo.PonEnabled(476, false);
    QApplication::processEvents();
    EXPECT_FALSE(Caja(476)->Enabled());
    EXPECT_EQ(TextoDe(476), QStringLiteral("1,500"));
    EXPECT_EQ(frm_->mModelo.Estado(476).MaxLength, 18);
    EXPECT_EQ(Caja(476)->MaxLength(), 18);
    EXPECT_EQ(Caja(476)->BackColor(), frm_->mModelo.Estado(476).BackColor);
}

// What the box checks find shows in the window's message boxes, and the answer to the
// exclusive pairs' question decides which box stays.
TEST_F(VentanaImportes, FindingsOfTheBoxesAreShownAndAnswered)
{
    Mostrar();
    Escribir(481, QStringLiteral("300"), 476);
    const QString pregunta = QStringLiteral("Las casillas 483 y 481 son excluyentes, si desea registrar información "
                                            "en la casilla 483 debe eliminar la información registrada en la 481.");
    msgs_->PushAnswer(zav::vbCancel);
    Enfocar(483);
    QTest::keyClicks(Caja(483), QStringLiteral("2"));
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, pregunta);
    EXPECT_EQ(msgs_->Last().style, 1);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("0947 Morvath"));
    EXPECT_EQ(TextoDe(483), QString());
    EXPECT_EQ(TextoDe(481), QStringLiteral("300"));
    EXPECT_TRUE(Caja(481)->hasFocus());

    msgs_->PushAnswer(zav::vbOK);
    Enfocar(483);
    QTest::keyClicks(Caja(483), QStringLiteral("2"));
    ASSERT_EQ(msgs_->Count(), 2);
    EXPECT_EQ(TextoDe(483), QStringLiteral("2"));
    EXPECT_EQ(TextoDe(481), QString());
    EXPECT_TRUE(Caja(483)->hasFocus());

    // A wrong accountant's number: the message, then the complementary page and the box.
    msgs_->Clear();
    Enfocar(461);
    Enfocar(208);
    QTest::keyClicks(Caja(208), QStringLiteral("10000000011"));
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("El RUC no es Válido."));
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("0947 Morvath"));
    EXPECT_EQ(frm_->SSTab1->currentIndex(), 3);
    EXPECT_TRUE(Caja(208)->hasFocus());
}

// A declaration opened from the list keeps that period when its general-regime tax is
// computed; a sent one keeps its own.
TEST_F(VentanaImportes, GeneralTaxTakesThePeriodChosenInTheList)
{
    for (const bool enviadas : {false, true}) {
        SCOPED_TRACE(enviadas ? "sent" : "stored");
        Mostrar(QStringLiteral("201708"));
        App().gPeriodoSel = QStringLiteral("201505");
        App().gModoEnviadas = enviadas;
        Regimen(0);
        Escribir(461, QStringLiteral("1000"), 476);
        EXPECT_EQ(App().gPeriodo, enviadas ? QStringLiteral("201708") : QStringLiteral("201505"));
        EXPECT_EQ(TextoDe(113), enviadas ? QStringLiteral("295") : QStringLiteral("280"));
        frm_->hide();
        frm_.reset();
        App().gFrm947 = nullptr;
        App().gModoEnviadas = false;
        App().gPeriodoSel.clear();
    }
}

// Validar reads the boxes: the one being edited is left, and shows its formatted text,
// before the click, whether the button is reached by its access key or by Enter.
TEST_F(VentanaImportes, AButtonReachedByKeyboardFindsTheEditedBoxFormatted)
{
    struct Camino {
        const char* nombre;
        std::function<void(Frm947&)> pulsar;
    };
    const Camino caminos[] = {
        {"access key", [](Frm947& f) { QTest::keyClick(&f, Qt::Key_V, Qt::AltModifier); }},
        {"Enter on the focused button", [](Frm947& f) {
             f.CmdValidar->setFocus(Qt::TabFocusReason);
             QApplication::processEvents();
             QTest::keyClick(f.CmdValidar, Qt::Key_Return);
         }},
    };
    for (const Camino& c : caminos) {
        SCOPED_TRACE(c.nombre);
        Mostrar();
        Enfocar(105);
        QTest::keyClicks(Caja(105), QStringLiteral("1234"));
        QStringList vistos;
        QObject::connect(frm_->CmdValidar, &QPushButton::clicked, frm_.get(), [&] { vistos << TextoDe(105); });
        zav::ModalRunnerScope runner([](QDialog&) { return 0; });
        c.pulsar(*frm_);
        // An access key presses the button after its short animation.
        for (int i = 0; i < 50 && vistos.isEmpty(); ++i)
            QTest::qWait(20);
        EXPECT_EQ(vistos, QStringList{QStringLiteral("(1,234)")});
        frm_->hide();
        frm_.reset();
        App().gFrm947 = nullptr;
    }
}

} // namespace
