#include "printing/report/ArchivoReporte.h"

#include "common/Cp1252.h"
#include "common/Runtime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <charconv>

namespace rpt {

namespace {

constexpr qsizetype kBloque = 64 * 1024;

[[noreturn]] void errorArchivo(int numero, const char* descripcion)
{
    throw zav::RuntimeError(numero, QString::fromLatin1(descripcion));
}

// A character the record cannot carry as it is: "|" would end the field early and a
// line break would end the record.
inline char sustituto(char16_t c, bool campo)
{
    if (c == u'\r' || c == u'\n')
        return ' ';
    if (campo && c == u'|')
        return static_cast<char>(0xA6);   // broken bar
    return 0;
}

} // namespace

ArchivoReporte::~ArchivoReporte()
{
    try {
        Cierra();
    } catch (...) {
    }
}

void ArchivoReporte::Abre(const QString& ruta)
{
    Cierra();
    buf_.clear();
    enMemoria_ = false;
    file_ = std::fopen(QFile::encodeName(ruta).constData(), "wb");
    if (!file_) {
        if (!QFileInfo(ruta).absoluteDir().exists())
            errorArchivo(76, "Path not found");
        errorArchivo(75, "Path/File access error");
    }
    buf_.reserve(static_cast<size_t>(kBloque) + 1024);
    abierto_ = true;
}

void ArchivoReporte::AbreEnMemoria()
{
    Cierra();
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
    const bool escrito = std::fwrite(buf_.data(), 1, buf_.size(), file_) == buf_.size();
    buf_.clear();
    const bool cerrado = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!escrito || !cerrado)
        errorArchivo(57, "Device I/O error");
}

void ArchivoReporte::pendiente()
{
    if (!abierto_)
        errorArchivo(52, "Bad file name or number");
}

void ArchivoReporte::vacia()
{
    if (enMemoria_ || static_cast<qsizetype>(buf_.size()) < kBloque)
        return;
    if (std::fwrite(buf_.data(), 1, buf_.size(), file_) != buf_.size())
        errorArchivo(57, "Device I/O error");
    buf_.clear();
}

void ArchivoReporte::texto(const QString& t, bool campo)
{
    // Most texts are Latin-1 outside 0x80-0x9F, where the code page is the same.
    const size_t inicio = buf_.size();
    buf_.resize(inicio + static_cast<size_t>(t.size()));
    char* out = buf_.data() + inicio;
    for (const QChar qc : t) {
        const char16_t c = qc.unicode();
        if (c >= 0x20 && c < 0x80 && c != u'|') {
            *out++ = static_cast<char>(c);
        } else if (const char s = sustituto(c, campo)) {
            *out++ = s;
        } else if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            *out++ = static_cast<char>(c);
        } else {
            buf_.resize(inicio);
            QString limpio = t;
            for (QChar& x : limpio)
                if (const char s = sustituto(x.unicode(), campo))
                    x = QChar(s == ' ' ? u' ' : u'\u00A6');
            const QByteArray b = zav::ToCp1252(limpio);
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
    if (t == QLatin1String("pNuevaHoja")) {
        buf_.append("pNuevaHoja\r\n");
    } else if (t.startsWith(QLatin1String("<!"))) {
        texto(t, false);
        buf_.append("\r\n");
    } else {
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
    }
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
