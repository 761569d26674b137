// Pages 1 to 3: the balance sheet and the profit-and-loss statement.
#include "printing/EstadoImpresion.h"
#include "printing/FilasReporte.h"
#include "shell/modulo/AppState.h"

#include <vector>

namespace {

struct FilaCasilla {
    int casilla;
    QString etiqueta;
    QString numero;   // the box number as printed
};

std::vector<FilaCasilla> filas(std::initializer_list<std::pair<int, const char16_t*>> t)
{
    std::vector<FilaCasilla> v;
    v.reserve(t.size());
    for (const auto& [c, e] : t)
        v.push_back({c, QString::fromUtf16(e), QString::number(c)});
    return v;
}

const std::vector<FilaCasilla>& activo()
{
    static const std::vector<FilaCasilla> t = filas({
        {500, u"Caja y Bancos"},
        {501, u"Inv valor razonable y disp para la vta"},
        {502, u"Ctas por cobrar comerciales - terc"},
        {503, u"Ctas por cobrar comerciales - Relac"},
        {504, u"Ctas p cob per.acc, soc, dir y ger"},
        {505, u"Ctas por cobrar diversas - Terceros"},
        {506, u"Ctas por cobrar diversas - Relacionadas"},
        {507, u"Serv y otros contratados por anticipado"},
        {508, u"Estimación ctas de cobranza dudosa"},
        {509, u"Mercaderias"},
        {510, u"Productos terminados"},
        {511, u"Subprod., desechos y desperdicios"},
        {512, u"Productos en proceso"},
        {513, u"Materias primas"},
        {514, u"Materiales aux, suministros y repuestos"},
        {515, u"Envases y embalajes"},
        {516, u"Existencias por recibir"},
        {517, u"Desvalorización de Existencias"},
        {518, u"Activos no ctes mantenidos para la vta"},
        {519, u"Otros activos corrientes"},
        {520, u"Inversiones mobiliarias"},
        {521, u"Inversiones inmobiliarias (1)"},
        {522, u"Activ. Adq. en arrendamiento finan. (2)"},
        {523, u"Inmuebles, maquinaria y equipo"},
        {524, u"Depreciación (1) y (2) e IME acumulados"},
        {525, u"Intangibles"},
        {526, u"Activos biológicos"},
        {527, u"Deprec act biol, amort y agotam acum"},
        {528, u"Desvalorización de activo inmovilizado"},
        {529, u"Activo Diferido"},
        {530, u"Otros Activos no corrientes"},
        {531, u"TOTAL ACTIVO NETO"},
    });
    return t;
}

const std::vector<FilaCasilla>& pasivo()
{
    static const std::vector<FilaCasilla> t = filas({
        {532, u"Sobregiros bancarios"},
        {533, u"Trib y aport sist pens y salud p pagar"},
        {534, u"Remuneraciones y part. por pagar"},
        {535, u"Ctas por pagar comerciales - Terceros "},
        {536, u"Ctas por pagar comerciales - Relac"},
        {537, u"Ctas p pagar accion, directores y ger"},
        {538, u"Cuentas por pagar diversas - Terceros"},
        {539, u"Ctas por pagar diversas - Relacionadas"},
        {540, u"Obligaciones Financieras"},
        {541, u"Provisiones"},
        {542, u"Pasivo diferido"},
        {543, u"TOTAL PASIVO"},
    });
    return t;
}

const std::vector<FilaCasilla>& patrimonio()
{
    static const std::vector<FilaCasilla> t = filas({
        {544, u"Capital"},
        {545, u"Acciones de inversión"},
        {546, u"Capital adicional"},
        {547, u"Resultados no realizados"},
        {548, u"Excedente de revaluación"},
        {549, u"Reservas"},
        {550, u"Resultados acumulados positivo"},
        {551, u"Resultados acumulados negativo"},
        {552, u"Utilidad de ejercicio"},
        {553, u"Pérdida del ejercicio"},
        {554, u"TOTAL PATRIMONIO"},
        {555, u"TOTAL PASIVO Y PATRIMONIO"},
    });
    return t;
}

// The two-row results put their words one above the other from the 38th character.
const std::vector<FilaCasilla>& resultados()
{
    static const std::vector<FilaCasilla> t = filas({
        {461, u"Ventas Netas o ingresos por servicios"},
        {462, u"(-) Descuentos, rebajas y bonificaciones concedidas"},
        {463, u"Ventas Netas"},
        {464, u"(-) Costo de Ventas"},
        {466, u"Resultado Bruto                      Utilidad"},
        {467, u"                                     Pérdida"},
        {468, u"(-) Gastos de venta"},
        {469, u"(-) Gastos de administración"},
        {470, u"Resultado de operación               Utilidad"},
        {471, u"                                     Pérdida"},
        {472, u"(-) Gastos financieros"},
        {473, u"(+) Ingresos financieros gravados"},
        {475, u"(+) Otros ingresos gravados"},
        {476, u"(+) Otros ingresos no gravados"},
        {477, u"(+) Enajenación de valores y bienes del activo fijo"},
        {478, u"(-) Costo enajenación de valores y bienes activo fijo"},
        {480, u"(-) Gastos diversos"},
        {481, u"REI del ejercicio                    Positivo"},
        {483, u"                                     Negativo"},
        {484, u"Resultado antes de participaciones   Utilidad"},
        {485, u"                                     Pérdida"},
        {486, u"(-) Distribución legal de la renta"},
        {487, u"Resultado antes del impuesto         Utilidad"},
        {489, u"                                     Pérdida"},
        {490, u"(-) Impuesto a la Renta"},
        {492, u"Resultado del ejercicio              Utilidad"},
        {493, u"                                     Pérdida"},
    });
    return t;
}

// Label, box number and value columns of a statement: x of each text and its frame.
struct Columnas {
    int xEtiqueta, x1Etiqueta, x2Etiqueta;
    int xNumero, x2Numero;
    int xValor, x2Valor;
};
constexpr Columnas kBalance{300, 150, 8500, 8550, 8900, 9000, 11000};
constexpr Columnas kResultados{300, 150, 6000, 6050, 6400, 6500, 8500};

void filasCasillas(FilasReporte& r, const std::vector<FilaCasilla>& t, const Columnas& c)
{
    const EstadoImpresion& e = Impresion();
    for (const FilaCasilla& f : t) {
        r.texto(c.xEtiqueta, f.etiqueta);
        r.cuadro(c.x1Etiqueta, c.x2Etiqueta);
        r.texto(c.xNumero, f.numero);
        r.cuadro(c.x2Etiqueta, c.x2Numero);
        r.texto(c.xValor, ValorImporte(e.gValores[static_cast<size_t>(f.casilla)]));
        r.cuadro(c.x2Numero, c.x2Valor);
        r.avanza();
    }
}

// The column heading of a balance page: its title and "Valor" framed two rows high, the
// balance-date caption under them.
void encabezadoBalance(FilasReporte& r, const QString& titulo)
{
    r.texto(3400, titulo);
    r.cuadro(150, 8500, 540);
    r.texto(9000, QStringLiteral("     Valor"));
    r.cuadro(8500, 11000, 540);
    r.avanza();
    r.texto(8750, TextoFechaBalance(App().gPeriodo));
    r.avanza();
}

// Pages 2 and 3 keep their own cursors, 240 lower than page 1's.
FilasReporte inicioPagina(HojaReporte& h, int pagina)
{
    SaltoDePagina(h, pagina);
    FilasReporte r(h, pagina, 350, 300);
    ImprimeCabecera(h, pagina);
    r.avanza(1890);
    return r;
}

} // namespace

void ImprimeActivo(HojaReporte& h, int pagina)
{
    rpt::ArchivoReporte& f = h.Archivo;
    f.EscribeLinea(QString::fromLatin1(rpt::kTagFuente));
    f.EscribeLinea(QStringLiteral("<!nHojas!>5<!/nHojas!>"));
    f.EscribeLinea(QString::fromLatin1(rpt::kTagOrientacionV));
    f.EscribeLinea(QStringLiteral("<!Color!>&H00FFFFC0&<!/Color!>"));
    SaltoDePagina(h, pagina);
    ImprimeCabecera(h, pagina);

    FilasReporte r(h, pagina, h.gYTexto, h.gYCuadro);
    r.texto(300, QStringLiteral("1.-  ESTADOS FINANCIEROS"), true, 9);
    r.cuadro(150, 11000);
    r.avanza();
    r.texto(300, QStringLiteral("I.-Balance General "));
    r.cuadro(150, 11000);
    r.avanza();
    encabezadoBalance(r, QStringLiteral("ACTIVO"));
    filasCasillas(r, activo(), kBalance);
    h.gYTexto = r.yT;
    h.gYCuadro = r.yB;
}

void ImprimePasivo(HojaReporte& h, int pagina)
{
    FilasReporte r = inicioPagina(h, pagina);
    encabezadoBalance(r, QStringLiteral("PASIVO"));
    filasCasillas(r, pasivo(), kBalance);
}

void ImprimePatrimonioResultados(HojaReporte& h, int pagina)
{
    FilasReporte r = inicioPagina(h, pagina);
    encabezadoBalance(r, QStringLiteral("PATRIMONIO"));
    filasCasillas(r, patrimonio(), kBalance);
    r.avanza();   // one empty row above the statement

    r.texto(300, QStringLiteral("II.-Estado de Pérdidas y Ganancias-Valores"));
    r.cuadro(150, 8500);
    r.avanza();
    r.texto(6900, QStringLiteral("Importe"));
    r.cuadro(150, 6000, 540);
    r.cuadro(6000, 8500, 540);
    r.avanza();
    r.texto(6250, TextoFechaBalance(App().gPeriodo));
    r.avanza();
    filasCasillas(r, resultados(), kResultados);
}
