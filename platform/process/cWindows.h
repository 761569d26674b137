#pragma once
// The host check of start-up: is the host's main window on screen?
#include "platform/process/WindowLister.h"

namespace zav {

class cWindows {
public:
    cWindows() : lister_(DefaultWindowLister()) {}
    explicit cWindows(const WindowLister& lister) : lister_(lister) {}

    // True when a visible top-level window has exactly the caption titulo.
    bool CorreApp(const QString& titulo) const;

private:
    const WindowLister& lister_;
};

} // namespace zav
