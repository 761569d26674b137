// Reopening a stored full declaration from the stored-declarations list (Modificar: the
// declaration window built, its rows read, shown and painted with every box filled),
// against opening a new declaration window from the main window's Nueva (built, its
// taxpayer list read, shown and painted). Both go through the program's own opening and
// its modal runner, which here shows the window, takes the time and closes it.
//
// Prints the two medians and, as its last line, "ratio R" (reopened over new).
#include "Medida.h"
#include "DeclaracionLlena.h"
#include "EspacioDemo.h"
#include "platform/db/Database.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/MsgBox.h"
#include "shell/FrmContAbrir.h"
#include "shell/MDIFrm.h"
#include "shell/modulo/AppState.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// What the runner saw of the window it showed.
struct Vista {
    const char* parte = nullptr;   // counted under this name
    Reloj::time_point pintada;
    int modo = -1;
    int llenas = 0;   // boxes that show a value
};

Vista gVista;

int Muestra(QDialog& dlg)
{
    dlg.show();
    QApplication::processEvents();
    gVista.pintada = Reloj::now();
    if (gVista.parte)
        TerminaCuenta(gVista.parte);
    if (auto* f = qobject_cast<Frm947*>(&dlg)) {
        gVista.modo = f->Modo;
        gVista.llenas = static_cast<int>(std::count_if(f->TxtValor.begin(), f->TxtValor.end(),
                                                       [](const auto& c) { return !c.second->Text().isEmpty(); }));
    }
    dlg.hide();
    return 0;
}

double Reabre(FrmContAbrir& lista, bool contar = true)
{
    gVista = {};
    gVista.parte = contar ? "reopened" : nullptr;
    if (contar)
        EmpiezaCuenta();
    const auto a = Reloj::now();
    lista.CmdOpciones[0]->click();
    return gVista.modo == 1 ? Ms(a, gVista.pintada) : -1;
}

double Nueva(MDIFrm& principal, bool contar = true)
{
    gVista = {};
    gVista.parte = contar ? "new" : nullptr;
    if (contar)
        EmpiezaCuenta();
    const auto a = Reloj::now();
    principal.mnuNueva_Click();
    return gVista.modo == 0 ? Ms(a, gVista.pintada) : -1;
}

} // namespace

int main(int argc, char** argv)
{
    PlataformaSinPantalla();
    QApplication app(argc, argv);
    const int repeticiones = Repeticiones(argc, argv, 30);
    zav::MsgBoxRecorder mensajes;   // no message box may wait for an answer
    QTemporaryDir tmp(PlantillaEnMemoria());
    if (!PreparaEspacioDemo(tmp))
        return 1;
    App().gUsuario = QStringLiteral("ADMIN");

    // The declaration to reopen, saved through the window (its message says that it was
    // saved with inconsistencies).
    {
        Frm947 f;
        App().gFrm947 = &f;
        f.Modo = 0;
        f.Frm947_Form_Load();
        Rellena(f);
        f.CmdGrabar_Click();
        App().gFrm947 = nullptr;
    }
    mensajes.Clear();

    MDIFrm principal;
    principal.show();
    FrmContAbrir lista(&principal);
    lista.Modo = 1;
    lista.show();
    QApplication::processEvents();
    if (lista.Modelo()->rowCount() != 1 || mensajes.Count() > 0) {
        std::fprintf(stderr, "the declaration was not stored%s%s\n", mensajes.Count() ? ": " : "",
                     mensajes.Count() ? qPrintable(mensajes.Last().text) : "");
        return 1;
    }

    zav::ModalRunnerScope runner(Muestra);
    // Warm-up, and proof that the reopened window shows the stored boxes.
    Nueva(principal, false);
    const int nuevaLlenas = gVista.llenas;
    Reabre(lista, false);
    const int reabiertaLlenas = gVista.llenas;
    if (reabiertaLlenas < 100) {
        std::fprintf(stderr, "the reopened window shows %d boxes filled\n", reabiertaLlenas);
        return 1;
    }

    // Interleaved, so both see the same state of the machine.
    std::vector<double> reabrir;
    std::vector<double> nueva;
    for (int i = 0; i < repeticiones; ++i) {
        const double r = Reabre(lista);
        const double n = Nueva(principal);
        if (r < 0 || n < 0) {
            std::fprintf(stderr, "a window did not open\n");
            return 1;
        }
        reabrir.push_back(r);
        nueva.push_back(n);
        QApplication::processEvents();   // what the closed windows left, outside the timings
    }
    if (mensajes.Count() > 0) {
        std::fprintf(stderr, "message: %s\n", qPrintable(mensajes.Last().text));
        return 1;
    }

    const double mr = Mediana(reabrir);
    const double mn = Mediana(nueva);
    std::printf("repetitions %d; boxes filled: reopened %d, new %d\n", repeticiones, reabiertaLlenas, nuevaLlenas);
    std::printf("reopened median %.3f ms\n", mr);
    std::printf("new median %.3f ms\n", mn);
    std::printf("ratio %.2f\n", mr / mn);
    lista.hide();
    principal.hide();
    App().gBaseDatos.reset();
    return 0;
}
