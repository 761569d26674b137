#include "shell/modulo/Procedimientos.h"

#include "common/Clock.h"
#include "common/Runtime.h"
#include "platform/db/Database.h"
#include "platform/hostsuite/BarradeEstadoZAV.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/ui/Twips.h"
#include "shell/modulo/AppState.h"
#include "platform/ui/Impresora.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>
#include <QWidget>

using zav::Left;
using zav::Mid;
using zav::Trim;
using zav::Val;

namespace {

// Taxpayer-number type as the host ships it, for a PARAM without its row: length 11 in
// 46-47, data kind "5" at 128, length kind "0" (up to 11) at 130.
const QString kFuncionRucPorDefecto = QStringLiteral("REG. UNICO DE CONTRIBUYENTES   RUC        ")
                                      + QStringLiteral("   11 000110 01 000001000001100111011111")
                                      + QString(43, QLatin1Char(' ')) + QStringLiteral("0 5 0");

const zav::clsUtilitarios& Util()
{
    static const zav::clsUtilitarios local;
    return App().gUtil ? *App().gUtil : local;
}

// The first row's field of a snapshot; a null Variant when there is no row.
dao::Variant PrimerValor(const QString& sql, const dao::Params& params, const QString& campo)
{
    auto rs = App().gBaseDatos->OpenRecordset(sql, dao::dbOpenSnapshot, params);
    dao::Variant v;
    if (!rs->Eof())
        v = rs->Fields(campo).Value();
    rs->Close();
    return v;
}

bool HayFila(const QString& sql, const dao::Params& params)
{
    auto rs = App().gBaseDatos->OpenRecordset(sql, dao::dbOpenSnapshot, params);
    const bool hay = !rs->Eof();
    rs->Close();
    return hay;
}

QString DescParam(const char* numero, const QString& argumento, int largo)
{
    const dao::Variant f = PrimerValor(QStringLiteral("SELECT * FROM PARAM WHERE Numero=? AND Argumento=?"),
                                       {QString::fromLatin1(numero), argumento}, QStringLiteral("Funcion"));
    return Trim(Mid(f.toText(), 1, largo));
}

QString FuncionTipoDocumento(const QString& tipo)
{
    return PrimerValor(QStringLiteral("SELECT Funcion FROM PARAM WHERE Numero=? AND Argumento=?"),
                       {QStringLiteral("044"), tipo}, QStringLiteral("Funcion"))
        .toText();
}

AyudaScope::Abridor& AbridorAyuda()
{
    static AyudaScope::Abridor abridor = [](const QString& archivo) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(archivo));
    };
    return abridor;
}

} // namespace

QString DescParam030(const QString& codigo) { return DescParam("030", Left(codigo, 2), 25); }
QString DescParam031(const QString& codigo) { return DescParam("031", Left(codigo, 4), 30); }
QString DescParam001(const QString& codigo) { return DescParam("001", codigo, 30); }

void CargaTiposDocumento(QComboBox* combo, int posicion, bool conBlanco)
{
    combo->clear();
    if (conBlanco)
        combo->addItem(QString(75, QLatin1Char(' ')));
    AppState& a = App();
    a.gSQL = QStringLiteral(
        " SELECT trim(Par1.Argumento) as Codigo, substr(Par1.Funcion,32,11) as TipoDoc,"
        " substr(Par1.Funcion,46,2) as LenDoc, substr(Par1.Funcion,128,1) as TipoDato,"
        " substr(Par1.Funcion,130,1) as TipoLongitud"
        " FROM Param as Par1 "
        " WHERE Par1.Numero = ? and substr(Par1.Funcion,?,1)=? "
        " Order By substr(Par1.Funcion,56,2)");
    auto rs = a.gBaseDatos->OpenRecordset(a.gSQL, dao::dbOpenSnapshot,
                                          {QStringLiteral("044"), posicion, QStringLiteral("1")});
    for (; !rs->Eof(); rs->MoveNext()) {
        const QString texto = zav::Format(rs->Fields(QStringLiteral("Codigo")).Value().toText(), QStringLiteral("00"))
                              + QStringLiteral("  -  ")
                              + Util().RellenaDerecha(rs->Fields(QStringLiteral("TipoDoc")).Value().toText(), 60)
                              + Trim(rs->Fields(QStringLiteral("LenDoc")).Value().toText()) + QLatin1Char(' ')
                              + Trim(rs->Fields(QStringLiteral("TipoDato")).Value().toText()) + QLatin1Char(' ')
                              + Trim(rs->Fields(QStringLiteral("TipoLongitud")).Value().toText());
        combo->addItem(texto);
    }
    rs->Close();
}

SentenciaSQL SQLContribuyentes(const QString& formulario)
{
    QString f = kFuncionRucPorDefecto;
    if (HayFila(QStringLiteral("SELECT * FROM PARAM WHERE Numero=? AND Argumento=?"),
                {QStringLiteral("044"), QStringLiteral("6")}))
        f = FuncionTipoDocumento(QStringLiteral("6"));

    SentenciaSQL s;
    QString condicion = QStringLiteral(" WHERE Tip_doc_d=? ");
    s.Parametros.push_back(6);
    if (Val(Mid(f, 46, 2)) == 11 && Val(Mid(f, 130, 1)) == 1) {
        condicion += QStringLiteral(" AND length(trim(Doc_id_d))=? ");
        s.Parametros.push_back(11);
    }
    if (formulario == QLatin1String("0582")) {
        condicion += QStringLiteral(" AND Tipo_Ingreso=? ");
        s.Parametros.push_back(2);
    }
    if (TipoUsuario() == QLatin1String("0")) {
        condicion += QStringLiteral(" ORDER BY Tip_doc_d, doc_id_d ");
    } else {
        condicion += QStringLiteral(" AND Usuario = ? COLLATE NOCASE Order by Tip_doc_d, doc_id_d ");
        s.Parametros.push_back(App().gUsuario);
    }
    s.Texto = QStringLiteral(" SELECT * FROM CONT ") + condicion;
    return s;
}

bool ValidaLongitudDocumento(const QString& tipo, const QString& numero)
{
    if (Trim(numero).isEmpty() || Trim(tipo).isEmpty())
        return false;
    const QString sql = QStringLiteral(" Select Funcion From Param Where Numero=? AND Argumento=?");
    const dao::Params params{QStringLiteral("044"), Trim(zav::Str(Val(tipo)))};
    if (!HayFila(sql, params))
        return false;
    const QString f = PrimerValor(sql, params, QStringLiteral("Funcion")).toText();
    bool valido = true;
    const double lenDoc = Val(Mid(f, 46, 2));
    const int largo = Trim(numero).size();
    if (Val(Mid(f, 130, 1)) == 0) {
        if (largo > lenDoc)
            valido = false;
    } else if (largo != lenDoc) {
        valido = false;
    }
    if (Val(Mid(f, 128, 1)) != 0) {
        if (!Util().ValidaNumerico(numero))
            valido = false;
    } else if (!Util().ValidaAlfanumerico(numero)) {
        valido = false;
    }
    return valido;
}

QString TipoUsuario()
{
    const QString sql = QStringLiteral("SELECT * FROM CLAVES WHERE Usuario=? COLLATE NOCASE");
    const dao::Variant tipo = PrimerValor(sql, {App().gUsuario}, QStringLiteral("Tipo"));
    // No row, or a row without a kind: the user sees only his own taxpayers.
    if (tipo.isNull())
        return QStringLiteral("1");
    return tipo.toText();
}

void FiltraUsuarioLista(QString& sql, dao::Params& params)
{
    if (TipoUsuario() == QLatin1String("0"))
        return;
    sql += QStringLiteral(" AND B.USUARIO=? COLLATE NOCASE");
    params.push_back(App().gUsuario);
}

QString MensajeError(int codigo)
{
    if (codigo == 152)
        return QStringLiteral("La información de la declaración fue grabada con inconsistencias. En estas "
                              "condiciones no podra ser enviada a KOVEL.");
    return PrimerValor(QStringLiteral("SELECT * FROM ERROR WHERE CodError=?"),
                       {zav::Format(static_cast<double>(codigo), QStringLiteral("0000"))}, QStringLiteral("DescError"))
        .toText();
}

void ActualizaBarraEstado(const QString& doc, const QString& nombre, const QString& periodo,
                          const QString& formulario)
{
    zav::BarradeEstadoZAV* barra = App().gBarraEstado;
    if (!barra)
        return;
    barra->setEsruc(1);
    barra->setNumdoc(doc);
    barra->setRazonsocial(nombre);
    barra->setPeriodo_ejercicio(Trim(periodo).size() <= 5 ? QString()
                                                          : zav::Right(periodo, 2) + QLatin1Char('/') + Left(periodo, 4));
    barra->setFormulario(formulario);
}

void LimpiaMensajeBarra()
{
    if (App().gBarraEstado)
        App().gBarraEstado->setRazonsocial(QString());
}

void UbicaFormulario(QWidget* frm)
{
    const QWidget* mdi = App().gVentanaPrincipal;
    if (!mdi)
        return;
    const int left = (zav::PixelsToTwips(mdi->width()) - zav::PixelsToTwips(frm->width())) / 2;
    int top = (zav::PixelsToTwips(mdi->height()) - zav::PixelsToTwips(frm->height())) / 2;
    if (frm->objectName() == QLatin1String("Frm947"))
        top -= 240;
    frm->move(zav::TwipsToPixels(left), zav::TwipsToPixels(top));
}

void CentraFormulario(QWidget* mdi, QWidget* frm)
{
    if (!mdi)
        return;
    const int left = (zav::PixelsToTwips(mdi->width()) - zav::PixelsToTwips(frm->width())) / 2;
    const int top = (zav::PixelsToTwips(mdi->height()) - zav::PixelsToTwips(frm->height())) / 2;
    frm->move(zav::TwipsToPixels(left), zav::TwipsToPixels(top));
}

void PosicionaFormulario(QWidget* frm, int left, int top, int height, int width)
{
    frm->setWindowState(Qt::WindowNoState);
    frm->move(zav::TwipsToPixels(left), zav::TwipsToPixels(top));
    frm->resize(zav::TwipsToPixels(width), zav::TwipsToPixels(height));
}

int AnchoPromedioCaracter(QWidget* frm)
{
    static const QString kLetras = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics fm(frm ? frm->font() : QApplication::font());
    return fm.horizontalAdvance(kLetras) / 52;
}

void AnchoListaCombo(QWidget* frm, QComboBox* combo, int caracteres)
{
    combo->view()->setMinimumWidth((caracteres - 2) * AnchoPromedioCaracter(frm));
}

void EnviaTecla(const QString& tecla)
{
    if (tecla != QLatin1String("TAB"))
        return;
    if (QWidget* w = QApplication::focusWidget())
        QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
}

bool FechaNoPosterior(const QString& fecha)
{
    const double dia = Val(Mid(fecha, 1, 2));
    const double mes = Val(Mid(fecha, 4, 2));
    const double anho = Val(zav::Right(fecha, 4));
    const QDate hoy = zav::Today();
    if (anho > hoy.year())
        return false;
    if (anho == hoy.year() && mes > hoy.month())
        return false;
    if (anho == hoy.year() && mes == hoy.month() && dia > hoy.day())
        return false;
    return true;
}

QString FechaDeAAAAMMDD(const QString& texto)
{
    if (texto.isEmpty())
        return QString();
    // Each part must read whole as digits: "13/05/20" or "2013011x" are no date, not a
    // date made of their leading digits.
    int partes[3];
    const int desde[3] = {1, 5, 7};
    const int largo[3] = {4, 2, 2};
    for (int i = 0; i < 3; ++i) {
        const QString p = Trim(Mid(texto, desde[i], largo[i]));
        if (p.isEmpty())
            return QString();
        for (const QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return QString();
        partes[i] = p.toInt();
    }
    return zav::FormatDate(QDate(partes[0], partes[1], partes[2]), QStringLiteral("dd/mm/yyyy"));
}

QString IncrementaContador(int& n, int paso)
{
    n += paso;
    return QString::number(n);
}

QString CodigoVerificacion(const QString& a, const QString& b)
{
    const QString c1 = Mid(Util().GeneraCodigoHash(a), 9, 1);
    const QString c2 = zav::Right(Util().GeneraCodigoHash(a + b + c1), 1);
    return c1 + c2;
}

void MuestraMarcos(QWidget* frm, bool, bool a2, bool a3, bool, bool, bool a6)
{
    const struct {
        const char* nombre;
        bool visible;
    } marcos[] = {{"Frame1_1", a2}, {"Frame1_2", a3}, {"Frame1_5", a6}};
    for (const auto& m : marcos)
        if (QWidget* w = frm->findChild<QWidget*>(QString::fromLatin1(m.nombre)))
            w->setVisible(m.visible);
}

void ImprimeTexto(int x, int y, const QString& texto, bool negrita, int tamano)
{
    zav::Impresora& p = zav::Printer();
    p.setFontName(QStringLiteral("Courier new"));
    p.setFontBold(negrita);
    p.setFontSize(tamano);
    p.setCurrentX(x);
    p.setCurrentY(y);
    p.Print(texto);
}

void DibujaRecuadro(int x1, int y1, int x2, int y2)
{
    zav::Impresora& p = zav::Printer();
    p.setFontName(QStringLiteral("Courier new"));
    p.setDrawWidth(1);
    p.Line(x1, y1, x1, y2, Qt::black);
    p.Line(x2, y1, x2, y2, Qt::black);
    p.Line(x1, y1, x2, y1, Qt::black);
    p.Line(x1, y2, x2, y2, Qt::black);
}

void AbreAyuda(const QString& archivo)
{
    if (archivo.isEmpty() || !QFileInfo(archivo).isFile())
        return;
    AbridorAyuda()(archivo);
}

AyudaScope::AyudaScope(Abridor abridor) : previous_(std::move(AbridorAyuda()))
{
    AbridorAyuda() = std::move(abridor);
}

AyudaScope::~AyudaScope() { AbridorAyuda() = std::move(previous_); }
