#include "platform/ui/Impresora.h"

#include "common/ArchivoAtomico.h"
#include "common/Runtime.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace zav {
namespace {

// Twips to the printer's device units.
class ImpresoraQt : public Impresora {
public:
    void setFontName(const QString& name) override { font_.setFamily(FamiliaImpresora(name)); Apply(); }
    void setFontBold(bool bold) override { font_.setBold(bold); Apply(); }
    void setFontSize(int size) override { font_.setPointSize(size > 0 ? size : 1); Apply(); }
    void setFontItalic(bool italic) override { font_.setItalic(italic); Apply(); }
    void setFontUnderline(bool underline) override { font_.setUnderline(underline); Apply(); }
    void setLandscape(bool landscape) override { landscape_ = landscape; }
    void setCurrentX(int x) override { x_ = x; }
    void setCurrentY(int y) override { y_ = y; }
    void setDrawWidth(int width) override { width_ = width; }

    void Print(const QString& text) override
    {
        QPainter& p = Painter();
        const QFontMetricsF fm(p.font());
        p.drawText(QPointF(Dev(x_), Dev(y_) + fm.ascent()), text);
        y_ += static_cast<int>(fm.height() * 1440.0 / printer_->resolution());
        x_ = 0;
    }

    void Line(int x1, int y1, int x2, int y2, const QColor& color) override
    {
        QPainter& p = Painter();
        QPen pen(color);
        pen.setWidthF(width_ <= 1 ? 0 : Dev(width_ * 15));
        p.setPen(pen);
        p.drawLine(QPointF(Dev(x1), Dev(y1)), QPointF(Dev(x2), Dev(y2)));
        x_ = x2;
        y_ = y2;
    }

    // The page is started when something is drawn on it, so that a trailing new page
    // prints no blank sheet.
    void NewPage() override
    {
        if (painter_)
            pendingPage_ = true;
        x_ = y_ = 0;
    }

    void EndDoc() override
    {
        pendingPage_ = false;
        const bool ok = !painter_ || painter_->end();
        const bool enPdf = pdfWriter_ != nullptr;
        const QString pdf = pdf_;
        const QByteArray documento = enPdf ? documento_.data() : QByteArray();
        Suelta();
        if (!enPdf)
            return;
        if (!ok)
            throw zav::RuntimeError(57);
        // The document is made in memory, where nothing can fail half way, and the file
        // replaced whole: it is the finished document, or the old file (or none) and the
        // system's reason.
        ArchivoAtomico archivo(pdf);
        if (!archivo.Abre())
            throw zav::RuntimeError(archivo.CarpetaExiste() ? 75 : 76, archivo.Error());
        if (!archivo.Escribe(documento) || !archivo.Confirma())
            throw zav::RuntimeError(57, archivo.Error());
    }

    void KillDoc() override
    {
        pendingPage_ = false;
        if (painter_) {
            if (!pdfWriter_)
                printer_->abort();
            painter_->end();
        }
        Suelta();
    }

private:
    void Suelta()
    {
        painter_.reset();
        pdfWriter_.reset();
        documento_.close();
        documento_.setData(QByteArray());
        printer_.reset();
        pdf_.clear();
        x_ = y_ = 0;
    }

    double Dev(int twips) const { return twips * printer_->resolution() / 1440.0; }

    void Apply()
    {
        if (painter_)
            painter_->setFont(font_);
    }

    QPainter& Painter()
    {
        if (painter_) {
            if (pendingPage_) {
                pendingPage_ = false;
                if (!Dispositivo().newPage())
                    throw zav::RuntimeError(482);
            }
            return *painter_;
        }
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        const QString pdf = qEnvironmentVariable("ZAV_PRINTER_PDF");
        if (!pdf.isEmpty()) {
            pdf_ = pdf;
            printer_->setOutputFormat(QPrinter::PdfFormat);
        } else if (QPrinterInfo::defaultPrinter().isNull()) {
            printer_.reset();
            throw zav::RuntimeError(482);
        }
        printer_->setPageOrientation(landscape_ ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (!pdf_.isEmpty()) {
            // The PDF printer's pages, drawn into memory: the file is written at EndDoc.
            documento_.open(QIODevice::WriteOnly);
            pdfWriter_ = std::make_unique<QPdfWriter>(&documento_);
            pdfWriter_->setResolution(printer_->resolution());
            pdfWriter_->setPageLayout(printer_->pageLayout());
        }
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&Dispositivo())) {
            Suelta();
            throw zav::RuntimeError(482);
        }
        painter_->setFont(font_);
        return *painter_;
    }

    QPagedPaintDevice& Dispositivo()
    {
        if (pdfWriter_)
            return *pdfWriter_;
        return *printer_;
    }

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPdfWriter> pdfWriter_;   // the PDF printer's job, into documento_
    QBuffer documento_;
    std::unique_ptr<QPainter> painter_;
    QString pdf_;       // the PDF file standing for the printer, while a job is open
    QFont font_{QStringLiteral("Liberation Mono"), 10};
    int x_ = 0, y_ = 0, width_ = 1;
    bool pendingPage_ = false;
    bool landscape_ = false;
};

Impresora* gInstalada = nullptr;

} // namespace

QString FamiliaImpresora(const QString& name)
{
    return name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Liberation Mono")
                                                                                 : name;
}

Impresora& Printer()
{
    if (gInstalada)
        return *gInstalada;
    static ImpresoraQt impresora;
    return impresora;
}

ImpresoraScope::ImpresoraScope(Impresora& impresora) : previous_(gInstalada) { gInstalada = &impresora; }
ImpresoraScope::~ImpresoraScope() { gInstalada = previous_; }

} // namespace zav
