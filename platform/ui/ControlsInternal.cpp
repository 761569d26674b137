#include "platform/ui/ControlsInternal.h"

#include "common/Cp1252.h"
#include "platform/ui/ControlHelpers.h"
#include "platform/ui/TabStrip.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace zav::detail {

QString CharOfCode(int code)
{
    return FromCp1252(QByteArray(1, static_cast<char>(code)));
}

int PageKeyStep(const QKeyEvent& e)
{
    const auto m = e.modifiers() & ~Qt::KeypadModifier;
    const int k = e.key();
    if ((k == Qt::Key_Tab || k == Qt::Key_Backtab) && (m & Qt::ControlModifier) && !(m & Qt::AltModifier))
        return k == Qt::Key_Backtab || (m & Qt::ShiftModifier) ? -1 : 1;
    if ((k == Qt::Key_PageDown || k == Qt::Key_PageUp) && m == Qt::ControlModifier)
        return k == Qt::Key_PageUp ? -1 : 1;
    return 0;
}

QAbstractButton* ButtonOfAccessKey(const QWidget* window, const QKeySequence& key)
{
    QAbstractButton* found = nullptr;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || !b->isEnabled() || QKeySequence::mnemonic(b->text()) != key)
            continue;
        if (found)
            return nullptr;
        found = b;
    }
    if (!found)
        return nullptr;
    for (const TabStrip* s : window->findChildren<TabStrip*>()) {
        if (!s->isVisible() || (s->currentWidget() && s->currentWidget()->isAncestorOf(found)))
            continue;
        for (int i = 0; i < s->count(); ++i) {
            if (s->isTabVisible(i) && s->isTabEnabled(i) && QKeySequence::mnemonic(s->tabText(i)) == key)
                return nullptr;
        }
    }
    return found;
}

void PressByAccessKey(QAbstractButton* b)
{
    if (b->focusPolicy() != Qt::NoFocus)
        b->setFocus(Qt::ShortcutFocusReason);
    b->animateClick();
}

// ---------------------------------------------------------------- focus inside the window

namespace {

// Per window: the control whose GotFocus ran last and whose LostFocus has not run yet.
// It keeps that place while a message box, dialog or popup has the activation.
QHash<const QWidget*, QPointer<QWidget>>& Holders()
{
    static QHash<const QWidget*, QPointer<QWidget>> h;
    return h;
}

void WatchFocus()
{
    static bool watching = false;
    if (watching || !qApp)
        return;
    watching = true;
    // Focus that lands on a plain widget (a button, a tab bar) ends the holder's focus.
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (!now)
            return;
        auto it = Holders().find(now->window());
        if (it == Holders().end())
            return;
        QWidget* h = it.value();
        if (!h || h == now || h->isAncestorOf(now))
            return;
        it.value() = nullptr;
        if (auto* c = dynamic_cast<detail::FocusClient*>(h))
            c->FireLostFocus();
    });
}

} // namespace

bool GateFocusIn(QWidget* self)
{
    WatchFocus();
    const QWidget* win = self->window();
    QPointer<QWidget> prev = Holders().value(win);
    if (prev == self)
        return false;   // back after a dialog or popup
    Holders()[win] = nullptr;
    if (prev) {
        if (auto* c = dynamic_cast<detail::FocusClient*>(prev.data()))
            c->FireLostFocus();
    }
    Holders()[win] = self;
    return true;
}

bool GateFocusOut(QWidget* self, Qt::FocusReason reason)
{
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    auto it = Holders().find(self->window());
    if (it == Holders().end() || it.value() != self)
        return false;
    it.value() = nullptr;
    return true;
}

KeyHandlers FireKeyHandlers(QWidget* control, const QKeyEvent& e, const std::function<int(int, int)>& onKeyDown,
                            const std::function<int(int)>& onKeyPress)
{
    QPointer<QWidget> self(control);
    KeyHandlers k;
    if (onKeyDown) {
        const int code = KeyCodeOf(e);
        if (code) {
            k.cancelled = onKeyDown(code, ShiftOf(e.modifiers())) == 0;
            if (!self) {
                k.alive = false;
                return k;
            }
        }
    }
    k.typed = KeyAsciiOf(e);
    k.result = k.typed;
    if (k.typed != 0 && onKeyPress) {
        k.result = onKeyPress(k.typed);
        k.alive = !self.isNull();
    }
    return k;
}

} // namespace zav::detail
