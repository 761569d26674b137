#include "batch/startup/LineaComando.h"

#include "common/Cp1252.h"
#include "common/Runtime.h"

#include <QStringDecoder>
#include <QStringList>

namespace zav::lote {

LineaComandoLote CortaLineaComando(const QString& linea)
{
    LineaComandoLote l;
    l.TipoDoc = Mid(linea, 1, 2);
    l.NumDoc = Mid(linea, 3, 15);
    l.Formulario = Mid(linea, 18, 4);
    l.Periodo = Mid(linea, 22, 6);
    l.Semana = Mid(linea, 28, 1);
    l.NroConstancia = Mid(linea, 29, 8);
    return l;
}

QString PeriodoConsulta(const QString& periodo)
{
    if (Right(periodo, 2) == QLatin1String("00"))
        return Left(periodo, 4);
    return periodo;
}

namespace {
bool CaracterProhibido(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control;
}
} // namespace

QString RechazoLineaComando(const LineaComandoLote& linea)
{
    const struct {
        const char* nombre;
        const QString* valor;
    } campos[] = {
        {"tipo de documento", &linea.TipoDoc}, {"número de documento", &linea.NumDoc},
        {"formulario", &linea.Formulario},     {"periodo", &linea.Periodo},
        {"semana", &linea.Semana},             {"número de constancia", &linea.NroConstancia},
    };
    for (const auto& c : campos) {
        bool malo = c.valor->contains(QLatin1String(".."));
        for (QChar ch : *c.valor)
            malo = malo || CaracterProhibido(ch);
        if (malo)
            return QStringLiteral("La línea de comando no es válida: el campo %1 contiene \"/\", \"\\\", \"..\" "
                                  "o un carácter de control. No se generó ningún archivo.")
                .arg(QString::fromUtf8(c.nombre));
    }
    return {};
}

QString DecodificaArgumento(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texto = utf8.decode(bytes);
    if (!utf8.hasError())
        return texto;
    return FromCp1252(bytes);
}

QString LineaDeArgumentos(int argc, char** argv)
{
    QStringList partes;
    for (int i = 1; i < argc; ++i)
        partes << DecodificaArgumento(QByteArray(argv[i]));
    return partes.join(QLatin1Char(' '));
}

} // namespace zav::lote
