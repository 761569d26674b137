// The annex of boxes 473 and 477, opened from the declaration window's boxes and driven
// through its own controls by a scripted modal runner.
#include "ImportesFixture.h"

#include "declaration/frmAnexo477.h"
#include "platform/ui/ModalRunner.h"

#include <QClipboard>
#include <QPushButton>

#include <functional>

namespace {

class VentanaAnexo : public ImportesFixture {
protected:
    using Guion = std::function<void(frmAnexo477&)>;

    // Every annex that opens is shown, driven by the script and closed the way the script
    // closes it (or cancelled when it does not).
    std::unique_ptr<zav::ModalRunnerScope> Guionizar(Guion guion)
    {
        return std::make_unique<zav::ModalRunnerScope>([guion](QDialog& d) {
            auto* anexo = dynamic_cast<frmAnexo477*>(&d);
            EXPECT_NE(anexo, nullptr);
            if (!anexo)
                return int(QDialog::Rejected);
            anexo->show();
            QApplication::setActiveWindow(anexo);
            EXPECT_TRUE(QTest::qWaitForWindowActive(anexo));
            guion(*anexo);
            if (anexo->isVisible())
                anexo->reject();
            // As the window manager would, the declaration window is active again.
            if (QWidget* w = anexo->parentWidget()) {
                QApplication::setActiveWindow(w->window());
                EXPECT_TRUE(QTest::qWaitForWindowActive(w->window()));
            }
            return anexo->result();
        });
    }

    static void EnfocarMonto(frmAnexo477& a, int i)
    {
        a.TxtMonto[i]->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        ASSERT_TRUE(a.TxtMonto[i]->hasFocus());
    }

    // Replaces an amount's text by typing.
    static void Teclear(frmAnexo477& a, int i, const QString& texto)
    {
        EnfocarMonto(a, i);
        a.TxtMonto[i]->selectAll();
        QTest::keyClick(a.TxtMonto[i], Qt::Key_Backspace);
        QTest::keyClicks(a.TxtMonto[i], texto);
    }

    static void Pulsar(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    void AbrirCon(int casilla)
    {
        Enfocar(casilla == 477 ? 476 : 472);
        QTest::mouseDClick(Caja(casilla), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QApplication::processEvents();
    }

    // Net sales of 10,000 under the general regime: a tax of 3,000 and 0.3000 in box 610.
    void Ventas()
    {
        Regimen(0);
        Escribir(461, QStringLiteral("10000"), 476);
        ASSERT_EQ(TextoDe(113), QStringLiteral("3,000"));
        ASSERT_EQ(TextoDe(610), QStringLiteral("0.3000"));
    }
};

struct Anexo {
    int casilla;
    QString titulo;
    int fila1;
    int fila2;
    QString descripcion1;
    QString descripcion2;
};

const Anexo kAnexos[] = {
    {477, QStringLiteral("Enajenación de valores y bienes del activo fijo"), 432, 433, QStringLiteral("Ingresos Afectos"),
     QStringLiteral("Ingresos Exonerados")},
    {473, QStringLiteral("Ingresos financieros gravados"), 650, 651, QStringLiteral("Ingresos financieros gravados"),
     QStringLiteral("Ingresos financieros por diferencia de tipo de cambio")},
};

TEST_F(VentanaAnexo, AceptarWritesBothAmountsAndTheTotalAndTheCoefficientFollows)
{
    for (const Anexo& x : kAnexos) {
        SCOPED_TRACE(x.casilla);
        Mostrar();
        Ventas();
        bool visto = false;
        auto runner = Guionizar([&](frmAnexo477& a) {
            visto = true;
            EXPECT_EQ(a.Casilla, x.casilla);
            EXPECT_EQ(a.windowTitle(), x.titulo);
            EXPECT_EQ(a.lblCas[0]->Caption(), QString::number(x.fila1));
            EXPECT_EQ(a.lblCas[1]->Caption(), QString::number(x.fila2));
            EXPECT_EQ(a.lblCas[5]->Caption(), x.descripcion1);
            EXPECT_EQ(a.lblCas[6]->Caption(), x.descripcion2);
            EXPECT_EQ(a.TxtMonto[0]->Text(), QString());
            EXPECT_EQ(a.TxtMonto[1]->Text(), QString());
            EXPECT_EQ(a.TxtTotal->Text(), QString());

            Teclear(a, 0, QStringLiteral("2x0-00"));
            EXPECT_EQ(a.TxtMonto[0]->Text(), QStringLiteral("2000"));
            EXPECT_EQ(a.TxtTotal->Text(), QStringLiteral("2,000"));
            // Enter goes on to the second amount; the first shows its separators again.
            QTest::keyClick(a.TxtMonto[0], Qt::Key_Return);
            QApplication::processEvents();
            EXPECT_TRUE(a.TxtMonto[1]->hasFocus());
            EXPECT_TRUE(a.isVisible());
            EXPECT_EQ(a.TxtMonto[0]->Text(), QStringLiteral("2,000"));
            QTest::keyClicks(a.TxtMonto[1], QStringLiteral("1000"));
            EXPECT_EQ(a.TxtTotal->Text(), QStringLiteral("3,000"));
            // Nothing reaches the declaration before Aceptar.
            EXPECT_EQ(TextoDe(x.casilla), QString());
            Pulsar(a.CmdGrabar);
        });
        AbrirCon(x.casilla);
        ASSERT_TRUE(visto);
        EXPECT_EQ(runner->Ran(), QStringList{QStringLiteral("frmAnexo477")});
        EXPECT_EQ(TextoDe(x.fila1), QStringLiteral("2,000"));
        EXPECT_EQ(TextoDe(x.fila2), QStringLiteral("1,000"));
        EXPECT_EQ(TextoDe(x.casilla), QStringLiteral("3,000"));
        EXPECT_EQ(TextoDe(484), QStringLiteral("13,000"));
        EXPECT_EQ(TextoDe(113), QStringLiteral("3,900"));
        // 3,900 over an income of 10,000 + 3,000 less the second row's 1,000.
        EXPECT_EQ(TextoDe(610), QStringLiteral("0.3250"));
        for (int n : {x.fila1, x.fila2, x.casilla})
            EXPECT_EQ(frm_->mModelo.Texto(n), TextoDe(n));
        runner.reset();
        frm_->hide();
        frm_.reset();
        App().gFrm947 = nullptr;
    }
}

TEST_F(VentanaAnexo, ReopeningShowsTheStoredAmountsAndCancelarKeepsThem)
{
    Mostrar();
    Ventas();
    {
        auto r = Guionizar([&](frmAnexo477& a) {
            Teclear(a, 0, QStringLiteral("2000"));
            Teclear(a, 1, QStringLiteral("1000"));
            Pulsar(a.CmdGrabar);
        });
        AbrirCon(477);
    }
    {
        auto r = Guionizar([&](frmAnexo477& a) {
            // The first amount has the focus, so it shows the number for editing.
            EXPECT_TRUE(a.TxtMonto[0]->hasFocus());
            EXPECT_EQ(a.TxtMonto[0]->Text(), QStringLiteral("2000"));
            EXPECT_EQ(a.TxtMonto[1]->Text(), QStringLiteral("1,000"));
            EXPECT_EQ(a.TxtTotal->Text(), QStringLiteral("3,000"));
            Teclear(a, 0, QStringLiteral("7777"));
            EXPECT_EQ(a.TxtTotal->Text(), QStringLiteral("8,777"));
            Pulsar(a.cmdCancelar);
        });
        AbrirCon(477);
        EXPECT_EQ(r->Ran().size(), 1);
    }
    EXPECT_EQ(TextoDe(432), QStringLiteral("2,000"));
    EXPECT_EQ(TextoDe(433), QStringLiteral("1,000"));
    EXPECT_EQ(TextoDe(477), QStringLiteral("3,000"));
    EXPECT_EQ(TextoDe(610), QStringLiteral("0.3250"));
}

TEST_F(VentanaAnexo, EmptiedAmountsGiveTheOtherOneOrAnEmptyTotal)
{
    Mostrar();
    Ventas();
    {
        auto r = Guionizar([&](frmAnexo477& a) {
            Teclear(a, 0, QStringLiteral("2000"));
            Teclear(a, 1, QStringLiteral("1000"));
            Pulsar(a.CmdGrabar);
        });
        AbrirCon(473);
    }
    auto r = Guionizar([&](frmAnexo477& a) {
        Teclear(a, 0, QString());
        EXPECT_EQ(a.TxtTotal->Text(), QStringLiteral("1,000"));
        Teclear(a, 1, QString());
        EXPECT_EQ(a.TxtTotal->Text(), QString());
        Pulsar(a.CmdGrabar);
    });
    AbrirCon(473);
    for (int n : {650, 651, 473})
        EXPECT_EQ(TextoDe(n), QString()) << n;
    EXPECT_EQ(TextoDe(484), QStringLiteral("10,000"));
    EXPECT_EQ(TextoDe(610), QStringLiteral("0.3000"));
}

TEST_F(VentanaAnexo, EnterOrADigitOpensItAndTheBoxItselfTakesNoTyping)
{
    struct Camino {
        const char* nombre;
        std::function<void(zav::TextBox*)> accion;
        bool abre;
    };
    const Camino caminos[] = {
        {"double click", [](zav::TextBox* t) { QTest::mouseDClick(t, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4)); },
         true},
        {"Enter", [](zav::TextBox* t) { QTest::keyClick(t, Qt::Key_Return); }, true},
        {"digit", [](zav::TextBox* t) { QTest::keyClick(t, Qt::Key_5); }, true},
        {"letter", [](zav::TextBox* t) { QTest::keyClicks(t, QStringLiteral("a")); }, false},
        {"Delete", [](zav::TextBox* t) {
             t->SetSelStart(0);
             QTest::keyClick(t, Qt::Key_Delete);
         }, false},
        {"Backspace", [](zav::TextBox* t) {
             t->SetSelStart(t->Text().size());
             QTest::keyClick(t, Qt::Key_Backspace);
         }, false},
    };
    Mostrar();
    Ventas();
    for (int casilla : {477, 473}) {
        Caja(casilla)->SetText(QStringLiteral("3,000"));
        for (const Camino& c : caminos) {
            SCOPED_TRACE(std::to_string(casilla) + " " + c.nombre);
            Enfocar(casilla);
            const QString antes = TextoDe(casilla);   // unformatted while it has the focus
            ASSERT_EQ(antes, QStringLiteral("3000"));
            int abiertas = 0;
            auto r = Guionizar([&](frmAnexo477& a) {
                ++abiertas;
                EXPECT_EQ(a.Casilla, casilla);
                Pulsar(a.cmdCancelar);
            });
            c.accion(Caja(casilla));
            QApplication::processEvents();
            EXPECT_EQ(abiertas, c.abre ? 1 : 0);
            EXPECT_EQ(TextoDe(casilla), antes);
        }
    }
}

TEST_F(VentanaAnexo, AmountsRefusePastingAndEmptyTheClipboard)
{
    Mostrar();
    auto r = Guionizar([&](frmAnexo477& a) {
        Teclear(a, 0, QStringLiteral("1"));
        for (auto paso : {0, 1, 2}) {
            QGuiApplication::clipboard()->setText(QStringLiteral("999"));
            if (paso == 0)
                QTest::keyClick(a.TxtMonto[0], Qt::Key_V, Qt::ControlModifier);
            else if (paso == 1)
                QTest::keyClick(a.TxtMonto[0], Qt::Key_Insert, Qt::ShiftModifier);
            else
                QTest::mousePress(a.TxtMonto[0], Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
            EXPECT_EQ(a.TxtMonto[0]->Text(), QStringLiteral("1")) << paso;
            EXPECT_EQ(QGuiApplication::clipboard()->text(), paso == 0 ? QStringLiteral("999") : QString()) << paso;
        }
        EXPECT_TRUE(a.TxtMonto[1]->NoPaste());
        Pulsar(a.cmdCancelar);
    });
    AbrirCon(477);
    EXPECT_EQ(r->Ran().size(), 1);
}

// Without the mouse: Enter from amount to amount and on to Aceptar, which Enter presses;
// or Aceptar's access key while an amount is still being edited. Either way the amounts
// leave their boxes formatted before they are written.
TEST_F(VentanaAnexo, KeyboardAloneAcceptsWithTheAmountsFormatted)
{
    struct Camino {
        const char* nombre;
        std::function<void(frmAnexo477&)> aceptar;
    };
    const Camino caminos[] = {
        {"Enter on Aceptar", [](frmAnexo477& a) {
             QTest::keyClick(a.TxtMonto[1], Qt::Key_Return);
             QApplication::processEvents();
             ASSERT_TRUE(a.CmdGrabar->hasFocus());
             QTest::keyClick(a.CmdGrabar, Qt::Key_Return);
         }},
        {"Alt+A", [](frmAnexo477& a) {
             ASSERT_TRUE(a.TxtMonto[1]->hasFocus());
             QTest::keyClick(&a, Qt::Key_A, Qt::AltModifier);
             // The access key presses the button after its short animation.
             for (int i = 0; i < 50 && a.isVisible(); ++i)
                 QTest::qWait(20);
         }},
    };
    for (const Camino& c : caminos) {
        SCOPED_TRACE(c.nombre);
        Mostrar();
        Ventas();
        bool cerrado = false;
        auto r = Guionizar([&](frmAnexo477& a) {
            Teclear(a, 0, QStringLiteral("2000"));
            QTest::keyClick(a.TxtMonto[0], Qt::Key_Return);
            QApplication::processEvents();
            ASSERT_TRUE(a.TxtMonto[1]->hasFocus());
            QTest::keyClicks(a.TxtMonto[1], QStringLiteral("1000"));
            c.aceptar(a);
            cerrado = !a.isVisible() && a.result() == QDialog::Accepted;
        });
        AbrirCon(477);
        EXPECT_TRUE(cerrado);
        EXPECT_EQ(TextoDe(432), QStringLiteral("2,000"));
        EXPECT_EQ(TextoDe(433), QStringLiteral("1,000"));
        EXPECT_EQ(TextoDe(477), QStringLiteral("3,000"));
        EXPECT_EQ(TextoDe(610), QStringLiteral("0.3250"));
        r.reset();
        frm_->hide();
        frm_.reset();
        App().gFrm947 = nullptr;
    }
}

} // namespace
