#pragma once
// What the timing programs stand on: the offscreen platform unless another is asked for,
// a demo workspace in a temporary folder, its configuration read and its database open,
// the globals of a new declaration of 2014.
#include "integrador/Workspace.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Configuracion.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

inline void PlataformaSinPantalla()
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
}

// A temporary folder in memory (tmpfs) where the machine has one: a commit there costs the
// code's work, not the disk's flush, which would otherwise decide the ratio of a writer.
inline QString PlantillaEnMemoria()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable())
        return QStringLiteral("/dev/shm/zav-bench-XXXXXX");
    return QDir::temp().filePath(QStringLiteral("zav-bench-XXXXXX"));
}

inline bool PreparaEspacioDemo(const QTemporaryDir& tmp)
{
    if (!tmp.isValid())
        return false;
    QDir().mkpath(tmp.filePath(QStringLiteral("windows")));
    qputenv("WINDIR", tmp.filePath(QStringLiteral("windows")).toUtf8());
    const integrador::InitResult ws = integrador::InitWorkspace(tmp.filePath(QStringLiteral("host")), true);
    if (!ws.ok) {
        std::fprintf(stderr, "workspace: %s\n", qPrintable(ws.message));
        return false;
    }
    ResetAppState();
    App().gUtil = std::make_unique<zav::clsUtilitarios>();
    LeerConfiguracion();
    if (!AbrirBaseDatos()) {
        std::fprintf(stderr, "no database\n");
        return false;
    }
    App().gFormulario = QStringLiteral("0947");
    App().gPeriodo = QStringLiteral("2014");
    return true;
}
