#include "printing/frmImpxPag.h"

#include "common/Runtime.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "printing/MostrarPreliminar.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>
#include <cmath>
#include <limits>

using zav::Trim;

namespace {

const QString kInicio = QStringLiteral("El   reporte   generado   contiene");

// A page box read by its leading number; a number too large for any page reads as
// infinitely large (or small), so that the checks refuse or cut it instead of failing.
double Pagina(const QString& texto)
{
    try {
        return zav::Val(texto);
    } catch (const zav::RuntimeError&) {
        return Trim(texto).startsWith(QLatin1Char('-')) ? -std::numeric_limits<double>::infinity()
                                                        : std::numeric_limits<double>::infinity();
    }
}

// Rounded half to even within the 16-bit range.
int Entero16(double v)
{
    if (std::isnan(v))
        return 0;
    return zav::CInt(std::clamp(v, -32768.0, 32767.0));
}

int FiltroPagina(int KeyAscii)
{
    if (KeyAscii == 13) {
        EnviaTecla(QStringLiteral("TAB"));
        return 0;
    }
    if (KeyAscii == 8 || (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == '.' || KeyAscii == ' ')
        return KeyAscii;
    return 0;
}

} // namespace

QString frmImpxPag::TextoAviso()
{
    return QStringList{
        kInicio + QStringLiteral("                  página(s)."),
        QString(),
        QStringLiteral("Si  su  consulta  contiene  más  de  10  páginas  puede"),
        QStringLiteral("ocasionar la caída del programa debido a la saturación"),
        QStringLiteral("de la memoria de la computadora."),
        QString(),
        QStringLiteral("Se  recomienda  imprimir  en  rangos  no  mayores a 10"),
        QStringLiteral("páginas."),
    }.join(QLatin1Char('\n'));
}

frmImpxPag::frmImpxPag(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImpxPag"));
    const auto px = [](int twips) { return zav::TwipsToPixels(twips); };

    Frame1 = new QGroupBox(QStringLiteral("Imprimir"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(px(120), px(60), px(4200), px(780));
    Label2 = new zav::Label(QStringLiteral("&Desde :"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(px(240), px(330), px(720), px(300));
    txtPagDesde = new zav::TextBox(Frame1);
    txtPagDesde->setObjectName(QStringLiteral("txtPagDesde"));
    txtPagDesde->setGeometry(px(960), px(300), px(900), px(330));
    Label2->setBuddy(txtPagDesde);
    Label1 = new zav::Label(QStringLiteral("&Hasta :"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(px(2220), px(330), px(720), px(300));
    txtPagHasta = new zav::TextBox(Frame1);
    txtPagHasta->setObjectName(QStringLiteral("txtPagHasta"));
    txtPagHasta->setGeometry(px(2940), px(300), px(900), px(330));
    Label1->setBuddy(txtPagHasta);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::NoFocus);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setPlainText(TextoAviso());
    const QFontMetrics fm(Text1->font());
    int ancho = 0;
    for (const QString& l : TextoAviso().split(QLatin1Char('\n')))
        ancho = std::max(ancho, fm.horizontalAdvance(l));
    const int margen = Text1->frameWidth() + static_cast<int>(Text1->document()->documentMargin());
    Text1->setGeometry(px(120), px(960), ancho + 2 * margen + 8, fm.lineSpacing() * 8 + 2 * margen + 6);

    // Over the blank run of the first line.
    txtTotPaginas = new zav::TextBox(this);
    txtTotPaginas->setObjectName(QStringLiteral("txtTotPaginas"));
    txtTotPaginas->SetLocked(true);
    txtTotPaginas->setFocusPolicy(Qt::NoFocus);
    txtTotPaginas->setFrame(false);
    txtTotPaginas->setAlignment(Qt::AlignCenter);
    const int x0 = fm.horizontalAdvance(kInicio + QLatin1Char(' '));
    const int blancos = fm.horizontalAdvance(QStringLiteral("                 "));
    txtTotPaginas->setGeometry(Text1->x() + margen + x0, Text1->y() + margen, std::max(blancos, 24), fm.height() + 2);
    txtTotPaginas->raise();

    const int xBotones = std::max(Frame1->geometry().right(), Text1->geometry().right()) + px(120);
    cmdAccion[0] = new QPushButton(QStringLiteral("&Preliminar"), this);
    cmdAccion[1] = new QPushButton(QStringLiteral("&Cancelar"), this);
    for (const auto& [i, b] : cmdAccion) {
        b->setObjectName(QStringLiteral("cmdAccion_%1").arg(i));
        b->setGeometry(xBotones, px(160) + i * px(480), px(1215), px(375));
        zav::CommandButton(b);
        const int indice = i;
        connect(b, &QPushButton::clicked, this, [this, indice] { frmImpxPag_cmdAccion_Click(indice); });
    }
    setFixedSize(xBotones + px(1215) + px(120), Text1->geometry().bottom() + px(180));

    txtPagDesde->onKeyPress = [this](int k) { return frmImpxPag_txtPagDesde_KeyPress(k); };
    txtPagHasta->onKeyPress = [this](int k) { return frmImpxPag_txtPagHasta_KeyPress(k); };
    setTabOrder(txtPagDesde, txtPagHasta);
    setTabOrder(txtPagHasta, cmdAccion[0]);
    setTabOrder(cmdAccion[0], cmdAccion[1]);
    // Escape is the Cancelar button's key: it reaches the dialog before the page boxes'
    // key filter, which would drop it.
    auto* escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, [this] { frmImpxPag_cmdAccion_Click(1); });

    frmImpxPag_Form_Load();
}

void frmImpxPag::frmImpxPag_Form_Load()
{
    txtPagDesde->SetText(QStringLiteral("1"));
    txtPagHasta->SetText(QStringLiteral("1"));
    setProperty("HelpContextID", App().gModoEnviadas ? 1017 : 1016);
}

int frmImpxPag::frmImpxPag_txtPagDesde_KeyPress(int KeyAscii)
{
    return FiltroPagina(KeyAscii);
}

int frmImpxPag::frmImpxPag_txtPagHasta_KeyPress(int KeyAscii)
{
    return FiltroPagina(KeyAscii);
}

void frmImpxPag::frmImpxPag_cmdAccion_Click(int Index)
{
    if (Index == 1) {
        done(QDialog::Rejected);
        return;
    }
    if (Index != 0)
        return;
    const auto rechaza = [this](const QString& texto) { zav::MsgBox(texto, 16, windowTitle()); };
    if (Trim(txtPagDesde->Text()).isEmpty())
        return rechaza(QStringLiteral("Ingrese página de inicio"));
    const double desde = Pagina(txtPagDesde->Text());
    // A start that rounds to page 0 is no page either.
    if (desde <= 0 || Entero16(desde) < 1)
        return rechaza(QStringLiteral("Página inicial debe ser a partir de 1"));
    const int total = Entero16(Pagina(txtTotPaginas->Text()));
    if (desde > total)
        return rechaza(QStringLiteral("Página inicial no debe ser mayor a total de páginas del reporte"));
    if (Trim(txtPagHasta->Text()).isEmpty())
        return rechaza(QStringLiteral("Ingrese página de Fin"));
    const double hasta = Pagina(txtPagHasta->Text());
    if (hasta < desde)
        return rechaza(QStringLiteral("Página final no debe ser menor a página inicial"));

    AppState& a = App();
    a.gPagDesde = Entero16(desde);
    // Pages past the report's end are not there to preview.
    a.gPagHasta = hasta > total ? total : Entero16(hasta);
    MostrarPreliminar(Tag, QStringLiteral("Vprevia"));
}

// The title bar's close cancels.
void frmImpxPag::reject()
{
    frmImpxPag_cmdAccion_Click(1);
}
