// The loss rows of a declaration, the window's changes written with its save, and leaving.
#include "AlmacenFixture.h"

#include <chrono>
#include <thread>

namespace {

using almacen::ClaveDeclaracion;
using almacentest::AlmacenFixture;
using almacentest::kFormulario;
using almacentest::kPeriodo;
using almacentest::kRuc;
using almacentest::OtroPrograma;

using Perdidas = AlmacenFixture;

QStringList Anhos(const almacen::FilasTabla& t)
{
    QStringList a;
    const int anho = static_cast<int>(t.Columnas.indexOf(QStringLiteral("Anho")));
    for (const dao::Params& f : t.Filas)
        a << f.at(anho).toText() + QLatin1Char('=') + f.at(anho + 1).toText();
    return a;
}

TEST_F(Perdidas, AreCountedReadByYearAndKeptApartBySending)
{
    const ClaveDeclaracion envio = ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("001"));
    Guarda(Clave(), QStringLiteral("1"), {}, {QStringLiteral("2012"), QStringLiteral("2010")});
    Guarda(Clave(kRuc, QStringLiteral("201408")), QStringLiteral("1"), {}, {QStringLiteral("2011")});
    Guarda(envio, QStringLiteral("1"), {}, {QStringLiteral("2009")});
    EXPECT_EQ(almacen::CuentaPerdidas(*db_, Clave()), 2);
    EXPECT_EQ(almacen::CuentaPerdidas(*db_, envio), 1);
    EXPECT_EQ(almacen::CuentaPerdidas(*db_, Clave(QStringLiteral("20000000001"))), 0);

    const almacen::FilasTabla t = almacen::LeePerdidas(*db_, Clave());
    EXPECT_EQ(t.Columnas.size(), 6);
    EXPECT_EQ(Anhos(t), (QStringList{QStringLiteral("2010=1000"), QStringLiteral("2012=1000")}));
    EXPECT_EQ(Anhos(almacen::LeePerdidas(*db_, envio)), QStringList{QStringLiteral("2009=1000")});
}

// The window's loss changes go in with the save, inside its transaction: a year added
// (or given its amount over a row another program stored meanwhile), changed, deleted;
// the count stored in box 662 is of the rows kept. A refused or failed save writes none.
TEST_F(Perdidas, TheWindowsChangesAreWrittenWithTheSave)
{
    const ClaveDeclaracion clave = Clave(QStringLiteral("20000000001"), QStringLiteral("201305"));
    Guarda(clave, QStringLiteral("1"), {});
    Guarda(Clave(), QStringLiteral("1"), {}, {QStringLiteral("2008")});
    almacen::Grabacion g;
    g.Clave = clave;
    g.FechaProceso = QStringLiteral("20/05/2013");
    g.Casillas = {{QStringLiteral("662"), QString()}, {QStringLiteral("500"), QStringLiteral("1")}};
    g.CasillaPerdidas = QStringLiteral("662");
    for (const char* anho : {"2008", "2009", "2010", "2011"})
        g.Perdidas[QString::fromLatin1(anho)] = QStringLiteral("1000");
    ASSERT_EQ(almacen::GrabaDeclaracion(*db_, g).NumPerdidas, 4);
    const QStringList antes{QStringLiteral("2008=1000"), QStringLiteral("2009=1000"), QStringLiteral("2010=1000"),
                            QStringLiteral("2011=1000")};
    ASSERT_EQ(Anhos(almacen::LeePerdidas(*db_, clave)), antes);

    // Another program stored 2012 meanwhile; the window gives it its own amount.
    Ejecuta(QStringLiteral("INSERT INTO F0947_PTCEA VALUES (6, '20000000001', '201305', '0947', '2012', '3', 'X')"));
    g.Perdidas = {{QStringLiteral("2012"), QStringLiteral("15000")},
                  {QStringLiteral("2011"), QStringLiteral("7")},
                  {QStringLiteral("2009"), std::nullopt},
                  {QStringLiteral("2007"), std::nullopt}};

    // A save that fails or is refused writes no loss change.
    Ejecuta(QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON DET BEGIN SELECT RAISE(ABORT, 'no'); END"));
    EXPECT_THROW(almacen::GrabaDeclaracion(*db_, g), dao::DaoError);
    Ejecuta(QStringLiteral("DROP TRIGGER falla"));
    g.Nueva = true;
    EXPECT_EQ(almacen::GrabaDeclaracion(*db_, g).Resultado, almacen::ResultadoGrabacion::Duplicada);
    EXPECT_EQ(Anhos(almacen::LeePerdidas(*db_, clave)), antes + QStringList{QStringLiteral("2012=3")});
    EXPECT_EQ(db_->TransactionLevel(), 0);

    g.Nueva = false;
    const almacen::ResultadoGrabacion r = almacen::GrabaDeclaracion(*db_, g);
    EXPECT_EQ(r.Resultado, almacen::ResultadoGrabacion::Grabada);
    EXPECT_EQ(r.NumPerdidas, 4);
    EXPECT_EQ(Casillas(clave).at(QStringLiteral("662")), QStringLiteral("4"));
    EXPECT_EQ(Anhos(almacen::LeePerdidas(*db_, clave)),
              (QStringList{QStringLiteral("2008=1000"), QStringLiteral("2010=1000"), QStringLiteral("2011=7"),
                           QStringLiteral("2012=15000")}));
    ControlesCorrectos(QStringLiteral("F0947_PTCEA"), clave, 5);
    // The worked example's check value.
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT cnumero FROM F0947_PTCEA") + clave.Filtro()
                                     + QStringLiteral(" AND Anho='2012'"),
                                 dao::dbOpenSnapshot, clave.Valores());
    EXPECT_EQ(rs->Fields(0).Value().toText(), QStringLiteral("271731"));
    // Another declaration's rows are not touched.
    EXPECT_EQ(Anhos(almacen::LeePerdidas(*db_, Clave())), QStringList{QStringLiteral("2008=1000")});

    // Box 108 empty: every row goes, the window's changes too.
    g.SinPerdidas = true;
    EXPECT_EQ(almacen::GrabaDeclaracion(*db_, g).NumPerdidas, 0);
    EXPECT_EQ(almacen::CuentaPerdidas(*db_, clave), 0);
    EXPECT_EQ(Casillas(clave).at(QStringLiteral("662")), QStringLiteral("0"));
}

// The window's view: the stored rows with its changes on top, by year.
TEST_F(Perdidas, TheStoredRowsAreShownWithTheChanges)
{
    Guarda(Clave(), QStringLiteral("1"), {}, {QStringLiteral("2012"), QStringLiteral("2010")});
    const almacen::CambiosPerdidas cambios{{QStringLiteral("2011"), QStringLiteral("5")},
                                          {QStringLiteral("2012"), std::nullopt},
                                          {QStringLiteral("2010"), QStringLiteral("9")},
                                          {QStringLiteral("2013"), std::nullopt}};
    const almacen::FilasTabla t = almacen::LeePerdidas(*db_, Clave(), cambios);
    EXPECT_EQ(Anhos(t), (QStringList{QStringLiteral("2010=9"), QStringLiteral("2011=5")}));
    EXPECT_EQ(t.Filas.at(1).at(1).toText(), kRuc);
    EXPECT_EQ(t.Filas.at(1).at(2).toText(), kPeriodo);
    EXPECT_TRUE(almacen::TienePerdida(t, QStringLiteral("2011")));
    EXPECT_FALSE(almacen::TienePerdida(t, QStringLiteral("2012")));
    EXPECT_EQ(almacen::CuentaPerdidas(*db_, Clave()), 2);
}

// Leaving: an unfinished header (check value "0") goes with its box and act rows, all or
// nothing; its loss rows and a finished declaration stay.
TEST_F(Perdidas, LeavingRemovesAnUnfinishedHeader)
{
    const ClaveDeclaracion guardada = Clave(kRuc, QStringLiteral("201408"));
    Guarda(Clave(), QStringLiteral("0"), {{QStringLiteral("500"), QStringLiteral("7")}}, {QStringLiteral("2012")});
    Guarda(guardada, QStringLiteral("123456"), {{QStringLiteral("500"), QStringLiteral("7")}}, {QStringLiteral("2011")});

    Ejecuta(QStringLiteral("CREATE TRIGGER falla BEFORE DELETE ON ACTA BEGIN SELECT RAISE(ABORT, 'no'); END"));
    EXPECT_THROW(almacen::Abandona(*db_, Clave()), dao::DaoError);
    Ejecuta(QStringLiteral("DROP TRIGGER falla"));
    EXPECT_EQ(db_->TransactionLevel(), 0);
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 2);
    EXPECT_EQ(Casillas(Clave()).size(), 1u);

    almacen::Abandona(*db_, Clave());
    EXPECT_FALSE(almacen::ExisteCabecera(*db_, Clave()));
    EXPECT_TRUE(Casillas(Clave()).empty());
    EXPECT_EQ(almacen::LeeFilas(*db_, QStringLiteral("ACTA"), Clave())->RecordCount(), 0);
    // The unfinished declaration's own loss rows are not the leaving's to remove.
    EXPECT_EQ(almacen::CuentaPerdidas(*db_, Clave()), 1);
    // A finished header stays with its rows.
    almacen::Abandona(*db_, guardada);
    EXPECT_TRUE(almacen::ExisteCabecera(*db_, guardada));
    EXPECT_EQ(Casillas(guardada).size(), 1u);
    EXPECT_EQ(almacen::CuentaPerdidas(*db_, guardada), 1);
}

// With nothing to remove, leaving takes no write lock: another program's lock does not
// stop it.
TEST_F(Perdidas, LeavingWithNothingToDoWritesNothing)
{
    Guarda(Clave(), QStringLiteral("123456"), {});
    OtroPrograma otro(archivo_);
    ASSERT_EQ(otro.Ejecuta("BEGIN IMMEDIATE"), SQLITE_OK);
    EXPECT_NO_THROW(almacen::Abandona(*db_, Clave()));
    EXPECT_NO_THROW(almacen::Abandona(*db_, Clave(QStringLiteral("20000000001"))));
    otro.Ejecuta("ROLLBACK");
    EXPECT_TRUE(almacen::ExisteCabecera(*db_, Clave()));
}

// Another program finishes the unfinished declaration while leaving waits for the write
// lock: leaving decides again under the lock, so the finished declaration keeps its rows.
TEST_F(Perdidas, LeavingDecidesUnderTheLock)
{
    Guarda(Clave(), QStringLiteral("0"), {{QStringLiteral("500"), QStringLiteral("7")}});
    OtroPrograma otro(archivo_);
    ASSERT_EQ(otro.Ejecuta("BEGIN IMMEDIATE"), SQLITE_OK);
    ASSERT_EQ(otro.Ejecuta("UPDATE CAB SET cNumero='123456'"), SQLITE_OK);
    std::thread termina([&otro] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        otro.Ejecuta("COMMIT");
    });
    EXPECT_NO_THROW(almacen::Abandona(*db_, Clave()));
    termina.join();
    EXPECT_TRUE(almacen::ExisteCabecera(*db_, Clave()));
    EXPECT_EQ(Casillas(Clave()).size(), 1u);
    EXPECT_EQ(almacen::LeeFilas(*db_, QStringLiteral("ACTA"), Clave())->RecordCount(), 1);
    EXPECT_EQ(db_->TransactionLevel(), 0);
}

} // namespace
