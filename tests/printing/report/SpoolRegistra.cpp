// spool_registra DATABASE COUNT CODE: opens the database, says "listo", waits for a line
// on its input, then writes COUNT report files in the RPT folder beside the database,
// each holding its own name, registers them and prints their names. A database busy
// beyond its wait is tried again: the test is about names, not about waiting.
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "printing/report/ArchivoReporte.h"
#include "printing/report/RegistraSpool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QThread>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 4)
        return 2;
    std::unique_ptr<dao::Database> db;
    try {
        db = dao::Database::Open(a[1]);
    } catch (const dao::DaoError& e) {
        std::fprintf(stderr, "open: %s\n", e.what());
        return 1;
    }
    std::printf("listo\n");
    std::fflush(stdout);
    std::string linea;
    std::getline(std::cin, linea);

    const QString carpeta = QFileInfo(a[1]).absolutePath() + QStringLiteral("/RPT");
    QDir().mkpath(carpeta);
    const int n = a[2].toInt();
    int reintentos = 0;
    for (int i = 0; i < n; ++i) {
        try {
            const rpt::ArchivoSpool s
                = rpt::RegistraSpool(*db, carpeta, a[3], QStringLiteral("LOTE"), dao::Variant(QStringLiteral("06")),
                                     QStringLiteral("20000000001"), [](const rpt::ArchivoSpool& nuevo) {
                                         rpt::ArchivoReporte f;
                                         f.Abre(nuevo.Ruta);
                                         f.EscribeLinea(QString::fromLatin1(rpt::kTagFuente));
                                         f.EscribePos(300, 350, nuevo.Nombre, true, 10, 0);
                                         f.Cierra();
                                     });
            std::printf("%s\n", qPrintable(s.Nombre));
        } catch (const dao::DaoError& e) {
            if (e.Number != dao::err::FileLocked || ++reintentos > 1000) {
                std::fprintf(stderr, "%s\n", e.what());
                return 1;
            }
            --i;
        } catch (const zav::RuntimeError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.Description()));
            return 1;
        }
        // A program does other work between two reports.
        QThread::usleep(500);
    }
    std::fprintf(stderr, "reintentos %d\n", reintentos);
    return 0;
}
