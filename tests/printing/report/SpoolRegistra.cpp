// spool_registra DATABASE COUNT CODE: opens the database, says "listo", waits for a line
// on its input, then registers COUNT report files and prints their names. A database
// busy beyond its wait is tried again: the test is about names, not about waiting.
#include "platform/db/Database.h"
#include "printing/report/RegistraSpool.h"

#include <QCoreApplication>
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

    const int n = a[2].toInt();
    int reintentos = 0;
    for (int i = 0; i < n; ++i) {
        try {
            const rpt::ArchivoSpool s
                = rpt::RegistraSpool(*db, QStringLiteral("RPT"), a[3], QStringLiteral("LOTE"),
                                     dao::Variant(QStringLiteral("06")), QStringLiteral("20000000001"));
            std::printf("%s\n", qPrintable(s.Nombre));
        } catch (const dao::DaoError& e) {
            if (e.Number != dao::err::FileLocked || ++reintentos > 1000) {
                std::fprintf(stderr, "%s\n", e.what());
                return 1;
            }
            --i;
        }
        // A program does other work between two reports.
        QThread::usleep(500);
    }
    std::fprintf(stderr, "reintentos %d\n", reintentos);
    return 0;
}
