// Saving a declaration: its refusals, the CAB header and the DET rows.
#include "GrabacionFixture.h"

#include "platform/ui/Hourglass.h"
#include "shell/modulo/Procedimientos.h"

#include <functional>

namespace {

using Grabacion = GrabacionFixture;

const QString kCaption = QStringLiteral("0947 Morvath");

QStringList OrdenFilas()
{
    QStringList orden;
    auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT CASILLA FROM DET ORDER BY rowid"),
                                              dao::dbOpenSnapshot);
    for (; !rs->Eof(); rs->MoveNext())
        orden << rs->Fields(0).Value().toText();
    return orden;
}

struct Cab {
    int filas = 0;
    QString fecha;
    int estado = -1;
    QString rectifica;
    QString control;
};

Cab LeeCab(const QString& periodo = QStringLiteral("201405"))
{
    Cab c;
    auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM CAB WHERE PERIODO=?"), dao::dbOpenSnapshot,
                                              {periodo});
    c.filas = rs->RecordCount();
    if (!rs->Eof()) {
        c.fecha = rs->Fields(QStringLiteral("fec_pro")).Value().toText();
        c.estado = static_cast<int>(rs->Fields(QStringLiteral("estado")).Value().toInt64());
        c.rectifica = rs->Fields(QStringLiteral("rectifica")).Value().toText();
        c.control = rs->Fields(QStringLiteral("cNumero")).Value().toText();
    }
    return c;
}

TEST_F(Grabacion, StoresTheHeaderAndEveryRowWithItsCheckValue)
{
    Frm947& f = Completa();
    f.OptRectifica->SetValue(0, true);
    f.CmdGrabar_Click();

    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("La información de la declaración fue grabada satisfactoriamente."));
    EXPECT_EQ(msgs_->Last().style, 64);
    EXPECT_EQ(msgs_->Last().title, kCaption);

    const Cab c = LeeCab();
    EXPECT_EQ(c.filas, 1);
    EXPECT_EQ(c.fecha, QStringLiteral("15/09/2014"));
    EXPECT_EQ(c.estado, 0);
    EXPECT_EQ(c.rectifica, QStringLiteral("0"));
    EXPECT_EQ(c.control, Control({QStringLiteral("6"), QString::fromLatin1(kRuc), QStringLiteral("201405"),
                                  QStringLiteral("0947"), QStringLiteral("0")},
                                 {QStringLiteral("15/09/2014"), QStringLiteral("0"), QStringLiteral("0")}));

    // The boxes in list order (amounts without separators, codes as typed), then the fixed codes.
    const std::vector<std::pair<const char*, const char*>> esperadas{
        {"500", "1000"}, {"503", "250"}, {"531", "1250"}, {"532", "400"}, {"543", "400"}, {"544", "850"},
        {"554", "850"}, {"555", "1250"}, {"461", "5000"}, {"462", "3000"}, {"463", "2000"}, {"466", "2000"},
        {"467", "0"}, {"470", "2000"}, {"471", "0"}, {"484", "2000"}, {"485", "0"}, {"487", "2000"}, {"489", "0"},
        {"492", "2000"}, {"493", "0"}, {"100", "2000"}, {"101", "0"}, {"106", "2000"}, {"107", "0"},
        {"110", "2000"}, {"111", "0"}, {"113", "600"}, {"208", "20000000001"}, {"209", "15"}, {"211", "01234"},
        {"225", "01"}, {"226", "07654321"}, {"610", "0.3000"},
        {"002", kRuc}, {"007", "201405"}, {"801", "COMERCIAL ANDIN"}, {"028", "4234567"}, {"813", "0"},
        {"056", "4"}, {"605", "0"}, {"606", "0"}, {"607", "0"}, {"608", "0"}, {"609", "0"}, {"611", "0"},
        {"662", "0"}, {"721", "1.6"}, {"815", "PEREZ GOMEZ"}, {"816", "ANA MARIA"}, {"817", "TORRES DIAZ"},
        {"818", "LUIS ALBERTO"}};
    QStringList orden;
    std::map<QString, FilaDet> filas;
    for (const auto& [casilla, valor] : esperadas) {
        orden << QString::fromLatin1(casilla);
        filas[QString::fromLatin1(casilla)] = {
            QString::fromLatin1(valor),
            ControlDet(QString::fromLatin1(kRuc), QStringLiteral("201405"), QString::fromLatin1(casilla),
                       QString::fromLatin1(valor)),
            QStringLiteral("01")};
    }
    EXPECT_EQ(OrdenFilas(), orden);
    EXPECT_EQ(Filas(), filas);

    EXPECT_EQ(App().gAccion, 1);
    EXPECT_FALSE(f.mModificado);
    // The key of the new declaration is fixed on the window.
    EXPECT_FALSE(f.OptInicio->Enabled(0));
    EXPECT_FALSE(f.CboBalance->Enabled());
    EXPECT_TRUE(f.CmbRuc->isHidden());
    EXPECT_EQ(f.TxtNumRuc->Text(), QString::fromLatin1(kRuc));
    EXPECT_EQ(f.Modo, 0);
}

TEST_F(Grabacion, AnIncompleteDeclarationIsStoredWithState9)
{
    Frm947& f = Completa();
    f.TxtTelefono->SetText(QStringLiteral("12345"));
    f.CmdGrabar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, MensajeError(152));
    EXPECT_EQ(msgs_->Last().style, 48);
    EXPECT_EQ(LeeCab().estado, 9);
    EXPECT_EQ(Filas().at(QStringLiteral("028")).valor, QStringLiteral("12345"));
    EXPECT_EQ(App().gAccion, 1);
    EXPECT_FALSE(f.mModificado);
}

struct Rechazo {
    const char* nombre;
    std::function<void(Frm947&)> cambio;
    const char* mensaje;
};

TEST_F(Grabacion, RefusalsWriteNothingAndComeOneAtATimeInOrder)
{
    const QString ruc = QString::fromLatin1(kRuc);
    auto julio = [](Frm947& f, const char* res, const char* fecha) {
        f.CboBalance->SetListIndex(1);
        App().gPeriodo = QStringLiteral("201408");
        f.OptSuspPC->SetValue(1, true);
        f.txtNumRes->SetText(QString::fromLatin1(res));
        f.mkefecnot->SetText(QString::fromLatin1(fecha));
    };
    const Rechazo casos[] = {
        {"period 201301", [](Frm947&) { App().gPeriodo = QStringLiteral("201301"); }, "El período no es válido"},
        {"no regime", [](Frm947& f) { f.optRenta->Clear(); }, "Debe señalar el regimen de renta"},
        // The first refusal wins.
        {"no regime, no start",
         [](Frm947& f) {
             f.optRenta->Clear();
             f.OptInicio->Clear();
         },
         "Debe señalar el regimen de renta"},
        {"no start", [](Frm947& f) { f.OptInicio->Clear(); }, "Señale el inicio de actividades en el ejercicio"},
        {"no previous year", [](Frm947& f) { f.OptAnterior->Clear(); },
         "Indique si obtuvo utilidad o pérdida en el Ejercicio anterior"},
        {"no year before", [](Frm947& f) { f.OptPrecedente->Clear(); },
         "Indique si obtuvo utilidad o pérdida en el Ejercicio precedente al anterior"},
        {"no balance date", [](Frm947& f) { f.CboBalance->SetListIndex(-1); },
         "Seleccione el mes al que debe corresponder la presentación del balance"},
        {"resolution missing", [&](Frm947& f) { julio(f, "", "15/08/2014"); },
         "El ingreso de los datos de la Resolución y Fecha de Notificación son campos obligatorios"},
        {"notification missing", [&](Frm947& f) { julio(f, "0123456789012", ""); },
         "El ingreso de los datos de la Resolución y Fecha de Notificación son campos obligatorios"},
        {"resolution short", [&](Frm947& f) { julio(f, "012345678901", "15/08/2014"); },
         "Número de Resolución incompleto"},
        {"resolution zeros", [&](Frm947& f) { julio(f, "0000000000000", "15/08/2014"); },
         "Debe ingresar un Número de Resolución"},
        {"notification no date", [&](Frm947& f) { julio(f, "0123456789012", "31/02/2014"); },
         "La fecha de notificación no es válida"},
        {"notification too early", [&](Frm947& f) { julio(f, "0123456789012", "21/03/2013"); },
         "La fecha de notificación no puede ser anterior al 22/03/2013 ni mayor a la fecha del sistema"},
        {"notification after today", [&](Frm947& f) { julio(f, "0123456789012", "16/09/2014"); },
         "La fecha de notificación no puede ser anterior al 22/03/2013 ni mayor a la fecha del sistema"},
        {"no taxpayer", [](Frm947& f) { f.CmbRuc->SetListIndex(-1); }, "Debe seleccionar un Contribuyente."},
        {"form 5136 of another year", [](Frm947& f) { f.MkePeriodo->SetText(QStringLiteral("10/01/2013")); },
         "El año de la fecha del formulario 5136 debe corresponder al año de la presentación"},
        {"form 5136 after today",
         [this](Frm947& f) {
             msgs_->PushAnswer(zav::vbYes);   // the change of regime is confirmed
             f.optRenta->SetValue(1, true);
             f.MkePeriodo->SetText(QStringLiteral("20/12/2014"));
         },
         "La fecha de presentación del formulario 5136 no puede ser mayor a la fecha del sistema"},
        {"accountant RUC invalid", [](Frm947& f) { Casilla(f, 208, QStringLiteral("20000000002")); },
         "El RUC no es Válido."},
        {"accountant RUC is the taxpayer's", [&](Frm947& f) { Casilla(f, 208, ruc); },
         "El RUC no puede ser igual al RUC del Contribuyente."},
        {"representative RUC invalid",
         [](Frm947& f) {
             ElegirTipoDoc(f, QStringLiteral("06"));
             Casilla(f, 226, QStringLiteral("2000000000"));
         },
         "El RUC no es Válido."},
        {"representative is the taxpayer, any type", [&](Frm947& f) { Casilla(f, 226, ruc); },
         "El RUC no puede ser igual al RUC del Contribuyente."},
    };
    for (const Rechazo& c : casos) {
        SCOPED_TRACE(c.nombre);
        Frm947& f = Completa();
        c.cambio(f);
        msgs_->Clear();
        f.CmdGrabar_Click();
        ASSERT_GE(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Entries().front().text, QString::fromUtf8(c.mensaje));
        EXPECT_EQ(msgs_->Entries().front().style, 16);
        EXPECT_EQ(msgs_->Entries().front().title, kCaption);
        EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
        EXPECT_EQ(Cuenta(QStringLiteral("DET")), 0);
        EXPECT_TRUE(f.mModificado);
        EXPECT_FALSE(zav::IsHourglass());
    }
}

TEST_F(Grabacion, RefusedRucsBringTheComplementaryPageForward)
{
    Frm947& f = Completa();
    Casilla(f, 208, QStringLiteral("20000000002"));
    f.CmdGrabar_Click();
    EXPECT_EQ(f.SSTab1->currentIndex(), 3);
    EXPECT_EQ(f.SSTab4->currentIndex(), 0);
    EXPECT_TRUE(zav::Visible(f.Frame1.at(5)));
}

TEST_F(Grabacion, ANewDeclarationOfAnExistingKeyIsRefusedWithItsBalanceDate)
{
    Frm947& f = Completa();
    Ejecutar(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado, cNumero) "
                            "VALUES (6, ?, '201405', '0947', 0, 0, '123456')"),
             {QString::fromLatin1(kRuc)});
    f.CmdGrabar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("La declaración que desea registrar ya existe  al 30 de Abril . \nElija "
                                                 "la opción modificar declaración o elija otro contribuyente."));
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(Cuenta(QStringLiteral("DET")), 0);
    EXPECT_EQ(LeeCab().control, QStringLiteral("123456"));
}

TEST_F(Grabacion, ASecondSaveReplacesTheRowsOfTheSameDeclaration)
{
    Frm947& f = Completa();
    f.CmdGrabar_Click();
    ASSERT_TRUE(Filas().count(QStringLiteral("503")));
    Casilla(f, 503, QString());
    Casilla(f, 500, QStringLiteral("1,250"));
    f.TxtTelefono->SetText(QStringLiteral("123"));
    msgs_->Clear();

    f.CmdGrabar_Click();   // no duplicate refusal: the window's key is fixed now
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, MensajeError(152));
    EXPECT_EQ(LeeCab().filas, 1);
    EXPECT_EQ(LeeCab().estado, 9);
    const auto filas = Filas();
    EXPECT_FALSE(filas.count(QStringLiteral("503")));
    EXPECT_EQ(filas.at(QStringLiteral("500")).valor, QStringLiteral("1250"));
    EXPECT_EQ(filas.at(QStringLiteral("028")).valor, QStringLiteral("123"));
    EXPECT_EQ(Cuenta(QStringLiteral("DET")), static_cast<int>(filas.size()));
}

TEST_F(Grabacion, ASaveThatFailsMidwayLeavesTheStoredDeclarationAsItWas)
{
    Frm947& f = Completa();
    f.CmdGrabar_Click();
    const auto antes = Filas();
    const Cab cabAntes = LeeCab();
    // The 20th row of the next save fails.
    Ejecutar(QStringLiteral("CREATE TABLE cuenta (n INTEGER)"));
    Ejecutar(QStringLiteral("INSERT INTO cuenta VALUES (0)"));
    Ejecutar(QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON DET BEGIN "
                            "UPDATE cuenta SET n = n + 1; "
                            "SELECT RAISE(ABORT, 'disco lleno') WHERE (SELECT n FROM cuenta) >= 20; END"));
    zav::SetClockForTests([] { return QDateTime(QDate(2014, 9, 16), QTime(9, 0)); });
    Casilla(f, 503, QStringLiteral("300"));
    Casilla(f, 544, QStringLiteral("900"));
    f.TxtTelefono->SetText(QStringLiteral("123"));
    msgs_->Clear();

    f.CmdGrabar_Click();
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("La declaración no fue grabada.")));
    EXPECT_EQ(Filas(), antes);
    const Cab cab = LeeCab();
    EXPECT_EQ(cab.fecha, cabAntes.fecha);
    EXPECT_EQ(cab.estado, 0);
    EXPECT_EQ(cab.control, cabAntes.control);
    EXPECT_TRUE(f.mModificado);
    EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);
    EXPECT_FALSE(zav::IsHourglass());

    // Once the cause is gone the same window saves.
    Ejecutar(QStringLiteral("DROP TRIGGER falla"));
    msgs_->Clear();
    f.CmdGrabar_Click();
    EXPECT_EQ(Filas().at(QStringLiteral("503")).valor, QStringLiteral("300"));
    EXPECT_EQ(LeeCab().estado, 9);
}

TEST_F(Grabacion, ADatabaseErrorBeforeTheWriteIsReportedAndNothingIsStored)
{
    struct Caso {
        const char* nombre;
        const char* tabla;   // unreadable during the save
    };
    // The duplicate test reads CAB; the completeness check reads the loss rows of box 108.
    for (const Caso& c : {Caso{"headers", "CAB"}, Caso{"loss rows", "F0947_PTCEA"}}) {
        SCOPED_TRACE(c.nombre);
        Frm947& f = Completa();
        Casilla(f, 108, QStringLiteral("1,500"));
        const QString tabla = QString::fromLatin1(c.tabla);
        Ejecutar(QStringLiteral("ALTER TABLE %1 RENAME TO fuera").arg(tabla));
        msgs_->Clear();
        EXPECT_NO_THROW(f.CmdGrabar_Click());
        Ejecutar(QStringLiteral("ALTER TABLE fuera RENAME TO %1").arg(tabla));
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("La declaración no fue grabada. Error ("))) << msgs_->Last().text.toStdString();
        EXPECT_EQ(Cuenta(QStringLiteral("CAB")), 0);
        EXPECT_EQ(Cuenta(QStringLiteral("DET")), 0);
        EXPECT_TRUE(f.mModificado);
        EXPECT_TRUE(f.OptInicio->Enabled(0));
        EXPECT_EQ(App().gBaseDatos->TransactionLevel(), 0);
        EXPECT_FALSE(zav::IsHourglass());
    }
}

TEST_F(Grabacion, ABoxRowIsKeyedByTheTrimmedDocument)
{
    const QString ruc = QString::fromLatin1(kRuc);
    Frm947& f = Abrir();
    EXPECT_TRUE(f.pGrabaCasilla(QStringLiteral("500"), QStringLiteral("10"), ruc + QStringLiteral("  "),
                                QStringLiteral("201405")));
    EXPECT_TRUE(f.pGrabaCasilla(QStringLiteral("500"), QStringLiteral("20"), QStringLiteral(" ") + ruc,
                                QStringLiteral("201405")));
    ASSERT_EQ(Cuenta(QStringLiteral("DET")), 1);
    EXPECT_EQ(Filas().at(QStringLiteral("500")),
              (FilaDet{QStringLiteral("20"), ControlDet(ruc, QStringLiteral("201405"), QStringLiteral("500"),
                                                        QStringLiteral("20")),
                       QStringLiteral("01")}));
}

TEST_F(Grabacion, TextFormsOfTheStoredValues)
{
    struct Caso {
        const char* casilla;
        const char* valor;
        const char* periodo;
        const char* sistema;
        const char* guardado;   // nullptr: no row
    };
    const Caso casos[] = {
        {"500", "1,234", "201405", "0", "1234"},
        {"500", "(1,500)", "201405", "0", "-1500"},
        {"500", "-75", "201405", "0", "-75"},
        {"801", "COMERCIAL ANDINA", "201405", "0", "COMERCIAL ANDINA"},
        {"609", "B", "201206", "B", "B"},
        {"500", "", "201405", "0", nullptr},
        {"500", "    ", "201405", "0", nullptr},
        {"500", "\t", "201405", "0", nullptr},
        {"500", "\r", "201405", "0", nullptr},
        {"200", "________", "201405", "0", nullptr},
        // Codes, registration numbers, place codes and the telephone keep their zeros.
        {"209", "05", "201405", "0", "05"},
        {"211", "001234", "201405", "0", "001234"},
        {"225", "01", "201405", "0", "01"},
        {"226", "07654321", "201405", "0", "07654321"},
        {"812", "160101", "201405", "0", "160101"},
        {"603", "040101", "201405", "0", "040101"},
        {"028", "0044123456", "201405", "0", "0044123456"},
        {"612", "0023456789012", "201405", "0", "0023456789012"},
        {"613", "15/08/2014", "201405", "0", "15/08/2014"},
        {"610", "12.3456", "201405", "0", "12.3456"},
        {"610", "0.5", "201405", "B", "0.5000"},
        {"610", "45.5", "201206", "B", "45.50"},
        {"610", "45.5", "201206", "A", "45.5000"},
        {"610", "45.5", "201206", "0", "0"},
    };
    const QString ruc = QString::fromLatin1(kRuc);
    Frm947& f = Abrir();
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.casilla) + " " + c.valor + " " + c.periodo);
        Ejecutar(QStringLiteral("DELETE FROM DET"));
        App().gSistema = QString::fromLatin1(c.sistema);
        const QString periodo = QString::fromLatin1(c.periodo);
        const bool escrito = f.pGrabaCasilla(QString::fromLatin1(c.casilla), QString::fromLatin1(c.valor), ruc,
                                             periodo + QStringLiteral("  "));
        const auto filas = Filas(periodo);
        EXPECT_EQ(escrito, c.guardado != nullptr);
        if (!c.guardado) {
            EXPECT_TRUE(filas.empty());
            continue;
        }
        ASSERT_EQ(filas.size(), 1u);
        const QString casilla = QString::fromLatin1(c.casilla);
        const QString guardado = QString::fromLatin1(c.guardado);
        EXPECT_EQ(filas.at(casilla), (FilaDet{guardado, ControlDet(ruc, periodo, casilla, guardado), QStringLiteral("01")}));
    }
    // The same code written twice keeps one row with the last value.
    Ejecutar(QStringLiteral("DELETE FROM DET"));
    f.pGrabaCasilla(QStringLiteral("500"), QStringLiteral("10"), ruc, QStringLiteral("201405"));
    f.pGrabaCasilla(QStringLiteral("500"), QStringLiteral("20"), ruc, QStringLiteral("201405"));
    ASSERT_EQ(Cuenta(QStringLiteral("DET")), 1);
    EXPECT_EQ(Filas().at(QStringLiteral("500")).valor, QStringLiteral("20"));
}

TEST_F(Grabacion, LossRowsGoWithAZeroBox108AndCode662CountsWhatStays)
{
    const QString ruc = QString::fromLatin1(kRuc);
    auto perdida = [&](const char* anio) {
        Ejecutar(QStringLiteral("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe, "
                                "cnumero) VALUES (6, ?, '201405', '0947', ?, '1000', '000000')"),
                 {ruc, QString::fromLatin1(anio)});
    };
    {
        Frm947& f = Completa();
        perdida("2012");
        perdida("2013");
        Casilla(f, 108, QStringLiteral("1,500"));
        f.CmdGrabar_Click();
        EXPECT_EQ(Cuenta(QStringLiteral("F0947_PTCEA")), 2);
        EXPECT_EQ(Filas().at(QStringLiteral("662")).valor, QStringLiteral("2"));
        EXPECT_EQ(App().gNumPerdidas, 2);
    }
    for (const char* caja : {"0", ""}) {
        SCOPED_TRACE(caja);
        Ejecutar(QStringLiteral("DELETE FROM CAB"));
        Frm947& f = Completa();
        perdida("2011");
        Casilla(f, 108, QString::fromLatin1(caja));
        f.CmdGrabar_Click();
        EXPECT_EQ(Cuenta(QStringLiteral("F0947_PTCEA")), 0);
        EXPECT_EQ(Filas().at(QStringLiteral("662")).valor, QStringLiteral("0"));
    }
}

TEST_F(Grabacion, ADeclarationOutsideMypeKeepsNoMypeBoxes)
{
    Frm947& f = Completa();
    f.mModelo.PonTexto(250, QStringLiteral("10"));
    f.mModelo.PonTexto(253, QStringLiteral("5"));
    f.CmdGrabar_Click();
    const auto filas = Filas();
    for (const char* n : {"250", "251", "252", "253"})
        EXPECT_FALSE(filas.count(QString::fromLatin1(n))) << n;
    EXPECT_EQ(f.mModelo.Texto(250), QString());
    EXPECT_EQ(f.mModelo.Texto(253), QString());
}

// Round trip of the regime answers: what the options say comes back from the rows.
TEST_F(Grabacion, RegimeAnswersAreStoredUnderTheirFixedCodes)
{
    struct Caso {
        const char* nombre;
        int regimen;
        std::function<void(Frm947&)> respuestas;
        std::map<QString, QString> filas;   // "" = no row
    };
    const Caso casos[] = {
        {"General, natural person", 0, [](Frm947& f) { f.OptPersona->SetValue(1, true); },
         {{"813", "1"}, {"056", "4"}, {"809", ""}, {"200", ""}}},
        {"General, no person type", 0, [](Frm947& f) { f.OptPersona->Clear(); }, {{"813", ""}, {"056", "4"}}},
        {"Agrario", 1,
         [](Frm947& f) {
             f.MkePeriodo->SetText(QStringLiteral("03/02/2014"));
         },
         {{"200", "20140203"}, {"056", "1"}, {"813", ""}}},
        {"Amazonía", 2,
         [](Frm947& f) {
             f.OptUbicAmazonia->SetValue(1, true);
             f.OptDomFiscal->SetValue(1, true);
             f.OptZona->SetValue(1, true);
             f.TxtUbigeo->SetText(QStringLiteral("160101"));
         },
         {{"809", "1"}, {"810", ""}, {"860", "1"}, {"811", "1"}, {"812", "160101"}, {"056", "2"}}},
        {"Frontera", 3,
         [](Frm947& f) {
             f.OptActividad->SetValue(1, true);
             f.OptFrontera->SetValue(0, true);
             f.TxtUbigeo2->SetText(QStringLiteral("040101"));
         },
         {{"601", "1"}, {"602", "0"}, {"603", "040101"}, {"056", "3"}}},
        {"Convenio without type", 4,
         [](Frm947& f) {
             f.TxtNumOrdenF7842->SetText(QStringLiteral("00012345"));
         },
         {{"804", "0"}, {"224", "00012345"}, {"056", "6"}}},
        {"Convenio type 3", 4, [](Frm947& f) { f.OptConvEstab->SetValue(3, true); },
         {{"804", "3"}, {"056", "6"}}},
        {"MYPE", 5, [](Frm947&) {}, {{"813", "0"}, {"056", "8"}}},
        {"July balance with suspension", 0,
         [](Frm947& f) {
             f.CboBalance->SetListIndex(1);
             App().gPeriodo = QStringLiteral("201408");
             f.OptSuspPC->SetValue(1, true);
             f.txtNumRes->SetText(QStringLiteral("0123456789012"));
             f.mkefecnot->SetText(QStringLiteral("15/08/2014"));
         },
         {{"608", "1"}, {"611", "1"}, {"612", "0123456789012"}, {"613", "15/08/2014"}, {"007", "201408"}}},
        {"start of activities", 0,
         [](Frm947& f) {
             f.OptInicio->SetValue(1, true);
             f.OptAnterior->Clear();
             f.OptPrecedente->Clear();
             f.CboBalance->SetListIndex(0);
         },
         {{"605", "1"}, {"606", ""}, {"607", ""}}},
        {"previous year loss", 0,
         [](Frm947& f) {
             f.OptAnterior->SetValue(1, true);
             f.CboBalance->SetListIndex(0);
         },
         {{"607", "1"}, {"606", "0"}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Ejecutar(QStringLiteral("DELETE FROM CAB"));
        Ejecutar(QStringLiteral("DELETE FROM DET"));
        Frm947& f = Completa(c.regimen);
        c.respuestas(f);
        f.CmdGrabar_Click();
        ASSERT_EQ(LeeCab(App().gPeriodo).filas, 1) << msgs_->Texts().join(QLatin1Char('|')).toStdString();
        const auto filas = Filas(App().gPeriodo);
        for (const auto& [codigo, valor] : c.filas) {
            SCOPED_TRACE(codigo.toStdString());
            if (valor.isEmpty())
                EXPECT_FALSE(filas.count(codigo));
            else if (filas.count(codigo))
                EXPECT_EQ(filas.at(codigo).valor, valor);
            else
                ADD_FAILURE() << "no row";
        }
        // Outside Amazonía its answers are cleared on the window.
        if (!f.optRenta->Value(2)) {
            EXPECT_EQ(f.OptZona->Chosen(), -1);
        }
    }
}

// Box 609 holds the payment system the window shows before 2013, and "0" from 2013 on,
// whatever the window still shows, when the suspension's answer is stored instead. A
// business started in the year shows system "B" in any year.
TEST_F(Grabacion, Box609IsThePaymentSystemBeforeTwoThousandThirteenAndZeroFromThenOn)
{
    const struct {
        const char* anio;
        int balance;
        const char* periodo;
        const char* caja608;
        const char* caja609;
        const char* caja611;   // nullptr: no suspension rows
    } casos[] = {
        {"2012", 1, "201206", "1", "B", nullptr},
        {"2013", 0, "201305", "0", "0", "0"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.anio);
        App().gPeriodo = QString::fromLatin1(c.anio);
        Frm947& f = Abrir();
        Elegir(f, QString::fromLatin1(kRuc));
        f.TxtTelefono->SetText(QStringLiteral("4234567"));
        f.optRenta->SetValue(0, true);
        f.OptPersona->SetValue(0, true);
        f.OptInicio->SetValue(1, true);
        f.CboBalance->SetListIndex(c.balance);
        App().gPeriodo = QString::fromLatin1(c.periodo);
        ASSERT_EQ(f.LblSistema->Caption(), QStringLiteral("B"));
        Casilla(f, 500, QStringLiteral("100"));
        f.CmdGrabar_Click();
        const auto filas = Filas(QString::fromLatin1(c.periodo));
        ASSERT_FALSE(filas.empty()) << msgs_->Texts().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(filas.at(QStringLiteral("608")).valor, QString::fromLatin1(c.caja608));
        EXPECT_EQ(filas.at(QStringLiteral("609")).valor, QString::fromLatin1(c.caja609));
        ASSERT_EQ(filas.count(QStringLiteral("611")), c.caja611 ? 1u : 0u);
        if (c.caja611) {
            EXPECT_EQ(filas.at(QStringLiteral("611")).valor, QString::fromLatin1(c.caja611));
        }
        for (const char* n : {"612", "613"})
            EXPECT_FALSE(filas.count(QString::fromLatin1(n))) << n;
    }
}

} // namespace
