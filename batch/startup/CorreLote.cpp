#include "batch/startup/CorreLote.h"

#include "batch/startup/EstadoLote.h"
#include "common/Runtime.h"
#include "platform/db/DaoError.h"
#include "platform/process/ProgramEnd.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Traduccion.h"

#include <QApplication>

#include <cstdio>
#include <exception>
#include <new>

namespace zav::lote {

namespace {

QString SinPunto(QString texto)
{
    if (texto.endsWith(QLatin1Char('.')))
        texto.chop(1);
    return texto;
}

// The exception being handled, in a few words.
QString RazonDeExcepcion()
{
    try {
        throw;
    } catch (const dao::DaoError& e) {
        return QStringLiteral("error de la base de datos (%1 %2)").arg(e.Number).arg(SinPunto(e.Description));
    } catch (const RuntimeError& e) {
        return QStringLiteral("error %1 (%2)").arg(e.Number).arg(SinPunto(e.Description()));
    } catch (const std::bad_alloc&) {
        return QStringLiteral("no hay memoria suficiente");
    } catch (const std::exception& e) {
        return QStringLiteral("error inesperado (%1)").arg(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return QStringLiteral("error inesperado");
    }
}

// What no handler of the procedure expected ends the run as a failed one, said as the
// program says its other failures; never an abort, which the host would read as nothing.
int FallaInesperada(ProgramaLote programa)
{
    const int estado = Lote().EstadoFallaArranque;
    try {
        const QString razon = RazonDeExcepcion();
        if (Lote().AlFallarArranque)
            Lote().AlFallarArranque(razon);
        else
            MsgBox(QStringLiteral("El programa se detuvo antes de terminar: %1.").arg(razon), 16,
                   NombrePrograma(programa));
    } catch (const ProgramEnded&) {
        throw;
    } catch (...) {
        // Not even the message could be made (memory is still short): the status says it.
        std::fputs("El programa se detuvo antes de terminar por un error inesperado.\n", stderr);
    }
    return estado;
}

} // namespace

int CorreLote(int argc, char** argv, ProgramaLote programa, const std::function<int()>& principal)
{
    if (!HayPantalla())
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(NombrePrograma(programa));
    CargaTraduccionQt();
    MsgBoxSinPantalla(PlataformaSinPantalla());
    try {
        return principal();
    } catch (const ProgramEnded&) {
        throw;
    } catch (...) {
        return FallaInesperada(programa);
    }
}

} // namespace zav::lote
