#include "printing/frmImprimir.h"

#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/Twips.h"
#include "printing/EstadoImpresion.h"
#include "printing/ImpRep.h"
#include "printing/MostrarPreliminar.h"
#include "printing/frmImpxPag.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/ModeloDeclaraciones.h"
#include "shell/modulo/Procedimientos.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

using zav::Left;
using zav::Right;
using zav::Trim;

namespace {

int px(int twips)
{
    return zav::TwipsToPixels(twips);
}

} // namespace

frmImprimir::frmImprimir(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImprimir"));
    setWindowTitle(QStringLiteral("Imprimir declaraciones enviadas"));

    Frame2 = new QGroupBox(QStringLiteral("Declaraciones registradas"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    grdContrib = new QTableView(Frame2);
    grdContrib->setObjectName(QStringLiteral("grdContrib"));
    modelo_ = new ModeloDeclaraciones(
        {QStringLiteral("RUC"), QStringLiteral("Razón Social"), QStringLiteral("Periodo"), QStringLiteral("Ejercicio"),
         QStringLiteral("Formulario"), QStringLiteral("N.Orden"), QStringLiteral("Fecha Envio"),
         QStringLiteral("Control"), QStringLiteral("Correlativo"), QStringLiteral("Estado"),
         QStringLiteral("Rectifica"), QStringLiteral("Semana")},
        9, 6, this);
    modelo_->PonCampos({QStringLiteral("doc_id_d"), QStringLiteral("Nombre"), QStringLiteral("periodo"),
                        QStringLiteral("Periodof"), QStringLiteral("Formulario"), QStringLiteral("norden"),
                        QStringLiteral("fec_env"), QStringLiteral("Control"), QStringLiteral("Correl"),
                        QStringLiteral("estado"), QStringLiteral("rectifica"), QStringLiteral("semana")});
    modelo_->PonFormato(3, QStringLiteral("####"));
    modelo_->PonValores(10, {{QStringLiteral("0"), QStringLiteral("No")}, {QStringLiteral("1"), QStringLiteral("Si")}});
    PreparaGrilla(grdContrib, modelo_);
    for (int c = 0; c < modelo_->columnCount(); ++c)
        grdContrib->setColumnWidth(c, px(1100));
    grdContrib->setColumnWidth(0, px(1500));
    grdContrib->installEventFilter(this);
    auto* marco = new QVBoxLayout(Frame2);
    marco->addWidget(grdContrib);

    Frame1 = new QGroupBox(QStringLiteral("Opciones"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    OptImp = new zav::OptionArray(this);
    auto* opciones = new QVBoxLayout(Frame1);
    const char* const textosOpcion[] = {"Declaración", "Anexos", "Declaración y anexos"};
    for (int i = 0; i < 3; ++i) {
        QRadioButton* b = OptImp->Add(i, QString::fromUtf8(textosOpcion[i]), Frame1);
        b->setObjectName(QStringLiteral("OptImp_%1").arg(i));
        opciones->addWidget(b);
    }

    Frame3 = new QGroupBox(QStringLiteral("Anexos"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto* anexos = new QVBoxLayout(Frame3);
    const char* const textosAnexo[] = {"Apéndice III", "Apéndice IV al valor", "Apéndice IV específico", "Anexos"};
    for (int i = 0; i < 4; ++i) {
        ChkAnexos[i] = new zav::CheckBox(QString::fromUtf8(textosAnexo[i]), Frame3);
        ChkAnexos[i]->setObjectName(QStringLiteral("ChkAnexos_%1").arg(i));
        anexos->addWidget(ChkAnexos[i]);
    }

    const char* const textosBoton[] = {"&Preliminar", "&Imprimir", "&Salir"};
    auto* botones = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(textosBoton[i]), this);
        b->setObjectName(QStringLiteral("CmdImprimir_%1").arg(i));
        zav::CommandButton(b);
        connect(b, &QPushButton::clicked, this, [this, i] { frmImprimir_CmdImprimir_Click(i); });
        CmdImprimir[i] = b;
        botones->addWidget(b);
    }
    botones->addStretch();

    auto* lado = new QVBoxLayout;
    lado->addWidget(Frame1);
    lado->addWidget(Frame3);
    lado->addLayout(botones);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Frame2, 1);
    layout->addLayout(lado);

    OptImp->onClick = [this](int i) { frmImprimir_OptImp_Click(i); };
    OptImp->SetValue(0, true);

    connect(grdContrib, &QTableView::doubleClicked, this, [this] { frmImprimir_grdContrib_DblClick(); });
    connect(grdContrib->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { frmImprimir_grdContrib_RowColChange(); });
}

frmImprimir::~frmImprimir()
{
    modelo_->PonFilas(nullptr);
}

int frmImprimir::FilaActual() const
{
    return ::FilaActual(*grdContrib);
}

QString frmImprimir::Columna(int columna) const
{
    return modelo_->Texto(FilaActual(), columna);
}

bool frmImprimir::LeeLista()
{
    return AtrapaErrorLista([this] {
        AppState& a = App();
        if (!a.gBaseDatos)
            throw zav::RuntimeError(91);
        // Both lists: the declaration's key, its name and its flags; the sent list adds
        // what the host wrote when sending it.
        QString sql = QStringLiteral("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO,"
                                     " substr(A.PERIODO,1,4) || substr(A.PERIODO,5,2) AS PERIODOf, A.FORMULARIO, a.estado,");
        sql += a.gEnviadas ? QStringLiteral(" a.fec_env, a.correl, a.norden, a.control, a.rectifica, a.semana FROM HCAB AS A,")
                           : QStringLiteral(" a.rectifica, a.semana FROM CAB AS A,");
        sql += QStringLiteral(" CONT AS B WHERE A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=6 AND B.TIP_DOC_D=6 AND A.FORMULARIO=?");
        dao::Params p{a.gFormulario};
        FiltraUsuarioLista(sql, p);
        sql += a.gEnviadas ? QStringLiteral(" and a.estado=1 ORDER BY A.DOC_ID_D ASC")
                           : QStringLiteral(" ORDER BY A.DOC_ID_D ASC, a.periodo DESC");
        a.gSQL = sql;
        auto filas = a.gBaseDatos->OpenRecordset(sql, dao::dbOpenSnapshot, p);
        // The old rows go only once the new ones are there.
        modelo_->PonFilas(filas.get());
        Dta1 = std::move(filas);
    });
}

void frmImprimir::VuelveAFila()
{
    ::VuelveAFila(*grdContrib, mPosicion);
}

void frmImprimir::frmImprimir_Form_Load()
{
    if (mCargada)
        return;
    mCargada = true;
    AppState& a = App();
    EstadoImpresion& e = Impresion();
    if (!a.gEnviadas) {
        e.gEnviadaImp = false;
        setWindowTitle(QStringLiteral("Imprimir "));
        grdContrib->setColumnWidth(1, px(4000));
        grdContrib->setColumnWidth(3, px(1000));
        for (int c : {2, 5, 6, 7, 8, 9})
            grdContrib->setColumnHidden(c, true);
        for (int c : {4, 10})
            grdContrib->setColumnHidden(c, false);
        // Wide enough for the whole row: the period is what tells two declarations apart.
        int ancho = 2 * grdContrib->frameWidth() + grdContrib->verticalScrollBar()->sizeHint().width();
        for (int c = 0; c < modelo_->columnCount(); ++c)
            if (!grdContrib->isColumnHidden(c))
                ancho += grdContrib->columnWidth(c);
        grdContrib->setMinimumWidth(ancho);
    } else {
        e.gEnviadaImp = true;
        grdContrib->setMinimumWidth(px(7515));
        setWindowTitle(QStringLiteral("Imprimir Formularios enviados"));
        Frame2->setTitle(QStringLiteral("Declaraciones Enviadas"));
        grdContrib->setColumnWidth(1, px(3300));
        for (int c : {2, 9})
            grdContrib->setColumnHidden(c, true);
    }
    setProperty("HelpContextID", a.gModoEnviadas ? 1017 : 1016);
    UbicaFormulario(this);

    mPosicion = 0;
    if (LeeLista() && modelo_->rowCount() > 0) {
        VuelveAFila();
    } else {
        // Nothing to choose: the buttons then print nothing.
        grdContrib->setEnabled(false);
    }
}

void frmImprimir::frmImprimir_Form_Activate()
{
    Activa(true);
}

void frmImprimir::Activa(bool leer)
{
    if (!grdContrib->isEnabled())
        return;
    if (leer && !LeeLista())
        return;
    grdContrib->setFocus();
    VuelveAFila();
    if (FilaActual() < 0)
        return;
    AppState& a = App();
    ActualizaBarraEstado(Trim(Columna(0)), Trim(Columna(1)), a.gPeriodo, Columna(4));
    if (Impresion().gEnviadaImp)
        Impresion().gNumControlImp = Columna(7);
}

void frmImprimir::frmImprimir_Form_Unload()
{
    ActualizaBarraEstado(QString(), QString(), QString(), App().gFormulario);
}

QString frmImprimir::GeneraReporte()
{
    AppState& a = App();
    EstadoImpresion& e = Impresion();
    a.gRuc = Columna(0);
    a.gPeriodo = Left(Columna(3), 4) + Right(Columna(3), 2);
    e.gRazonSocialImp = Columna(1);
    a.gCorrel = Columna(8);
    a.gNumOrden = Columna(5);
    a.gControl = Columna(7);
    // The control number printed is the chosen row's, whichever row was current before.
    if (e.gEnviadaImp)
        e.gNumControlImp = Columna(7);
    const QString nombre = GeneraReporteDeclaracion();
    zav::SetHourglass(false);
    return nombre;
}

void frmImprimir::frmImprimir_CmdImprimir_Click(int Index)
{
    AppState& a = App();
    if (Index == 2) {
        modelo_->PonFilas(nullptr);
        Dta1.reset();
        done(QDialog::Rejected);
        return;
    }
    if ((Index != 0 && Index != 1) || !grdContrib->isEnabled() || FilaActual() < 0)
        return;
    if (Index == 1) {
        const QString nombre = GeneraReporte();
        if (!nombre.isEmpty())
            MostrarPreliminar(nombre, QStringLiteral("xx"));
        return;
    }

    const int posicion = FilaActual();
    mPosicion = posicion;
    const QString nombre = GeneraReporte();
    if (nombre.isEmpty())
        return;
    zav::SetHourglass(true);
    const int n = NumRegistros(nombre);
    a.gModoRango = true;
    {
        frmImpxPag rango(this);
        rango.setWindowTitle(QStringLiteral("Impresión de ") + QString::number(n) + QStringLiteral(" páginas"));
        rango.txtTotPaginas->SetText(QString::number(n));
        rango.Tag = nombre;
        zav::SetHourglass(false);
        zav::RunModal(rango);
    }
    if (posicion >= 0) {
        QCoreApplication::processEvents();
        mPosicion = posicion;
        VuelveAFila();
    }
}

void frmImprimir::frmImprimir_grdContrib_DblClick()
{
    frmImprimir_CmdImprimir_Click(0);
}

int frmImprimir::frmImprimir_grdContrib_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        frmImprimir_CmdImprimir_Click(0);
    return KeyAscii;
}

void frmImprimir::frmImprimir_grdContrib_RowColChange()
{
    if (FilaActual() < 0)
        return;
    AppState& a = App();
    ActualizaBarraEstado(Trim(Columna(0)), Trim(Columna(1)), Columna(2), Columna(4));
    a.gRuc = Trim(Columna(0));
    a.gPeriodo = Left(Columna(3), 4) + Right(Columna(3), 2);
    Impresion().gRazonSocialImp = Trim(Columna(1));
}

void frmImprimir::frmImprimir_OptImp_Click(int Index)
{
    const bool anexos = Index != 0;
    for (int i = 0; i < 3; ++i) {
        ChkAnexos[i]->SetEnabled(anexos);
        if (!anexos)
            ChkAnexos[i]->SetValue(0);
    }
}

// The first show loads the window and activates it; later activations come back from the
// range dialog or the preview, never from one of its own message boxes.
void frmImprimir::showEvent(QShowEvent* e)
{
    const bool primera = !mCargada;
    frmImprimir_Form_Load();
    QDialog::showEvent(e);
    // The first activation follows the load, which has just read the list.
    if (primera)
        Activa(false);
}

bool frmImprimir::event(QEvent* e)
{
    if (zav::VuelveDeOtraVentana(this, e, mActivarAlVolver)) {
        const bool r = QDialog::event(e);
        frmImprimir_Form_Activate();
        return r;
    }
    return QDialog::event(e);
}

// Enter in the grid previews the current row.
bool frmImprimir::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == grdContrib && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (zav::KeyAsciiOf(*k) == 13) {
            frmImprimir_grdContrib_KeyPress(13);
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

// Escape and the title bar's close leave by Salir.
void frmImprimir::reject()
{
    frmImprimir_CmdImprimir_Click(2);
}

void frmImprimir::done(int r)
{
    if (!mDescargada) {
        mDescargada = true;
        frmImprimir_Form_Unload();
    }
    QDialog::done(r);
}
