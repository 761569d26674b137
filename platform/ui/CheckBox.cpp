#include "platform/ui/CheckBox.h"

namespace zav {

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    connect(this, &QAbstractButton::toggled, this, [this] {
        if (onClick)
            onClick();
    });
}

} // namespace zav
