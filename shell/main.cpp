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
        const QByteArray display = qgetenv("DISPLAY");
        const QString causa = display.isEmpty()
                                  ? QStringLiteral("no está definida la variable DISPLAY")
                                  : QStringLiteral("no se puede conectar con la pantalla %1 que indica la variable "
                                                   "DISPLAY")
                                        .arg(QString::fromLocal8Bit(display));
        const QByteArray texto = (QStringLiteral("KZ947 no puede iniciarse: no hay una pantalla donde mostrar sus "
                                                 "ventanas (") +
                                  causa +
                                  QStringLiteral("). Inícielo desde el escritorio, con el Integrador del ZAV "
                                                 "abierto.\n"))
                                     .toUtf8();
        std::fwrite(texto.constData(), 1, size_t(texto.size()), stderr);
        return 1;
    }
    Aplicacion app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KZ947"));
    zav::CargaTraduccionQt();
    return Main();
}
