#pragma once
// What every control of the module shares: colours, key codes, its own Enabled and
// Visible, Enter-as-Tab, the clipboard, and the activation that repeats.
#include <QColor>
#include <QString>

class QEvent;
class QKeyEvent;
class QWidget;

namespace zav {

inline constexpr int kColorBlanco = 0xFFFFFF;
inline constexpr int kColorGris = 0xC0C0C0;
inline constexpr int kColorCeleste = 0xFFFF00;

QColor ColorFromBgr(int bgr);
int BgrFromColor(const QColor& color);

// The codes a control hands to its KeyPress and KeyDown handlers for a Qt key event;
// 0 when the key has none (no KeyPress for arrows, Delete, Tab; no KeyDown for Tab).
int KeyAsciiOf(const QKeyEvent& e);
int KeyCodeOf(const QKeyEvent& e);
int ShiftOf(Qt::KeyboardModifiers modifiers);

// The control's own Enabled and Visible properties, whatever its container's state
// (Qt's isEnabled/isVisible also answer for the parents).
bool Enabled(const QWidget* w);
bool Visible(const QWidget* w);
void SetBackColor(QWidget* w, int bgr);
void SetForeColor(QWidget* w, int bgr);

// Enter-as-Tab: moves the focus to the next control of the window's tab order once the
// event loop runs again, never inside the key handler that asks for it.
void PostFocusNext(QWidget* from);

// Clipboard.SetText.
void SetClipboardText(const QString& text);

namespace detail {
// A control whose LostFocus may have to run when the focus lands elsewhere later.
class FocusClient {
public:
    virtual ~FocusClient() = default;
    virtual void FireLostFocus() = 0;
};
} // namespace detail

// A window's activation repeats when it comes back from another window of the program (a
// dialog it opened), not from a message box or from another program. Called from the
// window's event(); true for the activation that should repeat, which the caller runs
// after the base class has handled the event. `alVolver` is the window's own flag.
bool VuelveDeOtraVentana(const QWidget* ventana, const QEvent* e, bool& alVolver);

} // namespace zav
