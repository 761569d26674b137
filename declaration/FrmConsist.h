#pragma once
// "Inconsistencias detectadas": the list of failed rules that Validar wrote to gArchivo,
// with its printout.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class FrmConsist : public QDialog {
public:
    explicit FrmConsist(QWidget* parent = nullptr);

    QLabel* Label1;
    QPlainTextEdit* TxtPreliminar;
    QPushButton* CmdGrabar;     // "&Aceptar"
    QPushButton* CmdImprimir;   // "&Imprimir"

    // Puts the whole list file into TxtPreliminar.
    void FrmConsist_Form_Load();
    void FrmConsist_CmdGrabar_Click();
    void FrmConsist_CmdImprimir_Click();

    // However the window is closed, the list counts as seen.
    void done(int r) override;
};

// Prints the list file gArchivo, numbered, 40 lines a page, with its count and a frame.
void ImprimeInconsistencias();
