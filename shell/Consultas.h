#pragma once
// The read-only look-ups of the parameter lists: update factors, and by gOpcion banks
// (1), countries (2) or tax units by period (3).
#include <QDialog>

class QPushButton;
class QTableView;

class FrmConsFac : public QDialog {
    Q_OBJECT
public:
    // Loads at once: the list is read when the window is created.
    explicit FrmConsFac(QWidget* parent = nullptr);

    QTableView* grdBancos;
    QPushButton* CmdSalir;

    void Form_Load();
    void Form_Activate();
    void CmdSalir_Click();

protected:
    void showEvent(QShowEvent* e) override;
};

class FrmConsultas : public QDialog {
    Q_OBJECT
public:
    explicit FrmConsultas(QWidget* parent = nullptr);

    QTableView* grdBancos;
    QPushButton* CmdSalir;

    void Form_Load();
    void Form_Activate();
    void CmdSalir_Click();

protected:
    void showEvent(QShowEvent* e) override;
};
