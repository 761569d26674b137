#include "printing/report/RegistraSpool.h"

#include "common/Clock.h"
#include "common/Paths.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/db/Transaccion.h"

#include <QFile>

namespace rpt {

namespace {

qint64 maximo(dao::Database& db, const QString& sql, const dao::Params& params)
{
    auto rs = db.OpenRecordset(sql, dao::dbOpenSnapshot, params);
    qint64 n = 0;
    if (!rs->Eof()) {
        const dao::Variant v = rs->Fields(0).Value();
        if (!v.isNull())
            n = v.toInt64();
    }
    rs->Close();
    return n;
}

// Where the attempt failed: a busy database before anything was written may be tried again.
struct Intento {
    bool escrito = false;
};

ArchivoSpool registra(dao::Database& db, const QString& carpeta, const QString& codRep, const QString& usuario,
                      const dao::Variant& tipDoc, const QString& docId, const EscritorReporte& escribe,
                      Intento& intento)
{
    ArchivoSpool s;
    try {
        dao::Transaccion t(db);
        const qint64 secuencia = maximo(
            db,
            QStringLiteral("SELECT max(CAST(Secuencia AS INTEGER)) AS SecTipo FROM SPOOL"
                           " WHERE CodRep = ? COLLATE NOCASE AND Secuencia <> ''"
                           " AND Secuencia NOT GLOB '*[^0-9]*'"),
            {dao::Variant(codRep)});
        const qint64 archivo = maximo(
            db,
            QStringLiteral("SELECT max(CAST(substr(Archivo, 1, 8) AS INTEGER)) AS SecRep FROM SPOOL"
                           " WHERE substr(Archivo, 1, 8) GLOB"
                           " '[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]'"),
            {});
        s.Nombre = zav::Format(static_cast<double>(archivo + 1), QStringLiteral("00000000")) + QStringLiteral(".PRN");
        s.Ruta = zav::ResolvePath(zav::JoinPath(carpeta, s.Nombre));

        // The file first, whole under its own name; the row that names it after.
        intento.escrito = true;
        escribe(s);

        // An empty selection keeps the dynaset from reading the whole table.
        auto rs = db.OpenRecordset(QStringLiteral("SELECT * FROM SPOOL WHERE 0 = 1"), dao::dbOpenDynaset);
        rs->AddNew();
        rs->Fields(QStringLiteral("CodRep")) = dao::Variant(codRep);
        rs->Fields(QStringLiteral("Secuencia"))
            = dao::Variant(zav::Format(static_cast<double>(secuencia + 1), QStringLiteral("000000")));
        rs->Fields(QStringLiteral("Archivo")) = dao::Variant(s.Nombre);
        rs->Fields(QStringLiteral("Fecha")) = dao::Variant(zav::Now());
        rs->Fields(QStringLiteral("Usuario")) = dao::Variant(usuario);
        rs->Fields(QStringLiteral("Tip_doc_d")) = tipDoc;
        rs->Fields(QStringLiteral("doc_id_d")) = dao::Variant(docId);
        rs->Update();
        rs->Close();
        t.Confirma();
        return s;
    } catch (...) {
        // Rolled back by now. A file without its row is nobody's: the next registration
        // takes its number again.
        if (intento.escrito)
            QFile::remove(s.Ruta);
        throw;
    }
}

} // namespace

ArchivoSpool RegistraSpool(dao::Database& db, const QString& carpeta, const QString& codRep,
                           const QString& usuario, const dao::Variant& tipDoc, const QString& docId,
                           const EscritorReporte& escribe)
{
    // Another program's registration holds the table only for a moment; a database busy
    // past the engine's wait is tried again before it is reported. Nothing is stored by
    // a failed attempt.
    for (int n = 1;; ++n) {
        Intento intento;
        try {
            return registra(db, carpeta, codRep, usuario, tipDoc, docId, escribe, intento);
        } catch (const dao::DaoError& e) {
            if (e.Number != dao::err::FileLocked || intento.escrito || n >= 3 || db.TransactionLevel() > 0)
                throw;
        }
    }
}

} // namespace rpt
