// What a user reads of an engine error: its number and its text.
#include "DbFixture.h"

#include "platform/db/SqliteSupport.h"

namespace {

using dbtest::DbFixture;

const QString kBase = QStringLiteral("/datos/ZAV.MDB");

struct Caso {
    const char* nombre;
    int codigo;   // the engine's result code
    int numero;
    QString texto;
};

TEST(EngineError, EachFaultHasItsNumberAndText)
{
    const Caso casos[] = {
        {"disk full", SQLITE_FULL, 3026,
         QStringLiteral("No hay espacio suficiente en el disco para grabar en la base de datos '/datos/ZAV.MDB'.")},
        {"input/output error", SQLITE_IOERR, 3043,
         QStringLiteral("Error de lectura o escritura en el disco o en la red al usar la base de datos '/datos/ZAV.MDB'.")},
        {"write failed", SQLITE_IOERR_WRITE, 3043,
         QStringLiteral("Error de lectura o escritura en el disco o en la red al usar la base de datos '/datos/ZAV.MDB'.")},
        {"fsync failed", SQLITE_IOERR_FSYNC, 3043,
         QStringLiteral("Error de lectura o escritura en el disco o en la red al usar la base de datos '/datos/ZAV.MDB'.")},
        {"read-only", SQLITE_READONLY, 3027,
         QStringLiteral("No se puede actualizar. La base de datos o el objeto es de solo lectura.")},
        {"read-only, file moved", SQLITE_READONLY_DBMOVED, 3027,
         QStringLiteral("No se puede actualizar. La base de datos o el objeto es de solo lectura.")},
        {"not a database", SQLITE_NOTADB, 3343, QStringLiteral("El archivo '/datos/ZAV.MDB' no es una base de datos.")},
        {"locked", SQLITE_BUSY, 3051,
         QStringLiteral("El motor de base de datos no puede abrir el archivo '/datos/ZAV.MDB'. Otro usuario lo tiene "
                        "abierto en forma exclusiva, o usted no tiene permiso para ver sus datos.")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        try {
            dao::throwSqlite(nullptr, c.codigo, kBase);
        } catch (const dao::DaoError& e) {
            EXPECT_EQ(e.Number, c.numero);
            EXPECT_EQ(e.Description, c.texto);
            EXPECT_FALSE(e.Description.contains(QStringLiteral("Error reservado")));
            // The engine's own words stay for the log.
            EXPECT_TRUE(QString::fromStdString(e.what()).contains(QString::fromUtf8(sqlite3_errstr(c.codigo))));
        }
    }
}

using EngineErrorDb = DbFixture;

TEST_F(EngineErrorDb, AFullDiskStopsTheWriteWithItsOwnNumber)
{
    auto rs = db_->OpenRecordset(QStringLiteral("PRAGMA page_count"), dao::dbOpenSnapshot);
    const qint64 paginas = rs->Fields(0).Value().toInt64();
    rs->Close();
    db_->OpenRecordset(QStringLiteral("PRAGMA max_page_count = %1").arg(paginas + 2), dao::dbOpenSnapshot)->Close();
    db_->BeginTrans();
    try {
        for (int i = 0; i < 1000; ++i)
            addLoss(QStringLiteral("2010007097%1").arg(i % 10), QString::number(1000 + i), QString(15, QLatin1Char('9')));
        FAIL() << "the file never filled up";
    } catch (const dao::DaoError& e) {
        EXPECT_EQ(e.Number, 3026);
        EXPECT_EQ(e.Description, QStringLiteral("No hay espacio suficiente en el disco para grabar en la base de datos "
                                                "'%1'.").arg(path_));
    }
    db_->Rollback();
    EXPECT_EQ(count(QStringLiteral("F0947_PTCEA")), 0);
}

} // namespace
