#pragma once
// The measuring steps every timing program shares: a steady clock, milliseconds between two
// readings and the median of the repetitions; and the instructions of a timed part.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define ZAV_CALLGRIND 1
#endif

using Reloj = std::chrono::steady_clock;

inline double Ms(Reloj::time_point a, Reloj::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// The repetitions asked on the command line (at least 5, for a median), else porDefecto.
inline int Repeticiones(int argc, char** argv, int porDefecto)
{
    return argc > 1 ? std::max(5, std::atoi(argv[1])) : porDefecto;
}

inline double Mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Under valgrind --tool=callgrind --collect-atstart=no (bench/instrucciones.sh), the
// instructions from EmpiezaCuenta to TerminaCuenta are counted, and kept apart under the
// part's name: instruction counts do not move with the machine's load. Elsewhere both
// do nothing.
inline void EmpiezaCuenta()
{
#ifdef ZAV_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
#endif
}

inline void TerminaCuenta([[maybe_unused]] const char* parte)
{
#ifdef ZAV_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(parte);
#endif
}
