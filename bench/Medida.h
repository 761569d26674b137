#pragma once
// The measuring steps every timing program shares: a steady clock, milliseconds between two
// readings and the median of the repetitions.
#include <algorithm>
#include <chrono>
#include <vector>

using Reloj = std::chrono::steady_clock;

inline double Ms(Reloj::time_point a, Reloj::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

inline double Mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
