#pragma once
// The declarations the host has sent. gOpcion 2 opens the chosen one to register its
// order number, 3 deletes it with all its history rows.
#include "shell/FrmContAbrir.h"

class FrmContAbrirEnv : public ListaDeclaraciones {
    Q_OBJECT
public:
    explicit FrmContAbrirEnv(QWidget* parent = nullptr);

    void FrmContAbrirEnv_Form_Load();
    void FrmContAbrirEnv_Form_Activate();
    void FrmContAbrirEnv_CmdOpciones_Click(int Index);
    void FrmContAbrirEnv_grdContrib_DblClick();
    void FrmContAbrirEnv_grdContrib_RowColChange();

protected:
    void Cargar() override { FrmContAbrirEnv_Form_Load(); }
    void Activar() override { FrmContAbrirEnv_Form_Activate(); }
    void Opcion(int Index) override { FrmContAbrirEnv_CmdOpciones_Click(Index); }
    void FilaCambiada() override { FrmContAbrirEnv_grdContrib_RowColChange(); }

private:
    // Reads the list, with the period in force or of every period; false when it could not.
    bool Lee(bool conPeriodo);
    bool mCargada = false;
};
