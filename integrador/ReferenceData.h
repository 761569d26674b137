#pragma once
// The rows a new host database starts with: parameter lists, message texts, users and,
// for a demonstration, a few taxpayers.
#include <QList>
#include <QString>

namespace integrador {

struct ParamRow {
    QString numero;
    QString argumento;
    QString funcion;
    QString correlParam;
};

struct ErrorRow {
    QString codError;   // four digits
    QString descError;
};

struct ClaveRow {
    QString usuario;
    QString tipo;       // "0" sees every taxpayer
};

struct ContRow {
    int tipDocD;
    QString docIdD;
    int tipoIngreso;
    QString nombre;
    QString usuario;
};

// The fixed-position text of one document type of list '044': 1-31 long name,
// 32-42 short name, 46-47 length, 56-57 display order, 59-82 one flag per use
// (82: legal representative), 128 character check kind, 130 length kind
// ("0" up to the length, "1" exactly). 130 characters.
QString FuncionTipoDocumento(const QString& nombreLargo, const QString& nombreCorto, int longitud,
                             int orden, const QString& usos, char tipoDato, char tipoLongitud);

// Value and description lists of PARAM: '044', '404', '975', '976', '030', '031', '001',
// '004' and the host's rows of '996'. The module's own rows are left to its installer.
QList<ParamRow> ParamRows();

QList<ErrorRow> ErrorRows();

QList<ClaveRow> ClaveRows();

// The user written as SysUser: the one of type "0".
QString DefaultUser();

// Taxpayers of the demonstration workspace, spread over both users.
QList<ContRow> DemoTaxpayers();

} // namespace integrador
