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
void UltimosTres(double suma, QChar* destino)
{
    if (suma == std::trunc(suma) && std::fabs(suma) < 1e15) {
        long long n = std::llabs(static_cast<long long>(suma)) % 1000;
        for (int i = 2; i >= 0; --i, n /= 10)
            destino[i] = QLatin1Char(static_cast<char>('0' + n % 10));
        return;
    }
    const QString t = Right(Right(Format(suma, QStringLiteral("00000000000000000000")), 15), 3);
    for (int i = 0; i < 3; ++i)
        destino[i] = i < t.size() ? t[i] : QLatin1Char(' ');
}

// A text without the blanks around it (Trim), as a view.
QStringView SinBlancos(QStringView t)
{
    while (!t.isEmpty() && t.front() == QLatin1Char(' '))
        t = t.mid(1);
    while (!t.isEmpty() && t.back() == QLatin1Char(' '))
        t.chop(1);
    return t;
}

// A text of at most fifteen plain digits is the number it reads as, without the
// runtime's general reading (signs, separators, exponents).
bool Digitos(QStringView t, double& valor)
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

// Each product in 64 bits: the original's 16-bit product overflowed on long texts. Below
// 0x80 a character's code-page code is its own.
qint64 SumaPonderada(const dao::Variant& v)
{
    qint64 s = 0;
    if (v.kind() == dao::Kind::Text) {
        const QString texto = v.toText();
        const QStringView t = SinBlancos(texto);
        qsizetype j = 0;
        for (; j < t.size() && t[j].unicode() < 0x80; ++j)
            s += static_cast<qint64>(t[j].unicode()) * (j + 1);
        if (j == t.size())
            return s;
    }
    const QByteArray bytes = ToCp1252(TextoCampo(v));
    s = 0;
    for (qsizetype j = 0; j < bytes.size(); ++j)
        s += static_cast<qint64>(static_cast<unsigned char>(bytes[j])) * (j + 1);
    return s;
}

} // namespace

QString CalculaControl(const dao::Params& campos, int k)
{
    const int n = static_cast<int>(campos.size());
    double s1 = 0;
    for (int i = 0; i < k && i < n; ++i) {
        const dao::Variant& v = campos[static_cast<size_t>(i)];
        switch (v.kind()) {
        case dao::Kind::Byte:
        case dao::Kind::Integer:
        case dao::Kind::Long:
            s1 += static_cast<double>(v.toInt64());
            continue;
        default:
            break;
        }
        double d = 0;
        if (v.kind() == dao::Kind::Text) {
            const QString texto = v.toText();
            if (Digitos(SinBlancos(texto), d)) {
                s1 += d;
                continue;
            }
        }
        const QString t = TextoCampo(v);
        if (Digitos(t, d))
            s1 += d;
        else if (IsNumeric(t))
            s1 += CDbl(t);
    }
    qint64 s2 = 0;
    for (int i = k; i <= n - 2; ++i)
        s2 += SumaPonderada(campos[static_cast<size_t>(i)]);
    QString control(6, Qt::Uninitialized);
    UltimosTres(s1, control.data());
    UltimosTres(static_cast<double>(s2), control.data() + 3);
    return control;
}

QString CalculaControl(dao::Recordset& rs, int k)
{
    dao::Params campos;
    campos.reserve(static_cast<size_t>(rs.FieldCount()));
    for (int i = 0; i < rs.FieldCount(); ++i)
        campos.push_back(rs.Fields(i).Value());
    return CalculaControl(campos, k);
}

} // namespace zav
