#include "printing/report/ArchivoReporte.h"

#include "common/Cp1252.h"
#include "common/Runtime.h"

#include <charconv>

namespace rpt {

namespace {

constexpr qsizetype kBloque = 64 * 1024;

// The system's reason goes with the runtime's number, so that the message says why.
[[noreturn]] void errorArchivo(int numero, const QString& motivo = {})
{
    throw zav::RuntimeError(numero, motivo);
}

// The "<" of a "<!" at i, which the readers would take for the start of a tag.
inline bool abreEtiqueta(const QString& t, qsizetype i)
{
    return t[i] == u'<' && i + 1 < t.size() && t[i + 1] == u'!';
}

// A control character: a line break would end the line; the others (NUL, ESC, the
// text receipt's page break 0x0F) would reach the printer or the host as commands.
inline bool esControl(char16_t c) { return c < 0x20 || c == 0x7F; }

// A tag line keeps its characters; only a control character goes.
QString sinControles(const QString& t)
{
    QString r = t;
    for (QChar& c : r)
        if (esControl(c.unicode()))
            c = u' ';
    return r;
}

} // namespace

QString TextoRegistro(const QString& texto)
{
    QString r = texto;
    for (qsizetype i = 0; i < r.size(); ++i) {
        const char16_t c = r[i].unicode();
        if (esControl(c))
            r[i] = u' ';
        else if (c == u'|')
            r[i] = QChar(0x00A6);   // broken bar
        else if (abreEtiqueta(r, i))
            r[i] = QChar(0x2039);   // single left-pointing angle quotation mark
    }
    return r;
}

ArchivoReporte::~ArchivoReporte() { Descarta(); }

void ArchivoReporte::Abre(const QString& ruta)
{
    Descarta();
    buf_.clear();
    enMemoria_ = false;
    auto f = std::make_unique<zav::ArchivoAtomico>(ruta);
    if (!f->Abre()) {
        if (!f->CarpetaExiste())
            errorArchivo(76, f->Error());
        errorArchivo(75, f->Error());
    }
    file_ = std::move(f);
    buf_.reserve(static_cast<size_t>(kBloque) + 1024);
    abierto_ = true;
}

void ArchivoReporte::AbreEnMemoria()
{
    Descarta();
    buf_.clear();
    enMemoria_ = true;
    abierto_ = true;
}

void ArchivoReporte::Cierra()
{
    if (!abierto_)
        return;
    abierto_ = false;
    if (enMemoria_)
        return;
    std::unique_ptr<zav::ArchivoAtomico> f = std::move(file_);
    const bool escrito = f->Escribe(buf_.data(), static_cast<qsizetype>(buf_.size())) && f->Confirma();
    buf_.clear();
    if (!escrito)
        errorArchivo(57, f->Error());
}

void ArchivoReporte::Descarta()
{
    abierto_ = false;
    file_.reset();   // removes the unfinished file
    if (!enMemoria_)
        buf_.clear();
}

void ArchivoReporte::pendiente()
{
    if (!abierto_)
        errorArchivo(52);
}

void ArchivoReporte::vacia()
{
    if (enMemoria_ || static_cast<qsizetype>(buf_.size()) < kBloque)
        return;
    if (!file_->Escribe(buf_.data(), static_cast<qsizetype>(buf_.size()))) {
        const QString motivo = file_->Error();
        Descarta();
        errorArchivo(57, motivo);
    }
    buf_.clear();
}

void ArchivoReporte::texto(const QString& t, bool campo)
{
    // Most texts are Latin-1 outside 0x80-0x9F, where the code page is the same.
    const size_t inicio = buf_.size();
    buf_.resize(inicio + static_cast<size_t>(t.size()));
    char* out = buf_.data() + inicio;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= 0x20 && c < 0x7F && c != u'|' && c != u'<') {
            *out++ = static_cast<char>(c);
        } else if (esControl(c)) {
            *out++ = ' ';
        } else if (campo && c == u'|') {
            *out++ = static_cast<char>(0xA6);   // broken bar
        } else if (campo && abreEtiqueta(t, i)) {
            *out++ = static_cast<char>(0x8B);   // the code page's single angle quotation mark
        } else if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            *out++ = static_cast<char>(c);
        } else {
            buf_.resize(inicio);
            const QByteArray b = zav::ToCp1252(campo ? TextoRegistro(t) : sinControles(t));
            buf_.append(b.constData(), static_cast<size_t>(b.size()));
            return;
        }
    }
}

void ArchivoReporte::numero(int n)
{
    char tmp[16];
    const auto r = std::to_chars(tmp, tmp + sizeof tmp, n);
    buf_.append(tmp, static_cast<size_t>(r.ptr - tmp));
}

void ArchivoReporte::EscribePos(int x, int y, const QString& t, bool negrita, int tamano, int pagina)
{
    pendiente();
    buf_.append("pPos|");
    numero(x);
    buf_ += '|';
    numero(y);
    buf_ += '|';
    texto(t, true);
    buf_.append(negrita ? "|True|" : "|False|");
    numero(tamano);
    buf_ += '|';
    numero(pagina);
    buf_.append("|\r\n");
    vacia();
}

void ArchivoReporte::EscribeNuevaHoja()
{
    pendiente();
    buf_.append("pNuevaHoja\r\n");
    vacia();
}

void ArchivoReporte::EscribeCuadro(int x1, int y1, int x2, int y2, int pagina)
{
    pendiente();
    buf_.append("pCuadro|");
    numero(x1);
    buf_ += '|';
    numero(y1);
    buf_ += '|';
    numero(x2);
    buf_ += '|';
    numero(y2);
    buf_ += '|';
    numero(pagina);
    buf_.append("|\r\n");
    vacia();
}

void ArchivoReporte::EscribeLinea(const QString& t)
{
    pendiente();
    if (!t.startsWith(QLatin1String("<!")))
        return;
    texto(t, false);
    buf_.append("\r\n");
    vacia();
}

} // namespace rpt
