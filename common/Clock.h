#pragma once
// The one clock the module dates by; tests set it to a fixed moment.
#include <QDate>
#include <QDateTime>

#include <functional>

namespace zav {

QDateTime Now();
QDate Today(); // the date of Now()

// Replaces the clock; an empty function restores the real one.
void SetClockForTests(std::function<QDateTime()> clock);

} // namespace zav
