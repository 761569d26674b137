// The print dialog and its page-range dialog: what they list, what they write, what they
// open, and how they refuse.
#include "tests/printing/ImpresionFixture.h"

#include "common/Paths.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ModalRunner.h"
#include "printing/frmImprimir.h"
#include "printing/frmImpxPag.h"
#include "printing/frmPreview.h"
#include "shell/modulo/ModeloDeclaraciones.h"
#include "tests/support/LimiteArchivos.h"

#include <QApplication>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>

namespace {

const QString kAndina = QStringLiteral("20100066603");   // ADMIN's, periods 201405 and 201201
const QString kTacna = QStringLiteral("20523456781");    // CONTADOR's, period 201305

// What the dialogs opened: the range dialog as the opener left it, the preview's file.
struct Abiertas {
    struct Rango {
        QString titulo, total, tag;
        bool modoRango = false;
    };
    std::vector<Rango> rangos;
    std::vector<QString> previas;
    QStringList otras;
    std::function<void()> conElRango;   // runs while the range dialog is open
};

class Imprimir : public ImpresionFixture {
protected:
    void SetUp() override
    {
        pdfAntes_ = qgetenv("ZAV_PRINTER_PDF");
        ImpresionFixture::SetUp();
        if (HasFatalFailure())
            return;
        // Imprimir prints: to a PDF of the test's own, whatever printer the machine has.
        qputenv("ZAV_PRINTER_PDF", QFile::encodeName(pdf_.filePath(QStringLiteral("salida.pdf"))));
        barra_ = std::make_unique<zav::BarradeEstadoZAV>();
        App().gBarraEstado = barra_.get();
        // The sent one first: its taxpayer's name gives way to the stored ones'.
        cargaDeclaracion(QStringLiteral("amazonia_2013_enviada.txt"));
        cargaDeclaracion(QStringLiteral("general_2014_perdidas.txt"));
        cargaDeclaracion(QStringLiteral("general_2012_enero_sistema_b.txt"));
        cargaDeclaracion(QStringLiteral("frontera_2013_sin_perdidas.txt"));
        db().Execute(QStringLiteral("UPDATE CONT SET USUARIO='CONTADOR' WHERE DOC_ID_D=?"), 0, {kTacna});
        db().Execute(QStringLiteral("UPDATE CAB SET rectifica='0'"), 0);
        db().Execute(QStringLiteral("UPDATE CAB SET rectifica='1' WHERE DOC_ID_D=? AND PERIODO='201305'"), 0, {kTacna});
        db().Execute(QStringLiteral("UPDATE HCAB SET fec_env=? WHERE DOC_ID_D=?"), 0,
                     {dao::Variant(QDateTime(QDate(2013, 9, 12), QTime(10, 30))), dao::Variant(kAndina)});
        // A sent declaration of another taxpayer, and one that is not in state 1.
        Enviada(kTacna, QStringLiteral("201305"), QStringLiteral("001"), 1, QStringLiteral("ZZ99XY"));
        Enviada(kAndina, QStringLiteral("201201"), QStringLiteral("003"), 0, QStringLiteral("NO0000"));
        ReiniciaImpresion();
        App().gRuc.clear();
        App().gPeriodo.clear();
        App().gCorrel.clear();
        finalizados_ = 0;
    }

    void TearDown() override
    {
        App().gBarraEstado = nullptr;
        barra_.reset();
        qputenv("ZAV_PRINTER_PDF", pdfAntes_);
        ImpresionFixture::TearDown();
    }

    void Enviada(const QString& ruc, const QString& periodo, const QString& correl, int estado, const QString& control)
    {
        db().Execute(QStringLiteral("INSERT INTO HCAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, estado, norden, CONTROL,"
                                    " rectifica) VALUES (6, ?, ?, '0947', ?, ?, '777', ?, '0')"),
                     0, {ruc, periodo, correl, estado, control});
    }

    // The dialog as its first show leaves it.
    std::unique_ptr<frmImprimir> Dialogo(bool enviadas)
    {
        App().gEnviadas = enviadas;
        App().gModoEnviadas = enviadas;
        auto d = std::make_unique<frmImprimir>();
        QObject::connect(d.get(), &QDialog::finished, [this] { ++finalizados_; });
        d->frmImprimir_Form_Load();
        d->frmImprimir_Form_Activate();
        return d;
    }

    static QStringList Filas(const frmImprimir& d, std::initializer_list<int> columnas)
    {
        QStringList filas;
        for (int r = 0; r < d.Modelo()->rowCount(); ++r) {
            QStringList c;
            for (int k : columnas)
                c << d.Modelo()->index(r, k).data().toString();
            filas << c.join(QLatin1Char('|'));
        }
        return filas;
    }

    static void Fila(frmImprimir& d, int r) { d.grdContrib->setCurrentIndex(d.Modelo()->index(r, 0)); }

    // A runner that records what opens and leaves every window at once.
    zav::ModalRunnerScope Registra(Abiertas& a)
    {
        return zav::ModalRunnerScope([&a](QDialog& dlg) {
            if (auto* r = qobject_cast<frmImpxPag*>(&dlg)) {
                a.rangos.push_back({r->windowTitle(), r->txtTotPaginas->Text(), r->Tag, App().gModoRango});
                if (a.conElRango)
                    a.conElRango();
            } else if (auto* p = qobject_cast<frmPreview*>(&dlg)) {
                a.previas.push_back(p->Archivo);
            } else {
                a.otras << dlg.objectName();
            }
            return 0;
        });
    }

    int FilasSpool()
    {
        auto rs = db().OpenRecordset(QStringLiteral("SELECT count(*) FROM SPOOL"), dao::dbOpenSnapshot);
        return static_cast<int>(rs->Fields(0).Value().toInt64());
    }

    QString ArchivoReporte(const QString& nombre) const { return zav::ResolvePath(zav::JoinPath(App().gRutaRpt, nombre)); }

    std::unique_ptr<zav::BarradeEstadoZAV> barra_;
    int finalizados_ = 0;
    QTemporaryDir pdf_;
    QByteArray pdfAntes_;
};

// Columns 0 RUC, 3 Ejercicio, 4 Formulario, 10 Rectifica.
TEST_F(Imprimir, TheStoredListShowsEveryTaxpayerOnlyToAUserOfType0)
{
    const struct {
        const char* usuario;
        QStringList filas;
    } casos[] = {
        {"ADMIN",
         {kAndina + QStringLiteral("|201405|0947|No"), kAndina + QStringLiteral("|201201|0947|No"),
          kTacna + QStringLiteral("|201305|0947|Si")}},
        {"contador", {kTacna + QStringLiteral("|201305|0947|Si")}},
        {"x' OR '1'='1", {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.usuario);
        App().gUsuario = QString::fromLatin1(c.usuario);
        auto d = Dialogo(false);
        EXPECT_EQ(Filas(*d, {0, 3, 4, 10}), c.filas);
        EXPECT_FALSE(Impresion().gEnviadaImp);
    }
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(Imprimir, TheSentListShowsOnlyState1)
{
    auto d = Dialogo(true);
    // RUC, N.Orden, Fecha Envio, Control, Correlativo.
    EXPECT_EQ(Filas(*d, {0, 5, 6, 7, 8}),
              (QStringList{kAndina + QStringLiteral("|123456|12/09/2013|AB12CD|002"),
                           kTacna + QStringLiteral("|777||ZZ99XY|001")}));
    EXPECT_TRUE(Impresion().gEnviadaImp);
    // The current row's control number once the window is active.
    EXPECT_EQ(Impresion().gNumControlImp, QStringLiteral("AB12CD"));
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(Imprimir, CaptionsAndColumnsByList)
{
    const QStringList titulos{QStringLiteral("RUC"),        QStringLiteral("Razón Social"), QStringLiteral("Periodo"),
                              QStringLiteral("Ejercicio"),  QStringLiteral("Formulario"),   QStringLiteral("N.Orden"),
                              QStringLiteral("Fecha Envio"), QStringLiteral("Control"),     QStringLiteral("Correlativo"),
                              QStringLiteral("Estado"),     QStringLiteral("Rectifica"),    QStringLiteral("Semana")};
    const struct {
        bool enviadas;
        const char* titulo;
        const char* marco;
        std::vector<int> visibles;
    } casos[] = {
        {false, "Imprimir ", "Declaraciones registradas", {0, 1, 3, 4, 10, 11}},
        {true, "Imprimir Formularios enviados", "Declaraciones Enviadas", {0, 1, 3, 4, 5, 6, 7, 8, 10, 11}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.titulo);
        auto d = Dialogo(c.enviadas);
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.titulo));
        EXPECT_EQ(d->Frame2->title(), QString::fromUtf8(c.marco));
        QStringList t;
        std::vector<int> visibles;
        for (int k = 0; k < d->Modelo()->columnCount(); ++k) {
            t << d->Modelo()->headerData(k, Qt::Horizontal).toString();
            if (!d->grdContrib->isColumnHidden(k))
                visibles.push_back(k);
        }
        EXPECT_EQ(t, titulos);
        EXPECT_EQ(visibles, c.visibles);
        EXPECT_EQ(d->property("HelpContextID").toInt(), c.enviadas ? 1017 : 1016);
        QStringList botones;
        for (const auto& [i, b] : d->CmdImprimir)
            botones << b->text();
        EXPECT_EQ(botones, (QStringList{QStringLiteral("&Preliminar"), QStringLiteral("&Imprimir"), QStringLiteral("&Salir")}));
    }
}

TEST_F(Imprimir, OnlyTheAnnexOptionsEnableTheAnnexes)
{
    auto d = Dialogo(false);
    EXPECT_EQ(d->Frame1->title(), QStringLiteral("Opciones"));
    EXPECT_EQ(d->Frame3->title(), QStringLiteral("Anexos"));
    EXPECT_EQ(d->OptImp->Chosen(), 0);
    EXPECT_FALSE(d->ChkAnexos[0]->Enabled());
    d->OptImp->SetValue(2, true);
    d->ChkAnexos[1]->SetValue(1);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(d->ChkAnexos[i]->Enabled()) << i;
    d->OptImp->SetValue(0, true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(d->ChkAnexos[i]->Enabled()) << i;
        EXPECT_EQ(d->ChkAnexos[i]->Value(), 0) << i;
    }
}

TEST_F(Imprimir, TheStatusBarAndThePrintStateFollowTheRow)
{
    auto d = Dialogo(false);
    Fila(*d, 2);
    EXPECT_EQ(barra_->numdoc(), kTacna);
    EXPECT_EQ(barra_->razonsocial(), QStringLiteral("INDUSTRIAS TACNA S.A."));
    EXPECT_EQ(barra_->periodo_ejercicio(), QStringLiteral("05/2013"));
    EXPECT_EQ(App().gRuc, kTacna);
    EXPECT_EQ(App().gPeriodo, QStringLiteral("201305"));
    EXPECT_EQ(Impresion().gRazonSocialImp, QStringLiteral("INDUSTRIAS TACNA S.A."));
    // Leaving keeps only the form.
    d->frmImprimir_CmdImprimir_Click(2);
    EXPECT_EQ(finalizados_, 1);
    EXPECT_EQ(barra_->numdoc(), QString());
    EXPECT_EQ(barra_->razonsocial(), QString());
    EXPECT_EQ(barra_->periodo_ejercicio(), QString());
    EXPECT_EQ(barra_->formulario(), QStringLiteral("0947"));
}

// Preliminar writes the chosen row's report, opens the range dialog on it, and comes back
// to the same row.
TEST_F(Imprimir, PreliminarOpensTheRangeDialogOnTheChosenRowsReport)
{
    auto d = Dialogo(false);
    Fila(*d, 1);
    Abiertas a;
    // Meanwhile the list moves to its first row, as a refresh leaves it.
    a.conElRango = [&] { Fila(*d, 0); };
    auto runner = Registra(a);
    d->frmImprimir_CmdImprimir_Click(0);
    ASSERT_EQ(a.rangos.size(), 1u);
    EXPECT_TRUE(a.previas.empty());
    EXPECT_EQ(a.rangos[0].titulo, QStringLiteral("Impresión de 5 páginas"));
    EXPECT_EQ(a.rangos[0].total, QStringLiteral("5"));
    EXPECT_EQ(a.rangos[0].tag, QStringLiteral("00000001.PRN"));
    EXPECT_TRUE(a.rangos[0].modoRango);
    EXPECT_EQ(App().gArchivo, ArchivoReporte(a.rangos[0].tag));
    EXPECT_EQ(lee(App().gArchivo), lee(archivoPrueba(QStringLiteral("esperados/general_2012_enero_sistema_b.PRN"))));
    auto rs = db().OpenRecordset(QStringLiteral("SELECT CodRep, Archivo, DOC_ID_D FROM SPOOL"), dao::dbOpenSnapshot);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(0).Value().toText(), QStringLiteral("RCP001"));
    EXPECT_EQ(rs->Fields(1).Value().toText(), a.rangos[0].tag);
    EXPECT_EQ(rs->Fields(2).Value().toText(), kAndina);
    EXPECT_EQ(App().gPeriodo, QStringLiteral("201201"));
    EXPECT_EQ(d->FilaActual(), 1);
    // The list read again on coming back still returns to it.
    d->frmImprimir_Form_Activate();
    EXPECT_EQ(d->FilaActual(), 1);
    EXPECT_EQ(finalizados_, 0);
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_FALSE(zav::IsHourglass());
}

// The whole road to the screen: a range chosen in the range dialog reaches the preview.
TEST_F(Imprimir, ARangeChosenAfterPreliminarReachesThePreview)
{
    auto d = Dialogo(false);
    Fila(*d, 2);
    QString archivo;
    std::pair<int, int> rango;
    int rangos = 0;
    zav::ModalRunnerScope runner([&](QDialog& dlg) {
        if (auto* r = qobject_cast<frmImpxPag*>(&dlg)) {
            ++rangos;
            r->txtPagDesde->SetText(QStringLiteral("2"));
            r->txtPagHasta->SetText(QStringLiteral("3"));
            r->frmImpxPag_cmdAccion_Click(0);
        } else if (auto* p = qobject_cast<frmPreview*>(&dlg)) {
            archivo = p->Archivo;
            rango = {App().gPagDesde, App().gPagHasta};
        }
        return 0;
    });
    d->frmImprimir_CmdImprimir_Click(0);
    EXPECT_EQ(rangos, 1);
    EXPECT_EQ(archivo, QStringLiteral("00000001.PRN"));
    EXPECT_EQ(rango, std::make_pair(2, 3));
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(Imprimir, ImprimirWritesTheReportAndShowsNoWindow)
{
    auto d = Dialogo(false);
    Fila(*d, 0);
    Abiertas a;
    {
        auto runner = Registra(a);
        d->frmImprimir_CmdImprimir_Click(1);
    }
    EXPECT_TRUE(lee(pdf_.filePath(QStringLiteral("salida.pdf"))).startsWith("%PDF"));
    EXPECT_TRUE(a.rangos.empty());
    EXPECT_TRUE(a.previas.empty());
    EXPECT_TRUE(a.otras.isEmpty());
    EXPECT_EQ(FilasSpool(), 1);
    EXPECT_EQ(lee(ArchivoReporte(QStringLiteral("00000001.PRN"))),
              lee(archivoPrueba(QStringLiteral("esperados/general_2014_perdidas.PRN"))));
    EXPECT_FALSE(App().gModoRango);
    EXPECT_EQ(App().gOpcion, 2);
    EXPECT_EQ(finalizados_, 0);
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(Imprimir, EnterAndDoubleClickInTheGridArePreliminar)
{
    App().gEnviadas = false;
    frmImprimir d;
    Abiertas a;
    auto runner = Registra(a);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    ASSERT_EQ(d.Modelo()->rowCount(), 3);
    d.grdContrib->setFocus();
    Fila(d, 2);
    QTest::keyClick(d.grdContrib, Qt::Key_Return);
    ASSERT_EQ(a.rangos.size(), 1u);
    EXPECT_EQ(App().gRuc, kTacna);
    EXPECT_EQ(d.FilaActual(), 2);
    const QRect celda = d.grdContrib->visualRect(d.Modelo()->index(1, 0));
    QTest::mouseClick(d.grdContrib->viewport(), Qt::LeftButton, {}, celda.center());
    QTest::mouseDClick(d.grdContrib->viewport(), Qt::LeftButton, {}, celda.center());
    ASSERT_EQ(a.rangos.size(), 2u);
    EXPECT_EQ(App().gPeriodo, QStringLiteral("201201"));
    EXPECT_EQ(FilasSpool(), 2);
    EXPECT_TRUE(d.isVisible());
    d.hide();
}

TEST_F(Imprimir, AnEmptyListDisablesTheGridAndPrintsNothing)
{
    App().gUsuario = QStringLiteral("NADIE");
    auto d = Dialogo(false);
    EXPECT_EQ(d->Modelo()->rowCount(), 0);
    EXPECT_FALSE(d->grdContrib->isEnabled());
    Abiertas a;
    auto runner = Registra(a);
    for (int i : {0, 1})
        d->frmImprimir_CmdImprimir_Click(i);
    EXPECT_TRUE(a.rangos.empty() && a.previas.empty() && a.otras.isEmpty());
    EXPECT_EQ(FilasSpool(), 0);
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_EQ(finalizados_, 0);
    d->frmImprimir_CmdImprimir_Click(2);
    EXPECT_EQ(finalizados_, 1);
}

TEST_F(Imprimir, AnUnreadableListIsReportedAndTheDialogStays)
{
    db().Execute(QStringLiteral("DROP TABLE CAB"), 0);
    auto d = Dialogo(false);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error"));
    EXPECT_TRUE(msgs_->Last().text.contains(QStringLiteral("CAB"))) << msgs_->Last().text.toStdString();
    EXPECT_FALSE(d->grdContrib->isEnabled());
    EXPECT_EQ(finalizados_, 0);
    EXPECT_EQ(end_->Count(), 0);
    EXPECT_FALSE(zav::IsHourglass());
}

// A list that can no longer be read on coming back keeps the rows it shows.
TEST_F(Imprimir, AFailedReadOnActivationKeepsTheList)
{
    auto d = Dialogo(false);
    Fila(*d, 1);
    db().Execute(QStringLiteral("ALTER TABLE CONT RENAME TO CONT_X"), 0);
    d->frmImprimir_Form_Activate();
    EXPECT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(d->Modelo()->rowCount(), 3);
    EXPECT_EQ(d->FilaActual(), 1);
    EXPECT_EQ(d->Columna(0), kAndina);
    EXPECT_EQ(finalizados_, 0);
}

// A failure while loading or registering is reported once and nothing is shown or printed.
struct Fallo {
    const char* sql;
    int boton;
};

class ImprimirConFallo : public Imprimir, public ::testing::WithParamInterface<Fallo> {};

TEST_P(ImprimirConFallo, PreviewsAndPrintsNothing)
{
    auto d = Dialogo(false);
    ASSERT_EQ(d->Modelo()->rowCount(), 3);
    db().Execute(QString::fromLatin1(GetParam().sql), 0);
    Abiertas a;
    auto runner = Registra(a);
    d->frmImprimir_CmdImprimir_Click(GetParam().boton);
    EXPECT_EQ(msgs_->Count(), 1);
    EXPECT_TRUE(a.rangos.empty() && a.previas.empty() && a.otras.isEmpty());
    EXPECT_FALSE(App().gModoRango);
    EXPECT_FALSE(QFileInfo::exists(ArchivoReporte(QStringLiteral("00000001.PRN"))));
    EXPECT_EQ(d->Modelo()->rowCount(), 3);
    EXPECT_EQ(finalizados_, 0);
    EXPECT_EQ(end_->Count(), 0);
    EXPECT_FALSE(zav::IsHourglass());
}

INSTANTIATE_TEST_SUITE_P(Tablas, ImprimirConFallo,
                         ::testing::Values(Fallo{"DROP TABLE SPOOL", 0}, Fallo{"DROP TABLE SPOOL", 1},
                                           Fallo{"DROP TABLE DET", 0}, Fallo{"DROP TABLE DET", 1}));

// The report file cannot be written (a folder holds the name its row would get, or the
// disk fills up): the message, and no SPOOL row, no file, no temporary file; the dialog
// stays. Once the file can be written, its row and its whole file go in together.
TEST_F(Imprimir, AReportThatCannotBeWrittenIsNotRegistered)
{
    const QString nombre = QStringLiteral("00000001.PRN");
    const QString estorbo = zav::JoinPath(App().gRutaRpt, nombre);
    const QByteArray esperado = lee(archivoPrueba(QStringLiteral("esperados/general_2014_perdidas.PRN")));
    for (int boton : {0, 1}) {
        for (const bool lleno : {false, true}) {
            SCOPED_TRACE(testing::Message() << "boton " << boton << (lleno ? " disco lleno" : " carpeta"));
            db().Execute(QStringLiteral("DELETE FROM SPOOL"), 0);
            QDir(App().gRutaRpt).removeRecursively();
            ASSERT_TRUE(QDir().mkpath(App().gRutaRpt));
            if (!lleno) {
                ASSERT_TRUE(QDir().mkpath(estorbo));
            }
            msgs_->Clear();
            auto d = Dialogo(false);
            Fila(*d, 0);
            Abiertas a;
            {
                auto runner = Registra(a);
                std::unique_ptr<LimiteArchivos> limite;
                if (lleno)
                    limite = std::make_unique<LimiteArchivos>(esperado.size() / 2);
                d->frmImprimir_CmdImprimir_Click(boton);
            }
            ASSERT_EQ(msgs_->Count(), 1);
            // The runtime's text, and the system's reason.
            EXPECT_EQ(msgs_->Last().text,
                      lleno ? QStringLiteral("Error Técnico : ( 57) Error de entrada o salida en el dispositivo: ")
                                  + QString::fromLocal8Bit(std::strerror(EFBIG)) + QLatin1Char('.')
                            : QStringLiteral("Error Técnico : ( 75) Error de acceso a la ruta o al archivo: ")
                                  + QString::fromLocal8Bit(std::strerror(EISDIR)) + QLatin1Char('.'));
            EXPECT_EQ(msgs_->Last().title, QStringLiteral("Impresión"));
            EXPECT_EQ(FilasSpool(), 0);
            EXPECT_EQ(QDir(App().gRutaRpt).entryList(QDir::Files | QDir::Hidden), QStringList());
            EXPECT_TRUE(a.rangos.empty() && a.previas.empty() && a.otras.isEmpty());
            EXPECT_EQ(finalizados_, 0);
            EXPECT_FALSE(zav::IsHourglass());

            QDir(estorbo).removeRecursively();
            msgs_->Clear();
            {
                auto runner = Registra(a);
                d->frmImprimir_CmdImprimir_Click(boton);
            }
            EXPECT_EQ(msgs_->Count(), 0);
            EXPECT_EQ(FilasSpool(), 1);
            EXPECT_EQ(lee(ArchivoReporte(nombre)), esperado);
            EXPECT_EQ(QDir(App().gRutaRpt).entryList(QDir::Files | QDir::Hidden), QStringList{nombre});
        }
    }
}

// The sent report carries the control number of the row chosen, on either button, even
// when another row was current when the window became active.
TEST_F(Imprimir, TheControlNumberComesFromTheChosenRow)
{
    for (int boton : {0, 1}) {
        SCOPED_TRACE(boton);
        auto d = Dialogo(true);
        ASSERT_EQ(Impresion().gNumControlImp, QStringLiteral("AB12CD"));
        Fila(*d, 1);
        Abiertas a;
        auto runner = Registra(a);
        d->frmImprimir_CmdImprimir_Click(boton);
        EXPECT_EQ(Impresion().gNumControlImp, QStringLiteral("ZZ99XY"));
        EXPECT_EQ(App().gCorrel, QStringLiteral("001"));
        EXPECT_EQ(App().gNumOrden, QStringLiteral("777"));
        EXPECT_EQ(App().gControl, QStringLiteral("ZZ99XY"));
        EXPECT_TRUE(lee(App().gArchivo).contains("ZZ99XY"));
        EXPECT_FALSE(lee(App().gArchivo).contains("AB12CD"));
    }
    EXPECT_EQ(msgs_->Count(), 0);
}

// A taxpayer whose name is the page break's keyword: it prints as his name on each of
// the five pages, which stay five.
TEST_F(Imprimir, ANameThatIsThePageBreaksKeywordPrintsAsAName)
{
    db().Execute(QStringLiteral("UPDATE CONT SET NOMBRE='pNuevaHoja' WHERE DOC_ID_D=?"), 0, {kAndina});
    auto d = Dialogo(false);
    Fila(*d, 0);
    Abiertas a;
    {
        auto runner = Registra(a);
        d->frmImprimir_CmdImprimir_Click(0);
    }
    ASSERT_EQ(a.rangos.size(), 1u);
    EXPECT_EQ(a.rangos[0].total, QStringLiteral("5"));
    QByteArray esperado = lee(archivoPrueba(QStringLiteral("esperados/general_2014_perdidas.PRN")));
    esperado.replace("|COMERCIAL ANDINA S.A.C.|", "|pNuevaHoja|");
    const QByteArray escrito = lee(ArchivoReporte(QStringLiteral("00000001.PRN")));
    EXPECT_EQ(escrito.toStdString(), esperado.toStdString());
    EXPECT_EQ(escrito.count("\r\npNuevaHoja\r\n"), 4);
    EXPECT_EQ(escrito.count("|pNuevaHoja|"), 5);
    EXPECT_EQ(msgs_->Count(), 0);
}

// A stored value that no number can be ("1E999"), or an amount of 10^15 or more, written
// there by another program: the declaration prints, stored or sent, and each such box
// prints as the declaration window shows it, as if it were empty.
TEST_F(Imprimir, AnUnreadableStoredValuePrintsAsAnEmptyBox)
{
    struct Caso {
        const char* nombre;
        bool enviada;
        const char* casilla; // nullptr: the amount of the loss of 2001
        const char* valor;
    };
    const Caso casos[] = {
        {"an amount of the statements", false, "500", "1E999"},
        {"an amount of the determination of 10^15", false, "113", "1000000000000000"},
        {"a negative amount in parentheses beyond the range", false, "500", "(9999999999999999)"},
        {"the coefficient", false, "610", "1E999"},
        {"the coefficient, too large", false, "610", "1E20"},
        {"an assistant's amount", false, "650", "1E999"},
        {"the telephone", false, "028", "1E999"},
        {"a loss amount", false, nullptr, "1E999"},
        {"an amount of a sent declaration", true, "500", "1E999"},
        {"a sent declaration's coefficient", true, "610", "-1E300"},
    };
    const auto pon = [this](const Caso& c, const QString& valor) {
        if (!c.casilla)
            db().Execute(QStringLiteral("UPDATE F0947_PTCEA SET Importe=? WHERE DOC_ID_D=? AND PERIODO='201405' "
                                        "AND Anho='2001'"),
                         0, {valor, kAndina});
        else
            db().Execute(QStringLiteral("UPDATE ") + (c.enviada ? QStringLiteral("HDET") : QStringLiteral("DET")) +
                             QStringLiteral(" SET i_valor=? WHERE DOC_ID_D=? AND PERIODO=? AND CASILLA=?"),
                         0,
                         {valor, kAndina, c.enviada ? QStringLiteral("201308") : QStringLiteral("201405"),
                          QString::fromLatin1(c.casilla)});
    };
    const auto imprime = [this](bool enviada) {
        auto d = Dialogo(enviada);
        Fila(*d, 0);
        Abiertas a;
        auto runner = Registra(a);
        d->frmImprimir_CmdImprimir_Click(1);
        return lee(App().gArchivo);
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const int antes = FilasSpool();
        msgs_->Clear();
        pon(c, QString());
        const QByteArray vacia = imprime(c.enviada);
        pon(c, QString::fromLatin1(c.valor));
        const QByteArray escrito = imprime(c.enviada);
        EXPECT_EQ(msgs_->Count(), 0) << msgs_->Texts().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(FilasSpool(), antes + 2);
        EXPECT_FALSE(vacia.isEmpty());
        EXPECT_EQ(escrito.toStdString(), vacia.toStdString());
        pon(c, QStringLiteral("1"));
    }
}

// ---- the range dialog -----------------------------------------------------------------------

class RangoPaginas : public Imprimir {
protected:
    std::unique_ptr<frmImpxPag> Rango(int total)
    {
        auto r = std::make_unique<frmImpxPag>();
        r->setWindowTitle(QStringLiteral("Impresión de %1 páginas").arg(total));
        r->txtTotPaginas->SetText(QString::number(total));
        r->Tag = QStringLiteral("00000007.PRN");
        QObject::connect(r.get(), &QDialog::finished, [this] { ++finalizados_; });
        return r;
    }
};

TEST_F(RangoPaginas, LoadsWithPageOneAndTheWarning)
{
    App().gModoEnviadas = true;
    auto r = Rango(5);
    EXPECT_EQ(r->txtPagDesde->Text(), QStringLiteral("1"));
    EXPECT_EQ(r->txtPagHasta->Text(), QStringLiteral("1"));
    EXPECT_EQ(r->Frame1->title(), QStringLiteral("Imprimir"));
    EXPECT_EQ(r->Label2->Caption(), QStringLiteral("&Desde :"));
    EXPECT_EQ(r->Label1->Caption(), QStringLiteral("&Hasta :"));
    EXPECT_EQ(r->cmdAccion[0]->text(), QStringLiteral("&Preliminar"));
    EXPECT_EQ(r->cmdAccion[1]->text(), QStringLiteral("&Cancelar"));
    EXPECT_EQ(r->property("HelpContextID").toInt(), 1017);
    EXPECT_EQ(r->Text1->toPlainText(),
              QStringLiteral("El   reporte   generado   contiene                  página(s).\n\n"
                             "Si  su  consulta  contiene  más  de  10  páginas  puede\n"
                             "ocasionar la caída del programa debido a la saturación\n"
                             "de la memoria de la computadora.\n\n"
                             "Se  recomienda  imprimir  en  rangos  no  mayores a 10\n"
                             "páginas."));
    // The total sits on the first line of the warning.
    const QRect texto = r->Text1->geometry();
    const QRect total = r->txtTotPaginas->geometry();
    EXPECT_TRUE(texto.contains(total)) << total.x() << "," << total.y();
    EXPECT_LT(total.y(), texto.y() + texto.height() / 8 + 4);
}

TEST_F(RangoPaginas, ChecksInOrderThenPreviewsTheRange)
{
    const QString inicio = QStringLiteral("Ingrese página de inicio");
    const QString desde1 = QStringLiteral("Página inicial debe ser a partir de 1");
    const QString mayor = QStringLiteral("Página inicial no debe ser mayor a total de páginas del reporte");
    const QString fin = QStringLiteral("Ingrese página de Fin");
    const QString menor = QStringLiteral("Página final no debe ser menor a página inicial");
    const struct {
        const char* desde;
        const char* hasta;
        QString mensaje;   // "" previews
        int pagDesde, pagHasta;
    } casos[] = {
        {"", "", inicio, 0, 0},
        {"   ", "3", inicio, 0, 0},
        {"0", "3", desde1, 0, 0},
        {"abc", "3", desde1, 0, 0},
        {"-2", "3", desde1, 0, 0},
        {"0.5", "3", desde1, 0, 0},   // would be page 0
        {"6", "", mayor, 0, 0},
        {"99999", "99999", mayor, 0, 0},
        {"1E999", "3", mayor, 0, 0},
        {"2", "", fin, 0, 0},
        {"2", "  ", fin, 0, 0},
        {"2", "1", menor, 0, 0},
        {"1.5", "3", "", 2, 3},
        {"2.5", "4", "", 2, 4},
        {"2", "3.5", "", 2, 4},
        {"1", "5", "", 1, 5},
        {"5", "5", "", 5, 5},
        {"1", "7", "", 1, 5},
        {"1", "99999", "", 1, 5},
        {"3", "1E999", "", 3, 5},
        {" 2 ", "4 x", "", 2, 4},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.desde) + " - " + c.hasta);
        msgs_->Clear();
        App().gPagDesde = 0;
        App().gPagHasta = 0;
        auto r = Rango(5);
        r->txtPagDesde->SetText(QString::fromLatin1(c.desde));
        r->txtPagHasta->SetText(QString::fromLatin1(c.hasta));
        Abiertas a;
        {
            auto runner = Registra(a);
            r->frmImpxPag_cmdAccion_Click(0);
        }
        if (c.mensaje.isEmpty()) {
            EXPECT_EQ(msgs_->Count(), 0);
            EXPECT_EQ(a.previas, std::vector<QString>{QStringLiteral("00000007.PRN")});
            EXPECT_EQ(App().gPagDesde, c.pagDesde);
            EXPECT_EQ(App().gPagHasta, c.pagHasta);
        } else {
            ASSERT_EQ(msgs_->Count(), 1);
            EXPECT_EQ(msgs_->Last().text, c.mensaje);
            EXPECT_EQ(msgs_->Last().style, 16);
            EXPECT_EQ(msgs_->Last().title, QStringLiteral("Impresión de 5 páginas"));
            EXPECT_TRUE(a.previas.empty());
            EXPECT_EQ(App().gPagDesde, 0);
        }
        // The dialog stays, with its values, whichever way it went.
        EXPECT_EQ(finalizados_, 0);
        EXPECT_EQ(r->txtPagDesde->Text(), QString::fromLatin1(c.desde));
    }
}

TEST_F(RangoPaginas, CancelClosesIt)
{
    auto r = Rango(5);
    r->frmImpxPag_cmdAccion_Click(1);
    EXPECT_EQ(finalizados_, 1);
    EXPECT_EQ(r->result(), QDialog::Rejected);
}

TEST_F(RangoPaginas, EscapeCancelsFromWhereverTheFocusIs)
{
    for (int foco = 0; foco < 3; ++foco) {
        SCOPED_TRACE(foco);
        finalizados_ = 0;
        auto r = Rango(5);
        r->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(r.get()));
        r->activateWindow();
        QWidget* w = foco == 0 ? static_cast<QWidget*>(r->txtPagDesde)
                               : foco == 1 ? static_cast<QWidget*>(r->txtPagHasta) : r->cmdAccion[0];
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_EQ(finalizados_, 1);
        EXPECT_EQ(r->result(), QDialog::Rejected);
        EXPECT_FALSE(r->isVisible());
        EXPECT_EQ(msgs_->Count(), 0);
    }
}

TEST_F(RangoPaginas, TheKeyFilterTakesDigitsPointSpaceAndBackspace)
{
    auto r = Rango(5);
    for (int k = 1; k < 256; ++k) {
        const bool pasa = k == 8 || (k >= '0' && k <= '9') || k == '.' || k == ' ';
        EXPECT_EQ(r->frmImpxPag_txtPagDesde_KeyPress(k), pasa ? k : 0) << k;
        EXPECT_EQ(r->frmImpxPag_txtPagHasta_KeyPress(k), pasa ? k : 0) << k;
    }
    // Typed keys, and Enter moving to the next box without reaching the text.
    r->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(r.get()));
    r->activateWindow();
    r->txtPagDesde->setFocus();
    r->txtPagDesde->SetText(QString());
    QTest::keyClicks(r->txtPagDesde, QStringLiteral("a1.-2 ,x"));
    EXPECT_EQ(r->txtPagDesde->Text(), QStringLiteral("1.2 "));
    QTest::keyClick(r->txtPagDesde, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), r->txtPagHasta);
    EXPECT_EQ(r->txtPagDesde->Text(), QStringLiteral("1.2 "));
    QTest::keyClick(r->txtPagHasta, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), r->cmdAccion[0]);
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_EQ(finalizados_, 0);
    r->hide();
}

} // namespace
