#pragma once

namespace dao {

class Database;

// One write transaction for the length of a scope: begun here (BeginTrans), committed by
// Confirma, rolled back when the scope ends without it, an exception on the way out
// included. Inside another transaction it is that one's savepoint, as BeginTrans is.
class Transaccion {
public:
    explicit Transaccion(Database& db);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;

    // CommitTrans; a commit that fails raises its error and the destructor rolls back.
    void Confirma();
    // Rolls back now, as leaving the scope would (a refusal found half-way).
    void Deshace();

private:
    Database& db_;
    int nivel_;   // the level before this transaction began
};

} // namespace dao
