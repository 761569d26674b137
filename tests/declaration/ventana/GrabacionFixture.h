#pragma once
// A declaration filled in through the window's controls, complete by every rule list,
// and what the checking and saving tests read back.
#include "VentanaFixture.h"

#include "common/Clock.h"
#include "common/Cp1252.h"
#include "declaration/Frm947_revision.h"
#include "platform/db/Recordset.h"

#include <QFile>
#include <QGroupBox>
#include <QTabWidget>

#include <map>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

class GrabacionFixture : public VentanaFixture {
protected:
    static constexpr const char* kRuc = "20100070970";

    void SetUp() override
    {
        VentanaFixture::SetUp();
        if (HasFatalFailure())
            return;
        zav::SetClockForTests([] { return QDateTime(QDate(2014, 9, 15), QTime(10, 30, 5)); });
        App().gUsuario = QStringLiteral("ADMIN");
    }

    void TearDown() override
    {
        zav::SetClockForTests({});
        VentanaFixture::TearDown();
    }

    static void Casilla(Frm947& f, int n, const QString& texto) { f.TxtValor.at(n)->SetText(texto); }

    static void ElegirTipoDoc(Frm947& f, const QString& codigo)
    {
        for (int i = 0; i < f.cboTipDocRepLegal->ListCount(); ++i)
            if (f.cboTipDocRepLegal->List(i).startsWith(codigo)) {
                f.cboTipDocRepLegal->SetListIndex(i);
                return;
            }
        ADD_FAILURE() << "no document type " << codigo.toStdString();
    }

    // A new General-regime declaration of a legal person for the 30 April 2014 balance,
    // with a balanced balance sheet, an income statement, an accountant and a
    // representative: it passes the save refusals, the full check and the completeness check.
    // Another regime may be asked for; its own answers are the caller's.
    Frm947& Completa(int regimen = 0)
    {
        App().gPeriodo = QStringLiteral("2014");
        Frm947& f = Abrir();
        Elegir(f, QString::fromLatin1(kRuc));
        f.TxtTelefono->SetText(QStringLiteral("4234567"));
        f.optRenta->SetValue(regimen, true);
        f.OptPersona->SetValue(0, true);
        f.OptInicio->SetValue(0, true);
        f.OptAnterior->SetValue(0, true);
        f.OptPrecedente->SetValue(0, true);
        f.CboBalance->SetListIndex(0);
        App().gPeriodo = QStringLiteral("201405");
        f.mFechaBalance = QStringLiteral(" al 30 de Abril ");
        Casilla(f, 500, QStringLiteral("1,000"));
        Casilla(f, 503, QStringLiteral("250"));
        Casilla(f, 532, QStringLiteral("400"));
        Casilla(f, 544, QStringLiteral("850"));
        Casilla(f, 461, QStringLiteral("5,000"));
        Casilla(f, 462, QStringLiteral("3,000"));
        Casilla(f, 208, QStringLiteral("20000000001"));
        Casilla(f, 209, QStringLiteral("15"));
        Casilla(f, 211, QStringLiteral("01234"));
        f.TxtNombreA->SetText(QStringLiteral("PEREZ GOMEZ"));
        f.TxtNombreN->SetText(QStringLiteral("ANA MARIA"));
        ElegirTipoDoc(f, QStringLiteral("01"));
        Casilla(f, 225, QStringLiteral("01"));
        Casilla(f, 226, QStringLiteral("07654321"));
        f.txtApellidoRL->SetText(QStringLiteral("TORRES DIAZ"));
        f.txtNombreRL->SetText(QStringLiteral("LUIS ALBERTO"));
        msgs_->Clear();
        return f;
    }

    // DET rows of a declaration: CASILLA -> (i_valor, cNumero, idcasilla).
    struct FilaDet {
        QString valor;
        QString control;
        QString id;
        bool operator==(const FilaDet&) const = default;
    };
    static std::map<QString, FilaDet> Filas(const QString& periodo = QStringLiteral("201405"),
                                            const QString& ruc = QString::fromLatin1(kRuc))
    {
        std::map<QString, FilaDet> m;
        auto rs = App().gBaseDatos->OpenRecordset(
            QStringLiteral("SELECT * FROM DET WHERE DOC_ID_D=? AND PERIODO=? ORDER BY rowid"), dao::dbOpenSnapshot,
            {ruc, periodo});
        for (; !rs->Eof(); rs->MoveNext())
            m[rs->Fields(QStringLiteral("CASILLA")).Value().toText()] = {
                rs->Fields(QStringLiteral("i_valor")).Value().toText(),
                rs->Fields(QStringLiteral("cNumero")).Value().toText(),
                rs->Fields(QStringLiteral("idcasilla")).Value().toText()};
        return m;
    }

    static int Cuenta(const QString& tabla)
    {
        auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT count(*) AS n FROM ") + tabla,
                                                  dao::dbOpenSnapshot);
        return static_cast<int>(rs->Fields(0).Value().toInt64());
    }

    // The row check value from its description: the key fields summed as numbers, the
    // other fields' Windows-1252 codes times their position (from 1) summed, the last
    // three digits of each.
    static QString Control(const QStringList& clave, const QStringList& datos)
    {
        qint64 s1 = 0;
        for (const QString& c : clave)
            s1 += c.trimmed().toLongLong();
        qint64 s2 = 0;
        for (const QString& d : datos) {
            const QByteArray b = zav::ToCp1252(d.trimmed());
            for (int i = 0; i < b.size(); ++i)
                s2 += static_cast<unsigned char>(b[i]) * (i + 1);
        }
        return QStringLiteral("%1%2").arg(s1 % 1000, 3, 10, QLatin1Char('0')).arg(s2 % 1000, 3, 10, QLatin1Char('0'));
    }
    static QString ControlDet(const QString& ruc, const QString& periodo, const QString& casilla, const QString& valor)
    {
        return Control({QStringLiteral("6"), ruc, periodo, QStringLiteral("0947"), QStringLiteral("0"), casilla},
                       {valor, QStringLiteral("01")});
    }

    QByteArray Mens() const
    {
        QFile f(App().gSysPath + QStringLiteral("Mens.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return QByteArrayLiteral("<missing>");
        return f.readAll();
    }
};
