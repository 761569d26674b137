#include "batch/install/TAB947.h"

#include "batch/startup/ConfigLote.h"
#include "batch/startup/EstadoLote.h"
#include "common/BaseCompartida.h"
#include "common/Cp1252.h"
#include "common/Paths.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/db/Transaccion.h"
#include "platform/process/ProgramEnd.h"
#include "platform/ui/MsgBox.h"

#include <QFile>
#include <QStringList>

#include <functional>

namespace zav::lote {

namespace {

bool EsSeparador(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

const QString kTituloSentencia = QStringLiteral("Error al Ejecutar Sentencia SQL");
const QString kTituloEnvios = QStringLiteral("Error en env947.txt");
constexpr int kCamposDescriptor = 13;
constexpr int kIntentosTransaccion = 15;

// Jet keeps the columns of a primary key required; SQLite needs it said.
const QString kCreaPerdidas = QStringLiteral(
    "CREATE TABLE F0947_PTCEA( [tip_doc_d] BYTE NOT NULL, [doc_id_d] TEXT(15) NOT NULL,"
    "[periodo] TEXT(6) NOT NULL,  [formulario] TEXT(4) NOT NULL,  [Anho] TEXT(4) NOT NULL,"
    " [Importe] TEXT(15),  [cnumero] TEXT(6),"
    " CONSTRAINT PK_F0947_PTCEA PRIMARY KEY ([tip_doc_d],[doc_id_d],  [periodo],[Formulario],  [Anho] ))");
const QString kCreaPerdidasEnviadas = QStringLiteral(
    "CREATE TABLE HF0947_PTCEA( [tip_doc_d] BYTE NOT NULL, [doc_id_d] TEXT(15) NOT NULL,"
    "[periodo] TEXT(6) NOT NULL,  [formulario] TEXT(4) NOT NULL, [Correl] TEXT(3) NOT NULL,"
    "  [Anho] TEXT(4) NOT NULL, [Importe] TEXT(15),  [cnumero] TEXT(6),"
    " CONSTRAINT PK_HF0947_PTCEA PRIMARY KEY ([tip_doc_d],[doc_id_d],  [periodo],[Formulario], [Correl],"
    "  [Anho] ))");

struct Reporte {
    const char* codigo;
    QString descripcion;
};

} // namespace

DescriptorEnvio CortaDescriptor(const QString& linea, QString* error)
{
    DescriptorEnvio d;
    const QStringList campos = linea.split(QLatin1Char('|'));
    // Every field ends with its "|": 13 of them leave at least 14 pieces.
    if (campos.size() <= kCamposDescriptor) {
        *error = QStringLiteral("tiene %1 campos de %2").arg(campos.size() - 1).arg(kCamposDescriptor);
        return d;
    }
    d.tablaO = Trim(campos.at(1));
    d.tablaD = campos.at(2).isEmpty() ? QStringLiteral(" ") : campos.at(2);
    d.tablaExt = Trim(campos.at(3));
    int* bytes[] = {&d.indice, &d.obliga, &d.cTipDocD};
    for (int i = 0; i < 3; ++i) {
        try {
            *bytes[i] = CByte(campos.at(4 + i));
        } catch (const RuntimeError&) {
            *error = QStringLiteral("el campo %1 no es un número de 0 a 255").arg(5 + i);
            return d;
        }
    }
    double* numeros[] = {&d.cDocIdD, &d.cFormulario, &d.cPeriodo, &d.cEstado, &d.cEnvio, &d.cSemana};
    for (int i = 0; i < 6; ++i) {
        try {
            *numeros[i] = CDbl(campos.at(7 + i));
        } catch (const RuntimeError&) {
            *error = QStringLiteral("el campo %1 no es un número").arg(8 + i);
            return d;
        }
    }
    error->clear();
    return d;
}

Instalador::Instalador(dao::Database& base, const QString& sysPath) : base_(base), sysPath_(sysPath) {}

void Instalador::Muestra(const QString& texto, int estilo, const QString& titulo)
{
    // A box waits for the user: not while this program holds the database that the host
    // and another installer write too.
    if (base_.TransactionLevel() > 0)
        avisos_.push_back({texto, estilo, titulo});
    else
        MsgBox(texto, estilo, titulo);
}

void Instalador::MuestraPendientes()
{
    if (base_.TransactionLevel() > 0)
        return;
    std::vector<Aviso> avisos;
    avisos.swap(avisos_);
    for (const Aviso& a : avisos)
        MsgBox(a.texto, a.estilo, a.titulo);
}

void Instalador::Reporta(const QString& texto, const QString& titulo)
{
    completa_ = false;
    Muestra(texto, 16, titulo);
}

void Instalador::InstalaModulo()
{
    try {
        CreaTablasModulo();
        RegistraParametros();
    } catch (const dao::DaoError& e) {
        // A look-up that fails (a host table missing) leaves nothing sound to go on with.
        Reporta(QStringLiteral("Error Número : ") + QString::number(e.Number) + QLatin1Char('\n') + e.Description,
                kTituloSentencia);
    }
    base_.Close();
}

bool Instalador::ExisteTabla(const QString& nombre) { return base_.TableExists(nombre); }

dao::Transaccion Instalador::ComienzaTransaccion()
{
    // Another installer holds the database only between its own statements, but may take
    // it again before this one wakes up: wait a while longer than the engine's own wait.
    for (int intento = 1;; ++intento) {
        try {
            return dao::Transaccion(base_);
        } catch (const dao::DaoError& e) {
            if (e.Number != dao::err::FileLocked || intento >= kIntentosTransaccion)
                throw;
        }
    }
}

void Instalador::EnUnaTransaccion(const std::function<bool()>& pasos)
{
    try {
        dao::Transaccion t = ComienzaTransaccion();
        if (pasos())
            t.Confirma();
    } catch (...) {
        MuestraPendientes();
        throw;
    }
    MuestraPendientes();
}

void Instalador::CreaTablasModulo()
{
    // Each table is made with its key in one statement; one found under any case of its
    // name is left as it is. The look-ups and the statements go in one write transaction,
    // so that a second installer running at the same time finds the tables of the first.
    EnUnaTransaccion([&] {
        if (!ExisteTabla(QStringLiteral("F0947_PTCEA")))
            EjecutaSQL(kCreaPerdidas);
        if (!ExisteTabla(QStringLiteral("HF0947_PTCEA")))
            EjecutaSQL(kCreaPerdidasEnviadas);
        return true;
    });
}

bool Instalador::ExisteParametro(const QString& numero, const QString& argumento)
{
    auto rs = base_.OpenRecordset(QStringLiteral("Select * from Param Where Numero=?1 AND Argumento=?2"),
                                  dao::dbOpenSnapshot, {dao::Variant(numero), dao::Variant(argumento)});
    return !rs->Eof();
}

void Instalador::GrabaParametro(const QString& numero, const QString& argumento, const QString& funcion,
                                const QString& correlParam)
{
    // The look-up and its statement in one write transaction: an installer running at the
    // same time finds the row the other one inserted and updates it.
    EnUnaTransaccion([&] {
        if (ExisteParametro(numero, argumento))
            EjecutaSQL(QStringLiteral("Update Param Set Funcion=?1, Correl_param=?2 Where Numero=?3 AND Argumento=?4"),
                       {dao::Variant(funcion), dao::Variant(correlParam), dao::Variant(numero), dao::Variant(argumento)});
        else
            EjecutaSQL(QStringLiteral("insert into Param values (?1,?2,?3,?4)"),
                       {dao::Variant(numero), dao::Variant(argumento), dao::Variant(funcion), dao::Variant(correlParam)});
        return true;
    });
}

bool Instalador::ExisteEnvio(const QString& tablaO)
{
    // Jet compares names without regard to case.
    auto rs = base_.OpenRecordset(
        QStringLiteral("Select * from envio_t Where formulario='0947' AND tabla_o=?1 COLLATE NOCASE"),
        dao::dbOpenSnapshot, {dao::Variant(tablaO)});
    return !rs->Eof();
}

void Instalador::RegistraParametros()
{
    // Few transactions: each is waited for by another installer and by the host.
    EnUnaTransaccion([&] {
        GrabaParametro(QStringLiteral("996"), QStringLiteral("153"), QStringLiteral("F0947_PTCEA    R 1000   5 "),
                       QString());
        GrabaParametro(QStringLiteral("996"), QStringLiteral("154"), QStringLiteral("HF0947_PTCEA   R 1000   6"),
                       QString());
        GrabaParametro(QStringLiteral("992"), QStringLiteral("0947"), QStringLiteral("2"), QString());
        return true;
    });

    const Reporte reportes[] = {
        {"RCP001", QStringLiteral("Reporte Morvath – Declaración")},
        {"RCP002", QStringLiteral("Reporte de Envío  -  947")},
        {"RCP003", QStringLiteral("Reporte Morvath - Declaración y Anexos")},
    };
    for (const Reporte& r : reportes) {
        const dao::Variant codigo(QString::fromLatin1(r.codigo));
        // The old row goes only when the new one is in.
        EnUnaTransaccion([&] {
            return EjecutaSQL(QStringLiteral("Delete from reportes where codrep=?1"), {codigo}) &&
                   EjecutaSQL(QStringLiteral("insert into reportes values (?1,?2,1)"),
                              {codigo, dao::Variant(r.descripcion)});
        });
    }

    const QString ruta = ResolvePath(JoinPath(JoinPath(sysPath_, QStringLiteral("tmp")), QStringLiteral("env947.txt")));
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        Reporta(QStringLiteral("No se encuentra el archivo de envíos ") + ruta +
                    QStringLiteral(". No se registraron los envíos del formulario 0947."),
                kTituloEnvios);
        return;
    }
    RegistraEnvios(archivo.readAll());
}

void Instalador::RegistraEnvios(const QByteArray& contenido)
{
    // Each look-up and its statement in one write transaction (all of them in one): an
    // installer running at the same time finds the rows the other one inserted.
    EnUnaTransaccion([&] {
        int numero = 0;
        for (const QString& linea : LineasCp1252(contenido)) {
            ++numero;
            if (Trim(linea).isEmpty())
                break;
            QString error;
            const DescriptorEnvio d = CortaDescriptor(linea, &error);
            if (!error.isEmpty()) {
                Reporta(QStringLiteral("La línea %1 de env947.txt no es válida: %2. No se registró.")
                            .arg(numero)
                            .arg(error),
                        kTituloEnvios);
                continue;
            }
            GrabaEnvio(d);
        }
        return true;
    });
}

void Instalador::GrabaEnvio(const DescriptorEnvio& d)
{
    const dao::Params valores{dao::Variant(d.tablaD),     dao::Variant::fromByte(d.indice),
                              dao::Variant::fromByte(d.obliga), dao::Variant::fromByte(d.cTipDocD),
                              dao::Variant(d.cDocIdD),    dao::Variant(d.cFormulario),
                              dao::Variant(d.cPeriodo),   dao::Variant(d.cEstado),
                              dao::Variant(d.cEnvio),     dao::Variant(d.cSemana)};
    if (ExisteEnvio(d.tablaO)) {
        dao::Params p{dao::Variant(d.tablaD), dao::Variant(d.tablaExt)};
        p.insert(p.end(), valores.begin() + 1, valores.end());
        p.push_back(dao::Variant(d.tablaO));
        EjecutaSQL(QStringLiteral("Update envio_t set  tabla_d = ?1, tabla_ext = ?2, indice=?3, obliga=?4,"
                                  " c_tip_doc_d=?5, c_doc_id_d =?6, c_Formulario=?7, c_periodo=?8,"
                                  " c_estado=?9, c_envio=?10, c_semana=?11"
                                  " Where formulario='0947' AND tabla_o=?12 COLLATE NOCASE"),
                   p);
    } else {
        dao::Params p{dao::Variant(d.tablaO), dao::Variant(d.tablaD), dao::Variant(d.tablaExt)};
        p.insert(p.end(), valores.begin() + 1, valores.end());
        EjecutaSQL(QStringLiteral("insert into envio_t values ( '0947',?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12)"), p);
    }
}

bool Instalador::EjecutaSQL(const QString& sql, const dao::Params& params)
{
    try {
        base_.Execute(sql, dao::dbInconsistent, params);
        return true;
    } catch (const dao::DaoError& e) {
        if (e.Number == dao::err::TableExists) {
            // Either answer goes on the same way: nothing is overwritten.
            Muestra(QStringLiteral("\nSe  detectado que ya existen las tablas del ZAV DE Morvath") +
                       QStringLiteral(" Desea Sobreescribirlas?"),
                   4 + 32 + 256, QStringLiteral("Mensaje"));
        } else if (e.Number != dao::err::PrimaryKeyExists) {
            Reporta(QStringLiteral("Error Número : ") + QString::number(e.Number) + QLatin1Char('\n') +
                        e.Description,
                    kTituloSentencia);
        }
        return false;
    }
}

int TAB947_Main()
{
    QString sysPath = Trim(LeeOpcion(QStringLiteral("SysPath")));
    if (sysPath.isEmpty()) {
        MsgBox(QStringLiteral("Debe instalar primero el ZAV "), 64, QStringLiteral("Mensaje"));
        TerminaPrograma(1);
    }
    if (sysPath.size() >= 2 && EsSeparador(sysPath.at(sysPath.size() - 1)) &&
        EsSeparador(sysPath.at(sysPath.size() - 2)))
        sysPath.chop(1);
    AbrirBaseInstalador(sysPath);
    Instalador instalador(*Lote().Base, sysPath);
    instalador.InstalaModulo();
    return instalador.Completa() ? 0 : 1;
}

} // namespace zav::lote
