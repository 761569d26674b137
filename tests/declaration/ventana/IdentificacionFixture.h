#pragma once
// The declaration window with a fixed clock, shown and active so that focus moves are
// real, and the steps a user takes on its identification page.
#include "VentanaFixture.h"

#include "common/Clock.h"

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

class IdentificacionFixture : public VentanaFixture {
protected:
    void TearDown() override
    {
        zav::SetClockForTests({});
        VentanaFixture::TearDown();
    }

    static void Hoy(int anio, int mes, int dia)
    {
        zav::SetClockForTests([=] { return QDateTime(QDate(anio, mes, dia), QTime(10, 0)); });
    }

    // A new declaration of the period (a year, as Nueva leaves it), on the screen.
    Frm947& Nueva(const QString& periodo = QStringLiteral("2015"), bool mostrar = true)
    {
        App().gPeriodo = periodo;
        Frm947& f = Abrir();
        if (mostrar)
            Mostrar(f);
        return f;
    }

    static void Mostrar(Frm947& f)
    {
        f.show();
        QApplication::setActiveWindow(&f);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    }

    // Taxpayer, phone, start of activities "No", both prior results and the balance date
    // (from 2013 the first date is 30 April): everything but the regime.
    void DatosGenerales(Frm947& f)
    {
        Elegir(f, QStringLiteral("20100070970"));
        f.TxtTelefono->SetText(QStringLiteral("4411223"));
        f.OptInicio->SetValue(0, true);
        f.OptPrecedente->SetValue(0, true);
        f.OptAnterior->SetValue(1, true);
        f.CboBalance->SetListIndex(0);
    }

    // The user brings a page of the main strip forward from its tab bar.
    static void PaginaDelUsuario(Frm947& f, int pagina)
    {
        QTabBar* barra = f.SSTab1->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(pagina).center());
    }

    static QWidget* Foco() { return QApplication::focusWidget(); }
};
