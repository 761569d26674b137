// The record writers: one line per call, as the reader and the host expect them.
#include "common/Runtime.h"
#include "printing/report/ArchivoReporte.h"
#include "tests/support/LimiteArchivos.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>

namespace {

QString Razon(int numero) { return QString::fromLocal8Bit(std::strerror(numero)); }

struct CasoEscritura {
    const char* nombre;
    std::function<void(rpt::ArchivoReporte&)> escribe;
    QByteArray linea;
};

TEST(EscribeRegistros, CadaLlamadaEscribeSuLinea)
{
    const QString conAcento = QStringLiteral("RAZÓN SOCIAL");
    const CasoEscritura casos[] = {
        {"texto en negrita", [](auto& f) { f.EscribePos(300, 350, QStringLiteral("KOVEL"), true, 16, 0); },
         "pPos|300|350|KOVEL|True|16|0|\r\n"},
        {"texto normal, tamaño 0",
         [](auto& f) { f.EscribePos(1750, 1170, QStringLiteral("RUC"), false, 0, 4); },
         "pPos|1750|1170|RUC|False|0|4|\r\n"},
        {"texto vacío", [](auto& f) { f.EscribePos(8750, 2810, QString(), false, 0, 0); },
         "pPos|8750|2810||False|0|0|\r\n"},
        {"coordenadas negativas", [](auto& f) { f.EscribePos(-15, -32768, QStringLiteral("x"), false, 8, 1); },
         "pPos|-15|-32768|x|False|8|1|\r\n"},
        {"blancos conservados",
         [](auto& f) { f.EscribePos(9000, 2540, QStringLiteral("     Valor"), false, 0, 0); },
         "pPos|9000|2540|     Valor|False|0|0|\r\n"},
        {"Windows-1252", [&](auto& f) { f.EscribePos(1750, 1450, conAcento, false, 0, 0); },
         "pPos|1750|1450|RAZ\xd3N SOCIAL|False|0|0|\r\n"},
        {"fuera de Latin-1", [](auto& f) { f.EscribePos(1, 2, QStringLiteral("€ “x”"), false, 0, 0); },
         "pPos|1|2|\x80 \x93x\x94|False|0|0|\r\n"},
        {"salto de página", [](auto& f) { f.EscribeNuevaHoja(); }, "pNuevaHoja\r\n"},
        {"un texto que es la palabra del salto de página es un registro",
         [](auto& f) { f.EscribePos(0, 0, QStringLiteral("pNuevaHoja"), false, 8, 3); },
         "pPos|0|0|pNuevaHoja|False|8|3|\r\n"},
        {"un texto que empieza por <! es un registro, no una etiqueta",
         [](auto& f) { f.EscribePos(3500, 1450, QStringLiteral("<!raro!>S.A."), true, 0, 0); },
         "pPos|3500|1450|\x8b!raro!>S.A.|True|0|0|\r\n"},
        {"ni una de las nuestras dentro de un texto",
         [](auto& f) { f.EscribePos(1, 2, QStringLiteral("<!nHojas!>9<!/nHojas!>"), false, 0, 0); },
         "pPos|1|2|\x8b!nHojas!>9\x8b!/nHojas!>|False|0|0|\r\n"},
        {"una barra no parte el registro",
         [](auto& f) { f.EscribePos(3500, 1450, QStringLiteral("A|B"), false, 0, 0); },
         "pPos|3500|1450|A\xa6" "B|False|0|0|\r\n"},
        {"un salto de línea no parte el registro",
         [](auto& f) { f.EscribePos(3500, 1450, QStringLiteral("A\r\nB\nC"), false, 0, 0); },
         "pPos|3500|1450|A  B C|False|0|0|\r\n"},
        {"un salto de línea no parte la etiqueta",
         [](auto& f) { f.EscribeLinea(QStringLiteral("<!font!>A\nB<!/font!>")); }, "<!font!>A B<!/font!>\r\n"},
        {"rectángulo", [](auto& f) { f.EscribeCuadro(150, 300, 1700, 1640, 0); },
         "pCuadro|150|300|1700|1640|0|\r\n"},
        {"rectángulo negativo", [](auto& f) { f.EscribeCuadro(-1, -2, 32767, 0, 4); },
         "pCuadro|-1|-2|32767|0|4|\r\n"},
        {"etiqueta", [](auto& f) { f.EscribeLinea(QStringLiteral("<!nHojas!>5<!/nHojas!>")); },
         "<!nHojas!>5<!/nHojas!>\r\n"},
        {"EscribeLinea sin <! no escribe", [](auto& f) { f.EscribeLinea(QStringLiteral("pPos|1|")); }, ""},
    };
    for (const auto& c : casos) {
        rpt::ArchivoReporte f;
        f.AbreEnMemoria();
        c.escribe(f);
        EXPECT_EQ(f.Contenido(), c.linea) << c.nombre;
    }
}

TEST(EscribeRegistros, ArchivoNuevoOVaciado)
{
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("00000001.PRN"));
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(200000, 'x'));
    }
    rpt::ArchivoReporte f;
    f.Abre(ruta);
    f.EscribeLinea(QStringLiteral("<!font!>Courier New<!/font!>"));
    // Past the size of one block, so the file is written in more than one piece.
    for (int i = 0; i < 5000; ++i)
        f.EscribeCuadro(i, 0, 0, 0, 0);
    f.Cierra();
    QFile leido(ruta);
    ASSERT_TRUE(leido.open(QIODevice::ReadOnly));
    const QByteArray b = leido.readAll();
    EXPECT_TRUE(b.startsWith("<!font!>Courier New<!/font!>\r\npCuadro|0|0|0|0|0|\r\n"));
    EXPECT_TRUE(b.endsWith("pCuadro|4999|0|0|0|0|\r\n"));
    EXPECT_EQ(b.count("\r\n"), 5001);
    EXPECT_EQ(b.count('\n'), 5001);
}

TEST(EscribeRegistros, ErroresDelArchivo)
{
    QTemporaryDir dir;
    rpt::ArchivoReporte f;
    try {
        f.Abre(dir.filePath(QStringLiteral("no/existe/00000001.PRN")));
        ADD_FAILURE() << "opened a file in a missing folder";
    } catch (const zav::RuntimeError& e) {
        EXPECT_EQ(e.Number, 76);
        EXPECT_TRUE(e.Description().contains(Razon(ENOENT))) << e.Description().toStdString();
    }
    try {
        f.EscribePos(0, 0, QStringLiteral("x"), false, 0, 0);
        ADD_FAILURE() << "wrote to no file";
    } catch (const zav::RuntimeError& e) {
        EXPECT_EQ(e.Number, 52);
    }
    try {
        f.Abre(dir.path());   // a folder
        ADD_FAILURE() << "opened a folder";
    } catch (const zav::RuntimeError& e) {
        EXPECT_EQ(e.Number, 75);
        EXPECT_TRUE(e.Description().contains(Razon(EISDIR))) << e.Description().toStdString();
    }
    // Only a file is replaced: a device is never written over.
    try {
        f.Abre(QStringLiteral("/dev/null"));
        ADD_FAILURE() << "opened a device";
    } catch (const zav::RuntimeError& e) {
        EXPECT_EQ(e.Number, 75);
    }
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/null")).isFile());
}

// A disk that fills up while the report is written: the error reaches the caller, and the
// file of that name is the one that was there before (or none), never a cut one.
TEST(EscribeRegistros, UnDiscoLlenoDejaElArchivoAnterior)
{
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("00000001.PRN"));
    const QByteArray antes(1000, 'x');
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(antes);
    }
    const auto escribe = [](rpt::ArchivoReporte& f) {
        for (int i = 0; i < 5000; ++i)
            f.EscribePos(i, 0, QStringLiteral("texto"), false, 0, 0);
    };
    rpt::ArchivoReporte enMemoria;
    enMemoria.AbreEnMemoria();
    escribe(enMemoria);
    const rlim_t total = rlim_t(enMemoria.Contenido().size());
    ASSERT_GT(total, rlim_t(2 * 64 * 1024));
    // No room at all, room for part of the first block, for the first block and part of
    // the next, and for all but the last byte.
    for (rlim_t limite : {rlim_t(0), rlim_t(100), rlim_t(70000), total - 1}) {
        rpt::ArchivoReporte f;
        bool fallo = false;
        {
            LimiteArchivos lleno(limite);
            try {
                f.Abre(ruta);
                escribe(f);
                f.Cierra();
            } catch (const zav::RuntimeError& e) {
                EXPECT_EQ(e.Number, 57) << limite;
                EXPECT_TRUE(e.Description().contains(Razon(EFBIG))) << e.Description().toStdString();
                fallo = true;
            }
        }
        EXPECT_TRUE(fallo) << limite;
        EXPECT_FALSE(f.EstaAbierto()) << limite;
        QFile leido(ruta);
        ASSERT_TRUE(leido.open(QIODevice::ReadOnly));
        EXPECT_EQ(leido.readAll(), antes) << limite;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("00000001.PRN")})
            << limite;
    }
}

// The file cannot take its name when it is whole (a folder took it meanwhile): the close
// is an error with its reason, never a success, and nothing is left of the new file.
TEST(EscribeRegistros, UnRenombreFallidoEsUnError)
{
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("00000001.PRN"));
    rpt::ArchivoReporte f;
    f.Abre(ruta);
    f.EscribePos(300, 350, QStringLiteral("KOVEL"), true, 16, 0);
    ASSERT_TRUE(QDir().mkpath(ruta + QStringLiteral("/estorbo")));
    try {
        f.Cierra();
        ADD_FAILURE() << "a file that never took its name was reported written";
    } catch (const zav::RuntimeError& e) {
        EXPECT_EQ(e.Number, 57);
        EXPECT_TRUE(e.Description().contains(Razon(EISDIR))) << e.Description().toStdString();
    }
    EXPECT_FALSE(f.EstaAbierto());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("00000001.PRN")});
    EXPECT_TRUE(QFileInfo(ruta).isDir());
}

} // namespace
