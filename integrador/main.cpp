// integrador: the host stand-in. Creates a workspace, shows the "ZAV" window, starts
// the module's programs.
#include "integrador/Envio.h"
#include "integrador/MainWindow.h"
#include "integrador/Workspace.h"
#include "platform/ui/Traduccion.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void print(FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fputc('\n', to);
}

int usage()
{
    print(stderr, QStringLiteral("uso: integrador [window]\n"
                                 "     integrador init CARPETA [--demo]\n"
                                 "     integrador start PROGRAMA [ARGUMENTOS...]\n"
                                 "     integrador send DOCUMENTO PERIODO"));
    return 2;
}

int init(const QStringList& args)
{
    QString dir;
    bool demo = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--demo"))
            demo = true;
        else if (dir.isEmpty() && !a.startsWith(QLatin1String("--")))
            dir = a;
        else
            return usage();
    }
    if (dir.isEmpty())
        return usage();
    const integrador::InitResult r = integrador::InitWorkspace(dir, demo);
    if (!r.ok) {
        print(stderr, r.message);
        return 1;
    }
    print(stdout, QStringLiteral("SysPath=%1\nBase de datos=%2\nConfiguración=%3")
                      .arg(r.sysPath, r.dbFile, r.iniFile));
    return 0;
}

int send(const QStringList& args)
{
    if (args.size() != 2)
        return usage();
    const QString db = integrador::ConfiguredDatabase();
    if (db.isEmpty()) {
        print(stderr, QStringLiteral("No hay un espacio de trabajo configurado en KZ000.INI."));
        return 1;
    }
    const integrador::EnvioResult r =
        integrador::EnviaVerificada(db, integrador::ConfiguredSysPath(), args.at(0), args.at(1));
    if (!r.ok) {
        print(stderr, r.message);
        return 1;
    }
    print(stdout, QStringLiteral("Correlativo=%1\nControl=%2\nNúmero de orden=%3\nDígito verificador=%4")
                      .arg(r.correl, r.control, r.norden, r.verifica));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString command = args.isEmpty() ? QString() : args.first();

    if (command == QLatin1String("init")) {
        QCoreApplication app(argc, argv);
        return init(args.mid(1));
    }
    if (command == QLatin1String("start")) {
        QCoreApplication app(argc, argv);
        if (args.size() < 2)
            return usage();
        // The host waits for a batch program and reads its status.
        QString error;
        const int status = integrador::RunProgram(args.at(1), args.mid(2), &error);
        if (!error.isEmpty())
            print(stderr, error);
        return status;
    }
    if (command == QLatin1String("send")) {
        QCoreApplication app(argc, argv);
        return send(args.mid(1));
    }
    if (!command.isEmpty() && command != QLatin1String("window"))
        return usage();

    QApplication app(argc, argv);
    zav::CargaTraduccionQt();
    integrador::MainWindow w;
    w.show();
    return app.exec();
}
