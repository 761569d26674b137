#pragma once

#include "platform/db/DaoError.h"
#include "platform/db/Recordset.h"
#include "platform/db/Variant.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace dao {

struct Connection;

enum ExecuteOption { dbInconsistent = 16, dbConsistent = 32, dbFailOnError = 128 };

struct FieldDef {
    QString Name;
    QString Type;   // as declared: "BYTE", "TEXT(15)", "LONG", ...
};

struct TableDef {
    QString Name;
    std::vector<FieldDef> Fields;   // in the table's column order
    QStringList PrimaryKey;         // key columns in key order; empty when none
    QString PrimaryKeyName;         // used by AppendTableDef only
};

class Database {
public:
    // Opens an existing database file; never creates one. The file is probed
    // at once (schema read under a shared lock), so 3024 (missing), 3051
    // (locked by another connection or cannot be opened), 3343 (not a
    // database, a folder) and, unless readOnly, 3027 (the file or its folder
    // cannot be written) come from here, not from the first query or save.
    // exclusive keeps other connections out until Close.
    static std::unique_ptr<Database> Open(const QString& path, bool exclusive = false, bool readOnly = false);
    // Creates a new, empty database file (for the host and fixtures). 3204 when it exists.
    static void CreateEmpty(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // A SELECT. Dynaset: updatable when it reads plain columns of one table;
    // snapshot: read-only. Every row is read at open.
    std::unique_ptr<Recordset> OpenRecordset(const QString& sql, int type = dbOpenDynaset,
                                             const Params& params = {});
    // One statement that is not a SELECT. options are accepted (16, 128); an
    // error is always raised and the statement has no effect. Returns the rows affected.
    int Execute(const QString& sql, int options = 0, const Params& params = {});
    // The same statement once for each row of values, prepared once: a save writes some
    // hundred rows through one insert. Stops at the first error; returns the rows affected.
    int ExecuteRows(const QString& sql, const std::vector<Params>& rows);
    int RecordsAffected() const { return recordsAffected_; }

    // Tables of the file (engine-internal ones left out), fields in column order.
    std::vector<TableDef> TableDefs();
    // Case-insensitive look-up in TableDefs.
    bool TableExists(const QString& name);
    // Creates the table with its fields and key; 3010 when a table of that name exists.
    void AppendTableDef(const TableDef& def);

    // BEGIN IMMEDIATE at level 0; deeper levels are savepoints, so an inner
    // commit is final only with the outermost one. Commit/Rollback without a
    // transaction: 3034.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    int TransactionLevel() const;

    // What the file holds, as this connection sees it. Two readings are equal only while
    // no other connection (of this program or another) has committed a change, this one
    // has changed no row and the schema is the same; readings of two connections never
    // are. Empty inside a transaction, whose work may yet be rolled back.
    struct Version {
        quint64 connection = 0;
        qint64 data = 0;
        qint64 schema = 0;
        qint64 changes = 0;
        bool operator==(const Version&) const = default;
    };
    std::optional<Version> ContentVersion();

    // Rolls back a pending transaction and closes the file; recordsets still
    // open on it fail with 3420 from then on.
    void Close();
    bool IsOpen() const;
    QString Name() const;

private:
    explicit Database(std::shared_ptr<Connection> c);
    Connection& conn() const;

    std::shared_ptr<Connection> c_;
    int recordsAffected_ = 0;
};

// The engine's credentials and workgroup file have no counterpart in SQLite:
// they are kept so callers can set them as before, and otherwise ignored.
struct DBEngine {
    QString SystemDB;
    QString DefaultUser;
    QString DefaultPassword;
    std::unique_ptr<Database> OpenDatabase(const QString& path, bool exclusive = false,
                                           bool readOnly = false) const
    {
        return Database::Open(path, exclusive, readOnly);
    }
};

} // namespace dao
