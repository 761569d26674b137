#include "platform/hostsuite/clsUtilitarios.h"

#include "common/Cp1252.h"

#include <QCryptographicHash>
#include <QDate>
#include <QFileInfo>

namespace zav {
namespace {

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool IsAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

// "dd/mm/yyyy" with every digit in place; an invalid date gives a null QDate.
QDate ParseDdMmYyyy(const QString& text)
{
    if (text.size() != 10 || text[2] != QLatin1Char('/') || text[5] != QLatin1Char('/'))
        return {};
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!IsAsciiDigit(text[i]))
            return {};
    const QDate d(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.left(2).toInt());
    return d.isValid() ? d : QDate();
}

} // namespace

bool clsUtilitarios::ArchivoExiste(const QString& path) const
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool clsUtilitarios::ValidaRUC(const QString& ruc) const
{
    if (ruc.size() != 11)
        return false;
    for (QChar c : ruc)
        if (!IsAsciiDigit(c))
            return false;
    const QString prefix = ruc.left(2);
    if (prefix != QLatin1String("10") && prefix != QLatin1String("15") && prefix != QLatin1String("16") &&
        prefix != QLatin1String("17") && prefix != QLatin1String("20"))
        return false;
    static constexpr int kPesos[10] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    int suma = 0;
    for (int i = 0; i < 10; ++i)
        suma += (ruc[i].unicode() - '0') * kPesos[i];
    int digito = 11 - suma % 11;
    if (digito == 10)
        digito = 0;
    else if (digito == 11)
        digito = 1;
    return ruc[10].unicode() - '0' == digito;
}

QString clsUtilitarios::GeneraCodigoHash(const QString& text) const
{
    const QByteArray sha = QCryptographicHash::hash(ToCp1252(text), QCryptographicHash::Sha1);
    return QString::fromLatin1(sha.toHex().left(16)).toUpper();
}

QString clsUtilitarios::RellenaDerecha(const QString& text, int width) const
{
    if (width <= 0)
        return QString();
    return text.leftJustified(width, QLatin1Char(' '), true);
}

QString clsUtilitarios::AlineaDerecha(const QString& text, int width) const
{
    return text.rightJustified(width, QLatin1Char(' '), false);
}

bool clsUtilitarios::ValidaRangoFecha(const QString& fecha, const QString& desde, const QString& hasta) const
{
    const QDate d = ParseDdMmYyyy(fecha);
    const QDate lo = ParseDdMmYyyy(desde);
    const QDate hi = ParseDdMmYyyy(hasta);
    return d.isValid() && lo.isValid() && hi.isValid() && lo <= d && d <= hi;
}

// The document-number checks ignore blanks around the number (the length check beside
// them measures the trimmed number too); a blank inside it is refused.
bool clsUtilitarios::ValidaAlfanumerico(const QString& numero, int, int) const
{
    const QString t = numero.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (!IsAsciiDigit(c) && !IsAsciiLetter(c))
            return false;
    return true;
}

bool clsUtilitarios::ValidaNumerico(const QString& numero, int, int, int) const
{
    const QString t = numero.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (!IsAsciiDigit(c))
            return false;
    return true;
}

int clsUtilitarios::FiltraTeclaNumerica(int key, int, int, int) const
{
    if ((key >= '0' && key <= '9') || key == 8 || key == 13)
        return key;
    return 0;
}

// Key codes are character codes (Windows-1252 and Unicode agree on the accented letters
// and Ñ). Kept: Backspace, Enter and every printable character that Windows-1252 can
// carry to the host. Dropped: the other control keys (also Ctrl+V, 22, and DEL),
// characters the host's code page lacks, and "|", the field separator of report files.
int clsUtilitarios::FiltraTeclaTexto(int key) const
{
    if (key == 8 || key == 13)
        return key;
    if (key < 32 || key == 127 || (key >= 0x80 && key <= 0x9F) || key == '|' || key > 0xFFFF)
        return 0;
    const QChar c(static_cast<char16_t>(key));
    if (c.isSurrogate() || (AnsiCode(c) == '?' && c != QLatin1Char('?')))
        return 0;
    return key;
}

bool clsUtilitarios::ValidaNumeroOrden(const QString& control, const QString& orden, const QString& digitos) const
{
    const QString h1 = GeneraCodigoHash(control);
    const QString c1 = h1.mid(8, 1);
    const QString h2 = GeneraCodigoHash(control + orden + c1);
    const QString codigo = c1 + h2.right(1);
    return digitos == codigo;
}

} // namespace zav
