#include "shell/FrmContAbrir.h"

#include "almacen/AlmacenDeclaracion.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "shell/Abridores.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using zav::Trim;

// ---- what the two lists share ----------------------------------------------------------------

ListaDeclaraciones::ListaDeclaraciones(const QString& objeto, const QString& marco, const QStringList& titulos,
                                       const QStringList& muestras, int columnaEstado, int columnaFecha, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objeto);
    Frame1 = new QGroupBox(marco, this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new zav::Label(QString(), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    grdContrib = new QTableView(Frame1);
    grdContrib->setObjectName(QStringLiteral("grdContrib"));
    modelo_ = new ModeloDeclaraciones(titulos, columnaEstado, columnaFecha, this);
    PreparaGrilla(grdContrib, modelo_);
    // The taxpayer's name takes what the other columns leave.
    AnchosDeColumnas(grdContrib, muestras, 1);

    CmdOpciones[0] = new QPushButton(this);
    CmdOpciones[0]->setObjectName(QStringLiteral("CmdOpciones_0"));
    CmdOpciones[1] = new QPushButton(QStringLiteral("&Salir"), this);
    CmdOpciones[1]->setObjectName(QStringLiteral("CmdOpciones_1"));
    for (const auto& [i, b] : CmdOpciones) {
        zav::CommandButton(b);
        const int indice = i;
        connect(b, &QPushButton::clicked, this, [this, indice] { Opcion(indice); });
    }
    // Enter in the list is the action.
    CmdOpciones[0]->setDefault(true);

    auto* caja = new QVBoxLayout(Frame1);
    caja->addWidget(Label1);
    caja->addWidget(grdContrib);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(CmdOpciones[0]);
    botones->addWidget(CmdOpciones[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(botones);

    connect(grdContrib, &QTableView::doubleClicked, this, [this] { Opcion(0); });
    connect(grdContrib->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { FilaCambiada(); });
}

ListaDeclaraciones::~ListaDeclaraciones()
{
    modelo_->PonFilas(nullptr);
}

void ListaDeclaraciones::AbreFilas(const QString& sql, const dao::Params& params)
{
    SueltaFilas();
    DtaNew = App().gBaseDatos->OpenRecordset(sql, dao::dbOpenSnapshot, params);
    modelo_->PonFilas(DtaNew.get());
}

void ListaDeclaraciones::VuelveAFila()
{
    ::VuelveAFila(*grdContrib, mPosicion);
}

void ListaDeclaraciones::SueltaFilas()
{
    modelo_->PonFilas(nullptr);
    DtaNew.reset();
}

int ListaDeclaraciones::FilaActual() const
{
    return ::FilaActual(*grdContrib);
}

QString ListaDeclaraciones::Columna(int columna) const
{
    return modelo_->Texto(FilaActual(), columna);
}

// The first activation comes straight after the load, which has just read the list (or
// shown why it could not): it reads nothing again.
void ListaDeclaraciones::showEvent(QShowEvent* e)
{
    Cargar();
    QDialog::showEvent(e);
}

// The list is read again whenever the window comes back from another window of the
// program (the declaration it opened), never after one of its own message boxes, so that
// an error shown while reading does not bring the list back in a loop.
bool ListaDeclaraciones::event(QEvent* e)
{
    if (zav::VuelveDeOtraVentana(this, e, mActivarAlVolver)) {
        const bool r = QDialog::event(e);
        Activar();
        return r;
    }
    return QDialog::event(e);
}

// Escape and the title bar's close leave by Salir.
void ListaDeclaraciones::reject()
{
    Opcion(1);
}

// ---- the stored-declarations list ------------------------------------------------------------

FrmContAbrir::FrmContAbrir(QWidget* parent)
    : ListaDeclaraciones(QStringLiteral("FrmContAbrir"), QStringLiteral("Declaraciones Registradas"),
                         {QStringLiteral("RUC"), QStringLiteral("Razón Social"), QStringLiteral("Periodo"),
                          QStringLiteral("Formulario"), QStringLiteral("Estado")},
                         {QStringLiteral("20000000000"), QString(), QStringLiteral("200000"), QStringLiteral("0000"),
                          QString()},
                         4, -1, parent)
{
}

void FrmContAbrir::FrmContAbrir_Form_Load()
{
    if (mCargada)
        return;
    mCargada = true;
    PosicionaFormulario(this, 0, 0, 4530, 7755);
    zav::SetHourglass(true);
    UbicaFormulario(this);
    if (Modo == 1) {
        CmdOpciones[0]->setText(QStringLiteral("&Modificar"));
        Label1->SetCaption(QStringLiteral("Seleccione la Declaración que desea modificar :"));
        setWindowTitle(QStringLiteral("Modificar Declaraciones"));
    } else if (Modo == 3) {
        CmdOpciones[0]->setText(QStringLiteral("&Eliminar"));
        Label1->SetCaption(QStringLiteral("Seleccione la Declaración que desea eliminar :"));
        setWindowTitle(QStringLiteral("Eliminar Declaraciones"));
    }
    pCargadatos();
    zav::SetHourglass(false);
}

void FrmContAbrir::FrmContAbrir_Form_Activate()
{
    pCargadatos();
}

void FrmContAbrir::pCargadatos()
{
    AtrapaErrorLista([this] {
        AppState& a = App();
        QString sql = QStringLiteral("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO, A.FORMULARIO, A.ESTADO FROM CAB AS A, CONT AS B"
                                     " WHERE A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=6 AND B.TIP_DOC_D=6 AND"
                                     " A.FORMULARIO=? ");
        dao::Params p{a.gFormulario};
        FiltraUsuarioLista(sql, p);
        sql += QStringLiteral(" ORDER BY A.DOC_ID_D ASC");
        a.gSQL = sql;
        AbreFilas(sql, p);
        VuelveAFila();
    });
}

void FrmContAbrir::FrmContAbrir_CmdOpciones_Click(int Index)
{
    AppState& a = App();
    zav::SetHourglass(true);
    a.gPeriodo = Trim(Columna(2));
    AtrapaErrorLista([&] {
        if (Index == 0 && Modo == 1) {
            if (FilaActual() < 0) {
                zav::SetHourglass(false);
                return;
            }
            a.gPeriodoSel = Trim(Columna(2));
            zav::SetHourglass(true);
            const QStringList datos{Trim(Columna(0)), Trim(Columna(1))};
            const int fila = FilaActual();
            AbrirDeclaracion(1, datos);
            mPosicion = fila;
            zav::SetHourglass(false);
            pCargadatos();
        } else if (Index == 0 && Modo == 3) {
            if (FilaActual() < 0) {
                zav::SetHourglass(false);
                return;
            }
            const int r = zav::MsgBox(QStringLiteral("¿Confirma que va a eliminar la declaración de") +
                                          QStringLiteral("\r\n\r\n") + Trim(Columna(1)) + QLatin1Char('?'),
                                      292, Caption());
            if (r != zav::vbYes) {
                zav::SetHourglass(false);
                return;
            }
            almacen::BorraDeclaracion(*a.gBaseDatos,
                                      almacen::ClaveDeclaracion::Guardada(Columna(0), a.gPeriodo, a.gFormulario));
            pCargadatos();
        } else if (Index == 1) {
            ActualizaBarraEstado(QString(), QString(), QString(), a.gFormulario);
            SueltaFilas();
            zav::SetHourglass(false);
            done(QDialog::Rejected);
            return;
        }
    });
    zav::SetHourglass(false);
}

void FrmContAbrir::FrmContAbrir_grdContrib_DblClick()
{
    FrmContAbrir_CmdOpciones_Click(0);
}

void FrmContAbrir::FrmContAbrir_grdContrib_RowColChange()
{
    if (!isEnabled() || FilaActual() < 0)
        return;
    ActualizaBarraEstado(Trim(Columna(0)), Trim(Columna(1)), Columna(2), App().gFormulario);
}

