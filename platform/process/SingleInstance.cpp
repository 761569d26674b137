#include "platform/process/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <vector>

namespace zav {
namespace {
std::vector<SingleInstance*>& Held()
{
    static std::vector<SingleInstance*> held;
    return held;
}
} // namespace

SingleInstance::SingleInstance(const QString& folder) : folder_(folder.isEmpty() ? DefaultFolder() : folder) {}

SingleInstance::~SingleInstance() { Release(); }

QString SingleInstance::DefaultFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QDir().mkpath(dir))
        dir = QDir::tempPath();
    return dir;
}

QString SingleInstance::LockPath(const QString& programName) const
{
    return QDir(folder_).filePath(programName + QStringLiteral(".lock"));
}

bool SingleInstance::TryAcquire(const QString& programName)
{
    if (lock_) {
        if (held_ == programName)
            return true;
        Release();
    }
    auto lock = std::make_unique<QLockFile>(LockPath(programName));
    // Never stale by age: a copy that runs for hours keeps its lock. A lock whose
    // process is gone is still recognised as stale and taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    lock_ = std::move(lock);
    held_ = programName;
    Held().push_back(this);
    return true;
}

void SingleInstance::Release()
{
    if (!lock_)
        return;
    lock_->unlock();
    lock_.reset();
    held_.clear();
    auto& held = Held();
    held.erase(std::remove(held.begin(), held.end(), this), held.end());
}

bool SingleInstance::IsHeld() const { return lock_ != nullptr; }

void ReleaseAllSingleInstanceLocks()
{
    while (!Held().empty())
        Held().back()->Release();
}

} // namespace zav
