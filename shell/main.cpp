#include "shell/Main.h"

#include "shell/Aplicacion.h"

int main(int argc, char** argv)
{
    Aplicacion app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KZ947"));
    return Main();
}
