#include "declaration/Frm947.h"

Frm947::Frm947(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm947"));
}
