#include "declaration/amounts/Importes.h"

#include "common/Runtime.h"

#include <cmath>
#include <optional>

using zav::Format;
using zav::Mid;
using zav::Trim;
using zav::Val;

const std::vector<int>& ListaCasillas()
{
    static const std::vector<int> lista = [] {
        std::vector<int> v;
        for (int n = 500; n <= 555; ++n)
            v.push_back(n);
        for (int n : {432, 433, 250, 251, 252, 253, 461, 462, 463, 464, 466, 467, 468, 469, 470, 471, 472, 473,
                      475, 476, 477, 478, 480, 481, 483, 484, 485, 486, 487, 489, 490, 492, 493, 100, 101, 103,
                      105, 106, 107, 108, 150, 110, 111, 113, 208, 209, 211, 212, 225, 226, 610, 650, 651})
            v.push_back(n);
        return v;
    }();
    return lista;
}

bool LeeNumero(const QString& texto, double& valor)
{
    const QString t = texto.trimmed();
    if (zav::IsNumeric(t)) {
        valor = zav::CDbl(t);
        return true;
    }
    // The runtime takes an amount between parentheses as negative.
    if (t.size() >= 3 && t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        const QString dentro = t.mid(1, t.size() - 2).trimmed();
        if (zav::IsNumeric(dentro) && !dentro.startsWith(QLatin1Char('-')) && !dentro.startsWith(QLatin1Char('+'))) {
            valor = -zav::CDbl(dentro);
            return true;
        }
    }
    return false;
}

QString FormatoTexto(const QString& texto, const QString& mascara)
{
    double v = 0;
    if (!LeeNumero(texto, v))
        return texto;
    return Format(v, mascara);
}

namespace {

// The text in ten-thousandths when it is digits (thousands commas between them) with at most
// four decimals and fits the runtime's fixed point; empty otherwise.
std::optional<qint64> Diezmilesimos(const QString& texto)
{
    const QString t = texto.trimmed();
    const qsizetype punto = t.indexOf(QLatin1Char('.'));
    const QString entero = punto < 0 ? t : t.left(punto);
    const QString decimales = punto < 0 ? QString() : t.mid(punto + 1);
    if (decimales.size() > 4 || (entero.isEmpty() && decimales.isEmpty()))
        return std::nullopt;
    qint64 cifras = 0;
    int digitos = 0;
    for (qsizetype i = 0; i < entero.size(); ++i) {
        const QChar c = entero[i];
        if (c == QLatin1Char(',') && i > 0 && i + 1 < entero.size() && entero[i - 1].isDigit())
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        if (++digitos > 15)
            return std::nullopt;
        cifras = cifras * 10 + (c.unicode() - '0');
    }
    if (cifras > 922337203685476)
        return std::nullopt;
    qint64 fraccion = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        const QChar c = i < decimales.size() ? decimales[i] : QLatin1Char('0');
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        fraccion = fraccion * 10 + (c.unicode() - '0');
    }
    return cifras * 10000 + fraccion;
}

} // namespace

QString FormatoCoeficiente(const QString& texto, const QString& mascara)
{
    if (const std::optional<qint64> c = Diezmilesimos(texto))
        return zav::FormatCur(*c, mascara);
    return FormatoTexto(texto, mascara);
}

namespace {

// The texts the boxes show nearly always: a whole number of at most 15 digits, commas
// between digits, negative with a leading "-" or between parentheses, no blanks. Their
// value is exact in a double and the whole-number mask leaves it as it is; any other text
// is left to the general reading.
std::optional<double> EnteroSimple(const QString& texto)
{
    const qsizetype n = texto.size();
    if (n == 0)
        return std::nullopt;
    const bool parentesis = texto[0] == QLatin1Char('(');
    if (parentesis && (n < 3 || texto[n - 1] != QLatin1Char(')')))
        return std::nullopt;
    const bool menos = texto[0] == QLatin1Char('-');
    const qsizetype desde = parentesis || menos ? 1 : 0;
    const qsizetype hasta = parentesis ? n - 1 : n;
    auto digito = [&](qsizetype i) {
        return i >= desde && i < hasta && texto[i] >= QLatin1Char('0') && texto[i] <= QLatin1Char('9');
    };
    qint64 v = 0;
    int cifras = 0;
    for (qsizetype i = desde; i < hasta; ++i) {
        if (texto[i] == QLatin1Char(',') && digito(i - 1) && digito(i + 1))
            continue;
        if (!digito(i) || ++cifras > 15)
            return std::nullopt;
        v = v * 10 + (texto[i].unicode() - '0');
    }
    if (cifras == 0)
        return std::nullopt;
    if (v == 0)
        return 0.0;
    return parentesis || menos ? -static_cast<double>(v) : static_cast<double>(v);
}

} // namespace

double ImporteTexto(const QString& texto)
{
    if (const std::optional<double> entero = EnteroSimple(texto))
        return *entero;
    double v = 0;
    return LeeNumero(texto, v) ? ImporteEntero(v) : Val(texto);
}

double ImporteEntero(double valor)
{
    // What Val(Format(v, "###########0")) gives, without the text round trip that every
    // amount read would otherwise pay.
    const double r = std::round(QString::number(valor, 'g', 15).toDouble());
    return r == 0 ? 0.0 : r;
}

double ValorUIT(const QString& uit)
{
    return Val(uit);
}

int AnioPeriodo(const QString& periodo)
{
    return static_cast<int>(Val(zav::Left(periodo, 4)));
}

bool EsCasillaDeduccion(int casilla)
{
    switch (casilla) {
    case 101: case 105: case 107: case 108: case 111: case 150: case 251: case 252: case 462: case 464:
    case 467: case 468: case 469: case 471: case 472: case 478: case 480: case 483: case 485: case 486:
    case 489: case 490: case 493: case 508: case 517: case 524: case 527: case 528: case 551: case 553:
        return true;
    default:
        return false;
    }
}

bool EsCasillaSigno(int casilla)
{
    return casilla == 253 || casilla == 543 || casilla == 554 || casilla == 555;
}

bool EsCasillaTexto(int casilla)
{
    return casilla == 209 || casilla == 211 || casilla == 212 || casilla == 225 || casilla == 226;
}

QString MascaraCasilla(int casilla, const QString& sistema)
{
    if (casilla == 610)
        return sistema == QLatin1String("B") ? kMascaraCoefB : kMascaraCoefA;
    if (casilla == 208)
        return QStringLiteral("########");
    if (EsCasillaTexto(casilla))
        return {};
    if (EsCasillaDeduccion(casilla))
        return kMascaraDeduccion;
    if (EsCasillaSigno(casilla))
        return kMascaraSigno;
    return kMascaraNormal;
}

int LongitudDocumento(const QString& tipDocRepLegal)
{
    return static_cast<int>(Val(Mid(tipDocRepLegal, 68, 2)));
}

bool DocumentoAlfanumerico(const QString& tipDocRepLegal)
{
    return Val(Mid(tipDocRepLegal, 71, 1)) == 0;
}

FormatoFoco TextoEdicion(int casilla, const QString& texto, bool convenio, const QString& tipDocRepLegal)
{
    switch (casilla) {
    case 208:
        return {11, FormatoTexto(texto, QStringLiteral("########"))};
    case 211:
    case 212:
    case 225:
        return {12, texto};
    case 226: {
        const int n = LongitudDocumento(tipDocRepLegal);
        return {n == 0 ? 8 : n, texto};
    }
    case 113:
        return {convenio ? 12 : 17, FormatoTexto(texto, kMascaraEdicion)};
    case 103:
        return {15, FormatoTexto(texto, kMascaraEdicion)};
    default:
        break;
    }
    if (EsCasillaDeduccion(casilla)) {
        if (Trim(texto).isEmpty())
            return {12, texto};
        // Typed positive: the edit text is the plain absolute amount.
        const double v = std::fabs(Val(FormatoTexto(texto, QStringLiteral("############"))));
        return {12, Format(v, QString())};
    }
    return {12, FormatoTexto(texto, kMascaraEdicion)};
}

FormatoFoco TextoPresentacion(int casilla, const QString& texto, bool enabled, bool modoEnviadas,
                              const QString& tipDocRepLegal)
{
    if (!enabled)
        return {18, modoEnviadas ? texto : FormatoTexto(texto, QStringLiteral("##,###,###,##0;(##,###,###,##0)"))};
    switch (casilla) {
    case 208:
        return {11, FormatoTexto(texto, QStringLiteral("########"))};
    case 211:
    case 212:
    case 225:
        return {-1, texto}; // typing limit unchanged
    case 226:
        return {LongitudDocumento(tipDocRepLegal), texto};
    default:
        break;
    }
    if (EsCasillaDeduccion(casilla)) {
        const QString t = Trim(texto);
        if (t.isEmpty() || t == QLatin1String("0"))
            return {17, texto};
        return {17, FormatoTexto(texto, kMascaraDeduccion)};
    }
    return {15, FormatoTexto(texto, kMascaraNormal)};
}

int TeclaCaracter(int casilla, int keyAscii, const QString& tipDocRepLegal)
{
    auto mayuscula = [](int k) {
        return k > 0 && k < 0x10000 ? static_cast<int>(QChar(static_cast<char16_t>(k)).toUpper().unicode()) : k;
    };
    auto letra = [](int k) { return k >= 'A' && k <= 'Z'; };
    auto digito = [](int k) { return k >= '0' && k <= '9'; };
    switch (casilla) {
    case 211:
    case 212:
    case 225: {
        const int k = mayuscula(keyAscii);
        if (letra(k) || digito(k) || k == ' ' || k == '-' || k == '.' || k == '/' || k == 8)
            return k;
        return 0;
    }
    case 226: {
        const int k = mayuscula(keyAscii);
        if (DocumentoAlfanumerico(tipDocRepLegal))
            return letra(k) || digito(k) || k == 8 ? k : 0;
        return digito(k) || k == 8 ? k : 0;
    }
    case 473:
    case 477:
        return 0;
    default:
        return keyAscii;
    }
}

NavegacionEnter DestinoEnter(int casilla)
{
    switch (casilla) {
    case 515:
        return {15, 516};
    case 530:
        return {1, 500};
    case 542:
        return {-1, 544};
    case 553:
        return {-1, 532};
    default:
        return {};
    }
}

bool PerdidasDisponibles(const QString& texto108)
{
    return std::fabs(ImporteTexto(texto108)) != 0 && !Trim(texto108).isEmpty();
}

LineaAyuda AyudaCasilla(int casilla, int paginaSSTab1)
{
    struct Fila {
        int casilla;
        const char16_t* linea1;
        const char16_t* linea2;
    };
    static const Fila filas[] = {
        {100, u"c100 = c487", u""},
        {101, u"c101 = c489", u""},
        {106, u"c106 = c100 - c101 + c103 - c105", u"(Si es negativo \u20180\u2019)"},
        {107, u"c107 = c100 - c101 + c103 - c105", u"(Si es positivo \u20180\u2019)"},
        {110, u"c110 = ( c106 o  cas107 ) - c108 - c150", u"(Si es negativo \u20180\u2019)"},
        {111, u"c111 = c106 - c107 - c108 - c150", u"(Si es positivo \u20180\u2019)"},
        {113, u"c113 = c110 x TASA%", u""},
        {463, u"c463 = c461 - c462", u""},
        {466, u"c466 = c463 - c464", u"(Si es negativo \u20180\u2019)"},
        {467, u"c467 = c463 - c464", u"(Si es positivo \u20180\u2019)"},
        {470, u"c470 = c466 - c467 - c468 - c469", u"(Si es negativo \u20180\u2019)"},
        {471, u"c471 = c466 - c467 - c468 - c469", u"(Si es positivo \u20180\u2019)"},
        {484, u"c484 = c470-c471-c472+c473+c475+c476+c477-c478-c480+c481-c483", u"(Si es negativo \u20180\u2019)"},
        {485, u"c485 = c470-c471-c472+c473+c475+c476+c477-c478-c480+c481-c483", u"(Si es positivo \u20180\u2019)"},
        {487, u"c487 = c484 - c485 - c486", u"(Si es negativo \u20180\u2019)"},
        {489, u"c489 = c484 - c485 - c486", u"(Si es positivo \u20180\u2019)"},
        {492, u"c492 = c487 - c489 - c490", u"(Si es negativo \u20180\u2019)"},
        {493, u"c493 = c487 - c489 - c490", u"(Si es positivo \u20180\u2019)"},
        {531, u"c531 = 500+501+502+503+504+505+506+507-508+509+510+511+512+513+514",
         u" +515+516-517+518+519+520+521+522+523-524+525+526-527-528+529+530"},
        {543, u"c543 = c532+c533+c534+c535+c536+c537+c538+c539+c540+c541+c542", u""},
        {554, u"c554 = c544 + c545 + c546 + c547 + c548 + c549 + c550 - c551 + c552 - c553", u""},
        {555, u"c555 = c543 + c554", u""},
    };
    for (const Fila& f : filas)
        if (f.casilla == casilla)
            return {QString::fromUtf16(f.linea1), QString::fromUtf16(f.linea2), kColorAzulAyuda};
    if (casilla == 610)
        return {QStringLiteral(" "), QString(), kColorAzulAyuda};
    if (paginaSSTab1 == 3)
        return {QStringLiteral("El registro de esta información es de caracter obligatorio"),
                QStringLiteral("en los conceptos que le correspondan."), kColorNegro};
    return {QStringLiteral("Anotar los importes en nuevos soles sin considerar céntimos."), QString(), kColorNegro};
}

QString TotalAnexo(const QString& monto1, const QString& monto2)
{
    if (monto1.isEmpty() && monto2.isEmpty())
        return {};
    return Format(ImporteTexto(monto1) + ImporteTexto(monto2), kMascaraNormal);
}

namespace {

// The number a stored text stands for: the text itself when it is a number, else its
// leading number. Throws zav::RuntimeError (overflow) for a number beyond any.
double NumeroGuardado(const QString& valor)
{
    double v = 0;
    if (!LeeNumero(valor, v))
        v = zav::Val(valor);
    return v;
}

} // namespace

bool ValorDesbordado(const QString& valor)
{
    // The usual stored amount: too few digits to overflow anything.
    if (EnteroSimple(valor))
        return false;
    try {
        NumeroGuardado(valor);
        zav::Val(valor);
    } catch (const zav::RuntimeError&) {
        return true;
    }
    return false;
}

bool ImporteDesmedido(const QString& valor)
{
    if (EnteroSimple(valor))
        return false;
    try {
        return std::fabs(NumeroGuardado(valor)) >= 1e15;
    } catch (const zav::RuntimeError&) {
        return true;
    }
}
