#pragma once
// Makes the engine open one database file for reading only, as it does with a file the
// user may not write (read-only medium, no permission). Tests run as root, where file
// permissions stop nothing; this reaches the same state through the engine's own file
// layer: the default file system, asked to open that file, opens it read-only.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <sqlite3.h>

#include <cstring>

class SoloLecturaVfs {
public:
    // nombreArchivo: the file's name without folder; any file of that name is affected.
    explicit SoloLecturaVfs(const QString& nombreArchivo)
    {
        original_ = sqlite3_vfs_find(nullptr);
        sufijo_ = QByteArray("/") + QFile::encodeName(nombreArchivo);
        vfs_ = *original_;
        vfs_.zName = "m0947_solo_lectura";
        vfs_.pAppData = this;
        vfs_.xOpen = &SoloLecturaVfs::Abre;
        sqlite3_vfs_register(&vfs_, 1);
    }
    ~SoloLecturaVfs()
    {
        sqlite3_vfs_unregister(&vfs_);
        sqlite3_vfs_register(original_, 1);
    }
    SoloLecturaVfs(const SoloLecturaVfs&) = delete;
    SoloLecturaVfs& operator=(const SoloLecturaVfs&) = delete;

private:
    static int Abre(sqlite3_vfs* vfs, const char* nombre, sqlite3_file* archivo, int flags, int* salida)
    {
        auto* self = static_cast<SoloLecturaVfs*>(vfs->pAppData);
        if (nombre && (flags & SQLITE_OPEN_MAIN_DB)) {
            const QByteArray n(nombre);
            if (n.endsWith(self->sufijo_))
                flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
        }
        return self->original_->xOpen(self->original_, nombre, archivo, flags, salida);
    }

    sqlite3_vfs* original_ = nullptr;
    sqlite3_vfs vfs_{};
    QByteArray sufijo_;
};
