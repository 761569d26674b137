// The taxpayer of a new declaration, the accountant's zone list and the tax unit.
#include "declaration/Frm947.h"
#include "declaration/Frm947_revision.h"

#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QStringBuilder>
#include <QTabWidget>

#include <algorithm>
#include <optional>

using zav::Left;
using zav::Mid;
using zav::Right;
using zav::Trim;

namespace {

QString Espacios(int n)
{
    return QString(n, QLatin1Char(' '));
}

// Where the character after the first n characters of s starts. Characters are counted as
// the database's length() counts them (a letter outside the basic plane is one, not two
// halves), so that a number the list's filter took for 11 characters is cut whole.
qsizetype FinCaracteres(const QString& s, qsizetype desde, int n)
{
    qsizetype i = desde;
    for (int c = 0; c < n && i < s.size(); ++c)
        i += s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate() ? 2 : 1;
    return i;
}

// Left and Mid of the list's items, by characters.
QString PrimerosCaracteres(const QString& s, int n)
{
    return n <= 0 ? QString() : s.left(FinCaracteres(s, 0, n));
}

QString CaracteresDesde(const QString& s, int inicio, int n)
{
    const qsizetype desde = FinCaracteres(s, 0, inicio - 1);
    return n <= 0 ? QString() : s.mid(desde, FinCaracteres(s, desde, n) - desde);
}

QStringList LeeItemsContribuyentes(dao::Database& db, const SentenciaSQL& s)
{
    auto rs = db.OpenRecordset(s.Texto, dao::dbOpenSnapshot, s.Parametros);
    QStringList items;
    items.reserve(rs->RecordCount());
    const QString siete = Espacios(7);
    if (!rs->Eof() && !rs->Bof()) {
        rs->MoveFirst();
        while (!rs->Eof()) {
            items << Trim(PrimerosCaracteres(rs->Fields(1).Value().toText(), 11)) % siete %
                         rs->Fields(3).Value().toText();
            rs->MoveNext();
        }
    }
    rs->Close();
    return items;
}

// The taxpayer list's items, one per taxpayer. Thousands of them are read once, not at
// every new declaration: they are kept, with the statement they came from, while the
// database holds what it held when they were read.
QStringList ItemsContribuyentes(dao::Database& db, const SentenciaSQL& s)
{
    struct Leidos {
        dao::Database::Version version;
        QString sql;
        dao::Params parametros;
        QStringList items;
    };
    static std::optional<Leidos> guardados;
    // Taken before the rows: a change between the two readings makes the next opening read
    // again, never keeps an older list.
    const std::optional<dao::Database::Version> version = db.ContentVersion();
    if (version && guardados && guardados->version == *version && guardados->sql == s.Texto
        && guardados->parametros == s.Parametros)
        return guardados->items;
    QStringList items = LeeItemsContribuyentes(db, s);
    if (version)
        guardados = Leidos{*version, s.Texto, s.Parametros, items};
    else
        guardados.reset();
    return items;
}

} // namespace

QString Frm947::RucDeLista() const
{
    return Trim(PrimerosCaracteres(CmbRuc->Text(), 11));
}

int Frm947::AnchoCmbRuc() const
{
    const int digitos = CmbRuc->fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) + 36;
    return std::max(zav::TwipsToPixels(1370), digitos);
}

void Frm947::LlenaComboRuc()
{
    AppState& a = App();
    const SentenciaSQL s = SQLContribuyentes(a.gFormulario);
    a.gSQL = s.Texto;
    // All items go in at once: thousands of taxpayers cost one insertion, not one each.
    CmbRuc->AddItems(ItemsContribuyentes(*a.gBaseDatos, s));
}

void Frm947::Frm947_CmbRuc_Click()
{
    AppState& a = App();
    const QString numero = RucDeLista();

    // A new declaration asks first whether the taxpayer already has one for the period,
    // so that its number is in place before the name box clears the boxes.
    bool existe = false;
    if (Modo == 0) {
        try {
            existe = revision::ExisteCab(numero, a.gPeriodo);
        } catch (const dao::DaoError& e) {
            // Not known to be free: no taxpayer is taken, and the user may choose again.
            NumDocumento.clear();
            zav::MsgBox(e.Description + QLatin1Char('\n') + zav::Str(e.Number), 16, Caption());
            CmbRuc->setFocus();
            return;
        }
        if (!existe)
            NumDocumento = numero;
    }

    TxtRazon->SetText(CaracteresDesde(CmbRuc->Text(), 16, 50));
    CmbRuc->setFixedWidth(AnchoCmbRuc());
    AnchoListaCombo(this, CmbRuc, 50);

    if (Modo != 0)
        return;
    if (existe) {
        SSTab1->setCurrentIndex(0);
        MuestraMarcos(this, false, false, false, false, false, false);
        zav::MsgBox(QStringLiteral("La declaración que desea registrar ya existe, elija la opción modificar "
                                   "declaración o elija otro contribuyente."),
                    16, Caption());
        CmbRuc->setFocus();
        return;
    }
    TxtTelefono->setFocus();
    ActualizaBarraEstado(numero, Trim(TxtRazon->Text()), a.gPeriodo, a.gFormulario);
    mModificado = true;
}

int Frm947::Frm947_CmbRuc_KeyDown(int KeyCode, int)
{
    return KeyCode;
}

void Frm947::LlenaComboZona()
{
    AppState& a = App();
    a.gSQL = QStringLiteral("SELECT argumento, funcion FROM PARAM WHERE numero=?");
    auto rs = a.gBaseDatos->OpenRecordset(a.gSQL, dao::dbOpenSnapshot, {QStringLiteral("030")});
    if (!rs->Eof()) {
        CmbZona->AddItem(Espacios(115) + QStringLiteral("00"));
        while (!rs->Eof()) {
            const QString argumento = rs->Fields(QStringLiteral("argumento")).Value().toText();
            const QString funcion = rs->Fields(QStringLiteral("funcion")).Value().toText();
            CmbZona->AddItem(Mid(funcion, 1, 15) + Espacios(100) + argumento);
            rs->MoveNext();
        }
    }
    rs->Close();
}

void Frm947::Frm947_CmbZona_Click()
{
    mModelo.PonTexto(209, Right(CmbZona->Text(), 2));
    mModificado = true;
}

int Frm947::Frm947_CmbZona_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        EnviaTecla(QStringLiteral("TAB"));
    return KeyAscii;
}

// The tax unit of the last year up to the declaration's year; "0" when the list has none,
// so that every limit built on it reads a number.
QString Frm947::getUIT()
{
    AppState& a = App();
    const QString anio = zav::Format(static_cast<double>(AnioPeriodo(a.gPeriodo)), QStringLiteral("0000"));
    a.gSQL = QStringLiteral("SELECT substr(ARGUMENTO,1,4) AS PER, trim(FUNCION) AS UIT FROM PARAM "
                            "WHERE numero=? AND substr(ARGUMENTO,1,4) GLOB '[0-9][0-9][0-9][0-9]' "
                            "AND substr(ARGUMENTO,1,4) <= ? ORDER BY substr(ARGUMENTO,1,4)");
    auto rs = a.gBaseDatos->OpenRecordset(a.gSQL, dao::dbOpenSnapshot, {QStringLiteral("404"), anio});
    QString uit = QStringLiteral("0");
    while (!rs->Eof()) {
        uit = Trim(zav::Str(zav::Val(Trim(rs->Fields(QStringLiteral("uit")).Value().toText()))));
        rs->MoveNext();
    }
    rs->Close();
    return uit;
}
