#include "integrador/MainWindow.h"

#include "integrador/Workspace.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
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

    layout->addWidget(new QLabel(QStringLiteral("Declaraciones grabadas"), central));
    lstDeclaraciones_ = new QListWidget(central);
    lstDeclaraciones_->setObjectName(QStringLiteral("LstDeclaraciones"));
    lstDeclaraciones_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstDeclaraciones_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(lstDeclaraciones_);

    auto* constancia = new QHBoxLayout;
    constancia->addWidget(new QLabel(QStringLiteral("Nro. constancia"), central));
    txtConstancia_ = new QLineEdit(QStringLiteral("00000001"), central);
    txtConstancia_->setObjectName(QStringLiteral("TxtConstancia"));
    txtConstancia_->setMaxLength(8);
    constancia->addWidget(txtConstancia_);
    cmdConstancia_ = new QPushButton(QStringLiteral("Constancia (0947REP)"), central);
    cmdConstancia_->setObjectName(QStringLiteral("CmdConstancia"));
    constancia->addWidget(cmdConstancia_);
    layout->addLayout(constancia);

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
    resize(480, 480);

    connect(cmdIniciar_, &QPushButton::clicked, this, &MainWindow::IniciarKZ947);
    connect(cmdActualizar_, &QPushButton::clicked, this, &MainWindow::Refrescar);
    connect(cmdConstancia_, &QPushButton::clicked, this, &MainWindow::GenerarConstancia);
    Refrescar();
}

void MainWindow::Refrescar()
{
    const QString sysPath = ConfiguredSysPath();
    lblSysPath_->setText(sysPath.isEmpty() ? QStringLiteral("SysPath no configurado")
                                           : QStringLiteral("TMP de %1").arg(sysPath));
    lstTmp_->clear();
    lstTmp_->addItems(TmpEntries(sysPath));

    const QString elegida = lstDeclaraciones_->currentItem() ? lstDeclaraciones_->currentItem()->text() : QString();
    lstDeclaraciones_->clear();
    const QString db = ConfiguredDatabase();
    if (db.isEmpty())
        return;
    for (const StoredDeclaration& d : StoredDeclarations(db)) {
        // The item shows the line the program will receive.
        auto* item = new QListWidgetItem(BatchCommandLine(d, QString()).left(28), lstDeclaraciones_);
        if (item->text() == elegida)
            lstDeclaraciones_->setCurrentItem(item);
    }
}

void MainWindow::GenerarConstancia()
{
    if (lote_) {
        statusBar()->showMessage(QStringLiteral("0947REP aún está en ejecución"));
        return;
    }
    if (!lstDeclaraciones_->currentItem()) {
        statusBar()->showMessage(QStringLiteral("Elija una declaración grabada"));
        return;
    }
    QString error;
    const QString programa = FindProgram(QStringLiteral("0947REP"), &error);
    if (programa.isEmpty()) {
        statusBar()->showMessage(error);
        return;
    }
    const QString linea = lstDeclaraciones_->currentItem()->text()
                          + txtConstancia_->text().trimmed().rightJustified(8, QLatin1Char('0'), true);
    lote_ = new QProcess(this);
    connect(lote_, &QProcess::finished, this, [this](int codigo, QProcess::ExitStatus estado) {
        statusBar()->showMessage(estado == QProcess::NormalExit
                                     ? QStringLiteral("0947REP terminó con estado %1").arg(codigo)
                                     : QStringLiteral("0947REP terminó de forma anormal"));
        lote_->deleteLater();
        lote_ = nullptr;
        Refrescar();
    });
    connect(lote_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        statusBar()->showMessage(QStringLiteral("No se pudo iniciar 0947REP"));
        lote_->deleteLater();
        lote_ = nullptr;
    });
    lote_->start(programa, {linea});
    statusBar()->showMessage(QStringLiteral("0947REP iniciado: %1").arg(linea));
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
