#include "shell/FrmContAbrirEnv.h"

#include "almacen/AlmacenDeclaracion.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MsgBox.h"
#include "shell/Abridores.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QPushButton>
#include <QTableView>

using zav::Trim;

namespace {

// The sent list writes the status bar's fields itself: the period as the row holds it.
void Barra(const QString& doc, const QString& nombre)
{
    const AppState& a = App();
    zav::BarradeEstadoZAV* barra = a.gBarraEstado;
    if (!barra)
        return;
    barra->setNumdoc(doc);
    barra->setRazonsocial(nombre);
    barra->setFormulario(a.gFormulario);
    barra->setPeriodo_ejercicio(a.gPeriodo);
}

} // namespace

FrmContAbrirEnv::FrmContAbrirEnv(QWidget* parent)
    : ListaDeclaraciones(QStringLiteral("FrmContAbrirEnv"), QStringLiteral("Declaraciones Enviadas"),
                         {QStringLiteral("RUC"), QStringLiteral("Razón Social"), QStringLiteral("Periodo"),
                          QStringLiteral("Formulario"), QStringLiteral("N. Orden"), QStringLiteral("Fecha Env."),
                          QStringLiteral("Control"), QStringLiteral("Correl")},
                         {QStringLiteral("20000000000"), QString(), QStringLiteral("200000"), QStringLiteral("0000"),
                          QStringLiteral("000000000"), QStringLiteral("00/00/0000"), QStringLiteral("0000000000"),
                          QStringLiteral("000")},
                         -1, 5, parent)
{
}

bool FrmContAbrirEnv::Lee(bool conPeriodo)
{
    const bool leida = AtrapaErrorLista([&] {
        AppState& a = App();
        QString sql = QStringLiteral("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO, A.FORMULARIO, A.NORDEN, A.FEC_ENV, A.CONTROL, "
                                     "A.CORREL FROM HCAB AS A, CONT AS B"
                                     " WHERE A.DOC_ID_D=B.DOC_ID_D AND"
                                     " A.TIP_DOC_D=6 AND B.TIP_DOC_D=6 AND");
        dao::Params p;
        if (conPeriodo) {
            sql += QStringLiteral(" A.PERIODO=? AND");
            p.push_back(a.gPeriodo);
        }
        sql += QStringLiteral(" A.FORMULARIO=? ");
        p.push_back(a.gFormulario);
        FiltraUsuarioLista(sql, p);
        sql += QStringLiteral(" ORDER BY A.DOC_ID_D ASC");
        a.gSQL = sql;
        AbreFilas(sql, p);
    });
    if (!leida)
        return false;
    // Every row the list shows can be chosen.
    grdContrib->setEnabled(Modelo()->rowCount() > 0);
    return true;
}

void FrmContAbrirEnv::FrmContAbrirEnv_Form_Load()
{
    if (mCargada)
        return;
    mCargada = true;
    const AppState& a = App();
    PosicionaFormulario(this, 0, 0, 4530, 9195);
    zav::SetHourglass(true);
    UbicaFormulario(this);
    if (a.gOpcion == 2) {
        CmdOpciones[0]->setText(QStringLiteral("&Registrar"));
        Label1->SetCaption(QStringLiteral(
            "Seleccione la Declaración en la que desea registrar el número de orden asignado por KOVEL :"));
        setWindowTitle(QStringLiteral("Registrar número de orden"));
    } else if (a.gOpcion == 3) {
        CmdOpciones[0]->setText(QStringLiteral("&Eliminar"));
        Label1->SetCaption(QStringLiteral("Seleccione la Declaración que desea eliminar :"));
        setWindowTitle(QStringLiteral("Eliminar Declaraciones Enviadas"));
    }
    grdContrib->setColumnHidden(7, true);
    const bool leida = Lee(true);
    zav::SetHourglass(false);
    // The first activation follows at once and shows the sent declarations of every period.
    if (leida)
        FrmContAbrirEnv_Form_Activate();
}

void FrmContAbrirEnv::FrmContAbrirEnv_Form_Activate()
{
    if (!Lee(false))
        return;
    if (grdContrib->isEnabled())
        grdContrib->setFocus();
    VuelveAFila();
}

void FrmContAbrirEnv::FrmContAbrirEnv_CmdOpciones_Click(int Index)
{
    AppState& a = App();
    zav::SetHourglass(true);
    a.gPeriodo = Trim(Columna(2));
    AtrapaErrorLista([&] {
        if (Index == 0 && a.gOpcion == 2) {
            if (FilaActual() < 0) {
                zav::SetHourglass(false);
                return;
            }
            a.gNumOrden = Columna(4);
            a.gRuc = Columna(0);
            a.gCorrel = Columna(7);
            a.gControl = Columna(6);
            const QStringList datos{Trim(Columna(0)), Trim(Columna(1))};
            const int fila = FilaActual();
            AbrirDeclaracion(1, datos);
            mPosicion = fila;
            zav::SetHourglass(false);
            FrmContAbrirEnv_Form_Activate();
        } else if (Index == 0 && a.gOpcion == 3) {
            if (FilaActual() < 0) {
                zav::SetHourglass(false);
                return;
            }
            if (zav::MsgBox(QStringLiteral("¿Confirma que va a eliminar la declaración seleccionada?"), 292, Caption())
                != zav::vbYes) {
                zav::SetHourglass(false);
                return;
            }
            a.gCorrel = Columna(7);
            almacen::BorraEnvio(*a.gBaseDatos,
                                almacen::ClaveDeclaracion::Envio(Columna(0), a.gPeriodo, a.gFormulario, a.gCorrel));
            FrmContAbrirEnv_Form_Activate();
        } else if (Index == 1) {
            Barra(QString(), QString());
            SueltaFilas();
            zav::SetHourglass(false);
            done(QDialog::Rejected);
            return;
        }
    });
    zav::SetHourglass(false);
}

void FrmContAbrirEnv::FrmContAbrirEnv_grdContrib_DblClick()
{
    FrmContAbrirEnv_CmdOpciones_Click(0);
}

void FrmContAbrirEnv::FrmContAbrirEnv_grdContrib_RowColChange()
{
    if (!isEnabled() || FilaActual() < 0)
        return;
    Barra(Trim(Columna(0)), Trim(Columna(1)));
}
