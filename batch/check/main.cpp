// 0947CNSINF: checks a declaration before the host sends it.
#include "batch/check/BalVerifEnv0947.h"
#include "batch/startup/LineaComando.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("0947CNSINF"));
    return zav::lote::BalVerifEnv0947_Main(zav::lote::LineaDeArgumentos(argc, argv));
}
