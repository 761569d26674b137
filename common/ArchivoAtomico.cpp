#include "common/ArchivoAtomico.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zav {

namespace {

QString textoErrno(int numero) { return QString::fromLocal8Bit(std::strerror(numero)); }

// A symbolic link is followed, so that the file it names is the one replaced.
QString archivoReal(const QString& ruta)
{
    const QFileInfo fi(ruta);
    if (!fi.isSymLink())
        return ruta;
    const QString destino = fi.symLinkTarget();
    return destino.isEmpty() ? ruta : destino;
}

// The rename is durable only once the folder itself is on disk; a folder that cannot be
// synced (some file systems refuse) changes nothing for the reader.
void sincronizaCarpeta(const QString& ruta)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(ruta).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

// A temporary name of ours: something, ".~" and eight lower-case hexadecimal digits.
bool esTemporal(const char* nombre)
{
    const size_t n = std::strlen(nombre);
    if (n < 11 || nombre[n - 10] != '.' || nombre[n - 9] != '~')
        return false;
    for (size_t i = n - 8; i < n; ++i) {
        const char c = nombre[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// The temporary files a killed writer left in the folder. A live writer holds an flock
// on its temporary file from before anyone can see it unlocked (it makes the file while
// it holds the folder shared; this holds it exclusively), so a temporary file that can
// be locked here has no writer. Another program busy at this step leaves the cleaning
// to the next write.
void quitaTemporalesHuerfanos(int carpeta)
{
    if (::flock(carpeta, LOCK_EX | LOCK_NB) != 0)
        return;
    const int lectura = ::openat(carpeta, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* d = lectura >= 0 ? ::fdopendir(lectura) : nullptr;
    if (!d && lectura >= 0)
        ::close(lectura);
    while (d) {
        const dirent* e = ::readdir(d);
        if (!e)
            break;
        if (!esTemporal(e->d_name))
            continue;
        const int fd = ::openat(carpeta, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat abierto {}, ahora {};
        if (::fstat(fd, &abierto) == 0 && S_ISREG(abierto.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::fstatat(carpeta, e->d_name, &ahora, AT_SYMLINK_NOFOLLOW) == 0 && ahora.st_ino == abierto.st_ino
            && ahora.st_dev == abierto.st_dev)
            (void)::unlinkat(carpeta, e->d_name, 0);
        ::close(fd);
    }
    if (d)
        ::closedir(d);
    (void)::flock(carpeta, LOCK_UN);
}

} // namespace

ArchivoAtomico::ArchivoAtomico(const QString& destino) : destino_(archivoReal(destino)) {}

ArchivoAtomico::~ArchivoAtomico() { Descarta(); }

bool ArchivoAtomico::CarpetaExiste() const { return QFileInfo(destino_).absoluteDir().exists(); }

bool ArchivoAtomico::falla(const QString& texto)
{
    if (error_.isEmpty())
        error_ = texto;
    Descarta();
    return false;
}

bool ArchivoAtomico::Abre()
{
    Descarta();
    error_.clear();
    const QFileInfo fi(destino_);
    if (fi.exists() && !fi.isFile())
        return falla(textoErrno(EISDIR));
    const int carpeta =
        ::open(QFile::encodeName(fi.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (carpeta >= 0) {
        quitaTemporalesHuerfanos(carpeta);
        // Held shared while the temporary file is made and locked: no cleaner of
        // another writer sees it unlocked.
        while (::flock(carpeta, LOCK_SH) != 0 && errno == EINTR) {
        }
    }
    const bool abierto = creaTemporal();
    if (carpeta >= 0)
        ::close(carpeta);
    return abierto;
}

bool ArchivoAtomico::creaTemporal()
{
    struct stat anterior {};
    const bool reemplaza = ::stat(QFile::encodeName(destino_).constData(), &anterior) == 0;
    for (int intento = 0; intento < 100; ++intento) {
        const QString nombre = destino_ + QStringLiteral(".~")
                               + QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, QLatin1Char('0'));
        archivo_.setFileName(nombre);
        if (archivo_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            // The lock lives on a second descriptor, so that it holds until the rename
            // is done, after the file itself is closed.
            bloqueo_ = ::fcntl(archivo_.handle(), F_DUPFD_CLOEXEC, 0);
            if (bloqueo_ < 0 || ::flock(bloqueo_, LOCK_EX | LOCK_NB) != 0)
                return falla(textoErrno(errno));
            // The replaced file's mode goes to its replacement (the new file's mode is
            // the process's default).
            if (reemplaza && ::fchmod(archivo_.handle(), anterior.st_mode & 07777) != 0)
                return falla(textoErrno(errno));
            return true;
        }
        if (QFileInfo::exists(nombre))
            continue; // another writer's temporary file: take another name
        const QString texto = archivo_.errorString();
        archivo_.setFileName(QString());
        return falla(texto);
    }
    archivo_.setFileName(QString());
    return falla(textoErrno(EEXIST));
}

void ArchivoAtomico::sueltaBloqueo()
{
    if (bloqueo_ >= 0) {
        ::close(bloqueo_);
        bloqueo_ = -1;
    }
}

bool ArchivoAtomico::Escribe(const char* datos, qsizetype n)
{
    if (!archivo_.isOpen())
        return falla(textoErrno(EBADF));
    if (!EscribeCompleto(archivo_, datos, n))
        return falla(archivo_.errorString());
    return true;
}

bool ArchivoAtomico::Confirma()
{
    if (!archivo_.isOpen())
        return falla(textoErrno(EBADF));
    if (::fsync(archivo_.handle()) != 0)
        return falla(textoErrno(errno));
    archivo_.close();
    if (archivo_.error() != QFileDevice::NoError)
        return falla(archivo_.errorString());
    if (std::rename(QFile::encodeName(archivo_.fileName()).constData(), QFile::encodeName(destino_).constData()) != 0)
        return falla(textoErrno(errno));
    archivo_.setFileName(QString());
    sueltaBloqueo();
    sincronizaCarpeta(destino_);
    return true;
}

void ArchivoAtomico::Descarta()
{
    if (archivo_.isOpen())
        archivo_.close();
    if (!archivo_.fileName().isEmpty()) {
        QFile::remove(archivo_.fileName());
        archivo_.setFileName(QString());
    }
    sueltaBloqueo();
}

bool EscribeCompleto(QFile& f, const char* datos, qsizetype n)
{
    while (n > 0) {
        // A short write (a disk filling up) is followed by one that says why.
        const qint64 escritos = f.write(datos, n);
        if (escritos <= 0)
            return false;
        datos += escritos;
        n -= escritos;
    }
    return true;
}

bool EscribeArchivoEntero(const QString& ruta, const QByteArray& bytes, QString* error)
{
    ArchivoAtomico archivo(ruta);
    if (archivo.Abre() && archivo.Escribe(bytes) && archivo.Confirma())
        return true;
    if (error)
        *error = archivo.Error();
    return false;
}

} // namespace zav
