#include "batch/startup/CorreLote.h"

#include "platform/ui/MsgBox.h"
#include "platform/ui/Traduccion.h"

#include <QApplication>

namespace zav::lote {

int CorreLote(int argc, char** argv, ProgramaLote programa, const std::function<int()>& principal)
{
    if (!HayPantalla())
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(NombrePrograma(programa));
    CargaTraduccionQt();
    MsgBoxSinPantalla(PlataformaSinPantalla());
    return principal();
}

} // namespace zav::lote
