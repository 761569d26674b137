#pragma once
// Sending a stored declaration, as the host does: its rows are copied to the history
// tables under a new CORREL, with a control code, and the taxpayer gets an order number
// and its check digits to register in the module.
#include "integrador/Workspace.h"

#include <QString>

namespace integrador {

struct EnvioResult {
    bool ok = false;
    QString message;   // the reason of a refusal or failure
    QString correl;    // "001", "002", ...
    QString control;   // HCAB.CONTROL
    QString norden;    // the order number handed to the taxpayer
    QString verifica;  // its two check characters
};

// Sends the declaration (type 6, doc, periodo, form 0947) stored in dbFile. All of its
// history rows are written in one transaction, or none. A declaration stored with state
// 9 is refused.
EnvioResult EnviaDeclaracion(const QString& dbFile, const QString& doc, const QString& periodo);

// The declaration a send would take to the check, or why it may not be sent: it is not
// stored, or it was stored with state 9 (saved with inconsistencies; the module tells
// the user it cannot be sent).
struct EnvioCandidato {
    bool ok = false;
    QString message;
    StoredDeclaration declaracion;
};
EnvioCandidato DeclaracionAEnviar(const QString& dbFile, const QString& doc, const QString& periodo);

// The line 0947CNSINF is started with on the declaration.
QString LineaVerificacion(const StoredDeclaration& d);

// What the host reads from 0947CNSINF's status: empty when the declaration passed (0),
// else why nothing is sent, naming the report in sysPath's TMP when a rule failed.
QString MotivoVerificacion(const QString& sysPath, const StoredDeclaration& d, int status);

// A send as the host makes it: the declaration refused as above, else 0947CNSINF run
// on it (from this program's folder) and waited for, and the rows copied only when it
// passed.
EnvioResult EnviaVerificada(const QString& dbFile, const QString& sysPath, const QString& doc,
                            const QString& periodo);

} // namespace integrador
