#pragma once
// Taxpayer names that would forge or break a line of a report file if they went in as they
// are stored, and what every writer puts in their place: line breaks and other control
// characters (which a printer or the host would take as commands) as blanks, "|" as
// "¦", and the "<" of a "<!" as "‹", so that no reader takes it for a tag; a text that is
// the page break's keyword stays a text.
#include <QString>

#include <vector>

struct NombreRegistro {
    const char* caso;
    QString guardado;   // in CONT
    QString escrito;    // in the record or the line
};

inline const std::vector<NombreRegistro>& NombresRegistro()
{
    static const std::vector<NombreRegistro> nombres{
        {"a line break forges a line", QStringLiteral("ANDINA\r\nCOEFICIENTE O % :     9.9999"),
         QStringLiteral("ANDINA  COEFICIENTE O % :     9.9999")},
        {"a lone line feed", QStringLiteral("ANDINA\nS.A."), QStringLiteral("ANDINA S.A.")},
        {"a page break tag", QStringLiteral("<!np!>ANDINA"), QStringLiteral("‹!np!>ANDINA")},
        {"a tag of the renderer", QStringLiteral("<!bold!>"), QStringLiteral("‹!bold!>")},
        {"a tag without its end", QStringLiteral("ANDINA <!x"), QStringLiteral("ANDINA ‹!x")},
        {"one of our header tags", QStringLiteral("<!Color!>&H000000FF&<!/Color!>"),
         QStringLiteral("‹!Color!>&H000000FF&‹!/Color!>")},
        {"bars that shift the fields", QStringLiteral("A|B|True|99|"), QStringLiteral("A¦B¦True¦99¦")},
        {"the page break's keyword", QStringLiteral("pNuevaHoja"), QStringLiteral("pNuevaHoja")},
        {"a NUL", QStringLiteral("ANDINA") + QChar(0) + QStringLiteral("S.A."), QStringLiteral("ANDINA S.A.")},
        {"a printer's escape sequence", QStringLiteral("\x1B(s3BANDINA"), QStringLiteral(" (s3BANDINA")},
        {"the text receipt's page break", QStringLiteral("ANDINA\x0FS.A."), QStringLiteral("ANDINA S.A.")},
        {"tab, DEL and the rest", QStringLiteral("\tA\x01N\x7F\x1F"), QStringLiteral(" A N  ")},
        {"accents and a lone <", QStringLiteral("Ñandú < Cía. <<!"), QStringLiteral("Ñandú < Cía. <‹!")},
    };
    return nombres;
}
