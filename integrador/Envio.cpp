#include "integrador/Envio.h"

#include "almacen/AlmacenDeclaracion.h"
#include "batch/check/BalVerifEnv0947.h"
#include "batch/startup/LineaComando.h"
#include "common/CalculaControl.h"
#include "common/Clock.h"
#include "common/Paths.h"
#include "platform/db/Database.h"
#include "platform/db/Transaccion.h"
#include "platform/hostsuite/clsUtilitarios.h"

#include <QCryptographicHash>

namespace integrador {
namespace {

almacen::ClaveDeclaracion Clave(const QString& doc, const QString& periodo)
{
    return almacen::ClaveDeclaracion::Guardada(doc, periodo, QStringLiteral("0947"));
}

constexpr int kEstadoInconsistente = 9;

QString NoExiste(const QString& doc, const QString& periodo)
{
    return QStringLiteral("No existe la declaración %1 del periodo %2.").arg(doc, periodo);
}

QString NoEnviable(const QString& doc, const QString& periodo)
{
    return QStringLiteral("La declaración %1 del periodo %2 fue grabada con inconsistencias (estado 9) y no "
                          "puede enviarse.")
        .arg(doc, periodo);
}

bool Inconsistente(dao::Recordset& cab)
{
    const dao::Variant estado = cab.Fields(QStringLiteral("estado")).Value();
    return !estado.isNull() && estado.toInt64() == kEstadoInconsistente;
}

// Digits drawn from a text's hash: the host's numbers need only be hard to guess.
QString Digitos(const QString& semilla, int cuantos)
{
    const QByteArray h = QCryptographicHash::hash(semilla.toUtf8(), QCryptographicHash::Sha1);
    QString s;
    for (int i = 0; s.size() < cuantos; ++i)
        s += QChar(u'0' + static_cast<unsigned char>(h[i % h.size()]) % 10);
    if (s.startsWith(QLatin1Char('0')))
        s[0] = QLatin1Char('1');
    return s;
}

// Copies the declaration's rows of origen into destino, adding CORREL; extra sets the
// header's own columns.
void Copia(dao::Database& db, const QString& origen, const QString& destino, const QString& doc,
           const QString& periodo, const QString& correl, const std::function<void(dao::Recordset&)>& extra)
{
    // The check value's key part is the table's key, as the database holds it: the
    // module's tables are the installer's, not the host's schema.
    int k = 0;
    for (const dao::TableDef& d : db.TableDefs())
        if (d.Name.compare(destino, Qt::CaseInsensitive) == 0)
            k = static_cast<int>(d.PrimaryKey.size());
    auto src = almacen::LeeFilas(db, origen, Clave(doc, periodo));
    auto dst = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + destino + QStringLiteral(" WHERE 0 = 1"));
    for (; !src->Eof(); src->MoveNext()) {
        dst->AddNew();
        for (int i = 0; i < dst->FieldCount() - 1; ++i) {
            const QString nombre = dst->Fields(i).Name();
            if (nombre.compare(QStringLiteral("CORREL"), Qt::CaseInsensitive) == 0) {
                dst->Fields(i) = correl;
                continue;
            }
            for (int j = 0; j < src->FieldCount(); ++j)
                if (src->Fields(j).Name().compare(nombre, Qt::CaseInsensitive) == 0)
                    dst->Fields(i) = src->Fields(j).Value();
        }
        if (extra)
            extra(*dst);
        dst->Fields(dst->FieldCount() - 1) = zav::CalculaControl(*dst, k);
        dst->Update();
    }
}

} // namespace

EnvioResult EnviaDeclaracion(const QString& dbFile, const QString& doc, const QString& periodo)
{
    EnvioResult r;
    try {
        auto db = dao::Database::Open(dbFile);
        dao::Transaccion t(*db);
        const almacen::ClaveDeclaracion clave = Clave(doc, periodo);
        auto cab = almacen::LeeCabecera(*db, clave);
        if (cab->Eof() || Inconsistente(*cab)) {
            r.message = cab->Eof() ? NoExiste(doc, periodo) : NoEnviable(doc, periodo);
            return r;
        }
        auto max = db->OpenRecordset(QStringLiteral("SELECT MAX(CAST(CORREL AS INTEGER)) FROM HCAB") + clave.Filtro(),
                                     dao::dbOpenSnapshot, clave.Valores());
        const int siguiente = static_cast<int>(max->Fields(0).Value().toInt64()) + 1;
        r.correl = QStringLiteral("%1").arg(siguiente, 3, 10, QLatin1Char('0'));
        const QString semilla = doc + periodo + r.correl + zav::Now().toString(Qt::ISODateWithMs);
        r.control = Digitos(semilla + QStringLiteral("C"), 10);
        r.norden = Digitos(semilla + QStringLiteral("N"), 8);

        const zav::clsUtilitarios util;
        const QChar c1 = util.GeneraCodigoHash(r.control).at(8);
        r.verifica = QString(c1) + util.GeneraCodigoHash(r.control + r.norden + c1).right(1);

        Copia(*db, QStringLiteral("CAB"), QStringLiteral("HCAB"), doc, periodo, r.correl, [&](dao::Recordset& rs) {
            rs.Fields(QStringLiteral("estado")) = dao::Variant::fromByte(1);
            rs.Fields(QStringLiteral("fec_env")) = zav::Now();
            rs.Fields(QStringLiteral("CONTROL")) = r.control;
        });
        Copia(*db, QStringLiteral("DET"), QStringLiteral("HDET"), doc, periodo, r.correl, {});
        Copia(*db, QStringLiteral("ACTA"), QStringLiteral("HACTA"), doc, periodo, r.correl, {});
        if (db->TableExists(QStringLiteral("F0947_PTCEA")) && db->TableExists(QStringLiteral("HF0947_PTCEA")))
            Copia(*db, QStringLiteral("F0947_PTCEA"), QStringLiteral("HF0947_PTCEA"), doc, periodo, r.correl, {});
        t.Confirma();
        r.ok = true;
    } catch (const dao::DaoError& e) {
        r = EnvioResult{};
        r.message = e.Description;
    }
    return r;
}

EnvioCandidato DeclaracionAEnviar(const QString& dbFile, const QString& doc, const QString& periodo)
{
    EnvioCandidato c;
    try {
        auto db = dao::Database::Open(dbFile);
        auto cab = almacen::LeeCabecera(*db, Clave(doc, periodo));
        if (cab->Eof() || Inconsistente(*cab)) {
            c.message = cab->Eof() ? NoExiste(doc, periodo) : NoEnviable(doc, periodo);
            return c;
        }
        c.declaracion = StoredDeclaration{6, doc, periodo, QStringLiteral("0947"),
                                          static_cast<int>(cab->Fields(QStringLiteral("SEMANA")).Value().toInt64())};
        c.ok = true;
    } catch (const dao::DaoError& e) {
        c.message = e.Description;
    }
    return c;
}

QString LineaVerificacion(const StoredDeclaration& d) { return BatchCommandLine(d, QString()); }

QString MotivoVerificacion(const QString& sysPath, const StoredDeclaration& d, int status)
{
    if (status == zav::lote::kEnvioConforme)
        return {};
    if (status == zav::lote::kEnvioInconsistente) {
        const zav::lote::LineaComandoLote l = zav::lote::CortaLineaComando(LineaVerificacion(d));
        const QString nombre = zav::lote::NombreArchivoEnvio(l.TipoDoc, l.NumDoc, l.Formulario, l.Periodo, l.Semana);
        const QString tmp = zav::JoinPath(sysPath, QStringLiteral("TMP"));
        const QString reporte = zav::ResolvePath(zav::JoinPath(tmp, nombre + QStringLiteral(".ERR")));
        return QStringLiteral("La declaración no pasó la verificación de 0947CNSINF; revise el archivo %1. No se "
                              "envió.")
            .arg(reporte);
    }
    return QStringLiteral("No se pudo verificar la declaración: 0947CNSINF terminó con estado %1. No se envió.")
        .arg(status);
}

EnvioResult EnviaVerificada(const QString& dbFile, const QString& sysPath, const QString& doc,
                            const QString& periodo)
{
    const EnvioCandidato c = DeclaracionAEnviar(dbFile, doc, periodo);
    if (!c.ok) {
        EnvioResult r;
        r.message = c.message;
        return r;
    }
    QString error;
    const int status = RunProgram(QStringLiteral("0947CNSINF"), {LineaVerificacion(c.declaracion)}, &error);
    const QString motivo = MotivoVerificacion(sysPath, c.declaracion, status);
    if (!motivo.isEmpty()) {
        EnvioResult r;
        r.message =
            error.isEmpty() ? motivo : error + QStringLiteral(": la declaración no se verificó y no se envió.");
        return r;
    }
    return EnviaDeclaracion(dbFile, doc, periodo);
}

} // namespace integrador
