#pragma once
// One page of the preview: a whole sheet in twips that the report's records are drawn on
// through the printer's interface, kept as its drawing so that it paints at any scale
// (the window at 15 twips to a pixel, an offscreen image at any resolution).
#include "platform/ui/Impresora.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <vector>

class QPainter;

class HojaPrevia : public QWidget, public zav::Impresora {
    Q_OBJECT
public:
    // A letter sheet: the layouts draw up to x 11000 and y 14340.
    static constexpr int kAncho = 12240;
    static constexpr int kAlto = 15840;

    explicit HojaPrevia(QWidget* parent = nullptr);

    // The background as the report's colour tag gives it (low byte red; the top bit set
    // names a system colour).
    quint32 BackColor() const { return mBackColor; }
    void SetBackColor(quint32 color);

    bool Vacia() const { return mTrazos.empty(); }

    // The sheet painted offscreen at ppp pixels per inch.
    QImage Imagen(int ppp = 96) const;
    void Pinta(QPainter& p, double pixelesPorTwip) const;

    void setFontName(const QString& name) override;
    void setFontBold(bool bold) override;
    void setFontSize(int size) override;
    void setFontItalic(bool italic) override;
    void setFontUnderline(bool underline) override;
    void setCurrentX(int x) override { mX = x; }
    void setCurrentY(int y) override { mY = y; }
    void setDrawWidth(int width) override { mAncho = width; }
    void Print(const QString& text) override;
    void Line(int x1, int y1, int x2, int y2, const QColor& color) override;
    void NewPage() override {}
    void EndDoc() override {}

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    struct Trazo {
        bool EsTexto = false;
        QFont Fuente;
        QPoint A;
        QPoint B;
        QString Texto;
        QColor Color;
        int Ancho = 1;
    };

    static QColor ColorDe(quint32 color);

    std::vector<Trazo> mTrazos;
    QFont mFuente;
    quint32 mBackColor = 0x00FFFFFF;
    int mX = 0;
    int mY = 0;
    int mAncho = 1;
};
