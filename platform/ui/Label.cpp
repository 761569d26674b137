#include "platform/ui/Label.h"

namespace zav {

Label::Label(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
    , backColor_(BgrFromColor(palette().color(QPalette::Window)))
    , foreColor_(BgrFromColor(palette().color(QPalette::WindowText)))
{
}

void Label::SetCaption(const QString& caption)
{
    if (caption == text())
        return;
    QLabel::setText(caption);
    if (onChange)
        onChange();
}

void Label::SetBackColor(int bgr)
{
    backColor_ = bgr;
    setAutoFillBackground(true);
    zav::SetBackColor(this, bgr);
}

void Label::SetForeColor(int bgr)
{
    foreColor_ = bgr;
    zav::SetForeColor(this, bgr);
}

} // namespace zav
