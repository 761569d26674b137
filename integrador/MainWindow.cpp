#include "integrador/MainWindow.h"

#include "integrador/Envio.h"

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

    cmdVerificar_ = new QPushButton(QStringLiteral("Verificar envío (0947CNSINF)"), central);
    cmdVerificar_->setObjectName(QStringLiteral("CmdVerificar"));
    layout->addWidget(cmdVerificar_);

    cmdEnviar_ = new QPushButton(QStringLiteral("Enviar"), central);
    cmdEnviar_->setObjectName(QStringLiteral("CmdEnviar"));
    layout->addWidget(cmdEnviar_);

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
    connect(cmdVerificar_, &QPushButton::clicked, this, &MainWindow::VerificarEnvio);
    connect(cmdEnviar_, &QPushButton::clicked, this, &MainWindow::Enviar);
    // Return and Enter press the focused button, as everywhere on the desktop.
    for (QPushButton* b : {cmdIniciar_, cmdConstancia_, cmdVerificar_, cmdEnviar_, cmdActualizar_})
        b->setAutoDefault(true);
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
    declaraciones_.clear();
    const QString db = ConfiguredDatabase();
    if (db.isEmpty())
        return;
    declaraciones_ = StoredDeclarations(db);
    for (const StoredDeclaration& d : declaraciones_) {
        // The item shows the line the program will receive.
        auto* item = new QListWidgetItem(BatchCommandLine(d, QString()).left(28), lstDeclaraciones_);
        if (item->text() == elegida)
            lstDeclaraciones_->setCurrentItem(item);
    }
}

void MainWindow::GenerarConstancia() { IniciarLote(QStringLiteral("0947REP")); }

void MainWindow::VerificarEnvio() { IniciarLote(QStringLiteral("0947CNSINF")); }

const StoredDeclaration* MainWindow::Elegida() const
{
    const int fila = lstDeclaraciones_->currentRow();
    return fila >= 0 && fila < declaraciones_.size() ? &declaraciones_.at(fila) : nullptr;
}

void MainWindow::Enviar()
{
    if (!PuedeIniciar())
        return;
    const StoredDeclaration* d = Elegida();
    const EnvioCandidato c = DeclaracionAEnviar(ConfiguredDatabase(), d->docId, d->periodo);
    if (!c.ok) {
        statusBar()->showMessage(c.message);
        return;
    }
    IniciarLote(QStringLiteral("0947CNSINF"), [this, c](int estado) {
        const QString motivo = MotivoVerificacion(ConfiguredSysPath(), c.declaracion, estado);
        if (!motivo.isEmpty()) {
            statusBar()->showMessage(motivo);
            return;
        }
        const EnvioResult r = EnviaDeclaracion(ConfiguredDatabase(), c.declaracion.docId, c.declaracion.periodo);
        statusBar()->showMessage(r.ok ? QStringLiteral("Enviada: correlativo %1, número de orden %2, dígito "
                                                       "verificador %3")
                                            .arg(r.correl, r.norden, r.verifica)
                                      : r.message);
    });
}

bool MainWindow::PuedeIniciar()
{
    if (lote_) {
        statusBar()->showMessage(QStringLiteral("%1 aún está en ejecución").arg(loteNombre_));
        return false;
    }
    if (!Elegida()) {
        statusBar()->showMessage(QStringLiteral("Elija una declaración grabada"));
        return false;
    }
    return true;
}

void MainWindow::IniciarLote(const QString& nombre, const std::function<void(int)>& alTerminar)
{
    if (!PuedeIniciar())
        return;
    QString error;
    const QString programa = FindProgram(nombre, &error);
    if (programa.isEmpty()) {
        statusBar()->showMessage(error);
        return;
    }
    const QString linea = lstDeclaraciones_->currentItem()->text()
                          + txtConstancia_->text().trimmed().rightJustified(8, QLatin1Char('0'), true);
    loteNombre_ = nombre;
    lote_ = new QProcess(this);
    connect(lote_, &QProcess::finished, this, [this, alTerminar](int codigo, QProcess::ExitStatus estado) {
        const bool normal = estado == QProcess::NormalExit;
        statusBar()->showMessage(normal ? QStringLiteral("%1 terminó con estado %2").arg(loteNombre_).arg(codigo)
                                        : QStringLiteral("%1 terminó de forma anormal").arg(loteNombre_));
        lote_->deleteLater();
        lote_ = nullptr;
        if (normal && alTerminar)
            alTerminar(codigo);
        Refrescar();
    });
    connect(lote_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        statusBar()->showMessage(QStringLiteral("No se pudo iniciar %1").arg(loteNombre_));
        lote_->deleteLater();
        lote_ = nullptr;
    });
    lote_->start(programa, {linea});
    statusBar()->showMessage(QStringLiteral("%1 iniciado: %2").arg(nombre, linea));
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
