// Preloaded into a real batch program: the statement whose text holds ZAV_FALLA_CONSULTA
// throws instead of being prepared (ZAV_FALLA_EXCEPCION: "bad_alloc", as when memory runs
// out, or "runtime_error"), as an exception that no handler of the program expects.
#include <sqlite3.h>

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

namespace {

using Prepara = int (*)(sqlite3*, const char*, int, sqlite3_stmt**, const char**);

bool Contiene(const char* sql, int n, const char* buscado)
{
    const std::string texto = n < 0 ? std::string(sql) : std::string(sql, size_t(n));
    return texto.find(buscado) != std::string::npos;
}

} // namespace

extern "C" int sqlite3_prepare_v2(sqlite3* db, const char* sql, int n, sqlite3_stmt** st, const char** resto)
{
    static const auto real = reinterpret_cast<Prepara>(dlsym(RTLD_NEXT, "sqlite3_prepare_v2"));
    const char* buscado = std::getenv("ZAV_FALLA_CONSULTA");
    if (buscado && *buscado && sql && Contiene(sql, n, buscado)) {
        const char* tipo = std::getenv("ZAV_FALLA_EXCEPCION");
        if (tipo && std::strcmp(tipo, "runtime_error") == 0)
            throw std::runtime_error("falla de prueba");
        throw std::bad_alloc();
    }
    return real(db, sql, n, st, resto);
}
