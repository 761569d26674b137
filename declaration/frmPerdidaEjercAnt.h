#pragma once
// The editor of one tax loss of a previous year: a new year with its amount, or a new
// amount for a year already kept. It takes what to do from the module globals
// gPerdidaDoc, gPerdidaModo, gPerdidaAnho and gPerdidaImporte and writes the row of
// F0947_PTCEA itself; the declaration window reloads its grid afterwards.
//
// Created anew for each use: Form_Load runs, then the dialog is shown through
// zav::RunModal and released; its first activation (Form_Activate) fills the boxes.
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

    // Set by a new declaration not yet stored: the row is written only while its key has
    // no stored declaration; otherwise this text is shown, nothing is written and the
    // editor closes.
    QString TextoDeclaracionExistente;
    // A row reached the table.
    bool Grabada = false;

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
    // Writes the row; false when it was refused or could not be written (the reason shown).
    bool GrabaFila();

    bool mActivada = false;
};
