// Start-up of KZ947 to its main window on screen (the program's application object and
// translation, the main window built, loaded with its configuration and database, shown
// and painted), against the floor of the same program starting a bare main window with
// the same menus and size. Each run is a fresh process, as every start is: what one start
// leaves in memory (fonts, styles, icons) is not there for the next. The time runs from
// the process started to the line it prints once its window is painted.
//
// Under QT_QPA_PLATFORM=xcb (xvfb-run) the window is mapped by a real X server.
// Prints the two medians and, as its last line, "ratio R" (KZ947 over floor).
#include "Medida.h"
#include "EspacioDemo.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Traduccion.h"
#include "shell/Aplicacion.h"
#include "shell/MDIFrm.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Until the window is on screen and its first paint is done.
void EsperaPintada(QWidget& w, const char* parte)
{
    while (!w.windowHandle() || !w.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QApplication::processEvents();
    TerminaCuenta(parte);
    std::printf("shown\n");
    std::fflush(stdout);
}

int Principal(int argc, char** argv)
{
    EmpiezaCuenta();
    Aplicacion app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KZ947"));
    zav::CargaTraduccionQt();
    zav::MsgBoxRecorder mensajes;   // no message box may wait for an answer
    App().gUtil = std::make_unique<zav::clsUtilitarios>();
    MDIFrm principal;
    principal.MDIForm_Load();
    EsperaPintada(principal, "KZ947");
    return mensajes.Count() == 0 && App().gBaseDatos ? 0 : 1;
}

// The floor: the same menus, entries and size on a bare main window.
int Piso(int argc, char** argv)
{
    EmpiezaCuenta();
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("0947 Morvath - v 1.6"));
    const std::vector<std::pair<const char*, std::vector<const char*>>> menus = {
        {"&Declaraciones", {"&Nueva", "&Modificar", "&Eliminar", "-", "&Imprimir", "-", "&Salir"}},
        {"Declaraciones &Enviadas", {"&Registrar número de orden", "&Eliminar", "-", "&Imprimir"}},
        {"&Consultas", {"&Factores de Actualización", "&Bancos", "&Paises", "&UIT"}},
        {"&Ayuda", {"&Contenido", "-", "Acerca &de ZAV"}},
    };
    for (const auto& [titulo, entradas] : menus) {
        QMenu* m = w.menuBar()->addMenu(QString::fromUtf8(titulo));
        for (const char* e : entradas)
            if (std::strcmp(e, "-") == 0)
                m->addSeparator();
            else
                m->addAction(QString::fromUtf8(e));
    }
    PosicionaFormulario(&w, 0, 0, 7300, 9555);
    w.show();
    EsperaPintada(w, "floor");
    return 0;
}

// Milliseconds from the start of the process to its window painted; negative when it failed.
double Corre(const QString& programa, const QString& modo)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto a = Reloj::now();
    p.start(programa, {modo});
    double ms = -1;
    while (p.waitForReadyRead(60000)) {
        if (p.canReadLine() && p.readLine().startsWith("shown")) {
            ms = Ms(a, Reloj::now());
            break;
        }
    }
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--principal") == 0)
        return Principal(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--piso") == 0)
        return Piso(argc, argv);

    PlataformaSinPantalla();
    QCoreApplication app(argc, argv);
    const int repeticiones = Repeticiones(argc, argv, 20);
    QTemporaryDir tmp(PlantillaEnMemoria());
    if (!tmp.isValid())
        return 1;
    // The workspace, its configuration in the Windows folder the children inherit.
    QDir().mkpath(tmp.filePath(QStringLiteral("windows")));
    qputenv("WINDIR", QFile::encodeName(tmp.filePath(QStringLiteral("windows"))));
    const integrador::InitResult ws = integrador::InitWorkspace(tmp.filePath(QStringLiteral("host")), true);
    if (!ws.ok) {
        std::fprintf(stderr, "workspace: %s\n", qPrintable(ws.message));
        return 1;
    }

    const QString programa = QCoreApplication::applicationFilePath();
    // Warm-up (the files in the page cache), and proof that both start.
    if (Corre(programa, QStringLiteral("--principal")) < 0 || Corre(programa, QStringLiteral("--piso")) < 0) {
        std::fprintf(stderr, "a start failed\n");
        return 1;
    }
    std::vector<double> principal, suelo;
    for (int i = 0; i < repeticiones; ++i) {
        const double p = Corre(programa, QStringLiteral("--principal"));
        const double s = Corre(programa, QStringLiteral("--piso"));
        if (p < 0 || s < 0) {
            std::fprintf(stderr, "a start failed\n");
            return 1;
        }
        principal.push_back(p);
        suelo.push_back(s);
    }
    const double mp = Mediana(principal);
    const double ms = Mediana(suelo);
    std::printf("repetitions %d, platform %s\n", repeticiones, qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("KZ947 main window median %.3f ms\n", mp);
    std::printf("floor median %.3f ms\n", ms);
    std::printf("ratio %.2f\n", mp / ms);
    return 0;
}
