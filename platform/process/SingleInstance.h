#pragma once
// One running copy per program: a lock file in the user's runtime folder, held for as
// long as the object lives (or until TerminaPrograma). A lock left by a dead process is
// taken over.
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

    // False when another live process (or another object of this one) holds the lock.
    // True again for the name this object already holds.
    bool TryAcquire(const QString& programName);
    void Release();
    bool IsHeld() const;

    // Where the lock of programName lives.
    QString LockPath(const QString& programName) const;
    static QString DefaultFolder();

private:
    QString folder_;
    QString held_;
    std::unique_ptr<QLockFile> lock_;
};

// Releases every lock still held; TerminaPrograma calls it just before the process ends.
void ReleaseAllSingleInstanceLocks();

} // namespace zav
