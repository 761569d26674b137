#include "platform/ui/Traduccion.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zav {

bool CargaTraduccionQt(const QString& carpeta)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    const QString donde = carpeta.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : carpeta;
    auto* qt = new QTranslator(app);
    // qtbase_es, not the user's locale: the module speaks Spanish whatever the desktop's
    // language.
    if (!qt->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"), donde)) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    return true;
}

} // namespace zav
