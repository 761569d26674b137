#include "batch/startup/EstadoLote.h"

#include "platform/db/Database.h"

namespace zav::lote {

namespace {
std::unique_ptr<EstadoLote>& Instancia()
{
    static std::unique_ptr<EstadoLote> estado = std::make_unique<EstadoLote>();
    return estado;
}
} // namespace

EstadoLote& Lote() { return *Instancia(); }

void ReiniciaLote()
{
    if (Instancia()->Base)
        Instancia()->Base->Close();
    Instancia() = std::make_unique<EstadoLote>();
}

} // namespace zav::lote
