#pragma once
// A printer that writes down what it is asked to do, one text per call.
#include "common/Runtime.h"
#include "platform/ui/Impresora.h"

#include <QStringList>

namespace zav::lote::test {

class ImpresoraGrabadora : public Impresora {
public:
    void setFontName(const QString& name) override { font_ = name; }
    void setFontBold(bool bold) override { bold_ = bold; }
    void setFontSize(int size) override { size_ = size; }
    void setFontItalic(bool italic) override { italic_ = italic; }
    void setFontUnderline(bool underline) override { underline_ = underline; }
    void setCurrentX(int) override {}
    void setCurrentY(int) override {}
    void setDrawWidth(int) override {}
    // "text|font|size|BIU" with B, I, U or "-" for each flag.
    void Print(const QString& text) override
    {
        if (sinImpresora)
            throw RuntimeError(482);
        llamadas << QStringLiteral("%1|%2|%3|%4%5%6")
                        .arg(text, font_, QString::number(size_), QLatin1String(bold_ ? "B" : "-"),
                             QLatin1String(italic_ ? "I" : "-"), QLatin1String(underline_ ? "U" : "-"));
    }
    void Line(int, int, int, int, const QColor&) override {}
    void NewPage() override { llamadas << QStringLiteral("NewPage"); }
    void EndDoc() override { llamadas << QStringLiteral("EndDoc"); }

    QStringList llamadas;
    bool sinImpresora = false;

private:
    QString font_;
    int size_ = 0;
    bool bold_ = false, italic_ = false, underline_ = false;
};

} // namespace zav::lote::test
