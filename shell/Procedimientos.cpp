#include "shell/Procedimientos.h"

#include "platform/ui/Twips.h"

#include <QWidget>

void PosicionaFormulario(QWidget* frm, int left, int top, int height, int width)
{
    frm->setWindowState(Qt::WindowNoState);
    frm->move(zav::TwipsToPixels(left), zav::TwipsToPixels(top));
    frm->resize(zav::TwipsToPixels(width), zav::TwipsToPixels(height));
}
