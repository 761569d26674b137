// TAB947: installs the module's tables and rows in the host's database.
#include "batch/install/TAB947.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TAB947"));
    return zav::lote::TAB947_Main();
}
