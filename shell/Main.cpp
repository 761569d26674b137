#include "shell/Main.h"

#include "platform/db/Database.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/process/cWindows.h"
#include "platform/process/ProgramEnd.h"
#include "platform/process/SingleInstance.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/MDIFrm.h"

#include <QApplication>

int Main()
{
    App().gUtil = std::make_unique<zav::clsUtilitarios>();
    // The database is closed on every way out, not only through Salir.
    zav::AddCloseHook([] {
        if (App().gBaseDatos) {
            App().gBaseDatos->Close();
            App().gBaseDatos.reset();
        }
    });

    {
        zav::cWindows ventanas;
        if (!ventanas.CorreApp(QStringLiteral("ZAV"))) {
            zav::MsgBox(QStringLiteral("Debe ejecutar este módulo desde el Integrador del ZAV"), 16,
                        QStringLiteral("Error al ejecutar el módulo"));
            zav::TerminaPrograma(0);
        }
    }
    static zav::SingleInstance instancia;
    switch (instancia.Toma(QStringLiteral("KZ947"))) {
    case zav::SingleInstance::Resultado::Tomado: break;
    case zav::SingleInstance::Resultado::OtraCopia:
        zav::MsgBox(QStringLiteral("La Aplicación ya se encuentra en ejecución"), 64, QStringLiteral("Quorvan"));
        zav::TerminaPrograma(0);
    case zav::SingleInstance::Resultado::NoSeEscribe:
        zav::MsgBox(zav::TextoBloqueoNoEscrito(instancia.LockPath(QStringLiteral("KZ947")), instancia.Error()), 16,
                    QStringLiteral("Quorvan"));
        zav::TerminaPrograma(1);
    }

    auto* principal = new MDIFrm;
    principal->MDIForm_Load();
    return qApp->exec();
}
