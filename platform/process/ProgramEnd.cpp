#include "platform/process/ProgramEnd.h"

#include "platform/process/SingleInstance.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zav {
namespace {
ProgramEndInterceptor* gInterceptor = nullptr;

std::vector<std::function<void()>>& Hooks()
{
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

void RunHooks()
{
    // Taken out first: a hook that ends the program again, or a later end, runs none twice.
    std::vector<std::function<void()>> hooks;
    hooks.swap(Hooks());
    for (auto& h : hooks) {
        if (!h)
            continue;
        // A hook that fails must neither keep the program alive nor skip the others.
        try {
            h();
        } catch (...) {
        }
    }
}
} // namespace

void AddCloseHook(std::function<void()> hook) { Hooks().push_back(std::move(hook)); }

void ClearCloseHooks() { Hooks().clear(); }

[[noreturn]] void TerminaPrograma(int code)
{
    RunHooks();
    if (gInterceptor) {
        ++gInterceptor->count_;
        gInterceptor->lastCode_ = code;
        throw ProgramEnded{code};
    }
    ReleaseAllSingleInstanceLocks();
    // Like the original's End: nothing else runs, neither the windows' close handling nor
    // destructors of objects still alive (the Qt application among them).
    std::fflush(nullptr);
    std::_Exit(code);
}

ProgramEndInterceptor::ProgramEndInterceptor() : previous_(gInterceptor) { gInterceptor = this; }

ProgramEndInterceptor::~ProgramEndInterceptor() { gInterceptor = previous_; }

} // namespace zav
