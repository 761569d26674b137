// Writing the report of a full declaration as Imprimir writes it (its box values loaded
// from the database, its file registered in SPOOL, the five pages written with ten tax
// losses read from the database), against the floor of the same rows read by one query
// each, one row inserted in one transaction, and the same bytes written to a file through
// one buffered stream. The workspace is in memory (tmpfs) where the machine has one, so
// that the disk's flush of the registration does not decide the ratio.
// Prints the two medians and, as its last line, "ratio R" (report over floor).
#include "Medida.h"
#include "EspacioDemo.h"

#include "common/Paths.h"
#include "platform/db/Database.h"
#include "platform/ui/MsgBox.h"
#include "printing/EstadoImpresion.h"
#include "printing/ImpRep.h"

#include <sqlite3.h>

#include <QApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// Every box the pages print holds an amount, some negative; the identification boxes
// hold their answers.
void GuardaDeclaracion(dao::Database& db, const QString& ruc, const QString& periodo)
{
    std::vector<std::pair<int, QString>> casillas;
    for (int n = 100; n <= 899; ++n)
        casillas.emplace_back(n, QString::number((n % 7 == 0 ? -1 : 1) * (n * 104729LL % 900000007)));
    const std::pair<int, const char*> fijas[] = {
        {28, "014211234"}, {56, "4"}, {605, "0"}, {606, "1"}, {607, "0"}, {608, "0"}, {609, "B"},
        {610, "0.0123"}, {813, "0"}, {815, "PEREZ GOMEZ"}, {816, "JUAN CARLOS"}, {817, "RAMOS TORRES"},
        {818, "ANA MARÍA"}, {209, "5"}, {225, "01"}, {226, "12345678"}};
    for (const auto& [n, v] : fijas) {
        auto it = std::find_if(casillas.begin(), casillas.end(), [n = n](const auto& c) { return c.first == n; });
        if (it == casillas.end())
            casillas.emplace_back(n, QString::fromUtf8(v));
        else
            it->second = QString::fromUtf8(v);
    }
    db.BeginTrans();
    db.Execute(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                              "VALUES (6, ?, ?, '0947', 0, 0)"),
               0, {dao::Variant(ruc), dao::Variant(periodo)});
    for (const auto& [n, v] : casillas)
        db.Execute(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
                                  "VALUES (6, ?, ?, '0947', 0, ?, ?)"),
                   0, {dao::Variant(ruc), dao::Variant(periodo), dao::Variant(QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'))),
                       dao::Variant(v)});
    for (int anho = 2001; anho <= 2012; ++anho)
        db.Execute(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe)"
                                  " VALUES (6, ?, ?, '0947', ?, ?)"),
                   0, {dao::Variant(ruc), dao::Variant(periodo), dao::Variant(QString::number(anho)),
                       dao::Variant(QString::number(anho * 1234))});
    db.CommitTrans();
}

// What Imprimir sets from the chosen row before it writes the report.
QString Reporte(const QString& ruc, const QString& periodo)
{
    AppState& a = App();
    a.gRuc = ruc;
    a.gPeriodo = periodo;
    Impresion().gRazonSocialImp = QStringLiteral("COMERCIAL ANDINA SOCIEDAD ANÓNIMA CERRADA");
    Impresion().gEnviadaImp = false;
    return GeneraReporteDeclaracion();
}

void Exec(sqlite3* db, const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
        std::exit(1);
    }
}

// Steps a query of the declaration's key, keeping every cell's bytes.
void Lee(sqlite3* db, const char* sql, const QByteArray& ruc, const QByteArray& periodo, QByteArray& bytes)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    sqlite3_bind_text(st, 1, ruc.constData(), static_cast<int>(ruc.size()), SQLITE_STATIC);
    sqlite3_bind_text(st, 2, periodo.constData(), static_cast<int>(periodo.size()), SQLITE_STATIC);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            bytes.append(reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
    sqlite3_finalize(st);
}

void Piso(sqlite3* db, const QByteArray& ruc, const QByteArray& periodo, int n,
                            const QByteArray& ruta, const QByteArray& reporte)
{
    QByteArray leidos;
    Lee(db, "SELECT Casilla, i_valor FROM DET WHERE DOC_ID_D = ?1 AND TIP_DOC_D = 6 AND PERIODO = ?2 AND "
            "FORMULARIO = '0947' ORDER BY Casilla",
        ruc, periodo, leidos);
    Lee(db, "SELECT Anho, Importe FROM F0947_PTCEA WHERE DOC_ID_D = ?1 AND TIP_DOC_D = 6 AND PERIODO = ?2 AND "
            "FORMULARIO = '0947' ORDER BY Anho",
        ruc, periodo, leidos);
    Exec(db, "BEGIN IMMEDIATE");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO PISO (CodRep, Secuencia, Archivo, Fecha, Usuario, Tip_doc_d, DOC_ID_D) "
                           "VALUES ('RCP001', ?1, ?2, '2014-09-15 10:30:05', 'ADMIN', 6, ?3)",
                       -1, &st, nullptr);
    const QByteArray secuencia = QByteArray::number(n).rightJustified(6, '0');
    const QByteArray archivo = QByteArray::number(n).rightJustified(8, '0') + ".PRN";
    sqlite3_bind_text(st, 1, secuencia.constData(), static_cast<int>(secuencia.size()), SQLITE_STATIC);
    sqlite3_bind_text(st, 2, archivo.constData(), static_cast<int>(archivo.size()), SQLITE_STATIC);
    sqlite3_bind_text(st, 3, ruc.constData(), static_cast<int>(ruc.size()), SQLITE_STATIC);
    sqlite3_step(st);
    sqlite3_finalize(st);
    Exec(db, "COMMIT");
    std::FILE* f = std::fopen(ruta.constData(), "wb");
    std::fwrite(reporte.constData(), 1, static_cast<size_t>(reporte.size()), f);
    std::fclose(f);
}

} // namespace

int main(int argc, char** argv)
{
    PlataformaSinPantalla();
    QApplication app(argc, argv);
    zav::MsgBoxRecorder mensajes;   // no message box may wait for an answer
    QTemporaryDir tmp(PlantillaEnMemoria());
    if (!PreparaEspacioDemo(tmp))
        return 1;
    const int repeticiones = Repeticiones(argc, argv, 400);

    AppState& a = App();
    a.gUsuario = QStringLiteral("ADMIN");
    const QString ruc = QStringLiteral("20100066603");
    const QString periodo = QStringLiteral("201405");
    GuardaDeclaracion(*a.gBaseDatos, ruc, periodo);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(a.gRutaBD).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return 1;
    sqlite3_busy_timeout(db, 5000);
    Exec(db, "CREATE TABLE PISO AS SELECT * FROM SPOOL WHERE 0");
    Exec(db, "CREATE UNIQUE INDEX PISO_PK ON PISO (Archivo)");

    // Warm-up, and the bytes of the floor.
    if (Reporte(ruc, periodo).isEmpty())
        return 1;
    QByteArray bytes;
    {
        QFile f(a.gArchivo);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        bytes = f.readAll();
    }
    const QByteArray rutaPiso = QFile::encodeName(zav::JoinPath(a.gRutaRpt, QStringLiteral("PISO.PRN")));
    const QByteArray rucBytes = ruc.toUtf8();
    const QByteArray periodoBytes = periodo.toUtf8();

    // Interleaved, so both see the same state of the machine.
    std::vector<double> reporte;
    std::vector<double> suelo;
    for (int i = 0; i < repeticiones; ++i) {
        EmpiezaCuenta();
        auto t = Reloj::now();
        const bool escrito = !Reporte(ruc, periodo).isEmpty();
        reporte.push_back(Ms(t, Reloj::now()));
        TerminaCuenta("report");
        if (!escrito)
            break;

        EmpiezaCuenta();
        t = Reloj::now();
        Piso(db, rucBytes, periodoBytes, i + 1, rutaPiso, bytes);
        suelo.push_back(Ms(t, Reloj::now()));
        TerminaCuenta("floor");
    }
    sqlite3_close(db);
    QFile escrito(a.gArchivo);
    if (mensajes.Count() > 0 || suelo.size() != reporte.size() || !escrito.open(QIODevice::ReadOnly)
        || escrito.readAll() != bytes) {
        std::fprintf(stderr, "a report was not written as the first one%s%s\n", mensajes.Count() ? ": " : "",
                     mensajes.Count() ? qPrintable(mensajes.Last().text) : "");
        return 1;
    }

    const double mr = Mediana(reporte);
    const double ms = Mediana(suelo);
    std::printf("report bytes %lld, lines %lld, repetitions %d\n", static_cast<long long>(bytes.size()),
                static_cast<long long>(bytes.count('\n')), repeticiones);
    std::printf("report median %.3f ms\n", mr);
    std::printf("floor median %.3f ms\n", ms);
    std::printf("ratio %.2f\n", mr / ms);
    a.gBaseDatos.reset();
    return 0;
}
