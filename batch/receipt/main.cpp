// 0947REP: writes the filing receipt of a presented declaration for the host.
#include "batch/receipt/REP0947.h"
#include "batch/startup/CorreLote.h"
#include "batch/startup/LineaComando.h"

int main(int argc, char** argv)
{
    return zav::lote::CorreLote(argc, argv, zav::lote::ProgramaLote::Reporte, [&] {
        return zav::lote::REP0947_Main(zav::lote::LineaDeArgumentos(argc, argv));
    });
}
