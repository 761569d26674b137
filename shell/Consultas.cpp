#include "shell/Consultas.h"

#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <functional>

namespace {

void ArmaVentana(QDialog* dlg, QTableView*& grid, QPushButton*& salir)
{
    grid = new QTableView(dlg);
    grid->setObjectName(QStringLiteral("grdBancos"));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    salir = new QPushButton(QStringLiteral("&Salir"), dlg);
    salir->setObjectName(QStringLiteral("CmdSalir"));
    salir->setAutoDefault(false);
    auto* layout = new QVBoxLayout(dlg);
    layout->addWidget(grid);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(salir);
    layout->addLayout(botones);
}

using Celda = std::function<QString(const dao::Variant&)>;

QString Texto(const dao::Variant& v) { return v.toText(); }

// Reads the whole list into the grid; an empty list, or one that cannot be read, leaves
// the grid disabled. Read errors are shown, not passed on.
void LlenaGrilla(QTableView* grid, const QStringList& titulos, const dao::Params& params, const Celda& col0,
                 const Celda& col1)
{
    auto* modelo = new QStandardItemModel(0, 2, grid);
    modelo->setHorizontalHeaderLabels(titulos);
    grid->setModel(modelo);
    try {
        auto rs = App().gBaseDatos->OpenRecordset(App().gSQL, dao::dbOpenSnapshot, params);
        if (!rs->Eof()) {
            rs->MoveLast();
            rs->MoveFirst();
        }
        for (; !rs->Eof(); rs->MoveNext()) {
            auto* a = new QStandardItem(col0(rs->Fields(0).Value()));
            auto* b = new QStandardItem(col1(rs->Fields(1).Value()));
            modelo->appendRow({a, b});
        }
        rs->Close();
    } catch (const dao::DaoError& e) {
        zav::SetHourglass(false);
        zav::MsgBox(e.Description + QLatin1Char('\n') + zav::Str(e.Number), 0, QStringLiteral("Error"));
    } catch (const zav::RuntimeError& e) {
        zav::SetHourglass(false);
        zav::MsgBox(e.Description() + QLatin1Char('\n') + zav::Str(e.Number), 0, QStringLiteral("Error"));
    }
    grid->setEnabled(modelo->rowCount() > 0);
    if (modelo->rowCount() > 0)
        grid->setCurrentIndex(modelo->index(0, 0));
}

} // namespace

FrmConsFac::FrmConsFac(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmConsFac"));
    ArmaVentana(this, grdBancos, CmdSalir);
    connect(CmdSalir, &QPushButton::clicked, this, &FrmConsFac::CmdSalir_Click);
    Form_Load();
}

void FrmConsFac::Form_Load()
{
    resize(zav::TwipsToPixels(4890), zav::TwipsToPixels(4710));
    UbicaFormulario(this);
    zav::SetHourglass(true);
    setWindowTitle(QStringLiteral("Factores de Actualización"));
    App().gSQL = QStringLiteral(
        "SELECT substr(argumento,-2) || substr(argumento,1,4) as PERI , funcion as FACTOR FROM PARAM WHERE "
        "numero=?");
    LlenaGrilla(
        grdBancos, {QStringLiteral("Mes"), QStringLiteral("Factor")}, {QStringLiteral("975")},
        [](const dao::Variant& v) { return zav::Format(v.toText(), QStringLiteral("0#/####")); }, Texto);
    zav::SetHourglass(false);
}

void FrmConsFac::Form_Activate()
{
    if (grdBancos->isEnabled())
        grdBancos->setFocus();
}

void FrmConsFac::CmdSalir_Click()
{
    grdBancos->setModel(nullptr);
    reject();
}

void FrmConsFac::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Form_Activate();
}

FrmConsultas::FrmConsultas(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmConsultas"));
    ArmaVentana(this, grdBancos, CmdSalir);
    connect(CmdSalir, &QPushButton::clicked, this, &FrmConsultas::CmdSalir_Click);
    Form_Load();
}

void FrmConsultas::Form_Load()
{
    resize(zav::TwipsToPixels(7065), zav::TwipsToPixels(4140));
    UbicaFormulario(this);
    zav::SetHourglass(true);
    QStringList titulos{QStringLiteral("Código"), QStringLiteral("Descripción")};
    dao::Params params;
    Celda col1 = Texto;
    AppState& a = App();
    switch (a.gOpcion) {
    case 1:
        setWindowTitle(QStringLiteral("Bancos"));
        a.gSQL = QStringLiteral("SELECT substr(ARGUMENTO,1,2) as codigo,substr(FUNCION,1,36) as descrip "
                                "FROM PARAM "
                                "WHERE NUMERO=? AND TRIM(ARGUMENTO)<> ?");
        params = {QStringLiteral("004"), QStringLiteral("00")};
        break;
    case 2:
        setWindowTitle(QStringLiteral("Paises"));
        a.gSQL = QStringLiteral("SELECT substr(ARGUMENTO,1,4) as codigo,substr(FUNCION,1,36) as descrip "
                                "FROM PARAM "
                                "WHERE NUMERO=? ORDER BY 2 COLLATE NOCASE");
        params = {QStringLiteral("976")};
        break;
    case 3:
        titulos = QStringList{QStringLiteral("Periodo"), QStringLiteral("Valor")};
        setWindowTitle(QStringLiteral("UIT"));
        a.gSQL = QStringLiteral("SELECT substr(ARGUMENTO,1,8) as codigo,substr(FUNCION,1,12) as descrip "
                                "FROM PARAM "
                                "WHERE NUMERO=? ORDER BY 1 DESC");
        params = {QStringLiteral("404")};
        // The value is shown as the number the text begins with.
        col1 = [](const dao::Variant& v) { return zav::Trim(zav::Str(zav::Val(v.toText()))); };
        break;
    default:
        // No list is asked for: an empty window.
        a.gSQL = QStringLiteral("SELECT Argumento, Funcion FROM PARAM WHERE 0");
        break;
    }
    LlenaGrilla(grdBancos, titulos, params, Texto, col1);
    zav::SetHourglass(false);
}

void FrmConsultas::Form_Activate()
{
    if (grdBancos->isEnabled())
        grdBancos->setFocus();
}

void FrmConsultas::CmdSalir_Click()
{
    grdBancos->setModel(nullptr);
    reject();
}

void FrmConsultas::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Form_Activate();
}
