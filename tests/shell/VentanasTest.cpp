#include "ShellFixture.h"

#include "declaration/Frm947.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/UbigeoZAV.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/ModalRunner.h"
#include "printing/frmPreview.h"
#include "shell/Abridores.h"
#include "shell/Consultas.h"
#include "shell/frmAcercade.h"
#include "shell/modulo/frmUbigeo.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

class VentanasTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        if (HasFatalFailure())
            return;
        OpenWorkspace();
    }

    static QStringList Filas(QTableView* grid)
    {
        QStringList filas;
        const QAbstractItemModel* m = grid->model();
        for (int r = 0; r < m->rowCount(); ++r)
            filas << m->index(r, 0).data().toString() + QLatin1Char('|') + m->index(r, 1).data().toString();
        return filas;
    }
    static QStringList Titulos(QTableView* grid)
    {
        return {grid->model()->headerData(0, Qt::Horizontal).toString(),
                grid->model()->headerData(1, Qt::Horizontal).toString()};
    }
};

TEST_F(VentanasTest, UpdateFactorsShowMonthSlashYearInTableOrder)
{
    FrmConsFac frm;
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("Factores de Actualización"));
    EXPECT_EQ(Titulos(frm.grdBancos), (QStringList{QStringLiteral("Mes"), QStringLiteral("Factor")}));
    const QStringList filas = Filas(frm.grdBancos);
    ASSERT_EQ(filas.size(), 12);
    EXPECT_EQ(filas.first(), QStringLiteral("01/2024|1.0254"));
    EXPECT_EQ(filas[9], QStringLiteral("10/2024|1.0052"));
    EXPECT_EQ(filas.last(), QStringLiteral("12/2024|1.0000"));
    EXPECT_TRUE(frm.grdBancos->isEnabled());
    EXPECT_FALSE(zav::IsHourglass());
}

TEST_F(VentanasTest, ParameterListsByOption)
{
    App().gBaseDatos->Execute(QStringLiteral("INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES "
                                             "('004', ' 00 ', 'OTRO NINGUNO'), ('976', '0999', 'aruba')"));
    const struct {
        int opcion;
        const char* titulo;
        QStringList titulos;
        int filas;
        const char* primera;
        const char* ultima;
    } cases[] = {
        {1, "Bancos", {QStringLiteral("Código"), QStringLiteral("Descripción")}, 4, "01|BANCO DEL ESTADO",
         "04|CAJA MUNICIPAL DE AHORRO"},
        {2, "Paises", {QStringLiteral("Código"), QStringLiteral("Descripción")}, 9, "0032|ARGENTINA", "0604|PERU"},
        {3, "UIT", {QStringLiteral("Periodo"), QStringLiteral("Valor")}, 27, "2026|5500", "2000|2900"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.titulo);
        App().gOpcion = c.opcion;
        FrmConsultas frm;
        EXPECT_EQ(frm.windowTitle(), QString::fromLatin1(c.titulo));
        EXPECT_EQ(Titulos(frm.grdBancos), c.titulos);
        const QStringList filas = Filas(frm.grdBancos);
        ASSERT_EQ(filas.size(), c.filas);
        EXPECT_EQ(filas.first(), QString::fromUtf8(c.primera));
        EXPECT_EQ(filas.last(), QString::fromUtf8(c.ultima));
        for (const QString& f : filas)
            EXPECT_FALSE(f.startsWith(QLatin1String("00|")) || f.startsWith(QLatin1String(" 0"))) << f.toStdString();
        EXPECT_TRUE(frm.grdBancos->isEnabled());
    }
    // Countries by name whatever the case.
    App().gOpcion = 2;
    FrmConsultas paises;
    EXPECT_EQ(Filas(paises.grdBancos)[1], QStringLiteral("0999|aruba"));
}

TEST_F(VentanasTest, EmptyListDisablesTheGrid)
{
    App().gBaseDatos->Execute(QStringLiteral("DELETE FROM PARAM WHERE Numero IN ('975', '976')"));
    FrmConsFac fac;
    EXPECT_FALSE(fac.grdBancos->isEnabled());
    App().gOpcion = 2;
    FrmConsultas paises;
    EXPECT_FALSE(paises.grdBancos->isEnabled());
    paises.show();
    EXPECT_FALSE(paises.grdBancos->hasFocus());
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(VentanasTest, ReadErrorShowsTheErrorBoxAndTheWindowStillOpens)
{
    App().gBaseDatos->Execute(QStringLiteral("ALTER TABLE PARAM RENAME TO PARAM_OTRA"));
    FrmConsFac fac;
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().style, 0);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error"));
    EXPECT_TRUE(msgs_->Last().text.contains(QStringLiteral("\n ")));
    EXPECT_TRUE(msgs_->Last().text.endsWith(QStringLiteral(" 3078"))) << msgs_->Last().text.toStdString();
    EXPECT_FALSE(fac.grdBancos->isEnabled());
    EXPECT_FALSE(zav::IsHourglass());
    App().gOpcion = 3;
    FrmConsultas uit;
    EXPECT_EQ(msgs_->Count(), 2);
}

TEST_F(VentanasTest, PickerOffersTheZoneAndReturnsTheChoice)
{
    const struct {
        const char* zona;
        QStringList codigos;
    } cases[] = {
        {"1", {QStringLiteral("010101"), QStringLiteral("010201"), QStringLiteral("250101")}},
        {"2", {QStringLiteral("160101"), QStringLiteral("170101")}},
        {"3", {QStringLiteral("010201"), QStringLiteral("170101"), QStringLiteral("230101")}},
        {"9",
         {QStringLiteral("010101"), QStringLiteral("010201"), QStringLiteral("150101"), QStringLiteral("150122"),
          QStringLiteral("160101"), QStringLiteral("170101"), QStringLiteral("230101"), QStringLiteral("250101")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zona);
        App().gZona = QString::fromLatin1(c.zona);
        App().gUbigeo.clear();
        frmUbigeo frm;
        EXPECT_EQ(frm.UbigeoZAV1->CodigosOfrecidos(), c.codigos);
        EXPECT_EQ(frm.UbigeoZAV1->codigoubigeo(), QString());
    }
}

TEST_F(VentanasTest, PickerAcceptAndCancel)
{
    AppState& a = App();
    a.gZona = QStringLiteral("1");
    a.gUbigeo = QStringLiteral("010201");
    {
        frmUbigeo frm;
        frm.setWindowTitle(QStringLiteral("Ubigeo Zona 1"));
        // The current code shows chosen before the user sees the list.
        EXPECT_EQ(frm.UbigeoZAV1->codigoubigeo(), QStringLiteral("010201"));
        EXPECT_EQ(frm.UbigeoZAV1->cboDepartamento->currentText(), QStringLiteral("AMAZONAS"));
        EXPECT_EQ(frm.UbigeoZAV1->cboProvincia->currentText(), QStringLiteral("BAGUA"));
        frm.UbigeoZAV1->setCodigoubigeo(QStringLiteral("250101"));
        frm.cmdAccion_Click(1);
        EXPECT_EQ(frm.result(), QDialog::Rejected);
        EXPECT_EQ(a.gUbigeo, QStringLiteral("010201"));
    }
    {
        frmUbigeo frm;
        frm.setWindowTitle(QStringLiteral("Ubigeo Zona 1"));
        frm.UbigeoZAV1->setCodigoubigeo(QStringLiteral("250101"));
        frm.show();
        frm.cmdAccion_Click(0);
        EXPECT_EQ(a.gUbigeo, QStringLiteral("250101"));
        EXPECT_EQ(frm.result(), QDialog::Accepted);
        EXPECT_EQ(msgs_->Count(), 0);
    }
    {
        // Nothing chosen: refused with text 39, the picker stays open.
        a.gUbigeo = QStringLiteral("150101");   // not of zone 1
        frmUbigeo frm;
        frm.setWindowTitle(QStringLiteral("Ubigeo Zona 1"));
        EXPECT_EQ(frm.UbigeoZAV1->codigoubigeo(), QString());
        frm.show();
        frm.cmdAccion_Click(0);
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, QStringLiteral("Debe seleccionar un Ubigeo."));
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(msgs_->Last().title, QStringLiteral("Ubigeo Zona 1"));
        EXPECT_TRUE(frm.isVisible());
        EXPECT_EQ(a.gUbigeo, QString());
    }
}

TEST_F(VentanasTest, LeavingAfterARefusedAcceptReturnsTheCodeHandedOver)
{
    AppState& a = App();
    a.gZona = QStringLiteral("1");
    const struct {
        const char* como;
        void (*sale)(frmUbigeo&);
    } salidas[] = {
        {"Cancelar", [](frmUbigeo& f) { f.cmdAccion_Click(1); }},
        {"close box", [](frmUbigeo& f) { f.close(); }},
    };
    for (const auto& s : salidas) {
        SCOPED_TRACE(s.como);
        // The caller's code, not one of zone 1: nothing shows chosen.
        a.gUbigeo = QStringLiteral("150101");
        frmUbigeo frm;
        frm.setWindowTitle(QStringLiteral("Ubigeo Zona 1"));
        frm.show();
        frm.cmdAccion_Click(0);
        ASSERT_TRUE(frm.isVisible());
        s.sale(frm);
        EXPECT_EQ(frm.result(), QDialog::Rejected);
        EXPECT_EQ(a.gUbigeo, QStringLiteral("150101"));
    }
    EXPECT_EQ(msgs_->Count(), 2);
}

TEST_F(VentanasTest, AnUnreadableMessageTableIsReportedAndThePickerStays)
{
    AppState& a = App();
    a.gZona = QStringLiteral("1");
    a.gUbigeo.clear();
    frmUbigeo frm;
    frm.setWindowTitle(QStringLiteral("Ubigeo Zona 1"));
    frm.show();
    a.gBaseDatos->Execute(QStringLiteral("DROP TABLE ERROR"));
    EXPECT_NO_THROW(frm.cmdAccion_Click(0));
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_TRUE(msgs_->Last().text.endsWith(QStringLiteral("\n 3078"))) << msgs_->Last().text.toStdString();
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(end_->Count(), 0);
    EXPECT_TRUE(frm.isVisible());
}

TEST_F(VentanasTest, AboutBox)
{
    zav::SetHourglass(true);
    frmAcercade frm;
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("Acerca de ZAV "));
    EXPECT_EQ(frm.txtVersion->text(), QStringLiteral("Versión 1.6"));
    EXPECT_EQ(frm.cmdAceptar->text(), QStringLiteral("&Aceptar"));
    EXPECT_FALSE(zav::IsHourglass());
}

TEST_F(VentanasTest, OpenersMakeAFreshWindowEachTime)
{
    std::vector<std::pair<QDialog*, QString>> vistos;
    zav::ModalRunnerScope runner([&](QDialog& dlg) {
        QString info = dlg.objectName();
        if (auto* d = qobject_cast<Frm947*>(&dlg)) {
            info += QStringLiteral(" %1 %2 %3").arg(d->Modo).arg(d->NumDocumento, d->RazonSocial);
            EXPECT_EQ(App().gFrm947, &dlg);
        }
        if (auto* p = qobject_cast<frmPreview*>(&dlg)) {
            info += QLatin1Char(' ') + p->Archivo;
            EXPECT_EQ(App().gFrmPreview, &dlg);
        }
        vistos.emplace_back(&dlg, info);
        return 0;
    });
    AbrirDeclaracion(1, {QStringLiteral("20000000001"), QStringLiteral("EMPRESA DE PRUEBA S.A.")});
    AbrirDeclaracion(0, {QStringLiteral("20000000001"), QStringLiteral("no leído")});
    ImprimirDeclaraciones(7);
    MostrarPreliminar(QStringLiteral("00000001.PRN"), QStringLiteral("Vprevia"));
    ASSERT_EQ(vistos.size(), 4u);
    EXPECT_EQ(vistos[0].second, QStringLiteral("Frm947 1 20000000001 EMPRESA DE PRUEBA S.A."));
    EXPECT_EQ(vistos[1].second, QStringLiteral("Frm947 0  "));
    EXPECT_EQ(vistos[2].second, QStringLiteral("frmImprimir"));
    EXPECT_EQ(vistos[3].second, QStringLiteral("frmPreview 00000001.PRN"));
    EXPECT_EQ(App().gFrm947, nullptr);
    EXPECT_EQ(App().gFrmImprimir, nullptr);
    EXPECT_EQ(App().gFrmPreview, nullptr);
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(VentanasTest, PrintingAMissingReportFileIsRefused)
{
    int mostradas = 0;
    zav::ModalRunnerScope runner([&](QDialog&) { ++mostradas; return 0; });
    MostrarPreliminar(QStringLiteral("00000009.PRN"), QStringLiteral("Imprimir"));
    EXPECT_EQ(mostradas, 0);
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("Archivo Físico del Reporte no Existe"));
    EXPECT_EQ(msgs_->Last().style, 16);
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error al Imprimir"));

    QFile f(ws_.sysPath + QStringLiteral("RPT/00000009.PRN"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    MostrarPreliminar(QStringLiteral("00000009.PRN"), QStringLiteral("Imprimir"));
    EXPECT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(mostradas, 0);
}

} // namespace
