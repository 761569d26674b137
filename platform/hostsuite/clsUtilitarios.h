#pragma once
// The host suite's utility object. The program holds one instance (gUtil) for the whole
// run. Argument lists keep the original's; the trailing zeros the callers pass are defaults.
#include <QString>

namespace zav {

class clsUtilitarios {
public:
    // True when path names an existing file (not a folder).
    bool ArchivoExiste(const QString& path) const;

    // 11 digits, prefix 10, 15, 16, 17 or 20, weighted modulo-11 check digit.
    bool ValidaRUC(const QString& ruc) const;

    // 16 upper-case hexadecimal characters of the SHA-1 of the text's Windows-1252 bytes.
    QString GeneraCodigoHash(const QString& text) const;

    // Exactly width characters: spaces added on the right, a longer text cut.
    QString RellenaDerecha(const QString& text, int width) const;

    // Spaces added on the left up to width; a longer text comes back unchanged.
    QString AlineaDerecha(const QString& text, int width) const;

    // True when fecha is a real calendar date "dd/mm/yyyy" within [desde, hasta]
    // (limits in the same form, both included).
    bool ValidaRangoFecha(const QString& fecha, const QString& desde, const QString& hasta) const;

    // Document numbers of data kind 0: letters A-Z/a-z and digits only, not empty.
    bool ValidaAlfanumerico(const QString& numero, int = 0, int = 0) const;

    // Document numbers of the other data kinds: digits only, not empty.
    bool ValidaNumerico(const QString& numero, int = 0, int = 0, int = 0) const;

    // Key filter of digit boxes: digits, Backspace (8) and Enter (13) pass; 0 drops the key.
    int FiltraTeclaNumerica(int key, int = 0, int = 0, int = 0) const;

    // Key filter of name boxes; 0 drops the key.
    int FiltraTeclaTexto(int key) const;

    // True when digitos is the two-character check code of a sent declaration's
    // control code and order number.
    bool ValidaNumeroOrden(const QString& control, const QString& orden, const QString& digitos) const;
};

} // namespace zav
