#pragma once
// A host workspace for the batch programs: its own Windows folder, runtime folder (for
// the one-copy locks) and host folder, made by the host stand-in; message boxes are
// recorded and a program's end is caught.
#include "batch/startup/EstadoLote.h"
#include "common/Clock.h"
#include "common/Cp1252.h"
#include "common/Profile.h"
#include "platform/process/ProgramEnd.h"
#include "platform/ui/MsgBox.h"
#include "tests/common/QtPrinters.h"
#include "tests/support/EspacioPrueba.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zav::lote::test {

class EntornoLote {
public:
    EntornoLote()
    {
        guarda("WINDIR", tmp_.filePath(QStringLiteral("windows")));
        guarda("XDG_RUNTIME_DIR", tmp_.filePath(QStringLiteral("run")));
        QDir().mkpath(tmp_.filePath(QStringLiteral("run")));
        QFile::setPermissions(tmp_.filePath(QStringLiteral("run")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        cwd_ = QDir::currentPath();
        ReiniciaLote();
    }
    ~EntornoLote()
    {
        ReiniciaLote();
        SetClockForTests({});
        QDir::setCurrent(cwd_);
        for (auto it = previos_.rbegin(); it != previos_.rend(); ++it) {
            if (it->second.isNull())
                qunsetenv(it->first.constData());
            else
                qputenv(it->first.constData(), it->second);
        }
    }
    EntornoLote(const EntornoLote&) = delete;
    EntornoLote& operator=(const EntornoLote&) = delete;

    // A host folder with its database; its path ends with "/". When it cannot be made the
    // failure is fatal: a SetUp checks HasFatalFailure() and stops.
    QString Inicia(bool demo = true)
    {
        const prueba::Espacio r = prueba::CreaEspacio(tmp_.filePath(QStringLiteral("host")), demo);
        if (!r.ok)
            [&] { FAIL() << r.message.toStdString(); }();
        sysPath_ = r.sysPath;
        db_ = r.dbFile;
        return sysPath_;
    }

    QString Ruta(const QString& relativa) const { return QDir(tmp_.path()).filePath(relativa); }
    QString SysPath() const { return sysPath_; }
    QString BaseDatos() const { return db_; }
    QString Host(const QString& nombre) const { return sysPath_ + nombre; }

    static void Opcion(const QString& clave, const QString& valor)
    {
        WritePrivateProfileString(QStringLiteral("Options"), clave, valor, QStringLiteral("KZ000.INI"));
    }
    static QString Opcion(const QString& clave)
    {
        return GetPrivateProfileString(QStringLiteral("Options"), clave, QStringLiteral("<ninguno>"),
                                       QStringLiteral("KZ000.INI"));
    }

    // Runs a program's main procedure in this process: its status, or the code it ended with.
    int Ejecuta(const std::function<int()>& main)
    {
        ReiniciaLote();
        ProgramEndInterceptor fin;
        int status = 0;
        try {
            status = main();
        } catch (const ProgramEnded& e) {
            status = e.code;
        }
        QDir::setCurrent(cwd_);
        return status;
    }

    // Made before everything else, so that no step of a fixture shows a box or ends the
    // test program; Ejecuta installs its own interceptor over this one.
    MsgBoxRecorder mensajes;

private:
    ProgramEndInterceptor fin_;

    void guarda(const char* nombre, const QString& valor)
    {
        previos_.emplace_back(QByteArray(nombre),
                              qEnvironmentVariableIsSet(nombre) ? qgetenv(nombre) : QByteArray());
        qputenv(nombre, QFile::encodeName(valor));
    }

    QTemporaryDir tmp_;
    QString cwd_;
    QString sysPath_;
    QString db_;
    std::vector<std::pair<QByteArray, QByteArray>> previos_;
};

// A file's bytes as text of the host's code page; "" when missing.
inline QString LeeArchivo(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return FromCp1252(f.readAll());
}

// A file's bytes as they are; "<no existe>" when missing.
inline QByteArray Bytes(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no existe>");
}

// An expected file of `carpeta`: kept with LF line ends in UTF-8; the programs write CR LF
// in the host's code page.
inline QByteArray EsperadoEn(const QString& carpeta, const QString& nombre)
{
    QFile f(carpeta + QLatin1Char('/') + nombre);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nombre.toStdString();
    QString texto = QString::fromUtf8(f.readAll());
    texto.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return ToCp1252(texto);
}

inline bool EscribeArchivo(const QString& ruta, const QString& texto)
{
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray b = ToCp1252(texto);
    return f.write(b) == b.size();
}

} // namespace zav::lote::test
