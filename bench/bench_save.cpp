// Saving one full declaration through the declaration window (its header, the replacing
// of its rows, every box and fixed code), timed against the floor of deleting the old rows
// and inserting the same rows into a table of the same shape with one prepared statement,
// in one transaction, on the same database file. The file is in memory (tmpfs) where the
// machine has one, so that the disk's flush, the same on both sides, does not decide it.
//
// Prints the two medians and, as its last line, "ratio R" (save over floor).
#include "Medida.h"
#include "DeclaracionLlena.h"
#include "EspacioDemo.h"
#include "platform/db/Database.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"

#include <sqlite3.h>

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void Exec(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, err ? err : "?");
        sqlite3_free(err);
        std::exit(1);
    }
}

int ContarFilas(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    PlataformaSinPantalla();
    QApplication app(argc, argv);
    const int repeticiones = Repeticiones(argc, argv, 200);
    zav::MsgBoxRecorder mensajes;   // no message box may wait for an answer
    QTemporaryDir tmp(PlantillaEnMemoria());
    if (!PreparaEspacioDemo(tmp))
        return 1;
    App().gUsuario = QStringLiteral("ADMIN");

    auto f = std::make_unique<Frm947>();
    f->Modo = 0;
    f->Frm947_Form_Load();
    Rellena(*f);

    // The first save creates the header; every later one replaces the same rows.
    f->CmdGrabar_Click();
    auto cuenta = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT count(*) FROM DET"), dao::dbOpenSnapshot);
    const int filas = static_cast<int>(cuenta->Fields(0).Value().toInt64());
    cuenta.reset();

    // The floor: the same rows, one prepared insert, one transaction, the same file.
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(App().gRutaBD.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(App().gRutaBD));
        return 1;
    }
    sqlite3_busy_timeout(db, 5000);
    Exec(db, "CREATE TABLE PISO AS SELECT * FROM DET WHERE 0");
    Exec(db, "CREATE UNIQUE INDEX PISO_PK ON PISO (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA)");
    std::vector<std::vector<QByteArray>> datos;
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor, idcasilla, "
                               "cNumero FROM DET", -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<QByteArray> fila;
            for (int c = 0; c < 9; ++c)
                fila.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            datos.push_back(std::move(fila));
        }
        sqlite3_finalize(st);
    }
    if (datos.empty())
        return 1;
    // The old rows go under the same key as the save's, inside its transaction.
    const QByteArray clave[3] = {datos.front()[1], datos.front()[2], datos.front()[3]};
    const auto pisoUnaVez = [&] {
        Exec(db, "BEGIN IMMEDIATE");
        sqlite3_stmt* borra = nullptr;
        sqlite3_prepare_v2(db, "DELETE FROM PISO WHERE DOC_ID_D=?1 AND TIP_DOC_D=6 AND PERIODO=?2 AND FORMULARIO=?3", -1,
                           &borra, nullptr);
        for (int c = 0; c < 3; ++c)
            sqlite3_bind_text(borra, c + 1, clave[c].constData(), static_cast<int>(clave[c].size()), SQLITE_STATIC);
        sqlite3_step(borra);
        sqlite3_finalize(borra);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO PISO VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)", -1, &st, nullptr);
        for (const auto& fila : datos) {
            sqlite3_bind_int(st, 1, fila[0].toInt());
            for (int c = 1; c < 9; ++c)
                if (c == 4)
                    sqlite3_bind_int(st, 5, fila[4].toInt());
                else
                    sqlite3_bind_text(st, c + 1, fila[c].constData(), static_cast<int>(fila[c].size()), SQLITE_STATIC);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        Exec(db, "COMMIT");
    };
    pisoUnaVez();   // fills the table: every later run replaces its rows

    // Interleaved, so both see the same state of the machine.
    std::vector<double> guardar;
    std::vector<double> piso;
    for (int i = 0; i < repeticiones; ++i) {
        f->mModificado = true;
        EmpiezaCuenta();
        auto a = Reloj::now();
        f->CmdGrabar_Click();
        guardar.push_back(Ms(a, Reloj::now()));
        TerminaCuenta("save");
        EmpiezaCuenta();
        a = Reloj::now();
        pisoUnaVez();
        piso.push_back(Ms(a, Reloj::now()));
        TerminaCuenta("floor");
    }
    const bool reemplazadas = ContarFilas(db, "SELECT count(*) FROM PISO") == filas &&
                              ContarFilas(db, "SELECT count(*) FROM DET") == filas;
    sqlite3_close(db);
    if (!reemplazadas) {
        std::fprintf(stderr, "a save did not replace its rows\n");
        return 1;
    }

    const double mg = Mediana(guardar);
    const double mp = Mediana(piso);
    std::printf("rows per save %d, repetitions %d\n", filas, repeticiones);
    std::printf("save median %.3f ms\n", mg);
    std::printf("floor median %.3f ms\n", mp);
    std::printf("ratio %.2f\n", mg / mp);
    f.reset();
    App().gBaseDatos.reset();
    return 0;
}
