#include "shell/Abridores.h"

#include "common/Runtime.h"
#include "declaration/Frm947.h"
#include "platform/db/DaoError.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ModalRunner.h"
#include "printing/frmImprimir.h"
#include "shell/modulo/AppState.h"

#include <QApplication>
#include <QPointer>

namespace {

// Clears the global that names a window when it is released, whichever way it closes.
class Mientras {
public:
    Mientras(QWidget*& global, QWidget* ventana) : global_(global) { global_ = ventana; }
    ~Mientras() { global_ = nullptr; }

private:
    QWidget*& global_;
};

} // namespace

void AbrirDeclaracion(int modo, const QStringList& datos)
{
    Frm947 frm;
    Mientras m(App().gFrm947, &frm);
    frm.Modo = modo;
    if (modo == 1) {
        frm.NumDocumento = datos.value(0);
        frm.RazonSocial = datos.value(1);
    }
    // A database that cannot be read now leaves the window unopened and the program as it was.
    try {
        frm.Frm947_Form_Load();
    } catch (const dao::DaoError& e) {
        App().gCargando = false;
        zav::SetHourglass(false);
        zav::MsgBox(e.Description + QLatin1Char('\n') + zav::Str(e.Number), 16, QStringLiteral("Error"));
        return;
    }
    // A stored declaration that could not be read (the reason was shown) stays closed.
    if (frm.mLecturaFallida)
        return;
    // Made without a parent, the window hands the focus to no window of ours when it
    // closes: the one it was opened from (the main window, or the list) takes it back.
    const QPointer<QWidget> desde = QApplication::activeWindow() ? QApplication::activeWindow()
                                                                 : App().gVentanaPrincipal;
    zav::RunModal(frm);
    if (desde && desde->isVisible()) {
        desde->raise();
        desde->activateWindow();
    }
}

void ImprimirDeclaraciones(int)
{
    frmImprimir frm;
    Mientras m(App().gFrmImprimir, &frm);
    zav::RunModal(frm);
}
