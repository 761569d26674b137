// One typed change at the top of the income statement, cascading through the declaration
// window's boxes down to the coefficient of box 610, timed against the floor of setting
// the same number of line-edit texts directly.
//
// Prints the two medians and, as its last line, "ratio R" (cascade over floor).
#include "Medida.h"
#include "declaration/Frm947.h"
#include "EspacioDemo.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Counts the boxes the model really rewrites on the window.
class FrmContado : public Frm947 {
public:
    int escritas = 0;
    void TextoCambiado(int casilla, const QString& texto) override
    {
        auto it = TxtValor.find(casilla);
        if (it != TxtValor.end() && it->second->Text() != texto)
            ++escritas;
        Frm947::TextoCambiado(casilla, texto);
    }
};

void Tecla(QWidget* w, Qt::Key k, const QString& texto)
{
    QKeyEvent pulsada(QEvent::KeyPress, k, Qt::NoModifier, texto);
    QKeyEvent soltada(QEvent::KeyRelease, k, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &pulsada);
    QApplication::sendEvent(w, &soltada);
}

} // namespace

int main(int argc, char** argv)
{
    PlataformaSinPantalla();
    QApplication app(argc, argv);
    const int repeticiones = argc > 1 ? std::max(10, atoi(argv[1])) : 2000;
    zav::MsgBoxRecorder mensajes;   // no message box may wait for an answer
    QTemporaryDir tmp;
    if (!PreparaEspacioDemo(tmp))
        return 1;

    auto frm = std::make_unique<FrmContado>();
    App().gFrm947 = frm.get();
    frm->Frm947_Form_Load();
    // The pages as they show once the identification page is complete.
    MuestraMarcos(frm.get(), false, true, true, false, true, true);
    frm->show();
    QApplication::setActiveWindow(frm.get());
    if (!QTest::qWaitForWindowActive(frm.get()))
        return 1;

    // General regime, legal person: the tax of box 113 and the coefficient compute.
    frm->optRenta->SetValue(0, true);
    frm->OptPersona->SetValue(0, true);
    frm->SSTab1->setCurrentIndex(1);
    frm->SSTab3->setCurrentIndex(2);
    zav::TextBox* ventas = frm->TxtValor[461];
    ventas->setFocus();
    QApplication::processEvents();
    for (QChar c : QStringLiteral("1234567"))
        Tecla(ventas, static_cast<Qt::Key>(c.unicode()), QString(c));
    // Costs of 1,000,000: the tax and so box 610 differ between the two sales figures.
    frm->TxtValor[464]->setFocus();
    QApplication::processEvents();
    for (QChar c : QStringLiteral("1000000"))
        Tecla(frm->TxtValor[464], static_cast<Qt::Key>(c.unicode()), QString(c));
    ventas->setFocus();
    QApplication::processEvents();
    ventas->SetSelStart(ventas->Text().size());

    // One typed change: a digit added, then taken away again, so each one really changes.
    auto cambio = [&](int i) {
        if (i % 2 == 0)
            Tecla(ventas, Qt::Key_8, QStringLiteral("8"));
        else
            Tecla(ventas, Qt::Key_Backspace, QString());
    };

    // The first change after the setup also rewrites boxes that then stay as they are;
    // count over a few changes in the steady state.
    cambio(0);
    cambio(1);
    frm->escritas = 0;
    cambio(0);
    const QString coef0 = frm->TxtValor[610]->Text();
    cambio(1);
    const QString coef1 = frm->TxtValor[610]->Text();
    const int escritas = (frm->escritas + 1) / 2;
    if (escritas == 0 || coef0 == coef1) {
        std::fprintf(stderr, "the change did not cascade down to box 610\n");
        return 1;
    }
    std::printf("box texts written by one change: %d (610: %s / %s)\n", escritas, qPrintable(coef0),
                qPrintable(coef1));

    // The floor: as many line edits, shown in a window of their own, set directly.
    QWidget suelo;
    auto* v = new QVBoxLayout(&suelo);
    std::vector<QLineEdit*> lineas;
    for (int i = 0; i < escritas; ++i) {
        auto* l = new QLineEdit;
        l->setAlignment(Qt::AlignRight);
        l->setFixedWidth(110);
        v->addWidget(l);
        lineas.push_back(l);
    }
    suelo.show();
    QApplication::processEvents();
    const QString valores[2] = {QStringLiteral("12,345,678"), QStringLiteral("1,234,567")};
    auto fijar = [&](int i) {
        for (QLineEdit* l : lineas)
            l->setText(valores[i % 2]);
    };

    for (int i = 0; i < 50; ++i) {
        cambio(i);
        fijar(i);
    }
    QApplication::processEvents();

    // Interleaved, so both see the same state of the machine.
    std::vector<double> tCascada;
    std::vector<double> tSuelo;
    tCascada.reserve(repeticiones);
    tSuelo.reserve(repeticiones);
    for (int i = 0; i < repeticiones; ++i) {
        // Counted apart under callgrind (bench/instrucciones.sh); nothing elsewhere.
        EmpiezaCuenta();
        auto t0 = Reloj::now();
        cambio(i);
        auto t1 = Reloj::now();
        TerminaCuenta("cascade");
        EmpiezaCuenta();
        auto t1b = Reloj::now();
        fijar(i);
        auto t2 = Reloj::now();
        TerminaCuenta("floor");
        tCascada.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        tSuelo.push_back(std::chrono::duration<double, std::micro>(t2 - t1b).count());
        if (i % 64 == 63)
            QApplication::processEvents();   // paint what is pending, outside the timings
    }

    const double cascada = Mediana(tCascada);
    const double piso = Mediana(tSuelo);
    std::printf("repetitions: %d\n", repeticiones);
    std::printf("cascade median: %.2f us\n", cascada);
    std::printf("floor median (%d line edits): %.2f us\n", escritas, piso);
    frm->hide();
    App().gFrm947 = nullptr;
    std::printf("ratio %.2f\n", cascada / piso);
    return 0;
}
