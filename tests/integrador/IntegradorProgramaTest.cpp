// The host stand-in's command line, as a user or a script runs it: send checks first
// and sends only what passed; start waits for the program and ends with its status.
#include "integrador/Workspace.h"
#include "tests/integrador/TestDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace integrador {
namespace {

const QString kDoc = QStringLiteral("20100070970");

struct Salida {
    int status = -1;
    QString out;
    QString err;
};

class IntegradorPrograma : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        QDir().mkpath(tmp_.filePath(QStringLiteral("run")));
        QFile::setPermissions(tmp_.filePath(QStringLiteral("run")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("WINDIR"), tmp_.filePath(QStringLiteral("windows")));
        env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), tmp_.filePath(QStringLiteral("run")));
        const Salida init = Corre({QStringLiteral("init"), tmp_.filePath(QStringLiteral("host")), QStringLiteral("--demo")});
        ASSERT_EQ(init.status, 0) << init.err.toStdString();
        host_ = tmp_.filePath(QStringLiteral("host/"));
        db_ = std::make_unique<test::TestDb>(host_ + QStringLiteral("ZAV.MDB"));
    }

    Salida Corre(const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(env_);
        p.start(QStringLiteral(PROGRAMA_INTEGRADOR), args);
        Salida s;
        if (!p.waitForFinished(30000)) {
            ADD_FAILURE() << "integrador " << args.join(QLatin1Char(' ')).toStdString() << " is still running";
            return s;
        }
        s.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        s.out = QString::fromUtf8(p.readAllStandardOutput());
        s.err = QString::fromUtf8(p.readAllStandardError());
        return s;
    }

    void Graba(const QString& periodo, int estado)
    {
        ASSERT_EQ(db_->exec(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado, "
                                           "cNumero) VALUES (6, ?1, ?2, '0947', 0, ?3, 'x')"),
                            {kDoc, periodo, estado}),
                  SQLITE_DONE);
    }

    int Enviadas() { return db_->value(QStringLiteral("SELECT COUNT(*) FROM HCAB")).toInt(); }

    QString Tmp(const QString& periodo, const QString& extension) const
    {
        return host_ + QStringLiteral("TMP/06") + kDoc + QStringLiteral("0947") + periodo + QStringLiteral("0") +
               extension;
    }

    QTemporaryDir tmp_;
    QProcessEnvironment env_;
    QString host_;
    std::unique_ptr<test::TestDb> db_;
};

TEST_F(IntegradorPrograma, SendsOnlyWhatPassedTheCheck)
{
    struct Caso {
        const char* nombre;
        const char* periodo;
        int estado;        // of the stored declaration
        const char* casilla; // a box 473 row with this value; nullptr: none
        QString motivo;    // what integrador says; empty: it sends
        bool verificada;   // 0947CNSINF ran on it
    };
    const Caso casos[] = {
        {"saved with inconsistencies", "201305", 9, nullptr,
         QStringLiteral("La declaración 20100070970 del periodo 201305 fue grabada con inconsistencias (estado 9) y "
                        "no puede enviarse."),
         false},
        {"a rule fails", "201306", 0, nullptr,
         QStringLiteral("La declaración no pasó la verificación de 0947CNSINF; revise el archivo %1. No se envió."),
         true},
        {"the check cannot be done", "201305", 0, "",
         QStringLiteral("No se pudo verificar la declaración: 0947CNSINF terminó con estado 2. No se envió."), true},
        {"clean", "201305", 0, "0", QString(), true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        db_->exec(QStringLiteral("DELETE FROM CAB"));
        db_->exec(QStringLiteral("DELETE FROM DET"));
        const QString periodo = QString::fromLatin1(c.periodo);
        Graba(periodo, c.estado);
        if (c.casilla)
            db_->exec(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, "
                                     "i_valor) VALUES (6, ?1, ?2, '0947', 0, '473', ?3)"),
                      {kDoc, periodo, *c.casilla ? QVariant(QString::fromLatin1(c.casilla)) : QVariant()});
        QFile::remove(Tmp(periodo, QStringLiteral(".TXT")));

        const Salida s = Corre({QStringLiteral("send"), kDoc, periodo});
        if (c.motivo.isEmpty()) {
            EXPECT_EQ(s.status, 0) << s.err.toStdString();
            // What the user registers, under the host's own labels.
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^Correlativo=001\nControl=\\w+\nNúmero de orden=\\d{8}\n"
                                                          "Dígito verificador=\\w+\n$"))
                            .match(s.out)
                            .hasMatch())
                << s.out.toStdString();
            EXPECT_EQ(Enviadas(), 1);
        } else {
            EXPECT_NE(s.status, 0);
            EXPECT_TRUE(s.err.endsWith(c.motivo.arg(Tmp(periodo, QStringLiteral(".ERR"))) + QLatin1Char('\n')))
                << s.err.toStdString();
            EXPECT_EQ(s.out, QString());
            EXPECT_EQ(Enviadas(), 0);
        }
        // The checker's answer in TMP: the marker when it did not pass, nothing when it did.
        EXPECT_EQ(QFileInfo::exists(Tmp(periodo, QStringLiteral(".TXT"))), c.verificada && !c.motivo.isEmpty());
    }
}

TEST_F(IntegradorPrograma, StartEndsWithTheProgramsStatus)
{
    Graba(QStringLiteral("201305"), 0);
    Graba(QStringLiteral("201306"), 0);
    const auto linea = [](const char* periodo) {
        return QStringLiteral("06") + kDoc + QStringLiteral("    0947") + QString::fromLatin1(periodo) +
               QStringLiteral("000000000");
    };
    Salida s = Corre({QStringLiteral("start"), QStringLiteral("0947CNSINF"), linea("201305")});
    EXPECT_EQ(s.status, 0) << s.err.toStdString();
    s = Corre({QStringLiteral("start"), QStringLiteral("0947CNSINF"), linea("201306")});
    EXPECT_EQ(s.status, 1) << s.err.toStdString();
    // It has ended: its report and marker are there.
    EXPECT_TRUE(QFileInfo::exists(Tmp(QStringLiteral("201306"), QStringLiteral(".ERR"))));
    EXPECT_TRUE(QFileInfo::exists(Tmp(QStringLiteral("201306"), QStringLiteral(".TXT"))));
    // What the checker said reaches the caller.
    EXPECT_TRUE(s.err.contains(QStringLiteral("Existen datos inconsistentes en la información a enviar."))) << s.err.toStdString();

    s = Corre({QStringLiteral("start"), QStringLiteral("NO_EXISTE")});
    EXPECT_EQ(s.status, kProgramNotStarted);
    EXPECT_TRUE(s.err.startsWith(QStringLiteral("No se encuentra el programa NO_EXISTE"))) << s.err.toStdString();
}

} // namespace
} // namespace integrador
