#include "platform/db/DaoError.h"

namespace dao {

QString DaoError::StandardDescription(int number, const QString& arg)
{
    QString t;
    switch (number) {
    case err::ReservedError: t = QStringLiteral("Error reservado del motor de base de datos, sin mensaje propio. |"); break;
    case err::InvalidArgument: t = QStringLiteral("Argumento no válido."); break;
    case err::TableExists: t = QStringLiteral("La tabla '|' ya existe."); break;
    case err::UpdateWithoutEdit:
        t = QStringLiteral("Se pidió grabar o cancelar un registro que no estaba ni en edición ni por agregarse.");
        break;
    case err::NoCurrentRecord: t = QStringLiteral("No hay un registro actual."); break;
    case err::DuplicateKey:
        t = QStringLiteral("Los cambios no se grabaron porque repetirían un valor en un índice, en la clave "
                           "principal o en una relación de la tabla. Cambie los datos repetidos o revise el "
                           "índice e inténtelo de nuevo.");
        break;
    case err::FileNotFound: t = QStringLiteral("No se encuentra el archivo '|'."); break;
    // The faults of the disk and of the file itself are what a user can act on.
    case err::DiskFull:
        t = QStringLiteral("No hay espacio suficiente en el disco para grabar en la base de datos '|'.");
        break;
    case err::ReadOnly:
        t = arg.isEmpty() ? QStringLiteral("No se puede actualizar. La base de datos o el objeto es de solo lectura.")
                          : QStringLiteral("No se puede grabar en la base de datos '|': el archivo o su carpeta es de "
                                           "solo lectura.");
        break;
    case err::NoTransaction:
        t = QStringLiteral("Se intentó confirmar o deshacer una transacción que no se había iniciado.");
        break;
    case err::DiskError:
        t = QStringLiteral("Error de lectura o escritura en el disco o en la red al usar la base de datos '|'.");
        break;
    case err::InvalidPath:
        t = QStringLiteral("'|' no es una ruta válida. Revise que el nombre de la ruta esté bien escrito.");
        break;
    case err::CorruptDatabase:
        t = QStringLiteral("No se puede abrir la base de datos '|'. Puede que no sea una base de datos que la "
                           "aplicación reconozca, o que el archivo esté dañado.");
        break;
    case err::FileLocked:
        t = QStringLiteral("El motor de base de datos no puede abrir el archivo '|'. Otro usuario lo tiene abierto "
                           "en forma exclusiva, o usted no tiene permiso para ver sus datos.");
        break;
    case err::TooFewParameters: t = QStringLiteral("Faltan parámetros. Se esperaba |."); break;
    case err::SelectInExecute: t = QStringLiteral("No se puede ejecutar una consulta de selección."); break;
    case err::SyntaxError: t = QStringLiteral("Error de sintaxis en la expresión de la consulta '|'."); break;
    case err::TableNotFound:
        t = QStringLiteral("El motor de base de datos no encuentra la tabla o consulta '|'. Revise que exista y "
                           "que su nombre esté bien escrito.");
        break;
    case err::TextAfterStatement: t = QStringLiteral("Hay caracteres después del final de la instrucción SQL."); break;
    case err::FieldTooSmall:
        t = QStringLiteral("El campo es demasiado pequeño para los datos que se intentó agregar.");
        break;
    case err::RecordDeleted: t = QStringLiteral("El registro fue eliminado."); break;
    case err::DatabaseExists: t = QStringLiteral("La base de datos ya existe."); break;
    case err::InvalidOperation: t = QStringLiteral("Operación no válida."); break;
    case err::ItemNotFound: t = QStringLiteral("No se encontró el elemento en esta colección."); break;
    case err::PrimaryKeyExists: t = QStringLiteral("La clave principal ya existe."); break;
    case err::FieldRequired:
        t = QStringLiteral("El campo '|' no puede quedar sin valor (Null) porque es obligatorio. Ingrese un valor "
                           "en este campo.");
        break;
    case err::UnrecognizedFormat: t = QStringLiteral("El archivo '|' no es una base de datos."); break;
    case err::NumericOverflow: t = QStringLiteral("Desbordamiento de un campo numérico."); break;
    case err::IndexExists: t = QStringLiteral("Ya existe un índice llamado '|'."); break;
    case err::ObjectInvalid: t = QStringLiteral("El objeto no es válido o ya no está asignado."); break;
    case err::ConversionError: t = QStringLiteral("Error al convertir el tipo de dato."); break;
    default: t = QStringLiteral("Error reservado (%1) del motor de base de datos, sin mensaje propio. |").arg(number); break;
    }
    t.replace(QLatin1Char('|'), arg);
    return t.trimmed();
}

static std::string whatText(int number, const QString& description, const QString& detail)
{
    QString w = QString::number(number) + QStringLiteral(": ") + description;
    if (!detail.isEmpty())
        w += QStringLiteral(" [") + detail + QLatin1Char(']');
    return w.toStdString();
}

DaoError::DaoError(int number, const QString& arg, const QString& detail)
    : std::runtime_error(whatText(number, StandardDescription(number, arg), detail))
    , Number(number)
    , Description(StandardDescription(number, arg))
{
}

} // namespace dao
