#pragma once

// Shared by Database and Recordset; not part of the public interface.

#include "platform/db/DaoError.h"
#include "platform/db/Variant.h"

#include <QString>

#include <sqlite3.h>

#include <bit>
#include <memory>
#include <string>
#include <vector>

namespace dao {

struct Connection {
    sqlite3* db = nullptr;
    quint64 serial = 0;   // no two connections of the program share one
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
    struct BoundText {
        int slot;
        size_t start;
        size_t size;
    };
    std::string bytes_;               // the bound texts, one after another
    std::vector<BoundText> texts_;
};

// Finalizes the statements parked for db; call before closing it.
void FinalizeParked(sqlite3* db);

// Value of a column of the current row as the declared type reads it.
Variant ReadColumn(sqlite3_stmt* st, int col, const ColumnType& type);

// Items kept in blocks that never move once written: a set of thousands of rows grows a
// block at a time, never copying what it already holds into a larger buffer. Blocks start
// at Primero items and double up to Maximo (both powers of two), so that the many sets of
// a few rows stay small.
template <class T, size_t Primero, size_t Maximo>
class Bloques {
    static_assert(std::has_single_bit(Primero) && std::has_single_bit(Maximo) && Primero <= Maximo);
    static constexpr size_t kCrecientes = std::bit_width(Maximo / Primero) - 1;   // blocks below Maximo
    static constexpr size_t kEnCrecientes = Maximo - Primero;                    // the items they hold

public:
    size_t size() const { return n_; }
    T& operator[](size_t i) { return lugar(i); }
    const T& operator[](size_t i) const { return const_cast<Bloques*>(this)->lugar(i); }
    // A new item at the end, as T() makes it.
    T& Agrega()
    {
        if (n_ == capacidad_) {
            const size_t b = bloques_.size();
            const size_t tamano = b < kCrecientes ? Primero << b : Maximo;
            bloques_.push_back(std::make_unique<T[]>(tamano));
            capacidad_ += tamano;
        }
        return lugar(n_++);
    }
    void clear()
    {
        bloques_.clear();
        n_ = 0;
        capacidad_ = 0;
    }

private:
    T& lugar(size_t i)
    {
        if (i < kEnCrecientes) {
            const size_t b = std::bit_width(i / Primero + 1) - 1;
            return bloques_[b][i - Primero * ((size_t{1} << b) - 1)];
        }
        const size_t j = i - kEnCrecientes;
        return bloques_[kCrecientes + j / Maximo][j % Maximo];
    }

    std::vector<std::unique_ptr<T[]>> bloques_;
    size_t n_ = 0;
    size_t capacidad_ = 0;
};

// The text bytes of a set's cells, copied into blocks that stay where they are until the
// set lets them go, so that a cell can point at its bytes. Blocks start small and double.
class TextosGuardados {
public:
    const char* Guarda(const char* p, int n);
    void clear();

private:
    static constexpr size_t kPrimero = 1024;
    static constexpr size_t kMaximo = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> bloques_;
    std::vector<std::unique_ptr<char[]>> grandes_;   // one text each
    size_t tamano_ = 0;  // of the last block
    size_t libre_ = 0;   // bytes left at its end
};

// A column of a row kept as read, turned into its Variant only when asked for: a set of
// thousands of rows read at once costs a copy of their bytes, not a Variant per column.
// Text (and anything a text column reads as text) points at its bytes.
struct StoredCell {
    enum Tag : quint8 { Null, Integer, Real, Text };
    Tag tag = Null;
    int len = 0;            // Text: bytes
    union {
        qint64 i;
        double d;
        const char* p;      // Text: its first byte
    };
    StoredCell() : i(0) {}
};
// The column of the statement's current row; a text points at the engine's bytes, which
// last until the next step.
StoredCell ColumnCell(sqlite3_stmt* st, int col, const ColumnType& type);
// The same Variant ReadColumn gives for the value stored.
Variant CellValue(const StoredCell& cell, const ColumnType& type);
// "name" with embedded quotes doubled; identifiers from the schema only.
QString QuoteIdent(const QString& name);

} // namespace dao
