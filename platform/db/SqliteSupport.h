#pragma once

// Shared by Database and Recordset; not part of the public interface.

#include "platform/db/DaoError.h"
#include "platform/db/Variant.h"

#include <QString>

#include <sqlite3.h>

namespace dao {

struct Connection {
    sqlite3* db = nullptr;
    QString path;
    int transLevel = 0;
    bool readOnly = false;
};

// Connection that is still open, else 3420.
sqlite3* liveHandle(const Connection* c);

// Type of a column from its declared type.
struct ColumnType {
    Kind kind = Kind::Null;   // Null: no declared type (or one we do not know)
    int size = 0;             // TEXT(n) limit
};
ColumnType ParseDeclaredType(const QString& decl);

// The error of a failed call on db.
[[noreturn]] void throwSqlite(sqlite3* db, int rc, const QString& path);

class Statement {
public:
    // One statement; anything after it but blanks and ';' gives 3142.
    Statement(sqlite3* db, const QString& sql, const QString& path);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(const Params& params);   // 3061 on a wrong count
    bool step();                       // true while a row is there
    sqlite3_stmt* get() const { return st_; }

private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
    QString path_;
    QByteArray text_;
};

// Finalizes the statements parked for db; call before closing it.
void FinalizeParked(sqlite3* db);

// Value of a column of the current row as the declared type reads it.
Variant ReadColumn(sqlite3_stmt* st, int col, const ColumnType& type);

// A column of a row kept as read, turned into its Variant only when asked for: a set
// of thousands of rows read at once costs a copy of their bytes, not a Variant per
// column. Text (and anything a text column reads as text) goes into a shared buffer.
struct StoredCell {
    enum Tag : quint8 { Null, Integer, Real, Text };
    Tag tag = Null;
    int len = 0;            // Text: bytes
    union {
        qint64 i;
        double d;
        qsizetype off;      // Text: where its bytes start
    };
    StoredCell() : i(0) {}
};
void StoreColumn(sqlite3_stmt* st, int col, const ColumnType& type, StoredCell& cell, QByteArray& texts);
// The same Variant ReadColumn gives for the value stored.
Variant CellValue(const StoredCell& cell, const QByteArray& texts, const ColumnType& type);
// Stores a value in a parameter slot.
void BindValue(sqlite3_stmt* st, int slot, const Variant& v);
// "name" with embedded quotes doubled; identifiers from the schema only.
QString QuoteIdent(const QString& name);

} // namespace dao
