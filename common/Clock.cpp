#include "common/Clock.h"

#include <mutex>

namespace zav {

namespace {

std::mutex& clockMutex()
{
    static std::mutex m;
    return m;
}

std::function<QDateTime()>& clockFunction()
{
    static std::function<QDateTime()> f;
    return f;
}

} // namespace

QDateTime Now()
{
    std::function<QDateTime()> f;
    {
        std::lock_guard<std::mutex> lock(clockMutex());
        f = clockFunction();
    }
    return f ? f() : QDateTime::currentDateTime();
}

QDate Today()
{
    return Now().date();
}

void SetClockForTests(std::function<QDateTime()> clock)
{
    std::lock_guard<std::mutex> lock(clockMutex());
    clockFunction() = std::move(clock);
}

} // namespace zav
