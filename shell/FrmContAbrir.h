#pragma once
// The stored-declarations list and the sent-declarations list.
#include <QAbstractTableModel>
#include <QDialog>

#include <map>
#include <memory>
#include <vector>

namespace dao { class Recordset; }
namespace zav { class Label; }
class QGroupBox;
class QPushButton;
class QTableView;

// The rows of the list's open set, read only when the grid shows them, so that a long
// list costs no more than its query.
class ModeloDeclaraciones : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The set whose rows are shown (nullptr: none); it stays the caller's.
    void PonFilas(dao::Recordset* filas);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text of a column of a row, as the set holds it.
    QString Texto(int fila, int columna) const;

private:
    using Fila = std::vector<QString>;
    const Fila& Leer(int fila) const;

    dao::Recordset* filas_ = nullptr;
    int cuenta_ = 0;
    mutable std::map<int, Fila> leidas_;
};

// Modo 1 reopens the chosen declaration in the declaration window, 3 deletes it with all
// its rows. The window loads when it is first shown (or when asked to), once Modo is set.
class FrmContAbrir : public QDialog {
    Q_OBJECT
public:
    explicit FrmContAbrir(QWidget* parent = nullptr);
    ~FrmContAbrir() override;

    int Modo = 0;   // 1 modify, 3 delete

    QGroupBox* Frame1;
    zav::Label* Label1;
    QTableView* grdContrib;
    std::map<int, QPushButton*> CmdOpciones;   // 0 the mode's action, 1 Salir

    // The list query, the list, and back to the remembered row.
    void pCargadatos();
    void FrmContAbrir_Form_Load();
    void FrmContAbrir_Form_Activate();
    void FrmContAbrir_CmdOpciones_Click(int Index);
    void FrmContAbrir_grdContrib_DblClick();
    void FrmContAbrir_grdContrib_RowColChange();

    QString Caption() const { return windowTitle(); }
    ModeloDeclaraciones* Modelo() const { return modelo_; }
    // The row shown as current; -1 when the list is empty.
    int FilaActual() const;
    // Position of the row last opened in the declaration window.
    int PosicionRecordada() const { return mPosicion; }

protected:
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    void reject() override;

private:
    QString Columna(int columna) const;

    std::unique_ptr<dao::Recordset> DtaNew;   // the list's rows
    ModeloDeclaraciones* modelo_;
    int mPosicion = 0;
    bool mCargada = false;
    bool mActivarAlVolver = false;
};

class FrmContAbrirEnv : public QDialog {
    Q_OBJECT
public:
    explicit FrmContAbrirEnv(QWidget* parent = nullptr);
};
