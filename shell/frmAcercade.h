#pragma once
// The About box of the help menu.
#include <QDialog>

class QLabel;
class QPushButton;

class frmAcercade : public QDialog {
    Q_OBJECT
public:
    explicit frmAcercade(QWidget* parent = nullptr);

    void Form_Load();
    void cmdAceptar_Click();

    QLabel* txtVersion;
    QPushButton* cmdAceptar;
};
