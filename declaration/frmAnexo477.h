#pragma once
// The annex of boxes 473 and 477: each is the total of two detail amounts that live in
// boxes of the declaration window kept out of sight (432 and 433 for 477, 650 and 651 for
// 473). The dialog shows the two amounts of the chosen box with their total, and on
// Aceptar writes both amounts and the total back into the open declaration window
// (gFrm947), whose boxes then recalculate as if typed.
//
// Created anew for each opening: Casilla is set, Form_Load runs, then the dialog is shown
// through zav::RunModal and released.
#include "platform/ui/Controls.h"

#include <QDialog>

#include <map>

class Frm947;
class QGroupBox;
class QPushButton;

class frmAnexo477 : public QDialog {
public:
    explicit frmAnexo477(QWidget* parent = nullptr);

    // 473 or 477; any value other than 477 stands for 473.
    int Casilla = 473;

    std::map<int, zav::TextBox*> TxtMonto;   // 0 first row, 1 second row
    zav::TextBox* TxtTotal;
    std::map<int, zav::Label*> lblCas;       // 0, 1 box numbers; 5, 6 descriptions
    QGroupBox* fraDeduccion;
    QPushButton* CmdGrabar;
    QPushButton* cmdCancelar;

    void Form_Load();
    void TxtMonto_Change(int Index);
    void TxtMonto_GotFocus(int Index);
    void TxtMonto_LostFocus(int Index);
    int TxtMonto_KeyPress(int Index, int KeyAscii);
    int TxtMonto_KeyDown(int Index, int KeyCode, int Shift);
    void TxtMonto_MouseDown(int Index, int Button);
    void CmdGrabar_Click();
    void cmdCancelar_Click();

    // The boxes of the declaration window behind the two rows.
    int CasillaFila(int fila) const;
    int CasillaTotal() const { return Casilla == 477 ? 477 : 473; }

private:
    // The open declaration window, or none.
    static Frm947* Declaracion();
};
