#pragma once
// The print dialog: the stored declarations, or the sent ones when gEnviadas is set.
#include <QDialog>

class frmImprimir : public QDialog {
    Q_OBJECT
public:
    explicit frmImprimir(QWidget* parent = nullptr);
};
