// Opening the stored-declarations list (Modificar: the window built, its rows read, shown
// and painted) and reading it again (back from the declaration window), with 1,000 and
// with 10,000 stored declarations of 2,000 taxpayers, timed against the floor of running
// the same query on the same file and keeping every cell's bytes, as a set read at once
// must.
//
// The list reads a row's texts only when the grid shows it, so beyond the query its cost
// does not grow with the number of rows; the join reaches each taxpayer through the key
// of CONT and the header rows come in document order from the key of CAB.
//
// Prints each size's medians and, as its last line, "ratio R" (opening over floor) for
// 10,000 declarations.
#include "Medida.h"
#include "EspacioDemo.h"
#include "platform/db/Database.h"
#include "platform/ui/MsgBox.h"
#include "shell/FrmContAbrir.h"
#include "shell/modulo/AppState.h"

#include <sqlite3.h>

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
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

sqlite3* Abre()
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(App().gRutaBD.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(App().gRutaBD));
        std::exit(1);
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// 2,000 taxpayers of the user; declarations from `desde` up to `hasta` spread over them,
// five periods each.
void Taxpayers(sqlite3* db)
{
    Exec(db, "BEGIN");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, Tipo_Ingreso, NOMBRE, USUARIO) VALUES (6, ?1, 1, ?2, 'ADMIN')",
                       -1, &st, nullptr);
    for (int i = 0; i < 2000; ++i) {
        const QByteArray doc = QByteArray("205") + QByteArray::number(10000000 + i);
        const QByteArray nombre = QByteArray("EMPRESA NUMERO ") + QByteArray::number(i) + " S.A.C.";
        sqlite3_bind_text(st, 1, doc.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, nombre.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    Exec(db, "COMMIT");
}

void Declaraciones(sqlite3* db, int desde, int hasta)
{
    static const char* const periodos[] = {"201201", "201206", "201305", "201308", "201405"};
    Exec(db, "BEGIN");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, fec_pro, estado, rectifica, "
                       "cNumero) VALUES (6, ?1, ?2, '0947', 0, '15/09/2014', ?3, '0', '123456')",
                       -1, &st, nullptr);
    for (int k = desde; k < hasta; ++k) {
        const QByteArray doc = QByteArray("205") + QByteArray::number(10000000 + k % 2000);
        sqlite3_bind_text(st, 1, doc.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, periodos[k / 2000], -1, SQLITE_STATIC);
        sqlite3_bind_int(st, 3, k % 7 == 0 ? 9 : 0);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    Exec(db, "COMMIT");
}

// The floor: the list's own query, every cell's bytes kept in one buffer with its end.
// The buffers keep their room from one run to the next, so the floor pays no allocation
// and does not depend on what the allocator has left free.
double Piso(sqlite3* db, const QString& sql, int& filas)
{
    static std::vector<char> bytes;
    static std::vector<int> fines;
    const auto a = Reloj::now();
    bytes.clear();
    fines.clear();
    sqlite3_stmt* st = nullptr;
    const QByteArray texto = sql.toUtf8();
    sqlite3_prepare_v2(db, texto.constData(), -1, &st, nullptr);
    sqlite3_bind_text(st, 1, "0947", -1, SQLITE_STATIC);
    filas = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < 5; ++c) {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            bytes.insert(bytes.end(), p, p + sqlite3_column_bytes(st, c));
            fines.push_back(static_cast<int>(bytes.size()));
        }
        ++filas;
    }
    sqlite3_finalize(st);
    return Ms(a, Reloj::now());
}

// For comparison only: the steps of the query with no text taken out of its rows.
double SoloConsulta(sqlite3* db, const QString& sql)
{
    const auto a = Reloj::now();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    sqlite3_bind_text(st, 1, "0947", -1, SQLITE_STATIC);
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    return Ms(a, Reloj::now());
}

struct Medida {
    int filas = 0;
    double apertura = 0;
    double lista = 0;
    double piso = 0;
    double consulta = 0;
};

// The window as Modificar opens it: built, loaded when first shown, painted; then closed.
double AbreLista(const char* parte = nullptr)
{
    if (parte)
        EmpiezaCuenta();
    const auto a = Reloj::now();
    FrmContAbrir lista;
    lista.Modo = 1;
    lista.show();
    QApplication::processEvents();
    const double ms = Ms(a, Reloj::now());
    if (parte)
        TerminaCuenta(parte);
    if (lista.Modelo()->rowCount() == 0) {
        std::fprintf(stderr, "the list opened empty\n");
        std::exit(1);
    }
    lista.hide();
    return ms;
}

double ReleeLista(FrmContAbrir& lista, const char* parte)
{
    EmpiezaCuenta();
    const auto a = Reloj::now();
    lista.pCargadatos();
    lista.grdContrib->viewport()->repaint();
    const double ms = Ms(a, Reloj::now());
    TerminaCuenta(parte);
    return ms;
}

Medida Mide(FrmContAbrir& lista, sqlite3* db, int repeticiones, const char* tamano)
{
    const QByteArray abre = QByteArray("open ") + tamano;
    const QByteArray relee = QByteArray("read again ") + tamano;
    const QByteArray piso = QByteArray("floor ") + tamano;
    Medida m;
    std::vector<double> ta, tl, tp, tc;
    AbreLista();   // warm-up
    for (int i = 0; i < repeticiones; ++i) {
        ta.push_back(AbreLista(abre.constData()));
        tl.push_back(ReleeLista(lista, relee.constData()));
        EmpiezaCuenta();
        tp.push_back(Piso(db, App().gSQL, m.filas));
        TerminaCuenta(piso.constData());
        tc.push_back(SoloConsulta(db, App().gSQL));
        QApplication::processEvents();   // what the closed windows left, outside the timings
    }
    m.apertura = Mediana(ta);
    m.lista = Mediana(tl);
    m.piso = Mediana(tp);
    m.consulta = Mediana(tc);
    if (lista.Modelo()->rowCount() != m.filas) {
        std::fprintf(stderr, "the list shows %d rows, the query gives %d\n", lista.Modelo()->rowCount(), m.filas);
        std::exit(1);
    }
    return m;
}

} // namespace

int main(int argc, char** argv)
{
    PlataformaSinPantalla();
    QApplication app(argc, argv);
    const int repeticiones = Repeticiones(argc, argv, 30);
    zav::MsgBoxRecorder mensajes;   // no message box may wait for an answer
    QTemporaryDir tmp;
    if (!PreparaEspacioDemo(tmp))
        return 1;
    App().gUsuario = QStringLiteral("ADMIN");

    sqlite3* db = Abre();
    Taxpayers(db);
    Declaraciones(db, 0, 1000);

    FrmContAbrir lista;
    lista.Modo = 1;
    lista.show();
    QApplication::processEvents();

    const Medida mil = Mide(lista, db, repeticiones, "1000");
    Declaraciones(db, 1000, 10000);
    const Medida diezmil = Mide(lista, db, repeticiones, "10000");
    if (mensajes.Count() > 0) {
        std::fprintf(stderr, "message: %s\n", qPrintable(mensajes.Last().text));
        return 1;
    }

    // How the engine runs the list's query.
    sqlite3_stmt* plan = nullptr;
    sqlite3_prepare_v2(db, (QStringLiteral("EXPLAIN QUERY PLAN ") + App().gSQL).toUtf8().constData(), -1, &plan, nullptr);
    while (sqlite3_step(plan) == SQLITE_ROW)
        std::printf("plan: %s\n", reinterpret_cast<const char*>(sqlite3_column_text(plan, 3)));
    sqlite3_finalize(plan);
    sqlite3_close(db);

    for (const Medida& m : {mil, diezmil})
        std::printf("rows %d: open median %.3f ms, read again median %.3f ms, floor median %.3f ms (query steps "
                    "alone %.3f ms), open beyond floor %.3f ms, ratio %.2f (read again %.2f)\n",
                    m.filas, m.apertura, m.lista, m.piso, m.consulta, m.apertura - m.piso, m.apertura / m.piso,
                    m.lista / m.piso);
    std::printf("ratio %.2f\n", diezmil.apertura / diezmil.piso);
    lista.hide();
    App().gBaseDatos.reset();
    return 0;
}
