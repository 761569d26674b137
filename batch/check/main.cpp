// 0947CNSINF: checks a declaration before the host sends it.
#include "batch/check/BalVerifEnv0947.h"
#include "batch/startup/CorreLote.h"
#include "batch/startup/LineaComando.h"

int main(int argc, char** argv)
{
    return zav::lote::CorreLote(argc, argv, zav::lote::ProgramaLote::Verificador, [&] {
        return zav::lote::BalVerifEnv0947_Main(zav::lote::LineaDeArgumentos(argc, argv));
    });
}
