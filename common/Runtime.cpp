#include "common/Runtime.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <stdlib.h>

namespace zav {

QString TextoError(int number)
{
    switch (number) {
    case 5: return QStringLiteral("Llamada a un procedimiento o argumento no válido.");
    case ErrOverflow: return QStringLiteral("Desbordamiento: el número no cabe en su tipo.");
    case 7: return QStringLiteral("Memoria insuficiente.");
    case ErrTypeMismatch: return QStringLiteral("Los tipos de dato no coinciden.");
    case 52: return QStringLiteral("Nombre o número de archivo no válido.");
    case 53: return QStringLiteral("No se encuentra el archivo.");
    case 57: return QStringLiteral("Error de entrada o salida en el dispositivo.");
    case 75: return QStringLiteral("Error de acceso a la ruta o al archivo.");
    case 76: return QStringLiteral("No se encuentra la ruta.");
    case 91: return QStringLiteral("La variable de objeto no está asignada.");
    case 94: return QStringLiteral("Uso no válido de un valor nulo (Null).");
    case 482: return QStringLiteral("Error de la impresora.");
    default: return QString();
    }
}

namespace {

QString DescripcionError(int number, const QString& detail)
{
    QString texto = TextoError(number);
    if (texto.isEmpty())
        return detail;
    if (detail.isEmpty())
        return texto;
    texto.chop(1);   // the text's closing period goes after the detail
    return texto + QStringLiteral(": ") + detail + QLatin1Char('.');
}

} // namespace

RuntimeError::RuntimeError(int number, const QString& detail)
    : std::runtime_error(DescripcionError(number, detail).toStdString())
    , Number(number)
{
}

namespace {

[[noreturn]] void overflow()
{
    throw RuntimeError(ErrOverflow);
}

[[noreturn]] void typeMismatch()
{
    throw RuntimeError(ErrTypeMismatch);
}

// |v| as at most 15 significant digits: digits without trailing zeros and the power of
// ten of the first one. Zero gives empty digits.
struct Digits15 {
    QString digits;
    int exponent = 0;
};

Digits15 toDigits15(double v)
{
    Digits15 r;
    v = std::fabs(v);
    if (v == 0)
        return r;
    // d.dddddddddddddde±x, correctly rounded and independent of the locale
    const QString s = QString::number(v, 'e', 14);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    r.digits = s.left(1) + s.mid(2, e - 2);
    r.exponent = s.mid(e + 1).toInt();
    while (r.digits.endsWith(QLatin1Char('0')))
        r.digits.chop(1);
    return r;
}

// |v| reduced to 15 significant digits and rounded half away from zero to `decimals`.
// intPart has no leading zeros ("" for zero); frac has exactly `decimals` digits.
struct Fixed {
    QString intPart;
    QString frac;
    bool isZero() const
    {
        for (QChar c : intPart + frac)
            if (c != QLatin1Char('0'))
                return false;
        return true;
    }
};

// An exact decimal (intPart, frac: digits) rounded half away from zero to `decimals`.
Fixed roundFixed(QString intPart, QString frac, int decimals)
{
    bool up = frac.size() > decimals && frac[decimals] >= QLatin1Char('5');
    frac = frac.left(decimals);
    frac += QString(decimals - frac.size(), QLatin1Char('0'));
    if (up) {
        QString all = intPart + frac;
        qsizetype i = all.size() - 1;
        for (; i >= 0; --i) {
            if (all[i] == QLatin1Char('9')) {
                all[i] = QLatin1Char('0');
            } else {
                all[i] = QChar(all[i].unicode() + 1);
                break;
            }
        }
        if (i < 0)
            all.prepend(QLatin1Char('1'));
        intPart = all.left(all.size() - decimals);
        frac = all.right(decimals);
    }
    while (intPart.startsWith(QLatin1Char('0')))
        intPart.remove(0, 1);
    return {intPart, frac};
}

Fixed toFixed(double v, int decimals)
{
    // A whole number below 10^15 already has at most 15 digits: nothing to round.
    const double a = std::fabs(v);
    if (a < 1e15 && a == std::trunc(a))
        return {a == 0 ? QString() : QString::number(static_cast<qint64>(a)), QString(decimals, QLatin1Char('0'))};
    const Digits15 d = toDigits15(v);
    QString intPart;
    QString frac;
    if (!d.digits.isEmpty()) {
        if (d.exponent >= 0) {
            QString all = d.digits;
            if (all.size() < d.exponent + 1)
                all += QString(d.exponent + 1 - all.size(), QLatin1Char('0'));
            intPart = all.left(d.exponent + 1);
            frac = all.mid(d.exponent + 1);
        } else {
            frac = QString(-d.exponent - 1, QLatin1Char('0')) + d.digits;
        }
    }
    return roundFixed(intPart, frac, decimals);
}

// |cur| / 10000 with every digit, rounded half away from zero to `decimals`.
Fixed curToFixed(qint64 cur, int decimals)
{
    const quint64 a = cur < 0 ? 0 - static_cast<quint64>(cur) : static_cast<quint64>(cur);
    const quint64 whole = a / 10000;
    return roundFixed(whole == 0 ? QString() : QString::number(whole),
                      QString::number(a % 10000).rightJustified(4, QLatin1Char('0')), decimals);
}

// One section of a number mask, split into its parts.
struct Token {
    enum Kind { Zero, Hash, Point, Comma, Literal } kind;
    QString text;
    bool isDigit() const { return kind == Zero || kind == Hash; }
};

QList<QString> splitSections(const QString& mask)
{
    QList<QString> sections{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (!quoted && c == QLatin1Char(';')) {
            sections.append(QString());
            continue;
        }
        sections.last() += c;
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char('\\') && i + 1 < mask.size())
            sections.last() += mask[++i];
    }
    return sections;
}

QList<Token> tokenize(const QString& section)
{
    QList<Token> tokens;
    bool point = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('0'))
            tokens.append(Token{Token::Zero, {}});
        else if (c == QLatin1Char('#'))
            tokens.append(Token{Token::Hash, {}});
        else if (c == QLatin1Char('.') && !point) {
            point = true;
            tokens.append(Token{Token::Point, {}});
        } else if (c == QLatin1Char(','))
            tokens.append(Token{Token::Comma, {}});
        else if (c == QLatin1Char('\\') && i + 1 < section.size())
            tokens.append(Token{Token::Literal, QString(section[++i])});
        else if (c == QLatin1Char('"')) {
            const qsizetype end = section.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            tokens.append(Token{Token::Literal, section.mid(i + 1, stop - i - 1)});
            i = stop;
        } else
            tokens.append(Token{Token::Literal, QString(c)});
    }
    return tokens;
}

qsizetype pointIndex(const QList<Token>& tokens)
{
    for (qsizetype i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind == Token::Point)
            return i;
    return tokens.size();
}

int decimalPlaces(const QList<Token>& tokens)
{
    int n = 0;
    for (qsizetype i = pointIndex(tokens) + 1; i < tokens.size(); ++i)
        if (tokens[i].isDigit())
            ++n;
    return n;
}

QString render(const QList<Token>& tokens, const Fixed& value)
{
    const qsizetype point = pointIndex(tokens);

    // Integer part: grouping when a comma stands between digit places.
    qsizetype firstDigit = -1;
    qsizetype firstZero = -1;
    qsizetype lastDigit = -1;
    for (qsizetype i = 0; i < point; ++i) {
        if (!tokens[i].isDigit())
            continue;
        if (firstDigit < 0)
            firstDigit = i;
        if (firstZero < 0 && tokens[i].kind == Token::Zero)
            firstZero = i;
        lastDigit = i;
    }
    bool grouping = false;
    for (qsizetype i = firstDigit + 1; i < lastDigit; ++i)
        if (tokens[i].kind == Token::Comma)
            grouping = true;

    int minDigits = 0;
    if (firstZero >= 0)
        for (qsizetype i = firstZero; i < point; ++i)
            if (tokens[i].isDigit())
                ++minDigits;
    QString digits = value.intPart;
    if (digits.size() < minDigits)
        digits.prepend(QString(minDigits - digits.size(), QLatin1Char('0')));

    QString intOut;
    qsizetype left = digits.size();
    int emitted = 0;
    auto putDigit = [&]() {
        if (grouping && emitted > 0 && emitted % 3 == 0)
            intOut.prepend(QLatin1Char(','));
        intOut.prepend(digits[--left]);
        ++emitted;
    };
    // With no digit place before the point, the digits go right before it.
    if (firstDigit < 0)
        while (left > 0)
            putDigit();
    for (qsizetype i = point - 1; i >= 0; --i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Literal) {
            intOut.prepend(t.text);
        } else if (t.isDigit()) {
            if (i == firstDigit)
                while (left > 0)
                    putDigit();
            else if (left > 0)
                putDigit();
        }
    }

    // Decimal part: "0" places always shown, "#" places drop trailing zeros.
    QString fracOut;
    if (point < tokens.size()) {
        int lastZero = 0; // 1-based place of the last "0"
        int place = 0;
        for (qsizetype i = point + 1; i < tokens.size(); ++i)
            if (tokens[i].isDigit()) {
                ++place;
                if (tokens[i].kind == Token::Zero)
                    lastZero = place;
            }
        qsizetype keep = value.frac.size();
        while (keep > lastZero && value.frac[keep - 1] == QLatin1Char('0'))
            --keep;
        fracOut = QStringLiteral(".");
        place = 0;
        for (qsizetype i = point + 1; i < tokens.size(); ++i) {
            const Token& t = tokens[i];
            if (t.kind == Token::Literal)
                fracOut += t.text;
            else if (t.isDigit()) {
                if (place < keep)
                    fracOut += value.frac[place];
                ++place;
            }
        }
    }
    return intOut + fracOut;
}

// Fixed or scientific text of |v| as the original prints numbers, without a sign.
QString plainNumber(double v, bool zeroBeforePoint)
{
    const Digits15 d = toDigits15(v);
    if (d.digits.isEmpty())
        return QStringLiteral("0");
    if (d.exponent >= 15 || d.exponent < -4) {
        QString m = d.digits.left(1);
        if (d.digits.size() > 1)
            m += QLatin1Char('.') + d.digits.mid(1);
        const int e = std::abs(d.exponent);
        return m + QLatin1Char('E') + QLatin1Char(d.exponent < 0 ? '-' : '+')
            + QString::number(e).rightJustified(2, QLatin1Char('0'));
    }
    if (d.exponent >= 0) {
        QString all = d.digits;
        if (all.size() < d.exponent + 1)
            all += QString(d.exponent + 1 - all.size(), QLatin1Char('0'));
        const QString frac = all.mid(d.exponent + 1);
        return all.left(d.exponent + 1) + (frac.isEmpty() ? QString() : QLatin1Char('.') + frac);
    }
    return (zeroBeforePoint ? QStringLiteral("0.") : QStringLiteral("."))
        + QString(-d.exponent - 1, QLatin1Char('0')) + d.digits;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// 0-15 for a hexadecimal digit, -1 otherwise.
int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// strtod in the "C" locale: the decimal point is "." whatever the user's locale.
double parseC(const QString& text)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const QByteArray b = text.toLatin1();
    return strtod_l(b.constData(), nullptr, c);
}

// The number a numeric text holds (commas are grouping); false when not numeric.
bool readNumber(const QString& s, double& out)
{
    const QString t = s.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    bool digits = false;
    while (i < n && (isDigit(t[i]) || (t[i] == QLatin1Char(',') && digits && i + 1 < n && isDigit(t[i + 1])))) {
        digits = true;
        ++i;
    }
    if (i < n && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(t[i])) {
            digits = true;
            ++i;
        }
    }
    if (!digits)
        return false;
    if (i < n && (t[i].toUpper() == QLatin1Char('E') || t[i].toUpper() == QLatin1Char('D'))) {
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            ++i;
        if (i >= n || !isDigit(t[i]))
            return false;
        while (i < n && isDigit(t[i]))
            ++i;
    }
    if (i != n)
        return false;
    // Plain whole numbers (nearly every box) need no conversion through text.
    const qsizetype inicio = (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) ? 1 : 0;
    if (n - inicio <= 15 && std::all_of(t.begin() + inicio, t.end(), isDigit)) {
        qint64 v = 0;
        for (qsizetype j = inicio; j < n; ++j)
            v = v * 10 + (t[j].unicode() - '0');
        out = t[0] == QLatin1Char('-') ? -static_cast<double>(v) : static_cast<double>(v);
        return true;
    }
    QString c = t;
    c.remove(QLatin1Char(','));
    c.replace(QLatin1Char('d'), QLatin1Char('e'));
    c.replace(QLatin1Char('D'), QLatin1Char('e'));
    out = parseC(c); // out of range gives an infinity, which the callers refuse
    return true;
}

double roundHalfEven(double v)
{
    return std::nearbyint(v); // the default rounding mode rounds ties to even
}

// A mask's sections, parsed once: the amounts format on every keystroke with a handful
// of masks.
struct ParsedMask {
    QList<Token> positive;
    QList<Token> negative;
    QList<Token> zero;
    bool hasNegative = false;
    // One section of digit places only ("000", "###########0"): a whole number is its
    // digits, at least as many as the "0" places from the first one.
    bool onlyDigits = false;
    int minDigits = 0;
};

const ParsedMask& parsedMask(const QString& mask)
{
    static QHash<QString, ParsedMask> cache;
    auto it = cache.constFind(mask);
    if (it != cache.constEnd())
        return *it;
    const QList<QString> sections = splitSections(mask);
    ParsedMask m;
    m.positive = tokenize(sections[0]);
    m.hasNegative = sections.size() >= 2 && !sections[1].isEmpty();
    if (m.hasNegative)
        m.negative = tokenize(sections[1]);
    m.zero = sections.size() >= 3 && !sections[2].isEmpty() ? tokenize(sections[2]) : m.positive;
    m.onlyDigits = sections.size() == 1 && !m.positive.isEmpty()
                   && std::all_of(m.positive.cbegin(), m.positive.cend(), [](const Token& t) { return t.isDigit(); });
    for (const Token& t : m.positive)
        if (t.kind == Token::Zero || m.minDigits > 0)
            ++m.minDigits;
    if (cache.size() > 256)
        cache.clear();
    return *cache.insert(mask, std::move(m));
}

// The mask's section for the sign, the value in it (fixedFor gives the value rounded to
// a number of decimals) and the minus sign when the mask has no negative section.
template <typename FixedFor>
QString formatSections(bool negative, const QString& mask, FixedFor fixedFor)
{
    const ParsedMask& m = parsedMask(mask);
    const QList<Token>* tokens = &m.positive;
    bool minus = false;
    if (negative) {
        if (m.hasNegative)
            tokens = &m.negative;
        else
            minus = true;
    }
    Fixed f = fixedFor(decimalPlaces(*tokens));
    if (f.isZero()) {
        minus = false;
        tokens = &m.zero;
        f = toFixed(0, decimalPlaces(*tokens));
    }
    return (minus ? QStringLiteral("-") : QString()) + render(*tokens, f);
}

} // namespace

QString Format(double v, const QString& mask)
{
    if (!std::isfinite(v))
        overflow();
    if (mask.isEmpty())
        return (v < 0 && !toDigits15(v).digits.isEmpty() ? QStringLiteral("-") : QString()) + plainNumber(v, true);
    // Box codes and whole amounts, most of what a save writes, need no digit strings.
    const ParsedMask& m = parsedMask(mask);
    if (m.onlyDigits && v == std::trunc(v) && std::fabs(v) < 1e15) {
        const qint64 n = static_cast<qint64>(std::fabs(v));
        QString digits = n == 0 ? QString() : QString::number(n);
        if (digits.size() < m.minDigits)
            digits.prepend(QString(m.minDigits - digits.size(), QLatin1Char('0')));
        return n != 0 && v < 0 ? QLatin1Char('-') + digits : digits;
    }
    return formatSections(v < 0, mask, [v](int decimals) { return toFixed(v, decimals); });
}

QString FormatCur(qint64 cur, const QString& mask)
{
    if (mask.isEmpty()) {
        Fixed f = curToFixed(cur, 4);
        while (f.frac.endsWith(QLatin1Char('0')))
            f.frac.chop(1);
        return (cur < 0 ? QStringLiteral("-") : QString()) + (f.intPart.isEmpty() ? QStringLiteral("0") : f.intPart)
            + (f.frac.isEmpty() ? QString() : QLatin1Char('.') + f.frac);
    }
    return formatSections(cur < 0, mask, [cur](int decimals) { return curToFixed(cur, decimals); });
}

QString Format(const QString& text, const QString& mask)
{
    double v = 0;
    if (!readNumber(text, v))
        return text;
    return Format(v, mask);
}

QString FormatDate(const QDate& d, const QString& mask)
{
    if (!d.isValid())
        return {};
    QString out;
    qsizetype i = 0;
    while (i < mask.size()) {
        const QChar c = mask[i].toLower();
        qsizetype n = 0;
        while (i + n < mask.size() && mask[i + n].toLower() == c)
            ++n;
        if (c == QLatin1Char('y') && n >= 2) {
            const bool full = n >= 4;
            out += full ? QString::number(d.year()).rightJustified(4, QLatin1Char('0'))
                        : QString::number(d.year() % 100).rightJustified(2, QLatin1Char('0'));
            i += full ? 4 : 2;
        } else if (c == QLatin1Char('m') || c == QLatin1Char('d')) {
            const int part = c == QLatin1Char('m') ? d.month() : d.day();
            const bool two = n >= 2;
            out += two ? QString::number(part).rightJustified(2, QLatin1Char('0')) : QString::number(part);
            i += two ? 2 : 1;
        } else {
            out += mask[i++];
        }
    }
    return out;
}

double Val(const QString& s)
{
    // The usual argument, a box code or a stored amount: a few plain digits.
    if (!s.isEmpty() && s.size() <= 15) {
        qint64 v = 0;
        qsizetype i = 0;
        for (; i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9'); ++i)
            v = v * 10 + (s[i].unicode() - '0');
        if (i == s.size())
            return static_cast<double>(v);
    }
    QString t;
    for (QChar c : s)
        if (!isBlank(c))
            t += c;
    const qsizetype n = t.size();
    qsizetype i = 0;

    if (n >= 2 && t[0] == QLatin1Char('&')) {
        const QChar kind = t[1].toUpper();
        const int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
        if (base == 0)
            return 0;
        quint64 acc = 0;
        for (i = 2; i < n; ++i) {
            const int digit = digitValue(t[i]);
            if (digit < 0 || digit >= base)
                break;
            acc = acc * base + digit;
            if (acc > 0xFFFFFFFFull)
                overflow();
        }
        // Up to four hexadecimal digits are a 16-bit Integer, more a 32-bit Long.
        if (acc <= 0xFFFF)
            return static_cast<qint16>(static_cast<quint16>(acc));
        return static_cast<qint32>(static_cast<quint32>(acc));
    }

    QString num;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        num += t[i++];
    bool digits = false;
    while (i < n && isDigit(t[i])) {
        num += t[i++];
        digits = true;
    }
    if (i < n && t[i] == QLatin1Char('.')) {
        num += t[i++];
        while (i < n && isDigit(t[i])) {
            num += t[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < n && (t[i].toUpper() == QLatin1Char('E') || t[i].toUpper() == QLatin1Char('D'))) {
        qsizetype j = i + 1;
        QString exp = QStringLiteral("e");
        if (j < n && (t[j] == QLatin1Char('+') || t[j] == QLatin1Char('-')))
            exp += t[j++];
        bool expDigits = false;
        while (j < n && isDigit(t[j])) {
            exp += t[j++];
            expDigits = true;
        }
        if (expDigits)
            num += exp;
    }
    const double v = parseC(num);
    if (!std::isfinite(v))
        overflow();
    return v;
}

QString Str(double v)
{
    if (!std::isfinite(v))
        overflow();
    const bool negative = v < 0 && !toDigits15(v).digits.isEmpty();
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + plainNumber(v, false);
}

bool IsNumeric(const QString& s)
{
    double v = 0;
    return readNumber(s, v);
}

double CDbl(const QString& s)
{
    double v = 0;
    if (!readNumber(s, v))
        typeMismatch();
    if (!std::isfinite(v))
        overflow();
    return v;
}

int CInt(double v)
{
    const double r = roundHalfEven(v);
    if (!(r >= -32768 && r <= 32767))
        overflow();
    return static_cast<int>(r);
}

int CInt(const QString& s)
{
    return CInt(CDbl(s));
}

int CByte(double v)
{
    const double r = roundHalfEven(v);
    if (!(r >= 0 && r <= 255))
        overflow();
    return static_cast<int>(r);
}

int CByte(const QString& s)
{
    return CByte(CDbl(s));
}

qint64 CCur(double v)
{
    const double r = roundHalfEven(v * 10000.0);
    // 2^63 is exactly representable; the range is [-2^63, 2^63).
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
        overflow();
    return static_cast<qint64>(r);
}

qint64 CCur(const QString& s)
{
    return CCur(CDbl(s));
}

QString LTrim(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

QString RTrim(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' '))
        --n;
    return s.left(n);
}

QString Trim(const QString& s)
{
    return LTrim(RTrim(s));
}

QString Left(const QString& s, int n)
{
    return n <= 0 ? QString() : s.left(n);
}

QString Right(const QString& s, int n)
{
    return n <= 0 ? QString() : s.right(n);
}

QString Mid(const QString& s, int start)
{
    const qsizetype from = start < 1 ? 0 : start - 1;
    return from >= s.size() ? QString() : s.mid(from);
}

QString Mid(const QString& s, int start, int length)
{
    if (length <= 0)
        return {};
    const qsizetype from = start < 1 ? 0 : start - 1;
    return from >= s.size() ? QString() : s.mid(from, length);
}

int Len(const QString& s)
{
    return static_cast<int>(s.size());
}

} // namespace zav
