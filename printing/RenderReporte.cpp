#include "printing/RenderReporte.h"

#include "common/Runtime.h"
#include "platform/ui/Impresora.h"

#include <QColor>

void RenderReporte::Fuente(zav::Impresora& destino, bool negrita, int tamano)
{
    destino.setFontName(QStringLiteral("Courier New"));
    destino.setFontBold(negrita);
    const int pedido = tamano > 0 ? tamano : mTamano;
    try {
        destino.setFontSize(pedido);
        mTamano = pedido;
    } catch (const zav::RuntimeError&) {
        // the target keeps the size it had
    }
}

void RenderReporte::Texto(zav::Impresora& destino, int x, int y, const QString& texto, bool negrita, int tamano)
{
    Fuente(destino, negrita, tamano);
    destino.setCurrentX(x);
    destino.setCurrentY(y);
    destino.Print(texto);
}

void RenderReporte::Vertical(zav::Impresora& destino, int x, int y, const QString& texto, bool negrita, int tamano)
{
    Fuente(destino, negrita, tamano);
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
