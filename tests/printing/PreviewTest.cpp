// The preview window and the printing of a report file: the page surfaces drawn from the
// records, turning pages within a range, and the same records on the printer (a
// recording one, and the PDF file that stands for the default printer).
#include "common/Paths.h"
#include "common/Runtime.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Impresora.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/Twips.h"
#include "printing/HojaPrevia.h"
#include "printing/ImpRep.h"
#include "printing/MostrarPreliminar.h"
#include "printing/frmPreview.h"
#include "printing/report/LectorReporte.h"
#include "tests/printing/ImpresionFixture.h"
#include "tests/support/LimiteArchivos.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

#include <cerrno>
#include <cstring>
#include <map>
#include <optional>

namespace {

const QString kReporte = QStringLiteral("00000001.PRN");

// One text of each page of the fixture report, found only on that page.
const char* const kTextoDePagina[5] = {
    "Ctas por cobrar comerciales - terc",
    "Ctas por pagar comerciales - Terceros",
    "Resultados no realizados",
    "Renta neta del ejercicio",
    "Datos del Representante Legal",
};

// A printer that keeps what it is asked to do, one line per call; it can fail at the
// Nth text with an error number.
class ImpresoraGrabadora : public zav::Impresora {
public:
    struct Dibujo {
        int pagina, x, y, tamano;
        bool negrita;
        QString texto;
    };
    struct Linea {
        int pagina, x1, y1, x2, y2;
    };
    QStringList llamadas;
    std::vector<std::pair<int, QString>> textos;   // page, text
    std::vector<int> tamanos;                      // the size in effect at each text
    std::vector<Dibujo> dibujos;                   // each text where and how it was drawn
    std::vector<Linea> lineas;
    int pagina = 0;
    int fallaEn = -1;
    int error = 482;

    void setFontName(const QString&) override {}
    void setFontBold(bool b) override { negrita_ = b; }
    void setFontSize(int s) override { tamano_ = s; }
    void setLandscape(bool l) override { llamadas << QStringLiteral("landscape %1").arg(l); }
    void setCurrentX(int x) override { x_ = x; }
    void setCurrentY(int y) override { y_ = y; }
    void setDrawWidth(int) override {}
    void Print(const QString& t) override
    {
        if (static_cast<int>(textos.size()) == fallaEn)
            throw zav::RuntimeError(error);
        textos.emplace_back(pagina, t);
        tamanos.push_back(tamano_);
        dibujos.push_back({pagina, x_, y_, tamano_, negrita_, t});
    }
    void Line(int x1, int y1, int x2, int y2, const QColor&) override { lineas.push_back({pagina, x1, y1, x2, y2}); }
    void NewPage() override
    {
        ++pagina;
        llamadas << QStringLiteral("newpage");
    }
    void EndDoc() override { llamadas << QStringLiteral("enddoc"); }
    void KillDoc() override { llamadas << QStringLiteral("killdoc"); }

    bool Imprimio(int pag, const QString& texto) const
    {
        for (const auto& [p, t] : textos)
            if (p == pag && t.trimmed() == texto)
                return true;
        return false;
    }

private:
    int tamano_ = 0;
    bool negrita_ = false;
    int x_ = 0;
    int y_ = 0;
};

// A PDF read back with poppler's tools.
struct PdfLeido {
    std::vector<QString> textos;   // one per page
    std::vector<QImage> imagenes;  // one per page
};

bool NoBlanca(const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                return true;
    return false;
}

// Dark pixels of the surface image (ppp pixels per inch) inside a rectangle in twips.
int Oscuros(const QImage& img, int ppp, const QRect& twips)
{
    const double k = ppp / 1440.0;
    const QRect r(qRound(twips.x() * k), qRound(twips.y() * k), qRound(twips.width() * k), qRound(twips.height() * k));
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++n;
    return n;
}

class PreviewTest : public ImpresionFixture {
protected:
    void SetUp() override
    {
        savedPdf_ = qgetenv("ZAV_PRINTER_PDF");
        hadPdf_ = qEnvironmentVariableIsSet("ZAV_PRINTER_PDF");
        ImpresionFixture::SetUp();
        if (HasFatalFailure())
            return;
        qunsetenv("ZAV_PRINTER_PDF");
        copiaReporte(archivoPrueba(QStringLiteral("esperados/general_2014_perdidas.PRN")), kReporte);
        ASSERT_TRUE(rpt::LeeArchivoReporte(rutaRpt(kReporte), registros_));
    }
    void TearDown() override
    {
        if (hadPdf_)
            qputenv("ZAV_PRINTER_PDF", savedPdf_);
        else
            qunsetenv("ZAV_PRINTER_PDF");
        ImpresionFixture::TearDown();
    }

    static QString rutaRpt(const QString& nombre) { return zav::JoinPath(App().gRutaRpt, nombre); }

    void copiaReporte(const QString& origen, const QString& nombre)
    {
        QFile::remove(rutaRpt(nombre));
        ASSERT_TRUE(QFile::copy(origen, rutaRpt(nombre)));
    }

    // A small report file of Windows-1252 lines.
    void escribeReporte(const QString& nombre, const QStringList& lineas)
    {
        QFile f(rutaRpt(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (const QString& l : lineas)
            f.write(l.toLatin1() + "\r\n");
    }

    // The first record of the fixture on page p holding texto.
    const rpt::Registro& registro(int p, const QString& texto) const
    {
        for (const rpt::Registro& r : registros_)
            if (r.Tipo == rpt::TipoRegistro::Pos && r.Pagina == p && r.Texto.trimmed() == texto)
                return r;
        ADD_FAILURE() << "no record " << texto.toStdString();
        return registros_.front();
    }
    const rpt::Registro& primerCuadro(int p) const
    {
        for (const rpt::Registro& r : registros_)
            if (r.Tipo == rpt::TipoRegistro::Cuadro && r.Pagina == p)
                return r;
        ADD_FAILURE() << "no box on page " << p;
        return registros_.front();
    }

    static void cargaVentana(frmPreview& frm, const QString& nombre = kReporte)
    {
        frm.Archivo = nombre;
        frm.frmPreview_Form_Load();
    }

    // The surfaces of the whole report, as images, to compare a range's surfaces with.
    std::vector<QImage> paginasCompletas()
    {
        const bool rango = App().gModoRango;
        App().gModoRango = false;
        frmPreview frm;
        cargaVentana(frm);
        App().gModoRango = rango;
        std::vector<QImage> v;
        for (int i = 0; i < frm.NumPaginas(); ++i)
            v.push_back(frm.picPrevia[i]->Imagen(48));
        return v;
    }

    QString pdf() const { return tmp_.filePath(QStringLiteral("impresora.pdf")); }
    void usaPdf() { qputenv("ZAV_PRINTER_PDF", QFile::encodeName(pdf())); }

    PdfLeido leePdf()
    {
        PdfLeido r;
        QProcess texto;
        texto.start(QStringLiteral("pdftotext"), {pdf(), QStringLiteral("-")});
        EXPECT_TRUE(texto.waitForFinished(30000));
        EXPECT_EQ(texto.exitCode(), 0) << texto.readAllStandardError().toStdString();
        // Every page ends with a form feed.
        QStringList paginas = QString::fromUtf8(texto.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty())
            paginas.removeLast();
        for (const QString& p : paginas)
            r.textos.push_back(p.simplified());

        const QString dir = tmp_.filePath(QStringLiteral("paginas"));
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        QProcess ppm;
        ppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"), pdf(),
                                               dir + QStringLiteral("/p")});
        EXPECT_TRUE(ppm.waitForFinished(30000));
        EXPECT_EQ(ppm.exitCode(), 0) << ppm.readAllStandardError().toStdString();
        for (const QString& f : QDir(dir).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
            r.imagenes.push_back(QImage(dir + QLatin1Char('/') + f));
        return r;
    }

    // The PDF holds exactly these pages of the fixture, in order, none of them blank.
    void esperaPaginas(const std::vector<int>& paginas)
    {
        ASSERT_TRUE(QFile::exists(pdf()));
        const PdfLeido leido = leePdf();
        ASSERT_EQ(leido.imagenes.size(), paginas.size());
        ASSERT_EQ(leido.textos.size(), paginas.size());
        for (size_t i = 0; i < paginas.size(); ++i) {
            EXPECT_TRUE(NoBlanca(leido.imagenes[i])) << "sheet " << i;
            for (int p = 0; p < 5; ++p)
                EXPECT_EQ(leido.textos[i].contains(QString::fromLatin1(kTextoDePagina[p])), p == paginas[i])
                    << "sheet " << i << ", text of page " << p;
            EXPECT_TRUE(leido.textos[i].contains(QStringLiteral("COMERCIAL ANDINA S.A.C."))) << "sheet " << i;
        }
    }

    std::vector<rpt::Registro> registros_;
    QByteArray savedPdf_;
    bool hadPdf_ = false;
};

TEST_F(PreviewTest, EachPageIsDrawnOnItsSurfaceWhereTheRecordsPutIt)
{
    frmPreview frm;
    cargaVentana(frm);
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("Presentación Preliminar"));
    EXPECT_EQ(frm.Modo(), QStringLiteral("PresPrevia"));
    ASSERT_EQ(frm.NumPaginas(), 5);
    ASSERT_EQ(frm.picPrevia.size(), 5u);
    EXPECT_EQ(frm.PaginaActual(), 0);
    EXPECT_EQ(msgs_->Count(), 0);

    const int ppp = 144;   // 10 twips to a pixel
    const QColor fondo(0xC0, 0xFF, 0xFF);   // &H00FFFFC0 of the colour tag
    for (int p = 0; p < 5; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(frm.picPrevia[p]->objectName(), QStringLiteral("picPrevia_%1").arg(p));
        EXPECT_EQ(zav::Visible(frm.picPrevia[p]), p == 0);
        const QImage img = frm.picPrevia[p]->Imagen(ppp);
        EXPECT_EQ(img.size(), QSize(HojaPrevia::kAncho / 10, HojaPrevia::kAlto / 10));

        // A box's top line is dark; the sheet right of the layouts is the background.
        const rpt::Registro& c = primerCuadro(p);
        EXPECT_LT(qGray(img.pixel((c.X + c.X2) / 20, c.Y / 10)), 128);
        EXPECT_EQ(Oscuros(img, ppp, QRect(11200, 0, 900, HojaPrevia::kAlto - 100)), 0);
        EXPECT_EQ(QColor(img.pixel(1160, 1000)), fondo);

        // The page's own text lies below and right of its record's point, inside its row.
        const rpt::Registro& t = registro(p, QString::fromLatin1(kTextoDePagina[p]));
        EXPECT_GT(Oscuros(img, ppp, QRect(t.X + 20, t.Y + 20, 2000, 110)), 40);
        EXPECT_EQ(Oscuros(img, ppp, QRect(t.X - 120, t.Y + 20, 100, 110)), 0);
    }
}

TEST_F(PreviewTest, ThePrintedReportHasItsFivePagesAndNoBlankSheet)
{
    usaPdf();
    int mostradas = 0;
    zav::ModalRunnerScope runner([&](QDialog&) { ++mostradas; return 0; });
    MostrarPreliminar(kReporte, QStringLiteral("xx"));
    EXPECT_EQ(mostradas, 0);
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_FALSE(QFile::exists(pdf() + QStringLiteral(".part")));
    esperaPaginas({0, 1, 2, 3, 4});
}

// Where a text's ink starts against the top-left corner of the box drawn around it, in
// pixels of img: the box's top line is the first row, its left line the first column,
// that is mostly dark. Nothing when the image has no such box or no ink near its corner.
std::optional<QPoint> TintaDesdeLaEsquina(const QImage& img, int largoMinimo)
{
    const auto oscuro = [&](int x, int y) { return qGray(img.pixel(x, y)) < 128; };
    int arriba = -1, izquierda = -1;
    for (int y = 0; y < img.height() && arriba < 0; ++y) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x)
            n += oscuro(x, y);
        if (n > largoMinimo)
            arriba = y;
    }
    for (int x = 0; x < img.width() && izquierda < 0; ++x) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            n += oscuro(x, y);
        if (n > largoMinimo / 4)
            izquierda = x;
    }
    if (arriba < 0 || izquierda < 0)
        return std::nullopt;
    // The ink above or below the top line, right of the left one, clear of both lines.
    std::optional<QPoint> tinta;
    for (int y = std::max(0, arriba - 40); y < std::min(img.height(), arriba + 40); ++y)
        for (int x = izquierda + 3; x < std::min(img.width(), izquierda + 400); ++x)
            if (std::abs(y - arriba) > 1 && oscuro(x, y)) {
                if (!tinta)
                    tinta = QPoint(x - izquierda, y - arriba);
                tinta->setX(std::min(tinta->x(), x - izquierda));
            }
    return tinta;
}

// One report on the preview's surface and on the PDF: the text lands at the same place
// against its box on both, below and right of its record's point (text is placed by its
// top-left corner, as the layouts expect).
TEST_F(PreviewTest, ATextLandsAtTheSamePlaceOnTheSurfaceAndOnThePrintedPage)
{
    escribeReporte(QStringLiteral("00000004.PRN"),
                   {QStringLiteral("<!nHojas!>1<!/nHojas!>"), QStringLiteral("pCuadro|1000|2000|9000|4000|0|"),
                    QStringLiteral("pPos|2000|2000|HHHHHHHH|False|12|0|")});
    const int ppp = 144;   // 10 twips to a pixel on both
    frmPreview frm;
    cargaVentana(frm, QStringLiteral("00000004.PRN"));
    ASSERT_FALSE(frm.picPrevia.empty());
    const std::optional<QPoint> enPantalla = TintaDesdeLaEsquina(frm.picPrevia[0]->Imagen(ppp), 600);

    usaPdf();
    MostrarPreliminar(QStringLiteral("00000004.PRN"), QStringLiteral("xx"));
    ASSERT_EQ(msgs_->Count(), 0);
    QProcess ppm;
    ppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(ppp), QStringLiteral("-png"),
                                           QStringLiteral("-singlefile"), pdf(), tmp_.filePath(QStringLiteral("hoja"))});
    ASSERT_TRUE(ppm.waitForFinished(30000));
    ASSERT_EQ(ppm.exitCode(), 0) << ppm.readAllStandardError().toStdString();
    const std::optional<QPoint> enPapel = TintaDesdeLaEsquina(QImage(tmp_.filePath(QStringLiteral("hoja.png"))), 600);

    ASSERT_TRUE(enPantalla && enPapel) << "ink found on the surface: " << bool(enPantalla) << ", on paper: " << bool(enPapel);
    // The record puts the text 1000 twips right of the box's corner, on its top line: the
    // capitals' ink starts a little below it.
    EXPECT_NEAR(enPantalla->x(), 100, 3);
    EXPECT_GE(enPantalla->y(), 2);
    EXPECT_LE(enPantalla->y(), 8);
    EXPECT_NEAR(enPapel->x(), enPantalla->x(), 2);
    EXPECT_NEAR(enPapel->y(), enPantalla->y(), 2);
}

TEST_F(PreviewTest, OnlyAPrintFromThePreviewsToolbarKeepsToTheRange)
{
    usaPdf();
    App().gModoRango = true;
    App().gPagDesde = 2;
    App().gPagHasta = 3;
    {
        frmPreview frm;
        cargaVentana(frm);
        frm.frmPreview_tlbPrevia_ButtonClick(4);
        EXPECT_EQ(frm.Modo(), QStringLiteral("IMPRIMIR"));
        EXPECT_EQ(msgs_->Count(), 0);
        esperaPaginas({1, 2});
    }
    QFile::remove(pdf());
    MostrarPreliminar(kReporte, QStringLiteral("IMPRIMIR"));
    EXPECT_EQ(msgs_->Count(), 0);
    esperaPaginas({0, 1, 2, 3, 4});
}

struct CasoRango {
    bool modoRango;
    int desde, hasta;
    std::vector<int> paginas;   // the page of the report each surface holds
};

TEST_F(PreviewTest, TheRangeFillsTheSurfacesInOrderAndBoundsTheBrowsing)
{
    const std::vector<QImage> completas = paginasCompletas();
    ASSERT_EQ(completas.size(), 5u);
    const CasoRango casos[] = {
        {true, 2, 3, {1, 2}},
        {true, 1, 1, {0}},
        {true, 4, 5, {3, 4}},
        {true, 1, 3, {0, 1, 2}},
        {false, 2, 3, {0, 1, 2, 3, 4}},
    };
    for (const CasoRango& c : casos) {
        SCOPED_TRACE(testing::Message() << c.modoRango << " " << c.desde << "-" << c.hasta);
        App().gModoRango = c.modoRango;
        App().gPagDesde = c.desde;
        App().gPagHasta = c.hasta;
        frmPreview frm;
        cargaVentana(frm);
        const int n = static_cast<int>(c.paginas.size());
        ASSERT_EQ(frm.NumPaginas(), n);
        ASSERT_EQ(frm.picPrevia.size(), c.paginas.size());
        for (int i = 0; i < n; ++i)
            EXPECT_TRUE(frm.picPrevia[i]->Imagen(48) == completas[c.paginas[i]]) << "surface " << i;

        auto muestra = [&](int esperada) {
            EXPECT_EQ(frm.PaginaActual(), esperada);
            for (int i = 0; i < n; ++i)
                EXPECT_EQ(zav::Visible(frm.picPrevia[i]), i == esperada) << "surface " << i;
        };
        muestra(0);
        frm.frmPreview_tlbPrevia_ButtonClick(2);   // previous on the first page
        muestra(0);
        for (int i = 1; i < n; ++i) {
            frm.frmPreview_tlbPrevia_ButtonClick(3);
            muestra(i);
        }
        frm.frmPreview_tlbPrevia_ButtonClick(3);   // next on the last page
        muestra(n - 1);
        frm.frmPreview_tlbPrevia_ButtonClick(2);
        muestra(std::max(0, n - 2));
        frm.pMostrar(0);
        muestra(0);
    }
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(PreviewTest, TheTwoVerticalBarsMoveTogetherAndTurningAPageScrollsBackToTheTop)
{
    frmPreview frm;
    cargaVentana(frm);
    frm.resize(800, 600);
    HojaPrevia* hoja = frm.picPrevia[0];
    ASSERT_GT(frm.vsbPic[1]->maximum(), 3000);
    frm.vsbPic[1]->setValue(3000);   // the user drags the right bar
    EXPECT_EQ(frm.vsbPic[0]->value(), 3000);
    EXPECT_EQ(hoja->y(), -200);
    frm.vsbPic[0]->setValue(1500);
    EXPECT_EQ(frm.vsbPic[1]->value(), 1500);
    EXPECT_EQ(hoja->y(), -100);
    frm.HScroll1->setValue(1500);
    EXPECT_EQ(hoja->pos(), QPoint(-100, -100));

    frm.pMostrar(-1);
    EXPECT_EQ(frm.vsbPic[0]->value(), 0);
    EXPECT_EQ(frm.vsbPic[1]->value(), 0);
    EXPECT_EQ(frm.picPrevia[1]->pos(), QPoint(-100, 0));
}

// The preview as the user gets it: shown, active, the first page in view.
class PreviewMostrado : public PreviewTest {
protected:
    void muestra(frmPreview& frm)
    {
        frm.Archivo = kReporte;
        frm.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
        frm.activateWindow();
        // Both bars have some way to go, whatever the screen's size.
        frm.resize(600, 400);
        QApplication::processEvents();
        ASSERT_EQ(frm.NumPaginas(), 5);
    }
    static QWidget* boton(frmPreview& frm, int i) { return frm.tlbPrevia->widgetForAction(frm.Botones[i]); }
};

TEST_F(PreviewMostrado, TheDesktopsKeysScrollThePageShown)
{
    frmPreview frm;
    muestra(frm);
    EXPECT_EQ(QApplication::focusWidget(), frm.picFondo);
    HojaPrevia* hoja = frm.picPrevia[0];
    QScrollBar* v = frm.vsbPic[0];
    QScrollBar* h = frm.HScroll1;
    ASSERT_GT(v->maximum(), 300 + v->pageStep());
    ASSERT_GT(h->maximum(), h->singleStep());
    const struct {
        Qt::Key tecla;
        int vertical, horizontal;   // the bars' values after it
    } casos[] = {
        {Qt::Key_Down, 300, 0},
        {Qt::Key_Down, 600, 0},
        {Qt::Key_Up, 300, 0},
        {Qt::Key_PageDown, 300 + v->pageStep(), 0},
        {Qt::Key_PageUp, 300, 0},
        {Qt::Key_End, v->maximum(), 0},
        {Qt::Key_Home, 0, 0},
        {Qt::Key_Right, 0, 300},
        {Qt::Key_Left, 0, 0},
        {Qt::Key_Up, 0, 0},   // nothing above the top
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(QKeySequence(c.tecla).toString().toStdString());
        QTest::keyClick(QApplication::focusWidget(), c.tecla);
        EXPECT_EQ(v->value(), c.vertical);
        EXPECT_EQ(frm.vsbPic[1]->value(), c.vertical);
        EXPECT_EQ(h->value(), c.horizontal);
        EXPECT_EQ(hoja->pos(), QPoint(-zav::TwipsToPixels(c.horizontal), -zav::TwipsToPixels(c.vertical)));
    }
    EXPECT_TRUE(frm.isVisible());
    EXPECT_EQ(frm.PaginaActual(), 0);
}

TEST_F(PreviewMostrado, TheWheelOverThePageScrollsIt)
{
    frmPreview frm;
    muestra(frm);
    HojaPrevia* hoja = frm.picPrevia[0];
    const auto rueda = [&](QPoint giro) {
        const QPointF centro(hoja->mapFrom(frm.picFondo, frm.picFondo->rect().center()));
        QWheelEvent e(centro, hoja->mapToGlobal(centro), QPoint(), giro, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(hoja, &e);
    };
    rueda(QPoint(0, -120));   // one notch towards the user: down the page
    const int paso = frm.vsbPic[0]->value();
    EXPECT_GT(paso, 0);
    EXPECT_EQ(frm.vsbPic[1]->value(), paso);
    EXPECT_EQ(hoja->y(), -zav::TwipsToPixels(paso));
    rueda(QPoint(0, -120));
    EXPECT_EQ(frm.vsbPic[0]->value(), 2 * paso);
    rueda(QPoint(0, 240));
    EXPECT_EQ(frm.vsbPic[0]->value(), 0);
    EXPECT_EQ(hoja->y(), 0);
    rueda(QPoint(-120, 0));   // a sideways wheel
    EXPECT_GT(frm.HScroll1->value(), 0);
    EXPECT_EQ(hoja->x(), -zav::TwipsToPixels(frm.HScroll1->value()));
    EXPECT_EQ(frm.vsbPic[0]->value(), 0);
}

TEST_F(PreviewMostrado, TabReachesTheToolbarsButtonsAndSpaceOrEnterPressesThem)
{
    ImpresoraGrabadora grabadora;
    zav::ImpresoraScope scope(grabadora);
    frmPreview frm;
    muestra(frm);
    std::vector<QWidget*> orden;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        orden.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(orden, (std::vector<QWidget*>{boton(frm, 2), boton(frm, 3), boton(frm, 4), boton(frm, 5)}));

    const auto pulsa = [&](int i, Qt::Key tecla) {
        boton(frm, i)->setFocus();
        QTest::keyClick(boton(frm, i), tecla);
    };
    pulsa(3, Qt::Key_Space);
    EXPECT_EQ(frm.PaginaActual(), 1);
    pulsa(3, Qt::Key_Return);
    EXPECT_EQ(frm.PaginaActual(), 2);
    EXPECT_TRUE(zav::Visible(frm.picPrevia[2]));
    // The page keys still scroll while a button has the focus.
    pulsa(3, Qt::Key_PageDown);
    EXPECT_GT(frm.vsbPic[0]->value(), 0);
    pulsa(2, Qt::Key_Space);
    EXPECT_EQ(frm.PaginaActual(), 1);
    EXPECT_EQ(frm.vsbPic[0]->value(), 0);

    pulsa(4, Qt::Key_Space);
    EXPECT_EQ(grabadora.llamadas.count(QStringLiteral("enddoc")), 1);
    EXPECT_TRUE(frm.isVisible());
    pulsa(5, Qt::Key_Enter);
    EXPECT_FALSE(frm.isVisible());
    EXPECT_EQ(msgs_->Count(), 0);
}

TEST_F(PreviewTest, APrintFromTheToolbarLeavesTheBrowsingAsItWas)
{
    const struct {
        bool modoRango;
        int paginas;
    } casos[] = {{false, 5}, {true, 2}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.modoRango);
        App().gModoRango = c.modoRango;
        App().gPagDesde = 2;
        App().gPagHasta = 3;
        ImpresoraGrabadora grabadora;
        zav::ImpresoraScope scope(grabadora);
        frmPreview frm;
        cargaVentana(frm);
        frm.frmPreview_tlbPrevia_ButtonClick(3);
        frm.frmPreview_tlbPrevia_ButtonClick(4);
        EXPECT_EQ(grabadora.llamadas.count(QStringLiteral("enddoc")), 1);
        EXPECT_EQ(frm.NumPaginas(), c.paginas);
        EXPECT_EQ(frm.PaginaActual(), 1);
        for (int i = 0; i < c.paginas + 1; ++i)
            frm.frmPreview_tlbPrevia_ButtonClick(3);
        EXPECT_EQ(frm.PaginaActual(), c.paginas - 1);
        EXPECT_TRUE(zav::Visible(frm.picPrevia[c.paginas - 1]));
    }
}

TEST_F(PreviewTest, PrintingReplaysTheRecordsPageByPage)
{
    ImpresoraGrabadora grabadora;
    zav::ImpresoraScope scope(grabadora);
    MostrarPreliminar(kReporte, QStringLiteral("xx"));
    EXPECT_EQ(grabadora.llamadas, QStringList({QStringLiteral("newpage"), QStringLiteral("newpage"),
                                               QStringLiteral("newpage"), QStringLiteral("newpage"),
                                               QStringLiteral("enddoc"), QStringLiteral("landscape 0")}));
    for (int p = 0; p < 5; ++p)
        EXPECT_TRUE(grabadora.Imprimio(p, QString::fromLatin1(kTextoDePagina[p]))) << p;
    // The body records carry size 0: they are drawn at the file's initial size, whatever
    // size the record before them had.
    ASSERT_GE(grabadora.tamanos.size(), 5u);
    EXPECT_EQ(grabadora.textos[3].second, QStringLiteral("947"));
    EXPECT_EQ(grabadora.tamanos[3], 12);
    EXPECT_EQ(grabadora.textos[6].second, QStringLiteral("RUC"));
    EXPECT_EQ(grabadora.tamanos[6], 8);
    EXPECT_EQ(grabadora.textos[11].second, QStringLiteral("Contribuyente(1)"));
    EXPECT_EQ(grabadora.tamanos[11], 9);
    EXPECT_EQ(grabadora.textos[12].second, QStringLiteral(" N° DE TELEFONO"));
    EXPECT_EQ(grabadora.tamanos[12], 8);
    for (int t : grabadora.tamanos)
        EXPECT_GT(t, 0);
}

// The ink of a drawn text in twips: from its first to its last non-blank character, one
// line of the face high.
QRectF Tinta(const ImpresoraGrabadora::Dibujo& d)
{
    QFont f(zav::FamiliaImpresora(QStringLiteral("Courier New")));
    f.setPixelSize(d.tamano * 20);
    f.setBold(d.negrita);
    const QFontMetricsF fm(f);
    const QString blancos = d.texto.left(d.texto.size() - zav::LTrim(d.texto).size());
    const double izquierda = d.x + fm.horizontalAdvance(blancos);
    const double derecha = d.x + fm.horizontalAdvance(zav::RTrim(d.texto));
    return QRectF(QPointF(izquierda, d.y), QPointF(derecha, d.y + fm.height()));
}

// Every text of every answer the pages can print (both persons, each regime's answers) is
// drawn at a legible size and within its frame; the few that cannot fit even at that size
// are drawn at it from their place.
TEST_F(PreviewTest, EveryTextOfTheFivePagesStaysInsideItsFrame)
{
    constexpr int kLegible = 6;
    // A place whose description is cut to the row's 40 characters.
    db().Execute(QStringLiteral("INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES ('001', '250107', ?)"), 0,
                 {dao::Variant(QStringLiteral("NUEVA REQUENA").leftJustified(30) + QStringLiteral("10000000000000000000"))});
    const struct {
        QString texto;
        bool reducido;   // drawn below the body size to stay in its frame
    } nombres[] = {
        {QString(100, QLatin1Char('W')), true},   // the most CONT holds
        {QStringLiteral("EMPRESA DE TRANSPORTES Y SERVICIOS MULTIPLES S.A."), false},
    };
    // What does not fit its frame even at the legible size: the longest name, and the
    // person's answer, which stands 150 twips before its frame's line.
    const QStringList desbordan{QString(100, QLatin1Char('W')), QStringLiteral("P.Jurídica"),
                                QStringLiteral("P.Natural")};
    // The answers of the identification page other than each declaration's own: the
    // other person, zone, years' results, agreement and balance date.
    using Respuestas = std::initializer_list<std::pair<const char*, QString>>;
    const Respuestas variantes[] = {
        {},
        {{"813", QStringLiteral("0")}, {"811", QStringLiteral("0")}, {"605", QStringLiteral("0")},
         {"606", QStringLiteral("0")}, {"607", QStringLiteral("1")}, {"804", QStringLiteral("1")},
         {"608", QStringLiteral("0")}, {"810", QStringLiteral("0")}, {"809", QStringLiteral("1")},
         {"601", QStringLiteral("0")}, {"602", QStringLiteral("1")}, {"609", QStringLiteral("B")}},
        {{"813", QStringLiteral("1")}, {"811", QStringLiteral("1")}, {"605", QStringLiteral("1")},
         {"804", QStringLiteral("4")}, {"608", QStringLiteral("1")}, {"860", QStringLiteral("1")}},
        {{"813", QString()}, {"811", QString()}, {"804", QStringLiteral("5")}, {"608", QString()}},
    };
    std::map<QString, int> personas;
    const char* const casos[] = {
        "amazonia_2013_enviada",   "general_2014_perdidas",     "agrario_2012_sistema_a",
        "frontera_2013_sin_perdidas", "convenio_2013_seis_perdidas", "mype_2013_doce_perdidas",
    };
    for (const char* caso : casos)
    for (size_t variante = 0; variante < std::size(variantes); ++variante) {
        SCOPED_TRACE(caso);
        SCOPED_TRACE(variante);
        for (const char* tabla : {"CAB", "DET", "HCAB", "HDET", "F0947_PTCEA", "HF0947_PTCEA"})
            db().Execute(QStringLiteral("DELETE FROM ") + QLatin1String(tabla));
        ReiniciaImpresion();
        cargaDeclaracion(QString::fromLatin1(caso) + QStringLiteral(".txt"));
        const bool enviada = Impresion().gEnviadaImp;
        // The longest texts the window lets the user type.
        std::vector<std::pair<const char*, QString>> cambios{
            {"812", QStringLiteral("250107")}, {"603", QStringLiteral("250107")},
            {"815", QString(15, QLatin1Char('M'))}, {"816", QString(15, QLatin1Char('M'))},
            {"817", QString(15, QLatin1Char('M'))}, {"818", QString(15, QLatin1Char('M'))},
            {"028", QStringLiteral("064-12345")}};
        cambios.insert(cambios.end(), variantes[variante].begin(), variantes[variante].end());
        for (const auto& [casilla, valor] : cambios) {
            db().Execute(QStringLiteral("DELETE FROM %1 WHERE DOC_ID_D = ? AND CASILLA = ?")
                             .arg(enviada ? QStringLiteral("HDET") : QStringLiteral("DET")),
                         0, {App().gRuc, dao::Variant(casilla)});
            if (enviada)
                db().Execute(QStringLiteral("INSERT INTO HDET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CORREL, CASILLA, "
                                            "i_valor) VALUES (6, ?, ?, '0947', ?, ?, ?)"),
                             0, {App().gRuc, App().gPeriodo, App().gCorrel, dao::Variant(casilla), valor});
            else
                db().Execute(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CASILLA, i_valor)"
                                            " VALUES (6, ?, ?, '0947', ?, ?)"),
                             0, {App().gRuc, App().gPeriodo, dao::Variant(casilla), valor});
        }
        db().Execute(QStringLiteral("UPDATE HCAB SET norden = '123456789'"));
        Impresion().gNumControlImp = QStringLiteral("1234567890");
        for (const auto& nombre : nombres) {
            SCOPED_TRACE(nombre.texto.size());
            Impresion().gRazonSocialImp = nombre.texto;
            const QString archivo = GeneraReporteDeclaracion();
            ASSERT_FALSE(archivo.isEmpty());

            ImpresoraGrabadora g;
            zav::ImpresoraScope scope(g);
            MostrarPreliminar(archivo, QStringLiteral("xx"));
            ASSERT_EQ(msgs_->Count(), 0);
            ASSERT_EQ(g.pagina, 4);
            EXPECT_EQ(std::count_if(g.dibujos.begin(), g.dibujos.end(),
                                    [](const auto& d) { return d.texto.contains(QLatin1String("Nro. Control:")); }),
                      enviada ? 5 : 0);

            // A text may leave its frame only when it cannot fit at the legible size, and
            // then it is drawn at that size.
            const auto puedeDesbordar = [&](const ImpresoraGrabadora::Dibujo& d) {
                return desbordan.contains(zav::Trim(d.texto)) && d.tamano == kLegible;
            };
            for (size_t i = 0; i < g.dibujos.size(); ++i) {
                const ImpresoraGrabadora::Dibujo& d = g.dibujos[i];
                if (zav::Trim(d.texto).isEmpty())
                    continue;
                if (d.pagina == 3 && d.x == 8750)
                    ++personas[zav::Trim(d.texto)];
                const QRectF t = Tinta(d);
                const std::string donde = QStringLiteral("page %1 (%2, %3) size %4 \"%5\"")
                                              .arg(d.pagina).arg(d.x).arg(d.y).arg(d.tamano).arg(d.texto)
                                              .toStdString();
                EXPECT_GE(d.tamano, kLegible) << donde;
                EXPECT_LE(t.right(), HojaPrevia::kAncho) << donde;
                if (puedeDesbordar(d))
                    continue;
                for (const ImpresoraGrabadora::Linea& l : g.lineas) {
                    if (l.pagina != d.pagina)
                        continue;
                    const bool cruza = l.x1 == l.x2
                                           ? t.left() < l.x1 && l.x1 < t.right() && std::min(l.y1, l.y2) < t.bottom()
                                                 && std::max(l.y1, l.y2) > t.top()
                                           : t.top() < l.y1 && l.y1 < t.bottom() && std::min(l.x1, l.x2) < t.right()
                                                 && std::max(l.x1, l.x2) > t.left();
                    EXPECT_FALSE(cruza) << donde << " crosses the line (" << l.x1 << ", " << l.y1 << ")-(" << l.x2
                                        << ", " << l.y2 << ")";
                }
                for (size_t j = i + 1; j < g.dibujos.size(); ++j) {
                    const ImpresoraGrabadora::Dibujo& o = g.dibujos[j];
                    if (o.pagina == d.pagina && !zav::Trim(o.texto).isEmpty() && !puedeDesbordar(o)) {
                        EXPECT_FALSE(t.intersects(Tinta(o))) << donde << " runs into \"" << o.texto.toStdString() << "\"";
                    }
                }
            }
            // The body is drawn at the file's initial size; only the name that cannot be
            // drawn at it is drawn smaller.
            for (const ImpresoraGrabadora::Dibujo& d : g.dibujos) {
                if (d.texto == QLatin1String("RUC") || d.texto == QLatin1String("Nro. Control:")
                    || d.texto.contains(QLatin1String("Costo enajenación"))) {
                    EXPECT_EQ(d.tamano, 8) << d.texto.toStdString();
                }
                if (d.texto == nombre.texto) {
                    EXPECT_EQ(d.tamano < 8, nombre.reducido) << d.tamano;
                }
            }
        }
    }
    // Both persons were printed, under both regimes that ask for it.
    EXPECT_EQ(personas, (std::map<QString, int>{{QStringLiteral("P.Jurídica"), 6}, {QStringLiteral("P.Natural"), 6}}));
}

TEST_F(PreviewTest, LandscapeIsForThePrinterOnlyAndEndsWithTheDocument)
{
    escribeReporte(QStringLiteral("00000002.PRN"),
                   {QStringLiteral("<!nHojas!>2<!/nHojas!>"), QStringLiteral("<!Orientacion!> H <!/Orientacion!>"),
                    QStringLiteral("pPos|300|350|UNO|True|9|0|"), QStringLiteral("pNuevaHoja"),
                    QStringLiteral("pPos|300|350|DOS|False|0|1|")});
    ImpresoraGrabadora grabadora;
    zav::ImpresoraScope scope(grabadora);
    {
        frmPreview frm;
        cargaVentana(frm, QStringLiteral("00000002.PRN"));
        EXPECT_EQ(frm.NumPaginas(), 2);
        EXPECT_TRUE(grabadora.llamadas.isEmpty());
    }
    MostrarPreliminar(QStringLiteral("00000002.PRN"), QStringLiteral("xx"));
    EXPECT_EQ(grabadora.llamadas, QStringList({QStringLiteral("landscape 1"), QStringLiteral("newpage"),
                                               QStringLiteral("enddoc"), QStringLiteral("landscape 0")}));
    EXPECT_TRUE(grabadora.Imprimio(0, QStringLiteral("UNO")));
    EXPECT_TRUE(grabadora.Imprimio(1, QStringLiteral("DOS")));
}

TEST_F(PreviewTest, TheColourTagPaintsEveryPageSurfaceInPreviewOnly)
{
    escribeReporte(QStringLiteral("00000003.PRN"),
                   {QStringLiteral("<!Color!>&H00C0FFC0&<!/Color!>"), QStringLiteral("pPos|300|350|UNO|True|9|0|"),
                    QStringLiteral("pNuevaHoja"), QStringLiteral("pCuadro|150|300|1700|1640|1|")});
    frmPreview frm;
    cargaVentana(frm, QStringLiteral("00000003.PRN"));
    ASSERT_EQ(frm.picPrevia.size(), 2u);
    for (HojaPrevia* h : frm.picPrevia) {
        EXPECT_EQ(h->BackColor(), 0x00C0FFC0u);
        EXPECT_EQ(QColor(h->Imagen(48).pixel(300, 400)), QColor(0xC0, 0xFF, 0xC0));
    }
}

TEST_F(PreviewTest, AMissingReportFileDrawsAndPrintsNothing)
{
    ImpresoraGrabadora grabadora;
    zav::ImpresoraScope scope(grabadora);
    std::optional<bool> vacia;
    zav::ModalRunnerScope runner([&](QDialog& dlg) {
        dlg.show();
        auto& frm = dynamic_cast<frmPreview&>(dlg);
        vacia = frm.NumPaginas() == 1 && frm.picPrevia.size() == 1 && frm.picPrevia[0]->Vacia()
                && zav::Visible(frm.picPrevia[0]);
        return 0;
    });
    for (const QString& modo : {QStringLiteral("Vprevia"), QStringLiteral("xx")}) {
        SCOPED_TRACE(modo.toStdString());
        msgs_->Clear();
        MostrarPreliminar(QStringLiteral("00000009.PRN"), modo);
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, QStringLiteral("Archivo Físico del Reporte no Existe"));
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(msgs_->Last().title, QStringLiteral("Error al Imprimir"));
    }
    ASSERT_TRUE(vacia.has_value());
    EXPECT_TRUE(*vacia);
    EXPECT_TRUE(grabadora.llamadas.isEmpty());
    EXPECT_TRUE(grabadora.textos.empty());
}

TEST_F(PreviewTest, AFailedPrintIsAbortedAndSaysWhy)
{
    const struct {
        int error;
        const char* texto;
    } casos[] = {
        {482, "No existe una impresora seleccionada.Verifique."},
        {20545, "La Impresión ha sido Cancelada."},
        {5, "Error Técnico : ( 5) Llamada a un procedimiento o argumento no válido."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.error);
        msgs_->Clear();
        ImpresoraGrabadora grabadora;
        grabadora.fallaEn = 40;
        grabadora.error = c.error;
        zav::ImpresoraScope scope(grabadora);
        frmPreview frm;
        cargaVentana(frm);
        frm.frmPreview_tlbPrevia_ButtonClick(4);
        EXPECT_FALSE(grabadora.llamadas.contains(QStringLiteral("enddoc")));
        EXPECT_EQ(grabadora.llamadas.mid(grabadora.llamadas.size() - 2),
                  QStringList({QStringLiteral("killdoc"), QStringLiteral("landscape 0")}));
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_EQ(msgs_->Last().text, QString::fromUtf8(c.texto));
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(msgs_->Last().title, QStringLiteral("Impresión"));
        // The window is left as it was.
        EXPECT_EQ(frm.NumPaginas(), 5);
        EXPECT_EQ(frm.PaginaActual(), 0);
    }
}

TEST_F(PreviewTest, WithoutAPrinterThePrintIsRefusedAndTheNextJobStartsClean)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    MostrarPreliminar(kReporte, QStringLiteral("xx"));
    ASSERT_EQ(msgs_->Count(), 1);
    EXPECT_EQ(msgs_->Last().text, QStringLiteral("No existe una impresora seleccionada.Verifique."));
    EXPECT_EQ(msgs_->Last().title, QStringLiteral("Impresión"));

    usaPdf();
    MostrarPreliminar(kReporte, QStringLiteral("xx"));
    EXPECT_EQ(msgs_->Count(), 1);
    esperaPaginas({0, 1, 2, 3, 4});
}

TEST_F(PreviewTest, AnAbortedPdfJobLeavesNoFileAndTheOldOneWhole)
{
    usaPdf();
    MostrarPreliminar(kReporte, QStringLiteral("xx"));
    const QByteArray antes = lee(pdf());
    ASSERT_FALSE(antes.isEmpty());

    zav::Impresora& p = zav::Printer();
    p.setFontName(QStringLiteral("Courier New"));
    p.Print(QStringLiteral("A MEDIAS"));
    p.NewPage();
    p.Print(QStringLiteral("A MEDIAS"));
    p.KillDoc();
    EXPECT_EQ(lee(pdf()), antes);
    EXPECT_FALSE(QFile::exists(pdf() + QStringLiteral(".part")));

    QFile::remove(pdf());
    p.Print(QStringLiteral("A MEDIAS"));
    p.KillDoc();
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_FALSE(QFile::exists(pdf() + QStringLiteral(".part")));
}

// Lines whose numbers overflow (a bold, a size or a coordinate of 1e999) are skipped as
// every unreadable line is: the rest is previewed and printed, and nothing is said.
TEST_F(PreviewTest, ALineWithAnOverflowingFieldIsSkipped)
{
    const QString nombre = QStringLiteral("00000005.PRN");
    escribeReporte(nombre, {QStringLiteral("<!nHojas!>1e999<!/nHojas!>"), QStringLiteral("pPos|300|350|UNO|1e999|9|0|"),
                            QStringLiteral("pPos|300|600|DOS|True|1e999|0|"),
                            QStringLiteral("pCuadro|1e999|300|1700|1640|0|"),
                            QStringLiteral("pPos|300|850|TRES|False|10|0|")});
    std::optional<bool> dibujada;
    zav::ModalRunnerScope runner([&](QDialog& dlg) {
        dlg.show();
        auto& frm = dynamic_cast<frmPreview&>(dlg);
        dibujada = frm.NumPaginas() == 1 && !frm.picPrevia[0]->Vacia();
        return 0;
    });
    MostrarPreliminar(nombre, QStringLiteral("Vprevia"));
    EXPECT_EQ(msgs_->Count(), 0) << msgs_->Texts().join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(dibujada.has_value()) << "the preview was not shown";
    EXPECT_TRUE(*dibujada);

    ImpresoraGrabadora grabadora;
    zav::ImpresoraScope scope(grabadora);
    MostrarPreliminar(nombre, QStringLiteral("xx"));
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_TRUE(grabadora.Imprimio(0, QStringLiteral("TRES")));
    for (const char* t : {"UNO", "DOS"})
        EXPECT_FALSE(grabadora.Imprimio(0, QString::fromLatin1(t))) << t;
}

// The PDF that stands for the printer does not fit on the disk: the printer's error says
// why, and the file is the one that was there (or none), never a cut one.
TEST_F(PreviewTest, APdfThatDoesNotFitSaysWhyAndLeavesNoCutFile)
{
    usaPdf();
    MostrarPreliminar(kReporte, QStringLiteral("xx"));
    const QByteArray antes = lee(pdf());
    ASSERT_GT(antes.size(), 2000);
    for (bool previo : {true, false}) {
        SCOPED_TRACE(previo);
        if (!previo)
            QFile::remove(pdf());
        msgs_->Clear();
        {
            LimiteArchivos lleno(rlim_t(antes.size() / 2));
            MostrarPreliminar(kReporte, QStringLiteral("xx"));
        }
        ASSERT_EQ(msgs_->Count(), 1);
        EXPECT_TRUE(msgs_->Last().text.startsWith(QStringLiteral("Error Técnico : ( 57) ")))
            << msgs_->Last().text.toStdString();
        EXPECT_TRUE(msgs_->Last().text.contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
            << msgs_->Last().text.toStdString();
        EXPECT_EQ(msgs_->Last().style, 16);
        EXPECT_EQ(msgs_->Last().title, QStringLiteral("Impresión"));
        EXPECT_EQ(lee(pdf()), previo ? antes : QByteArray());
        const QStringList restos = QDir(tmp_.path()).entryList({QStringLiteral("impresora.pdf?*")}, QDir::Files | QDir::Hidden);
        EXPECT_TRUE(restos.isEmpty()) << restos.join(QLatin1Char(' ')).toStdString();
    }
    // Once there is room.
    msgs_->Clear();
    MostrarPreliminar(kReporte, QStringLiteral("xx"));
    EXPECT_EQ(msgs_->Count(), 0);
    EXPECT_EQ(lee(pdf()).size(), antes.size());
}

} // namespace
