#pragma once
#include <QTabWidget>

#include <functional>

namespace zav {

// Tab strip (over QTabWidget) whose page changes tell the user's from the code's. The
// user's: a click, a key or the wheel on its bar (the arrows on a focused bar), a tab's
// access key, and Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp from inside the
// strip (a strip with no other page to go to leaves these to the strip around it). Any
// setCurrentIndex is the code's, also one made while the user's change is handled.
// onClick runs on every page change, with the page shown before; while it runs for the
// user's change UserChange() is true.
class TabStrip : public QTabWidget {
public:
    explicit TabStrip(QWidget* parent = nullptr);

    std::function<void(int previousTab)> onClick;
    bool UserChange() const { return userChange_; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    friend class TabStripBar;
    friend class UserInput;
    int inputs_ = 0;          // user's input events being handled, nested
    bool armed_ = false;      // the first page change of that input is the user's
    int userPage_ = -1;       // the page the user's input is bringing forward
    bool userChange_ = false;
    int previous_ = 0;
};

} // namespace zav
