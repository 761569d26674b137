#include "platform/db/Transaccion.h"

#include "platform/db/Database.h"

namespace dao {

Transaccion::Transaccion(Database& db) : db_(db), nivel_(db.TransactionLevel())
{
    db_.BeginTrans();
}

Transaccion::~Transaccion()
{
    try {
        Deshace();
    } catch (...) {
        // A rollback that fails leaves the engine to undo the work when the file closes;
        // the error that brought us here is the one to report.
    }
}

void Transaccion::Confirma()
{
    db_.CommitTrans();
}

void Transaccion::Deshace()
{
    // Nothing to undo once committed, or when the engine has already rolled it back.
    if (db_.IsOpen() && db_.TransactionLevel() > nivel_)
        db_.Rollback();
}

} // namespace dao
