#include "platform/ui/Iconos.h"

#include <QApplication>
#include <QHash>
#include <QPair>

namespace zav {

QIcon IconoEstandar(QStyle::StandardPixmap icono)
{
    // By style as well: an icon of one style is never shown under another. Never
    // destroyed: a picture freed after the application has gone is not safe.
    static auto* hechos = new QHash<QPair<const QStyle*, int>, QIcon>;
    const QStyle* estilo = QApplication::style();
    const QPair<const QStyle*, int> clave(estilo, static_cast<int>(icono));
    auto it = hechos->constFind(clave);
    if (it == hechos->constEnd())
        it = hechos->insert(clave, estilo->standardIcon(icono));
    return *it;
}

} // namespace zav
