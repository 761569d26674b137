// TAB947: installs the module's tables and rows in the host's database.
#include "batch/install/TAB947.h"
#include "batch/startup/CorreLote.h"

int main(int argc, char** argv)
{
    return zav::lote::CorreLote(argc, argv, zav::lote::ProgramaLote::Instalador,
                                [] { return zav::lote::TAB947_Main(); });
}
