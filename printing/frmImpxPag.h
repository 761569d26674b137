#pragma once
// The page range of a declaration report before it is previewed on screen.
#include <QDialog>
#include <QString>

#include <map>

namespace zav { class Label; class TextBox; }
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

class frmImpxPag : public QDialog {
    Q_OBJECT
public:
    // Loads at once: the opener sets the caption, the total and the tag afterwards.
    explicit frmImpxPag(QWidget* parent = nullptr);

    QGroupBox* Frame1;
    zav::Label* Label2;
    zav::TextBox* txtPagDesde;
    zav::Label* Label1;
    zav::TextBox* txtPagHasta;
    QPlainTextEdit* Text1;
    zav::TextBox* txtTotPaginas;
    std::map<int, QPushButton*> cmdAccion;   // 0 Preliminar, 1 Cancelar

    // Bare name of the report file in gRutaRpt.
    QString Tag;

    void frmImpxPag_Form_Load();
    int frmImpxPag_txtPagDesde_KeyPress(int KeyAscii);
    int frmImpxPag_txtPagHasta_KeyPress(int KeyAscii);
    void frmImpxPag_cmdAccion_Click(int Index);

    // The fixed warning, one line per line.
    static QString TextoAviso();

protected:
    void reject() override;
};
