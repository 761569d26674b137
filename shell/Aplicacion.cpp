#include "shell/Aplicacion.h"

#include "common/Runtime.h"
#include "platform/db/DaoError.h"
#include "platform/process/ProgramEnd.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {}

bool Aplicacion::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ErrorNoAtrapado(e);
    }
}

void ErrorNoAtrapado(const std::exception& e)
{
    zav::SetHourglass(false);
    QString texto;
    if (const auto* dao = dynamic_cast<const dao::DaoError*>(&e))
        texto = dao->Description + QLatin1Char('\n') + zav::Str(dao->Number);
    else
        texto = QString::fromLocal8Bit(e.what());
    zav::MsgBox(texto, 16, QStringLiteral("Error"));
    zav::TerminaPrograma(1);
}
