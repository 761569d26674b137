#include "shell/MDIFrm.h"

#include "common/Paths.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/process/ProgramEnd.h"
#include "platform/ui/Hourglass.h"
#include "shell/AppState.h"
#include "shell/Configuracion.h"
#include "shell/Procedimientos.h"

#include <QCloseEvent>
#include <QMenuBar>

namespace {
MDIFrm* gInstancia = nullptr;
}

MDIFrm* gMDIFrm()
{
    return gInstancia;
}

MDIFrm::MDIFrm(QWidget* parent)
    : QMainWindow(parent)
{
    gInstancia = this;
    setObjectName(QStringLiteral("MDIFrm"));
    setWindowTitle(QStringLiteral("0947 Morvath - v 1.6"));

    QMenu* mnuDeclara = menuBar()->addMenu(QStringLiteral("&Declaraciones"));
    mnuDeclara->setObjectName(QStringLiteral("mnuDeclara"));
    mnuSalir = mnuDeclara->addAction(QStringLiteral("&Salir"));
    mnuSalir->setObjectName(QStringLiteral("mnuSalir"));
    connect(mnuSalir, &QAction::triggered, this, &MDIFrm::mnuSalir_Click);

    BarradeEstadoZAV1 = new zav::BarradeEstadoZAV(this);
    setStatusBar(BarradeEstadoZAV1);
}

void MDIFrm::MDIForm_Load()
{
    AppState& a = App();
    a.gFormulario = QStringLiteral("0947");
    PosicionaFormulario(this, 0, 0, 7300, 9555);
    // No minimize or maximize box.
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
                   & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    show();
    zav::SetHourglass(true);
    LeerConfiguracion();
    AbrirBaseDatos();
    a.gArchivoAyuda = zav::JoinPath(zav::JoinPath(a.gSysPath, QStringLiteral("0947")),
                                    QStringLiteral("Kz947.hlp"));
    ActualizaBarraEstado(QString(), QString(), a.gPeriodo, a.gFormulario);
    zav::SetHourglass(false);
}

void MDIFrm::MDIForm_Activate()
{
    PosicionaFormulario(this, -60, -60, 7215, 9615);
}

void MDIFrm::ActualizaBarraEstado(const QString& doc, const QString& nombre, const QString& periodo,
                                  const QString& formulario)
{
    BarradeEstadoZAV1->setEsruc(1);
    BarradeEstadoZAV1->setNumdoc(doc);
    BarradeEstadoZAV1->setRazonsocial(nombre);
    BarradeEstadoZAV1->setPeriodo_ejercicio(periodo.trimmed().size() <= 5
                                                ? QString()
                                                : periodo.right(2) + QLatin1Char('/') + periodo.left(4));
    BarradeEstadoZAV1->setFormulario(formulario);
}

void MDIFrm::mnuSalir_Click()
{
    AppState& a = App();
    if (a.gBaseDatos) {
        a.gBaseDatos->Close();
        a.gBaseDatos.reset();
    }
    a.gUtil.reset();
    zav::TerminaPrograma(0);
}

void MDIFrm::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        MDIForm_Activate();
}

void MDIFrm::closeEvent(QCloseEvent* e)
{
    // Closing the window any other way ends the program too; the close hooks shut the
    // database.
    e->accept();
    zav::TerminaPrograma(0);
}
