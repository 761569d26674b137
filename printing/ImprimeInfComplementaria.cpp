// Page 5: the accountant, the legal representative and the tax losses of earlier years.
#include "almacen/AlmacenDeclaracion.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "printing/EstadoImpresion.h"
#include "printing/FilasReporte.h"
#include "shell/modulo/AppState.h"

#include <vector>

namespace {

enum class Tipo { Titulo, Importe, Respuesta };

struct Fila {
    Tipo tipo;
    QString texto;
    int casilla;        // the box of an amount row, the source of an answer
    bool negrita;
    int tamano;         // -1: the body size
};

const std::vector<Fila>& filas()
{
    static const std::vector<Fila> t = [] {
        struct F {
            Tipo tipo;
            const char16_t* texto;
            int casilla;
            bool negrita;
            int tamano;
        };
        const F f[] = {
            {Tipo::Titulo, u"4.-  INFORMACION COMPLEMENTARIA", 0, true, 9},
            {Tipo::Titulo, u"INFORMACION GENERAL", 0, true, -1},
            {Tipo::Titulo, u"Datos del Contador", 0, false, -1},
            {Tipo::Respuesta, u"Apellidos", 815, false, -1},
            {Tipo::Respuesta, u"Nombres", 816, false, -1},
            {Tipo::Importe, u"Código de zona de la colegiatura o registro", 209, false, -1},
            {Tipo::Importe, u"RUC", 208, false, -1},
            {Tipo::Importe, u"C. P. C.  Nro.", 211, false, -1},
            {Tipo::Importe, u"C. M. A.  Nro.", 212, false, -1},
            {Tipo::Titulo, u"Datos del Representante Legal", 0, true, -1},
            {Tipo::Importe, u"Tipo de Documento", 225, false, -1},
            {Tipo::Importe, u"Número de Documento", 226, false, -1},
            {Tipo::Respuesta, u"Apellidos", 817, false, -1},
            {Tipo::Respuesta, u"Nombres", 818, false, -1},
        };
        std::vector<Fila> v;
        for (const F& x : f)
            v.push_back({x.tipo, QString::fromUtf16(x.texto), x.casilla, x.negrita, x.tamano});
        return v;
    }();
    return t;
}

// The value of a row: the accountant's names from their own variables, box 209 with at
// least two digits, every other box as stored.
QString valorFila(const Fila& f)
{
    EstadoImpresion& e = Impresion();
    if (QString* especial = e.Especial(f.casilla))
        return *especial;
    const QString& v = e.gValores[static_cast<size_t>(f.casilla)];
    return f.casilla == 209 ? zav::Format(v, QStringLiteral("0#")) : v;
}

void encabezadoPerdidas(FilasReporte& r, int x0)
{
    r.texto(x0 + 200, QStringLiteral("   Año"));
    r.h.Archivo.EscribeCuadro(x0 + 150, r.yB, x0 == 0 ? 4150 : x0 + 1350, r.yB + 810, r.pagina);
    r.texto(x0 + 1700, QStringLiteral("Importe consignado"));
    r.h.Archivo.EscribePos(x0 + 1700, r.yT + 270, QStringLiteral("en la DDJJ anual"), false, r.h.gTamanoTexto,
                           r.pagina);
    r.h.Archivo.EscribeCuadro(x0 + 1350, r.yB, x0 + 4150, r.yB + 810, r.pagina);
    r.avanza(540);
}

} // namespace

void ImprimeInfComplementaria(HojaReporte& h, int pagina)
{
    SaltoDePagina(h, pagina);
    FilasReporte r(h, pagina, 350, 300);
    ImprimeCabecera(h, pagina);
    r.avanza(1990);

    for (const Fila& f : filas()) {
        const int tamano = f.tamano < 0 ? h.gTamanoTexto : f.tamano;
        r.texto(300, f.texto, f.negrita, tamano);
        r.cuadro(150, 11000);
        switch (f.tipo) {
        case Tipo::Titulo:
            break;
        case Tipo::Importe:
            r.texto(8550, QString::number(f.casilla));
            r.cuadro(8500, 8900);
            r.texto(9000, AlineaDerecha(valorFila(f), 16));
            r.cuadro(8900, 11000);
            break;
        case Tipo::Respuesta:
            r.texto(8950, AlineaDerecha(valorFila(f), 16));
            r.cuadro(8900, 11000);
            break;
        }
        r.avanza();
    }

    r.avanza();
    r.texto(300, QStringLiteral("PERDIDA TRIBUTARIA COMPENSABLE DE EJERCICIOS ANTERIORES"), true, h.gTamanoTexto);
    r.cuadro(150, 8150);
    r.avanza();
    const int yTabla = r.yT;
    const int yCuadroTabla = r.yB;
    encabezadoPerdidas(r, 0);

    const AppState& a = App();
    if (!a.gBaseDatos)
        throw zav::RuntimeError(91);
    const almacen::FilasTabla perdidas = almacen::LeePerdidas(*a.gBaseDatos, ClaveImpresion());

    int x0 = 0;
    int fila = 0;
    for (const dao::Params& perdida : perdidas.Filas) {
        if (++fila > 10)
            break;
        if (fila == 6) {
            r.yT = yTabla;
            r.yB = yCuadroTabla;
            x0 = 4000;
            encabezadoPerdidas(r, x0);
        }
        r.avanza();
        r.texto(x0 + 250, AlineaDerecha(perdida.at(almacen::kPerdidaAnho).toText(), 8));
        r.h.Archivo.EscribeCuadro(x0 + 150, r.yB, x0 + 1350, r.yB + 270, pagina);
        r.texto(x0 + 2100, AlineaDerecha(zav::Format(ImporteImprimible(perdida.at(almacen::kPerdidaImporte).toText()),
                                                       QStringLiteral("###,###,###,##0")),
                                          15));
        r.h.Archivo.EscribeCuadro(x0 + 1350, r.yB, x0 + 4150, r.yB + 270, pagina);
    }
}
