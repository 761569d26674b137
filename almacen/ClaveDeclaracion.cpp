#include "almacen/ClaveDeclaracion.h"

namespace almacen {

ClaveDeclaracion ClaveDeclaracion::Guardada(const QString& documento, const QString& periodo,
                                            const QString& formulario)
{
    ClaveDeclaracion c;
    c.Documento = documento;
    c.Periodo = periodo;
    c.Formulario = formulario;
    return c;
}

ClaveDeclaracion ClaveDeclaracion::Envio(const QString& documento, const QString& periodo, const QString& formulario,
                                         const QString& correl)
{
    ClaveDeclaracion c = Guardada(documento, periodo, formulario);
    c.Correl = correl;
    return c;
}

QString ClaveDeclaracion::Tabla(const QString& guardada) const
{
    return EsEnvio() ? QLatin1Char('H') + guardada : guardada;
}

QString ClaveDeclaracion::Filtro() const
{
    QString f = QStringLiteral(" WHERE DOC_ID_D=?");
    if (!TipoDoc.isNull())
        f += QStringLiteral(" AND TIP_DOC_D=?");
    f += QStringLiteral(" AND PERIODO=? AND FORMULARIO=?");
    if (Correl)
        f += QStringLiteral(" AND CORREL=?");
    if (Semana)
        f += QStringLiteral(" AND SEMANA=?");
    return f;
}

dao::Params ClaveDeclaracion::Valores() const
{
    dao::Params p{Documento};
    if (!TipoDoc.isNull())
        p.push_back(TipoDoc);
    p.push_back(Periodo);
    p.push_back(Formulario);
    if (Correl)
        p.push_back(*Correl);
    if (Semana)
        p.push_back(*Semana);
    return p;
}

} // namespace almacen
