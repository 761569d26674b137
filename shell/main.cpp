#include "shell/Main.h"

#include "shell/Aplicacion.h"

#include "platform/ui/Traduccion.h"

int main(int argc, char** argv)
{
    Aplicacion app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KZ947"));
    zav::CargaTraduccionQt();
    return Main();
}
