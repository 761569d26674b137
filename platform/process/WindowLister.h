#pragma once
// The desktop's top-level windows, as the host check needs them.
#include <QList>
#include <QString>

namespace zav {

struct TopLevelWindow {
    QString caption; // "" when the window has none
    bool visible = false;
    quint32 id = 0; // native window id; 0 for made-up windows
};

class WindowLister {
public:
    virtual ~WindowLister() = default;
    virtual QList<TopLevelWindow> TopLevelWindows() const = 0;
};

// X11 through xcb, on the display named by DISPLAY. The window manager's client list
// when there is one, else the root window's children. Visible: viewable, or (managed
// windows) iconified or on another desktop. No display: no windows.
class X11WindowLister : public WindowLister {
public:
    QList<TopLevelWindow> TopLevelWindows() const override;

    // Caption of one window: _NET_WM_NAME, else WM_NAME; "" when it has none.
    static QString TituloVentana(quint32 window);
};

// A made-up desktop for tests.
class FakeWindowLister : public WindowLister {
public:
    FakeWindowLister() = default;
    explicit FakeWindowLister(QList<TopLevelWindow> windows) : windows(std::move(windows)) {}
    QList<TopLevelWindow> TopLevelWindows() const override { return windows; }

    QList<TopLevelWindow> windows;
};

// The host check: a visible top-level window whose caption is not empty and equals
// titulo exactly (case and every character).
bool CorreApp(const QString& titulo, const WindowLister& lister);

// The lister cWindows uses by default: X11WindowLister unless a scope is installed.
const WindowLister& DefaultWindowLister();

// Replaces the default lister for its lifetime (tests of the start-up code).
class DefaultWindowListerScope {
public:
    explicit DefaultWindowListerScope(const WindowLister& lister);
    ~DefaultWindowListerScope();
    DefaultWindowListerScope(const DefaultWindowListerScope&) = delete;
    DefaultWindowListerScope& operator=(const DefaultWindowListerScope&) = delete;

private:
    const WindowLister* previous_;
};

} // namespace zav
