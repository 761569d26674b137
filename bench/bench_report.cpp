// Writing the five-page report of a full declaration (every box of the pages filled,
// ten tax losses read from the database) into its report file, against the floor of
// writing the same bytes to a file through one buffered stream.
// Prints the two medians and, as its last line, "ratio R" (report over floor).
#include "Medida.h"
#include "EspacioDemo.h"

#include "common/Paths.h"
#include "platform/db/Database.h"
#include "printing/EstadoImpresion.h"
#include "printing/ImpRep.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// Every box the pages print holds an amount, some negative; the identification boxes
// hold their answers.
void LlenaDeclaracion()
{
    EstadoImpresion& e = Impresion();
    for (int n = 100; n <= 899; ++n)
        e.gValores[static_cast<size_t>(n)] = QString::number((n % 7 == 0 ? -1 : 1) * (n * 104729LL % 900000007));
    const std::pair<int, const char*> fijas[] = {
        {28, "014211234"}, {56, "4"}, {605, "0"}, {606, "1"}, {607, "0"}, {608, "0"}, {609, "B"},
        {610, "0.0123"}, {813, "0"}, {815, "PEREZ GOMEZ"}, {816, "JUAN CARLOS"}, {817, "RAMOS TORRES"},
        {818, "ANA MARÍA"}, {209, "5"}, {225, "01"}, {226, "12345678"}};
    for (const auto& [n, v] : fijas) {
        e.gValores[static_cast<size_t>(n)] = QString::fromUtf8(v);
        if (QString* s = e.Especial(n))
            *s = QString::fromUtf8(v);
    }
    e.gTelefonoImp = e.gValores[28];
    e.gRazonSocialImp = QStringLiteral("COMERCIAL ANDINA SOCIEDAD ANÓNIMA CERRADA");
    e.gEnviadaImp = false;
    e.gTipoReporte = 2;
}

} // namespace

int main(int argc, char** argv)
{
    PlataformaSinPantalla();
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    if (!PreparaEspacioDemo(tmp))
        return 1;
    const int repeticiones = argc > 1 ? std::max(5, std::atoi(argv[1])) : 400;

    AppState& a = App();
    a.gRuc = QStringLiteral("20100066603");
    a.gPeriodo = QStringLiteral("201405");
    for (int anho = 2001; anho <= 2012; ++anho)
        a.gBaseDatos->Execute(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe)"
                                             " VALUES (6, ?, ?, '0947', ?, ?)"),
                              0, {dao::Variant(a.gRuc), dao::Variant(a.gPeriodo), dao::Variant(QString::number(anho)),
                                  dao::Variant(QString::number(anho * 1234))});
    LlenaDeclaracion();
    a.gArchivo = zav::JoinPath(a.gRutaRpt, QStringLiteral("00000001.PRN"));
    const QString piso = zav::JoinPath(a.gRutaRpt, QStringLiteral("00000002.PRN"));

    // Warm-up, and the bytes of the floor.
    ImprimeDeclaracion(a.gRuc);
    QByteArray bytes;
    {
        QFile f(a.gArchivo);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        bytes = f.readAll();
    }
    const QByteArray rutaPiso = QFile::encodeName(piso);

    std::vector<double> reporte;
    std::vector<double> suelo;
    for (int i = 0; i < repeticiones; ++i) {
        auto t = Reloj::now();
        ImprimeDeclaracion(a.gRuc);
        reporte.push_back(Ms(t, Reloj::now()));

        t = Reloj::now();
        std::FILE* f = std::fopen(rutaPiso.constData(), "wb");
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), f);
        std::fclose(f);
        suelo.push_back(Ms(t, Reloj::now()));
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
