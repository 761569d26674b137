#pragma once
// The editor of one tax loss of a previous year: a new year with its amount, or a new
// amount for a year already kept. It takes what to do from the module globals
// gPerdidaDoc, gPerdidaModo, gPerdidaAnho and gPerdidaImporte and hands the row back to
// the declaration window, which keeps it until the declaration is saved: no other
// program sees a loss row that was never saved.
//
// Created anew for each use: Form_Load runs, then the dialog is shown through
// zav::RunModal and released; its first activation (Form_Activate) fills the boxes.
#include "almacen/AlmacenDeclaracion.h"
#include "platform/ui/Controls.h"

#include <QDialog>

#include <map>

class QGroupBox;
class QPushButton;

class frmPerdidaEjercAnt : public QDialog {
    Q_OBJECT
public:
    explicit frmPerdidaEjercAnt(QWidget* parent = nullptr);

    QGroupBox* Frame1;                        // "Año e Importe"
    zav::MaskedBox* MkeAnho;
    zav::TextBox* txtImporte;
    std::map<int, QPushButton*> cmdAccion;    // 0 Aceptar, 1 Salir

    // Set by a new declaration not yet stored: the row is taken only while its key has no
    // stored declaration; otherwise this text is shown and the editor closes.
    QString TextoDeclaracionExistente;
    // The window's loss changes of the key not yet saved: a new year is refused when the
    // stored rows or these hold it.
    almacen::CambiosPerdidas Cambios;
    // Aceptar took the row: its year and its amount as stored (digits only).
    bool Aceptada = false;
    QString AnhoAceptado;
    QString ImporteAceptado;

    void Form_Load();
    void Form_Activate();
    void cmdAccion_Click(int Index);
    void MkeAnho_LostFocus();
    int MkeAnho_KeyPress(int KeyAscii);
    void txtImporte_GotFocus();
    int txtImporte_KeyPress(int KeyAscii);
    void txtImporte_LostFocus();
    int txtImporte_KeyDown(int KeyCode, int Shift);
    void txtImporte_MouseDown(int Button);

    QString Caption() const { return windowTitle(); }

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The year typed is one of 1950 to last year; otherwise says so and goes back to it.
    bool AnhoValido();
    // Takes the row; false when it was refused or the stored rows could not be read (the
    // reason shown).
    bool AceptaFila();

    bool mActivada = false;
};
