#include "platform/db/Variant.h"

#include "platform/db/DaoError.h"

#include <cmath>
#include <limits>

namespace dao {

namespace {

const QDate kSerialEpoch(1899, 12, 30);
constexpr qint64 kCurrencyScale = 10000;
// Largest amount the 64-bit scaled currency holds.
constexpr double kCurrencyMax = 922337203685477.5807;

double roundHalfEven(double v) { return std::nearbyint(v); }

bool parseNumber(const QString& s, double* out)
{
    const QString t = s.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *out = d;
    return true;
}

// The numeric value a conversion to a number kind starts from; 3421 when there is none.
double numericSource(const Variant& v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        throw DaoError(err::ConversionError);
    return d;
}

qint64 wholeInRange(double d, qint64 lo, qint64 hi)
{
    const double r = roundHalfEven(d);
    if (r < static_cast<double>(lo) || r > static_cast<double>(hi))
        throw DaoError(err::NumericOverflow);
    return static_cast<qint64>(r);
}

} // namespace

QString KindName(Kind k)
{
    switch (k) {
    case Kind::Null: return QStringLiteral("Null");
    case Kind::Byte: return QStringLiteral("Byte");
    case Kind::Integer: return QStringLiteral("Integer");
    case Kind::Long: return QStringLiteral("Long");
    case Kind::Double: return QStringLiteral("Double");
    case Kind::Currency: return QStringLiteral("Currency");
    case Kind::Date: return QStringLiteral("Date");
    case Kind::Text: return QStringLiteral("Text");
    case Kind::Boolean: return QStringLiteral("Boolean");
    }
    return {};
}

Variant::Variant(const QString& s) : k_(Kind::Text), s_(s) {}
Variant::Variant(const char* s) : k_(Kind::Text), s_(QString::fromUtf8(s)) {}
Variant::Variant(int v) : k_(Kind::Long), i_(v) {}
Variant::Variant(double v) : k_(Kind::Double), d_(v) {}
Variant::Variant(bool v) : k_(Kind::Boolean), i_(v ? -1 : 0) {}
Variant::Variant(const QDate& d) : k_(Kind::Date), t_(d, QTime(0, 0)) {}
Variant::Variant(const QDateTime& dt) : k_(Kind::Date), t_(dt) {}

Variant Variant::fromByte(int v)
{
    Variant r;
    r.k_ = Kind::Byte;
    r.i_ = wholeInRange(v, 0, 255);
    return r;
}

Variant Variant::fromInteger(int v)
{
    Variant r;
    r.k_ = Kind::Integer;
    r.i_ = wholeInRange(v, -32768, 32767);
    return r;
}

Variant Variant::fromLong(qint64 v)
{
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        throw DaoError(err::NumericOverflow);
    Variant r;
    r.k_ = Kind::Long;
    r.i_ = v;
    return r;
}

Variant Variant::fromCurrency(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > kCurrencyMax)
        throw DaoError(err::NumericOverflow);
    return fromCurrencyScaled(static_cast<qint64>(roundHalfEven(v * kCurrencyScale)));
}

Variant Variant::fromCurrencyScaled(qint64 scaled)
{
    Variant r;
    r.k_ = Kind::Currency;
    r.i_ = scaled;
    return r;
}

bool Variant::isNumeric() const
{
    switch (k_) {
    case Kind::Byte: case Kind::Integer: case Kind::Long: case Kind::Double: case Kind::Currency:
        return true;
    default:
        return false;
    }
}

double Variant::toDouble(bool* ok) const
{
    bool good = true;
    double d = 0;
    switch (k_) {
    case Kind::Byte: case Kind::Integer: case Kind::Long: case Kind::Boolean:
        d = static_cast<double>(i_);
        break;
    case Kind::Currency: d = static_cast<double>(i_) / kCurrencyScale; break;
    case Kind::Double: d = d_; break;
    case Kind::Date:
        good = t_.isValid();
        d = good ? DateToSerial(t_) : 0;
        break;
    case Kind::Text: good = parseNumber(s_, &d); break;
    case Kind::Null: good = false; break;
    }
    if (ok)
        *ok = good;
    return good ? d : 0;
}

qint64 Variant::toInt64(bool* ok) const
{
    if (k_ == Kind::Byte || k_ == Kind::Integer || k_ == Kind::Long || k_ == Kind::Boolean) {
        if (ok)
            *ok = true;
        return i_;
    }
    bool good = false;
    const double d = toDouble(&good);
    const double r = roundHalfEven(d);
    if (good && (r < -9.2e18 || r > 9.2e18))
        good = false;
    if (ok)
        *ok = good;
    return good ? static_cast<qint64>(r) : 0;
}

QString Variant::toText() const
{
    switch (k_) {
    case Kind::Null: return {};
    case Kind::Byte: case Kind::Integer: case Kind::Long: return QString::number(i_);
    case Kind::Boolean: return i_ ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Double: {
        if (d_ == 0)
            return QStringLiteral("0");
        QString s = QString::number(d_, 'g', 15);
        s.replace(QLatin1Char('e'), QLatin1Char('E'));
        return s;
    }
    case Kind::Currency: {
        const bool neg = i_ < 0;
        const quint64 a = neg ? static_cast<quint64>(-(i_ + 1)) + 1 : static_cast<quint64>(i_);
        QString s = QString::number(a / kCurrencyScale);
        const quint64 frac = a % kCurrencyScale;
        if (frac) {
            QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
            while (f.endsWith(QLatin1Char('0')))
                f.chop(1);
            s += QLatin1Char('.') + f;
        }
        return neg ? QLatin1Char('-') + s : s;
    }
    case Kind::Date: {
        if (!t_.isValid())
            return {};
        if (t_.time() == QTime(0, 0))
            return t_.date().toString(QStringLiteral("dd/MM/yyyy"));
        return t_.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    case Kind::Text: return s_;
    }
    return {};
}

QDateTime Variant::toDate() const
{
    switch (k_) {
    case Kind::Date: return t_;
    case Kind::Text: return ParseDateText(s_);
    case Kind::Null: return {};
    default: {
        bool ok = false;
        const double d = toDouble(&ok);
        return ok ? SerialToDate(d) : QDateTime();
    }
    }
}

bool Variant::toBool() const
{
    switch (k_) {
    case Kind::Null: return false;
    case Kind::Text: {
        const QString t = s_.trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("on"))
            return true;
        double d = 0;
        return parseNumber(t, &d) && d != 0;
    }
    case Kind::Date: return t_.isValid() && DateToSerial(t_) != 0;
    case Kind::Double: return d_ != 0;
    default: return i_ != 0;
    }
}

Variant Variant::convertedTo(Kind kind, int maxLength) const
{
    if (k_ == Kind::Null || kind == Kind::Null)
        return {};
    switch (kind) {
    case Kind::Text: {
        const QString s = toText();
        if (maxLength > 0 && s.size() > maxLength)
            throw DaoError(err::FieldTooSmall);
        return Variant(s);
    }
    case Kind::Byte: {
        Variant r;
        r.k_ = Kind::Byte;
        r.i_ = wholeInRange(numericSource(*this), 0, 255);
        return r;
    }
    case Kind::Integer: {
        Variant r;
        r.k_ = Kind::Integer;
        r.i_ = wholeInRange(numericSource(*this), -32768, 32767);
        return r;
    }
    case Kind::Long: {
        Variant r;
        r.k_ = Kind::Long;
        r.i_ = wholeInRange(numericSource(*this), std::numeric_limits<qint32>::min(),
                            std::numeric_limits<qint32>::max());
        return r;
    }
    case Kind::Double: {
        if (k_ == Kind::Double)
            return *this;
        return Variant(numericSource(*this));
    }
    case Kind::Currency: {
        if (k_ == Kind::Currency)
            return *this;
        return fromCurrency(numericSource(*this));
    }
    case Kind::Date: {
        if (k_ == Kind::Date)
            return *this;
        const QDateTime dt = toDate();
        if (!dt.isValid())
            throw DaoError(err::ConversionError);
        return Variant(dt);
    }
    case Kind::Boolean: {
        if (k_ == Kind::Text) {
            const QString t = s_.trimmed().toLower();
            if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("on"))
                return Variant(true);
            if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("off"))
                return Variant(false);
            return Variant(numericSource(*this) != 0);
        }
        return Variant(toBool());
    }
    case Kind::Null: break;
    }
    return {};
}

bool Variant::operator==(const Variant& o) const
{
    if (k_ != o.k_)
        return false;
    switch (k_) {
    case Kind::Null: return true;
    case Kind::Double: return d_ == o.d_;
    case Kind::Text: return s_ == o.s_;
    case Kind::Date: return t_ == o.t_;
    default: return i_ == o.i_;
    }
}

double DateToSerial(const QDateTime& dt)
{
    const qint64 days = kSerialEpoch.daysTo(dt.date());
    const double frac = dt.time().msecsSinceStartOfDay() / 86400000.0;
    // Before the epoch the fraction counts away from zero, as the engine stores it.
    return days >= 0 ? days + frac : days - frac;
}

QDateTime SerialToDate(double serial)
{
    if (!std::isfinite(serial) || std::fabs(serial) > 3.0e6)
        return {};
    const double whole = std::trunc(serial);
    const double frac = std::fabs(serial - whole);
    const qint64 ms = static_cast<qint64>(std::llround(frac * 86400000.0));
    QDateTime dt(kSerialEpoch.addDays(static_cast<qint64>(whole)), QTime(0, 0));
    return dt.addMSecs(ms);
}

QDateTime ParseDateText(const QString& s)
{
    const QString t = s.trimmed();
    static const char* const formats[] = {
        "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm",
        "dd/MM/yyyy", "dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm", "d/M/yyyy", "d/M/yyyy H:mm:ss",
    };
    for (const char* f : formats) {
        const QString fmt = QString::fromLatin1(f);
        QDateTime dt = QDateTime::fromString(t, fmt);
        if (dt.isValid())
            return dt;
        if (!fmt.contains(QLatin1Char('H'))) {
            const QDate d = QDate::fromString(t, fmt);
            if (d.isValid())
                return QDateTime(d, QTime(0, 0));
        }
    }
    return {};
}

} // namespace dao
