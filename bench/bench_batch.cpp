// A whole run of 0947CNSINF on a stored declaration that passes its three rules (the
// report written and deleted again), against the floor of this program started the
// same way, linked like it, opening the same database and ending.
// Prints the two medians and, as its last line, "ratio R" (checker over floor).
#include "Medida.h"
#include "common/BaseCompartida.h"
#include "integrador/Workspace.h"
#include "platform/db/Database.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The floor: the start every batch program makes, the database opened, the end.
int Piso(int argc, char** argv)
{
    QApplication app(argc, argv);
    try {
        auto base = zav::AbreBaseCompartida(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        auto rs = base->OpenRecordset(QStringLiteral("SELECT count(*) FROM PARAM"), dao::dbOpenSnapshot);
        return rs->Eof() ? 1 : 0;
    } catch (const dao::DaoError&) {
        return 1;
    }
}

// Milliseconds of one run of the program, or a negative value when it failed.
double Corre(const QString& programa, const QStringList& argumentos)
{
    QProcess p;
    const auto t = Reloj::now();
    p.start(programa, argumentos);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    return std::chrono::duration<double, std::milli>(Reloj::now() - t).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--piso") == 0)
        return Piso(argc, argv);
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QCoreApplication app(argc, argv);
    const int repeticiones = Repeticiones(argc, argv, 40);

    QTemporaryDir tmp;
    if (!tmp.isValid())
        return 1;
    QDir().mkpath(tmp.filePath(QStringLiteral("windows")));
    QDir().mkpath(tmp.filePath(QStringLiteral("run")));
    QFile::setPermissions(tmp.filePath(QStringLiteral("run")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("WINDIR", QFile::encodeName(tmp.filePath(QStringLiteral("windows"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(tmp.filePath(QStringLiteral("run"))));
    const integrador::InitResult ws = integrador::InitWorkspace(tmp.filePath(QStringLiteral("host")), true);
    if (!ws.ok) {
        std::fprintf(stderr, "workspace: %s\n", qPrintable(ws.message));
        return 1;
    }

    // A declaration of May 2013 that holds: two tax losses and box 662 at 2, box 473 the
    // sum of 650 and 651, among a few hundred other boxes.
    const QString doc = QStringLiteral("20100070970");
    try {
        auto base = dao::Database::Open(ws.dbFile);
        base->BeginTrans();
        base->Execute(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
                                     "VALUES (6, ?1, '201305', '0947', 0, 1)"),
                      0, {dao::Variant(doc)});
        const auto casilla = [&](int n, const QString& v) {
            base->Execute(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, "
                                         "i_valor) VALUES (6, ?1, '201305', '0947', 0, ?2, ?3)"),
                          0, {dao::Variant(doc), dao::Variant(QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'))),
                              dao::Variant(v)});
        };
        for (int n = 100; n < 900; ++n)
            if (n != 473 && n != 650 && n != 651 && n != 662)
                casilla(n, QString::number(n * 37));
        casilla(473, QStringLiteral("1500"));
        casilla(650, QStringLiteral("1000"));
        casilla(651, QStringLiteral("500"));
        casilla(662, QStringLiteral("2"));
        for (const char* anho : {"2011", "2012"})
            base->Execute(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, "
                                         "Importe) VALUES (6, ?1, '201305', '0947', ?2, '1000')"),
                          0, {dao::Variant(doc), dao::Variant(QString::fromLatin1(anho))});
        base->CommitTrans();
    } catch (const dao::DaoError& e) {
        std::fprintf(stderr, "fixture: %s\n", qPrintable(e.Description));
        return 1;
    }

    const QString carpeta = QCoreApplication::applicationDirPath();
    const QString verificador = QDir(carpeta).filePath(QStringLiteral("0947CNSINF"));
    const QString piso = QCoreApplication::applicationFilePath();
    const QStringList lineaVerificador{QStringLiteral("06") + doc.leftJustified(15) +
                                       QStringLiteral("0947201305000000001")};
    const QStringList lineaPiso{QStringLiteral("--piso"), ws.dbFile, ws.sysPath};

    // Warm-up, and proof that both runs succeed.
    if (Corre(verificador, lineaVerificador) < 0 || Corre(piso, lineaPiso) < 0) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::vector<double> verifica, suelo;
    for (int i = 0; i < repeticiones; ++i) {
        const double v = Corre(verificador, lineaVerificador);
        const double s = Corre(piso, lineaPiso);
        if (v < 0 || s < 0) {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        verifica.push_back(v);
        suelo.push_back(s);
    }
    if (QFileInfo::exists(ws.sysPath + QStringLiteral("TMP/062010007097009472013050.ERR")))
        return 1;
    const double mv = Mediana(verifica);
    const double ms = Mediana(suelo);
    std::printf("repetitions %d\n", repeticiones);
    std::printf("0947CNSINF median %.3f ms\n", mv);
    std::printf("floor median %.3f ms\n", ms);
    std::printf("ratio %.2f\n", mv / ms);
    return 0;
}
