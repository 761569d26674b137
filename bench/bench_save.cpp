// Saving one full declaration through the declaration window (its header, the replacing
// of its rows, every box and fixed code), timed against the floor of inserting the same
// number of rows into a table of the same shape with one prepared statement in one
// transaction, on the same database file.
//
// Prints the two medians and, as its last line, "ratio R" (save over floor).
#include "Medida.h"
#include "declaration/Frm947.h"
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

// An Amazonía declaration with a July balance and a suspension: the regime with the most
// fixed codes; every box that the calculations leave open holds an amount.
void Rellena(Frm947& f)
{
    f.CmbRuc->SetListIndex(0);
    for (int i = 0; i < f.CmbRuc->ListCount(); ++i)
        if (f.CmbRuc->List(i).startsWith(QStringLiteral("20100070970")))
            f.CmbRuc->SetListIndex(i);
    f.TxtTelefono->SetText(QStringLiteral("4234567"));
    f.optRenta->SetValue(2, true);
    f.OptUbicAmazonia->SetValue(1, true);
    f.OptLeyAmazonia->SetValue(1, true);
    f.OptDomFiscal->SetValue(1, true);
    f.OptZona->SetValue(0, true);
    f.TxtUbigeo->SetText(QStringLiteral("160101"));
    f.OptInicio->SetValue(0, true);
    f.OptAnterior->SetValue(0, true);
    f.OptPrecedente->SetValue(0, true);
    f.CboBalance->SetListIndex(1);
    App().gPeriodo = QStringLiteral("201408");
    f.OptSuspPC->SetValue(1, true);
    f.txtNumRes->SetText(QStringLiteral("0123456789012"));
    f.mkefecnot->SetText(QStringLiteral("15/08/2014"));
    int k = 1;
    for (int n : f.mCasillas)
        if (f.mModelo.Texto(n).isEmpty())
            f.mModelo.PonTexto(n, QString::number(100 + k++));
    f.mModelo.PonTexto(208, QStringLiteral("20000000001"));
    f.mModelo.PonTexto(209, QStringLiteral("15"));
    f.mModelo.PonTexto(226, QStringLiteral("07654321"));
    f.TxtNombreA->SetText(QStringLiteral("PEREZ GOMEZ"));
    f.TxtNombreN->SetText(QStringLiteral("ANA MARIA"));
    f.txtApellidoRL->SetText(QStringLiteral("TORRES DIAZ"));
    f.txtNombreRL->SetText(QStringLiteral("LUIS ALBERTO"));
}

} // namespace

int main(int argc, char** argv)
{
    PlataformaSinPantalla();
    QApplication app(argc, argv);
    const int repeticiones = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
    zav::MsgBoxRecorder mensajes;   // no message box may wait for an answer
    QTemporaryDir tmp;
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

    std::vector<double> guardar;
    for (int i = 0; i < repeticiones; ++i) {
        f->mModificado = true;
        const auto a = Reloj::now();
        f->CmdGrabar_Click();
        guardar.push_back(Ms(a, Reloj::now()));
    }

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
    std::vector<double> piso;
    for (int i = 0; i < repeticiones; ++i) {
        Exec(db, "DELETE FROM PISO");
        const auto a = Reloj::now();
        Exec(db, "BEGIN IMMEDIATE");
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
        piso.push_back(Ms(a, Reloj::now()));
    }
    sqlite3_close(db);

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
