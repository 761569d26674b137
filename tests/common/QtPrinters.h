#pragma once
// Readable failure messages for Qt text in GoogleTest.
#include <QByteArray>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << '"';
    for (char c : b) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 32 && u < 127)
            *os << c;
        else {
            const char* hex = "0123456789ABCDEF";
            *os << "\\x" << hex[u >> 4] << hex[u & 15];
        }
    }
    *os << '"';
}
