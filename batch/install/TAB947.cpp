#include "batch/install/TAB947.h"

#include "batch/startup/ConfigLote.h"
#include "common/BaseCompartida.h"
#include "common/Runtime.h"
#include "platform/process/ProgramEnd.h"
#include "platform/ui/MsgBox.h"

namespace zav::lote {

namespace {
bool EsSeparador(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }
} // namespace

int TAB947_Main()
{
    QString sysPath = Trim(LeeOpcion(QStringLiteral("SysPath")));
    if (sysPath.isEmpty()) {
        MsgBox(QStringLiteral("Debe instalar primero el ZAV "), 64, QStringLiteral("Mensaje"));
        TerminaPrograma(1);
    }
    if (sysPath.size() >= 2 && EsSeparador(sysPath.at(sysPath.size() - 1)) &&
        EsSeparador(sysPath.at(sysPath.size() - 2)))
        sysPath.chop(1);
    AbrirBaseInstalador(sysPath);
    return 0;
}

} // namespace zav::lote
