#pragma once
// The fixed-position command line the host hands to 0947REP and 0947CNSINF.
#include <QByteArray>
#include <QString>

namespace zav::lote {

// Columns 1-2, 3-17, 18-21, 22-27, 28 and 29-36; a shorter line gives shorter or empty
// fields, characters past 36 are not read. Fields are not trimmed.
struct LineaComandoLote {
    QString TipoDoc;
    QString NumDoc;
    QString Formulario;
    QString Periodo;
    QString Semana;
    QString NroConstancia;
};

LineaComandoLote CortaLineaComando(const QString& linea);

// The period as queries and texts use it: the year alone for a month part "00".
QString PeriodoConsulta(const QString& periodo);

// The fields name files of RPT and TMP: a path separator, ".." or a control character
// in any of them would name a file elsewhere. Empty when the line is usable, otherwise
// the message that refuses it.
QString RechazoLineaComando(const LineaComandoLote& linea);

// The program's arguments as one line: the host passes it as one argument (several are
// joined by a blank, as the whole command tail would read). UTF-8 when the bytes are
// valid UTF-8, otherwise the host's code page.
QString LineaDeArgumentos(int argc, char** argv);
QString DecodificaArgumento(const QByteArray& bytes);

} // namespace zav::lote
