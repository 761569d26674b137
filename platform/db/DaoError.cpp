#include "platform/db/DaoError.h"

namespace dao {

QString DaoError::StandardDescription(int number, const QString& arg)
{
    QString t;
    switch (number) {
    case err::ReservedError: t = QStringLiteral("Reserved error; there is no message for this error. |"); break;
    case err::InvalidArgument: t = QStringLiteral("Invalid argument."); break;
    case err::TableExists: t = QStringLiteral("Table '|' already exists."); break;
    case err::UpdateWithoutEdit: t = QStringLiteral("Update or CancelUpdate without AddNew or Edit."); break;
    case err::NoCurrentRecord: t = QStringLiteral("No current record."); break;
    case err::DuplicateKey:
        t = QStringLiteral("The changes you requested to the table were not successful because they would "
                           "create duplicate values in the index, primary key, or relationship. Change the "
                           "data in the field or fields that contain duplicate data, remove the index, or "
                           "redefine the index to permit duplicate entries and try again.");
        break;
    case err::FileNotFound: t = QStringLiteral("Could not find file '|'."); break;
    // The faults of the disk and of the file itself are what a user can act on: they
    // are told in the user's words.
    case err::DiskFull:
        t = QStringLiteral("No hay espacio suficiente en el disco para grabar en la base de datos '|'.");
        break;
    case err::ReadOnly:
        t = arg.isEmpty() ? QStringLiteral("No se puede actualizar. La base de datos o el objeto es de solo lectura.")
                          : QStringLiteral("No se puede grabar en la base de datos '|': el archivo o su carpeta es de "
                                           "solo lectura.");
        break;
    case err::NoTransaction:
        t = QStringLiteral("You tried to commit or rollback a transaction without first beginning a transaction.");
        break;
    case err::DiskError:
        t = QStringLiteral("Error de lectura o escritura en el disco o en la red al usar la base de datos '|'.");
        break;
    case err::InvalidPath:
        t = QStringLiteral("'|' is not a valid path. Make sure that the path name is spelled correctly.");
        break;
    case err::CorruptDatabase:
        t = QStringLiteral("Cannot open database '|'. It may not be a database that your application "
                           "recognizes, or the file may be corrupt.");
        break;
    case err::FileLocked:
        t = QStringLiteral("The database engine cannot open the file '|'. It is already opened exclusively "
                           "by another user, or you need permission to view its data.");
        break;
    case err::TooFewParameters: t = QStringLiteral("Too few parameters. Expected |."); break;
    case err::SelectInExecute: t = QStringLiteral("Cannot execute a select query."); break;
    case err::SyntaxError: t = QStringLiteral("Syntax error in query expression '|'."); break;
    case err::TableNotFound:
        t = QStringLiteral("The database engine cannot find the input table or query '|'. Make sure it "
                           "exists and that its name is spelled correctly.");
        break;
    case err::TextAfterStatement: t = QStringLiteral("Characters found after end of SQL statement."); break;
    case err::FieldTooSmall:
        t = QStringLiteral("The field is too small to accept the amount of data you attempted to add.");
        break;
    case err::RecordDeleted: t = QStringLiteral("Record is deleted."); break;
    case err::DatabaseExists: t = QStringLiteral("Database already exists."); break;
    case err::InvalidOperation: t = QStringLiteral("Invalid operation."); break;
    case err::ItemNotFound: t = QStringLiteral("Item not found in this collection."); break;
    case err::PrimaryKeyExists: t = QStringLiteral("Primary key already exists."); break;
    case err::FieldRequired:
        t = QStringLiteral("The field '|' cannot contain a Null value because the Required property for this "
                           "field is set to True. Enter a value in this field.");
        break;
    case err::UnrecognizedFormat: t = QStringLiteral("El archivo '|' no es una base de datos."); break;
    case err::NumericOverflow: t = QStringLiteral("Numeric field overflow."); break;
    case err::IndexExists: t = QStringLiteral("An index named '|' already exists."); break;
    case err::ObjectInvalid: t = QStringLiteral("Object invalid or no longer set."); break;
    case err::ConversionError: t = QStringLiteral("Data type conversion error."); break;
    default: t = QStringLiteral("Reserved error (%1); there is no message for this error. |").arg(number); break;
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
