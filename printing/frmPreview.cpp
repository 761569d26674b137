#include "printing/frmPreview.h"

#include "common/Paths.h"
#include "common/Runtime.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/Iconos.h"
#include "platform/ui/Impresora.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "printing/HojaPrevia.h"
#include "printing/ImpRep.h"
#include "printing/report/LectorReporte.h"
#include "shell/modulo/AppState.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

const QString kPresPrevia = QStringLiteral("PresPrevia");
const QString kImprimir = QStringLiteral("IMPRIMIR");

// Pages are counted from 1 in the range, from 0 in the records.
bool EnRango(int pagina)
{
    const AppState& a = App();
    return pagina + 1 >= a.gPagDesde && pagina + 1 <= a.gPagHasta;
}

} // namespace

frmPreview::frmPreview(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Presentación Preliminar"));

    tlbPrevia = new QToolBar(this);
    tlbPrevia->setObjectName(QStringLiteral("tlbPrevia"));
    // Button 1 of the original bar is its leading separator.
    tlbPrevia->addSeparator();
    const struct {
        int indice;
        QStyle::StandardPixmap icono;
        const char* tip;
    } botones[] = {
        {2, QStyle::SP_ArrowLeft, "Pag Anterior"},
        {3, QStyle::SP_ArrowRight, "Pag Sgt"},
        {4, QStyle::SP_DialogSaveButton, "Imprimir"},
        {5, QStyle::SP_DialogCloseButton, "Salir"},
    };
    for (const auto& b : botones) {
        const QString tip = QString::fromUtf8(b.tip);
        QIcon icono = b.indice == 4 ? QIcon::fromTheme(QStringLiteral("document-print"), zav::IconoEstandar(b.icono))
                                    : zav::IconoEstandar(b.icono);
        QAction* a = tlbPrevia->addAction(icono, tip);
        a->setObjectName(QStringLiteral("tlbPrevia_%1").arg(b.indice));
        a->setToolTip(tip);
        const int indice = b.indice;
        connect(a, &QAction::triggered, this, [this, indice] { frmPreview_tlbPrevia_ButtonClick(indice); });
        Botones[b.indice] = a;
        // Tab reaches the buttons and Space or Enter presses them.
        tlbPrevia->widgetForAction(a)->setFocusPolicy(Qt::TabFocus);
    }

    picFondo = new QWidget(this);
    picFondo->setObjectName(QStringLiteral("picFondo"));
    picFondo->setAutoFillBackground(true);
    QPalette pal = picFondo->palette();
    pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    picFondo->setPalette(pal);
    // The page takes the keys that scroll it.
    picFondo->setFocusPolicy(Qt::StrongFocus);
    picFondo->installEventFilter(this);

    for (int i = 0; i < 2; ++i) {
        vsbPic[i] = new QScrollBar(Qt::Vertical, this);
        vsbPic[i]->setObjectName(QStringLiteral("vsbPic_%1").arg(i));
        connect(vsbPic[i], &QScrollBar::valueChanged, this, [this, i] { frmPreview_vsbPic_Change(i); });
    }
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { frmPreview_HScroll1_Change(); });

    AgregaHoja();

    auto* rejilla = new QGridLayout;
    rejilla->setSpacing(0);
    rejilla->addWidget(vsbPic[0], 0, 0);
    rejilla->addWidget(picFondo, 0, 1);
    rejilla->addWidget(vsbPic[1], 0, 2);
    rejilla->addWidget(HScroll1, 1, 1);
    rejilla->setRowStretch(0, 1);
    rejilla->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tlbPrevia);
    layout->addLayout(rejilla, 1);
    AjustaBarras();
    setTabOrder(picFondo, tlbPrevia->widgetForAction(Botones[2]));
    for (int i = 2; i < 5; ++i)
        setTabOrder(tlbPrevia->widgetForAction(Botones[i]), tlbPrevia->widgetForAction(Botones[i + 1]));
    TamanoInicial();
}

// A whole page width, and as much of its height as the screen holds.
void frmPreview::TamanoInicial()
{
    const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize deseado(zav::TwipsToPixels(HojaPrevia::kAncho) + 2 * barra,
                  tlbPrevia->sizeHint().height() + zav::TwipsToPixels(HojaPrevia::kAlto) + barra);
    if (const QScreen* pantalla = screen()) {
        // Room for the window's frame and the desktop's panels.
        const QSize libre = pantalla->availableGeometry().size() - QSize(16, 48);
        deseado = deseado.boundedTo(libre);
    }
    resize(deseado);
}

frmPreview::~frmPreview() = default;

void frmPreview::showEvent(QShowEvent* e)
{
    if (!mCargado) {
        mCargado = true;
        frmPreview_Form_Load();
        picFondo->setFocus();
    }
    QDialog::showEvent(e);
}

bool frmPreview::eventFilter(QObject* o, QEvent* e)
{
    if (o == picFondo && e->type() == QEvent::Resize)
        AjustaBarras();
    // The wheel over the page shown, or the frame round it, scrolls it.
    if (e->type() == QEvent::Wheel && (o == picFondo || o->parent() == picFondo)) {
        auto* w = static_cast<QWheelEvent*>(e);
        const QPoint d = w->angleDelta();
        QCoreApplication::sendEvent(std::abs(d.x()) > std::abs(d.y()) ? HScroll1 : vsbPic[0], w);
        return true;
    }
    return QDialog::eventFilter(o, e);
}

// The desktop's keys move over the page shown: the arrows a step, PageUp and PageDown a
// screenful, Home and End to its top and bottom. Enter presses the focused button.
void frmPreview::keyPressEvent(QKeyEvent* e)
{
    const auto sin = e->modifiers() & ~Qt::KeypadModifier;
    if (sin == Qt::NoModifier) {
        const auto mueve = [e](QScrollBar* b, QAbstractSlider::SliderAction a) {
            b->triggerAction(a);
            e->accept();
        };
        switch (e->key()) {
        case Qt::Key_Up: return mueve(vsbPic[0], QAbstractSlider::SliderSingleStepSub);
        case Qt::Key_Down: return mueve(vsbPic[0], QAbstractSlider::SliderSingleStepAdd);
        case Qt::Key_PageUp: return mueve(vsbPic[0], QAbstractSlider::SliderPageStepSub);
        case Qt::Key_PageDown: return mueve(vsbPic[0], QAbstractSlider::SliderPageStepAdd);
        case Qt::Key_Home: return mueve(vsbPic[0], QAbstractSlider::SliderToMinimum);
        case Qt::Key_End: return mueve(vsbPic[0], QAbstractSlider::SliderToMaximum);
        case Qt::Key_Left: return mueve(HScroll1, QAbstractSlider::SliderSingleStepSub);
        case Qt::Key_Right: return mueve(HScroll1, QAbstractSlider::SliderSingleStepAdd);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto* boton = qobject_cast<QToolButton*>(focusWidget()); boton && boton->parent() == tlbPrevia) {
                boton->click();
                e->accept();
                return;
            }
            break;
        default: break;
        }
    }
    QDialog::keyPressEvent(e);
}

// The bars count twips: a whole sheet less the part the frame shows.
void frmPreview::AjustaBarras()
{
    const int alto = std::max(0, HojaPrevia::kAlto - zav::PixelsToTwips(picFondo->height()));
    const int ancho = std::max(0, HojaPrevia::kAncho - zav::PixelsToTwips(picFondo->width()));
    for (QScrollBar* b : vsbPic) {
        b->setRange(0, alto);
        b->setSingleStep(300);
        b->setPageStep(std::max(300, zav::PixelsToTwips(picFondo->height())));
    }
    HScroll1->setRange(0, ancho);
    HScroll1->setSingleStep(300);
    HScroll1->setPageStep(std::max(300, zav::PixelsToTwips(picFondo->width())));
}

// A new page surface takes its properties from element 0.
void frmPreview::AgregaHoja()
{
    auto* h = new HojaPrevia(picFondo);
    h->setObjectName(QStringLiteral("picPrevia_%1").arg(picPrevia.size()));
    h->installEventFilter(this);
    if (!picPrevia.empty()) {
        h->SetBackColor(picPrevia[0]->BackColor());
        h->hide();
    }
    picPrevia.push_back(h);
}

bool frmPreview::Imprimiendo() const { return mModo == kImprimir; }

zav::Impresora* frmPreview::Destino(int indice)
{
    if (Imprimiendo())
        return &zav::Printer();
    if (indice < 0 || indice >= static_cast<int>(picPrevia.size()))
        return nullptr;
    return picPrevia[indice];
}

void frmPreview::ppos(int x, int y, const QString& texto, bool negrita, int tamano, int indice, int espacio)
{
    if (zav::Impresora* d = Destino(indice))
        mRender.Texto(*d, x, y, texto, negrita, tamano, espacio);
}

void frmPreview::pCuadro(int x1, int y1, int x2, int y2, int indice)
{
    if (zav::Impresora* d = Destino(indice))
        mRender.Cuadro(*d, x1, y1, x2, y2);
}

void frmPreview::pPosVerti(int x, int y, const QString& texto, bool negrita, int tamano, int indice)
{
    if (zav::Impresora* d = Destino(indice))
        mRender.Vertical(*d, x, y, texto, negrita, tamano);
}

void frmPreview::Dibuja(const rpt::Registro& r, int espacio, int indice)
{
    switch (r.Tipo) {
    case rpt::TipoRegistro::Pos: ppos(r.X, r.Y, r.Texto, r.Negrita, r.Tamano, indice, espacio); break;
    case rpt::TipoRegistro::Cuadro: pCuadro(r.X, r.Y, r.X2, r.Y2, indice); break;
    case rpt::TipoRegistro::PosVerti: pPosVerti(r.X, r.Y, r.Texto, r.Negrita, r.Tamano, indice); break;
    default: break;
    }
}

void frmPreview::pDesencripta(const QString& archivo, const QString& modo)
{
    if (modo != kPresPrevia)
        mModo = kImprimir;
    const zav::clsUtilitarios util;
    const QString ruta = zav::ResolvePath(zav::JoinPath(App().gRutaRpt, archivo));
    if (!(App().gUtil ? *App().gUtil : util).ArchivoExiste(ruta)) {
        zav::MsgBox(QStringLiteral("Archivo Físico del Reporte no Existe"), 16, QStringLiteral("Error al Imprimir"));
        return;
    }
    try {
        std::vector<rpt::Registro> registros;
        if (!rpt::LeeArchivoReporte(ruta, registros)) {
            MensajeImpresion(75, zav::TextoError(75));
            return;
        }
        // Only the preview and a print asked from its own toolbar keep to the range: a
        // print asked from elsewhere is of the whole report.
        const bool rango = App().gModoRango && (!Imprimiendo() || mDesdeBarra);
        if (Imprimiendo())
            Imprime(registros, rango);
        else
            LeePrevia(registros, rango);
    } catch (const std::bad_alloc&) {
        zav::SetHourglass(false);
        zav::MsgBox(zav::TextoError(7) + QStringLiteral("\nIngrese un rango de hojas menos \nvoluminoso"), 16,
                    QStringLiteral(" Aviso:7"));
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
}

void frmPreview::LeePrevia(const std::vector<rpt::Registro>& registros, bool rango)
{
    const std::vector<int> espacios = RenderReporte::Espacios(registros);
    int cuenta = 1;
    for (size_t i = 0; i < registros.size(); ++i) {
        const rpt::Registro& r = registros[i];
        switch (r.Tipo) {
        case rpt::TipoRegistro::NHojas: mPagActual = 0; break;
        case rpt::TipoRegistro::Color:
            if (r.Color != picPrevia[0]->BackColor())
                picPrevia[0]->SetBackColor(r.Color);
            break;
        case rpt::TipoRegistro::Pos:
        case rpt::TipoRegistro::Cuadro:
        case rpt::TipoRegistro::PosVerti: {
            const int p = r.Pagina;
            if (p < 0)
                break;
            int indice;
            if (!rango) {
                // Page p goes to surface p; a page the file skips is shown empty, so
                // that every surface up to the count exists.
                if (p >= 1 && p > mPagActual) {
                    cuenta = std::max(cuenta, p + 1);
                    mPagActual = p;
                }
                while (static_cast<int>(picPrevia.size()) < cuenta)
                    AgregaHoja();
                indice = p;
            } else {
                // The pages of the range fill the surfaces from 0 in order.
                if (!EnRango(p))
                    break;
                if (p > mPagActual) {
                    if (App().gPagDesde < 2 || mPagActual > 0) {
                        ++cuenta;
                        if (static_cast<int>(picPrevia.size()) < cuenta)
                            AgregaHoja();
                    }
                    mPagActual = p;
                }
                indice = cuenta - 1;
            }
            Dibuja(r, espacios[i], indice);
            break;
        }
        default: break;
        }
    }
    mNumPaginas = cuenta;
}

// The job is ended whole or not at all: a failure aborts it, so nothing half printed
// reaches the paper. The browsing state of the window is left as it was.
void frmPreview::Imprime(const std::vector<rpt::Registro>& registros, bool rango)
{
    zav::Impresora& impresora = zav::Printer();
    const std::vector<int> espacios = RenderReporte::Espacios(registros);
    int ultima = 0;   // page of the last record read
    try {
        for (size_t i = 0; i < registros.size(); ++i) {
            const rpt::Registro& r = registros[i];
            switch (r.Tipo) {
            case rpt::TipoRegistro::Orientacion:
                mOrientacion = r.Texto;
                if (mOrientacion == QLatin1String("H"))
                    impresora.setLandscape(true);
                break;
            case rpt::TipoRegistro::Pos:
            case rpt::TipoRegistro::Cuadro:
            case rpt::TipoRegistro::PosVerti:
                ultima = r.Pagina;
                if (!rango || EnRango(r.Pagina))
                    Dibuja(r, espacios[i], 0);
                break;
            case rpt::TipoRegistro::NuevaHoja:
                if (!rango || EnRango(ultima))
                    impresora.NewPage();
                break;
            default: break;
            }
        }
        impresora.EndDoc();
    } catch (const zav::RuntimeError& e) {
        impresora.KillDoc();
        impresora.setLandscape(false);
        MensajeImpresion(e.Number, e.Description());
        return;
    }
    impresora.setLandscape(false);
}

void frmPreview::frmPreview_Form_Load()
{
    try {
        mModo = kPresPrevia;
        pDesencripta(Archivo, mModo);
        pMostrar(0);
    } catch (const zav::RuntimeError& e) {
        zav::SetHourglass(false);
        zav::MsgBox(QStringLiteral("Error tecnico: ") + zav::Str(e.Number) + QLatin1Char('\n') + e.Description()
                        + QStringLiteral("\nIntente nuevamente por favor."),
                    16, QStringLiteral("Error"));
    }
}

void frmPreview::MuestraHoja(int indice)
{
    for (int i = 0; i < mNumPaginas && i < static_cast<int>(picPrevia.size()); ++i)
        if (i != indice)
            picPrevia[i]->hide();
    HojaPrevia* h = picPrevia[indice];
    h->move(-zav::TwipsToPixels(HScroll1->value()), 0);
    h->show();
}

void frmPreview::pMostrar(int direccion)
{
    if (direccion == -2 && mPagActual > 0) {
        --mPagActual;
        MuestraHoja(mPagActual);
    } else if (direccion == -1 && mPagActual < mNumPaginas - 1) {
        ++mPagActual;
        MuestraHoja(mPagActual);
    } else if (direccion == 0) {
        mPagActual = 0;
        MuestraHoja(0);
    }
    vsbPic[0]->setValue(0);
    vsbPic[1]->setValue(0);
}

void frmPreview::frmPreview_tlbPrevia_ButtonClick(int boton)
{
    switch (boton) {
    case 2: pMostrar(-2); break;
    case 3: pMostrar(-1); break;
    case 4:
        mModo = kImprimir;
        mDesdeBarra = true;
        pDesencripta(Archivo, mModo);
        mDesdeBarra = false;
        break;
    case 5: reject(); break;
    default: break;
    }
}

HojaPrevia* frmPreview::HojaMostrada() const
{
    if (mPagActual < 0 || mPagActual >= static_cast<int>(picPrevia.size()))
        return nullptr;
    return picPrevia[mPagActual];
}

void frmPreview::frmPreview_vsbPic_Change(int index)
{
    if (HojaPrevia* h = HojaMostrada())
        h->move(h->x(), -zav::TwipsToPixels(vsbPic[0]->value()));
    const int valor = vsbPic[index]->value();
    vsbPic[1]->setValue(valor);
    vsbPic[0]->setValue(valor);
}

void frmPreview::frmPreview_HScroll1_Change()
{
    if (HojaPrevia* h = HojaMostrada())
        h->move(-zav::TwipsToPixels(HScroll1->value()), h->y());
}
