#include "shell/frmAcercade.h"

#include "platform/ui/Hourglass.h"
#include "platform/ui/Iconos.h"
#include "platform/ui/Twips.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmAcercade::frmAcercade(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAcercade"));
    setWindowTitle(QStringLiteral("Acerca de ZAV "));
    resize(zav::TwipsToPixels(5400), zav::TwipsToPixels(3000));

    auto* SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    SSPanel1->setFrameShape(QFrame::Panel);
    SSPanel1->setFrameShadow(QFrame::Raised);
    auto* Image1 = new QLabel(SSPanel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(zav::IconoEstandar(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    auto* familia = new QLabel(QStringLiteral("ZAV"), SSPanel1);
    familia->setObjectName(QStringLiteral("lblFamilia"));
    QFont grande = familia->font();
    grande.setPointSize(grande.pointSize() + 6);
    grande.setBold(true);
    familia->setFont(grande);
    auto* producto = new QLabel(QStringLiteral("Morvath"), SSPanel1);
    producto->setObjectName(QStringLiteral("lblProducto"));
    auto* Line1 = new QFrame(SSPanel1);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    txtVersion = new QLabel(SSPanel1);
    txtVersion->setObjectName(QStringLiteral("txtVersion"));

    auto* textos = new QVBoxLayout;
    textos->addWidget(familia);
    textos->addWidget(producto);
    textos->addWidget(Line1);
    textos->addWidget(txtVersion);
    auto* panel = new QHBoxLayout(SSPanel1);
    panel->addWidget(Image1, 0, Qt::AlignTop);
    panel->addLayout(textos, 1);

    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    connect(cmdAceptar, &QPushButton::clicked, this, &frmAcercade::cmdAceptar_Click);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSPanel1, 1);
    layout->addLayout(botones);
    Form_Load();
}

void frmAcercade::Form_Load()
{
    CentraFormulario(App().gVentanaPrincipal, this);
    txtVersion->setText(QStringLiteral("Versión 1.6"));
    zav::SetHourglass(false);
}

void frmAcercade::cmdAceptar_Click()
{
    accept();
}
