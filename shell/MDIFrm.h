#pragma once
// The main window of KZ947.
#include <QMainWindow>

class QAction;
namespace zav { class BarradeEstadoZAV; }

class MDIFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIFrm(QWidget* parent = nullptr);

    // Load: form number, placement, configuration, database, help file, status bar.
    void MDIForm_Load();
    // Every activation puts the window back at its working size.
    void MDIForm_Activate();

    void ActualizaBarraEstado(const QString& doc, const QString& nombre, const QString& periodo,
                              const QString& formulario);

    zav::BarradeEstadoZAV* BarradeEstadoZAV1 = nullptr;
    QAction* mnuSalir = nullptr;

public slots:
    void mnuSalir_Click();

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};

// The one main window while the program runs.
MDIFrm* gMDIFrm();
