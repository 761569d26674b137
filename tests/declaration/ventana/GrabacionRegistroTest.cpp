// The order number of a sent declaration, and leaving the window.
#include "GrabacionFixture.h"

#include "shell/modulo/Procedimientos.h"

#include <QSignalSpy>

#include <chrono>
#include <thread>

namespace {

using Registro = GrabacionFixture;

const QString kRucS = QStringLiteral("20100070970");
const QString kControl = QStringLiteral("CTRL0947201405");

class RegistroFixture : public GrabacionFixture {
protected:
    // A sent declaration as the sent-declarations list opens it.
    Frm947& Enviada(const QString& correlVentana = QStringLiteral("001"))
    {
        Ejecutar(QStringLiteral("INSERT INTO HCAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, SEMANA, estado, "
                                "norden, CONTROL, cNumero) VALUES (6, ?, '201405', '0947', '001', 0, 1, NULL, ?, "
                                "'000000')"),
                 {kRucS, kControl});
        AppState& a = App();
        a.gModoEnviadas = true;
        a.gOpcion = 2;
        a.gRuc = kRucS;
        a.gCorrel = correlVentana;
        a.gControl = kControl;
        a.gPeriodo = QStringLiteral("201405");
        Frm947& f = Abrir(1, kRucS, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        f.optRenta->SetValue(0, true);
        f.OptPersona->SetValue(0, true);
        f.OptInicio->SetValue(0, true);
        f.OptAnterior->SetValue(0, true);
        f.OptPrecedente->SetValue(0, true);
        f.CboBalance->SetListIndex(0);
        a.gPeriodo = QStringLiteral("201405");
        msgs_->Clear();
        return f;
    }

    static QString Norden()
    {
        auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT norden FROM HCAB"), dao::dbOpenSnapshot);
        return rs->Eof() ? QStringLiteral("<none>") : rs->Fields(0).Value().toText();
    }
};

using RegistroOrden = RegistroFixture;

TEST_F(RegistroOrden, AWellFormedNumberWithItsCheckCodeIsStored)
{
    Frm947& f = Enviada();
    const QString orden = QStringLiteral("12345678");
    const QString codigo = CodigoVerificacion(kControl, orden);
    f.txtOrden->SetText(orden);
    // Typed in lower case, the code arrives in upper case.
    QString tecleado;
    for (QChar c : codigo.toLower())
        if (const int k = f.Frm947_txtverifica_KeyPress(c.unicode()))
            tecleado += QChar(k);
    ASSERT_EQ(tecleado, codigo);
    f.txtverifica->SetText(tecleado);
    f.mModificado = true;

    f.CmdGrabar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text,
              QStringLiteral("El número de orden y el digito verificador fueron grabados satisfactoriamente."));
    EXPECT_EQ(msgs_->Last().style, 48);
    EXPECT_EQ(Norden(), orden);
    auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT cNumero FROM HCAB"), dao::dbOpenSnapshot);
    EXPECT_EQ(rs->Fields(0).Value().toText(),
              Control({QStringLiteral("6"), kRucS, QStringLiteral("201405"), QStringLiteral("0947"), QStringLiteral("001"),
                       QStringLiteral("0")},
                      {QString(), QStringLiteral("1"), QString(), orden, QString(), kControl}));
    EXPECT_FALSE(f.mModificado);
    // Nothing of the declaration itself is written.
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
    EXPECT_EQ(Cuenta(QStringLiteral("DET")), 0);
}

TEST_F(RegistroOrden, BadNumbersAndMissingRowsAreRefused)
{
    struct Caso {
        const char* orden;
        bool codigoCorrecto;
        const char* correl;
        const char* mensaje;
    };
    const Caso casos[] = {
        {"1234567", true, "001", "     El número de orden no es válido"},
        {"12345678901", true, "001", "     El número de orden no es válido"},
        {"12345678", false, "001", "     El digito Verificador es incorrecto"},
        {"1234567890", true, "002", "No se encontró la declaración enviada. El número de orden no fue grabado."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.orden);
        Ejecutar(QStringLiteral("DELETE FROM HCAB"));
        Frm947& f = Enviada(QString::fromLatin1(c.correl));
        const QString orden = QString::fromLatin1(c.orden);
        const QString codigo = CodigoVerificacion(kControl, orden);
        f.txtOrden->SetText(orden);
        f.txtverifica->SetText(c.codigoCorrecto ? codigo : (codigo == QLatin1String("00") ? "11" : "00"));
        f.mModificado = true;
        f.CmdGrabar_Click();
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, QString::fromUtf8(c.mensaje));
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(Norden(), QString());
        EXPECT_FALSE(f.mModificado);
    }
}

// ---- leaving ------------------------------------------------------------------------------------

struct Salir : RegistroFixture {
    // A header another program left with the check value given, with a box row and an act row.
    void Planta(const QString& control)
    {
        Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado, cNumero) "
                                "VALUES (6, ?, '201405', '0947', 0, 0, ?)"),
                 {kRucS, control});
        Ejecutar(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
                                "VALUES (6, ?, '201405', '0947', 0, '500', '1')"),
                 {kRucS});
        Ejecutar(QStringLiteral("INSERT INTO ACTA (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, ITEM, DETALLE) "
                                "VALUES (6, ?, '201405', '0947', 0, '001', 'x')"),
                 {kRucS});
    }
};

TEST_F(Salir, AnUnchangedWindowClosesWithoutAsking)
{
    Frm947& f = Abrir();
    QSignalSpy cerrada(&f, &QDialog::finished);
    f.cmdCancelar_Click();
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_EQ(cerrada.count(), 1);
    EXPECT_EQ(App().gAccion, 3);
}

TEST_F(Salir, TheAnswerToTheChangeQuestionDecides)
{
    const QString pregunta = QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?");
    {
        SCOPED_TRACE("Cancel");
        Frm947& f = Completa();
        QSignalSpy cerrada(&f, &QDialog::finished);
        msgs_->PushAnswer(zav::vbCancel);
        f.cmdCancelar_Click();
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, pregunta);
        EXPECT_EQ(msgs_->Last().style, 35);
        EXPECT_EQ(cerrada.count(), 0);
        EXPECT_TRUE(f.mModificado);
        EXPECT_EQ(App().gAccion, 3);
        EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
    }
    {
        SCOPED_TRACE("Yes, saved");
        Frm947& f = Completa();
        QSignalSpy cerrada(&f, &QDialog::finished);
        msgs_->PushAnswer(zav::vbYes);
        f.cmdCancelar_Click();
        EXPECT_EQ(msgs_->Count(), 2);
        EXPECT_EQ(cerrada.count(), 1);
        EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 1);
        EXPECT_GT(Cuenta(QStringLiteral("DET")), 0);
    }
    {
        SCOPED_TRACE("Yes, refused");
        Ejecutar(QStringLiteral("DELETE FROM CAB"));
        Ejecutar(QStringLiteral("DELETE FROM DET"));
        Frm947& f = Completa();
        f.CboBalance->SetListIndex(-1);
        QSignalSpy cerrada(&f, &QDialog::finished);
        msgs_->Clear();
        msgs_->PushAnswer(zav::vbYes);
        f.cmdCancelar_Click();
        ASSERT_EQ(msgs_->Count(), 2);
        EXPECT_EQ(msgs_->Last().text,
                  QStringLiteral("Seleccione el mes al que debe corresponder la presentación del balance"));
        EXPECT_EQ(cerrada.count(), 0);
        EXPECT_EQ(f.TxtTelefono->Text(), QStringLiteral("4234567"));
        EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
    }
}

TEST_F(Salir, NoRemovesOnlyAHeaderLeftUnfinished)
{
    for (const char* control : {"0", "330519"}) {
        SCOPED_TRACE(control);
        for (const char* t : {"CAB", "DET", "ACTA"})
            Ejecutar(QStringLiteral("DELETE FROM ") + QString::fromLatin1(t));
        Frm947& f = Completa();
        Planta(QString::fromLatin1(control));
        QSignalSpy cerrada(&f, &QDialog::finished);
        msgs_->PushAnswer(zav::vbNo);
        f.cmdCancelar_Click();
        EXPECT_EQ(cerrada.count(), 1);
        const int quedan = QString::fromLatin1(control) == QLatin1String("0") ? 0 : 1;
        for (const char* t : {"CAB", "DET", "ACTA"})
            EXPECT_EQ(Cuenta(QString::fromLatin1(t)), quedan) << t;
    }
}

// Another user's program finishes the header while leaving waits for the write lock:
// leaving looks again under the lock and keeps the finished declaration.
TEST_F(Salir, AHeaderFinishedMeanwhileIsKept)
{
    Frm947& f = Completa();
    Planta(QStringLiteral("0"));
    auto otro = dao::Database::Open(ws_.dbFile);
    otro->BeginTrans();
    otro->Execute(QStringLiteral("UPDATE CAB SET cNumero='330519'"));
    std::thread termina([&otro] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        otro->CommitTrans();
    });
    QSignalSpy cerrada(&f, &QDialog::finished);
    msgs_->PushAnswer(zav::vbNo);
    f.cmdCancelar_Click();
    termina.join();
    EXPECT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(cerrada.count(), 1);
    for (const char* t : {"CAB", "DET", "ACTA"})
        EXPECT_EQ(Cuenta(QString::fromLatin1(t)), 1) << t;
}

TEST_F(Salir, AFailedRemovalKeepsEveryRowAndStillLeaves)
{
    Frm947& f = Completa();
    Planta(QStringLiteral("0"));
    // The last of the three deletes fails.
    Ejecutar(QStringLiteral("DROP TABLE ACTA"));
    QSignalSpy cerrada(&f, &QDialog::finished);
    msgs_->PushAnswer(zav::vbNo);
    EXPECT_NO_THROW(f.cmdCancelar_Click());
    ASSERT_EQ(msgs_->Count(), 2);
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("La declaración no fue eliminada. Error (")));
    EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 1);
    EXPECT_EQ(Cuenta(QStringLiteral("DET")), 1);
    EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);
    EXPECT_EQ(cerrada.count(), 1);
}

TEST_F(Salir, AChangedOrderNumberIsCheckedBeforeLeaving)
{
    const QString pregunta = QStringLiteral(" El número de orden ha cambiado. ¿Desea guardar los cambios?");
    struct Caso {
        const char* nombre;
        const char* orden;
        bool codigoCorrecto;
        int respuesta;
        const char* mensaje;   // last message
        bool cierra;
        const char* norden;
    };
    const Caso casos[] = {
        {"short number", "1234567", true, zav::vbYes, "El número de orden es incorrecto", false, ""},
        {"wrong code", "12345678", false, zav::vbYes, "Digito verificador incorrecto", false, ""},
        {"stored", "123456789", true, zav::vbYes,
         "El número de orden y el digito verificador fueron grabados satisfactoriamente.", true, "123456789"},
        {"not kept", "123456789", true, zav::vbNo, " El número de orden ha cambiado. ¿Desea guardar los cambios?", true,
         ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Ejecutar(QStringLiteral("DELETE FROM HCAB"));
        Frm947& f = Enviada();
        const QString orden = QString::fromLatin1(c.orden);
        const QString codigo = CodigoVerificacion(kControl, orden);
        f.txtOrden->SetText(orden);
        f.txtverifica->SetText(c.codigoCorrecto ? codigo : (codigo == QLatin1String("00") ? "11" : "00"));
        f.mModificado = true;
        QSignalSpy cerrada(&f, &QDialog::finished);
        msgs_->PushAnswer(c.respuesta);
        f.cmdCancelar_Click();
        ASSERT_GE(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Entries().front().text, pregunta);
        EXPECT_EQ(msgs_->Entries().front().style, 36);
        EXPECT_EQ(msgs_->Last().text, QString::fromUtf8(c.mensaje));
        EXPECT_EQ(cerrada.count(), c.cierra ? 1 : 0);
        EXPECT_EQ(Norden(), QString::fromLatin1(c.norden));
    }
}

TEST_F(Salir, AnOrderNumberTheDatabaseDidNotTakeKeepsTheWindow)
{
    Frm947& f = Enviada();
    const QString orden = QStringLiteral("123456789");
    f.txtOrden->SetText(orden);
    f.txtverifica->SetText(CodigoVerificacion(kControl, orden));
    f.mModificado = true;
    QSignalSpy cerrada(&f, &QDialog::finished);
    msgs_->PushAnswer(zav::vbYes);
    const QString base = App().gBaseDatos->Name();
    {
        auto otro = dao::Database::Open(base, true);
        EXPECT_NO_THROW(f.cmdCancelar_Click());
    }
    ASSERT_EQ(msgs_->Count(), 2);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("El número de orden no fue grabado. Error (3051): ")
                                      + dao::DaoError(3051, base).Description);
    EXPECT_EQ(cerrada.count(), 0);
    EXPECT_TRUE(f.mModificado);
    EXPECT_EQ(f.txtOrden->Text(), orden);
    EXPECT_EQ(Norden(), QString());

    // Asked again, it stores the number and leaves.
    msgs_->Clear();
    msgs_->PushAnswer(zav::vbYes);
    f.cmdCancelar_Click();
    EXPECT_EQ(Norden(), orden);
    EXPECT_EQ(cerrada.count(), 1);
}

} // namespace
