#include "printing/RenderReporte.h"

#include "common/Runtime.h"
#include "platform/ui/Impresora.h"
#include "printing/report/LectorReporte.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

constexpr int kTwipsPorPunto = 20;
// A text keeps this far from the line that closes its frame.
constexpr int kHolgura = 30;
// Half a row: what lies within it of a text's top stands on the text's row.
constexpr int kMediaFila = 135;

// The width in twips of texto at tamano points, its trailing blanks left out.
double Ancho(const QString& texto, bool negrita, int tamano)
{
    QFont f(zav::FamiliaImpresora(QStringLiteral("Courier New")));
    f.setPixelSize(tamano * kTwipsPorPunto);
    f.setBold(negrita);
    return QFontMetricsF(f).horizontalAdvance(zav::RTrim(texto));
}

} // namespace

void RenderReporte::Fuente(zav::Impresora& destino, bool negrita, int tamano)
{
    destino.setFontName(QStringLiteral("Courier New"));
    destino.setFontBold(negrita);
    try {
        destino.setFontSize(tamano);
    } catch (const zav::RuntimeError&) {
        // the target keeps the size it had
    }
}

void RenderReporte::Texto(zav::Impresora& destino, int x, int y, const QString& texto, bool negrita, int tamano,
                          int espacio)
{
    int pedido = tamano > 0 ? tamano : kTamanoInicial;
    // Never below what can be read: a text that does not fit even then overruns its frame.
    while (pedido > kTamanoLegible && Ancho(texto, negrita, pedido) > espacio)
        --pedido;
    Fuente(destino, negrita, pedido);
    destino.setCurrentX(x);
    destino.setCurrentY(y);
    destino.Print(texto);
}

void RenderReporte::Vertical(zav::Impresora& destino, int x, int y, const QString& texto, bool negrita, int tamano)
{
    Fuente(destino, negrita, tamano > 0 ? tamano : kTamanoInicial);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        destino.setCurrentX(x);
        destino.setCurrentY(y + static_cast<int>(i) * 190);
        destino.Print(texto.sliced(i, 1));
    }
}

void RenderReporte::Cuadro(zav::Impresora& destino, int x1, int y1, int x2, int y2)
{
    const QColor negro(Qt::black);
    destino.setDrawWidth(1);
    destino.Line(x1, y1, x2, y1, negro);
    destino.Line(x2, y1, x2, y2, negro);
    destino.Line(x2, y2, x1, y2, negro);
    destino.Line(x1, y2, x1, y1, negro);
}

std::vector<int> RenderReporte::Espacios(const std::vector<rpt::Registro>& registros)
{
    std::vector<int> espacios(registros.size(), INT_MAX);
    std::map<int, std::vector<size_t>> porPagina;
    for (size_t i = 0; i < registros.size(); ++i) {
        const rpt::Registro& r = registros[i];
        if (r.Tipo == rpt::TipoRegistro::Cuadro
            || (r.Tipo == rpt::TipoRegistro::Pos && !zav::Trim(r.Texto).isEmpty()))
            porPagina[r.Pagina].push_back(i);
    }
    for (const auto& [pagina, indices] : porPagina) {
        for (size_t i : indices) {
            const rpt::Registro& t = registros[i];
            if (t.Tipo != rpt::TipoRegistro::Pos)
                continue;
            const int medio = t.Y + kMediaFila / 2;
            int borde = INT_MAX;
            for (size_t j : indices) {
                const rpt::Registro& o = registros[j];
                if (o.Tipo == rpt::TipoRegistro::Cuadro) {
                    if (std::min(o.Y, o.Y2) < medio && medio < std::max(o.Y, o.Y2))
                        for (int lado : {o.X, o.X2})
                            if (lado > t.X)
                                borde = std::min(borde, lado);
                } else if (j != i && o.X > t.X && std::abs(o.Y - t.Y) < kMediaFila) {
                    borde = std::min(borde, o.X);
                }
            }
            if (borde != INT_MAX)
                espacios[i] = borde - t.X - kHolgura;
        }
    }
    return espacios;
}
