#include "printing/frmImprimir.h"

frmImprimir::frmImprimir(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImprimir"));
}
