#pragma once
// The declaration window over a host workspace in a temporary folder (KZ000.INI in its
// own Windows folder, the demo taxpayers), with message boxes and program ends recorded.
#include "declaration/Frm947.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/process/ProgramEnd.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Configuracion.h"
#include "tests/support/EspacioPrueba.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>
#include <optional>

class VentanaFixture : public ::testing::Test {
protected:
    // A derived SetUp goes on only when !HasFatalFailure(): the boxes and the program's
    // end are caught from the first step, so a failed one never waits for a user.
    void SetUp() override
    {
        msgs_.emplace();
        end_.emplace();
        if (carpetas_ == 0)
            savedWindir_ = qgetenv("WINDIR");
        ResetAppState();
        zav::ClearCloseHooks();
        ASSERT_TRUE(tmp_.isValid());
        qputenv("WINDIR", tmp_.filePath(QStringLiteral("windows")).toUtf8());
        QDir().mkpath(tmp_.filePath(QStringLiteral("windows")));
        // A fresh host folder each time, so that a case may start over inside one test.
        ws_ = zav::prueba::CreaEspacio(tmp_.filePath(QStringLiteral("host%1").arg(carpetas_++)), true);
        ASSERT_TRUE(ws_.ok) << ws_.message.toStdString();
        App().gUtil = std::make_unique<zav::clsUtilitarios>();
        LeerConfiguracion();
        ASSERT_TRUE(AbrirBaseDatos());
        App().gFormulario = QStringLiteral("0947");
        App().gPeriodo = QStringLiteral("2014");
    }

    void TearDown() override
    {
        frm_.reset();
        end_.reset();
        msgs_.reset();
        ResetAppState();
        zav::ClearCloseHooks();
        qputenv("WINDIR", savedWindir_);
    }

    // A fresh window loaded as the opener loads it.
    Frm947& Abrir(int modo = 0, const QString& doc = QString(), const QString& nombre = QString())
    {
        frm_ = std::make_unique<Frm947>();
        frm_->Modo = modo;
        if (modo == 1) {
            frm_->NumDocumento = doc;
            frm_->RazonSocial = nombre;
        }
        frm_->Frm947_Form_Load();
        return *frm_;
    }

    static void Ejecutar(const QString& sql, const dao::Params& params = {})
    {
        App().gBaseDatos->Execute(sql, 0, params);
    }

    // Chooses the taxpayer whose item starts with the number.
    static void Elegir(Frm947& f, const QString& ruc)
    {
        for (int i = 0; i < f.CmbRuc->ListCount(); ++i)
            if (f.CmbRuc->List(i).startsWith(ruc)) {
                f.CmbRuc->SetListIndex(i);
                return;
            }
        ADD_FAILURE() << "no taxpayer " << ruc.toStdString();
    }

    QTemporaryDir tmp_;
    zav::prueba::Espacio ws_;
    std::optional<zav::MsgBoxRecorder> msgs_;
    std::optional<zav::ProgramEndInterceptor> end_;
    std::unique_ptr<Frm947> frm_;
    QByteArray savedWindir_;
    int carpetas_ = 0;
};
