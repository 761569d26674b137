// The pages of the declaration window as a user meets them: every tab and field reachable
// whatever the desktop's font, every page showing its boxes, every way of changing a page,
// Escape in an open list.
#include "IdentificacionFixture.h"

#include "declaration/Frm947_paginas.h"

#include "platform/ui/ModalRunner.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/Procedimientos.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <map>
#include <string>

namespace {

class VentanaPaginas : public IdentificacionFixture {
protected:
    void TearDown() override
    {
        IdentificacionFixture::TearDown();
        QApplication::setFont(fuente_);
    }

    // The stops of the Tab key in the window as it shows, in their order.
    static std::string ParadasTab(QWidget* ventana)
    {
        QStringList paradas;
        QWidget* w = ventana;
        while ((w = w->nextInFocusChain()) != ventana) {
            if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisibleTo(ventana) && w->isEnabled() &&
                !w->focusProxy())
                paradas << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                      : w->objectName());
        }
        return paradas.join(QLatin1Char(' ')).toStdString();
    }

    // The stops on every page of the main strip and of the strip inside it, with the
    // frames of a completed identification page shown.
    std::map<QString, std::string> ParadasDeCadaPagina(Frm947& f)
    {
        MuestraMarcos(&f, false, true, true, false, true, true);
        std::map<QString, std::string> paradas;
        const std::map<int, QTabWidget*> interiores{{0, f.SSTab2}, {1, f.SSTab3}, {3, f.SSTab4}};
        for (int p = 0; p < f.SSTab1->count(); ++p) {
            f.SSTab1->setCurrentIndex(p);
            auto it = interiores.find(p);
            const int paginas = it == interiores.end() ? 1 : it->second->count();
            for (int q = 0; q < paginas; ++q) {
                if (it != interiores.end())
                    it->second->setCurrentIndex(q);
                QApplication::processEvents();
                paradas[QStringLiteral("%1.%2").arg(p).arg(q)] = ParadasTab(&f);
                // Every tab of the strips in view lies on its bar, none behind arrows.
                for (QTabWidget* t : {f.SSTab1, f.SSTab2, f.SSTab3, f.SSTab4}) {
                    if (!t->isVisible())
                        continue;
                    QTabBar* barra = t->tabBar();
                    for (int i = 0; i < barra->count(); ++i) {
                        if (barra->isTabVisible(i)) {
                            EXPECT_TRUE(barra->rect().contains(barra->tabRect(i)))
                                << t->objectName().toStdString() << " tab " << i;
                        }
                    }
                    for (QToolButton* b : barra->findChildren<QToolButton*>())
                        EXPECT_FALSE(b->isVisible()) << t->objectName().toStdString();
                }
            }
        }
        return paradas;
    }

    // A stored General-regime declaration of a legal person (30 April balance of 2014),
    // reopened as Modificar opens it, on the screen.
    Frm947& Reabierta()
    {
        const QString ruc = QStringLiteral("20100070970");
        Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, fec_pro, estado, "
                                "rectifica, cNumero) VALUES (6, ?, '201405', '0947', 0, '15/05/2014', 0, '0', '1')"),
                 {ruc});
        const char* const filas[][2] = {{"028", "4411223"}, {"056", "4"}, {"500", "1000"}, {"605", "0"},
                                        {"606", "0"},       {"607", "0"}, {"608", "0"},    {"813", "0"}};
        for (const auto& [casilla, valor] : filas)
            Ejecutar(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, "
                                    "i_valor, idcasilla, cNumero) VALUES (6, ?, '201405', '0947', 0, ?, ?, '01', '1')"),
                     {ruc, QString::fromLatin1(casilla), QString::fromLatin1(valor)});
        App().gPeriodo = QStringLiteral("201405");
        Frm947& f = Abrir(1, ruc, QStringLiteral("EMPRESA DEMO"));
        Mostrar(f);
        return f;
    }

    // Presses Tab in the focused field until the focus reaches the widget.
    static bool AlcanzaConTab(QWidget* destino)
    {
        for (int i = 0; i < 12; ++i) {
            if (Foco() == destino)
                return true;
            if (!Foco())
                return false;
            QTest::keyClick(Foco(), Qt::Key_Tab);
        }
        return Foco() == destino;
    }

    QFont fuente_ = QApplication::font();
};

// ---- page changes ----------------------------------------------------------------------------

zav::TabStrip* Tira(Frm947& f, int n)
{
    return n == 1 ? f.SSTab1 : n == 2 ? f.SSTab2 : n == 3 ? f.SSTab3 : f.SSTab4;
}

// The page of a strip brought forward by code, with the main strip's page that holds it.
void TraerPorCodigo(Frm947& f, int tira, int pagina)
{
    PaginaPorCodigo(f.SSTab1, tira == 1 ? pagina : tira == 2 ? 0 : tira == 3 ? 1 : 3);
    if (tira != 1)
        PaginaPorCodigo(Tira(f, tira), pagina);
}

void Clic(Frm947& f, int tira, int pagina)
{
    QTabBar* barra = Tira(f, tira)->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(pagina).center());
}

void Tecla(Qt::Key k, Qt::KeyboardModifiers m = {})
{
    QTest::keyClick(QApplication::focusWidget(), k, m);
}

struct CambioDePagina {
    const char* nombre;
    int tira;                                // 1 SSTab1, 2 SSTab2, 4 SSTab4
    int desde, hasta;                        // pages of that strip
    QWidget* (*foco)(Frm947&);               // where the focus stands before
    std::function<void(Frm947&)> hacer;
    bool delUsuario;                         // false: a change made by code
    QWidget* (*caja)(Frm947&);               // a field of the page that comes forward
};

const Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
const Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

QWidget* Telefono(Frm947& f) { return f.TxtTelefono; }
QWidget* Caja103(Frm947& f) { return f.TxtValor[103]; }
QWidget* Caja500(Frm947& f) { return f.TxtValor[500]; }
QWidget* Caja208(Frm947& f) { return f.TxtValor[208]; }
QWidget* Contador(Frm947& f) { return f.TxtNombreA; }
QWidget* ZonaContador(Frm947& f) { return f.CmbZona; }
QWidget* Persona(Frm947& f) { return f.OptPersona->Button(0); }
QWidget* Nuevo(Frm947& f) { return f.cmdPerdida[0]; }
QWidget* BarraSSTab1(Frm947& f) { return f.SSTab1->tabBar(); }
QWidget* BarraSSTab2(Frm947& f) { return f.SSTab2->tabBar(); }
QWidget* BarraSSTab4(Frm947& f) { return f.SSTab4->tabBar(); }

const CambioDePagina kCambios[] = {
    {"click on Estados financieros", 1, 0, 1, Telefono, [](Frm947& f) { Clic(f, 1, 1); }, true, Caja500},
    {"Alt+F", 1, 0, 1, Telefono, [](Frm947&) { Tecla(Qt::Key_F, Qt::AltModifier); }, true, Caja500},
    {"Alt+P", 1, 0, 3, Telefono, [](Frm947&) { Tecla(Qt::Key_P, Qt::AltModifier); }, true, Caja208},
    {"Alt+I", 1, 2, 0, Caja103, [](Frm947&) { Tecla(Qt::Key_I, Qt::AltModifier); }, true, Telefono},
    {"Right on the main bar", 1, 0, 1, BarraSSTab1, [](Frm947&) { Tecla(Qt::Key_Right); }, true, Caja500},
    {"Ctrl+Tab", 1, 2, 3, Caja103, [](Frm947&) { Tecla(Qt::Key_Tab, kCtrl); }, true, Caja208},
    {"Ctrl+Shift+Tab", 1, 2, 1, Caja103, [](Frm947&) { Tecla(Qt::Key_Backtab, kCtrlShift); }, true, Caja500},
    {"Ctrl+PageDown", 1, 2, 3, Caja103, [](Frm947&) { Tecla(Qt::Key_PageDown, kCtrl); }, true, Caja208},
    {"Ctrl+PageUp", 1, 2, 1, Caja103, [](Frm947&) { Tecla(Qt::Key_PageUp, kCtrl); }, true, Caja500},
    {"code, main strip", 1, 0, 1, Telefono, [](Frm947& f) { f.SSTab1->setCurrentIndex(1); }, false, Caja500},
    {"click on the loss page", 4, 0, 1, Contador, [](Frm947& f) { Clic(f, 4, 1); }, true, Nuevo},
    {"Right on the complementary bar", 4, 0, 1, BarraSSTab4, [](Frm947&) { Tecla(Qt::Key_Right); }, true, Nuevo},
    {"Ctrl+Tab to the losses", 4, 0, 1, Contador, [](Frm947&) { Tecla(Qt::Key_Tab, kCtrl); }, true, Nuevo},
    {"Ctrl+Tab from a list", 4, 0, 1, ZonaContador, [](Frm947&) { Tecla(Qt::Key_Tab, kCtrl); }, true, Nuevo},
    {"Ctrl+PageDown to the losses", 4, 0, 1, Contador, [](Frm947&) { Tecla(Qt::Key_PageDown, kCtrl); }, true,
     Nuevo},
    {"Ctrl+Shift+Tab from the losses", 4, 1, 0, Nuevo, [](Frm947&) { Tecla(Qt::Key_Backtab, kCtrlShift); }, true,
     Contador},
    {"Ctrl+PageUp from the losses", 4, 1, 0, Nuevo, [](Frm947&) { Tecla(Qt::Key_PageUp, kCtrl); }, true, Contador},
    {"code, complementary strip", 4, 0, 1, Contador, [](Frm947& f) { f.SSTab4->setCurrentIndex(1); }, false, Nuevo},
    {"click on the regime page", 2, 0, 1, Telefono, [](Frm947& f) { Clic(f, 2, 1); }, true, Persona},
    {"Right on the identification bar", 2, 0, 1, BarraSSTab2, [](Frm947&) { Tecla(Qt::Key_Right); }, true,
     Persona},
    {"Ctrl+Tab from the phone", 2, 0, 1, Telefono, [](Frm947&) { Tecla(Qt::Key_Tab, kCtrl); }, true, Persona},
    {"Ctrl+PageDown from the phone", 2, 0, 1, Telefono, [](Frm947&) { Tecla(Qt::Key_PageDown, kCtrl); }, true,
     Persona},
    {"code, identification strip", 2, 0, 1, Telefono, [](Frm947& f) { f.SSTab2->setCurrentIndex(1); }, false,
     Persona},
};

// With a wider desktop font (here the metric-compatible monospace font a machine without
// the usual sans-serif font falls back to) the keyboard goes through the same stops in
// the same order as with the font the window was laid out for.
TEST_F(VentanaPaginas, EveryTabAndFieldIsReachedInTheSameOrderWithAWiderFont)
{
    Frm947& f = Nueva();
    const auto normales = ParadasDeCadaPagina(f);
    frm_.reset();
    ASSERT_NE(normales.at(QStringLiteral("0.0")).find("CmbRuc"), std::string::npos);

    // The window sets its own point size; the family comes from the desktop.
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Mono")));
    QApplication::setFont(QFont(QStringLiteral("Liberation Mono")));
    Frm947& g = Nueva();
    const auto anchas = ParadasDeCadaPagina(g);
    for (const auto& [pagina, paradas] : normales)
        EXPECT_EQ(anchas.at(pagina), paradas) << pagina.toStdString();
}

// On the screen: shown, and not clipped away by the page it stands on.
bool ALaVista(const QWidget* w)
{
    return w->isVisible() && !w->visibleRegion().isEmpty() && w->width() > 0 && w->height() > 0;
}

// A real message box over the window, answered as the user would (Salir, then Cancelar).
void CajaDeMensaje(Frm947& f)
{
    auto caja = zav::BuildMessageBox(QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?"),
                                     35, f.Caption(), &f);
    QMessageBox* c = caja.get();
    QTimer::singleShot(100, c, [c] { c->button(QMessageBox::Cancel)->click(); });
    caja->exec();
}

// After a message box, the first visit to the financial statements shows the assets
// page with every box and its heading, and the income statement with its heading.
TEST_F(VentanaPaginas, EveryPageShowsItsBoxesAfterAMessageBox)
{
    Frm947& f = Nueva();
    DatosGenerales(f);
    f.optRenta->SetValue(0, true);
    f.OptPersona->SetValue(0, true);
    QApplication::processEvents();
    f.cmdCancelar->setFocus();
    CajaDeMensaje(f);
    QTest::qWait(50);
    ASSERT_EQ(msgs_->Count(), 0);

    PaginaDelUsuario(f, 1);
    QTest::qWait(50);
    ASSERT_EQ(f.SSTab1->currentIndex(), 1);
    ASSERT_EQ(f.SSTab3->currentIndex(), 0);
    EXPECT_TRUE(ALaVista(f.lblTab2[41]));
    EXPECT_EQ(f.lblTab2[41]->Caption(), f.mTituloBalance);
    for (int n = 500; n <= 515; ++n)
        EXPECT_TRUE(ALaVista(f.TxtValor[n])) << n;

    QTabBar* barra = f.SSTab3->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(2).center());
    QTest::qWait(50);
    ASSERT_EQ(f.SSTab3->currentIndex(), 2);
    EXPECT_EQ(f.focusWidget(), f.TxtValor[461]);
    EXPECT_TRUE(ALaVista(f.lblTab2[100]));
    EXPECT_FALSE(f.lblTab2[100]->Caption().isEmpty());
    for (int n : {461, 462, 463, 464})
        EXPECT_TRUE(ALaVista(f.TxtValor[n])) << n;
    EXPECT_EQ(msgs_->Count(), 0);
}

// Every way a user changes a page (a click, an access key, the arrows on a focused bar,
// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown, Ctrl+PageUp) is the user's page change: with an
// identification page the check refuses, its message shows and page 0 comes back; with a
// complete one the page comes forward set up, its fields shown and reached by Tab. A page
// that code brings forward is neither checked nor set up. On a new declaration and on a
// reopened one.
TEST_F(VentanaPaginas, EveryWayOfChangingAPageIsTheUsersAndIsCheckedAndSetUp)
{
    Hoy(2015, 6, 10);
    for (const bool reabierta : {false, true}) {
        for (const CambioDePagina& c : kCambios) {
            frm_.reset();
            Ejecutar(QStringLiteral("DELETE FROM DET"));
            Ejecutar(QStringLiteral("DELETE FROM CAB"));
            Frm947& f = reabierta ? Reabierta() : Nueva();
            if (!reabierta) {
                DatosGenerales(f);
                f.optRenta->SetValue(0, true);
                f.OptPersona->SetValue(0, true);
            }
            // The losses can be kept: box 108 holds an amount.
            f.mModelo.PonTexto(108, QStringLiteral("1,000"));
            // Where the user already stood: the pages visited show their frames.
            if (c.tira == 4 || c.desde != 0)
                MuestraMarcos(&f, false, true, true, false, true, true);
            // First refused, then let through, from the same place.
            for (const bool completa : {false, true}) {
                SCOPED_TRACE(std::string(reabierta ? "reopened, " : "new, ") + c.nombre +
                             (completa ? ", complete" : ", phone too short"));
                QApplication::processEvents();
                TraerPorCodigo(f, c.tira, c.desde);
                c.foco(f)->setFocus();
                QApplication::processEvents();
                ASSERT_EQ(Foco(), c.foco(f));
                f.TxtTelefono->SetText(completa ? QStringLiteral("4411223") : QStringLiteral("12345"));
                msgs_->Clear();

                c.hacer(f);
                QTest::qWait(20);
                QTabWidget* tira = Tira(f, c.tira);
                if (!c.delUsuario) {
                    EXPECT_EQ(msgs_->Count(), 0);
                    EXPECT_EQ(tira->currentIndex(), c.hasta);
                    if (c.tira == 1) {
                        EXPECT_TRUE(f.lblTab2[41]->Caption().isEmpty());
                    }
                    continue;
                }
                // The first visit of a new declaration to page 0 is not checked.
                if (!completa && !(c.tira == 1 && c.hasta == 0 && !reabierta)) {
                    EXPECT_EQ(msgs_->Texts(),
                              QStringList{QStringLiteral("Ingrese su número de teléfono o un número de referencia.")});
                    EXPECT_EQ(f.SSTab1->currentIndex(), 0);
                    EXPECT_EQ(f.SSTab2->currentIndex(), 0);
                    EXPECT_EQ(Foco(), f.TxtTelefono);
                    continue;
                }
                EXPECT_EQ(msgs_->Count(), 0) << (msgs_->Count() ? msgs_->Last().text.toStdString() : "");
                EXPECT_EQ(tira->currentIndex(), c.hasta);
                if (c.tira == 1 && c.hasta == 1) {
                    EXPECT_FALSE(f.lblTab2[41]->Caption().isEmpty());
                    EXPECT_EQ(f.lblTab2[41]->Caption(), f.mTituloBalance);
                }
                if (c.tira == 1 && c.hasta == 0) {
                    for (int i : {1, 2, 5})
                        EXPECT_FALSE(f.Frame1[i]->isHidden()) << i;
                }
                if (c.tira == 1 && c.hasta == 3) {
                    EXPECT_EQ(Foco(), f.TxtNombreA);
                }
                QWidget* caja = c.caja(f);
                EXPECT_TRUE(AlcanzaConTab(caja)) << caja->objectName().toStdString() << " focus "
                                                 << (Foco() ? Foco()->objectName().toStdString() : "none");
                EXPECT_TRUE(ALaVista(caja)) << caja->objectName().toStdString();
            }
        }
    }
}

// The loss page's "&Nuevo" and the complementary strip's "I&nformación general" share Alt+N:
// on the loss page the key presses the button, on the other page it stays there.
TEST_F(VentanaPaginas, OnTheLossPageAltNPressesNuevo)
{
    Hoy(2015, 6, 10);
    Frm947& f = Nueva();
    DatosGenerales(f);
    f.optRenta->SetValue(0, true);
    f.OptPersona->SetValue(0, true);
    f.mModelo.PonTexto(108, QStringLiteral("1,000"));
    Clic(f, 1, 3);
    Clic(f, 4, 1);
    ASSERT_EQ(f.SSTab4->currentIndex(), 1);
    msgs_->Clear();
    QStringList abiertos;
    zav::ModalRunnerScope runner([&](QDialog& dlg) {
        abiertos << QString::fromLatin1(dlg.metaObject()->className());
        return 0;
    });
    for (int vez = 0; vez < 2; ++vez) {
        Tecla(Qt::Key_N, Qt::AltModifier);
        QTest::qWait(250);
        EXPECT_EQ(abiertos, QStringList(vez + 1, QStringLiteral("frmPerdidaEjercAnt"))) << vez;
        EXPECT_EQ(f.SSTab4->currentIndex(), 1) << vez;
    }
    Clic(f, 4, 0);
    Tecla(Qt::Key_N, Qt::AltModifier);
    QTest::qWait(250);
    EXPECT_EQ(abiertos.size(), 2);
    EXPECT_EQ(f.SSTab4->currentIndex(), 0);
    EXPECT_EQ(msgs_->Count(), 0) << (msgs_->Count() ? msgs_->Last().text.toStdString() : "");
}

// Escape in an open list closes the list and nothing else; with the list closed it leaves
// through Salir, whose question is asked.
TEST_F(VentanaPaginas, EscapeInAnOpenListOnlyClosesTheList)
{
    Frm947& f = Nueva();
    DatosGenerales(f);
    ASSERT_TRUE(f.mModificado);
    msgs_->Clear();
    for (zav::ComboBox* lista : {f.CmbRuc, f.CboBalance}) {
        SCOPED_TRACE(lista->objectName().toStdString());
        PaginaPorCodigo(f.SSTab2, lista == f.CboBalance ? 2 : 0);
        lista->setFocus();
        lista->showPopup();
        QWidget* desplegada = lista->view()->window();
        for (int i = 0; i < 50 && !desplegada->isVisible(); ++i)
            QTest::qWait(10);
        ASSERT_TRUE(desplegada->isVisible());
        QTest::keyClick(desplegada->windowHandle(), Qt::Key_Escape);
        for (int i = 0; i < 50 && desplegada->isVisible(); ++i)
            QTest::qWait(10);
        QTest::qWait(50);
        EXPECT_FALSE(desplegada->isVisible());
        EXPECT_EQ(msgs_->Count(), 0) << msgs_->Texts().join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(f.isVisible());
    }

    msgs_->PushAnswer(zav::vbCancel);
    QTest::keyClick(f.windowHandle(), Qt::Key_Escape);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?"));
    EXPECT_TRUE(f.isVisible());
}

} // namespace
