#include "common/CalculaControl.h"

#include "common/Cp1252.h"
#include "common/Runtime.h"
#include "platform/db/Recordset.h"

#include <cmath>
#include <cstdlib>

namespace zav {
namespace {

QString TextoCampo(const dao::Variant& v)
{
    switch (v.kind()) {
    case dao::Kind::Byte:
    case dao::Kind::Integer:
    case dao::Kind::Long:
    case dao::Kind::Double:
    case dao::Kind::Currency:
        return v.toText().trimmed();
    case dao::Kind::Date:
        return FormatDate(v.toDate().date(), QStringLiteral("yyyymmdd"));
    case dao::Kind::Text:
        return Trim(v.toText());
    default:
        return QString();
    }
}

// The last three digits of the sum written with twenty zeros; sums of whole numbers
// below 10^15 (every row's) need no text for that.
QString UltimosTres(double suma)
{
    if (suma == std::trunc(suma) && std::fabs(suma) < 1e15)
        return QStringLiteral("%1").arg(std::llabs(static_cast<long long>(suma)) % 1000, 3, 10, QLatin1Char('0'));
    return Right(Right(Format(suma, QStringLiteral("00000000000000000000")), 15), 3);
}

// A text of at most fifteen plain digits is the number it reads as, without the
// runtime's general reading (signs, separators, exponents).
bool Digitos(const QString& t, double& valor)
{
    if (t.isEmpty() || t.size() > 15)
        return false;
    qint64 n = 0;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        n = n * 10 + (c.unicode() - '0');
    }
    valor = static_cast<double>(n);
    return true;
}

} // namespace

QString CalculaControl(dao::Recordset& rs, int k)
{
    const int n = rs.FieldCount();
    double s1 = 0;
    for (int i = 0; i < k && i < n; ++i) {
        const dao::Variant v = rs.Fields(i).Value();
        switch (v.kind()) {
        case dao::Kind::Byte:
        case dao::Kind::Integer:
        case dao::Kind::Long:
            s1 += static_cast<double>(v.toInt64());
            continue;
        default:
            break;
        }
        const QString t = TextoCampo(v);
        double d = 0;
        if (Digitos(t, d))
            s1 += d;
        else if (IsNumeric(t))
            s1 += CDbl(t);
    }
    // Each product in 64 bits: the original's 16-bit product overflowed on long texts.
    qint64 s2 = 0;
    for (int i = k; i <= n - 2; ++i) {
        const QByteArray bytes = ToCp1252(TextoCampo(rs.Fields(i).Value()));
        for (qsizetype j = 0; j < bytes.size(); ++j)
            s2 += static_cast<qint64>(static_cast<unsigned char>(bytes[j])) * (j + 1);
    }
    return UltimosTres(s1) + UltimosTres(static_cast<double>(s2));
}

} // namespace zav
