#pragma once
// Tables of the shared database, declared with Jet-like types so that the database
// layer takes each field's kind from its declaration.
#include <QList>
#include <QString>
#include <QStringList>

namespace integrador {

struct Column {
    QString name;
    QString type;            // BYTE, INTEGER, LONG, DOUBLE, CURRENCY, DATETIME, TEXT(n), MEMO, YESNO
    bool notNull = false;
    QString defaultValue;    // SQL literal, empty for none
};

struct Table {
    QString name;
    QList<Column> columns;   // in the table's column order
    QStringList primaryKey;
    QString keyName;         // name of the primary-key constraint, empty for none
};

// The host's own tables: CONT, PARAM, CLAVES, ERROR, CAB, DET, HCAB, HDET, ACTA, HACTA,
// SPOOL, REPORTES, ENVIO_T. The module's own tables are its installer's (TAB947).
const QList<Table>& HostTables();

// The host table of that name, compared without regard to case; nullptr when unknown.
const Table* FindTable(const QString& name);

// "CREATE TABLE [name] (...)" in SQLite's dialect, primary key included.
QString CreateTableSql(const Table& table);

} // namespace integrador
