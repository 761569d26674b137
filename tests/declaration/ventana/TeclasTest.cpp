// Keys, Enter and pasting in the identification text fields, typed through the real
// controls of a shown window.
#include "VentanaFixture.h"

#include "shell/modulo/Procedimientos.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTest>

namespace {

class VentanaTeclas : public VentanaFixture {
protected:
    void SetUp() override
    {
        VentanaFixture::SetUp();
        if (HasFatalFailure())
            return;
        Frm947& f = Abrir();
        // Every field reachable: the page frames shown, the fields that open later open now.
        MuestraMarcos(&f, false, true, true, false, true, true);
        for (zav::TextBox* t : {f.TxtNumOrdenF7842, f.txtNumRes, f.TxtUbigeo, f.TxtUbigeo2})
            t->SetEnabled(true);
        f.txtOrden->SetVisible(true);
        f.txtverifica->SetVisible(true);
        f.FrameSusPC->setVisible(true);
        f.Frame14->setVisible(true);
        f.Frame14->setEnabled(true);
        f.show();
        QApplication::setActiveWindow(&f);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    }

    // Brings the field's pages forward and gives it the focus.
    void Enfocar(zav::TextBox* t)
    {
        Frm947& f = *frm_;
        for (QTabWidget* tab : {f.SSTab1, f.SSTab2, f.SSTab4})
            for (int i = 0; i < tab->count(); ++i)
                if (tab->widget(i)->isAncestorOf(t))
                    tab->setCurrentIndex(i);
        t->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(t->hasFocus()) << t->objectName().toStdString();
    }

    // Types the text key by key; letters beyond ASCII as their Latin-1 keys.
    static void Teclear(QWidget* w, const QString& texto)
    {
        for (QChar c : texto) {
            if (c.unicode() < 128) {
                QTest::keyClick(w, c.toLatin1());
                continue;
            }
            const auto k = static_cast<Qt::Key>(c.toUpper().unicode());
            QKeyEvent pulsada(QEvent::KeyPress, k, Qt::NoModifier, QString(c));
            QKeyEvent soltada(QEvent::KeyRelease, k, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &pulsada);
            QApplication::sendEvent(w, &soltada);
        }
    }

    zav::TextBox* Campo(const char* nombre) { return frm_->findChild<zav::TextBox*>(QString::fromLatin1(nombre)); }
};

TEST_F(VentanaTeclas, EachFieldKeepsOnlyTheCharactersItTakes)
{
    struct Caso {
        const char* campo;
        QString tecleado;
        QString queda;
        bool marca;   // the declaration counts as changed
    };
    const Caso casos[] = {
        {"txtApellidoRL", QStringLiteral("Paz, Soto-9"), QStringLiteral("Paz Soto9"), true},
        {"txtNombreRL", QStringLiteral("Ana María"), QStringLiteral("Ana Mara"), true},
        {"TxtNombreA", QStringLiteral("Ruiz|#1"), QStringLiteral("Ruiz1"), true},
        {"TxtNombreN", QStringLiteral("Lu;is"), QStringLiteral("Luis"), true},
        {"TxtTelefono", QStringLiteral("4a5-12 34"), QStringLiteral("451234"), true},
        {"TxtNumOrdenF7842", QStringLiteral("12ab34"), QStringLiteral("1234"), true},
        {"txtNumRes", QStringLiteral("0A1-2"), QStringLiteral("012"), true},
        {"txtOrden", QStringLiteral("77x8"), QStringLiteral("778"), true},
        {"txtverifica", QStringLiteral("9z"), QStringLiteral("9"), false},
        // Typing limits.
        {"TxtTelefono", QStringLiteral("1234567890"), QStringLiteral("123456789"), true},
        {"txtApellidoRL", QStringLiteral("ABCDEFGHIJKLMNOPQ"), QStringLiteral("ABCDEFGHIJKLMNO"), true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.campo);
        zav::TextBox* t = Campo(c.campo);
        ASSERT_NE(t, nullptr);
        t->SetText(QString());
        Enfocar(t);
        frm_->mModificado = false;
        Teclear(t, c.tecleado);
        EXPECT_EQ(t->Text(), c.queda);
        EXPECT_EQ(frm_->mModificado, c.marca);
    }
    // A key the filter drops still marks the declaration changed.
    zav::TextBox* res = frm_->txtNumRes;
    res->SetText(QString());
    Enfocar(res);
    frm_->mModificado = false;
    QTest::keyClicks(res, QStringLiteral("x"));
    EXPECT_EQ(res->Text(), QString());
    EXPECT_TRUE(frm_->mModificado);
}

TEST_F(VentanaTeclas, EnterMovesOnFromTheFieldsThatAskForIt)
{
    struct Caso {
        const char* campo;
        bool avanza;
    };
    const Caso casos[] = {
        {"txtApellidoRL", true}, {"TxtNombreA", true},        {"TxtNombreN", true},
        {"TxtTelefono", true},   {"txtOrden", true},          {"txtverifica", true},
        {"txtNombreRL", false},  {"TxtNumOrdenF7842", false}, {"txtNumRes", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.campo);
        zav::TextBox* t = Campo(c.campo);
        t->SetText(QStringLiteral("12"));
        Enfocar(t);
        QTest::keyClick(t, Qt::Key_Return);
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_EQ(!t->hasFocus(), c.avanza);
        // Enter is never typed and presses no button.
        EXPECT_EQ(t->Text(), QStringLiteral("12"));
        EXPECT_TRUE(frm_->isVisible());
    }
    // The zone list moves on as well; the taxpayer list keeps the focus. Neither changes
    // its choice.
    for (zav::ComboBox* c : {frm_->CmbZona, frm_->CmbRuc}) {
        SCOPED_TRACE(c->objectName().toStdString());
        for (QTabWidget* tab : {frm_->SSTab1, frm_->SSTab2, frm_->SSTab4})
            for (int i = 0; i < tab->count(); ++i)
                if (tab->widget(i)->isAncestorOf(c))
                    tab->setCurrentIndex(i);
        c->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(c->hasFocus());
        const int elegido = c->ListIndex();
        QTest::keyClick(c, Qt::Key_Return);
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_EQ(!c->hasFocus(), c == frm_->CmbZona);
        EXPECT_EQ(c->ListIndex(), elegido);
        EXPECT_TRUE(frm_->isVisible());
    }
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(VentanaTeclas, NothingCanBePastedIntoTheFields)
{
    const char* campos[] = {"txtApellidoRL", "txtNombreRL", "TxtNombreA", "TxtNombreN", "TxtTelefono",
                            "TxtNumOrdenF7842", "txtNumRes", "txtOrden"};
    for (const char* nombre : campos) {
        SCOPED_TRACE(nombre);
        zav::TextBox* t = Campo(nombre);
        t->SetText(QString());
        Enfocar(t);
        for (auto [tecla, mod] : {std::pair{Qt::Key_V, Qt::ControlModifier}, std::pair{Qt::Key_Insert, Qt::ShiftModifier}}) {
            QGuiApplication::clipboard()->setText(QStringLiteral("A,1;|"));
            QTest::keyClick(t, tecla, mod);
            EXPECT_EQ(t->Text(), QString());
        }
    }
    // The right button empties the clipboard, as Shift+Insert and the menu key do in the
    // resolution number.
    for (const char* nombre : campos) {
        if (QString::fromLatin1(nombre) == QLatin1String("txtOrden"))
            continue;
        SCOPED_TRACE(nombre);
        zav::TextBox* t = Campo(nombre);
        Enfocar(t);
        QGuiApplication::clipboard()->setText(QStringLiteral("555"));
        QTest::mouseClick(t, Qt::RightButton);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
    }
    for (auto [tecla, mod] : {std::pair{Qt::Key_Insert, Qt::ShiftModifier}, std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
        Enfocar(frm_->txtNumRes);
        QGuiApplication::clipboard()->setText(QStringLiteral("555"));
        QKeyEvent pulsada(QEvent::KeyPress, tecla, mod);
        QApplication::sendEvent(frm_->txtNumRes, &pulsada);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
    }
}

TEST_F(VentanaTeclas, PlaceCodeBoxesFeedTheSharedPlaceCode)
{
    frm_->TxtUbigeo2->SetText(QStringLiteral("  230101 "));
    EXPECT_EQ(App().gUbigeo, QStringLiteral("230101"));
    frm_->TxtUbigeo->SetText(QStringLiteral("160101"));
    EXPECT_EQ(App().gUbigeo, QStringLiteral("160101"));
    frm_->TxtUbigeo->SetText(QString());
    EXPECT_EQ(App().gUbigeo, QString());
}

} // namespace
