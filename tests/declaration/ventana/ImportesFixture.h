#pragma once
// The declaration window shown and active, its boxes typed into through the real
// controls, as the open declaration (gFrm947).
#include "VentanaFixture.h"

#include "shell/modulo/Procedimientos.h"

#include <QApplication>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>

class ImportesFixture : public VentanaFixture {
protected:
    // The period is fixed before the window loads (its lists depend on the year).
    Frm947& Mostrar(const QString& periodo = QStringLiteral("2014"))
    {
        App().gPeriodo = periodo;
        Frm947& f = Abrir();
        App().gFrm947 = &f;
        // The pages as they show once the identification page is complete.
        MuestraMarcos(&f, false, true, true, false, true, true);
        f.show();
        QApplication::setActiveWindow(&f);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        return f;
    }

    void TearDown() override
    {
        if (frm_)
            frm_->hide();
        App().gFrm947 = nullptr;
        VentanaFixture::TearDown();
    }

    // Regime and person as the user chooses them (-1 leaves the person unanswered).
    void Regimen(int renta, int persona = 0)
    {
        frm_->optRenta->SetValue(renta, true);
        if (persona >= 0)
            frm_->OptPersona->SetValue(persona, true);
    }

    zav::TextBox* Caja(int n) const
    {
        return frm_->findChild<zav::TextBox*>(QStringLiteral("TxtValor_%1").arg(n));
    }

    QString TextoDe(int n) const { return Caja(n)->Text(); }

    // Brings the box's pages forward and gives it the focus, as a click would.
    void Enfocar(int n)
    {
        zav::TextBox* t = Caja(n);
        // A dialog that has just closed may leave no window active on this platform.
        if (!frm_->isActiveWindow()) {
            QApplication::setActiveWindow(frm_.get());
            ASSERT_TRUE(QTest::qWaitForWindowActive(frm_.get()));
        }
        for (QTabWidget* tab : {frm_->SSTab1, frm_->SSTab3, frm_->SSTab4})
            for (int i = 0; i < tab->count(); ++i)
                if (tab->widget(i)->isAncestorOf(t))
                    tab->setCurrentIndex(i);
        t->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        // Leaving 473 or 477 sends the focus on to the box after them; click again.
        if (!t->hasFocus()) {
            t->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
        }
        ASSERT_TRUE(t->hasFocus()) << "box " << n << ", focus on "
                                   << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                                                   : std::string("nothing"));
    }

    // Focus in, the keys, focus out to another box of the same page.
    void Escribir(int n, const QString& teclas, int salida)
    {
        Enfocar(n);
        QTest::keyClicks(Caja(n), teclas);
        Enfocar(salida);
    }
};
