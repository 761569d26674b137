#include "batch/check/BalVerifEnv0947.h"

#include "batch/startup/ConfigLote.h"

namespace zav::lote {

int BalVerifEnv0947_Main(const QString& linea)
{
    const auto copia = ExigeInstanciaUnica(ProgramaLote::Verificador);
    const LineaComandoLote campos = TomaLineaComando(linea);
    LeerConfigLote(ProgramaLote::Verificador);
    (void)campos;
    return 0;
}

} // namespace zav::lote
