// Numbering of report files in SPOOL, alone and from two programs at once.
#include "common/Clock.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "printing/report/ArchivoReporte.h"
#include "printing/report/RegistraSpool.h"
#include "tests/support/EspacioPrueba.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <chrono>
#include <thread>

#include <memory>

namespace {

class SpoolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        archivo_ = dir_.filePath(QStringLiteral("ZAV.MDB"));
        QString error;
        ASSERT_TRUE(zav::prueba::CreaBase(archivo_, false, true, &error)) << error.toStdString();
        db_ = dao::Database::Open(archivo_);
        rpt_ = dir_.filePath(QStringLiteral("RPT"));
        ASSERT_TRUE(QDir().mkpath(rpt_));
        zav::SetClockForTests([] { return QDateTime(QDate(2014, 5, 20), QTime(10, 30, 15)); });
    }
    void TearDown() override { zav::SetClockForTests({}); }

    void fila(const char* cod, const char* sec, const char* arch)
    {
        db_->Execute(QStringLiteral("INSERT INTO SPOOL (CodRep, Secuencia, Archivo) VALUES (?, ?, ?)"), 0,
                     {dao::Variant(cod), dao::Variant(sec), dao::Variant(arch)});
    }

    // A report file that holds its own name.
    static void escribe(const rpt::ArchivoSpool& s)
    {
        rpt::ArchivoReporte f;
        f.Abre(s.Ruta);
        f.EscribeLinea(QString::fromLatin1(rpt::kTagFuente));
        f.EscribePos(300, 350, s.Nombre, true, 10, 0);
        f.Cierra();
    }
    static QByteArray contenido(const QString& nombre)
    {
        return "<!font!>Courier New<!/font!>\r\npPos|300|350|" + nombre.toLatin1() + "|True|10|0|\r\n";
    }

    rpt::ArchivoSpool registra(const char* cod = "RCP001", const rpt::EscritorReporte& escritor = escribe)
    {
        return rpt::RegistraSpool(*db_, rpt_, QString::fromLatin1(cod), QStringLiteral("ADMIN"),
                                  dao::Variant::fromInteger(6), QStringLiteral("20100066603"), escritor);
    }

    QStringList archivos() const { return QDir(rpt_).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    static QByteArray lee(const QString& ruta)
    {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no existe>");
    }

    int filas()
    {
        auto rs = db_->OpenRecordset(QStringLiteral("SELECT count(*) FROM SPOOL"), dao::dbOpenSnapshot);
        return static_cast<int>(rs->Fields(0).Value().toInt64());
    }

    QString secuenciaDe(const QString& archivo)
    {
        auto rs = db_->OpenRecordset(QStringLiteral("SELECT Secuencia FROM SPOOL WHERE Archivo = ?"),
                                     dao::dbOpenSnapshot, {dao::Variant(archivo)});
        return rs->Eof() ? QString() : rs->Fields(0).Value().toText();
    }

    QTemporaryDir dir_;
    QString archivo_;
    QString rpt_;
    std::unique_ptr<dao::Database> db_;
};

TEST_F(SpoolTest, TablaVaciaEmpiezaEnUno)
{
    const rpt::ArchivoSpool s = registra();
    EXPECT_EQ(s.Nombre, QStringLiteral("00000001.PRN"));
    EXPECT_EQ(s.Ruta, rpt_ + QStringLiteral("/00000001.PRN"));
    EXPECT_EQ(lee(s.Ruta), contenido(s.Nombre));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM SPOOL"), dao::dbOpenSnapshot);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(QStringLiteral("CodRep")).Value().toText(), QStringLiteral("RCP001"));
    EXPECT_EQ(rs->Fields(QStringLiteral("Secuencia")).Value().toText(), QStringLiteral("000001"));
    EXPECT_EQ(rs->Fields(QStringLiteral("Archivo")).Value().toText(), QStringLiteral("00000001.PRN"));
    EXPECT_EQ(rs->Fields(QStringLiteral("Fecha")).Value().toDate(),
              QDateTime(QDate(2014, 5, 20), QTime(10, 30, 15)));
    EXPECT_EQ(rs->Fields(QStringLiteral("Usuario")).Value().toText(), QStringLiteral("ADMIN"));
    EXPECT_EQ(rs->Fields(QStringLiteral("Tip_doc_d")).Value().toInt64(), 6);
    EXPECT_EQ(rs->Fields(QStringLiteral("DOC_ID_D")).Value().toText(), QStringLiteral("20100066603"));
    EXPECT_EQ(db_->TransactionLevel(), 0);
}

TEST_F(SpoolTest, CasosDeNumeracion)
{
    struct Caso {
        const char* nombre;
        std::vector<std::array<const char*, 3>> filas;   // CodRep, Secuencia, Archivo
        const char* codigo;
        const char* secuencia;
        const char* archivo;
    };
    const Caso casos[] = {
        {"el número de archivo cuenta sobre todos los códigos",
         {{"RCP002", "000001", "00000041.PRN"}, {"RCP001", "000007", "00000040.PRN"}, {"RCP001", "000006", "00000039.PRN"}},
         "RCP001", "000008", "00000042.PRN"},
        {"la secuencia es la del código",
         {{"RCP002", "000001", "00000041.PRN"}, {"RCP001", "000007", "00000040.PRN"}},
         "RCP002", "000002", "00000042.PRN"},
        {"código nuevo", {{"RCP001", "000007", "00000040.PRN"}}, "RCP003", "000001", "00000041.PRN"},
        {"más de ocho dígitos: cuentan los ocho primeros", {{"RCP001", "000001", "123456789.PRN"}},
         "RCP001", "000002", "12345679.PRN"},
        {"un nombre que no empieza por ocho dígitos no cuenta",
         {{"RCP001", "000003", "00000005.PRN"}, {"RCP001", "000004", "RECIBO.PRN"}, {"RCP001", "000005", "1234.PRN"},
          {"RCP001", "000006", " 0000099.PRN"}},
         "RCP001", "000007", "00000006.PRN"},
        {"una secuencia que no es un número no cuenta",
         {{"RCP001", "000003", "00000005.PRN"}, {"RCP001", "ABC", "00000006.PRN"}, {"RCP001", "", "00000007.PRN"}},
         "RCP001", "000004", "00000008.PRN"},
        {"secuencias de ancho distinto se comparan como números",
         {{"RCP001", "99", "00000001.PRN"}, {"RCP001", "000100", "00000002.PRN"}}, "RCP001", "000101", "00000003.PRN"},
        {"el código se compara sin mayúsculas", {{"rcp001", "000009", "00000001.PRN"}}, "RCP001", "000010", "00000002.PRN"},
    };
    for (const Caso& c : casos) {
        db_->Execute(QStringLiteral("DELETE FROM SPOOL"));
        for (const auto& f : c.filas)
            fila(f[0], f[1], f[2]);
        const rpt::ArchivoSpool s = registra(c.codigo);
        EXPECT_EQ(s.Nombre, QString::fromLatin1(c.archivo)) << c.nombre;
        EXPECT_EQ(secuenciaDe(s.Nombre), QString::fromLatin1(c.secuencia)) << c.nombre;
    }
}

TEST_F(SpoolTest, ValoresDelLote)
{
    // The batch program passes the document type as text and the number blank-padded.
    const rpt::ArchivoSpool s = rpt::RegistraSpool(*db_, QStringLiteral("C:\\ZAV\\RPT\\"), QStringLiteral("RCP002"),
                                                   QStringLiteral("OPERADOR "), dao::Variant(QStringLiteral("06")),
                                                   QStringLiteral("20100066603    "), [](const rpt::ArchivoSpool&) {});
    EXPECT_EQ(s.Ruta, QStringLiteral("C:/ZAV/RPT/00000001.PRN"));
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM SPOOL"), dao::dbOpenSnapshot);
    EXPECT_EQ(rs->Fields(QStringLiteral("Tip_doc_d")).Value().toInt64(), 6);
    EXPECT_EQ(rs->Fields(QStringLiteral("DOC_ID_D")).Value().toText(), QStringLiteral("20100066603    "));
    EXPECT_EQ(rs->Fields(QStringLiteral("Usuario")).Value().toText(), QStringLiteral("OPERADOR "));
}

TEST_F(SpoolTest, UnErrorNoGuardaNadaYCierraLaTransaccion)
{
    // A user name longer than its column refuses the row: the file written for it goes too.
    EXPECT_THROW(rpt::RegistraSpool(*db_, rpt_, QStringLiteral("RCP001"), QString(41, QLatin1Char('U')),
                                    dao::Variant::fromInteger(6), QStringLiteral("20100066603"), escribe),
                 dao::DaoError);
    EXPECT_EQ(db_->TransactionLevel(), 0);
    EXPECT_EQ(filas(), 0);
    EXPECT_EQ(archivos(), QStringList());
    db_->Execute(QStringLiteral("DROP TABLE SPOOL"));
    try {
        registra();
        ADD_FAILURE() << "registered without a SPOOL table";
    } catch (const dao::DaoError& e) {
        EXPECT_EQ(e.Number, dao::err::TableNotFound);
    }
    EXPECT_EQ(db_->TransactionLevel(), 0);
    EXPECT_EQ(archivos(), QStringList());
}

// The file is whole under its name before its row is stored; a file that cannot be
// written leaves no row, no file and no temporary one, and its number is drawn again.
TEST_F(SpoolTest, LaFilaSoloNombraUnArchivoEntero)
{
    fila("RCP002", "000004", "00000041.PRN");
    const rpt::ArchivoSpool s = registra("RCP001", [this](const rpt::ArchivoSpool& nuevo) {
        escribe(nuevo);
        EXPECT_EQ(lee(nuevo.Ruta), contenido(nuevo.Nombre));
        EXPECT_EQ(secuenciaDe(nuevo.Nombre), QString()) << "the row before its file";
    });
    EXPECT_EQ(s.Nombre, QStringLiteral("00000042.PRN"));
    EXPECT_EQ(secuenciaDe(s.Nombre), QStringLiteral("000001"));

    const auto fallos = {
        std::function<void(const rpt::ArchivoSpool&)>([](const rpt::ArchivoSpool& nuevo) {
            // Half the report, then the disk fails.
            rpt::ArchivoReporte f;
            f.Abre(nuevo.Ruta);
            f.EscribeLinea(QString::fromLatin1(rpt::kTagFuente));
            throw zav::RuntimeError(57);
        }),
        std::function<void(const rpt::ArchivoSpool&)>([](const rpt::ArchivoSpool& nuevo) {
            // Whole, and then the database fails.
            escribe(nuevo);
            throw dao::DaoError(dao::err::FileLocked);
        }),
    };
    for (const auto& falla : fallos) {
        EXPECT_ANY_THROW(registra("RCP001", falla));
        EXPECT_EQ(db_->TransactionLevel(), 0);
        EXPECT_EQ(filas(), 2);
        EXPECT_EQ(archivos(), QStringList{QStringLiteral("00000042.PRN")});
    }
    EXPECT_EQ(registra().Nombre, QStringLiteral("00000043.PRN"));
    EXPECT_EQ(secuenciaDe(QStringLiteral("00000043.PRN")), QStringLiteral("000002"));
}

// The writer's file cannot take its name (a folder took it while it was written): the
// writer's error reaches the caller and no row names the file.
TEST_F(SpoolTest, UnArchivoQueNoTomaSuNombreNoSeRegistra)
{
    fila("RCP002", "000004", "00000041.PRN");
    try {
        registra("RCP001", [](const rpt::ArchivoSpool& nuevo) {
            rpt::ArchivoReporte f;
            f.Abre(nuevo.Ruta);
            f.EscribeLinea(QString::fromLatin1(rpt::kTagFuente));
            ASSERT_TRUE(QDir().mkpath(nuevo.Ruta + QStringLiteral("/estorbo")));
            f.Cierra();
        });
        ADD_FAILURE() << "registered a file that never took its name";
    } catch (const zav::RuntimeError& e) {
        EXPECT_EQ(e.Number, 57);
    }
    EXPECT_EQ(db_->TransactionLevel(), 0);
    EXPECT_EQ(filas(), 1);
    EXPECT_EQ(secuenciaDe(QStringLiteral("00000042.PRN")), QString());
    EXPECT_EQ(archivos(), QStringList());
}

TEST_F(SpoolTest, EsperaAQueOtroProgramaSuelteLaBase)
{
    // Another program holds the write lock past the engine's own wait, then lets go.
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open_v2(archivo_.toUtf8().constData(), &otro, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(otro, "BEGIN IMMEDIATE; INSERT INTO SPOOL (CodRep, Secuencia, Archivo) VALUES"
                                 " ('RCP002', '000001', '00000001.PRN')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    std::thread suelta([otro] {
        std::this_thread::sleep_for(std::chrono::milliseconds(2600));
        sqlite3_exec(otro, "COMMIT", nullptr, nullptr, nullptr);
    });
    rpt::ArchivoSpool s;
    EXPECT_NO_THROW(s = registra());
    suelta.join();
    sqlite3_close(otro);
    EXPECT_EQ(s.Nombre, QStringLiteral("00000002.PRN"));
    EXPECT_EQ(db_->TransactionLevel(), 0);
}

TEST_F(SpoolTest, DosProgramasALaVezNoRepitenNombre)
{
    db_->Close();
    QProcess a;
    QProcess b;
    a.start(QStringLiteral(SPOOL_REGISTRA), {archivo_, QStringLiteral("500"), QStringLiteral("RCP001")});
    b.start(QStringLiteral(SPOOL_REGISTRA), {archivo_, QStringLiteral("500"), QStringLiteral("RCP002")});
    // Both open the database first, then start together.
    for (QProcess* p : {&a, &b}) {
        ASSERT_TRUE(p->waitForReadyRead(30000));
        ASSERT_EQ(p->readLine(), QByteArray("listo\n"));
    }
    a.write("\n");
    b.write("\n");
    ASSERT_TRUE(a.waitForFinished(180000));
    ASSERT_TRUE(b.waitForFinished(180000));
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
    QStringList nombres = QString::fromLatin1(a.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    nombres += QString::fromLatin1(b.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(nombres.size(), 1000);
    const QSet<QString> distintos(nombres.begin(), nombres.end());
    EXPECT_EQ(distintos.size(), 1000);
    EXPECT_TRUE(distintos.contains(QStringLiteral("00000001.PRN")));
    EXPECT_TRUE(distintos.contains(QStringLiteral("00001000.PRN")));
    // Each name is its own program's file, whole; nothing else is left in the folder.
    for (const QString& n : distintos)
        EXPECT_EQ(lee(rpt_ + QLatin1Char('/') + n), contenido(n)) << n.toStdString();
    EXPECT_EQ(archivos().size(), 1000);

    db_ = dao::Database::Open(archivo_);
    for (const char* cod : {"RCP001", "RCP002"}) {
        auto rs = db_->OpenRecordset(
            QStringLiteral("SELECT count(*), count(DISTINCT Secuencia), max(Secuencia) FROM SPOOL WHERE CodRep = ?"),
            dao::dbOpenSnapshot, {dao::Variant(cod)});
        EXPECT_EQ(rs->Fields(0).Value().toInt64(), 500) << cod;
        EXPECT_EQ(rs->Fields(1).Value().toInt64(), 500) << cod;
        EXPECT_EQ(rs->Fields(2).Value().toText(), QStringLiteral("000500")) << cod;
    }
}

} // namespace
