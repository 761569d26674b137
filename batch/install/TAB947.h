#pragma once
// The table installer: the module's tax-loss tables and its rows in the host's PARAM,
// REPORTES and ENVIO_T, each step safe to run again.
#include "platform/db/Variant.h"

#include <QString>

#include <functional>
#include <vector>

namespace dao {
class Database;
class Transaccion;
} // namespace dao

namespace zav::lote {

struct DescriptorEnvio;

// Installs on an open database. Every message goes through MsgBox; Completa() tells
// whether anything was reported (a failed statement, a bad env947.txt line, a failed
// look-up), so that the program's status says so.
class Instalador {
public:
    Instalador(dao::Database& base, const QString& sysPath);

    // CreaTablasModulo, then RegistraParametros. A failed look-up is reported once and
    // ends the installation. The database is closed at the end.
    void InstalaModulo();

    // The two tables with their keys, each only when missing.
    void CreaTablasModulo();
    // True when a table of that name exists, whatever the case of either.
    bool ExisteTabla(const QString& nombre);

    // The PARAM and REPORTES rows and the descriptors of SysPath's tmp/env947.txt.
    void RegistraParametros();
    void GrabaParametro(const QString& numero, const QString& argumento, const QString& funcion,
                        const QString& correlParam);
    bool ExisteParametro(const QString& numero, const QString& argumento);
    bool ExisteEnvio(const QString& tablaO);
    // Updates the descriptor's row when ExisteEnvio finds it, otherwise inserts it.
    void GrabaEnvio(const DescriptorEnvio& d);
    // The descriptors of one env947.txt, in the host's code page.
    void RegistraEnvios(const QByteArray& contenido);

    // Runs one statement; its error is reported (a table that exists asks the question,
    // a key that exists passes silently) and the installation goes on. True when it ran.
    bool EjecutaSQL(const QString& sql, const dao::Params& params = {});

    bool Completa() const { return completa_; }

private:
    void Reporta(const QString& texto, const QString& titulo);
    // A write transaction, waited for while another installer holds the database.
    dao::Transaccion ComienzaTransaccion();
    // Runs pasos in one write transaction: committed when they answer true, rolled back
    // when they answer false or raise. The messages of the steps are shown after it.
    void EnUnaTransaccion(const std::function<bool()>& pasos);
    // A message now, or once the write transaction is over.
    void Muestra(const QString& texto, int estilo, const QString& titulo);
    void MuestraPendientes();

    struct Aviso {
        QString texto;
        int estilo;
        QString titulo;
    };
    std::vector<Aviso> avisos_;

    dao::Database& base_;
    QString sysPath_;
    bool completa_ = true;
};

// One line of env947.txt cut into its descriptor; empty error when the line is usable.
struct DescriptorEnvio {
    QString tablaO, tablaD, tablaExt;
    int indice = 0, obliga = 0, cTipDocD = 0;
    double cDocIdD = 0, cFormulario = 0, cPeriodo = 0, cEstado = 0, cEnvio = 0, cSemana = 0;
};
DescriptorEnvio CortaDescriptor(const QString& linea, QString* error);

// The table installer's main procedure; the exit status. The command line is not used.
int TAB947_Main();

} // namespace zav::lote
