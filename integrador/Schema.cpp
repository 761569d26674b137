#include "integrador/Schema.h"

namespace integrador {

namespace {

Column col(const char* name, const char* type)
{
    return Column{QString::fromLatin1(name), QString::fromLatin1(type), false, QString()};
}

Column key(const char* name, const char* type)
{
    return Column{QString::fromLatin1(name), QString::fromLatin1(type), true, QString()};
}

// Every declaration row leads with its key, so that the row check value can take the
// first k fields as the key part.
QList<Column> declarationKey(bool history)
{
    QList<Column> c{key("TIP_DOC_D", "BYTE"), key("DOC_ID_D", "TEXT(15)"),
                    key("PERIODO", "TEXT(6)"), key("FORMULARIO", "TEXT(4)")};
    if (history)
        c << key("CORREL", "TEXT(3)");
    c << Column{QStringLiteral("SEMANA"), QStringLiteral("BYTE"), true, QStringLiteral("0")};
    return c;
}

QStringList names(const QList<Column>& columns)
{
    QStringList n;
    for (const Column& c : columns)
        n << c.name;
    return n;
}

Table header(const char* name, bool history)
{
    Table t{QString::fromLatin1(name), declarationKey(history), {}, {}};
    t.primaryKey = names(t.columns);
    t.columns << col("fec_pro", "TEXT(10)") << col("estado", "BYTE") << col("rectifica", "TEXT(1)");
    if (history)
        t.columns << col("norden", "TEXT(10)") << col("fec_env", "DATETIME")
                  << col("CONTROL", "TEXT(20)");
    t.columns << col("cNumero", "TEXT(6)");
    return t;
}

Table detail(const char* name, bool history)
{
    Table t{QString::fromLatin1(name), declarationKey(history), {}, {}};
    t.columns << key("CASILLA", "TEXT(3)");
    t.primaryKey = names(t.columns);
    t.columns << col("i_valor", "TEXT(100)") << col("idcasilla", "TEXT(2)")
              << col("cNumero", "TEXT(6)");
    return t;
}

Table acta(const char* name, bool history)
{
    Table t{QString::fromLatin1(name), declarationKey(history), {}, {}};
    t.columns << key("ITEM", "TEXT(3)");
    t.primaryKey = names(t.columns);
    t.columns << col("DETALLE", "TEXT(255)") << col("cNumero", "TEXT(6)");
    return t;
}

QList<Table> buildHostTables()
{
    QList<Table> t;
    // The taxpayer list reads the document number as the second field and the name
    // as the fourth.
    t << Table{QStringLiteral("CONT"),
               {key("TIP_DOC_D", "BYTE"), key("DOC_ID_D", "TEXT(15)"), col("Tipo_Ingreso", "BYTE"),
                col("NOMBRE", "TEXT(100)"), col("USUARIO", "TEXT(20)")},
               {QStringLiteral("TIP_DOC_D"), QStringLiteral("DOC_ID_D")},
               {}};
    t << Table{QStringLiteral("PARAM"),
               {key("Numero", "TEXT(3)"), key("Argumento", "TEXT(20)"), col("Funcion", "TEXT(255)"),
                col("Correl_param", "TEXT(10)")},
               {QStringLiteral("Numero"), QStringLiteral("Argumento")},
               {}};
    t << Table{QStringLiteral("CLAVES"),
               {key("Usuario", "TEXT(20)"), col("Tipo", "TEXT(1)")},
               {QStringLiteral("Usuario")},
               {}};
    t << Table{QStringLiteral("ERROR"),
               {key("CodError", "TEXT(4)"), col("DescError", "TEXT(255)")},
               {QStringLiteral("CodError")},
               {}};
    t << header("CAB", false) << detail("DET", false) << header("HCAB", true)
      << detail("HDET", true) << acta("ACTA", false) << acta("HACTA", true);
    // One row per report file; the file name is unique across every report code.
    t << Table{QStringLiteral("SPOOL"),
               {key("CodRep", "TEXT(6)"), key("Secuencia", "TEXT(6)"), key("Archivo", "TEXT(12)"),
                col("Fecha", "DATETIME"), col("Usuario", "TEXT(20)"), col("Tip_doc_d", "INTEGER"),
                col("DOC_ID_D", "TEXT(15)")},
               {QStringLiteral("Archivo")},
               {}};
    t << Table{QStringLiteral("REPORTES"),
               {key("CodRep", "TEXT(6)"), col("DesRep", "TEXT(100)"), col("Estado", "BYTE")},
               {QStringLiteral("CodRep")},
               {}};
    // The installer inserts descriptors without naming the columns: this order is fixed.
    t << Table{QStringLiteral("ENVIO_T"),
               {key("formulario", "TEXT(4)"), key("tabla_o", "TEXT(30)"), col("tabla_d", "TEXT(30)"),
                col("tabla_ext", "TEXT(30)"), col("indice", "BYTE"), col("obliga", "BYTE"),
                col("c_tip_doc_d", "BYTE"), col("c_doc_id_d", "DOUBLE"),
                col("c_Formulario", "DOUBLE"), col("c_periodo", "DOUBLE"),
                col("c_estado", "DOUBLE"), col("c_envio", "DOUBLE"), col("c_semana", "DOUBLE")},
               {QStringLiteral("formulario"), QStringLiteral("tabla_o")},
               {}};
    return t;
}

} // namespace

const QList<Table>& HostTables()
{
    static const QList<Table> tables = buildHostTables();
    return tables;
}

const Table* FindTable(const QString& name)
{
    for (const Table& t : HostTables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString CreateTableSql(const Table& table)
{
    QStringList parts;
    for (const Column& c : table.columns) {
        QString d = QStringLiteral("[%1] %2").arg(c.name, c.type);
        if (c.notNull)
            d += QStringLiteral(" NOT NULL");
        if (!c.defaultValue.isEmpty())
            d += QStringLiteral(" DEFAULT ") + c.defaultValue;
        parts << d;
    }
    if (!table.primaryKey.isEmpty()) {
        QStringList k;
        for (const QString& n : table.primaryKey)
            k << QStringLiteral("[%1]").arg(n);
        QString pk = QStringLiteral("PRIMARY KEY (%1)").arg(k.join(QStringLiteral(", ")));
        if (!table.keyName.isEmpty())
            pk = QStringLiteral("CONSTRAINT [%1] ").arg(table.keyName) + pk;
        parts << pk;
    }
    return QStringLiteral("CREATE TABLE [%1] (%2)").arg(table.name, parts.join(QStringLiteral(", ")));
}

} // namespace integrador
