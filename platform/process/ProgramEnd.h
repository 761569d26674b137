#pragma once
// Every way out of a program goes through TerminaPrograma: the close hooks run once
// (closing the database, for one), then the process ends at once, also from inside a
// modal dialog's event loop. Tests install an interceptor that throws ProgramEnded.
#include <functional>

namespace zav {

struct ProgramEnded {
    int code;
};

// Runs the close hooks in the order they were added, each once, then ends the process
// with code (no window is unloaded first, no event runs after). Under an interceptor it
// throws ProgramEnded{code} instead of ending.
[[noreturn]] void TerminaPrograma(int code = 0);

void AddCloseHook(std::function<void()> hook);

// Drops the hooks not yet run (tests start each case clean).
void ClearCloseHooks();

class ProgramEndInterceptor {
public:
    ProgramEndInterceptor();
    ~ProgramEndInterceptor();
    ProgramEndInterceptor(const ProgramEndInterceptor&) = delete;
    ProgramEndInterceptor& operator=(const ProgramEndInterceptor&) = delete;

    // How many times the program would have ended, and the last code.
    int Count() const { return count_; }
    int LastCode() const { return lastCode_; }

private:
    friend void TerminaPrograma(int);
    ProgramEndInterceptor* previous_;
    int count_ = 0;
    int lastCode_ = 0;
};

} // namespace zav
