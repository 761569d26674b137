#pragma once
// The preview of a report file of the report folder: its pages (or the page range of
// gModoRango) drawn one per page surface, turned and scrolled, printed from the toolbar.
// Used for printing only, it sends the records to the printer without being shown.
#include "printing/RenderReporte.h"

#include <QDialog>
#include <QString>

#include <array>
#include <map>
#include <vector>

class HojaPrevia;
class QAction;
class QScrollBar;
class QToolBar;
namespace zav { class Impresora; }
namespace rpt { struct Registro; }

class frmPreview : public QDialog {
    Q_OBJECT
public:
    explicit frmPreview(QWidget* parent = nullptr);
    ~frmPreview() override;

    // Bare name of the report file in gRutaRpt.
    QString Archivo;

    QString Modo() const { return mModo; }
    int PaginaActual() const { return mPagActual; }
    int NumPaginas() const { return mNumPaginas; }
    QString Orientacion() const { return mOrientacion; }

    QToolBar* tlbPrevia;
    std::map<int, QAction*> Botones;       // 2 to 5
    QWidget* picFondo;                     // the frame the page shown moves in
    std::vector<HojaPrevia*> picPrevia;    // one per page surface, element 0 always
    std::array<QScrollBar*, 2> vsbPic;
    QScrollBar* HScroll1;

    // Reads the file in preview mode and shows the first page. Runs once, when the window
    // is first shown.
    void frmPreview_Form_Load();
    // Reads the report file archivo and draws it: into the page surfaces for "PresPrevia",
    // on the printer for every other mode. A missing file is reported, nothing is drawn.
    void pDesencripta(const QString& archivo, const QString& modo);
    // A text kept within espacio twips (see RenderReporte::Texto).
    void ppos(int x, int y, const QString& texto, bool negrita, int tamano, int indice, int espacio = INT_MAX);
    void pCuadro(int x1, int y1, int x2, int y2, int indice);
    void pPosVerti(int x, int y, const QString& texto, bool negrita, int tamano, int indice);
    // -2 previous page, -1 next page, 0 first page.
    void pMostrar(int direccion);
    void frmPreview_tlbPrevia_ButtonClick(int boton);
    void frmPreview_vsbPic_Change(int index);
    void frmPreview_HScroll1_Change();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool Imprimiendo() const;
    zav::Impresora* Destino(int indice);
    HojaPrevia* HojaMostrada() const;
    void AgregaHoja();
    void MuestraHoja(int indice);
    void AjustaBarras();
    void TamanoInicial();
    void Dibuja(const rpt::Registro& r, int espacio, int indice);
    void LeePrevia(const std::vector<rpt::Registro>& registros, bool rango);
    void Imprime(const std::vector<rpt::Registro>& registros, bool rango);

    QString mModo;
    int mPagActual = 0;
    int mNumPaginas = 1;
    QString mOrientacion;
    bool mCargado = false;
    bool mDesdeBarra = false;   // the print was asked from the toolbar: it keeps the range
    RenderReporte mRender;
};
