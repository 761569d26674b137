#include "common/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace zav {

namespace {

// The entry of folder dir whose name equals name ignoring case; exact spelling first.
QString findEntry(const QString& dir, const QString& name)
{
    const QString base = dir.isEmpty() ? QStringLiteral(".") : dir;
    if (QFileInfo::exists(base + QLatin1Char('/') + name))
        return name;
    QStringList entries = QDir(base).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                               QDir::Name);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return {};
}

} // namespace

QString ResolvePath(const QString& path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty())
        return p;

    const bool absolute = p.startsWith(QLatin1Char('/'));
    const bool trailing = p.endsWith(QLatin1Char('/')) && p.size() > 1;
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    QString done = absolute ? QStringLiteral("/") : QString();
    qsizetype i = 0;
    for (; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString found;
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            found = part;
        else
            found = findEntry(done, part);
        if (found.isEmpty())
            break;
        if (!done.isEmpty() && !done.endsWith(QLatin1Char('/')))
            done += QLatin1Char('/');
        done += found;
    }
    for (; i < parts.size(); ++i) {
        if (!done.isEmpty() && !done.endsWith(QLatin1Char('/')))
            done += QLatin1Char('/');
        done += parts[i];
    }
    if (trailing && !done.endsWith(QLatin1Char('/')))
        done += QLatin1Char('/');
    return done;
}

QString JoinPath(const QString& dir, const QString& name)
{
    QString d = dir;
    QString n = name;
    d.replace(QLatin1Char('\\'), QLatin1Char('/'));
    n.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (d.isEmpty())
        return n;
    while (n.startsWith(QLatin1Char('/')))
        n.remove(0, 1);
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d + n;
}

} // namespace zav
