#pragma once

class QPushButton;

namespace zav {

// A command button as the fields around it expect: its access key first takes the focus,
// so the field being left runs its LostFocus (and shows its formatted text) before the
// click; Enter presses the button that has the focus. On the page of a tab strip whose tab
// has the same access key, the key presses the button.
void CommandButton(QPushButton* button);

} // namespace zav
