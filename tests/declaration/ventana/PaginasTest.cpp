// The pages of the declaration window as a user meets them: every tab and field reachable
// whatever the desktop's font, every page showing its boxes, Escape in an open list.
#include "IdentificacionFixture.h"

#include "declaration/Frm947_paginas.h"

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

    QFont fuente_ = QApplication::font();
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
