#include "integrador/ReferenceData.h"

namespace integrador {

namespace {

QString padded(const QString& text, int width)
{
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

ParamRow param(const char* numero, const QString& argumento, const QString& funcion)
{
    return ParamRow{QString::fromLatin1(numero), argumento, funcion, QString()};
}

// Uses flagged for every usual identity document; position 82 (the last) is the legal
// representative's document.
const QString kUsosDocumento = QStringLiteral("000001000001100111011111");

void addDocumentTypes(QList<ParamRow>& rows)
{
    struct Tipo {
        const char* argumento;
        const char* largo;
        const char* corto;
        int longitud;
        int orden;
        QString usos;
        char tipoDato;
        char tipoLongitud;
    };
    const Tipo tipos[] = {
        {"6", "REG. UNICO DE CONTRIBUYENTES", "RUC", 11, 1, kUsosDocumento, '5', '1'},
        {"1", "DOC. NACIONAL DE IDENTIDAD", "DNI", 8, 2, kUsosDocumento, '5', '1'},
        {"4", "CARNET DE EXTRANJERIA", "CARNET EXT.", 12, 3, kUsosDocumento, '0', '0'},
        {"7", "PASAPORTE", "PASAPORTE", 12, 4, kUsosDocumento, '0', '0'},
        {"0", "DOC.TRIB.NO.DOM.SIN.RUC", "OTROS", 15, 5, QString(24, QLatin1Char('0')), '0', '0'},
    };
    for (const Tipo& t : tipos)
        rows << param("044", QString::fromLatin1(t.argumento),
                      FuncionTipoDocumento(QString::fromLatin1(t.largo),
                                           QString::fromLatin1(t.corto), t.longitud, t.orden,
                                           t.usos, t.tipoDato, t.tipoLongitud));
}

// Argumento the year, Funcion the value in the country's currency.
void addTaxUnits(QList<ParamRow>& rows)
{
    const int valores[] = {2900, 3000, 3100, 3100, 3200, 3300, 3400, 3450, 3500,
                           3550, 3600, 3600, 3650, 3700, 3800, 3850, 3950, 4050,
                           4150, 4200, 4300, 4400, 4600, 4950, 5150, 5350, 5500};
    int year = 2000;
    for (int v : valores)
        rows << param("404", QString::number(year++), QString::number(v));
}

// Argumento "YYYYMM", Funcion the factor.
void addUpdateFactors(QList<ParamRow>& rows)
{
    const char* factores[] = {"1.0254", "1.0231", "1.0209", "1.0186", "1.0164", "1.0142",
                              "1.0119", "1.0097", "1.0074", "1.0052", "1.0029", "1.0000"};
    int month = 1;
    for (const char* f : factores)
        rows << param("975", QStringLiteral("2024%1").arg(month++, 2, 10, QLatin1Char('0')),
                      QString::fromLatin1(f));
}

// Argumento the four-digit code, Funcion the name.
void addCountries(QList<ParamRow>& rows)
{
    const char* paises[][2] = {{"0032", "ARGENTINA"}, {"0068", "BOLIVIA"},
                               {"0076", "BRASIL"},    {"0152", "CHILE"},
                               {"0170", "COLOMBIA"},  {"0218", "ECUADOR"},
                               {"0604", "PERU"},      {"0840", "ESTADOS UNIDOS"}};
    for (const auto& p : paises)
        rows << param("976", QString::fromLatin1(p[0]), QString::fromLatin1(p[1]));
}

// Argumento the two-digit code; "00" is the no-bank entry that the list leaves out.
void addBanks(QList<ParamRow>& rows)
{
    const char* bancos[][2] = {{"00", "NINGUNO"},
                               {"01", "BANCO DEL ESTADO"},
                               {"02", "BANCO COMERCIAL DEL PACIFICO"},
                               {"03", "BANCO DE AHORRO Y CREDITO"},
                               {"04", "CAJA MUNICIPAL DE AHORRO"}};
    for (const auto& b : bancos)
        rows << param("004", QString::fromLatin1(b[0]), QString::fromLatin1(b[1]));
}

// Departments ('030', two digits; also the accountants' registration zones), provinces
// ('031', four digits) and districts ('001', six digits). A district's Funcion holds its
// name in 1-30, the Amazonía zone flags in 31-40 (31 zone 1, 32 zone 2) and the frontier
// flags in 41-50 (41 frontier zone).
void addPlaces(QList<ParamRow>& rows)
{
    const char* departamentos[][2] = {{"01", "AMAZONAS"}, {"15", "LIMA"},
                                      {"16", "LORETO"},   {"17", "MADRE DE DIOS"},
                                      {"23", "TACNA"},    {"25", "UCAYALI"}};
    for (const auto& d : departamentos)
        rows << param("030", QString::fromLatin1(d[0]), QString::fromLatin1(d[1]));

    const char* provincias[][2] = {{"0101", "CHACHAPOYAS"}, {"0102", "BAGUA"},
                                   {"1501", "LIMA"},        {"1601", "MAYNAS"},
                                   {"1701", "TAMBOPATA"},   {"2301", "TACNA"},
                                   {"2501", "CORONEL PORTILLO"}};
    for (const auto& p : provincias)
        rows << param("031", QString::fromLatin1(p[0]), QString::fromLatin1(p[1]));

    struct Distrito {
        const char* codigo;
        const char* nombre;
        const char* amazonia;
        const char* frontera;
    };
    const Distrito distritos[] = {
        {"010101", "CHACHAPOYAS", "1000000000", "0000000000"},
        {"010201", "BAGUA", "1000000000", "1000000000"},
        {"150101", "LIMA", "0000000000", "0000000000"},
        {"150122", "MIRAFLORES", "0000000000", "0000000000"},
        {"160101", "IQUITOS", "0100000000", "0000000000"},
        {"170101", "TAMBOPATA", "0100000000", "1000000000"},
        {"230101", "TACNA", "0000000000", "1000000000"},
        {"250101", "CALLERIA", "1000000000", "0000000000"},
    };
    for (const Distrito& d : distritos)
        rows << param("001", QString::fromLatin1(d.codigo),
                      padded(QString::fromLatin1(d.nombre), 30) + QString::fromLatin1(d.amazonia)
                          + QString::fromLatin1(d.frontera));
}

// The host's own tables in the table register: 1-15 table name, 16 "R", 18-21 "1000",
// 25 the number of leading key fields of its row check value (the layout of the rows
// the module's installer adds).
void addTableRegister(QList<ParamRow>& rows)
{
    const char* tablas[][3] = {{"101", "CAB", "5"}, {"102", "DET", "6"}, {"103", "HCAB", "6"},
                               {"104", "HDET", "7"}};
    for (const auto& t : tablas)
        rows << param("996", QString::fromLatin1(t[0]),
                      padded(QString::fromLatin1(t[1]), 15) + QStringLiteral("R 1000   ")
                          + QString::fromLatin1(t[2]));
}

} // namespace

QString FuncionTipoDocumento(const QString& nombreLargo, const QString& nombreCorto, int longitud,
                             int orden, const QString& usos, char tipoDato, char tipoLongitud)
{
    QString f = padded(nombreLargo, 31);                                     // 1-31
    f += padded(nombreCorto, 11);                                            // 32-42
    f += QStringLiteral("   ");                                              // 43-45
    f += QStringLiteral("%1").arg(longitud, 2, 10, QLatin1Char('0'));        // 46-47
    f += QStringLiteral(" 000110 ");                                         // 48-55
    f += QStringLiteral("%1").arg(orden, 2, 10, QLatin1Char('0'));           // 56-57
    f += QLatin1Char(' ');                                                   // 58
    f += padded(usos, 24);                                                   // 59-82
    f += QString(43, QLatin1Char(' ')) + QStringLiteral("0 ");               // 83-127
    f += QLatin1Char(tipoDato);                                              // 128
    f += QLatin1Char(' ');                                                   // 129
    f += QLatin1Char(tipoLongitud);                                          // 130
    return f;
}

QList<ParamRow> ParamRows()
{
    QList<ParamRow> rows;
    addDocumentTypes(rows);
    addTaxUnits(rows);
    addUpdateFactors(rows);
    addCountries(rows);
    addBanks(rows);
    addPlaces(rows);
    addTableRegister(rows);
    return rows;
}

QList<ErrorRow> ErrorRows()
{
    return {
        {QStringLiteral("0039"), QStringLiteral("Debe seleccionar un Ubigeo.")},
        {QStringLiteral("0151"),
         QStringLiteral("La información de la declaración fue grabada satisfactoriamente.")},
        {QStringLiteral("0152"),
         QStringLiteral("La información de la declaración fue grabada con inconsistencias. En "
                        "estas condiciones no podra ser enviada a KOVEL.")},
    };
}

QList<ClaveRow> ClaveRows()
{
    return {{QStringLiteral("ADMIN"), QStringLiteral("0")},
            {QStringLiteral("CONTADOR"), QStringLiteral("1")}};
}

QString DefaultUser()
{
    return QStringLiteral("ADMIN");
}

QList<ContRow> DemoTaxpayers()
{
    return {
        {6, QStringLiteral("20100070970"), 1, QStringLiteral("COMERCIAL ANDINA S.A.C."),
         QStringLiteral("ADMIN")},
        {6, QStringLiteral("20512345671"), 1, QStringLiteral("INDUSTRIAS DEL SUR S.A."),
         QStringLiteral("ADMIN")},
        {6, QStringLiteral("15102030408"), 1, QStringLiteral("ASOCIACIÓN CIVIL LOS ANDES"),
         QStringLiteral("ADMIN")},
        {6, QStringLiteral("20601234565"), 2,
         QStringLiteral("AGROEXPORTADORA VALLE VERDE S.A.C."), QStringLiteral("CONTADOR")},
        {6, QStringLiteral("10456789124"), 1, QStringLiteral("QUISPE MAMANI JUAN CARLOS"),
         QStringLiteral("CONTADOR")},
        {6, QStringLiteral("20000000001"), 1, QStringLiteral("EMPRESA DE PRUEBA S.A."),
         QStringLiteral("CONTADOR")},
    };
}

} // namespace integrador
