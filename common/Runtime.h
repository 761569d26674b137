#pragma once
// The original runtime's number and text helpers, with its rounding, its masks and its
// errors, so that every figure and text the module writes comes out as before.
#include <QDate>
#include <QString>

#include <stdexcept>

namespace zav {

// The runtime's text of an error number, in Spanish (the users' language); "" for a
// number it has no text for.
QString TextoError(int number);

// A trappable runtime error: Number is the original's error number. Its description is
// the runtime's text of the number (TextoError), followed by what went wrong where
// (detail: a path, the system's reason) when the thrower knows it; for a number without
// a text, the detail alone.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number, const QString& detail = {});
    int Number;
    QString Description() const { return QString::fromUtf8(what()); }
};

constexpr int ErrOverflow = 6;
constexpr int ErrTypeMismatch = 13;

// Number masks: "0" and "#" digit places, "," thousands grouping, "." decimal point,
// other characters (or "\x", "text") as they are; "positive;negative;zero" sections, the
// negative one shown without a minus sign. The value is first reduced to 15 significant
// digits, then rounded half away from zero to the mask's decimals; a value that rounds
// to zero has no sign. Separators are "," and "." whatever the locale. An empty mask
// gives the plain number. Throws ErrOverflow for an infinite or NaN value.
QString Format(double v, const QString& mask);
// Numeric text (IsNumeric) is formatted as its number; any other text comes back as it is.
QString Format(const QString& text, const QString& mask);
// Date masks made of "yyyy", "yy", "mm", "m", "dd", "d" and literal characters
// ("dd/mm/yyyy", "yyyymmdd"). An invalid date gives "".
QString FormatDate(const QDate& d, const QString& mask);

// The leading number of the text: blanks, tabs and line feeds are skipped anywhere; then
// an optional sign, digits with one ".", an optional exponent (E or D), or "&H"/"&O"
// with hexadecimal/octal digits. Stops at the first other character; no number gives 0.
// Throws ErrOverflow when the number is out of range.
double Val(const QString& s);

// The number with a leading blank when not negative, "-" otherwise; 15 significant
// digits at most, no trailing zeros, no zero before the point (" .5"), and
// "1E+15"/"1E-05" for very large or very small magnitudes.
QString Str(double v);

// True when the trimmed text reads whole as a number: optional sign, digits (","
// allowed between digits), one ".", optional exponent. "" is not numeric.
bool IsNumeric(const QString& s);

// Conversions that round half to even. Text must be numeric (IsNumeric), else
// ErrTypeMismatch; a result out of range throws ErrOverflow.
double CDbl(const QString& s);
int CInt(double v);  // -32768..32767
int CInt(const QString& s);
int CByte(double v); // 0..255
int CByte(const QString& s);
qint64 CCur(double v); // the currency value times 10000 (four decimals)
qint64 CCur(const QString& s);
// A currency value (CCur's ten-thousandths) formatted as Format does, but from its own
// digits: no reduction to 15 significant digits, so a large amount keeps its decimals.
// An empty mask gives the plain number without trailing zeros.
QString FormatCur(qint64 cur, const QString& mask);

// Text slicing that never fails: counts beyond the text are cut to it, negative counts
// give "", a start before 1 counts as 1, a start beyond the end gives "".
QString Trim(const QString& s);  // spaces only, as the original
QString LTrim(const QString& s);
QString RTrim(const QString& s);
QString Left(const QString& s, int n);
QString Right(const QString& s, int n);
QString Mid(const QString& s, int start);
QString Mid(const QString& s, int start, int length);
int Len(const QString& s);

} // namespace zav
