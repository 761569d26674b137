#pragma once
// The host's window: its caption "ZAV" is what the module's programs look for.
#include <QMainWindow>

class QLabel;
class QLineEdit;
class QListWidget;
class QProcess;
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
    QListWidget* LstDeclaraciones() const { return lstDeclaraciones_; }
    QLineEdit* TxtConstancia() const { return txtConstancia_; }
    QPushButton* CmdConstancia() const { return cmdConstancia_; }
    QPushButton* CmdVerificar() const { return cmdVerificar_; }

private:
    void IniciarKZ947();
    // Starts 0947REP on the chosen declaration, as the host does after presenting it;
    // the TMP list is read again when it ends.
    void GenerarConstancia();
    // Starts 0947CNSINF on the chosen declaration, as the host does before sending it.
    void VerificarEnvio();
    // Starts a batch program on the chosen declaration with the receipt number typed.
    void IniciarLote(const QString& programa);

    QListWidget* lstDeclaraciones_;
    QLineEdit* txtConstancia_;
    QPushButton* cmdConstancia_;
    QPushButton* cmdVerificar_;
    QProcess* lote_ = nullptr;
    QString loteNombre_;

    QLabel* lblSysPath_;
    QListWidget* lstTmp_;
    QPushButton* cmdIniciar_;
    QPushButton* cmdActualizar_;
};

} // namespace integrador
