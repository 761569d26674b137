#include "platform/process/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zav {
namespace {
std::vector<SingleInstance*>& Held()
{
    static std::vector<SingleInstance*> held;
    return held;
}

bool SinDueno(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host, app;
    return !lock.getLockInfo(&pid, &host, &app);
}

// A lock file whose owner cannot be read is left by a process killed between creating it
// and writing it. Its writer holds an flock on it from the moment it is created, so one
// that nobody holds is stale and goes; one being written now is left alone.
bool QuitaSinDueno(const QString& ruta, const QLockFile& lock)
{
    if (!SinDueno(lock))
        return false;   // QLockFile's own rule: a live owner keeps it
    const QByteArray nombre = QFile::encodeName(ruta);
    const int fd = ::open(nombre.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;   // gone already
    bool quitado = false;
    struct stat abierto {}, ahora {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &abierto) == 0 && ::stat(nombre.constData(), &ahora) == 0
        && abierto.st_dev == ahora.st_dev && abierto.st_ino == ahora.st_ino && SinDueno(lock))
        quitado = ::unlink(nombre.constData()) == 0;
    ::close(fd);
    return quitado;
}

// QLockFile keeps no reason: the same steps on a name of our own tell it.
QString PorQueNoSeEscribe(const QString& ruta)
{
    const QByteArray prueba = QFile::encodeName(ruta + QStringLiteral(".~") + QString::number(::getpid()));
    int numero = 0;
    const int fd = ::open(prueba.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        numero = errno;
    } else {
        if (::write(fd, "0\n", 2) != 2)
            numero = errno;
        if (::close(fd) != 0 && numero == 0)
            numero = errno;
        ::unlink(prueba.constData());
    }
    return QString::fromLocal8Bit(std::strerror(numero != 0 ? numero : EIO));
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

SingleInstance::Resultado SingleInstance::Toma(const QString& programName)
{
    error_.clear();
    if (lock_) {
        if (held_ == programName)
            return Resultado::Tomado;
        Release();
    }
    const QString ruta = LockPath(programName);
    auto lock = std::make_unique<QLockFile>(ruta);
    // Never stale by age: a copy that runs for hours keeps its lock. A lock whose
    // process is gone is still recognised as stale and taken over.
    lock->setStaleLockTime(0);
    bool tomado = lock->tryLock(0);
    if (!tomado && lock->error() == QLockFile::LockFailedError && QuitaSinDueno(ruta, *lock))
        tomado = lock->tryLock(0);
    if (!tomado) {
        if (lock->error() == QLockFile::LockFailedError)
            return Resultado::OtraCopia;
        error_ = PorQueNoSeEscribe(ruta);
        return Resultado::NoSeEscribe;
    }
    lock_ = std::move(lock);
    held_ = programName;
    Held().push_back(this);
    return Resultado::Tomado;
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

QString TextoBloqueoNoEscrito(const QString& ruta, const QString& error)
{
    return QStringLiteral("No se puede escribir el archivo de bloqueo de la aplicación %1: %2").arg(ruta, error);
}

void ReleaseAllSingleInstanceLocks()
{
    while (!Held().empty())
        Held().back()->Release();
}

} // namespace zav
