#pragma once
// The main window of KZ947: every task starts from one of its menu entries or toolbar
// buttons, which set the shared globals and open a modal window.
#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
namespace zav { class BarradeEstadoZAV; }

class MDIFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIFrm(QWidget* parent = nullptr);
    ~MDIFrm() override;

    // Load: form number, placement, configuration, database, help file, status bar.
    void MDIForm_Load();
    // Every activation puts the window back at its working size.
    void MDIForm_Activate();

    void ActualizaBarraEstado(const QString& doc, const QString& nombre, const QString& periodo,
                              const QString& formulario);

    // Opens the help file at its contents.
    void MostrarHelp();

    // index 1 to 10.
    void tlbMenu_ButtonClick(int index);
    // x in the toolbar's coordinates.
    void tlbMenu_MouseMove(int x);
    void MDIForm_MouseMove();
    void imgFondo_MouseMove();
    void Picture2_MouseMove();

    zav::BarradeEstadoZAV* BarradeEstadoZAV1 = nullptr;
    QToolBar* tlbMenu = nullptr;
    QList<QAction*> Buttons;   // Buttons[i - 1] is button i
    QWidget* Picture2 = nullptr;
    QLabel* imgFondo = nullptr;

    QMenu* mnuDeclara = nullptr;
    QMenu* mnuDeclarEnv = nullptr;
    QMenu* mnuConsultas = nullptr;
    QMenu* mnuayuda = nullptr;

    QAction* mnuNueva = nullptr;
    QAction* mnuModificar = nullptr;
    QAction* mnuEliminar = nullptr;
    QAction* mnuImprimir = nullptr;
    QAction* mnuSalir = nullptr;
    QAction* mnuRegistrar = nullptr;
    QAction* mnuEliminar1 = nullptr;
    QAction* mnuImprimir1 = nullptr;
    QAction* mnuFactores = nullptr;
    QAction* mnuDocIdent = nullptr;
    QAction* mnupais = nullptr;
    QAction* mnuUIT = nullptr;
    QAction* mnuContenido = nullptr;
    QAction* mnuAcercade = nullptr;

public slots:
    void mnuNueva_Click();
    void mnuModificar_Click();
    void mnuEliminar_Click();
    void mnuImprimir_Click();
    void mnuSalir_Click();
    void mnuRegistrar_Click();
    void mnuEliminar1_Click();
    void mnuImprimir1_Click();
    void mnuFactores_Click();
    void mnuDocIdent_Click();
    void mnupais_Click();
    void mnuUIT_Click();
    void mnuContenido_Click();
    void mnuAcercade_Click();

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void AbreConsultas(int opcion);
};

// The one main window while the program runs.
MDIFrm* gMDIFrm();
