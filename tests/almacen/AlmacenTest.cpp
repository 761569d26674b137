// Saving, reading and deleting a declaration's rows, with no window: the key's filter,
// the one transaction of each write, and what another program does meanwhile.
#include "AlmacenFixture.h"

#include "platform/db/Transaccion.h"

#include <chrono>
#include <functional>
#include <thread>

namespace {

using almacen::ClaveDeclaracion;
using almacen::Grabacion;
using almacen::ResultadoGrabacion;
using almacentest::AlmacenFixture;
using almacentest::kFormulario;
using almacentest::kPeriodo;
using almacentest::kRuc;
using almacentest::OtroPrograma;

using Almacen = AlmacenFixture;

Grabacion Declaracion(bool nueva, std::vector<almacen::FilaCasilla> casillas, bool sinPerdidas = false)
{
    Grabacion g;
    g.Clave = ClaveDeclaracion::Guardada(kRuc, kPeriodo, kFormulario);
    g.Nueva = nueva;
    g.FechaProceso = QStringLiteral("20/05/2014");
    g.Estado = 9;
    g.Rectifica = QStringLiteral("1");
    g.SinPerdidas = sinPerdidas;
    g.Casillas = std::move(casillas);
    g.CasillaPerdidas = QStringLiteral("662");
    return g;
}

TEST_F(Almacen, ASavedDeclarationIsReadBackWithItsHeaderAndCheckValues)
{
    Guarda(Clave(kRuc, QStringLiteral("201408")), QStringLiteral("111111"), {{QStringLiteral("500"), QStringLiteral("9")}});
    Ejecuta(QStringLiteral("INSERT INTO F0947_PTCEA VALUES (6, ?, ?, '0947', '2012', '700', 'X')"), {kRuc, kPeriodo});
    Ejecuta(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
                           "VALUES (6, ?, ?, '0947', 0, '999', 'viejo')"),
            {kRuc, kPeriodo});

    // A code given twice keeps its first place and its last value; the loss count is the
    // store's own.
    const ResultadoGrabacion r = almacen::GrabaDeclaracion(
        *db_, Declaracion(true, {{QStringLiteral("500"), QStringLiteral("1000")},
                                 {QStringLiteral("007"), kPeriodo},
                                 {QStringLiteral("662"), QString()},
                                 {QStringLiteral("500"), QStringLiteral("2000")}}));
    EXPECT_EQ(r.Resultado, ResultadoGrabacion::Grabada);
    EXPECT_EQ(r.NumPerdidas, 1);
    EXPECT_EQ(db_->TransactionLevel(), 0);

    auto cab = almacen::LeeCabecera(*db_, Clave());
    ASSERT_EQ(cab->RecordCount(), 1);
    EXPECT_EQ(cab->Fields(QStringLiteral("fec_pro")).Value().toText(), QStringLiteral("20/05/2014"));
    EXPECT_EQ(cab->Fields(QStringLiteral("estado")).Value().toInt64(), 9);
    EXPECT_EQ(cab->Fields(QStringLiteral("rectifica")).Value().toText(), QStringLiteral("1"));
    const std::vector<almacen::Casilla> filas = almacen::LeeCasillas(*db_, Clave(), almacen::OrdenCasillas::Numero);
    ASSERT_EQ(filas.size(), 3u);
    EXPECT_EQ(filas[0].Codigo, QStringLiteral("007"));
    EXPECT_EQ(filas[1].Codigo, QStringLiteral("500"));
    EXPECT_EQ(filas[1].Valor, QStringLiteral("2000"));
    EXPECT_EQ(filas[2].Codigo, QStringLiteral("662"));
    EXPECT_EQ(filas[2].Valor, QStringLiteral("1"));
    ControlesCorrectos(QStringLiteral("CAB"), Clave(), 5);
    ControlesCorrectos(QStringLiteral("DET"), Clave(), 6);
    // The other period's declaration is untouched.
    EXPECT_EQ(Casillas(Clave(kRuc, QStringLiteral("201408"))).at(QStringLiteral("500")), QStringLiteral("9"));

    // Saved again: the rows are replaced, the boxes left out lose theirs, and with box 108
    // empty the loss rows go.
    Grabacion otra = Declaracion(false, {{QStringLiteral("501"), QStringLiteral("5")}, {QStringLiteral("662"), QString()}},
                                 true);
    otra.Estado = 0;
    otra.Rectifica.clear();
    EXPECT_EQ(almacen::GrabaDeclaracion(*db_, otra).NumPerdidas, 0);
    EXPECT_EQ(Casillas(Clave()), (std::map<QString, QString>{{QStringLiteral("501"), QStringLiteral("5")},
                                                            {QStringLiteral("662"), QStringLiteral("0")}}));
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 2);
    EXPECT_EQ(Cuenta(QStringLiteral("F0947_PTCEA")), 0);
    EXPECT_EQ(almacen::LeeCabecera(*db_, Clave())->Fields(QStringLiteral("estado")).Value().toInt64(), 0);
    ControlesCorrectos(QStringLiteral("CAB"), Clave(), 5);
}

TEST_F(Almacen, TheBoxesOfADeclarationComeByNumberOrByText)
{
    Guarda(Clave(), QStringLiteral("1"),
           {{QStringLiteral("10"), QStringLiteral("a")}, {QStringLiteral("9"), QStringLiteral("b")},
            {QStringLiteral("100"), QStringLiteral("c")}});
    struct Caso {
        almacen::OrdenCasillas orden;
        QStringList codigos;
    };
    const Caso casos[] = {
        {almacen::OrdenCasillas::Numero, {QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("100")}},
        {almacen::OrdenCasillas::Texto, {QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("9")}},
    };
    for (const Caso& c : casos) {
        QStringList leidos;
        for (const almacen::Casilla& f : almacen::LeeCasillas(*db_, Clave(), c.orden))
            leidos << f.Codigo;
        EXPECT_EQ(leidos, c.codigos);
    }
}

// Each key reads its own rows only: another period, another sending, another type, and a
// key that leaves the type out or names the week.
TEST_F(Almacen, EachKeyReadsItsOwnRows)
{
    Guarda(Clave(), QStringLiteral("1"), {{QStringLiteral("610"), QStringLiteral("1.5")}});
    Guarda(Clave(kRuc, QStringLiteral("201408")), QStringLiteral("1"), {{QStringLiteral("610"), QStringLiteral("2.5")}});
    Guarda(ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("001")), QStringLiteral("1"),
           {{QStringLiteral("610"), QStringLiteral("3.5")}});
    Guarda(ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("002")), QStringLiteral("1"),
           {{QStringLiteral("610"), QStringLiteral("4.5")}});
    Ejecuta(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
                           "VALUES (1, ?, ?, '0947', 0, '609', 'A')"),
            {kRuc, kPeriodo});

    ClaveDeclaracion sinTipo = Clave();
    sinTipo.TipoDoc = dao::Variant();
    ClaveDeclaracion semana1 = Clave();
    semana1.Semana = dao::Variant(1.0);
    ClaveDeclaracion semana0 = Clave();
    semana0.Semana = dao::Variant(0.0);
    ClaveDeclaracion tipoNumero = Clave();
    tipoNumero.TipoDoc = dao::Variant(6.0);
    struct Caso {
        const char* nombre;
        ClaveDeclaracion clave;
        const char* casilla;
        const char* valor;   // nullptr: no row
        bool cabecera;
    };
    const Caso casos[] = {
        {"stored", Clave(), "610", "1.5", true},
        {"other period", Clave(kRuc, QStringLiteral("201408")), "610", "2.5", true},
        {"first sending", ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("001")), "610", "3.5", true},
        {"second sending", ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("002")), "610", "4.5", true},
        {"no such sending", ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("003")), "610", nullptr,
         false},
        {"type 6 only", Clave(), "609", nullptr, true},
        {"type as a number", tipoNumero, "610", "1.5", true},
        {"any type", sinTipo, "609", "A", true},
        {"week 0", semana0, "610", "1.5", true},
        {"week 1", semana1, "610", nullptr, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const std::optional<dao::Variant> v = almacen::ValorCasilla(*db_, c.clave, QString::fromLatin1(c.casilla));
        ASSERT_EQ(v.has_value(), c.valor != nullptr);
        if (v) {
            EXPECT_EQ(v->toText(), QString::fromLatin1(c.valor));
        }
        EXPECT_EQ(almacen::ExisteCabecera(*db_, c.clave), c.cabecera);
    }
    const auto envio = almacen::LeeCasillas(*db_, ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("002")),
                                            almacen::OrdenCasillas::Texto);
    ASSERT_EQ(envio.size(), 1u);
    EXPECT_EQ(envio[0].Valor, QStringLiteral("4.5"));
}

// Another program stores the same new declaration while this save waits for the write
// lock: it is refused, and the other's rows stay whole. A reopened declaration deleted
// elsewhere is not brought back.
TEST_F(Almacen, ASaveIsRefusedUnderTheLockWhenItsHeaderAppearedOrWentAway)
{
    OtroPrograma otro(archivo_);
    ASSERT_EQ(otro.Ejecuta("BEGIN IMMEDIATE;"
                           "INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado, cNumero) "
                           "VALUES (6, '20100070970', '201405', '0947', 0, 0, '111111');"
                           "INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
                           "VALUES (6, '20100070970', '201405', '0947', 0, '500', '7');"),
              SQLITE_OK);
    ASSERT_FALSE(almacen::ExisteCabecera(*db_, Clave()));
    std::thread confirma([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        otro.Ejecuta("COMMIT");
    });
    const ResultadoGrabacion r
        = almacen::GrabaDeclaracion(*db_, Declaracion(true, {{QStringLiteral("500"), QStringLiteral("1000")}}));
    confirma.join();
    EXPECT_EQ(r.Resultado, ResultadoGrabacion::Duplicada);
    EXPECT_EQ(db_->TransactionLevel(), 0);
    EXPECT_EQ(almacen::LeeCabecera(*db_, Clave())->Fields(QStringLiteral("cNumero")).Value().toText(),
              QStringLiteral("111111"));
    EXPECT_EQ(Casillas(Clave()), (std::map<QString, QString>{{QStringLiteral("500"), QStringLiteral("7")}}));

    ASSERT_EQ(otro.Ejecuta("DELETE FROM DET; DELETE FROM CAB;"), SQLITE_OK);
    EXPECT_EQ(almacen::GrabaDeclaracion(*db_, Declaracion(false, {{QStringLiteral("500"), QStringLiteral("1000")}}))
                  .Resultado,
              ResultadoGrabacion::Borrada);
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
    EXPECT_EQ(Cuenta(QStringLiteral("DET")), 0);
    EXPECT_EQ(db_->TransactionLevel(), 0);
}

// A write that fails at any of its steps leaves the declaration as it was stored.
TEST_F(Almacen, ASaveThatFailsHalfWayLeavesTheOldRows)
{
    const char* const fallas[] = {
        "CREATE TRIGGER falla BEFORE UPDATE ON CAB BEGIN SELECT RAISE(ABORT, 'no'); END",
        "CREATE TRIGGER falla BEFORE DELETE ON DET BEGIN SELECT RAISE(ABORT, 'no'); END",
        "CREATE TRIGGER falla BEFORE DELETE ON F0947_PTCEA BEGIN SELECT RAISE(ABORT, 'no'); END",
        "CREATE TRIGGER falla BEFORE INSERT ON DET WHEN NEW.CASILLA = '662' BEGIN SELECT RAISE(ABORT, 'no'); END",
    };
    Guarda(Clave(), QStringLiteral("111111"), {{QStringLiteral("500"), QStringLiteral("7")}}, {QStringLiteral("2012")});
    for (const char* falla : fallas) {
        SCOPED_TRACE(falla);
        Ejecuta(QString::fromLatin1(falla));
        EXPECT_THROW(almacen::GrabaDeclaracion(*db_, Declaracion(false,
                                                                 {{QStringLiteral("500"), QStringLiteral("1000")},
                                                                  {QStringLiteral("501"), QStringLiteral("1")},
                                                                  {QStringLiteral("662"), QString()}},
                                                                 true)),
                     dao::DaoError);
        Ejecuta(QStringLiteral("DROP TRIGGER falla"));
        EXPECT_EQ(db_->TransactionLevel(), 0);
        auto cab = almacen::LeeCabecera(*db_, Clave());
        EXPECT_EQ(cab->Fields(QStringLiteral("cNumero")).Value().toText(), QStringLiteral("111111"));
        EXPECT_EQ(cab->Fields(QStringLiteral("fec_pro")).Value().toText(), QStringLiteral("01/05/2014"));
        EXPECT_EQ(Casillas(Clave()), (std::map<QString, QString>{{QStringLiteral("500"), QStringLiteral("7")}}));
        EXPECT_EQ(almacen::CuentaPerdidas(*db_, Clave()), 1);
    }
}

TEST_F(Almacen, OneBoxRowIsKeyedByTheTrimmedKeyAndReplacedWhenWrittenAgain)
{
    almacen::GrabaCasilla(*db_, Clave(kRuc + QStringLiteral("  "), kPeriodo + QStringLiteral(" ")), QStringLiteral("500"),
                          QStringLiteral("10"));
    almacen::GrabaCasilla(*db_, Clave(QStringLiteral(" ") + kRuc), QStringLiteral("500"), QStringLiteral("20"));
    almacen::GrabaCasilla(*db_, Clave(), QStringLiteral("501"), QStringLiteral("30"));
    EXPECT_EQ(Casillas(Clave()), (std::map<QString, QString>{{QStringLiteral("500"), QStringLiteral("20")},
                                                            {QStringLiteral("501"), QStringLiteral("30")}}));
    ControlesCorrectos(QStringLiteral("DET"), Clave(), 6);
}

// Deleting takes every row of the one key, or none when a statement fails.
TEST_F(Almacen, DeletingADeclarationOrASendingTakesItsRowsOnly)
{
    const ClaveDeclaracion envio1 = ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("001"));
    const ClaveDeclaracion envio2 = ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("002"));
    const ClaveDeclaracion otra = Clave(kRuc, QStringLiteral("201408"));
    const std::map<QString, QString> casillas{{QStringLiteral("500"), QStringLiteral("7")}};
    for (const ClaveDeclaracion& c : {Clave(), otra, envio1, envio2})
        Guarda(c, QStringLiteral("1"), casillas, {QStringLiteral("2012")});
    auto filas = [&](const ClaveDeclaracion& c) {
        int n = 0;
        for (const char* t : {"CAB", "DET", "ACTA", "F0947_PTCEA"})
            n += almacen::LeeFilas(*db_, QString::fromLatin1(t), c)->RecordCount();
        return n;
    };

    Ejecuta(QStringLiteral("CREATE TRIGGER falla BEFORE DELETE ON CAB BEGIN SELECT RAISE(ABORT, 'no'); END"));
    EXPECT_THROW(almacen::BorraDeclaracion(*db_, Clave()), dao::DaoError);
    Ejecuta(QStringLiteral("DROP TRIGGER falla"));
    Ejecuta(QStringLiteral("CREATE TRIGGER falla BEFORE DELETE ON HF0947_PTCEA BEGIN SELECT RAISE(ABORT, 'no'); END"));
    EXPECT_THROW(almacen::BorraEnvio(*db_, envio1), dao::DaoError);
    Ejecuta(QStringLiteral("DROP TRIGGER falla"));
    EXPECT_EQ(db_->TransactionLevel(), 0);
    for (const ClaveDeclaracion& c : {Clave(), otra, envio1, envio2})
        EXPECT_EQ(filas(c), 4);

    almacen::BorraDeclaracion(*db_, Clave());
    almacen::BorraEnvio(*db_, envio1);
    EXPECT_EQ(filas(Clave()), 0);
    EXPECT_EQ(filas(envio1), 0);
    EXPECT_EQ(filas(otra), 4);
    EXPECT_EQ(filas(envio2), 4);
}

TEST_F(Almacen, TheOrderNumberGoesToItsSendingOnly)
{
    const ClaveDeclaracion envio1 = ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("001"));
    const ClaveDeclaracion envio2 = ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("002"));
    Guarda(envio1, QStringLiteral("1"), {});
    Guarda(envio2, QStringLiteral("1"), {});
    EXPECT_TRUE(almacen::RegistraNumeroOrden(*db_, envio2, QStringLiteral("12345678")));
    EXPECT_FALSE(almacen::RegistraNumeroOrden(
        *db_, ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("003")), QStringLiteral("87654321")));
    EXPECT_TRUE(almacen::LeeCabecera(*db_, envio1)->Fields(QStringLiteral("norden")).Value().isNull());
    EXPECT_EQ(almacen::LeeCabecera(*db_, envio2)->Fields(QStringLiteral("norden")).Value().toText(),
              QStringLiteral("12345678"));
    EXPECT_EQ(Cuenta(QStringLiteral("HCAB")), 2);
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT * FROM HCAB WHERE CORREL='002'"), dao::dbOpenDynaset);
    rs->Edit();
    EXPECT_EQ(rs->Fields(QStringLiteral("cNumero")).Value().toText(), zav::CalculaControl(*rs, 6));
}

// The shared tables hold the host's other forms under the same taxpayer and period, and
// other taxpayers' and periods' declarations: no read, save or delete of one declaration
// or of its sending sees or touches a row of theirs (unfinished headers, the same box
// codes and loss years included).
TEST_F(Almacen, NoOperationReachesTheRowsOfAnotherFormTaxpayerOrPeriod)
{
    const ClaveDeclaracion propia = Clave();
    const ClaveDeclaracion envio = ClaveDeclaracion::Envio(kRuc, kPeriodo, kFormulario, QStringLiteral("001"));
    // Each sorts before the declaration's key, so that a statement that takes the first
    // row it finds would take theirs.
    const ClaveDeclaracion vecinas[] = {
        ClaveDeclaracion::Guardada(kRuc, kPeriodo, QStringLiteral("0621")),
        Clave(QStringLiteral("20000000001")),
        Clave(kRuc, QStringLiteral("201308")),
    };
    const QString k500 = QStringLiteral("500");
    const QString k662 = QStringLiteral("662");
    const QString k999 = QStringLiteral("999");
    using Cajas = std::map<QString, QString>;
    const auto filasDe = [&](const ClaveDeclaracion& c) {
        int n = 0;
        for (const char* t : {"CAB", "DET", "ACTA", "F0947_PTCEA"})
            n += almacen::LeeFilas(*db_, QString::fromLatin1(t), c)->RecordCount();
        return n;
    };

    enum class Propia { Terminada, SinTerminar, Ninguna };
    struct Caso {
        const char* nombre;
        Propia propia;
        std::function<void()> opera;   // runs the operation and checks what it read or left of its own
    };
    const Caso casos[] = {
        {"reading", Propia::Terminada,
         [&] {
             EXPECT_EQ(Casillas(propia), (Cajas{{k500, QStringLiteral("7")}}));
             EXPECT_EQ(almacen::LeeCasillas(*db_, propia, almacen::OrdenCasillas::Numero).size(), 1u);
             EXPECT_FALSE(almacen::ValorCasilla(*db_, propia, k999).has_value());
             EXPECT_EQ(almacen::FilasCabecera(*db_, propia), 1);
             EXPECT_EQ(almacen::LeeCabecera(*db_, propia)->Fields(QStringLiteral("cNumero")).Value().toText(),
                       QStringLiteral("111111"));
             for (const char* t : {"CAB", "DET", "ACTA", "F0947_PTCEA"})
                 EXPECT_EQ(almacen::LeeFilas(*db_, QString::fromLatin1(t), propia)->RecordCount(), 1) << t;
             EXPECT_EQ(almacen::CuentaPerdidas(*db_, propia), 1);
             const almacen::FilasTabla perdidas = almacen::LeePerdidas(*db_, propia);
             ASSERT_EQ(perdidas.Filas.size(), 1u);
             EXPECT_EQ(perdidas.Filas[0].at(almacen::kPerdidaAnho).toText(), QStringLiteral("2012"));
             EXPECT_EQ(Casillas(envio), (Cajas{{k500, QStringLiteral("8")}}));
             EXPECT_EQ(almacen::FilasCabecera(*db_, envio), 1);
             EXPECT_EQ(almacen::CuentaPerdidas(*db_, envio), 1);
         }},
        {"reading a key with no stored rows", Propia::Ninguna,
         [&] {
             EXPECT_FALSE(almacen::ExisteCabecera(*db_, propia));
             EXPECT_TRUE(Casillas(propia).empty());
             EXPECT_EQ(almacen::CuentaPerdidas(*db_, propia), 0);
             EXPECT_TRUE(almacen::LeePerdidas(*db_, propia).Filas.empty());
         }},
        {"saving a new declaration", Propia::Ninguna,
         [&] {
             const ResultadoGrabacion r
                 = almacen::GrabaDeclaracion(*db_, Declaracion(true, {{k500, QStringLiteral("1000")}, {k662, QString()}}));
             EXPECT_EQ(r.Resultado, ResultadoGrabacion::Grabada);
             EXPECT_EQ(r.NumPerdidas, 0);
             EXPECT_EQ(Casillas(propia), (Cajas{{k500, QStringLiteral("1000")}, {k662, QStringLiteral("0")}}));
             EXPECT_EQ(almacen::FilasCabecera(*db_, propia), 1);
         }},
        {"saving again, the losses kept", Propia::Terminada,
         [&] {
             const ResultadoGrabacion r = almacen::GrabaDeclaracion(*db_, Declaracion(false, {{k662, QString()}}));
             EXPECT_EQ(r.Resultado, ResultadoGrabacion::Grabada);
             EXPECT_EQ(r.NumPerdidas, 1);
             EXPECT_EQ(Casillas(propia), (Cajas{{k662, QStringLiteral("1")}}));
             EXPECT_EQ(almacen::LeeCabecera(*db_, propia)->Fields(QStringLiteral("estado")).Value().toInt64(), 9);
         }},
        {"saving again, the losses gone", Propia::Terminada,
         [&] {
             const ResultadoGrabacion r = almacen::GrabaDeclaracion(
                 *db_, Declaracion(false, {{QStringLiteral("501"), QStringLiteral("5")}, {k662, QString()}}, true));
             EXPECT_EQ(r.Resultado, ResultadoGrabacion::Grabada);
             EXPECT_EQ(r.NumPerdidas, 0);
             EXPECT_EQ(Casillas(propia), (Cajas{{QStringLiteral("501"), QStringLiteral("5")}, {k662, QStringLiteral("0")}}));
             EXPECT_EQ(almacen::CuentaPerdidas(*db_, propia), 0);
         }},
        {"one box row", Propia::Terminada,
         [&] {
             almacen::GrabaCasilla(*db_, propia, k500, QStringLiteral("6"));
             almacen::GrabaCasilla(*db_, propia, k999, QStringLiteral("5"));
             EXPECT_EQ(Casillas(propia), (Cajas{{k500, QStringLiteral("6")}, {k999, QStringLiteral("5")}}));
         }},
        {"deleting the declaration", Propia::Terminada,
         [&] {
             almacen::BorraDeclaracion(*db_, propia);
             EXPECT_EQ(filasDe(propia), 0);
             EXPECT_EQ(filasDe(envio), 4);
         }},
        {"deleting the sending", Propia::Terminada,
         [&] {
             almacen::BorraEnvio(*db_, envio);
             EXPECT_EQ(filasDe(envio), 0);
             EXPECT_EQ(filasDe(propia), 4);
         }},
        {"leaving an unfinished declaration", Propia::SinTerminar,
         [&] {
             almacen::Abandona(*db_, propia);
             EXPECT_FALSE(almacen::ExisteCabecera(*db_, propia));
             EXPECT_TRUE(Casillas(propia).empty());
             EXPECT_EQ(filasDe(envio), 4);
         }},
        {"leaving a finished declaration", Propia::Terminada,
         [&] {
             almacen::Abandona(*db_, propia);
             EXPECT_EQ(filasDe(propia), 4);
         }},
        {"leaving a key with no stored rows", Propia::Ninguna,
         [&] {
             almacen::Abandona(*db_, propia);
             EXPECT_EQ(filasDe(envio), 4);
         }},
        {"the order number", Propia::Terminada,
         [&] {
             EXPECT_TRUE(almacen::RegistraNumeroOrden(*db_, envio, QStringLiteral("12345678")));
             EXPECT_EQ(almacen::LeeCabecera(*db_, envio)->Fields(QStringLiteral("norden")).Value().toText(),
                       QStringLiteral("12345678"));
         }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        dao::Transaccion planta(*db_);
        for (const char* t : {"CAB", "DET", "ACTA", "F0947_PTCEA", "HCAB", "HDET", "HACTA", "HF0947_PTCEA"})
            Ejecuta(QStringLiteral("DELETE FROM ") + QString::fromLatin1(t));
        // The neighbours: unfinished headers, the declaration's box code and loss year
        // and one of their own, and a sending under the same CORREL.
        for (const ClaveDeclaracion& v : vecinas) {
            const Cajas cajas{{k500, QStringLiteral("99")}, {k999, QStringLiteral("99")}};
            const QStringList anhos{QStringLiteral("2010"), QStringLiteral("2012")};
            Guarda(v, QStringLiteral("0"), cajas, anhos);
            Guarda(ClaveDeclaracion::Envio(v.Documento, v.Periodo, v.Formulario, *envio.Correl), QStringLiteral("0"), cajas,
                   anhos);
        }
        if (c.propia != Propia::Ninguna)
            Guarda(propia, c.propia == Propia::SinTerminar ? QStringLiteral("0") : QStringLiteral("111111"),
                   {{k500, QStringLiteral("7")}}, {QStringLiteral("2012")});
        Guarda(envio, QStringLiteral("1"), {{k500, QStringLiteral("8")}}, {QStringLiteral("2011")});
        planta.Confirma();
        const QStringList fuera = FilasFuera(propia);
        ASSERT_EQ(fuera.size(), 3 * 2 * 6);

        c.opera();
        EXPECT_EQ(db_->TransactionLevel(), 0);
        EXPECT_EQ(FilasFuera(propia), fuera);
    }
}

} // namespace
