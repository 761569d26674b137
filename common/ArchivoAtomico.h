#pragma once
// A file replaced whole or not at all, as the host and the module read files that another
// program may be writing, on disks that fill up.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace zav {

// The new content goes to a temporary file beside the target (NAME.~ and eight hexadecimal
// digits), written without a buffer so that every failure shows where it happens. Confirma
// syncs it to disk and renames it over the target, which keeps its mode; until then the
// target is untouched. A failure, Descarta or the destructor removes the temporary file.
// Only a regular file (or a missing one) is replaced. The temporary file is locked while
// it lives; Abre first removes the temporary files of that folder that nobody holds, left
// by a writer that was killed.
class ArchivoAtomico {
public:
    explicit ArchivoAtomico(const QString& destino);
    ~ArchivoAtomico();
    ArchivoAtomico(const ArchivoAtomico&) = delete;
    ArchivoAtomico& operator=(const ArchivoAtomico&) = delete;

    // Creates the temporary file. False when it cannot be made, or when the target is a
    // folder or another kind of file.
    bool Abre();
    bool EstaAbierto() const { return archivo_.isOpen(); }
    // The temporary file, for writers that take a QFile; its writes are not buffered.
    QFile& Archivo() { return archivo_; }

    // False, and the temporary file removed, when not every byte was written.
    bool Escribe(const char* datos, qsizetype n);
    bool Escribe(const QByteArray& datos) { return Escribe(datos.constData(), datos.size()); }

    // Syncs, closes and renames the temporary file over the target. False, with the
    // temporary file removed and the target as it was, when a step fails.
    bool Confirma();
    void Descarta();

    const QString& Destino() const { return destino_; }
    QString Temporal() const { return archivo_.fileName(); }
    // The system's text of the first failure.
    const QString& Error() const { return error_; }
    // The folder of the target exists (a failed Abre may be told apart by it).
    bool CarpetaExiste() const;

private:
    bool falla(const QString& texto);
    bool creaTemporal();
    void sueltaBloqueo();

    QString destino_;
    QFile archivo_;
    QString error_;
    int bloqueo_ = -1;   // holds the temporary file's lock
};

// Every byte into f (open without a buffer), past short writes; false, with f's error,
// when the system refuses the rest (a full disk).
bool EscribeCompleto(QFile& f, const char* datos, qsizetype n);

// bytes as the whole content of ruta, through an ArchivoAtomico. False when any step
// failed; ruta is then as it was, and *error (when given) says why.
bool EscribeArchivoEntero(const QString& ruta, const QByteArray& bytes, QString* error = nullptr);

} // namespace zav
