#include "integrador/HostDatabase.h"

#include "common/Paths.h"
#include "integrador/ErrorText.h"
#include "integrador/ReferenceData.h"
#include "integrador/Schema.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace integrador {

namespace {

// One prepared statement; values go in only through its parameters.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }

    void bind(int i, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(stmt_, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    void bind(int i, int value) { sqlite3_bind_int(stmt_, i, value); }

    // Runs the statement once and makes it ready for the next row.
    bool run()
    {
        const int rc = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        return rc == SQLITE_DONE;
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

bool exec(sqlite3* db, const QString& sql, QString* error)
{
    char* msg = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &msg) == SQLITE_OK)
        return true;
    setError(error, QStringLiteral("%1: %2").arg(sql, QString::fromUtf8(msg ? msg : "")));
    sqlite3_free(msg);
    return false;
}

bool insertRows(sqlite3* db, bool demo, QString* error)
{
    {
        Statement s(db, "INSERT INTO PARAM (Numero, Argumento, Funcion, Correl_param) "
                        "VALUES (?1, ?2, ?3, ?4)");
        if (!s.ok())
            return fail(error, lastError(db));
        for (const ParamRow& p : ParamRows()) {
            s.bind(1, p.numero);
            s.bind(2, p.argumento);
            s.bind(3, p.funcion);
            s.bind(4, p.correlParam);
            if (!s.run())
                return fail(error, QStringLiteral("PARAM %1/%2: %3")
                                           .arg(p.numero, p.argumento, lastError(db)));
        }
    }
    {
        Statement s(db, "INSERT INTO ERROR (CodError, DescError) VALUES (?1, ?2)");
        if (!s.ok())
            return fail(error, lastError(db));
        for (const ErrorRow& e : ErrorRows()) {
            s.bind(1, e.codError);
            s.bind(2, e.descError);
            if (!s.run())
                return fail(error, QStringLiteral("ERROR %1: %2").arg(e.codError, lastError(db)));
        }
    }
    {
        Statement s(db, "INSERT INTO CLAVES (Usuario, Tipo) VALUES (?1, ?2)");
        if (!s.ok())
            return fail(error, lastError(db));
        for (const ClaveRow& c : ClaveRows()) {
            s.bind(1, c.usuario);
            s.bind(2, c.tipo);
            if (!s.run())
                return fail(error, QStringLiteral("CLAVES %1: %2").arg(c.usuario, lastError(db)));
        }
    }
    if (demo) {
        Statement s(db, "INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, Tipo_Ingreso, NOMBRE, USUARIO) "
                        "VALUES (?1, ?2, ?3, ?4, ?5)");
        if (!s.ok())
            return fail(error, lastError(db));
        for (const ContRow& c : DemoTaxpayers()) {
            s.bind(1, c.tipDocD);
            s.bind(2, c.docIdD);
            s.bind(3, c.tipoIngreso);
            s.bind(4, c.nombre);
            s.bind(5, c.usuario);
            if (!s.run())
                return fail(error, QStringLiteral("CONT %1: %2").arg(c.docIdD, lastError(db)));
        }
    }
    return true;
}

} // namespace

void RemoveDatabaseFiles(const QString& file)
{
    QFile::remove(file);
    QFile::remove(file + QStringLiteral("-journal"));
    QFile::remove(file + QStringLiteral("-wal"));
    QFile::remove(file + QStringLiteral("-shm"));
}

bool CreateHostDatabase(const QString& file, bool demo, QString* error)
{
    if (QFileInfo::exists(zav::ResolvePath(file))) {
        setError(error, QStringLiteral("Ya existe el archivo %1").arg(file));
        return false;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        setError(error, QStringLiteral("No se pudo crear %1: %2")
                            .arg(file, db ? lastError(db) : QString::fromUtf8(sqlite3_errstr(rc))));
        sqlite3_close(db);
        RemoveDatabaseFiles(file);
        return false;
    }
    bool ok = exec(db, QStringLiteral("BEGIN IMMEDIATE"), error);
    for (const Table& t : HostTables()) {
        if (!ok)
            break;
        ok = exec(db, CreateTableSql(t), error);
    }
    ok = ok && insertRows(db, demo, error) && exec(db, QStringLiteral("COMMIT"), error);
    sqlite3_close(db);
    if (!ok)
        RemoveDatabaseFiles(file);
    return ok;
}

} // namespace integrador
