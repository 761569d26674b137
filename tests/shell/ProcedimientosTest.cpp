#include "ShellFixture.h"

#include "common/Clock.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "platform/ui/Impresora.h"
#include "shell/modulo/Procedimientos.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

class ProcedimientosTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        if (HasFatalFailure())
            return;
        OpenWorkspace();
    }
    void TearDown() override
    {
        zav::SetClockForTests({});
        ShellFixture::TearDown();
    }

    dao::Database& db() { return *App().gBaseDatos; }

    QStringList Documentos(const SentenciaSQL& s)
    {
        QStringList docs;
        auto rs = db().OpenRecordset(s.Texto, dao::dbOpenSnapshot, s.Parametros);
        for (; !rs->Eof(); rs->MoveNext())
            docs << rs->Fields(QStringLiteral("DOC_ID_D")).Value().toText();
        return docs;
    }
};

TEST_F(ProcedimientosTest, PlaceNamesLookUpEachLevelByItsPrefix)
{
    const struct {
        QString (*f)(const QString&);
        const char* codigo;
        const char* nombre;
    } cases[] = {
        {DescParam030, "0102", "AMAZONAS"},     {DescParam030, "160101", "LORETO"},
        {DescParam031, "010201", "BAGUA"},      {DescParam031, "1501", "LIMA"},
        {DescParam001, "170101", "TAMBOPATA"},  {DescParam001, "1701", ""},
        {DescParam030, "99", ""},               {DescParam001, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.f(QString::fromLatin1(c.codigo)), QString::fromLatin1(c.nombre)) << c.codigo;
}

TEST_F(ProcedimientosTest, DocumentTypeItemsHaveTheFixedLayout)
{
    QComboBox combo;
    combo.addItem(QStringLiteral("viejo"));
    CargaTiposDocumento(&combo, 82, true);
    auto item = [](const char* codigo, const char* corto, const char* resto) {
        return QString::fromLatin1(codigo) + QStringLiteral("  -  ")
               + QString::fromLatin1(corto).leftJustified(60, QLatin1Char(' ')) + QString::fromLatin1(resto);
    };
    const QStringList esperado{QString(75, QLatin1Char(' ')), item("06", "RUC", "11 5 1"),
                               item("01", "DNI", "08 5 1"), item("04", "CARNET EXT.", "12 0 0"),
                               item("07", "PASAPORTE", "12 0 0")};
    ASSERT_EQ(combo.count(), esperado.size());
    for (int i = 0; i < combo.count(); ++i) {
        EXPECT_EQ(combo.itemText(i), esperado[i]) << i;
        if (i > 0) {
            // What the declaration window reads back by position.
            EXPECT_EQ(combo.itemText(i).size(), 73);
            EXPECT_EQ(combo.itemText(i).mid(67, 2), esperado[i].right(6).left(2));
        }
    }

    // A use flag no type carries gives an empty list, and no blank item without conBlanco.
    db().Execute(QStringLiteral("UPDATE PARAM SET Funcion = substr(Funcion,1,58) || ? || substr(Funcion,83) "
                                "WHERE Numero='044' AND Argumento='1'"),
                 0, {QString(24, QLatin1Char('0'))});
    CargaTiposDocumento(&combo, 82, false);
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0).left(10), QStringLiteral("06  -  RUC"));
    CargaTiposDocumento(&combo, 59, false);
    EXPECT_EQ(combo.count(), 0);
}

TEST_F(ProcedimientosTest, TaxpayerListFollowsTheUserAndTheTypeRow)
{
    AppState& a = App();
    db().Execute(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, Tipo_Ingreso, NOMBRE, USUARIO) VALUES "
                                "(6, '2055', 2, 'CORTO', 'CONTADOR'), (1, '10101010', 1, 'OTRO TIPO', 'ADMIN')"));
    const QStringList todos{QStringLiteral("10456789124"), QStringLiteral("15102030408"),
                            QStringLiteral("20000000001"), QStringLiteral("20100070970"),
                            QStringLiteral("20512345671"), QStringLiteral("20601234565")};
    const QStringList delContador{QStringLiteral("10456789124"), QStringLiteral("20000000001"),
                                  QStringLiteral("20601234565")};

    // The fixture's type row asks for exactly 11 characters.
    a.gUsuario = QStringLiteral("ADMIN");
    EXPECT_EQ(Documentos(SQLContribuyentes(QStringLiteral("0947"))), todos);
    a.gUsuario = QStringLiteral("contador");
    EXPECT_EQ(Documentos(SQLContribuyentes(QStringLiteral("0947"))), delContador);
    EXPECT_EQ(Documentos(SQLContribuyentes(QStringLiteral("0582"))), QStringList{QStringLiteral("20601234565")});

    // A name that would break a spliced statement is only a value.
    a.gUsuario = QStringLiteral("X' OR '1'='1");
    EXPECT_EQ(Documentos(SQLContribuyentes(QStringLiteral("0947"))), QStringList());

    // Without the row, the shipped text allows up to 11 characters: the short number shows.
    db().Execute(QStringLiteral("DELETE FROM PARAM WHERE Numero='044' AND Argumento='6'"));
    a.gUsuario = QStringLiteral("CONTADOR");
    EXPECT_EQ(Documentos(SQLContribuyentes(QStringLiteral("0947"))),
              (QStringList{QStringLiteral("10456789124"), QStringLiteral("20000000001"), QStringLiteral("2055"),
                           QStringLiteral("20601234565")}));
}

TEST_F(ProcedimientosTest, DocumentNumberFitsItsType)
{
    const struct {
        const char* tipo;
        const char* numero;
        bool valido;
    } cases[] = {
        // Exactly the length, digits only (RUC, DNI).
        {"06", "20000000001", true},
        {"6", "20000000001", true},
        {"06", "2000000000", false},
        {"06", "200000000011", false},
        {"06", "2000000000A", false},
        {"01", "12345678", true},
        {"01", " 12345678 ", true},
        {"01", "1234567", false},
        // Up to the length, letters and digits (CARNET EXT.).
        {"04", "AB12", true},
        {"04", "AB1234567890", true},
        {"04", "AB12345678901", false},
        {"04", "AB-12", false},
        // Not listed, or nothing to check.
        {"09", "123", false},
        {"06", "   ", false},
        {"", "20000000001", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidaLongitudDocumento(QString::fromLatin1(c.tipo), QString::fromLatin1(c.numero)), c.valido)
            << c.tipo << " '" << c.numero << "'";
}

TEST_F(ProcedimientosTest, UserKindComesFromClaves)
{
    db().Execute(QStringLiteral("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('SINTIPO', NULL)"));
    const struct {
        const char* usuario;
        const char* tipo;
    } cases[] = {{"ADMIN", "0"}, {"admin", "0"}, {"CONTADOR", "1"}, {"NADIE", "1"}, {"SINTIPO", "1"}, {"", "1"}};
    for (const auto& c : cases) {
        App().gUsuario = QString::fromLatin1(c.usuario);
        EXPECT_EQ(TipoUsuario(), QString::fromLatin1(c.tipo)) << c.usuario;
    }
}

TEST_F(ProcedimientosTest, ErrorTextsByFourDigitCode)
{
    db().Execute(QStringLiteral("UPDATE ERROR SET DescError='otro texto' WHERE CodError='0152'"));
    EXPECT_EQ(MensajeError(39), QStringLiteral("Debe seleccionar un Ubigeo."));
    EXPECT_EQ(MensajeError(152), QStringLiteral("La información de la declaración fue grabada con inconsistencias. "
                                                "En estas condiciones no podra ser enviada a KOVEL."));
    EXPECT_EQ(MensajeError(151), QStringLiteral("La información de la declaración fue grabada satisfactoriamente."));
    EXPECT_EQ(MensajeError(7777), QString());
}

TEST_F(ProcedimientosTest, DatesAgainstAFixedToday)
{
    zav::SetClockForTests([] { return QDateTime(QDate(2014, 5, 15), QTime(10, 0)); });
    const struct {
        const char* fecha;
        bool noPosterior;
    } cases[] = {
        {"15/05/2014", true},  {"16/05/2014", false}, {"31/03/2014", true}, {"01/06/2014", false},
        {"28/04/2014", true},  {"01/01/2015", false}, {"31/12/2013", true}, {"__/__/____", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FechaNoPosterior(QString::fromLatin1(c.fecha)), c.noPosterior) << c.fecha;

    EXPECT_EQ(FechaDeAAAAMMDD(QStringLiteral("20130430")), QStringLiteral("30/04/2013"));
    EXPECT_EQ(FechaDeAAAAMMDD(QStringLiteral("20000101")), QStringLiteral("01/01/2000"));
    EXPECT_EQ(FechaDeAAAAMMDD(QString()), QString());
    EXPECT_EQ(FechaDeAAAAMMDD(QStringLiteral("20130231")), QString());

    // A text that is not yyyymmdd gives "", never a date made of its leading digits.
    const struct {
        const char* texto;
        const char* fecha;
    } textos[] = {
        {"13/05/20", ""},   {"2013011x", ""},   {"2013ab15", ""},   {"201305", ""},
        {"2013-5-1", ""},   {"        ", ""},   {"20131301", ""},   {"20130500", ""},
        {"20240229", "29/02/2024"}, {"20130501 ", "01/05/2013"},
    };
    for (const auto& t : textos)
        EXPECT_EQ(FechaDeAAAAMMDD(QString::fromLatin1(t.texto)), QString::fromLatin1(t.fecha)) << t.texto;
}

TEST_F(ProcedimientosTest, CounterAndCheckCode)
{
    int n = 100;
    EXPECT_EQ(IncrementaContador(n, 175), QStringLiteral("275"));
    EXPECT_EQ(n, 275);
    n = 3;
    EXPECT_EQ(IncrementaContador(n, -10), QStringLiteral("-7"));

    // Worked out by hand from SHA-1 of the Windows-1252 bytes.
    EXPECT_EQ(CodigoVerificacion(QStringLiteral("ABC123"), QStringLiteral("12345678")), QStringLiteral("DA"));
    EXPECT_EQ(CodigoVerificacion(QStringLiteral("Ñandú"), QStringLiteral("001")), QStringLiteral("1B"));
    EXPECT_TRUE(App().gUtil->ValidaNumeroOrden(QStringLiteral("ABC123"), QStringLiteral("12345678"),
                                               CodigoVerificacion(QStringLiteral("ABC123"), QStringLiteral("12345678"))));
}

TEST_F(ProcedimientosTest, StatusBarWritesOnlyWhenThereIsOne)
{
    ActualizaBarraEstado(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("201305"), QStringLiteral("0947"));
    LimpiaMensajeBarra();
    zav::BarradeEstadoZAV barra;
    App().gBarraEstado = &barra;
    ActualizaBarraEstado(QStringLiteral("20000000001"), QStringLiteral("ACME"), QStringLiteral("201305"),
                         QStringLiteral("0947"));
    EXPECT_EQ(barra.periodo_ejercicio(), QStringLiteral("05/2013"));
    EXPECT_EQ(barra.razonsocial(), QStringLiteral("ACME"));
    LimpiaMensajeBarra();
    EXPECT_EQ(barra.razonsocial(), QString());
    EXPECT_EQ(barra.numdoc(), QStringLiteral("20000000001"));
    App().gBarraEstado = nullptr;
}

TEST_F(ProcedimientosTest, FramesFollowTheSecondThirdAndSixthFlag)
{
    QWidget frm;
    QWidget* marcos[6];
    for (int i = 0; i < 6; ++i) {
        marcos[i] = new QWidget(&frm);
        marcos[i]->setObjectName(QStringLiteral("Frame1_%1").arg(i));
    }
    frm.show();
    MuestraMarcos(&frm, false, true, false, false, false, true);
    EXPECT_TRUE(marcos[1]->isVisible());
    EXPECT_FALSE(marcos[2]->isVisible());
    EXPECT_TRUE(marcos[5]->isVisible());
    MuestraMarcos(&frm, true, false, true, true, true, false);
    EXPECT_FALSE(marcos[1]->isVisible());
    EXPECT_TRUE(marcos[2]->isVisible());
    EXPECT_FALSE(marcos[5]->isVisible());
    // The unused flags touch nothing.
    EXPECT_TRUE(marcos[0]->isVisible());
    EXPECT_TRUE(marcos[3]->isVisible());
}

TEST_F(ProcedimientosTest, PlacementCentresInTheMainWindow)
{
    QWidget mdi;
    mdi.resize(600, 450);
    App().gVentanaPrincipal = &mdi;
    QWidget frm;
    frm.resize(300, 150);
    UbicaFormulario(&frm);
    EXPECT_EQ(frm.pos(), QPoint(150, 150));
    frm.setObjectName(QStringLiteral("Frm947"));
    UbicaFormulario(&frm);
    EXPECT_EQ(frm.pos(), QPoint(150, 150 - 240 / 15));
    CentraFormulario(&mdi, &frm);
    EXPECT_EQ(frm.pos(), QPoint(150, 150));
    App().gVentanaPrincipal = nullptr;
}

TEST_F(ProcedimientosTest, ComboDropDownIsTwoCharactersNarrower)
{
    QWidget frm;
    QComboBox combo(&frm);
    const int ancho = AnchoPromedioCaracter(&frm);
    ASSERT_GT(ancho, 0);
    AnchoListaCombo(&frm, &combo, 15);
    EXPECT_EQ(combo.view()->minimumWidth(), 13 * ancho);
}

TEST_F(ProcedimientosTest, TabKeyMovesTheFocusAfterTheCurrentEvent)
{
    QDialog dlg;
    auto* primero = new QLineEdit(&dlg);
    auto* segundo = new QLineEdit(&dlg);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(primero);
    layout->addWidget(segundo);
    dlg.show();
    dlg.activateWindow();
    primero->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), primero);
    EnviaTecla(QStringLiteral("ENTER"));
    EnviaTecla(QStringLiteral("TAB"));
    EXPECT_EQ(QApplication::focusWidget(), primero);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), segundo);
}

// Keeps what the procedures asked of the printer.
class ImpresoraGrabadora : public zav::Impresora {
public:
    QStringList pasos;
    void setFontName(const QString& n) override { pasos << QStringLiteral("font ") + n; }
    void setFontBold(bool b) override { pasos << QStringLiteral("bold %1").arg(b); }
    void setFontSize(int s) override { pasos << QStringLiteral("size %1").arg(s); }
    void setCurrentX(int x) override { pasos << QStringLiteral("x %1").arg(x); }
    void setCurrentY(int y) override { pasos << QStringLiteral("y %1").arg(y); }
    void setDrawWidth(int w) override { pasos << QStringLiteral("width %1").arg(w); }
    void Print(const QString& t) override { pasos << QStringLiteral("print ") + t; }
    void Line(int x1, int y1, int x2, int y2, const QColor& c) override
    {
        pasos << QStringLiteral("line %1,%2-%3,%4 %5").arg(x1).arg(y1).arg(x2).arg(y2).arg(c.name());
    }
    void NewPage() override { pasos << QStringLiteral("page"); }
    void EndDoc() override { pasos << QStringLiteral("end"); }
};

TEST_F(ProcedimientosTest, PrinterPrimitives)
{
    ImpresoraGrabadora p;
    zav::ImpresoraScope scope(p);
    ImprimeTexto(500, 900, QStringLiteral("Inconsistencias"), true, 12);
    DibujaRecuadro(100, 200, 3000, 4000);
    EXPECT_EQ(p.pasos, (QStringList{
                           QStringLiteral("font Courier new"), QStringLiteral("bold 1"), QStringLiteral("size 12"),
                           QStringLiteral("x 500"), QStringLiteral("y 900"), QStringLiteral("print Inconsistencias"),
                           QStringLiteral("font Courier new"), QStringLiteral("width 1"),
                           QStringLiteral("line 100,200-100,4000 #000000"),
                           QStringLiteral("line 3000,200-3000,4000 #000000"),
                           QStringLiteral("line 100,200-3000,200 #000000"),
                           QStringLiteral("line 100,4000-3000,4000 #000000"),
                       }));
}

TEST_F(ProcedimientosTest, HelpOpensOnlyAnExistingFile)
{
    QStringList abiertos;
    AyudaScope scope([&](const QString& f) { abiertos << f; });
    const QString archivo = ws_.sysPath + QStringLiteral("0947/Kz947.hlp");
    AbreAyuda(archivo);
    AbreAyuda(QString());
    EXPECT_TRUE(abiertos.isEmpty());
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    AbreAyuda(archivo);
    EXPECT_EQ(abiertos, QStringList{archivo});
}

} // namespace
