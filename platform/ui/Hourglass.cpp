#include "platform/ui/Hourglass.h"

#include <QCursor>
#include <QGuiApplication>

namespace zav {
namespace {
bool gHourglass = false;
}

void SetHourglass(bool on)
{
    if (on == gHourglass)
        return;
    gHourglass = on;
    if (!qGuiApp)
        return;
    if (on) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        // Restore fully, whatever else may have stacked an override meanwhile.
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }
}

bool IsHourglass() { return gHourglass; }

} // namespace zav
