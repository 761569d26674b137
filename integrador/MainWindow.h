#pragma once
// The host's window: its caption "ZAV" is what the module's programs look for.
#include "integrador/Workspace.h"

#include <QList>
#include <QMainWindow>
#include <QProcess>

#include <functional>

class QLabel;
class QLineEdit;
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
    QListWidget* LstDeclaraciones() const { return lstDeclaraciones_; }
    QLineEdit* TxtConstancia() const { return txtConstancia_; }
    QPushButton* CmdConstancia() const { return cmdConstancia_; }
    QPushButton* CmdVerificar() const { return cmdVerificar_; }
    QPushButton* CmdEnviar() const { return cmdEnviar_; }

private:
    void IniciarKZ947();
    // Starts 0947REP on the chosen declaration, as the host does after presenting it;
    // the TMP list is read again when it ends.
    void GenerarConstancia();
    // Starts 0947CNSINF on the chosen declaration, as the host does before sending it.
    void VerificarEnvio();
    // Sends the chosen declaration as the host does: refused in state 9, otherwise
    // 0947CNSINF first, and the rows copied only when it passed.
    void Enviar();
    // Starts a batch program on the chosen declaration with the receipt number typed;
    // alTerminar, when given, gets its status once it ended normally.
    void IniciarLote(const QString& programa, const std::function<void(int)>& alTerminar = {});
    // The chosen declaration; null when none is.
    const StoredDeclaration* Elegida() const;
    // False, with the reason in the status bar, while a batch program runs or when no
    // declaration is chosen.
    bool PuedeIniciar();

    QListWidget* lstDeclaraciones_;
    QLineEdit* txtConstancia_;
    QPushButton* cmdConstancia_;
    QPushButton* cmdVerificar_;
    QPushButton* cmdEnviar_;
    QList<StoredDeclaration> declaraciones_; // in the order of the list
    QProcess* lote_ = nullptr;
    QString loteNombre_;

    QLabel* lblSysPath_;
    QListWidget* lstTmp_;
    QPushButton* cmdIniciar_;
    QPushButton* cmdActualizar_;
};

} // namespace integrador
