#pragma once
// The printer as the module's printouts drive it: positions and sizes in twips, one
// current point, the font set before printing. One printer for the whole run; tests put
// a recording one in its place.
#include <QColor>
#include <QString>

namespace zav {

class Impresora {
public:
    virtual ~Impresora() = default;
    virtual void setFontName(const QString& name) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual void setFontSize(int size) = 0;
    virtual void setFontItalic(bool) {}
    virtual void setFontUnderline(bool) {}
    // Takes effect for the next document (the current one keeps its paper).
    virtual void setLandscape(bool) {}
    virtual void setCurrentX(int x) = 0;
    virtual void setCurrentY(int y) = 0;
    virtual void setDrawWidth(int width) = 0;
    // Prints text at the current point and moves it to the start of the next line.
    virtual void Print(const QString& text) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, const QColor& color) = 0;
    // A page started and left empty before EndDoc is not printed.
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    // Ends the current job without printing it: nothing of it reaches the paper (or the
    // PDF file), so that a failure never leaves half a document.
    virtual void KillDoc() {}
};

// The face a font name is drawn with ("Courier New" by its metric-compatible free face).
QString FamiliaImpresora(const QString& name);

// The default printer (ZAV_PRINTER_PDF, when set, names a PDF file that stands for it),
// or the one installed by ImpresoraScope.
Impresora& Printer();

class ImpresoraScope {
public:
    explicit ImpresoraScope(Impresora& impresora);
    ~ImpresoraScope();
    ImpresoraScope(const ImpresoraScope&) = delete;
    ImpresoraScope& operator=(const ImpresoraScope&) = delete;

private:
    Impresora* previous_;
};

} // namespace zav
