#pragma once
// The module globals of KZ947: the only state the windows share.
#include <QString>

#include <memory>

namespace dao { class Database; }
namespace zav { class clsUtilitarios; class BarradeEstadoZAV; }
class QWidget;

struct AppState {
    AppState();
    ~AppState();

    std::unique_ptr<zav::clsUtilitarios> gUtil;
    std::unique_ptr<dao::Database> gBaseDatos;

    QString gSysPath;
    QString gRutaBD;
    QString gRutaRpt;
    QString gUsuario;
    QString gSQL;
    QString gFormulario;
    QString gPeriodo;
    QString gPeriodoSel;
    int gOpcion = 0;
    bool gModoEnviadas = false;
    bool gEnviadas = false;
    QString gRuc;
    QString gNumOrden;
    QString gCorrel;
    QString gControl;
    bool gCargando = false;
    QString gSistema;
    int gAccion = 0;
    QString gRespuesta;
    QString gZona;
    QString gUbigeo;
    QString gArchivo;
    // The preview's page range, counted from 1; once the preview path has been taken
    // the range stays in force for the rest of the run.
    bool gModoRango = false;
    int gPagDesde = 0;
    int gPagHasta = 0;

    // Handed to the tax-loss editor: the declaration's document, "0" new row or "1"
    // change, and the year and amount of the row to change.
    QString gPerdidaDoc;
    QString gPerdidaModo;
    QString gPerdidaAnho;
    QString gPerdidaImporte;

    // The declaration window's full check and save: 1 once a rule of the last full check
    // failed, else 0; the text of the last rule that failed; the loss rows of the
    // declaration being saved (stored as code 662).
    int gHayInconsistencias = 0;
    QString gMensaje;
    int gNumPerdidas = 0;

    // The application's help file, set when the main window loads.
    QString gArchivoAyuda;

    // The main window and its status bar while it exists; the windows centre on the one
    // and write the declaration in hand into the other.
    QWidget* gVentanaPrincipal = nullptr;
    zav::BarradeEstadoZAV* gBarraEstado = nullptr;

    QWidget* gFrm947 = nullptr;
    QWidget* gFrmImprimir = nullptr;
    QWidget* gFrmPreview = nullptr;
};

AppState& App();

// Back to a fresh state; tests start each case from it.
void ResetAppState();
