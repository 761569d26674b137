// The loss rows of a declaration, and leaving a window that changed them.
#include "AlmacenFixture.h"

namespace {

using almacen::ClaveDeclaracion;
using almacen::ResultadoPerdida;
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

// One year's row: added, changed, refused when its year is kept or under a stored
// declaration the caller may not write to, deleted.
TEST_F(Perdidas, OneYearIsWrittenOrDeletedUnderTheLock)
{
    struct Paso {
        const char* nombre;
        bool borra;
        const char* anho;
        const char* importe;
        bool nueva;
        bool soloSinCabecera;
        ResultadoPerdida resultado;
        const char* quedan;
    };
    const Paso pasos[] = {
        {"new", false, "2012", "700", true, true, ResultadoPerdida::Grabada, "2012=700"},
        {"new again", false, "2012", "800", true, true, ResultadoPerdida::AnioRepetido, "2012=700"},
        {"changed", false, "2012", "900", false, true, ResultadoPerdida::Grabada, "2012=900"},
        {"changed, none kept", false, "2011", "900", false, true, ResultadoPerdida::NoEncontrada, "2012=900"},
        {"second year", false, "2010", "5", true, false, ResultadoPerdida::Grabada, "2010=5 2012=900"},
        {"deleted, none kept", true, "2009", "", false, true, ResultadoPerdida::NoEncontrada, "2010=5 2012=900"},
        {"deleted", true, "2010", "", false, true, ResultadoPerdida::Borrada, "2012=900"},
    };
    for (const Paso& p : pasos) {
        SCOPED_TRACE(p.nombre);
        const QString anho = QString::fromLatin1(p.anho);
        const ResultadoPerdida r = p.borra ? almacen::BorraPerdida(*db_, Clave(), anho, p.soloSinCabecera)
                                           : almacen::GrabaPerdida(*db_, Clave(), anho, QString::fromLatin1(p.importe),
                                                                   p.nueva, p.soloSinCabecera);
        EXPECT_EQ(r, p.resultado);
        EXPECT_EQ(Anhos(almacen::LeePerdidas(*db_, Clave())).join(QLatin1Char(' ')), QString::fromLatin1(p.quedan));
        EXPECT_EQ(db_->TransactionLevel(), 0);
    }
    ControlesCorrectos(QStringLiteral("F0947_PTCEA"), Clave(), 5);

    // Another program has stored the declaration meanwhile: a window that has not stored
    // it writes nothing under its key; one that has goes on.
    Guarda(Clave(), QStringLiteral("1"), {});
    EXPECT_EQ(almacen::GrabaPerdida(*db_, Clave(), QStringLiteral("2008"), QStringLiteral("1"), true, true),
              ResultadoPerdida::DeclaracionAjena);
    EXPECT_EQ(almacen::BorraPerdida(*db_, Clave(), QStringLiteral("2012"), true), ResultadoPerdida::DeclaracionAjena);
    EXPECT_EQ(almacen::GrabaPerdida(*db_, Clave(), QStringLiteral("2012"), QStringLiteral("1"), false, false),
              ResultadoPerdida::Grabada);
    EXPECT_EQ(Anhos(almacen::LeePerdidas(*db_, Clave())), QStringList{QStringLiteral("2012=1")});
    EXPECT_EQ(db_->TransactionLevel(), 0);
}

// Leaving: an unfinished header (check value "0") goes with its rows; each key's loss rows
// get back what the window found, none where the key has no header; all or nothing.
TEST_F(Perdidas, LeavingRemovesAnUnfinishedHeaderAndPutsTheLossRowsBack)
{
    const ClaveDeclaracion guardada = Clave(kRuc, QStringLiteral("201408"));
    const ClaveDeclaracion sinCabecera = Clave(QStringLiteral("20000000001"));
    Guarda(Clave(), QStringLiteral("0"), {{QStringLiteral("500"), QStringLiteral("7")}}, {QStringLiteral("2012")});
    Guarda(guardada, QStringLiteral("123456"), {{QStringLiteral("500"), QStringLiteral("7")}}, {QStringLiteral("2011")});
    const almacen::FilasTabla original = almacen::CopiaPerdidas(*db_, guardada);
    ASSERT_EQ(original.Filas.size(), 1u);
    EXPECT_EQ(original.Columnas.size(), 7);
    // What the window changed since.
    almacen::GrabaPerdida(*db_, guardada, QStringLiteral("2011"), QStringLiteral("5"), false, false);
    almacen::GrabaPerdida(*db_, guardada, QStringLiteral("2010"), QStringLiteral("5"), true, false);
    almacen::GrabaPerdida(*db_, sinCabecera, QStringLiteral("2010"), QStringLiteral("5"), true, true);
    const std::vector<almacen::PerdidasOriginales> perdidas{{guardada, original}, {sinCabecera, original}};

    Ejecuta(QStringLiteral("CREATE TRIGGER falla BEFORE DELETE ON ACTA BEGIN SELECT RAISE(ABORT, 'no'); END"));
    EXPECT_THROW(almacen::Abandona(*db_, Clave(), perdidas), dao::DaoError);
    Ejecuta(QStringLiteral("DROP TRIGGER falla"));
    EXPECT_EQ(db_->TransactionLevel(), 0);
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 2);
    EXPECT_EQ(Anhos(almacen::LeePerdidas(*db_, guardada)),
              (QStringList{QStringLiteral("2010=5"), QStringLiteral("2011=5")}));

    almacen::Abandona(*db_, Clave(), perdidas);
    EXPECT_FALSE(almacen::ExisteCabecera(*db_, Clave()));
    EXPECT_TRUE(Casillas(Clave()).empty());
    EXPECT_EQ(almacen::LeeFilas(*db_, QStringLiteral("ACTA"), Clave())->RecordCount(), 0);
    // The unfinished declaration's own loss rows are not the leaving's to remove.
    EXPECT_EQ(almacen::CuentaPerdidas(*db_, Clave()), 1);
    EXPECT_EQ(Anhos(almacen::LeePerdidas(*db_, guardada)), QStringList{QStringLiteral("2011=1000")});
    EXPECT_EQ(almacen::CuentaPerdidas(*db_, sinCabecera), 0);
    EXPECT_EQ(almacen::CopiaPerdidas(*db_, guardada).Filas, original.Filas);
    // A finished header stays with its rows.
    almacen::Abandona(*db_, guardada, {});
    EXPECT_TRUE(almacen::ExisteCabecera(*db_, guardada));
    EXPECT_EQ(Casillas(guardada).size(), 1u);
}

// With nothing to remove or put back, leaving takes no write lock: another program's
// lock does not stop it.
TEST_F(Perdidas, LeavingWithNothingToDoWritesNothing)
{
    Guarda(Clave(), QStringLiteral("123456"), {});
    OtroPrograma otro(archivo_);
    ASSERT_EQ(otro.Ejecuta("BEGIN IMMEDIATE"), SQLITE_OK);
    EXPECT_NO_THROW(almacen::Abandona(*db_, Clave(), {}));
    EXPECT_NO_THROW(almacen::Abandona(*db_, Clave(QStringLiteral("20000000001")), {}));
    otro.Ejecuta("ROLLBACK");
    EXPECT_TRUE(almacen::ExisteCabecera(*db_, Clave()));
}

} // namespace
