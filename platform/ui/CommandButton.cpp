#include "platform/ui/CommandButton.h"

#include "platform/ui/ControlsInternal.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QShortcutEvent>

namespace zav {

using detail::ButtonOfAccessKey;
using detail::PressByAccessKey;

namespace {

class CommandButtonFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Not a button any more while it is being destroyed (its focus leaves then).
        auto* b = qobject_cast<QPushButton*>(watched);
        if (!b)
            return false;
        if (event->type() == QEvent::Shortcut && b->isEnabled()) {
            // A key a tab shares would only take the focus here, one press in two.
            const auto* se = static_cast<QShortcutEvent*>(event);
            if (se->isAmbiguous() && ButtonOfAccessKey(b->window(), se->key()) == b) {
                PressByAccessKey(b);
                return true;
            }
            // Qt would click without moving the focus.
            if (!b->hasFocus())
                b->setFocus(Qt::ShortcutFocusReason);
        } else if (event->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(event);
            if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
                (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                b->click();
                return true;
            }
        }
        return false;
    }
};

} // namespace

void CommandButton(QPushButton* button)
{
    button->installEventFilter(new CommandButtonFilter(button));
}

} // namespace zav
