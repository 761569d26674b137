#include "tests/support/EspacioPrueba.h"

#include "common/Paths.h"
#include "common/Profile.h"
#include "integrador/HostDatabase.h"
#include "integrador/ReferenceData.h"
#include "integrador/Schema.h"
#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace zav::prueba {

namespace {

// F0947_PTCEA, or HF0947_PTCEA with the sending's CORREL in its key.
integrador::Table TablaPerdidas(bool enviadas)
{
    using integrador::Column;
    const auto clave = [](const char* nombre, const char* tipo) {
        return Column{QString::fromLatin1(nombre), QString::fromLatin1(tipo), true, QString()};
    };
    QList<Column> columnas{clave("tip_doc_d", "BYTE"), clave("doc_id_d", "TEXT(15)"), clave("periodo", "TEXT(6)"),
                           clave("formulario", "TEXT(4)")};
    if (enviadas)
        columnas << clave("Correl", "TEXT(3)");
    columnas << clave("Anho", "TEXT(4)");
    QStringList primaria;
    for (const Column& c : columnas)
        primaria << c.name;
    columnas << Column{QStringLiteral("Importe"), QStringLiteral("TEXT(15)"), false, QString()}
             << Column{QStringLiteral("cnumero"), QStringLiteral("TEXT(6)"), false, QString()};
    const QString nombre = QLatin1String(enviadas ? "HF0947_PTCEA" : "F0947_PTCEA");
    return {nombre, columnas, primaria, QStringLiteral("PK_") + nombre};
}

void InstalaModulo(dao::Database& db)
{
    for (bool enviadas : {false, true})
        db.Execute(integrador::CreateTableSql(TablaPerdidas(enviadas)));
    const char* const parametros[][3] = {
        {"996", "153", "F0947_PTCEA    R 1000   5 "},
        {"996", "154", "HF0947_PTCEA   R 1000   6"},
        {"992", "0947", "2"},
    };
    for (const auto& p : parametros)
        db.Execute(QStringLiteral("INSERT INTO PARAM VALUES (?1, ?2, ?3, '')"), 0, {p[0], p[1], p[2]});
    const QString reportes[][2] = {
        {QStringLiteral("RCP001"), QStringLiteral("Reporte Morvath – Declaración")},
        {QStringLiteral("RCP002"), QStringLiteral("Reporte de Envío  -  947")},
        {QStringLiteral("RCP003"), QStringLiteral("Reporte Morvath - Declaración y Anexos")},
    };
    for (const auto& r : reportes)
        db.Execute(QStringLiteral("INSERT INTO REPORTES VALUES (?1, ?2, 1)"), 0, {r[0], r[1]});
    // One row a descriptor: form, three table names, three bytes, six numbers.
    for (const QByteArray& linea : Env947().split('\n')) {
        const QStringList c = QString::fromLatin1(linea.trimmed()).split(QLatin1Char('|'));
        if (c.size() < 14)
            continue;
        dao::Params valores{c[0], c[1], c[2], c[3]};
        for (int i = 4; i < 7; ++i)
            valores.push_back(dao::Variant::fromByte(c[i].toInt()));
        for (int i = 7; i < 13; ++i)
            valores.push_back(dao::Variant(c[i].toDouble()));
        db.Execute(QStringLiteral("INSERT INTO ENVIO_T VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)"),
                   0, valores);
    }
}

Espacio Falla(Espacio e, const QString& motivo)
{
    e.ok = false;
    e.message = motivo;
    return e;
}

} // namespace

QByteArray Env947()
{
    return QByteArrayLiteral("0947|CAB|HCAB|CAB|1|1|1|2|4|3|7|0|5|\r\n"
                             "0947|DET|HDET|DET|2|1|1|2|4|3|0|0|5|\r\n"
                             "0947|F0947_PTCEA|HF0947_PTCEA|F0947_PTCEA|3|0|1|2|4|3|0|0|0|\r\n");
}

bool CreaBase(const QString& archivo, bool demo, bool modulo, QString* error)
{
    if (!integrador::CreateHostDatabase(archivo, demo, error))
        return false;
    if (!modulo)
        return true;
    try {
        auto db = dao::Database::Open(archivo);
        db->BeginTrans();
        InstalaModulo(*db);
        db->CommitTrans();
        db->Close();
        return true;
    } catch (const dao::DaoError& e) {
        if (error)
            *error = e.Description;
    }
    integrador::RemoveDatabaseFiles(archivo);
    return false;
}

Espacio CreaEspacio(const QString& dir, bool demo)
{
    Espacio e;
    const QString raiz = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    e.sysPath = raiz + QLatin1Char('/');
    e.dbFile = e.sysPath + QStringLiteral("ZAV.MDB");
    for (const char* carpeta : {"RPT", "TMP", "0947"})
        if (!QDir().mkpath(e.sysPath + QLatin1String(carpeta)))
            return Falla(e, QStringLiteral("No se pudo crear la carpeta ") + e.sysPath + QLatin1String(carpeta));
    QFile envios(e.sysPath + QStringLiteral("TMP/env947.txt"));
    if (!envios.open(QIODevice::WriteOnly) || envios.write(Env947()) != Env947().size() || !envios.flush())
        return Falla(e, QStringLiteral("No se pudo escribir ") + envios.fileName());
    envios.close();
    if (!CreaBase(e.dbFile, demo, true, &e.message))
        return Falla(e, e.message);

    const QString windows = WindowsFolder();
    if (!QDir().mkpath(windows))
        return Falla(e, QStringLiteral("No se pudo crear la carpeta ") + windows);
    e.iniFile = ResolvePath(JoinPath(windows, QStringLiteral("KZ000.INI")));
    const QString claves[][2] = {
        {QStringLiteral("SysPath"), e.sysPath},      {QStringLiteral("SysVersion"), QStringLiteral("1.0")},
        {QStringLiteral("DBPath"), e.sysPath},       {QStringLiteral("DBName"), QStringLiteral("ZAV.MDB")},
        {QStringLiteral("SysMenu"), QStringLiteral("1")}, {QStringLiteral("SysUser"), integrador::DefaultUser()},
    };
    for (const auto& c : claves)
        if (!WritePrivateProfileString(QStringLiteral("Options"), c[0], c[1], QStringLiteral("KZ000.INI")))
            return Falla(e, QStringLiteral("No se pudo escribir ") + c[0] + QStringLiteral(" en ") + e.iniFile);
    e.ok = true;
    return e;
}

} // namespace zav::prueba
