// A new declaration opened and its taxpayer list dropped down, with 10,000 taxpayers in
// CONT against the same with 10: both should cost about the same whatever the number of
// taxpayers (the list's width is set by the code, not measured from its items).
//
// Prints the medians of each and, as its last line, "ratio R" (10,000 over 10).
#include "Medida.h"
#include "declaration/Frm947.h"
#include "EspacioDemo.h"
#include "platform/db/Database.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Taxpayers with valid-looking numbers up to `total` rows in CONT, all of the user's.
bool CompletaContribuyentes(int total)
{
    dao::Database& db = *App().gBaseDatos;
    auto rs = db.OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM CONT"), dao::dbOpenSnapshot);
    int hay = static_cast<int>(rs->Fields(0).Value().toDouble());
    rs->Close();
    db.BeginTrans();
    for (; hay < total; ++hay)
        db.Execute(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, Tipo_Ingreso, NOMBRE, USUARIO) "
                                  "VALUES (6, ?, 1, ?, ?)"),
                   0,
                   {QStringLiteral("20%1").arg(300000000 + hay, 9, 10, QLatin1Char('0')),
                    QStringLiteral("CONTRIBUYENTE DE PRUEBA NUMERO %1 S.A.C.").arg(hay), App().gUsuario});
    db.CommitTrans();
    return true;
}

struct Tiempos {
    double abrir = 0;   // new declaration: built, loaded, shown
    double lista = 0;   // its taxpayer list dropped down
    int items = 0;
};

// One opening of a new declaration and of its list, as the user meets them; counted
// under the part's name when there is one.
Tiempos UnaVez(const char* parte = nullptr)
{
    Tiempos t;
    if (parte)
        EmpiezaCuenta();
    const auto t0 = Reloj::now();
    auto frm = std::make_unique<Frm947>();
    App().gFrm947 = frm.get();
    frm->Modo = 0;
    frm->Frm947_Form_Load();
    frm->show();
    QApplication::processEvents();
    const auto t1 = Reloj::now();
    frm->CmbRuc->showPopup();
    QApplication::processEvents();
    const auto t2 = Reloj::now();
    if (parte)
        TerminaCuenta(parte);
    t.items = frm->CmbRuc->ListCount();
    if (!frm->CmbRuc->view()->isVisible())
        t.items = -1;
    frm->CmbRuc->hidePopup();
    frm->hide();
    App().gFrm947 = nullptr;
    frm.reset();
    QApplication::processEvents();
    t.abrir = Ms(t0, t1);
    t.lista = Ms(t1, t2);
    return t;
}

struct Medianas {
    double abrir = 0;
    double lista = 0;
    double total = 0;
};

Medianas Medir(int repeticiones, int esperados, const char* parte)
{
    std::vector<double> abrir, lista, total;
    UnaVez();   // warm-up: fonts, styles, statements
    for (int i = 0; i < repeticiones; ++i) {
        const Tiempos t = UnaVez(parte);
        if (t.items != esperados) {
            std::fprintf(stderr, "the list holds %d items, not %d (or did not drop down)\n", t.items, esperados);
            std::exit(1);
        }
        abrir.push_back(t.abrir);
        lista.push_back(t.lista);
        total.push_back(t.abrir + t.lista);
    }
    return {Mediana(abrir), Mediana(lista), Mediana(total)};
}

} // namespace

int main(int argc, char** argv)
{
    PlataformaSinPantalla();
    QApplication app(argc, argv);
    const int repeticiones = argc > 1 ? std::max(3, atoi(argv[1])) : 15;
    zav::MsgBoxRecorder mensajes;   // no message box may wait for an answer
    QTemporaryDir tmp;
    if (!PreparaEspacioDemo(tmp))
        return 1;

    CompletaContribuyentes(10);
    const Medianas pocos = Medir(repeticiones, 10, "10 taxpayers");
    CompletaContribuyentes(10000);
    // The first opening after the list changed, which reads it whole.
    const Tiempos primera = UnaVez("10,000 taxpayers, first after a change");
    const Medianas muchos = Medir(repeticiones, 10000, "10,000 taxpayers");

    std::printf("repetitions: %d\n", repeticiones);
    std::printf("10 taxpayers:     open %.2f ms, list %.2f ms, both %.2f ms\n", pocos.abrir, pocos.lista,
                pocos.total);
    std::printf("10,000 taxpayers: open %.2f ms, list %.2f ms, both %.2f ms\n", muchos.abrir, muchos.lista,
                muchos.total);
    std::printf("10,000 taxpayers, the first opening after a change (once): open %.2f ms, list %.2f ms, both "
                "%.2f ms\n",
                primera.abrir, primera.lista, primera.abrir + primera.lista);
    std::printf("ratio %.2f\n", muchos.total / pocos.total);
    return 0;
}
