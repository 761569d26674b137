#include "printing/report/LectorReporte.h"

#include "common/Cp1252.h"
#include "common/Runtime.h"

#include <QFile>

namespace rpt {

namespace {

QStringView trimEspacios(QStringView s)
{
    qsizetype a = 0;
    qsizetype b = s.size();
    while (a < b && s[a] == u' ')
        ++a;
    while (b > a && s[b - 1] == u' ')
        --b;
    return s.sliced(a, b - a);
}

// The text from p up to cierre, or to the end of the line when it has none.
QStringView hasta(QStringView linea, qsizetype p, QLatin1StringView cierre)
{
    if (p >= linea.size())
        return {};
    const qsizetype f = linea.indexOf(cierre, p);
    return f < 0 ? linea.sliced(p) : linea.sliced(p, f - p);
}

// The next field: the text from p to the next "|", p moved past it.
bool campo(QStringView linea, qsizetype& p, QStringView& valor)
{
    const qsizetype f = p < linea.size() ? linea.indexOf(u'|', p) : -1;
    if (f < 0)
        return false;
    valor = linea.sliced(p, f - p);
    p = f + 1;
    return true;
}

// Leading numeric part, rounded half to even to a 16-bit integer.
bool entero16(QStringView texto, int& n)
{
    try {
        n = zav::CInt(zav::Val(texto.toString()));
        return true;
    } catch (const zav::RuntimeError&) {
        return false;
    }
}

bool numeroCampo(QStringView linea, qsizetype& p, int& n)
{
    QStringView v;
    return campo(linea, p, v) && entero16(v, n);
}

bool booleano(QStringView texto, bool& b)
{
    const QStringView t = trimEspacios(texto);
    if (t.compare(QLatin1StringView("True"), Qt::CaseInsensitive) == 0)
        b = true;
    else if (t.compare(QLatin1StringView("False"), Qt::CaseInsensitive) == 0)
        b = false;
    else if (zav::IsNumeric(t.toString())) {
        // A number past the double's range ("1e999") overflows: no boolean either.
        try {
            b = zav::Val(t.toString()) != 0;
        } catch (const zav::RuntimeError&) {
            return false;
        }
    } else
        return false;
    return true;
}

} // namespace

std::optional<Palabra> PalabraClave(QStringView linea)
{
    for (qsizetype i = 0; i < linea.size(); ++i) {
        const QChar c = linea[i];
        if (c == u'|')
            return Palabra{trimEspacios(linea.first(i)), i + 1};
        if (c == u'>' && i >= 1 && linea[i - 1] == u'!')
            return Palabra{trimEspacios(linea.first(i + 1)), i + 1};
        if (c == u'a' && i >= 4 && linea.sliced(i - 4, 5) == QLatin1StringView("aHoja"))
            return Palabra{trimEspacios(linea.first(i + 1)), i + 1};
    }
    return std::nullopt;
}

std::optional<Registro> LeeLinea(QStringView linea)
{
    const std::optional<Palabra> w = PalabraClave(linea);
    if (!w)
        return std::nullopt;
    const QStringView k = w->Clave;
    qsizetype p = w->Siguiente;
    Registro r;

    if (k == QLatin1StringView("pPos") || k == QLatin1StringView("pPosVerti")) {
        r.Tipo = k.size() == 4 ? TipoRegistro::Pos : TipoRegistro::PosVerti;
        QStringView texto;
        QStringView negrita;
        if (!numeroCampo(linea, p, r.X) || !numeroCampo(linea, p, r.Y) || !campo(linea, p, texto)
            || !campo(linea, p, negrita) || !booleano(negrita, r.Negrita) || !numeroCampo(linea, p, r.Tamano)
            || !numeroCampo(linea, p, r.Pagina))
            return std::nullopt;
        r.Texto = texto.toString();
        return r;
    }
    if (k == QLatin1StringView("pCuadro")) {
        r.Tipo = TipoRegistro::Cuadro;
        if (!numeroCampo(linea, p, r.X) || !numeroCampo(linea, p, r.Y) || !numeroCampo(linea, p, r.X2)
            || !numeroCampo(linea, p, r.Y2) || !numeroCampo(linea, p, r.Pagina))
            return std::nullopt;
        return r;
    }
    if (k == QLatin1StringView("pNuevaHoja")) {
        r.Tipo = TipoRegistro::NuevaHoja;
        return r;
    }
    if (k == QLatin1StringView("<!font!>")) {
        r.Tipo = TipoRegistro::Font;
        r.Texto = hasta(linea, p, QLatin1StringView("<!/font!>")).toString();
        return r;
    }
    if (k == QLatin1StringView("<!Orientacion!>")) {
        r.Tipo = TipoRegistro::Orientacion;
        r.Texto = trimEspacios(hasta(linea, p, QLatin1StringView("<!/Orientacion!>"))).toString();
        return r;
    }
    if (k == QLatin1StringView("<!Color!>")) {
        r.Tipo = TipoRegistro::Color;
        QStringView v = hasta(linea, p, QLatin1StringView("<!/Color!>"));
        if (!v.isEmpty())
            v.chop(1);   // the closing "&"
        r.Texto = trimEspacios(v).toString();
        // A tag with no value names no colour: the line is skipped.
        if (r.Texto.isEmpty())
            return std::nullopt;
        try {
            r.Color = static_cast<quint32>(static_cast<qint64>(zav::Val(r.Texto)));
        } catch (const zav::RuntimeError&) {
            return std::nullopt;
        }
        return r;
    }
    if (k == QLatin1StringView("<!nHojas!>")) {
        r.Tipo = TipoRegistro::NHojas;
        r.Texto = trimEspacios(hasta(linea, p, QLatin1StringView("<!/nHojas!>"))).toString();
        if (!entero16(r.Texto, r.Hojas))
            r.Hojas = 0;
        return r;
    }
    return std::nullopt;
}

std::vector<QString> Lineas(const QByteArray& contenido)
{
    const QString todo = zav::FromCp1252(contenido);
    std::vector<QString> lineas;
    qsizetype inicio = 0;
    const qsizetype n = todo.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = todo[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lineas.push_back(todo.sliced(inicio, i - inicio));
        if (c == u'\r' && i + 1 < n && todo[i + 1] == u'\n')
            ++i;
        inicio = i + 1;
    }
    if (inicio < n)
        lineas.push_back(todo.sliced(inicio));
    return lineas;
}

std::vector<Registro> LeeReporte(const QByteArray& contenido)
{
    std::vector<Registro> registros;
    for (const QString& l : Lineas(contenido))
        if (std::optional<Registro> r = LeeLinea(l))
            registros.push_back(std::move(*r));
    return registros;
}

bool LeeArchivoReporte(const QString& ruta, std::vector<Registro>& registros)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray contenido = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return false;
    registros = LeeReporte(contenido);
    return true;
}

int NumeroHojas(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    static const QLatin1StringView apertura("<!nHojas!>");
    for (const QString& l : Lineas(f.readAll())) {
        if (!l.contains(apertura))
            continue;
        // From the 11th character, the closing tag searched from the 10th.
        QStringView v;
        if (l.size() > 10) {
            const qsizetype f2 = l.indexOf(QLatin1StringView("<!/nHojas!>"), 9);
            v = f2 < 10 ? QStringView(l).sliced(10) : QStringView(l).sliced(10, f2 - 10);
        }
        int n = 0;
        return entero16(trimEspacios(v), n) ? n : 0;
    }
    return 0;
}

} // namespace rpt
