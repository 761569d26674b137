#include "shell/FrmContAbrir.h"

FrmContAbrir::FrmContAbrir(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmContAbrir"));
}

FrmContAbrirEnv::FrmContAbrirEnv(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmContAbrirEnv"));
}
