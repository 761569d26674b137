#include "shell/modulo/frmUbigeo.h"

#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/UbigeoZAV.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmUbigeo::frmUbigeo(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmUbigeo"));
    UbigeoZAV1 = new zav::UbigeoZAV(this);
    UbigeoZAV1->setObjectName(QStringLiteral("UbigeoZAV1"));
    const char* textos[] = {"&Aceptar", "&Cancelar"};
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    for (int i = 0; i < 2; ++i) {
        cmdAccion[i] = new QPushButton(QString::fromLatin1(textos[i]), this);
        cmdAccion[i]->setObjectName(QStringLiteral("cmdAccion_%1").arg(i));
        cmdAccion[i]->setAutoDefault(false);
        connect(cmdAccion[i], &QPushButton::clicked, this, [this, i] { cmdAccion_Click(i); });
        botones->addWidget(cmdAccion[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(UbigeoZAV1);
    layout->addLayout(botones);
    Form_Load();
}

void frmUbigeo::Form_Load()
{
    AppState& a = App();
    mUbigeoRecibido = a.gUbigeo;
    try {
        UbigeoZAV1->setBaseDatos(a.gBaseDatos.get());
    } catch (const dao::DaoError& e) {
        zav::MsgBox(e.Description + QLatin1Char('\n') + zav::Str(e.Number), 0, QStringLiteral("Error"));
    }
    if (a.gZona == QLatin1String("1") || a.gZona == QLatin1String("2")) {
        const QString mascara = a.gZona == QLatin1String("1") ? QStringLiteral("1000000000")
                                                              : QStringLiteral("0100000000");
        UbigeoZAV1->setFiltro3(mascara);
        UbigeoZAV1->setFiltro2(mascara);
        UbigeoZAV1->setFiltro1(QStringLiteral("A"));
        UbigeoZAV1->setFiltro0(QStringLiteral("A"));
        UbigeoZAV1->setFiltro3(mascara);
        UbigeoZAV1->setFiltro2(mascara);
    } else if (a.gZona == QLatin1String("3")) {
        UbigeoZAV1->setFiltro2(QStringLiteral("1000000000"));
        UbigeoZAV1->setFiltro0(QStringLiteral("A"));
        UbigeoZAV1->setFiltro2(QStringLiteral("1000000000"));
    }
    if (!a.gUbigeo.isEmpty())
        UbigeoZAV1->setCodigoubigeo(a.gUbigeo);
}

void frmUbigeo::cmdAccion_Click(int Index)
{
    AppState& a = App();
    if (Index == 0) {
        a.gUbigeo = UbigeoZAV1->codigoubigeo();
        if (a.gUbigeo.isEmpty()) {
            QString texto;
            try {
                texto = MensajeError(39);
            } catch (const dao::DaoError& e) {
                texto = e.Description + QLatin1Char('\n') + zav::Str(e.Number);
            }
            zav::MsgBox(texto, 16, windowTitle());
            return;
        }
        accept();
    } else if (Index == 1) {
        reject();
    }
}

void frmUbigeo::reject()
{
    App().gUbigeo = mUbigeoRecibido;
    QDialog::reject();
}
