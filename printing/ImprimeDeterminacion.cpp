// Page 4: the determination of the tax, the identification by regime, the payment
// system and the assistants of boxes 473 and 477.
#include "common/Runtime.h"
#include "printing/EstadoImpresion.h"
#include "printing/FilasReporte.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <vector>

namespace {

struct FilaCasilla {
    int casilla;
    QString etiqueta;
};

const std::vector<FilaCasilla>& determinacion()
{
    static const std::vector<FilaCasilla> t = [] {
        std::vector<FilaCasilla> v;
        for (const auto& [c, e] : std::initializer_list<std::pair<int, const char16_t*>>{
                 {100, u"Utilidad antes del impuesto"},
                 {101, u"Pérdida del ejercicio"},
                 {103, u"(+) Adiciones para determinar la renta imponible"},
                 {105, u"(-) Deducciones para determinar la renta imponible"},
                 {106, u"Renta neta del ejercicio"},
                 {107, u"Pérdida del ejercicio"},
                 {108, u"(-) Pérdida tributaria compensable de ejercicios anteriores"},
                 {150, u"Inversión en amazonía"},
                 {110, u"Renta Neta Imponible"},
                 {111, u"Pérdida tributaria del ejercicio"},
                 {113, u"Impuesto a la Renta"},
                 {250, u"Imp. a la Renta proyectado"},
                 {251, u"Pagos a cuenta realizados"},
                 {252, u"Saldo a favor del año anterior"},
                 {253, u"Monto pendiente de pago"},
             })
            v.push_back({c, QString::fromUtf16(e)});
        return v;
    }();
    return t;
}

class Pagina4 {
public:
    Pagina4(HojaReporte& h, int pagina) : r_(h, pagina, 350, 300), e_(Impresion()), a_(App()) {}

    void escribe();

private:
    const QString& valor(int casilla) const { return e_.gValores[static_cast<size_t>(casilla)]; }

    void titulo(const QString& t, int tamano)
    {
        r_.texto(300, t, true, tamano);
        r_.cuadro(150, 11000);
        r_.avanza();
    }
    void titulo(const QString& t) { titulo(t, r_.h.gTamanoTexto); }

    void importe(const QString& etiqueta, const QString& numero, const QString& texto)
    {
        r_.texto(300, etiqueta);
        r_.cuadro(150, 11000);
        r_.texto(8550, numero);
        r_.cuadro(8500, 8900);
        r_.texto(9000, texto);
        r_.cuadro(8900, 11000);
        r_.avanza();
    }

    void respuesta(const QString& etiqueta, const QString& texto, int x = 9000)
    {
        r_.texto(300, etiqueta);
        r_.cuadro(150, 11000);
        r_.texto(x, texto);
        r_.cuadro(8900, 11000);
        r_.avanza();
    }

    void siNo(const QString& etiqueta, const QString& campo)
    {
        const QString t = campo.isEmpty() ? QStringLiteral(" ")
                          : campo == QLatin1String("1") ? QStringLiteral("SI")
                                                         : QStringLiteral("NO");
        respuesta(etiqueta, AlineaDerecha(t, 16));
    }

    void descripcion(const QString& etiqueta, const QString& texto)
    {
        r_.texto(300, etiqueta);
        r_.cuadro(150, 11000);
        r_.texto(6700, texto);
        r_.avanza();
    }

    void ubicacion(int casilla)
    {
        const QString codigo = valor(casilla);
        importe(QStringLiteral("Ubicación Geográfica de su Domicilio Fiscal"), QString::number(casilla),
                AlineaDerecha(codigo, 16));
        QString d;
        const QString c = zav::Trim(codigo);
        if (!c.isEmpty())
            d = zav::Trim(DescParam030(c)) + QStringLiteral(" - ") + zav::Trim(zav::Left(DescParam031(c), 25))
                + QStringLiteral(" - ") + zav::Trim(DescParam001(c));
        descripcion(QStringLiteral("Descripción de Ubicación Geográfica de su Domicilio Fiscal"),
                    AlineaDerecha(zav::Left(d, 40), 40));
    }

    // The annexes put their columns a little apart from the other rows.
    void anexo(const QString& etiqueta, int casilla)
    {
        const QString v = ImporteImprimible(valor(casilla));
        const QString f = zav::Format(v, QStringLiteral("###,###,###,##0;(###,###,###,##0)"));
        r_.texto(250, etiqueta);
        r_.cuadro(150, 11000);
        r_.texto(8520, QString::number(casilla));
        r_.cuadro(8500, 8900);
        r_.texto(9100, RellenaIzquierda(f, zav::Val(v) < 0 ? 16 : 15));
        r_.cuadro(8900, 11000);
        r_.avanza();
    }
    void tituloAnexo(const QString& t)
    {
        r_.texto(250, t, true, r_.h.gTamanoTexto);
        r_.avanza();
    }

    QString coeficiente() const;
    void regimen();
    void sistemaDePago();

    FilasReporte r_;
    const EstadoImpresion& e_;
    const AppState& a_;
    int anho_ = 0;
    QString mes_;
};

QString Pagina4::coeficiente() const
{
    QString mascara;
    if (anho_ < 2013 || mes_ == QLatin1String("01") || mes_ == QLatin1String("06"))
        mascara = zav::Trim(e_.g609) == QLatin1String("A") ? QStringLiteral("###,###,##0.0000;(###,###,##0.0000)")
                                                          : QStringLiteral("###,###,##0.00;(###,###,##0.00)");
    else
        mascara = QStringLiteral("###,###,##0.###0;(###,###,##0.###0)");
    const QString v = ImporteImprimible(e_.g610);
    return AlineaDerecha(zav::Format(v, mascara), zav::Val(v) < 0 ? 17 : 16);
}

void Pagina4::regimen()
{
    const QString codigo = zav::Trim(valor(56));
    if (codigo == QLatin1String("4") || codigo == QLatin1String("8")) {
        titulo(codigo == QLatin1String("4") ? QStringLiteral("REGIMEN GENERAL") : QStringLiteral("REGIMEN MYPE TRIBUTARIO"));
        const QString persona = e_.g813.isEmpty()                  ? QStringLiteral(" ")
                                : e_.g813 == QLatin1String("0") ? QStringLiteral("P.Jurídica")
                                                                : QStringLiteral("P.Natural");
        respuesta(QStringLiteral("Tipo de persona"), persona, 8750);
    } else if (codigo == QLatin1String("1")) {
        titulo(QStringLiteral("REGIMEN AGRARIO"));
        // A stored text that is no date is shown as it is.
        const QString& guardada = valor(200);
        QString fecha = FechaDeAAAAMMDD(guardada);
        if (fecha.isEmpty())
            fecha = guardada;
        importe(QStringLiteral("Fecha de Presentación del formulario 5136 "), QStringLiteral("200"),
                AlineaDerecha(fecha, 16));
    } else if (codigo == QLatin1String("2")) {
        titulo(QStringLiteral("REGIMEN DE LA AMAZONIA"));
        siNo(QStringLiteral("Acogimiento a la Ley de la Amazonía"), e_.g810);
        siNo(QStringLiteral("Contribuyente Ubicado en la Amazonía"), e_.g809);
        titulo(QStringLiteral("Domicilio Fiscal"));
        siNo(QStringLiteral("Domicilio Fiscal ubicado en la Amazonía junto con su Administración y Contabilidad"), e_.g860);
        const QString zona = e_.g811.isEmpty()                  ? QStringLiteral(" ")
                             : e_.g811 == QLatin1String("0") ? QStringLiteral("ZONA 1")
                                                             : QStringLiteral("ZONA 2");
        respuesta(QStringLiteral("Zona a la que corresponde la ubicación de su domicilio"), zona);
        ubicacion(812);
    } else if (codigo == QLatin1String("3")) {
        titulo(QStringLiteral("ZONA DE FRONTERA"));
        siNo(QStringLiteral("Se dedica a la actividad industrial"), e_.g601);
        titulo(QStringLiteral("Domicilio fiscal"));
        siNo(QStringLiteral("Domicilio Fiscal ubicado en la zona de frontera"), e_.g602);
        ubicacion(603);
    } else if (codigo == QLatin1String("6")) {
        r_.texto(300, QStringLiteral("CONVENIO DE ESTABILIDAD"), true, r_.h.gTamanoTexto);
        r_.cuadro(150, 11000);
        r_.cuadro(8900, 11000);
        r_.avanza();
        const QString& k = e_.g804;
        if (k == QLatin1String("1") || k == QLatin1String("2") || k == QLatin1String("3") || k == QLatin1String("4")) {
            respuesta(QStringLiteral("Contratos de licencia de exploración y explotación de hidrocarburos"),
                      QString(14, QLatin1Char(' ')) + QStringLiteral("SI"));
            importe(QStringLiteral("Número de Orden del Formulario 7842"), QStringLiteral("224"),
                    AlineaDerecha(valor(224), 16));
        }
    }
}

void Pagina4::sistemaDePago()
{
    titulo(anho_ < 2013 ? QStringLiteral("3. SISTEMA DE PAGO") : QStringLiteral("3. MODALIDAD DE PAGO"), 9);
    const auto si = [](bool b) { return AlineaDerecha(b ? QStringLiteral("SI") : QStringLiteral("NO"), 16); };
    respuesta(QStringLiteral("¿Ha Iniciado sus actividades en el ejercicio?"), si(e_.g605 == QLatin1String("1")));
    titulo(QStringLiteral("Resultado del ejercicio"));
    if (e_.g605 == QLatin1String("0")) {
        titulo(QStringLiteral("Ejercicio anterior"));
        respuesta(QStringLiteral("Utilidad"), si(e_.g607 == QLatin1String("0")));
        respuesta(QStringLiteral("Pérdida"), si(e_.g607 == QLatin1String("1")));
        titulo(QStringLiteral("Ejercicio precedente al anterior"));
        respuesta(QStringLiteral("Utilidad"), si(e_.g606 == QLatin1String("0")));
        respuesta(QStringLiteral("Pérdida"), si(e_.g606 == QLatin1String("1")));
    }
    QString fecha;
    if (anho_ < 2013) {
        if (e_.g608 == QLatin1String("1"))
            fecha = QStringLiteral("30 de junio");
        else if (e_.g608 == QLatin1String("0"))
            fecha = QStringLiteral("31 de enero");
        respuesta(QStringLiteral("Fecha de balance"), AlineaDerecha(fecha, 16));
        respuesta(QStringLiteral("Sistema de pago"), AlineaDerecha(e_.g609, 16));
    } else {
        if (e_.g608 == QLatin1String("1"))
            fecha = QStringLiteral("31 de julio");
        else if (e_.g608 == QLatin1String("0"))
            fecha = QStringLiteral("30 de abril");
        respuesta(QStringLiteral("Fecha de balance"), AlineaDerecha(fecha, 16));
    }
}

void Pagina4::escribe()
{
    HojaReporte& h = r_.h;
    SaltoDePagina(h, r_.pagina);
    ImprimeCabecera(h, r_.pagina);
    r_.avanza(1890);
    anho_ = static_cast<int>(zav::Val(zav::Left(a_.gPeriodo, 4)));
    mes_ = zav::Right(a_.gPeriodo, 2);

    titulo(QStringLiteral("1.-  DETERMINACION DEL IMPUESTO A LA RENTA"), 9);
    for (const FilaCasilla& f : determinacion())
        importe(f.etiqueta, QString::number(f.casilla), ValorImporte(valor(f.casilla)));
    importe(QStringLiteral("Morvath"), QStringLiteral("610"), coeficiente());
    r_.avanza();

    titulo(QStringLiteral("2.-  IDENTIFICACIÓN"), 9);
    titulo(QStringLiteral("DATOS GENERALES"));
    regimen();

    sistemaDePago();
    r_.avanza();

    if (anho_ >= 2013) {
        tituloAnexo(QStringLiteral("ASISTENTE CASILLA 473"));
        anexo(QStringLiteral("Ingresos financieros gravados"), 650);
        anexo(QStringLiteral("Ingresos financieros por diferencia de tipo de cambio"), 651);
    }
    r_.avanza();
    tituloAnexo(QStringLiteral("ASISTENTE CASILLA 477"));
    anexo(QStringLiteral("Ingresos afectos"), 432);
    anexo(QStringLiteral("Ingresos exonerados"), 433);
}

} // namespace

void ImprimeDeterminacion(HojaReporte& h, int pagina)
{
    Pagina4(h, pagina).escribe();
}
