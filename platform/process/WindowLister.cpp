#include "platform/process/WindowLister.h"

namespace zav {
namespace {
const WindowLister* gDefaultLister = nullptr;
}

bool CorreApp(const QString& titulo, const WindowLister& lister)
{
    for (const TopLevelWindow& w : lister.TopLevelWindows())
        if (w.visible && !w.caption.isEmpty() && w.caption == titulo)
            return true;
    return false;
}

const WindowLister& DefaultWindowLister()
{
    static const X11WindowLister x11;
    return gDefaultLister ? *gDefaultLister : x11;
}

DefaultWindowListerScope::DefaultWindowListerScope(const WindowLister& lister) : previous_(gDefaultLister)
{
    gDefaultLister = &lister;
}

DefaultWindowListerScope::~DefaultWindowListerScope() { gDefaultLister = previous_; }

} // namespace zav
