#pragma once
// The declaration window of form 0947: one declaration's identification, balance sheet,
// income statement, tax and coefficient, and complementary information.
//
// Created anew by AbrirDeclaracion for each use: Modo (and, in mode 1, NumDocumento and
// RazonSocial) are set, then Frm947_Form_Load runs, then the window is shown modally.
//
// The 109 boxes TxtValor(n) are views of mModelo (CasillasModelo), which holds their
// texts and states and runs every calculation; the window passes the boxes' events to it
// and keeps the answers it reads (RespuestasFrm947) in step with its option buttons.
//
// The handlers live in files named after their area:
//   Frm947.cpp                 construction: pages, frames, controls, wiring; box views
//   Frm947_carga.cpp           loading, activation, closing, help lines, date of form 5136
//   Frm947_contribuyente.cpp   taxpayer list and choice, zone list, tax unit
//   Frm947_teclas.cpp          keys and mouse of the identification text fields
//   Frm947_identificacion.cpp  balance date and period, regime and its options, tabs
//   Frm947_restauracion.cpp    restoring the identification page, stored rows, sent mode
//   Frm947_perdidas.cpp        tax losses of previous years
//   Frm947_grabacion.cpp       checking, saving and leaving
#include "almacen/AlmacenDeclaracion.h"
#include "declaration/amounts/CasillasModelo.h"
#include "platform/ui/Controls.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

class QGroupBox;
class QPushButton;
class QScrollBar;
class QStandardItemModel;
class QTableView;
class QWidget;

class Frm947 : public QDialog, public VistaCasillas {
    Q_OBJECT
public:
    explicit Frm947(QWidget* parent = nullptr);
    ~Frm947() override;

    // ---- the box model (declared first: the members below refer into it) ---------------
    CasillasModelo mModelo;

    // ---- public members, set by the opener before loading ---------------------------------
    int Modo = 0;              // 0 new declaration, 1 stored or sent declaration
    QString& NumDocumento;     // the taxpayer's RUC (the model reads it for box 208)
    QString RazonSocial;

    // ---- instance state --------------------------------------------------------------------
    bool& mModificado;         // unsaved changes (the model sets it on box edits)
    bool& mCargando;           // restoring the identification page
    QString& mUIT;             // tax unit of the declaration's year, "0" when none
    bool mOmitirValidacion = false;
    int mRegimen = 9;          // regime last applied, 9 none yet
    std::vector<int> mCasillas;
    // Answers kept from the stored rows and the option handlers.
    QString mCodRegimen;
    QString mConvenio;
    QString mUbicAmazonia;
    QString mLeyAmazonia;
    QString mZona;
    QString mPersona;
    QString mDomFiscal;
    QString mActividad;
    QString mFrontera;
    QString mCasilla113;
    // Headings and date phrase of the chosen balance date.
    QString mTituloBalance;
    QString mTituloBalance2;
    QString mTituloResultados;
    QString mFechaBalance;

    // ---- pages -----------------------------------------------------------------------------
    zav::TabStrip* SSTab1;   // 0 identification, 1 financial statements, 2 coefficient, 3 complementary
    zav::TabStrip* SSTab2;   // 0 general data, 1 regime details, 2 payment system
    zav::TabStrip* SSTab3;   // 0 assets, 1 liabilities and equity, 2 income statement
    zav::TabStrip* SSTab4;   // 0 general information, 1 tax losses
    std::map<int, QGroupBox*> Frame1;   // page frames 1, 2, 3, 5, 6, 7 (objectName Frame1_n)

    // ---- identification: general data -----------------------------------------------------
    QGroupBox* Frame17;   // Rectificatoria
    zav::OptionArray* OptRectifica;
    zav::TextBox* TxtNumOrden;
    QGroupBox* Frame11;   // Datos básicos del Contribuyente
    zav::ComboBox* CmbRuc;
    zav::TextBox* TxtNumRuc;
    zav::TextBox* TxtRazon;
    zav::TextBox* TxtTelefono;
    zav::TextBox* TxtEjercicio;
    zav::Label* lblNorden;
    zav::TextBox* txtOrden;
    zav::Label* lblGuion;
    zav::TextBox* txtverifica;
    QGroupBox* Frame9;    // Régimen de Renta
    zav::OptionArray* optRenta;   // 0..5

    // ---- identification: regime details ---------------------------------------------------
    std::map<int, zav::Label*> Label1;   // questions and labels by their index
    std::map<int, zav::Label*> lblTab1;  // box-number labels (0: "200")
    QGroupBox* Frame_General;
    zav::OptionArray* OptPersona;
    QGroupBox* Frame15;
    zav::MaskedBox* MkePeriodo;
    QGroupBox* Frame21;
    zav::OptionArray* OptUbicAmazonia;
    QGroupBox* Frame19;
    zav::OptionArray* OptLeyAmazonia;
    QGroupBox* Frame20;
    QGroupBox* Frame28;
    zav::OptionArray* OptDomFiscal;
    QGroupBox* Frame29;
    zav::OptionArray* OptZona;
    QPushButton* CmdZona1;
    zav::TextBox* TxtUbigeo;
    QGroupBox* Frame13;
    zav::OptionArray* OptActividad;
    QGroupBox* Frame16;
    zav::OptionArray* OptFrontera;
    QPushButton* CmdZona2;
    zav::TextBox* TxtUbigeo2;
    QGroupBox* Frame14;
    zav::OptionArray* OptConvEstab;   // 1..4
    zav::TextBox* TxtNumOrdenF7842;

    // ---- identification: payment system ---------------------------------------------------
    QGroupBox* FrameSusPC;
    zav::OptionArray* OptSuspPC;
    zav::TextBox* txtNumRes;
    zav::MaskedBox* mkefecnot;
    QGroupBox* Frame3;    // Sistema de pago
    zav::Label* LblSistema;
    zav::Label* LblPresentacion;
    QGroupBox* Frame18;   // Fecha del balance
    zav::ComboBox* CboBalance;
    QGroupBox* Frame_ejercicio;
    QGroupBox* Frame_anterior;
    zav::OptionArray* OptAnterior;
    QGroupBox* Frame_precedente;
    zav::OptionArray* OptPrecedente;
    QGroupBox* Frame4;    // Inicio de actividades
    zav::OptionArray* OptInicio;

    // ---- financial statements, coefficient ------------------------------------------------
    QScrollBar* VScroll1;
    QGroupBox* Frame26;   // boxes 500-515
    QGroupBox* Frame34;   // boxes 516-531
    QGroupBox* Frame35;   // boxes 532-543
    QGroupBox* Frame36;   // boxes 544-555
    std::map<int, zav::Label*> lblTab2;   // headings 41, 168, 98, 90, 100
    QGroupBox* frmMype;   // boxes 250-253
    std::map<int, zav::TextBox*> TxtValor;

    // ---- complementary information --------------------------------------------------------
    QGroupBox* Frame6;    // accountant
    zav::TextBox* TxtNombreA;
    zav::TextBox* TxtNombreN;
    zav::ComboBox* CmbZona;
    QGroupBox* Frame7;    // legal representative
    zav::TextBox* txtApellidoRL;
    zav::TextBox* txtNombreRL;
    zav::ComboBox* cboTipDocRepLegal;
    QGroupBox* Frame2;    // tax losses
    QStandardItemModel* dtaPerdidaTributaria;
    QTableView* grdPerdidaTributaria;
    std::map<int, QPushButton*> cmdPerdida;   // 0 new, 1 change, 2 delete

    // ---- beside the pages -----------------------------------------------------------------
    zav::TextBox* TxtAyuda;
    zav::TextBox* TxtAyuda1;
    QPushButton* CmdValidar;
    QPushButton* CmdGrabar;
    QPushButton* cmdCancelar;

    // ---- loading, activation, closing (Frm947_carga.cpp) ----------------------------------
    void Frm947_Form_Initialize();
    void Frm947_Form_Load();
    void Frm947_Form_Activate();
    void Frm947_Form_GotFocus();
    void Frm947_Form_Click();
    void Frm947_Form_Unload();
    void Frm947_Frame1_MouseMove(int Index);
    void Frm947_Frame17_MouseMove();
    void Frm947_MkePeriodo_LostFocus();
    int Frm947_MkePeriodo_KeyPress(int KeyAscii);

    // ---- taxpayer, zone, tax unit (Frm947_contribuyente.cpp) ------------------------------
    void LlenaComboRuc();
    // The number of the chosen taxpayer: the item's first 11 characters, trimmed.
    QString RucDeLista() const;
    void Frm947_CmbRuc_Click();
    int Frm947_CmbRuc_KeyDown(int KeyCode, int Shift);
    void LlenaComboZona();
    void Frm947_CmbZona_Click();
    int Frm947_CmbZona_KeyPress(int KeyAscii);
    QString getUIT();

    // ---- identification text fields (Frm947_teclas.cpp) -----------------------------------
    int Frm947_NombreEnter_KeyPress(int KeyAscii);   // txtApellidoRL, TxtNombreA, TxtNombreN
    int Frm947_txtNombreRL_KeyPress(int KeyAscii);
    int Frm947_TxtTelefono_KeyPress(int KeyAscii);
    int Frm947_TxtNumOrdenF7842_KeyPress(int KeyAscii);
    int Frm947_txtOrden_KeyPress(int KeyAscii);
    void Frm947_txtOrden_Change();
    int Frm947_txtNumRes_KeyPress(int KeyAscii);
    int Frm947_txtNumRes_KeyDown(int KeyCode, int Shift);
    void Frm947_Identificacion_MouseDown(int Button);  // right button empties the clipboard
    void Frm947_TxtUbigeo_Change();
    void Frm947_TxtUbigeo2_Change();
    int Frm947_txtverifica_KeyPress(int KeyAscii);

    // ---- balance date, regime, tabs (Frm947_identificacion.cpp) ---------------------------
    void Balance();
    void Presentacion();
    void Presentacion2013();
    void CboBalance_Click();
    void OptInicio_Click(int Index);
    void OptAnterior_Click(int Index);
    void OptPrecedente_Click(int Index);
    int OptAnterior_KeyPress(int Index, int KeyAscii);
    int OptPrecedente_KeyPress(int Index, int KeyAscii);
    void LblSistema_Change();
    void optRenta_Click(int Index);
    int optRenta_KeyPress(int Index, int KeyAscii);
    void OptPersona_Click(int Index);
    void OptUbicAmazonia_Click(int Index);
    void OptLeyAmazonia_Click(int Index);
    void OptDomFiscal_Click(int Index);
    void OptZona_Click(int Index);
    void OptActividad_Click(int Index);
    void OptFrontera_Click(int Index);
    void OptConvEstab_Click(int Index);
    void OptSuspPC_Click(int Index);
    void OptRectifica_Click(int Index);
    void CmdZona1_Click();
    void CmdZona2_Click();
    void cboTipDocRepLegal_Click();
    void Frm947_SSTab1_Click(int PreviousTab);
    void Frm947_SSTab1_GotFocus();
    void Frm947_SSTab2_GotFocus();
    void Frm947_SSTab3_GotFocus();
    void Frm947_SSTab4_Click(int PreviousTab);
    void Frm947_VScroll1_Change();
    void Frm947_VScroll1_Scroll();

    // ---- restoring (Frm947_restauracion.cpp) ----------------------------------------------
    void pCargaIdent(int modo);
    void Frm947_TxtRazon_Change();
    bool pCargaDetalle();
    void pMuestraCasilla(const QString& codigo, const QString& valor);
    void Cargacab();
    void DesTodo();
    bool mLecturaFallida = false;   // the stored declaration could not be read: not shown

    // ---- tax losses (Frm947_perdidas.cpp) -------------------------------------------------
    // The answers that fix a new declaration's key are frozen once it keeps a loss row or
    // is stored.
    void CongelaClave();
    void CongelaPeriodo();
    void Frm947_SSTab4_GotFocus();
    void Frm947_cmdPerdida_Click(int Index);
    // The loss changes not yet saved, by the key (document, period) they were made under:
    // the grid shows the stored rows with them on top; they reach the table only inside
    // the declaration's save, so leaving without saving has nothing to undo.
    std::map<std::pair<QString, QString>, almacen::CambiosPerdidas> mPerdidasPendientes;
    almacen::CambiosPerdidas PerdidasPendientes(const QString& documento, const QString& periodo) const;

    // ---- checking, saving, leaving (Frm947_grabacion.cpp) ---------------------------------
    bool mGrabada = false;   // this window has stored its declaration
    bool ValidaPeriodo();
    bool ValidaContForm1();
    bool ValidaDeclaracion();
    bool DeclaracionCompleta();
    bool pGrabaCasilla(const QString& casilla, const QString& valor, const QString& documento,
                       const QString& periodo);
    void CmdValidar_Click();
    void CmdGrabar_Click();
    void cmdCancelar_Click();

    // ---- the calculations, with the answers brought up to date first ----------------------
    void SincronizaRespuestas();
    void Calcular113();
    void Calcular250();
    void Calcular_coeficiente();
    double IngresoNetos();
    double Vale(int casilla);

    // The window's caption, the title of its message boxes.
    QString Caption() const { return windowTitle(); }
    // The taxpayer list's width once a list is shown: 1370 twips, or the room its
    // 11-digit number needs in this font.
    int AnchoCmbRuc() const;
    // Unloads: Frm947_Form_Unload, then the modal show returns.
    void Descargar();

    // ---- VistaCasillas: what the model asks of the window ---------------------------------
    DatosModulo Modulo() const override;
    void PeriodoElegido(const QString& periodo) override;
    void Avisar(const Hallazgo& hallazgo) override;
    bool Preguntar(const Hallazgo& pregunta) override;
    void TextoCambiado(int casilla, const QString& texto) override;
    void EstadoCambiado(int casilla, const EstadoCasilla& estado) override;
    void PerdidasDisponibles(bool disponible) override;
    void FrameMypeVisible(bool visible) override;
    void FocoA(int casilla) override;
    void MostrarPaginas(int paginaSSTab1, int paginaSSTab4) override;
    void DesplazarActivo(int valor) override;
    void EnviarTab() override;
    void ProcesarEventos() override;
    void AbrirAnexo(int casilla) override;
    void VaciarPortapapeles() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void Construir();
    void ConstruirIdentificacion();
    // The identification page's frames, one each, in the order the page is built.
    void ConstruirFrame17();
    void ConstruirFrame11();
    void ConstruirFrame9();
    void ConstruirFrame_General();
    void ConstruirFrame15();
    void ConstruirFrame21();
    void ConstruirFrame19();
    void ConstruirFrame20();
    void ConstruirFrame13();
    void ConstruirFrame16();
    void ConstruirFrame14();
    void ConstruirFrame4();
    void ConstruirFrame_ejercicio();
    void ConstruirFrame18();
    void ConstruirFrame3();
    void ConstruirFrameSusPC();
    // A question of the regime's details, kept in Label1 by its index.
    zav::Label* Pregunta(int indice, const QString& texto);
    void ConstruirEstadosFinancieros();
    void ConstruirDeterminacion();
    void ConstruirComplementaria();
    void Cablear();
    void CablearCasilla(int n, zav::TextBox* box);

    bool mMostrada = false;        // the first show has run its activation
    bool mActivarAlVolver = false; // another window of ours took the activation
};
