#include "Cp1252.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace zav {
namespace {

// One conversion through glibc's iconv; an unconvertible character becomes '?'.
QByteArray convert(const char* to, const char* from, const QByteArray& in, const QByteArray& replacement,
                   int unitSize)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    std::vector<char> buf(4096);
    char* src = const_cast<char*>(in.constData());
    size_t left = static_cast<size_t>(in.size());
    while (left > 0) {
        char* dst = buf.data();
        size_t room = buf.size();
        size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buf.data(), static_cast<qsizetype>(dst - buf.data()));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip one input unit and put the replacement.
            out.append(replacement);
            size_t skip = std::min<size_t>(left, static_cast<size_t>(unitSize));
            src += skip;
            left -= skip;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

namespace {
// Outside 0x80-0x9F the code page is Latin-1: most texts need no conversion table.
bool EsLatin1Directo(char16_t c)
{
    return c < 0x80 || (c >= 0xA0 && c <= 0xFF);
}
} // namespace

QByteArray ToCp1252(const QString& text)
{
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return EsLatin1Directo(c.unicode()); }))
        return text.toLatin1();
    // Characters beyond the Basic Multilingual Plane take two UTF-16 units; none is in the
    // code page, so each becomes one '?' here and every unit left is one character.
    QString bmp;
    bmp.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bmp += QLatin1Char('?');
            ++i;
        } else {
            bmp += c.isSurrogate() ? QChar(QLatin1Char('?')) : c;
        }
    }
    QByteArray utf16(reinterpret_cast<const char*>(bmp.utf16()), bmp.size() * 2);
    return convert("WINDOWS-1252", "UTF-16LE", utf16, "?", 2);
}

QString FromCp1252(const QByteArray& bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return EsLatin1Directo(static_cast<unsigned char>(b)); }))
        return QString::fromLatin1(bytes);
    QByteArray utf8 = convert("UTF-8", "WINDOWS-1252", bytes, "?", 1);
    return QString::fromUtf8(utf8);
}

int AnsiCode(QChar c)
{
    if (c.unicode() < 0x80)
        return c.unicode();
    QByteArray b = ToCp1252(QString(c));
    return b.size() == 1 ? static_cast<unsigned char>(b[0]) : '?';
}

QStringList LineasCp1252(const QByteArray& bytes)
{
    QString texto = FromCp1252(bytes);
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lineas = texto.split(QLatin1Char('\n'));
    if (!lineas.isEmpty() && lineas.last().isEmpty())
        lineas.removeLast();
    return lineas;
}

} // namespace zav
