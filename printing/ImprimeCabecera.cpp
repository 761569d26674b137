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

QString ValorImporte(const QString& valor)
{
    const QString f = zav::Format(valor, QStringLiteral("###,###,###,##0;(###,###,###,##0)"));
    return AlineaDerecha(f, zav::Val(valor) < 0 ? 17 : 16);
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

void ImprimeCabecera(HojaReporte& h, int pagina)
{
    const AppState& a = App();
    const EstadoImpresion& e = Impresion();
    rpt::ArchivoReporte& f = h.Archivo;
    const int cuerpo = h.gTamanoTexto;

    f.EscribePos(300, 350, QStringLiteral("KOVEL"), true, 16, pagina);
    f.EscribePos(300, 750, QStringLiteral("DECLARACIÓN"), false, 8, pagina);
    f.EscribePos(550, 1100, QStringLiteral("PAGO"), false, 8, pagina);
    f.EscribePos(550, 1330, QStringLiteral("947"), true, 12, pagina);
    f.EscribeCuadro(150, 300, 1700, 1640, pagina);
    f.EscribePos(3000, 400, QStringLiteral("MORVATH"), true, 9, pagina);
    f.EscribePos(3750, 830,
                 QStringLiteral("Ejercicio gravable ") + zav::Right(a.gPeriodo, 2) + QLatin1Char('/')
                     + zav::Left(a.gPeriodo, 4),
                 false, 8, pagina);
    f.EscribeCuadro(1700, 300, 8500, 1100, pagina);
    f.EscribePos(1750, 1170, QStringLiteral("RUC"), false, cuerpo, pagina);
    f.EscribePos(3500, 1170, a.gRuc, true, cuerpo, pagina);
    f.EscribeCuadro(1700, 1100, 3400, 1370, pagina);
    f.EscribeCuadro(3400, 1100, 8500, 1370, pagina);
    f.EscribePos(1750, 1450, QStringLiteral("RAZÓN SOCIAL"), false, cuerpo, pagina);
    f.EscribePos(3500, 1450, e.gRazonSocialImp, true, cuerpo, pagina);
    f.EscribeCuadro(1700, 1370, 3400, 1640, pagina);
    f.EscribeCuadro(3400, 1370, 8500, 1640, pagina);
    f.EscribePos(9000, 400, QStringLiteral("Copia para el"), false, cuerpo, pagina);
    f.EscribePos(9000, 700, QStringLiteral("Contribuyente(") + QString::number(pagina + 1) + QLatin1Char(')'), false, 9,
                 pagina);
    f.EscribeCuadro(8500, 300, 11000, 1100, pagina);
    f.EscribeCuadro(8500, 1100, 11000, 1640, pagina);
    f.EscribePos(8700, 1170, QStringLiteral(" N° DE TELEFONO"), false, cuerpo, pagina);
    f.EscribePos(9000, 1450, e.gTelefonoImp, false, cuerpo, pagina);
    f.EscribeCuadro(8500, 1100, 11000, 1370, pagina);

    h.gYTexto = 2000;
    h.gYCuadro = 1950;
    if (!e.gEnviadaImp)
        return;
    const int yT = h.gYTexto - 270;
    const int yB = h.gYCuadro - 270;
    f.EscribePos(300, yT, QStringLiteral("Nro. Control:"), false, cuerpo, pagina);
    f.EscribeCuadro(150, yB, 2800, h.gYCuadro, pagina);
    f.EscribePos(1600, yT, AlineaDerecha(e.gNumControlImp, 10), false, cuerpo, pagina);
    f.EscribePos(8700, yT, QStringLiteral("Nro. Orden:"), false, cuerpo, pagina);
    f.EscribePos(9800, yT, AlineaDerecha(e.gNumOrdenImp, 10), false, cuerpo, pagina);
    f.EscribeCuadro(8500, yB, 11000, h.gYCuadro, pagina);
}
