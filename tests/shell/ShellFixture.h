#pragma once
// A host workspace in a temporary folder, with KZ000.INI in its own Windows folder, and
// the recorders that keep message boxes and program ends inside the test.
#include "platform/process/ProgramEnd.h"
#include "platform/ui/MsgBox.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Configuracion.h"
#include "tests/support/EspacioPrueba.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>
#include <optional>

class ShellFixture : public ::testing::Test {
protected:
    // A derived SetUp goes on only when !HasFatalFailure(): the boxes and the program's
    // end are caught from the first step, so a failed one never waits for a user.
    void SetUp() override
    {
        msgs_.emplace();
        end_.emplace();
        savedWindir_ = qgetenv("WINDIR");
        savedCwd_ = QDir::currentPath();
        ResetAppState();
        zav::ClearCloseHooks();
        ASSERT_TRUE(tmp_.isValid());
        qputenv("WINDIR", tmp_.filePath(QStringLiteral("windows")).toUtf8());
        QDir().mkpath(tmp_.filePath(QStringLiteral("windows")));
        ws_ = zav::prueba::CreaEspacio(tmp_.filePath(QStringLiteral("host")), true);
        ASSERT_TRUE(ws_.ok) << ws_.message.toStdString();
    }

    void TearDown() override
    {
        end_.reset();
        msgs_.reset();
        ResetAppState();
        zav::ClearCloseHooks();
        QDir::setCurrent(savedCwd_);
        qputenv("WINDIR", savedWindir_);
    }

    QString iniFile() const { return ws_.iniFile; }

    // The workspace's configuration read and its database open, as the main window's
    // Load leaves them.
    void OpenWorkspace()
    {
        App().gUtil = std::make_unique<zav::clsUtilitarios>();
        LeerConfiguracion();
        ASSERT_TRUE(AbrirBaseDatos());
        App().gFormulario = QStringLiteral("0947");
    }

    QTemporaryDir tmp_;
    zav::prueba::Espacio ws_;
    std::optional<zav::MsgBoxRecorder> msgs_;
    std::optional<zav::ProgramEndInterceptor> end_;
    QByteArray savedWindir_;
    QString savedCwd_;
};
