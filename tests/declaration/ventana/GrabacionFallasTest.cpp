// Saving while the database fails or another program writes: the user's work is never
// lost and never reported wrongly.
#include "GrabacionFixture.h"
#include "PerdidasFixture.h"

#include "common/Runtime.h"
#include "platform/ui/Hourglass.h"
#include "shell/modulo/Procedimientos.h"

#include <QSignalSpy>
#include <QTest>

#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace {

using GrabacionFallas = GrabacionFixture;

const QString kDuplicada = QStringLiteral("La declaración que desea registrar ya existe  al 30 de Abril . \nElija la "
                                          "opción modificar declaración o elija otro contribuyente.");

int CuentaDet()
{
    auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT count(*) FROM DET"), dao::dbOpenSnapshot);
    return static_cast<int>(rs->Fields(0).Value().toInt64());
}

TEST_F(GrabacionFallas, ADatabaseHeldByAnotherProgramStopsTheSaveNotTheProgram)
{
    Frm947& f = Completa();
    ASSERT_FALSE(zav::Trim(f.mModelo.Texto(208)).isEmpty());
    f.CmdGrabar_Click();
    ASSERT_TRUE(Filas().count(QStringLiteral("503")));
    // A second save from the same window: the key test is skipped, and the first
    // read is the length rule of box 208's taxpayer number.
    Casilla(f, 503, QStringLiteral("300"));
    f.TxtTelefono->SetText(QStringLiteral("123"));
    msgs_->Clear();
    const QString base = App().gBaseDatos->Name();
    {
        auto otro = dao::Database::Open(base, true);
        EXPECT_NO_THROW(f.CmdGrabar_Click());
    }
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("La declaración no fue grabada. Error (3051): ")
                                      + dao::DaoError(3051, base).Description);
    EXPECT_EQ(end_->Count(), 0);
    // The window and what was typed are as they were.
    EXPECT_TRUE(f.mModificado);
    EXPECT_EQ(f.TxtValor.at(503)->Text(), QStringLiteral("300"));
    EXPECT_EQ(f.TxtTelefono->Text(), QStringLiteral("123"));
    EXPECT_EQ(zav::Trim(f.mModelo.Texto(208)), QStringLiteral("20000000001"));
    EXPECT_FALSE(zav::IsHourglass());
    EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);
    EXPECT_EQ(Filas().at(QStringLiteral("503")).valor, QStringLiteral("250"));

    // The other program is gone: the same window saves.
    msgs_->Clear();
    f.CmdGrabar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_NE(msgs_->Last().style, 16);
    EXPECT_EQ(Filas().at(QStringLiteral("503")).valor, QStringLiteral("300"));
    EXPECT_EQ(Filas().at(QStringLiteral("028")).valor, QStringLiteral("123"));
    EXPECT_FALSE(f.mModificado);
}

TEST_F(GrabacionFallas, ACommittedSaveIsReportedAsStoredWhenItsTextCannotBeRead)
{
    struct Caso {
        const char* nombre;
        const char* rompe;
    };
    const Caso casos[] = {
        {"no ERROR table", "DROP TABLE ERROR"},
        {"ERROR without its columns", "ALTER TABLE ERROR RENAME COLUMN DescError TO Otro"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Frm947& f = Completa();
        Ejecutar(QString::fromLatin1(c.rompe));
        EXPECT_NO_THROW(f.CmdGrabar_Click());
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, QStringLiteral("La información de la declaración fue grabada satisfactoriamente."));
        EXPECT_EQ(msgs_->Last().style, 64);
        EXPECT_EQ(end_->Count(), 0);
        EXPECT_FALSE(f.mModificado);
        EXPECT_FALSE(f.OptInicio->Enabled(0));
        EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 1);
        SetUp();   // a fresh workspace for the next case
    }
}

TEST_F(GrabacionFallas, OfTwoProgramsSavingTheSameNewDeclarationTheSecondIsRefused)
{
    Frm947& f = Completa();
    const QByteArray base = QFile::encodeName(App().gBaseDatos->Name());
    // The other program has written the same new declaration and commits while this
    // one, past its first test for the key, waits for the write lock.
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open_v2(base.constData(), &otro, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(otro, 5000);
    ASSERT_EQ(sqlite3_exec(otro,
                           "BEGIN IMMEDIATE;"
                           "INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado, cNumero) "
                           "VALUES (6, '20100070970', '201405', '0947', 0, 0, '111111');"
                           "INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor, "
                           "idcasilla, cNumero) VALUES (6, '20100070970', '201405', '0947', 0, '500', '7', '01', "
                           "'222222');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    int commit = -1;
    std::thread otroPrograma([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        commit = sqlite3_exec(otro, "COMMIT", nullptr, nullptr, nullptr);
    });
    EXPECT_NO_THROW(f.CmdGrabar_Click());
    otroPrograma.join();
    sqlite3_close_v2(otro);
    ASSERT_EQ(commit, SQLITE_OK);

    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, kDuplicada);
    EXPECT_EQ(msgs_->Last().style, 16);
    // The first program's declaration is whole.
    auto cab = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT cNumero FROM CAB"), dao::dbOpenSnapshot);
    ASSERT_EQ(cab->RecordCount(), 1);
    EXPECT_EQ(cab->Fields(0).Value().toText(), QStringLiteral("111111"));
    EXPECT_EQ(CuentaDet(), 1);
    EXPECT_EQ(Filas().at(QStringLiteral("500")).valor, QStringLiteral("7"));
    // This window keeps its entries and stays a new declaration.
    EXPECT_TRUE(f.mModificado);
    EXPECT_TRUE(f.OptInicio->Enabled(0));
    EXPECT_EQ(f.TxtValor.at(500)->Text(), QStringLiteral("1,000"));
    EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);
    EXPECT_FALSE(zav::IsHourglass());
}

TEST_F(GrabacionFallas, ATaxpayerChosenWhileTheDatabaseIsHeldCanBeChosenAgain)
{
    Frm947& f = Completa();
    const QString otroRuc = QStringLiteral("15102030408");
    const QString base = App().gBaseDatos->Name();
    {
        auto otro = dao::Database::Open(base, true);
        EXPECT_NO_THROW(Elegir(f, otroRuc));
    }
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, dao::DaoError(3051, base).Description + QStringLiteral("\n 3051"));
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(end_->Count(), 0);
    EXPECT_EQ(f.NumDocumento, QString());
    // Saving now would store the rows under no taxpayer: it asks for one.
    msgs_->Clear();
    f.CmdGrabar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe seleccionar un Contribuyente."));
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);

    f.CmbRuc->SetListIndex(-1);
    Elegir(f, otroRuc);
    EXPECT_EQ(f.NumDocumento, otroRuc);
    msgs_->Clear();
    f.CmdGrabar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_NE(msgs_->Last().style, 16) << msgs_->Last().text.toStdString();
    EXPECT_EQ(Filas(QStringLiteral("201405"), otroRuc).at(QStringLiteral("002")).valor, otroRuc);
}

// The answers of a regime left for another are not stored, and a save that succeeds
// clears them from the window; one that fails on the way leaves them as they were typed.
TEST_F(GrabacionFallas, ASaveThatFailsKeepsTheAnswersOfTheRegimeLeft)
{
    Frm947& f = Completa(2);
    f.OptUbicAmazonia->SetValue(0, true);
    f.OptLeyAmazonia->SetValue(0, true);
    msgs_->PushAnswer(zav::vbYes);   // the change of regime is confirmed
    f.optRenta->SetValue(0, true);
    msgs_->Clear();
    Ejecutar(QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON DET WHEN NEW.CASILLA = '818' BEGIN "
                            "SELECT RAISE(ABORT, 'disco lleno'); END"));
    EXPECT_NO_THROW(f.CmdGrabar_Click());
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("La declaración no fue grabada. Error (")))
        << msgs_->Last().text.toStdString();
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
    EXPECT_TRUE(f.mModificado);
    EXPECT_TRUE(f.OptUbicAmazonia->Value(0));
    EXPECT_TRUE(f.OptLeyAmazonia->Value(0));

    Ejecutar(QStringLiteral("DROP TRIGGER falla"));
    msgs_->Clear();
    f.CmdGrabar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_NE(msgs_->Last().style, 16) << msgs_->Last().text.toStdString();
    EXPECT_EQ(f.OptUbicAmazonia->Chosen(), -1);
    EXPECT_EQ(f.OptLeyAmazonia->Chosen(), -1);
    EXPECT_FALSE(Filas().count(QStringLiteral("809")));
}

using DeclaracionBorrada = PerdidasFixture;

// Another program deletes the reopened declaration; saving it here must neither bring it
// back without its loss rows nor say it was saved. The window keeps what was typed.
TEST_F(DeclaracionBorrada, ItsSaveIsRefusedAndTheWindowKeepsWhatWasTyped)
{
    GuardadaConPerdidas();
    const QString kBorrada = QStringLiteral("La declaración ya no existe: otro usuario la eliminó. No fue grabada.");
    bool vista = false;
    Reabre(QString::fromLatin1(kRuc), QString::fromLatin1(kPeriodo), [&](Frm947& g) {
        vista = true;
        g.TxtTelefono->SetText(QStringLiteral("4999999"));
        Teclea(g, 500, QStringLiteral("2000"));
        const auto antes = Estado(g);
        sqlite3* otro = nullptr;
        ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(App().gBaseDatos->Name()).constData(), &otro, SQLITE_OPEN_READWRITE,
                                  nullptr),
                  SQLITE_OK);
        const int borrado = sqlite3_exec(otro,
                                         "BEGIN IMMEDIATE; DELETE FROM F0947_PTCEA; DELETE FROM ACTA; DELETE FROM DET; "
                                         "DELETE FROM CAB; COMMIT;",
                                         nullptr, nullptr, nullptr);
        sqlite3_close_v2(otro);
        ASSERT_EQ(borrado, SQLITE_OK);

        for (const char* como : {"Grabar", "Salir, Yes"}) {
            SCOPED_TRACE(como);
            QSignalSpy cerrada(&g, &QDialog::finished);
            msgs_->Clear();
            if (como[0] == 'G') {
                EXPECT_NO_THROW(QTest::mouseClick(g.CmdGrabar, Qt::LeftButton));
            } else {
                msgs_->PushAnswer(zav::vbYes);
                g.cmdCancelar->click();
            }
            ASSERT_FALSE(msgs_->Entries().empty());
            EXPECT_EQ(msgs_->Last().text, kBorrada);
            EXPECT_EQ(msgs_->Last().style, 16);
            EXPECT_EQ(cerrada.count(), 0);
            EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
            EXPECT_EQ(Cuenta(QStringLiteral("DET")), 0);
            EXPECT_TRUE(Filas().empty());
            EXPECT_EQ(Estado(g), antes);
            EXPECT_TRUE(g.mModificado);
            EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);
            EXPECT_FALSE(zav::IsHourglass());
        }
        // Leaving without saving brings no row back either.
        msgs_->Clear();
        msgs_->PushAnswer(zav::vbNo);
        g.cmdCancelar->click();
    });
    EXPECT_TRUE(vista);
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
    EXPECT_EQ(Cuenta(QStringLiteral("DET")), 0);
    EXPECT_TRUE(Filas().empty());
}

} // namespace
