#include "shell/Main.h"

#include "shell/Aplicacion.h"

#include "platform/ui/MsgBox.h"
#include "platform/ui/Traduccion.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // Every step of KZ947 is a window: with no screen there is nothing it can do, and
    // Qt's own way out is an abort in English.
    if (!zav::HayPantalla()) {
        std::fputs("KZ947 no puede iniciarse: no hay una pantalla donde mostrar sus ventanas (no está definida "
                   "la variable DISPLAY). Inícielo desde el escritorio, con el Integrador del ZAV abierto.\n",
                   stderr);
        return 1;
    }
    Aplicacion app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KZ947"));
    zav::CargaTraduccionQt();
    return Main();
}
