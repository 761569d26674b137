#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <vector>

namespace dao {

// The value kinds of the engine the module was written against.
enum class Kind { Null, Byte, Integer, Long, Double, Currency, Date, Text, Boolean };

QString KindName(Kind k);

class Variant {
public:
    Variant() = default;                // Null
    Variant(const QString& s);          // Text
    Variant(const char* s);             // Text (keeps literals away from the bool overload)
    Variant(int v);                     // Long
    Variant(double v);                  // Double
    Variant(bool v);                    // Boolean
    Variant(const QDate& d);            // Date, time 00:00:00
    Variant(const QDateTime& dt);       // Date

    static Variant Null() { return {}; }
    static Variant fromByte(int v);                 // 0..255, else 3349
    static Variant fromInteger(int v);              // 16-bit, else 3349
    static Variant fromLong(qint64 v);              // 32-bit, else 3349
    static Variant fromCurrency(double v);          // rounded to 4 decimals
    static Variant fromCurrencyScaled(qint64 scaled);

    Kind kind() const { return k_; }
    bool isNull() const { return k_ == Kind::Null; }
    bool isNumeric() const;             // Byte, Integer, Long, Double, Currency

    // Numbers as numbers, Boolean as -1/0, Date as its day serial (days since
    // 1899-12-30), numeric text as its value; Null and other text give 0 and ok=false.
    double toDouble(bool* ok = nullptr) const;
    // toDouble rounded half to even.
    qint64 toInt64(bool* ok = nullptr) const;
    qint64 currencyScaled() const { return k_ == Kind::Currency ? i_ : 0; }

    // Null gives ""; numbers in the invariant form (point, up to 15 significant
    // digits); Date as dd/MM/yyyy (plus HH:mm:ss when it has a time); Boolean "True"/"False".
    QString toText() const;
    // Date as is; text in ISO or dd/MM/yyyy form parsed; a number as a day serial;
    // otherwise an invalid QDateTime.
    QDateTime toDate() const;
    bool toBool() const;

    // The value converted to the kind of a field, as storing it there would.
    // maxLength > 0 limits text (3163). Null stays Null. Throws DaoError 3421
    // (not convertible) or 3349 (out of range).
    Variant convertedTo(Kind kind, int maxLength = 0) const;
    // The value as a column of that declared kind keeps it: converted as above, or as it
    // is for a column without a declared type (kind Null).
    Variant storedAs(Kind kind, int maxLength = 0) const
    {
        return kind == Kind::Null ? *this : convertedTo(kind, maxLength);
    }

    bool operator==(const Variant& o) const;
    bool operator!=(const Variant& o) const { return !(*this == o); }

private:
    Kind k_ = Kind::Null;
    qint64 i_ = 0;      // Byte, Integer, Long, Boolean (-1/0), Currency (x10000)
    double d_ = 0;      // Double
    QString s_;         // Text
    QDateTime t_;       // Date
};

using Params = std::vector<Variant>;

// Day serial <-> date, the way the engine counts days (0 = 1899-12-30).
double DateToSerial(const QDateTime& dt);
QDateTime SerialToDate(double serial);
// Text forms accepted for dates: yyyy-MM-dd[ HH:mm[:ss]], yyyy-MM-ddTHH:mm:ss, dd/MM/yyyy[ HH:mm[:ss]].
QDateTime ParseDateText(const QString& s);

} // namespace dao
