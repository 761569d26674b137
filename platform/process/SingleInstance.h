#pragma once
// One running copy per program: a lock file in the user's runtime folder, held for as
// long as the object lives (or until TerminaPrograma). A lock left by a dead process, or
// one whose owner cannot be read (a process killed before it wrote it) and that no live
// process holds, is taken over.
#include <QString>

#include <memory>

class QLockFile;

namespace zav {

class SingleInstance {
public:
    // folder empty: the user's runtime folder, else the temporary folder.
    explicit SingleInstance(const QString& folder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    enum class Resultado {
        Tomado,      // this object holds the lock
        OtraCopia,   // another live process (or another object of this one) holds it
        NoSeEscribe  // the lock file could not be written (folder missing or full): Error()
    };
    // Tomado again for the name this object already holds.
    Resultado Toma(const QString& programName);
    // Toma gave Tomado.
    bool TryAcquire(const QString& programName) { return Toma(programName) == Resultado::Tomado; }
    // Why the last Toma could not write the lock file.
    const QString& Error() const { return error_; }
    void Release();
    bool IsHeld() const;

    // Where the lock of programName lives.
    QString LockPath(const QString& programName) const;
    static QString DefaultFolder();

private:
    QString folder_;
    QString held_;
    QString error_;
    std::unique_ptr<QLockFile> lock_;
};

// The message of a lock file that could not be written.
QString TextoBloqueoNoEscrito(const QString& ruta, const QString& error);

// Releases every lock still held; TerminaPrograma calls it just before the process ends.
void ReleaseAllSingleInstanceLocks();

} // namespace zav
