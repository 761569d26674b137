#pragma once
// The declaration window of form 0947.
#include <QDialog>
#include <QString>

class Frm947 : public QDialog {
    Q_OBJECT
public:
    explicit Frm947(QWidget* parent = nullptr);

    int Modo = 0;   // 0 new, 1 existing
    QString NumDocumento;
    QString RazonSocial;
};
