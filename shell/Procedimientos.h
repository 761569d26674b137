#pragma once
// Procedures the windows of KZ947 share.
class QWidget;

// Window state normal, then Left, Top, Height, Width in twips, in that order.
void PosicionaFormulario(QWidget* frm, int left, int top, int height, int width);
