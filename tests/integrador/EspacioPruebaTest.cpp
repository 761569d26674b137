// The tests' own workspace against the one `integrador init` makes with the module's
// installer: the other test programs stand on it, so it must not drift from the real one.
#include "integrador/Workspace.h"
#include "tests/integrador/TestDb.h"
#include "tests/support/EspacioPrueba.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace integrador {
namespace {

// Everything a workspace under raiz (host/ and windows/) holds, raiz itself written as
// "<raiz>": its files and their bytes, every table's columns, indexes and rows with their
// storage kinds.
QStringList Contenido(const QString& raiz)
{
    QStringList archivos;
    QDirIterator it(raiz, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        archivos << QDir(raiz).relativeFilePath(it.next());
    archivos.sort();
    QStringList out;
    for (const QString& a : archivos) {
        out << a;
        QFile f(QDir(raiz).filePath(a));
        if (!a.endsWith(QLatin1String(".MDB")) && f.open(QIODevice::ReadOnly))
            out << QString::fromUtf8(f.readAll()).replace(raiz, QStringLiteral("<raiz>"));
    }
    test::TestDb db(QDir(raiz).filePath(QStringLiteral("host/ZAV.MDB")));
    const auto filas = [&](const QString& sql, const QVariantList& params = {}) {
        for (const QVariantList& r : db.rows(sql, params)) {
            QStringList valores;
            for (const QVariant& v : r)
                valores << QString::fromLatin1(v.typeName()) + QLatin1Char(':') + v.toString();
            out << valores.join(QLatin1Char('|'));
        }
    };
    for (const QVariantList& t : db.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"))) {
        const QString tabla = t[0].toString();
        out << QStringLiteral("tabla ") + tabla;
        filas(QStringLiteral("SELECT * FROM pragma_table_info(?1)"), {tabla});
        filas(QStringLiteral("SELECT name, \"unique\", origin FROM pragma_index_list(?1) ORDER BY name"), {tabla});
        filas(QStringLiteral("SELECT * FROM [%1] ORDER BY rowid").arg(tabla));
    }
    return out;
}

// One line an item, so that a failure shows the lines that differ.
std::string Texto(const QStringList& lineas)
{
    return lineas.join(QLatin1Char('\n')).toStdString();
}

// A workspace made by hace in raiz/host with raiz/windows as the Windows folder.
QStringList Hecho(const QString& raiz, const std::function<bool(const QString&)>& hace)
{
    const QByteArray windir = qgetenv("WINDIR");
    qputenv("WINDIR", QFile::encodeName(QDir(raiz).filePath(QStringLiteral("windows"))));
    const bool ok = hace(QDir(raiz).filePath(QStringLiteral("host")));
    qputenv("WINDIR", windir);
    EXPECT_TRUE(ok);
    return Contenido(raiz);
}

TEST(EspacioPrueba, IsTheWorkspaceInitMakes)
{
    for (bool demo : {true, false}) {
        SCOPED_TRACE(demo ? "demo" : "no demo");
        QTemporaryDir init, prueba;
        const QStringList real = Hecho(init.path(), [demo](const QString& host) {
            const InitResult r = InitWorkspace(host, demo);
            EXPECT_TRUE(r.ok) << r.message.toStdString();
            return r.ok;
        });
        const QStringList nuestro = Hecho(prueba.path(), [demo](const QString& host) {
            const zav::prueba::Espacio e = zav::prueba::CreaEspacio(host, demo);
            EXPECT_TRUE(e.ok) << e.message.toStdString();
            return e.ok;
        });
        EXPECT_GT(real.size(), 100);
        EXPECT_EQ(Texto(nuestro), Texto(real));
    }
}

// The host's database before the module is installed, which the installer's tests start from.
TEST(EspacioPrueba, WithoutTheModuleIsTheDatabaseTheHostMakes)
{
    QTemporaryDir init, prueba;
    DatabaseOptions opciones;
    opciones.moduleTables = false;
    QString error;
    for (const QTemporaryDir* d : {&init, &prueba})
        ASSERT_TRUE(QDir().mkpath(d->filePath(QStringLiteral("host"))));
    ASSERT_TRUE(CreateDatabase(init.filePath(QStringLiteral("host/ZAV.MDB")), opciones, &error)) << error.toStdString();
    ASSERT_TRUE(zav::prueba::CreaBase(prueba.filePath(QStringLiteral("host/ZAV.MDB")), false, false, &error))
        << error.toStdString();
    EXPECT_EQ(Texto(Contenido(prueba.path())), Texto(Contenido(init.path())));
}

} // namespace
} // namespace integrador
