#pragma once

#include "platform/db/DaoError.h"
#include "platform/db/Variant.h"

#include <QString>

#include <memory>
#include <vector>

namespace dao {

struct Connection;
class Recordset;

enum RecordsetType { dbOpenTable = 1, dbOpenDynaset = 2, dbOpenSnapshot = 4, dbOpenForwardOnly = 8 };
enum EditModeValue { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };

// A handle on one field of a recordset's current row (or of its edit buffer).
class Field {
public:
    QString Name() const;
    Kind Type() const;             // kind from the declared type (Null when there is none)
    QString DeclaredType() const;
    int Size() const;              // text length limit, 0 when none
    Variant Value() const;
    void setValue(const Variant& v);
    Field& operator=(const Variant& v) { setValue(v); return *this; }
    Field& operator=(const Field& other) { setValue(other.Value()); return *this; }
    Field(const Field&) = default;
    operator Variant() const { return Value(); }

private:
    friend class Recordset;
    Field(Recordset* rs, int index) : rs_(rs), index_(index) {}
    Recordset* rs_;
    int index_;
};

class Recordset {
public:
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // EOF is a macro of the C library, hence Eof/Bof.
    bool Eof() const;
    bool Bof() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // Every row is read at open, so this is the full count at once (no need
    // for MoveLast first); rows added or deleted here are counted.
    int RecordCount() const;
    // 0-based position of the current row; -1 when there is none.
    int AbsolutePosition() const;
    void setAbsolutePosition(int pos);   // 3001 outside 0..RecordCount-1

    int FieldCount() const;
    Field Fields(int index);             // by position in the select's column order; 3265
    Field Fields(const QString& name);   // case-insensitive; 3265

    bool Updatable() const;
    int EditMode() const;
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    // Runs the query again with the same parameters; the first row becomes current.
    void Requery();
    void Close();

private:
    friend class Database;
    friend class Field;
    struct Impl;
    explicit Recordset(std::unique_ptr<Impl> impl);
    static std::unique_ptr<Recordset> open(std::shared_ptr<Connection> conn, const QString& sql, int type,
                                           const Params& params);
    std::unique_ptr<Impl> d_;
};

} // namespace dao
