#include "platform/db/Database.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqliteSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>

#include <unistd.h>

namespace dao {

namespace {

// Long enough to ride out another writer's commit, short enough that a
// database held by another program is reported rather than waited on.
constexpr int kBusyTimeoutMs = 2000;

void run(sqlite3* db, const QString& sql, const QString& path, const Params& params = {})
{
    Statement st(db, sql, path);
    st.bind(params);
    while (st.step()) {
    }
}

QString savepointName(int level) { return QStringLiteral("m0947_level%1").arg(level); }

} // namespace

static sqlite3* openHandle(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    // A connection is used by one thread at a time: the engine's own locking of each
    // call is not needed, and it is a good part of the cost of reading many rows.
    flags |= SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        try {
            if (!QFileInfo::exists(path) && !(flags & SQLITE_OPEN_CREATE))
                throw DaoError(err::FileNotFound, path);
            throwSqlite(db, rc, path);
        } catch (...) {
            FinalizeParked(db);
            sqlite3_close_v2(db);
            throw;
        }
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return db;
}

std::unique_ptr<Database> Database::Open(const QString& path, bool exclusive, bool readOnly)
{
    const QFileInfo fi(path);
    if (!fi.exists())
        throw DaoError(err::FileNotFound, path);
    if (fi.isDir())
        throw DaoError(err::UnrecognizedFormat, path, QStringLiteral("is a folder"));
    // SQLite takes an empty file for an empty database; for us it is no database.
    if (fi.size() == 0)
        throw DaoError(err::UnrecognizedFormat, path, QStringLiteral("empty file"));

    sqlite3* db = openHandle(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    try {
        // Read the schema now: a foreign or locked file fails here, not at the first query.
        if (exclusive)
            run(db, QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"), path);
        run(db, exclusive && !readOnly ? QStringLiteral("BEGIN EXCLUSIVE") : QStringLiteral("BEGIN"), path);
        run(db, QStringLiteral("SELECT count(*) FROM sqlite_master"), path);
        run(db, QStringLiteral("COMMIT"), path);
        // A file the engine could open only for reading (or whose folder takes no
        // journal) would fail at the first save, after the user's work: refuse it now.
        if (!readOnly
            && (sqlite3_db_readonly(db, "main") == 1
                || ::access(QFile::encodeName(fi.absolutePath()).constData(), W_OK) != 0))
            throw DaoError(err::ReadOnly, path, QStringLiteral("opened read-only"));
    } catch (...) {
        FinalizeParked(db);
        sqlite3_close_v2(db);
        throw;
    }
    static std::atomic<quint64> conexiones{0};
    auto c = std::make_shared<Connection>();
    c->db = db;
    c->serial = ++conexiones;
    c->path = path;
    c->readOnly = readOnly;
    return std::unique_ptr<Database>(new Database(std::move(c)));
}

void Database::CreateEmpty(const QString& path)
{
    if (QFileInfo::exists(path))
        throw DaoError(err::DatabaseExists, path);
    if (!QFileInfo(path).absoluteDir().exists())
        throw DaoError(err::InvalidPath, path);
    sqlite3* db = openHandle(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        // Writes the file header, so the file is a database from the start.
        run(db, QStringLiteral("VACUUM"), path);
    } catch (...) {
        FinalizeParked(db);
        sqlite3_close_v2(db);
        QFile::remove(path);
        throw;
    }
    FinalizeParked(db);
    sqlite3_close_v2(db);
}

Database::Database(std::shared_ptr<Connection> c) : c_(std::move(c)) {}

Database::~Database()
{
    try {
        Close();
    } catch (...) {
    }
}

Connection& Database::conn() const
{
    liveHandle(c_.get());
    return *c_;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& sql, int type, const Params& params)
{
    conn();
    return Recordset::open(c_, sql, type, params);
}

int Database::Execute(const QString& sql, int /*options*/, const Params& params)
{
    return ExecuteRows(sql, {params});
}

int Database::ExecuteRows(const QString& sql, const std::vector<Params>& rows)
{
    Connection& c = conn();
    Statement st(c.db, sql, c.path);
    if (sqlite3_column_count(st.get()) > 0 && sqlite3_stmt_readonly(st.get()))
        throw DaoError(err::SelectInExecute);
    const sqlite3_int64 before = sqlite3_total_changes64(c.db);
    for (const Params& row : rows) {
        st.bind(row);
        while (st.step()) {
        }
        sqlite3_reset(st.get());
    }
    recordsAffected_ = static_cast<int>(sqlite3_total_changes64(c.db) - before);
    return recordsAffected_;
}

std::vector<TableDef> Database::TableDefs()
{
    Connection& c = conn();
    std::vector<TableDef> defs;
    {
        Statement st(c.db,
                     QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                    "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"),
                     c.path);
        while (st.step()) {
            TableDef d;
            d.Name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
            defs.push_back(d);
        }
    }
    for (TableDef& d : defs) {
        Statement st(c.db, QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?) ORDER BY cid"), c.path);
        st.bind({Variant(d.Name)});
        std::vector<std::pair<int, QString>> key;
        while (st.step()) {
            FieldDef f;
            f.Name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
            f.Type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 1)));
            const int pk = sqlite3_column_int(st.get(), 2);
            if (pk > 0)
                key.emplace_back(pk, f.Name);
            d.Fields.push_back(f);
        }
        std::sort(key.begin(), key.end());
        for (const auto& k : key)
            d.PrimaryKey << k.second;
    }
    return defs;
}

bool Database::TableExists(const QString& name)
{
    for (const TableDef& d : TableDefs())
        if (d.Name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void Database::AppendTableDef(const TableDef& def)
{
    Connection& c = conn();
    static const QRegularExpression typeRe(
        QStringLiteral("^[A-Za-z]+( ?\\( ?\\d+ ?\\))?( NOT NULL)?( DEFAULT (-?\\d+(\\.\\d+)?|'[0-9A-Za-z ]*'))?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (def.Name.trimmed().isEmpty() || def.Fields.empty())
        throw DaoError(err::InvalidArgument);
    if (TableExists(def.Name))
        throw DaoError(err::TableExists, def.Name);
    QStringList parts;
    for (const FieldDef& f : def.Fields) {
        // The type is written into the statement, so only plain type names pass.
        if (f.Name.trimmed().isEmpty() || !typeRe.match(f.Type.trimmed()).hasMatch())
            throw DaoError(err::InvalidArgument, {}, QStringLiteral("field type: ") + f.Type);
        parts << QuoteIdent(f.Name) + QLatin1Char(' ') + f.Type.trimmed();
    }
    if (!def.PrimaryKey.isEmpty()) {
        QStringList cols;
        for (const QString& k : def.PrimaryKey)
            cols << QuoteIdent(k);
        QString pk;
        if (!def.PrimaryKeyName.isEmpty())
            pk = QStringLiteral("CONSTRAINT ") + QuoteIdent(def.PrimaryKeyName) + QLatin1Char(' ');
        parts << pk + QStringLiteral("PRIMARY KEY (") + cols.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    run(c.db, QStringLiteral("CREATE TABLE ") + QuoteIdent(def.Name) + QStringLiteral(" (")
                  + parts.join(QStringLiteral(", ")) + QLatin1Char(')'),
        c.path);
}

void Database::BeginTrans()
{
    Connection& c = conn();
    if (c.transLevel == 0)
        run(c.db, QStringLiteral("BEGIN IMMEDIATE"), c.path);
    else
        run(c.db, QStringLiteral("SAVEPOINT ") + savepointName(c.transLevel), c.path);
    ++c.transLevel;
}

void Database::CommitTrans()
{
    Connection& c = conn();
    if (c.transLevel == 0)
        throw DaoError(err::NoTransaction);
    if (sqlite3_get_autocommit(c.db)) {
        // The engine already rolled the work back (disk full, I/O error): say so.
        c.transLevel = 0;
        throw DaoError(err::ReservedError, QStringLiteral("The transaction was rolled back."));
    }
    if (c.transLevel == 1)
        run(c.db, QStringLiteral("COMMIT"), c.path);
    else
        run(c.db, QStringLiteral("RELEASE ") + savepointName(c.transLevel - 1), c.path);
    --c.transLevel;
}

void Database::Rollback()
{
    Connection& c = conn();
    if (c.transLevel == 0)
        throw DaoError(err::NoTransaction);
    if (sqlite3_get_autocommit(c.db)) {
        c.transLevel = 0;
        return;
    }
    if (c.transLevel == 1) {
        run(c.db, QStringLiteral("ROLLBACK"), c.path);
    } else {
        const QString sp = savepointName(c.transLevel - 1);
        run(c.db, QStringLiteral("ROLLBACK TO ") + sp, c.path);
        run(c.db, QStringLiteral("RELEASE ") + sp, c.path);
    }
    --c.transLevel;
}

std::optional<Database::Version> Database::ContentVersion()
{
    Connection& c = conn();
    if (!sqlite3_get_autocommit(c.db))
        return std::nullopt;
    const auto lee = [&c](const QString& pragma) {
        Statement st(c.db, pragma, c.path);
        return st.step() ? sqlite3_column_int64(st.get(), 0) : 0;
    };
    Version v;
    v.connection = c.serial;
    // data_version moves with every commit of another connection, not with this one's
    // own changes, which the count of changed rows follows.
    v.data = lee(QStringLiteral("PRAGMA data_version"));
    v.schema = lee(QStringLiteral("PRAGMA schema_version"));
    v.changes = sqlite3_total_changes64(c.db);
    return v;
}

int Database::TransactionLevel() const { return c_ ? c_->transLevel : 0; }

void Database::Close()
{
    if (!c_ || !c_->db)
        return;
    if (!sqlite3_get_autocommit(c_->db))
        sqlite3_exec(c_->db, "ROLLBACK", nullptr, nullptr, nullptr);
    FinalizeParked(c_->db);
    sqlite3_close_v2(c_->db);
    c_->db = nullptr;
    c_->transLevel = 0;
}

bool Database::IsOpen() const { return c_ && c_->db; }

QString Database::Name() const { return c_ ? c_->path : QString(); }

} // namespace dao
