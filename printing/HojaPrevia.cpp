#include "printing/HojaPrevia.h"

#include "platform/ui/Twips.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>

namespace {
// Font sizes are kept in twips (20 to a point) so that the sheet scales as a whole.
constexpr int kTwipsPorPunto = 20;
}

HojaPrevia::HojaPrevia(QWidget* parent) : QWidget(parent), mFuente(QStringLiteral("Liberation Mono"))
{
    mFuente.setPixelSize(10 * kTwipsPorPunto);
    setFixedSize(zav::TwipsToPixels(kAncho), zav::TwipsToPixels(kAlto));
}

void HojaPrevia::SetBackColor(quint32 color)
{
    mBackColor = color;
    update();
}

QColor HojaPrevia::ColorDe(quint32 color)
{
    if (color & 0x80000000u) {
        // The system colours the reports use: 15 the face of buttons, the rest a window's.
        const QPalette pal = QApplication::palette();
        return (color & 0xFF) == 15 ? pal.color(QPalette::Button) : pal.color(QPalette::Base);
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void HojaPrevia::setFontName(const QString& name) { mFuente.setFamily(zav::FamiliaImpresora(name)); }
void HojaPrevia::setFontBold(bool bold) { mFuente.setBold(bold); }
void HojaPrevia::setFontSize(int size)
{
    if (size > 0)
        mFuente.setPixelSize(size * kTwipsPorPunto);
}
void HojaPrevia::setFontItalic(bool italic) { mFuente.setItalic(italic); }
void HojaPrevia::setFontUnderline(bool underline) { mFuente.setUnderline(underline); }

void HojaPrevia::Print(const QString& text)
{
    Trazo t;
    t.EsTexto = true;
    t.Fuente = mFuente;
    t.A = QPoint(mX, mY);
    t.Texto = text;
    mTrazos.push_back(std::move(t));
    mY += static_cast<int>(QFontMetricsF(mFuente).height());
    mX = 0;
    update();
}

void HojaPrevia::Line(int x1, int y1, int x2, int y2, const QColor& color)
{
    Trazo t;
    t.A = QPoint(x1, y1);
    t.B = QPoint(x2, y2);
    t.Color = color;
    t.Ancho = mAncho;
    mTrazos.push_back(std::move(t));
    mX = x2;
    mY = y2;
    update();
}

void HojaPrevia::Pinta(QPainter& p, double pixelesPorTwip) const
{
    p.save();
    p.scale(pixelesPorTwip, pixelesPorTwip);
    p.fillRect(QRect(0, 0, kAncho, kAlto), ColorDe(mBackColor));
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const Trazo& t : mTrazos) {
        if (t.EsTexto) {
            p.setFont(t.Fuente);
            p.setPen(Qt::black);
            p.drawText(QPointF(t.A.x(), t.A.y() + QFontMetricsF(t.Fuente).ascent()), t.Texto);
        } else {
            // Width 1 is the thinnest line the device draws; wider ones count pixels.
            QPen pen(t.Color);
            pen.setWidthF(t.Ancho <= 1 ? 0 : t.Ancho * zav::kTwipsPerPixel);
            p.setPen(pen);
            p.drawLine(t.A, t.B);
        }
    }
    p.restore();
}

QImage HojaPrevia::Imagen(int ppp) const
{
    const double escala = ppp / 1440.0;
    QImage img(qRound(kAncho * escala), qRound(kAlto * escala), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    Pinta(p, escala);
    return img;
}

void HojaPrevia::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Pinta(p, 1.0 / zav::kTwipsPerPixel);
}
