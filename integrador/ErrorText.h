#pragma once
// The reason a step failed, handed back through an optional text (private to integrador/).
#include <QString>

#include <sqlite3.h>

namespace integrador {

inline void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

inline bool fail(QString* error, const QString& text)
{
    setError(error, text);
    return false;
}

inline QString lastError(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

} // namespace integrador
