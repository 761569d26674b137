// 0947REP: writes the filing receipt of a presented declaration for the host.
#include "batch/receipt/REP0947.h"
#include "batch/startup/LineaComando.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("0947REP"));
    return zav::lote::REP0947_Main(zav::lote::LineaDeArgumentos(argc, argv));
}
