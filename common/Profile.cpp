#include "common/Profile.h"

#include "common/ArchivoAtomico.h"
#include "common/Cp1252.h"
#include "common/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

namespace zav {

namespace {

// The profile buffer of the callers holds 255 characters, the last one the terminator.
constexpr qsizetype kMaxValue = 254;

QString envValue(const char* name)
{
    return QString::fromLocal8Bit(qgetenv(name));
}

bool isBareName(const QString& fileName)
{
    return !fileName.contains(QLatin1Char('/')) && !fileName.contains(QLatin1Char('\\'));
}

// Where the file is or would be: a bare name lives in the Windows folder; an existing
// file is found whatever the case of its name.
QString profilePath(const QString& fileName)
{
    QString p = isBareName(fileName) ? JoinPath(WindowsFolder(), fileName) : fileName;
    return ResolvePath(p);
}

// One line of the file, kept as its bytes so that untouched lines go back unchanged.
struct Line {
    QByteArray raw;
    enum Kind { Other, Section, Key } kind = Other;
    QString name; // section or key name, trimmed
    QString value; // key value, trimmed
};

Line parseLine(const QByteArray& raw)
{
    Line l;
    l.raw = raw;
    const QString text = FromCp1252(raw).trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char(';')))
        return l;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close > 0) {
            l.kind = Line::Section;
            l.name = text.mid(1, close - 1).trimmed();
        }
        return l;
    }
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq > 0) {
        l.kind = Line::Key;
        l.name = text.left(eq).trimmed();
        l.value = text.mid(eq + 1).trimmed();
    }
    return l;
}

// False when the file exists but cannot be read; a missing file gives no lines.
bool readLines(const QString& path, QList<Line>& lines, QString* error = nullptr)
{
    lines.clear();
    QFile f(path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray all = f.readAll();
    if (all.isEmpty())
        return true;
    QList<QByteArray> raws = all.split('\n');
    if (all.endsWith('\n'))
        raws.removeLast();
    for (QByteArray& r : raws) {
        if (r.endsWith('\r'))
            r.chop(1);
        lines.append(parseLine(r));
    }
    return true;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

} // namespace

QString ProfilePath(const QString& fileName)
{
    return profilePath(fileName);
}

QString WindowsFolder()
{
    const QString windir = envValue("WINDIR");
    if (!windir.isEmpty())
        return windir;
    QString config = envValue("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return JoinPath(config, QStringLiteral("zav"));
}

QString GetPrivateProfileString(const QString& section, const QString& key, const QString& def,
                                const QString& fileName)
{
    QList<Line> lines;
    QString found = def;
    if (readLines(profilePath(fileName), lines)) {
        bool inSection = false;
        for (const Line& l : lines) {
            if (l.kind == Line::Section) {
                inSection = sameName(l.name, section.trimmed());
            } else if (inSection && l.kind == Line::Key && sameName(l.name, key.trimmed())) {
                found = l.value;
                break;
            }
        }
    }
    // Cut as the fixed buffer does; a blank left at the cut is trimmed like the rest.
    return found.trimmed().left(kMaxValue).trimmed();
}

bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& fileName, QString* error)
{
    const QString sec = section.trimmed();
    const QString k = key.trimmed();
    // A line break would split the line and plant other keys; "=" or "]" would change what is read back.
    if (sec.isEmpty() || k.isEmpty() || hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value)
        || sec.contains(QLatin1Char(']')) || k.contains(QLatin1Char('=')) || k.startsWith(QLatin1Char(';'))
        || k.startsWith(QLatin1Char('['))) {
        if (error)
            *error = QStringLiteral("Invalid argument");
        return false;
    }

    const QString path = profilePath(fileName);
    if (isBareName(fileName))
        QDir().mkpath(QFileInfo(path).absolutePath());

    QList<Line> lines;
    if (!readLines(path, lines, error))
        return false;

    qsizetype sectionAt = -1; // header line of the first matching section
    qsizetype keyAt = -1; // the key's line in it
    qsizetype lastKeyAt = -1; // last key line of that section
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        if (l.kind == Line::Section) {
            if (sectionAt >= 0)
                break;
            if (sameName(l.name, sec))
                sectionAt = lastKeyAt = i;
        } else if (sectionAt >= 0 && l.kind == Line::Key) {
            lastKeyAt = i;
            if (sameName(l.name, k)) {
                keyAt = i;
                break;
            }
        }
    }

    // The usual case at every start: the key already holds the value, and the file is left
    // alone (a disk that is full, or a file the host holds, stays as it is).
    if (keyAt >= 0 && lines[keyAt].value == value)
        return true;

    if (keyAt >= 0) {
        lines[keyAt].raw = ToCp1252(lines[keyAt].name + QLatin1Char('=') + value);
    } else if (sectionAt >= 0) {
        Line l;
        l.raw = ToCp1252(k + QLatin1Char('=') + value);
        lines.insert(lastKeyAt + 1, l);
    } else {
        Line h;
        h.raw = ToCp1252(QLatin1Char('[') + sec + QLatin1Char(']'));
        Line l;
        l.raw = ToCp1252(k + QLatin1Char('=') + value);
        lines.append(h);
        lines.append(l);
    }

    QByteArray out;
    for (const Line& l : lines) {
        out += l.raw;
        out += "\r\n";
    }

    // Temporary file beside the target, synced to disk, then renamed over it: a crash or a
    // full disk leaves the old file or the new one, never a cut one.
    return EscribeArchivoEntero(path, out, error);
}

} // namespace zav
