#pragma once
// What the controls' own sources share; not for the windows that use the controls.
#include <QKeySequence>
#include <QString>

#include <functional>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace zav::detail {

QString CharOfCode(int code);

// The keys that turn the page of the strip around the focus: Ctrl+Tab and Ctrl+PageDown
// forward (1), Ctrl+Shift+Tab and Ctrl+PageUp back (-1); 0 for any other key.
int PageKeyStep(const QKeyEvent& e);

// The button that an access key shared with tabs presses: the one visible, enabled button
// of the window with that key, when it stands on the page shown of every strip whose tab
// has the key too. Between two buttons Qt's own turn-taking stays.
QAbstractButton* ButtonOfAccessKey(const QWidget* window, const QKeySequence& key);

// As an access key presses a button: the focus first, then the click.
void PressByAccessKey(QAbstractButton* b);

// True when GotFocus should run.
bool GateFocusIn(QWidget* self);

// True when LostFocus should run.
bool GateFocusOut(QWidget* self, Qt::FocusReason reason);

// A key through the control's KeyDown and then KeyPress handlers, in the original's order;
// KeyPress runs only for a key that types a character. `alive` is false once a handler has
// destroyed the control: the key is then dropped.
struct KeyHandlers {
    bool alive = true;
    bool cancelled = false;   // KeyDown answered 0
    int typed = 0;            // the character code, 0 for none
    int result = 0;           // what KeyPress made of it
};

KeyHandlers FireKeyHandlers(QWidget* control, const QKeyEvent& e, const std::function<int(int, int)>& onKeyDown,
                            const std::function<int(int)>& onKeyPress);

} // namespace zav::detail
