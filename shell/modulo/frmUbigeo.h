#pragma once
// The place-code picker of a zone: takes gZona and gUbigeo, returns the chosen code in
// gUbigeo. The caller sets the caption ("Ubigeo Zona " & gZona).
#include <QDialog>
#include <QString>

class QPushButton;
namespace zav { class UbigeoZAV; }

class frmUbigeo : public QDialog {
    Q_OBJECT
public:
    // Loads at once from gZona and gUbigeo.
    explicit frmUbigeo(QWidget* parent = nullptr);

    void Form_Load();
    // 0 Aceptar, 1 Cancelar.
    void cmdAccion_Click(int Index);

    zav::UbigeoZAV* UbigeoZAV1;
    QPushButton* cmdAccion[2];

public slots:
    // Cancelar, Escape or the close box: the caller gets back the code it handed over,
    // even after a refused Aceptar emptied gUbigeo.
    void reject() override;

private:
    QString mUbigeoRecibido;
};
