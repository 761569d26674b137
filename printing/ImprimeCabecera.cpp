#include "common/Runtime.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "printing/EstadoImpresion.h"
#include "printing/FilasReporte.h"
#include "shell/modulo/AppState.h"

QString AlineaDerecha(const QString& texto, int ancho)
{
    if (const zav::clsUtilitarios* u = App().gUtil.get())
        return u->AlineaDerecha(texto, ancho);
    return zav::clsUtilitarios().AlineaDerecha(texto, ancho);
}

namespace {

// Stored amounts are whole numbers of at most 15 digits: their grouped form, right-
// aligned, is built at once, as the mask and the alignment below would give it.
bool enteroAlineado(const QString& v, QString& out)
{
    const qsizetype n = v.size();
    qsizetype i = n > 0 && v[0] == u'-' ? 1 : 0;
    const bool menos = i == 1;
    while (i < n - 1 && v[i] == u'0')
        ++i;
    const qsizetype digitos = n - i;
    if (digitos < 1 || digitos > 15)
        return false;
    for (qsizetype k = i; k < n; ++k)
        if (v[k] < u'0' || v[k] > u'9')
            return false;
    const bool negativo = menos && !(digitos == 1 && v[i] == u'0');
    const qsizetype largo = digitos + (digitos - 1) / 3 + (negativo ? 2 : 0);
    const qsizetype ancho = std::max<qsizetype>(largo, negativo ? 17 : 16);
    out = QString(ancho, u' ');
    QChar* p = out.data() + ancho;
    if (negativo)
        *--p = u')';
    for (qsizetype k = 0; k < digitos; ++k) {
        if (k > 0 && k % 3 == 0)
            *--p = u',';
        *--p = v[n - 1 - k];
    }
    if (negativo)
        *--p = u'(';
    return true;
}

} // namespace

QString ValorImporte(const QString& valor)
{
    QString rapido;
    if (enteroAlineado(valor, rapido))
        return rapido;
    const QString v = ImporteImprimible(valor);
    const QString f = zav::Format(v, QStringLiteral("###,###,###,##0;(###,###,###,##0)"));
    return AlineaDerecha(f, zav::Val(v) < 0 ? 17 : 16);
}

QString RellenaIzquierda(const QString& texto, int ancho)
{
    if (ancho <= texto.size())
        return texto;
    return QString(std::min<qsizetype>(ancho - texto.size(), 80), QLatin1Char(' ')) + texto;
}

QString TextoFechaBalance(const QString& periodo)
{
    const QString mes = zav::Right(periodo, 2);
    if (mes == QLatin1String("01"))
        return QStringLiteral("   Al 31 de Enero");
    if (mes == QLatin1String("06"))
        return QStringLiteral("   Al 30 de Junio");
    return QString();
}

namespace {

// Where a header text comes from: its own words, or the declaration printed.
enum class Fuente { Fijo, Periodo, Ruc, RazonSocial, Copia, Telefono, Control, Orden };

constexpr int kCuerpo = -1;   // the body size

struct Elemento {
    bool cuadro;
    int x, y, x2, y2;   // a text at (x, y); a frame from (x, y) to (x2, y2)
    const char16_t* texto;
    Fuente fuente;
    bool negrita;
    int tamano;
};

constexpr Elemento T(int x, int y, const char16_t* t, bool b, int size, Fuente f = Fuente::Fijo)
{
    return {false, x, y, 0, 0, t, f, b, size};
}
constexpr Elemento C(int x1, int y1, int x2, int y2)
{
    return {true, x1, y1, x2, y2, nullptr, Fuente::Fijo, false, 0};
}

constexpr Elemento kCabecera[] = {
    T(300, 350, u"KOVEL", true, 16),
    T(300, 750, u"DECLARACIÓN", false, 8),
    T(550, 1100, u"PAGO", false, 8),
    T(550, 1330, u"947", true, 12),
    C(150, 300, 1700, 1640),
    T(3000, 400, u"MORVATH", true, 9),
    T(3750, 830, u"Ejercicio gravable ", false, 8, Fuente::Periodo),
    C(1700, 300, 8500, 1100),
    T(1750, 1170, u"RUC", false, kCuerpo),
    T(3500, 1170, u"", true, kCuerpo, Fuente::Ruc),
    C(1700, 1100, 3400, 1370),
    C(3400, 1100, 8500, 1370),
    T(1750, 1450, u"RAZÓN SOCIAL", false, kCuerpo),
    T(3500, 1450, u"", true, kCuerpo, Fuente::RazonSocial),
    C(1700, 1370, 3400, 1640),
    C(3400, 1370, 8500, 1640),
    T(9000, 400, u"Copia para el", false, kCuerpo),
    T(9000, 700, u"Contribuyente(", false, 9, Fuente::Copia),
    C(8500, 300, 11000, 1100),
    C(8500, 1100, 11000, 1640),
    T(8700, 1170, u" N° DE TELEFONO", false, kCuerpo),
    T(9000, 1450, u"", false, kCuerpo, Fuente::Telefono),
    C(8500, 1100, 11000, 1370),
};

// The line of a sent declaration, 270 above the body cursors.
constexpr Elemento kEnviada[] = {
    T(300, 1730, u"Nro. Control:", false, kCuerpo),
    C(150, 1680, 2800, 1950),
    T(1600, 1730, u"", false, kCuerpo, Fuente::Control),
    T(8700, 1730, u"Nro. Orden:", false, kCuerpo),
    T(9800, 1730, u"", false, kCuerpo, Fuente::Orden),
    C(8500, 1680, 11000, 1950),
};

QString textoDe(const Elemento& e, int pagina)
{
    const AppState& a = App();
    const EstadoImpresion& imp = Impresion();
    const QString fijo = QString::fromUtf16(e.texto);
    switch (e.fuente) {
    case Fuente::Fijo: return fijo;
    case Fuente::Periodo: return fijo + zav::Right(a.gPeriodo, 2) + QLatin1Char('/') + zav::Left(a.gPeriodo, 4);
    case Fuente::Ruc: return a.gRuc;
    case Fuente::RazonSocial: return imp.gRazonSocialImp;
    case Fuente::Copia: return fijo + QString::number(pagina + 1) + QLatin1Char(')');
    case Fuente::Telefono: return imp.gTelefonoImp;
    case Fuente::Control: return AlineaDerecha(imp.gNumControlImp, 10);
    case Fuente::Orden: return AlineaDerecha(imp.gNumOrdenImp, 10);
    }
    return fijo;
}

template <size_t N>
void escribe(HojaReporte& h, const Elemento (&elementos)[N], int pagina)
{
    for (const Elemento& e : elementos) {
        if (e.cuadro)
            h.Archivo.EscribeCuadro(e.x, e.y, e.x2, e.y2, pagina);
        else
            h.Archivo.EscribePos(e.x, e.y, textoDe(e, pagina), e.negrita, e.tamano == kCuerpo ? h.gTamanoTexto : e.tamano,
                                 pagina);
    }
}

} // namespace

void ImprimeCabecera(HojaReporte& h, int pagina)
{
    escribe(h, kCabecera, pagina);
    h.gYTexto = 2000;
    h.gYCuadro = 1950;
    if (Impresion().gEnviadaImp)
        escribe(h, kEnviada, pagina);
}
