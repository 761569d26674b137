#include "shell/MDIFrm.h"

#include "common/Clock.h"
#include "common/Paths.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/process/ProgramEnd.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/Iconos.h"
#include "platform/ui/ModalRunner.h"
#include "shell/Abridores.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Configuracion.h"
#include "shell/Consultas.h"
#include "shell/FrmContAbrir.h"
#include "shell/FrmContAbrirEnv.h"
#include "shell/modulo/Procedimientos.h"
#include "shell/frmAcercade.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
MDIFrm* gInstancia = nullptr;

QPixmap Fondo()
{
    QPixmap pm(480, 320);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, pm.height());
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    g.setColorAt(1, QColor(0x9d, 0xc3, 0xe6));
    p.fillRect(pm.rect(), g);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Liberation Sans"), 40, QFont::Bold);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("0947"));
    return pm;
}

QAction* Entrada(QMenu* menu, const char* texto, const char* nombre)
{
    QAction* a = menu->addAction(QString::fromUtf8(texto));
    a->setObjectName(QString::fromLatin1(nombre));
    return a;
}

void Raya(QMenu* menu, const char* nombre)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(nombre));
}

} // namespace

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

    mnuDeclara = menuBar()->addMenu(QStringLiteral("&Declaraciones"));
    mnuDeclara->setObjectName(QStringLiteral("mnuDeclara"));
    mnuNueva = Entrada(mnuDeclara, "&Nueva", "mnuNueva");
    mnuModificar = Entrada(mnuDeclara, "&Modificar", "mnuModificar");
    mnuEliminar = Entrada(mnuDeclara, "&Eliminar", "mnuEliminar");
    Raya(mnuDeclara, "rayita1");
    mnuImprimir = Entrada(mnuDeclara, "&Imprimir", "mnuImprimir");
    Raya(mnuDeclara, "rayita");
    mnuSalir = Entrada(mnuDeclara, "&Salir", "mnuSalir");

    mnuDeclarEnv = menuBar()->addMenu(QStringLiteral("Declaraciones &Enviadas"));
    mnuDeclarEnv->setObjectName(QStringLiteral("mnuDeclarEnv"));
    mnuRegistrar = Entrada(mnuDeclarEnv, "&Registrar número de orden", "mnuRegistrar");
    mnuEliminar1 = Entrada(mnuDeclarEnv, "&Eliminar", "mnuEliminar1");
    Raya(mnuDeclarEnv, "Raya");
    mnuImprimir1 = Entrada(mnuDeclarEnv, "&Imprimir", "mnuImprimir1");

    mnuConsultas = menuBar()->addMenu(QStringLiteral("&Consultas"));
    mnuConsultas->setObjectName(QStringLiteral("mnuConsultas"));
    mnuFactores = Entrada(mnuConsultas, "&Factores de Actualización", "mnuFactores");
    mnuDocIdent = Entrada(mnuConsultas, "&Bancos", "mnuDocIdent");
    mnupais = Entrada(mnuConsultas, "&Paises", "mnupais");
    mnuUIT = Entrada(mnuConsultas, "&UIT", "mnuUIT");

    mnuayuda = menuBar()->addMenu(QStringLiteral("&Ayuda"));
    mnuayuda->setObjectName(QStringLiteral("mnuayuda"));
    mnuContenido = Entrada(mnuayuda, "&Contenido", "mnuContenido");
    Raya(mnuayuda, "rayita2");
    mnuAcercade = Entrada(mnuayuda, "Acerca &de ZAV", "mnuAcercade");

    connect(mnuNueva, &QAction::triggered, this, &MDIFrm::mnuNueva_Click);
    connect(mnuModificar, &QAction::triggered, this, &MDIFrm::mnuModificar_Click);
    connect(mnuEliminar, &QAction::triggered, this, &MDIFrm::mnuEliminar_Click);
    connect(mnuImprimir, &QAction::triggered, this, &MDIFrm::mnuImprimir_Click);
    connect(mnuSalir, &QAction::triggered, this, &MDIFrm::mnuSalir_Click);
    connect(mnuRegistrar, &QAction::triggered, this, &MDIFrm::mnuRegistrar_Click);
    connect(mnuEliminar1, &QAction::triggered, this, &MDIFrm::mnuEliminar1_Click);
    connect(mnuImprimir1, &QAction::triggered, this, &MDIFrm::mnuImprimir1_Click);
    connect(mnuFactores, &QAction::triggered, this, &MDIFrm::mnuFactores_Click);
    connect(mnuDocIdent, &QAction::triggered, this, &MDIFrm::mnuDocIdent_Click);
    connect(mnupais, &QAction::triggered, this, &MDIFrm::mnupais_Click);
    connect(mnuUIT, &QAction::triggered, this, &MDIFrm::mnuUIT_Click);
    connect(mnuContenido, &QAction::triggered, this, &MDIFrm::mnuContenido_Click);
    connect(mnuAcercade, &QAction::triggered, this, &MDIFrm::mnuAcercade_Click);

    tlbMenu = addToolBar(QStringLiteral("tlbMenu"));
    tlbMenu->setObjectName(QStringLiteral("tlbMenu"));
    tlbMenu->setMovable(false);
    tlbMenu->setFloatable(false);
    tlbMenu->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tlbMenu->setContextMenuPolicy(Qt::PreventContextMenu);
    const struct {
        const char* texto;
        QStyle::StandardPixmap imagen;
    } botones[] = {
        {"Nueva", QStyle::SP_FileIcon},
        {"Modificar", QStyle::SP_DialogOpenButton},
        {"Eliminar", QStyle::SP_TrashIcon},
        {"Imprimir", QStyle::SP_FileDialogDetailedView},
        {"Salir", QStyle::SP_DialogCloseButton},
        {"", QStyle::SP_CustomBase},
        {"Num. Orden", QStyle::SP_FileDialogListView},
        {"", QStyle::SP_CustomBase},
        {"", QStyle::SP_CustomBase},
        {"Ayuda", QStyle::SP_DialogHelpButton},
    };
    int indice = 1;
    for (const auto& b : botones) {
        QAction* a = tlbMenu->addAction(QString::fromLatin1(b.texto));
        a->setObjectName(QStringLiteral("tlbMenu_%1").arg(indice));
        if (b.imagen != QStyle::SP_CustomBase)
            a->setIcon(zav::IconoEstandar(b.imagen));
        connect(a, &QAction::triggered, this, [this, indice] { tlbMenu_ButtonClick(indice); });
        Buttons << a;
        ++indice;
    }
    tlbMenu->setMouseTracking(true);
    tlbMenu->installEventFilter(this);
    for (QAction* a : Buttons)
        if (QWidget* w = tlbMenu->widgetForAction(a)) {
            w->setMouseTracking(true);
            w->installEventFilter(this);
        }

    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    imgFondo = new QLabel(Picture2);
    imgFondo->setObjectName(QStringLiteral("imgFondo"));
    imgFondo->setPixmap(Fondo());
    imgFondo->setAlignment(Qt::AlignCenter);
    auto* capa = new QVBoxLayout(Picture2);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(imgFondo);
    setCentralWidget(Picture2);
    setMouseTracking(true);
    for (QWidget* w : {static_cast<QWidget*>(Picture2), static_cast<QWidget*>(imgFondo)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    BarradeEstadoZAV1 = new zav::BarradeEstadoZAV(this);
    BarradeEstadoZAV1->setObjectName(QStringLiteral("BarradeEstadoZAV1"));
    setStatusBar(BarradeEstadoZAV1);
    App().gBarraEstado = BarradeEstadoZAV1;
    App().gVentanaPrincipal = this;
}

MDIFrm::~MDIFrm()
{
    if (gInstancia == this)
        gInstancia = nullptr;
    AppState& a = App();
    if (a.gBarraEstado == BarradeEstadoZAV1)
        a.gBarraEstado = nullptr;
    if (a.gVentanaPrincipal == this)
        a.gVentanaPrincipal = nullptr;
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
    ::ActualizaBarraEstado(doc, nombre, periodo, formulario);
}

void MDIFrm::MostrarHelp()
{
    LimpiaMensajeBarra();
    AbreAyuda(zav::ResolvePath(App().gArchivoAyuda));
}

void MDIFrm::mnuNueva_Click()
{
    AppState& a = App();
    zav::SetHourglass(true);
    a.gModoEnviadas = false;
    a.gPeriodoSel.clear();
    a.gOpcion = 0;
    LimpiaMensajeBarra();
    // The current year only, until the declaration window fixes the period.
    a.gPeriodo = zav::FormatDate(zav::Now().date(), QStringLiteral("yyyy"));
    AbrirDeclaracion(0);
    zav::SetHourglass(false);
}

void MDIFrm::mnuModificar_Click()
{
    AppState& a = App();
    LimpiaMensajeBarra();
    a.gOpcion = 1;
    a.gEnviadas = false;
    a.gModoEnviadas = false;
    FrmContAbrir frm;
    frm.Modo = 1;
    zav::RunModal(frm);
    zav::SetHourglass(false);
}

void MDIFrm::mnuEliminar_Click()
{
    LimpiaMensajeBarra();
    App().gModoEnviadas = false;
    FrmContAbrir frm;
    frm.Modo = 3;
    zav::RunModal(frm);
    zav::SetHourglass(false);
}

void MDIFrm::mnuImprimir_Click()
{
    AppState& a = App();
    a.gEnviadas = false;
    a.gModoEnviadas = false;
    LimpiaMensajeBarra();
    ImprimirDeclaraciones(1);
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

void MDIFrm::mnuRegistrar_Click()
{
    AppState& a = App();
    a.gModoEnviadas = true;
    a.gOpcion = 2;
    zav::SetHourglass(true);
    FrmContAbrirEnv frm;
    a.gEnviadas = true;
    zav::RunModal(frm);
    zav::SetHourglass(false);
}

void MDIFrm::mnuEliminar1_Click()
{
    AppState& a = App();
    a.gModoEnviadas = true;
    LimpiaMensajeBarra();
    a.gOpcion = 3;
    zav::SetHourglass(true);
    FrmContAbrirEnv frm;
    a.gEnviadas = true;
    zav::RunModal(frm);
    zav::SetHourglass(false);
}

void MDIFrm::mnuImprimir1_Click()
{
    AppState& a = App();
    a.gModoEnviadas = true;
    a.gEnviadas = true;
    LimpiaMensajeBarra();
    ImprimirDeclaraciones(1);
}

void MDIFrm::mnuFactores_Click()
{
    LimpiaMensajeBarra();
    FrmConsFac frm;
    zav::RunModal(frm);
}

void MDIFrm::AbreConsultas(int opcion)
{
    App().gOpcion = opcion;
    LimpiaMensajeBarra();
    FrmConsultas frm;
    zav::RunModal(frm);
}

void MDIFrm::mnuDocIdent_Click() { AbreConsultas(1); }
void MDIFrm::mnupais_Click() { AbreConsultas(2); }
void MDIFrm::mnuUIT_Click() { AbreConsultas(3); }

void MDIFrm::mnuContenido_Click()
{
    MostrarHelp();
}

void MDIFrm::mnuAcercade_Click()
{
    zav::SetHourglass(true);
    frmAcercade frm;
    zav::RunModal(frm);
    zav::SetHourglass(false);
}

void MDIFrm::tlbMenu_ButtonClick(int index)
{
    switch (index) {
    case 1:
        App().gPeriodo = zav::FormatDate(zav::Now().date(), QStringLiteral("yyyy"));
        mnuNueva_Click();
        break;
    case 2: mnuModificar_Click(); break;
    case 3: mnuEliminar_Click(); break;
    case 4: mnuImprimir_Click(); break;
    case 5: mnuSalir_Click(); break;
    case 7: mnuRegistrar_Click(); break;
    case 10: MostrarHelp(); break;
    default: break;
    }
}

void MDIFrm::tlbMenu_MouseMove(int x)
{
    for (int i : {1, 2, 3, 4, 6, 8}) {
        const QWidget* b = tlbMenu->widgetForAction(Buttons[i - 1]);
        if (b && x >= b->x() && x <= b->x() + b->width())
            return;
    }
    LimpiaMensajeBarra();
}

void MDIFrm::MDIForm_MouseMove() { LimpiaMensajeBarra(); }
void MDIFrm::imgFondo_MouseMove() { LimpiaMensajeBarra(); }
void MDIFrm::Picture2_MouseMove() { LimpiaMensajeBarra(); }

void MDIFrm::mouseMoveEvent(QMouseEvent* e)
{
    MDIForm_MouseMove();
    QMainWindow::mouseMoveEvent(e);
}

bool MDIFrm::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseMove) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w == imgFondo)
            imgFondo_MouseMove();
        else if (w == Picture2)
            Picture2_MouseMove();
        else if (w == tlbMenu || (w && w->parentWidget() == tlbMenu)) {
            const QPoint p = w->mapTo(tlbMenu, static_cast<QMouseEvent*>(e)->position().toPoint());
            tlbMenu_MouseMove(p.x());
            // A move over the toolbar is the toolbar's only, not the window's as well.
            if (w == tlbMenu)
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
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
