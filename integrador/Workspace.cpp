#include "integrador/Workspace.h"

#include "batch/install/TAB947.h"
#include "common/Paths.h"
#include "common/Profile.h"
#include "integrador/ErrorText.h"
#include "integrador/HostDatabase.h"
#include "integrador/ReferenceData.h"
#include "platform/db/Database.h"
#include "platform/ui/MsgBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sqlite3.h>

namespace integrador {

namespace {

// Runs the module's installer on a database of the host folder, in this process: its
// messages become the failure's reason instead of boxes.
bool installModule(const QString& file, const QString& sysPath, bool tablesOnly, QString* error)
{
    zav::MsgBoxRecorder messages;
    try {
        auto db = dao::Database::Open(file);
        zav::lote::Instalador installer(*db, sysPath);
        if (tablesOnly) {
            installer.CreaTablasModulo();
            db->Close();
        } else {
            installer.InstalaModulo();
        }
        if (installer.Completa() && messages.Count() == 0)
            return true;
    } catch (const dao::DaoError& e) {
        return fail(error, e.Description);
    }
    return fail(error, messages.Texts().join(QLatin1Char('\n')));
}

// The module's send descriptors of the demonstration host, as the installer reads them.
const char* const kEnv947 =
    "0947|CAB|HCAB|CAB|1|1|1|2|4|3|7|0|5|\r\n"
    "0947|DET|HDET|DET|2|1|1|2|4|3|0|0|5|\r\n"
    "0947|F0947_PTCEA|HF0947_PTCEA|F0947_PTCEA|3|0|1|2|4|3|0|0|0|\r\n";

// Leaves an env947.txt the host already has as it is.
bool writeEnv947(const QString& root, QString* error)
{
    const QString file = zav::ResolvePath(zav::JoinPath(zav::JoinPath(root, QStringLiteral("tmp")),
                                                        QStringLiteral("env947.txt")));
    if (QFileInfo::exists(file))
        return true;
    QFile f(file);
    const QByteArray bytes(kEnv947);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush())
        return fail(error, QStringLiteral("No se pudo escribir %1").arg(file));
    return true;
}

QString withSlash(const QString& dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

InitResult failure(InitResult r, const QString& message)
{
    r.ok = false;
    r.message = message;
    return r;
}

} // namespace

bool CreateDatabase(const QString& file, const DatabaseOptions& options, QString* error)
{
    if (!CreateHostDatabase(file, options.demo, error))
        return false;
    if (options.moduleTables && !installModule(file, QFileInfo(file).absolutePath(), true, error)) {
        RemoveDatabaseFiles(file);
        return false;
    }
    return true;
}

InitResult InitWorkspace(const QString& dir, bool demo)
{
    InitResult r;
    if (dir.trimmed().isEmpty())
        return failure(r, QStringLiteral("Debe indicar la carpeta del ZAV."));
    const QString root = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    r.sysPath = withSlash(root);
    r.dbFile = zav::JoinPath(root, QString::fromLatin1(kDbName));

    const QString existing = zav::ResolvePath(r.dbFile);
    if (QFileInfo::exists(existing))
        return failure(r, QStringLiteral("La carpeta %1 ya tiene una base de datos: %2")
                              .arg(root, existing));
    if (!QDir().mkpath(root))
        return failure(r, QStringLiteral("No se pudo crear la carpeta %1").arg(root));

    for (const char* sub : {"RPT", "TMP", "0947"}) {
        const QString wanted = zav::JoinPath(root, QString::fromLatin1(sub));
        const QFileInfo found(zav::ResolvePath(wanted));
        if (found.isDir())
            continue;
        if (found.exists() || !QDir().mkpath(wanted))
            return failure(r, QStringLiteral("No se pudo crear la carpeta %1").arg(wanted));
    }

    // The database is made under a passing name and takes its own only when the
    // configuration is written, so a failed start leaves nothing that blocks a retry.
    const QString partial = zav::JoinPath(root, QStringLiteral(".ZAV.MDB.nuevo"));
    RemoveDatabaseFiles(partial);
    QString error;
    DatabaseOptions options;
    options.demo = demo;
    options.moduleTables = false;
    if (!CreateDatabase(partial, options, &error))
        return failure(r, error);
    // The module's tables and rows come from its installer, as on a real host.
    if (!writeEnv947(root, &error) || !installModule(partial, r.sysPath, false, &error)) {
        RemoveDatabaseFiles(partial);
        return failure(r, error);
    }

    const QString windows = zav::WindowsFolder();
    if (!QDir().mkpath(windows)) {
        RemoveDatabaseFiles(partial);
        return failure(r, QStringLiteral("No se pudo crear la carpeta %1").arg(windows));
    }
    r.iniFile = zav::ResolvePath(zav::JoinPath(windows, QString::fromLatin1(kIniName)));
    const QString section = QString::fromLatin1(kIniSection);
    const QString ini = QString::fromLatin1(kIniName);
    const QList<QPair<QString, QString>> keys{
        {QStringLiteral("SysPath"), r.sysPath},
        {QStringLiteral("SysVersion"), QString::fromLatin1(kSysVersion)},
        {QStringLiteral("DBPath"), r.sysPath},
        {QStringLiteral("DBName"), QString::fromLatin1(kDbName)},
        {QStringLiteral("SysMenu"), QString::fromLatin1(kSysMenu)},
        {QStringLiteral("SysUser"), DefaultUser()},
    };
    for (const auto& [k, v] : keys) {
        if (!zav::WritePrivateProfileString(section, k, v, ini)) {
            RemoveDatabaseFiles(partial);
            return failure(r, QStringLiteral("No se pudo escribir %1 en %2").arg(k, r.iniFile));
        }
    }
    if (!QFile::rename(partial, r.dbFile)) {
        RemoveDatabaseFiles(partial);
        return failure(r, QStringLiteral("No se pudo crear la base de datos %1").arg(r.dbFile));
    }
    r.ok = true;
    return r;
}

QString ConfiguredSysPath()
{
    return zav::GetPrivateProfileString(QString::fromLatin1(kIniSection), QStringLiteral("SysPath"),
                                        QString(), QString::fromLatin1(kIniName));
}

QString ConfiguredDatabase()
{
    const auto leer = [](const char* clave) {
        return zav::GetPrivateProfileString(QString::fromLatin1(kIniSection), QString::fromLatin1(clave), QString(),
                                            QString::fromLatin1(kIniName));
    };
    const QString nombre = leer("DBName");
    return nombre.isEmpty() ? QString() : zav::ResolvePath(leer("DBPath") + nombre);
}

QStringList TmpEntries(const QString& sysPath)
{
    if (sysPath.trimmed().isEmpty())
        return {};
    const QString tmp = zav::ResolvePath(zav::JoinPath(sysPath.trimmed(), QStringLiteral("TMP")));
    if (!QFileInfo(tmp).isDir())
        return {};
    return QDir(tmp).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

QList<StoredDeclaration> StoredDeclarations(const QString& dbFile, QString* error)
{
    QList<StoredDeclaration> out;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(zav::ResolvePath(dbFile)).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK) {
        setError(error, QStringLiteral("No se pudo abrir %1").arg(dbFile));
        sqlite3_close(db);
        return out;
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA FROM CAB "
                           "ORDER BY TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA",
                           -1, &st, nullptr) != SQLITE_OK) {
        setError(error, lastError(db));
    } else {
        const auto text = [st](int i) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
        };
        while (sqlite3_step(st) == SQLITE_ROW)
            out << StoredDeclaration{sqlite3_column_int(st, 0), text(1), text(2), text(3), sqlite3_column_int(st, 4)};
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

QString BatchCommandLine(const StoredDeclaration& d, const QString& nroConstancia)
{
    const QString periodo = d.periodo.size() == 4 ? d.periodo + QStringLiteral("00") : d.periodo;
    return QStringLiteral("%1").arg(d.tipDoc, 2, 10, QLatin1Char('0')).right(2)
           + d.docId.leftJustified(15, QLatin1Char(' '), true) + d.formulario.leftJustified(4, QLatin1Char(' '), true)
           + periodo.leftJustified(6, QLatin1Char(' '), true) + QString::number(d.semana % 10)
           + nroConstancia.trimmed().rightJustified(8, QLatin1Char('0'), true);
}

QString FindProgram(const QString& program, QString* error)
{
    if (program.isEmpty() || program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\'))
        || program == QLatin1String(".") || program == QLatin1String("..")) {
        setError(error, QStringLiteral("Nombre de programa no válido: %1").arg(program));
        return {};
    }
    const QString folder = QCoreApplication::applicationDirPath();
    const QFileInfo target(zav::ResolvePath(zav::JoinPath(folder, program)));
    if (!target.isFile() || !target.isExecutable()) {
        setError(error, QStringLiteral("No se encuentra el programa %1 en %2").arg(program, folder));
        return {};
    }
    return target.absoluteFilePath();
}

bool StartProgram(const QString& program, const QStringList& arguments, QString* error)
{
    const QString target = FindProgram(program, error);
    if (target.isEmpty())
        return false;
    if (!QProcess::startDetached(target, arguments)) {
        setError(error, QStringLiteral("No se pudo iniciar %1").arg(target));
        return false;
    }
    return true;
}

int RunProgram(const QString& program, const QStringList& arguments, QString* error)
{
    const QString target = FindProgram(program, error);
    if (target.isEmpty())
        return kProgramNotStarted;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.setInputChannelMode(QProcess::ForwardedInputChannel);
    p.start(target, arguments);
    if (!p.waitForStarted(-1)) {
        setError(error, QStringLiteral("No se pudo iniciar %1").arg(target));
        return kProgramNotStarted;
    }
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit) {
        setError(error, QStringLiteral("%1 terminó de forma anormal").arg(program));
        return 128 + p.exitCode();
    }
    return p.exitCode();
}

} // namespace integrador
