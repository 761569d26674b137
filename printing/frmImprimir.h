#pragma once
// The print dialog: the stored declarations, or the sent ones when gEnviadas is set.
#include <QDialog>
#include <QString>

#include <map>
#include <memory>

namespace dao { class Recordset; }
namespace zav { class CheckBox; class OptionArray; }
class ModeloDeclaraciones;
class QGroupBox;
class QPushButton;
class QTableView;

class frmImprimir : public QDialog {
    Q_OBJECT
public:
    explicit frmImprimir(QWidget* parent = nullptr);
    ~frmImprimir() override;

    QGroupBox* Frame2;
    QTableView* grdContrib;
    std::map<int, QPushButton*> CmdImprimir;   // 0 Preliminar, 1 Imprimir, 2 Salir
    QGroupBox* Frame1;
    zav::OptionArray* OptImp;
    QGroupBox* Frame3;
    std::map<int, zav::CheckBox*> ChkAnexos;

    ModeloDeclaraciones* Modelo() const { return modelo_; }
    // The row shown as current; -1 when the list is empty.
    int FilaActual() const;
    // The text of a column of the current row.
    QString Columna(int columna) const;

    // Load runs once, when the window is first shown (or when asked to).
    void frmImprimir_Form_Load();
    void frmImprimir_Form_Activate();
    void frmImprimir_Form_Unload();
    void frmImprimir_CmdImprimir_Click(int Index);
    void frmImprimir_grdContrib_DblClick();
    int frmImprimir_grdContrib_KeyPress(int KeyAscii);
    void frmImprimir_grdContrib_RowColChange();
    void frmImprimir_OptImp_Click(int Index);

protected:
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void reject() override;
    void done(int r) override;

private:
    // Reads the list; on a failure it is reported and the rows shown stay. False then.
    bool LeeLista();
    // The activation, with the list read again or (just after the load) not.
    void Activa(bool leer);
    // Back to the remembered row (the last one when the list is now shorter).
    void VuelveAFila();
    // The chosen row into the print state, its report registered and written: the file
    // name, or "" when a step failed (its message was shown).
    QString GeneraReporte();

    std::unique_ptr<dao::Recordset> Dta1;
    ModeloDeclaraciones* modelo_;
    int mPosicion = 0;
    bool mCargada = false;
    bool mDescargada = false;
    bool mActivarAlVolver = false;
};
