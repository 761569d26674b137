#pragma once
// The style's standard icons, made once per program.
#include <QIcon>
#include <QStyle>

namespace zav {

// The application style's icon: made the first time it is asked for and then shared.
// Making one reads and decodes its pictures at every size, which costs more than the
// toolbar or grid cell that shows it.
QIcon IconoEstandar(QStyle::StandardPixmap icono);

} // namespace zav
