#pragma once
// The host's window: its caption "ZAV" is what the module's programs look for.
#include <QMainWindow>

class QLabel;
class QListWidget;
class QPushButton;

namespace integrador {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Reads SysPath again and lists what the programs left in its TMP folder.
    void Refrescar();

    QListWidget* LstTmp() const { return lstTmp_; }
    QPushButton* CmdIniciar() const { return cmdIniciar_; }
    QPushButton* CmdActualizar() const { return cmdActualizar_; }

private:
    void IniciarKZ947();

    QLabel* lblSysPath_;
    QListWidget* lstTmp_;
    QPushButton* cmdIniciar_;
    QPushButton* cmdActualizar_;
};

} // namespace integrador
