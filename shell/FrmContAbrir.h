#pragma once
// The stored-declarations list and the sent-declarations list.
#include "platform/db/Variant.h"
#include "shell/modulo/ModeloDeclaraciones.h"

#include <QDialog>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

namespace dao { class Recordset; }
namespace zav { class Label; }
class QGroupBox;
class QPushButton;
class QTableView;

// What the two lists share: the frame with its instruction line and grid, the action and
// Salir buttons, the rows of the list's query, the row last opened, and the reload when
// the user comes back from the window the list opened.
class ListaDeclaraciones : public QDialog {
    Q_OBJECT
public:
    // muestras: the widest value of each column (see AnchosDeColumnas).
    ListaDeclaraciones(const QString& objeto, const QString& marco, const QStringList& titulos,
                       const QStringList& muestras, int columnaEstado, int columnaFecha, QWidget* parent);
    ~ListaDeclaraciones() override;

    QGroupBox* Frame1;
    zav::Label* Label1;
    QTableView* grdContrib;
    std::map<int, QPushButton*> CmdOpciones;   // 0 the action, 1 Salir

    QString Caption() const { return windowTitle(); }
    ModeloDeclaraciones* Modelo() const { return modelo_; }
    // The row shown as current; -1 when the list is empty.
    int FilaActual() const;
    // Position of the row last opened in the declaration window.
    int PosicionRecordada() const { return mPosicion; }

protected:
    // The window's own handlers, as the shared wiring calls them.
    virtual void Cargar() = 0;             // load, once
    virtual void Activar() = 0;            // back from another window
    virtual void Opcion(int Index) = 0;    // a button (double click: 0)
    virtual void FilaCambiada() = 0;

    // Reads the list's rows (a failure throws, with the old rows already let go).
    void AbreFilas(const QString& sql, const dao::Params& params);
    // Back to the remembered row; rows deleted meanwhile may leave it beyond the end.
    void VuelveAFila();
    void SueltaFilas();
    QString Columna(int columna) const;

    int mPosicion = 0;

    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    void reject() override;

private:
    std::unique_ptr<dao::Recordset> DtaNew;   // the list's rows
    ModeloDeclaraciones* modelo_;
    bool mActivarAlVolver = false;
};

// Modo 1 reopens the chosen declaration in the declaration window, 3 deletes it with all
// its rows. The window loads when it is first shown (or when asked to), once Modo is set.
class FrmContAbrir : public ListaDeclaraciones {
    Q_OBJECT
public:
    explicit FrmContAbrir(QWidget* parent = nullptr);

    int Modo = 0;   // 1 modify, 3 delete

    // The list query, the list, and back to the remembered row.
    void pCargadatos();
    void FrmContAbrir_Form_Load();
    void FrmContAbrir_Form_Activate();
    void FrmContAbrir_CmdOpciones_Click(int Index);
    void FrmContAbrir_grdContrib_DblClick();
    void FrmContAbrir_grdContrib_RowColChange();

protected:
    void Cargar() override { FrmContAbrir_Form_Load(); }
    void Activar() override { FrmContAbrir_Form_Activate(); }
    void Opcion(int Index) override { FrmContAbrir_CmdOpciones_Click(Index); }
    void FilaCambiada() override { FrmContAbrir_grdContrib_RowColChange(); }

private:
    bool mCargada = false;
};
