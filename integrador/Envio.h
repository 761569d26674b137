#pragma once
// Sending a stored declaration, as the host does: its rows are copied to the history
// tables under a new CORREL, with a control code, and the taxpayer gets an order number
// and its check digits to register in the module.
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
// history rows are written in one transaction, or none.
EnvioResult EnviaDeclaracion(const QString& dbFile, const QString& doc, const QString& periodo);

} // namespace integrador
