#include "platform/db/SqliteSupport.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <limits>

namespace dao {

sqlite3* liveHandle(const Connection* c)
{
    if (!c || !c->db)
        throw DaoError(err::ObjectInvalid);
    return c->db;
}

ColumnType ParseDeclaredType(const QString& decl)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_]*)(?:\\s*\\(\\s*(\\d+)\\s*(?:,\\s*\\d+\\s*)?\\))?"));
    static const QHash<QString, Kind> kinds = {
        {QStringLiteral("BYTE"), Kind::Byte},         {QStringLiteral("TINYINT"), Kind::Byte},
        {QStringLiteral("INTEGER"), Kind::Integer},   {QStringLiteral("SHORT"), Kind::Integer},
        {QStringLiteral("SMALLINT"), Kind::Integer},  {QStringLiteral("LONG"), Kind::Long},
        {QStringLiteral("INT"), Kind::Long},          {QStringLiteral("COUNTER"), Kind::Long},
        {QStringLiteral("DOUBLE"), Kind::Double},     {QStringLiteral("FLOAT"), Kind::Double},
        {QStringLiteral("REAL"), Kind::Double},       {QStringLiteral("SINGLE"), Kind::Double},
        {QStringLiteral("CURRENCY"), Kind::Currency}, {QStringLiteral("MONEY"), Kind::Currency},
        {QStringLiteral("DATETIME"), Kind::Date},     {QStringLiteral("DATE"), Kind::Date},
        {QStringLiteral("TEXT"), Kind::Text},         {QStringLiteral("VARCHAR"), Kind::Text},
        {QStringLiteral("CHAR"), Kind::Text},         {QStringLiteral("MEMO"), Kind::Text},
        {QStringLiteral("LONGTEXT"), Kind::Text},     {QStringLiteral("YESNO"), Kind::Boolean},
        {QStringLiteral("BIT"), Kind::Boolean},       {QStringLiteral("BOOLEAN"), Kind::Boolean},
    };
    ColumnType t;
    const QRegularExpressionMatch m = re.match(decl);
    if (!m.hasMatch())
        return t;
    const QString word = m.captured(1).toUpper();
    const auto it = kinds.constFind(word);
    if (it == kinds.constEnd())
        return t;
    t.kind = *it;
    if (t.kind == Kind::Text && word != QLatin1String("MEMO") && word != QLatin1String("LONGTEXT")
        && !m.captured(2).isEmpty())
        t.size = m.captured(2).toInt();
    return t;
}

namespace {

QString bareName(QString n)
{
    n = n.trimmed();
    if (n.size() >= 2 && ((n.startsWith(QLatin1Char('[')) && n.endsWith(QLatin1Char(']')))
                          || (n.startsWith(QLatin1Char('"')) && n.endsWith(QLatin1Char('"')))
                          || (n.startsWith(QLatin1Char('`')) && n.endsWith(QLatin1Char('`')))))
        n = n.mid(1, n.size() - 2);
    if (n.startsWith(QLatin1String("main."), Qt::CaseInsensitive))
        n = n.mid(5);
    return n;
}

} // namespace

void throwSqlite(sqlite3* db, int rc, const QString& path)
{
    const int ext = db ? sqlite3_extended_errcode(db) : rc;
    const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        throw DaoError(err::FileLocked, path, msg);
    case SQLITE_NOTADB: throw DaoError(err::UnrecognizedFormat, path, msg);
    case SQLITE_CORRUPT: throw DaoError(err::CorruptDatabase, path, msg);
    case SQLITE_READONLY: throw DaoError(err::ReadOnly, {}, msg);
    case SQLITE_FULL: throw DaoError(err::DiskFull, path, msg);
    case SQLITE_IOERR: throw DaoError(err::DiskError, path, msg);
    case SQLITE_CONSTRAINT: {
        if (ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE)
            throw DaoError(err::DuplicateKey, {}, msg);
        if (ext == SQLITE_CONSTRAINT_NOTNULL) {
            const QString col = msg.section(QLatin1Char('.'), -1);
            throw DaoError(err::FieldRequired, col, msg);
        }
        throw DaoError(err::ReservedError, msg, msg);
    }
    case SQLITE_ERROR: {
        static const QRegularExpression noTable(QStringLiteral("^no such table: (.+)$"));
        static const QRegularExpression tableExists(QStringLiteral("^table (.+) already exists$"));
        static const QRegularExpression indexExists(QStringLiteral("^index (.+) already exists$"));
        QRegularExpressionMatch m;
        if ((m = noTable.match(msg)).hasMatch())
            throw DaoError(err::TableNotFound, bareName(m.captured(1)), msg);
        if ((m = tableExists.match(msg)).hasMatch())
            throw DaoError(err::TableExists, bareName(m.captured(1)), msg);
        if ((m = indexExists.match(msg)).hasMatch()) {
            const QString name = bareName(m.captured(1));
            // Key constraints are kept as unique indexes named PK_...
            if (name.startsWith(QLatin1String("PK"), Qt::CaseInsensitive))
                throw DaoError(err::PrimaryKeyExists, {}, msg);
            throw DaoError(err::IndexExists, name, msg);
        }
        // The engine took an unknown name for a parameter.
        if (msg.startsWith(QLatin1String("no such column")))
            throw DaoError(err::TooFewParameters, QStringLiteral("1"), msg);
        if (msg.contains(QLatin1String("syntax error")) || msg.startsWith(QLatin1String("near "))
            || msg.contains(QLatin1String("incomplete input")))
            throw DaoError(err::SyntaxError, msg, msg);
        throw DaoError(err::ReservedError, msg, msg);
    }
    default:
        throw DaoError(err::ReservedError, msg, msg);
    }
}

namespace {

// Prepared statements parked per connection: a save runs the same few statements for
// every row, and preparing them again each time costs more than running them.
QHash<sqlite3*, QHash<QByteArray, sqlite3_stmt*>>& parked()
{
    // Never destroyed: databases held by other statics close after this would be gone.
    static auto* cache = new QHash<sqlite3*, QHash<QByteArray, sqlite3_stmt*>>;
    return *cache;
}

} // namespace

void FinalizeParked(sqlite3* db)
{
    auto it = parked().find(db);
    if (it == parked().end())
        return;
    for (sqlite3_stmt* st : std::as_const(*it))
        sqlite3_finalize(st);
    parked().erase(it);
}

Statement::Statement(sqlite3* db, const QString& sql, const QString& path) : db_(db), path_(path)
{
    text_ = sql.toUtf8();
    auto it = parked().find(db);
    if (it != parked().end()) {
        st_ = it->take(text_);
        if (st_)
            return;
    }
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, text_.constData(), static_cast<int>(text_.size()), &st_, &tail);
    if (rc != SQLITE_OK)
        throwSqlite(db, rc, path);
    if (!st_)
        throw DaoError(err::InvalidOperation, {}, QStringLiteral("empty statement"));
    for (const char* p = tail; p && *p; ++p) {
        if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
            sqlite3_finalize(st_);
            st_ = nullptr;
            throw DaoError(err::TextAfterStatement);
        }
    }
}

Statement::~Statement()
{
    if (!st_)
        return;
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
    auto& slot = parked()[db_];
    if (slot.contains(text_) || slot.size() >= 64)
        sqlite3_finalize(st_);
    else
        slot.insert(text_, st_);
}

namespace {

// The bytes a text or a date is stored as, at the end of out. Most values are short
// plain ASCII (codes, amounts), whose UTF-16 units are their bytes.
void AppendStoredText(std::string& out, const Variant& v)
{
    if (v.kind() == Kind::Date) {
        const QDateTime dt = v.toDate();
        const QString s = dt.time() == QTime(0, 0) ? dt.date().toString(QStringLiteral("yyyy-MM-dd"))
                                                   : dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        out += s.toStdString();
        return;
    }
    const QString t = v.toText();
    const size_t start = out.size();
    for (const QChar c : t) {
        if (c.unicode() >= 0x80) {
            out.resize(start);
            out += t.toStdString();
            return;
        }
        out += static_cast<char>(c.unicode());
    }
}

} // namespace

void Statement::bind(const Params& params)
{
    const int expected = sqlite3_bind_parameter_count(st_);
    if (expected != static_cast<int>(params.size())) {
        const QString detail = QStringLiteral("%1 values given").arg(params.size());
        if (expected > static_cast<int>(params.size()))
            throw DaoError(err::TooFewParameters, QString::number(expected), detail);
        throw DaoError(err::TooFewParameters, QString::number(expected), QStringLiteral("too many: ") + detail);
    }
    // Texts are bound as they stand in this statement's own buffer, which holds them until
    // the next bind; the bindings are cleared before the statement is parked or freed.
    bytes_.clear();
    texts_.clear();
    for (int i = 0; i < expected; ++i) {
        const Variant& v = params[static_cast<size_t>(i)];
        switch (v.kind()) {
        case Kind::Null: sqlite3_bind_null(st_, i + 1); break;
        case Kind::Byte: case Kind::Integer: case Kind::Long: case Kind::Boolean:
            sqlite3_bind_int64(st_, i + 1, v.toInt64());
            break;
        case Kind::Double: case Kind::Currency: sqlite3_bind_double(st_, i + 1, v.toDouble()); break;
        case Kind::Date:
        case Kind::Text: {
            const size_t start = bytes_.size();
            AppendStoredText(bytes_, v);
            texts_.push_back({i + 1, start, bytes_.size() - start});
            break;
        }
        }
    }
    for (const BoundText& t : texts_)
        sqlite3_bind_text(st_, t.slot, bytes_.data() + t.start, static_cast<int>(t.size), SQLITE_STATIC);
}

bool Statement::step()
{
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throwSqlite(db_, rc, path_);
}

const char* TextosGuardados::Guarda(const char* p, int n)
{
    if (n <= 0)
        return "";
    const size_t largo = static_cast<size_t>(n);
    char* destino = nullptr;
    if (largo > kMaximo / 4) {
        // A long text takes a block of its own, leaving the current one to the short texts.
        grandes_.push_back(std::make_unique_for_overwrite<char[]>(largo));
        destino = grandes_.back().get();
    } else {
        if (largo > libre_) {
            tamano_ = std::min(tamano_ ? tamano_ * 2 : kPrimero, kMaximo);
            while (tamano_ < largo)
                tamano_ *= 2;
            bloques_.push_back(std::make_unique_for_overwrite<char[]>(tamano_));
            libre_ = tamano_;
        }
        destino = bloques_.back().get() + (tamano_ - libre_);
        libre_ -= largo;
    }
    std::memcpy(destino, p, largo);
    return destino;
}

void TextosGuardados::clear()
{
    bloques_.clear();
    grandes_.clear();
    tamano_ = 0;
    libre_ = 0;
}

StoredCell ColumnCell(sqlite3_stmt* st, int col, const ColumnType& type)
{
    StoredCell cell;
    const int storage = sqlite3_column_type(st, col);
    if (storage == SQLITE_NULL)
        return cell;
    // A text column reads a number in the engine's own text form.
    if (storage == SQLITE_INTEGER && type.kind != Kind::Text) {
        cell.tag = StoredCell::Integer;
        cell.i = sqlite3_column_int64(st, col);
        return cell;
    }
    if (storage == SQLITE_FLOAT && type.kind != Kind::Text) {
        cell.tag = StoredCell::Real;
        cell.d = sqlite3_column_double(st, col);
        return cell;
    }
    cell.tag = StoredCell::Text;
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    cell.p = p ? p : "";   // an empty text is empty, never missing
    cell.len = p ? sqlite3_column_bytes(st, col) : 0;
    return cell;
}

Variant CellValue(const StoredCell& cell, const ColumnType& type)
{
    Variant v;
    switch (cell.tag) {
    case StoredCell::Null: return v;
    case StoredCell::Integer:
        if (cell.i >= std::numeric_limits<qint32>::min() && cell.i <= std::numeric_limits<qint32>::max())
            v = Variant::fromLong(cell.i);
        else
            v = Variant(static_cast<double>(cell.i));
        break;
    case StoredCell::Real: v = Variant(cell.d); break;
    case StoredCell::Text: v = Variant(QString::fromUtf8(cell.p, cell.len)); break;
    }
    if (type.kind == Kind::Null || (type.kind == Kind::Text && v.kind() == Kind::Text))
        return v;
    try {
        return v.convertedTo(type.kind);
    } catch (const DaoError&) {
        // A value the declared type cannot hold (written by other means) is shown as stored.
        return v;
    }
}

Variant ReadColumn(sqlite3_stmt* st, int col, const ColumnType& type)
{
    return CellValue(ColumnCell(st, col, type), type);
}

QString QuoteIdent(const QString& name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

} // namespace dao
