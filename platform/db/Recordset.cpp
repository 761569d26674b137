#include "platform/db/Recordset.h"

#include "platform/db/SqliteSupport.h"

#include <QRegularExpression>

namespace dao {

namespace {

struct Column {
    QString name;
    QString decl;
    ColumnType type;
    QString table;      // origin table; empty for an expression
    QString origin;     // origin column
    Variant initial;    // value a new row starts with (the column's literal default)
};

struct Row {
    qint64 rowid = 0;
    // Rows read at open keep their columns raw (from `first` in Impl::cells); a row
    // written through the set holds its values as read back.
    std::vector<Variant> values;
    size_t first = 0;
    bool deleted = false;
};

// The literal default of a column, as the schema keeps it; anything but a
// plain number or quoted text starts as Null and is left to the engine.
Variant parseDefault(const QString& dflt)
{
    QString t = dflt.trimmed();
    while (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')')))
        t = t.mid(1, t.size() - 2).trimmed();
    if (t.isEmpty() || t.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return {};
    if (t.size() >= 2 && t.startsWith(QLatin1Char('\'')) && t.endsWith(QLatin1Char('\''))) {
        QString s = t.mid(1, t.size() - 2);
        s.replace(QStringLiteral("''"), QStringLiteral("'"));
        return Variant(s);
    }
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (ok)
        return Variant(d);
    return {};
}

} // namespace

struct Recordset::Impl {
    std::shared_ptr<Connection> conn;
    QString sql;
    Params params;
    int type = dbOpenDynaset;
    bool closed = false;

    std::vector<Column> cols;
    Bloques<Row, 8, 512> rows;
    Bloques<StoredCell, 16, 4096> cells;   // columns of the rows read at open, row after row
    TextosGuardados texts;             // their text bytes
    int pos = 0;                 // -1 before the first row, rows.size() after the last
    bool updatable = false;
    QString table;

    int editMode = dbEditNone;
    std::vector<Variant> buffer;
    std::vector<bool> dirty;
    int editRow = -1;

    sqlite3* db() const { return liveHandle(conn.get()); }

    void ensureOpen() const
    {
        if (closed)
            throw DaoError(err::ObjectInvalid);
        db();
    }

    int size() const { return static_cast<int>(rows.size()); }

    int deletedCount = 0;        // rows deleted through this set, still kept in place

    int visibleCount() const { return size() - deletedCount; }

    int nextVisible(int from) const
    {
        for (int i = std::max(from, 0); i < size(); ++i)
            if (!rows[static_cast<size_t>(i)].deleted)
                return i;
        return size();
    }

    int prevVisible(int from) const
    {
        for (int i = std::min(from, size() - 1); i >= 0; --i)
            if (!rows[static_cast<size_t>(i)].deleted)
                return i;
        return -1;
    }

    bool eof() const { return pos >= size() || visibleCount() == 0; }
    bool bof() const { return pos < 0 || visibleCount() == 0; }

    // The current row; 3021 when there is none, 3167 when it was deleted here.
    Row& current()
    {
        if (pos < 0 || pos >= size())
            throw DaoError(err::NoCurrentRecord);
        Row& r = rows[static_cast<size_t>(pos)];
        if (r.deleted)
            throw DaoError(err::RecordDeleted);
        return r;
    }

    void requireUpdatable() const
    {
        if (!updatable)
            throw DaoError(err::ReadOnly);
    }

    void endEdit()
    {
        editMode = dbEditNone;
        buffer.clear();
        dirty.clear();
        editRow = -1;
    }

    int checkIndex(int index) const
    {
        if (index < 0 || index >= static_cast<int>(cols.size()))
            throw DaoError(err::ItemNotFound);
        return index;
    }

    Variant value(const Row& r, size_t col) const
    {
        if (!r.values.empty())
            return r.values[col];
        return CellValue(cells[r.first + col], cols[col].type);
    }

    std::vector<Variant> values(const Row& r) const
    {
        if (!r.values.empty())
            return r.values;
        std::vector<Variant> v;
        v.reserve(cols.size());
        for (size_t i = 0; i < cols.size(); ++i)
            v.push_back(value(r, i));
        return v;
    }

    void load();
    void readDefaults();
    std::vector<Variant> fetchRow(qint64 rowid);
};

void Recordset::Impl::load()
{
    sqlite3* h = db();
    endEdit();
    cols.clear();
    rows.clear();
    cells.clear();
    texts.clear();
    deletedCount = 0;
    updatable = false;
    table.clear();

    Statement plain(h, sql, conn->path);
    const int n = sqlite3_column_count(plain.get());
    if (n == 0 || !sqlite3_stmt_readonly(plain.get()))
        throw DaoError(err::InvalidOperation, {}, QStringLiteral("not a SELECT"));
    bool oneTable = (type == dbOpenDynaset || type == dbOpenTable);
    for (int i = 0; i < n; ++i) {
        Column c;
        c.name = QString::fromUtf8(sqlite3_column_name(plain.get(), i));
        if (const char* d = sqlite3_column_decltype(plain.get(), i))
            c.decl = QString::fromUtf8(d);
        c.type = ParseDeclaredType(c.decl);
        if (const char* t = sqlite3_column_table_name(plain.get(), i))
            c.table = QString::fromUtf8(t);
        if (const char* o = sqlite3_column_origin_name(plain.get(), i))
            c.origin = QString::fromUtf8(o);
        const char* dbName = sqlite3_column_database_name(plain.get(), i);
        if (c.table.isEmpty() || !dbName || qstrcmp(dbName, "main") != 0
            || (!cols.empty() && c.table.compare(cols.front().table, Qt::CaseInsensitive) != 0))
            oneTable = false;
        cols.push_back(c);
    }

    // Writes go back by rowid, so an updatable set reads it as a hidden first column.
    static const QRegularExpression selectHead(QStringLiteral("^\\s*SELECT\\s+(?!DISTINCT\\b|ALL\\b)"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression grouping(QStringLiteral("\\b(GROUP\\s+BY|UNION|INTERSECT|EXCEPT)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    std::unique_ptr<Statement> withRowid;
    const QRegularExpressionMatch head = selectHead.match(sql);
    if (oneTable && head.hasMatch() && !grouping.match(sql).hasMatch()) {
        try {
            auto st = std::make_unique<Statement>(
                h, QStringLiteral("SELECT rowid, ") + sql.mid(head.capturedEnd()), conn->path);
            const char* t = sqlite3_column_table_name(st->get(), 0);
            if (sqlite3_column_count(st->get()) == n + 1 && t
                && cols.front().table.compare(QString::fromUtf8(t), Qt::CaseInsensitive) == 0)
                withRowid = std::move(st);
        } catch (const DaoError&) {
            // Not addressable by rowid (a view, a join): the set stays read-only.
        }
    }

    Statement& st = withRowid ? *withRowid : plain;
    const int off = withRowid ? 1 : 0;
    st.bind(params);
    bool rowidsOk = true;
    while (st.step()) {
        Row& r = rows.Agrega();
        if (off) {
            if (sqlite3_column_type(st.get(), 0) != SQLITE_INTEGER)
                rowidsOk = false;
            r.rowid = sqlite3_column_int64(st.get(), 0);
        }
        r.first = cells.size();
        for (int i = 0; i < n; ++i) {
            StoredCell& c = cells.Agrega();
            c = ColumnCell(st.get(), i + off, cols[static_cast<size_t>(i)].type);
            if (c.tag == StoredCell::Text)
                c.p = texts.Guarda(c.p, c.len);
        }
    }
    if (withRowid && rowidsOk) {
        updatable = true;
        table = cols.front().table;
        readDefaults();
    }
    pos = 0;
}

void Recordset::Impl::readDefaults()
{
    Statement st(db(), QStringLiteral("SELECT name, dflt_value FROM pragma_table_info(?)"), conn->path);
    st.bind({Variant(table)});
    while (st.step()) {
        const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
        if (sqlite3_column_type(st.get(), 1) == SQLITE_NULL)
            continue;
        const Variant dflt =
            parseDefault(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 1))));
        for (Column& c : cols) {
            if (c.origin.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            try {
                c.initial = dflt.storedAs(c.type.kind, c.type.size);
            } catch (const DaoError&) {
                c.initial = Variant();
            }
        }
    }
}

std::vector<Variant> Recordset::Impl::fetchRow(qint64 rowid)
{
    QStringList names;
    for (const Column& c : cols)
        names << QuoteIdent(c.origin);
    Statement st(db(),
                 QStringLiteral("SELECT ") + names.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                     + QuoteIdent(table) + QStringLiteral(" WHERE rowid = ?"),
                 conn->path);
    st.bind({Variant::fromLong(0)});
    sqlite3_bind_int64(st.get(), 1, rowid);
    std::vector<Variant> v;
    if (st.step())
        for (int i = 0; i < static_cast<int>(cols.size()); ++i)
            v.push_back(ReadColumn(st.get(), i, cols[static_cast<size_t>(i)].type));
    return v;
}

// ---- Field

QString Field::Name() const
{
    rs_->d_->ensureOpen();
    return rs_->d_->cols[static_cast<size_t>(index_)].name;
}

Kind Field::Type() const
{
    rs_->d_->ensureOpen();
    return rs_->d_->cols[static_cast<size_t>(index_)].type.kind;
}

QString Field::DeclaredType() const
{
    rs_->d_->ensureOpen();
    return rs_->d_->cols[static_cast<size_t>(index_)].decl;
}

int Field::Size() const
{
    rs_->d_->ensureOpen();
    return rs_->d_->cols[static_cast<size_t>(index_)].type.size;
}

Variant Field::Value() const
{
    Recordset::Impl& d = *rs_->d_;
    d.ensureOpen();
    if (d.editMode != dbEditNone)
        return d.buffer[static_cast<size_t>(index_)];
    return d.value(d.current(), static_cast<size_t>(index_));
}

void Field::setValue(const Variant& v)
{
    Recordset::Impl& d = *rs_->d_;
    d.ensureOpen();
    d.requireUpdatable();
    if (d.editMode == dbEditNone)
        throw DaoError(err::UpdateWithoutEdit);
    const Column& c = d.cols[static_cast<size_t>(index_)];
    d.buffer[static_cast<size_t>(index_)] = v.storedAs(c.type.kind, c.type.size);
    d.dirty[static_cast<size_t>(index_)] = true;
}

// ---- Recordset

Recordset::Recordset(std::unique_ptr<Impl> impl) : d_(std::move(impl)) {}
Recordset::~Recordset() = default;

std::unique_ptr<Recordset> Recordset::open(std::shared_ptr<Connection> conn, const QString& sql, int type,
                                           const Params& params)
{
    auto impl = std::make_unique<Impl>();
    impl->conn = std::move(conn);
    impl->sql = sql;
    impl->params = params;
    impl->type = type;
    impl->load();
    return std::unique_ptr<Recordset>(new Recordset(std::move(impl)));
}

bool Recordset::Eof() const
{
    d_->ensureOpen();
    return d_->eof();
}

bool Recordset::Bof() const
{
    d_->ensureOpen();
    return d_->bof();
}

void Recordset::MoveFirst()
{
    d_->ensureOpen();
    if (d_->visibleCount() == 0)
        throw DaoError(err::NoCurrentRecord);
    d_->endEdit();
    d_->pos = d_->nextVisible(0);
}

void Recordset::MoveLast()
{
    d_->ensureOpen();
    if (d_->visibleCount() == 0)
        throw DaoError(err::NoCurrentRecord);
    d_->endEdit();
    d_->pos = d_->prevVisible(d_->size() - 1);
}

void Recordset::MoveNext()
{
    d_->ensureOpen();
    if (d_->eof())
        throw DaoError(err::NoCurrentRecord);
    d_->endEdit();
    d_->pos = d_->nextVisible(d_->pos + 1);
}

void Recordset::MovePrevious()
{
    d_->ensureOpen();
    if (d_->bof())
        throw DaoError(err::NoCurrentRecord);
    d_->endEdit();
    d_->pos = d_->prevVisible(d_->pos - 1);
}

int Recordset::RecordCount() const
{
    d_->ensureOpen();
    return d_->visibleCount();
}

int Recordset::AbsolutePosition() const
{
    d_->ensureOpen();
    if (d_->pos < 0 || d_->pos >= d_->size() || d_->rows[static_cast<size_t>(d_->pos)].deleted)
        return -1;
    if (d_->deletedCount == 0)
        return d_->pos;
    int n = 0;
    for (int i = 0; i < d_->pos; ++i)
        n += d_->rows[static_cast<size_t>(i)].deleted ? 0 : 1;
    return n;
}

void Recordset::setAbsolutePosition(int position)
{
    d_->ensureOpen();
    if (position < 0 || position >= d_->visibleCount())
        throw DaoError(err::InvalidArgument);
    d_->endEdit();
    if (d_->deletedCount == 0) {
        d_->pos = position;
        return;
    }
    int n = -1;
    for (int i = 0; i < d_->size(); ++i) {
        if (!d_->rows[static_cast<size_t>(i)].deleted && ++n == position) {
            d_->pos = i;
            return;
        }
    }
}

int Recordset::FieldCount() const
{
    d_->ensureOpen();
    return static_cast<int>(d_->cols.size());
}

Field Recordset::Fields(int index)
{
    d_->ensureOpen();
    return Field(this, d_->checkIndex(index));
}

Field Recordset::Fields(const QString& name)
{
    d_->ensureOpen();
    // Names of another length cannot match whatever their case: most columns fail cheaply.
    for (size_t i = 0; i < d_->cols.size(); ++i) {
        const QString& col = d_->cols[i].name;
        if (col.size() == name.size() && col.compare(name, Qt::CaseInsensitive) == 0)
            return Field(this, static_cast<int>(i));
    }
    throw DaoError(err::ItemNotFound, {}, name);
}

bool Recordset::Updatable() const
{
    d_->ensureOpen();
    return d_->updatable;
}

int Recordset::EditMode() const
{
    d_->ensureOpen();
    return d_->editMode;
}

void Recordset::AddNew()
{
    d_->ensureOpen();
    d_->requireUpdatable();
    d_->endEdit();
    for (const Column& c : d_->cols)
        d_->buffer.push_back(c.initial);
    d_->dirty.assign(d_->cols.size(), false);
    d_->editMode = dbEditAdd;
}

void Recordset::Edit()
{
    d_->ensureOpen();
    d_->requireUpdatable();
    const Row& r = d_->current();
    d_->endEdit();
    d_->buffer = d_->values(r);
    d_->dirty.assign(d_->cols.size(), false);
    d_->editRow = d_->pos;
    d_->editMode = dbEditInProgress;
}

void Recordset::Update()
{
    Impl& d = *d_;
    d.ensureOpen();
    if (d.editMode == dbEditNone)
        throw DaoError(err::UpdateWithoutEdit);
    sqlite3* h = d.db();
    QStringList names;
    Params values;
    for (size_t i = 0; i < d.cols.size(); ++i) {
        if (!d.dirty[i] || names.contains(QuoteIdent(d.cols[i].origin)))
            continue;
        // A column selected twice takes the value last assigned to it.
        size_t last = i;
        for (size_t j = i + 1; j < d.cols.size(); ++j)
            if (d.dirty[j] && d.cols[j].origin.compare(d.cols[i].origin, Qt::CaseInsensitive) == 0)
                last = j;
        names << QuoteIdent(d.cols[i].origin);
        values.push_back(d.buffer[last]);
    }

    if (d.editMode == dbEditAdd) {
        QString sql = QStringLiteral("INSERT INTO ") + QuoteIdent(d.table);
        if (names.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql += QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (")
                   + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        Statement st(h, sql, d.conn->path);
        st.bind(values);
        st.step();
        Row r;
        r.rowid = sqlite3_last_insert_rowid(h);
        r.values = d.fetchRow(r.rowid);
        if (r.values.empty())
            r.values = d.buffer;
        const bool atEnd = d.pos >= d.size();
        d.rows.Agrega() = std::move(r);
        if (atEnd)
            d.pos = d.size();
        d.endEdit();
        return;
    }

    if (!names.isEmpty()) {
        QStringList sets;
        for (const QString& n : names)
            sets << n + QStringLiteral(" = ?");
        Statement st(h,
                     QStringLiteral("UPDATE ") + QuoteIdent(d.table) + QStringLiteral(" SET ")
                         + sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE rowid = ?"),
                     d.conn->path);
        Row& r = d.rows[static_cast<size_t>(d.editRow)];
        values.push_back(Variant::fromLong(0));
        st.bind(values);
        sqlite3_bind_int64(st.get(), static_cast<int>(values.size()), r.rowid);
        st.step();
        if (sqlite3_changes(h) == 0)
            throw DaoError(err::RecordDeleted, {}, QStringLiteral("the row is gone from the table"));
        std::vector<Variant> fresh = d.fetchRow(r.rowid);
        r.values = fresh.empty() ? d.buffer : std::move(fresh);
    }
    d.endEdit();
}

void Recordset::CancelUpdate()
{
    d_->ensureOpen();
    if (d_->editMode == dbEditNone)
        throw DaoError(err::UpdateWithoutEdit);
    d_->endEdit();
}

void Recordset::Delete()
{
    Impl& d = *d_;
    d.ensureOpen();
    d.requireUpdatable();
    Row& r = d.current();
    d.endEdit();
    Statement st(d.db(), QStringLiteral("DELETE FROM ") + QuoteIdent(d.table) + QStringLiteral(" WHERE rowid = ?"),
                 d.conn->path);
    st.bind({Variant::fromLong(0)});
    sqlite3_bind_int64(st.get(), 1, r.rowid);
    st.step();
    // The row stays current, as a deleted one, until the next move.
    r.deleted = true;
    ++d.deletedCount;
}

void Recordset::Requery()
{
    d_->ensureOpen();
    d_->load();
}

void Recordset::Close()
{
    d_->closed = true;
    d_->rows.clear();
    d_->cells.clear();
    d_->texts.clear();
    d_->deletedCount = 0;
    d_->endEdit();
    d_->conn.reset();
}

} // namespace dao
