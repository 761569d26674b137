#pragma once
// Qt's own Spanish texts (the standard buttons of message boxes: "Sí", "No", "Aceptar",
// "Cancelar"; the context menus of the text fields), as on the desktops the module was
// made for. Every program that shows windows calls it once, after creating its
// application object.
#include <QString>

namespace zav {

// Installs Qt's Spanish translation on the application. False when it cannot be found
// (the program then shows Qt's English texts). The folder defaults to Qt's own.
bool CargaTraduccionQt(const QString& carpeta = QString());

} // namespace zav
