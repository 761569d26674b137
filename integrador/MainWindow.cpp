#include "integrador/MainWindow.h"

#include "integrador/Workspace.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace integrador {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("ZAV"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    cmdIniciar_ = new QPushButton(QStringLiteral("Iniciar KZ947"), central);
    cmdIniciar_->setObjectName(QStringLiteral("CmdIniciar"));
    layout->addWidget(cmdIniciar_);

    lblSysPath_ = new QLabel(central);
    lblSysPath_->setObjectName(QStringLiteral("LblSysPath"));
    layout->addWidget(lblSysPath_);

    lstTmp_ = new QListWidget(central);
    lstTmp_->setObjectName(QStringLiteral("LstTmp"));
    lstTmp_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstTmp_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(lstTmp_);

    auto* row = new QHBoxLayout;
    row->addStretch();
    cmdActualizar_ = new QPushButton(QStringLiteral("Actualizar"), central);
    cmdActualizar_->setObjectName(QStringLiteral("CmdActualizar"));
    row->addWidget(cmdActualizar_);
    layout->addLayout(row);

    setCentralWidget(central);
    statusBar();
    resize(480, 360);

    connect(cmdIniciar_, &QPushButton::clicked, this, &MainWindow::IniciarKZ947);
    connect(cmdActualizar_, &QPushButton::clicked, this, &MainWindow::Refrescar);
    Refrescar();
}

void MainWindow::Refrescar()
{
    const QString sysPath = ConfiguredSysPath();
    lblSysPath_->setText(sysPath.isEmpty() ? QStringLiteral("SysPath no configurado")
                                           : QStringLiteral("TMP de %1").arg(sysPath));
    lstTmp_->clear();
    lstTmp_->addItems(TmpEntries(sysPath));
}

void MainWindow::IniciarKZ947()
{
    QString error;
    if (StartProgram(QStringLiteral("KZ947"), {}, &error))
        statusBar()->showMessage(QStringLiteral("KZ947 iniciado"), 5000);
    else
        statusBar()->showMessage(error);
}

} // namespace integrador
